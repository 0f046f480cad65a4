#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CounterText;
using VarnikTest::Lines;
using VarnikTest::LineSummary;
using VarnikTest::ParserTest;
using namespace VarnikTest; // the zone bits

namespace
{

TEST(FileParser_Cpp, AddsDirectiveAndConditionCountersInPlace)
{
    ParserTest test;
    EXPECT_EQ(CounterText(*test.Parse("src/a.cpp", "#ifdef X\nint a; // note\n\n/* open")),
              "File = 1\n  cpp = 1\n"
              "Line = 4\n  Blank = 1\n  Code = 2\n  Comment = 1\n"
              "cpp = 4\n  Blank = 1\n  Code = 2\n    Directive = 1\n  Comment = 1\n"
              "#if = 1\n  X = 1\n"
              "File Length: 4 x1\n"
              "Parsing Error = 1\n");
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
        const auto node = test.Parse("a.c", row.content);
        EXPECT_EQ(LineSummary(*node), row.summary) << row.content;
        EXPECT_EQ(LineSummary(*node, "c"), row.summary) << row.content;
        EXPECT_EQ(VarnikTest::CountAt(*node, {"c", "Code", "Directive"}), row.directives)
            << row.content;
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
        {"#ifndef GUARD_H\n#define GUARD_H\n#endif\n", "#if = 1\n  GUARD_H = 1\n"},
        {"  #if defined(A) || defined(B)\n", "#if = 1\n  A = 1\n  B = 1\n"},
        {"#if 0\n", "#if = 1\n  0 = 1\n"},
        {"#ifdef X\n#if X > 2\n", "#if = 2\n  X = 2\n  2 = 1\n"},
        {"#ifdef FOO // note\n", "#if = 1\n  FOO = 1\n"},
        {"#if A+B\n#if A + B\n", "#if = 2\n  A+B = 1\n  A = 1\n  + = 1\n  B = 1\n"},
        {"#if definedX || DEFINED\n", "#if = 1\n  X = 1\n  DEFINED = 1\n"},
        {"#if A && !A\r\n", "#if = 1\n  A = 2\n"},
        {"#if X/2 # y\n#ifdefY\n", "#if = 2\n  X = 1\n  Y = 1\n"},
        {"#if ( ) || !\t<=>\n", "#if = 1\n"}, // only separators: a conditional line without names
        {"#ifdef\n", "#if = 1\n  def = 1\n"}, // "#if" followed by the name "def"
        {longCondition + "\n#ifdef " + longName + "\n",
         "#if = 2\n  X = 600\n  " + longName + " = 1\n"},
        // Lines that are no conditions.
        {"#elif X\n", "#if = 0\n"},
        {"# if X\n", "#if = 0\n"},
        {"#if\n", "#if = 0\n"},
        {"#include <x.h>\n", "#if = 0\n"},
        {"a # if X\n", "#if = 0\n"},
        {"#if // X\n", "#if = 0\n"},
    };
    ParserTest test;
    for (const auto& [content, names] : rows)
    {
        const std::string text = CounterText(*test.Parse("a.hpp", content));
        const size_t begin = text.find("#if = ");
        EXPECT_EQ(text.substr(begin, text.find("File Length") - begin), names)
            << content.substr(0, 40);
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
        EXPECT_EQ(test.SearchLines("a.cpp", content, VarnikTest::Request(row.text, row.zones)),
                  row.lines)
            << row.text << " in " << row.zones;
}

} // namespace
