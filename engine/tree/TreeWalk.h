#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace Vn
{

// Walks over the trees of nodes (Data_Node, SearchResult) with stacks of their own, never
// by recursion, so that trees tens of thousands of levels deep fit. A tree's node type
// `Node` comes with `ChildrenOf(node)`, beside its folder class: a pointer to a folder's
// children, null for a file.

// Visits the tree depth first, children in order: `enter(node, depth)` before a node's
// children, `leave(node, depth)` after them; the root is at depth 0.
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

// Destroys the subtrees owned by `nodes` one node at a time, each folder emptied before
// it goes, so that no destructor recurses. `childrenOf(node)` gives a pointer to the
// node's own children, or null for a file.
template <class Node, class Children>
void ReleaseTree(std::vector<std::unique_ptr<Node>>& nodes, Children childrenOf)
{
    std::vector<std::unique_ptr<Node>> doomed = std::move(nodes);
    nodes.clear();
    while (!doomed.empty())
    {
        std::unique_ptr<Node> node = std::move(doomed.back());
        doomed.pop_back();
        if (node == nullptr)
            continue;
        if (auto* children = childrenOf(*node))
        {
            for (std::unique_ptr<Node>& child : *children)
                doomed.push_back(std::move(child));
            children->clear();
        }
    }
}

// The same for the engine's trees, whose folders give their children by `ChildrenOf`.
template <class Node> void ReleaseTree(std::vector<std::unique_ptr<Node>>& nodes)
{
    ReleaseTree(nodes, [](Node& node) { return ChildrenOf(node); });
}

} // namespace Vn
