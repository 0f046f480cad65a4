#pragma once

#include "engine/options/AnalysisOptions.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/parsers/ReadingContext.h"
#include "engine/scan/CancelToken.h"
#include "engine/scan/FileJobs.h"
#include "engine/scan/LabelAttributes.h"
#include "engine/scan/Progress.h"
#include "engine/search/PackedHits.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"
#include "lib/Walker.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Vn
{

// Runs one pass over a folder tree: a scan into a data tree, or a search into a tree
// of results. The walk and the ignore files are the walker's; this class turns what the
// walker accepts into nodes or results.
//
// The walk records the folders and files it accepts, in walk order, as a tree of
// pending entries, and hands each file to FileJobs, which parses or searches it, on
// worker threads when there are any. Then the answer is put together from the pending
// tree, waiting for each file's answer in turn while the workers go on with the next
// ones: each folder adds its children in walk order, and a sub-folder joins its parent
// only once complete, so every counter, every order and every result are those of a
// plain walk that parses file after file.
//
// The pending tree belongs to the pass, so a pass that ends in an exception releases
// its partial work on the way out, as the walker pops its ignore lists, and the next
// pass starts clean. A cancelled pass ends the same way: the walk checks the pass's cancel
// token at each entry, the workers before each batch, and the assembly at each file.
//
// Shared between threads: only the cancel token of a pass, which its caller owns and
// which is atomic. Everything else belongs to the thread that runs the pass, and the
// progress callback is called there.
class FolderParser : private TrovLib::Walker_Smart
{
public:
    // What a pass could not read, each count under the errno that refused it.
    struct Unreadable
    {
        std::map<int, uint64_t> mFolders; // folders that could not be listed
        std::map<int, uint64_t> mFiles;   // files that could not be read
        std::string mWorkers;             // why fewer worker threads ran than were asked for, if so

        // "3 folders and 1 file could not be read (permission denied)", followed by
        // mWorkers, or nothing when all could be read.
        std::string Describe() const;
    };
    using ProgressCallback = std::function<void(const Progress&)>;
    // A file's path and its lines.
    using FileHandover = std::function<void(std::string path, PackedHits hits)>;

    // The registry is not owned and must outlive the folder parser.
    explicit FolderParser(const FileParser_List* fileParsers);
    ~FolderParser() override;

    // The root folder node, named by `rootFolder` exactly as given; null only when the
    // pass was cancelled. A root that is a file holds that file alone, named the same. The pass
    // ends as soon as it can once `cancel` is cancelled, which may happen before it starts; the
    // token must outlive the call.
    std::unique_ptr<Data_Folder> Parse(const char* rootFolder, const CancelToken& cancel);
    // The root result, or null when nothing matched or the pass was cancelled.
    std::unique_ptr<SearchResult_Folder>
    Search(const char* rootFolder, const SearchRequest& request, const CancelToken& cancel);
    // The same, for a pass that no one cancels.
    std::unique_ptr<Data_Folder> Parse(const char* rootFolder);
    std::unique_ptr<SearchResult_Folder> Search(const char* rootFolder,
                                                const SearchRequest& request);

    // How later passes walk the tree. The registries must be made with the same options.
    void SetOptions(const AnalysisOptions& options) { Walker_Smart::SetOptions(options.mWalk); }
    // With `totalsOnly`, later scans return a root that holds the counters of the whole
    // tree and no nodes, for a reader that shows nothing else: each node is merged into
    // its folder and let go as soon as it is done, so that the memory of the scan grows
    // with the counters' names, not with the files.
    void SetTotalsOnly(bool totalsOnly) { mTotalsOnly = totalsOnly; }

    // What the last pass could not read, complete once the pass has returned. A pass
    // that runs out of descriptors throws Exception (CODE_IO_ERROR) instead.
    const Unreadable& GetUnreadable() const { return mUnreadable; }
    // The binary files that the last search passed over.
    uint64_t GetSkippedBinary() const { return mSkippedBinary; }

    // Optional: called from time to time during a pass, at most a few times a second,
    // with the folders walked and the files done so far.
    void SetProgressCallback(ProgressCallback callback);

    // Optional: called during a search with each file that matched, in walk order, as soon
    // as it and every file before it are done, while the workers go on. Its lines are the
    // reader's, so that they are not held twice: the answer that Search returns keeps the
    // file with its count but without its lines.
    void SetFileHandover(FileHandover handover);

    // Reads files on `jobs` worker threads, which share the registry given to the
    // constructor, each with a reading context of its own. 0 or 1 reads them on the
    // calling thread. The answers are the same either way.
    void SetJobs(unsigned jobs);

private:
    struct Pending_Folder;
    struct Pending_Entry
    {
        std::unique_ptr<FileJobs::Task> mFile;
        std::unique_ptr<Pending_Folder> mFolder;
    };
    struct Pending_Folder
    {
        // Takes the sub-folders apart one by one, so that a deep tree does not
        // recurse.
        ~Pending_Folder();

        std::string mName;          // the root text as given, or the folder's own name
        bool mNamesItsFile = false; // the root made for a file given as a root
        bool mWalked = false;       // the walk has left it: no more entries come
        std::vector<Pending_Entry> mEntries;
        Pending_Folder* mParent = nullptr;
        // While the folder is walked, under the language table: the labels its name and
        // those above give, its own .gitattributes, and the innermost one in force.
        LabelSet mFolderLabels = 0;
        std::unique_ptr<LabelAttributes> mAttributes;
        const LabelAttributes* mAttributesInForce = nullptr;
    };
    // The labelled files of a scan, by label.
    struct LabelTotals
    {
        uint64_t mFiles = 0;
        uint64_t mLines = 0;
        uint64_t mSkipped = 0;
    };

    void OnFile_Accepted(const char* relative, const timespec* modified) override;
    bool OnFolder_Accepted(const char* relative) override;
    void OnFolder_Left(const char* relative) override;
    void OnFolder_Unreadable(const char* relative, int error) override;
    void OnIgnoreFile_Unreadable(const char* relative, int error) override;

    // Puts the answer together from the pending tree, in walk order.
    template <class Folder> class Assembly;

    // One pass: the walk, and the assembly of its answer by `addFile`, which takes a
    // file's finished task, and `addFolder`, which takes a finished sub-folder; null when
    // cancelled.
    template <class Folder, class AddFile, class AddFolder>
    std::unique_ptr<Folder> Pass(const char* rootFolder, const SearchRequest* request,
                                 const CancelToken& cancel, AddFile addFile, AddFolder addFolder);
    // Adds a finished node of a scan to its folder.
    void Join(Data_Folder& folder, std::unique_ptr<Data_Node> node) const;
    // Walks the tree into a pending tree, its files handed to `jobs`.
    std::unique_ptr<Pending_Folder> Walk(const char* rootFolder, FileJobs& jobs);
    // The pending tree of a root that is a file.
    void WalkFile(const char* path, uint64_t size);
    // Queues an accepted file in the folder being walked and hands it to the jobs.
    void Post(std::unique_ptr<FileJobs::Task> task);
    // The labels of a folder being entered, and what the walk knows of a file's.
    void Labels_EnterFolder(Pending_Folder& folder, const char* relative);
    LabelHints Labels_OfFile(const char* relative) const;
    // Tallies a file under its label; false for a skipped file, which joins no folder.
    bool Labels_Tally(const Data_Node& file);
    // A group per label found, holding "File", "Line" and "Skipped", at the root only.
    void Labels_AddCounters(Data_Folder& root) const;
    // Waits for the answer of the file's task.
    FileJobs::Task& WaitForAnswer(const Pending_Entry& entry);
    // Hands the file's lines over, when a handover is set.
    void Handover(SearchResult_File& file);
    // Ends the walk with FileJobs::Cancelled once a cancel is requested.
    void ThrowIfCancelled() const;

    void Progress_FileQueued();
    void Progress_Report();

    const FileParser_List* mFileParsers; // not owned
    ReadingContext mContext;             // reads the files when there are no workers
    std::vector<std::unique_ptr<ReadingContext>> mWorkerContexts;

    // The state of a pass.
    const char* mRootName; // the root text as given
    FileJobs* mJobs;       // where accepted files go; null between passes
    std::unique_ptr<Pending_Folder> mPending_Root;
    Pending_Folder* mPending_Folder; // the folder being walked
    // Puts together what is ready of the answer, during the walk.
    std::function<void()> mAssemble_Ready;
    bool mTotalsOnly = false;

    const CancelToken* mCancel = nullptr;    // that of the running pass
    const SearchRequest* mRequest = nullptr; // that of the running search

    ProgressCallback mProgressCallback;
    FileHandover mFileHandover;
    uint64_t mProgress_Folders = 0;
    unsigned mProgress_Queued = 0; // files handed to the jobs, which keep count of those done
    Unreadable mUnreadable;
    uint64_t mSkippedBinary = 0;
    const FileLabels* mLabels = nullptr; // under the language table
    std::array<LabelTotals, std::size(LABELS) + 1> mLabelTotals;
    std::chrono::steady_clock::time_point mProgress_Reported;
};

} // namespace Vn
