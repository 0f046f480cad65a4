#include "engine/counters/Counter_List.h"

#include <cstring>
#include <functional>

namespace Vn
{

namespace
{
// Up to this many entries a linear search beats hashing.
constexpr size_t INDEX_THRESHOLD = 16;
} // namespace

size_t Counter_List::KeyHash::operator()(const Key& key) const
{
    return std::hash<std::string_view>()(key.mName) ^ std::hash<const void*>()(key.mType);
}

Counter_List::Counter_List() = default;

Counter_List::~Counter_List() = default;

void Counter_List::AppendCounter(std::unique_ptr<Counter> counter)
{
    mEntries.push_back(std::move(counter));
    if (mIndex)
    {
        IndexCounter(mEntries.back().get());
    }
    else if (mEntries.size() > INDEX_THRESHOLD)
    {
        mIndex = std::make_unique<Index>();
        for (const auto& entry : mEntries)
            IndexCounter(entry.get());
    }
}

void Counter_List::IndexCounter(Counter* counter)
{
    // emplace keeps an existing key: the index answers with the first match in list order.
    mIndex->emplace(Key{counter->GetType(), counter->GetName()}, counter);
}

Counter* Counter_List::Find(const char* type, const char* name) const
{
    if (mIndex)
    {
        const auto found = mIndex->find(Key{type, name});
        return found == mIndex->end() ? nullptr : found->second;
    }
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
