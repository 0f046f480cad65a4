#include "ui/DisplayForm.h"

#include "lib/Format.h"
#include "ui/Desktop.h"
#include "ui/HistogramChart.h"
#include "ui/LocalText.h"

#include <QAction>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cinttypes>

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
    mView_LogScaleAction = menuStrip1->addMenu("&View")->addAction("&Log scale");
    mView_LogScaleAction->setObjectName("mView_LogScaleAction");
    mView_LogScaleAction->setCheckable(true);
    connect(mView_LogScaleAction, &QAction::toggled, this, &DisplayForm::Picture_Update);

    mPictureBox = new QLabel(this);
    mPictureBox->setObjectName("mPictureBox");
    mPictureBox->setScaledContents(true);
    mPictureBox->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    mPictureBox->setMinimumSize(1, 1);
    mPictureBox->installEventFilter(this);

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
        Picture_Update();
    }
    catch (...)
    {
        mGraphics.reset();
        mDesktop.ShowMessage("Unexepected exception", "Error");
    }
}

void DisplayForm::Picture_Update()
{
    Bitmap_Create();
    Histogram_Draw();
    mGraphics.reset();
    mPictureBox->setPixmap(QPixmap::fromImage(mBitmap));
}

void DisplayForm::Bitmap_Create()
{
    mBitmap =
        QImage(HistogramChart::WIDTH, HistogramChart::HEIGHT, QImage::Format_ARGB32_Premultiplied);
    mBitmap.fill(Qt::transparent);

    mFont = QFont("Sans Serif");
    mFont.setStyleHint(QFont::SansSerif);
    // 18 points at 96 dots per inch, fixed in pixels: on a screen of more dots per inch,
    // points would make the labels too tall for the margins the chart leaves them.
    mFont.setPixelSize(24);
    mGraphics.emplace(&mBitmap);
    mGraphics->setFont(mFont);
}

void DisplayForm::Histogram_Draw()
{
    const HistogramChart& chart =
        mChart.emplace(mData, mView_LogScaleAction->isChecked() ? HistogramChart::Scale::LOG
                                                                : HistogramChart::Scale::LINEAR);
    for (const HistogramChart::Bar& bar : chart.mBars)
        Bitmap_FillRectangle(bar.mX, bar.mY, bar.mWidth, bar.mHeight);
    for (const HistogramChart::Rect& line : chart.mAxes)
        Bitmap_FillRectangle(line.mX, line.mY, line.mWidth, line.mHeight);
    for (const auto* labels : {&chart.mLabels, &chart.mTicks})
        for (const HistogramChart::Label& label : *labels)
            Bitmap_DrawString(label.mText, label.mX, label.mY);
}

bool DisplayForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != mPictureBox || event->type() != QEvent::ToolTip || !mChart)
        return QDialog::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    // The picture is scaled to the label.
    const double x = help->pos().x() * double{HistogramChart::WIDTH} / mPictureBox->width();
    const HistogramChart::Bar* bar = mChart->BarAt(static_cast<uint32_t>(std::max(0.0, x)));
    if (bar == nullptr)
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(),
                           LocalText_ToQt(TrovLib::Format(
                               "%" PRIu64 "-%" PRIu64 " %s: %" PRIu64 " %s", bar->mLowest,
                               bar->mHighest, mData.GetUnitX(), bar->mTotal, mData.GetUnitY())),
                           mPictureBox);
    return true;
}

// An empty bar is still drawn, as a line of one pixel.
void DisplayForm::Bitmap_FillRectangle(uint32_t x, uint32_t y, uint32_t width, uint32_t height)
{
    mGraphics->fillRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                        static_cast<int>(height == 0 ? 1 : height), Qt::black);
}

// A text that would run past the right or the bottom edge moves left or up until it
// fits.
void DisplayForm::Bitmap_DrawString(const std::string& text, uint32_t x, uint32_t y)
{
    const QString line = LocalText_ToQt(text);
    const QFontMetrics metrics(mFont, &mBitmap);
    const int width = metrics.horizontalAdvance(line);
    const int left =
        std::max(0, std::min(static_cast<int>(x), static_cast<int>(HistogramChart::WIDTH) - width));
    const int top =
        std::max(0, std::min(static_cast<int>(y),
                             static_cast<int>(HistogramChart::HEIGHT) - metrics.height()));
    const QRect area(left, top, HistogramChart::WIDTH, HistogramChart::HEIGHT);
    mGraphics->setPen(Qt::black);
    mGraphics->drawText(area, Qt::AlignLeft | Qt::AlignTop, line);
}

} // namespace Varnik
