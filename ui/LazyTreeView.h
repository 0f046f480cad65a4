#pragma once

#include <QTreeView>

namespace Varnik
{

// A tree view over a model that hands out rows a batch at a time. Qt's view asks for the
// next batch only of the rows at the very end of the view; this one asks for it as soon
// as the last row fetched of any parent scrolls into sight, so that a long file or folder
// in the middle of the tree fills as the user reaches its end. GUI thread only.
class LazyTreeView : public QTreeView
{
    Q_OBJECT

public:
    using QTreeView::QTreeView;

protected:
    void verticalScrollbarValueChanged(int value) override;

private:
    // Fetches the next batch of the first parent whose last row fetched is in sight.
    void FetchShown();
};

} // namespace Varnik
