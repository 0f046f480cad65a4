#pragma once

#include "lib/IgnoreList.h"
#include "lib/WalkOptions.h"

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
// file. FIFOs, sockets, devices and dangling links are skipped, so that nothing opens
// them and blocks.
class Walker
{
public:
    Walker();
    virtual ~Walker();

    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    // Walks the tree below `root`.
    void Start(const char* root);

    // The root joined with the relative path; the root alone for null.
    std::string GetFullPath(const char* relative) const;
    // Whether the file `name` of the folder (relative, null for the root) is a regular
    // file that may be read.
    bool IsFileReadable(const char* folder, const char* name) const;

    // Whether `base` joined with `part` (the base alone for null) exists.
    static bool Exists(const char* base, const char* part);
    // The part of the path before its last separator; nothing if it holds none. Throws
    // Exception (CODE_INVALID_BUFFER_SIZE) when that part has 2048 characters or more.
    static std::optional<std::string> GetFolder(const char* path);
    // Creates `base` joined with `folder`, and first any missing parent. Throws Exception
    // (CODE_IO_ERROR) when the folder cannot be created, also when it exists.
    static void CreateFolder(const char* base, const char* folder);

protected:
    // Called for every file. `modified` is the file's last-write time.
    virtual void OnFile(const char* relative, const timespec* modified) = 0;
    // Called for every folder, with null for the root; enumerates it.
    virtual void OnFolder(const char* relative);

    // Reports the folder's entries: a file to OnFile, a sub-folder to OnFolder, which
    // walks it before the next entry is looked at. A folder that cannot be listed
    // reports nothing.
    void Enumerate(const char* relative);

    std::string mRoot;

private:
    struct Entry
    {
        std::string mName;
        bool mFolder;
        timespec mModified;
    };

    std::vector<Entry> ReadEntries(const char* relative) const;
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
    void SetOptions(const WalkOptions& options) { mOptions = options; }

    // The innermost ignore list in force; null outside a walk.
    const IgnoreList* GetIgnoreList() const { return mIgnoreList; }

protected:
    void OnFile(const char* relative, const timespec* modified) override;
    void OnFolder(const char* relative) override;

    // A file that no ignore list excludes.
    virtual void OnFile_Accepted(const char* relative, const timespec* modified) = 0;
    // A folder that no ignore list excludes, its own ignore list already in force.
    // Enumerates it.
    virtual void OnFolder_Accepted(const char* relative);

private:
    std::unique_ptr<IgnoreList> ReadIgnoreFiles(const char* relative) const;

    std::vector<std::string> mIgnoreFiles;
    WalkOptions mOptions;
    const IgnoreList* mIgnoreList;
};

} // namespace TrovLib
