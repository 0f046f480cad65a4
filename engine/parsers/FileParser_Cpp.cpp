#include "engine/parsers/FileParser_Cpp.h"

#include "engine/counters/Counter_Count.h"

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

// The condition behind a conditional directive at `text`, read as "<keyword> %[^\n\r/#]"
// reads it: the keyword right at `text`, any run of white space, then one or more
// characters up to a line end, "/", "#" or the end of the text. Empty when there is none.
std::string_view ConditionAfter(std::string_view keyword, const char* text)
{
    std::string_view rest(text);
    if (!rest.starts_with(keyword))
        return {};
    size_t start = keyword.size();
    while (start < rest.size() && IsFormatBlank(rest[start]))
        start++;
    return rest.substr(start, CONDITION_END.FindIn(rest, start) - start);
}

} // namespace

FileParser_Cpp::FileParser_Cpp(const char* type) : FileParser_State(type, STATES, TRANSITIONS) {}

void FileParser_Cpp::CreateCounters()
{
    FileParser_State::CreateCounters();
    mCounter_Directive =
        mCounter_Type_Code->mCounters.Append(std::make_unique<Counter_Count>("Directive", 0));
    mCounter_If = mNode->mCounters.Append(std::make_unique<Counter_Count>("#if", 0));
}

void FileParser_Cpp::ParseLine_Code(const char* line)
{
    FileParser_State::ParseLine_Code(line);
    if (IsDirective(line))
        ParseDirective(line);
}

// Counts the directive and, for "#ifdef", "#ifndef" or "#if" right at the start of the
// line, the names its condition tests. The condition stops at "/" and "#", so neither a
// comment behind it nor anything behind a division sign belongs to it.
void FileParser_Cpp::ParseDirective(const char* line)
{
    (*mCounter_Directive)++;
    while (*line == ' ' || *line == '\t')
        line++;
    if (std::strncmp(line, "#if", 3) != 0) // the start of every conditional
        return;
    for (std::string_view keyword : {"#ifdef", "#ifndef", "#if"})
    {
        const std::string_view condition = ConditionAfter(keyword, line);
        if (!condition.empty())
        {
            (*mCounter_If)++;
            ParseCondition(condition);
            return;
        }
    }
}

// Every run of characters between separators is a name, numbers and operators such as
// "+" included; "defined" is skipped wherever it starts. Each step advances by at least
// one character, and names of any length are counted whole.
void FileParser_Cpp::ParseCondition(std::string_view condition)
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
            CountName(condition.substr(position, end - position));
            position = end;
        }
    }
}

void FileParser_Cpp::CountName(std::string_view name)
{
    mName.assign(name);
    auto* counter = static_cast<Counter_Count*>(
        mCounter_If->mCounters.Find(Counter_Count::TYPE, mName.c_str()));
    if (counter == nullptr)
        counter = mCounter_If->mCounters.Append(std::make_unique<Counter_Count>(mName.c_str(), 0));
    (*counter)++;
}

} // namespace Vn
