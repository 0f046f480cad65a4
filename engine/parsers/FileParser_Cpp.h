#pragma once

#include "engine/parsers/FileParser_State.h"

#include <string_view>

namespace Vn
{

// The compiled parser of C and C++ sources and headers. The C/C++ tables drive the state
// machine through comments, string and character literals and directives; on top of the
// line counts this parser counts the directive lines ("Directive", under the type's
// "Code") and the conditional lines ("#if"), with one child per name that their
// conditions test, counting the tests of that name.
//
// The modern parser reads C++11 and later, C23 and what compilers accept besides: raw
// strings, digit separators, "//" comments and strings continued by a backslash, blanks
// after the "#" of a conditional and the conditions of "#elif", "#elifdef" and
// "#elifndef". Its tables extend the classic ones, which stay as they are.
class FileParser_Cpp : public FileParser_State
{
public:
    // States of the C/C++ tables.
    static constexpr uint32_t STATE_CODE = 0;
    static constexpr uint32_t STATE_CHAR = 1;
    static constexpr uint32_t STATE_CHAR_ESCAPE = 2;
    static constexpr uint32_t STATE_STRING = 3;
    static constexpr uint32_t STATE_STRING_ESCAPE = 4;
    static constexpr uint32_t STATE_COMMENT_BLOCK = 5;
    static constexpr uint32_t STATE_COMMENT_LINE = 6;
    static constexpr uint32_t STATE_DIRECTIVE = 7;
    // States that only the modern tables have.
    static constexpr uint32_t STATE_COMMENT_CONTINUED = 8; // after a "//" line's last backslash
    static constexpr uint32_t STATE_RAW_DELIMITER = 9;     // R"delimiter(
    static constexpr uint32_t STATE_RAW = 10;              // inside a raw string
    static constexpr uint32_t STATE_RAW_CLOSE = 11;        // )delimiter"
    static constexpr uint32_t STATE_STRING_CONTINUED = 12; // after a string line's last backslash

    explicit FileParser_Cpp(bool modern = false);

protected:
    bool CountsDirectives() const override;
    void ParseLine_Code(const char* line, ReadingContext& context) const override;
    virtual void ParseDirective(const char* line, ReadingContext& context) const;
    // The raw strings and digit separators of the modern tables.
    bool AcceptToken(const Transition_Info& entry, const char* p, const char* line,
                     ReadingContext& context) const override;

private:
    static void ParseCondition(std::string_view condition, ReadingContext& context);

    bool mModern;
};

} // namespace Vn
