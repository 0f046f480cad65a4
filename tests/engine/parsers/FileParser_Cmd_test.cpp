#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CountAt;
using VarnikTest::ParserTest;
using VarnikTest::Request;

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
        EXPECT_EQ(CountAt(*node, {"cmd", "Comment"}), row.comment ? 1 : 0) << row.line;
        EXPECT_EQ(CountAt(*node, {"Line", "Code"}), row.comment ? 0 : 1) << row.line;
    }
}

TEST(FileParser_Cmd, SearchesCommentsOnlyWhenAsked)
{
    const char* content = "rem find\necho find\n";
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.cmd", content, Request("find", "code")),
              (std::vector<uint32_t>{2}));
    EXPECT_EQ(test.SearchLines("a.cmd", content, Request("find", "comment")),
              (std::vector<uint32_t>{1, 2}));
}

} // namespace
