#pragma once

#include <set>
#include <string>

namespace Vn
{

// What a search looks for: the text, whether case matters, the zones in which a
// match counts and the file types that take part.
class SearchRequest
{
public:
    struct Flags
    {
        bool CaseSensitive : 1 = true;
        bool InCode : 1 = true;
        bool InComment : 1 = true;
        bool InDirective : 1 = true;
        bool InString : 1 = true;
        bool InContent : 1 = true;
    };

    SearchRequest();
    virtual ~SearchRequest();

    void SetText(const char* text);
    // True for every type while the set is empty.
    bool IsFileTypeSelected(const char* type) const;

    // Whether the text occurs at `position`; never reads past a NUL on either side.
    virtual bool Compare(const char* position) const;
    // Whether the text occurs anywhere in the NUL-terminated line. Ignoring case, an
    // empty line never matches, not even the empty text.
    virtual bool Find(const char* line) const;

    std::set<std::string> mFileTypes;
    Flags mFlags;
    std::string mText;
};

} // namespace Vn
