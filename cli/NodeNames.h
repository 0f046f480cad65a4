#pragma once

#include "engine/tree/Data_Folder.h"

#include <string>
#include <string_view>

namespace VarnikCli
{

// A node's path below the root of its scan: "." for the root, which is named by the root
// text as given; a sub-folder is named by that path already, and a file by the root text,
// a separator and that path. The one file of a scan of a file, named as its root, is
// named by its last component.
std::string NameBelowRoot(const Vn::Data_Node& node, const Vn::Data_Folder& root);
// The same for a node other than the root, of a root named `rootName`.
std::string NameBelowRoot(const Vn::Data_Node& node, std::string_view rootName);

} // namespace VarnikCli
