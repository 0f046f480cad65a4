#include "engine/parsers/FileParser.h"

#include "engine/counters/Counter_Count.h"
#include "engine/tree/CounterSchema.h"

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
    auto file = std::make_unique<Counter_Count>(Schema::NAME_FILE, 1);
    file->mCounters.Append(std::make_unique<Counter_Count>(type, 1));
    node->mCounters.Append(std::move(file));
    return node;
}

} // namespace Vn
