#pragma once

#include "engine/search/SearchRequest.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Vn
{

// Looks for a request's text in a run of bytes as read from a file, many lines at once,
// so that the parsers can pass over the lines that cannot hold it.
//
// The finder knows bytes, not lines: it reports where the text stands, compared as the
// request compares (byte for byte, or with ASCII letters folded), whatever line ends or
// NUL bytes lie around it. The line rules (a piece ends the text, so does a NUL) stay
// with the request's Find and MatchesAt, which the parsers still ask on every line the
// finder points into. So the finder may point at a place that does not match in the
// end, but it never passes over one that does.
//
// A regular expression is looked for over all the bytes at once too, as RE2 reads them
// with "^" and "$" at each line and never across a line feed: a line that matches on its
// own matches there as well, unless the expression asserts something of the bytes around
// a place and the line is not what its parser sees, as where a NUL ends it or where a
// line longer than a piece is cut. The finder then points at such a line as well. An
// expression that needs each line on its own (see SearchRequest::ManyLines) may match
// anywhere, so for one the finder points at every place.
class TextFinder
{
public:
    static constexpr size_t NONE = SIZE_MAX;

    // Keeps a view of the request's text: the request must outlive the finder and keep
    // its text unchanged.
    explicit TextFinder(const SearchRequest& request);

    // The offset of the first place in the `size` bytes at `bytes` where the text
    // stands, or NONE. The empty text stands everywhere, so it is found at 0.
    size_t Find(const char* bytes, size_t size) const;

private:
    bool StandsAt(const char* bytes) const;
    size_t FindRegex(const char* bytes, size_t size) const;

    std::string_view mText; // up to a NUL, which no line can hold
    bool mIgnoreCase;
    bool mAnywhere;
    SearchRequest::ManyLines mRegex;
    // The first and the last byte of the text, each with the bit that folding clears
    // from an ASCII letter (0x20) when case is ignored, or no bit; the bytes of the
    // file get the same bit before they are compared.
    uint8_t mFirst, mFirstFold;
    uint8_t mLast, mLastFold;
};

} // namespace Vn
