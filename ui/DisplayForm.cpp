#include "ui/DisplayForm.h"

#include "lib/Format.h"
#include "ui/Desktop.h"
#include "ui/HistogramChart.h"
#include "ui/LocalText.h"

#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QVBoxLayout>

namespace Varnik
{

DisplayForm::DisplayForm(const Vn::Counter_Histogram& data, const char* nodeName, Desktop& desktop,
                         QWidget* parent)
    : QDialog(parent), mData(data), mNodeName(nodeName), mDesktop(desktop)
{
    InitializeComponent();
}

DisplayForm::~DisplayForm() = default;

void DisplayForm::InitializeComponent()
{
    setObjectName("DisplayForm");
    setWindowTitle("Display");
    resize(685, 534);

    menuStrip1 = new QMenuBar(this);
    menuStrip1->setObjectName("menuStrip1");
    menuStrip1->setFixedHeight(24);

    mPictureBox = new QLabel(this);
    mPictureBox->setObjectName("mPictureBox");
    mPictureBox->setScaledContents(true);
    mPictureBox->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    mPictureBox->setMinimumSize(1, 1);

    statusStrip1 = new QStatusBar(this);
    statusStrip1->setObjectName("statusStrip1");
    statusStrip1->setFixedHeight(22);
    statusStrip1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuStrip1);
    layout->setContentsMargins(0, 3, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(mPictureBox, 1);
    layout->addWidget(statusStrip1);
}

// Loading happens once, just before the window first appears.
void DisplayForm::showEvent(QShowEvent* event)
{
    if (!mLoaded)
    {
        mLoaded = true;
        DisplayForm_Load();
    }
    QDialog::showEvent(event);
}

void DisplayForm::DisplayForm_Load()
{
    try
    {
        setWindowTitle(
            LocalText_ToQt(TrovLib::Format("%s - %s", mNodeName.c_str(), mData.GetName())));
        Bitmap_Create();
        Histogram_Draw();
        mGraphics.reset();
        mPictureBox->setPixmap(QPixmap::fromImage(mBitmap));
    }
    catch (...)
    {
        mGraphics.reset();
        mDesktop.ShowMessage("Unexepected exception", "Error");
    }
}

void DisplayForm::Bitmap_Create()
{
    mBitmap =
        QImage(HistogramChart::WIDTH, HistogramChart::HEIGHT, QImage::Format_ARGB32_Premultiplied);
    // The picture takes the resolution of the screen it is shown on, so that the font's
    // points give the same pixels as on that screen.
    const double dotsPerMeter = mPictureBox->logicalDpiX() / 0.0254;
    mBitmap.setDotsPerMeterX(static_cast<int>(dotsPerMeter));
    mBitmap.setDotsPerMeterY(static_cast<int>(dotsPerMeter));
    mBitmap.fill(Qt::transparent);

    mFont = QFont("Sans Serif");
    mFont.setStyleHint(QFont::SansSerif);
    mFont.setPointSizeF(18.0);
    mGraphics.emplace(&mBitmap);
    mGraphics->setFont(mFont);
}

void DisplayForm::Histogram_Draw()
{
    const HistogramChart chart(mData);
    for (const HistogramChart::Bar& bar : chart.mBars)
        Bitmap_FillRectangle(bar.mX, bar.mY, bar.mWidth, bar.mHeight);
    for (const HistogramChart::Label& label : chart.mLabels)
        Bitmap_DrawString(label.mText, label.mX, label.mY);
}

// An empty bar is still drawn, as a line of one pixel.
void DisplayForm::Bitmap_FillRectangle(uint32_t x, uint32_t y, uint32_t width, uint32_t height)
{
    mGraphics->fillRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                        static_cast<int>(height == 0 ? 1 : height), Qt::black);
}

void DisplayForm::Bitmap_DrawString(const std::string& text, uint32_t x, uint32_t y)
{
    const QRect area(static_cast<int>(x), static_cast<int>(y), HistogramChart::WIDTH,
                     HistogramChart::HEIGHT);
    mGraphics->setPen(Qt::black);
    mGraphics->drawText(area, Qt::AlignLeft | Qt::AlignTop, LocalText_ToQt(text));
}

} // namespace Varnik
