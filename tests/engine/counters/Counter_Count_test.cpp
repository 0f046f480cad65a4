#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"

#include <gtest/gtest.h>

#include <typeinfo>

using Vn::Counter_Count;

namespace
{

struct ShareRow
{
    uint32_t mOwn;
    uint32_t mParent;
    const char* mLine;
};

class Counter_CountShare : public testing::TestWithParam<ShareRow>
{
};

TEST_P(Counter_CountShare, RelativeLine)
{
    const ShareRow& row = GetParam();
    const Counter_Count parent("File", row.mParent);
    const Counter_Count child("cpp", row.mOwn);
    EXPECT_EQ(child.GetInfo_Relative(parent), row.mLine);
}

INSTANTIATE_TEST_SUITE_P(
    Shares, Counter_CountShare,
    testing::Values(ShareRow{3, 12, "25.0% cpp (3)"}, ShareRow{1, 3, "33.3% cpp (1)"},
                    ShareRow{2, 3, "66.7% cpp (2)"}, ShareRow{0, 5, "0.0% cpp (0)"},
                    ShareRow{5, 2, "250.0% cpp (5)"}, ShareRow{3, 0, "cpp = 3"},
                    ShareRow{100, 100, "100.0% cpp (100)"}));

TEST(Counter_Count, PlainLines)
{
    EXPECT_EQ(Counter_Count("File", 12).GetInfo(), "File = 12");
    EXPECT_EQ(Counter_Count("#if", 0).GetInfo(), "#if = 0");
}

TEST(Counter_Count, ShareUnderAParentThatIsNoCount)
{
    const Vn::Counter_Histogram histogram("File Length", "lines", "files");
    EXPECT_EQ(Counter_Count("File", 12).GetInfo_Relative(histogram), "File = 12");
}

TEST(Counter_Count, LongNamesAreNeverCut)
{
    const std::string name(300, 'N');
    EXPECT_EQ(Counter_Count(name.c_str(), 1).GetInfo(), name + " = 1");
}

TEST(Counter_Count, CreateEmptyKeepsOnlyTheName)
{
    Counter_Count count("Line", 7);
    for (const char* child : {"Blank", "Code", "Comment"})
        count.mCounters.Append(std::make_unique<Counter_Count>(child, 1));

    const auto empty = count.CreateEmpty();
    const auto& emptyCount = dynamic_cast<const Counter_Count&>(*empty);
    EXPECT_STREQ(emptyCount.GetName(), "Line");
    EXPECT_EQ(emptyCount.GetCount(), 0u);
    EXPECT_TRUE(emptyCount.mCounters.empty());
}

TEST(Counter_Count, AddKeepsExistingChildrenFirstAndAppendsNewOnes)
{
    Counter_Count target("File", 2);
    target.mCounters.Append(std::make_unique<Counter_Count>("txt", 2));
    Counter_Count source("File", 1);
    source.mCounters.Append(std::make_unique<Counter_Count>("cpp", 1));

    target.Add(source);

    EXPECT_EQ(target.GetCount(), 3u);
    std::vector<std::string> lines;
    for (const auto& child : target.mCounters)
        lines.push_back(child->GetInfo());
    EXPECT_EQ(lines, (std::vector<std::string>{"txt = 2", "cpp = 1"}));
}

TEST(Counter_Count, CountsWrapAtThirtyTwoBits)
{
    Counter_Count target("Line", 0xFFFFFFFFu);
    target.Add(Counter_Count("Line", 2));
    EXPECT_EQ(target.GetCount(), 1u);
    target++;
    EXPECT_EQ(target.GetCount(), 2u);
}

TEST(Counter_Count, AddOfAnotherClassFailsAndChangesNothing)
{
    Counter_Count target("File", 4);
    const Vn::Counter_Histogram histogram("File", "lines", "files");
    EXPECT_THROW(target.Add(histogram), std::bad_cast);
    EXPECT_EQ(target.GetCount(), 4u);
}

TEST(Counter_Count, TypeStringIdentifiesTheClass)
{
    const Counter_Count a("a", 0), b("b", 1);
    const Vn::Counter_Group group("g");
    const Vn::Counter_Histogram histogram("h", "x", "y");
    EXPECT_EQ(a.GetType(), b.GetType());
    EXPECT_STREQ(a.GetType(), "Count");
    EXPECT_NE(a.GetType(), group.GetType());
    EXPECT_NE(a.GetType(), histogram.GetType());
    EXPECT_EQ(group.GetInfo(), "g");
}

} // namespace
