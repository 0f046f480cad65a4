#pragma once

#include "cli/Output.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Node.h"

namespace VarnikCli
{

// The default text output of the two commands: trees of lines, indented by two spaces
// per depth, with the texts the window shows.
namespace TreeReport
{

// The node's relative name, then its counters as the window's counter tree shows them:
// top-level counters with their own line, children as shares of their parent.
void WriteCounters(Output& out, const Vn::Data_Node& node);

// The result tree: folders, files, and under each file its matching lines, each without
// its line terminator. With `highlight`, the spans of the matches are coloured.
void WriteResults(Output& out, const Vn::SearchResult& root, bool highlight = false);

// A line's text without its LF and a CR before it.
std::string_view WithoutLineEnd(std::string_view text);

} // namespace TreeReport
} // namespace VarnikCli
