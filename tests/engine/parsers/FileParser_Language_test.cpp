// Files read as their compilers and shells read them, through the language table: each
// row's counts are written from the language's rules, never from Varnik's output.

#include "ParserTest.h"
#include "engine/parsers/FileParser_Language.h"

#include <gtest/gtest.h>

namespace
{

using VarnikTest::CountAt;
using VarnikTest::LineSummary;

struct Case
{
    const char* mWhat;
    const char* mName;
    std::string mText;
    const char* mSummary; // blank, code, comment, errors
    unsigned mDirectives = 0;
    const char* mCensus = ""; // the names of the #if census, each with its count
};

const Case CASES[] = {
    {"a comment opened on a directive runs to its close", "a.c",
     "#define X 1 /* starts\nstill comment */\nint a;\n", "blank 0, code 2, comment 1, errors 0",
     1},
    {"a // comment on a directive continued by a backslash", "a.c",
     "#define Y 2 // note \\\n   still note\nint b;\n", "blank 0, code 2, comment 1, errors 0", 1},
    {"a line of a form feed is blank", "a.c", "int a;\n\f\nint b;\n",
     "blank 1, code 2, comment 0, errors 0"},
    {"a form feed inside a comment", "a.c", "/* a\n\f\n b */\n",
     "blank 1, code 0, comment 2, errors 0"},
    {"a byte-order mark before #include", "a.c", "\xEF\xBB\xBF#include <a.h>\n// c\n",
     "blank 0, code 1, comment 1, errors 0", 1},
    {"a 10,000-byte line between two comments", "a.c",
     "// a\nint x = " + std::string(10000, 'y') + ";\n// b\n",
     "blank 0, code 1, comment 2, errors 0"},
    {"#if 0 text holding a lone quote", "a.c", "#if 0\ndon't\n#endif\n",
     "blank 0, code 3, comment 0, errors 0", 2, "#if 1\n"},
    {"a continued #error holding an apostrophe", "a.c", "#error can't \\\n  do it\nint a;\n",
     "blank 0, code 3, comment 0, errors 0", 1},
    {"the census holds identifiers only", "a.c",
     "#if defined(A) && B > 2 || __has_include(<x.h>) || C(1)\n#elif defined D\n#endif\n",
     "blank 0, code 3, comment 0, errors 0", 3, "#if 2\n  A 1\n  B 1\n  C 1\n  D 1\n"},
    {"a raw string holding comment markers", "a.cpp", "auto s = R\"x(\n/* not */\n)x\";\n",
     "blank 0, code 3, comment 0, errors 0"},
    {"a comment left open is the one error", "a.cpp", "int a; /* open\n",
     "blank 0, code 1, comment 0, errors 1"},
    {"shell comments start a word, after blanks or ;", "a.sh",
     "  # indented\necho a#b ${#x}\nx=1; # after\n\t# tab\n",
     "blank 0, code 2, comment 2, errors 0"},
    {"a heredoc holds no comments", "a.sh", "cat <<-EOF\n\t# text\n\tEOF\n# c\n",
     "blank 0, code 3, comment 1, errors 0"},
};

std::string CensusText(const Vn::Data_Node& node)
{
    const auto* census =
        dynamic_cast<const Vn::Counter_Count*>(node.mCounters.Find(Vn::Counter_Count::TYPE, "#if"));
    if (census == nullptr || census->GetCount() == 0)
        return "";
    std::string text = "#if " + std::to_string(census->GetCount()) + "\n";
    for (const auto& name : census->mCounters)
        text += std::string("  ") + name->GetName() + " " +
                std::to_string(static_cast<const Vn::Counter_Count&>(*name).GetCount()) + "\n";
    return text;
}

TEST(FileParser_Language, ReadsCAndShellAsTheirCompilersAndShellsDo)
{
    VarnikTest::TempTree tree;
    Vn::FileParser_Language parser(Vn::LanguageTable::BuiltIn());
    for (const Case& row : CASES)
    {
        SCOPED_TRACE(row.mWhat);
        tree.File(row.mName, row.mText);
        const auto node = parser.Parse(tree.Path(row.mName).c_str());
        EXPECT_EQ(LineSummary(*node), row.mSummary);
        const char* language = std::string_view(row.mName).ends_with(".sh")  ? "Shell"
                               : std::string_view(row.mName).ends_with(".c") ? "C"
                                                                             : "C++";
        EXPECT_EQ(CountAt(*node, {language, "Code", "Directive"}), row.mDirectives);
        EXPECT_EQ(CensusText(*node), row.mCensus);
    }
}

} // namespace
