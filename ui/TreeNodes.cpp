#include "ui/TreeNodes.h"

#include "engine/counters/Counter_Group.h"
#include "engine/counters/Counter_Histogram.h"
#include "ui/LocalText.h"

#include <string>

namespace Varnik
{

namespace
{

std::unique_ptr<QTreeWidgetItem> Node_Create(const std::string& text)
{
    return std::make_unique<QTreeWidgetItem>(QStringList{LocalText_ToQt(text)});
}

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

std::unique_ptr<QTreeWidgetItem> Parse_FolderNode_Create(const Vn::Data_Folder& folder)
{
    auto node = Node_Create(folder.GetName_Relative());
    Node_SetTag(*node, &folder);
    for (const auto& child : folder.mNodes)
    {
        if (const auto* subFolder = dynamic_cast<const Vn::Data_Folder*>(child.get()))
            node->addChild(Parse_FolderNode_Create(*subFolder).release());
    }
    return node;
}

std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter& counter,
                                                          const Vn::Counter* parent)
{
    const std::string line =
        parent == nullptr ? counter.GetInfo() : counter.GetInfo_Relative(*parent);
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
        return Parse_CounterNode_Create(group->mCounters, line.c_str(), &counter);

    auto node = Node_Create(line);
    if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
        Node_SetTag(*node, histogram);
    return node;
}

std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter_List& counters,
                                                          const char* text,
                                                          const Vn::Counter* parent)
{
    auto node = Node_Create(text);
    for (const auto& counter : counters)
        node->addChild(Parse_CounterNode_Create(*counter, parent).release());
    return node;
}

std::unique_ptr<QTreeWidgetItem> Search_FolderNode_Create(const Vn::SearchResult_Folder& folder)
{
    auto node = Node_Create(folder.GetText());
    Node_SetTag(*node, &folder);
    for (const auto& child : folder.mResults)
    {
        if (const auto* file = dynamic_cast<const Vn::SearchResult_File*>(child.get()))
            node->addChild(Search_FileNode_Create(*file).release());
        else if (const auto* subFolder = dynamic_cast<const Vn::SearchResult_Folder*>(child.get()))
            node->addChild(Search_FolderNode_Create(*subFolder).release());
    }
    return node;
}

std::unique_ptr<QTreeWidgetItem> Search_FileNode_Create(const Vn::SearchResult_File& file)
{
    auto node = Node_Create(file.GetText());
    Node_SetTag(*node, &file);
    for (const auto& line : file.mLines)
        node->addChild(Node_Create(WithoutLineEnd(line.GetText())).release());
    return node;
}

} // namespace Varnik
