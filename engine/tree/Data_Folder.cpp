#include "engine/tree/Data_Folder.h"

#include "lib/ReleaseTree.h"

namespace Vn
{

Data_Folder::Data_Folder(const char* name) : Data_Node(name) {}

Data_Folder::~Data_Folder()
{
    TrovLib::ReleaseTree(mNodes,
                         [](Data_Node& node)
                         {
                             auto* folder = dynamic_cast<Data_Folder*>(&node);
                             return folder != nullptr ? &folder->mNodes : nullptr;
                         });
}

void Data_Folder::AddNode(std::unique_ptr<Data_Node> node)
{
    mNodes.push_back(std::move(node));
    mCounters.Add(mNodes.back()->mCounters);
}

Data_Node* Data_Folder::GetFile(unsigned index) const
{
    for (const auto& node : mNodes)
    {
        if (dynamic_cast<const Data_Folder*>(node.get()) != nullptr)
            continue;
        if (index == 0)
            return node.get();
        index--;
    }
    return nullptr;
}

} // namespace Vn
