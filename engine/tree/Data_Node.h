#pragma once

#include "engine/languages/FileLabels.h"
#include "engine/tree/FileCounts.h"
#include "engine/tree/TreeNode.h"

namespace Vn
{

class Data_Folder;

// A node of the data tree of a scan, and the class of file nodes; Data_Folder holds the
// folders. Names are those of TreeNode. Readers of counters see a node's counter tree
// through NodeCounters, and its totals through Schema::TotalsOf.
class Data_Node : public TreeNode
{
public:
    explicit Data_Node(const char* name);

    const Data_Folder* GetParent() const;

    // A file's counters; a folder keeps its totals in a list of its own.
    FileCounts mCounts;
    // What a file is when not its owners' own code, under the language table.
    Label mLabel = Label::NONE;
    // A file that an option skipped: it counts nowhere, and holds no counters.
    bool mSkipped = false;

protected:
    Data_Node(const char* name, bool isFolder);
};

} // namespace Vn
