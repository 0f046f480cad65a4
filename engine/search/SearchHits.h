#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace Vn
{

// A file's name and matching lines as a search packs them into one block (PackedHits),
// read in place: a search may hold millions of files, so each costs the bytes of its
// lines and little more (see HitsLayout.h). A view: the block must outlive it.
class SearchHits
{
public:
    // Where a match stands in its line's text, in bytes. A line is at most a piece of the
    // line reader, so 32 bits hold both.
    struct Span
    {
        uint32_t mOffset;
        uint32_t mLength;
    };

    // No hits.
    SearchHits() = default;
    explicit SearchHits(const std::byte* block) : mBlock(block) {}

    // The file's own name; empty when there are no hits.
    const char* GetName() const;
    size_t GetLineCount() const;
    uint64_t GetLineNumber(size_t index) const;
    // The text of the line at `index`, its terminator included.
    std::string_view GetLineText(size_t index) const;
    // The spans of the line at `index`, left to right.
    std::span<const Span> GetSpans(size_t index) const;
    // "Line %llu : %s" for the line at `index`.
    std::string GetLineRow(size_t index) const;
    // The whole block, to copy it; empty when there are no hits.
    std::span<const std::byte> GetBlock() const;

private:
    // Field 0 of a line is its number, 1 where its text begins, 2 its first span.
    uint64_t GetField(size_t index, size_t field) const;

    const std::byte* mBlock = nullptr;
};

} // namespace Vn
