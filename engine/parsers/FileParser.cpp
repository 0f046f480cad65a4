#include "engine/parsers/FileParser.h"

namespace Vn
{

FileParser::FileParser() = default;

FileParser::~FileParser() = default;

std::unique_ptr<Data_Node> FileParser::Parse(const char* fileName, const char* type,
                                             ReadingContext& /*context*/) const
{
    return CreateFileNode(fileName, type);
}

std::unique_ptr<SearchResult_File> FileParser::Search(const char* /*fileName*/,
                                                      const SearchRequest& /*request*/,
                                                      ReadingContext& /*context*/) const
{
    return nullptr;
}

bool FileParser::CanSearch() const
{
    return false;
}

std::unique_ptr<Data_Node> FileParser::CreateFileNode(const char* fileName, const char* type)
{
    auto node = std::make_unique<Data_Node>(fileName);
    node->mCounts.Start(type);
    return node;
}

} // namespace Vn
