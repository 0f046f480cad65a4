#pragma once

#include "cli/ScanHeader.h"
#include "engine/tree/Data_Folder.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace VarnikCli
{

// Receives a scan one node at a time, in walk order: a folder, then its children, then
// its Leave. Not shared between threads.
class ScanVisitor
{
public:
    virtual ~ScanVisitor() = default;

    // Before the root, when the scan has a header.
    virtual void Header(const ScanHeader& /*header*/) {}
    // A node with its counters; a folder has no children yet. False stops the reading.
    virtual bool Enter(const Vn::Data_Node& node, bool isFolder) = 0;
    // The end of the folder entered last and not left yet.
    virtual void Leave() = 0;
};

// Walks a tree in memory for a visitor, without recursing, until the visitor stops.
void VisitTree(const Vn::Data_Folder& root, ScanVisitor& visitor);

// Reads a file of `scan --json` or `merge --json` with rapidjson's SAX reader, holding no
// more than the node being read and the folders open above it, and hands each node to the
// visitor. The file must be what those commands write: anything else (a wrong type, a
// count that is not a whole number from 0 to 2^64-1, an unknown kind, two nodes of one
// name in a folder, a name that holds NUL or does not continue its folder's path, a key
// out of place, nesting past the limits below) throws std::runtime_error naming the file,
// the place as a JSON path and the byte offset.
class ScanReader
{
public:
    // Deeper than any tree that a path can reach on Linux by a wide margin; each level
    // costs the reader a few dozen bytes of its own stack, never the call stack.
    static constexpr size_t MAX_FOLDER_DEPTH = 100000;
    // The engine writes counters three levels deep ("Line", "Code", "Directive").
    static constexpr size_t MAX_COUNTER_DEPTH = 8;

    static void Read(const std::string& path, ScanVisitor& visitor);
};

// A whole scan file in memory, its folders with the totals that were written.
struct ScanFile
{
    std::optional<ScanHeader> mHeader; // none in files of earlier versions
    std::unique_ptr<Vn::Data_Folder> mRoot;
};

ScanFile ReadScanFile(const std::string& path);

} // namespace VarnikCli
