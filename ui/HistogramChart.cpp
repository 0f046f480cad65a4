#include "ui/HistogramChart.h"

#include "lib/Format.h"

#include <algorithm>
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

// The range and the bar bounds are worked out in 64 bits: a histogram may hold values
// up to the largest 32-bit one, and the last bar may reach past it.
HistogramChart::HistogramChart(const Vn::Counter_Histogram& histogram)
{
    const uint64_t range = uint64_t{histogram.GetXMax()} - histogram.GetXMin() + 1;
    mValuesPerBar = static_cast<uint32_t>(std::max<uint64_t>(range / 32, 1));
    Bars_Create(histogram, range);
    Labels_Create(histogram);
}

void HistogramChart::Bars_Create(const Vn::Counter_Histogram& histogram, uint64_t range)
{
    const uint64_t count = (range + mValuesPerBar - 1) / mValuesPerBar;
    mPitch = static_cast<uint32_t>(BARS_SPAN / count);
    mLargest = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        const uint64_t lowest = histogram.GetXMin() + i * mValuesPerBar;
        const uint64_t highest =
            std::min<uint64_t>(lowest + mValuesPerBar - 1, std::numeric_limits<uint32_t>::max());
        const uint32_t total =
            histogram.GetCount(static_cast<uint32_t>(lowest), static_cast<uint32_t>(highest));
        mLargest = std::max(mLargest, total);
        mBars.push_back(Bar{BARS_LEFT + static_cast<uint32_t>(i) * mPitch, 0, mPitch - BAR_GAP, 0,
                            total, static_cast<uint32_t>(lowest), static_cast<uint32_t>(highest)});
    }
    // An empty histogram has no tallest bar: every bar then stays empty.
    for (Bar& bar : mBars)
    {
        bar.mHeight = mLargest == 0
                          ? 0
                          : static_cast<uint32_t>(uint64_t{bar.mTotal} * BAR_HEIGHT_MAX / mLargest);
        bar.mY = BARS_BOTTOM - bar.mHeight;
    }
}

void HistogramChart::Labels_Create(const Vn::Counter_Histogram& histogram)
{
    const uint32_t xMin = histogram.GetXMin();
    const uint32_t xMax = histogram.GetXMax();
    // The last label spans W + 2 values ending at the largest value, but never starts
    // below the smallest one (a narrow range would otherwise wrap around).
    const uint32_t lastFrom = xMax - xMin >= mValuesPerBar + 1 ? xMax - mValuesPerBar - 1 : xMin;
    const uint32_t lastX = LABELS_LEFT + static_cast<uint32_t>(mBars.size() - 1) * mPitch;

    mLabels.push_back(
        Label{TrovLib::Format("%u-%u %s", xMin, xMin + mValuesPerBar - 1, histogram.GetUnitX()),
              LABELS_LEFT, LABELS_TOP});
    mLabels.push_back(Label{TrovLib::Format("%u-%u", lastFrom, xMax), lastX, LABELS_TOP});
    mLabels.push_back(Label{TrovLib::Format("%u %s", mLargest, histogram.GetUnitY()), 10, 10});
}

const HistogramChart::Bar* HistogramChart::BarAt(uint32_t x) const
{
    if (x < BARS_LEFT)
        return nullptr;
    const size_t index = (x - BARS_LEFT) / mPitch;
    return index < mBars.size() ? &mBars[index] : nullptr;
}

} // namespace Varnik
