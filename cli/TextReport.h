#pragma once

#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Node.h"

#include <ostream>

namespace VarnikCli
{

// The plain-text output of the two commands: trees of lines, indented by two spaces
// per depth, with the texts the window shows.
namespace TextReport
{

// The node's relative name, then its counters as the window's counter tree shows them:
// top-level counters with their own line, children as shares of their parent.
void WriteCounters(std::ostream& out, const Vn::Data_Node& node);

// The result tree: folders, files, and under each file its matching lines, each without
// its line terminator.
void WriteResults(std::ostream& out, const Vn::SearchResult& root);

} // namespace TextReport
} // namespace VarnikCli
