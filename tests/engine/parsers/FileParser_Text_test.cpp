#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CounterText;
using VarnikTest::Lines;
using VarnikTest::LineSummary;
using VarnikTest::ParserTest;
using VarnikTest::Request;

namespace
{

TEST(FileParser_Text, CountsEachLineUnderLineAndUnderItsType)
{
    ParserTest test;
    const auto node = test.Parse("notes.txt", "abc\n\n  \t\nx");
    EXPECT_EQ(node->GetName(), test.mTree.Path("notes.txt"));
    EXPECT_EQ(CounterText(*node), "File = 1\n  txt = 1\n"
                                  "Line = 4\n  Blank = 2\n  Code = 2\n  Comment = 0\n"
                                  "txt = 4\n  Blank = 2\n  Code = 2\n  Comment = 0\n"
                                  "File Length: 4 x1\n");
    EXPECT_EQ(CounterText(*test.Parse("empty.txt", "")),
              "File = 1\n  txt = 1\n"
              "Line = 0\n  Blank = 0\n  Code = 0\n  Comment = 0\n"
              "txt = 0\n  Blank = 0\n  Code = 0\n  Comment = 0\n"
              "File Length: 0 x1\n");
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
        EXPECT_EQ(CounterText(*test.mParsers.Parse(path.c_str())),
                  "File = 1\n  txt = 1\nParsing Error = 1\n  File Open Error = 1\n")
            << name;
        EXPECT_EQ(test.mParsers.Search(path.c_str(), Request("", "code")), nullptr) << name;
    }
}

TEST(FileParser_Text, ClassifiesPiecesOfAnyContent)
{
    struct Row
    {
        std::string content;
        const char* summary;
    };
    const Row rows[] = {
        {" \t\r\n", "blank 1, code 0, comment 0, errors 0"},
        {"a\r\n\r\n", "blank 1, code 1, comment 0, errors 0"},
        {"\f\n\v\n\xA0\n", "blank 0, code 3, comment 0, errors 0"},
        // A NUL ends the text that is classified ("ab", "", "  "), not the line.
        {std::string("ab\0cd\n\0\xFF\n  \0x\n", 14), "blank 2, code 1, comment 0, errors 0"},
        {std::string(5000, 'x') + "\n", "blank 0, code 2, comment 0, errors 0"},
        {std::string(100000, 'x'), "blank 0, code 25, comment 0, errors 0"},
    };
    ParserTest test; // one parser for all rows: nothing carries over between files
    for (const Row& row : rows)
        EXPECT_EQ(LineSummary(*test.Parse("a.txt", row.content)), row.summary)
            << testing::PrintToString(row.content.substr(0, 20));
}

TEST(FileParser_Text, SearchesEveryNonBlankLineOnceAZoneIsChosen)
{
    const char* content = "x find\n\nfind find\n  \t\nfin\nFIND";
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.txt", content, Request("find", "code")), (Lines{1, 3}));
    EXPECT_EQ(test.SearchLines("a.txt", content, Request("find", "comment")), (Lines{1, 3}));
    EXPECT_EQ(test.SearchLines("a.txt", content, Request("find", "")), Lines{});
    // Blank lines are not searched, not even for blanks.
    EXPECT_EQ(test.SearchLines("a.txt", content, Request(" ", "code")), (Lines{1, 3}));

    auto ignoringCase = Request("find", "string");
    ignoringCase.mFlags.CaseSensitive = false;
    EXPECT_EQ(test.SearchLines("a.txt", content, ignoringCase), (Lines{1, 3, 6}));
    ignoringCase.mFlags.InContent = false;
    EXPECT_EQ(test.SearchLines("a.txt", content, ignoringCase), Lines{});
}

TEST(FileParser_Text, SearchKeepsTheLineAsRead)
{
    ParserTest test;
    test.mTree.File("a.txt", "a\r\nfind\r\nfind");
    const auto result =
        test.mParsers.Search(test.mTree.Path("a.txt").c_str(), Request("find", "code"));
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->mLines.size(), 2u);
    EXPECT_EQ(result->mLines[0].mLine, 2u);
    EXPECT_EQ(result->mLines[0].mText, "find\r\n");
    EXPECT_EQ(result->mLines[1].mText, "find");
}

} // namespace
