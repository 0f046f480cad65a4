#include "engine/parsers/FileParser_Cpp.h"

#include "engine/counters/Counter_Count.h"
#include "engine/parsers/ReadingContext.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace Vn
{

namespace
{

using P = FileParser_Cpp;

// Blanks in code and in block comments add no flag, so they never make a line a code or
// comment line. Every entry ignores case; no token holds a letter.
constexpr P::Transition_Info CODE[] = {
    {"/*", 2, true, P::STATE_COMMENT_BLOCK, P::FLAG_COMMENT},
    {"//", 2, true, P::STATE_COMMENT_LINE, P::FLAG_COMMENT},
    {"#", 1, true, P::STATE_DIRECTIVE, P::FLAG_CODE | P::FLAG_DIRECTIVE},
    {"'", 1, true, P::STATE_CHAR, P::FLAG_CODE},
    {"\"", 1, true, P::STATE_STRING, P::FLAG_CODE},
    {" ", 1, true, P::STATE_CODE, 0},
    {"\n", 1, true, P::STATE_CODE, 0},
    {"\r", 1, true, P::STATE_CODE, 0},
    {"\t", 1, true, P::STATE_CODE, 0},
    {nullptr, 0, true, P::STATE_CODE, P::FLAG_CODE},
};

constexpr P::Transition_Info CHAR[] = {
    {"'", 1, true, P::STATE_CODE, P::FLAG_CODE},
    {"\\", 1, true, P::STATE_CHAR_ESCAPE, P::FLAG_CODE},
    {nullptr, 0, true, P::STATE_CHAR, P::FLAG_CODE},
};

constexpr P::Transition_Info CHAR_ESCAPE[] = {
    {nullptr, 0, true, P::STATE_CHAR, P::FLAG_CODE},
};

constexpr P::Transition_Info STRING[] = {
    {"\"", 1, true, P::STATE_CODE, P::FLAG_CODE},
    {"\\", 1, true, P::STATE_STRING_ESCAPE, P::FLAG_CODE},
    {nullptr, 0, true, P::STATE_STRING, P::FLAG_CODE},
};

constexpr P::Transition_Info STRING_ESCAPE[] = {
    {nullptr, 0, true, P::STATE_STRING, P::FLAG_CODE},
};

constexpr P::Transition_Info COMMENT_BLOCK[] = {
    {"*/", 2, true, P::STATE_CODE, P::FLAG_COMMENT},
    {" ", 1, true, P::STATE_COMMENT_BLOCK, 0},
    {"\n", 1, true, P::STATE_COMMENT_BLOCK, 0},
    {"\r", 1, true, P::STATE_COMMENT_BLOCK, 0},
    {"\t", 1, true, P::STATE_COMMENT_BLOCK, 0},
    {nullptr, 0, true, P::STATE_COMMENT_BLOCK, P::FLAG_COMMENT},
};

// A line comment and a directive run to the end of the line; inside a directive, quotes
// and comment starts have no meaning.
constexpr P::Transition_Info COMMENT_LINE[] = {
    {"\n", 1, true, P::STATE_CODE, 0},
    {"\r", 1, true, P::STATE_CODE, 0},
    {nullptr, 0, true, P::STATE_COMMENT_LINE, P::FLAG_COMMENT},
};

constexpr P::Transition_Info DIRECTIVE[] = {
    {"\n", 1, true, P::STATE_CODE, 0},
    {"\r", 1, true, P::STATE_CODE, 0},
    {nullptr, 0, true, P::STATE_DIRECTIVE, P::FLAG_CODE | P::FLAG_DIRECTIVE},
};

// Literals cannot span lines: a line ending inside one is an error and the next line
// starts in code. A block comment spans lines, but the file must not end inside it.
constexpr P::State_Info STATES[] = {
    // mError_EndOfFile, mNext_EndOfLine, mError_EndOfLine, mZones
    {false, P::STATE_CODE, false, P::ZONE_CODE},            // STATE_CODE
    {true, P::STATE_CODE, true, P::ZONE_CODE},              // STATE_CHAR
    {true, P::STATE_CODE, true, P::ZONE_CODE},              // STATE_CHAR_ESCAPE
    {true, P::STATE_CODE, true, P::ZONE_STRING},            // STATE_STRING
    {true, P::STATE_CODE, true, P::ZONE_STRING},            // STATE_STRING_ESCAPE
    {true, P::STATE_COMMENT_BLOCK, false, P::ZONE_COMMENT}, // STATE_COMMENT_BLOCK
    {false, P::STATE_CODE, false, P::ZONE_COMMENT},         // STATE_COMMENT_LINE
    {false, P::STATE_CODE, false, P::ZONE_DIRECTIVE},       // STATE_DIRECTIVE
};

constexpr std::array<const P::Transition_Info*, std::size(STATES)> TRANSITIONS = {
    CODE, CHAR, CHAR_ESCAPE, STRING, STRING_ESCAPE, COMMENT_BLOCK, COMMENT_LINE, DIRECTIVE,
};

// The modern tables are the classic ones with entries and states added. Guarded
// entries (see FileParser_State) leave to AcceptToken what a table cannot say:
// - "'" right after a number is a digit separator (1'000'000, 0x7FFF'FFFF) and stays
//   in code: the run of name bytes before it starts with a digit or follows another
//   separator, and a name byte follows it. u8'a' and x1'a' are character literals.
// - A quote right after an R opens a raw string when the R stands alone or after an
//   encoding prefix (L, u, U, u8), not at the end of a longer name, and a delimiter of
//   at most 16 printable bytes, none a parenthesis or a backslash, leads up to "(". The
//   delimiter is kept, since the string may span lines. The guard sits on the quote
//   rather than on the R, which code holds far more often.
// - Inside a raw string, ")" begins the close only when the delimiter and a quote
//   follow it, and the quote that ends the string is that one: the delimiter itself
//   may hold quotes.

// `list` with `added` inserted before its entry `at`.
template <class Row, size_t N, size_t M>
constexpr std::array<Row, N + M> Insert(const Row (&list)[N], size_t at, const Row (&added)[M])
{
    std::array<Row, N + M> joined{};
    std::copy(list, list + at, joined.begin());
    std::copy(added, added + M, joined.begin() + at);
    std::copy(list + at, list + N, joined.begin() + at + M);
    return joined;
}

// Inserted before the quotes of character and string literals.
constexpr P::Transition_Info MODERN_CODE_ADDED[] = {
    {"'", 1, true, P::STATE_CODE, P::FLAG_CODE | P::FLAG_GUARDED},
    {"\"", 1, true, P::STATE_RAW_DELIMITER, P::FLAG_CODE | P::FLAG_GUARDED},
};
constexpr auto MODERN_CODE = Insert(CODE, 3, MODERN_CODE_ADDED);

// A backslash right before the end of a line comment continues it on the next line.
constexpr P::Transition_Info MODERN_COMMENT_LINE_ADDED[] = {
    {"\\\n", 2, true, P::STATE_COMMENT_CONTINUED, P::FLAG_COMMENT},
    {"\\\r\n", 3, true, P::STATE_COMMENT_CONTINUED, P::FLAG_COMMENT},
};
constexpr auto MODERN_COMMENT_LINE = Insert(COMMENT_LINE, 0, MODERN_COMMENT_LINE_ADDED);

// So does one that ends a line inside a string: the line end is what it escapes.
constexpr P::Transition_Info MODERN_STRING_ESCAPE_ADDED[] = {
    {"\n", 1, true, P::STATE_STRING_CONTINUED, 0},
    {"\r\n", 2, true, P::STATE_STRING_CONTINUED, 0},
};
constexpr auto MODERN_STRING_ESCAPE = Insert(STRING_ESCAPE, 0, MODERN_STRING_ESCAPE_ADDED);

constexpr P::Transition_Info STRING_CONTINUED[] = {
    {nullptr, 0, true, P::STATE_STRING, P::FLAG_CODE},
};

constexpr P::Transition_Info COMMENT_CONTINUED[] = {
    {nullptr, 0, true, P::STATE_COMMENT_LINE, P::FLAG_COMMENT},
};

constexpr P::Transition_Info RAW_DELIMITER[] = {
    {"(", 1, true, P::STATE_RAW, P::FLAG_CODE},
    {nullptr, 0, true, P::STATE_RAW_DELIMITER, P::FLAG_CODE},
};

constexpr P::Transition_Info RAW[] = {
    {")", 1, true, P::STATE_RAW_CLOSE, P::FLAG_CODE | P::FLAG_GUARDED},
    {nullptr, 0, true, P::STATE_RAW, P::FLAG_CODE},
};

constexpr P::Transition_Info RAW_CLOSE[] = {
    {"\"", 1, true, P::STATE_CODE, P::FLAG_CODE | P::FLAG_GUARDED},
    {nullptr, 0, true, P::STATE_RAW_CLOSE, P::FLAG_CODE},
};

// A raw string spans lines; its delimiter and its close never do, since the guards
// find them whole on the line.
constexpr P::State_Info MODERN_STATES_ADDED[] = {
    {false, P::STATE_COMMENT_LINE, false, P::ZONE_COMMENT}, // STATE_COMMENT_CONTINUED
    {true, P::STATE_CODE, true, P::ZONE_STRING},            // STATE_RAW_DELIMITER
    {true, P::STATE_RAW, false, P::ZONE_STRING},            // STATE_RAW
    {true, P::STATE_RAW, false, P::ZONE_STRING},            // STATE_RAW_CLOSE
    {true, P::STATE_STRING, false, P::ZONE_STRING},         // STATE_STRING_CONTINUED
};
constexpr auto MODERN_STATES = Insert(STATES, std::size(STATES), MODERN_STATES_ADDED);

constexpr std::array<const P::Transition_Info*, MODERN_STATES.size()> MODERN_TRANSITIONS = {
    MODERN_CODE.data(),
    CHAR,
    CHAR_ESCAPE,
    STRING,
    MODERN_STRING_ESCAPE.data(),
    COMMENT_BLOCK,
    MODERN_COMMENT_LINE.data(),
    DIRECTIVE,
    COMMENT_CONTINUED,
    RAW_DELIMITER,
    RAW,
    RAW_CLOSE,
    STRING_CONTINUED,
};

// Letters, digits, "_" and the bytes of UTF-8 sequences.
bool IsNameByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
           (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Printable ASCII but for the parentheses and the backslash.
bool IsRawDelimiterByte(char c)
{
    return c > ' ' && c < 0x7F && c != '(' && c != ')' && c != '\\';
}

// Whether the "'" at `p` separates digits. The look back stops at the previous "'",
// so it reads each byte of a line at most once.
bool IsDigitSeparator(const char* p, const char* line)
{
    if (!IsNameByte(p[1]))
        return false;
    const char* start = p;
    while (start > line && IsNameByte(start[-1]))
        start--;
    if (start == p)
        return false;
    // A "'" before the run separated digits too: one that closed a character literal
    // cannot be followed by a name and another "'".
    return (start > line && start[-1] == '\'') || IsDigit(*start);
}

// A set of bytes, tested with one lookup in the loops over a directive.
class ByteSet
{
public:
    constexpr explicit ByteSet(std::string_view bytes)
    {
        for (char c : bytes)
            mHas[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool Has(char c) const { return mHas[static_cast<unsigned char>(c)]; }

    // The position of the first byte of `text` at or after `from` that is in the set,
    // or the size of the text.
    size_t FindIn(std::string_view text, size_t from) const
    {
        while (from < text.size() && !Has(text[from]))
            from++;
        return from;
    }

private:
    std::array<bool, 256> mHas{};
};

// What a condition is made of besides names.
constexpr ByteSet SEPARATORS("\t\n\r !\"&'()<=>|");
// What ends the condition of a conditional directive.
constexpr ByteSet CONDITION_END("\n\r/#");
constexpr std::string_view DEFINED = "defined";

bool IsFormatBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The condition at the start of `rest`: any run of white space, then one or more
// characters up to a line end, "/", "#" or the end of the text. Empty when there is none.
std::string_view ConditionAt(std::string_view rest)
{
    size_t start = 0;
    while (start < rest.size() && IsFormatBlank(rest[start]))
        start++;
    return rest.substr(start, CONDITION_END.FindIn(rest, start) - start);
}

// The condition of a conditional directive at `line` as "#ifdef %[^\n\r/#]", then the
// same with "#ifndef" and "#if", read it: the keyword must stand right at `line`.
std::string_view ClassicCondition(const char* line)
{
    if (std::strncmp(line, "#if", 3) != 0) // the start of every conditional
        return {};
    const std::string_view text(line);
    for (std::string_view keyword : {"#ifdef", "#ifndef", "#if"})
    {
        if (!text.starts_with(keyword))
            continue;
        const std::string_view condition = ConditionAt(text.substr(keyword.size()));
        if (!condition.empty())
            return condition;
    }
    return {};
}

// The condition of a conditional directive at `line` as compilers read it: blanks may
// stand between the "#" and the name, the name ends where name bytes do, and "#elif",
// "#elifdef" and "#elifndef" test names as "#if", "#ifdef" and "#ifndef" do.
std::string_view ModernCondition(const char* line)
{
    constexpr std::string_view CONDITIONALS[] = {"if",   "ifdef",   "ifndef",
                                                 "elif", "elifdef", "elifndef"};
    if (*line != '#')
        return {};
    const char* name = line + 1;
    while (*name == ' ' || *name == '\t')
        name++;
    const char* end = name;
    while (IsNameByte(*end))
        end++;
    const std::string_view keyword(name, static_cast<size_t>(end - name));
    if (std::find(std::begin(CONDITIONALS), std::end(CONDITIONALS), keyword) ==
        std::end(CONDITIONALS))
        return {};
    return ConditionAt(end);
}

// Whether a raw string opens at the quote: the R before it stands alone or after an
// encoding prefix, and a delimiter of at most DELIMITER_MAX bytes leads up to "(". Keeps
// the delimiter, since the string may span lines.
bool RawString_Open(const char* quote, const char* line, ReadingContext::RawString& raw)
{
    if (quote == line || quote[-1] != 'R')
        return false;
    const char* prefix = quote - 1;
    if (prefix > line && (prefix[-1] == 'L' || prefix[-1] == 'u' || prefix[-1] == 'U'))
        prefix--;
    else if (prefix - line >= 2 && prefix[-1] == '8' && prefix[-2] == 'u')
        prefix -= 2;
    if (prefix > line && IsNameByte(prefix[-1]))
        return false;
    const char* delimiter = quote + 1;
    size_t length = 0;
    while (length <= raw.DELIMITER_MAX && IsRawDelimiterByte(delimiter[length]))
        length++;
    if (length > raw.DELIMITER_MAX || delimiter[length] != '(')
        return false;
    std::copy_n(delimiter, length, raw.mDelimiter.begin());
    raw.mDelimiterLength = length;
    return true;
}

// Whether the ")" at `p` closes the raw string; keeps where its quote stands. strncmp
// stops at the NUL that ends the line, which no delimiter holds.
bool RawString_Close(const char* p, ReadingContext::RawString& raw)
{
    const char* delimiter = p + 1;
    if (std::strncmp(delimiter, raw.mDelimiter.data(), raw.mDelimiterLength) != 0 ||
        delimiter[raw.mDelimiterLength] != '"')
        return false;
    raw.mEnd = delimiter + raw.mDelimiterLength;
    return true;
}

} // namespace

FileParser_Cpp::FileParser_Cpp(bool modern)
    : FileParser_State(modern ? std::span<const State_Info>(MODERN_STATES) : STATES,
                       modern ? std::span<const Transition_Info* const>(MODERN_TRANSITIONS)
                              : TRANSITIONS),
      mModern(modern)
{
}

bool FileParser_Cpp::CountsDirectives() const
{
    return true;
}

void FileParser_Cpp::ParseLine_Code(const char* line, ReadingContext& context) const
{
    FileParser_State::ParseLine_Code(line, context);
    if (IsDirective(line, context))
        ParseDirective(line, context);
}

// Counts the directive and, for a conditional at the start of the line, the names its
// condition tests. The condition stops at "/" and "#", so neither a comment behind it
// nor anything behind a division sign belongs to it.
void FileParser_Cpp::ParseDirective(const char* line, ReadingContext& context) const
{
    FileCounters& counters = context.mCounters;
    counters.CountDirective();
    while (*line == ' ' || *line == '\t')
        line++;
    const std::string_view condition = mModern ? ModernCondition(line) : ClassicCondition(line);
    if (condition.empty())
        return;
    counters.CountCondition();
    ParseCondition(condition, context);
}

bool FileParser_Cpp::AcceptToken(const Transition_Info& entry, const char* p, const char* line,
                                 ReadingContext& context) const
{
    ReadingContext::RawString& raw = context.mRaw;
    switch (entry.mToken[0])
    {
    case '\'':
        return IsDigitSeparator(p, line);
    case ')':
        return RawString_Close(p, raw);
    default: // a quote: after R, or after ")delimiter"
        return entry.mNext == STATE_RAW_DELIMITER ? RawString_Open(p, line, raw) : p == raw.mEnd;
    }
}

// Every run of characters between separators is a name, numbers and operators such as
// "+" included; "defined" is skipped wherever it starts. Each step advances by at least
// one character, and names of any length are counted whole.
void FileParser_Cpp::ParseCondition(std::string_view condition, ReadingContext& context)
{
    size_t position = 0;
    while (position < condition.size())
    {
        if (condition.substr(position).starts_with(DEFINED))
            position += DEFINED.size();
        else if (SEPARATORS.Has(condition[position]))
            position++;
        else
        {
            const size_t end = SEPARATORS.FindIn(condition, position);
            context.mCounters.CountName(condition.substr(position, end - position));
            position = end;
        }
    }
}

} // namespace Vn
