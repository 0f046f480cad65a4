// The window tests: the main window and the histogram window, driven through their
// controls on small trees on disk, with a stand-in for the user and the desktop. Passes
// run in the background; the tests wait for them to end, never for a time.

#include "ui/BackgroundPass.h"
#include "ui/Desktop_Qt.h"
#include "ui/DisplayForm.h"
#include "ui/LazyTreeView.h"
#include "ui/MainDialog.h"
#include "ui/ProgressLine.h"
#include "ui/SearchResultModel.h"

#include "engine/parsers/FileParser_Text.h"
#include "engine/search/SearchResult_File.h"

#include "FolderChain.h"
#include "ReadOverrideDropped.h"
#include "TempTree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <future>
#include <map>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace
{

constexpr int PASS_TIMEOUT_MS = 30000;

// Logs every message a line each where the desktop would show it in a box.
template <class Base> struct MessageLog : Base
{
    void ShowMessage(const std::string& text, const char* caption) override
    {
        mLog += std::string(caption) + ": " + text + "\n";
    }
    std::string TakeLog() { return std::exchange(mLog, {}); }

    std::string mLog;
};

// Logs every shell call and program started as well, and answers the folder chooser and
// the text prompt as the test arranged.
struct FakeDesktop : MessageLog<Varnik::Desktop>
{
    std::optional<QString> ChooseFolder(const QString& start) override
    {
        mLog += "choose from " + start.toStdString() + "\n";
        return mChosenFolder;
    }
    std::optional<QString> AskText(const char*, const QString&, const QString&) override
    {
        return mTypedText;
    }
    QString ShellExecute(const char* verb, const std::string& path) override
    {
        mLog += verb + (" " + path) + "\n";
        return mShellFailure;
    }
    QString StartProgram(const QStringList& arguments) override
    {
        mLog += "run " + arguments.join(' ').toStdString() + "\n";
        return {};
    }

    std::optional<QString> mChosenFolder, mTypedText; // none cancels
    QString mShellFailure;
};

const std::string PROJECT_FOLDERS = "project\n  docs\n  scripts\n  src\n    core\n";
const std::string HELLO_FOUND = "project/ (3)\n  main.cpp (1)\n    Line 3 : // Say hello\n"
                                "  notes.txt (1)\n    Line 1 : Say hello to the team\n"
                                "  src/ (1)\n    core/ (1)\n      engine.cpp (1)\n"
                                "        Line 2 : int level; /* hello from the engine */\n";

// The first `count` lines of a text whose lines all end in a line feed.
std::string Head(const std::string& text, int count)
{
    size_t end = 0;
    for (; count > 0 && end < text.size(); count--)
        end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

// The main window with a stand-in desktop, started as the program does: the command
// line, when there is one, then the window.
class Window
{
public:
    explicit Window(const std::string& commandLine = {})
    {
        if (!commandLine.empty())
            mDialog.SetRootFolder(commandLine.c_str());
        mDialog.show();
        Wait();
    }

    // Until the running pass, if any, has ended and been shown.
    void Wait()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !mDialog.IsBusy(); }, PASS_TIMEOUT_MS));
    }

    template <class T> T& Get(const char* name)
    {
        if (T* control = mDialog.findChild<T*>(name))
            return *control;
        throw std::logic_error(std::string("no control ") + name);
    }
    bool Enabled(const char* name) { return Get<QWidget>(name).isEnabled(); }
    void Click(const char* button) { QTest::mouseClick(&Get<QPushButton>(button), Qt::LeftButton); }
    void Trigger(const char* action) { Get<QAction>(action).trigger(); }
    void Check(const char* box, bool checked) { Get<QCheckBox>(box).setChecked(checked); }
    void Tab(int page) { Get<QTabWidget>("mTabControl").setCurrentIndex(page); }
    void Type(const char* box, const std::string& text, bool enter = false)
    {
        Get<QLineEdit>(box).setText(QString::fromStdString(text));
        if (enter)
            QTest::keyClick(&Get<QLineEdit>(box), Qt::Key_Return);
    }
    std::string RootFolder() { return Get<QLineEdit>("mRootFolderBox").text().toStdString(); }
    std::string Status() { return Get<QLabel>("mProgressText").text().toStdString(); }

    // Every row of a tree view with its depth, depth first, as a user opening every row
    // would find them.
    std::vector<std::pair<QModelIndex, int>> Rows(const char* tree)
    {
        QAbstractItemModel& model = *Get<QTreeView>(tree).model();
        std::vector<std::pair<QModelIndex, int>> rows, toVisit{{QModelIndex(), -1}};
        while (!toVisit.empty())
        {
            const auto [parent, depth] = toVisit.back();
            toVisit.pop_back();
            if (parent.isValid())
                rows.emplace_back(parent, depth);
            for (int fetched = -1; fetched != model.rowCount(parent);)
            {
                fetched = model.rowCount(parent);
                model.fetchMore(parent);
            }
            for (int row = model.rowCount(parent) - 1; row >= 0; row--)
                toVisit.emplace_back(model.index(row, 0, parent), depth + 1);
        }
        return rows;
    }

    // Every row of a tree view, a line each, depth first, indented by two spaces a level;
    // with `expanded`, only the rows whose children show, unindented.
    std::string Text(const char* tree, bool expanded = false)
    {
        QString text;
        for (const auto& [index, depth] : Rows(tree))
        {
            if (!expanded)
                text += QString(2 * depth, ' ') + index.data().toString() + "\n";
            else if (Get<QTreeView>(tree).isExpanded(index))
                text += index.data().toString() + "\n";
        }
        return text.toStdString();
    }
    // The text of a top-level row in a column.
    QString Cell(const char* tree, int row, int column)
    {
        const QAbstractItemModel& model = *Get<QTreeView>(tree).model();
        return model.index(row, column).data().toString();
    }

    // Selects the first row with this text, as a click on it would.
    void Select(const char* view, const QString& text)
    {
        for (const auto& [index, depth] : Rows(view))
        {
            if (index.data().toString() == text)
                return Get<QTreeView>(view).setCurrentIndex(index);
        }
        throw std::logic_error("nothing named " + text.toStdString());
    }

    void Browse(const std::string& folder)
    {
        mDesktop.mChosenFolder = QString::fromStdString(folder);
        Click("mRootFolderBrowseBtn");
        Wait();
    }

    void Search(const std::string& text)
    {
        Type("mSearch_TextBox", text);
        Click("mSearch_Btn");
        Wait();
    }

    FakeDesktop mDesktop;
    Varnik::MainDialog mDialog{mDesktop};
};

