#include "engine/counters/Counter.h"

namespace Vn
{

Counter::Counter(const char* name) : mName(name) {}

Counter::~Counter() = default;

std::string Counter::GetInfo_Relative(const Counter& /*parent*/) const
{
    return GetInfo();
}

} // namespace Vn
