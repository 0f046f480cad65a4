#pragma once

#include "engine/counters/Counter.h"

#include <cstdint>
#include <memory>

namespace Vn
{

// Finds a counter of a large Counter_List by type and name without walking the list.
// An open-addressing table of pointers to the list's counters: it owns nothing and
// costs two pointers per counter.
class Counter_Index
{
public:
    // Adds the counter unless one of the same type and name is indexed already, so
    // that the index answers with the first match in list order.
    void Insert(Counter* counter);
    Counter* Find(const char* type, const char* name) const;

private:
    static size_t Hash(const char* type, const char* name);
    void Grow();

    std::unique_ptr<Counter*[]> mSlots;
    size_t mMask = 0; // slot count - 1; the slot count is a power of two
    size_t mCount = 0;
};

} // namespace Vn
