#include "engine/search/SearchResult_File.h"

#include "lib/Format.h"

#include <cinttypes>
#include <utility>
#include <vector>

namespace Vn
{

// The lines as they come, kept apart from the packed block so that a file searched costs
// its tree no more than its count and its hits.
struct SearchResult_File::Filling
{
    std::vector<PackedHits::Line> mLines;
    std::string mText;
    std::vector<Span> mSpans;
};

SearchResult_File::SearchResult_File(const char* name) : SearchResult(name, false) {}

SearchResult_File::~SearchResult_File() = default;

void SearchResult_File::AddLine(uint64_t line, std::string_view text)
{
    if (!mFilling)
        mFilling = std::make_unique<Filling>();
    mCount++;
    mFilling->mLines.push_back(
        PackedHits::Line{line, mFilling->mText.size(), mFilling->mSpans.size()});
    mFilling->mText += text;
}

void SearchResult_File::AddSpan(size_t offset, size_t length)
{
    mFilling->mSpans.push_back(Span{static_cast<uint32_t>(offset), static_cast<uint32_t>(length)});
}

void SearchResult_File::Pack()
{
    if (!mFilling)
        return;
    mHits = PackedHits(GetDisplayName(), mFilling->mLines, mFilling->mText, mFilling->mSpans);
    mFilling.reset();
}

PackedHits SearchResult_File::TakeHits()
{
    return std::exchange(mHits, {});
}

std::string SearchResult_File::GetText() const
{
    return TrovLib::Format("%s (%" PRIu64 ")", GetDisplayName(), mCount);
}

} // namespace Vn