// A small project: an ignore file that drops build/ and *.tmp, C++ sources with code,
// comments, directives and strings, a text file, a script and an empty folder.
class MainDialog : public testing::Test
{
protected:
    MainDialog()
    {
        QSettings().clear();
        mTree.File("project/.gitignore", "build/\n*.tmp\n")
            .File("project/CMakeLists.txt", "project(demo)\nadd_executable(demo main.cpp)\n")
            .File("project/README", "A demo project\n")
            .File("project/main.cpp", "#include \"src/util.h\"\n\n// Say hello\nint main()\n{\n"
                                      "    return Print(\"Hello, world\");\n}\n")
            .File("project/notes.txt", "Say hello to the team\n\nThen ship it\n")
            .File("project/scratch.tmp", "hello\n")
            .File("project/build/out.txt", "hello\n")
            .File("project/src/util.h", "#pragma once\nint Print(const char* text);\n")
            .File("project/src/core/engine.cpp",
                  "#if defined(TRACE)\nint level; /* hello from the engine */\n#endif\n")
            .File("project/scripts/build.sh", "#!/bin/sh\n# build it\ncmake --build .\n")
            .Folder("project/docs");
    }

    VarnikTest::TempTree mTree;
    const std::string mRoot = mTree.Path("project");
};

// The program's arguments, the root folder they give, absolute, and the folders scanned.
TEST_F(MainDialog, StartsOnTheFolderOfItsCommandLine)
{
    mTree.File("my project/a.txt", "a\n").File("my project/sub/b.txt", "b\n");
    const std::string my = mTree.Path("my"), quoted = '"' + mRoot + '"';
    const QString current = QDir::currentPath();
    const QByteArray home = qgetenv("HOME");
    QDir::setCurrent(QString::fromStdString(mTree.Path("my project")));
    qputenv("HOME", QByteArray::fromStdString(mTree.Root()));
    const struct
    {
        std::vector<const char*> mArguments;
        std::string mRoot, mFolders;
    } rows[] = {
        {{"varnik", quoted.c_str()}, mRoot, PROJECT_FOLDERS},
        {{"varnik", my.c_str(), "project/"}, my + " project", "my project\n  sub\n"},
        {{"varnik", "sub/../../project"}, mRoot, PROJECT_FOLDERS},
        {{"varnik", "~/my", "project"}, my + " project", "my project\n  sub\n"},
        {{"varnik"}, "", ""},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.mRoot);
        Window window(Varnik::MainDialog::CommandLine(static_cast<int>(row.mArguments.size()),
                                                      row.mArguments.data()));
        EXPECT_EQ(window.RootFolder(), row.mRoot);
        EXPECT_EQ(window.mDialog.windowTitle(),
                  row.mRoot.empty()
                      ? "Varnik"
                      : QString::fromStdString(Head(row.mFolders, 1)).trimmed() + " - Varnik");
        EXPECT_EQ(window.mDialog.windowIcon().availableSizes().size(), 7); // from the SVG
        EXPECT_EQ(window.Text("mFolders"), row.mFolders);
        EXPECT_EQ(window.Text("mFolders", true), Head(row.mFolders, 1));
        for (const char* button :
             {"mSearch_Btn", "mOpenFolderBtn", "mOpenFileBtn", "mCounters_DisplayBtn"})
            EXPECT_FALSE(window.Enabled(button)) << button << " before any selection or text";
        EXPECT_EQ(window.Status().starts_with("Choose a folder to count its lines"),
                  row.mRoot.empty());
    }
    QDir::setCurrent(current);
    qputenv("HOME", home);

    // Asking for help or the version opens no window.
    const std::vector<const char*> help{"varnik", "--help"}, odd{"varnik", "-x"};
    const auto helped = Varnik::MainDialog::CommandLine_Answer(2, help.data());
    ASSERT_TRUE(helped);
    EXPECT_TRUE(helped->mText.starts_with("Usage: varnik [FOLDER]\n"));
    EXPECT_EQ(helped->mStatus, 0);
    EXPECT_EQ(Varnik::MainDialog::CommandLine_Answer(2, odd.data())->mStatus, 2);
    EXPECT_FALSE(Varnik::MainDialog::CommandLine_Answer(2, std::vector{"varnik", "src"}.data()));
}

// The status bar names the analysis in use, and a click there opens the Options menu.
TEST_F(MainDialog, ShowsTheAnalysisMode)
{
    Window window(mRoot);
    QToolButton& mode = window.Get<QToolButton>("mModeBtn");
    EXPECT_EQ(mode.menu()->title(), "&Options");
    const std::pair<const char*, const char*> steps[] = {
        {nullptr, "Classic"},
        {"mOptions_GitIgnoreRulesAction", "Git ignore rules"},
        {"mOptions_ModernCppAction", "Git ignore rules, Modern C/C++"},
        {"mOptions_PreciseAction", "Precise"},
        {"mOptions_PreciseAction", "Classic"},
    };
    for (const auto& [action, text] : steps)
    {
        if (action)
            window.Trigger(action);
        window.Wait();
        EXPECT_EQ(mode.text().toStdString(), text);
    }
}

// The options kept by earlier runs keep working: each is read and written under its key.
TEST_F(MainDialog, KeepsTheOptionsUnderTheirKeys)
{
    QSettings().setValue("options/gitIgnoreRules", true);
    QSettings().setValue("options/skipFileLinks", true);
    Window window(mRoot);
    window.Wait();
    EXPECT_EQ(window.Get<QToolButton>("mModeBtn").text().toStdString(),
              "Git ignore rules, Skip links to files");
    window.Trigger("mOptions_ModernCppAction");
    window.Wait();
    EXPECT_TRUE(QSettings().value("options/modernCpp").toBool());
    EXPECT_TRUE(QSettings().value("options/gitIgnoreRules").toBool());
}

// A census of more than a thousand names fills its node only when the user opens it, a
// thousand names at a time, as the last of them comes into sight, in the order shown:
// that of the census, or by count, which equals a plain stable sort.
TEST_F(MainDialog, OpensALargeCensusOnDemand)
{
    std::string text;
    std::vector<std::string> byCount, others;
    for (int name = 0; name < 2500; name++)
    {
        const std::string tested = "#ifdef N" + std::to_string(name) + "\n#endif\n";
        text += name % 3 == 0 ? tested + tested : tested;
        (name % 3 == 0 ? byCount : others).push_back("N" + std::to_string(name));
    }
    byCount.insert(byCount.end(), others.begin(), others.end());
    mTree.File("census/c.c", text);
    Window window(mTree.Path("census"));
    QTreeWidget& view = window.Get<QTreeWidget>("mInfo");
    const auto census = [&view]
    { return view.findItems("#if", Qt::MatchStartsWith | Qt::MatchRecursive)[0]; };
    EXPECT_EQ(census()->childCount(), 0);
    census()->setExpanded(true);
    for (const bool sorted : {false, true})
    {
        ASSERT_EQ(census()->childCount(), 1000) << "opened, or opened again once sorted";
        for (int scroll = 0; scroll < 3 && census()->childCount() < 2500; scroll++)
        {
            QApplication::processEvents(); // lays the view out
            view.scrollToBottom();
        }
        ASSERT_EQ(census()->childCount(), 2500);
        for (int row = 0; row < 2500; row++)
        {
            const std::string name = census()->child(row)->text(0).section(' ', 1, 1).toStdString();
            ASSERT_EQ(name, sorted ? byCount[row] : "N" + std::to_string(row)) << row;
        }
        window.Trigger("mInfo_SortByCountAction");
    }
}

