#include "lib/IgnoreList.h"

#include "lib/Ascii.h"
#include "lib/Exception.h"
#include "lib/Format.h"
#include "lib/Path.h"
#include "lib/RegularFile.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace TrovLib
{

namespace
{

// Lines longer than this arrive in pieces, each piece taken as a line of its own.
constexpr size_t LINE_PIECE_SIZE = 2048;

} // namespace

IgnoreList::IgnoreList(const IgnoreList* parent, const char* folder)
    : mParent(parent), mFolder(folder == nullptr ? "" : folder)
{
}

IgnoreList::~IgnoreList() = default;

IgnoreList::FileRead IgnoreList::ReadFromFile(int folder, const char* folderPath, const char* name,
                                              int* readError)
{
    const RegularFile file = RegularFile::Open(folder, name, false);
    if (file.mError != 0)
        ThrowSystemError("open failed", Format("%s%c%s", folderPath, SEPARATOR, name),
                         "TrovLib::IgnoreList::ReadFromFile", file.mError);
    if (file.mFd < 0)
        return FileRead::Refused;
    int error = 0;
    std::string text = RegularFile::ReadAll(file.mFd, FILE_SIZE_MAX, &error);
    close(file.mFd);
    const bool cut = text.size() > FILE_SIZE_MAX;
    // A line that the cut or the error ends early is dropped with what follows it.
    if (cut)
        text.erase(text.rfind('\n', FILE_SIZE_MAX - 1) + 1); // npos + 1 erases it all
    else if (error != 0)
        text.erase(text.rfind('\n') + 1);
    ReadFromText(text);
    if (error != 0 && readError != nullptr)
        *readError = error;
    return error != 0 ? FileRead::Failed : cut ? FileRead::Cut : FileRead::Whole;
}

// A line longer than a piece arrives in pieces, as from fgets into a fixed buffer, and a
// NUL ends the text of its piece.
void IgnoreList::ReadFromText(std::string_view text)
{
    while (!text.empty())
    {
        const size_t feed = text.find('\n');
        const size_t length =
            std::min(feed == std::string_view::npos ? text.size() : feed + 1, LINE_PIECE_SIZE - 1);
        const std::string_view piece = text.substr(0, length);
        AddLine(std::string(piece.substr(0, piece.find('\0'))));
        text.remove_prefix(length);
    }
}

// Strips the line's trailing blanks and one trailing separator, then stores what is left
// as a pattern, unless it is empty or a comment.
void IgnoreList::AddLine(std::string line)
{
    uint32_t flags = 0;
    while (!line.empty() && Ascii::IsBlank(line.back()))
        line.pop_back();
    if (!line.empty() && line.back() == '/')
    {
        line.pop_back();
        flags |= FLAG_FOLDER;
    }

    if (line.find_first_of("*?") != std::string::npos)
        flags |= FLAG_WILDCARD;
    if (line.empty() || line.front() == '#')
        return;
    if (line.front() == '/')
    {
        flags |= FLAG_ROOTED;
        line.erase(0, 1);
    }
    std::replace(line.begin(), line.end(), '/', SEPARATOR);
    mEntries.push_back({flags, std::move(line)});
}

bool IgnoreList::IsFileIgnored(const char* path) const
{
    return Verdict(path, false).value_or(false);
}

bool IgnoreList::IsFolderIgnored(const char* path) const
{
    return Verdict(path, true).value_or(false);
}

std::optional<bool> IgnoreList::FileVerdict(const char* path) const
{
    return Verdict(path, false);
}

// The innermost list that has something to say decides.
std::optional<bool> IgnoreList::Verdict(const char* path, bool folder) const
{
    for (const IgnoreList* list = this; list != nullptr; list = list->mParent)
    {
        if (const std::optional<bool> verdict = list->Decide(path, folder))
            return verdict;
    }
    return std::nullopt;
}

// Classic patterns only ever exclude, so any match decides.
std::optional<bool> IgnoreList::Decide(const char* path, bool folder) const
{
    for (const Entry& entry : mEntries)
    {
        const bool folderEntry = (entry.mFlags & FLAG_FOLDER) != 0;
        if (folderEntry == folder && Match(entry, path))
            return true;
    }
    return std::nullopt;
}

const char* IgnoreList::Below(const char* path) const
{
    if (mFolder.empty())
        return path;
    if (std::strncmp(path, mFolder.c_str(), mFolder.size()) != 0 ||
        path[mFolder.size()] != SEPARATOR)
        return nullptr;
    return path + mFolder.size() + 1;
}

bool IgnoreList::Match(const Entry& entry, const char* path) const
{
    const char* subject = Below(path);
    if (subject == nullptr)
        return false;

    for (;;)
    {
        const bool equal = (entry.mFlags & FLAG_WILDCARD) != 0
                               ? MatchWildcard(entry.mText.c_str(), subject)
                               : entry.mText == subject;
        if (equal)
            return true;
        if ((entry.mFlags & FLAG_ROOTED) != 0)
            return false;
        subject = std::strchr(subject, SEPARATOR);
        if (subject == nullptr)
            return false;
        subject++;
    }
}

// Only the last star is ever backtracked to: whatever an earlier star could still
// absorb, the later one can absorb as well. This gives the answers of the plain
// recursive rule without its exponential cost on patterns with many stars.
bool IgnoreList::MatchWildcard(const char* pattern, const char* text)
{
    const char* afterStar = nullptr;
    const char* retry = nullptr;
    while (*text != '\0')
    {
        if (*pattern == '*')
        {
            afterStar = ++pattern;
            retry = text;
        }
        else if (*pattern != '\0' && (*pattern == '?' || *pattern == *text))
        {
            pattern++;
            text++;
        }
        else if (afterStar != nullptr)
        {
            pattern = afterStar;
            text = ++retry;
        }
        else
        {
            return false;
        }
    }
    while (*pattern == '*')
        pattern++;
    return *pattern == '\0';
}

} // namespace TrovLib
