#include "engine/search/SearchRequest.h"

#include "lib/Ascii.h"
#include "lib/Path.h"

#include <re2/re2.h>

#include <algorithm>
#include <cstring>
#include <fnmatch.h>
#include <stdexcept>

namespace Vn
{

using TrovLib::Ascii::EqualFolded;

namespace
{

bool IsWordByte(char c)
{
    return TrovLib::Ascii::IsLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

std::string_view WithoutLineFeed(std::string_view line)
{
    return line.ends_with('\n') ? line.substr(0, line.size() - 1) : line;
}

std::shared_ptr<const re2::RE2> Compiled(const std::string& pattern, bool caseSensitive,
                                         bool neverNewLine = false)
{
    re2::RE2::Options options;
    options.set_case_sensitive(caseSensitive);
    options.set_never_nl(neverNewLine);
    options.set_log_errors(false);
    auto regex = std::make_shared<const re2::RE2>(pattern, options);
    if (!regex->ok())
        throw std::invalid_argument("bad regular expression: " + regex->error());
    return regex;
}

// Whether the pattern may hold "\A" or "\z", which mean the ends of a line only when the
// line is read on its own, or a flag group that clears "m" and so turns "^" and "$" back
// into those. Read from the text, so an escaped look-alike counts too.
bool NeedsOneLine(std::string_view pattern)
{
    if (pattern.find("\\A") != std::string_view::npos ||
        pattern.find("\\z") != std::string_view::npos)
        return true;
    for (size_t group = pattern.find("(?"); group != std::string_view::npos;
         group = pattern.find("(?", group + 2))
    {
        const std::string_view flags = pattern.substr(group + 2);
        const std::string_view run = flags.substr(0, flags.find_first_not_of("imsU-"));
        const size_t minus = run.find('-');
        if (minus != std::string_view::npos && run.find('m', minus) != std::string_view::npos)
            return true;
    }
    return false;
}

// Whether the pattern may assert something of the bytes around a place: "^", "$", "\b",
// "\B". Read from the text, so that "[^a]" and "\$" count too.
bool MayAssert(std::string_view pattern)
{
    return pattern.find_first_of("^$") != std::string_view::npos ||
           pattern.find("\\b") != std::string_view::npos ||
           pattern.find("\\B") != std::string_view::npos;
}

} // namespace

SearchRequest::SearchRequest() = default;

SearchRequest::~SearchRequest() = default;

void SearchRequest::SetText(const char* text)
{
    mText = text;
}

void SearchRequest::CompileRegex()
{
    mRegex = Compiled(mText, mFlags.CaseSensitive);
    mRegex_Word = mFlags.WholeWord
                      ? Compiled("(?:" + mText + ")(?:[^0-9A-Za-z_]|$)", mFlags.CaseSensitive)
                      : nullptr;
    mRegex_Asserts = MayAssert(mText);
    mRegex_ManyLines = NeedsOneLine(mText) ? nullptr
                                           : Compiled((mRegex_Asserts ? "(?m)" : "") + mText,
                                                      mFlags.CaseSensitive, true);
    mFlags.Regex = true;
}

bool SearchRequest::IsFileTypeSelected(const char* type) const
{
    return mFileTypes.empty() || mFileTypes.contains(type);
}

bool SearchRequest::IsPathSelected(const char* relative) const
{
    const char* name = TrovLib::LastComponent(relative);
    for (auto glob = mGlobs.rbegin(); glob != mGlobs.rend(); ++glob)
    {
        const bool exclude = glob->starts_with('!');
        const char* pattern = glob->c_str() + (exclude ? 1 : 0);
        const bool onPath = std::strchr(pattern, TrovLib::SEPARATOR) != nullptr;
        if (fnmatch(pattern, onPath ? relative : name, 0) == 0)
            return !exclude;
    }
    return std::all_of(mGlobs.begin(), mGlobs.end(),
                       [](const std::string& glob) { return glob.starts_with('!'); });
}

size_t SearchRequest::MatchEnd(std::string_view line, size_t at) const
{
    size_t end = NO_MATCH;
    if (mFlags.Regex)
        end = RegexEnd(line, at);
    else if (LiteralAt(line.data() + at))
        end = at + mText.size();
    if (end == NO_MATCH || !mFlags.WholeWord)
        return end;
    if (at > 0 && IsWordByte(line[at - 1]))
        return NO_MATCH;
    return EndsWord(line, at, end) ? end : NO_MATCH;
}

bool SearchRequest::Find(const char* line) const
{
    if (!mFlags.Regex && !mFlags.WholeWord)
        return FindLiteral(line);
    size_t end = 0;
    return NextMatch(line, 0, end) != NO_MATCH;
}

size_t SearchRequest::NextMatch(std::string_view line, size_t from, size_t& end) const
{
    for (size_t at = NextStart(line, from); at != NO_MATCH; at = NextStart(line, at + 1))
    {
        end = MatchEnd(line, at);
        if (end != NO_MATCH)
            return at;
    }
    return NO_MATCH;
}

bool SearchRequest::LiteralAt(const char* position) const
{
    if (mFlags.CaseSensitive)
        return std::strncmp(position, mText.c_str(), mText.size()) == 0;
    return EqualFolded(position, mText.c_str(), mText.size());
}

bool SearchRequest::FindLiteral(const char* line) const
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

size_t SearchRequest::NextStart(std::string_view line, size_t from) const
{
    if (!mFlags.Regex)
    {
        // No NUL stands before the line's end, so a text without one stands where
        // LiteralAt finds it.
        static_assert(std::string_view::npos == NO_MATCH);
        if (mFlags.CaseSensitive && mText.find('\0') == std::string::npos)
            return from <= line.size() ? line.find(mText, from) : NO_MATCH;
        for (size_t at = from; at <= line.size(); at++) // the empty text stands at the end too
        {
            if (LiteralAt(line.data() + at))
                return at;
        }
        return NO_MATCH;
    }
    const std::string_view text = WithoutLineFeed(line);
    re2::StringPiece match;
    if (from > text.size() ||
        !mRegex->Match(text, from, text.size(), re2::RE2::UNANCHORED, &match, 1))
        return NO_MATCH;
    return from + static_cast<size_t>(match.data() - (text.data() + from));
}

size_t SearchRequest::RegexEnd(std::string_view line, size_t at) const
{
    const std::string_view text = WithoutLineFeed(line);
    re2::StringPiece match;
    if (at > text.size() ||
        !mRegex->Match(text, at, text.size(), re2::RE2::ANCHOR_START, &match, 1))
        return NO_MATCH;
    return at + match.size();
}

// The first end found may be followed by a word byte while a shorter or a longer match
// is not; the expression with the end of a word behind it settles that.
bool SearchRequest::EndsWord(std::string_view line, size_t at, size_t end) const
{
    if (end >= line.size() || !IsWordByte(line[end]))
        return true;
    if (!mFlags.Regex)
        return false;
    const std::string_view text = WithoutLineFeed(line);
    return mRegex_Word->Match(text, at, text.size(), re2::RE2::ANCHOR_START, nullptr, 0);
}

} // namespace Vn