TEST_F(MainDialog, ShowsTheCountersOfTheSelectionAndOpensIt)
{
    mTree.File("project/scripts/caf\xe9.txt", "1\n2\n\n4\n5\n");
    Window window(mRoot);
    QTreeView& files = window.Get<QTreeView>("mFiles");
    EXPECT_EQ(window.Text("mFiles"), ".gitignore\nCMakeLists.txt\nREADME\nmain.cpp\nnotes.txt\n");
    EXPECT_EQ(Head(window.Text("mInfo"), 2), "project\n  File = 9\n");
    EXPECT_EQ(window.Status().substr(0, 21), "9 files, 27 lines in ");
    // Line counts beside the names; two clicks on that header sort the largest first.
    EXPECT_EQ(window.Cell("mFolders", 0, 1), "27 (9 files)");
    EXPECT_EQ(window.Cell("mFiles", 3, 1), "7");
    const QRect lines(files.header()->sectionViewportPosition(1), 0, 10, 10);
    for (int click = 0; click < 2; click++)
        QTest::mouseClick(files.header()->viewport(), Qt::LeftButton, {}, lines.center());
    EXPECT_EQ(Head(window.Text("mFiles"), 2), "main.cpp\nnotes.txt\n");

    // Counters opened stay open for the next selection; "Sort by count" puts the largest
    // first. Only a histogram can be displayed, and a new selection drops it.
    window.Get<QTreeWidget>("mInfo").findItems("Line = 27", Qt::MatchRecursive)[0]->setExpanded(
        true);
    window.Trigger("mInfo_SortByCountAction");
    EXPECT_TRUE(Window().Get<QAction>("mInfo_SortByCountAction").isChecked()) << "remembered";
    window.Select("mFolders", "src");
    EXPECT_EQ(window.Text("mInfo", true), "src\nLine = 5\n");
    EXPECT_EQ(Head(window.Text("mInfo"), 4),
              "src\n  Line = 5\n    100.0% Code (5)\n    0.0% Blank (0)\n");
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));
    window.Select("mFiles", "util.h");
    EXPECT_TRUE(window.Enabled("mOpenFileBtn"));
    window.Select("mInfo", "File Length (Histogram)");
    EXPECT_TRUE(window.Enabled("mCounters_DisplayBtn"));
    window.Select("mInfo", "File = 1");
    EXPECT_FALSE(window.Enabled("mCounters_DisplayBtn"));
    window.Select("mInfo", "File Length (Histogram)");
    window.Select("mFolders", "core");
    EXPECT_FALSE(window.Enabled("mCounters_DisplayBtn"));
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));

    // A name that is not UTF-8 shows readably and opens by its bytes.
    const QString name = QString::fromUtf8("caf\uFFFD.txt");
    window.Select("mFolders", "scripts");
    window.Select("mFiles", name);
    EXPECT_EQ(Head(window.Text("mInfo"), 5),
              name.toStdString() + "\n  Line = 5\n    80.0% Code (4)\n    20.0% Blank (1)\n"
                                   "    0.0% Comment (0)\n");
    window.Click("mOpenFileBtn");
    window.Click("mOpenFolderBtn");
    window.mDesktop.mShellFailure = "xdg-open: No such file or directory";
    QTest::keyClick(&files, Qt::Key_Return);
    window.Trigger("mFiles_CopyPathAction");
    EXPECT_EQ(window.mDesktop.TakeLog(),
              "open " + mTree.Path("project/scripts/caf\xe9.txt") + "\nexplore " + mRoot +
                  "/scripts\nopen " + mTree.Path("project/scripts/caf\xe9.txt") +
                  "\nError: ShellExecute failed\nxdg-open: No such file or directory\n");
    EXPECT_EQ(QApplication::clipboard()->text(),
              QFile::decodeName(mTree.Path("project/scripts/caf\xe9.txt").c_str()));
}

// Browse, the path box and a dropped folder each scan; a new root clears the search
// results. A root that is no folder is refused, and a scan that fails leaves no tree.
TEST_F(MainDialog, TakesItsRootFolderFromEveryPlaceAUserGivesIt)
{
    mTree.File("other/only.h", "int x;\n");
    Window window;
    window.Browse(mRoot);
    EXPECT_EQ(window.Text("mFolders"), PROJECT_FOLDERS);
    window.Search("hello");

    window.Type("mRootFolderBox", mTree.Path("other"), true);
    window.Wait();
    EXPECT_EQ(window.Text("mFolders") + window.Text("mFiles"), "other\nonly.h\n");
    EXPECT_EQ(window.Text("mSearch_ResultTree"), "") << "cleared by the new root";

    window.Type("mRootFolderBox", mTree.Path("missing"), true);
    EXPECT_EQ(window.mDesktop.TakeLog(), "choose from \nError: The folder \"" +
                                             mTree.Path("missing") +
                                             "\" does not exist or cannot be read\n");
    EXPECT_EQ(window.RootFolder(), mTree.Path("other"));
    EXPECT_EQ(window.Text("mFolders"), "other\n");

    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(mRoot))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(&window.mDialog, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(&window.mDialog, &drop);
    window.Wait();
    EXPECT_EQ(window.Text("mFolders"), PROJECT_FOLDERS);
    EXPECT_EQ(QSettings().value("lastRoot").toByteArray().toStdString(), mRoot);

    // An ignore file of mode 0 passes the walker's readability test and still fails to
    // open while root has dropped its power to read it regardless.
    window.Search("hello");
    mTree.File("broken/.gitignore", "*.tmp\n").Mode("broken/.gitignore", 0);
    {
        const VarnikTest::ReadOverrideDropped readOverride;
        if (!readOverride.Dropped())
            GTEST_SKIP() << "only root's ignore file can pass the readability test and not open";
        window.Browse(mTree.Path("broken"));
    }
    EXPECT_EQ(
        window.mDesktop.TakeLog(),
        "choose from " + mRoot +
            "\nError: An exception occured in Varnik::MainDialog::mRootFolderBrowseBtn_Click\n"
            "open failed: " +
            mTree.Path("broken/.gitignore") + ": Permission denied\n");
    EXPECT_EQ(window.Status(), "Scan failed");
    EXPECT_EQ(window.Text("mFolders") + window.Text("mInfo") + window.Text("mSearch_ResultTree"),
              "");
    for (const char* button : {"mSearch_Btn", "mOpenFolderBtn", "mOpenFileBtn"})
        EXPECT_FALSE(window.Enabled(button)) << button;
}

