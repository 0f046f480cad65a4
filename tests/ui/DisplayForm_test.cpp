#include "ui/DisplayForm.h"

#include "FakeDesktop.h"

#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

namespace
{

using VarnikTest::FakeDesktop;

QImage Picture(const Varnik::DisplayForm& form)
{
    const auto* picture = form.findChild<QLabel*>("mPictureBox");
    return picture == nullptr ? QImage() : picture->pixmap().toImage();
}

bool IsBlack(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::black);
}

bool IsClear(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y).alpha() == 0;
}

TEST(DisplayForm, DrawsTheChartAndItsLabelsOnATransparentPicture)
{
    // Values 1 to 100 in bars of 3: {1..3} holds 2, {4..6} holds 4 (the tallest),
    // {7..9} nothing, and the last bar, from x = 70 + 33 * 26, the value 100.
    Vn::Counter_Histogram histogram("File Length", "lines", "files");
    histogram.AddValue(1, 2);
    histogram.AddValue(4, 4);
    histogram.AddValue(100, 1);
    FakeDesktop desktop;
    Varnik::DisplayForm form(histogram, "src", desktop);
    form.show();

    EXPECT_EQ(form.windowTitle(), "src - File Length");
    const QImage picture = Picture(form);
    ASSERT_EQ(picture.size(), QSize(1024, 768));
    EXPECT_TRUE(IsClear(picture, 500, 300)) << "nothing paints the background";

    const int tallest = 70 + 26;
    EXPECT_TRUE(IsBlack(picture, tallest, 40));
    EXPECT_TRUE(IsBlack(picture, tallest + 20, 727));
    EXPECT_TRUE(IsClear(picture, tallest + 21, 500)) << "bars are 21 pixels wide";
    EXPECT_TRUE(IsClear(picture, tallest, 39));
    EXPECT_TRUE(IsClear(picture, tallest, 728));

    EXPECT_TRUE(IsBlack(picture, 70, 384)) << "half the tallest is 344 pixels high";
    EXPECT_TRUE(IsClear(picture, 70, 383));

    const int empty = 70 + 2 * 26;
    EXPECT_TRUE(IsBlack(picture, empty, 728)) << "an empty bar is a line of one pixel";
    EXPECT_TRUE(IsClear(picture, empty, 727));
    EXPECT_TRUE(IsClear(picture, empty, 729));

    // The labels are text: only check that some ink starts where each one should.
    auto inkIn = [&picture](int left, int top)
    {
        for (int y = top; y < top + 20; y++)
            for (int x = left; x < left + 40; x++)
                if (!IsClear(picture, x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(40, 732)) << "the first bar's label";
    EXPECT_TRUE(inkIn(898, 732)) << "the last bar's label";
    EXPECT_TRUE(inkIn(10, 10)) << "the largest total";
    EXPECT_FALSE(inkIn(0, 740)) << "left of the first label";

    EXPECT_TRUE(desktop.mMessages.empty());
}

} // namespace
