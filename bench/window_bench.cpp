// How soon the window answers on a large tree: the time from the program's start to the
// window's first painted frame while the first scan runs, how long Cancel takes to end a
// scan, the memory the window holds per file after a scan, and, for a search that finds
// many lines, the longest the GUI thread went without coming back to its events while
// the results stream in, are sorted, opened and scrolled through, the memory they took
// and gave back, and how long Cancel takes at moments of the search and of its display.
//   varnik-window-bench TREE [TEXT]
// TEXT is "int" unless given. Runs on whatever platform Qt picks (QT_QPA_PLATFORM=offscreen,
// or an X server). varnik-make-tree writes trees of a million files (--short) and chains
// of folders tens of thousands of levels deep (--chain).

#include "ui/Desktop_Qt.h"
#include "ui/MainDialog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
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

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The longest stretch that the GUI thread went without answering: a timer asks every
// few milliseconds, and the longest gap between its answers, less its interval, is it.
// On a busy machine that gap holds the time other programs ran; the processor time that
// the GUI thread spent between two answers is the window's own share.
class StallWatch
{
public:
    struct Stall
    {
        double mWall = 0; // seconds
        double mWork = 0; // seconds of the GUI thread's processor time
    };

    StallWatch()
    {
        QObject::connect(&mTimer, &QTimer::timeout,
                         [this]
                         {
                             const double work = ThreadSeconds();
                             const double wall = Seconds(mLast) - INTERVAL.count() / 1000.0;
                             mLongest.mWall = std::max(mLongest.mWall, wall);
                             mLongest.mWork = std::max(mLongest.mWork, work - mLastWork);
                             mLast = Clock::now();
                             mLastWork = work;
                         });
        mTimer.start(INTERVAL);
    }
    // The longest stretches since the last call.
    Stall Take()
    {
        mLast = Clock::now();
        mLastWork = ThreadSeconds();
        return std::exchange(mLongest, Stall());
    }

private:
    static constexpr std::chrono::milliseconds INTERVAL{5};
    QTimer mTimer;
    Clock::time_point mLast = Clock::now();
    double mLastWork = ThreadSeconds();
    Stall mLongest;
};

void WaitWhileBusy(Varnik::MainDialog& window)
{
    while (window.IsBusy())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

// Clicks Cancel and waits until the window is idle.
double Cancel(Varnik::MainDialog& window)
{
    const Clock::time_point clicked = Clock::now();
    window.findChild<QPushButton*>("mCancelBtn")->click();
    WaitWhileBusy(window);
    return Seconds(clicked);
}

// Lets the pass run for a second, then cancels it.
double CancelAfterASecond(Varnik::MainDialog& window)
{
    QTest::qWait(1000);
    return window.IsBusy() ? Cancel(window) : -1;
}

void Search(Varnik::MainDialog& window, const char* text)
{
    window.findChild<QLineEdit*>("mSearch_TextBox")->setText(text);
    window.findChild<QPushButton*>("mSearch_Btn")->click();
}

QString Status(const Varnik::MainDialog& window)
{
    return window.findChild<QLabel*>("mProgressText")->text();
}

// The number that a status text starts with, as in "1,000,000 files, ...".
double LeadingCount(const QString& status)
{
    return status.section(' ', 0, 0).remove(',').toDouble();
}

// The longest stall while `work` runs and the window then settles.
template <class Work> StallWatch::Stall StallOf(StallWatch& stalls, Work work)
{
    stalls.Take();
    work();
    QTest::qWait(200);
    return stalls.Take();
}

void PrintStall(const char* what, const StallWatch::Stall& stall)
{
    std::printf("  longest GUI stall %s: %.0f ms, of which the window's own work %.0f ms\n", what,
                stall.mWall * 1000, stall.mWork * 1000);
}

// What a user does with the results: each order in turn, "Expand all", and a jump to the
// last row and back.
void DisplayFigures(Varnik::MainDialog& window, StallWatch& stalls)
{
    for (const char* order :
         {"mSearch_OrderLinesAction", "mSearch_OrderNameAction", "mSearch_OrderWalkAction"})
    {
        QAction& action = *window.findChild<QAction*>(order);
        PrintStall(qPrintable("ordering " + action.text()),
                   StallOf(stalls, [&] { action.trigger(); }));
    }
    QTreeView& results = *window.findChild<QTreeView*>("mSearch_ResultTree");
    PrintStall(
        "on Expand all",
        StallOf(stalls, [&] { window.findChild<QAction*>("mSearch_ExpandAllAction")->trigger(); }));
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Home})
    {
        PrintStall(key == Qt::Key_End ? "on End" : "on Home",
                   StallOf(stalls, [&] { QTest::keyClick(&results, key); }));
    }
}

