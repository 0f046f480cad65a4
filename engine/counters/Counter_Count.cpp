#include "engine/counters/Counter_Count.h"

#include "lib/Format.h"

#include <cinttypes>

namespace Vn
{

Counter_Count::Counter_Count(const char* name, uint64_t count) : Counter_Group(name), mCount(count)
{
}

Counter_Count::Counter_Count(NameOf name, uint64_t count) : Counter_Group(name), mCount(count) {}

std::string Counter_Count::GetInfo_Relative(const Counter& parent) const
{
    const auto* parentCount = dynamic_cast<const Counter_Count*>(&parent);
    if (parentCount == nullptr)
        return GetInfo();

    const auto parentValue = static_cast<double>(parentCount->GetCount());
    if (parentValue < 1.0)
        return GetInfo();

    const double share = static_cast<double>(mCount) * 100.0 / parentValue;
    return TrovLib::Format("%3.01f%% %s (%" PRIu64 ")", share, GetName(), mCount);
}

std::string Counter_Count::GetInfo() const
{
    return TrovLib::Format("%s = %" PRIu64, GetName(), mCount);
}

const char* Counter_Count::GetType() const
{
    return TYPE;
}

std::unique_ptr<Counter> Counter_Count::CreateEmpty() const
{
    return std::make_unique<Counter_Count>(NameOf{*this}, 0);
}

void Counter_Count::Add(const Counter& other)
{
    const auto& source = dynamic_cast<const Counter_Count&>(other);
    mCount += source.mCount;
    mCounters.Add(source.mCounters);
}

} // namespace Vn
