#include "engine/parsers/FileCounters.h"

#include "engine/tree/Data_Node.h"

namespace Vn
{

FileCounters::FileCounters()
{
    mName.reserve(64);
}

void FileCounters::Start(Data_Node& node, bool directives)
{
    mCounts = &node.mCounts;
    mDirectives = directives;
    mCounts->StartReading(directives);
}

void FileCounters::CountName(std::string_view name)
{
    mName.assign(name);
    mCounts->CountName(mName.c_str());
}

} // namespace Vn
