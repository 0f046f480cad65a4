#pragma once

#include "cli/Output.h"
#include "engine/tree/Data_Folder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VarnikCli
{

// What changed between two scans, folder by folder, for the folders that both hold:
// every count whose value changed, the "#if" names that appeared or vanished, and the
// files and folders added or removed. Folders are matched by their path below the root,
// so two scans of different roots compare. Not shared between threads.
class ScanDiff
{
public:
    ScanDiff(const Vn::Data_Folder& oldRoot, const Vn::Data_Folder& newRoot);

    bool HasChanges() const { return !mFolders.empty(); }

    // Two-space indented lines under each folder's path.
    void WriteText(Output& out) const;
    // {"folders": [{"name", "counters": [{"name", "old", "new", "difference"}],
    //   "appeared", "vanished", "added", "removed"}], "changed": BOOL}
    void WriteJson(std::ostream& out) const;

private:
    struct Change
    {
        std::string mName; // the counter's path of names, as "Line/Code"
        uint64_t mOld;
        uint64_t mNew;
    };
    struct Folder
    {
        std::string mName;
        std::vector<Change> mChanges;
        std::vector<std::string> mAppeared; // census names
        std::vector<std::string> mVanished;
        std::vector<std::string> mAdded; // files, and folders ending with a separator
        std::vector<std::string> mRemoved;
    };

    void CompareCounters(const Vn::Data_Node& oldNode, const Vn::Data_Node& newNode,
                         Folder& folder) const;

    std::vector<Folder> mFolders; // those with a change, in walk order
};

} // namespace VarnikCli
