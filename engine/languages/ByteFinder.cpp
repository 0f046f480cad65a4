#include "engine/languages/ByteFinder.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Vn
{

void ByteFinder::Add(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (mTable[byte])
        return;
    mTable[byte] = true;
    if (mCount < MAX_VECTOR)
        mRepeated[mCount].fill(byte);
    mCount++;
    // The unused compares of a group look for the first byte again.
    for (size_t i = mCount; i < MAX_VECTOR; i++)
        mRepeated[i] = mRepeated[0];
}

const char* ByteFinder::Find(const char* p, const char* end, const char* floor) const
{
#if defined(__SSE2__)
    if (mCount == 0)
        return end;
    if (mCount <= 4)
        return FindVector<4>(p, end, floor);
    if (mCount <= 8)
        return FindVector<8>(p, end, floor);
    if (mCount <= MAX_VECTOR)
        return FindVector<MAX_VECTOR>(p, end, floor);
#endif
    return FindTable(p, end);
}

template <size_t N>
const char* ByteFinder::FindVector(const char* p, const char* end, const char* floor) const
{
#if defined(__SSE2__)
    const auto hits = [this](const char* at)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        __m128i found = _mm_setzero_si128();
        for (size_t i = 0; i < N; i++)
        {
            const __m128i repeated =
                _mm_load_si128(reinterpret_cast<const __m128i*>(&mRepeated[i]));
            found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, repeated));
        }
        return static_cast<uint32_t>(_mm_movemask_epi8(found));
    };
    for (; end - p >= 16; p += 16)
    {
        if (const uint32_t mask = hits(p); mask != 0)
            return p + std::countr_zero(mask);
    }
    // The last 16 bytes, less those before `p`.
    if (p < end && end - floor >= 16)
    {
        const uint32_t mask = hits(end - 16) >> (16 - (end - p));
        return mask != 0 ? p + std::countr_zero(mask) : end;
    }
#endif
    return FindTable(p, end);
}

const char* ByteFinder::FindTable(const char* p, const char* end) const
{
    while (p < end && !mTable[static_cast<unsigned char>(*p)])
        p++;
    return p;
}

} // namespace Vn
