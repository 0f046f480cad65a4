#include "engine/counters/Counter_Count.h"
#include "engine/tree/Data_Folder.h"

#include <gtest/gtest.h>

#include <limits>

using Vn::Counter_Count;
using Vn::Data_Folder;
using Vn::Data_Node;

namespace
{

std::unique_ptr<Data_Node> MakeFile(const char* name, const char* type, uint32_t lines)
{
    auto node = std::make_unique<Data_Node>(name);
    auto* file = node->mCounters.Append(std::make_unique<Counter_Count>("File", 1));
    file->mCounters.Append(std::make_unique<Counter_Count>(type, 1));
    node->mCounters.Append(std::make_unique<Counter_Count>("Line", lines));
    return node;
}

uint32_t CountOf(const Data_Node& node, const char* name)
{
    const auto* counter = node.mCounters.Find(Counter_Count::TYPE, name);
    return counter ? dynamic_cast<const Counter_Count&>(*counter).GetCount() : 0;
}

TEST(Data_Node, RelativeNameIsTheLastComponent)
{
    EXPECT_STREQ(Data_Node("src/core").GetName_Relative(), "core");
    EXPECT_STREQ(Data_Node("/home/src").GetName_Relative(), "src");
    EXPECT_STREQ(Data_Node("plain").GetName_Relative(), "plain");
    EXPECT_STREQ(Data_Node("/home/src/").GetName_Relative(), "");
    EXPECT_STREQ(Data_Node("/home/src/").GetName(), "/home/src/");
}

TEST(Data_Folder, GetFileCountsFilesOnly)
{
    Data_Folder folder("root");
    folder.AddNode(std::make_unique<Data_Folder>("sub"));
    folder.AddNode(MakeFile("root/a.cpp", "cpp", 1));
    folder.AddNode(std::make_unique<Data_Folder>("sub2"));
    folder.AddNode(MakeFile("root/b.txt", "txt", 1));

    ASSERT_NE(folder.GetFile(0), nullptr);
    EXPECT_STREQ(folder.GetFile(0)->GetName(), "root/a.cpp");
    EXPECT_STREQ(folder.GetFile(1)->GetName(), "root/b.txt");
    EXPECT_EQ(folder.GetFile(2), nullptr);
    EXPECT_EQ(folder.GetFile(std::numeric_limits<unsigned>::max()), nullptr);

    Data_Folder foldersOnly("root");
    foldersOnly.AddNode(std::make_unique<Data_Folder>("sub"));
    EXPECT_EQ(foldersOnly.GetFile(0), nullptr);
}

TEST(Data_Folder, CountersRollUpThroughTheTree)
{
    auto inner = std::make_unique<Data_Folder>("src/core");
    inner->AddNode(MakeFile("r/src/core/a.cpp", "cpp", 10));
    inner->AddNode(MakeFile("r/src/core/b.cpp", "cpp", 5));
    auto src = std::make_unique<Data_Folder>("src");
    src->AddNode(MakeFile("r/src/n.txt", "txt", 2));
    src->AddNode(std::move(inner));
    Data_Folder root("r");
    root.AddNode(std::move(src));
    root.AddNode(MakeFile("r/c.cpp", "cpp", 1));

    EXPECT_EQ(CountOf(root, "File"), 4u);
    EXPECT_EQ(CountOf(root, "Line"), 18u);
    const auto& file =
        dynamic_cast<const Counter_Count&>(*root.mCounters.Find(Counter_Count::TYPE, "File"));
    std::vector<std::string> children;
    for (const auto& child : file.mCounters)
        children.push_back(child->GetInfo_Relative(file));
    EXPECT_EQ(children, (std::vector<std::string>{"25.0% txt (1)", "75.0% cpp (3)"}));

    // The child keeps its own counters.
    EXPECT_EQ(CountOf(*root.mNodes[0], "Line"), 17u);
    EXPECT_EQ(root.mNodes.size(), 2u);
}

} // namespace
