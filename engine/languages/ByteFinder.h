#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Vn
{

// Finds the first byte of a set in a text: where code may open something, where a string or
// a comment may close. The machine passes over most of a file's bytes this way, so a set of
// up to MAX_VECTOR bytes is compared 16 bytes at a time; a larger one, and the few bytes
// left at the end of a text, go through a table byte by byte.
class ByteFinder
{
public:
    static constexpr size_t MAX_VECTOR = 16;

    void Add(char c);
    bool Has(char c) const { return mTable[static_cast<unsigned char>(c)]; }
    // The first byte of the set in [p, end), or `end`. The bytes from `floor` to `p` may be
    // read too (not searched), so that the last bytes before `end` are compared 16 at once.
    const char* Find(const char* p, const char* end, const char* floor) const;

private:
    // Each byte of the set repeated 16 times, padded with copies of the first, in groups of 4.
    template <size_t N>
    const char* FindVector(const char* p, const char* end, const char* floor) const;
    const char* FindTable(const char* p, const char* end) const;

    std::array<bool, 256> mTable{};
    alignas(16) std::array<std::array<uint8_t, 16>, MAX_VECTOR> mRepeated{};
    size_t mCount = 0;
};

} // namespace Vn
