#include "ParserTest.h"
#include "engine/parsers/LineReader.h"
#include "engine/search/TextFinder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using VarnikTest::CounterText;
using VarnikTest::Lines;
using VarnikTest::ParserTest;
using VarnikTest::ReadWithFgets;
using VarnikTest::Request;
using Vn::LineReader;

namespace
{

TEST(LineReader, CutsPiecesExactlyAsFgetsDoes)
{
    // Lines around the piece size and of random length across several read blocks, NULs,
    // and a last line without a line feed.
    std::string text;
    for (size_t length : {0, 1, 4094, 4095, 4096, 8190, 8191, 100000})
        text += std::string(length, 'a') + '\n';
    std::mt19937 random(7);
    while (text.size() < 5 * LineReader::BLOCK_SIZE)
        text += std::string(random() % 9000, random() % 3 == 0 ? '\0' : 'b') +
                (random() % 5 == 0 ? "\r\n" : "\n");
    VarnikTest::TempTree tree;
    const Vn::SearchRequest request;
    const Vn::TextFinder finder(request);
    LineReader reader;
    // A second file reuses the buffer; looking for a text reads a whole file at once.
    const std::pair<std::string, const Vn::TextFinder*> files[] = {
        {text + "last", nullptr}, {"", nullptr}, {text + "last", &finder}};
    for (const auto& [content, finderOrNull] : files)
    {
        tree.File("f", content);
        ASSERT_TRUE(reader.Open(tree.Path("f").c_str(), finderOrNull));
        std::vector<std::string> pieces;
        while (const char* piece = reader.Next())
            pieces.emplace_back(piece);
        const auto expected = ReadWithFgets(tree.Path("f"));
        ASSERT_EQ(pieces.size(), expected.size());
        for (size_t i = 0; i < pieces.size(); i++)
            ASSERT_TRUE(pieces[i] == expected[i]) << "piece " << i;
    }
}

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
        EXPECT_EQ(test.mParsers.Search(path.c_str(), Request("", VarnikTest::CODE)), nullptr)
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
    const auto result =
        test.mParsers.Search(test.mTree.Path("a.txt").c_str(), Request("find", VarnikTest::CODE));
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->mLines.size(), 2u);
    EXPECT_EQ(result->mLines[0].mLine, 2u);
    EXPECT_EQ(result->mLines[0].mText, "find\r\n");
    EXPECT_EQ(result->mLines[1].mText, "find");
    // Nothing is found when file contents are not searched.
    auto names = Request("find", VarnikTest::CODE);
    names.mFlags.InContent = false;
    EXPECT_EQ(VarnikTest::FoundLines(test.mParsers, test.mTree.Path("a.txt"), names), Lines{});
}

// What the plain engine finds: every piece read, classified and handed to Find. Blank
// lines are not searched, not even for blanks; comment lines of scripts only for comments.
Lines PlainSearch(const std::vector<std::string>& pieces, bool script, unsigned bits,
                  const Vn::SearchRequest& request)
{
    Lines lines;
    for (size_t i = 0; i < pieces.size(); i++)
    {
        const std::string& line = pieces[i];
        const bool blank = line.find_first_not_of(" \t\r\n") == std::string::npos;
        const bool comment = script && line[0] == '#';
        if (!blank && (comment ? (bits & 2) != 0 : (bits & 15) != 0) && request.Find(line.c_str()))
            lines.push_back(static_cast<uint32_t>(i + 1));
    }
    return lines;
}

// Random lines with a rare text, NULs, CRLF and lines cut into pieces, in files read
// whole and in files larger than the reader takes at once, the text standing right at
// their start and end and across pieces.
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

    const char* texts[] = {"needle", "NEEDLE", "e\n", "", "#", "a\xc9", "ne\r", " "};
    ParserTest test;
    for (const std::string& content : files)
    {
        for (const char* name : {"a.txt", "a.sh"})
        {
            const std::string path = test.mTree.File(name, content).Path(name);
            const auto pieces = ReadWithFgets(path);
            for (const char* text : texts)
            {
                for (unsigned bits : {0, 1, 2, 3, 4, 8, 10, 16, 17, 18, 19, 28})
                {
                    const auto request = Request(text, bits);
                    ASSERT_EQ(VarnikTest::FoundLines(test.mParsers, path, request),
                              PlainSearch(pieces, name[2] == 's', bits, request))
                        << name << " of " << content.size() << " bytes, text "
                        << testing::PrintToString(std::string(text)) << ", bits " << bits;
                }
            }
        }
    }
}

} // namespace
