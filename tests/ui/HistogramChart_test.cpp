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
HistogramChart Chart(const Values& values,
                     HistogramChart::Scale scale = HistogramChart::Scale::LINEAR)
{
    Vn::Counter_Histogram histogram("File Length", "lines", "files");
    for (const auto& [value, occurrences] : values)
        histogram.AddValue(value, occurrences);
    return HistogramChart(histogram, scale);
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

// The heights of the bars that hold something, then each tick: its mark's top and, when
// it has one, its text with the text's place.
std::string Axis(const HistogramChart& chart)
{
    std::string text = "heights";
    for (const auto& bar : chart.mBars)
        text += bar.mTotal ? " " + std::to_string(bar.mHeight) : "";
    text += " | ticks";
    for (size_t i = 2; i < chart.mAxes.size(); i++)
        text += " " + std::to_string(chart.mAxes[i].mY);
    for (const auto& label : chart.mTicks)
        text +=
            " | " + label.mText + "@" + std::to_string(label.mX) + "," + std::to_string(label.mY);
    return text;
}

TEST(HistogramChart, ScalesHeightsAndMarksTheAxis)
{
    constexpr auto LOG = HistogramChart::Scale::LOG, LINEAR = HistogramChart::Scale::LINEAR;
    const struct
    {
        Values mValues;
        HistogramChart::Scale mScale;
        const char* mAxis;
    } rows[] = {
        // A long tail: one value a thousand times, the others rarely.
        {{{1, 1000}, {2, 1}, {40, 9}},
         LOG,
         "heights 688 69 229 | ticks 659 490 269 40 | 1@4,647 | 10@4,478 | 100@4,257"},
        {{{1, 1000}, {2, 1}, {40, 9}},
         LINEAR,
         "heights 688 0 6 | ticks 591 453 316 178 40 | 200@4,579 | 400@4,441 | 600@4,304 | "
         "800@4,166"},
        {{{1, 7}, {100, 3}},
         LINEAR,
         "heights 688 294 | ticks 532 335 139 | 2@4,520 | 4@4,323 | 6@4,127"},
        {{{0, 5'000'000'000}, {HIGHEST, 10'000'000'000}},
         LINEAR,
         "heights 344 688 | ticks 591 453 316 178 40 | 2G@4,579 | 4G@4,441 | 6G@4,304 | 8G@4,166"},
        // Totals at the top of 64 bits end the ticks without wrapping around.
        {{{0, HIGHEST}},
         LOG,
         "heights 688 | ticks 718 691 657 621 586 550 514 479 443 407 371 336 300 264 229 193 157 "
         "121 86 "
         "50 | 1@4,706 | 10@4,679 | 100@4,645 | 1k@4,609 | 10k@4,574 | 100k@4,538 | 1M@4,502 | "
         "10M@4,467 | 100M@4,431 | 1G@4,395 | 10G@4,359 | 100G@4,324 | 1T@4,288 | 10T@4,252 | "
         "100T@4,217 | 1P@4,181 | 10P@4,145 | 100P@4,109 | 1E@4,74"},
        {{{0, HIGHEST}},
         LINEAR,
         "heights 688 | ticks 691 654 617 579 542 505 467 430 393 356 318 281 244 206 169 132 94 "
         "57 | "
         "1E@4,679 | 2E@4,642 | 3E@4,605 | 4E@4,567 | 5E@4,530 | 6E@4,493 | 7E@4,455 | 8E@4,418 | "
         "9E@4,381 | 10E@4,344 | 11E@4,306 | 12E@4,269 | 13E@4,232 | 14E@4,194 | 15E@4,157 | "
         "16E@4,120 | 17E@4,82 | 18E@4,45"},
        {{}, LOG, "heights | ticks"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.mAxis);
        EXPECT_EQ(Axis(Chart(row.mValues, row.mScale)), row.mAxis);
    }
}

} // namespace
