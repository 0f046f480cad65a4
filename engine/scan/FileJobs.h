#pragma once

#include "engine/parsers/FileParser_List.h"
#include "engine/scan/CancelToken.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_File.h"
#include "engine/tree/Data_Node.h"
#include "lib/FolderHandle.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace Vn
{

// Runs the work on the files of one pass: each file is parsed (a scan) or searched (a
// search) by the registry, which every thread shares. With no worker contexts the work
// runs at once on the calling thread, in its own reading context; otherwise each worker
// thread runs files in a context of its own. Tasks travel to the workers in
// batches, so that waking a thread is not paid per file. The caller waits for each task
// before it reads the answer, and so can put the answers together in walk order while
// the workers are still busy with later files.
//
// A pass can be cancelled from any thread through a flag that the jobs only read: the
// workers check it before each batch, and a waiting caller at least every 50 ms.
//
// Shared between threads: the queue, the closed state and the failure, under mMutex; a
// task's answer, published by its mRun flag; the counters Done, Bytes and Hits, and the
// cancel flag, which are atomic.
class FileJobs
{
public:
    struct Task
    {
        std::string mPath; // the full path; released once the task has run
        // Set when the full path is too long to open as it is: an open folder above the
        // file, and where in mPath the part relative to it begins. Released with the path.
        std::shared_ptr<const TrovLib::FolderHandle> mBase;
        size_t mBaseOffset = 0;
        uint64_t mSize = 0;          // as the walk saw it; counted as read once the task has run
        LabelHints mHints;           // what the walk knows of the file's labels
        int mOpenError = 0;          // errno when the file could not be opened
        bool mSkippedBinary = false; // a binary file that a search passed over
        std::unique_ptr<Data_Node> mNode;
        std::unique_ptr<SearchResult_File> mResult;
        std::atomic<bool> mRun{false}; // the answer is there
    };

    // Thrown by Wait once the pass is cancelled.
    struct Cancelled
    {
    };

    // Starts a thread that runs `work`; throws std::system_error when it cannot, as
    // std::thread does when the system refuses another thread.
    using StartThread = std::function<std::thread(std::function<void()> work)>;
    static std::thread StartStdThread(std::function<void()> work);

    // `request` is null for a scan. `context` serves the calling thread, `workers` the
    // worker threads, one thread each. The pass stops as soon as `cancel` is cancelled; it must
    // outlive the jobs. When some worker threads cannot start, the jobs go on with those that did
    // and say so in GetWarning; when none can, throws Exception (CODE_THREAD_ERROR) with the
    // reason.
    FileJobs(const FileParser_List& registry, ReadingContext& context,
             std::span<const std::unique_ptr<ReadingContext>> workers, const SearchRequest* request,
             const CancelToken& cancel, const StartThread& startThread = StartStdThread);
    // Cancels what is left.
    ~FileJobs();

    FileJobs(const FileJobs&) = delete;
    FileJobs& operator=(const FileJobs&) = delete;

    // The task stays owned by the caller and must live until the jobs are destroyed.
    void Post(Task& task);
    // No more tasks will be posted.
    void Close();
    // Waits until the task has run, calling `waiting` every so often meanwhile. Throws
    // what a task threw, once the task waited for cannot run any more, and Cancelled
    // once the pass is cancelled. A task throws Exception (CODE_IO_ERROR) when its file
    // cannot be opened for want of descriptors.
    void Wait(const Task& task, const std::function<void()>& waiting);
    // Stops the workers, leaving queued tasks undone, and waits for the running ones.
    // Afterwards no task is touched any more.
    void Cancel();
    // Tasks run so far, the bytes of their files and, in a search, the lines they matched.
    uint64_t Done() const { return mDone.load(std::memory_order_relaxed); }
    uint64_t Bytes() const { return mBytes.load(std::memory_order_relaxed); }
    uint64_t Hits() const { return mHits.load(std::memory_order_relaxed); }
    // "2 of 8 worker threads could not start (resource temporarily unavailable)", or
    // nothing when all started.
    const std::string& GetWarning() const { return mWarning; }

private:
    using Batch = std::vector<Task*>;

    void Run(Task& task, ReadingContext& context);
    bool IsCancelled() const { return mCancel.IsCancelled(); }
    void Work(ReadingContext& context);
    // Hands the tasks posted since the last batch to the workers.
    void SendBatch();

    const FileParser_List& mRegistry;
    ReadingContext& mContext; // the calling thread's
    const SearchRequest* mRequest;
    const CancelToken& mCancel;
    std::atomic<uint64_t> mDone{0};
    std::atomic<uint64_t> mBytes{0};
    std::atomic<uint64_t> mHits{0};

    std::mutex mMutex;
    std::condition_variable mPosted; // a task was posted, or the pass is over
    std::condition_variable mRan;    // a batch of tasks has run, or a task failed
    Batch mBatch;                    // posted, not yet sent; touched by the posting thread only
    std::deque<Batch> mQueue;
    bool mClosed = false; // no more tasks come
    std::exception_ptr mFailure;
    std::vector<std::thread> mThreads;
    std::string mWarning;
};

} // namespace Vn
