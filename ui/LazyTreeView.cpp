#include "ui/LazyTreeView.h"

namespace Varnik
{

void LazyTreeView::verticalScrollbarValueChanged(int value)
{
    QTreeView::verticalScrollbarValueChanged(value);
    FetchShown();
}

// Rows fetched are laid out later, so one batch is enough for one scroll.
void LazyTreeView::FetchShown()
{
    QAbstractItemModel* rows = model();
    for (QModelIndex row = indexAt(QPoint(0, 0));
         row.isValid() && visualRect(row).top() < viewport()->height(); row = indexBelow(row))
    {
        const QModelIndex parent = row.parent();
        if (parent.isValid() && row.row() == rows->rowCount(parent) - 1 &&
            rows->canFetchMore(parent))
            return rows->fetchMore(parent);
    }
}

} // namespace Varnik
