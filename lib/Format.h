#pragma once

#include <string>

namespace TrovLib
{

// printf-style formatting into a std::string: the one place where the project's
// fixed message and display formats become text, so nothing is ever truncated.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace TrovLib
