#pragma once

#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_File.h"
#include "engine/tree/Data_Node.h"

#include <memory>

namespace Vn
{

// The base of all file parsers, and itself the parser of the types whose contents
// are not read: it only counts the file.
class FileParser
{
public:
    // `type` is a constant of the registry, neither copied nor owned.
    explicit FileParser(const char* type);
    virtual ~FileParser();

    FileParser(const FileParser&) = delete;
    FileParser& operator=(const FileParser&) = delete;

    // The file's node, named by its full path, carrying "File" = 1 with the type below
    // it. Never null.
    virtual std::unique_ptr<Data_Node> Parse(const char* fileName);
    // The file's matching lines, or null. The base parser never finds anything.
    virtual std::unique_ptr<SearchResult_File> Search(const char* fileName,
                                                      const SearchRequest& request);

    // A new parser of the same class and configuration, serving `type`, which must
    // outlive it. Each class that can be registered gives its own, so that a registry
    // copies faithfully.
    virtual std::unique_ptr<FileParser> Clone(const char* type) const;
    // Whether the parser reads contents, and so can search them.
    virtual bool CanSearch() const;

    // The node every file starts with: "File" = 1 holding a count named `type` = 1.
    static std::unique_ptr<Data_Node> CreateFileNode(const char* fileName, const char* type);

    const char* mType;
};

} // namespace Vn