TEST_F(MainDialog, SearchesAsAskedAndOpensWhatItFinds)
{
    Window window(mRoot);
    window.Tab(1);
    EXPECT_TRUE(window.Get<QLineEdit>("mSearch_TextBox").hasFocus());
    window.Type("mSearch_TextBox", "hello", true);
    window.Wait();
    EXPECT_EQ(window.Text("mSearch_ResultTree"), HELLO_FOUND);
    EXPECT_EQ(window.Text("mSearch_ResultTree", true),
              "project/ (3)\nmain.cpp (1)\nnotes.txt (1)\nsrc/ (1)\ncore/ (1)\nengine.cpp (1)\n")
        << "small trees open whole";
    EXPECT_EQ(window.Status(), "3 lines in 3 files");

    // A cancelled pass leaves the results on screen as they were; the cancel comes before
    // the window hears of the pass's end, so it always lands.
    window.Type("mSearch_TextBox", "team");
    window.Click("mSearch_Btn");
    EXPECT_TRUE(window.mDialog.IsBusy());
    for (const char* control :
         {"mSearch_Btn", "mRootFolderBrowseBtn", "mSearch_OpenSelectedFileBtn"})
        EXPECT_FALSE(window.Enabled(control)) << control;
    window.Click("mCancelBtn");
    window.Wait();
    EXPECT_EQ(window.Status(), "Search cancelled");
    EXPECT_EQ(window.Text("mSearch_ResultTree"), HELLO_FOUND);

    // F5 repeats the page's own pass, and refuses visibly while one runs; each page keeps
    // the outcome of its own.
    mTree.File("project/docs/new.txt", "hello\n");
    QTest::keyClick(&window.mDialog, Qt::Key_F5);
    EXPECT_TRUE(window.Status().starts_with("Searching: "));
    QTest::keyClick(&window.mDialog, Qt::Key_F5);
    EXPECT_EQ(window.Get<QLabel>("mProgressRefusal").text(),
              "A search is running: wait for its end or cancel it");
    QTest::keyClick(&window.mDialog, Qt::Key_Escape);
    window.Wait();
    window.Tab(0);
    EXPECT_TRUE(window.Status().starts_with("8 files, 22 lines in "));
    QTest::keyClick(&window.mDialog, Qt::Key_F5);
    QTest::keyClick(&window.mDialog, Qt::Key_Escape);
    window.Wait();
    EXPECT_EQ(window.Status(), "Scan cancelled");
    window.Tab(1);
    EXPECT_EQ(window.Status(), "Search cancelled");
    EXPECT_EQ(window.Text("mFolders"), PROJECT_FOLDERS);
    EXPECT_EQ(window.Text("mFiles"), ".gitignore\nCMakeLists.txt\nREADME\nmain.cpp\nnotes.txt\n");

    // What a click on both open buttons hands to the shell, then to an editor command, for
    // a line, a file and a folder; only the first two enable "Open selected file".
    const std::string engine = mRoot + "/src/core/engine.cpp", main = mRoot + "/main.cpp";
    const struct
    {
        const char* mNode;
        std::string mShell, mEditor;
    } rows[] = {
        {"Line 2 : int level; /* hello from the engine */",
         "open " + engine + "\nexplore " + mRoot + "/src/core\n",
         "run kate -l 2 " + engine + "\nexplore " + mRoot + "/src/core\n"},
        {"main.cpp (1)", "open " + main + "\nexplore " + mRoot + "\n",
         "run kate -l 1 " + main + "\nexplore " + mRoot + "\n"},
        {"src/ (1)", "explore " + mRoot + "/src\n", "explore " + mRoot + "/src\n"},
    };
    for (const QString editor : {"", "kate -l %l \"%f\""})
    {
        window.mDesktop.mTypedText = editor;
        window.Trigger("mOptions_EditorAction");
        for (const auto& row : rows)
        {
            SCOPED_TRACE(row.mNode);
            window.Select("mSearch_ResultTree", row.mNode);
            EXPECT_EQ(window.Enabled("mSearch_OpenSelectedFileBtn"),
                      row.mShell.starts_with("open"));
            window.Click("mSearch_OpenSelectedFileBtn");
            window.Click("mSearch_OpenSelectedFolderBtn");
            EXPECT_EQ(window.mDesktop.TakeLog(), editor.isEmpty() ? row.mShell : row.mEditor);
        }
    }

    // Enter and a double click on a result line open it at its line, as "Open" in the
    // context menu does. A command whose quote never closes is refused with a message.
    QTreeView& results = window.Get<QTreeView>("mSearch_ResultTree");
    window.Select("mSearch_ResultTree", rows[0].mNode);
    QTest::keyClick(&results, Qt::Key_Return);
    const QPoint line = results.visualRect(results.currentIndex()).center();
    QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, line); // as a double click begins
    QTest::mouseDClick(results.viewport(), Qt::LeftButton, {}, line);
    window.Trigger("mSearch_OpenAction");
    EXPECT_EQ(window.mDesktop.TakeLog(),
              Head(rows[0].mEditor, 1) + Head(rows[0].mEditor, 1) + Head(rows[0].mEditor, 1));
    window.mDesktop.mTypedText = "kate \"%f";
    window.Trigger("mOptions_EditorAction");
    EXPECT_EQ(window.mDesktop.TakeLog(),
              "Error: The editor command kate \"%f has a quote that is never closed\n");

    // Search needs a type and a text; the engine and command-line tables cover the
    // choices of case, zone and type.
    window.Click("mSearch_UnselectAllFileTypeBtn");
    EXPECT_FALSE(window.Enabled("mSearch_Btn")) << "no type chosen";
    window.Click("mSearch_SelectAllFileTypeBtn");
    window.Search("team");
    EXPECT_EQ(window.Text("mSearch_ResultTree"),
              "project/ (1)\n  notes.txt (1)\n    Line 1 : Say hello to the team\n")
        << "the whole answer after the cancels";
    window.Check("mSearch_RegexCheck", true);
    window.Search("te+a[m]");
    EXPECT_EQ(window.Text("mSearch_ResultTree"),
              "project/ (1)\n  notes.txt (1)\n    Line 1 : Say hello to the team\n");
    window.Search("(");
    EXPECT_EQ(window.mDesktop.TakeLog(), "Search: bad regular expression: missing ): (\n");
    window.Check("mSearch_RegexCheck", false);
    window.Search("absent");
    EXPECT_EQ(window.Status(), "No match");
    EXPECT_EQ(window.mDesktop.TakeLog(), "") << "finding nothing is no error";
    window.Type("mSearch_TextBox", "");
    EXPECT_FALSE(window.Enabled("mSearch_Btn")) << "no text";

    // The next window starts with the options and the types of the last search.
    window.Check("mSearch_InCommentCheck", false);
    QListWidgetItem& type = *window.Get<QListWidget>("mSearch_FileTypeList").item(1);
    type.setCheckState(Qt::Unchecked);
    window.Search("team");
    Window next(mRoot);
    next.Wait(); // the type list is filled when the scan ends
    EXPECT_FALSE(next.Get<QCheckBox>("mSearch_InCommentCheck").isChecked());
    EXPECT_TRUE(next.Get<QCheckBox>("mSearch_InCodeCheck").isChecked());
    const auto types = next.Get<QListWidget>("mSearch_FileTypeList").findItems(type.text(), {});
    ASSERT_EQ(types.size(), 1);
    EXPECT_EQ(types[0]->checkState(), Qt::Unchecked);
}

