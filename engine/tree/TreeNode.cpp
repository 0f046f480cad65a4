#include "engine/tree/TreeNode.h"

#include "lib/Path.h"

#include <cstring>

namespace Vn
{

TreeNode::TreeNode(const char* name, bool isFolder) : mName(name), mIsFolder(isFolder) {}

TreeNode::~TreeNode() = default;

std::string TreeNode::GetName() const
{
    if (&PathOwner() != this)
        return PathOwner().GetName();
    if (mParent == nullptr)
        return mName;
    std::string path;
    if (!mIsFolder)
    {
        const TreeNode* root = mParent;
        while (root->mParent != nullptr)
            root = root->mParent;
        // Below several roots, each root's text starts the path as it was given.
        if (root->mRootKind != RootKind::ROOTS)
            path.append(root->mName).push_back(TrovLib::SEPARATOR);
    }
    AppendPathBelowRoot(path);
    return path;
}

std::string TreeNode::GetName_BelowRoot() const
{
    std::string path;
    PathOwner().AppendPathBelowRoot(path);
    return path;
}

const char* TreeNode::GetName_Relative() const
{
    return TrovLib::LastComponent(mName.c_str());
}

void TreeNode::Adopt(TreeNode& child)
{
    child.mParent = this;
    if (mRootKind == RootKind::ROOTS)
        return;
    child.mName.erase(0, child.GetName_Relative() - child.mName.c_str());
    child.mName.shrink_to_fit();
}

const TreeNode& TreeNode::PathOwner() const
{
    const bool ofFileRoot =
        !mIsFolder && mParent != nullptr && mParent->mRootKind == RootKind::FILE;
    return ofFileRoot ? *mParent : *this;
}

// Measured first, then filled from its end up, so that a deep path is written once.
void TreeNode::AppendPathBelowRoot(std::string& path) const
{
    size_t length = 0;
    for (const TreeNode* node = this; node->mParent != nullptr; node = node->mParent)
        length += node->mName.size() + 1;
    if (length == 0)
        return;
    const size_t start = path.size();
    path.resize(start + length - 1);
    size_t end = path.size();
    for (const TreeNode* node = this; node->mParent != nullptr; node = node->mParent)
    {
        end -= node->mName.size();
        std::memcpy(path.data() + end, node->mName.data(), node->mName.size());
        if (end > start)
            path[--end] = TrovLib::SEPARATOR;
    }
}

} // namespace Vn
