#include "lib/Walker.h"

#include "lib/Exception.h"
#include "lib/Format.h"
#include "lib/IgnoreList_Git.h"
#include "lib/Path.h"
#include "lib/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
    mRelative.clear();
    mFrames.clear();
    try
    {
        Walk();
    }
    catch (...)
    {
        mFrames.clear();
        OnWalk_Abandoned();
        throw;
    }
}

std::string Walker::GetFullPath(const char* relative) const
{
    return relative == nullptr ? mRoot : Join(mRoot.c_str(), relative);
}

bool Walker::IsFileReadable(int folder, const char* name)
{
    struct stat status;
    return folder >= 0 && fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(status.st_mode) && faccessat(folder, name, R_OK, 0) == 0;
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
        ThrowSystemError("mkdir failed", path, "TrovLib::Walker::CreateFolder", errno);
}

bool Walker::OnFolder(const char*)
{
    return true;
}

void Walker::OnFolder_Left(const char*) {}

void Walker::OnFolder_Unreadable(const char*, int) {}

void Walker::OnWalk_Abandoned() {}

// Depth-first over an explicit stack of folders, so that the depth of the tree never
// reaches the call stack.
void Walker::Walk()
{
    Enter();
    while (!mFrames.empty())
    {
        Frame& frame = mFrames.back();
        if (frame.mNext == frame.mEntries.size())
        {
            Leave();
            continue;
        }
        const Entry& entry = frame.mEntries[frame.mNext++];
        mRelative.resize(frame.mPathLength);
        if (!mRelative.empty())
            mRelative += SEPARATOR;
        mRelative += entry.mName;
        if (entry.mFolder)
            Enter(); // may move the frames; `entry` is not used after it
        else
        {
            mFileSize = entry.mSize;
            OnFile(mRelative.c_str(), &entry.mModified);
        }
    }
}

// Opens the folder at mRelative and hands it to OnFolder; pushes a frame when it is
// entered.
void Walker::Enter()
{
    const int fd = OpenFolder();
    const int error = errno;
    struct Closer
    {
        int mFd;
        ~Closer()
        {
            if (mFd >= 0)
                close(mFd);
        }
    } closer{fd};
    mFolderFd = fd;
    const bool enter = OnFolder(Relative());
    mFolderFd = -1;
    if (!enter)
        return;

    Frame frame;
    frame.mPathLength = mRelative.size();
    frame.mNearestAnchor = mFrames.empty() ? 0 : mFrames.back().mNearestAnchor;
    if (fd < 0)
    {
        if (IsDescriptorShortage(error))
            ThrowSystemError("open failed", GetFullPath(Relative()), "TrovLib::Walker::Enter",
                             error);
        OnFolder_Unreadable(Relative(), error);
    }
    else
    {
        const bool anchor =
            mFrames.empty() || mRelative.size() - NearestAnchor().mPathLength > ANCHOR_SPAN;
        if (anchor)
        {
            frame.mAnchor = KeepOpen(fd);
            frame.mNearestAnchor = mFrames.size();
        }
        frame.mEntries = ReadEntries(std::exchange(closer.mFd, -1));
    }
    mFrames.push_back(std::move(frame));
}

void Walker::Leave()
{
    mRelative.resize(mFrames.back().mPathLength);
    mFrames.pop_back();
    OnFolder_Left(Relative());
}

