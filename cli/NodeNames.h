#pragma once

#include "engine/tree/Data_Folder.h"

#include <string>

namespace VarnikCli
{

// A node's path below the root of its scan: "." for the root, which is named by the root
// text as given; a sub-folder is named by that path already, and a file by the root text,
// a separator and that path.
std::string NameBelowRoot(const Vn::Data_Node& node, const Vn::Data_Folder& root);

} // namespace VarnikCli
