#pragma once

#include <QTreeView>

namespace Varnik
{

// A tree view over a model that hands out rows a batch at a time, fetching the next batch
// of a parent, wherever it lies in the tree, as the last row fetched comes within a page
// of sight.
//
// Qt's view fetches for every open parent each time it lays itself out, whether its end
// is in sight or not, so while results stream in, a long file would be fetched whole. The
// window's models therefore offer only a parent's first batch through canFetchMore, and
// this view asks for the next ones with fetchMore alone. GUI thread only.
class LazyTreeView : public QTreeView
{
    Q_OBJECT

public:
    using QTreeView::QTreeView;

    void doItemsLayout() override;
    // Opens the rows breadth first, fetching as it goes, up to about `rows` rows and
    // `levels` levels; the view is laid out once, after, rather than at each row.
    void ExpandAll(int rows, int levels);

protected:
    void verticalScrollbarValueChanged(int value) override;

private:
    // Fetches the next batch of the first parent whose last row fetched is near sight.
    void FetchShown();
};

} // namespace Varnik
