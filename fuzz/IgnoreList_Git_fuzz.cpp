// Git's rules for one path component against a plain recursive reading of them: "*" any
// run of bytes, "?" one byte, "\" makes the next byte literal, and a class ("[a-z]",
// "[!x]" or "[^x]", a "]" first being literal) one byte it holds or, negated, does not.
// A class that never closes matches nothing.

#include "Fuzz.h"
#include "lib/IgnoreList_Git.h"

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
    return 0;
}
