// The finder and the request against plain rules: the text stands at a place of a line,
// which a NUL ends, byte for byte or with ASCII letters folded, and as a whole word when
// neither neighbour is a letter, a digit or "_". The finder stops at the first place the
// text stands, whatever line feeds and NULs the bytes hold. The text escaped as a
// regular expression matches where the text does, on one line (in ASCII when case is
// ignored, since RE2 folds more than the 26 letters). Taken as a regular expression
// itself, the text is never passed over by the finder: from the start of any piece, cut
// as a reader cuts the bytes, the finder stops within or before the first piece that
// the request finds it in. The matches a line gathers are those of a walk from left to
// right that takes the text wherever it stands at a place in a zone, after the match
// before: each matches, none overlap, none is passed over. The high bits of the mode
// byte choose which places lie in a zone.

#include "Fuzz.h"
#include "engine/parsers/LineReader.h"
#include "engine/search/LineMatches.h"
#include "engine/search/TextFinder.h"

#include <re2/re2.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace
{

bool IsWord(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool PlainMatchAt(std::string_view line, size_t at, const std::string& text, bool fold, bool word)
{
    const auto same = [fold](char a, char b)
    {
        const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
        return fold ? lower(a) == lower(b) : a == b;
    };
    const size_t end = at + text.size();
    return end <= line.size() && std::equal(text.begin(), text.end(), line.begin() + at, same) &&
           (!word ||
            ((at == 0 || !IsWord(line[at - 1])) && (end == line.size() || !IsWord(line[end]))));
}

using Spans = std::vector<std::pair<size_t, size_t>>;

// Places in a zone repeat every 4 bytes, as the bits of `zones` say; 0 takes every place.
bool InZone(size_t at, unsigned zones)
{
    return zones == 0 || ((zones >> (at % 4)) & 1) != 0;
}

// The spans of the matches at the places in a zone, as a plain walk finds them; a match
// of no bytes counts, so `matched` may hold with no span.
Spans PlainSpans(std::string_view line, const Vn::SearchRequest& request, unsigned zones,
                 bool& matched)
{
    const std::string& text = request.mText;
    Spans spans;
    matched = false;
    for (size_t at = 0; at <= line.size(); at++)
    {
        if (!InZone(at, zones) ||
            !PlainMatchAt(line, at, text, !request.mFlags.CaseSensitive, request.mFlags.WholeWord))
            continue;
        matched = true;
        if (text.empty())
            continue;
        spans.emplace_back(at, text.size());
        at += text.size() - 1;
    }
    return spans;
}

// The spans that the request gathers in the line from the places in a zone, or from all
// of them when it finds the text anywhere.
Spans GatheredSpans(const std::string& line, const Vn::SearchRequest& request, unsigned zones,
                    bool& matched)
{
    Vn::SearchResult_File file("line");
    Vn::LineMatches matches(request, line, 1, file);
    if (zones == 0 && request.Find(line.c_str()))
        matches.AddEverywhere();
    for (size_t at = 0; zones != 0 && at <= line.size(); at++)
    {
        if (InZone(at, zones))
            matches.TryAt(at);
    }
    matched = file.GetCount() != 0;
    Spans spans;
    file.Pack();
    for (size_t index = 0; index < file.GetHits().GetLineCount(); index++)
    {
        for (const auto& span : file.GetHits().GetSpans(index))
            spans.emplace_back(span.mOffset, span.mLength);
    }
    return spans;
}

void CheckGatheredSpans(const std::string& line, const Vn::SearchRequest& request,
                        const Vn::SearchRequest& regex, unsigned zones)
{
    bool plainMatched = false;
    bool matched = false;
    const Spans plain = PlainSpans(line, request, zones, plainMatched);
    VarnikFuzz::Require(GatheredSpans(line, request, zones, matched) == plain &&
                            (matched == plainMatched || (zones == 0 && line.empty())),
                        "a line gathers the spans of a plain walk");
    VarnikFuzz::Require(!regex.mFlags.Regex || GatheredSpans(line, regex, zones, matched) == plain,
                        "an escaped text gathers the spans of a plain walk");
}

void CheckRegexFinder(const std::string& pattern, bool fold, const std::string& bytes)
{
    Vn::SearchRequest request;
    request.mFlags.CaseSensitive = !fold;
    request.SetText(pattern.c_str());
    try
    {
        request.CompileRegex();
    }
    catch (const std::invalid_argument&)
    {
        return;
    }
    std::vector<std::pair<size_t, size_t>> pieces;
    for (size_t begin = 0; begin < bytes.size(); begin = pieces.back().second)
    {
        const size_t feed = bytes.find('\n', begin);
        pieces.emplace_back(begin, std::min(feed == std::string::npos ? bytes.size() : feed + 1,
                                            begin + Vn::LineReader::MAX_PIECE));
    }
    const Vn::TextFinder finder(request);
    size_t matchingEnd = Vn::TextFinder::NONE; // of the first matching piece from here on
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece)
    {
        const auto [begin, end] = *piece;
        if (request.Find(bytes.substr(begin, end - begin).c_str()))
            matchingEnd = end;
        const size_t found = finder.Find(bytes.data() + begin, bytes.size() - begin);
        VarnikFuzz::Require(matchingEnd == Vn::TextFinder::NONE ||
                                (found != Vn::TextFinder::NONE && begin + found < matchingEnd),
                            "the finder stops at the latest in the first piece that matches");
    }
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
        first = PlainMatchAt(bytes.c_str() + at, 0, text, fold, false) ? at : first;
    const size_t found = Vn::TextFinder(request).Find(bytes.data(), bytes.size());
    VarnikFuzz::Require(found == first, "the finder stops where the text first stands");

    const std::string line =
        bytes.substr(0, std::min(bytes.find('\n'), std::strlen(bytes.c_str())));
    Vn::SearchRequest regex = request;
    regex.SetText(RE2::QuoteMeta(text).c_str());
    const std::string both = line + text;
    const bool ascii = std::all_of(both.begin(), both.end(), [](char c) { return c > 0; });
    try
    {
        if ((mode & 4) != 0 && text.find('\n') == std::string::npos && (!fold || ascii))
            regex.CompileRegex();
    }
    catch (const std::invalid_argument&) // outside UTF-8
    {
    }
    bool anywhere = false;
    for (size_t at = 0; at <= line.size(); at++)
    {
        const bool plain = PlainMatchAt(line, at, text, fold, request.mFlags.WholeWord);
        VarnikFuzz::Require(request.MatchesAt(line, at) == plain,
                            "the request matches as the rules");
        VarnikFuzz::Require(!regex.mFlags.Regex || regex.MatchesAt(line, at) == plain,
                            "an escaped text matches as a regular expression where it stands");
        anywhere = anywhere || plain;
    }
    if ((mode & 8) != 0)
        CheckRegexFinder(text, fold, bytes);
    CheckGatheredSpans(line, request, regex, mode >> 4);
    VarnikFuzz::Require(line.empty() ||
                            (request.Find(line.c_str()) == anywhere &&
                             (!regex.mFlags.Regex || regex.Find(line.c_str()) == anywhere)),
                        "Find answers whether the text stands anywhere");
    return 0;
}