// The columns that the result view's delegate marks when it paints the row, as runs of
// their first column and width.
std::vector<std::pair<int, int>> MarkedRuns(QTreeView& view, const QModelIndex& index)
{
    const QColor mark(255, 226, 110);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.font = view.font(); // as the view hands it to its delegate
    option.rect = QRect(0, 0, 800, 30);
    option.widget = &view;
    QImage image(option.rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.itemDelegate()->paint(&painter, option, index);
    painter.end();
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < image.width(); x++)
    {
        bool marked = false;
        for (int y = 0; y < image.height() && !marked; y++)
            marked = image.pixelColor(x, y) == mark;
        if (marked && (runs.empty() || runs.back().first + runs.back().second != x))
            runs.emplace_back(x, 0);
        if (marked)
            runs.back().second++;
    }
    return runs;
}

// A search's line row marks exactly the spans that matched in the chosen zones, with the
// chosen case and as a regular expression, wherever else the text stands in the line.
TEST_F(MainDialog, MarksTheSpansThatMatched)
{
    mTree.File("project/marks.cpp", "zap(); // Zap, zap\n");
    Window window(mRoot);
    window.Tab(1);
    const struct
    {
        bool mInCode, mCaseSensitive, mRegex;
        const char* mText;
        QString mMarked; // the row, the marked spans in brackets
    } rows[] = {
        {false, true, false, "zap", "Line 1 : zap(); // Zap, [zap]"},
        {false, false, false, "zap", "Line 1 : zap(); // [Zap], [zap]"},
        {true, false, false, "zap", "Line 1 : [zap](); // [Zap], [zap]"},
        {true, true, true, "z.p\\(", "Line 1 : [zap(]); // Zap, zap"},
    };
    QTreeView& view = window.Get<QTreeView>("mSearch_ResultTree");
    const QFontMetrics metrics(view.font());
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.mMarked.toStdString());
        window.Check("mSearch_InCodeCheck", row.mInCode);
        window.Check("mSearch_CaseSensitiveCheck", row.mCaseSensitive);
        window.Check("mSearch_RegexCheck", row.mRegex);
        window.Search(row.mText);
        const auto rowsShown = window.Rows("mSearch_ResultTree");
        ASSERT_EQ(rowsShown.size(), 3u);
        const QModelIndex line = rowsShown.back().first;
        QString text = row.mMarked;
        std::vector<std::pair<int, int>> expected; // from where the text begins
        for (qsizetype open = text.indexOf('['); open >= 0; open = text.indexOf('['))
        {
            text.remove(open, 1);
            const qsizetype close = text.indexOf(']');
            text.remove(close, 1);
            expected.emplace_back(metrics.horizontalAdvance(text.left(open)),
                                  metrics.horizontalAdvance(text.mid(open, close - open)));
        }
        ASSERT_EQ(line.data().toString(), text);
        const auto runs = MarkedRuns(view, line);
        ASSERT_EQ(runs.size(), expected.size());
        const int margin = runs[0].first - expected[0].first; // the style's, before the text
        EXPECT_GE(margin, 0);
        EXPECT_LT(margin, 20);
        for (size_t i = 0; i < runs.size(); i++)
            EXPECT_EQ(runs[i], std::make_pair(expected[i].first + margin, expected[i].second));
    }
}

// The order the user picks applies to the results on screen, opened whole when small,
// and to those of the next window.
TEST_F(MainDialog, SortsTheResultsInTheOrderChosenLast)
{
    mTree.File("sorted/a.txt", "hello\n").File("sorted/b.txt", "hello\nhello\n");
    mTree.File("sorted/c/d.txt", "hello\nhello\nhello\n");
    const auto topRows = [](Window& window)
    {
        std::string rows;
        for (const auto& [index, depth] : window.Rows("mSearch_ResultTree"))
            rows += depth == 1 ? index.data().toString().toStdString() + ", " : "";
        return rows;
    };
    Window window(mTree.Path("sorted"));
    window.Tab(1);
    window.Search("hello");
    EXPECT_EQ(topRows(window), "a.txt (1), b.txt (2), c/ (3), ");
    window.Trigger("mSearch_OrderLinesAction");
    EXPECT_EQ(topRows(window), "c/ (3), b.txt (2), a.txt (1), ");
    EXPECT_EQ(window.Text("mSearch_ResultTree", true),
              "sorted/ (6)\nc/ (3)\nd.txt (3)\nb.txt (2)\na.txt (1)\n");

    Window next(mTree.Path("sorted"));
    next.Tab(1);
    next.Search("hello");
    EXPECT_TRUE(next.Get<QAction>("mSearch_OrderLinesAction").isChecked());
    EXPECT_EQ(topRows(next), "c/ (3), b.txt (2), a.txt (1), ");
}

// A chain of 3,000 folders: the window opens it one level deep, the user opens a path
// hundreds of levels down and sees its counters, and the search's results, small enough
// to open whole, open only as deep as Qt lays out its rows, one call per level.
TEST_F(MainDialog, ShowsTreesThousandsOfLevelsDeep)
{
    const VarnikTest::FolderChain chain(mRoot, "d", 3000, 1000);
    Window window(mRoot);
    QTreeView& folders = window.Get<QTreeView>("mFolders");
    QAbstractItemModel& model = *folders.model();
    QModelIndex folder = model.index(0, 0);
    for (int level = 0; level < 300; level++)
    {
        folders.expand(folder);
        if (model.canFetchMore(folder))
            model.fetchMore(folder);
        folder = model.index(0, 0, folder);
    }
    folders.setCurrentIndex(folder);
    EXPECT_EQ(Head(window.Text("mInfo"), 2), "d\n  File = 3\n");
    EXPECT_EQ(window.Text("mFiles"), "");

    window.Tab(1);
    window.Search("int x;");
    EXPECT_EQ(window.Status(), "4 lines in 4 files");
    QTreeView& results = window.Get<QTreeView>("mSearch_ResultTree");
    int levels = 0;
    for (QModelIndex row = results.model()->index(0, 0); results.isExpanded(row);
         row = results.model()->index(0, 0, row))
        levels++;
    EXPECT_GT(levels, 100);
    EXPECT_LT(levels, 3000);
}

