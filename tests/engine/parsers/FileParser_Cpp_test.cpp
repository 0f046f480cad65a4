#include "ParserTest.h"
#include "TreeText.h"

#include <gtest/gtest.h>

using VarnikTest::Describe;
using VarnikTest::DescribeCounters;
using VarnikTest::DescribeNode;
using VarnikTest::Lines;
using VarnikTest::LineSummary;
using VarnikTest::ParserTest;
using namespace VarnikTest; // the zone bits

namespace
{

TEST(FileParser_Cpp, AddsDirectiveAndConditionCountersInPlace)
{
    ParserTest test;
    EXPECT_EQ(DescribeNode(*test.Parse("src/a.cpp", "#ifdef X\nint a; // note\n\n/* open")),
              DescribeCounters("File=1[cpp=1], Line=4[Blank=1, Code=2, Comment=1], "
                               "cpp=4[Blank=1, Code=2[Directive=1], Comment=1], #if=1[X=1], "
                               "File Length~4x1, Parsing Error=1"));
}

TEST(FileParser_Cpp, ClassifiesLinesAndDirectives)
{
    struct Row
    {
        std::string content;
        const char* summary;
        uint32_t directives;
    };
    const Row rows[] = {
        {"int a; // note\n", "blank 0, code 1, comment 0, errors 0", 0},
        {"// note\n", "blank 0, code 0, comment 1, errors 0", 0},
        {"   \n\t\r\n", "blank 2, code 0, comment 0, errors 0", 0},
        {"#define A 1 // one\n", "blank 0, code 1, comment 0, errors 0", 1},
        {"s = \"//\";\n", "blank 0, code 1, comment 0, errors 0", 0},
        {"c = '\\'';\n", "blank 0, code 1, comment 0, errors 0", 0},
        {"it's\nx\n", "blank 0, code 2, comment 0, errors 1", 0},
        {"s = \"open\nx\n", "blank 0, code 2, comment 0, errors 1", 0},
        {"s = \"a\\\nb\n", "blank 0, code 2, comment 0, errors 1", 0},
        {"/* a\nb */\nc\n", "blank 0, code 1, comment 2, errors 0", 0},
        {"/* a\n\n*/\n", "blank 1, code 0, comment 2, errors 0", 0},
        {"/* a */ x\nx /* a */\n", "blank 0, code 2, comment 0, errors 0", 0},
        {"/**/\r\n", "blank 0, code 0, comment 1, errors 0", 0},
        {"/* open\n\n", "blank 1, code 0, comment 1, errors 1", 0},
        {"// a \\\nb\n", "blank 0, code 1, comment 1, errors 0", 0},
        {"#if X /* c\nint y;\n", "blank 0, code 2, comment 0, errors 0", 1},
        {"x = 1; # y\n", "blank 0, code 1, comment 0, errors 0", 1},
        {"/* # */\n\"#\"\n'#'\n", "blank 0, code 2, comment 1, errors 0", 0},
        {std::string("x\0/*\n", 5), "blank 0, code 1, comment 0, errors 0", 0},
    };
    ParserTest test; // one parser for all rows: each file starts in code
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::PrintToString(row.content));
        const auto node = test.Parse("a.c", row.content);
        EXPECT_EQ(LineSummary(*node), row.summary);
        EXPECT_EQ(LineSummary(*node, "c"), row.summary);
        EXPECT_EQ(VarnikTest::CountAt(*node, {"c", "Code", "Directive"}), row.directives);
    }
}

TEST(FileParser_Cpp, CountsTheNamesThatConditionsTest)
{
    // A condition of 3,000 characters and a name of 300 are counted whole.
    std::string longCondition = "#if X";
    while (longCondition.size() < 3000)
        longCondition += " || X";
    const std::string longName(300, 'N');
    const std::pair<std::string, std::string> rows[] = {
        {"#ifndef GUARD_H\n#define GUARD_H\n#endif\n", "#if=1[GUARD_H=1]"},
        {"  #if defined(A) || defined(B)\n", "#if=1[A=1, B=1]"},
        {"#if 0\n", "#if=1[0=1]"},
        {"#ifdef X\n#if X > 2\n", "#if=2[X=2, 2=1]"},
        {"#ifdef FOO // note\n", "#if=1[FOO=1]"},
        {"#if A+B\n#if A + B\n", "#if=2[A+B=1, A=1, +=1, B=1]"},
        {"#if definedX || DEFINED\n", "#if=1[X=1, DEFINED=1]"},
        {"#if A && !A\r\n", "#if=1[A=2]"},
        {"#if X/2 # y\n#ifdefY\n", "#if=2[X=1, Y=1]"},
        {"#if ( ) || !\t<=>\n", "#if=1"}, // only separators: a conditional line without names
        {"#ifdef\n", "#if=1[def=1]"},     // "#if" followed by the name "def"
        {longCondition + "\n#ifdef " + longName + "\n", "#if=2[X=600, " + longName + "=1]"},
        // Lines that are no conditions.
        {"#elif X\n", "#if=0"},
        {"# if X\n", "#if=0"},
        {"#if\n", "#if=0"},
        {"#include <x.h>\n", "#if=0"},
        {"a # if X\n", "#if=0"},
        {"#if // X\n", "#if=0"},
    };
    ParserTest test;
    for (const auto& [content, names] : rows)
    {
        SCOPED_TRACE(content.substr(0, 40));
        const std::string text = DescribeNode(*test.Parse("a.hpp", content));
        const size_t begin = text.find("#if = ");
        EXPECT_EQ(text.substr(begin, text.find("File Length") - begin), DescribeCounters(names));
    }
}

TEST(FileParser_Cpp, SearchCountsOnlyTheChosenZones)
{
    const char* content = "int find = 1;\n"    // 1: code
                          "s = \"find\";\n"    // 2: string
                          "/* find\n"          // 3: comment
                          "   find */\n"       // 4: comment, continued
                          "// find\n"          // 5: comment
                          "#define find\n"     // 6: directive
                          "x = '\"'; // \"\n"; // 7: a quote in a character literal
    struct Row
    {
        const char* text;
        unsigned zones;
        Lines lines;
    };
    const Row rows[] = {
        {"find", CODE, {1}},
        {"find", STRING, {2}},
        {"find", COMMENT, {3, 4, 5}},
        {"find", DIRECTIVE, {6}},
        {"find", CODE | COMMENT | DIRECTIVE | STRING, {1, 2, 3, 4, 5, 6}},
        {"\"find", CODE, {2}},   // a match may begin at the opening quote
        {"find\"", STRING, {2}}, // and run on beyond the string
        {"\"", COMMENT, {7}},
        {"\"", STRING, {2}},
        {"find", 0, {}},
        {"/", COMMENT, {}}, // compared only where a token begins
    };
    ParserTest test;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.text) + " in zones " + std::to_string(row.zones));
        EXPECT_EQ(test.SearchLines("a.cpp", content, VarnikTest::Request(row.text, row.zones)),
                  row.lines);
    }
}

} // namespace
