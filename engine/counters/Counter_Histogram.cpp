#include "engine/counters/Counter_Histogram.h"

#include "lib/Format.h"

namespace Vn
{

Counter_Histogram::Counter_Histogram(const char* name, const char* unitX, const char* unitY)
    : Counter(name), mUnitX(unitX), mUnitY(unitY)
{
}

Counter_Histogram::Counter_Histogram(NameOf name, const char* unitX, const char* unitY)
    : Counter(name), mUnitX(unitX), mUnitY(unitY)
{
}

void Counter_Histogram::AddValue(uint64_t value, uint64_t occurrences)
{
    mValues[value] += occurrences;
}

uint64_t Counter_Histogram::GetCount() const
{
    uint64_t total = 0;
    for (const auto& [value, occurrences] : mValues)
        total += occurrences;
    return total;
}

uint64_t Counter_Histogram::GetCount(uint64_t lowest, uint64_t highest) const
{
    uint64_t total = 0;
    for (auto it = mValues.lower_bound(lowest); it != mValues.end() && it->first <= highest; ++it)
        total += it->second;
    return total;
}

uint64_t Counter_Histogram::GetXMin() const
{
    return mValues.empty() ? 0 : mValues.begin()->first;
}

uint64_t Counter_Histogram::GetXMax() const
{
    return mValues.empty() ? 0 : mValues.rbegin()->first;
}

std::string Counter_Histogram::GetInfo() const
{
    return TrovLib::Format("%s (%s)", GetName(), GetType());
}

const char* Counter_Histogram::GetType() const
{
    return TYPE;
}

std::unique_ptr<Counter> Counter_Histogram::CreateEmpty() const
{
    return std::make_unique<Counter_Histogram>(NameOf{*this}, mUnitX, mUnitY);
}

void Counter_Histogram::Add(const Counter& other)
{
    const auto& source = dynamic_cast<const Counter_Histogram&>(other);
    for (const auto& [value, occurrences] : source.mValues)
        AddValue(value, occurrences);
}

} // namespace Vn
