#pragma once

#include "engine/languages/LanguageTable.h"
#include "engine/options/AnalysisOptions.h"
#include "engine/parsers/FileParser.h"
#include "engine/parsers/FileParser_Language.h"
#include "engine/parsers/LineReader.h"
#include "engine/parsers/ReadingContext.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Vn
{

// What reads the files of a type.
enum class ParserKind : uint8_t
{
    COUNT,  // nothing: the files are only counted
    TEXT,   // plain text
    SCRIPT, // "#" comment lines
    CMD,    // "rem" comment lines
    CPP,    // C and C++
};
inline constexpr size_t KIND_COUNT = static_cast<size_t>(ParserKind::CPP) + 1;

// A file type and what reads its files.
struct Registration
{
    const char* mType;
    ParserKind mKind;
};

// The types that every registry serves, in the order of their registration.
inline constexpr Registration CLASSIC_TYPES[] = {
    {"c", ParserKind::CPP},         {"cmd", ParserKind::CMD},          {"cpp", ParserKind::CPP},
    {"filters", ParserKind::COUNT}, {"gitignore", ParserKind::SCRIPT}, {"h", ParserKind::CPP},
    {"hpp", ParserKind::CPP},       {"txt", ParserKind::TEXT},         {"resx", ParserKind::COUNT},
    {"sh", ParserKind::SCRIPT},     {"sln", ParserKind::COUNT},        {"user", ParserKind::COUNT},
    {"vcxproj", ParserKind::COUNT},
};

// The usual extensions besides the classic ones, registered after them on request.
inline constexpr Registration COMMON_TYPES[] = {
    {"cc", ParserKind::CPP},       {"cxx", ParserKind::CPP},     {"c++", ParserKind::CPP},
    {"hh", ParserKind::CPP},       {"hxx", ParserKind::CPP},     {"h++", ParserKind::CPP},
    {"inl", ParserKind::CPP},      {"ipp", ParserKind::CPP},     {"tcc", ParserKind::CPP},
    {"tpp", ParserKind::CPP},      {"ixx", ParserKind::CPP},     {"C", ParserKind::CPP},
    {"H", ParserKind::CPP},        {"bash", ParserKind::SCRIPT}, {"zsh", ParserKind::SCRIPT},
    {"py", ParserKind::SCRIPT},    {"pl", ParserKind::SCRIPT},   {"rb", ParserKind::SCRIPT},
    {"cmake", ParserKind::SCRIPT}, {"yml", ParserKind::SCRIPT},  {"yaml", ParserKind::SCRIPT},
    {"toml", ParserKind::SCRIPT},  {"bat", ParserKind::CMD},     {"md", ParserKind::TEXT},
    {"rst", ParserKind::TEXT},
};

// With the common types, files without an extension whose first line marks them as C++
// (an editor's mode line, "-*- C++ -*-", as the C++ standard library's headers have) or
// as a script ("#!") get these types, registered after the common ones. Like any type,
// they also serve the files named with them as extension.
inline constexpr char TYPE_FIRSTLINE_CPP[] = "C++";
inline constexpr char TYPE_FIRSTLINE_SCRIPT[] = "script";
inline constexpr Registration FIRSTLINE_TYPES[] = {
    {TYPE_FIRSTLINE_CPP, ParserKind::CPP},
    {TYPE_FIRSTLINE_SCRIPT, ParserKind::SCRIPT},
};

consteval size_t CountSearchable(std::span<const Registration> table)
{
    size_t count = 0;
    for (const Registration& registration : table)
        count += registration.mKind != ParserKind::COUNT ? 1 : 0;
    return count;
}

// The types of `table` whose files can be searched, in table order.
template <size_t N>
consteval std::array<const char*, N> SearchableTypes(std::span<const Registration> table)
{
    std::array<const char*, N> types{};
    size_t count = 0;
    for (const Registration& registration : table)
    {
        if (registration.mKind != ParserKind::COUNT)
            types[count++] = registration.mType;
    }
    return types;
}

// The classic types offered for search; a registry's GetSearchTypes gives its own.
inline constexpr auto FILE_TYPES = SearchableTypes<CountSearchable(CLASSIC_TYPES)>(CLASSIC_TYPES);

// The registry: maps a file's type, the text after the last dot of its path, to the
// compiled parser of its kind. With the common types it is the text after the last dot of
// the file's name, and a name without a dot may get its type from the file's first line.
//
// Each kind of parser is compiled once, and the types of that kind point at it, so a
// count-as type costs a name. Once filled, the registry and its parsers never change:
// every worker reads them at once, each with a ReadingContext of its own.
class FileParser_List
{
public:
    FileParser_List();
    virtual ~FileParser_List();

    FileParser_List(const FileParser_List&) = delete;
    FileParser_List& operator=(const FileParser_List&) = delete;

    // Registers every parser that Varnik knows under `options`: the classic types, then
    // the common types when asked, then each count-as type, which takes the place of a
    // type of the same name. Called once, right after construction. Throws
    // std::invalid_argument when a count-as type names a type that has no parser.
    void CreateParsers(const AnalysisOptions& options = {});
    // A new registry holding every parser that Varnik knows under `options`.
    static std::unique_ptr<FileParser_List> CreateFilled(const AnalysisOptions& options = {});
    // Registers the parser under `type`. A second parser of a type keeps the place of the
    // first in the order of registration.
    void AddParser(const char* type, std::unique_ptr<FileParser> parser);

    // The registered types whose parser can search, in the order of their registration;
    // with the language table, the names of its languages. The names live as long as the
    // registry.
    std::vector<const char*> GetSearchTypes() const;
    // The language table that reads every file, or null under the classic types.
    const LanguageTable* GetLanguages() const { return mLanguages.get(); }

    // The parser of the path's type, or null. A path without any dot has the type
    // "NoExtension".
    const FileParser* GetParser(const char* path) const;
    // The file's node; a type without parser gives "File" = 1 holding "Unknown" = 1.
    // `hints` serve the language table, which labels files.
    std::unique_ptr<Data_Node> Parse(const char* path, ReadingContext& context,
                                     const LabelHints& hints = {}) const;
    // Null unless the type has a parser, is selected by the request and matches; its lines
    // come packed. The context tells whether the search passed over a binary file, which the
    // language table never searches.
    std::unique_ptr<SearchResult_File> Search(const char* path, const SearchRequest& request,
                                              ReadingContext& context,
                                              const LabelHints& hints = {}) const;

    // The parser of each type; several types may share one. Filled through AddParser
    // only, which keeps the order of registration beside it.
    std::map<std::string, const FileParser*, std::less<>> mParsers;

private:
    // A registered type and its parser.
    struct Entry
    {
        const char* mType = nullptr;
        const FileParser* mParser = nullptr;
    };

    void AddParsers(std::span<const Registration> table, bool modernCpp);
    // Registers the parser, owned by the registry, under another type.
    void AddType(const char* type, const FileParser& parser);
    void AddCountAs(const AnalysisOptions::CountAs& countAs);
    // The parser of the kind, compiled at its first use.
    const FileParser& ParserOfKind(ParserKind kind, bool modernCpp);
    // A copy of `name` that lives as long as the registry.
    const char* KeepName(std::string_view name);
    Entry Find(std::string_view type) const;
    // The entry of the path's type; `reader` reads the first line of a name without a dot.
    Entry Find(const char* path, LineReader& reader) const;
    Entry Find_ByFileName(const char* path, LineReader& reader) const;

    std::shared_ptr<const LanguageTable> mLanguages;
    std::unique_ptr<FileParser_Language> mLanguageParser; // reads every file when there is a table
    std::vector<std::unique_ptr<FileParser>> mOwned;      // the parsers, each compiled once
    std::array<const FileParser*, KIND_COUNT> mKinds{};   // the parser of each kind, once made
    std::vector<const char*> mOrder; // the keys of mParsers, in the order of registration
    std::deque<std::string> mNames;  // the names kept, which never move
    // The type comes from the file's name, and a name without a dot may be recognised by
    // the file's first line; set with the common types.
    bool mByFileName = false;
};

} // namespace Vn
