#pragma once

#include <QStyledItemDelegate>

namespace Varnik
{

// Paints the result lines of a search with the spans that matched marked, so that the eye
// finds the match in a long line. Other nodes paint as usual. GUI thread only.
class MatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace Varnik
