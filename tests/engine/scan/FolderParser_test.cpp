#include "engine/scan/FolderParser.h"
#include "engine/tree/TreeWalk.h"
#include "lib/Path.h"

#include "TempTree.h"
#include "TreeText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

using Vn::Data_Folder;

namespace
{

// The names below a folder in walk order, the tree's root cut off, a sub-folder's
// contents in braces after its name.
std::string Outline(const Data_Folder& folder, const std::string& root)
{
    std::string text;
    for (const auto& node : folder.mNodes)
    {
        std::string name = node->GetName();
        name.erase(0, name.starts_with(root + "/") ? root.size() + 1 : 0);
        text += (text.empty() ? "" : " ") + name;
        if (node->IsFolder())
            text += "{" + Outline(static_cast<const Data_Folder&>(*node), root) + "}";
    }
    return text;
}

// A search's files in walk order, each by its display name and count, then its rows if
// `rows`, whatever its depth.
std::string Rows(Vn::SearchHits hits)
{
    std::string text;
    for (size_t index = 0; index < hits.GetLineCount(); index++)
        text += hits.GetLineRow(index);
    return text;
}

std::string Files(const Vn::SearchResult& root, bool rows)
{
    std::string text;
    Vn::ForEachInTree(root,
                      [&](const Vn::SearchResult& result, size_t)
                      {
                          if (result.IsFolder())
                              return;
                          const auto& file = static_cast<const Vn::SearchResult_File&>(result);
                          text += file.GetText() + "\n";
                          if (rows)
                              text += Rows(file.GetHits());
                      });
    return text;
}

// Reads files of its type as the plain parser does, after doing what the test asks: fail,
// or cancel the pass, as a user would at that moment.
class HookParser : public Vn::FileParser
{
public:
    explicit HookParser(std::function<void()> hook) : mHook(std::move(hook)) {}
    std::unique_ptr<Vn::Data_Node> Parse(const char* fileName, const char* type,
                                         Vn::ReadingContext& context) const override
    {
        mHook();
        return Vn::FileParser::Parse(fileName, type, context);
    }
    std::unique_ptr<Vn::SearchResult_File> Search(const char* fileName,
                                                  const Vn::SearchRequest& request,
                                                  Vn::ReadingContext& context) const override
    {
        mHook();
        return Vn::FileParser::Search(fileName, request, context);
    }

private:
    std::function<void()> mHook;
};

// Registries of the standard parsers in which reading a ".stop" file cancels the running
// pass and reading a ".bad" file fails.
std::function<std::unique_ptr<Vn::FileParser_List>()> Hooked(Vn::CancelToken*& running)
{
    return [&running]
    {
        auto parsers = Vn::FileParser_List::CreateFilled();
        parsers->AddParser("stop", std::make_unique<HookParser>([&running] { running->Cancel(); }));
        parsers->AddParser(
            "bad", std::make_unique<HookParser>([] { throw std::runtime_error("failed"); }));
        return parsers;
    };
}

// Lines of every kind the parsers tell apart, ends included, one after the other.
const std::string LINES = "int x = 1;\n\n   \t\n/* open\nstill comment */ y++;\n// note\n"
                          "#if defined(A) && B > 2\n#ifdef FEATURE_X // why\n#ifndef GUARD_H\n"
                          "#endif\ns = \"a // b \\\" c\";\nc = '\\'';\nx = \"unterminated\n"
                          "rem a command comment\r\n# a script comment\n\f\n"
                          "echo include # not a comment\ninclude INCLUDE Include\r\n"
                          "tab\tseparated\tinclude\n";
const char* const NAMES[] = {"a.c",   "b.h",   "c.cpp",  "d.hpp", "e.txt", "f.sh",
                             "g.cmd", "h.sln", "README", "i.C",   "j.tmp"};

// A tree of a few hundred files, the same for every run.
void BuildTree(VarnikTest::TempTree& tree)
{
    std::mt19937 random(20261206);
    tree.File(".gitignore", "*.tmp\nskip/\n").File("src/.gitignore", "# local\nb.h\n");
    for (int file = 0; file < 240; file++)
    {
        std::string path = file % 5 == 0 ? "src/" : "";
        for (unsigned depth = random() % 4; depth > 0; depth--)
            path += (random() % 3 == 0 ? "skip/" : "d" + std::to_string(random() % 3) + "/");
        path += std::to_string(file) + NAMES[random() % std::size(NAMES)];
        std::string content;
        for (unsigned line = random() % 60; line > 0; line--)
        {
            const size_t start = LINES.rfind('\n', random() % (LINES.size() - 1)) + 1;
            content += LINES.substr(start, LINES.find('\n', start) + 1 - start);
        }
        if (file % 17 == 0)
            content += std::string(5000, 'w') + "include\n";
        if (file % 23 == 0)
            content += std::string("before\0after include\n", 21);
        tree.File(path, content);
    }
}

Vn::SearchRequest Request(const char* text, std::set<std::string> types = {},
                          bool caseSensitive = true, bool inCodeAndStrings = true)
{
    Vn::SearchRequest request;
    request.SetText(text);
    request.mFileTypes = std::move(types);
    request.mFlags.CaseSensitive = caseSensitive;
    request.mFlags.InCode = request.mFlags.InString = inCodeAndStrings;
    return request;
}

class FolderParser : public ::testing::Test
{
protected:
    FolderParser() { mParsers.CreateParsers(); }

