#include "engine/scan/FolderParser.h"

#include <cstring>
#include <utility>

namespace Vn
{

namespace
{

// The clock is read only every so many files, and the callback called only when this
// long has passed since the last call.
constexpr unsigned PROGRESS_FILES_PER_CHECK = 256;
constexpr std::chrono::milliseconds PROGRESS_INTERVAL(200);

} // namespace

FolderParser::FolderParser(FileParser_List* fileParsers)
    : mFileParsers(fileParsers), mRootName(nullptr), mJobs(nullptr), mPending_Folder(nullptr)
{
    IgnoreFile_Add(".gitignore");
}

FolderParser::~FolderParser() = default;

void FolderParser::SetProgressCallback(ProgressCallback callback)
{
    mProgressCallback = std::move(callback);
}

void FolderParser::SetJobs(unsigned jobs, const RegistryFactory& makeRegistry)
{
    mWorkerParsers.clear();
    for (unsigned job = 0; jobs > 1 && job < jobs; job++)
        mWorkerParsers.push_back(makeRegistry());
}

std::unique_ptr<Data_Folder> FolderParser::Parse(const char* rootFolder)
{
    std::unique_ptr<Pending_Folder> pending; // outlives the jobs, whose workers hold its tasks
    FileJobs jobs(*mFileParsers, mWorkerParsers, nullptr);
    pending = Walk(rootFolder, jobs);
    auto root = Scan_Result(*pending);
    mJobs = nullptr;
    return root;
}

std::unique_ptr<SearchResult_Folder> FolderParser::Search(const char* rootFolder,
                                                          const SearchRequest& request)
{
    std::unique_ptr<Pending_Folder> pending; // outlives the jobs, whose workers hold its tasks
    FileJobs jobs(*mFileParsers, mWorkerParsers, &request);
    pending = Walk(rootFolder, jobs);
    auto root = Search_Result(*pending);
    mJobs = nullptr;
    return root;
}

std::unique_ptr<FolderParser::Pending_Folder> FolderParser::Walk(const char* rootFolder,
                                                                 FileJobs& jobs)
{
    mRootName = rootFolder;
    mJobs = &jobs;
    mPending_Root.reset();
    mPending_Folder = nullptr;
    mProgress = Progress();
    mProgress_Reported = std::chrono::steady_clock::now();
    try
    {
        Start(rootFolder);
    }
    catch (...)
    {
        jobs.Cancel();
        mPending_Root.reset();
        mJobs = nullptr;
        throw;
    }
    jobs.Close();
    return std::move(mPending_Root);
}

void FolderParser::OnFolder_Accepted(const char* relative)
{
    // Only the root's own ".git" is skipped; one deeper down is walked like any folder.
    if (relative != nullptr && std::strcmp(relative, ".git") == 0)
        return;

    auto folder = std::make_unique<Pending_Folder>();
    folder->mName = relative == nullptr ? mRootName : relative;
    Pending_Folder* parent = std::exchange(mPending_Folder, folder.get());
    if (parent == nullptr)
        mPending_Root = std::move(folder);
    else
        parent->mEntries.push_back(Pending_Entry{nullptr, std::move(folder)});

    Enumerate(relative);
    mPending_Folder = parent;
    mProgress.mFolders++;
}

void FolderParser::OnFile_Accepted(const char* relative, const timespec*)
{
    auto task = std::make_unique<FileJobs::Task>();
    task->mPath = GetFullPath(relative);
    FileJobs::Task& posted = *task;
    mPending_Folder->mEntries.push_back(Pending_Entry{std::move(task), nullptr});
    mJobs->Post(posted);
    Progress_FileDone();
}

std::unique_ptr<Data_Folder> FolderParser::Scan_Result(Pending_Folder& pending)
{
    auto folder = std::make_unique<Data_Folder>(pending.mName.c_str());
    for (Pending_Entry& entry : pending.mEntries)
    {
        if (entry.mFile)
            folder->AddNode(std::move(Answer(entry).mNode));
        else
            folder->AddNode(Scan_Result(*entry.mFolder));
        entry = Pending_Entry(); // what the tree holds now, the pending tree no longer needs
    }
    return folder;
}

std::unique_ptr<SearchResult_Folder> FolderParser::Search_Result(Pending_Folder& pending)
{
    auto folder = std::make_unique<SearchResult_Folder>(pending.mName.c_str());
    for (Pending_Entry& entry : pending.mEntries)
    {
        std::unique_ptr<SearchResult> result;
        if (entry.mFile)
            result = std::move(Answer(entry).mResult);
        else
            result = Search_Result(*entry.mFolder);
        if (result)
            folder->AddResult(std::move(result));
    }
    if (folder->GetCount() == 0)
        return nullptr;
    return folder;
}

FileJobs::Task& FolderParser::Answer(const Pending_Entry& entry)
{
    mJobs->Wait(*entry.mFile, [this] { Progress_Report(); });
    return *entry.mFile;
}

void FolderParser::Progress_FileDone()
{
    mProgress.mFiles++;
    if (mProgressCallback && mProgress.mFiles % PROGRESS_FILES_PER_CHECK == 0)
        Progress_Report();
}

void FolderParser::Progress_Report()
{
    if (!mProgressCallback)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - mProgress_Reported < PROGRESS_INTERVAL)
        return;
    mProgress_Reported = now;
    mProgressCallback(Progress{mProgress.mFolders, mJobs->Done()});
}

} // namespace Vn
