#include "ui/MatchDelegate.h"

#include "ui/SearchResultModel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace Varnik
{

namespace
{
const QColor MARK_COLOR(255, 226, 110);
// A result line reads "Line 12 : text"; only the text is searched.
const QString LINE_PREFIX_END = " : ";
} // namespace

void MatchDelegate::SetText(const QString& text, Qt::CaseSensitivity caseSensitivity)
{
    mText = text;
    mCase = caseSensitivity;
}

void MatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const int prefix = item.text.indexOf(LINE_PREFIX_END);
    if (!mText.isEmpty() && prefix >= 0 && index.data(SearchResultModel::LINE_ROLE).isValid())
    {
        const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
        // The text starts after the style's margin, as QCommonStyle lays it out.
        const int left = area.left() +
                         style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
        const QFontMetrics metrics(item.font);
        for (qsizetype at = item.text.indexOf(mText, prefix + LINE_PREFIX_END.size(), mCase);
             at >= 0; at = item.text.indexOf(mText, at + mText.size(), mCase))
        {
            const int x = left + metrics.horizontalAdvance(item.text.left(at));
            painter->fillRect(QRect(x, area.top(),
                                    metrics.horizontalAdvance(item.text.mid(at, mText.size())),
                                    area.height()),
                              MARK_COLOR);
        }
    }
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Varnik
