#include "cli/NodeNames.h"

#include "lib/Path.h"

#include <string_view>

namespace VarnikCli
{

std::string NameBelowRoot(const Vn::Data_Node& node, const Vn::Data_Folder& root)
{
    if (&node == &root)
        return ".";
    std::string_view name = node.GetName();
    const std::string_view rootName = root.GetName();
    if (dynamic_cast<const Vn::Data_Folder*>(&node) == nullptr && name.starts_with(rootName) &&
        name.size() > rootName.size())
    {
        name.remove_prefix(rootName.size() + (rootName.ends_with(TrovLib::SEPARATOR) ? 0 : 1));
    }
    return std::string(name);
}

} // namespace VarnikCli
