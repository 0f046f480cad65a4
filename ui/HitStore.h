#pragma once

#include "engine/search/SearchHits.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Varnik
{

// Copies of files' hits, back to back in large chunks. A search may show millions of
// files of a few hundred bytes each: kept in blocks of their own, each would cost its
// allocation's overhead too, and would lie among the engine's nodes freed when the search
// ends, whose holes the system cannot take back. Freed whole, with the store.
class HitStore
{
public:
    // A copy of `hits` that lives as long as the store.
    Vn::SearchHits Keep(Vn::SearchHits hits);

private:
    // Room for a block in the chunk being filled, or in a new one once it is full.
    std::byte* Place(size_t size);

    std::vector<std::unique_ptr<std::byte[]>> mChunks; // the last one is being filled
    size_t mUsed = 0;                                  // of the last chunk
    // Blocks too large to share a chunk, each in one of its own.
    std::vector<std::unique_ptr<std::byte[]>> mLarge;
};

} // namespace Varnik
