#pragma once

#include <string>
#include <string_view>

namespace VarnikCli
{

// The text with every byte that is not part of a well-formed UTF-8 sequence replaced
// by U+FFFD. Names and lines are bytes on disk; JSON must be valid UTF-8.
std::string ToValidUtf8(std::string_view text);

bool IsValidUtf8(std::string_view text);

} // namespace VarnikCli
