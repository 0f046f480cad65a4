#pragma once

#include <cstdint>

namespace Vn
{

// How far a pass has come, as the folder parser reports it to its progress callback.
struct Progress
{
    uint64_t mFolders = 0; // walked
    uint64_t mFiles = 0;   // parsed or searched
    uint64_t mBytes = 0;   // in those files
    uint64_t mHits = 0;    // lines matched, in a search
};

} // namespace Vn
