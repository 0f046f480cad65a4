#pragma once

#include "engine/tree/TreeNode.h"

#include <cstdint>
#include <string>

namespace Vn
{

class SearchResult_Folder;

// A node of the tree that a search returns: a folder or a file that holds matches,
// named as the nodes of a scan are (TreeNode).
class SearchResult : public TreeNode
{
public:
    // Matching lines in this file, or below this folder.
    virtual uint64_t GetCount() const;
    virtual std::string GetText() const = 0;

    // The part of the name after its last separator, or the whole name.
    const char* GetDisplayName() const { return GetName_Relative(); }
    const SearchResult_Folder* GetParent() const;

protected:
    SearchResult(const char* name, bool isFolder);

    uint64_t mCount = 0;
};

} // namespace Vn
