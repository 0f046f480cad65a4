#include "engine/tree/Data_Folder.h"

namespace Vn
{

Data_Folder::Data_Folder(const char* name) : Data_Node(name) {}

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
