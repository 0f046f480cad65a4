#pragma once

#include "lib/IgnoreList.h"

#include <string>
#include <string_view>
#include <vector>

namespace TrovLib
{

// An ignore list that reads its lines by git's rules (gitignore(5)) rather than the
// classic ones, and answers the same questions.
//
// The last rule of the innermost list that matches decides, so "!" can re-include what
// an earlier rule or an outer list excluded. Nothing below an excluded folder comes back,
// since the walker never enters it. A rule without a separator (a trailing one aside)
// matches the last component of the path at any depth; any other rule matches the whole
// path below its list's folder, where "*", "?" and classes never match a separator and a
// "**" component matches any run of folders. A trailing "/**" needs at least one
// component below. An escaped separator ("a\/b") is a separator, but a "**" before one
// needs at least one folder.
//
// A rule is kept as its components, and a path is matched component by component with
// the same last-star backtracking as IgnoreList::MatchWildcard, once for "**" over whole
// components and once for "*" within one, so that matching stays close to linear in the
// lengths of the rule and the path.
class IgnoreList_Git : public IgnoreList
{
public:
    IgnoreList_Git(const IgnoreList* parent, const char* folder);

    // Splits at line feeds only: git reads whole lines.
    void ReadFromText(std::string_view text) override;

    // Whether the component pattern matches the whole component: "*", "?", classes such
    // as "[a-z]", "[!x]" and "[[:digit:]]" (the twelve named classes, in ASCII), and "\"
    // making the next character literal.
    static bool MatchComponent(std::string_view pattern, std::string_view text);

protected:
    std::optional<bool> Decide(const char* path, bool folder) const override;

private:
    struct Rule
    {
        std::vector<std::string> mComponents; // a "**" component stands for any folders
        bool mNegated;
        bool mFolderOnly;
        bool mAnchored; // matches the whole path rather than its last component
    };

    void AddLine(std::string_view line);
    static bool MatchComponents(const std::vector<std::string>& components, std::string_view path);

    std::vector<Rule> mRules;
};

} // namespace TrovLib
