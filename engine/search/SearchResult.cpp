#include "engine/search/SearchResult.h"

#include "lib/Path.h"

namespace Vn
{

SearchResult::SearchResult(const char* name) : mName(name) {}

SearchResult::~SearchResult() = default;

uint64_t SearchResult::GetCount() const
{
    return mCount;
}

const char* SearchResult::GetDisplayName() const
{
    const auto separator = mName.rfind(TrovLib::SEPARATOR);
    return separator == std::string::npos ? mName.c_str() : mName.c_str() + separator + 1;
}

} // namespace Vn
