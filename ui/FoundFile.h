#pragma once

#include "engine/search/PackedHits.h"

#include <string>

namespace Varnik
{

// A file that a search found, as the window queues it until it shows: its path, as the
// engine names it, and its lines.
struct FoundFile
{
    std::string mPath;
    Vn::PackedHits mHits;
};

} // namespace Varnik