// Reads "b.gate" only once the test opens the gate, so that the pass waits meanwhile.
class GateParser : public Vn::FileParser
{
public:
    explicit GateParser(std::shared_future<void> gate) : mGate(gate) {}
    std::unique_ptr<Vn::Data_Node> Parse(const char* fileName, const char* type,
                                         Vn::ReadingContext& context) const override
    {
        if (std::string(fileName).ends_with("b.gate"))
            mGate.wait();
        return Vn::FileParser::Parse(fileName, type, context);
    }

private:
    std::shared_future<void> mGate;
};

// With all languages, the type list offers the scanned languages first and filters by
// name; with every type checked, files of no known language are searched too.
TEST_F(MainDialog, OffersTheLanguagesOfTheScanFirst)
{
    Window window(mRoot);
    window.Trigger("mOptions_LanguagesAction");
    window.Wait();
    QListWidget& types = window.Get<QListWidget>("mSearch_FileTypeList");
    QStringList first;
    for (int i = 0; i < 5; i++)
        first.append(types.item(i)->text());
    EXPECT_EQ(first.join(' ').toStdString(), "Ignore list CMake Text C++ Shell");
    window.Type("mSearch_FileTypeFilterBox", "sh");
    EXPECT_TRUE(types.item(0)->isHidden());
    EXPECT_FALSE(types.item(4)->isHidden());
    window.Search("demo project");
    EXPECT_EQ(window.Text("mSearch_ResultTree"),
              "project/ (1)\n  README (1)\n    Line 1 : A demo project\n");
}

TEST(BackgroundPass, ReportsProgressWhileTheEngineWorksAndEndsCancelled)
{
    VarnikTest::TempTree tree;
    tree.File("a.gate", "12345\n").File("b.gate", "x\n");
    std::promise<void> gate;
    auto registry = Vn::FileParser_List::CreateFilled();
    registry->AddParser("gate", std::make_unique<GateParser>(gate.get_future().share()));
    Vn::FolderParser folderParser(registry.get());
    folderParser.SetJobs(2);
    Varnik::BackgroundPass pass(folderParser);
    Varnik::ProgressLine line;
    QObject::connect(&pass, &Varnik::BackgroundPass::Progressed, &line,
                     &Varnik::ProgressLine::SetProgress);
    QSignalSpy finished(&pass, &Varnik::BackgroundPass::Finished);

    line.Start("Scanning");
    pass.Scan(tree.Root());
    EXPECT_TRUE(
        QTest::qWaitFor([&line] { return line.Text().contains("1 files"); }, PASS_TIMEOUT_MS));
    EXPECT_TRUE(line.Text().startsWith("Scanning: 1 folders, 1 files, 0.0 MB, "));
    pass.Cancel();
    EXPECT_TRUE(QTest::qWaitFor([&finished] { return finished.count() == 1; }, PASS_TIMEOUT_MS))
        << "over at once, while the engine still waits";
    const Varnik::BackgroundPass::Outcome outcome = pass.Take();
    EXPECT_TRUE(outcome.mCancelled);
    EXPECT_EQ(outcome.mScan, nullptr);
    EXPECT_FALSE(pass.IsRunning());
    gate.set_value();

    // A cancel made as a pass starts ends that pass, and the next one runs whole.
    pass.Scan(tree.Root());
    pass.Cancel();
    EXPECT_TRUE(QTest::qWaitFor([&finished] { return finished.count() == 2; }, PASS_TIMEOUT_MS));
    EXPECT_TRUE(pass.Take().mCancelled);
    pass.Scan(tree.Root());
    EXPECT_TRUE(QTest::qWaitFor([&finished] { return finished.count() == 3; }, PASS_TIMEOUT_MS));
    const Varnik::BackgroundPass::Outcome whole = pass.Take();
    EXPECT_FALSE(whole.mCancelled);
    ASSERT_NE(whole.mScan, nullptr);
}

// Searches like a text parser, but reads "b.gate" only once the test opens the gate.
class GateSearchParser : public Vn::FileParser_Text
{
public:
    explicit GateSearchParser(std::shared_future<void> gate) : mGate(gate) {}
    std::unique_ptr<Vn::SearchResult_File> Search(const char* fileName,
                                                  const Vn::SearchRequest& request,
                                                  Vn::ReadingContext& context) const override
    {
        if (std::string(fileName).ends_with("b.gate"))
            mGate.wait();
        return Vn::FileParser_Text::Search(fileName, request, context);
    }

private:
    std::shared_future<void> mGate;
};

