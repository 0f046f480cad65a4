#include "ui/FileListModel.h"

#include "engine/tree/Data_Folder.h"

#include <algorithm>

namespace Varnik
{

void FileListModel::SetFolder(const Vn::Data_Folder* folder)
{
    beginResetModel();
    mFiles.clear();
    mFetched = 0;
    for (size_t i = 0; folder && i < folder->mNodes.size(); i++)
    {
        if (!folder->mNodes[i]->IsFolder())
            mFiles.push_back({folder->mNodes[i].get(), i});
    }
    NodeRows_Sort(mFiles, mSortColumn, mSortOrder);
    mFetched = std::min(static_cast<int>(mFiles.size()), FETCH_BATCH);
    endResetModel();
}

const Vn::Data_Node* FileListModel::GetFile(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<const Vn::Data_Node*>(index.internalPointer()) : nullptr;
}

QModelIndex FileListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, mFiles[row].mNode);
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mFetched;
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    const Vn::Data_Node* file = GetFile(index);
    return file ? NodeRow_Data(*file, false, index.column(), role) : QVariant();
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return NodeRow_Header(section, orientation, role);
}

// Only the first batch: LazyTreeView fetches the next ones as they come into sight.
bool FileListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && mFetched == 0 && !mFiles.empty();
}

void FileListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || mFetched == static_cast<int>(mFiles.size()))
        return;
    const int last = std::min(static_cast<int>(mFiles.size()), mFetched + FETCH_BATCH) - 1;
    beginInsertRows({}, mFetched, last);
    mFetched = last + 1;
    endInsertRows();
}

// A file that the view still refers to stays fetched, wherever it moved.
void FileListModel::sort(int column, Qt::SortOrder order)
{
    mSortColumn = column;
    mSortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    NodeRows_Sort(mFiles, mSortColumn, mSortOrder);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
    {
        const int row = NodeRows_Find(mFiles, GetFile(index));
        mFetched = std::max(mFetched, row + 1);
        after.append(createIndex(row, index.column(), mFiles[row].mNode));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace Varnik
