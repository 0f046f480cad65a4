#include "engine/tree/Data_Folder.h"

#include "engine/tree/TreeWalk.h"

namespace Vn
{

Data_Folder::Data_Folder(const char* name) : Data_Node(name, true) {}

Data_Folder::~Data_Folder()
{
    ReleaseTree(mNodes);
}

void Data_Folder::AddNode(std::unique_ptr<Data_Node> node)
{
    AddCounters(*node);
    AddNode_Totalled(std::move(node));
}

void Data_Folder::AddCounters(const Data_Node& node)
{
    if (node.IsFolder())
        mCounters.Add(static_cast<const Data_Folder&>(node).mCounters);
    else
        node.mCounts.AddTo(mCounters);
}

void Data_Folder::AddNode_Totalled(std::unique_ptr<Data_Node> node)
{
    Adopt(*node);
    mNodes.push_back(std::move(node));
}

Data_Node* Data_Folder::GetFile(unsigned index) const
{
    for (const auto& node : mNodes)
    {
        if (node->IsFolder())
            continue;
        if (index == 0)
            return node.get();
        index--;
    }
    return nullptr;
}

} // namespace Vn
