#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Line feeds found 64 bytes at a time, as a mask: the reader splits files into lines this
// way, and detection walks the lines of a file's first bytes.
namespace TrovLib::LineFeeds
{

constexpr size_t BLOCK = 64;

// A bit per line feed among the BLOCK bytes at `bytes`, the first byte in the lowest bit.
inline uint64_t Mask(const char* bytes)
{
    uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i feed = _mm_set1_epi8('\n');
    for (int part = 0; part < 4; part++)
    {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes) + part);
        const auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, feed)));
        mask |= uint64_t{bits} << (16 * part);
    }
#else
    for (size_t i = 0; i < BLOCK; i++)
        mask |= uint64_t{bytes[i] == '\n'} << i;
#endif
    return mask;
}

// The same for the `size` bytes at `bytes`, fewer than BLOCK, which may end a buffer.
inline uint64_t MaskOfLast(const char* bytes, size_t size)
{
    uint64_t mask = 0;
    for (size_t i = 0; i < size; i++)
        mask |= uint64_t{bytes[i] == '\n'} << i;
    return mask;
}

} // namespace TrovLib::LineFeeds
