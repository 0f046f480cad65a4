#include "engine/search/PackedHits.h"

#include "engine/search/HitsLayout.h"

#include <cstring>
#include <limits>

namespace Vn
{

using HitsLayout::Store;

// The fields take 32 bits unless a count or a line number of the file needs more; text
// and span starts grow with the lines, so the counts bound them.
PackedHits::PackedHits(std::string_view name, std::span<const Line> lines, std::string_view text,
                       std::span<const SearchHits::Span> spans)
{
    if (lines.empty())
        return;
    constexpr uint64_t NARROW_MAX = std::numeric_limits<uint32_t>::max();
    HitsLayout::Shape shape{false, lines.size(), spans.size(), text.size()};
    shape.mWide = shape.mLines > NARROW_MAX || shape.mSpans > NARROW_MAX ||
                  shape.mTextSize > NARROW_MAX || lines.back().mNumber > NARROW_MAX;
    const size_t size = shape.NameArea() + name.size() + 1;
    mBlock = std::make_unique_for_overwrite<std::byte[]>(size);
    std::byte* block = mBlock.get();
    const size_t word = shape.Word();
    Store(block, shape.mWide, 0);
    block[0] = std::byte{shape.mWide};
    Store(block + word, shape.mWide, shape.mLines);
    Store(block + 2 * word, shape.mWide, shape.mSpans);
    Store(block + 3 * word, shape.mWide, shape.mTextSize);
    std::byte* field = block + shape.LineArea();
    for (const Line& line : lines)
    {
        for (const uint64_t value : {line.mNumber, line.mTextBegin, line.mFirstSpan})
        {
            Store(field, shape.mWide, value);
            field += word;
        }
    }
    if (!spans.empty())
        std::memcpy(block + shape.SpanArea(), spans.data(), spans.size_bytes());
    if (!text.empty())
        std::memcpy(block + shape.TextArea(), text.data(), text.size());
    std::memcpy(block + shape.NameArea(), name.data(), name.size());
    block[size - 1] = std::byte{0};
}

} // namespace Vn
