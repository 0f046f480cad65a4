#pragma once

#include "engine/parsers/FileParser_State.h"

#include <string>
#include <string_view>

namespace Vn
{

// C and C++ sources and headers. The C/C++ tables drive the state machine through
// comments, string and character literals and directives; on top of the line counts
// this parser counts the directive lines ("Directive", under the type's "Code") and
// the conditional lines ("#if"), with one child per name that their conditions test,
// counting the tests of that name.
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

    explicit FileParser_Cpp(const char* type);

protected:
    // Adds "Directive" under the type's "Code", then "#if" to the node.
    void CreateCounters() override;
    void ParseLine_Code(const char* line) override;
    virtual void ParseDirective(const char* line);

    Counter_Count* mCounter_Directive = nullptr;
    Counter_Count* mCounter_If = nullptr;

private:
    void ParseCondition(std::string_view condition);
    void CountName(std::string_view name);

    std::string mName; // reused for each name looked up, so that lines allocate nothing
};

} // namespace Vn
