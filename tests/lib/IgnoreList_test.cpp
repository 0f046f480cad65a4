#include "lib/IgnoreList.h"

#include "TempTree.h"
#include "lib/Exception.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>

using TrovLib::IgnoreList;

namespace
{

enum Kind
{
    FILE_PATH,
    FOLDER_PATH
};

struct Rule
{
    const char* mIgnoreFile; // contents of the list's ".gitignore"
    const char* mListFolder; // the list's folder, relative to the root; null for the root
    const char* mPath;       // the path asked about, relative to the root
    Kind mKind;
    bool mIgnored;
};

// Each row writes the ignore file to disk, reads it into a list and asks one question.
const Rule RULES[] = {
    {"*.obj\n", nullptr, "x.obj", FILE_PATH, true},
    {"*.obj\n", nullptr, "a/b/x.obj", FILE_PATH, true},
    {"*.obj\n", nullptr, "x.obj", FOLDER_PATH, false},
    {"*.obj\n", nullptr, "x.obj.txt", FILE_PATH, false},
    {"build/\n", nullptr, "build", FOLDER_PATH, true},
    {"build/\n", nullptr, "a/build", FOLDER_PATH, true},
    {"build/\n", nullptr, "build", FILE_PATH, false},
    {"build/\n", nullptr, "rebuild", FOLDER_PATH, false},
    {"/build/\n", nullptr, "build", FOLDER_PATH, true},
    {"/build/\n", nullptr, "a/build", FOLDER_PATH, false},
    {"build\n", nullptr, "build", FILE_PATH, true},
    {"build\n", nullptr, "a/b/build", FILE_PATH, true},
    {"build\n", nullptr, "build", FOLDER_PATH, false},
    {"tmp\n", "sub", "sub/tmp", FILE_PATH, true},
    {"tmp\n", "sub", "sub/x/tmp", FILE_PATH, true},
    {"tmp\n", "sub", "tmp", FILE_PATH, false},
    {"tmp\n", "sub", "other/tmp", FILE_PATH, false},
    {"tmp\n", "sub", "sub2/tmp", FILE_PATH, false},
    {"/tmp\n", "sub", "sub/tmp", FILE_PATH, true},
    {"/tmp\n", "sub", "sub/x/tmp", FILE_PATH, false},
    {"#x\n", nullptr, "#x", FILE_PATH, false},
    {" #x\n", nullptr, " #x", FILE_PATH, true},
    {" #x\n", nullptr, "#x", FILE_PATH, false},
    {"!keep.txt\n", nullptr, "!keep.txt", FILE_PATH, true},
    {"!keep.txt\n", nullptr, "keep.txt", FILE_PATH, false},
    {"a.txt  \t \r\n", nullptr, "a.txt", FILE_PATH, true},
    {"out/ \r\n", nullptr, "out", FOLDER_PATH, true},
    {"doc/gen\n", nullptr, "doc/gen", FILE_PATH, true},
    {"doc/gen\n", nullptr, "x/doc/gen", FILE_PATH, true},
    {"doc/gen\n", nullptr, "gen", FILE_PATH, false},
    {"doc/gen\n", nullptr, "doc/gen/x", FILE_PATH, false},
    {"*\n", nullptr, "a", FILE_PATH, true},
    {"*\n", nullptr, "d/e/f", FILE_PATH, true},
    {"*\n", nullptr, "d", FOLDER_PATH, false},
    {"a*b\n", nullptr, "a/x/b", FILE_PATH, true},
    {"Makefile\n", nullptr, "makefile", FILE_PATH, false},
    {"x\n\n# comment\n   \n/\n*.log", nullptr, "y/z.log", FILE_PATH, true},
};

void PrintTo(const Rule& rule, std::ostream* out)
{
    *out << '"' << rule.mIgnoreFile << "\" in " << (rule.mListFolder ? rule.mListFolder : "root")
         << (rule.mKind == FOLDER_PATH ? ", folder " : ", file ") << rule.mPath;
}

class IgnoreListRules : public ::testing::TestWithParam<Rule>
{
};

TEST_P(IgnoreListRules, AnswerAsTheLinesSay)
{
    const Rule& rule = GetParam();
    VarnikTest::TempTree tree;
    const std::string folder = rule.mListFolder == nullptr ? "" : rule.mListFolder;
    tree.File(folder.empty() ? ".gitignore" : folder + "/.gitignore", rule.mIgnoreFile);

    IgnoreList list(nullptr, rule.mListFolder);
    list.ReadFromFile(folder.empty() ? tree.Root().c_str() : tree.Path(folder).c_str(),
                      ".gitignore");
    const bool ignored = rule.mKind == FOLDER_PATH ? list.IsFolderIgnored(rule.mPath)
                                                   : list.IsFileIgnored(rule.mPath);
    EXPECT_EQ(ignored, rule.mIgnored);
}

INSTANTIATE_TEST_SUITE_P(IgnoreList, IgnoreListRules, ::testing::ValuesIn(RULES));

std::vector<IgnoreList::Entry> ReadEntries(const std::string& contents)
{
    VarnikTest::TempTree tree;
    tree.File(".gitignore", contents);
    IgnoreList list(nullptr, nullptr);
    list.ReadFromFile(tree.Root().c_str(), ".gitignore");
    return list.GetEntries();
}

} // namespace

