#include "ParserTest.h"
#include "engine/parsers/FileParser_State.h"
#include "engine/parsers/ReadingContext.h"

#include <gtest/gtest.h>

using VarnikTest::LineSummary;
using Vn::FileParser_State;

namespace
{

// A small language the C/C++ tables do not exercise: a case-insensitive keyword opens a
// line comment, and "--" is never taken because the shorter "-" is tried first.
using S = FileParser_State;
constexpr uint32_t CODE = 0, REMARK = 1;
constexpr S::Transition_Info IN_CODE[] = {
    {"rem", 3, true, REMARK, S::FLAG_COMMENT},
    {"-", 1, false, CODE, S::FLAG_CODE},
    {"--", 2, false, REMARK, S::FLAG_COMMENT},
    {"%%", 2, false, REMARK, S::FLAG_COMMENT},
    {" ", 1, false, CODE, 0},
    {"\n", 1, false, CODE, 0},
    {nullptr, 0, false, CODE, S::FLAG_CODE},
};
// A remark runs to the end of the line, and a line must not end inside one.
constexpr S::Transition_Info IN_REMARK[] = {{nullptr, 0, false, REMARK, S::FLAG_COMMENT}};
constexpr S::State_Info STATES[] = {
    {false, CODE, false, S::ZONE_CODE},
    {true, CODE, true, S::ZONE_COMMENT},
};
constexpr const S::Transition_Info* TRANSITIONS[] = {IN_CODE, IN_REMARK};

TEST(FileParser_State, RunsAnyTableInEntryOrder)
{
    const char* const COMMENT = "blank 0, code 0, comment 1, errors 1";
    const char* const CODE_LINE = "blank 0, code 1, comment 0, errors 0";
    const std::pair<const char*, const char*> rows[] = {
        {"REM x\n", COMMENT},  {"  rEm\n", COMMENT},
        {"re x\n", CODE_LINE}, {"r\n", CODE_LINE},
        {"-- x\n", CODE_LINE}, {"%% x\n", COMMENT},
        {"% x\n", CODE_LINE},  {"x rem\n", "blank 0, code 1, comment 0, errors 1"},
    };
    VarnikTest::TempTree tree;
    const FileParser_State parser(STATES, TRANSITIONS);
    Vn::ReadingContext context;
    for (const auto& [line, summary] : rows)
    {
        tree.File("a.toy", line);
        EXPECT_EQ(LineSummary(*parser.Parse(tree.Path("a.toy").c_str(), "toy", context)), summary)
            << line;
    }

    static constexpr S::Transition_Info TO_NOWHERE[] = {{nullptr, 0, false, 7, 0}};
    const S::Transition_Info* const BAD[] = {IN_CODE, TO_NOWHERE};
    EXPECT_THROW(FileParser_State(STATES, BAD), std::out_of_range);
    EXPECT_THROW(FileParser_State(std::span(STATES, 1), TRANSITIONS), std::invalid_argument);
}

} // namespace
