#include "ui/FolderTreeModel.h"

#include "engine/tree/Data_Folder.h"

#include <algorithm>

namespace Varnik
{

void FolderTreeModel::SetRoot(const Vn::Data_Folder* root)
{
    beginResetModel();
    mListings.clear();
    mRoot = root;
    if (mRoot)
        mListings[mRoot];
    endResetModel();
}

const Vn::Data_Folder* FolderTreeModel::GetFolder(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<const Vn::Data_Folder*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::GetRootIndex() const
{
    return mRoot ? createIndex(0, 0, mRoot) : QModelIndex();
}

FolderTreeModel::Listing& FolderTreeModel::Listed(const Vn::Data_Folder& folder) const
{
    Listing& listing = mListings.at(&folder);
    if (listing.mListed)
        return listing;
    listing.mListed = true;
    for (size_t i = 0; i < folder.mNodes.size(); i++)
    {
        if (folder.mNodes[i]->IsFolder())
            listing.mFolders.push_back({folder.mNodes[i].get(), i});
    }
    NodeRows_Sort(listing.mFolders, mSortColumn, mSortOrder);
    for (const NodeRow& row : listing.mFolders)
        mListings[static_cast<const Vn::Data_Folder*>(row.mNode)].mParent = &folder;
    Rows_Number(listing);
    return listing;
}

void FolderTreeModel::Rows_Number(const Listing& listing) const
{
    for (size_t row = 0; row < listing.mFolders.size(); row++)
        mListings.at(static_cast<const Vn::Data_Folder*>(listing.mFolders[row].mNode)).mRow =
            static_cast<int>(row);
}

QModelIndex FolderTreeModel::IndexOf(const Vn::Data_Folder& folder, int column) const
{
    return createIndex(mListings.at(&folder).mRow, column, &folder);
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, mRoot);
    return createIndex(row, column, Listed(*GetFolder(parent)).mFolders[row].mNode);
}

QModelIndex FolderTreeModel::parent(const QModelIndex& index) const
{
    const Vn::Data_Folder* folder = GetFolder(index);
    const Vn::Data_Folder* parent = folder ? mListings.at(folder).mParent : nullptr;
    return parent ? IndexOf(*parent, 0) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return mRoot ? 1 : 0;
    return Listed(*GetFolder(parent)).mFetched;
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return COLUMN_COUNT;
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return mRoot != nullptr;
    return parent.column() == 0 && !Listed(*GetFolder(parent)).mFolders.empty();
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const Vn::Data_Folder* folder = GetFolder(index);
    return folder ? NodeRow_Data(*folder, true, index.column(), role) : QVariant();
}

QVariant FolderTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return NodeRow_Header(section, orientation, role);
}

// Only the first batch: LazyTreeView fetches the next ones as they come into sight.
bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return false;
    const Listing& listing = Listed(*GetFolder(parent));
    return listing.mFetched == 0 && !listing.mFolders.empty();
}

void FolderTreeModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        return;
    Listing& listing = Listed(*GetFolder(parent));
    if (listing.mFetched == static_cast<int>(listing.mFolders.size()))
        return;
    const int last =
        std::min(static_cast<int>(listing.mFolders.size()), listing.mFetched + FETCH_BATCH) - 1;
    beginInsertRows(parent.siblingAtColumn(0), listing.mFetched, last);
    listing.mFetched = last + 1;
    endInsertRows();
}

// Every list made so far is sorted again; a folder that the view still refers to stays
// fetched, wherever it moved.
void FolderTreeModel::sort(int column, Qt::SortOrder order)
{
    mSortColumn = column;
    mSortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    for (auto& [folder, listing] : mListings)
    {
        if (!listing.mListed)
            continue;
        NodeRows_Sort(listing.mFolders, mSortColumn, mSortOrder);
        Rows_Number(listing);
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
    {
        const Vn::Data_Folder* folder = GetFolder(index);
        const Listing& listing = mListings.at(folder);
        if (listing.mParent != nullptr)
        {
            Listing& parent = mListings.at(listing.mParent);
            parent.mFetched = std::max(parent.mFetched, listing.mRow + 1);
        }
        after.append(IndexOf(*folder, index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace Varnik
