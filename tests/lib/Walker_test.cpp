#include "lib/Walker.h"

#include "ReadOverrideDropped.h"
#include "TempTree.h"
#include "lib/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using TrovLib::Walker;
using VarnikTest::TempTree;

namespace
{

// Records one line per callback: "F path" for a file, "D path" for a folder ("D ." for the
// root), followed by the number of ignore lists in force when there are any.
class Recorder : public TrovLib::Walker_Smart
{
public:
    std::vector<std::string> mEvents;

protected:
    void OnFile_Accepted(const char* relative, const timespec*) override { Record("F ", relative); }

    void OnFolder_Accepted(const char* relative) override
    {
        Record("D ", relative == nullptr ? "." : relative);
        Walker_Smart::OnFolder_Accepted(relative);
    }

private:
    void Record(const char* kind, const char* path)
    {
        int lists = 0;
        for (auto list = GetIgnoreList(); list != nullptr; list = list->GetParent())
            lists++;
        mEvents.push_back(kind + std::string(path) +
                          (lists == 0 ? "" : " [" + std::to_string(lists) + "]"));
    }
};

using Events = std::vector<std::string>;

Events Walk(const std::string& root, const char* ignoreFile = ".gitignore")
{
    Recorder recorder;
    recorder.IgnoreFile_Add(ignoreFile);
    recorder.Start(root.c_str());
    EXPECT_EQ(recorder.GetIgnoreList(), nullptr);
    return recorder.mEvents;
}

// The exception that the call raises; a failure when it raises none.
template <typename Call> TrovLib::Exception Raised(Call call)
{
    try
    {
        call();
    }
    catch (const TrovLib::Exception& exception)
    {
        return exception;
    }
    ADD_FAILURE() << "no exception";
    return TrovLib::Exception(0, "", nullptr, "", "", 0, 0);
}

} // namespace

// Only the ignore files named to the walker are read.
TEST(Walker, ReportsDepthFirstInNameOrder)
{
    TempTree tree;
    tree.File("t.txt").File("b.txt").File("s/.gitignore", "*\n").File("a.txt").Folder("s/empty");
    EXPECT_EQ(
        Walk(tree.Root(), ".varnikignore"),
        (Events{"D .", "F a.txt", "F b.txt", "D s", "F s/.gitignore", "D s/empty", "F t.txt"}));
    EXPECT_EQ(Walk(tree.Path("missing")), (Events{"D ."}));
}

TEST(Walker, AppliesAnIgnoreFileBelowItsFolderAndPopsItAfterwards)
{
    TempTree tree;
    tree.File(".gitignore", "*.o\n/gen/\n")
        .File("a.tmp")
        .File("gen/a.c")
        .File("sub/.gitignore", "*.tmp\nbuild/\n")
        .File("sub/x.tmp")
        .File("sub/y.o")
        .File("sub/deep/z.tmp")
        .File("sub/build/w.c")
        .File("sub/gen/b.c")
        .File("sub/keep/.gitignore", "keep/\n")
        .File("sub/keep/c.c")
        .File("sub2/v.tmp")
        .File("z.tmp");
    EXPECT_EQ(Walk(tree.Root()),
              (Events{"D . [1]", "F .gitignore [1]", "F a.tmp [1]", "D sub [2]",
                      "F sub/.gitignore [2]", "D sub/deep [2]", "D sub/gen [2]",
                      "F sub/gen/b.c [2]", "D sub/keep [3]", "F sub/keep/.gitignore [3]",
                      "F sub/keep/c.c [3]", "D sub2 [1]", "F sub2/v.tmp [1]", "F z.tmp [1]"}));
}

TEST(Walker, SkipsLinksToFoldersFifosAndDanglingLinks)
{
    TempTree tree;
    tree.File("a.txt")
        .Link("s/up", "..")
        .Link("s/self", ".")
        .Link("s/text", "../a.txt")
        .Link("s/gone", "missing")
        .Fifo("s/pipe")
        .Fifo("f/.gitignore")
        .File("f/b.txt");
    EXPECT_EQ(Walk(tree.Root()), (Events{"D .", "F a.txt", "D f", "F f/b.txt", "D s", "F s/text"}));
}

TEST(Walker, ReportsAnUnreadableFolderWithoutEntries)
{
    if (VarnikTest::IgnoresPermissions())
        GTEST_SKIP() << "running as root, who may list any folder";
    TempTree tree;
    tree.File("locked/a.txt").File("open/b.txt").Mode("locked", 0);
    EXPECT_EQ(Walk(tree.Root()), (Events{"D .", "D locked", "D open", "F open/b.txt"}));
}

