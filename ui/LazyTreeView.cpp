#include "ui/LazyTreeView.h"

#include <deque>
#include <utility>

namespace Varnik
{

// Rows that a collapse or a resize brought into sight are fetched as well.
void LazyTreeView::doItemsLayout()
{
    QTreeView::doItemsLayout();
    FetchShown();
}

void LazyTreeView::ExpandAll(int rows, int levels)
{
    scheduleDelayedItemsLayout();
    QAbstractItemModel& items = *model();
    std::deque<std::pair<QModelIndex, int>> toOpen;
    for (int row = 0; row < items.rowCount(); row++)
        toOpen.emplace_back(items.index(row, 0), 1);
    for (int opened = 0; !toOpen.empty() && opened < rows;)
    {
        const auto [index, level] = toOpen.front();
        toOpen.pop_front();
        if (level > levels || !items.hasChildren(index))
            continue;
        if (items.canFetchMore(index))
            items.fetchMore(index);
        expand(index);
        const int children = items.rowCount(index);
        opened += children;
        for (int row = 0; row < children; row++)
            toOpen.emplace_back(items.index(row, 0, index), level + 1);
    }
}

void LazyTreeView::verticalScrollbarValueChanged(int value)
{
    QTreeView::verticalScrollbarValueChanged(value);
    FetchShown();
}

// Rows fetched are laid out later, which calls this again, so one batch at a time is
// enough.
void LazyTreeView::FetchShown()
{
    QAbstractItemModel* rows = model();
    const int nearSight = 2 * viewport()->height();
    for (QModelIndex row = indexAt(QPoint(0, 0));
         row.isValid() && visualRect(row).top() < nearSight; row = indexBelow(row))
    {
        const QModelIndex parent = row.parent();
        const int fetched = rows->rowCount(parent);
        if (row.row() != fetched - 1)
            continue;
        rows->fetchMore(parent);
        if (rows->rowCount(parent) != fetched)
            return;
    }
}

} // namespace Varnik
