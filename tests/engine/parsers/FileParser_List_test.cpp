#include "ParserTest.h"

#include <gtest/gtest.h>

#include <algorithm>

using VarnikTest::CountAt;
using VarnikTest::Lines;

namespace
{

// The type is the text after the last dot of the whole path, compared with case. Files
// of a type with a line parser are read and can be searched; the other known types are
// only counted, and any other file counts as "Unknown".
TEST(FileParser_List, CountsEachFileUnderItsTypeAndReadsOnlyLineTypes)
{
    struct Row
    {
        const char* mPath;
        const char* mType;
        bool mRead;
    };
    const Row rows[] = {{"a.c", "c", true},
                        {"a.cmd", "cmd", true},
                        {"main.cpp", "cpp", true},
                        {"x/.gitignore", "gitignore", true},
                        {"a.h", "h", true},
                        {"a.hpp", "hpp", true},
                        {"a.txt", "txt", true},
                        {"a.sh", "sh", true},
                        {"a.vcxproj.filters", "filters", false},
                        {"a.resx", "resx", false},
                        {"a.sln", "sln", false},
                        {"a.vcxproj.user", "user", false},
                        {"a.vcxproj", "vcxproj", false},
                        {"MAIN.CPP", "Unknown", false},
                        {"README", "Unknown", false},
                        {"README.", "Unknown", false},
                        {"archive.tar.gz", "Unknown", false},
                        {"a.hh", "Unknown", false},
                        {"src.d/README", "Unknown", false}};
    VarnikTest::ParserTest test;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.mPath);
        const auto node = test.Parse(row.mPath, "find\n");
        EXPECT_EQ(CountAt(*node, {"File", row.mType}), 1u);
        EXPECT_EQ(CountAt(*node, {"Line"}), row.mRead ? 1u : 0u);
        EXPECT_EQ(
            test.SearchLines(row.mPath, "find\n", VarnikTest::Request("find", VarnikTest::CODE)),
            row.mRead ? Lines{1} : Lines{});
        EXPECT_EQ(std::ranges::count(Vn::FILE_TYPES, std::string_view(row.mType)) == 1, row.mRead);
    }
}

// The table reads a mode line at the end of a file from there, however large the file.
TEST(FileParser_List, UnderTheLanguageTableAModeLineAtTheEndNamesTheLanguage)
{
    Vn::AnalysisOptions options;
    options.mLanguages = true;
    const auto parsers = Vn::FileParser_List::CreateFilled(options);
    Vn::ReadingContext context;
    VarnikTest::TempTree tree;
    std::string text;
    for (int line = 0; line < 50000; line++)
        text += "x = 1\n";
    const std::pair<const char*, uint32_t> ends[] = {{"# vim: set ft=python:\n", 1},
                                                     {"# vim: set ft=python:\n\n\n\n\n\n", 0}};
    for (const auto& [end, python] : ends)
    {
        tree.File("tool", text + end);
        const auto node = parsers->Parse(tree.Path("tool").c_str(), context);
        EXPECT_EQ(CountAt(*node, {"File", "Python"}), python) << end;
    }
}

} // namespace