// The files found reach the view in walk order while the search still runs, the view
// fetching a long file's lines (too many to share a chunk of the store) a batch at a
// time, only as their end comes near sight, however often it is laid out; a cancel keeps
// the rows shown.
TEST(SearchResultModel, ShowsTheFilesOfARunningSearchAndKeepsThemOnCancel)
{
    VarnikTest::TempTree tree;
    std::string many;
    for (int line = 1; line <= 5000; line++)
        many += "hello " + std::to_string(line) + "\n";
    tree.File("a/long.gate", many).File("a/sub/one.gate", "hello\n").File("b.gate", "hello\n");
    tree.File("c/late.gate", "hello\n");
    std::promise<void> gate;
    auto registry = Vn::FileParser_List::CreateFilled();
    registry->AddParser("gate", std::make_unique<GateSearchParser>(gate.get_future().share()));
    Vn::FolderParser folderParser(registry.get());
    folderParser.SetJobs(2);
    Varnik::BackgroundPass pass(folderParser);
    QSignalSpy finished(&pass, &Varnik::BackgroundPass::Finished);
    Varnik::SearchResultModel model;
    Varnik::LazyTreeView view;
    view.setModel(&model);
    view.show();

    model.Reset(tree.Root());
    Vn::SearchRequest request;
    request.SetText("hello");
    pass.Search(tree.Root(), request);
    std::deque<Varnik::SearchResultModel::File> files;
    const auto streamed = [&]
    {
        pass.TakeFiles(files);
        model.Append(files, std::chrono::steady_clock::now() + std::chrono::milliseconds(20));
        return model.GetFiles() == 2;
    };
    ASSERT_TRUE(QTest::qWaitFor(streamed, PASS_TIMEOUT_MS)) << "before the gate";
    EXPECT_EQ(model.GetLines(), 5001u);
    const QModelIndex root = model.index(0, 0), a = model.index(0, 0, root);
    const QModelIndex longFile = model.index(0, 0, a), sub = model.index(1, 0, a);
    EXPECT_EQ(a.data().toString(), "a/ (5001)");
    EXPECT_EQ(longFile.data().toString(), "long.gate (5000)");
    EXPECT_EQ(model.index(0, 0, sub).data().toString(), "one.gate (1)");
    EXPECT_EQ(model.GetFolderPath(sub), tree.Path("a/sub"));
    EXPECT_EQ(model.rowCount(longFile), 0) << "no line before the view asks";
    for (const QModelIndex& row : {root, a, longFile})
        view.expand(row);
    QApplication::processEvents(); // lays the view out
    view.doItemsLayout();          // as each batch of files streamed in does
    EXPECT_EQ(model.rowCount(longFile), 1000) << "one batch, whose end is out of sight";
    const QModelIndex last = model.index(999, 0, longFile);
    EXPECT_EQ(last.data().toString(), "Line 1000 : hello 1000");
    EXPECT_EQ(model.GetLine(last), 1000u);
    EXPECT_EQ(model.GetFilePath(last), tree.Path("a/long.gate"));
    EXPECT_EQ(model.GetFilePath(longFile), tree.Path("a/long.gate"));
    EXPECT_EQ(model.GetFilePath(a), "");
    view.scrollTo(last);
    EXPECT_EQ(model.rowCount(longFile), 2000) << "fetched as its last row came in sight";

    pass.Cancel();
    gate.set_value();
    ASSERT_TRUE(QTest::qWaitFor([&finished] { return finished.count() == 1; }, PASS_TIMEOUT_MS));
    EXPECT_TRUE(pass.Take().mCancelled);
    EXPECT_EQ(model.GetFiles(), 2u) << "what was shown stays";

    // A search that runs whole streams every file, in walk order.
    files.clear();
    model.Reset(tree.Root());
    pass.Search(tree.Root(), request);
    ASSERT_TRUE(QTest::qWaitFor([&finished] { return finished.count() == 2; }, PASS_TIMEOUT_MS));
    EXPECT_FALSE(pass.Take().mCancelled);
    streamed();
    QStringList top;
    for (int row = 0; row < model.rowCount(root); row++)
        top.append(model.index(row, 0, root).data().toString());
    EXPECT_EQ(top.join(", "), "a/ (5001), b.gate (1), c/ (1)");
}

// The rows of a model's folders and files, a line each, depth first, indented by two
// spaces a level; a node's rows as far as they were fetched, unless `all`.
std::string ResultRows(QAbstractItemModel& model, const QModelIndex& parent, bool all,
                       int depth = 0)
{
    for (int fetched = -1; all && fetched != model.rowCount(parent);)
    {
        fetched = model.rowCount(parent);
        model.fetchMore(parent);
    }
    std::string text;
    for (int row = 0; row < model.rowCount(parent); row++)
    {
        const QModelIndex index = model.index(row, 0, parent);
        const std::string name = index.data().toString().toStdString();
        text += std::string(2 * depth, ' ') + name + "\n";
        if (name.find("/ (") != std::string::npos)
            text += ResultRows(model, index, all, depth + 1);
    }
    return text;
}

// The rows that a plain sort makes of files added in walk order: in each folder, its
// files and folders by their matching lines, most first, then in walk order.
class PlainResults
{
public:
    void Add(const std::vector<std::string>& folders, const std::string& file, uint64_t lines)
    {
        PlainResults* folder = this;
        mLines += lines;
        for (const std::string& name : folders)
        {
            auto [it, added] = folder->mFolders.try_emplace(name);
            if (added)
                it->second.mWalked = mAdded++;
            folder = &it->second;
            folder->mLines += lines;
        }
        folder->mFiles.push_back({lines, mAdded++, file, nullptr});
    }
    std::string Text(const std::string& name) const
    {
        return name + "/ (" + std::to_string(mLines) + ")\n" + Rows(1);
    }

private:
    using Row = std::tuple<uint64_t, uint64_t, std::string, const PlainResults*>;

    std::string Rows(int depth) const
    {
        std::vector<Row> rows = mFiles;
        for (const auto& [name, folder] : mFolders)
            rows.emplace_back(folder.mLines, folder.mWalked, name + "/", &folder);
        std::sort(rows.begin(), rows.end(),
                  [](const Row& a, const Row& b) {
                      return std::pair(std::get<0>(b), std::get<1>(a)) <
                             std::pair(std::get<0>(a), std::get<1>(b));
                  });
        std::string text;
        for (const auto& [lines, walked, name, folder] : rows)
        {
            text += std::string(2 * depth, ' ') + name + " (" + std::to_string(lines) + ")\n";
            if (folder != nullptr)
                text += folder->Rows(depth + 1);
        }
        return text;
    }

    uint64_t mLines = 0, mWalked = 0, mAdded = 0;
    std::map<std::string, PlainResults> mFolders;
    std::vector<Row> mFiles;
};

