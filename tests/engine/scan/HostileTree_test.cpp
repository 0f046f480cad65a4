// Trees that once broke a pass: deeper than the system's path limit, folders and files
// that cannot be read, and a pass that runs out of descriptors.

#include "engine/counters/Counter_Count.h"
#include "engine/scan/FolderParser.h"
#include "engine/tree/NodeCounters.h"
#include "lib/Exception.h"
#include "lib/IgnoreList.h"

#include "FolderChain.h"
#include "ReadOverrideDropped.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace
{

// The count named `name` of the node, or of the count named `parent` when one is given.
uint64_t Count(const Vn::Data_Node& node, const char* name, const char* parent = nullptr)
{
    const Vn::NodeCounters tree(node);
    const Vn::Counter_List* counters = &tree.Get();
    if (parent != nullptr)
    {
        const auto* outer =
            dynamic_cast<const Vn::Counter_Count*>(counters->Find(Vn::Counter_Count::TYPE, parent));
        if (outer == nullptr)
            return 0;
        counters = &outer->mCounters;
    }
    const auto* count =
        dynamic_cast<const Vn::Counter_Count*>(counters->Find(Vn::Counter_Count::TYPE, name));
    return count == nullptr ? 0 : count->GetCount();
}

uint64_t FileCount(const Vn::Data_Node& node)
{
    return Count(node, "File");
}

class HostileTree : public ::testing::Test
{
protected:
    VarnikTest::TempTree mTree;
    const std::unique_ptr<Vn::FileParser_List> mParsers = Vn::FileParser_List::CreateFilled();
    Vn::FolderParser mFolderParser{mParsers.get()};
};

} // namespace

// 3,000 levels of "d/" make paths half again as long as the system's limit of 4,096 bytes.
TEST_F(HostileTree, CountsEveryFileOfTreesBeyondThePathLimit)
{
    const struct
    {
        std::string mName;
        int mDepth, mEvery;
    } trees[] = {{"d", 3000, 100}, {std::string(255, 'n'), 20, 1}};
    for (const auto& shape : trees)
    {
        SCOPED_TRACE(shape.mDepth);
        const VarnikTest::FolderChain chain(mTree.Root(), shape.mName, shape.mDepth, shape.mEvery);
        mFolderParser.SetJobs(2);
        EXPECT_EQ(FileCount(*mFolderParser.Parse(mTree.Root().c_str())), chain.mFiles);
        Vn::SearchRequest request;
        request.SetText("x");
        EXPECT_EQ(mFolderParser.Search(mTree.Root().c_str(), request)->GetCount(), chain.mFiles);
    }
}

TEST_F(HostileTree, CountsWhatCannotBeReadByReason)
{
    mTree.File("locked/a.c", "int a;\n").File("b.c", "int b;\n").File("c.c", "int c;\n");
    // Listed but not searchable: neither the file nor the folder inside can be reached.
    mTree.File("listed/d.c", "int d;\n").File("listed/sub/e.c", "int e;\n");
    mTree.Mode("locked", 0).Mode("b.c", 0).Mode("listed", 0644);
    const VarnikTest::ReadOverrideDropped dropped;
    if (VarnikTest::IgnoresPermissions() && !dropped.Dropped())
        GTEST_SKIP() << "root without the capabilities to give up may read anything";
    const auto root = mFolderParser.Parse(mTree.Root().c_str());
    EXPECT_EQ(FileCount(*root), 3u);
    using Counts = std::map<int, uint64_t>;
    EXPECT_EQ(mFolderParser.GetUnreadable().mFolders, (Counts{{EACCES, 2}}));
    EXPECT_EQ(mFolderParser.GetUnreadable().mFiles, (Counts{{EACCES, 2}}));
    EXPECT_EQ(mFolderParser.GetUnreadable().Describe(),
              "2 folders and 2 files could not be read (permission denied)");
}

TEST_F(HostileTree, WarnsOfAnIgnoreFileTooLongToRead)
{
    mTree.File("a.c", "int a;\n");
    mTree.File("long/.gitignore", std::string(TrovLib::IgnoreList::FILE_SIZE_MAX + 1, '\n'));
    EXPECT_EQ(FileCount(*mFolderParser.Parse(mTree.Root().c_str())), 2u);
    EXPECT_EQ(mFolderParser.GetUnreadable().Describe(),
              "1 file could not be read (file too large)");
}

