#pragma once

#include "ui/NodeRows.h"

#include <QAbstractItemModel>

#include <unordered_map>
#include <vector>

namespace Vn
{
class Data_Folder;
}

namespace Varnik
{

// The folders of a data tree, each with its line and file counts, read by the folder
// view a batch of rows at a time. An index's internal pointer is its folder; the model
// lists a folder's sub-folders, and remembers each one's parent, only once the view asks
// for them, so a tree of a million folders costs what the user opens. Sorting applies to
// every list made and to those made later, and persists across trees.
//
// The tree is not owned: the window keeps it alive while the model shows it, and sets
// another root (or none) before releasing it. GUI thread only.
class FolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    using QAbstractItemModel::QAbstractItemModel;

    void SetRoot(const Vn::Data_Folder* root);
    const Vn::Data_Folder* GetFolder(const QModelIndex& index) const;
    QModelIndex GetRootIndex() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Listing
    {
        const Vn::Data_Folder* mParent = nullptr;
        int mRow = 0; // in the parent's sub-folders, as sorted
        bool mListed = false;
        std::vector<NodeRow> mFolders; // once listed
        int mFetched = 0;
    };

    // The folder's listing, with its sub-folders listed.
    Listing& Listed(const Vn::Data_Folder& folder) const;
    void Rows_Number(const Listing& listing) const;
    QModelIndex IndexOf(const Vn::Data_Folder& folder, int column) const;

    const Vn::Data_Folder* mRoot = nullptr;
    // Filled as the view asks; logically part of the tree's state, hence mutable.
    mutable std::unordered_map<const Vn::Data_Folder*, Listing> mListings;
    int mSortColumn = COLUMN_NAME;
    Qt::SortOrder mSortOrder = Qt::AscendingOrder;
};

} // namespace Varnik
