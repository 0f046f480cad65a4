#include "ParserTest.h"

#include <gtest/gtest.h>

using VarnikTest::CountAt;
using VarnikTest::CounterText;
using VarnikTest::Lines;
using VarnikTest::LineSummary;
using VarnikTest::ParserTest;
using VarnikTest::Request;

namespace
{

TEST(FileParser_Cpp, AddsDirectiveAndConditionCountersInPlace)
{
    ParserTest test;
    const auto node = test.Parse("src/a.cpp", "#ifdef X\nint a; // note\n\n/* open");
    EXPECT_EQ(CounterText(*node),
              "File = 1\n  cpp = 1\n"
              "Line = 4\n  Blank = 1\n  Code = 2\n  Comment = 1\n"
              "cpp = 4\n  Blank = 1\n  Code = 2\n    Directive = 1\n  Comment = 1\n"
              "#if = 1\n  X = 1\n"
              "File Length: 4 x1\n"
              "Parsing Error = 1\n");
}

struct ClassifyRow
{
    std::string content;
    const char* summary;
    uint32_t directives;
};

class FileParser_Cpp_Classify : public testing::TestWithParam<ClassifyRow>
{
};

TEST_P(FileParser_Cpp_Classify, CountsLinesDirectivesAndErrors)
{
    ParserTest test;
    const auto node = test.Parse("a.c", GetParam().content);
    EXPECT_EQ(LineSummary(*node), GetParam().summary);
    EXPECT_EQ(CountAt(*node, {"c", "Code", "Directive"}), GetParam().directives);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FileParser_Cpp_Classify,
    testing::Values(
        ClassifyRow{"int a; // note\n", "blank 0, code 1, comment 0, errors 0", 0},
        ClassifyRow{"// note\n", "blank 0, code 0, comment 1, errors 0", 0},
        ClassifyRow{"   \n\t\r\n", "blank 2, code 0, comment 0, errors 0", 0},
        ClassifyRow{"#define A 1 // one\n", "blank 0, code 1, comment 0, errors 0", 1},
        ClassifyRow{"s = \"//\";\n", "blank 0, code 1, comment 0, errors 0", 0},
        ClassifyRow{"c = '\\'';\n", "blank 0, code 1, comment 0, errors 0", 0},
        ClassifyRow{"it's\nx\n", "blank 0, code 2, comment 0, errors 1", 0},
        ClassifyRow{"s = \"open\nx\n", "blank 0, code 2, comment 0, errors 1", 0},
        ClassifyRow{"s = \"a\\\nb\n", "blank 0, code 2, comment 0, errors 1", 0},
        ClassifyRow{"/* a\nb */\nc\n", "blank 0, code 1, comment 2, errors 0", 0},
        ClassifyRow{"/* a\n\n*/\n", "blank 1, code 0, comment 2, errors 0", 0},
        ClassifyRow{"/* a */ x\nx /* a */\n", "blank 0, code 2, comment 0, errors 0", 0},
        ClassifyRow{"/**/\r\n", "blank 0, code 0, comment 1, errors 0", 0},
        ClassifyRow{"/* open\n\n", "blank 1, code 0, comment 1, errors 1", 0},
        ClassifyRow{"// a \\\nb\n", "blank 0, code 1, comment 1, errors 0", 0},
        ClassifyRow{"#if X /* c\nint y;\n", "blank 0, code 2, comment 0, errors 0", 1},
        ClassifyRow{"x = 1; # y\n", "blank 0, code 1, comment 0, errors 0", 1},
        ClassifyRow{"/* # */\n\"#\"\n'#'\n", "blank 0, code 2, comment 1, errors 0", 0},
        ClassifyRow{std::string("x\0/*\n", 5), "blank 0, code 1, comment 0, errors 0", 0}));

// The "#if" counter of a file holding `content`, as the counter tree shows it.
std::string Conditions(std::string_view content)
{
    ParserTest test;
    const std::string text = CounterText(*test.Parse("a.hpp", content));
    const size_t begin = text.find("#if = ");
    return text.substr(begin, text.find("File Length") - begin);
}

TEST(FileParser_Cpp, CountsTheNamesThatConditionsTest)
{
    EXPECT_EQ(Conditions("#ifndef GUARD_H\n#define GUARD_H\n#endif\n"), "#if = 1\n  GUARD_H = 1\n");
    EXPECT_EQ(Conditions("  #if defined(A) || defined(B)\n"), "#if = 1\n  A = 1\n  B = 1\n");
    EXPECT_EQ(Conditions("#if 0\n"), "#if = 1\n  0 = 1\n");
    EXPECT_EQ(Conditions("#ifdef X\n#if X > 2\n"), "#if = 2\n  X = 2\n  2 = 1\n");
    EXPECT_EQ(Conditions("#ifdef FOO // note\n"), "#if = 1\n  FOO = 1\n");
    EXPECT_EQ(Conditions("#if A+B\n#if A + B\n"),
              "#if = 2\n  A+B = 1\n  A = 1\n  + = 1\n  B = 1\n");
    EXPECT_EQ(Conditions("#if definedX || DEFINED\n"), "#if = 1\n  X = 1\n  DEFINED = 1\n");
    EXPECT_EQ(Conditions("#if A && !A\r\n"), "#if = 1\n  A = 2\n");
    EXPECT_EQ(Conditions("#if X/2 # y\n#ifdefY\n"), "#if = 2\n  X = 1\n  Y = 1\n");
}

TEST(FileParser_Cpp, OtherDirectivesTestNoNames)
{
    for (const char* line :
         {"#elif X\n", "# if X\n", "#if\n", "#include <x.h>\n", "a # if X\n", "#if // X\n"})
        EXPECT_EQ(Conditions(line), "#if = 0\n") << line;
}

TEST(FileParser_Cpp, ConditionsOfAnyShapeAreWalkedSafely)
{
    // Only separators: a conditional line without names.
    EXPECT_EQ(Conditions("#if ( ) || !\t<=>\n"), "#if = 1\n");
    // A bare "#ifdef" reads as "#if" followed by the name "def".
    EXPECT_EQ(Conditions("#ifdef\n"), "#if = 1\n  def = 1\n");

    // A condition of 3,000 characters and a name of 300 are counted whole.
    std::string longCondition = "#if X";
    while (longCondition.size() < 3000)
        longCondition += " || X";
    const std::string longName(300, 'N');
    const std::string text = Conditions(longCondition + "\n#ifdef " + longName + "\n");
    EXPECT_EQ(text, "#if = 2\n  X = 600\n  " + longName + " = 1\n");
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
        const char* zones;
        Lines lines;
    };
    const Row rows[] = {
        {"find", "code", {1}},
        {"find", "string", {2}},
        {"find", "comment", {3, 4, 5}},
        {"find", "directive", {6}},
        {"find", "code comment directive string", {1, 2, 3, 4, 5, 6}},
        {"\"find", "code", {2}},   // a match may begin at the opening quote
        {"find\"", "string", {2}}, // and run on beyond the string
        {"\"", "comment", {7}},
        {"\"", "string", {2}},
        {"find", "", {}},
    };
    ParserTest test;
    for (const Row& row : rows)
        EXPECT_EQ(test.SearchLines("a.cpp", content, Request(row.text, row.zones)), row.lines)
            << row.text << " in " << row.zones;
}

TEST(FileParser_Cpp, SearchTriesOnlyPositionsWhereATokenBegins)
{
    ParserTest test;
    EXPECT_EQ(test.SearchLines("a.cpp", "/* b */\n", Request("/", "comment")), Lines{});
    EXPECT_EQ(test.SearchLines("a.cpp", "/* a/b */\n", Request("/", "comment")), (Lines{1}));
    EXPECT_EQ(test.SearchLines("a.cpp", "/* b */\n", Request("/", "code comment")), (Lines{1}));
    // Unlike the line parsers, the machine compares on blank lines too.
    EXPECT_EQ(test.SearchLines("a.cpp", "x\n  \n", Request(" ", "code")), (Lines{2}));
}

TEST(FileParser_Cpp, EachFileStartsInCode)
{
    ParserTest test;
    test.Parse("open.c", "/* never closed\n");
    test.SearchLines("open.c", "/* never closed\n", Request("x", "code"));
    EXPECT_EQ(test.SearchLines("b.c", "find\n", Request("find", "code")), (Lines{1}));
    EXPECT_EQ(LineSummary(*test.Parse("b.c", "x\n")), "blank 0, code 1, comment 0, errors 0");
}

} // namespace
