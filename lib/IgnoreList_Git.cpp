#include "lib/IgnoreList_Git.h"

#include "lib/Ascii.h"
#include "lib/Path.h"

#include <cstring>
#include <optional>
#include <utility>

namespace TrovLib
{

namespace
{

constexpr size_t NONE = std::string_view::npos;
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr std::string_view ANY_FOLDERS = "**";

// Drops the trailing blanks that no backslash protects.
std::string_view TrimTrailingBlanks(std::string_view line)
{
    size_t end = 0;
    for (size_t at = 0; at < line.size(); at++)
    {
        if (line[at] == '\\')
            end = std::min(++at + 1, line.size());
        else if (line[at] != ' ')
            end = at + 1;
    }
    return line.substr(0, end);
}

// Whether `c` belongs to the named class, in ASCII only as git has it; nullopt for a
// name that is no class.
std::optional<bool> InNamedClass(std::string_view name, unsigned char c)
{
    const bool upper = c >= 'A' && c <= 'Z';
    const bool lower = c >= 'a' && c <= 'z';
    const bool digit = c >= '0' && c <= '9';
    const bool graph = c > ' ' && c < 0x7F;
    const std::pair<std::string_view, bool> classes[] = {
        {"alnum", upper || lower || digit},
        {"alpha", upper || lower},
        {"blank", c == ' ' || c == '\t'},
        {"cntrl", c < ' ' || c == 0x7F},
        {"digit", digit},
        {"graph", graph},
        {"lower", lower},
        {"print", graph || c == ' '},
        {"punct", graph && !upper && !lower && !digit},
        {"space", c == ' ' || c == '\t' || c == '\n' || c == '\r'},
        {"upper", upper},
        {"xdigit", digit || (Ascii::Fold(static_cast<char>(c)) >= 'a' &&
                             Ascii::Fold(static_cast<char>(c)) <= 'f')},
    };
    for (const auto& [className, holds] : classes)
    {
        if (name == className)
            return holds;
    }
    return std::nullopt;
}

// Reads the class that begins after the "[" at `at`: the position after its "]", or NONE
// when it never closes or names an unknown class, which then matches nothing; `holds`
// says whether it takes `c`. A named class such as "[:digit:]" stands among the members.
size_t ReadClass(std::string_view pattern, size_t at, unsigned char c, bool& holds)
{
    const bool negated = at < pattern.size() && (pattern[at] == '!' || pattern[at] == '^');
    if (negated)
        at++;
    bool found = false;
    for (bool first = true; at < pattern.size(); first = false)
    {
        if (pattern[at] == ']' && !first)
        {
            holds = found != negated;
            return at + 1;
        }
        // "[:" opens a named class when a ":]" closes it before any other "]".
        const size_t close =
            pattern.substr(at).starts_with("[:") ? pattern.find(']', at + 2) : NONE;
        if (close != NONE && close >= at + 3 && pattern[close - 1] == ':')
        {
            const std::optional<bool> named =
                InNamedClass(pattern.substr(at + 2, close - 1 - (at + 2)), c);
            if (!named)
                return NONE;
            found = found || *named;
            at = close + 1;
            continue;
        }
        if (pattern[at] == '\\' && ++at == pattern.size())
            return NONE;
        unsigned char low = static_cast<unsigned char>(pattern[at]);
        unsigned char high = low;
        if (at + 2 < pattern.size() && pattern[at + 1] == '-' && pattern[at + 2] != ']')
        {
            at += 2;
            if (pattern[at] == '\\' && ++at == pattern.size())
                return NONE;
            high = static_cast<unsigned char>(pattern[at]);
        }
        found = found || (low <= c && c <= high);
        at++;
    }
    return NONE;
}

// The position after the class that begins after the "[" at `at` when it holds `c`;
// NONE otherwise.
size_t MatchClass(std::string_view pattern, size_t at, unsigned char c)
{
    bool holds = false;
    const size_t end = ReadClass(pattern, at, c, holds);
    return holds ? end : NONE;
}

// The position after the one-character token at `at` when it matches `c`; NONE
// otherwise.
size_t MatchToken(std::string_view pattern, size_t at, unsigned char c)
{
    if (at >= pattern.size())
        return NONE;
    switch (pattern[at])
    {
    case '?':
        return at + 1;
    case '[':
        return MatchClass(pattern, at + 1, c);
    case '\\':
        return at + 1 < pattern.size() && static_cast<unsigned char>(pattern[at + 1]) == c ? at + 2
                                                                                           : NONE;
    default:
        return static_cast<unsigned char>(pattern[at]) == c ? at + 1 : NONE;
    }
}

// The end of the path component that begins at `at`.
size_t ComponentEnd(std::string_view path, size_t at)
{
    const size_t separator = path.find(SEPARATOR, at);
    return separator == NONE ? path.size() : separator;
}

} // namespace

IgnoreList_Git::IgnoreList_Git(const IgnoreList* parent, const char* folder)
    : IgnoreList(parent, folder)
{
}

void IgnoreList_Git::ReadFromText(std::string_view text)
{
    if (text.starts_with(BYTE_ORDER_MARK))
        text.remove_prefix(BYTE_ORDER_MARK.size());
    while (!text.empty())
    {
        const size_t feed = text.find('\n');
        std::string_view line = text.substr(0, feed);
        text.remove_prefix(feed == NONE ? text.size() : feed + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        AddLine(line);
    }
}

void IgnoreList_Git::AddLine(std::string_view line)
{
    if (line.empty() || line.front() == '#')
        return;
    line = TrimTrailingBlanks(line);
    Rule rule{{}, line.starts_with('!'), false, false};
    if (rule.mNegated)
        line.remove_prefix(1);
    rule.mFolderOnly = line.ends_with('/');
    if (rule.mFolderOnly)
        line.remove_suffix(1);
    rule.mAnchored = line.find('/') != NONE;
    if (line.starts_with('/'))
        line.remove_prefix(1);
    if (line.empty())
        return;

    // A run of two stars or more between separators stands for any folders. Before an
    // escaped separator it takes at least one, and at the end, where it stands for what
    // lies inside, at least one component.
    const auto endComponent = [&rule](bool atLeastOne)
    {
        std::string& last = rule.mComponents.back();
        if (last.size() < 2 || last.find_first_not_of('*') != std::string::npos)
            return;
        last = atLeastOne ? "*" : ANY_FOLDERS;
        if (atLeastOne)
            rule.mComponents.emplace_back(ANY_FOLDERS);
    };
    // An escaped separator separates too, since only a separator of the path can match it.
    rule.mComponents.emplace_back();
    for (size_t at = 0; at < line.size(); at++)
    {
        const bool escaped = line[at] == '\\' && at + 1 < line.size();
        if (line[at] == '/' || (escaped && line[at + 1] == '/'))
        {
            endComponent(escaped);
            at += escaped ? 1 : 0;
            rule.mComponents.emplace_back();
            continue;
        }
        // A class is one token, even with a separator among its members.
        bool holds = false;
        const size_t classEnd = line[at] == '[' ? ReadClass(line, at + 1, 0, holds) : NONE;
        const size_t end = classEnd != NONE ? classEnd : at + (escaped ? 2 : 1);
        rule.mComponents.back() += line.substr(at, end - at);
        at = end - 1;
    }
    endComponent(true);
    mRules.push_back(std::move(rule));
}

std::optional<bool> IgnoreList_Git::Decide(const char* path, bool folder) const
{
    const char* below = Below(path);
    if (below == nullptr)
        return std::nullopt;
    const std::string_view subject(below);
    const char* last = std::strrchr(below, SEPARATOR);
    const std::string_view name = last == nullptr ? subject : std::string_view(last + 1);
    for (auto rule = mRules.rbegin(); rule != mRules.rend(); ++rule)
    {
        if (rule->mFolderOnly && !folder)
            continue;
        const bool matches = rule->mAnchored ? MatchComponents(rule->mComponents, subject)
                                             : MatchComponent(rule->mComponents[0], name);
        if (matches)
            return !rule->mNegated;
    }
    return std::nullopt;
}

// Each token but "*" takes exactly one character, so only the last star ever needs to
// take more: whatever an earlier star could absorb, the last one can as well.
bool IgnoreList_Git::MatchComponent(std::string_view pattern, std::string_view text)
{
    size_t at = 0;
    size_t afterStar = NONE;
    size_t retry = 0;
    for (size_t t = 0; t < text.size();)
    {
        if (at < pattern.size() && pattern[at] == '*')
        {
            afterStar = ++at;
            retry = t;
            continue;
        }
        const size_t next = MatchToken(pattern, at, static_cast<unsigned char>(text[t]));
        if (next != NONE)
        {
            at = next;
            t++;
        }
        else if (afterStar != NONE)
        {
            at = afterStar;
            t = ++retry;
        }
        else
        {
            return false;
        }
    }
    while (at < pattern.size() && pattern[at] == '*')
        at++;
    return at == pattern.size();
}

// The same backtracking one level up: a "**" takes any run of components, every other
// component of the rule exactly one of the path.
bool IgnoreList_Git::MatchComponents(const std::vector<std::string>& components,
                                     std::string_view path)
{
    size_t at = 0;
    size_t afterStar = NONE;
    size_t retry = 0;
    for (size_t t = 0; t <= path.size();)
    {
        if (at < components.size() && components[at] == ANY_FOLDERS)
        {
            afterStar = ++at;
            retry = t;
            continue;
        }
        const size_t end = ComponentEnd(path, t);
        if (at < components.size() && MatchComponent(components[at], path.substr(t, end - t)))
        {
            at++;
            t = end + 1;
        }
        else if (afterStar != NONE)
        {
            at = afterStar;
            t = retry = ComponentEnd(path, retry) + 1;
        }
        else
        {
            return false;
        }
    }
    while (at < components.size() && components[at] == ANY_FOLDERS)
        at++;
    return at == components.size();
}

} // namespace TrovLib
