#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::Lines;
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
        const char* content;
        const char* summary;
    };
    const Row rows[] = {
        {"run.sh", "#!/bin/sh\n# note\r\n  # note\necho x # note\n",
         "blank 0, code 2, comment 2, errors 0"},
        {"build.sh", "#!/bin/sh\n# a\n\nx\ny\n# b\nz\n\t\nw\nv",
         "blank 2, code 5, comment 3, errors 0"},
        {".gitignore", "# build output\n*.obj\n", "blank 0, code 1, comment 1, errors 0"},
    };
    ParserTest test;
    for (const Row& row : rows)
        EXPECT_EQ(LineSummary(*test.Parse(row.name, row.content)), row.summary) << row.name;
    const auto node = test.Parse("build.sh", rows[1].content);
    EXPECT_EQ(VarnikTest::CountAt(*node, {"sh"}), 10u);
    EXPECT_EQ(VarnikTest::CountAt(*node, {"sh", "Comment"}), 3u);
}

TEST(FileParser_Script, SearchesCommentLinesOnlyForComments)
{
    const char* content = "# find\necho find\n";
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.sh", content, Request("find", "comment")), (Lines{1, 2}));
    EXPECT_EQ(test.SearchLines("a.sh", content, Request("find", "code directive string")),
              (Lines{2}));
}

} // namespace
