#pragma once

#include "engine/counters/Counter.h"
#include "engine/counters/Counter_Index.h"

#include <memory>
#include <vector>

namespace Vn
{

// The ordered, owning list of counters of a node or of a counter group, and the
// merge that rolls statistics up the tree.
//
// Counters keep the order of their first appearance. Most lists hold a handful of
// counters and are searched linearly; a list that grows large (the names tested by
// "#if" across a whole tree run into the thousands) gets an index by type and name,
// so that merging into it stays linear in the size of what is merged.
//
// The list has no virtual operations: it is never derived from, and every counter
// of a tree carries one, so a table pointer would cost a large scan megabytes. For the
// same reason an empty list, as most counters hold, is one null pointer.
class Counter_List
{
public:
    using Entries = std::vector<std::unique_ptr<Counter>>;

    Counter_List();
    ~Counter_List();

    Counter_List(const Counter_List&) = delete;
    Counter_List& operator=(const Counter_List&) = delete;

    // Appends a counter at the end; the list owns it. Returns it for the caller's use.
    template <class T> T* Append(std::unique_ptr<T> counter)
    {
        T* raw = counter.get();
        AppendCounter(std::unique_ptr<Counter>(std::move(counter)));
        return raw;
    }

    // The first counter whose GetType is the very pointer `type` and whose name is `name`.
    Counter* Find(const char* type, const char* name) const;

    // Merges `other` into this list: each counter is added into the counter of the same
    // type and name, which is created empty at the end of this list when missing.
    void Add(const Counter_List& other);

    Entries::const_iterator begin() const { return GetEntries().begin(); }
    Entries::const_iterator end() const { return GetEntries().end(); }
    size_t size() const { return GetEntries().size(); }
    bool empty() const { return GetEntries().empty(); }

private:
    // What a list holds once it holds a counter.
    struct Body
    {
        Entries mEntries;
        std::unique_ptr<Counter_Index> mIndex; // built once the list outgrows a linear search
    };
    static const Entries NO_ENTRIES;

    const Entries& GetEntries() const { return mBody ? mBody->mEntries : NO_ENTRIES; }
    void AppendCounter(std::unique_ptr<Counter> counter);

    std::unique_ptr<Body> mBody; // null while the list is empty
};

} // namespace Vn
