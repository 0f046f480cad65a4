#pragma once

#include "engine/tree/Data_Folder.h"

#include <memory>
#include <string>

namespace VarnikCli
{

// Reads back the tree that `scan --json` wrote: every node with its counts. Histograms
// are left out. Throws std::runtime_error, naming the file, for anything else.
std::unique_ptr<Vn::Data_Folder> ReadScanJson(const std::string& path);

} // namespace VarnikCli
