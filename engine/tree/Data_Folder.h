#pragma once

#include "engine/tree/Data_Node.h"

#include <memory>
#include <vector>

namespace Vn
{

// A folder of the data tree. The root is named by the root text exactly as given,
// a sub-folder by its path relative to the root.
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

    // The file child at `index`, counted among the files only; null past the last.
    Data_Node* GetFile(unsigned index) const;

    std::vector<std::unique_ptr<Data_Node>> mNodes;
};

} // namespace Vn