// Cancels a search at moments of its run and of its display.
void CancelFigures(Varnik::MainDialog& window, const char* text)
{
    std::printf("  cancel:");
    for (const int after : {250, 1000, 3000, 6000, 12000})
    {
        Search(window, text);
        QTest::qWait(after);
        if (!window.IsBusy())
            break;
        std::printf(" %.3f s after %.2f s;", Cancel(window), after / 1000.0);
    }
    std::printf("\n");
}

// A whole search, a search that finds nothing, and a search cancelled once its first rows
// show.
void SearchFigures(Varnik::MainDialog& window, const char* text)
{
    window.findChild<QTabWidget*>("mTabControl")->setCurrentIndex(1);
    StallWatch stalls;
    const double before = ResidentMegabytes();
    const Clock::time_point start = Clock::now();
    stalls.Take();
    Search(window, text);
    WaitWhileBusy(window);
    const StallWatch::Stall stall = stalls.Take();
    QTest::qWait(2000); // the engine's own tree of the search is freed on a thread of its own
    const double found = ResidentMegabytes();
    std::printf("search for \"%s\": %s in %.2f s\n", text, qPrintable(Status(window)),
                Seconds(start));
    PrintStall("while the results stream in", stall);
    DisplayFigures(window, stalls);

    Search(window, "\x01 found nowhere \x01");
    WaitWhileBusy(window);
    QTest::qWait(2000); // the released results are freed on a thread of their own
    const double released = ResidentMegabytes();
    std::printf("  memory: %.0f MB before, %.0f MB with the results (%.0f MB added), %.0f MB "
                "after a search that found nothing (%.0f MB given back)\n",
                before, found, found - before, released, found - released);

    Search(window, text);
    const QAbstractItemModel& results =
        *window.findChild<QTreeView*>("mSearch_ResultTree")->model();
    while (window.IsBusy() && results.rowCount() == 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    std::printf("  cancel as the first results show: %.3f s\n",
                window.IsBusy() ? Cancel(window) : -1);
    CancelFigures(window, text);
}

// Opens the census of the root in the counter view, whose names come a batch at a time,
// and scrolls to the last name shown a few times.
void CensusFigures(Varnik::MainDialog& window, StallWatch& stalls)
{
    QTreeWidget& counters = *window.findChild<QTreeWidget*>("mInfo");
    const QList<QTreeWidgetItem*> found =
        counters.findItems("#if", Qt::MatchStartsWith | Qt::MatchRecursive);
    if (found.isEmpty())
        return;
    QTreeWidgetItem& census = *found[0];
    PrintStall("opening the census", StallOf(stalls, [&] { census.setExpanded(true); }));
    for (int scroll = 0; scroll < 3; scroll++)
    {
        const StallWatch::Stall stall =
            StallOf(stalls, [&] { counters.scrollToItem(census.child(census.childCount() - 1)); });
        PrintStall(
            qPrintable(
                QString("scrolling to its last name (%1 shown after)").arg(census.childCount())),
            stall);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    if (argc != 2 && argc != 3)
    {
        std::fprintf(stderr, "usage: varnik-window-bench TREE [TEXT]\n");
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
    StallWatch stalls;
    WaitWhileBusy(window);
    const StallWatch::Stall stall = stalls.Take();
    std::printf("whole scan: %.2f s (longest GUI stall %.0f ms, of which the window's own work "
                "%.0f ms)\n",
                Seconds(scan), stall.mWall * 1000, stall.mWork * 1000);
    QTest::qWait(2000); // the first scan's tree is freed on a thread of its own
    const double files = LeadingCount(Status(window));
    std::printf("memory after the scan: %.0f MB, %.2f KiB a file (%s)\n", ResidentMegabytes(),
                ResidentMegabytes() * 1024 / std::max(files, 1.0), qPrintable(Status(window)));

    CensusFigures(window, stalls);
    SearchFigures(window, argc == 3 ? argv[2] : "int");
    return 0;
}
