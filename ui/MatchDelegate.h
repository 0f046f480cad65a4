#pragma once

#include <QStyledItemDelegate>

namespace Varnik
{

// Paints the result lines of a search with each occurrence of the searched text marked,
// so that the eye finds the match in a long line. Other nodes paint as usual. GUI thread
// only.
class MatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text to mark from now on; empty marks nothing.
    void SetText(const QString& text, Qt::CaseSensitivity caseSensitivity);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QString mText;
    Qt::CaseSensitivity mCase = Qt::CaseSensitive;
};

} // namespace Varnik
