#pragma once

#include "engine/counters/Counter_List.h"

namespace Vn
{

class Data_Node;

// The counter tree of a node as the reports show it: a folder's own list, or the one
// built from a file's counts, which lives as long as this.
class NodeCounters
{
public:
    explicit NodeCounters(const Data_Node& node);

    NodeCounters(const NodeCounters&) = delete;
    NodeCounters& operator=(const NodeCounters&) = delete;

    const Counter_List& Get() const { return *mList; }
    Counter_List::Entries::const_iterator begin() const { return mList->begin(); }
    Counter_List::Entries::const_iterator end() const { return mList->end(); }

private:
    Counter_List mBuilt;
    const Counter_List* mList;
};

} // namespace Vn
