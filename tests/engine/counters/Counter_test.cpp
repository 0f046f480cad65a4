#include "TreeText.h"
#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/counters/Counter_Names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using VarnikTest::AddCounters;
using VarnikTest::Describe;
using VarnikTest::DescribeCounters;
using Vn::Counter_Count;
using Vn::Counter_Histogram;

namespace
{

struct MergeRow
{
    std::string mTarget;
    std::vector<std::string> mSources; // merged into the target one after the other
    std::string mExpected;
};

// "N<first>=<count>, ..., N<last>=<count>"
std::string Names(int first, int last, int count)
{
    std::string text;
    for (int i = first; i <= last; i++)
        text += (i > first ? ", N" : "N") + std::to_string(i) + "=" + std::to_string(count);
    return text;
}

// Folder totals are merges: counters keep the order of their first appearance, at every
// level, and a counter is matched by class and exact name.
TEST(Counter, MergesIntoTheCounterOfTheSameClassAndName)
{
    const std::string file = "File=1[cpp=1], Line=3[Blank=1, Code=2], File Length~3x1";
    std::vector<MergeRow> rows = {
        {"", {file}, file},
        {file, {""}, file},
        {"", {file, file}, "File=2[cpp=2], Line=6[Blank=2, Code=4], File Length~3x2"},
        {"File=1[txt=1], Line=2[Code=2]",
         {"Parsing Error=1, " + file},
         "File=2[txt=1, cpp=1], Line=5[Code=4, Blank=1], Parsing Error=1, File Length~3x1"},
        {"", {"X=2, X=3"}, "X=5"},
        {"", {"Code=1, code=2, Code~1x1", "Code=1, code=2, Code~1x1"}, "Code=2, code=4, Code~1x2"},
        {"Len~7x1", {"Len~3x1 7x2"}, "Len~3x1 7x3"},
        // Counts, histogram values and occurrences go past 32 bits without wrapping.
        {"Line=4294967295[Code=4294967295]",
         {"Line=2[Code=2]", "Line=4294967296[Blank=4294967296]"},
         "Line=8589934593[Code=4294967297, Blank=4294967296]"},
        {"Len~4294967296x4294967295", {"Len~4294967296x2 7x1"}, "Len~7x1 4294967296x4294967297"},
        // A list that outgrows a linear search gets an index; with a duplicate appended
        // by hand after that, a merge still finds the first of the two.
        {Names(0, 19, 1) + ", N7=9",
         {Names(0, 24, 1)},
         Names(0, 19, 2) + ", N7=9, " + Names(20, 24, 1)},
    };
    for (const MergeRow& row : rows)
    {
        SCOPED_TRACE(row.mTarget + " + " + testing::PrintToString(row.mSources));
        Vn::Counter_List target;
        AddCounters(target, row.mTarget);
        for (const std::string& text : row.mSources)
        {
            Vn::Counter_List source;
            AddCounters(source, text);
            target.Add(source);
        }
        EXPECT_EQ(Describe(target), DescribeCounters(row.mExpected));
    }
}

TEST(Counter, LinesAsTheCounterViewShowsThem)
{
    struct Row
    {
        std::string mName;
        uint64_t mCount;
        std::optional<uint64_t> mParent;
        std::string mLine;
    };
    const std::string longName(5000, 'N'); // beyond any fixed buffer: no text is cut
    const Row rows[] = {
        {"cpp", 3, 12, "25.0% cpp (3)"},
        {"cpp", 1, 3, "33.3% cpp (1)"},
        {"cpp", 2, 3, "66.7% cpp (2)"},
        {"cpp", 0, 5, "0.0% cpp (0)"},
        {"cpp", 5, 2, "250.0% cpp (5)"},
        {"cpp", 3, 0, "cpp = 3"},
        {"Line", 6'000'000'000, 12'000'000'000, "50.0% Line (6000000000)"},
        {"#if", 0, {}, "#if = 0"},
        {longName, 1, {}, longName + " = 1"},
        {longName, 1, 2, "50.0% " + longName + " (1)"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.mLine);
        const Counter_Count count(row.mName.c_str(), row.mCount);
        EXPECT_EQ(row.mParent ? count.GetInfo_Relative(Counter_Count("File", *row.mParent))
                              : count.GetInfo(),
                  row.mLine);
    }
    const Counter_Histogram histogram("File Length", "lines", "files");
    EXPECT_EQ(histogram.GetInfo_Relative(Counter_Count("File", 3)), "File Length (Histogram)");
    EXPECT_EQ(Counter_Count("File", 12).GetInfo_Relative(histogram), "File = 12");
}

// The chart asks for the number of values in ranges that include both ends.
TEST(Counter, HistogramRangesIncludeBothEnds)
{
    Counter_Histogram histogram("File Length", "lines", "files");
    histogram.AddValue(42, 1);
    EXPECT_EQ(histogram.GetXMin(), 42u);
    EXPECT_EQ(histogram.GetXMax(), 42u);
    for (uint32_t value : {0u, 5u, 5u, 9u})
        histogram.AddValue(value, 1);
    const std::tuple<uint32_t, uint32_t, uint32_t> rows[] = {
        {5, 5, 2}, {0, 9, 4}, {6, 41, 1}, {43, 100, 0}, {9, 5, 0}, {0, 0xFFFFFFFFu, 5},
    };
    for (const auto& [lowest, highest, count] : rows)
    {
        SCOPED_TRACE(std::to_string(lowest) + ".." + std::to_string(highest));
        EXPECT_EQ(histogram.GetCount(lowest, highest), count);
    }
    EXPECT_EQ(histogram.GetCount(), 5u);
    EXPECT_EQ(histogram.GetXMin(), 0u);
    EXPECT_EQ(histogram.GetXMax(), 42u);
}

} // namespace

// A name is stored once however many the store holds, and ends at its first NUL.
TEST(Counter, NamesAreStoredOnce)
{
    std::vector<const char*> stored;
    for (int i = 0; i < 50000; i++)
        stored.push_back(Vn::Counter_Names::Intern("tested_" + std::to_string(i)));
    for (int i = 0; i < 50000; i++)
    {
        const std::string name = "tested_" + std::to_string(i);
        ASSERT_EQ(Vn::Counter_Names::Intern(name), stored[i]);
        ASSERT_EQ(name, stored[i]);
    }
    EXPECT_EQ(Vn::Counter_Names::Intern(std::string_view("tested_1\0x", 10)), stored[1]);
}
