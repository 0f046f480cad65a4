#include "engine/counters/Counter_List.h"

#include <cstring>

namespace Vn
{

namespace
{
// Up to this many entries a linear search beats hashing.
constexpr size_t INDEX_THRESHOLD = 16;
} // namespace

Counter_List::Counter_List() = default;

Counter_List::~Counter_List() = default;

void Counter_List::AppendCounter(std::unique_ptr<Counter> counter)
{
    mEntries.push_back(std::move(counter));
    if (mIndex)
    {
        mIndex->Insert(mEntries.back().get());
    }
    else if (mEntries.size() > INDEX_THRESHOLD)
    {
        mIndex = std::make_unique<Counter_Index>();
        for (const auto& entry : mEntries)
            mIndex->Insert(entry.get());
    }
}

Counter* Counter_List::Find(const char* type, const char* name) const
{
    if (mIndex)
        return mIndex->Find(type, name);
    for (const auto& entry : mEntries)
    {
        if (entry->GetType() == type && std::strcmp(entry->GetName(), name) == 0)
            return entry.get();
    }
    return nullptr;
}

void Counter_List::Add(const Counter_List& other)
{
    for (const auto& source : other.mEntries)
    {
        Counter* target = Find(source->GetType(), source->GetName());
        if (target == nullptr)
            target = Append(source->CreateEmpty());
        target->Add(*source);
    }
}

} // namespace Vn
