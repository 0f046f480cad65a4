#include "ui/TreeNodes.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Group.h"
#include "engine/counters/Counter_Histogram.h"
#include "ui/LocalText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Varnik
{

namespace
{

// Where a counter node keeps its counter's name and count.
constexpr int NAME_ROLE = Qt::UserRole + 1;
constexpr int COUNT_ROLE = Qt::UserRole + 2;

// A group with more children than this gets them only when opened, this many at a time:
// the census of a large tree holds hundreds of thousands of names.
constexpr size_t EAGER_CHILDREN = 1000;

uint64_t CountOf(const Vn::Counter& counter)
{
    const auto* count = dynamic_cast<const Vn::Counter_Count*>(&counter);
    return count != nullptr ? count->GetCount() : 0;
}

// The places in `group` of its children from `first` to `end` in the order shown: that of
// the group, or by count, the largest first and equal ones in the group's order. Only
// that range is sorted, so that each batch costs a pass over the group, not a sort.
std::vector<size_t> ShownOrder(const Vn::Counter_Group& group, size_t first, size_t end,
                               bool sortByCount)
{
    std::vector<size_t> places(group.mCounters.size());
    for (size_t place = 0; place < places.size(); place++)
        places[place] = place;
    if (sortByCount)
    {
        std::vector<uint64_t> counts;
        counts.reserve(places.size());
        for (const auto& counter : group.mCounters)
            counts.push_back(CountOf(*counter));
        const auto before = [&counts](size_t a, size_t b)
        { return counts[a] != counts[b] ? counts[a] > counts[b] : a < b; };
        const auto from = places.begin() + static_cast<std::ptrdiff_t>(first);
        std::nth_element(places.begin(), from, places.end(), before);
        std::partial_sort(from, places.begin() + static_cast<std::ptrdiff_t>(end), places.end(),
                          before);
    }
    return {places.begin() + static_cast<std::ptrdiff_t>(first),
            places.begin() + static_cast<std::ptrdiff_t>(end)};
}

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

bool Parse_CounterNode_Populate(QTreeWidgetItem& node, bool sortByCount)
{
    const auto* group = Node_GetTag<Vn::Counter_Group>(&node);
    const size_t first = static_cast<size_t>(node.childCount());
    if (group == nullptr || first >= group->mCounters.size())
        return false;
    const size_t end = std::min(group->mCounters.size(), first + EAGER_CHILDREN);
    const auto counters = group->mCounters.begin();
    QList<QTreeWidgetItem*> children;
    for (const size_t place : ShownOrder(*group, first, end, sortByCount))
    {
        auto child = Parse_CounterNode_Create(*counters[static_cast<std::ptrdiff_t>(place)], group);
        if (sortByCount)
            Parse_CounterNodes_SortByCount(*child);
        children.append(child.release());
    }
    node.addChildren(children);
    return true;
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
