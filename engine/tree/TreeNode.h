#pragma once

#include <cstdint>
#include <string>

namespace Vn
{

// What the nodes of a scan's tree and of a search's tree share: a name, a parent and
// whether the node is a folder. A node keeps only its own name and builds its path on
// demand from those above it, so that a tree costs memory in proportion to its nodes,
// however deep it is.
//
// A node without a parent (a root, or a node not yet in a folder) is named by the text it
// was given. Once a folder takes it, it keeps only the last component of that text. Paths
// are those of the walk: the root is named by the root text exactly as given, a sub-folder
// by its path below the root, and a file by the root text, a separator and its path below
// the root.
//
// Two kinds of root hold something else than a walked folder. A root made for a file
// given as a root holds that one file, which is named by the root's path. A root that
// gathers the trees of several roots lets each keep its root text whole, so that the
// paths below it are those given.
class TreeNode
{
public:
    enum class RootKind : uint8_t
    {
        FOLDER,
        FILE,
        ROOTS,
    };

    virtual ~TreeNode();

    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    // The node's path, as above.
    std::string GetName() const;
    // The path below the root: a sub-folder's name, a file's name without the root text
    // and its separator; empty for a node without a parent.
    std::string GetName_BelowRoot() const;
    // The part of the own name after its last separator: the whole name when it holds
    // none, an empty text when it ends with one. Costs no allocation.
    const char* GetName_Relative() const;

    // The folder that holds the node; null for a root and a node not yet in a folder.
    const TreeNode* GetParent() const { return mParent; }
    bool IsFolder() const { return mIsFolder; }
    // Set on a root before it takes its nodes.
    void SetRootKind(RootKind kind) { mRootKind = kind; }

protected:
    TreeNode(const char* name, bool isFolder);

    // Makes this folder the parent of `child`, which has none yet; the child keeps only
    // its last component from now on. The folder's class takes ownership.
    void Adopt(TreeNode& child);

private:
    // Writes the names from below the root down to this node, separated, after `path`.
    void AppendPathBelowRoot(std::string& path) const;
    // The node whose path this one has: the root it is the file of, else itself.
    const TreeNode& PathOwner() const;

    std::string mName;
    TreeNode* mParent = nullptr;
    const bool mIsFolder;
    RootKind mRootKind = RootKind::FOLDER;
};

} // namespace Vn
