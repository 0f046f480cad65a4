#include "engine/counters/Counter_Index.h"

#include <cstring>
#include <string_view>

namespace Vn
{

namespace
{

bool Same(const Counter& counter, const char* type, const char* name)
{
    return counter.GetType() == type && std::strcmp(counter.GetName(), name) == 0;
}

} // namespace

size_t Counter_Index::Hash(const char* type, const char* name)
{
    return std::hash<std::string_view>()(name) ^ std::hash<const void*>()(type);
}

void Counter_Index::Insert(Counter* counter)
{
    // At most half the slots are used, so a probe always ends at an empty slot.
    if (2 * (mCount + 1) > mMask + 1)
        Grow();
    size_t slot = Hash(counter->GetType(), counter->GetName()) & mMask;
    for (; mSlots[slot] != nullptr; slot = (slot + 1) & mMask)
    {
        if (Same(*mSlots[slot], counter->GetType(), counter->GetName()))
            return;
    }
    mSlots[slot] = counter;
    mCount++;
}

Counter* Counter_Index::Find(const char* type, const char* name) const
{
    if (mCount == 0)
        return nullptr;
    for (size_t slot = Hash(type, name) & mMask; mSlots[slot] != nullptr; slot = (slot + 1) & mMask)
    {
        if (Same(*mSlots[slot], type, name))
            return mSlots[slot];
    }
    return nullptr;
}

void Counter_Index::Grow()
{
    const size_t oldSize = mSlots ? mMask + 1 : 0;
    std::unique_ptr<Counter*[]> old = std::move(mSlots);
    const size_t newSize = oldSize == 0 ? 64 : 2 * oldSize;
    mSlots = std::make_unique<Counter*[]>(newSize); // value-initialised: all null
    mMask = newSize - 1;
    mCount = 0;
    for (size_t slot = 0; slot < oldSize; slot++)
    {
        if (old[slot] != nullptr)
            Insert(old[slot]);
    }
}

} // namespace Vn
