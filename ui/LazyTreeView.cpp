#include "ui/LazyTreeView.h"

namespace Varnik
{

// Rows that a collapse or a resize brought into sight are fetched as well.
void LazyTreeView::doItemsLayout()
{
    QTreeView::doItemsLayout();
    FetchShown();
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
