#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Vn::HitsLayout
{

// The block of a file's hits: a header of four words (the width in its first byte, then
// the lines, the spans and the size of the text), three words per line (its number, where
// its text begins, its first span), the spans, the texts back to back, and the file's
// own name with a NUL. A word is 32 bits, or 64 in a block whose values need them.
constexpr size_t HEADER_WORDS = 4;
constexpr size_t LINE_WORDS = 3;
constexpr size_t SPAN_SIZE = 8;
// Blocks are placed at multiples of this, so that a word is read where it is aligned.
constexpr size_t ALIGNMENT = 8;

inline uint64_t Load(const std::byte* at, bool wide)
{
    if (wide)
    {
        uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
    uint32_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

inline void Store(std::byte* at, bool wide, uint64_t value)
{
    if (wide)
        std::memcpy(at, &value, sizeof value);
    else
    {
        const auto word = static_cast<uint32_t>(value);
        std::memcpy(at, &word, sizeof word);
    }
}

// Where the parts of a block begin, from its counts and width.
struct Shape
{
    bool mWide = false;
    uint64_t mLines = 0;
    uint64_t mSpans = 0;
    uint64_t mTextSize = 0;

    // The shape of the block at `block`.
    static Shape Of(const std::byte* block)
    {
        const bool wide = block[0] != std::byte{0};
        const size_t word = wide ? sizeof(uint64_t) : sizeof(uint32_t);
        return Shape{wide, Load(block + word, wide), Load(block + 2 * word, wide),
                     Load(block + 3 * word, wide)};
    }
    size_t Word() const { return mWide ? sizeof(uint64_t) : sizeof(uint32_t); }
    size_t LineArea() const { return HEADER_WORDS * Word(); }
    size_t SpanArea() const { return LineArea() + LINE_WORDS * Word() * mLines; }
    size_t TextArea() const { return SpanArea() + SPAN_SIZE * mSpans; }
    size_t NameArea() const { return TextArea() + mTextSize; }
};

} // namespace Vn::HitsLayout
