#include "ParserTest.h"
#include "TableWalk.h"

#include <gtest/gtest.h>

#include <random>

using VarnikTest::CounterText;
using VarnikTest::Lines;
using VarnikTest::LineSummary;
using VarnikTest::ParserTest;
using VarnikTest::Request;
using Vn::LineReader;

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

// What the plain engine finds: every piece read, classified and handed to Find.
VarnikTest::Lines PlainSearch(const std::vector<std::string>& pieces, bool script,
                              const Vn::SearchRequest& request)
{
    const auto anyZone = request.mFlags.InCode || request.mFlags.InComment ||
                         request.mFlags.InDirective || request.mFlags.InString;
    VarnikTest::Lines lines;
    for (size_t i = 0; i < pieces.size(); i++)
    {
        const std::string& line = pieces[i];
        const bool blank = line.find_first_not_of(" \t\r\n") == std::string::npos;
        const bool comment = script && line[0] == '#';
        if (!blank && (comment ? request.mFlags.InComment : anyZone) && request.Find(line.c_str()))
            lines.push_back(static_cast<uint32_t>(i + 1));
    }
    return lines;
}

// Random lines with a rare text, NULs, CRLF and lines cut into pieces, in files read
// whole and in files larger than the reader takes at once, the text standing right at
// their start and end.
TEST(FileParser_Text, SearchFindsTheLinesThatThePlainRulesFind)
{
    const std::string alphabet("#  \tab\xe9\xc9Nn\r\0", 12);
    std::mt19937 random(11);
    std::vector<std::string> files;
    for (size_t size : {size_t{30000}, LineReader::WHOLE_FILE - 1, LineReader::WHOLE_FILE + 4321})
    {
        std::string text = "needle";
        while (text.size() + 6 < size)
        {
            const size_t length = random() % 100 == 0 ? 4090 + random() % 10 : random() % 60;
            for (size_t i = 0; i < length; i++)
                text += random() % 500 == 0 ? "Needle" : std::string(1, alphabet[random() % 12]);
            text += '\n';
        }
        files.push_back(text.substr(0, size - 6) + "needle");
    }
    files.push_back(std::string(4093, 'a') + "needle\n" + std::string(4093, 'a') + "#needle");

    const char* texts[] = {"needle", "NEEDLE", "e\n", "", "#", "a\xc9", "ne\r"};
    ParserTest test;
    for (const std::string& content : files)
    {
        for (const char* name : {"a.txt", "a.sh"})
        {
            const std::string path = test.mTree.File(name, content).Path(name);
            const auto pieces = VarnikTest::ReadWithFgets(path);
            for (const char* text : texts)
            {
                for (unsigned flags = 0; flags < 8; flags++) // code, comment, case ignored
                {
                    auto request = Request(text, "");
                    request.mFlags.InCode = flags & 1;
                    request.mFlags.InComment = flags & 2;
                    request.mFlags.CaseSensitive = (flags & 4) == 0;
                    VarnikTest::Lines found;
                    if (const auto result = test.mParsers.Search(path.c_str(), request))
                    {
                        for (const auto& line : result->mLines)
                            found.push_back(line.mLine);
                    }
                    ASSERT_EQ(found, PlainSearch(pieces, name[2] == 's', request))
                        << name << " of " << content.size() << " bytes, text "
                        << testing::PrintToString(std::string(text)) << ", flags " << flags;
                }
            }
        }
    }
}

} // namespace
