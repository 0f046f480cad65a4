#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"

#include <gtest/gtest.h>

#include <typeinfo>

using Vn::Counter_Histogram;

namespace
{

constexpr const char* LINES = "lines";
constexpr const char* FILES = "files";

TEST(Counter_Histogram, ValuesAccumulate)
{
    Counter_Histogram histogram("File Length", LINES, FILES);
    EXPECT_EQ(histogram.GetCount(), 0u);
    histogram.AddValue(10, 1);
    histogram.AddValue(10, 1);
    histogram.AddValue(3, 5);
    EXPECT_EQ(histogram.GetCount(), 7u);
    EXPECT_EQ(histogram.GetValues().size(), 2u);
    EXPECT_EQ(histogram.GetXMin(), 3u);
    EXPECT_EQ(histogram.GetXMax(), 10u);
}

TEST(Counter_Histogram, RangesIncludeBothEnds)
{
    Counter_Histogram histogram("File Length", LINES, FILES);
    for (uint32_t value : {0u, 5u, 5u, 9u, 42u})
        histogram.AddValue(value, 1);
    EXPECT_EQ(histogram.GetCount(5, 5), 2u);
    EXPECT_EQ(histogram.GetCount(0, 9), 4u);
    EXPECT_EQ(histogram.GetCount(6, 41), 1u);
    EXPECT_EQ(histogram.GetCount(43, 100), 0u);
    EXPECT_EQ(histogram.GetCount(9, 5), 0u);
    EXPECT_EQ(histogram.GetCount(0, 0xFFFFFFFFu), 5u);
}

TEST(Counter_Histogram, SingleValueIsBothEnds)
{
    Counter_Histogram histogram("File Length", LINES, FILES);
    histogram.AddValue(42, 1);
    EXPECT_EQ(histogram.GetXMin(), 42u);
    EXPECT_EQ(histogram.GetXMax(), 42u);
}

TEST(Counter_Histogram, AddMergesValueByValue)
{
    Counter_Histogram target("File Length", LINES, FILES);
    target.AddValue(7, 1);
    Counter_Histogram source("File Length", "other", "units");
    source.AddValue(3, 1);
    source.AddValue(7, 2);

    target.Add(source);

    const std::map<uint32_t, uint32_t> expected{{3, 1}, {7, 3}};
    EXPECT_EQ(target.GetValues(), expected);
    EXPECT_EQ(target.GetUnitX(), LINES);
}

TEST(Counter_Histogram, AddOfACountFails)
{
    Counter_Histogram target("File Length", LINES, FILES);
    target.AddValue(1, 1);
    EXPECT_THROW(target.Add(Vn::Counter_Count("File Length", 3)), std::bad_cast);
    EXPECT_EQ(target.GetCount(), 1u);
}

TEST(Counter_Histogram, CreateEmptyKeepsNameAndUnitStrings)
{
    Counter_Histogram histogram("File Length", LINES, FILES);
    histogram.AddValue(4, 4);
    const auto empty = histogram.CreateEmpty();
    const auto& emptyHistogram = dynamic_cast<const Counter_Histogram&>(*empty);
    EXPECT_STREQ(emptyHistogram.GetName(), "File Length");
    EXPECT_EQ(emptyHistogram.GetUnitX(), LINES);
    EXPECT_EQ(emptyHistogram.GetUnitY(), FILES);
    EXPECT_EQ(emptyHistogram.GetCount(), 0u);
}

TEST(Counter_Histogram, LineNamesTheType)
{
    const Counter_Histogram histogram("File Length", LINES, FILES);
    EXPECT_EQ(histogram.GetInfo(), "File Length (Histogram)");
    EXPECT_EQ(histogram.GetInfo_Relative(Vn::Counter_Count("File", 3)), "File Length (Histogram)");
}

} // namespace
