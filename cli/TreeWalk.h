#pragma once

#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace VarnikCli
{

// The children of a folder node or folder result; null for a file.
const std::vector<std::unique_ptr<Vn::Data_Node>>* ChildrenOf(const Vn::Data_Node& node);
const std::vector<std::unique_ptr<Vn::SearchResult>>* ChildrenOf(const Vn::SearchResult& result);

// Visits a scan's or a search's tree depth first with a stack of its own, so that trees
// of any depth fit: `enter(node, depth)` before a node's children, `leave(node, depth)`
// after them. `Node` is Vn::Data_Node or Vn::SearchResult.
template <class Node, class Enter, class Leave>
void WalkTree(const Node& root, Enter enter, Leave leave)
{
    struct Frame
    {
        const Node* mNode;
        size_t mNext; // the next child to visit
    };
    std::vector<Frame> stack = {{&root, 0}};
    enter(root, size_t{0});
    while (!stack.empty())
    {
        Frame& top = stack.back();
        const auto* children = ChildrenOf(*top.mNode);
        if (children != nullptr && top.mNext < children->size())
        {
            const Node& child = *(*children)[top.mNext++];
            enter(child, stack.size());
            stack.push_back({&child, 0});
        }
        else
        {
            leave(*top.mNode, stack.size() - 1);
            stack.pop_back();
        }
    }
}

// Calls `visit(node, depth)` for every node of the tree, parents first.
template <class Node, class Visit> void ForEachInTree(const Node& root, Visit visit)
{
    WalkTree<Node>(root, visit, [](const Node&, size_t) {});
}

} // namespace VarnikCli
