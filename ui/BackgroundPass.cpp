#include "ui/BackgroundPass.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace Varnik
{

namespace
{

// The cancel token of the pass that runs on this thread, if it is a pass thread.
thread_local const Vn::CancelToken* tPassCancel = nullptr;

bool PassCancelled()
{
    return tPassCancel != nullptr && tPassCancel->IsCancelled();
}

} // namespace

BackgroundPass::BackgroundPass(Vn::FolderParser& folderParser, QObject* parent)
    : QObject(parent), mFolderParser(folderParser)
{
    qRegisterMetaType<Vn::Progress>();
    mFolderParser.SetProgressCallback(
        [this](const Vn::Progress& progress)
        {
            if (!PassCancelled())
                emit Progressed(progress);
        });
    mFolderParser.SetFileHandover([this](std::string path, Vn::PackedHits hits)
                                  { Found(std::move(path), std::move(hits)); });
}

BackgroundPass::~BackgroundPass()
{
    mRun->mCancel.Cancel();
    for (std::thread* thread : {&mThread, &mCancelled})
    {
        if (thread->joinable())
            thread->join();
    }
    mFolderParser.SetProgressCallback(nullptr);
    mFolderParser.SetFileHandover(nullptr);
}

void BackgroundPass::Scan(const std::string& rootFolder)
{
    Start([this, rootFolder](Outcome& outcome, const Vn::CancelToken& cancel)
          { outcome.mScan = mFolderParser.Parse(rootFolder.c_str(), cancel); });
}

// The request is copied, so that the window may change its own while the pass runs. The
// files found have all been handed over when the search returns, so its tree is freed
// off the GUI thread, and the memory given back, while the pass ends.
void BackgroundPass::Search(const std::string& rootFolder, const Vn::SearchRequest& request)
{
    Start([this, rootFolder, request](Outcome&, const Vn::CancelToken& cancel)
          { mDisposal.Release(mFolderParser.Search(rootFolder.c_str(), request, cancel)); });
}

// The check and the push go under one lock, so that no file of a cancelled pass lands
// after the next pass emptied the queue.
void BackgroundPass::Found(std::string path, Vn::PackedHits hits)
{
    const std::lock_guard lock(mFoundMutex);
    if (!PassCancelled())
        mFound.push_back(FoundFile{std::move(path), std::move(hits)});
}

void BackgroundPass::TakeFiles(std::deque<FoundFile>& files)
{
    const std::lock_guard lock(mFoundMutex);
    if (files.empty())
        files.swap(mFound);
    else
        std::move(mFound.begin(), mFound.end(), std::back_inserter(files));
    mFound.clear();
}

// The folder parser is free once a cancelled pass has unwound, so the new thread waits
// for the old one first.
void BackgroundPass::Start(std::function<void(Outcome&, const Vn::CancelToken&)> work)
{
    mRun = std::make_shared<Run>();
    mRunning = true;
    {
        const std::lock_guard lock(mFoundMutex);
        mFound.clear();
    }
    mRun->mClock.start();
    mThread = std::thread(
        [this, work = std::move(work), run = mRun, cancelled = std::move(mCancelled)]() mutable
        {
            if (cancelled.joinable())
                cancelled.join();
            tPassCancel = &run->mCancel;
            try
            {
                work(run->mOutcome, run->mCancel);
                run->mOutcome.mUnreadable = mFolderParser.GetUnreadable().Describe();
            }
            catch (...)
            {
                run->mOutcome.mFailure = std::current_exception();
            }
            run->mOutcome.mSeconds = static_cast<double>(run->mClock.elapsed()) / 1000;
            Report(*run);
        });
}

void BackgroundPass::Report(Run& run)
{
    if (!run.mReported.exchange(true))
        QMetaObject::invokeMethod(this, &BackgroundPass::Finished, Qt::QueuedConnection);
}

// A pass still running is reported over at once.
void BackgroundPass::Cancel()
{
    mRun->mCancel.Cancel();
    if (mThread.joinable())
        Report(*mRun);
}

// The thread of a cancelled pass is left to unwind; the next pass or the destructor
// joins it.
BackgroundPass::Outcome BackgroundPass::Take()
{
    mRunning = false;
    if (mRun->mCancel.IsCancelled())
    {
        if (mThread.joinable())
            mCancelled = std::move(mThread);
        Outcome cancelled;
        cancelled.mCancelled = true;
        return cancelled;
    }
    mThread.join();
    return std::move(mRun->mOutcome);
}

} // namespace Varnik
