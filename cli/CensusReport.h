#pragma once

#include "cli/Table.h"
#include "engine/tree/Data_Folder.h"

#include <cstdint>

namespace VarnikCli
{

// The names that "#if", "#ifdef" and "#ifndef" test across a scan, ranked: the most
// tested first (ties in name order), each with its count and its share of all tests.
namespace CensusReport
{

// Names tested fewer than `minCount` times are left out.
Table Build(const Vn::Data_Folder& root, uint64_t minCount);

} // namespace CensusReport
} // namespace VarnikCli
