#include "cli/JsonReport.h"

#include "cli/Utf8.h"
#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/search/SearchResult_File.h"

namespace VarnikCli::JsonReport
{
namespace
{

using Json = nlohmann::ordered_json;

Json Counters(const Vn::Counter_List& counters);

Json Counter(const Vn::Counter& counter)
{
    Json json = {{"type", counter.GetType()}, {"name", ToValidUtf8(counter.GetName())}};
    if (const auto* count = dynamic_cast<const Vn::Counter_Count*>(&counter))
    {
        json["count"] = count->GetCount();
    }
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
    {
        json["counters"] = Counters(group->mCounters);
    }
    else if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
    {
        json["unitX"] = ToValidUtf8(histogram->GetUnitX());
        json["unitY"] = ToValidUtf8(histogram->GetUnitY());
        Json values = Json::array();
        for (const auto& [value, occurrences] : histogram->GetValues())
        {
            values.push_back({value, occurrences});
        }
        json["values"] = std::move(values);
    }
    return json;
}

Json Counters(const Vn::Counter_List& counters)
{
    Json json = Json::array();
    for (const auto& counter : counters)
    {
        json.push_back(Counter(*counter));
    }
    return json;
}

Json Node(const Vn::Data_Node& node)
{
    const auto* folder = dynamic_cast<const Vn::Data_Folder*>(&node);
    Json json = {{"name", ToValidUtf8(node.GetName())},
                 {"kind", folder ? "folder" : "file"},
                 {"counters", Counters(node.mCounters)}};
    if (folder)
    {
        Json nodes = Json::array();
        for (const auto& child : folder->mNodes)
        {
            nodes.push_back(Node(*child));
        }
        json["nodes"] = std::move(nodes);
    }
    return json;
}

Json Lines(const Vn::SearchResult_File& file)
{
    Json lines = Json::array();
    for (const auto& line : file.mLines)
    {
        lines.push_back({{"line", line.mLine}, {"text", ToValidUtf8(line.mText)}});
    }
    return lines;
}

Json Result(const Vn::SearchResult& result)
{
    const auto* folder = dynamic_cast<const Vn::SearchResult_Folder*>(&result);
    Json json = {{"name", ToValidUtf8(result.GetName())},
                 {"kind", folder ? "folder" : "file"},
                 {"count", result.GetCount()}};
    if (folder)
    {
        Json results = Json::array();
        for (const auto& child : folder->mResults)
        {
            results.push_back(Result(*child));
        }
        json["results"] = std::move(results);
    }
    else if (const auto* file = dynamic_cast<const Vn::SearchResult_File*>(&result))
    {
        json["lines"] = Lines(*file);
    }
    return json;
}

} // namespace

Json Scan(const Vn::Data_Folder& root)
{
    return {{"root", Node(root)}};
}

Json Search(const Vn::SearchResult_Folder* root)
{
    return {{"root", root ? Result(*root) : Json(nullptr)}};
}

} // namespace VarnikCli::JsonReport
