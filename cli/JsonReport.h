#pragma once

#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <ostream>

namespace VarnikCli
{

// The JSON output of the two commands, one line written while walking the answer. Keys
// keep the order in which they are written, and every name and line text is made valid
// UTF-8.
namespace JsonReport
{

// {"root": NODE}: every node with its counters, folders with their children.
void WriteScan(std::ostream& out, const Vn::Data_Folder& root);

// {"root": RESULT}, or {"root": null} when nothing matched.
void WriteSearch(std::ostream& out, const Vn::SearchResult_Folder* root);

} // namespace JsonReport
} // namespace VarnikCli
