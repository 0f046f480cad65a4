#include "cli/TextReport.h"

#include "SampleTrees.h"
#include "engine/counters/Counter_Group.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace VarnikCliTest;

namespace
{

std::string Counters(const Vn::Data_Node& node)
{
    std::ostringstream out;
    VarnikCli::TextReport::WriteCounters(out, node);
    return out.str();
}

std::string Results(const Vn::SearchResult& root)
{
    std::ostringstream out;
    VarnikCli::TextReport::WriteResults(out, root);
    return out.str();
}

} // namespace

TEST(TextReport, CountersOfAFolderShowTotalsAndShares)
{
    EXPECT_EQ(Counters(*ScannedProject()), "proj\n"
                                           "  File = 2\n"
                                           "    100.0% txt (2)\n"
                                           "  Line = 20\n"
                                           "    20.0% Blank (4)\n"
                                           "    80.0% Code (16)\n"
                                           "    0.0% Comment (0)\n"
                                           "  txt = 20\n"
                                           "    20.0% Blank (4)\n"
                                           "    80.0% Code (16)\n"
                                           "    0.0% Comment (0)\n"
                                           "  File Length (Histogram)\n");
}

TEST(TextReport, DeeperCountersIndentFurtherAndGroupsHaveNoShare)
{
    Vn::Data_Node node("/work/proj/a.cpp");
    auto line = Count("Line", 3);
    auto code = Count("Code", 2, {{"Directive", 1}});
    line->mCounters.Append(std::move(code));
    node.mCounters.Append(std::move(line));
    auto group = std::make_unique<Vn::Counter_Group>("Group");
    group->mCounters.Append(Count("Inner", 4));
    node.mCounters.Append(std::move(group));
    node.mCounters.Append(Count("Empty", 0, {{"Child", 3}}));

    EXPECT_EQ(Counters(node), "a.cpp\n"
                              "  Line = 3\n"
                              "    66.7% Code (2)\n"
                              "      50.0% Directive (1)\n"
                              "  Group\n"
                              "    Inner = 4\n"
                              "  Empty = 0\n"
                              "    Child = 3\n");
}

TEST(TextReport, ResultsShowFoldersFilesAndLinesWithoutTheirEnds)
{
    EXPECT_EQ(Results(*SearchedProject()), "proj/ (3)\n"
                                           "  src/ (2)\n"
                                           "    core/ (2)\n"
                                           "      a.cpp (2)\n"
                                           "        Line 3 : int x;\n"
                                           "        Line 7 : x++;\n"
                                           "  b.txt (1)\n"
                                           "    Line 1 : x\n");
}

TEST(TextReport, OnlyTheFinalLineEndIsRemoved)
{
    Vn::SearchResult_File file("/work/a.txt");
    file.AddLine(1, "a\rb\n");
    file.AddLine(2, "\n");
    file.AddLine(3, "c\n\r");
    EXPECT_EQ(Results(file), "a.txt (3)\n"
                             "  Line 1 : a\rb\n"
                             "  Line 2 : \n"
                             "  Line 3 : c\n\r\n");
}
