#include "engine/counters/Counter_Group.h"

#include "lib/Format.h"

namespace Vn
{

Counter_Group::Counter_Group(const char* name) : Counter(name) {}

Counter_Group::Counter_Group(NameOf name) : Counter(name) {}

std::string Counter_Group::GetInfo() const
{
    return TrovLib::Format("%s", GetName());
}

const char* Counter_Group::GetType() const
{
    return TYPE;
}

std::unique_ptr<Counter> Counter_Group::CreateEmpty() const
{
    return std::make_unique<Counter_Group>(NameOf{*this});
}

void Counter_Group::Add(const Counter& other)
{
    mCounters.Add(dynamic_cast<const Counter_Group&>(other).mCounters);
}

} // namespace Vn
