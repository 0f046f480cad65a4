#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace TrovLib
{

// The patterns of the ignore file(s) of one folder, and the answer to whether a file or
// a folder below that folder is excluded.
//
// The walker keeps one list per folder that has an ignore file and chains it to the list
// of the nearest folder above that has one. A question goes to the innermost list and is
// answered by it and by every list outward; a pattern only ever applies below the folder
// of its own list. There is no negation and no escape: "!" and "\" are ordinary
// characters, so the order of the patterns and of the lists never changes an answer.
// IgnoreList_Git reads the same files by git's rules instead.
class IgnoreList
{
public:
    static constexpr uint32_t FLAG_ROOTED = 1;   // the line began with a separator
    static constexpr uint32_t FLAG_FOLDER = 2;   // the line ended with a separator
    static constexpr uint32_t FLAG_WILDCARD = 4; // the pattern holds "*" or "?"

    struct Entry
    {
        uint32_t mFlags;
        std::string mText; // without its leading and trailing separator
    };

    // `parent` is not owned; `folder` is relative to the walk's root, null for the root.
    IgnoreList(const IgnoreList* parent, const char* folder);
    virtual ~IgnoreList();

    IgnoreList(const IgnoreList&) = delete;
    IgnoreList& operator=(const IgnoreList&) = delete;

    // How much of an ignore file is read: enough for any real one, and a bound on what a
    // file that never ends, such as a link to a file of /proc, could take.
    static constexpr size_t FILE_SIZE_MAX = 1024 * 1024;

    // What ReadFromFile made of a file.
    enum class FileRead
    {
        Whole,
        Refused, // not a regular file, or a link: nothing added
        Cut,     // longer than FILE_SIZE_MAX: the lines that end within it added
        Failed,  // a read failed: the lines that end before it added
    };

    // Appends the patterns of the file `name` of the folder open as the descriptor
    // `folder`, whose full path `folderPath` names the file in an exception. Links are
    // not followed, as git never follows a linked ignore file. Throws Exception
    // (CODE_IO_ERROR) when the file cannot be opened; the list then keeps what it had.
    // The errno of a read that failed goes to `readError`, when given.
    FileRead ReadFromFile(int folder, const char* folderPath, const char* name,
                          int* readError = nullptr);
    // Appends the patterns of the text of an ignore file, cut into lines as the file's
    // would be.
    virtual void ReadFromText(std::string_view text);

    // Whether a file pattern of this list or of an outer one matches the path, which is
    // relative to the walk's root.
    bool IsFileIgnored(const char* path) const;
    // The same with the folder patterns.
    bool IsFolderIgnored(const char* path) const;
    // The answer of the innermost list that has one for the file: ignored, kept by a
    // negation, or nothing when no pattern matches.
    std::optional<bool> FileVerdict(const char* path) const;

    const IgnoreList* GetParent() const { return mParent; }
    const std::vector<Entry>& GetEntries() const { return mEntries; }

    // Whether the entry matches the path (relative to the walk's root) below this
    // list's folder: a rooted entry the whole rest of the path, any other entry the rest
    // or any run of its trailing components.
    bool Match(const Entry& entry, const char* path) const;

    // "*" matches any run of characters, the separator included, so that a star may
    // span several components; "?" matches exactly one character. Byte by byte and
    // case-sensitive.
    static bool MatchWildcard(const char* pattern, const char* text);

protected:
    // This list's answer for the path: ignored, kept, or nothing to say, which leaves
    // the question to the outer lists.
    virtual std::optional<bool> Decide(const char* path, bool folder) const;
    // The rest of the path below this list's folder; null when the path is not below it.
    const char* Below(const char* path) const;

private:
    void AddLine(std::string line);
    std::optional<bool> Verdict(const char* path, bool folder) const;

    std::vector<Entry> mEntries;
    const IgnoreList* mParent;
    std::string mFolder;
};

} // namespace TrovLib
