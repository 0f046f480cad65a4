#pragma once

#include "engine/counters/Counter_Histogram.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Varnik
{

// The bar chart of a histogram, as the drawing primitives of a 1024 x 768 picture: black
// rectangles and black texts at pixel positions, origin at the top left, y downwards.
//
// The exact values are grouped into bars of W = range / 32 values each (one value per
// bar when the range is below 32), which gives 32 to 63 bars over the 884 pixels from
// x = 70. The tallest bar is 688 pixels high and stands on y = 728. Three labels name
// the first bar, the last bar and the largest total.
//
// An axis with ticks stands left of and below the bars. On the log scale a bar's height
// is log(1 + total) / log(1 + largest), so that a long tail of rare lengths stays
// visible beside a few common ones; its ticks are the powers of ten.
class HistogramChart
{
public:
    enum class Scale
    {
        LINEAR,
        LOG
    };

    static constexpr uint32_t WIDTH = 1024;
    static constexpr uint32_t HEIGHT = 768;

    struct Bar
    {
        uint32_t mX, mY, mWidth, mHeight; // an empty bar has height 0 at y = 728
        uint64_t mTotal;                  // occurrences of the bar's values
        uint64_t mLowest, mHighest;       // the bar's values
    };
    struct Label
    {
        std::string mText;
        uint32_t mX, mY;
    };
    struct Rect
    {
        uint32_t mX, mY, mWidth, mHeight;
    };

    explicit HistogramChart(const Vn::Counter_Histogram& histogram, Scale scale = Scale::LINEAR);

    // The bar whose slot, the bar and the gap after it, holds column x; null for none.
    const Bar* BarAt(uint32_t x) const;

    uint64_t mValuesPerBar; // W
    uint32_t mPitch;        // S, the distance between the left edges of two bars
    uint64_t mLargest;      // M, the largest bar total
    std::vector<Bar> mBars;
    std::vector<Label> mLabels; // the first bar, the last bar, the largest total
    std::vector<Rect> mAxes;    // the two axis lines, then a mark per tick
    std::vector<Label> mTicks;  // the totals of the ticks, left of their marks

private:
    void Bars_Create(const Vn::Counter_Histogram& histogram, uint64_t span);
    void Labels_Create(const Vn::Counter_Histogram& histogram);
    void Axes_Create();
    void Tick_Add(uint64_t total);
    // The height of a bar of this total, at most 688 pixels.
    uint32_t Height(uint64_t total) const;

    Scale mScale;
};

} // namespace Varnik
