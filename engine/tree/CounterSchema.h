#pragma once

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_List.h"
#include "engine/tree/Data_Node.h"

#include <cstdint>
#include <string_view>

// The names of the counters that the parsers write and every report reads, and readers
// for the questions the reports ask. A node's counters are, in this order: "File" holding
// one count per type; "Line" holding "Blank", "Code" and "Comment"; per type a count of
// its lines with the same three children, where "Code" may hold "Directive"; "#if"
// holding one count per name tested; "Parsing Error"; and the "File Length" histogram.
// Under --languages the root also holds a group per label of the files labelled so
// ("Generated", "Vendored"...), with their "File", "Line" and "Skipped".
// Readers take the names from here, so that a renamed counter cannot empty a column
// silently.
namespace Vn::Schema
{

inline constexpr char NAME_FILE[] = "File";
inline constexpr char NAME_LINE[] = "Line";
inline constexpr char NAME_BLANK[] = "Blank";
inline constexpr char NAME_CODE[] = "Code";
inline constexpr char NAME_COMMENT[] = "Comment";
inline constexpr char NAME_DIRECTIVE[] = "Directive";
inline constexpr char NAME_CONDITIONS[] = "#if";
inline constexpr char NAME_PARSING_ERROR[] = "Parsing Error";
// Under "Parsing Error": the file could not be opened or read.
inline constexpr char NAME_OPEN_ERROR[] = "File Open Error";
inline constexpr char NAME_FILE_LENGTH[] = "File Length";
// Under a label's group at the root: the labelled files left out of the counts.
inline constexpr char NAME_SKIPPED[] = "Skipped";
// The type of a file that no parser or language claimed.
inline constexpr char NAME_UNKNOWN[] = "Unknown";

// The count named `name` in `counters`, or null.
const Counter_Count* FindCount(const Counter_List& counters, const char* name);
// Its value, 0 when there is none.
uint64_t CountOf(const Counter_List& counters, const char* name);

// What the tables show of a node. Directive lines are also counted as code.
struct Totals
{
    uint64_t mFiles = 0, mLines = 0, mBlank = 0, mCode = 0, mComment = 0, mDirective = 0,
             mErrors = 0;

    Totals& operator+=(const Totals& other);
};

Totals TotalsOf(const Counter_List& counters);
// The same of a node; a file's are read from its counts.
Totals TotalsOf(const Data_Node& node);

// The type of a file node: the one child of its "File" count; empty for a folder.
std::string_view TypeOf(const Data_Node& file);

} // namespace Vn::Schema
