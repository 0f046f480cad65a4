#pragma once

#include "engine/tree/Data_Node.h"

#include <memory>
#include <vector>

namespace Vn
{

// A folder of the data tree.
class Data_Folder : public Data_Node
{
public:
    explicit Data_Folder(const char* name);
    // Releases the subtree without recursing, however deep it is.
    ~Data_Folder() override;

    // Takes the node and merges its counters into this folder's. A folder holds the
    // totals of its subtree because the scan adds a sub-folder only once its walk is
    // over: nothing below a finished folder changes afterwards, so its totals never
    // need to be propagated again.
    void AddNode(std::unique_ptr<Data_Node> node);
    // Merges the node's counters into this folder's without taking the node, for a scan
    // that keeps only the totals.
    void AddCounters(const Data_Node& node);
    // Takes the node without a merge, for a folder whose counters hold its totals already.
    void AddNode_Totalled(std::unique_ptr<Data_Node> node);

    // The file child at `index`, counted among the files only; null past the last.
    Data_Node* GetFile(unsigned index) const;

    // The totals of the subtree.
    Counter_List mCounters;
    std::vector<std::unique_ptr<Data_Node>> mNodes;
};

// The children of a folder node; null for a file node.
inline const std::vector<std::unique_ptr<Data_Node>>* ChildrenOf(const Data_Node& node)
{
    return node.IsFolder() ? &static_cast<const Data_Folder&>(node).mNodes : nullptr;
}
inline std::vector<std::unique_ptr<Data_Node>>* ChildrenOf(Data_Node& node)
{
    return node.IsFolder() ? &static_cast<Data_Folder&>(node).mNodes : nullptr;
}

} // namespace Vn
