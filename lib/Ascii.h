#pragma once

#include <cstddef>

// The byte rules that the parsers, the search and the ignore lists must agree on: only the
// 26 ASCII letters have a case, and a blank is a space, a tab, a line feed or a carriage
// return. Bytes above 127 are neither letters nor blanks, and no locale changes that.
namespace TrovLib::Ascii
{

constexpr bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char OtherCase(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    return c;
}

constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whether the `length` bytes at `text` equal those of `word` without regard to case. A NUL
// in `text` before the end is a mismatch, so nothing past the end of a line is read.
constexpr bool EqualFolded(const char* text, const char* word, size_t length)
{
    for (size_t i = 0; i < length; i++)
    {
        if (text[i] == '\0' || Fold(text[i]) != Fold(word[i]))
            return false;
    }
    return true;
}

} // namespace TrovLib::Ascii
