#pragma once

#include "cli/Output.h"
#include "cli/ScanReader.h"
#include "cli/Table.h"
#include "engine/tree/Data_Folder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VarnikCli
{

// What changed between two scans: one of them whole in memory (the held scan), the other
// visiting this object node by node, so that a scan read from a file is never whole in
// memory. Nodes are matched by their path below the root, so scans of different roots
// compare, and nothing recurses per level. Not shared between threads.
//
// By file, the files added (+), removed (-) and modified (~), each with every count that
// changed; an added or removed file shows its lines. By folder, for the folders that both
// scans hold: every count that changed, the "#if" names that appeared or vanished, and the
// files and folders added or removed.
class ScanDiff : public ScanVisitor
{
public:
    enum class By
    {
        File,
        Folder,
    };

    ScanDiff(const Vn::Data_Folder& held, bool heldIsOld, By by);
    ~ScanDiff() override;

    bool Enter(const Vn::Data_Node& node, bool isFolder) override;
    void Leave() override;

    bool HasChanges() const;

    // Files: "~ PATH COUNTER OLD -> NEW" per count. Folders: two-space indented lines under
    // each folder's path.
    void WriteText(Output& out) const;
    // Files: the rows of Table(). Folders: {"folders": [{"name", "counters": [{"name",
    // "old", "new", "difference"}], "appeared", "vanished", "added", "removed"}],
    // "changed": BOOL}
    void WriteJson(Output& out) const;
    // One row per change, for the table formats.
    Table MakeTable() const;

private:
    struct Change
    {
        std::string mName; // the counter's path of names, as "Line/Code"
        uint64_t mOld;
        uint64_t mNew;
    };
    struct FileChange
    {
        char mSign; // '+', '-' or '~'
        std::string mPath;
        Change mChange;
    };
    struct Folder
    {
        std::string mName;
        std::vector<Change> mChanges;
        std::vector<std::string> mAppeared; // census names
        std::vector<std::string> mVanished;
        std::vector<std::string> mAdded; // files, and folders ending with a separator
        std::vector<std::string> mRemoved;
        bool Empty() const;
    };
    struct Level; // a folder of the visiting scan, with its match in the held one

    const Vn::Data_Node* Match(Level& level, const Vn::Data_Node& node, bool isFolder) const;
    void OneSided(const Vn::Data_Node& node, const std::string& path, bool held);
    void HeldOnly(const Level& level);
    void CompareFiles(const Vn::Data_Node& held, const Vn::Data_Node& visiting,
                      const std::string& path);
    std::vector<Change> Changes(const Vn::Data_Node& held, const Vn::Data_Node& visiting,
                                Folder* census) const;
    std::string PathOf(const Vn::Data_Node& node, bool isFolder) const;

    const Vn::Data_Folder& mHeld;
    const bool mHeldIsOld;
    const By mBy;
    std::string mRootName; // of the visiting scan
    std::vector<Level> mLevels;
    std::vector<FileChange> mFiles;
    std::vector<Folder> mFolders; // in walk order; empty ones stand for folders with changes below
};

} // namespace VarnikCli
