#pragma once

#include <memory>
#include <vector>

namespace TrovLib
{

// Destroys the subtrees owned by `nodes` one node at a time, each node's children taken
// out of it before it goes, so that a tree tens of thousands of levels deep does not
// recurse through its destructors. `childrenOf(node)` gives a pointer to the node's own
// vector of children, or null for a leaf.
template <class Node, class ChildrenOf>
void ReleaseTree(std::vector<std::unique_ptr<Node>>& nodes, ChildrenOf childrenOf)
{
    std::vector<std::unique_ptr<Node>> doomed = std::move(nodes);
    nodes.clear();
    while (!doomed.empty())
    {
        std::unique_ptr<Node> node = std::move(doomed.back());
        doomed.pop_back();
        if (node == nullptr)
            continue;
        if (std::vector<std::unique_ptr<Node>>* children = childrenOf(*node))
        {
            for (std::unique_ptr<Node>& child : *children)
                doomed.push_back(std::move(child));
            children->clear();
        }
    }
}

} // namespace TrovLib
