#include "engine/search/SearchResult_Folder.h"

#include "engine/tree/TreeWalk.h"
#include "lib/Format.h"
#include "lib/Path.h"

#include <cinttypes>

namespace Vn
{

SearchResult_Folder::SearchResult_Folder(const char* name) : SearchResult(name, true) {}

SearchResult_Folder::~SearchResult_Folder()
{
    ReleaseTree(mResults);
}

void SearchResult_Folder::AddResult(std::unique_ptr<SearchResult> result)
{
    mCount += result->GetCount();
    Adopt(*result);
    mResults.push_back(std::move(result));
}

std::string SearchResult_Folder::GetText() const
{
    return TrovLib::Format("%s%c (%" PRIu64 ")", GetDisplayName(), TrovLib::SEPARATOR, mCount);
}

} // namespace Vn
