#include "engine/scan/FileJobs.h"

#include "lib/Exception.h"
#include "lib/Format.h"
#include "lib/RegularFile.h"

#include <cctype>
#include <chrono>
#include <fcntl.h>
#include <system_error>

namespace Vn
{

namespace
{
// Bounds how long a waiting caller takes to notice a cancel.
constexpr std::chrono::milliseconds WAITING_INTERVAL(50);
constexpr size_t BATCH_SIZE = 16;
} // namespace

std::thread FileJobs::StartStdThread(std::function<void()> work)
{
    return std::thread(std::move(work));
}

// A started thread holds this object, so it must be stopped before any exception leaves
// the constructor, whose destructor then never runs.
FileJobs::FileJobs(const FileParser_List& registry, ReadingContext& context,
                   std::span<const std::unique_ptr<ReadingContext>> workers,
                   const SearchRequest* request, const CancelToken& cancel,
                   const StartThread& startThread)
    : mRegistry(registry), mContext(context), mRequest(request), mCancel(cancel)
{
    mThreads.reserve(workers.size()); // so that keeping a started thread cannot fail
    for (const auto& worker : workers)
    {
        try
        {
            mThreads.push_back(startThread([this, &worker] { Work(*worker); }));
        }
        catch (const std::system_error& error)
        {
            std::string reason = error.code().message();
            if (mThreads.empty())
                throw TrovLib::Exception(TrovLib::CODE_THREAD_ERROR, "worker thread start failed",
                                         reason.c_str(), __FILE_NAME__, "Vn::FileJobs::FileJobs",
                                         __LINE__, static_cast<unsigned>(error.code().value()));
            if (!reason.empty())
                reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            mWarning =
                TrovLib::Format("%zu of %zu worker threads could not start (%s)",
                                workers.size() - mThreads.size(), workers.size(), reason.c_str());
            return;
        }
        catch (...)
        {
            Cancel();
            throw;
        }
    }
}

FileJobs::~FileJobs()
{
    Cancel();
}

void FileJobs::Cancel()
{
    mBatch.clear();
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mClosed = true;
        mQueue.clear();
    }
    mPosted.notify_all();
    for (std::thread& thread : mThreads)
    {
        if (thread.joinable())
            thread.join();
    }
}

void FileJobs::Post(Task& task)
{
    if (mThreads.empty())
    {
        Run(task, mContext);
        return;
    }
    mBatch.push_back(&task);
    if (mBatch.size() >= BATCH_SIZE)
        SendBatch();
}

void FileJobs::SendBatch()
{
    if (mBatch.empty())
        return;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mQueue.push_back(std::move(mBatch));
    }
    mBatch.clear();
    mPosted.notify_one();
}

void FileJobs::Close()
{
    SendBatch();
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mClosed = true;
    }
    mPosted.notify_all();
}

void FileJobs::Wait(const Task& task, const std::function<void()>& waiting)
{
    if (task.mRun.load(std::memory_order_acquire))
        return;
    std::unique_lock<std::mutex> lock(mMutex);
    const auto over = [this, &task]
    { return task.mRun.load(std::memory_order_acquire) || mFailure != nullptr || IsCancelled(); };
    while (!mRan.wait_for(lock, WAITING_INTERVAL, over))
    {
        lock.unlock();
        waiting();
        lock.lock();
    }
    if (IsCancelled())
        throw Cancelled();
    if (!task.mRun.load(std::memory_order_acquire))
        std::rethrow_exception(mFailure);
}

// The context opens the task's file below its base folder, if any, and only during the
// task, since the base is released with the task.
void FileJobs::Run(Task& task, ReadingContext& context)
{
    context.SetBase(task.mBase ? task.mBase->Get() : AT_FDCWD, task.mBaseOffset);
    if (mRequest == nullptr)
        task.mNode = mRegistry.Parse(task.mPath.c_str(), context, task.mHints);
    else
    {
        task.mResult = mRegistry.Search(task.mPath.c_str(), *mRequest, context, task.mHints);
        task.mSkippedBinary = context.mSkippedBinary;
        if (task.mResult)
            mHits.fetch_add(task.mResult->GetCount(), std::memory_order_relaxed);
    }
    task.mOpenError = context.GetError();
    context.SetBase(AT_FDCWD, 0);
    if (TrovLib::IsDescriptorShortage(task.mOpenError))
        TrovLib::ThrowSystemError("open failed", task.mPath, "Vn::FileJobs::Run", task.mOpenError);
    std::string().swap(task.mPath);
    task.mBase.reset();
    mBytes.fetch_add(task.mSize, std::memory_order_relaxed);
    // Once the task says it has run, its owner may free it: it is not touched after this.
    task.mRun.store(true, std::memory_order_release);
    mDone.fetch_add(1, std::memory_order_relaxed);
}

void FileJobs::Work(ReadingContext& context)
{
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;)
    {
        mPosted.wait(lock, [this] { return mClosed || !mQueue.empty(); });
        if (IsCancelled())
            mQueue.clear();
        if (mQueue.empty())
            return;
        const Batch batch = std::move(mQueue.front());
        mQueue.pop_front();
        lock.unlock();
        try
        {
            for (Task* task : batch)
                Run(*task, context);
            lock.lock();
        }
        catch (...)
        {
            lock.lock();
            if (!mFailure)
                mFailure = std::current_exception();
            mQueue.clear();
            mClosed = true;
            mPosted.notify_all();
        }
        // Under the lock, so that a waiter cannot miss the news between its check and
        // its wait.
        mRan.notify_all();
    }
}

} // namespace Vn
