#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CountAt;
using VarnikTest::CounterText;
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
    EXPECT_EQ(CounterText(*node), "File = 1\n"
                                  "  txt = 1\n"
                                  "Line = 4\n"
                                  "  Blank = 2\n"
                                  "  Code = 2\n"
                                  "  Comment = 0\n"
                                  "txt = 4\n"
                                  "  Blank = 2\n"
                                  "  Code = 2\n"
                                  "  Comment = 0\n"
                                  "File Length: 4 x1\n");
}

TEST(FileParser_Text, EmptyFileHasNoLines)
{
    ParserTest test;
    const auto node = test.Parse("empty.txt", "");
    EXPECT_EQ(LineSummary(*node), "blank 0, code 0, comment 0, errors 0");
    EXPECT_EQ(CountAt(*node, {"txt"}), 0);
    EXPECT_NE(CounterText(*node).find("File Length: 0 x1\n"), std::string::npos);
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
        const auto node = test.mParsers.Parse(test.mTree.Path(name).c_str());
        EXPECT_EQ(CounterText(*node), "File = 1\n"
                                      "  txt = 1\n"
                                      "Parsing Error = 1\n"
                                      "  File Open Error = 1\n")
            << name;
        EXPECT_EQ(test.mParsers.Search(test.mTree.Path(name).c_str(), Request("", "code")),
                  nullptr);
    }
}

TEST(FileParser_Text, OnlyBlanksMakeABlankLine)
{
    struct Row
    {
        std::string content;
        const char* summary;
    };
    const Row rows[] = {
        {" \t\r\n", "blank 1, code 0, comment 0, errors 0"},
        {"a\r\n\r\n", "blank 1, code 1, comment 0, errors 0"},
        {"\f\n", "blank 0, code 1, comment 0, errors 0"},
        {"\v\n", "blank 0, code 1, comment 0, errors 0"},
        {"\xA0\n", "blank 0, code 1, comment 0, errors 0"},
        // A NUL ends the text that is classified: "ab", "", "  ".
        {std::string("ab\0cd\n\0\xFF\n  \0x\n", 14), "blank 2, code 1, comment 0, errors 0"},
        {std::string(5000, 'x') + "\n", "blank 0, code 2, comment 0, errors 0"},
        {std::string(100000, 'x'), "blank 0, code 25, comment 0, errors 0"},
    };
    ParserTest test;
    for (const Row& row : rows)
        EXPECT_EQ(LineSummary(*test.Parse("a.txt", row.content)), row.summary)
            << testing::PrintToString(row.content.substr(0, 20));
}

TEST(FileParser_Text, EachFileGetsFreshCounters)
{
    ParserTest test;
    test.Parse("a.txt", "one\ntwo\n");
    const auto second = test.Parse("b.txt", "\n");
    EXPECT_EQ(LineSummary(*second), "blank 1, code 0, comment 0, errors 0");
    EXPECT_EQ(CountAt(*second, {"txt"}), 1);
}

TEST(FileParser_Text, SearchFindsNonBlankLinesWhateverZoneIsChosen)
{
    const char* content = "x find\n\nfind find\n  \t\nfin\nFIND";
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.txt", content, Request("find", "code")),
              (std::vector<uint32_t>{1, 3}));
    EXPECT_EQ(test.SearchLines("a.txt", content, Request("find", "comment")),
              (std::vector<uint32_t>{1, 3}));
    EXPECT_TRUE(test.SearchLines("a.txt", content, Request("find", "")).empty());

    auto ignoringCase = Request("find", "string");
    ignoringCase.mFlags.CaseSensitive = false;
    EXPECT_EQ(test.SearchLines("a.txt", content, ignoringCase), (std::vector<uint32_t>{1, 3, 6}));

    auto noContent = Request("find", "code comment directive string");
    noContent.mFlags.InContent = false;
    EXPECT_EQ(test.Search("a.txt", content, noContent), nullptr);

    // Blank lines are never searched, not even for blanks.
    EXPECT_EQ(test.SearchLines("a.txt", content, Request(" ", "code")),
              (std::vector<uint32_t>{1, 3}));
}

TEST(FileParser_Text, SearchKeepsTheLineAsRead)
{
    ParserTest test;
    const auto result = test.Search("a.txt", "a\r\nfind\r\nfind", Request("find", "code"));
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->mLines.size(), 2u);
    EXPECT_EQ(result->mLines[0].mText, "find\r\n");
    EXPECT_EQ(result->mLines[0].mLine, 2u);
    EXPECT_EQ(result->mLines[1].mText, "find");
}

TEST(FileParser_Text, SearchSeesLongLinesAsPieces)
{
    // The text straddles the end of the first 4,095-byte piece and is not found; the
    // copy in the second piece is, as line 2.
    const std::string line = std::string(4093, 'x') + "find" + std::string(10, 'x') + "find\n";
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.txt", line, Request("find", "code")), (std::vector<uint32_t>{2}));
}

} // namespace
