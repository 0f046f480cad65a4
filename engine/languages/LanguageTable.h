#pragma once

#include "engine/languages/FileLabels.h"
#include "engine/languages/Language.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Vn
{

// Every language Varnik knows, read from the table built into the program and from the
// user's language files in the same syntax, and the rules that give a file its language.
//
// Detection is an ordered list of literal tests, and the first that decides wins: the
// user's mapping, the exact file name, a file-name pattern, the extension (longest
// dotted suffix first, an ambiguous one settled by its group's rules over the file's
// first bytes), then, for a file with no known extension, its "#!" line, an editor's mode
// line in its first or last five lines, and its first line. What is left is "Binary" when
// its first bytes hold a NUL, and "Unknown" otherwise. Immutable once loaded: shared
// read-only between threads.
class LanguageTable
{
public:
    // A fault in a language file: "FILE:LINE: reason".
    class Error : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    // How a file's language was decided, for `explain`.
    struct Reason
    {
        std::string mRule;
    };

    // The bytes of the file's start that detection reads at most.
    static constexpr size_t HEAD_SIZE = 8192;
    // The bytes of the file's end that detection reads at most, for a mode line.
    static constexpr size_t TAIL_SIZE = 4096;
    // How many lines at either end of a file may hold a mode line.
    static constexpr int MODE_LINES = 5;

    LanguageTable();
    ~LanguageTable();
    LanguageTable(const LanguageTable&) = delete;
    LanguageTable& operator=(const LanguageTable&) = delete;

    // The built-in table, then the user's configuration file when it exists, then each of
    // `files`. Throws Error for any fault, so that nothing runs on a half-read table.
    static std::shared_ptr<const LanguageTable> Create(const std::vector<std::string>& files);
    // The built-in table alone, loaded once.
    static std::shared_ptr<const LanguageTable> BuiltIn();
    // The user's configuration file: $XDG_CONFIG_HOME/varnik/languages, or
    // ~/.config/varnik/languages.
    static std::string UserFile();

    // Adds the records of `text`, named `source` in errors. A record whose id exists
    // replaces it. Call Finish once everything is read.
    void Load(std::string_view text, const std::string& source);
    void LoadFile(const std::string& path);
    // The groups that settle ambiguous extensions, by extension.
    const auto& GetGroups() const { return mGroups; }
    // Compiles the languages and builds the lookups; throws Error for a group or mapping
    // that names an unknown language.
    void Finish();

    const std::vector<std::unique_ptr<Language>>& GetLanguages() const { return mLanguages; }
    // The rules that label generated, vendored, minified, lock and documentation files.
    const FileLabels& GetLabels() const { return mLabels; }
    const Language* FindById(std::string_view id) const;

    // The file's first bytes (up to HEAD_SIZE), read only when the name does not decide;
    // and its last bytes (up to TAIL_SIZE), read only when nothing before its mode lines
    // decides.
    using Head = std::function<std::string_view()>;
    using Tail = Head;

    // The language of the file at `path`, or null. `binary` tells a file with a NUL in its
    // first bytes.
    const Language* Detect(std::string_view path, const Head& head, const Tail& tail, bool& binary,
                           Reason* reason = nullptr) const;
    // The same, for a file's text held whole, which is its head and its tail.
    const Language* Detect(std::string_view path, std::string_view text, bool& binary,
                           Reason* reason = nullptr) const;

    // The languages that a --types name selects: an id, a name, an alias, an extension or
    // a kind, in any case. Empty when nothing matches.
    std::vector<const Language*> Select(std::string_view name) const;
    // Up to three known names closest to `name`, for a suggestion.
    std::vector<std::string> Nearest(std::string_view name) const;

private:
    struct Rule
    {
        const Language* mLanguage;
        bool mAtLineStart;
        std::vector<std::string> mLiterals;
    };
    struct Group
    {
        std::vector<std::string> mCandidates;
        std::vector<std::pair<std::string, Rule>> mRules; // id, rule
        std::string mDefault;
        const Language* mDefaultLanguage = nullptr;
        // The line-start literals by their first byte, each as (rule, literal) indexes in
        // the order of the rules: a line is compared with those of its first byte alone.
        std::array<std::vector<std::pair<uint32_t, uint32_t>>, 256> mLineStarts;
    };
    // A file-name pattern, with the literal text before its first wildcard, which a name
    // must start with before the pattern is tried.
    struct Glob
    {
        std::string mPattern;
        std::string mPrefix;
        const Language* mLanguage;
    };
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };
    using Index = std::unordered_map<std::string, const Language*, Hash, std::equal_to<>>;

    friend class LanguageReader;

    // The language that the user's mapping, the name or the extension gives, to the file
    // or, when that gives none, to the file of which it is a template.
    const Language* ByPath(std::string_view name, const Head& head, Reason* reason) const;
    const Language* ByOwnName(std::string_view name, const Head& head, Reason* reason) const;
    const Language* ByName(std::string_view name, Reason* reason) const;
    const Language* ByExtension(std::string_view name, const Head& head, Reason* reason) const;
    const Language* ByContent(std::string_view head, const Tail& tail, Reason* reason) const;
    // The language that a mode line among `lines` names, or null.
    const Language* ByModeLine(std::span<const std::string_view> lines, Reason* reason) const;
    // The language of a shared extension by the group's rules, else its default; null for
    // a binary head that no rule settles.
    const Language* Settle(const Group& group, std::string_view head, Reason* reason) const;
    // Fills the group's index of line-start literals from its rules.
    static void IndexLineStarts(Group& group);
    // The language of `key` in `index`, or null.
    static const Language* Find(const Index& index, std::string_view key);

    std::vector<std::unique_ptr<Language>> mLanguages;
    std::unordered_map<std::string, Group, Hash, std::equal_to<>> mGroups; // by extension
    struct Mapping
    {
        std::string mKey; // a file name or an extension
        std::string mId;
        std::string mSource; // "FILE:LINE"
    };
    std::vector<Mapping> mMappings;
    FileLabels mLabels;

    Index mByUserName;
    Index mByUserExtension;
    Index mByFileName;
    Index mByFileNameFolded;
    Index mByExtension;
    Index mByExtensionCase;
    Index mByInterpreter;
    Index mByModeName;
    std::vector<Glob> mByGlob;
    std::vector<const Language*> mByFirstLine;
};

} // namespace Vn
