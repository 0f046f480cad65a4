#pragma once

#include "engine/search/SearchResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Vn
{

// A file with matching lines.
class SearchResult_File : public SearchResult
{
public:
    // Where a match stands in its line's text, in bytes. A line is at most a piece of the
    // line reader, so 32 bits hold both.
    struct Span
    {
        uint32_t mOffset;
        uint32_t mLength;
    };

    struct Line_Info
    {
        std::string mText; // the line as read, its terminator included
        uint64_t mLine;    // counted from 1
        // The line's spans are the file's from this one to the next line's first.
        uint64_t mFirstSpan;

        // "Line %llu : %s"
        std::string GetText() const;
    };

    explicit SearchResult_File(const char* name);

    void AddLine(uint64_t line, const char* text);
    // A match in the line added last; spans come left to right.
    void AddSpan(size_t offset, size_t length);
    // The spans of the line at `index` of mLines.
    std::span<const Span> GetSpans(size_t index) const;
    // Gives back the room kept for lines to come, once the file is searched: the results
    // of a search may hold millions of lines.
    void Compact();
    // "%s (%llu)": the display name and the count.
    std::string GetText() const override;

    std::vector<Line_Info> mLines;

private:
    // Those of every line, in one array per file rather than one per line, since a
    // search may hold millions of lines.
    std::vector<Span> mSpans;
};

} // namespace Vn
