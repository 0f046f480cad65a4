#pragma once

#include "engine/counters/Counter_Group.h"

#include <cstdint>

namespace Vn
{

// A count with child counters, which are shown as shares of it. Counts are unsigned
// 64-bit: a tree of many large files, or many links to one, passes 2^32 lines.
class Counter_Count : public Counter_Group
{
public:
    inline static constexpr char TYPE[] = "Count";

    Counter_Count(const char* name, uint64_t count);
    Counter_Count(NameOf name, uint64_t count);

    uint64_t GetCount() const { return mCount; }
    void operator++(int) { mCount++; }
    void operator+=(uint64_t count) { mCount += count; }

    std::string GetInfo_Relative(const Counter& parent) const override;
    std::string GetInfo() const override;
    const char* GetType() const override;
    std::unique_ptr<Counter> CreateEmpty() const override;
    void Add(const Counter& other) override;

private:
    uint64_t mCount;
};

} // namespace Vn
