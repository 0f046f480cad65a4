#include "../parsers/ParserTest.h"
#include "engine/tree/CounterSchema.h"
#include "engine/tree/Data_Folder.h"
#include "engine/tree/NodeCounters.h"

#include <gtest/gtest.h>

using VarnikTest::Describe;
using VarnikTest::DescribeNode;
using VarnikTest::ParserTest;

// A file keeps its counters in fields and builds their tree on demand. What a report reads
// must not tell the two apart: the tree read back from a scan file, and a folder's totals,
// are those of the tree built.
namespace
{

using Files = std::vector<std::unique_ptr<Vn::Data_Node>>;

// A file of each shape that the parsers make.
Files ParseAllShapes(ParserTest& test)
{
    const std::pair<const char*, const char*> files[] = {
        {"a.cpp", "#if A && B\nint a;\n#elif defined(A)\n#endif\n\n// x\n"},
        {"b.c", "int b;\n/* unclosed"},
        {"c.cpp", "char* s = \"open\nint c;\n/* and unclosed"},
        {"d.h", ""},
        {"n.txt", "x\n\n  \n"},
        {"README", "plain\n"},
    };
    Files nodes;
    for (const auto& [name, content] : files)
        nodes.push_back(test.Parse(name, content));
    nodes.push_back(test.mParsers.Parse(test.mTree.Path("gone.txt").c_str(), test.mContext));
    return nodes;
}

// A file whose type bears the name of a counter beside it, which a merge adds into the
// first of the two.
std::unique_ptr<Vn::Data_Node> LineTyped()
{
    auto node = std::make_unique<Vn::Data_Node>("Line.line");
    node->mCounts.Start(Vn::Schema::NAME_LINE);
    node->mCounts.StartReading(false);
    node->mCounts.mLines = node->mCounts.mCode = 2;
    node->mCounts.EndReading();
    return node;
}

std::unique_ptr<Vn::Counter_List> CopyOf(const Vn::Counter_List& list)
{
    auto copy = std::make_unique<Vn::Counter_List>();
    copy->Add(list);
    return copy;
}

TEST(FileCounts, TreeReadBackIsKeptInFieldsAndBuiltAlike)
{
    ParserTest test;
    for (const auto& node : ParseAllShapes(test))
    {
        SCOPED_TRACE(node->GetName());
        Vn::Data_Node read("read");
        read.mCounts.Take(CopyOf(Vn::NodeCounters(*node).Get()));
        EXPECT_EQ(read.mCounts.GetWhole(), nullptr);
        EXPECT_EQ(DescribeNode(read), DescribeNode(*node));
        const auto totals = Vn::Schema::TotalsOf(read);
        const auto fromTree = Vn::Schema::TotalsOf(Vn::NodeCounters(read).Get());
        EXPECT_EQ(
            std::tie(totals.mFiles, totals.mLines, totals.mCode, totals.mDirective, totals.mErrors),
            std::tie(fromTree.mFiles, fromTree.mLines, fromTree.mCode, fromTree.mDirective,
                     fromTree.mErrors));
    }
}

// The merge of the fields is checked against the merge of the lists they build.
TEST(FileCounts, FolderTotalsAreTheMergeOfTheTrees)
{
    ParserTest test;
    Vn::Counter_List expected;
    Vn::Data_Folder folder("root");
    for (int round = 0; round < 2; round++)
    {
        Files files = ParseAllShapes(test);
        files.push_back(LineTyped());
        for (auto& node : files)
        {
            expected.Add(Vn::NodeCounters(*node).Get());
            folder.AddNode(std::move(node));
        }
    }
    EXPECT_EQ(Describe(folder.mCounters), Describe(expected));
}

TEST(FileCounts, TreeOfAShapeOfItsOwnIsKeptWhole)
{
    for (const char* text : {"File=1[cpp=1], Line=10", "File=1[c=1, h=1]", "Line=3",
                             "File=1[txt=1], Parsing Error=1[File Open Error=2]"})
    {
        SCOPED_TRACE(text);
        auto list = std::make_unique<Vn::Counter_List>();
        VarnikTest::AddCounters(*list, text);
        auto read = std::make_unique<Vn::Data_Node>("read");
        read->mCounts.Take(std::move(list));
        EXPECT_NE(read->mCounts.GetWhole(), nullptr);
        EXPECT_EQ(DescribeNode(*read), VarnikTest::DescribeCounters(text));
        Vn::Data_Folder folder("root");
        folder.AddNode(std::move(read));
        EXPECT_EQ(Describe(folder.mCounters), VarnikTest::DescribeCounters(text));
    }
}

// Past the names that a linear search finds, an index takes over for the rest of the file.
TEST(FileCounts, NamesAreCountedOnceInTheOrderOfTheirFirstTest)
{
    std::string content, repeated, expected;
    for (int name = 0; name < 40; name++)
    {
        const std::string text = "N" + std::to_string(name);
        content += "#if " + text + "\n#endif\n";
        repeated = "#ifdef " + text + "\n" + repeated;
        expected += (expected.empty() ? "" : ", ") + text + "=3";
    }
    ParserTest test;
    const std::string tree = DescribeNode(*test.Parse("many.h", content + repeated + content));
    const size_t begin = tree.find("#if = ");
    EXPECT_EQ(tree.substr(begin, tree.find("File Length") - begin),
              VarnikTest::DescribeCounters("#if=120[" + expected + "]"));
}

} // namespace
