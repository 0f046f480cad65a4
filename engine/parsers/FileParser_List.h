#pragma once

#include "engine/parsers/FileParser.h"
#include "engine/scan/AnalysisOptions.h"

#include <array>
#include <map>
#include <memory>
#include <string>

namespace Vn
{

// The file types offered for search, in the order of their registration.
inline constexpr std::array<const char*, 8> FILE_TYPES = {"c", "cmd", "cpp", "gitignore",
                                                          "h", "hpp", "txt", "sh"};

// Maps a file's type, the text after the last dot of its path, to its parser.
class FileParser_List
{
public:
    FileParser_List();
    virtual ~FileParser_List();

    FileParser_List(const FileParser_List&) = delete;
    FileParser_List& operator=(const FileParser_List&) = delete;

    // Registers every parser that Varnik knows under `options`. Called once, right after
    // construction.
    void CreateParsers(const AnalysisOptions& options = {});
    // A new registry holding every parser that Varnik knows under `options`.
    static std::unique_ptr<FileParser_List> CreateFilled(const AnalysisOptions& options = {});
    void AddParser(const char* type, std::unique_ptr<FileParser> parser);

    // The parser of the path's type, or null. A path without any dot has the type
    // "NoExtension".
    FileParser* GetParser(const char* path) const;
    // The file's node; a type without parser gives "File" = 1 holding "Unknown" = 1.
    std::unique_ptr<Data_Node> Parse(const char* path) const;
    // Null unless the type has a parser, is selected by the request and matches.
    std::unique_ptr<SearchResult_File> Search(const char* path, const SearchRequest& request) const;

    std::map<std::string, std::unique_ptr<FileParser>, std::less<>> mParsers;

private:
    // Registers a new parser of class `Parser` serving `type`.
    template <class Parser> void AddParser(const char* type)
    {
        AddParser(type, std::make_unique<Parser>(type));
    }
};

} // namespace Vn
