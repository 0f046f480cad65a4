#pragma once

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
class TreeNode
{
public:
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

protected:
    TreeNode(const char* name, bool isFolder);

    // Makes this folder the parent of `child`, which has none yet; the child keeps only
    // its last component from now on. The folder's class takes ownership.
    void Adopt(TreeNode& child);

private:
    // Writes the names from below the root down to this node, separated, after `path`.
    void AppendPathBelowRoot(std::string& path) const;

    std::string mName;
    TreeNode* mParent = nullptr;
    const bool mIsFolder;
};

} // namespace Vn