    // What a user can read of a search, or "none". Each pass has its own cancel token,
    // the running one's in mRunning.
    std::string Found(Vn::FolderParser& folderParser, const Vn::SearchRequest& request)
    {
        Vn::CancelToken cancel;
        mRunning = &cancel;
        const auto result = folderParser.Search(mTree.Root().c_str(), request, cancel);
        return result ? VarnikTest::Describe(*result) : "none";
    }

    Vn::CancelToken* mRunning = nullptr;
    VarnikTest::TempTree mTree;
    Vn::FileParser_List mParsers;
    Vn::FolderParser mFolderParser{&mParsers};
};

} // namespace

// Ignored entries and the root's .git stay out of both passes; folders hold their totals,
// and a search keeps only the folders above a match.
TEST_F(FolderParser, ScansAndSearchesWhatTheIgnoreFilesLeave)
{
    mTree.File(".gitignore", "*.tmp\nout/\n")
        .File("a.cpp", "int a;\n")
        .File("b.tmp", "needle\n")
        .File("out/x.cpp", "needle\n")
        .File(".git/config", "needle\n")
        .File("src/README", "read me\n")
        .File("src/c.h", "int c;\n")
        .File("src/deep/hit.txt", "a needle\nno\nneedle again\n")
        .File("sub/.git/HEAD", "ref\n")
        .Folder("empty");
    const auto root = mFolderParser.Parse(mTree.Root().c_str());
    EXPECT_EQ(root->GetName(), mTree.Root());
    EXPECT_EQ(Outline(*root, mTree.Root()),
              ".gitignore a.cpp empty{} src{src/README src/c.h src/deep{src/deep/hit.txt}} "
              "sub{sub/.git{sub/.git/HEAD}}");
    const std::string files =
        VarnikTest::DescribeCounters("File=6[gitignore=1, cpp=1, Unknown=2, h=1, txt=1]");
    EXPECT_EQ(VarnikTest::Describe(root->mCounters).substr(0, files.size()), files);

    const std::string path = mTree.Root(), name = path.substr(path.rfind('/') + 1);
    EXPECT_EQ(Found(mFolderParser, Request("needle")),
              name + "/ (2) " + path +
                  "\n  src/ (2) src\n    deep/ (2) src/deep\n      hit.txt (2) " + path +
                  "/src/deep/hit.txt\n        Line 1 : a needle\n        Line 3 : needle again\n");
    EXPECT_EQ(Found(mFolderParser, Request("absent")), "none");
    EXPECT_EQ(Found(mFolderParser, Request("needle", {"cpp"})), "none");

    // A missing root gives an empty root folder and no search result.
    const std::string missing = mTree.Path("missing/");
    EXPECT_EQ(VarnikTest::Describe(*mFolderParser.Parse(missing.c_str())),
              "node " + missing + "\n");
    EXPECT_EQ(mFolderParser.Search(missing.c_str(), Request("x")), nullptr);
}

// Passes on worker threads against the plain pass, on a tree with a bit of everything.
class FolderParser_Threaded : public FolderParser
{
protected:
    FolderParser_Threaded()
    {
        BuildTree(mTree);
        mThreaded.SetJobs(3);
    }

    std::string Scan(Vn::FolderParser& folderParser)
    {
        Vn::CancelToken cancel;
        mRunning = &cancel;
        const auto root = folderParser.Parse(mTree.Root().c_str(), cancel);
        return root ? VarnikTest::Describe(*root) : "cancelled";
    }

