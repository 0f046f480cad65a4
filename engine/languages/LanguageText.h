#pragma once

#include <string>
#include <string_view>
#include <vector>

// The small text rules of the language files: blanks, case folding, the %XX escapes of
// tokens, and the distance that suggests a near name.
namespace Vn::Text
{

constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

constexpr bool IsWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view Trim(std::string_view text);
// Splits at runs of blanks, or at each `separator` when given; no empty parts.
std::vector<std::string_view> Split(std::string_view text, char separator = ' ');
// ASCII letters in lower case.
std::string Folded(std::string_view text);
// The bytes a token stands for: %20 is a space, %XX any byte. Empty on a bad escape.
bool Decode(std::string_view token, std::string& bytes);
size_t EditDistance(std::string_view a, std::string_view b);

} // namespace Vn::Text
