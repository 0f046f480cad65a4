#pragma once

#include "engine/search/SearchHits.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace Vn
{

// Owns the block of a file's hits, packed once the file is searched.
class PackedHits
{
public:
    // A line as a search gathers it before the file is packed.
    struct Line
    {
        uint64_t mNumber; // counted from 1
        // The line's text and spans run from these to the next line's.
        uint64_t mTextBegin;
        uint64_t mFirstSpan;
    };

    // No hits.
    PackedHits() = default;
    // `text` holds the lines' texts back to back, `spans` those of all lines.
    PackedHits(std::string_view name, std::span<const Line> lines, std::string_view text,
               std::span<const SearchHits::Span> spans);

    SearchHits Get() const { return SearchHits(mBlock.get()); }

private:
    std::unique_ptr<std::byte[]> mBlock;
};

} // namespace Vn
