#include "engine/search/SearchResult.h"

#include "engine/search/SearchResult_Folder.h"

namespace Vn
{

SearchResult::SearchResult(const char* name, bool isFolder) : TreeNode(name, isFolder) {}

uint64_t SearchResult::GetCount() const
{
    return mCount;
}

const SearchResult_Folder* SearchResult::GetParent() const
{
    return static_cast<const SearchResult_Folder*>(TreeNode::GetParent());
}

} // namespace Vn
