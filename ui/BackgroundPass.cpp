#include "ui/BackgroundPass.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace Varnik
{

BackgroundPass::BackgroundPass(Vn::FolderParser& folderParser, QObject* parent)
    : QObject(parent), mFolderParser(folderParser)
{
    qRegisterMetaType<Vn::Progress>();
    mFolderParser.SetProgressCallback([this](const Vn::Progress& progress)
                                      { emit Progressed(progress); });
    mFolderParser.SetFileCallback([this](const Vn::SearchResult_File& file) { Found(file); });
}

BackgroundPass::~BackgroundPass()
{
    if (mThread.joinable())
    {
        Cancel();
        mThread.join();
    }
    mFolderParser.SetProgressCallback(nullptr);
    mFolderParser.SetFileCallback(nullptr);
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

void BackgroundPass::Found(const Vn::SearchResult_File& file)
{
    const std::string name = file.GetName();
    auto copy = std::make_unique<Vn::SearchResult_File>(name.c_str());
    copy->mLines.reserve(file.mLines.size());
    for (size_t index = 0; index < file.mLines.size(); index++)
    {
        copy->AddLine(file.mLines[index].mLine, file.mLines[index].mText.c_str());
        for (const Vn::SearchResult_File::Span& span : file.GetSpans(index))
            copy->AddSpan(span.mOffset, span.mLength);
    }
    copy->Compact();
    const std::lock_guard lock(mFoundMutex);
    mFound.push_back(std::move(copy));
}

void BackgroundPass::TakeFiles(std::deque<std::unique_ptr<Vn::SearchResult_File>>& files)
{
    const std::lock_guard lock(mFoundMutex);
    if (files.empty())
        files.swap(mFound);
    else
        std::move(mFound.begin(), mFound.end(), std::back_inserter(files));
    mFound.clear();
}

void BackgroundPass::Start(std::function<void(Outcome&, const Vn::CancelToken&)> work)
{
    mCancel = std::make_shared<Vn::CancelToken>();
    mOutcome = Outcome();
    {
        const std::lock_guard lock(mFoundMutex);
        mFound.clear();
    }
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