// Results shown most lines first while they stream in, in slices of random sizes: after
// each, the rows shown are those of a plain sort of what came in, a folder the user
// opened stays open wherever it moves, and another order applies at once.
TEST(SearchResultModel, KeepsStreamedRowsInTheChosenOrder)
{
    Varnik::SearchResultModel model;
    Varnik::LazyTreeView view;
    view.setModel(&model);
    view.show();
    model.SetOrder(Varnik::SearchResultModel::Order::LINES);
    model.Reset("r");
    std::mt19937 random(12345);
    PlainResults plain;
    std::deque<Varnik::SearchResultModel::File> slice;
    QPersistentModelIndex opened;
    QString openedName;
    for (int file = 0; file < 360; file++)
    {
        std::vector<std::string> folders = {"d" + std::to_string(file / 30)};
        if (file % 30 >= 20)
            folders.push_back("sub");
        const std::string name = "f" + std::to_string(file) + ".txt";
        std::string path = "r";
        for (const std::string& folder : folders)
            path += "/" + folder;
        path += "/" + name;
        Vn::SearchResult_File found(path.c_str());
        const int lines = std::uniform_int_distribution(1, 4)(random);
        for (int line = 1; line <= lines; line++)
            found.AddLine(line, "hit\n");
        found.Pack();
        plain.Add(folders, name, lines);
        slice.push_back({path, found.TakeHits()});
        if (std::uniform_int_distribution(0, 15)(random) != 0 && file != 359)
            continue;

        model.Append(slice, std::chrono::steady_clock::time_point::max());
        view.expand(model.index(0, 0));
        const QModelIndex top = model.index(0, 0);
        if (!opened.isValid() && model.rowCount(top) > 2)
        {
            opened = model.index(2, 0, top);
            openedName = opened.data().toString().section(' ', 0, 0);
            view.expand(opened);
        }
        ASSERT_EQ(ResultRows(model, {}, false), plain.Text("r")) << "after file " << file;
    }
    ASSERT_TRUE(opened.isValid());
    EXPECT_TRUE(opened.data().toString().startsWith(openedName + " ("));
    EXPECT_TRUE(view.isExpanded(opened)) << "an open folder stays open as it moves";

    const auto topNames = [&model]
    {
        QStringList names;
        const QModelIndex top = model.index(0, 0);
        for (int row = 0; row < model.rowCount(top); row++)
            names.append(model.index(row, 0, top).data().toString().section('/', 0, 0));
        return names.join(' ').toStdString();
    };
    model.SetOrder(Varnik::SearchResultModel::Order::NAME);
    view.expand(model.index(0, 0));
    QApplication::processEvents(); // lays the view out
    EXPECT_EQ(topNames(), "d0 d1 d10 d11 d2 d3 d4 d5 d6 d7 d8 d9");
    model.SetOrder(Varnik::SearchResultModel::Order::WALK);
    view.expand(model.index(0, 0));
    QApplication::processEvents(); // lays the view out
    EXPECT_EQ(topNames(), "d0 d1 d2 d3 d4 d5 d6 d7 d8 d9 d10 d11");
}

// xdg-open may start and still fail; a stand-in that fails proves the user hears of it.
TEST(Desktop_Qt, ReportsAnOpenerThatFails)
{
    MessageLog<Varnik::Desktop_Qt> desktop;
    VarnikTest::TempTree bin;
    bin.File("xdg-open", "#!/bin/sh\necho no method available >&2\nexit 3\n")
        .Mode("xdg-open", 0755);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.Root()) + ":" + path);
    EXPECT_EQ(desktop.ShellExecute("open", bin.Path("xdg-open")), "");
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&desktop] { return !desktop.mLog.empty(); }, PASS_TIMEOUT_MS));
    EXPECT_EQ(desktop.TakeLog(), "Error: ShellExecute failed\nxdg-open exited with status 3: no "
                                 "method available\n");
    EXPECT_EQ(desktop.StartProgram({bin.Path("none").c_str()}),
              QString::fromStdString(bin.Path("none") + ": No such file or directory"));
}

TEST(DisplayForm, DrawsTheChartOnATransparentPicture)
{
    // Bars of 3 values from 1, 26 pixels apart from x = 70: {4..6} is the tallest, 688
    // pixels high and 21 wide.
    Vn::Counter_Histogram histogram("File Length", "lines", "files");
    for (const auto& [value, occurrences] : {std::pair(1u, 2u), {4u, 4u}, {100u, 1u}})
        histogram.AddValue(value, occurrences);
    FakeDesktop desktop;
    Varnik::DisplayForm form(histogram, "src", desktop);
    form.show();
    EXPECT_EQ(form.windowTitle(), "src - File Length");
    auto* label = form.findChild<QLabel*>("mPictureBox");
    QHelpEvent hover(QEvent::ToolTip, QPoint(label->width() * 100 / 1024, 10), QPoint(0, 0));
    QApplication::sendEvent(label, &hover);
    EXPECT_EQ(QToolTip::text(), "4-6 lines: 4 files");
    const QImage picture = label->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(1024, 768));
    for (const QPoint point : {QPoint(96, 40), {116, 727}})
        EXPECT_EQ(picture.pixelColor(point), QColor(Qt::black)) << point.x() << ", " << point.y();
    for (const QPoint point : {QPoint(96, 39), {117, 500}, {500, 300}})
        EXPECT_EQ(picture.pixelColor(point).alpha(), 0) << point.x() << ", " << point.y();
}

void Screenshot_Save(QWidget& window, const char* name)
{
    QDir().mkpath(VARNIK_SCREENSHOT_DIR);
    EXPECT_TRUE(window.grab().toImage().save(QString(VARNIK_SCREENSHOT_DIR "/") + name)) << name;
}

// Not a check but pictures of the windows for the documentation, on a project with a
// spread of file lengths so that the histogram has something to show.
TEST_F(MainDialog, Screenshots)
{
    for (int i = 0; i < 40; i++)
        mTree.File("project/src/modules/module" + std::to_string(i) + ".cpp",
                   "// A module\n" +
                       std::string(20 + (i * 37) % 130 + (i % 7) * (i % 5) * 4, '\n'));
    Window window(mRoot);
    window.mDialog.resize(1100, 640);
    window.Select("mFiles", "main.cpp");
    window.Select("mInfo", "Line = 7");
    window.Get<QTreeWidget>("mInfo").currentItem()->setExpanded(true);
    Screenshot_Save(window.mDialog, "counters.png");

    window.Tab(1);
    window.Check("mSearch_CaseSensitiveCheck", false);
    window.Search("hello");
    Screenshot_Save(window.mDialog, "search.png");

    // The progress line as it stands while a pass runs.
    auto& line = window.Get<Varnik::ProgressLine>("mProgressLine");
    line.Start("Searching", true);
    line.SetProgress({1284, 8316, 250ull << 20, 412});
    QTest::qWait(250);
    Screenshot_Save(window.mDialog, "progress.png");
    line.Finish("");

    window.Tab(0);
    window.Select("mFolders", "project");
    window.Select("mInfo", "File Length (Histogram)");
    QTimer::singleShot(0,
                       [&window]
                       {
                           auto* form = window.mDialog.findChild<Varnik::DisplayForm*>();
                           ASSERT_NE(form, nullptr);
                           Screenshot_Save(*form, "histogram.png");
                           form->close();
                       });
    window.Click("mCounters_DisplayBtn");
    EXPECT_EQ(window.mDialog.findChild<Varnik::DisplayForm*>(), nullptr) << "disposed when closed";
}

// The offscreen platform warns about size hints on every window shown; nothing to fix.
QtMessageHandler gQtMessages = nullptr;
void Message_Filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (gQtMessages && !text.startsWith("This plugin does not support "))
        gQtMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    // No screen, the private runtime folder Qt wants, unless the environment gives them (it
    // does not when the tests are listed at build time), and settings of this process
    // alone, since the tests run side by side.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", VARNIK_XDG_RUNTIME_DIR);
    gQtMessages = qInstallMessageHandler(Message_Filter);
    QApplication application(argc, argv);
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication::setOrganizationName("Varnik");
    QApplication::setApplicationName("varnik-test");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
