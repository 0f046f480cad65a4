#include "ui/HistogramChart.h"

#include "lib/Format.h"

#include <algorithm>
#include <cinttypes>
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

} // namespace

// The range holds span + 1 values, which may be one more than 64 bits count, so it is
// worked out from the span: W = (span + 1) / 32 and the bars number span / W + 1.
HistogramChart::HistogramChart(const Vn::Counter_Histogram& histogram)
{
    const uint64_t span = histogram.GetXMax() - histogram.GetXMin();
    mValuesPerBar = std::max<uint64_t>(span / 32 + (span % 32 == 31 ? 1 : 0), 1);
    Bars_Create(histogram, span);
    Labels_Create(histogram);
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
    // An empty histogram has no tallest bar: every bar then stays empty. Totals too large
    // to multiply in 64 bits take their share in floating point.
    for (Bar& bar : mBars)
    {
        if (mLargest == 0)
            bar.mHeight = 0;
        else if (bar.mTotal <= std::numeric_limits<uint64_t>::max() / BAR_HEIGHT_MAX)
            bar.mHeight = static_cast<uint32_t>(bar.mTotal * BAR_HEIGHT_MAX / mLargest);
        else
            bar.mHeight = static_cast<uint32_t>(static_cast<long double>(bar.mTotal) *
                                                BAR_HEIGHT_MAX / mLargest);
        bar.mY = BARS_BOTTOM - bar.mHeight;
    }
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
