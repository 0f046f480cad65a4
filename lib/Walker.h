#pragma once

#include "lib/FolderHandle.h"
#include "lib/IgnoreList.h"
#include "lib/WalkOptions.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace TrovLib
{

// Walks a folder tree below a root folder, depth-first, and reports every file and
// every sub-folder to virtual callbacks by its path relative to the root.
//
// Each folder's entries are sorted by name, byte by byte, so that every walk of the
// same tree gives the same order. Only real folders are entered: a symbolic link to a
// folder is not followed, because links can form cycles. A link to a regular file is a
// file unless links are not followed. FIFOs, sockets, devices and dangling links are
// skipped, so that nothing opens them and blocks.
//
// The walk keeps its own stack of open folders instead of recursing, and opens every
// folder relative to a folder descriptor, so that trees of any depth, and paths longer
// than the system's limit, are walked whole. Keeping a descriptor per level would run
// out of descriptors on a deep tree, so only some folders stay open as anchors: the
// root, and then a folder whenever the path has grown by ANCHOR_SPAN bytes past the
// last anchor. Anything below is opened relative to the nearest anchor, by a path that
// stays well under the limit.
//
// A walker is used by one thread at a time.
class Walker
{
public:
    // How far a folder may lie below its anchor, in bytes of path. With names of at
    // most 255 bytes, a path from an anchor to a file then stays under 4,096 bytes.
    static constexpr size_t ANCHOR_SPAN = 2048;

    Walker();
    virtual ~Walker();

    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    // Walks the tree below `root`.
    void Start(const char* root);
    // Whether a link to a regular file counts as a file; true unless set.
    void SetFollowFileLinks(bool follow) { mFollowFileLinks = follow; }

    // The root joined with the relative path; the root alone for null.
    std::string GetFullPath(const char* relative) const;

    // Whether `base` joined with `part` (the base alone for null) exists.
    static bool Exists(const char* base, const char* part);
    // The part of the path before its last separator; nothing if it holds none. Throws
    // Exception (CODE_INVALID_BUFFER_SIZE) when that part has 2048 characters or more.
    static std::optional<std::string> GetFolder(const char* path);
    // Creates `base` joined with `folder`, and first any missing parent. Throws Exception
    // (CODE_IO_ERROR) when the folder cannot be created, also when it exists.
    static void CreateFolder(const char* base, const char* folder);

protected:
    // Where a file reported to OnFile can be opened from another thread, later: null
    // when its full path can be opened as it is; otherwise an anchor folder and the
    // offset in the full path where the part relative to that folder begins.
    struct FileBase
    {
        std::shared_ptr<const FolderHandle> mFolder;
        size_t mPathOffset = 0;
    };

    // Called for every file. `modified` is the file's last-write time.
    virtual void OnFile(const char* relative, const timespec* modified) = 0;
    // Called for every folder, with null for the root, once the walker has tried to
    // open it. True has its entries reported next, then OnFolder_Left.
    virtual bool OnFolder(const char* relative);
    // Called after the last entry of a folder that OnFolder entered.
    virtual void OnFolder_Left(const char* relative);
    // Called for a folder that was entered but cannot be listed, with the errno of the
    // failure; it reports no entries.
    virtual void OnFolder_Unreadable(const char* relative, int error);
    // Called when a walk ends in an exception, before it propagates.
    virtual void OnWalk_Abandoned();

    // The descriptor of the folder being handed to OnFolder; -1 when it cannot be opened.
    int GetFolderFd() const { return mFolderFd; }
    // Whether the file `name` of the folder open as `folder` is a regular file, not a
    // link, that may be read.
    static bool IsFileReadable(int folder, const char* name);
    // How to open the file last reported to OnFile; see FileBase.
    FileBase GetFileBase() const;
    // The size of the file last reported to OnFile, as its folder was listed.
    uint64_t GetFileSize() const { return mFileSize; }

    std::string mRoot;

private:
    struct Entry
    {
        std::string mName;
        bool mFolder;
        timespec mModified;
        uint64_t mSize;
    };
    // A folder being walked: its entries, the next one to report and, for an anchor,
    // its descriptor.
    struct Frame
    {
        std::vector<Entry> mEntries;
        size_t mNext = 0;
        size_t mPathLength = 0; // of its relative path in mRelative
        std::shared_ptr<const FolderHandle> mAnchor;
        size_t mNearestAnchor = 0; // the frame of the nearest anchor, this one or above
    };

    void Walk();
    void Enter();
    void Leave();
    // The folder at mRelative, opened relative to the nearest anchor.
    int OpenFolder() const;
    std::shared_ptr<const FolderHandle> KeepOpen(int fd) const;
    const Frame& NearestAnchor() const;
    std::vector<Entry> ReadEntries(int fd) const;
    const char* Relative() const;

    bool mFollowFileLinks = true;
    std::vector<Frame> mFrames;
    std::string mRelative; // the path of the current entry below the root
    int mFolderFd = -1;
    uint64_t mFileSize = 0;
};

// A walker that honours ignore files: in every folder it reads the files of the
// registered names into an ignore list stacked on those of the folders above, and
// keeps from its own callbacks the files and sub-folders that those lists exclude.
class Walker_Smart : public Walker
{
public:
    Walker_Smart();
    ~Walker_Smart() override;

    // Registers a name of ignore file to look for in every folder.
    void IgnoreFile_Add(const char* name);
    // How later walks treat ignore files and links.
    void SetOptions(const WalkOptions& options);

    // The innermost ignore list in force; null outside a walk.
    const IgnoreList* GetIgnoreList() const { return mIgnoreList; }

protected:
    void OnFile(const char* relative, const timespec* modified) override;
    bool OnFolder(const char* relative) override;
    // Pops the folder's ignore list; an override calls it last.
    void OnFolder_Left(const char* relative) override;
    void OnWalk_Abandoned() override;

    // A file that no ignore list excludes.
    virtual void OnFile_Accepted(const char* relative, const timespec* modified) = 0;
    // A folder that no ignore list excludes, its own ignore list already in force. True
    // walks its entries.
    virtual bool OnFolder_Accepted(const char* relative);
    // An ignore file that could not be read whole, by its path relative to the root, with
    // the errno that says why: EFBIG when it is longer than IgnoreList::FILE_SIZE_MAX, or
    // that of a read that failed; only the lines before the cut or the failure apply.
    virtual void OnIgnoreFile_Unreadable(const char* relative, int error);

private:
    std::unique_ptr<IgnoreList> ReadIgnoreFiles(const char* relative);
    std::unique_ptr<IgnoreList> MakeIgnoreList(const char* relative) const;
    void PopIgnoreList();

    std::vector<std::string> mIgnoreFiles;
    WalkOptions mOptions;
    // One entry per folder entered, null for a folder without ignore files of its own.
    std::vector<std::unique_ptr<IgnoreList>> mIgnoreLists;
    const IgnoreList* mIgnoreList;
};

} // namespace TrovLib
