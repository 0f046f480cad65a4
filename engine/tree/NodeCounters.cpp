#include "engine/tree/NodeCounters.h"

#include "engine/tree/Data_Folder.h"

namespace Vn
{

NodeCounters::NodeCounters(const Data_Node& node) : mList(&mBuilt)
{
    if (node.IsFolder())
        mList = &static_cast<const Data_Folder&>(node).mCounters;
    else if (const Counter_List* whole = node.mCounts.GetWhole())
        mList = whole;
    else
        node.mCounts.AppendTo(mBuilt);
}

} // namespace Vn
