#include "engine/tree/Data_Node.h"

#include "engine/tree/Data_Folder.h"

namespace Vn
{

Data_Node::Data_Node(const char* name) : Data_Node(name, false) {}

Data_Node::Data_Node(const char* name, bool isFolder) : TreeNode(name, isFolder) {}

const Data_Folder* Data_Node::GetParent() const
{
    return static_cast<const Data_Folder*>(TreeNode::GetParent());
}

} // namespace Vn
