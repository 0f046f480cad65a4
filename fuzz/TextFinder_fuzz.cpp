// The finder and the request against plain rules: the text stands at a place of a line,
// which a NUL ends, byte for byte or with ASCII letters folded, and as a whole word when
// neither neighbour is a letter, a digit or "_". The finder never passes over such a
// place, whatever line feeds and NULs the bytes hold, and stops at the first one unless
// whole words are asked for. The text escaped as a regular expression matches where the
// text does, on lines without line feeds (and in ASCII when case is ignored, since RE2
// folds more than the 26 letters).

#include "Fuzz.h"
#include "engine/search/TextFinder.h"

#include <re2/re2.h>

#include <algorithm>
#include <cstring>

namespace
{

bool IsWord(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool PlainMatchAt(std::string_view line, size_t at, const std::string& text, bool fold, bool word)
{
    if (at + text.size() > line.size())
        return false;
    for (size_t i = 0; i < text.size(); i++)
    {
        const auto same = [fold](char a, char b)
        { return fold ? std::tolower(static_cast<unsigned char>(a)) == std::tolower(b) : a == b; };
        if (!same(line[at + i], text[i]))
            return false;
    }
    const size_t end = at + text.size();
    return !word ||
           ((at == 0 || !IsWord(line[at - 1])) && (end == line.size() || !IsWord(line[end])));
}

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VarnikFuzz::Input input(data, size);
    const uint8_t mode = input.Byte();
    Vn::SearchRequest request;
    request.mFlags.CaseSensitive = (mode & 1) == 0;
    request.mFlags.WholeWord = (mode & 2) != 0;
    request.SetText(input.Take(input.Byte() % 16).c_str());
    const std::string bytes = input.Rest();
    const std::string& text = request.mText;
    const bool fold = !request.mFlags.CaseSensitive;

    size_t first = Vn::TextFinder::NONE;
    for (size_t at = 0; at <= bytes.size() && first == Vn::TextFinder::NONE; at++)
    {
        if (PlainMatchAt(bytes.c_str() + at, 0, text, fold, false))
            first = at;
    }
    const size_t found = Vn::TextFinder(request).Find(bytes.data(), bytes.size());
    VarnikFuzz::Require(found == first, "the finder stops where the text first stands");

    // One line: up to the first line feed or NUL.
    const std::string_view line(bytes.c_str(),
                                std::min(bytes.find('\n'), std::strlen(bytes.c_str())));
    bool anywhere = false;
    for (size_t at = 0; at < line.size(); at++)
    {
        const bool plain = PlainMatchAt(line, at, text, fold, request.mFlags.WholeWord);
        VarnikFuzz::Require(request.MatchesAt(line, at) == plain,
                            "the request matches as the rules");
        anywhere = anywhere || plain;
    }
    if (!line.empty())
        VarnikFuzz::Require(request.Find(std::string(line).c_str()) == anywhere,
                            "Find answers whether the text stands anywhere");

    Vn::SearchRequest regex = request;
    regex.SetText(RE2::QuoteMeta(text).c_str());
    if ((mode & 4) == 0 || text.find('\n') != std::string::npos ||
        (fold && !(IsAscii(text) && IsAscii(line))))
        return 0;
    try
    {
        regex.CompileRegex();
    }
    catch (const std::invalid_argument&) // outside UTF-8
    {
        return 0;
    }
    for (size_t at = 0; at < line.size(); at++)
        VarnikFuzz::Require(regex.MatchesAt(line, at) == request.MatchesAt(line, at),
                            "an escaped text matches as a regular expression where it stands");
    if (!line.empty())
        VarnikFuzz::Require(regex.Find(std::string(line).c_str()) == anywhere,
                            "an escaped text is found as a regular expression");
    return 0;
}
