#pragma once

#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_File.h"
#include "engine/tree/Data_Node.h"

#include <memory>

namespace Vn
{

class ReadingContext;

// A compiled file type: what reads the files of one kind, made once when the registry is
// filled and never changed after, so that every worker shares it. The state of the file
// being read lives in the worker's ReadingContext, which every call is handed.
//
// This base is itself the parser of the types whose contents are not read: it only
// counts the file.
class FileParser
{
public:
    FileParser();
    virtual ~FileParser();

    FileParser(const FileParser&) = delete;
    FileParser& operator=(const FileParser&) = delete;

    // The file's node, named by its full path, carrying "File" = 1 with the count `type`
    // below it, the name the registry knows the file's type by. Never null.
    virtual std::unique_ptr<Data_Node> Parse(const char* fileName, const char* type,
                                             ReadingContext& context) const;
    // The file's matching lines, or null. The base parser never finds anything.
    virtual std::unique_ptr<SearchResult_File>
    Search(const char* fileName, const SearchRequest& request, ReadingContext& context) const;
    // Whether the parser reads contents, and so can search them.
    virtual bool CanSearch() const;

    // The node every file starts with: "File" = 1 holding a count named `type` = 1.
    static std::unique_ptr<Data_Node> CreateFileNode(const char* fileName, const char* type);
};

} // namespace Vn
