#pragma once

#include <string_view>

namespace Vn
{

// The one stored copy of every counter name. A large scan holds hundreds of
// thousands of counters but only a few thousand distinct names ("Line", "Code", the
// file types, the macro names tested by "#if"), so each counter keeps a pointer to
// its name here rather than a copy of its own. Names are kept for the life of the
// process; the set is bounded by the distinct names ever counted. Safe to use from
// several threads.
class Counter_Names
{
public:
    // The stored copy of `name`, NUL-terminated; the same pointer for the same text. A
    // name ends at its first NUL byte, as every reader of a counter's name sees it.
    static const char* Intern(std::string_view name);
};

} // namespace Vn
