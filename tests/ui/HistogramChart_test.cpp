#include "ui/HistogramChart.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using Varnik::HistogramChart;

namespace
{

using Values = std::vector<std::pair<uint64_t, uint64_t>>; // (value, occurrences)
constexpr uint64_t LARGEST = std::numeric_limits<uint32_t>::max();
constexpr uint64_t HIGHEST = std::numeric_limits<uint64_t>::max();

// The chart of a histogram holding the given values.
HistogramChart Chart(const Values& values)
{
    Vn::Counter_Histogram histogram("File Length", "lines", "files");
    for (const auto& [value, occurrences] : values)
        histogram.AddValue(value, occurrences);
    return HistogramChart(histogram);
}

// The chart's layout: values a bar, bar count, pitch and width when every bar stands at
// its place from x = 70 with the same width, then each label with its place.
std::string Layout(const HistogramChart& chart)
{
    std::string text =
        "W=" + std::to_string(chart.mValuesPerBar) + " bars=" + std::to_string(chart.mBars.size());
    bool regular = true;
    for (size_t i = 0; i < chart.mBars.size(); i++)
        regular &= chart.mBars[i].mX == 70 + i * chart.mPitch &&
                   chart.mBars[i].mWidth == chart.mBars[0].mWidth;
    text += regular ? " pitch=" + std::to_string(chart.mPitch) +
                          " width=" + std::to_string(chart.mBars[0].mWidth)
                    : " irregular";
    for (const auto& label : chart.mLabels)
        text +=
            " | " + label.mText + "@" + std::to_string(label.mX) + "," + std::to_string(label.mY);
    return text;
}

TEST(HistogramChart, GroupsValuesIntoBarsAndLabelsThem)
{
    const struct
    {
        Values mValues;
        const char* mLayout;
    } rows[] = {
        // A range of 32 and more: range / 32 values a bar, 32 to 63 bars.
        {{{1, 1}, {100, 1}},
         "W=3 bars=34 pitch=26 width=21 | 1-3 lines@40,732 | 96-100@898,732 | 1 files@10,10"},
        {{{10, 1}, {41, 1}},
         "W=1 bars=32 pitch=27 width=22 | 10-10 lines@40,732 | 39-41@877,732 | 1 files@10,10"},
        {{{0, 1}, {639, 1}},
         "W=20 bars=32 pitch=27 width=22 | 0-19 lines@40,732 | 618-639@877,732 | 1 files@10,10"},
        // Totals and values near the top of their range do not overflow.
        {{{0, 5'000'000}, {LARGEST, 10'000'000}},
         "W=134217728 bars=32 pitch=27 width=22 | 0-134217727 lines@40,732 | "
         "4160749566-4294967295@877,732 | 10000000 files@10,10"},
        {{{0, 5'000'000'000}, {HIGHEST, 10'000'000'000}},
         "W=576460752303423488 bars=32 pitch=27 width=22 | 0-576460752303423487 lines@40,732 | "
         "17870283321406128126-18446744073709551615@877,732 | 10000000000 files@10,10"},
        // Below 32 every value gets a bar of its own.
        {{{5, 1}, {7, 1}},
         "W=1 bars=3 pitch=294 width=289 | 5-5 lines@40,732 | 5-7@628,732 | 1 files@10,10"},
        {{{0, 1}},
         "W=1 bars=1 pitch=884 width=879 | 0-0 lines@40,732 | 0-0@40,732 | 1 files@10,10"},
        {{{0, 1}, {1, 1}},
         "W=1 bars=2 pitch=442 width=437 | 0-0 lines@40,732 | 0-1@482,732 | 1 files@10,10"},
        {{}, "W=1 bars=1 pitch=884 width=879 | 0-0 lines@40,732 | 0-0@40,732 | 0 files@10,10"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.mLayout);
        EXPECT_EQ(Layout(Chart(row.mValues)), row.mLayout);
    }
}

TEST(HistogramChart, HeightsAreSharesOfTheTallestBar)
{
    // Bars of 3 values from 1: {1..3} holds 2, {4..6} holds 4, {7..9} nothing, and the
    // last, {100..102}, reaches past the largest value to hold it.
    const auto bars = Chart({{1, 2}, {4, 4}, {100, 1}}).mBars;
    ASSERT_EQ(bars.size(), 34u);
    EXPECT_EQ(std::make_pair(bars[1].mY, bars[1].mHeight), std::make_pair(40u, 688u));
    EXPECT_EQ(std::make_pair(bars[0].mY, bars[0].mHeight), std::make_pair(384u, 344u));
    EXPECT_EQ(std::make_pair(bars[2].mY, bars[2].mHeight), std::make_pair(728u, 0u));
    EXPECT_EQ(std::make_pair(bars[33].mTotal, bars[33].mHeight), std::make_pair(uint64_t{1}, 172u));
    const auto large = Chart({{0, 5'000'000}, {LARGEST, 10'000'000}}).mBars;
    EXPECT_EQ(std::make_pair(large.back().mTotal, large.back().mHeight),
              std::make_pair(uint64_t{10'000'000}, 688u));
    EXPECT_EQ(large.front().mHeight, 344u);
}

} // namespace
