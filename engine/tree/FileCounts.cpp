#include "engine/tree/FileCounts.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/counters/Counter_Names.h"
#include "engine/tree/CounterSchema.h"

#include <cstring>

namespace Vn
{

namespace
{

// The counter of class T named `name` in `list`: with `merge` the one already there, if
// any, else a new one appended.
template <class T, class... Args>
T& Put(Counter_List& list, const char* name, bool merge, Args... args)
{
    if (Counter* found = merge ? list.Find(T::TYPE, name) : nullptr)
        return static_cast<T&>(*found);
    return *list.Append(std::make_unique<T>(name, args...));
}

Counter_Count& PutCount(Counter_List& list, const char* name, uint64_t count, bool merge)
{
    auto& counter = Put<Counter_Count>(list, name, merge, uint64_t{0});
    counter += count;
    return counter;
}

// A count of lines named `name`, holding "Blank", "Code" (with "Directive" when asked)
// and "Comment".
void PutLines(Counter_List& list, const char* name, const FileCounts& counts, bool directives,
              bool merge)
{
    Counter_List& kinds = PutCount(list, name, counts.mLines, merge).mCounters;
    PutCount(kinds, Schema::NAME_BLANK, counts.mBlank, merge);
    Counter_Count& code = PutCount(kinds, Schema::NAME_CODE, counts.mCode, merge);
    if (directives)
        PutCount(code.mCounters, Schema::NAME_DIRECTIVE, counts.mDirective, merge);
    PutCount(kinds, Schema::NAME_COMMENT, counts.mComment, merge);
}

// Whether two trees hold the same counters with the same values, in the same order.
// Counters nest a few levels at most, so this may recurse.
bool Same(const Counter_List& a, const Counter_List& b)
{
    if (a.size() != b.size())
        return false;
    for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y)
    {
        if ((*x)->GetType() != (*y)->GetType() || (*x)->GetName() != (*y)->GetName())
            return false;
        const auto* countX = dynamic_cast<const Counter_Count*>(x->get());
        const auto* countY = dynamic_cast<const Counter_Count*>(y->get());
        if (countX != nullptr && countX->GetCount() != countY->GetCount())
            return false;
        const auto* groupX = dynamic_cast<const Counter_Group*>(x->get());
        const auto* groupY = dynamic_cast<const Counter_Group*>(y->get());
        if (groupX != nullptr && !Same(groupX->mCounters, groupY->mCounters))
            return false;
        const auto* histogramX = dynamic_cast<const Counter_Histogram*>(x->get());
        const auto* histogramY = dynamic_cast<const Counter_Histogram*>(y->get());
        if (histogramX != nullptr &&
            (histogramX->GetValues() != histogramY->GetValues() ||
             std::strcmp(histogramX->GetUnitX(), histogramY->GetUnitX()) != 0 ||
             std::strcmp(histogramX->GetUnitY(), histogramY->GetUnitY()) != 0))
            return false;
    }
    return true;
}

} // namespace

FileCounts::FileCounts() = default;

FileCounts::~FileCounts() = default;

void FileCounts::Start(const char* type)
{
    mType = Counter_Names::Intern(type);
}

void FileCounts::EndReading()
{
    mFlags |= READ;
    if (mNames != nullptr)
        mNames->shrink_to_fit();
}

FileCounts::TestedNames& FileCounts::Names()
{
    if (mNames == nullptr)
        mNames = std::make_unique<TestedNames>();
    return *mNames;
}

void FileCounts::CountError()
{
    if (mErrors++ == 0 && Has(READ))
        mFlags |= ERROR_LAST;
}

void FileCounts::Take(std::unique_ptr<Counter_List> list)
{
    Read(*list);
    Counter_List rebuilt;
    AppendTo(rebuilt);
    if (Same(rebuilt, *list))
        return;
    mType = nullptr;
    mLines = mBlank = mCode = mComment = mDirective = mConditions = mErrors = 0;
    mNames.reset();
    mWhole = std::move(list);
    mFlags = 0;
}

void FileCounts::AppendTo(Counter_List& list) const
{
    Write(list, false);
}

void FileCounts::AddTo(Counter_List& totals) const
{
    Write(totals, true);
}

void FileCounts::Write(Counter_List& list, bool merge) const
{
    if (mWhole != nullptr)
    {
        list.Add(*mWhole);
        return;
    }
    if (mType == nullptr)
        return;
    PutCount(PutCount(list, Schema::NAME_FILE, 1, merge).mCounters, mType, 1, merge);
    if (!Has(READ))
    {
        if (mErrors != 0)
            WriteErrors(list, merge);
        return;
    }
    PutLines(list, Schema::NAME_LINE, *this, false, merge);
    PutLines(list, mType, *this, Has(DIRECTIVES), merge);
    if (Has(DIRECTIVES))
    {
        Counter_List& tested =
            PutCount(list, Schema::NAME_CONDITIONS, mConditions, merge).mCounters;
        if (mNames != nullptr)
        {
            for (const TestedName& name : *mNames)
                PutCount(tested, name.mName, name.mCount, merge);
        }
    }
    if (mErrors != 0 && !Has(ERROR_LAST))
        WriteErrors(list, merge);
    Put<Counter_Histogram>(list, Schema::NAME_FILE_LENGTH, merge, "lines", "files")
        .AddValue(mLines, 1);
    if (mErrors != 0 && Has(ERROR_LAST))
        WriteErrors(list, merge);
}

// A file that was not read could not be opened: its one error says so.
void FileCounts::WriteErrors(Counter_List& list, bool merge) const
{
    Counter_Count& errors = PutCount(list, Schema::NAME_PARSING_ERROR, mErrors, merge);
    if (!Has(READ))
        PutCount(errors.mCounters, Schema::NAME_OPEN_ERROR, 1, merge);
}

void FileCounts::Read(const Counter_List& list)
{
    const Counter_Count* file = Schema::FindCount(list, Schema::NAME_FILE);
    if (file == nullptr || file->mCounters.empty())
        return;
    mType = (*file->mCounters.begin())->GetName();
    const Schema::Totals totals = Schema::TotalsOf(list);
    mLines = totals.mLines;
    mBlank = totals.mBlank;
    mCode = totals.mCode;
    mComment = totals.mComment;
    mDirective = totals.mDirective;
    mErrors = totals.mErrors;
    if (list.Find(Counter_Histogram::TYPE, Schema::NAME_FILE_LENGTH) != nullptr)
        mFlags |= READ;
    if (const Counter_Count* tested = Schema::FindCount(list, Schema::NAME_CONDITIONS))
    {
        mFlags |= DIRECTIVES;
        mConditions = tested->GetCount();
        // Only the names' counts are kept: a name that is no count, or that holds
        // counters, makes the rebuilt tree differ.
        for (const auto& name : tested->mCounters)
        {
            if (const auto* count = dynamic_cast<const Counter_Count*>(name.get()))
                Names().push_back({count->GetName(), count->GetCount()});
        }
    }
    const auto last = list.end() - 1;
    if (Has(READ) && std::strcmp((*last)->GetName(), Schema::NAME_PARSING_ERROR) == 0)
        mFlags |= ERROR_LAST;
}

} // namespace Vn
