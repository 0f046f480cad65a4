#include "engine/scan/FolderParser.h"

#include <cstring>
#include <utility>

namespace Vn
{

namespace
{

// The clock is read only every so many files, and the callback called only when this
// long has passed since the last call.
constexpr unsigned PROGRESS_FILES_PER_CHECK = 256;
constexpr std::chrono::milliseconds PROGRESS_INTERVAL(200);

} // namespace

FolderParser::FolderParser(FileParser_List* fileParsers)
    : mFolder(nullptr), mFileParsers(fileParsers), mSearchRequest(nullptr), mSearchFolder(nullptr),
      mRootName(nullptr)
{
    IgnoreFile_Add(".gitignore");
}

FolderParser::~FolderParser() = default;

std::unique_ptr<Data_Folder> FolderParser::Parse(const char* rootFolder)
{
    BeginPass(rootFolder, nullptr);
    Start(rootFolder);
    return std::move(mParse_Root);
}

std::unique_ptr<SearchResult_Folder> FolderParser::Search(const char* rootFolder,
                                                          const SearchRequest& request)
{
    BeginPass(rootFolder, &request);
    Start(rootFolder);
    return std::move(mSearch_Root);
}

void FolderParser::SetProgressCallback(ProgressCallback callback)
{
    mProgressCallback = std::move(callback);
}

void FolderParser::BeginPass(const char* rootFolder, const SearchRequest* request)
{
    mFolder = nullptr;
    mSearchFolder = nullptr;
    mSearchRequest = request;
    mRootName = rootFolder;
    mParse_Root.reset();
    mSearch_Root.reset();
    mProgress = Progress();
    mProgress_Reported = std::chrono::steady_clock::now();
}

void FolderParser::OnFolder_Accepted(const char* relative)
{
    // Only the root's own ".git" is skipped; one deeper down is walked like any folder.
    if (relative != nullptr && std::strcmp(relative, ".git") == 0)
        return;

    const char* name = relative == nullptr ? mRootName : relative;
    if (mSearchRequest == nullptr)
        Scan_Folder(relative, name);
    else
        Search_Folder(relative, name);
    mProgress.mFolders++;
}

void FolderParser::Scan_Folder(const char* relative, const char* name)
{
    auto folder = std::make_unique<Data_Folder>(name);
    Data_Folder* parent = std::exchange(mFolder, folder.get());
    Enumerate(relative);
    mFolder = parent;

    if (parent == nullptr)
        mParse_Root = std::move(folder);
    else
        parent->AddNode(std::move(folder));
}

void FolderParser::Search_Folder(const char* relative, const char* name)
{
    auto folder = std::make_unique<SearchResult_Folder>(name);
    SearchResult_Folder* parent = std::exchange(mSearchFolder, folder.get());
    Enumerate(relative);
    mSearchFolder = parent;

    if (folder->GetCount() == 0)
        return;
    if (parent == nullptr)
        mSearch_Root = std::move(folder);
    else
        parent->AddResult(std::move(folder));
}

void FolderParser::OnFile_Accepted(const char* relative, const timespec*)
{
    const std::string fullPath = GetFullPath(relative);
    if (mSearchRequest == nullptr)
        mFolder->AddNode(ParseFile(fullPath));
    else if (std::unique_ptr<SearchResult_File> result = SearchFile(fullPath))
        mSearchFolder->AddResult(std::move(result));
    Progress_FileDone();
}

std::unique_ptr<Data_Node> FolderParser::ParseFile(const std::string& fullPath) const
{
    return mFileParsers->Parse(fullPath.c_str());
}

std::unique_ptr<SearchResult_File> FolderParser::SearchFile(const std::string& fullPath) const
{
    FileParser* parser = mFileParsers->GetParser(fullPath.c_str());
    if (parser == nullptr || !mSearchRequest->IsFileTypeSelected(parser->mType))
        return nullptr;
    return parser->Search(fullPath.c_str(), *mSearchRequest);
}

void FolderParser::Progress_FileDone()
{
    mProgress.mFiles++;
    if (!mProgressCallback || mProgress.mFiles % PROGRESS_FILES_PER_CHECK != 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - mProgress_Reported < PROGRESS_INTERVAL)
        return;
    mProgress_Reported = now;
    mProgressCallback(mProgress);
}

} // namespace Vn
