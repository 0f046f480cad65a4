#pragma once

#include "ui/NodeRows.h"

#include <QAbstractTableModel>

#include <vector>

namespace Vn
{
class Data_Folder;
class Data_Node;
} // namespace Vn

namespace Varnik
{

// The files of one folder of a data tree, each with its line count, read by the files
// view a batch of rows at a time. An index's internal pointer is its file node. The
// order of the last sort holds for every folder shown after it.
//
// The tree is not owned: the window keeps it alive while the model shows it, and sets
// another folder (or none) before releasing it. GUI thread only.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetFolder(const Vn::Data_Folder* folder);
    const Vn::Data_Node* GetFile(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::vector<NodeRow> mFiles;
    int mFetched = 0;
    int mSortColumn = COLUMN_NAME;
    Qt::SortOrder mSortOrder = Qt::AscendingOrder;
};

} // namespace Varnik
