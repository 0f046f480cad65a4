#include "ParserTest.h"

#include <gtest/gtest.h>

#include <cstring>

using VarnikTest::Describe;
using VarnikTest::DescribeNode;
using VarnikTest::Lines;
using VarnikTest::ParserTest;
using VarnikTest::Request;

namespace
{

TEST(FileParser_Text, CountsEachLineUnderLineAndUnderItsType)
{
    ParserTest test;
    const auto node = test.Parse("notes.txt", "abc\n\n  \t\nx");
    EXPECT_EQ(node->GetName(), test.mTree.Path("notes.txt"));
    EXPECT_EQ(DescribeNode(*node),
              "File = 1\n  100.0% txt (1)\n"
              "Line = 4\n  50.0% Blank (2)\n  50.0% Code (2)\n  0.0% Comment (0)\n"
              "txt = 4\n  50.0% Blank (2)\n  50.0% Code (2)\n  0.0% Comment (0)\n"
              "File Length (Histogram) lines/files: 4 x1\n");
    EXPECT_EQ(DescribeNode(*test.Parse("empty.txt", "")),
              "File = 1\n  100.0% txt (1)\n"
              "Line = 0\n  Blank = 0\n  Code = 0\n  Comment = 0\n"
              "txt = 0\n  Blank = 0\n  Code = 0\n  Comment = 0\n"
              "File Length (Histogram) lines/files: 0 x1\n");
}

TEST(FileParser_Text, FileThatCannotBeOpenedIsAParsingError)
{
    ParserTest test;
    test.mTree.Fifo("pipe.txt").Folder("folder.txt").File("locked.txt", "x\n");
    test.mTree.Mode("locked.txt", 0);
    std::vector<std::string> names = {"missing.txt", "pipe.txt", "folder.txt"};
    if (!VarnikTest::IgnoresPermissions())
        names.push_back("locked.txt");
    for (const std::string& name : names)
    {
        const std::string path = test.mTree.Path(name);
        EXPECT_EQ(DescribeNode(*test.mParsers.Parse(path.c_str(), test.mContext)),
                  "File = 1\n  100.0% txt (1)\nParsing Error = 1\n  100.0% File Open Error (1)\n")
            << name;
        EXPECT_EQ(test.mParsers.Search(path.c_str(), Request("", VarnikTest::CODE), test.mContext),
                  nullptr)
            << name;
    }
}

// Text, script and command files: the lines under "Line" and under the file's type.
TEST(FileParser_Text, ClassifiesLinesOfEachType)
{
    const char* const CODE = "blank 0, code 1, comment 0, errors 0";
    const char* const COMMENT = "blank 0, code 0, comment 1, errors 0";
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"a.txt", " \t\r\n", "blank 1, code 0, comment 0, errors 0"},
        {"a.txt", "a\r\n\r\n", "blank 1, code 1, comment 0, errors 0"},
        {"a.txt", "\f\n\v\n\xA0\n", "blank 0, code 3, comment 0, errors 0"},
        // A NUL ends the text that is classified ("ab", "", "  "), not the line.
        {"a.txt", std::string("ab\0cd\n\0\xFF\n  \0x\n", 14),
         "blank 2, code 1, comment 0, errors 0"},
        {"a.txt", std::string(5000, 'x') + "\n", "blank 0, code 2, comment 0, errors 0"},
        {"a.txt", std::string(100000, 'x'), "blank 0, code 25, comment 0, errors 0"},
        {"run.sh", "#!/bin/sh\n# note\r\n  # note\necho x # note\n",
         "blank 0, code 2, comment 2, errors 0"},
        {"build.sh", "#!/bin/sh\n# a\n\nx\ny\n# b\nz\n\t\nw\nv",
         "blank 2, code 5, comment 3, errors 0"},
        {".gitignore", "# build output\n*.obj\n", "blank 0, code 1, comment 1, errors 0"},
        {"a.cmd", "REM note\n", COMMENT},
        {"a.cmd", "rem note\n", COMMENT},
        {"a.cmd", "\tRem note\n", COMMENT},
        {"a.cmd", " rem\n", COMMENT},
        {"a.cmd", "rEm\r\n", COMMENT},
        {"a.cmd", "rem", COMMENT},
        {"a.cmd", "remark\n", CODE},
        {"a.cmd", "rem:\n", CODE},
        {"a.cmd", "@rem note\n", CODE},
        {"a.cmd", ":: note\n", CODE},
        {"a.cmd", "echo rem\n", CODE},
    };
    ParserTest test; // one parser for all rows: nothing carries over between files
    for (const auto& [name, content, summary] : rows)
    {
        const auto node = test.Parse(name, content);
        const char* type = std::strrchr(name, '.') + 1;
        EXPECT_EQ(VarnikTest::LineSummary(*node), summary) << testing::PrintToString(content);
        EXPECT_EQ(VarnikTest::LineSummary(*node, type), summary) << name;
        const uint32_t lines = VarnikTest::CountAt(*node, {"Line"});
        EXPECT_EQ(VarnikTest::CountAt(*node, {type}), lines) << name;
        EXPECT_EQ(VarnikTest::CountAt(*node, {"Line", "Blank"}) +
                      VarnikTest::CountAt(*node, {"Line", "Code"}) +
                      VarnikTest::CountAt(*node, {"Line", "Comment"}),
                  lines)
            << name;
    }
}

TEST(FileParser_Text, SearchKeepsTheLineAsRead)
{
    ParserTest test;
    test.mTree.File("a.txt", "a\r\nfind\r\nfind");
    const auto result = test.mParsers.Search(test.mTree.Path("a.txt").c_str(),
                                             Request("find", VarnikTest::CODE), test.mContext);
    ASSERT_NE(result, nullptr);
    const Vn::SearchHits hits = result->GetHits();
    ASSERT_EQ(hits.GetLineCount(), 2u);
    EXPECT_EQ(hits.GetLineNumber(0), 2u);
    EXPECT_EQ(hits.GetLineText(0), "find\r\n");
    EXPECT_EQ(hits.GetLineText(1), "find");
    // Nothing is found when file contents are not searched.
    auto names = Request("find", VarnikTest::CODE);
    names.mFlags.InContent = false;
    EXPECT_EQ(VarnikTest::FoundLines(test.mParsers, test.mTree.Path("a.txt"), names), Lines{});
}

} // namespace
