#include "TreeText.h"
#include "engine/tree/Data_Folder.h"
#include "engine/tree/TreeWalk.h"

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
    auto list = std::make_unique<Vn::Counter_List>();
    AddCounters(*list, counters);
    auto node = std::make_unique<Data_Node>(name);
    node->mCounts.Take(std::move(list));
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
    EXPECT_EQ(VarnikTest::DescribeNode(*root.mNodes[0]),
              DescribeCounters("File=3[txt=1, cpp=2], Line=17"));
}

// Each node is made with the name the walk gives it; once in the tree, it keeps only its
// own component and must still answer with that name.
TEST(Data_Folder, NodesInTheTreeKeepTheirNames)
{
    for (const std::string root : {"r", "/home/r", "/home/r/", "/"})
    {
        SCOPED_TRACE(root);
        const std::vector<std::string> names = {
            root, root + "/b.c", "src", root + "/src/a.h", "src/core", root + "/src/core/x.cpp"};
        auto made = std::make_unique<Data_Folder>(names[4].c_str());
        made->AddNode(std::make_unique<Data_Node>(names[5].c_str()));
        auto above = std::make_unique<Data_Folder>(names[2].c_str());
        above->AddNode(std::make_unique<Data_Node>(names[3].c_str()));
        above->AddNode(std::move(made));
        Data_Folder top(names[0].c_str());
        top.AddNode(std::make_unique<Data_Node>(names[1].c_str()));
        top.AddNode(std::move(above));

        std::vector<std::string> walked;
        Vn::ForEachInTree<Data_Node>(top, [&walked](const Data_Node& node, size_t)
                                     { walked.push_back(node.GetName()); });
        EXPECT_EQ(walked, names);
        const auto& src = static_cast<const Data_Folder&>(*top.mNodes[1]);
        const auto& core = static_cast<const Data_Folder&>(*src.mNodes[1]);
        const Data_Node& x = *core.mNodes[0];
        EXPECT_STREQ(x.GetName_Relative(), "x.cpp");
        EXPECT_EQ(x.GetName_BelowRoot(), "src/core/x.cpp");
        EXPECT_EQ(x.GetParent(), &core);
        EXPECT_EQ(core.GetParent()->GetParent(), &top);
    }
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
