#pragma once

#include <QVariant>
#include <Qt>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vn
{
class Data_Node;
}

namespace Varnik
{

// Rows a model hands out at a time, as the view asks for them or as results come in.
constexpr int FETCH_BATCH = 1000;

// The rows that the folder tree and the files list share: a node of the data tree with
// its place in its folder, shown as its name and its line count, and ordered as the user
// clicks the headers: the first column in the engine's order, the second by line count,
// equal counts in the engine's order; descending reverses either.
struct NodeRow
{
    const Vn::Data_Node* mNode;
    size_t mOrder; // in the folder's list of nodes
};

enum NodeColumn
{
    COLUMN_NAME,
    COLUMN_LINES,
    COLUMN_COUNT
};

void NodeRows_Sort(std::vector<NodeRow>& rows, int column, Qt::SortOrder order);
// The row in `rows` of `node`, else -1.
int NodeRows_Find(const std::vector<NodeRow>& rows, const Vn::Data_Node* node);
// What a view shows of a node in a column; a folder shows its files beside its lines.
QVariant NodeRow_Data(const Vn::Data_Node& node, bool folder, int column, int role);
QVariant NodeRow_Header(int section, Qt::Orientation orientation, int role);

} // namespace Varnik
