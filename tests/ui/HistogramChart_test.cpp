#include "ui/HistogramChart.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

using Varnik::HistogramChart;

namespace
{

// The chart of a histogram holding the given (value, occurrences) pairs.
HistogramChart Chart(std::initializer_list<std::pair<uint32_t, uint32_t>> values)
{
    Vn::Counter_Histogram histogram("File Length", "lines", "files");
    for (const auto& [value, occurrences] : values)
        histogram.AddValue(value, occurrences);
    return HistogramChart(histogram);
}

TEST(HistogramChart, GroupsValuesIntoBarsAndLabelsThem)
{
    struct
    {
        uint32_t mXMin, mXMax, mValuesPerBar, mBarCount, mPitch, mBarWidth;
        const char *mFirstLabel, *mLastLabel;
        uint32_t mLastLabelX;
    } const rows[] = {
        // A range of 32 and more: range / 32 values a bar, 32 to 63 bars.
        {1, 100, 3, 34, 26, 21, "1-3 lines", "96-100", 898},
        {10, 41, 1, 32, 27, 22, "10-10 lines", "39-41", 877},
        {0, 639, 20, 32, 27, 22, "0-19 lines", "618-639", 877},
        // Below 32 every value gets a bar of its own.
        {5, 7, 1, 3, 294, 289, "5-5 lines", "5-7", 628},
        {0, 0, 1, 1, 884, 879, "0-0 lines", "0-0", 40},
        {0, 1, 1, 2, 442, 437, "0-0 lines", "0-1", 482},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(std::to_string(row.mXMin) + " to " + std::to_string(row.mXMax));
        const HistogramChart chart = Chart({{row.mXMin, 1}, {row.mXMax, row.mXMax > row.mXMin}});

        EXPECT_EQ(chart.mValuesPerBar, row.mValuesPerBar);
        ASSERT_EQ(chart.mBars.size(), row.mBarCount);
        EXPECT_EQ(chart.mPitch, row.mPitch);
        for (size_t i = 0; i < chart.mBars.size(); i++)
        {
            EXPECT_EQ(chart.mBars[i].mX, 70 + i * row.mPitch) << "bar " << i;
            EXPECT_EQ(chart.mBars[i].mWidth, row.mBarWidth) << "bar " << i;
        }
        ASSERT_EQ(chart.mLabels.size(), 3u);
        EXPECT_EQ(chart.mLabels[0].mText, row.mFirstLabel);
        EXPECT_EQ(chart.mLabels[1].mText, row.mLastLabel);
        EXPECT_EQ(chart.mLabels[2].mText, "1 files");
        EXPECT_EQ(std::make_pair(chart.mLabels[0].mX, chart.mLabels[0].mY),
                  std::make_pair(40u, 732u));
        EXPECT_EQ(std::make_pair(chart.mLabels[1].mX, chart.mLabels[1].mY),
                  std::make_pair(row.mLastLabelX, 732u));
        EXPECT_EQ(std::make_pair(chart.mLabels[2].mX, chart.mLabels[2].mY),
                  std::make_pair(10u, 10u));
    }
}

TEST(HistogramChart, HeightsAreSharesOfTheTallestBar)
{
    // Bars of 3 values from 1: {1..3} holds 2, {4..6} holds 4, {7..9} nothing, and the
    // last, {100..102}, reaches past the largest value to hold it.
    const HistogramChart chart = Chart({{1, 2}, {4, 4}, {100, 1}});

    const auto& bars = chart.mBars;
    ASSERT_EQ(bars.size(), 34u);
    EXPECT_EQ(chart.mLargest, 4u);
    EXPECT_EQ(chart.mLabels[2].mText, "4 files");
    EXPECT_EQ(std::make_pair(bars[1].mY, bars[1].mHeight), std::make_pair(40u, 688u));
    EXPECT_EQ(std::make_pair(bars[0].mY, bars[0].mHeight), std::make_pair(384u, 344u));
    EXPECT_EQ(std::make_pair(bars[2].mY, bars[2].mHeight), std::make_pair(728u, 0u));
    EXPECT_EQ(std::make_pair(bars[33].mTotal, bars[33].mHeight), std::make_pair(1u, 172u));
}

TEST(HistogramChart, LargeTotalsAndValuesDoNotOverflow)
{
    constexpr uint32_t LARGEST = std::numeric_limits<uint32_t>::max();
    const HistogramChart chart = Chart({{0, 5'000'000}, {LARGEST, 10'000'000}});

    EXPECT_EQ(chart.mValuesPerBar, 1u << 27);
    ASSERT_EQ(chart.mBars.size(), 32u);
    EXPECT_EQ(chart.mBars.back().mTotal, 10'000'000u);
    EXPECT_EQ(chart.mBars.back().mHeight, 688u);
    EXPECT_EQ(chart.mBars.front().mHeight, 344u);
    EXPECT_EQ(chart.mLabels[1].mText, "4160749566-4294967295");
}

TEST(HistogramChart, EmptyHistogramDrawsOneEmptyBar)
{
    const HistogramChart chart = Chart({});

    ASSERT_EQ(chart.mBars.size(), 1u);
    EXPECT_EQ(std::make_pair(chart.mBars[0].mY, chart.mBars[0].mHeight), std::make_pair(728u, 0u));
    EXPECT_EQ(chart.mLabels[0].mText, "0-0 lines");
    EXPECT_EQ(chart.mLabels[2].mText, "0 files");
}

} // namespace
