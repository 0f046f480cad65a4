#pragma once

#include "engine/search/SearchRequest.h"

namespace Vn
{

// A kind of text in which a match of a search counts, with its names: the word that the
// command line takes, the text of the window's check box and the help that the manuals
// give.
struct SearchZone
{
    const char* mName; // "code"
    const char* mCheckText;
    const char* mHelp;
    bool (*mIsOn)(const SearchRequest::Flags&);
    void (*mSet)(SearchRequest::Flags&, bool on);
};

// The zones in the order in which the window shows them and the command line lists them.
inline constexpr SearchZone SEARCH_ZONES[] = {
    {"code", "Search in code", "A match that begins in code counts",
     [](const SearchRequest::Flags& flags) { return flags.InCode; },
     [](SearchRequest::Flags& flags, bool on) { flags.InCode = on; }},
    {"comment", "Search in comment", "A match that begins in a comment counts",
     [](const SearchRequest::Flags& flags) { return flags.InComment; },
     [](SearchRequest::Flags& flags, bool on) { flags.InComment = on; }},
    {"directive", "Search in directive", "A match that begins in a preprocessor directive counts",
     [](const SearchRequest::Flags& flags) { return flags.InDirective; },
     [](SearchRequest::Flags& flags, bool on) { flags.InDirective = on; }},
    {"string", "Search in string", "A match that begins in a string literal counts",
     [](const SearchRequest::Flags& flags) { return flags.InString; },
     [](SearchRequest::Flags& flags, bool on) { flags.InString = on; }},
};

} // namespace Vn
