#include "cli/NodeNames.h"

#include "lib/Path.h"

#include <string_view>

namespace VarnikCli
{

std::string NameBelowRoot(const Vn::Data_Node& node, const Vn::Data_Folder& root)
{
    return &node == &root ? "." : NameBelowRoot(node, root.GetName());
}

std::string NameBelowRoot(const Vn::Data_Node& node, std::string_view rootName)
{
    std::string_view name = node.GetName();
    if (dynamic_cast<const Vn::Data_Folder*>(&node) == nullptr && name.starts_with(rootName) &&
        name.size() > rootName.size())
    {
        name.remove_prefix(rootName.size() + (rootName.ends_with(TrovLib::SEPARATOR) ? 0 : 1));
    }
    return std::string(name);
}

} // namespace VarnikCli
