#include "ui/ProgressLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace Varnik
{

namespace
{
constexpr int REFRESH_INTERVAL_MS = 200;
constexpr int REFUSAL_SHOWN_MS = 4000;
constexpr double BYTES_PER_MB = 1024.0 * 1024.0;
} // namespace

ProgressLine::ProgressLine(QWidget* parent) : QWidget(parent)
{
    setObjectName("mProgressLine");
    mText = new QLabel;
    mText->setObjectName("mProgressText");
    mRefusal = new QLabel;
    mRefusal->setObjectName("mProgressRefusal");
    mRefusal->setStyleSheet("color: #a00000");
    mRefusalTimer.setSingleShot(true);
    mRefusalTimer.setInterval(REFUSAL_SHOWN_MS);
    connect(&mRefusalTimer, &QTimer::timeout, mRefusal, &QLabel::clear);
    mCancelBtn = new QPushButton("Cancel");
    mCancelBtn->setObjectName("mCancelBtn");
    mCancelBtn->setFixedHeight(18);
    mCancelBtn->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(mText, 1);
    layout->addWidget(mRefusal);
    layout->addWidget(mCancelBtn);

    mTimer.setInterval(REFRESH_INTERVAL_MS);
    connect(&mTimer, &QTimer::timeout, this, &ProgressLine::Refresh);
    connect(mCancelBtn, &QPushButton::clicked, this, &ProgressLine::CancelClicked);
}

void ProgressLine::Start(const QString& what, bool search)
{
    mWhat = what;
    mSearch = search;
    mProgress = Vn::Progress();
    mClock.start();
    mTimer.start();
    mCancelBtn->show();
    Refresh();
}

void ProgressLine::SetProgress(const Vn::Progress& progress)
{
    mProgress = progress;
}

void ProgressLine::Finish(const QString& outcome)
{
    mTimer.stop();
    mCancelBtn->hide();
    mText->setText(outcome);
}

QString ProgressLine::Text() const
{
    return mText->text();
}

void ProgressLine::Refuse(const QString& reason)
{
    mRefusal->setText(reason);
    mRefusalTimer.start();
}

QString ProgressLine::Number(uint64_t number)
{
    return QLocale().toString(static_cast<qulonglong>(number));
}

void ProgressLine::Refresh()
{
    const QString hits = mSearch ? QString(", %1 hits").arg(Number(mProgress.mHits)) : "";
    mText->setText(QString("%1: %2 folders, %3 files%4, %5 MB, %6 s")
                       .arg(mWhat, Number(mProgress.mFolders), Number(mProgress.mFiles), hits)
                       .arg(static_cast<double>(mProgress.mBytes) / BYTES_PER_MB, 0, 'f', 1)
                       .arg(static_cast<double>(mClock.elapsed()) / 1000, 0, 'f', 1));
}

} // namespace Varnik
