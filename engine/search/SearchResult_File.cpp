#include "engine/search/SearchResult_File.h"

#include "lib/Format.h"

#include <cinttypes>

namespace Vn
{

std::string SearchResult_File::Line_Info::GetText() const
{
    return TrovLib::Format("Line %" PRIu64 " : %s", mLine, mText.c_str());
}

SearchResult_File::SearchResult_File(const char* name) : SearchResult(name, false) {}

void SearchResult_File::AddLine(uint64_t line, const char* text)
{
    mCount++;
    mLines.push_back(Line_Info{text, line});
}

std::string SearchResult_File::GetText() const
{
    return TrovLib::Format("%s (%" PRIu64 ")", GetDisplayName(), mCount);
}

} // namespace Vn
