#include "cli/NodeNames.h"

#include "lib/Path.h"

namespace VarnikCli
{

std::string NameBelowRoot(const Vn::Data_Node& node, const Vn::Data_Folder& root)
{
    return &node == &root ? "." : NameBelowRoot(node, root.GetName());
}

// A node in a folder knows its path below the root. One that a scan file hands over
// before it joins a folder holds the name that was written, which starts with the root's.
std::string NameBelowRoot(const Vn::Data_Node& node, std::string_view rootName)
{
    if (node.GetParent() != nullptr)
    {
        std::string below = node.GetName_BelowRoot();
        return below.empty() ? node.GetName_Relative() : below; // the file of a scan of a file
    }
    std::string name = node.GetName();
    if (name == rootName) // the one file of a scan of a file
        return node.GetName_Relative();
    if (!node.IsFolder() && name.starts_with(rootName) && name.size() > rootName.size())
        name.erase(0, rootName.size() + (rootName.ends_with(TrovLib::SEPARATOR) ? 0 : 1));
    return name;
}

} // namespace VarnikCli
