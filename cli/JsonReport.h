#pragma once

#include "cli/JsonWriter.h"
#include "cli/ScanHeader.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <ostream>

namespace VarnikCli
{

// The JSON output of the two commands, one line written while walking the answer. Keys
// keep the order in which they are written, and every name and line text is made valid
// UTF-8.
namespace JsonReport
{

// {"header": HEADER, "root": NODE}: every node with its counters, folders with their
// children. Names outside UTF-8 carry their exact bytes beside, as "nameHex".
void WriteScan(std::ostream& out, const Vn::Data_Folder& root, const ScanHeader& header);

// Writes the JSON of WriteScan one node at a time, in walk order, for a tree that is
// never whole in memory. Not shared between threads.
class ScanWriter
{
public:
    ScanWriter(std::ostream& out, const ScanHeader& header);

    // A file, or a folder whose children follow until its EndFolder.
    void Node(std::string_view name, bool isFolder, const Vn::Counter_List& counters);
    void EndFolder();
    // Once the root folder has ended.
    void Finish();

private:
    JsonWriter mJson;
};

// {"root": RESULT}, or {"root": null} when nothing matched.
void WriteSearch(std::ostream& out, const Vn::SearchResult_Folder* root);

} // namespace JsonReport
} // namespace VarnikCli
