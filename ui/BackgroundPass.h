#pragma once

#include "engine/scan/FolderParser.h"
#include "engine/search/SearchRequest.h"
#include "ui/Disposal.h"
#include "ui/FoundFile.h"

#include <QElapsedTimer>
#include <QMetaType>
#include <QObject>

#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace Varnik
{

// Runs the window's scans and searches, one at a time, on a thread of its own, so that
// the window paints and answers while the disk is read. The thread owns the folder
// parser for the length of the pass; the outcome comes back to the GUI thread through
// the queued signal Finished, and Take hands it over.
//
// Each pass gets a cancel token of its own, made before the pass thread starts and kept
// until the outcome is taken, so a cancel reaches the pass it was meant for whenever it
// comes, and never the next one. A pass the user cancels gives no results, even when the
// engine finished before it heard the request: the window then keeps what it shows. A
// cancelled pass is reported over at once, while its thread unwinds the engine, which may
// take a while on a large tree; the next pass waits for that thread on its own thread.
//
// A search hands each file it finds over as soon as the file is final, in walk order: the
// pass thread queues its path and lines, which the GUI thread takes with TakeFiles, and the
// engine's own result tree, which keeps the counts alone, goes to a thread of its own when
// the search ends. The files and progress of a cancelled pass are dropped.
//
// Shared between threads: the folder parser while a pass runs, which the GUI thread does
// not touch; the pass's Run, whose cancel token and report flag are atomic and whose
// outcome the pass thread writes before it queues Finished and the GUI thread reads only
// after joining it; and the queue of files found, guarded by mFoundMutex.
class BackgroundPass : public QObject
{
    Q_OBJECT

public:
    struct Outcome
    {
        std::unique_ptr<Vn::Data_Folder> mScan;
        bool mCancelled = false;
        std::exception_ptr mFailure;
        double mSeconds = 0;
        std::string mUnreadable; // what could not be read, as a sentence; empty when all was
    };

    // The folder parser must outlive the pass object; its progress callback is taken.
    explicit BackgroundPass(Vn::FolderParser& folderParser, QObject* parent = nullptr);
    // Cancels a running pass and waits for it.
    ~BackgroundPass() override;

    BackgroundPass(const BackgroundPass&) = delete;
    BackgroundPass& operator=(const BackgroundPass&) = delete;

    // Starts a pass; none may be running.
    void Scan(const std::string& rootFolder);
    void Search(const std::string& rootFolder, const Vn::SearchRequest& request);
    // Cancels the last pass started, running or not yet taken; callable before its thread
    // reaches the engine.
    void Cancel();
    // From the start of a pass until its outcome is taken.
    bool IsRunning() const { return mRunning; }
    // After Finished: the outcome of the pass, which is then over.
    Outcome Take();
    // Moves the files that the running or last search found since the last call to the
    // end of `files`.
    void TakeFiles(std::deque<FoundFile>& files);

signals:
    // From the pass thread, a few times a second while it runs.
    void Progressed(const Vn::Progress& progress);
    // The pass has ended; queued to the GUI thread.
    void Finished();

private:
    // One pass, held by the window's side and by its thread.
    struct Run
    {
        Vn::CancelToken mCancel;
        std::atomic<bool> mReported = false; // Finished was queued for it
        Outcome mOutcome;
        QElapsedTimer mClock;
    };

    void Start(std::function<void(Outcome&, const Vn::CancelToken&)> work);
    // Queues Finished for the run, unless it was already.
    void Report(Run& run);
    // On the pass thread: a file found, handed over for the window.
    void Found(std::string path, Vn::PackedHits hits);

    Vn::FolderParser& mFolderParser;
    std::thread mThread;
    std::thread mCancelled; // that of a cancelled pass taken, which may still unwind
    // The last pass; its thread holds it too, for as long as it runs.
    std::shared_ptr<Run> mRun = std::make_shared<Run>();
    bool mRunning = false;
    std::mutex mFoundMutex;
    std::deque<FoundFile> mFound;
    Disposal mDisposal; // fed by the pass thread; goes first, after the pass
};

} // namespace Varnik

Q_DECLARE_METATYPE(Vn::Progress)
