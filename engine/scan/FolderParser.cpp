#include "engine/scan/FolderParser.h"

#include "engine/counters/Counter_Count.h"
#include "engine/tree/CounterSchema.h"
#include "lib/Format.h"
#include "lib/IgnoreList.h"
#include "lib/Path.h"
#include "lib/RegularFile.h"

#include <cctype>
#include <cinttypes>
#include <cstring>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
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

FolderParser::FolderParser(const FileParser_List* fileParsers)
    : mFileParsers(fileParsers), mRootName(nullptr), mJobs(nullptr), mPending_Folder(nullptr)
{
    IgnoreFile_Add(".gitignore");
}

FolderParser::~FolderParser() = default;

void FolderParser::SetProgressCallback(ProgressCallback callback)
{
    mProgressCallback = std::move(callback);
}

void FolderParser::SetJobs(unsigned jobs)
{
    mWorkerContexts.clear();
    for (unsigned job = 0; jobs > 1 && job < jobs; job++)
        mWorkerContexts.push_back(std::make_unique<ReadingContext>());
}

std::unique_ptr<Data_Folder> FolderParser::Parse(const char* rootFolder, const CancelToken& cancel)
{
    auto root = Pass<Data_Folder>(
        rootFolder, nullptr, cancel,
        [this](Data_Folder& folder, FileJobs::Task& task)
        {
            if (Labels_Tally(*task.mNode))
                Join(folder, std::move(task.mNode));
        },
        [this](Data_Folder& parent, std::unique_ptr<Data_Folder> folder)
        { Join(parent, std::move(folder)); });
    if (root != nullptr)
        Labels_AddCounters(*root);
    return root;
}

// A scan that keeps only the totals merges the node into its folder and lets it go.
void FolderParser::Join(Data_Folder& folder, std::unique_ptr<Data_Node> node) const
{
    if (mTotalsOnly)
        folder.AddCounters(*node);
    else
        folder.AddNode(std::move(node));
}

std::unique_ptr<SearchResult_Folder> FolderParser::Search(const char* rootFolder,
                                                          const SearchRequest& request,
                                                          const CancelToken& cancel)
{
    auto root = Pass<SearchResult_Folder>(
        rootFolder, &request, cancel,
        [this](SearchResult_Folder& folder, FileJobs::Task& task)
        {
            if (task.mResult)
            {
                Handover(*task.mResult);
                folder.AddResult(std::move(task.mResult));
            }
        },
        [](SearchResult_Folder& parent, std::unique_ptr<SearchResult_Folder> folder)
        {
            if (folder->GetCount() != 0)
                parent.AddResult(std::move(folder));
        });
    if (root == nullptr || root->GetCount() == 0)
        return nullptr;
    return root;
}

std::unique_ptr<Data_Folder> FolderParser::Parse(const char* rootFolder)
{
    const CancelToken never;
    return Parse(rootFolder, never);
}

std::unique_ptr<SearchResult_Folder> FolderParser::Search(const char* rootFolder,
                                                          const SearchRequest& request)
{
    const CancelToken never;
    return Search(rootFolder, request, never);
}

