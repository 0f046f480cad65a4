#include "engine/search/SearchResult_Folder.h"

#include "lib/Format.h"
#include "lib/Path.h"
#include "lib/ReleaseTree.h"

#include <cinttypes>

namespace Vn
{

SearchResult_Folder::SearchResult_Folder(const char* name) : SearchResult(name) {}

SearchResult_Folder::~SearchResult_Folder()
{
    TrovLib::ReleaseTree(mResults,
                         [](SearchResult& result)
                         {
                             auto* folder = dynamic_cast<SearchResult_Folder*>(&result);
                             return folder != nullptr ? &folder->mResults : nullptr;
                         });
}

void SearchResult_Folder::AddResult(std::unique_ptr<SearchResult> result)
{
    mCount += result->GetCount();
    mResults.push_back(std::move(result));
}

std::string SearchResult_Folder::GetText() const
{
    return TrovLib::Format("%s%c (%" PRIu64 ")", GetDisplayName(), TrovLib::SEPARATOR, mCount);
}

} // namespace Vn
