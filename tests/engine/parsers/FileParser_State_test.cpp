#include "ParserTest.h"
#include "engine/parsers/FileParser_State.h"

#include <gtest/gtest.h>

using VarnikTest::LineSummary;
using VarnikTest::TempTree;
using Vn::FileParser_State;

namespace
{

// A small language that the C/C++ tables do not exercise: a case-insensitive keyword
// opens a line comment, and two tokens share their first character with an earlier,
// shorter one, which must win because entries are tried in order.
using S = FileParser_State;
constexpr uint32_t CODE = 0, REMARK = 1;

constexpr S::Transition_Info IN_CODE[] = {
    {"rem", 3, true, REMARK, S::FLAG_COMMENT},
    {"-", 1, false, CODE, S::FLAG_CODE},
    {"--", 2, false, REMARK, S::FLAG_COMMENT}, // never taken: "-" comes first
    {"%%", 2, false, REMARK, S::FLAG_COMMENT},
    {" ", 1, false, CODE, 0},
    {"\n", 1, false, CODE, 0},
    {nullptr, 0, false, CODE, S::FLAG_CODE},
};
// A remark runs to the end of the line, and a line must not end inside one.
constexpr S::Transition_Info IN_REMARK[] = {
    {nullptr, 0, false, REMARK, S::FLAG_COMMENT},
};
constexpr S::State_Info STATES[] = {
    {false, CODE, false, S::ZONE_CODE},
    {true, CODE, true, S::ZONE_COMMENT},
};
constexpr const S::Transition_Info* TRANSITIONS[] = {IN_CODE, IN_REMARK};

TEST(FileParser_State, RunsAnyTableInEntryOrder)
{
    struct Row
    {
        const char* line;
        const char* summary;
    };
    const Row rows[] = {
        {"REM x\n", "blank 0, code 0, comment 1, errors 1"},
        {"  rEm\n", "blank 0, code 0, comment 1, errors 1"},
        {"re x\n", "blank 0, code 1, comment 0, errors 0"},
        {"r\n", "blank 0, code 1, comment 0, errors 0"},
        {"-- x\n", "blank 0, code 1, comment 0, errors 0"},
        {"%% x\n", "blank 0, code 0, comment 1, errors 1"},
        {"% x\n", "blank 0, code 1, comment 0, errors 0"},
        {"x rem\n", "blank 0, code 1, comment 0, errors 1"},
    };
    TempTree tree;
    FileParser_State parser("toy", STATES, TRANSITIONS);
    for (const Row& row : rows)
    {
        tree.File("a.toy", row.line);
        EXPECT_EQ(LineSummary(*parser.Parse(tree.Path("a.toy").c_str())), row.summary) << row.line;
    }
}

} // namespace