// Puts the answer together over an explicit stack of folders. Each folder's answer is
// made when the folder is reached and joins its parent once its last entry is in, and a
// pending entry is released as soon as the answer holds what it had. It runs during the
// walk as far as the walk and the jobs have got, so that the pending tree holds only the
// files in flight, and then to the end.
template <class Folder> class FolderParser::Assembly
{
public:
    using AddFile = std::function<void(Folder&, FileJobs::Task&)>;
    using AddFolder = std::function<void(Folder&, std::unique_ptr<Folder>)>;

    Assembly(FolderParser& parser, AddFile addFile, AddFolder addFolder)
        : mParser(parser), mAddFile(std::move(addFile)), mAddFolder(std::move(addFolder))
    {
    }

    // Adds the files whose tasks have run and the folders that the walk has left with
    // all their entries in, up to the first that is not ready.
    void AddReady()
    {
        if (mSteps.empty() && mRoot == nullptr && mParser.mPending_Root != nullptr)
            Enter(*mParser.mPending_Root);
        Run(false);
    }

    // Once the walk is over: adds the rest, waiting for each task, and returns the root.
    std::unique_ptr<Folder> Finish(Pending_Folder& root)
    {
        if (mSteps.empty() && mRoot == nullptr)
            Enter(root);
        Run(true);
        return std::move(mRoot);
    }

private:
    struct Step
    {
        Pending_Folder* mPending;
        std::unique_ptr<Folder> mFolder;
        size_t mNext;
    };

    void Enter(Pending_Folder& pending)
    {
        mSteps.push_back({&pending, std::make_unique<Folder>(pending.mName.c_str()), 0});
        if (pending.mNamesItsFile)
            mSteps.back().mFolder->SetRootKind(TreeNode::RootKind::FILE);
    }

    void Run(bool walkOver)
    {
        while (!mSteps.empty())
        {
            Step& step = mSteps.back();
            if (step.mNext == step.mPending->mEntries.size())
            {
                if (!walkOver && !step.mPending->mWalked)
                    return;
                std::unique_ptr<Folder> done = std::move(step.mFolder);
                mSteps.pop_back();
                if (mSteps.empty())
                    mRoot = std::move(done);
                else
                {
                    mAddFolder(*mSteps.back().mFolder, std::move(done));
                    mSteps.back().mPending->mEntries[mSteps.back().mNext - 1] = Pending_Entry();
                }
                continue;
            }
            Pending_Entry& entry = step.mPending->mEntries[step.mNext];
            if (entry.mFolder)
            {
                step.mNext++;
                Enter(*entry.mFolder);
                continue;
            }
            if (!walkOver && !entry.mFile->mRun.load(std::memory_order_acquire))
                return;
            step.mNext++;
            FileJobs::Task& task = mParser.WaitForAnswer(entry);
            if (task.mOpenError != 0)
                mParser.mUnreadable.mFiles[task.mOpenError]++;
            mParser.mSkippedBinary += task.mSkippedBinary ? 1 : 0;
            mAddFile(*step.mFolder, task);
            entry = Pending_Entry();
        }
    }

    FolderParser& mParser;
    AddFile mAddFile;
    AddFolder mAddFolder;
    std::vector<Step> mSteps;
    std::unique_ptr<Folder> mRoot; // once complete
};

template <class Folder, class AddFile, class AddFolder>
std::unique_ptr<Folder> FolderParser::Pass(const char* rootFolder, const SearchRequest* request,
                                           const CancelToken& cancel, AddFile addFile,
                                           AddFolder addFolder)
{
    mCancel = &cancel;
    mRequest = request;
    try
    {
        std::unique_ptr<Pending_Folder> pending; // outlives the jobs, whose workers hold its tasks
        FileJobs jobs(*mFileParsers, mContext, mWorkerContexts, request, cancel);
        Assembly<Folder> assembly(*this, addFile, addFolder);
        mAssemble_Ready = [&assembly] { assembly.AddReady(); };
        pending = Walk(rootFolder, jobs);
        mAssemble_Ready = nullptr;
        mUnreadable.mWorkers = jobs.GetWarning();
        auto root = assembly.Finish(*pending);
        mJobs = nullptr;
        mCancel = nullptr;
        return root;
    }
    catch (const FileJobs::Cancelled&)
    {
        mAssemble_Ready = nullptr;
        mJobs = nullptr;
        mCancel = nullptr;
        return nullptr;
    }
    catch (...)
    {
        mAssemble_Ready = nullptr;
        mCancel = nullptr;
        throw;
    }
}

