#include "lib/IgnoreList.h"

#include "TempTree.h"
#include "lib/Exception.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

using TrovLib::IgnoreList;
using VarnikTest::TempTree;

namespace
{

// A path asked about is relative to the root; "/" at its end marks a folder.
struct Rule
{
    std::string mIgnoreFile; // contents of the list's ".gitignore"
    const char* mListFolder; // relative to the root; null for the root itself
    std::vector<std::string> mIgnored;
    std::vector<std::string> mKept;
};

const std::string LONG_LINE(3000, 'x');

// Each row writes the ignore file to disk, reads it into a list and asks about the paths.
const Rule RULES[] = {
    {"*.obj\n", nullptr, {"x.obj", "a/b/x.obj"}, {"x.obj/", "x.obj.txt"}},
    {"build/\n", nullptr, {"build/", "a/build/"}, {"build", "rebuild/"}},
    {"/build/\n", nullptr, {"build/"}, {"a/build/"}},
    {"build\n", nullptr, {"build", "a/b/build"}, {"build/"}},
    {"tmp\n", "sub", {"sub/tmp", "sub/x/tmp"}, {"tmp", "other/tmp", "sub2/tmp"}},
    {"/tmp\n", "sub", {"sub/tmp"}, {"sub/x/tmp"}},
    {"#x\n", nullptr, {}, {"#x"}},
    {" #x\n", nullptr, {" #x"}, {"#x"}},
    {"!keep.txt\n", nullptr, {"!keep.txt"}, {"keep.txt"}},
    {"a.txt  \t \r\n", nullptr, {"a.txt"}, {}},
    {"out/ \r\n/a/b/ \r\nx?/\n", nullptr, {"out/", "a/b/", "xy/"}, {"x/a/b/", "xy"}},
    {"d/ e\n", nullptr, {"d/ e"}, {}},
    {"doc/gen\n", nullptr, {"doc/gen", "x/doc/gen"}, {"gen", "doc/gen/x"}},
    {"*\n", nullptr, {"a", "d/e/f"}, {"d/"}},
    {"a*b\n", nullptr, {"a/x/b"}, {}},
    {"Makefile\n", nullptr, {}, {"makefile"}},
    {"x\n\n# comment\n   \n/\n*.log", nullptr, {"y/z.log"}, {}},
    // A long line is read in pieces of 2,047 characters, each a pattern of its own.
    {LONG_LINE + "\n", nullptr, {LONG_LINE.substr(0, 2047), LONG_LINE.substr(2047)}, {LONG_LINE}},
};

bool IsIgnored(const IgnoreList& list, const std::string& path)
{
    return path.ends_with('/') ? list.IsFolderIgnored(path.substr(0, path.size() - 1).c_str())
                               : list.IsFileIgnored(path.c_str());
}

IgnoreList& Read(IgnoreList& list, const TempTree& tree, const char* folder, const char* name)
{
    list.ReadFromFile(folder == nullptr ? tree.Root().c_str() : tree.Path(folder).c_str(), name);
    return list;
}

} // namespace

TEST(IgnoreList, AnswersAsTheLinesSay)
{
    for (const Rule& rule : RULES)
    {
        SCOPED_TRACE(rule.mIgnoreFile.substr(0, 40) + " in " +
                     (rule.mListFolder ? rule.mListFolder : "root"));
        TempTree tree;
        const std::string folder = rule.mListFolder ? rule.mListFolder + std::string("/") : "";
        tree.File(folder + ".gitignore", rule.mIgnoreFile);
        IgnoreList list(nullptr, rule.mListFolder);
        Read(list, tree, rule.mListFolder, ".gitignore");
        for (const std::string& path : rule.mIgnored)
            EXPECT_TRUE(IsIgnored(list, path)) << path;
        for (const std::string& path : rule.mKept)
            EXPECT_FALSE(IsIgnored(list, path)) << path;
    }
}

TEST(IgnoreList, SkipsLinesThatCannotBePatterns)
{
    TempTree tree;
    tree.File(".gitignore", "\n   \n\t\r\n/\n/ \r\n# comment\n#\n");
    IgnoreList list(nullptr, nullptr);
    EXPECT_TRUE(Read(list, tree, nullptr, ".gitignore").GetEntries().empty());
}

TEST(IgnoreList, AsksTheOuterListsAndKeepsItsOwnWhenAFileCannotBeOpened)
{
    TempTree tree;
    tree.File(".gitignore", "*.o\n").File("sub/.gitignore", "gen/\n").File("sub/.ignore", "b\n");
    IgnoreList outer(nullptr, nullptr);
    IgnoreList inner(&Read(outer, tree, nullptr, ".gitignore"), "sub");
    Read(Read(inner, tree, "sub", ".gitignore"), tree, "sub", ".ignore");
    EXPECT_TRUE(inner.IsFileIgnored("sub/a.o"));
    EXPECT_TRUE(inner.IsFileIgnored("sub/b"));
    EXPECT_TRUE(inner.IsFolderIgnored("sub/gen"));
    EXPECT_FALSE(outer.IsFolderIgnored("sub/gen"));
    EXPECT_FALSE(inner.IsFolderIgnored("gen"));

    try
    {
        Read(inner, tree, "sub", "missing");
        ADD_FAILURE() << "no exception";
    }
    catch (const TrovLib::Exception& exception)
    {
        EXPECT_EQ(exception.mCode, TrovLib::CODE_IO_ERROR);
        EXPECT_STREQ(exception.what(), "fopen_s( , ,  ) failed");
        EXPECT_EQ(exception.mMessage, "fopen_s( , " + tree.Path("sub/missing") + ",  ) failed");
        EXPECT_STREQ(exception.mFunction, "TrovLib::IgnoreList::ReadFromFile");
        EXPECT_EQ(exception.mInfoA, static_cast<unsigned>(ENOENT));
    }
    EXPECT_EQ(inner.GetEntries().size(), 2u);
}

TEST(IgnoreList, MatchesStarsAndQuestionMarks)
{
    const struct
    {
        const char* mPattern;
        const char* mText;
        bool mMatches;
    } rows[] = {{"", "", true},           {"", "a", false},       {"*", "", true},
                {"a*b", "ab", true},      {"a*b", "axb", true},   {"a*b", "abx", false},
                {"a*b*", "abx", true},    {"a?", "ab", true},     {"a?", "a", false},
                {"?", "/", true},         {"*.c", "x.c.c", true}, {"*x*y", "axbyzy", true},
                {"*x*y", "axbyz", false}, {"A*", "abc", false},   {"**a", "a", true}};
    for (const auto& row : rows)
        EXPECT_EQ(IgnoreList::MatchWildcard(row.mPattern, row.mText), row.mMatches)
            << row.mPattern << " against " << row.mText;
    // Backtracking over every star would take ages here.
    EXPECT_FALSE(
        IgnoreList::MatchWildcard("*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(52, 'a').c_str()));
}
