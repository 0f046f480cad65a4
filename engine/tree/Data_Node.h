#pragma once

#include "engine/counters/Counter_List.h"
#include "engine/languages/FileLabels.h"

#include <string>

namespace Vn
{

// A node of the data tree of a scan, and the class of file nodes. A file node is
// named by its full path; folder naming is described in Data_Folder.
class Data_Node
{
public:
    explicit Data_Node(const char* name);
    virtual ~Data_Node();

    Data_Node(const Data_Node&) = delete;
    Data_Node& operator=(const Data_Node&) = delete;

    const char* GetName() const { return mName.c_str(); }
    // The part of the name after its last separator: the whole name when it holds
    // none, an empty text when it ends with one.
    const char* GetName_Relative() const;

    Counter_List mCounters;
    // What a file is when not its owners' own code, under the language table.
    Label mLabel = Label::NONE;
    // A file that an option skipped: it counts nowhere, and holds no counters.
    bool mSkipped = false;

private:
    const std::string mName;
};

} // namespace Vn
