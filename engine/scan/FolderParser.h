#pragma once

// Interface only for now: the implementation comes with the walker.

#include "engine/parsers/FileParser_List.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <functional>
#include <memory>

namespace Vn
{

// Runs one pass over a folder tree: a scan into a data tree, or a search into a tree
// of results. (Derives privately from TrovLib::Walker_Smart.)
class FolderParser
{
public:
    struct Progress
    {
        unsigned mFolders = 0;
        unsigned mFiles = 0;
    };
    using ProgressCallback = std::function<void(const Progress&)>;

    // The registry is not owned and must outlive the folder parser.
    explicit FolderParser(FileParser_List* fileParsers);
    virtual ~FolderParser();

    // The root folder node, never null; named by `rootFolder` exactly as given.
    virtual std::unique_ptr<Data_Folder> Parse(const char* rootFolder);
    // The root result, or null when nothing matched.
    virtual std::unique_ptr<SearchResult_Folder> Search(const char* rootFolder,
                                                        const SearchRequest& request);

    // Optional: called from time to time during a pass, at most a few times a second.
    void SetProgressCallback(ProgressCallback callback);
};

} // namespace Vn
