#include "cli/ScanJsonReader.h"

#include "engine/counters/Counter_Count.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>
#include <vector>

namespace VarnikCli
{
namespace
{

using Json = nlohmann::json;

// Counters nest a few levels at most, so they may recurse.
void ReadCounters(const Json& counters, Vn::Counter_List& list)
{
    for (const Json& counter : counters)
    {
        if (counter.at("type") != "Count")
            continue;
        auto count = std::make_unique<Vn::Counter_Count>(
            counter.at("name").get_ref<const std::string&>().c_str(),
            counter.at("count").get<uint64_t>());
        ReadCounters(counter.at("counters"), count->mCounters);
        list.Append(std::move(count));
    }
}

std::unique_ptr<Vn::Data_Node> ReadNode(const Json& node)
{
    const char* name = node.at("name").get_ref<const std::string&>().c_str();
    std::unique_ptr<Vn::Data_Node> read;
    if (node.at("kind") == "folder")
        read = std::make_unique<Vn::Data_Folder>(name);
    else
        read = std::make_unique<Vn::Data_Node>(name);
    ReadCounters(node.at("counters"), read->mCounters);
    return read;
}

// Folders keep the totals that were written; their children join without a merge.
std::unique_ptr<Vn::Data_Folder> ReadTree(const Json& rootJson)
{
    if (rootJson.at("kind") != "folder")
        throw std::runtime_error("the root is not a folder");
    std::unique_ptr<Vn::Data_Node> root = ReadNode(rootJson);
    std::vector<std::pair<const Json*, Vn::Data_Folder*>> pending = {
        {&rootJson, static_cast<Vn::Data_Folder*>(root.get())}};
    while (!pending.empty())
    {
        const auto [json, folder] = pending.back();
        pending.pop_back();
        for (const Json& child : json->at("nodes"))
        {
            folder->mNodes.push_back(ReadNode(child));
            if (auto* sub = dynamic_cast<Vn::Data_Folder*>(folder->mNodes.back().get()))
                pending.emplace_back(&child, sub);
        }
    }
    return std::unique_ptr<Vn::Data_Folder>(static_cast<Vn::Data_Folder*>(root.release()));
}

} // namespace

std::unique_ptr<Vn::Data_Folder> ReadScanJson(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    try
    {
        return ReadTree(Json::parse(file).at("root"));
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error(path + ": not a scan written by scan --json (" + error.what() +
                                 ")");
    }
}

} // namespace VarnikCli
