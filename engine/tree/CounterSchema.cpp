#include "engine/tree/CounterSchema.h"

#include "engine/tree/NodeCounters.h"

#include <cstring>

namespace Vn::Schema
{

const Counter_Count* FindCount(const Counter_List& counters, const char* name)
{
    return dynamic_cast<const Counter_Count*>(counters.Find(Counter_Count::TYPE, name));
}

uint64_t CountOf(const Counter_List& counters, const char* name)
{
    const Counter_Count* count = FindCount(counters, name);
    return count ? count->GetCount() : 0;
}

Totals& Totals::operator+=(const Totals& other)
{
    mFiles += other.mFiles;
    mLines += other.mLines;
    mBlank += other.mBlank;
    mCode += other.mCode;
    mComment += other.mComment;
    mDirective += other.mDirective;
    mErrors += other.mErrors;
    return *this;
}

Totals TotalsOf(const Counter_List& counters)
{
    Totals totals;
    totals.mFiles = CountOf(counters, NAME_FILE);
    if (const Counter_Count* line = FindCount(counters, NAME_LINE))
    {
        totals.mLines = line->GetCount();
        totals.mBlank = CountOf(line->mCounters, NAME_BLANK);
        totals.mCode = CountOf(line->mCounters, NAME_CODE);
        totals.mComment = CountOf(line->mCounters, NAME_COMMENT);
    }
    // Directives are counted under each type's "Code" only.
    for (const auto& counter : counters)
    {
        const auto* type = dynamic_cast<const Counter_Count*>(counter.get());
        const Counter_Count* code = type ? FindCount(type->mCounters, NAME_CODE) : nullptr;
        totals.mDirective += code ? CountOf(code->mCounters, NAME_DIRECTIVE) : 0;
    }
    totals.mErrors = CountOf(counters, NAME_PARSING_ERROR);
    return totals;
}

Totals TotalsOf(const Data_Node& node)
{
    const FileCounts& counts = node.mCounts;
    // A type named "Parsing Error" comes before the error's own count, which the tree's
    // readers then miss: the tree says what they read.
    if (node.IsFolder() || counts.GetWhole() != nullptr ||
        (counts.GetType() != nullptr && std::strcmp(counts.GetType(), NAME_PARSING_ERROR) == 0))
        return TotalsOf(NodeCounters(node).Get());
    Totals totals;
    totals.mFiles = counts.GetType() != nullptr ? 1 : 0;
    totals.mLines = counts.mLines;
    totals.mBlank = counts.mBlank;
    totals.mCode = counts.mCode;
    totals.mComment = counts.mComment;
    totals.mDirective = counts.mDirective;
    totals.mErrors = counts.mErrors;
    return totals;
}

std::string_view TypeOf(const Data_Node& file)
{
    if (!file.IsFolder() && file.mCounts.GetWhole() == nullptr)
        return file.mCounts.GetType() != nullptr ? file.mCounts.GetType() : "";
    const NodeCounters counters(file);
    const Counter_Count* count = FindCount(counters.Get(), NAME_FILE);
    if (count == nullptr || count->mCounters.empty())
        return "";
    return (*count->mCounters.begin())->GetName();
}

} // namespace Vn::Schema
