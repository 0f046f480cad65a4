#include "engine/counters/Counter_List.h"

#include <cstring>

namespace Vn
{

namespace
{
// Up to this many entries a linear search beats hashing.
constexpr size_t INDEX_THRESHOLD = 16;
} // namespace

const Counter_List::Entries Counter_List::NO_ENTRIES;

Counter_List::Counter_List() = default;

Counter_List::~Counter_List() = default;

void Counter_List::AppendCounter(std::unique_ptr<Counter> counter)
{
    if (mBody == nullptr)
        mBody = std::make_unique<Body>();
    Entries& entries = mBody->mEntries;
    std::unique_ptr<Counter_Index>& index = mBody->mIndex;
    entries.push_back(std::move(counter));
    if (index)
    {
        index->Insert(entries.back().get());
    }
    else if (entries.size() > INDEX_THRESHOLD)
    {
        index = std::make_unique<Counter_Index>();
        for (const auto& entry : entries)
            index->Insert(entry.get());
    }
}

Counter* Counter_List::Find(const char* type, const char* name) const
{
    if (mBody == nullptr)
        return nullptr;
    if (mBody->mIndex)
        return mBody->mIndex->Find(type, name);
    for (const auto& entry : mBody->mEntries)
    {
        if (entry->GetType() == type && std::strcmp(entry->GetName(), name) == 0)
            return entry.get();
    }
    return nullptr;
}

void Counter_List::Add(const Counter_List& other)
{
    for (const auto& source : other)
    {
        Counter* target = Find(source->GetType(), source->GetName());
        if (target == nullptr)
            target = Append(source->CreateEmpty());
        target->Add(*source);
    }
}

} // namespace Vn
