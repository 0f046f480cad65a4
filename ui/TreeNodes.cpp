#include "ui/TreeNodes.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Group.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/tree/CounterSchema.h"
#include "ui/LocalText.h"

#include <QLocale>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace Varnik
{

namespace
{

// Where a line node keeps its line number, and a counter node its counter's name and
// count.
constexpr int LINE_ROLE = Qt::UserRole + 1;
constexpr int NAME_ROLE = Qt::UserRole + 2;
constexpr int COUNT_ROLE = Qt::UserRole + 3;
constexpr int ORDER_ROLE = Qt::UserRole + 4; // the place in the engine's order

// Sorts by the engine's order in the first column and by count in the others, largest
// last, so that a click on a header orders as users expect.
class Node : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int role = treeWidget() && treeWidget()->sortColumn() > 0 ? COUNT_ROLE : ORDER_ROLE;
        return data(0, role).toULongLong() < other.data(0, role).toULongLong();
    }
};

std::unique_ptr<QTreeWidgetItem> Node_Create(const std::string& text)
{
    return std::make_unique<Node>(QStringList{LocalText_ToQt(text)});
}

// A node of the data tree, named as the views show it, with its counts beside it.
std::unique_ptr<QTreeWidgetItem> Parse_Node_Create(const Vn::Data_Node& dataNode, bool folder,
                                                   size_t order)
{
    auto node = Node_Create(dataNode.GetName_Relative());
    const uint64_t lines = Vn::Schema::CountOf(dataNode.mCounters, Vn::Schema::NAME_LINE);
    const uint64_t files = Vn::Schema::CountOf(dataNode.mCounters, Vn::Schema::NAME_FILE);
    const QLocale locale;
    node->setText(
        1, folder ? QString("%1 (%2 files)")
                        .arg(locale.toString(qulonglong{lines}), locale.toString(qulonglong{files}))
                  : locale.toString(qulonglong{lines}));
    node->setTextAlignment(1, Qt::AlignRight);
    node->setData(0, ORDER_ROLE, qulonglong{order});
    node->setData(0, COUNT_ROLE, qulonglong{lines});
    return node;
}

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

int Node_LineRole()
{
    return LINE_ROLE;
}

uint64_t Node_GetLine(const QTreeWidgetItem* node)
{
    return node ? node->data(0, LINE_ROLE).toULongLong() : 0;
}

// Folder trees may be tens of thousands of levels deep, so they are built with a stack
// of the folders still to fill, never by recursion.
std::unique_ptr<QTreeWidgetItem> Parse_FolderNode_Create(const Vn::Data_Folder& folder)
{
    auto root = Parse_Node_Create(folder, true, 0);
    Node_SetTag(*root, &folder);
    std::vector<std::pair<const Vn::Data_Folder*, QTreeWidgetItem*>> toFill{{&folder, root.get()}};
    while (!toFill.empty())
    {
        const auto [parent, node] = toFill.back();
        toFill.pop_back();
        for (size_t i = 0; i < parent->mNodes.size(); i++)
        {
            if (parent->mNodes[i]->IsFolder())
            {
                const auto* subFolder =
                    static_cast<const Vn::Data_Folder*>(parent->mNodes[i].get());
                auto* subNode = Parse_Node_Create(*subFolder, true, i).release();
                Node_SetTag(*subNode, subFolder);
                node->addChild(subNode);
                toFill.emplace_back(subFolder, subNode);
            }
        }
    }
    return root;
}

QList<QTreeWidgetItem*> Parse_FileNodes_Create(const Vn::Data_Folder& folder)
{
    QList<QTreeWidgetItem*> nodes;
    for (size_t i = 0; i < folder.mNodes.size(); i++)
    {
        const Vn::Data_Node& file = *folder.mNodes[i];
        if (file.IsFolder())
            continue;
        auto node = Parse_Node_Create(file, false, i);
        Node_SetTag(*node, &file);
        nodes << node.release();
    }
    return nodes;
}

std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter& counter,
                                                          const Vn::Counter* parent)
{
    const std::string line =
        parent == nullptr ? counter.GetInfo() : counter.GetInfo_Relative(*parent);
    const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter);
    auto node = group ? Parse_CounterNode_Create(group->mCounters, line.c_str(), &counter)
                      : Node_Create(line);
    if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
        Node_SetTag(*node, histogram);
    node->setData(0, NAME_ROLE, LocalText_ToQt(counter.GetName()));
    if (const auto* count = dynamic_cast<const Vn::Counter_Count*>(&counter))
        node->setData(0, COUNT_ROLE, qulonglong{count->GetCount()});
    return node;
}

QString Node_GetKey(const QTreeWidgetItem* node)
{
    QString key;
    for (; node != nullptr && node->parent() != nullptr; node = node->parent())
        key.prepend('/' + node->data(0, NAME_ROLE).toString());
    return key;
}

// Counter trees are a few levels deep, so recursion is safe here.
void Parse_CounterNodes_SortByCount(QTreeWidgetItem& node)
{
    QList<QTreeWidgetItem*> children = node.takeChildren();
    std::stable_sort(children.begin(), children.end(),
                     [](const QTreeWidgetItem* left, const QTreeWidgetItem* right) {
                         return left->data(0, COUNT_ROLE).toULongLong() >
                                right->data(0, COUNT_ROLE).toULongLong();
                     });
    node.addChildren(children);
    for (QTreeWidgetItem* child : children)
        Parse_CounterNodes_SortByCount(*child);
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

// Built with a stack of the folders still to fill, as deep trees need.
std::unique_ptr<QTreeWidgetItem> Search_FolderNode_Create(const Vn::SearchResult_Folder& folder)
{
    auto root = Node_Create(folder.GetText());
    Node_SetTag(*root, &folder);
    std::vector<std::pair<const Vn::SearchResult_Folder*, QTreeWidgetItem*>> toFill{
        {&folder, root.get()}};
    while (!toFill.empty())
    {
        const auto [parent, node] = toFill.back();
        toFill.pop_back();
        for (const auto& child : parent->mResults)
        {
            if (!child->IsFolder())
                node->addChild(
                    Search_FileNode_Create(static_cast<const Vn::SearchResult_File&>(*child))
                        .release());
            else
            {
                const auto* subFolder = static_cast<const Vn::SearchResult_Folder*>(child.get());
                auto* subNode = Node_Create(subFolder->GetText()).release();
                Node_SetTag(*subNode, subFolder);
                node->addChild(subNode);
                toFill.emplace_back(subFolder, subNode);
            }
        }
    }
    return root;
}

std::unique_ptr<QTreeWidgetItem> Search_FileNode_Create(const Vn::SearchResult_File& file)
{
    auto node = Node_Create(file.GetText());
    Node_SetTag(*node, &file);
    for (const auto& line : file.mLines)
    {
        auto lineNode = Node_Create(WithoutLineEnd(line.GetText()));
        lineNode->setData(0, LINE_ROLE, qulonglong{line.mLine});
        node->addChild(lineNode.release());
    }
    return node;
}

} // namespace Varnik
