#pragma once

#include <string>
#include <string_view>

namespace TrovLib
{

// printf-style formatting into a std::string: the one place where the project's
// fixed message and display formats become text, so nothing is ever truncated.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text with its control characters escaped ("\n", "\x1b", and the C1 controls of
// UTF-8 as "\xc2\x9b"), so that a name from the tree cannot drive a terminal.
std::string EscapeControls(std::string_view text);

} // namespace TrovLib
