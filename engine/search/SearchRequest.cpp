#include "engine/search/SearchRequest.h"

#include "lib/Ascii.h"

#include <cstring>

namespace Vn
{

using TrovLib::Ascii::EqualFolded;

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
    return EqualFolded(position, mText.c_str(), mText.size());
}

bool SearchRequest::Find(const char* line) const
{
    if (mFlags.CaseSensitive)
        return std::strstr(line, mText.c_str()) != nullptr;

    for (const char* position = line; *position != '\0'; position++)
    {
        if (EqualFolded(position, mText.c_str(), mText.size()))
            return true;
    }
    return false;
}

} // namespace Vn
