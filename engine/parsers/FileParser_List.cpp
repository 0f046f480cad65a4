#include "engine/parsers/FileParser_List.h"

#include "engine/parsers/FileParser_Cmd.h"
#include "engine/parsers/FileParser_Cpp.h"
#include "engine/parsers/FileParser_Script.h"

#include <cstring>
#include <string_view>

namespace Vn
{

FileParser_List::FileParser_List() = default;

FileParser_List::~FileParser_List() = default;

// The registration order is that of FILE_TYPES for the types that can be searched.
void FileParser_List::CreateParsers([[maybe_unused]] const AnalysisOptions& options)
{
    AddParser<FileParser_Cpp>("c");
    AddParser(FileParser_Cmd::TYPE, std::make_unique<FileParser_Cmd>());
    AddParser<FileParser_Cpp>("cpp");
    AddParser<FileParser>("filters");
    AddParser<FileParser_Script>("gitignore");
    AddParser<FileParser_Cpp>("h");
    AddParser<FileParser_Cpp>("hpp");
    AddParser<FileParser_Text>("txt");
    AddParser<FileParser>("resx");
    AddParser<FileParser_Script>("sh");
    AddParser<FileParser>("sln");
    AddParser<FileParser>("user");
    AddParser<FileParser>("vcxproj");
}

std::unique_ptr<FileParser_List> FileParser_List::CreateFilled(const AnalysisOptions& options)
{
    auto parsers = std::make_unique<FileParser_List>();
    parsers->CreateParsers(options);
    return parsers;
}

void FileParser_List::AddParser(const char* type, std::unique_ptr<FileParser> parser)
{
    mParsers.insert_or_assign(type, std::move(parser));
}

// The type is everything after the last dot of the whole path, folders included.
FileParser* FileParser_List::GetParser(const char* path) const
{
    const char* dot = std::strrchr(path, '.');
    const std::string_view type = dot != nullptr ? dot + 1 : "NoExtension";
    const auto found = mParsers.find(type);
    return found != mParsers.end() ? found->second.get() : nullptr;
}

std::unique_ptr<Data_Node> FileParser_List::Parse(const char* path) const
{
    if (FileParser* parser = GetParser(path))
        return parser->Parse(path);
    return FileParser::CreateFileNode(path, "Unknown");
}

std::unique_ptr<SearchResult_File> FileParser_List::Search(const char* path,
                                                           const SearchRequest& request) const
{
    FileParser* parser = GetParser(path);
    if (parser == nullptr || !request.IsFileTypeSelected(parser->mType))
        return nullptr;
    return parser->Search(path, request);
}

} // namespace Vn
