// The folder parser.
#pragma once

#include "engine/parsers/FileParser_List.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"
#include "lib/Walker.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace Vn
{

// Runs one pass over a folder tree: a scan into a data tree, or a search into a tree
// of results. The walk and the ignore files are the walker's; this class turns what the
// walker accepts into nodes or results.
//
// A folder's node lives in the stack frame that walks the folder until its walk is over,
// and only then joins its parent. So a pass that ends in an exception releases its
// partly built tree on the way out, as the walker pops its ignore lists, and the next
// pass starts clean.
class FolderParser : private TrovLib::Walker_Smart
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
    ~FolderParser() override;

    // The root folder node, never null; named by `rootFolder` exactly as given.
    virtual std::unique_ptr<Data_Folder> Parse(const char* rootFolder);
    // The root result, or null when nothing matched.
    virtual std::unique_ptr<SearchResult_Folder> Search(const char* rootFolder,
                                                        const SearchRequest& request);

    // Optional: called from time to time during a pass, at most a few times a second,
    // with the folders and files done so far.
    void SetProgressCallback(ProgressCallback callback);

private:
    void OnFile_Accepted(const char* relative, const timespec* modified) override;
    void OnFolder_Accepted(const char* relative) override;

    void BeginPass(const char* rootFolder, const SearchRequest* request);
    void Scan_Folder(const char* relative, const char* name);
    void Search_Folder(const char* relative, const char* name);

    // The work on one file. It depends on nothing but the file and the registry (and the
    // request of a search), not on the state of the walk.
    std::unique_ptr<Data_Node> ParseFile(const std::string& fullPath) const;
    std::unique_ptr<SearchResult_File> SearchFile(const std::string& fullPath) const;

    void Progress_FileDone();

    Data_Folder* mFolder;                // the folder being filled during a scan
    FileParser_List* mFileParsers;       // not owned
    const SearchRequest* mSearchRequest; // set during a search only
    SearchResult_Folder* mSearchFolder;  // the result folder being filled during a search
    const char* mRootName;               // the root text as given, during a pass only

    std::unique_ptr<Data_Folder> mParse_Root;          // the finished root of a scan
    std::unique_ptr<SearchResult_Folder> mSearch_Root; // the finished root of a search

    ProgressCallback mProgressCallback;
    Progress mProgress;
    std::chrono::steady_clock::time_point mProgress_Reported;
};

} // namespace Vn
