#include "engine/search/SearchResult_File.h"

#include "lib/Format.h"

namespace Vn
{

std::string SearchResult_File::Line_Info::GetText() const
{
    return TrovLib::Format("Line %u : %s", mLine, mText.c_str());
}

SearchResult_File::SearchResult_File(const char* name) : SearchResult(name) {}

void SearchResult_File::AddLine(unsigned line, const char* text)
{
    mCount++;
    mLines.push_back(Line_Info{text, line});
}

std::string SearchResult_File::GetText() const
{
    return TrovLib::Format("%s (%u)", GetDisplayName(), mCount);
}

} // namespace Vn
