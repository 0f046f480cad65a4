#include "engine/search/SearchRequest.h"

#include <cstring>

namespace Vn
{

namespace
{

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares `length` bytes; a NUL on either side before the end is a mismatch.
bool CompareFolded(const char* position, const char* text, size_t length)
{
    for (size_t i = 0; i < length; i++)
    {
        if (position[i] == '\0' || FoldAscii(position[i]) != FoldAscii(text[i]))
            return false;
    }
    return true;
}

} // namespace

SearchRequest::SearchRequest() = default;

SearchRequest::~SearchRequest() = default;

void SearchRequest::SetText(const char* text)
{
    mText = text;
}

bool SearchRequest::IsFileTypeSelected(const char* type) const
{
    return mFileTypes.empty() || mFileTypes.contains(type);
}

bool SearchRequest::Compare(const char* position) const
{
    if (mFlags.CaseSensitive)
        return std::strncmp(position, mText.c_str(), mText.size()) == 0;
    return CompareFolded(position, mText.c_str(), mText.size());
}

bool SearchRequest::Find(const char* line) const
{
    if (mFlags.CaseSensitive)
        return std::strstr(line, mText.c_str()) != nullptr;

    for (const char* position = line; *position != '\0'; position++)
    {
        if (CompareFolded(position, mText.c_str(), mText.size()))
            return true;
    }
    return false;
}

} // namespace Vn
