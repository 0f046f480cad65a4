#include "ui/HitStore.h"

#include "engine/search/HitsLayout.h"

#include <cstring>

namespace Varnik
{

namespace
{
constexpr size_t CHUNK_SIZE = size_t{1} << 20;
// Larger blocks get a chunk of their own, so that no chunk leaves more than this unused.
constexpr size_t SHARED_MAX = CHUNK_SIZE / 8;
} // namespace

Vn::SearchHits HitStore::Keep(Vn::SearchHits hits)
{
    const std::span<const std::byte> block = hits.GetBlock();
    if (block.empty())
        return {};
    std::byte* copy = nullptr;
    if (block.size() > SHARED_MAX)
        copy = mLarge.emplace_back(std::make_unique_for_overwrite<std::byte[]>(block.size())).get();
    else
        copy = Place(block.size());
    std::memcpy(copy, block.data(), block.size());
    return Vn::SearchHits(copy);
}

std::byte* HitStore::Place(size_t size)
{
    constexpr size_t ALIGNMENT = Vn::HitsLayout::ALIGNMENT;
    size_t at = (mUsed + ALIGNMENT - 1) & ~(ALIGNMENT - 1);
    if (mChunks.empty() || at + size > CHUNK_SIZE)
    {
        mChunks.push_back(std::make_unique_for_overwrite<std::byte[]>(CHUNK_SIZE));
        at = 0;
    }
    mUsed = at + size;
    return mChunks.back().get() + at;
}

} // namespace Varnik