// A read that fails leaves no shortened file behind: the file counts as one that could not
// be read, by both kinds of parser, and the warning names the error. Reading the memory of
// a process at address 0 fails with EIO.
TEST_F(HostileTree, CountsAFileWhoseReadFailsAsUnreadable)
{
    const int memory = open("/proc/self/mem", O_RDONLY);
    char byte;
    const bool fails = memory >= 0 && read(memory, &byte, 1) < 0 && errno == EIO;
    close(memory);
    if (!fails)
        GTEST_SKIP() << "reading /proc/self/mem gives no error on this kernel";
    mTree.File("a.c", "int a;\n").Link("mem.c", "/proc/self/mem").Link("mem.txt", "/proc/self/mem");
    Vn::AnalysisOptions languages;
    languages.mLanguages = true;
    for (const auto& parsers :
         {Vn::FileParser_List::CreateFilled(), Vn::FileParser_List::CreateFilled(languages)})
    {
        SCOPED_TRACE(parsers->GetLanguages() ? "languages" : "classic");
        Vn::FolderParser folderParser(parsers.get());
        folderParser.SetJobs(2);
        const auto root = folderParser.Parse(mTree.Root().c_str());
        EXPECT_EQ(FileCount(*root), 3u);
        EXPECT_EQ(Count(*root, "Line"), 1u);
        EXPECT_EQ(Count(*root, "File Open Error", "Parsing Error"), 2u);
        EXPECT_EQ(folderParser.GetUnreadable().Describe(),
                  "2 files could not be read (input/output error)");
        Vn::SearchRequest request;
        request.SetText("int");
        EXPECT_EQ(folderParser.Search(mTree.Root().c_str(), request)->GetCount(), 1u);
        EXPECT_EQ(folderParser.GetUnreadable().Describe(),
                  "2 files could not be read (input/output error)");
    }
}

// Worker threads that cannot start: the jobs go on with those that did, or fail with the
// reason when none did, never leaving a started thread behind.
TEST_F(HostileTree, GoesOnWithTheWorkerThreadsThatCouldStart)
{
    mTree.File("a.c", "int a;\n");
    Vn::ReadingContext context;
    std::vector<std::unique_ptr<Vn::ReadingContext>> workers;
    for (int worker = 0; worker < 3; worker++)
        workers.push_back(std::make_unique<Vn::ReadingContext>());
    const Vn::CancelToken notCancelled;
    for (const int canStart : {2, 0})
    {
        int started = 0;
        const auto start = [&started, canStart](std::function<void()> work)
        {
            if (started++ >= canStart)
                throw std::system_error(EAGAIN, std::generic_category());
            return std::thread(std::move(work));
        };
        if (canStart == 0)
        {
            EXPECT_THROW(Vn::FileJobs(*mParsers, context, workers, nullptr, notCancelled, start),
                         TrovLib::Exception);
            continue;
        }
        Vn::FileJobs jobs(*mParsers, context, workers, nullptr, notCancelled, start);
        EXPECT_EQ(jobs.GetWarning(),
                  "1 of 3 worker threads could not start (resource temporarily unavailable)");
        Vn::FileJobs::Task task;
        task.mPath = mTree.Path("a.c");
        jobs.Post(task);
        jobs.Close();
        jobs.Wait(task, [] {});
        EXPECT_EQ(FileCount(*task.mNode), 1u);
    }
    Vn::FolderParser::Unreadable unreadable;
    unreadable.mWorkers =
        "1 of 3 worker threads could not start (resource temporarily unavailable)";
    unreadable.mFolders[EACCES] = 1;
    EXPECT_EQ(unreadable.Describe(),
              "1 folder could not be read (permission denied); " + unreadable.mWorkers);
}

// With every descriptor taken, the pass ends in an error rather than in a count, both
// when the walk and when a file cannot open.
TEST_F(HostileTree, EndsAPassThatRunsOutOfDescriptors)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizers need descriptors of their own to check a type";
#endif
    mTree.File("a.c", "int a;\n");
    const int lowest = dup(0);
    close(lowest);
    rlimit saved;
    getrlimit(RLIMIT_NOFILE, &saved);
    const auto withoutDescriptors = [&](auto pass)
    {
        const rlimit lowered{static_cast<rlim_t>(lowest), saved.rlim_max};
        setrlimit(RLIMIT_NOFILE, &lowered);
        try
        {
            pass();
            ADD_FAILURE() << "no exception";
        }
        catch (const TrovLib::Exception& error)
        {
            EXPECT_STREQ(error.what(), "open failed");
            EXPECT_TRUE(error.mMessage.ends_with(": Too many open files")) << error.mMessage;
        }
        setrlimit(RLIMIT_NOFILE, &saved);
    };
    withoutDescriptors([&] { mFolderParser.Parse(mTree.Root().c_str()); });
    const Vn::CancelToken notCancelled;
    Vn::ReadingContext context;
    Vn::FileJobs jobs(*mParsers, context, {}, nullptr, notCancelled);
    Vn::FileJobs::Task task;
    task.mPath = mTree.Path("a.c");
    withoutDescriptors([&] { jobs.Post(task); });
    EXPECT_EQ(FileCount(*mFolderParser.Parse(mTree.Root().c_str())), 1u);
}
