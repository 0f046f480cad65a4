#pragma once

#include "engine/counters/Counter.h"
#include "engine/counters/Counter_List.h"
#include "engine/search/SearchResult_File.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <QTreeWidgetItem>
#include <QVariant>

#include <cstdint>
#include <memory>

namespace Varnik
{

// Tree-view nodes for the engine's trees. A node's tag points at the engine object it
// stands for and never owns it: the window keeps the engine tree alive while the view
// shows it, and empties the view before releasing the tree.

// A folder of the data tree, with its sub-folders below it; files get no node. Each node
// shows the folder's lines and files.
std::unique_ptr<QTreeWidgetItem> Parse_FolderNode_Create(const Vn::Data_Folder& folder);

// The files of a folder, each with its line count and tagged with its node.
QList<QTreeWidgetItem*> Parse_FileNodes_Create(const Vn::Data_Folder& folder);

// One counter: its plain line without a parent, else its share of the parent. A group's
// children hang below it; a histogram is a leaf that carries the histogram as its tag.
std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter& counter,
                                                          const Vn::Counter* parent);
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

// A folder result with its files and folders below it, in the order found.
std::unique_ptr<QTreeWidgetItem> Search_FolderNode_Create(const Vn::SearchResult_Folder& folder);
// A file result with its matching lines below it, each shown without its terminator and
// carrying its line number.
std::unique_ptr<QTreeWidgetItem> Search_FileNode_Create(const Vn::SearchResult_File& file);

// The line number of a result line's node, else 0.
uint64_t Node_GetLine(const QTreeWidgetItem* node);
// The data role that holds it.
int Node_LineRole();

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
