#pragma once

#include "engine/counters/Counter.h"
#include "engine/counters/Counter_List.h"

namespace Vn
{

// A counter whose content is a list of child counters.
class Counter_Group : public Counter
{
public:
    inline static constexpr char TYPE[] = "Group";

    explicit Counter_Group(const char* name);
    explicit Counter_Group(NameOf name);

    std::string GetInfo() const override;
    const char* GetType() const override;
    std::unique_ptr<Counter> CreateEmpty() const override;
    void Add(const Counter& other) override;

    Counter_List mCounters;
};

} // namespace Vn
