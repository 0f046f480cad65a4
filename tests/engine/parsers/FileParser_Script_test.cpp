#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CountAt;
using VarnikTest::LineSummary;
using VarnikTest::ParserTest;
using VarnikTest::Request;

namespace
{

TEST(FileParser_Script, CommentLinesStartWithAHash)
{
    struct Row
    {
        const char* name;
        const char* line;
        const char* summary;
    };
    const Row rows[] = {
        {"run.sh", "#!/bin/sh\n", "blank 0, code 0, comment 1, errors 0"},
        {"run.sh", "# note\r\n", "blank 0, code 0, comment 1, errors 0"},
        {"run.sh", "  # note\n", "blank 0, code 1, comment 0, errors 0"},
        {"run.sh", "echo x # note\n", "blank 0, code 1, comment 0, errors 0"},
        {".gitignore", "# build output\n", "blank 0, code 0, comment 1, errors 0"},
        {".gitignore", "*.obj\n", "blank 0, code 1, comment 0, errors 0"},
    };
    ParserTest test;
    for (const Row& row : rows)
        EXPECT_EQ(LineSummary(*test.Parse(row.name, row.line)), row.summary) << row.line;
}

TEST(FileParser_Script, CountsUnderItsOwnType)
{
    ParserTest test;
    const auto node = test.Parse("build.sh", "#!/bin/sh\n# a\n\nx\ny\n# b\nz\n\t\nw\nv");
    EXPECT_EQ(LineSummary(*node), "blank 2, code 5, comment 3, errors 0");
    EXPECT_EQ(CountAt(*node, {"sh"}), 10);
    EXPECT_EQ(CountAt(*node, {"sh", "Comment"}), 3);
    EXPECT_EQ(CountAt(*node, {"File", "sh"}), 1);
}

TEST(FileParser_Script, SearchesCommentsOnlyWhenAsked)
{
    const char* content = "# find\necho find\n";
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.sh", content, Request("find", "comment")),
              (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(test.SearchLines("a.sh", content, Request("find", "code directive string")),
              (std::vector<uint32_t>{2}));
    EXPECT_TRUE(test.SearchLines("a.sh", content, Request("find", "")).empty());
}

} // namespace
