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
} // namespace

void MatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const auto marks = index.data(SearchResultModel::MARKS_ROLE).value<SearchResultModel::Marks>();
    if (!marks.isEmpty())
    {
        const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
        // The text starts after the style's margin, as QCommonStyle lays it out.
        const int left = area.left() +
                         style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
        const QFontMetrics metrics(item.font);
        for (const auto& [start, length] : marks)
        {
            const int x = left + metrics.horizontalAdvance(item.text.left(start));
            painter->fillRect(QRect(x, area.top(),
                                    metrics.horizontalAdvance(item.text.mid(start, length)),
                                    area.height()),
                              MARK_COLOR);
        }
    }
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Varnik
