#include "cli/TreeWalk.h"

namespace VarnikCli
{

const std::vector<std::unique_ptr<Vn::Data_Node>>* ChildrenOf(const Vn::Data_Node& node)
{
    const auto* folder = dynamic_cast<const Vn::Data_Folder*>(&node);
    return folder ? &folder->mNodes : nullptr;
}

const std::vector<std::unique_ptr<Vn::SearchResult>>* ChildrenOf(const Vn::SearchResult& result)
{
    const auto* folder = dynamic_cast<const Vn::SearchResult_Folder*>(&result);
    return folder ? &folder->mResults : nullptr;
}

} // namespace VarnikCli
