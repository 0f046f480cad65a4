#pragma once

#include "engine/counters/Counter.h"

#include <cstdint>
#include <map>

namespace Vn
{

// How often each whole-number value occurred, one entry per distinct value, both
// counted in 64 bits.
// The unit texts are not copied: they must outlive the counter.
class Counter_Histogram : public Counter
{
public:
    inline static constexpr char TYPE[] = "Histogram";

    Counter_Histogram(const char* name, const char* unitX, const char* unitY);
    Counter_Histogram(NameOf name, const char* unitX, const char* unitY);

    void AddValue(uint64_t value, uint64_t occurrences);
    uint64_t GetCount() const;
    uint64_t GetCount(uint64_t lowest, uint64_t highest) const;
    const char* GetUnitX() const { return mUnitX; }
    const char* GetUnitY() const { return mUnitY; }
    // Both answer 0 for an empty histogram.
    uint64_t GetXMin() const;
    uint64_t GetXMax() const;
    const std::map<uint64_t, uint64_t>& GetValues() const { return mValues; }

    std::string GetInfo() const override;
    const char* GetType() const override;
    std::unique_ptr<Counter> CreateEmpty() const override;
    void Add(const Counter& other) override;

private:
    std::map<uint64_t, uint64_t> mValues;
    const char* mUnitX;
    const char* mUnitY;
};

} // namespace Vn