TEST(Walker, TakesAnyBytesInNamesAndDeepTrees)
{
    TempTree tree;
    tree.File("with space.txt").File("#hash").File("!bang").File("\xff\xfe.txt");
    EXPECT_EQ(Walk(tree.Root()),
              (Events{"D .", "F !bang", "F #hash", "F with space.txt", "F \xff\xfe.txt"}));

    std::string deep;
    for (int level = 0; level < 300; level++)
        deep += "folder/";
    TempTree deepTree;
    deepTree.File(deep + "end.txt");
    const Events events = Walk(deepTree.Root());
    ASSERT_EQ(events.size(), 302u);
    EXPECT_EQ(events.back(), "F " + deep + "end.txt");
    EXPECT_GT(events.back().size(), 2048u);
}

TEST(Walker, EndsAtAnIgnoreFileThatCannotBeOpenedAndIsFitForTheNextWalk)
{
    TempTree broken;
    broken.File(".gitignore", "*.c\n").File("a.txt").File("sub/.gitignore", "x\n");
    broken.Mode("sub/.gitignore", 0);
    Recorder recorder;
    recorder.IgnoreFile_Add(".gitignore");
    {
        const VarnikTest::ReadOverrideDropped dropped;
        if (!dropped.Dropped())
            GTEST_SKIP() << "needs root: only root may pass the readability check of a file "
                            "that it then cannot open";
        const auto exception = Raised([&] { recorder.Start(broken.Root().c_str()); });
        EXPECT_EQ(exception.mCode, TrovLib::CODE_IO_ERROR);
        EXPECT_EQ(exception.mMessage,
                  "fopen_s( , " + broken.Path("sub/.gitignore") + ",  ) failed");
    }
    EXPECT_EQ(recorder.mEvents, (Events{"D . [1]", "F .gitignore [1]", "F a.txt [1]"}));
    EXPECT_EQ(recorder.GetIgnoreList(), nullptr);

    TempTree clean;
    clean.File("b.c");
    recorder.mEvents.clear();
    recorder.Start(clean.Root().c_str());
    EXPECT_EQ(recorder.mEvents, (Events{"D .", "F b.c"}));
}

TEST(Walker, JoinsPathsToTheRoot)
{
    TempTree tree;
    tree.File("s/r.txt");
    Recorder recorder;
    recorder.Start(tree.Root().c_str());
    EXPECT_EQ(recorder.GetFullPath(nullptr), tree.Root());
    EXPECT_EQ(recorder.GetFullPath("s/r.txt"), tree.Path("s/r.txt"));
    EXPECT_TRUE(recorder.IsFileReadable("s", "r.txt"));
    EXPECT_FALSE(recorder.IsFileReadable(nullptr, "s"));
    EXPECT_FALSE(recorder.IsFileReadable(nullptr, "r.txt"));
    EXPECT_TRUE(Walker::Exists(tree.Root().c_str(), "s/r.txt"));
    EXPECT_TRUE(Walker::Exists(tree.Root().c_str(), nullptr));
    EXPECT_FALSE(Walker::Exists(tree.Root().c_str(), "t"));
}

TEST(Walker, GetsAndCreatesFolders)
{
    EXPECT_EQ(Walker::GetFolder("/a/b"), "/a");
    EXPECT_EQ(Walker::GetFolder("a/"), "a");
    EXPECT_EQ(Walker::GetFolder("/a"), "");
    EXPECT_EQ(Walker::GetFolder("ab"), std::nullopt);
    EXPECT_EQ(Walker::GetFolder((std::string(2047, 'x') + "/y").c_str())->size(), 2047u);
    const auto tooLong = Raised([] { Walker::GetFolder((std::string(2048, 'x') + "/y").c_str()); });
    EXPECT_EQ(tooLong.mCode, TrovLib::CODE_INVALID_BUFFER_SIZE);
    EXPECT_STREQ(tooLong.what(), "Buffer too short");
    EXPECT_STREQ(tooLong.mFunction, "TrovLib::Walker::GetFolder");
    EXPECT_EQ(tooLong.mInfoA, 2048u);
    EXPECT_TRUE(tooLong.mMessage.empty());

    TempTree tree;
    Walker::CreateFolder(tree.Root().c_str(), "a/b/c");
    EXPECT_TRUE(Walker::Exists(tree.Root().c_str(), "a/b/c"));
    const auto existing = Raised([&] { Walker::CreateFolder(tree.Root().c_str(), "a/b"); });
    EXPECT_EQ(existing.mCode, TrovLib::CODE_IO_ERROR);
    EXPECT_STREQ(existing.what(), "mkdir( ,  ) failed");
    EXPECT_EQ(existing.mMessage, "mkdir( " + tree.Path("a/b") + ", ) failed");
    EXPECT_STREQ(existing.mFunction, "TrovLib::Walker::CreateFolder");
}
