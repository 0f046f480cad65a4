#include "engine/parsers/FileCounters.h"

#include "engine/counters/Counter_Names.h"
#include "engine/tree/Data_Node.h"

#include <algorithm>

namespace Vn
{

namespace
{
// Up to this many names a linear search beats hashing.
constexpr size_t INDEX_THRESHOLD = 16;
} // namespace

void FileCounters::Start(Data_Node& node, bool directives)
{
    mCounts = &node.mCounts;
    mDirectives = directives;
    mCounts->StartReading(directives);
    mIndex.clear();
}

// A name is text up to a NUL byte, as counter names are.
void FileCounters::CountName(std::string_view name)
{
    name = name.substr(0, name.find('\0'));
    if (FileCounts::TestedName* tested = Find(name))
    {
        tested->mCount++;
        return;
    }
    FileCounts::TestedNames& names = mCounts->Names();
    const char* stored = Counter_Names::Intern(name);
    if (!mIndex.empty())
        mIndex.emplace(std::string_view(stored, name.size()), names.size());
    names.push_back({stored, 1});
}

FileCounts::TestedName* FileCounters::Find(std::string_view name)
{
    FileCounts::TestedNames& names = mCounts->Names();
    if (names.size() < INDEX_THRESHOLD)
    {
        const auto found =
            std::find_if(names.begin(), names.end(),
                         [name](const auto& tested) { return name == tested.mName; });
        return found != names.end() ? &*found : nullptr;
    }
    if (mIndex.empty())
    {
        for (size_t i = 0; i < names.size(); i++)
            mIndex.emplace(names[i].mName, i);
    }
    const auto found = mIndex.find(name);
    return found != mIndex.end() ? &names[found->second] : nullptr;
}

} // namespace Vn
