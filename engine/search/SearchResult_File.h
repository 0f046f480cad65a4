#pragma once

#include "engine/search/SearchResult.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Vn
{

// A file with matching lines. A search may hold millions of lines, so their texts lie back
// to back in one buffer per file, and their spans in one array per file.
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
        uint64_t mLine; // counted from 1
        // The line's text and spans run from these to the next line's.
        uint64_t mTextBegin;
        uint64_t mFirstSpan;
    };

    explicit SearchResult_File(const char* name);

    // `text` is the line as read, its terminator included.
    void AddLine(uint64_t line, std::string_view text);
    // A match in the line added last; spans come left to right.
    void AddSpan(size_t offset, size_t length);

    const std::vector<Line_Info>& GetLines() const { return mLines; }
    // The text of the line at `index` of GetLines(), its terminator included.
    std::string_view GetLineText(size_t index) const;
    // "Line %llu : %s" for the line at `index`.
    std::string GetLineRow(size_t index) const;
    // The spans of the line at `index`.
    std::span<const Span> GetSpans(size_t index) const;

    // Gives back the room kept for lines to come, once the file is searched.
    void Compact();
    // A file of the same name and count that takes over the lines, so that a reader may
    // keep them while this one stays in its tree with its count alone.
    std::unique_ptr<SearchResult_File> TakeLines();
    // "%s (%llu)": the display name and the count.
    std::string GetText() const override;

private:
    std::vector<Line_Info> mLines;
    std::string mText;
    std::vector<Span> mSpans;
};

} // namespace Vn
