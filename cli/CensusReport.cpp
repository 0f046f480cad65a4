#include "cli/CensusReport.h"

#include "engine/tree/CounterSchema.h"

#include <algorithm>
#include <string_view>

namespace VarnikCli::CensusReport
{

Table Build(const Vn::Data_Folder& root, uint64_t minCount)
{
    Table table({"name", "count", "share"});
    const Vn::Counter_Count* census =
        Vn::Schema::FindCount(root.mCounters, Vn::Schema::NAME_CONDITIONS);
    if (census == nullptr)
        return table;
    std::vector<const Vn::Counter_Count*> names;
    for (const auto& counter : census->mCounters)
    {
        const auto* name = dynamic_cast<const Vn::Counter_Count*>(counter.get());
        if (name != nullptr && name->GetCount() >= minCount)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const Vn::Counter_Count* a, const Vn::Counter_Count* b)
              {
                  if (a->GetCount() != b->GetCount())
                      return a->GetCount() > b->GetCount();
                  return std::string_view(a->GetName()) < std::string_view(b->GetName());
              });
    const double total = census->GetCount();
    for (const Vn::Counter_Count* name : names)
        table.Add({std::string(name->GetName()), uint64_t{name->GetCount()},
                   Table::Percent{total > 0 ? 100.0 * name->GetCount() / total : 0.0}});
    return table;
}

} // namespace VarnikCli::CensusReport
