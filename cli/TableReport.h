#pragma once

#include "cli/Table.h"
#include "engine/tree/Data_Folder.h"

#include <cstddef>
#include <string>
#include <vector>

namespace VarnikCli
{

// The counters of a scan as a table: one row per file type, per file, or per folder,
// with the files, lines, blank, code, comment and directive lines and the parsing errors;
// or one row per extension or name of the files of no known language, with their files
// and bytes.
namespace TableReport
{

// What --table takes, and the first column of each.
const std::vector<std::string>& Kinds();

// What --sort takes: the columns of every table and of the census.
std::vector<std::string> ColumnNames();

// Rows of the given kind, in the order of the scan: types in the order of their first
// file, files and folders in walk order, folders no deeper than `depth` below the root.
// With `labels`, a table of files ends with a column of their labels. Rows name paths
// below the root, which under several roots are the paths given.
Table Build(const Vn::Data_Folder& root, const std::string& kind, size_t depth,
            bool labels = false);

} // namespace TableReport
} // namespace VarnikCli