int Walker::OpenFolder() const
{
    constexpr int FLAGS = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    if (mFrames.empty())
        return open(mRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const Frame& anchor = NearestAnchor();
    const size_t offset = anchor.mPathLength == 0 ? 0 : anchor.mPathLength + 1;
    return openat(anchor.mAnchor->Get(), mRelative.c_str() + offset, FLAGS);
}

// A second descriptor of the folder, since listing it closes the first.
std::shared_ptr<const FolderHandle> Walker::KeepOpen(int fd) const
{
    const int kept = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (kept < 0)
        ThrowSystemError("fcntl failed", GetFullPath(Relative()), "TrovLib::Walker::KeepOpen",
                         errno);
    return std::make_shared<const FolderHandle>(kept);
}

const Walker::Frame& Walker::NearestAnchor() const
{
    return mFrames[mFrames.back().mNearestAnchor];
}

Walker::FileBase Walker::GetFileBase() const
{
    if (mRoot.size() + 1 + mRelative.size() < PATH_MAX)
        return {};
    const Frame& anchor = NearestAnchor();
    return {anchor.mAnchor,
            mRoot.size() + 1 + (anchor.mPathLength == 0 ? 0 : anchor.mPathLength + 1)};
}

const char* Walker::Relative() const
{
    return mFrames.empty() && mRelative.empty() ? nullptr : mRelative.c_str();
}

// Lists the folder's real sub-folders and its files (regular files and, when followed,
// links to them), sorted by name. Takes and closes the descriptor.
//
// An entry whose status cannot be read for a reason other than its removal, as in a
// folder that may be read but not searched, is still listed by the type that the listing
// gives, so that opening it fails the same way and it counts among what could not be read.
std::vector<Walker::Entry> Walker::ReadEntries(int fd) const
{
    std::vector<Entry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(fdopendir(fd), &closedir);
    if (!folder)
    {
        close(fd);
        return entries;
    }

    while (const dirent* entry = readdir(folder.get()))
    {
        if (IsDotEntry(entry->d_name))
            continue;
        struct stat status;
        if (fstatat(fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        {
            const bool listed = entry->d_type == DT_DIR || entry->d_type == DT_REG ||
                                entry->d_type == DT_UNKNOWN ||
                                (entry->d_type == DT_LNK && mFollowFileLinks);
            if (errno != ENOENT && listed)
                entries.push_back({entry->d_name, entry->d_type == DT_DIR, {}, 0});
            continue;
        }
        const bool link = S_ISLNK(status.st_mode);
        if (link && !mFollowFileLinks)
            continue;
        if (link && fstatat(fd, entry->d_name, &status, 0) != 0)
        {
            if (errno != ENOENT)
                entries.push_back({entry->d_name, false, {}, 0});
            continue;
        }
        const auto size = static_cast<uint64_t>(status.st_size);
        if (S_ISREG(status.st_mode))
            entries.push_back({entry->d_name, false, status.st_mtim, size});
        else if (S_ISDIR(status.st_mode) && !link)
            entries.push_back({entry->d_name, true, status.st_mtim, size});
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

void Walker_Smart::SetOptions(const WalkOptions& options)
{
    mOptions = options;
    SetFollowFileLinks(options.mFollowFileLinks);
}

bool Walker_Smart::OnFolder(const char* relative)
{
    // A folder is tested against the lists of the folders above it only; its own ignore
    // file is read once it is accepted.
    if (relative != nullptr && mIgnoreList != nullptr && mIgnoreList->IsFolderIgnored(relative))
        return false;

    if (relative == nullptr)
        mIgnoreLists.clear();
    mIgnoreLists.push_back(ReadIgnoreFiles(relative));
    if (mIgnoreLists.back())
        mIgnoreList = mIgnoreLists.back().get();
    if (OnFolder_Accepted(relative))
        return true;
    PopIgnoreList();
    return false;
}

void Walker_Smart::OnFolder_Left(const char*)
{
    PopIgnoreList();
}

void Walker_Smart::OnWalk_Abandoned()
{
    mIgnoreLists.clear();
    mIgnoreList = nullptr;
}

void Walker_Smart::PopIgnoreList()
{
    if (mIgnoreLists.back())
        mIgnoreList = mIgnoreLists.back()->GetParent();
    mIgnoreLists.pop_back();
}

bool Walker_Smart::OnFolder_Accepted(const char*)
{
    return true;
}

void Walker_Smart::OnIgnoreFile_Unreadable(const char*, int) {}

// All the ignore files of one folder go into one list, chained to the current one, the
// root's after the excluded patterns. Null when the folder has no readable ignore file.
std::unique_ptr<IgnoreList> Walker_Smart::ReadIgnoreFiles(const char* relative)
{
    std::unique_ptr<IgnoreList> list;
    if (relative == nullptr && !mOptions.mExcludes.empty())
    {
        list = MakeIgnoreList(relative);
        for (const std::string& pattern : mOptions.mExcludes)
            list->ReadFromText(pattern + '\n');
    }
    for (const std::string& name : mIgnoreFiles)
    {
        if (!mOptions.mReadIgnoreFiles)
            break;
        if (!IsFileReadable(GetFolderFd(), name.c_str()))
            continue;
        if (!list)
            list = MakeIgnoreList(relative);
        const std::string folder = GetFullPath(relative);
        int error = 0;
        const IgnoreList::FileRead read =
            list->ReadFromFile(GetFolderFd(), folder.c_str(), name.c_str(), &error);
        if (read == IgnoreList::FileRead::Cut)
            error = EFBIG;
        if (error != 0)
            OnIgnoreFile_Unreadable(
                relative == nullptr ? name.c_str() : Join(relative, name.c_str()).c_str(), error);
    }
    return list;
}

std::unique_ptr<IgnoreList> Walker_Smart::MakeIgnoreList(const char* relative) const
{
    if (mOptions.mIgnoreRules == IgnoreRules::Git)
        return std::make_unique<IgnoreList_Git>(mIgnoreList, relative);
    return std::make_unique<IgnoreList>(mIgnoreList, relative);
}

} // namespace TrovLib
