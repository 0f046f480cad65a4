#include "engine/counters/Counter.h"

#include "engine/counters/Counter_Names.h"

namespace Vn
{

Counter::Counter(const char* name) : mName(Counter_Names::Intern(name)) {}

Counter::Counter(NameOf name) : mName(name.mCounter.mName) {}

Counter::~Counter() = default;

std::string Counter::GetInfo_Relative(const Counter& /*parent*/) const
{
    return GetInfo();
}

} // namespace Vn
