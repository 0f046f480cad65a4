#pragma once

#include "engine/counters/Counter.h"

#include <cstdint>
#include <map>

namespace Vn
{

// How often each whole-number value occurred, one entry per distinct value.
// The unit texts are not copied: they must outlive the counter.
class Counter_Histogram : public Counter
{
public:
    inline static constexpr char TYPE[] = "Histogram";

    Counter_Histogram(const char* name, const char* unitX, const char* unitY);
    Counter_Histogram(NameOf name, const char* unitX, const char* unitY);

    void AddValue(uint32_t value, uint32_t occurrences);
    uint32_t GetCount() const;
    uint32_t GetCount(uint32_t lowest, uint32_t highest) const;
    const char* GetUnitX() const { return mUnitX; }
    const char* GetUnitY() const { return mUnitY; }
    // Both answer 0 for an empty histogram.
    uint32_t GetXMin() const;
    uint32_t GetXMax() const;
    const std::map<uint32_t, uint32_t>& GetValues() const { return mValues; }

    std::string GetInfo() const override;
    const char* GetType() const override;
    std::unique_ptr<Counter> CreateEmpty() const override;
    void Add(const Counter& other) override;

private:
    std::map<uint32_t, uint32_t> mValues;
    const char* mUnitX;
    const char* mUnitY;
};

} // namespace Vn
