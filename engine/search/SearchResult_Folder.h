#pragma once

#include "engine/search/SearchResult.h"

#include <memory>
#include <vector>

namespace Vn
{

// A folder with matches below it.
class SearchResult_Folder : public SearchResult
{
public:
    explicit SearchResult_Folder(const char* name);
    // Releases the subtree without recursing, however deep it is.
    ~SearchResult_Folder() override;

    // Adds the child's count as it stands now, then takes the child.
    void AddResult(std::unique_ptr<SearchResult> result);
    // "src/ (3)": the display name, the separator and the count.
    std::string GetText() const override;

    std::vector<std::unique_ptr<SearchResult>> mResults;
};

// The children of a folder result; null for a file result.
inline const std::vector<std::unique_ptr<SearchResult>>* ChildrenOf(const SearchResult& result)
{
    return result.IsFolder() ? &static_cast<const SearchResult_Folder&>(result).mResults : nullptr;
}
inline std::vector<std::unique_ptr<SearchResult>>* ChildrenOf(SearchResult& result)
{
    return result.IsFolder() ? &static_cast<SearchResult_Folder&>(result).mResults : nullptr;
}

} // namespace Vn
