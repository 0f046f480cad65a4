#include "cli/JsonReport.h"

#include "SampleTrees.h"
#include "engine/counters/Counter_Group.h"

#include <gtest/gtest.h>

using namespace VarnikCliTest;
using Json = nlohmann::ordered_json;

TEST(JsonReport, ScanHoldsEveryNodeWithItsCountersInOrder)
{
    auto root = ScannedProject();
    const Json scan = VarnikCli::JsonReport::Scan(*root);

    const Json& json = scan.at("root");
    EXPECT_EQ(json.at("name"), "/work/proj");
    EXPECT_EQ(json.at("kind"), "folder");
    ASSERT_EQ(json.at("nodes").size(), 2u);
    EXPECT_EQ(json["nodes"][0], Json::parse(R"({
        "name": "/work/proj/b.txt", "kind": "file", "counters": [
            {"type": "Count", "name": "File", "count": 1, "counters": [
                {"type": "Count", "name": "txt", "count": 1, "counters": []}]},
            {"type": "Count", "name": "Line", "count": 10, "counters": [
                {"type": "Count", "name": "Blank", "count": 2, "counters": []},
                {"type": "Count", "name": "Code", "count": 8, "counters": []},
                {"type": "Count", "name": "Comment", "count": 0, "counters": []}]},
            {"type": "Count", "name": "txt", "count": 10, "counters": [
                {"type": "Count", "name": "Blank", "count": 2, "counters": []},
                {"type": "Count", "name": "Code", "count": 8, "counters": []},
                {"type": "Count", "name": "Comment", "count": 0, "counters": []}]},
            {"type": "Histogram", "name": "File Length", "unitX": "lines", "unitY": "files",
             "values": [[10, 1]]}]})"));
    const Json& src = json["nodes"][1];
    EXPECT_EQ(src.at("name"), "src");
    EXPECT_EQ(src.at("kind"), "folder");
    EXPECT_EQ(src.at("nodes")[0].at("name"), "/work/proj/src/a.txt");
    EXPECT_FALSE(src.at("nodes")[0].contains("nodes"));
    EXPECT_EQ(json.at("counters")[0].at("count"), 2);
}

TEST(JsonReport, HistogramValuesAscendAndGroupsCarryNoCount)
{
    auto node = std::make_unique<Vn::Data_Node>("r/a.txt");
    auto length = std::make_unique<Vn::Counter_Histogram>("File Length", "lines", "files");
    length->AddValue(40, 2);
    length->AddValue(3, 1);
    length->AddValue(7, 5);
    node->mCounters.Append(std::move(length));
    auto group = std::make_unique<Vn::Counter_Group>("Group");
    group->mCounters.Append(Count("Inner", 4));
    node->mCounters.Append(std::move(group));
    Vn::Data_Folder root("r");
    root.AddNode(std::move(node));

    EXPECT_EQ(VarnikCli::JsonReport::Scan(root)["root"]["nodes"][0]["counters"], Json::parse(R"([
        {"type": "Histogram", "name": "File Length", "unitX": "lines", "unitY": "files",
         "values": [[3, 1], [7, 5], [40, 2]]},
        {"type": "Group", "name": "Group", "counters": [
            {"type": "Count", "name": "Inner", "count": 4, "counters": []}]}])"));
}

TEST(JsonReport, SearchHoldsResultsAndLinesAsRead)
{
    EXPECT_EQ(VarnikCli::JsonReport::Search(SearchedProject().get()), Json::parse(R"({"root": {
        "name": "/work/proj", "kind": "folder", "count": 3, "results": [
            {"name": "src", "kind": "folder", "count": 2, "results": [
                {"name": "src/core", "kind": "folder", "count": 2, "results": [
                    {"name": "/work/proj/src/core/a.cpp", "kind": "file", "count": 2, "lines": [
                        {"line": 3, "text": "int x;\r\n"},
                        {"line": 7, "text": "x++;"}]}]}]},
            {"name": "/work/proj/b.txt", "kind": "file", "count": 1, "lines": [
                {"line": 1, "text": "x\n"}]}]}})"));
}

TEST(JsonReport, NoResultIsANullRoot)
{
    EXPECT_EQ(VarnikCli::JsonReport::Search(nullptr).dump(), R"({"root":null})");
}

TEST(JsonReport, BytesOutsideUtf8BecomeReplacementCharacters)
{
    Vn::SearchResult_Folder root("/work/caf\xE9");
    auto file = std::make_unique<Vn::SearchResult_File>("/work/caf\xE9/\xC3\xA9t\xE9.txt");
    file->AddLine(1, "a\xFF\x62\n");
    root.AddResult(std::move(file));

    // The default dump throws on invalid UTF-8, so this also proves the output valid.
    const Json json = Json::parse(VarnikCli::JsonReport::Search(&root).dump());
    EXPECT_EQ(json["root"]["name"], "/work/caf\xEF\xBF\xBD");
    EXPECT_EQ(json["root"]["results"][0]["name"],
              "/work/caf\xEF\xBF\xBD/\xC3\xA9t\xEF\xBF\xBD.txt");
    EXPECT_EQ(json["root"]["results"][0]["lines"][0]["text"], "a\xEF\xBF\xBD\x62\n");
}