std::unique_ptr<FolderParser::Pending_Folder> FolderParser::Walk(const char* rootFolder,
                                                                 FileJobs& jobs)
{
    mRootName = rootFolder;
    mJobs = &jobs;
    mPending_Root.reset();
    mPending_Folder = nullptr;
    mProgress_Folders = 0;
    mProgress_Queued = 0;
    mUnreadable = Unreadable();
    mSkippedBinary = 0;
    const LanguageTable* languages = mFileParsers->GetLanguages();
    mLabels = languages != nullptr ? &languages->GetLabels() : nullptr;
    mLabelTotals = {};
    mProgress_Reported = std::chrono::steady_clock::now();
    try
    {
        struct stat status;
        if (stat(rootFolder, &status) == 0 && S_ISREG(status.st_mode))
            WalkFile(rootFolder, static_cast<uint64_t>(status.st_size));
        else
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

bool FolderParser::OnFolder_Accepted(const char* relative)
{
    // Only the root's own ".git" is skipped; one deeper down is walked like any folder.
    if (relative != nullptr && std::strcmp(relative, ".git") == 0)
        return false;
    ThrowIfCancelled();

    auto folder = std::make_unique<Pending_Folder>();
    // A pending folder keeps only its own name, as the tree's nodes do: on a deep tree,
    // whole paths would add up to the square of the depth.
    folder->mName = relative == nullptr ? mRootName : TrovLib::LastComponent(relative);
    folder->mParent = std::exchange(mPending_Folder, folder.get());
    if (mLabels != nullptr)
        Labels_EnterFolder(*folder, relative);
    if (folder->mParent == nullptr)
        mPending_Root = std::move(folder);
    else
        folder->mParent->mEntries.push_back(Pending_Entry{nullptr, std::move(folder)});
    return true;
}

void FolderParser::OnFolder_Left(const char* relative)
{
    mPending_Folder->mAttributes.reset();
    mPending_Folder->mWalked = true;
    mPending_Folder = mPending_Folder->mParent;
    mProgress_Folders++;
    Walker_Smart::OnFolder_Left(relative);
    mAssemble_Ready();
}

void FolderParser::OnFolder_Unreadable(const char*, int error)
{
    mUnreadable.mFolders[error]++;
}

void FolderParser::OnIgnoreFile_Unreadable(const char*, int error)
{
    mUnreadable.mFiles[error]++;
}

// A file named as the root is a tree of its own: a root named by the file holds that
// one file, named the same. The user named it, so no ignore file applies; the globs of a
// search still see its name.
void FolderParser::WalkFile(const char* path, uint64_t size)
{
    mPending_Root = std::make_unique<Pending_Folder>();
    mPending_Root->mName = path;
    mPending_Root->mNamesItsFile = true;
    mPending_Folder = mPending_Root.get();
    const char* name = TrovLib::LastComponent(path);
    if (mRequest == nullptr || mRequest->IsPathSelected(name))
    {
        auto task = std::make_unique<FileJobs::Task>();
        task->mPath = path;
        task->mSize = size;
        if (mLabels != nullptr)
            task->mHints = Labels_OfFile(name);
        Post(std::move(task));
    }
    mPending_Folder = nullptr;
}

void FolderParser::OnFile_Accepted(const char* relative, const timespec*)
{
    ThrowIfCancelled();
    if (mRequest != nullptr && !mRequest->IsPathSelected(relative))
        return;
    auto task = std::make_unique<FileJobs::Task>();
    task->mPath = GetFullPath(relative);
    FileBase base = GetFileBase();
    task->mBase = std::move(base.mFolder);
    task->mBaseOffset = base.mPathOffset;
    task->mSize = GetFileSize();
    if (mLabels != nullptr)
        task->mHints = Labels_OfFile(relative);
    Post(std::move(task));
}

void FolderParser::Post(std::unique_ptr<FileJobs::Task> task)
{
    FileJobs::Task& posted = *task;
    mPending_Folder->mEntries.push_back(Pending_Entry{std::move(task), nullptr});
    mJobs->Post(posted);
    Progress_FileQueued();
    mAssemble_Ready();
}

// The assembly runs in walk order, during the walk as far as the files are done, so the
// reader gets each file as soon as it and every file before it are searched.
void FolderParser::Handover(SearchResult_File& file)
{
    if (mFileHandover)
        mFileHandover(file.GetName(), file.TakeHits());
}

void FolderParser::SetFileHandover(FileHandover handover)
{
    mFileHandover = std::move(handover);
}

// A folder's labels come from its own name and those above it, and its .gitattributes
// chains to the one in force.
void FolderParser::Labels_EnterFolder(Pending_Folder& folder, const char* relative)
{
    if (const Pending_Folder* parent = folder.mParent)
    {
        folder.mFolderLabels = parent->mFolderLabels | mLabels->ByFolder(folder.mName);
        folder.mAttributesInForce = parent->mAttributesInForce;
    }
    const TrovLib::RegularFile file =
        TrovLib::RegularFile::Open(GetFolderFd(), ".gitattributes", false);
    if (file.mFd < 0)
        return;
    const std::string text =
        TrovLib::RegularFile::ReadAll(file.mFd, TrovLib::IgnoreList::FILE_SIZE_MAX);
    close(file.mFd);
    folder.mAttributes = std::make_unique<LabelAttributes>(folder.mAttributesInForce, relative);
    folder.mAttributes->ReadFromText(text);
    folder.mAttributesInForce = folder.mAttributes.get();
}

LabelHints FolderParser::Labels_OfFile(const char* relative) const
{
    LabelHints hints;
    hints.mFolder = mPending_Folder->mFolderLabels;
    if (mPending_Folder->mAttributesInForce != nullptr)
        mPending_Folder->mAttributesInForce->Apply(relative, hints);
    return hints;
}

bool FolderParser::Labels_Tally(const Data_Node& file)
{
    LabelTotals& totals = mLabelTotals[static_cast<size_t>(file.mLabel)];
    if (file.mSkipped)
    {
        totals.mSkipped++;
        return false;
    }
    if (file.mLabel != Label::NONE)
    {
        totals.mFiles++;
        totals.mLines += file.mCounts.mLines;
    }
    return true;
}

void FolderParser::Labels_AddCounters(Data_Folder& root) const
{
    for (Label label : LABELS)
    {
        const LabelTotals& totals = mLabelTotals[static_cast<size_t>(label)];
        if (totals.mFiles == 0 && totals.mSkipped == 0)
            continue;
        auto group = std::make_unique<Counter_Group>(FileLabels::Name(label));
        group->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_FILE, totals.mFiles));
        group->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_LINE, totals.mLines));
        if (totals.mSkipped != 0)
            group->mCounters.Append(
                std::make_unique<Counter_Count>(Schema::NAME_SKIPPED, totals.mSkipped));
        root.mCounters.Append(std::move(group));
    }
}