    Vn::FolderParser mThreaded{&mParsers};
};

TEST_F(FolderParser_Threaded, ScansAndSearchesAsThePlainPassDoes)
{
    const std::string plain = Scan(mFolderParser);
    EXPECT_GT(plain.size(), 10000u);
    EXPECT_EQ(Scan(mThreaded), plain);

    // A scan that keeps only the totals: the root's counters, and no node.
    mThreaded.SetTotalsOnly(true);
    const auto totals = mThreaded.Parse(mTree.Root().c_str());
    EXPECT_TRUE(totals->mNodes.empty());
    EXPECT_EQ(VarnikTest::Describe(totals->mCounters),
              VarnikTest::Describe(mFolderParser.Parse(mTree.Root().c_str())->mCounters));
    mThreaded.SetTotalsOnly(false);

    // The text, the types, whether case counts, whether code and strings are searched.
    const Vn::SearchRequest requests[] = {Request("include"),
                                          Request("INCLUDE", {}, false),
                                          Request("include", {}, false, false),
                                          Request("include", {"c", "txt", "sh"}),
                                          Request("//"),
                                          Request("\"", {}, false, false),
                                          Request("x", {"h"}, true, false),
                                          Request("nowhere at all"),
                                          Request(""),
                                          Request("", {"txt"}, false, false)};
    for (const auto& request : requests)
    {
        SCOPED_TRACE("'" + request.mText + "'");
        EXPECT_EQ(Found(mThreaded, request), Found(mFolderParser, request));
    }
}

// The window takes each file's lines as it is found; they are those of the plain search,
// in walk order, and the answer keeps its files with their counts alone.
TEST_F(FolderParser_Threaded, HandsOverTheLinesOfEachFileFound)
{
    const Vn::SearchRequest request = Request("include");
    const auto plain = mFolderParser.Search(mTree.Root().c_str(), request);
    ASSERT_NE(plain, nullptr);
    std::string handed;
    mThreaded.SetFileHandover(
        [&](const std::string& path, const Vn::PackedHits& hits)
        {
            handed += std::string(TrovLib::LastComponent(path)) + " (" +
                      std::to_string(hits.Get().GetLineCount()) + ")\n" + Rows(hits.Get());
            EXPECT_STREQ(hits.Get().GetName(), TrovLib::LastComponent(path.c_str()));
        });
    const auto kept = mThreaded.Search(mTree.Root().c_str(), request);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(handed, Files(*plain, true));
    EXPECT_EQ(Files(*kept, true), Files(*plain, false));
    EXPECT_EQ(kept->GetCount(), plain->GetCount());
}

// A pass ends early wherever it is when the hooked file is read: in the walk, in a worker
// or in the assembly, or before it starts. A cancel gives nothing, a failing parser its
// exception, and the next pass is whole.
TEST_F(FolderParser_Threaded, APassEndedEarlyLeavesTheNextPassWhole)
{
    const std::string plain = Scan(mFolderParser), found = Found(mFolderParser, Request("include"));
    for (unsigned jobs : {1u, 3u})
    {
        SCOPED_TRACE(jobs);
        auto parsers = Hooked(mRunning)();
        Vn::FolderParser folderParser(parsers.get());
        folderParser.SetJobs(jobs);
        Vn::CancelToken early;
        early.Cancel();
        EXPECT_EQ(folderParser.Parse(mTree.Root().c_str(), early), nullptr);
        EXPECT_EQ(folderParser.Search(mTree.Root().c_str(), Request("include"), early), nullptr);
        EXPECT_EQ(Scan(folderParser), plain);
        for (const std::string file : {"d0/0.stop", "src/d2/zz.stop", "zz.stop", "d1/x.bad"})
        {
            SCOPED_TRACE(file);
            mTree.File(file, "x\n");
            const bool fails = file.ends_with(".bad");
            if (fails)
                EXPECT_THROW(Scan(folderParser), std::runtime_error);
            else
                EXPECT_EQ(Scan(folderParser), "cancelled");
            if (fails)
                EXPECT_THROW(Found(folderParser, Request("include")), std::runtime_error);
            else
                EXPECT_EQ(Found(folderParser, Request("include")), "none");
            std::remove(mTree.Path(file).c_str());
            EXPECT_EQ(Scan(folderParser), plain);
            EXPECT_EQ(Found(folderParser, Request("include")), found);
        }
    }
}
