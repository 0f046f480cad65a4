#pragma once

#include "engine/counters/Counter_Histogram.h"
#include "ui/HistogramChart.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenuBar;
class QStatusBar;

namespace Varnik
{

class Desktop;

// The histogram window: draws one histogram as a bar chart into a transparent picture
// of 1024 x 768 pixels when it loads, and again when the scale changes, and shows the
// picture stretched to the window.
class DisplayForm : public QDialog
{
    Q_OBJECT

public:
    // The histogram belongs to the data tree, which outlives this modal window.
    DisplayForm(const Vn::Counter_Histogram& data, const char* nodeName, Desktop& desktop,
                QWidget* parent = nullptr);
    ~DisplayForm() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Hovering over a bar shows its values and total.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitializeComponent();
    void DisplayForm_Load();
    void Bitmap_Create();
    void Histogram_Draw();
    void Picture_Update();
    void Bitmap_FillRectangle(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
    void Bitmap_DrawString(const std::string& text, uint32_t x, uint32_t y);

    std::optional<HistogramChart> mChart;
    QImage mBitmap;
    QFont mFont;
    std::optional<QPainter> mGraphics; // open while the chart is drawn
    const Vn::Counter_Histogram& mData;
    const std::string mNodeName;
    Desktop& mDesktop;
    bool mLoaded = false;

    QMenuBar* menuStrip1;
    QAction* mView_LogScaleAction;
    QStatusBar* statusStrip1;
    QLabel* mPictureBox;
};

} // namespace Varnik