TEST(IgnoreList, SkipsLinesThatCannotBePatterns)
{
    EXPECT_TRUE(ReadEntries("\n   \n\t\r\n/\n/ \r\n# comment\n#\n").empty());
}

TEST(IgnoreList, StripsOneTrailingSeparatorAndTheBlanksAfterIt)
{
    const auto entries = ReadEntries("/a/b/ \r\nx?/\nc//\nd/ e\n");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].mFlags, IgnoreList::FLAG_ROOTED | IgnoreList::FLAG_FOLDER);
    EXPECT_EQ(entries[0].mText, "a/b");
    EXPECT_EQ(entries[1].mFlags, IgnoreList::FLAG_FOLDER | IgnoreList::FLAG_WILDCARD);
    EXPECT_EQ(entries[1].mText, "x?");
    EXPECT_EQ(entries[2].mFlags, IgnoreList::FLAG_FOLDER);
    EXPECT_EQ(entries[2].mText, "c/");
    EXPECT_EQ(entries[3].mFlags, 0u);
    EXPECT_EQ(entries[3].mText, "d/ e");
}

TEST(IgnoreList, ReadsLongLinesIn2047CharacterPieces)
{
    const auto entries = ReadEntries(std::string(3000, 'x') + "\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mText.size(), 2047u);
    EXPECT_EQ(entries[1].mText.size(), 3000u - 2047u);
}

TEST(IgnoreList, AsksTheOuterListsToo)
{
    VarnikTest::TempTree tree;
    tree.File(".gitignore", "*.o\n").File("sub/.gitignore", "gen/\n");
    IgnoreList outer(nullptr, nullptr);
    outer.ReadFromFile(tree.Root().c_str(), ".gitignore");
    IgnoreList inner(&outer, "sub");
    inner.ReadFromFile(tree.Path("sub").c_str(), ".gitignore");

    EXPECT_EQ(inner.GetParent(), &outer);
    EXPECT_TRUE(inner.IsFileIgnored("sub/a.o"));
    EXPECT_TRUE(inner.IsFolderIgnored("sub/gen"));
    EXPECT_FALSE(outer.IsFolderIgnored("sub/gen"));
    EXPECT_FALSE(inner.IsFolderIgnored("gen"));
}

TEST(IgnoreList, AppendsEveryFileReadIntoIt)
{
    VarnikTest::TempTree tree;
    tree.File(".gitignore", "a\n").File(".ignore", "b\n");
    IgnoreList list(nullptr, nullptr);
    list.ReadFromFile(tree.Root().c_str(), ".gitignore");
    list.ReadFromFile(tree.Root().c_str(), ".ignore");
    EXPECT_TRUE(list.IsFileIgnored("a"));
    EXPECT_TRUE(list.IsFileIgnored("b"));
}

TEST(IgnoreList, RaisesWhenTheFileCannotBeOpenedAndKeepsWhatItHad)
{
    VarnikTest::TempTree tree;
    tree.File(".gitignore", "a\n");
    IgnoreList list(nullptr, nullptr);
    list.ReadFromFile(tree.Root().c_str(), ".gitignore");
    try
    {
        list.ReadFromFile(tree.Root().c_str(), "missing");
        FAIL() << "no exception";
    }
    catch (const TrovLib::Exception& exception)
    {
        EXPECT_EQ(exception.mCode, TrovLib::CODE_IO_ERROR);
        EXPECT_STREQ(exception.what(), "fopen_s( , ,  ) failed");
        EXPECT_EQ(exception.mMessage, "fopen_s( , " + tree.Path("missing") + ",  ) failed");
        EXPECT_STREQ(exception.mFunction, "TrovLib::IgnoreList::ReadFromFile");
        EXPECT_EQ(exception.mInfoA, static_cast<unsigned>(ENOENT));
    }
    EXPECT_EQ(list.GetEntries().size(), 1u);
}

struct Wildcard
{
    const char* mPattern;
    const char* mText;
    bool mMatches;
};

const Wildcard WILDCARDS[] = {
    {"", "", true},
    {"", "a", false},
    {"*", "", true},
    {"a*b", "ab", true},
    {"a*b", "axb", true},
    {"a*b", "a/x/b", true},
    {"a*b", "abx", false},
    {"a*b*", "abx", true},
    {"a?", "a", false},
    {"a?", "ab", true},
    {"?", "/", true},
    {"*.c", "x.c.c", true},
    {"*x*y", "axbyzy", true},
    {"*x*y", "axbyz", false},
    {"A*", "abc", false},
    {"**a", "a", true},
    {"*a*a*a*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
};

void PrintTo(const Wildcard& row, std::ostream* out)
{
    *out << row.mPattern << " against " << row.mText;
}

class IgnoreListWildcard : public ::testing::TestWithParam<Wildcard>
{
};

TEST_P(IgnoreListWildcard, MatchesStarsAndQuestionMarks)
{
    const Wildcard& row = GetParam();
    EXPECT_EQ(IgnoreList::MatchWildcard(row.mPattern, row.mText), row.mMatches);
}

INSTANTIATE_TEST_SUITE_P(IgnoreList, IgnoreListWildcard, ::testing::ValuesIn(WILDCARDS));
