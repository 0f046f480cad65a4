#include "ui/TreeNodes.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Group.h"
#include "engine/counters/Counter_Histogram.h"
#include "ui/LocalText.h"

#include <algorithm>
#include <string>

namespace Varnik
{

namespace
{

// Where a counter node keeps its counter's name and count.
constexpr int NAME_ROLE = Qt::UserRole + 1;
constexpr int COUNT_ROLE = Qt::UserRole + 2;

// A group with more children than this gets them only when opened: the census of a
// large tree holds hundreds of thousands of names.
constexpr size_t EAGER_CHILDREN = 1000;

std::unique_ptr<QTreeWidgetItem> Node_Create(const std::string& text)
{
    return std::make_unique<QTreeWidgetItem>(QStringList{LocalText_ToQt(text)});
}

} // namespace

std::unique_ptr<QTreeWidgetItem> Parse_CounterNode_Create(const Vn::Counter& counter,
                                                          const Vn::Counter* parent)
{
    const std::string line =
        parent == nullptr ? counter.GetInfo() : counter.GetInfo_Relative(*parent);
    const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter);
    std::unique_ptr<QTreeWidgetItem> node;
    if (group != nullptr && group->mCounters.size() > EAGER_CHILDREN)
    {
        node = Node_Create(line);
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        Node_SetTag(*node, group);
    }
    else if (group != nullptr)
        node = Parse_CounterNode_Create(group->mCounters, line.c_str(), &counter);
    else
        node = Node_Create(line);
    if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
        Node_SetTag(*node, histogram);
    node->setData(0, NAME_ROLE, LocalText_ToQt(counter.GetName()));
    if (const auto* count = dynamic_cast<const Vn::Counter_Count*>(&counter))
        node->setData(0, COUNT_ROLE, qulonglong{count->GetCount()});
    return node;
}

void Parse_CounterNode_Populate(QTreeWidgetItem& node, bool sortByCount)
{
    const auto* group = Node_GetTag<Vn::Counter_Group>(&node);
    if (group == nullptr || node.childCount() > 0)
        return;
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(group->mCounters.size()));
    for (const auto& counter : group->mCounters)
        children.append(Parse_CounterNode_Create(*counter, group).release());
    node.addChildren(children);
    if (sortByCount)
        Parse_CounterNodes_SortByCount(node);
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

} // namespace Varnik
