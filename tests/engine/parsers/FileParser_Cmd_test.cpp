#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CountAt;
using VarnikTest::ParserTest;

namespace
{

TEST(FileParser_Cmd, CommentLinesAreRemStatements)
{
    struct Row
    {
        const char* line;
        bool comment;
    };
    const Row rows[] = {
        {"REM note\n", true},   {"rem note\n", true}, {"\tRem note\n", true}, {" rem\n", true},
        {"rEm\r\n", true},      {"rem", true},        {"remark\n", false},    {"rem:\n", false},
        {"@rem note\n", false}, {":: note\n", false}, {"echo rem\n", false},
    };
    ParserTest test;
    for (const Row& row : rows)
    {
        const auto node = test.Parse("run.cmd", row.line);
        EXPECT_EQ(CountAt(*node, {"cmd", "Comment"}), row.comment ? 1u : 0u) << row.line;
        EXPECT_EQ(CountAt(*node, {"Line", "Code"}), row.comment ? 0u : 1u) << row.line;
    }
}

} // namespace
