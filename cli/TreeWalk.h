#pragma once

#include <cstddef>
#include <vector>

namespace VarnikCli
{

// Visits a tree depth first with a stack of its own, so that trees of any depth fit:
// `enter(node, depth)` before a node's children, `leave(node, depth)` after them.
// `children(node)` gives a pointer to the node's vector of owning child pointers, or null.
template <class Node, class Children, class Enter, class Leave>
void WalkTree(const Node& root, Children children, Enter enter, Leave leave)
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
        const auto* list = children(*top.mNode);
        if (list != nullptr && top.mNext < list->size())
        {
            const Node& child = *(*list)[top.mNext++];
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

} // namespace VarnikCli