FolderParser::Pending_Folder::~Pending_Folder()
{
    std::vector<std::unique_ptr<Pending_Folder>> doomed;
    const auto takeFolders = [&doomed](Pending_Folder& folder)
    {
        for (Pending_Entry& entry : folder.mEntries)
        {
            if (entry.mFolder)
                doomed.push_back(std::move(entry.mFolder));
        }
    };
    takeFolders(*this);
    while (!doomed.empty())
    {
        std::unique_ptr<Pending_Folder> folder = std::move(doomed.back());
        doomed.pop_back();
        takeFolders(*folder);
    }
}

FileJobs::Task& FolderParser::WaitForAnswer(const Pending_Entry& entry)
{
    ThrowIfCancelled();
    // Workers often run ahead of the assembly, which then never waits: it reports anyway.
    Progress_Report();
    mJobs->Wait(*entry.mFile, [this] { Progress_Report(); });
    return *entry.mFile;
}

void FolderParser::ThrowIfCancelled() const
{
    if (mCancel != nullptr && mCancel->IsCancelled())
        throw FileJobs::Cancelled();
}

void FolderParser::Progress_FileQueued()
{
    mProgress_Queued++;
    if (mProgressCallback && mProgress_Queued % PROGRESS_FILES_PER_CHECK == 0)
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
    mProgressCallback(Progress{mProgress_Folders, mJobs->Done(), mJobs->Bytes(), mJobs->Hits()});
}

std::string FolderParser::Unreadable::Describe() const
{
    std::vector<std::string> counts;
    std::set<std::string> reasons;
    for (const auto& [count, singular] :
         {std::pair(&mFolders, "folder"), std::pair(&mFiles, "file")})
    {
        uint64_t total = 0;
        for (const auto& [error, number] : *count)
        {
            total += number;
            std::string reason = std::strerror(error);
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            reasons.insert(reason);
        }
        if (total != 0)
            counts.push_back(
                TrovLib::Format("%" PRIu64 " %s%s", total, singular, total == 1 ? "" : "s"));
    }
    if (counts.empty())
        return mWorkers;
    std::string text = counts.front();
    if (counts.size() > 1)
        text += " and " + counts.back();
    std::string joined;
    for (const std::string& reason : reasons)
        joined += (joined.empty() ? "" : ", ") + reason;
    return text + " could not be read (" + joined + ")" + (mWorkers.empty() ? "" : "; ") + mWorkers;
}

} // namespace Vn
