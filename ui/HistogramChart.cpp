#include "ui/HistogramChart.h"

#include "lib/Format.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <iterator>
#include <limits>

namespace Varnik
{

namespace
{

constexpr uint32_t BARS_LEFT = 70;
constexpr uint32_t BARS_SPAN = 884;
constexpr uint32_t BARS_BOTTOM = 728;
constexpr uint32_t BAR_HEIGHT_MAX = 688;
constexpr uint32_t BAR_GAP = 5;
constexpr uint32_t LABELS_LEFT = 40;
constexpr uint32_t LABELS_TOP = 732;
constexpr uint32_t AXIS_LEFT = 64;
constexpr uint32_t AXIS_WIDTH = 2;
constexpr uint32_t TICK_WIDTH = 6;
constexpr uint32_t TICKS_MAX = 5;
constexpr uint32_t TICK_TEXT_LEFT = 4;
constexpr uint32_t TICK_TEXT_RISE = 12;    // half a line, so that the text centres on its mark
constexpr uint32_t TICK_TEXT_TOP_MIN = 40; // below the label of the largest total

// 1,500 as "1.5k": tick texts must fit the 60 pixels left of the axis.
std::string Compact(uint64_t value)
{
    if (value < 1000)
        return TrovLib::Format("%" PRIu64, value);
    const char* units[] = {"k", "M", "G", "T", "P", "E"};
    double shown = static_cast<double>(value) / 1000;
    size_t unit = 0;
    while (shown >= 1000 && unit + 1 < std::size(units))
    {
        shown /= 1000;
        unit++;
    }
    std::string text = TrovLib::Format(shown < 10 ? "%.1f" : "%.0f", shown);
    if (text.ends_with(".0"))
        text.resize(text.size() - 2);
    return text + units[unit];
}

// The step of at most TICKS_MAX ticks up to `largest`: 1, 2 or 5 times a power of ten.
uint64_t TickStep(uint64_t largest)
{
    for (uint64_t power = 1;; power *= 10)
    {
        for (const uint64_t factor : {1, 2, 5})
        {
            if (largest / (power * factor) <= TICKS_MAX ||
                power > std::numeric_limits<uint64_t>::max() / 50)
                return power * factor;
        }
    }
}

} // namespace

// The range holds span + 1 values, which may be one more than 64 bits count, so it is
// worked out from the span: W = (span + 1) / 32 and the bars number span / W + 1.
HistogramChart::HistogramChart(const Vn::Counter_Histogram& histogram, Scale scale) : mScale(scale)
{
    const uint64_t span = histogram.GetXMax() - histogram.GetXMin();
    mValuesPerBar = std::max<uint64_t>(span / 32 + (span % 32 == 31 ? 1 : 0), 1);
    Bars_Create(histogram, span);
    Labels_Create(histogram);
    Axes_Create();
}

void HistogramChart::Bars_Create(const Vn::Counter_Histogram& histogram, uint64_t span)
{
    const uint64_t count = span / mValuesPerBar + 1;
    mPitch = static_cast<uint32_t>(BARS_SPAN / count);
    mLargest = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        const uint64_t lowest = histogram.GetXMin() + i * mValuesPerBar;
        // The last bar may reach past the largest value that 64 bits hold.
        const uint64_t highest =
            lowest + std::min(mValuesPerBar - 1, std::numeric_limits<uint64_t>::max() - lowest);
        const uint64_t total = histogram.GetCount(lowest, highest);
        mLargest = std::max(mLargest, total);
        mBars.push_back(Bar{BARS_LEFT + static_cast<uint32_t>(i) * mPitch, 0, mPitch - BAR_GAP, 0,
                            total, lowest, highest});
    }
    for (Bar& bar : mBars)
    {
        bar.mHeight = Height(bar.mTotal);
        bar.mY = BARS_BOTTOM - bar.mHeight;
    }
}

// An empty histogram has no tallest bar: every bar then stays empty. Totals too large
// to multiply in 64 bits take their share in floating point.
uint32_t HistogramChart::Height(uint64_t total) const
{
    if (mLargest == 0)
        return 0;
    if (mScale == Scale::LOG)
        return static_cast<uint32_t>(std::log1p(static_cast<double>(total)) /
                                     std::log1p(static_cast<double>(mLargest)) * BAR_HEIGHT_MAX);
    if (total <= std::numeric_limits<uint64_t>::max() / BAR_HEIGHT_MAX)
        return static_cast<uint32_t>(total * BAR_HEIGHT_MAX / mLargest);
    return static_cast<uint32_t>(static_cast<long double>(total) * BAR_HEIGHT_MAX / mLargest);
}

void HistogramChart::Axes_Create()
{
    const uint32_t top = BARS_BOTTOM - BAR_HEIGHT_MAX;
    mAxes.push_back(Rect{AXIS_LEFT, top, AXIS_WIDTH, BARS_BOTTOM - top + 1 + AXIS_WIDTH});
    mAxes.push_back(
        Rect{AXIS_LEFT, BARS_BOTTOM + 1, BARS_LEFT + BARS_SPAN - AXIS_LEFT, AXIS_WIDTH});
    if (mScale == Scale::LOG)
    {
        for (uint64_t total = 1; total <= mLargest; total *= 10)
        {
            Tick_Add(total);
            if (total > std::numeric_limits<uint64_t>::max() / 10)
                break;
        }
        return;
    }
    const uint64_t step = TickStep(mLargest);
    for (uint64_t total = step; total <= mLargest; total += step)
    {
        Tick_Add(total);
        if (mLargest - total < step)
            break;
    }
}

// The text of a tick too near the top would run into the label of the largest total.
void HistogramChart::Tick_Add(uint64_t total)
{
    const uint32_t y = BARS_BOTTOM - Height(total);
    mAxes.push_back(Rect{AXIS_LEFT - TICK_WIDTH, y, TICK_WIDTH, AXIS_WIDTH});
    if (y - TICK_TEXT_RISE >= TICK_TEXT_TOP_MIN)
        mTicks.push_back(Label{Compact(total), TICK_TEXT_LEFT, y - TICK_TEXT_RISE});
}

void HistogramChart::Labels_Create(const Vn::Counter_Histogram& histogram)
{
    const uint64_t xMin = histogram.GetXMin();
    const uint64_t xMax = histogram.GetXMax();
    // The last label spans W + 2 values ending at the largest value, but never starts
    // below the smallest one (a narrow range would otherwise wrap around).
    const uint64_t lastFrom = xMax - xMin >= mValuesPerBar + 1 ? xMax - mValuesPerBar - 1 : xMin;
    const uint32_t lastX = LABELS_LEFT + static_cast<uint32_t>(mBars.size() - 1) * mPitch;

    mLabels.push_back(Label{TrovLib::Format("%" PRIu64 "-%" PRIu64 " %s", xMin,
                                            xMin + mValuesPerBar - 1, histogram.GetUnitX()),
                            LABELS_LEFT, LABELS_TOP});
    mLabels.push_back(
        Label{TrovLib::Format("%" PRIu64 "-%" PRIu64, lastFrom, xMax), lastX, LABELS_TOP});
    mLabels.push_back(
        Label{TrovLib::Format("%" PRIu64 " %s", mLargest, histogram.GetUnitY()), 10, 10});
}

const HistogramChart::Bar* HistogramChart::BarAt(uint32_t x) const
{
    if (x < BARS_LEFT)
        return nullptr;
    const size_t index = (x - BARS_LEFT) / mPitch;
    return index < mBars.size() ? &mBars[index] : nullptr;
}

} // namespace Varnik
