#include "ui/BackgroundPass.h"

#include <utility>

namespace Varnik
{

BackgroundPass::BackgroundPass(Vn::FolderParser& folderParser, QObject* parent)
    : QObject(parent), mFolderParser(folderParser)
{
    qRegisterMetaType<Vn::Progress>();
    mFolderParser.SetProgressCallback([this](const Vn::Progress& progress)
                                      { emit Progressed(progress); });
}

BackgroundPass::~BackgroundPass()
{
    if (mThread.joinable())
    {
        Cancel();
        mThread.join();
    }
    mFolderParser.SetProgressCallback(nullptr);
}

void BackgroundPass::Scan(const std::string& rootFolder)
{
    Start([this, rootFolder](Outcome& outcome, const Vn::CancelToken& cancel)
          { outcome.mScan = mFolderParser.Parse(rootFolder.c_str(), cancel); });
}

// The request is copied, so that the window may change its own while the pass runs.
void BackgroundPass::Search(const std::string& rootFolder, const Vn::SearchRequest& request)
{
    Start([this, rootFolder, request](Outcome& outcome, const Vn::CancelToken& cancel)
          { outcome.mSearch = mFolderParser.Search(rootFolder.c_str(), request, cancel); });
}

void BackgroundPass::Start(std::function<void(Outcome&, const Vn::CancelToken&)> work)
{
    mCancel = std::make_shared<Vn::CancelToken>();
    mOutcome = Outcome();
    mClock.start();
    mThread = std::thread(
        [this, work = std::move(work), cancel = mCancel]
        {
            try
            {
                work(mOutcome, *cancel);
                mOutcome.mUnreadable = mFolderParser.GetUnreadable().Describe();
            }
            catch (...)
            {
                mOutcome.mFailure = std::current_exception();
            }
            mOutcome.mSeconds = static_cast<double>(mClock.elapsed()) / 1000;
            emit Finished();
        });
}

void BackgroundPass::Cancel()
{
    mCancel->Cancel();
}

BackgroundPass::Outcome BackgroundPass::Take()
{
    if (mThread.joinable())
        mThread.join();
    Outcome outcome = std::move(mOutcome);
    mOutcome = Outcome();
    if (mCancel->IsCancelled())
    {
        outcome = Outcome();
        outcome.mCancelled = true;
    }
    return outcome;
}

} // namespace Varnik
