#pragma once

#include <string>
#include <vector>

namespace TrovLib
{

// Which rules the patterns of ignore files follow.
enum class IgnoreRules
{
    Classic, // the walker's own small set: no negation, no escapes, no character classes
    Git,     // git's rules, as gitignore(5) documents them
};

// How a walk treats ignore files and links. The defaults give the classic walk.
struct WalkOptions
{
    IgnoreRules mIgnoreRules = IgnoreRules::Classic;
    // Whether ignore files are read at all.
    bool mReadIgnoreFiles = true;
    // Patterns that apply as if they stood in an ignore file at the root.
    std::vector<std::string> mExcludes;
    // Whether a link to a regular file counts as a file. Links to folders are never
    // followed.
    bool mFollowFileLinks = true;
};

} // namespace TrovLib
