#include "engine/search/SearchResult_File.h"

#include "lib/Format.h"

#include <cinttypes>
#include <utility>

namespace Vn
{

SearchResult_File::SearchResult_File(const char* name) : SearchResult(name, false) {}

void SearchResult_File::AddLine(uint64_t line, std::string_view text)
{
    mCount++;
    mLines.push_back(Line_Info{line, mText.size(), mSpans.size()});
    mText += text;
}

void SearchResult_File::AddSpan(size_t offset, size_t length)
{
    mSpans.push_back(Span{static_cast<uint32_t>(offset), static_cast<uint32_t>(length)});
}

std::string_view SearchResult_File::GetLineText(size_t index) const
{
    const size_t end = index + 1 < mLines.size() ? mLines[index + 1].mTextBegin : mText.size();
    const size_t begin = mLines[index].mTextBegin;
    return std::string_view(mText).substr(begin, end - begin);
}

std::string SearchResult_File::GetLineRow(size_t index) const
{
    const std::string_view text = GetLineText(index);
    return TrovLib::Format("Line %" PRIu64 " : %.*s", mLines[index].mLine,
                           static_cast<int>(text.size()), text.data());
}

std::span<const SearchResult_File::Span> SearchResult_File::GetSpans(size_t index) const
{
    const size_t end = index + 1 < mLines.size() ? mLines[index + 1].mFirstSpan : mSpans.size();
    const size_t first = mLines[index].mFirstSpan;
    return std::span<const Span>(mSpans).subspan(first, end - first);
}

void SearchResult_File::Compact()
{
    mLines.shrink_to_fit();
    mText.shrink_to_fit();
    mSpans.shrink_to_fit();
}

std::unique_ptr<SearchResult_File> SearchResult_File::TakeLines()
{
    auto taken = std::make_unique<SearchResult_File>(GetName().c_str());
    taken->mCount = mCount;
    taken->mLines = std::exchange(mLines, {});
    taken->mText = std::exchange(mText, {});
    taken->mSpans = std::exchange(mSpans, {});
    return taken;
}

std::string SearchResult_File::GetText() const
{
    return TrovLib::Format("%s (%" PRIu64 ")", GetDisplayName(), mCount);
}

} // namespace Vn
