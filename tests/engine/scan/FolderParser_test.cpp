#include "engine/scan/FolderParser.h"

#include "ReadOverrideDropped.h"
#include "TempTree.h"
#include "engine/counters/Counter_Count.h"
#include "lib/Exception.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using Vn::Counter_Count;
using Vn::Data_Folder;
using Vn::SearchResult_Folder;

namespace
{

using Names = std::vector<std::string>;
using Counts = std::vector<std::pair<std::string, unsigned>>;

Names ChildNames(const Data_Folder& folder)
{
    Names names;
    for (const auto& node : folder.mNodes)
        names.emplace_back(node->GetName());
    return names;
}

const Data_Folder& SubFolder(const Data_Folder& folder, size_t index)
{
    return dynamic_cast<const Data_Folder&>(*folder.mNodes.at(index));
}

const Counter_Count* FindCount(const Vn::Counter_List& counters, const char* name)
{
    return dynamic_cast<const Counter_Count*>(counters.Find(Counter_Count::TYPE, name));
}

// The "File" counter of the node and its children by type, as the counter view shows them.
Counts FileCounts(const Vn::Data_Node& node)
{
    Counts counts;
    const Counter_Count* files = FindCount(node.mCounters, "File");
    if (files == nullptr)
        return counts;
    counts.emplace_back("File", files->GetCount());
    for (const auto& child : files->mCounters)
        counts.emplace_back(child->GetName(),
                            dynamic_cast<const Counter_Count&>(*child).GetCount());
    return counts;
}

// Counts every file like the plain parser, taking a millisecond for each.
class SlowParser : public Vn::FileParser
{
public:
    SlowParser() : Vn::FileParser("slow") {}

    std::unique_ptr<Vn::Data_Node> Parse(const char* fileName) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return Vn::FileParser::Parse(fileName);
    }
};

class FolderParser : public ::testing::Test
{
protected:
    FolderParser() { mParsers.CreateParsers(); }

    std::unique_ptr<SearchResult_Folder> SearchFor(const char* text,
                                                   std::set<std::string> types = {})
    {
        Vn::SearchRequest request;
        request.SetText(text);
        request.mFileTypes = std::move(types);
        return mFolderParser.Search(mTree.Root().c_str(), request);
    }

    VarnikTest::TempTree mTree;
    Vn::FileParser_List mParsers;
    Vn::FolderParser mFolderParser{&mParsers};
};

} // namespace

TEST_F(FolderParser, ScansATreeIntoFoldersHoldingTheirTotals)
{
    mTree.File(".gitignore", "*.tmp\nout/\n")
        .File("a.cpp", "int a;\n")
        .File("b.tmp", "x\n")
        .File("out/x.cpp", "int x;\n")
        .File("src/c.h", "int c;\n")
        .File("src/README", "read me\n");
    const auto root = mFolderParser.Parse(mTree.Root().c_str());

    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), mTree.Root());
    EXPECT_EQ(ChildNames(*root), (Names{mTree.Path(".gitignore"), mTree.Path("a.cpp"), "src"}));
    const Data_Folder& src = SubFolder(*root, 2);
    EXPECT_EQ(ChildNames(src), (Names{mTree.Path("src/README"), mTree.Path("src/c.h")}));
    EXPECT_EQ(FileCounts(src), (Counts{{"File", 2}, {"Unknown", 1}, {"h", 1}}));
    EXPECT_EQ(FileCounts(*root),
              (Counts{{"File", 4}, {"gitignore", 1}, {"cpp", 1}, {"Unknown", 1}, {"h", 1}}));
}

TEST_F(FolderParser, SkipsOnlyTheRootsGitFolder)
{
    mTree.File(".git/config", "x\n").File("sub/.git/HEAD", "ref\n").Folder("empty");
    const auto root = mFolderParser.Parse(mTree.Root().c_str());

    EXPECT_EQ(ChildNames(*root), (Names{"empty", "sub"}));
    EXPECT_TRUE(SubFolder(*root, 0).mNodes.empty());
    EXPECT_TRUE(SubFolder(*root, 0).mCounters.empty());
    const Data_Folder& sub = SubFolder(*root, 1);
    EXPECT_EQ(ChildNames(sub), (Names{"sub/.git"}));
    EXPECT_EQ(ChildNames(SubFolder(sub, 0)), (Names{mTree.Path("sub/.git/HEAD")}));
    EXPECT_EQ(FileCounts(*root), (Counts{{"File", 1}, {"Unknown", 1}}));
}

