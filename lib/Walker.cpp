#include "lib/Walker.h"

#include "lib/Exception.h"
#include "lib/Format.h"
#include "lib/Path.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace TrovLib
{

namespace
{

// Longest parent part that GetFolder hands back.
constexpr size_t FOLDER_LENGTH_MAX = 2047;

std::string Join(const char* first, const char* second)
{
    return Format("%s%c%s", first, SEPARATOR, second);
}

bool IsDotEntry(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

} // namespace

Walker::Walker() = default;

Walker::~Walker() = default;

void Walker::Start(const char* root)
{
    mRoot = root;
    OnFolder(nullptr);
}

std::string Walker::GetFullPath(const char* relative) const
{
    return relative == nullptr ? mRoot : Join(mRoot.c_str(), relative);
}

bool Walker::IsFileReadable(const char* folder, const char* name) const
{
    const std::string path = Join(GetFullPath(folder).c_str(), name);
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           access(path.c_str(), R_OK) == 0;
}

bool Walker::Exists(const char* base, const char* part)
{
    const std::string path = part == nullptr ? base : Join(base, part);
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

std::optional<std::string> Walker::GetFolder(const char* path)
{
    const char* last = std::strrchr(path, SEPARATOR);
    if (last == nullptr)
        return std::nullopt;
    const size_t length = static_cast<size_t>(last - path);
    if (length > FOLDER_LENGTH_MAX)
        throw Exception(CODE_INVALID_BUFFER_SIZE, "Buffer too short", nullptr, __FILE_NAME__,
                        "TrovLib::Walker::GetFolder", __LINE__, static_cast<unsigned>(length));
    return std::string(path, length);
}

void Walker::CreateFolder(const char* base, const char* folder)
{
    if (folder != nullptr)
    {
        const std::optional<std::string> parent = GetFolder(folder);
        if (parent && !Exists(base, parent->c_str()))
            CreateFolder(base, parent->c_str());
    }

    const std::string path = folder == nullptr ? base : Join(base, folder);
    if (mkdir(path.c_str(), 0777) != 0)
        throw Exception(CODE_IO_ERROR, "mkdir( ,  ) failed",
                        Format("mkdir( %s, ) failed", path.c_str()).c_str(), __FILE_NAME__,
                        "TrovLib::Walker::CreateFolder", __LINE__, 0);
}

void Walker::OnFolder(const char* relative)
{
    Enumerate(relative);
}

void Walker::Enumerate(const char* relative)
{
    for (const Entry& entry : ReadEntries(relative))
    {
        const std::string path =
            relative == nullptr ? entry.mName : Join(relative, entry.mName.c_str());
        if (entry.mFolder)
            OnFolder(path.c_str());
        else
            OnFile(path.c_str(), &entry.mModified);
    }
}

// Lists the folder's real sub-folders and its files (regular files and links to them),
// sorted by name. The folder is closed before anything is reported, so that a deep walk
// keeps no folder open.
std::vector<Walker::Entry> Walker::ReadEntries(const char* relative) const
{
    std::vector<Entry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(GetFullPath(relative).c_str()),
                                                     &closedir);
    if (!folder)
        return entries;

    const int folderFd = dirfd(folder.get());
    while (const dirent* entry = readdir(folder.get()))
    {
        if (IsDotEntry(entry->d_name))
            continue;
        struct stat status;
        if (fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const bool link = S_ISLNK(status.st_mode);
        if (link && fstatat(folderFd, entry->d_name, &status, 0) != 0)
            continue;
        if (S_ISREG(status.st_mode))
            entries.push_back({entry->d_name, false, status.st_mtim});
        else if (S_ISDIR(status.st_mode) && !link)
            entries.push_back({entry->d_name, true, status.st_mtim});
    }

    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.mName < b.mName; });
    return entries;
}

Walker_Smart::Walker_Smart() : mIgnoreList(nullptr) {}

Walker_Smart::~Walker_Smart() = default;

void Walker_Smart::IgnoreFile_Add(const char* name)
{
    mIgnoreFiles.emplace_back(name);
}

void Walker_Smart::OnFile(const char* relative, const timespec* modified)
{
    if (mIgnoreList != nullptr && mIgnoreList->IsFileIgnored(relative))
        return;
    OnFile_Accepted(relative, modified);
}

void Walker_Smart::OnFolder(const char* relative)
{
    // A folder is tested against the lists of the folders above it only; its own ignore
    // file is read once it is accepted.
    if (relative != nullptr && mIgnoreList != nullptr && mIgnoreList->IsFolderIgnored(relative))
        return;

    const std::unique_ptr<IgnoreList> own = ReadIgnoreFiles(relative);
    // Pops the folder's list when the folder is done, also when its walk ends in an
    // exception, so that the next walk starts with no list in force.
    struct Restore
    {
        const IgnoreList*& mCurrent;
        const IgnoreList* mOuter;
        ~Restore() { mCurrent = mOuter; }
    } restore{mIgnoreList, mIgnoreList};
    if (own)
        mIgnoreList = own.get();

    OnFolder_Accepted(relative);
}

void Walker_Smart::OnFolder_Accepted(const char* relative)
{
    Enumerate(relative);
}

// All the ignore files of one folder go into one list, chained to the current one. Null
// when the folder has no readable ignore file.
std::unique_ptr<IgnoreList> Walker_Smart::ReadIgnoreFiles(const char* relative) const
{
    std::unique_ptr<IgnoreList> list;
    for (const std::string& name : mIgnoreFiles)
    {
        if (!IsFileReadable(relative, name.c_str()))
            continue;
        if (!list)
            list = std::make_unique<IgnoreList>(mIgnoreList, relative);
        list->ReadFromFile(GetFullPath(relative).c_str(), name.c_str());
    }
    return list;
}

} // namespace TrovLib
