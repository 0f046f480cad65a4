// How soon the window answers on a large tree: the time from the program's start to the
// window's first painted frame while the first scan runs, and how long Cancel takes to
// end a scan and a search that are well under way.
//   varnik-window-bench TREE
// Runs on whatever platform Qt picks (QT_QPA_PLATFORM=offscreen, or an X server).

#include "ui/Desktop_Qt.h"
#include "ui/MainDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <chrono>
#include <cstdio>

namespace
{

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Notes the first paint of the window.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && mAt == Clock::time_point())
            mAt = Clock::now();
        return QObject::eventFilter(watched, event);
    }
    Clock::time_point mAt;
};

// Lets the pass run for a second, then clicks Cancel and waits until the window is idle.
double CancelAfterASecond(Varnik::MainDialog& window)
{
    QTest::qWait(1000);
    if (!window.IsBusy())
        return -1;
    const Clock::time_point clicked = Clock::now();
    window.findChild<QPushButton*>("mCancelBtn")->click();
    while (window.IsBusy())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return Seconds(clicked);
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: varnik-window-bench TREE\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("varnik-window-bench");
    Varnik::Desktop_Qt desktop;
    Varnik::MainDialog window(desktop);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.SetRootFolder(argv[1]);
    window.show();
    while (firstPaint.mAt == Clock::time_point())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    std::printf("first frame: %.3f s after start (scan running: %s)\n",
                std::chrono::duration<double>(firstPaint.mAt - start).count(),
                window.IsBusy() ? "yes" : "no");

    std::printf("cancel of a scan: %.3f s\n", CancelAfterASecond(window));
    window.findChild<QPushButton*>("mRootFolderBrowseBtn")->setFocus();
    QTest::keyClick(window.findChild<QLineEdit*>("mRootFolderBox"), Qt::Key_Return);
    const Clock::time_point scan = Clock::now();
    while (window.IsBusy())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    std::printf("whole scan: %.2f s\n", Seconds(scan));

    window.findChild<QTabWidget*>("mTabControl")->setCurrentIndex(1);
    window.findChild<QLineEdit*>("mSearch_TextBox")->setText("int");
    window.findChild<QPushButton*>("mSearch_Btn")->click();
    std::printf("cancel of a search: %.3f s\n", CancelAfterASecond(window));
    return 0;
}
