#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace VarnikTest
{

// A throw-away folder tree on disk, removed with the object. Paths are relative to
// the tree's root and parent folders are created on demand.
class TempTree
{
public:
    TempTree();
    ~TempTree();

    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return mRoot; }
    std::string Path(std::string_view relative) const;

    TempTree& File(std::string_view relative, std::string_view content = {});
    TempTree& Folder(std::string_view relative);
    TempTree& Link(std::string_view relative, std::string_view target);
    TempTree& Fifo(std::string_view relative);
    TempTree& Mode(std::string_view relative, mode_t mode);

private:
    void MakeParents(std::string_view relative);

    std::string mRoot;
};

// True when the process may read anything regardless of permissions (root), so that
// tests of unreadable entries cannot work.
bool IgnoresPermissions();

} // namespace VarnikTest
