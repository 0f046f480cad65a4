#include "TreeText.h"
#include "engine/tree/Data_Folder.h"

#include <gtest/gtest.h>

using VarnikTest::AddCounters;
using VarnikTest::Describe;
using VarnikTest::DescribeCounters;
using Vn::Data_Folder;
using Vn::Data_Node;

namespace
{

std::unique_ptr<Data_Node> File(const char* name, const char* counters)
{
    auto node = std::make_unique<Data_Node>(name);
    AddCounters(node->mCounters, counters);
    return node;
}

TEST(Data_Folder, HoldsTheTotalsOfItsSubtree)
{
    auto core = std::make_unique<Data_Folder>("src/core");
    core->AddNode(File("r/src/core/a.cpp", "File=1[cpp=1], Line=10"));
    core->AddNode(File("r/src/core/b.cpp", "File=1[cpp=1], Line=5"));
    auto src = std::make_unique<Data_Folder>("src");
    src->AddNode(File("r/src/n.txt", "File=1[txt=1], Line=2"));
    src->AddNode(std::move(core));
    Data_Folder root("r");
    root.AddNode(std::move(src));
    root.AddNode(File("r/c.cpp", "File=1[cpp=1], Line=1, Parsing Error=1"));

    EXPECT_EQ(Describe(root.mCounters),
              DescribeCounters("File=4[txt=1, cpp=3], Line=18, Parsing Error=1"));
    EXPECT_EQ(Describe(root.mNodes[0]->mCounters),
              DescribeCounters("File=3[txt=1, cpp=2], Line=17"));
}

TEST(Data_Node, RelativeNameIsTheLastComponent)
{
    const std::pair<const char*, const char*> rows[] = {
        {"src/core", "core"}, {"/home/src", "src"}, {"plain", "plain"}, {"/home/src/", ""}};
    for (const auto& [name, relative] : rows)
    {
        SCOPED_TRACE(name);
        EXPECT_STREQ(Data_Node(name).GetName_Relative(), relative);
    }
}

} // namespace
