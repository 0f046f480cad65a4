#pragma once

// The text of counter trees, scan trees and search results, for tests that compare
// what a user can read rather than how the engine stores it.

#include "engine/counters/Counter_List.h"
#include "engine/search/SearchResult.h"
#include "engine/tree/Data_Node.h"

#include <string>
#include <string_view>

namespace VarnikTest
{

// One line per counter as the counter view shows it, a child relative to its parent,
// children indented by two blanks. A histogram adds its units and values:
// "File Length (Histogram) lines/files: 3 x1 7 x2".
std::string Describe(const Vn::Counter_List& counters);

// The counters of one node, as above.
std::string DescribeNode(const Vn::Data_Node& node);

// Each node as "node <name>" with its counters indented below it, then its children.
std::string Describe(const Vn::Data_Node& node);

// Each result as "<text> <name>", then a file's lines, indented by depth.
std::string Describe(const Vn::SearchResult& result);

// Appends the counters written in `text`, siblings separated by ", ":
//   "File=2[cpp=1, h=1], Line=9, File Length~3x1 7x2"
// is a count "File" with two child counts, a count "Line", and a histogram of lines per
// files in which 3 occurred once and 7 twice. Throws std::invalid_argument on bad text.
void AddCounters(Vn::Counter_List& counters, std::string_view text);

// The description of the counters written in `text`.
std::string DescribeCounters(std::string_view text);

} // namespace VarnikTest
