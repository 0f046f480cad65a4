#pragma once

#include <string>
#include <vector>

namespace Vn
{

class LanguageTable;

// The checks a reviewer would make of a language table that its loader cannot: every row
// cites its reference and has strings beside its comments, no token opens a comment and a
// string at once, each pair lexes as a pair, and no extension or interpreter is claimed
// twice outside a group. One line per fault, "id: what is wrong"; none for a sound table.
std::vector<std::string> LintLanguages(const LanguageTable& table);

} // namespace Vn
