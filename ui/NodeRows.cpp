#include "ui/NodeRows.h"

#include "engine/tree/CounterSchema.h"
#include "engine/tree/Data_Node.h"
#include "ui/LocalText.h"

#include <QLocale>

#include <algorithm>
#include <string>

namespace Varnik
{

namespace
{

uint64_t Lines(const Vn::Data_Node& node)
{
    return Vn::Schema::TotalsOf(node).mLines;
}

} // namespace

// The line counts are read once, before the sort, since a folder may hold a million files.
void NodeRows_Sort(std::vector<NodeRow>& rows, int column, Qt::SortOrder order)
{
    struct Key
    {
        uint64_t mLines;
        NodeRow mRow;
    };
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (const NodeRow& row : rows)
        keys.push_back({column == COLUMN_LINES ? Lines(*row.mNode) : 0, row});
    const auto less = [](const Key& left, const Key& right)
    {
        return left.mLines != right.mLines ? left.mLines < right.mLines
                                           : left.mRow.mOrder < right.mRow.mOrder;
    };
    if (order == Qt::AscendingOrder)
        std::sort(keys.begin(), keys.end(), less);
    else
        std::sort(keys.begin(), keys.end(),
                  [&less](const Key& left, const Key& right) { return less(right, left); });
    for (size_t i = 0; i < rows.size(); i++)
        rows[i] = keys[i].mRow;
}

int NodeRows_Find(const std::vector<NodeRow>& rows, const Vn::Data_Node* node)
{
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [node](const NodeRow& row) { return row.mNode == node; });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

QVariant NodeRow_Data(const Vn::Data_Node& node, bool folder, int column, int role)
{
    if (role == Qt::TextAlignmentRole && column == COLUMN_LINES)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    if (column == COLUMN_NAME)
        return LocalText_ToQt(std::string(node.GetName_Relative()));
    const QLocale locale;
    const QString lines = locale.toString(qulonglong{Lines(node)});
    if (!folder)
        return lines;
    const uint64_t files = Vn::Schema::TotalsOf(node).mFiles;
    return QString("%1 (%2 files)").arg(lines, locale.toString(qulonglong{files}));
}

QVariant NodeRow_Header(int section, Qt::Orientation orientation, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == COLUMN_NAME ? QString("Name") : QString("Lines");
}

} // namespace Varnik
