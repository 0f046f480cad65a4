#pragma once

#include "engine/counters/Counter.h"
#include "engine/counters/Counter_List.h"

#include <QTreeWidgetItem>
#include <QVariant>

#include <memory>

namespace Varnik
{

// Tree-view nodes of the counter tree, which shows the counters of one data node. A
// node's tag points at the counter it stands for and never owns it: the window keeps the
// data tree alive while the view shows it, and empties the view before releasing the tree.

// One counter: its plain line without a parent, else its share of the parent. A group's
// children hang below it, or, for a very large group, come when it is opened (the group
// is then its tag); a histogram is a leaf that carries the histogram as its tag.
std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter& counter,
                                                          const Vn::Counter* parent);
// Gives a group that was too large to fill at once its next batch of children, as it is
// opened and scrolled through; false when it has them all, or is no such group.
bool Parse_CounterNode_Populate(QTreeWidgetItem& node, bool sortByCount);
// The names of the counters from the top of a counter tree down to the node, which name
// the same counter in the trees of every folder and file.
QString Node_GetKey(const QTreeWidgetItem* node);
// Orders the children of every counter by count, the largest first, keeping the order
// of equal ones.
void Parse_CounterNodes_SortByCount(QTreeWidgetItem& node);
// A node with the given text and, below it, one node per counter of the list.
std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter_List& counters,
                                                          const char* text,
                                                          const Vn::Counter* parent);

template <class T> void Node_SetTag(QTreeWidgetItem& node, const T* tag)
{
    node.setData(0, Qt::UserRole, QVariant::fromValue(tag));
}

// The node's tag when it is of class T, else null; null for no node.
template <class T> const T* Node_GetTag(const QTreeWidgetItem* node)
{
    if (node == nullptr)
        return nullptr;
    const QVariant tag = node->data(0, Qt::UserRole);
    return tag.metaType() == QMetaType::fromType<const T*>() ? tag.value<const T*>() : nullptr;
}

} // namespace Varnik
