// Git's rules against a plain recursive reading of them. For one path component: "*" any
// run of bytes, "?" one byte, "\" makes the next byte literal, and a class ("[a-z]",
// "[!x]" or "[^x]", a "]" first being literal, "[:digit:]" and the other named classes
// of ASCII among its members) one byte it holds or, negated, does not. A class that never
// closes, or names an unknown class, matches nothing. For a whole rule over a path, see
// RuleMatchesByTheRule.

#include "Fuzz.h"
#include "lib/IgnoreList_Git.h"

#include <cctype>
#include <optional>
#include <utility>

namespace
{

// The next byte of a class, unescaped, at `at`; false when the class ends without one.
bool ClassByte(std::string_view p, size_t& at, unsigned char& byte)
{
    if (p[at] == '\\' && ++at == p.size())
        return false;
    byte = static_cast<unsigned char>(p[at]);
    return true;
}

// Whether `c` is in the named class: -1 for an unknown name.
int InNamedClass(std::string_view name, unsigned char c)
{
    const std::pair<std::string_view, int (*)(int)> classes[] = {
        {"alnum", isalnum}, {"alpha", isalpha}, {"blank", isblank}, {"cntrl", iscntrl},
        {"digit", isdigit}, {"graph", isgraph}, {"lower", islower}, {"print", isprint},
        {"punct", ispunct}, {"space", isspace}, {"upper", isupper}, {"xdigit", isxdigit}};
    for (const auto& [className, holds] : classes)
    {
        // Git's spaces leave out the vertical tab and the form feed.
        if (name == className)
            return c < 0x80 && holds(c) != 0 && c != '\v' && c != '\f';
    }
    return -1;
}

// The length of the class that follows a "[" when it takes `c`; 0 when not, or unclosed.
size_t ClassTakes(std::string_view p, unsigned char c)
{
    const size_t first = p.starts_with('!') || p.starts_with('^') ? 1 : 0;
    bool found = false;
    unsigned char low = 0, high = 0;
    for (size_t at = first; at < p.size(); at++)
    {
        if (p[at] == ']' && at > first)
            return found != (first == 1) ? at + 1 : 0;
        const size_t close = p.find(":]", at + 2);
        if (p.substr(at).starts_with("[:") && close != std::string_view::npos &&
            p.find(']', at + 2) == close + 1)
        {
            const int in = InNamedClass(p.substr(at + 2, close - at - 2), c);
            if (in < 0)
                return 0;
            found = found || in == 1;
            at = close + 1;
            continue;
        }
        if (!ClassByte(p, at, low))
            return 0;
        high = low;
        const bool range = at + 2 < p.size() && p[at + 1] == '-' && p[at + 2] != ']';
        if (range && !ClassByte(p, at += 2, high))
            return 0;
        found = found || (low <= c && c <= high);
    }
    return 0;
}

// The length of the one-byte token at the front of the pattern when it takes `c`, else 0.
size_t TokenTakes(std::string_view p, unsigned char c)
{
    if (p[0] == '?')
        return 1;
    if (p[0] == '[')
    {
        const size_t length = ClassTakes(p.substr(1), c);
        return length == 0 ? 0 : length + 1;
    }
    const size_t escaped = p[0] == '\\' ? 1 : 0;
    return escaped < p.size() && static_cast<unsigned char>(p[escaped]) == c ? escaped + 1 : 0;
}

bool MatchesByTheRule(std::string_view p, std::string_view text)
{
    if (p.empty())
        return text.empty();
    if (p[0] == '*')
        return MatchesByTheRule(p.substr(1), text) ||
               (!text.empty() && MatchesByTheRule(p, text.substr(1)));
    const size_t taken = text.empty() ? 0 : TokenTakes(p, static_cast<unsigned char>(text[0]));
    return taken != 0 && MatchesByTheRule(p.substr(taken), text.substr(1));
}

// A whole rule over a path: a "**" after a separator or at the start, and before one or
// at the end, takes any run of bytes, and before a plain separator also that separator;
// "*", "?" and classes never take a separator, and "\/" is one.
bool PathMatchesByTheRule(std::string_view p, size_t at, std::string_view text)
{
    if (at == p.size())
        return text.empty();
    size_t stars = at;
    while (stars < p.size() && p[stars] == '*')
        stars++;
    const std::string_view after = p.substr(stars);
    if (stars - at >= 2 && (at == 0 || p[at - 1] == '/') &&
        (after.empty() || after.starts_with('/') || after.starts_with("\\/")))
    {
        if (after.starts_with('/') && PathMatchesByTheRule(p, stars + 1, text))
            return true;
        for (size_t taken = 0; taken <= text.size(); taken++)
        {
            if (PathMatchesByTheRule(p, stars, text.substr(taken)))
                return true;
        }
        return false;
    }
    if (p[at] == '*')
        return PathMatchesByTheRule(p, at + 1, text) ||
               (!text.empty() && text[0] != '/' && PathMatchesByTheRule(p, at, text.substr(1)));
    if (text.empty() || (text[0] == '/' && p[at] != '/' && p[at] != '\\'))
        return false;
    const size_t taken = TokenTakes(p.substr(at), static_cast<unsigned char>(text[0]));
    return taken != 0 && PathMatchesByTheRule(p, at + taken, text.substr(1));
}

// A rule with a separator matches the whole path, its leading separator dropped; one
// without matches the last component. Only lines that are a plain rule are asked about.
std::optional<bool> RuleMatchesByTheRule(std::string_view rule, std::string_view path)
{
    const bool plainPath = !path.empty() && !path.starts_with('/') && !path.ends_with('/') &&
                           path.find("//") == std::string_view::npos;
    const bool plainRule = !rule.starts_with('!') && !rule.starts_with('#') &&
                           !rule.starts_with("\xEF\xBB\xBF") && !rule.ends_with(' ') &&
                           !rule.ends_with('/') &&
                           rule.find_first_of("\n\r") == std::string_view::npos;
    if (!plainPath || !plainRule || path.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (rule.find('/') == std::string_view::npos)
        return PathMatchesByTheRule(rule, 0, path.substr(path.rfind('/') + 1));
    return PathMatchesByTheRule(rule.substr(rule.starts_with('/') ? 1 : 0), 0, path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VarnikFuzz::Input input(data, size);
    // Short enough for the recursive rule to stay fast on runs of stars.
    const std::string pattern = input.Take(input.Byte() % 12);
    const std::string text = input.Take(16);
    VarnikFuzz::Require(TrovLib::IgnoreList_Git::MatchComponent(pattern, text) ==
                            MatchesByTheRule(pattern, text),
                        "a component matches by git's rules");
    if (const std::optional<bool> matches = RuleMatchesByTheRule(pattern, text))
    {
        TrovLib::IgnoreList_Git list(nullptr, nullptr);
        list.ReadFromText(pattern);
        VarnikFuzz::Require(list.IsFileIgnored(text.c_str()) == *matches,
                            "a rule matches a path by git's rules");
    }
    return 0;
}