TEST_F(FolderParser, GivesAnEmptyRootForAMissingFolderAndSearchesNothingThere)
{
    const std::string missing = mTree.Path("missing/");
    const auto root = mFolderParser.Parse(missing.c_str());
    EXPECT_EQ(root->GetName(), missing);
    EXPECT_TRUE(root->mNodes.empty());
    EXPECT_TRUE(root->mCounters.empty());
    Vn::SearchRequest request;
    request.SetText("x");
    EXPECT_EQ(mFolderParser.Search(missing.c_str(), request), nullptr);
}

TEST_F(FolderParser, KeepsOnlyTheFoldersAboveAMatch)
{
    mTree.File("top.txt", "nothing\n")
        .File("a/b/hit.txt", "a needle\nno\nneedle again\n")
        .File("a/b/miss.txt", "no\n")
        .File("a/other.txt", "no\n")
        .File("c/x.txt", "no\n")
        .Folder("d");
    const auto root = SearchFor("needle");

    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), mTree.Root());
    EXPECT_EQ(root->GetCount(), 2u);
    ASSERT_EQ(root->mResults.size(), 1u);
    const auto& a = dynamic_cast<const SearchResult_Folder&>(*root->mResults[0]);
    EXPECT_STREQ(a.GetName(), "a");
    EXPECT_EQ(a.GetCount(), 2u);
    ASSERT_EQ(a.mResults.size(), 1u);
    const auto& b = dynamic_cast<const SearchResult_Folder&>(*a.mResults[0]);
    EXPECT_STREQ(b.GetName(), "a/b");
    ASSERT_EQ(b.mResults.size(), 1u);
    const auto& hit = dynamic_cast<const Vn::SearchResult_File&>(*b.mResults[0]);
    EXPECT_EQ(hit.GetName(), mTree.Path("a/b/hit.txt"));
    EXPECT_EQ(hit.mLines.size(), 2u);
}

TEST_F(FolderParser, ReturnsNullWhenNothingMatches)
{
    mTree.File("a.txt", "needle\n").File("b.md", "needle\n").File("c.sln", "needle\n");
    EXPECT_EQ(SearchFor("absent"), nullptr);
    EXPECT_EQ(SearchFor("needle", {"cpp"}), nullptr);
    EXPECT_NE(SearchFor("needle", {"txt"}), nullptr);
}

TEST_F(FolderParser, EndsAPassAtAnUnopenableIgnoreFileAndStartsTheNextClean)
{
    mTree.File(".gitignore", "*.cpp\n")
        .File("a.txt", "a\n")
        .File("sub/.gitignore", "x\n")
        .File("sub/b.txt", "b\n")
        .Mode("sub/.gitignore", 0);
    {
        const VarnikTest::ReadOverrideDropped dropped;
        if (!dropped.Dropped())
            GTEST_SKIP() << "needs root: only root may pass the readability check of a file "
                            "that it then cannot open";
        try
        {
            mFolderParser.Parse(mTree.Root().c_str());
            ADD_FAILURE() << "no exception";
        }
        catch (const TrovLib::Exception& exception)
        {
            EXPECT_EQ(exception.mCode, TrovLib::CODE_IO_ERROR);
            EXPECT_EQ(exception.mMessage,
                      "fopen_s( , " + mTree.Path("sub/.gitignore") + ",  ) failed");
        }
    }

    // A list left over from the failed pass would exclude c.cpp.
    VarnikTest::TempTree clean;
    clean.File("c.cpp", "int c;\n");
    const auto root = mFolderParser.Parse(clean.Root().c_str());
    EXPECT_EQ(ChildNames(*root), (Names{clean.Path("c.cpp")}));
}

TEST_F(FolderParser, ReportsProgressWhileAPassTakesLong)
{
    mParsers.AddParser("slow", std::make_unique<SlowParser>());
    for (int file = 0; file < 300; file++)
        mTree.File("f" + std::to_string(file) + ".slow");
    std::vector<Vn::FolderParser::Progress> reports;
    mFolderParser.SetProgressCallback([&](const auto& progress) { reports.push_back(progress); });

    mFolderParser.Parse(mTree.Root().c_str());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].mFiles, 256u);
    EXPECT_EQ(reports[0].mFolders, 0u);
}
