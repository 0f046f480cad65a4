#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace re2
{
class RE2;
}

namespace Vn
{

// What a search looks for: the text, whether case matters, the zones in which a
// match counts and the file types that take part.
class SearchRequest
{
public:
    static constexpr size_t NO_MATCH = SIZE_MAX;

    struct Flags
    {
        bool CaseSensitive : 1 = true;
        bool InCode : 1 = true;
        bool InComment : 1 = true;
        bool InDirective : 1 = true;
        bool InString : 1 = true;
        bool InContent : 1 = true;
        // Neither preceded nor followed by a letter, a digit or an underscore.
        bool WholeWord : 1 = false;
        // The text is a regular expression (RE2's syntax), compiled by CompileRegex.
        bool Regex : 1 = false;
    };

    SearchRequest();
    virtual ~SearchRequest();

    void SetText(const char* text);
    // Compiles the text as a regular expression, for the case and whole-word flags as they
    // stand, and sets the Regex flag. Throws std::invalid_argument with RE2's message when
    // the text is not one.
    void CompileRegex();
    // True for every type while the set is empty.
    bool IsFileTypeSelected(const char* type) const;
    // Whether the globs take in a file, by its path relative to the root.
    bool IsPathSelected(const char* relative) const;

    // Where the match that begins at `at` of the line ends, or NO_MATCH. The line ends at
    // a NUL, as the parsers hand lines out; a regular expression sees it without its line
    // feed, so that "$" matches before it.
    size_t MatchEnd(std::string_view line, size_t at) const;
    bool MatchesAt(std::string_view line, size_t at) const
    {
        return MatchEnd(line, at) != NO_MATCH;
    }
    // The first place at or after `from` where a match begins, or NO_MATCH; its end goes
    // into `end`. The line ends at a NUL, as for MatchEnd.
    size_t NextMatch(std::string_view line, size_t from, size_t& end) const;
    // Whether the text occurs anywhere in the NUL-terminated line. Ignoring case, an
    // empty line never matches, not even the empty text.
    virtual bool Find(const char* line) const;

    // A regular expression as it is looked for over many lines of a file at once: it never
    // matches a line feed, and "^" and "$" match at each line. Null when it holds what
    // needs a line on its own ("\A", "\z", or a flag that turns "^" and "$" back), or for
    // a text. See TextFinder.
    struct ManyLines
    {
        const re2::RE2* mRegex = nullptr;
        // It asserts something of the bytes around a place ("^", "$", "\b", "\B").
        bool mAsserts = false;
    };
    ManyLines GetRegex_ManyLines() const { return {mRegex_ManyLines.get(), mRegex_Asserts}; }

    std::set<std::string> mFileTypes;
    Flags mFlags;
    std::string mText;
    // At most this many matching lines per file.
    uint64_t mMaxLines = UINT64_MAX;
    // Shell globs (fnmatch) on the relative path: "GLOB" takes files in, "!GLOB" leaves
    // them out, and the last glob that matches decides. A glob without a separator
    // matches the file name alone. With a glob that takes files in, a file that no glob
    // matches is left out.
    std::vector<std::string> mGlobs;

private:
    bool LiteralAt(const char* position) const;
    bool FindLiteral(const char* line) const;
    // The first place at or after `from` where a match may begin, or NO_MATCH.
    size_t NextStart(std::string_view line, size_t from) const;
    size_t RegexEnd(std::string_view line, size_t at) const;
    bool EndsWord(std::string_view line, size_t at, size_t end) const;

    // Shared by the copies of a request, which the workers only read.
    std::shared_ptr<const re2::RE2> mRegex;
    // The expression followed by a byte that ends a word, or by the end of the line.
    std::shared_ptr<const re2::RE2> mRegex_Word;
    std::shared_ptr<const re2::RE2> mRegex_ManyLines;
    bool mRegex_Asserts = false;
};

} // namespace Vn
