#include "cli/JsonReport.h"

#include "cli/JsonWriter.h"
#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/search/SearchResult_File.h"
#include "engine/tree/NodeCounters.h"
#include "engine/tree/TreeWalk.h"

namespace VarnikCli::JsonReport
{
namespace
{

// Counters nest a few levels at most, so they may recurse.
void WriteCounters(JsonWriter& json, const Vn::Counter_List& counters);

void WriteCounter(JsonWriter& json, const Vn::Counter& counter)
{
    json.StartObject();
    json.Key("type");
    json.String(counter.GetType());
    json.Name("name", "nameHex", counter.GetName());
    if (const auto* count = dynamic_cast<const Vn::Counter_Count*>(&counter))
    {
        json.Key("count");
        json.Uint64(count->GetCount());
    }
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
    {
        json.Key("counters");
        WriteCounters(json, group->mCounters);
    }
    else if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
    {
        json.Key("unitX");
        json.String(histogram->GetUnitX());
        json.Key("unitY");
        json.String(histogram->GetUnitY());
        json.Key("values");
        json.StartArray();
        for (const auto& [value, occurrences] : histogram->GetValues())
        {
            json.StartArray();
            json.Uint64(value);
            json.Uint64(occurrences);
            json.EndArray();
        }
        json.EndArray();
    }
    json.EndObject();
}

void WriteCounters(JsonWriter& json, const Vn::Counter_List& counters)
{
    json.StartArray();
    for (const auto& counter : counters)
        WriteCounter(json, *counter);
    json.EndArray();
}

void WriteLines(JsonWriter& json, const Vn::SearchResult_File& file)
{
    json.Key("lines");
    json.StartArray();
    const Vn::SearchHits hits = file.GetHits();
    for (size_t index = 0; index < hits.GetLineCount(); index++)
    {
        json.StartObject();
        json.Key("line");
        json.Uint64(hits.GetLineNumber(index));
        json.Key("text");
        json.String(hits.GetLineText(index));
        json.EndObject();
    }
    json.EndArray();
}

// Opens the object of a result with its name and kind; a folder's array of children,
// opened last, is closed by EndEntry.
void StartEntry(JsonWriter& json, const std::string& name, bool isFolder)
{
    json.StartObject();
    json.Key("name");
    json.String(name);
    json.Key("kind");
    json.String(isFolder ? "folder" : "file");
}

void EndEntry(JsonWriter& json, bool isFolder)
{
    if (isFolder)
        json.EndArray();
    json.EndObject();
}

} // namespace

ScanWriter::ScanWriter(std::ostream& out, const ScanHeader& header) : mJson(out)
{
    mJson.StartObject();
    mJson.Key("header");
    header.Write(mJson);
    mJson.Key("root");
}

void ScanWriter::Node(std::string_view name, bool isFolder, const Vn::Counter_List& counters)
{
    mJson.StartObject();
    mJson.Name("name", "nameHex", name);
    mJson.Key("kind");
    mJson.String(isFolder ? "folder" : "file");
    mJson.Key("counters");
    WriteCounters(mJson, counters);
    if (!isFolder)
    {
        mJson.EndObject();
        return;
    }
    mJson.Key("nodes");
    mJson.StartArray();
}

void ScanWriter::EndFolder()
{
    EndEntry(mJson, true);
}

void ScanWriter::Finish()
{
    mJson.EndObject();
    mJson.Finish();
}

void WriteScan(std::ostream& out, const Vn::Data_Folder& root, const ScanHeader& header)
{
    ScanWriter writer(out, header);
    Vn::WalkTree<Vn::Data_Node>(
        root,
        [&writer](const Vn::Data_Node& node, size_t)
        { writer.Node(node.GetName(), node.IsFolder(), Vn::NodeCounters(node).Get()); },
        [&writer](const Vn::Data_Node& node, size_t)
        {
            if (node.IsFolder())
                writer.EndFolder();
        });
    writer.Finish();
}

void WriteSearch(std::ostream& out, const Vn::SearchResult_Folder* root)
{
    JsonWriter json(out);
    json.StartObject();
    json.Key("root");
    if (root == nullptr)
        json.Null();
    else
        Vn::WalkTree<Vn::SearchResult>(
            *root,
            [&json](const Vn::SearchResult& result, size_t)
            {
                const bool isFolder = result.IsFolder();
                StartEntry(json, result.GetName(), isFolder);
                json.Key("count");
                json.Uint64(result.GetCount());
                if (isFolder)
                {
                    json.Key("results");
                    json.StartArray();
                }
                else
                    WriteLines(json, static_cast<const Vn::SearchResult_File&>(result));
            },
            [&json](const Vn::SearchResult& result, size_t) { EndEntry(json, result.IsFolder()); });
    json.EndObject();
    json.Finish();
}

} // namespace VarnikCli::JsonReport
