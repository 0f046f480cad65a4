#include "cli/JsonReport.h"

#include "engine/counters/Counter_Count.h"

#include <gtest/gtest.h>

using Json = nlohmann::ordered_json;

// Scans make counts and histograms only; a plain group has its own shape.
TEST(JsonReport, AGroupHasChildrenButNoCount)
{
    auto file = std::make_unique<Vn::Data_Node>("r/a.txt");
    auto group = std::make_unique<Vn::Counter_Group>("Group");
    group->mCounters.Append(std::make_unique<Vn::Counter_Count>("Inner", 4));
    file->mCounters.Append(std::move(group));
    Vn::Data_Folder root("r");
    root.AddNode(std::move(file));

    EXPECT_EQ(VarnikCli::JsonReport::Scan(root)["root"]["nodes"][0], Json::parse(R"({
        "name": "r/a.txt", "kind": "file", "counters": [{"type": "Group", "name": "Group",
        "counters": [{"type": "Count", "name": "Inner", "count": 4, "counters": []}]}]})"));
}
