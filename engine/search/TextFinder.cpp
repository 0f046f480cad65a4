#include "engine/search/TextFinder.h"

#include "engine/parsers/LineReader.h"
#include "lib/Ascii.h"

#include <re2/re2.h>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Vn
{

namespace
{

// A letter is compared with the bit 0x20 set on both sides: that makes its two cases
// equal and nothing else equal to them.
uint8_t FoldBit(char c)
{
    return TrovLib::Ascii::IsLetter(c) ? 0x20 : 0;
}

// The first place before `limit` where a parser sees a line otherwise than the bytes
// show it: a NUL, which ends the line it sees, or the start of a line longer than the
// shortest piece a reader cuts, or NONE. A line is that long when a piece's length of
// bytes from its start holds no line feed, so the look goes a piece at a time, from the
// last line feed of one piece to the next.
size_t FirstOddLine(const char* bytes, size_t limit, size_t size)
{
    const auto* nul = static_cast<const char*>(std::memchr(bytes, '\0', limit));
    const size_t end = nul == nullptr ? limit : static_cast<size_t>(nul - bytes);
    constexpr size_t PIECE = LineReader::MAX_PIECE;
    for (size_t line = 0; line < end && size - line >= PIECE;)
    {
        const auto* feed = static_cast<const char*>(memrchr(bytes + line, '\n', PIECE));
        if (feed == nullptr)
            return line;
        line = static_cast<size_t>(feed - bytes) + 1;
    }
    return nul == nullptr ? TextFinder::NONE : end;
}

} // namespace

TextFinder::TextFinder(const SearchRequest& request)
    : mText(request.mText.c_str()), mIgnoreCase(!request.mFlags.CaseSensitive),
      mAnywhere(request.mFlags.Regex && request.GetRegex_ManyLines().mRegex == nullptr),
      mRegex(request.GetRegex_ManyLines()), mFirst(0), mFirstFold(0), mLast(0), mLastFold(0)
{
    if (mText.empty())
        return;
    if (mIgnoreCase)
    {
        mFirstFold = FoldBit(mText.front());
        mLastFold = FoldBit(mText.back());
    }
    mFirst = static_cast<uint8_t>(mText.front() | mFirstFold);
    mLast = static_cast<uint8_t>(mText.back() | mLastFold);
}

// Tests 16 places at once for the first and the last byte of the text, and compares
// the whole text only where both stand.
size_t TextFinder::Find(const char* bytes, size_t size) const
{
    if (mText.empty() || mAnywhere)
        return 0;
    if (mRegex.mRegex != nullptr)
        return FindRegex(bytes, size);
    if (mText.size() > size)
        return NONE;
    const size_t places = size - mText.size() + 1;
    const size_t last = mText.size() - 1;
    size_t at = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(static_cast<char>(mFirst));
    const __m128i firstFold = _mm_set1_epi8(static_cast<char>(mFirstFold));
    const __m128i lastByte = _mm_set1_epi8(static_cast<char>(mLast));
    const __m128i lastFold = _mm_set1_epi8(static_cast<char>(mLastFold));
    for (; at + 16 <= places; at += 16)
    {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + last));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(starts, firstFold), first),
                                           _mm_cmpeq_epi8(_mm_or_si128(ends, lastFold), lastByte));
        for (unsigned mask = _mm_movemask_epi8(both); mask != 0; mask &= mask - 1)
        {
            const size_t place = at + __builtin_ctz(mask);
            if (StandsAt(bytes + place))
                return place;
        }
    }
#endif
    for (; at < places; at++)
    {
        if (StandsAt(bytes + at))
            return at;
    }
    return NONE;
}

// An empty match may begin after the last byte, as "$" does at the end of a last line
// without a line feed: the place found is then that line's last byte.
size_t TextFinder::FindRegex(const char* bytes, size_t size) const
{
    re2::StringPiece match;
    const size_t found =
        mRegex.mRegex->Match({bytes, size}, 0, size, re2::RE2::UNANCHORED, &match, 1)
            ? std::min(static_cast<size_t>(match.data() - bytes), size - 1)
            : NONE;
    return mRegex.mAsserts ? std::min(found, FirstOddLine(bytes, std::min(found, size), size))
                           : found;
}

bool TextFinder::StandsAt(const char* bytes) const
{
    if (!mIgnoreCase)
        return std::memcmp(bytes, mText.data(), mText.size()) == 0;
    for (size_t i = 0; i < mText.size(); i++)
    {
        const uint8_t fold = FoldBit(mText[i]);
        if ((static_cast<uint8_t>(bytes[i]) | fold) != (static_cast<uint8_t>(mText[i]) | fold))
            return false;
    }
    return true;
}

} // namespace Vn
