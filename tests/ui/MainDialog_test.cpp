// The window tests: the main window and the histogram window, driven through their
// controls on small trees on disk, with a stand-in for the user and the desktop.

#include "ui/Desktop.h"
#include "ui/DisplayForm.h"
#include "ui/MainDialog.h"

#include "ReadOverrideDropped.h"
#include "TempTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace
{

using Calls = std::vector<std::pair<std::string, std::string>>;

// Records every message (text, caption) and shell call (verb, path), and answers the
// folder chooser as the test arranged.
struct FakeDesktop : Varnik::Desktop
{
    void ShowMessage(const std::string& text, const char* caption) override
    {
        mMessages.emplace_back(text, caption);
    }
    std::optional<QString> ChooseFolder() override
    {
        mChooserShown++;
        return mChosenFolder;
    }
    bool ShellExecute(const char* verb, const std::string& path) override
    {
        mShellCalls.emplace_back(verb, path);
        return mShellSucceeds;
    }

    std::optional<QString> mChosenFolder; // none cancels the chooser
    bool mShellSucceeds = true;
    int mChooserShown = 0;
    Calls mMessages, mShellCalls;
};

void Screenshot_Save(QWidget& window, const char* name)
{
    QDir().mkpath(VARNIK_SCREENSHOT_DIR);
    EXPECT_TRUE(window.grab().toImage().save(QString(VARNIK_SCREENSHOT_DIR "/") + name)) << name;
}

const QStringList ALL_TYPES = {"c", "cmd", "cpp", "gitignore", "h", "hpp", "txt", "sh"};
const QStringList PROJECT_FOLDERS = {"project", "  docs", "  scripts", "  src", "    core"};

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
    }

    template <class T> T& Get(const char* name)
    {
        if (T* control = mDialog.findChild<T*>(name))
            return *control;
        throw std::logic_error(std::string("no control ") + name);
    }
    bool Enabled(const char* name) { return Get<QWidget>(name).isEnabled(); }
    void Click(const char* button) { QTest::mouseClick(&Get<QPushButton>(button), Qt::LeftButton); }
    void Check(const char* box, bool checked) { Get<QCheckBox>(box).setChecked(checked); }
    void Tab(int page) { Get<QTabWidget>("mTabControl").setCurrentIndex(page); }
    QString RootFolder() { return Get<QLineEdit>("mRootFolderBox").text(); }

    // Every node of a tree view, depth first, indented by two spaces a level; with
    // `expanded`, only the nodes whose children show, unindented.
    QStringList Lines(const char* tree, bool expanded = false)
    {
        QStringList lines;
        for (QTreeWidgetItemIterator it(&Get<QTreeWidget>(tree)); *it; ++it)
        {
            QString indent;
            for (auto* node = (*it)->parent(); node && !expanded; node = node->parent())
                indent += "  ";
            if (!expanded || (*it)->isExpanded())
                lines << indent + (*it)->text(0);
        }
        return lines;
    }

    // The lines of a list, or those whose check box is in the given state.
    QStringList Items(const char* list, std::optional<Qt::CheckState> state = {})
    {
        QStringList items;
        QListWidget& view = Get<QListWidget>(list);
        for (int i = 0; i < view.count(); i++)
            if (!state || view.item(i)->checkState() == *state)
                items << view.item(i)->text();
        return items;
    }
    QStringList FileTypes(Qt::CheckState state) { return Items("mSearch_FileTypeList", state); }

    // Selects the first node, or line of a list, with this text, as a click on it would.
    void Select(const char* view, const QString& text)
    {
        auto first = [&text](const auto& found)
        {
            if (found.isEmpty())
                throw std::logic_error("nothing named " + text.toStdString());
            return found.front();
        };
        if (auto* list = mDialog.findChild<QListWidget*>(view))
            return list->setCurrentItem(first(list->findItems(text, Qt::MatchExactly)));
        QTreeWidget& tree = Get<QTreeWidget>(view);
        tree.setCurrentItem(first(tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive)));
    }

    void Browse(const std::optional<QString>& folder)
    {
        mDesktop.mChosenFolder = folder;
        Click("mRootFolderBrowseBtn");
    }
    void Browse(const std::string& folder) { Browse(QString::fromStdString(folder)); }

    void Search(const QString& text)
    {
        Get<QLineEdit>("mSearch_TextBox").setText(text);
        Click("mSearch_Btn");
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

TEST_F(MainDialog, StartsOnAQuotedFolderAndScansIt)
{
    Window window('"' + mRoot + '"');

    EXPECT_EQ(window.RootFolder(), QString::fromStdString(mRoot));
    EXPECT_EQ(window.Lines("mFolders"), PROJECT_FOLDERS);
    EXPECT_EQ(window.Lines("mFolders", true), QStringList{"project"});
    EXPECT_EQ(window.Items("mFiles"),
              (QStringList{".gitignore", "CMakeLists.txt", "README", "main.cpp", "notes.txt"}));
    const QStringList counters = window.Lines("mInfo");
    ASSERT_FALSE(counters.isEmpty());
    EXPECT_EQ(counters.front(), "project");
    EXPECT_TRUE(counters.contains("  File = 8")) << counters.join('\n').toStdString();
    EXPECT_EQ(window.Lines("mInfo", true), QStringList{"project"});

    EXPECT_TRUE(window.Enabled("mSearch_Btn"));
    for (const char* button : {"mOpenFolderBtn", "mOpenFileBtn", "mCounters_DisplayBtn"})
        EXPECT_FALSE(window.Enabled(button)) << button << " before any selection";
    EXPECT_EQ(window.FileTypes(Qt::Checked), ALL_TYPES);
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

TEST_F(MainDialog, TakesAnUnquotedCommandLineWhole)
{
    mTree.File("my project/a.txt", "a\n").File("my project/sub/b.txt", "b\n");
    const std::string folder = mTree.Path("my");
    const char* arguments[] = {"varnik", folder.c_str(), "project/"};
    const std::string commandLine = Varnik::MainDialog::CommandLine(3, arguments);
    EXPECT_EQ(commandLine, mTree.Path("my project") + "/");

    Window window(commandLine);
    EXPECT_EQ(window.Lines("mFolders"), (QStringList{"my project", "  sub"}))
        << "a trailing separator still names the root after its folder";
    EXPECT_EQ(window.Items("mFiles"), QStringList{"a.txt"});
    window.Select("mFolders", "sub");
    window.Click("mOpenFolderBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls, (Calls{{"explore", mTree.Path("my project/sub")}}));
}

TEST_F(MainDialog, StartsEmptyWithoutACommandLineThenBrowses)
{
    mTree.File("other/only.h", "int x;\n");
    const char* arguments[] = {"varnik"};
    Window window(Varnik::MainDialog::CommandLine(1, arguments));
    EXPECT_EQ(window.RootFolder(), "");
    for (const char* tree : {"mFolders", "mInfo"})
        EXPECT_TRUE(window.Lines(tree).isEmpty()) << tree;
    EXPECT_TRUE(window.Items("mFiles").isEmpty());
    EXPECT_FALSE(window.Enabled("mSearch_Btn"));
    EXPECT_TRUE(window.Enabled("mRootFolderBrowseBtn"));
    EXPECT_EQ(window.FileTypes(Qt::Checked), ALL_TYPES);

    window.Browse(mRoot);
    EXPECT_EQ(window.Lines("mFolders"), PROJECT_FOLDERS);
    EXPECT_TRUE(window.Enabled("mSearch_Btn"));

    window.Select("mFolders", "src");
    window.Browse(mTree.Path("other"));
    EXPECT_EQ(window.Lines("mFolders"), QStringList{"other"});
    EXPECT_EQ(window.Items("mFiles"), QStringList{"only.h"});
    EXPECT_EQ(window.Lines("mInfo").front(), "other");
    EXPECT_FALSE(window.Enabled("mOpenFolderBtn"));

    window.Browse(std::nullopt);
    EXPECT_EQ(window.mDesktop.mChooserShown, 3);
    EXPECT_EQ(window.RootFolder(), QString::fromStdString(mTree.Path("other")));
    EXPECT_EQ(window.Lines("mFolders"), QStringList{"other"});
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

TEST_F(MainDialog, SelectionDrivesTheViewsButtonsAndShell)
{
    Window window(mRoot);

    window.Select("mFolders", "project");
    window.Click("mOpenFolderBtn");
    window.Select("mFolders", "docs");
    EXPECT_TRUE(window.Items("mFiles").isEmpty());
    EXPECT_EQ(window.Lines("mInfo"), QStringList{"docs"});
    EXPECT_TRUE(window.Enabled("mOpenFolderBtn"));

    window.Select("mFolders", "src");
    EXPECT_EQ(window.Items("mFiles"), QStringList{"util.h"});
    EXPECT_EQ(window.Lines("mInfo").front(), "src");
    EXPECT_TRUE(window.Lines("mInfo").contains("    50.0% cpp (1)"));
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));

    window.Select("mFiles", "util.h");
    EXPECT_EQ(window.Lines("mInfo").front(), "util.h");
    EXPECT_TRUE(window.Enabled("mOpenFileBtn"));
    for (const QString line : {"File Length (Histogram)", "File = 1", "File Length (Histogram)"})
    {
        window.Select("mInfo", line);
        EXPECT_EQ(window.Enabled("mCounters_DisplayBtn"), line.contains("Histogram"))
            << line.toStdString();
    }

    window.Select("mFolders", "core");
    EXPECT_FALSE(window.Enabled("mCounters_DisplayBtn")) << "a new selection drops the histogram";
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));
    EXPECT_TRUE(window.Enabled("mOpenFolderBtn"));
    window.Click("mOpenFolderBtn");
    window.Select("mFiles", "engine.cpp");
    window.Click("mOpenFileBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls, (Calls{{"explore", mRoot},
                                                  {"explore", mRoot + "/src/core"},
                                                  {"open", mRoot + "/src/core/engine.cpp"}}));
    EXPECT_TRUE(window.mDesktop.mMessages.empty());

    window.mDesktop.mShellSucceeds = false;
    window.Click("mOpenFileBtn");
    EXPECT_EQ(window.mDesktop.mMessages, (Calls{{"ShellExecute failed", "Error"}}));
}

// An ignore file of mode 0 passes the walker's readability test and still fails to open
// while root has dropped its power to read it regardless; anyone else's is skipped.
TEST_F(MainDialog, ScansThatFailOnAnIgnoreFileLeaveNoTree)
{
    mTree.File("broken/.gitignore", "*.tmp\n").File("broken/a.txt", "hello\n");
    Window window(mRoot);
    window.Select("mFolders", "src");
    window.Select("mFiles", "util.h");
    window.Select("mInfo", "File Length (Histogram)");
    window.Search("hello");
    std::optional<Window> started;
    {
        chmod(mTree.Path("broken/.gitignore").c_str(), 0);
        const VarnikTest::ReadOverrideDropped readOverride;
        if (!readOverride.Dropped())
            GTEST_SKIP() << "only root's ignore file can pass the readability test and not open";
        started.emplace(mTree.Path("broken"));
        window.Browse(mTree.Path("broken"));
        window.Search("hello");
    }

    EXPECT_EQ(started->mDesktop.mMessages,
              (Calls{{"An exception occured in Varnik::MainDialog::MainDialog_Load", "Error"}}));
    EXPECT_TRUE(started->Lines("mFolders").isEmpty());
    EXPECT_FALSE(started->Enabled("mSearch_Btn"));
    EXPECT_EQ(started->FileTypes(Qt::Checked), ALL_TYPES) << "listed before the scan";

    const char* failed = "An exception occured in Varnik::MainDialog::";
    EXPECT_EQ(window.mDesktop.mMessages,
              (Calls{{failed + std::string("mRootFolderBrowseBtn_Click"), "Error"},
                     {failed + std::string("mSearch_Btn_Click"), "Error"}}));
    for (const char* tree : {"mFolders", "mInfo", "mSearch_ResultTree"})
        EXPECT_TRUE(window.Lines(tree).isEmpty()) << tree;
    EXPECT_TRUE(window.Items("mFiles").isEmpty());
    for (const char* button : {"mOpenFolderBtn", "mOpenFileBtn", "mCounters_DisplayBtn"})
        EXPECT_FALSE(window.Enabled(button)) << button;
    EXPECT_TRUE(window.mDesktop.mShellCalls.empty());
}

TEST_F(MainDialog, ShowsTheCountersOfAFileNamedReadablyAndOpensItsBytes)
{
    mTree.File("root/caf\xe9.txt", "1\n2\n\n4\n5\n6\n\n8\n9\n10\n");
    Window window(mTree.Path("root"));
    const QString name = QString::fromUtf8("caf\uFFFD.txt"); // not UTF-8, shown readably

    EXPECT_EQ(window.Items("mFiles"), QStringList{name});
    window.Select("mFiles", name);
    const QStringList shares = {"    20.0% Blank (2)", "    80.0% Code (8)",
                                "    0.0% Comment (0)"};
    EXPECT_EQ(window.Lines("mInfo"),
              (QStringList{name, "  File = 1", "    100.0% txt (1)", "  Line = 10"} + shares +
               QStringList{"  txt = 10"} + shares + QStringList{"  File Length (Histogram)"}));
    window.Click("mOpenFileBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls, (Calls{{"open", mTree.Path("root/caf\xe9.txt")}}));
}

TEST_F(MainDialog, SearchShowsFoldersFilesAndLinesAndOpensThem)
{
    Window window(mRoot);

    window.Search("hello");
    EXPECT_EQ(window.Lines("mSearch_ResultTree"),
              (QStringList{"project/ (3)", "  main.cpp (1)", "    Line 3 : // Say hello",
                           "  notes.txt (1)", "    Line 1 : Say hello to the team", "  src/ (1)",
                           "    core/ (1)", "      engine.cpp (1)",
                           "        Line 2 : int level; /* hello from the engine */"}));
    EXPECT_EQ(window.Lines("mSearch_ResultTree", true), QStringList{"project/ (3)"});

    // The node selected, whether it enables "Open selected file" and "Open selected
    // folder", and what a click on both hands to the shell.
    const struct
    {
        const char* mNode;
        bool mFile;
        Calls mCalls;
    } rows[] = {
        {"Line 2 : int level; /* hello from the engine */",
         true,
         {{"open", mRoot + "/src/core/engine.cpp"}, {"explore", mRoot + "/src/core"}}},
        {"main.cpp (1)", true, {{"open", mRoot + "/main.cpp"}, {"explore", mRoot}}},
        {"src/ (1)", false, {{"explore", mRoot + "/src"}}},
    };
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFolderBtn"));
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFileBtn"));
    for (const auto& row : rows)
    {
        window.mDesktop.mShellCalls.clear();
        window.Select("mSearch_ResultTree", row.mNode);
        EXPECT_EQ(window.Enabled("mSearch_OpenSelectedFileBtn"), row.mFile) << row.mNode;
        EXPECT_TRUE(window.Enabled("mSearch_OpenSelectedFolderBtn")) << row.mNode;
        window.Click("mSearch_OpenSelectedFileBtn");
        window.Click("mSearch_OpenSelectedFolderBtn");
        EXPECT_EQ(window.mDesktop.mShellCalls, row.mCalls) << row.mNode;
    }
}

TEST_F(MainDialog, SearchKeepsToTheChosenZonesTypesAndCase)
{
    Window window(mRoot);
    auto files = [&window](const QString& text) // the files found, with their counts
    {
        window.Search(text);
        QStringList found;
        for (const QString& line : window.Lines("mSearch_ResultTree"))
            if (line.contains('.') && !line.contains(" : "))
                found << line.trimmed();
        return found;
    };
    const QStringList everywhere = {"main.cpp (2)", "notes.txt (1)", "engine.cpp (1)"};

    EXPECT_EQ(files("Hello"), QStringList{"main.cpp (1)"});
    window.Check("mSearch_CaseSensitiveCheck", false);
    EXPECT_EQ(files("HELLO"), everywhere);

    // The zones searched: code, comment, directive, string. Text files have no zones.
    const struct
    {
        bool mZones[4];
        QStringList mFound;
    } rows[] = {
        {{false, true, false, false}, {"main.cpp (1)", "notes.txt (1)", "engine.cpp (1)"}},
        {{false, false, false, true}, {"main.cpp (1)", "notes.txt (1)"}},
        {{false, false, false, false}, {}},
        {{true, true, true, true}, everywhere},
    };
    const char* zones[] = {"mSearch_InCodeCheck", "mSearch_InCommentCheck",
                           "mSearch_InDirectiveCheck", "mSearch_InStringCheck"};
    for (const auto& row : rows)
    {
        for (int i = 0; i < 4; i++)
            window.Check(zones[i], row.mZones[i]);
        EXPECT_EQ(files("hello"), row.mFound) << row.mFound.join(", ").toStdString();
    }
    EXPECT_TRUE(window.mDesktop.mMessages.empty()) << "finding nothing is no error";

    window.Click("mSearch_UnselectAllFileTypeBtn");
    EXPECT_EQ(window.FileTypes(Qt::Unchecked), ALL_TYPES);
    EXPECT_EQ(files("hello"), everywhere) << "no type chosen takes every type";
    // A click on the type's line toggles its check box.
    window.Tab(1);
    QListWidget& types = window.Get<QListWidget>("mSearch_FileTypeList");
    const QRect txt = types.visualItemRect(types.findItems("txt", Qt::MatchExactly).front());
    QTest::mouseClick(types.viewport(), Qt::LeftButton, {}, txt.center());
    EXPECT_EQ(window.FileTypes(Qt::Checked), QStringList{"txt"});
    EXPECT_EQ(files("hello"), QStringList{"notes.txt (1)"});
    window.Click("mSearch_SelectAllFileTypeBtn");
    EXPECT_EQ(window.FileTypes(Qt::Checked), ALL_TYPES);
    EXPECT_EQ(files("build"), (QStringList{".gitignore (1)", "build.sh (2)"}));
}

TEST_F(MainDialog, SearchResultsLastUntilTheNextSearch)
{
    mTree.File("other/a.txt", "nothing here\n");
    Window window(mRoot);
    window.Search("hello");
    const QStringList results = window.Lines("mSearch_ResultTree");

    window.Browse(mTree.Path("other"));
    EXPECT_EQ(window.Lines("mSearch_ResultTree"), results);
    window.Select("mSearch_ResultTree", "notes.txt (1)");
    window.Click("mSearch_OpenSelectedFileBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls, (Calls{{"open", mRoot + "/notes.txt"}}));

    mTree.File("other/a.txt", "hello there\n");
    window.Search("hello");
    EXPECT_EQ(window.Lines("mSearch_ResultTree"),
              (QStringList{"other/ (1)", "  a.txt (1)", "    Line 1 : hello there"}))
        << "the search reads the files as they are now";

    window.Search("absent");
    EXPECT_TRUE(window.Lines("mSearch_ResultTree").isEmpty());
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFileBtn"));
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFolderBtn"));
}

TEST(DisplayForm, DrawsTheChartAndItsLabelsOnATransparentPicture)
{
    // Bars of 3 values from 1, 26 pixels apart from x = 70: {1..3} holds 2, {4..6} the
    // tallest with 4, {7..9} nothing, and the last bar 100.
    Vn::Counter_Histogram histogram("File Length", "lines", "files");
    for (const auto& [value, occurrences] : {std::pair{1, 2}, {4, 4}, {100, 1}})
        histogram.AddValue(value, occurrences);
    FakeDesktop desktop;
    Varnik::DisplayForm form(histogram, "src", desktop);
    form.show();

    EXPECT_EQ(form.windowTitle(), "src - File Length");
    const auto* label = form.findChild<QLabel*>("mPictureBox");
    ASSERT_NE(label, nullptr);
    const QImage picture = label->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(1024, 768));
    // Black points: the tallest bar's corners (688 high, 21 wide), the half bar's top
    // (344 high), and the empty bar, a line of one pixel. Clear points: around them, and
    // the background, which nothing paints.
    for (const QPoint point : {QPoint(96, 40), {116, 727}, {70, 384}, {122, 728}})
        EXPECT_EQ(picture.pixelColor(point), QColor(Qt::black)) << point.x() << ", " << point.y();
    for (const QPoint point :
         {QPoint(96, 39), {96, 728}, {117, 500}, {70, 383}, {122, 727}, {122, 729}, {500, 300}})
        EXPECT_EQ(picture.pixelColor(point).alpha(), 0) << point.x() << ", " << point.y();

    // The labels are text: only check that some ink starts where each one should.
    auto inkIn = [&picture](int left, int top)
    {
        for (int y = top; y < top + 20; y++)
            for (int x = left; x < left + 40; x++)
                if (picture.pixelColor(x, y).alpha() != 0)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(40, 732)) << "the first bar's label";
    EXPECT_TRUE(inkIn(898, 732)) << "the last bar's label";
    EXPECT_TRUE(inkIn(10, 10)) << "the largest total";
    EXPECT_FALSE(inkIn(0, 740)) << "left of the first label";
    EXPECT_TRUE(desktop.mMessages.empty());
}

// Pictures of the windows for people to look at, on a project with a spread of file
// lengths so that the histogram has something to show; the last opens the histogram.
TEST_F(MainDialog, ScreenshotsAndTheHistogramWindow)
{
    for (int i = 0; i < 40; i++)
    {
        std::string text = "// Module " + std::to_string(i) + "\n#include \"src/util.h\"\n\n";
        for (int line = 0; line < 20 + (i * 37) % 130 + (i % 7) * (i % 5) * 4; line++)
            text += line % 9 == 0 ? "\n" : "int value" + std::to_string(line) + " = 0;\n";
        mTree.File("project/src/modules/module" + std::to_string(i) + ".cpp", text);
    }
    Window window(mRoot);
    window.mDialog.resize(1100, 640);

    window.Select("mFiles", "main.cpp");
    window.Select("mInfo", "Line = 7");
    window.Get<QTreeWidget>("mInfo").currentItem()->setExpanded(true);
    Screenshot_Save(window.mDialog, "counters.png");

    window.Tab(1);
    window.Check("mSearch_CaseSensitiveCheck", false);
    window.Search("hello");
    window.Get<QTreeWidget>("mSearch_ResultTree").expandAll();
    Screenshot_Save(window.mDialog, "search.png");

    window.Tab(0);
    window.Select("mFolders", "project");
    window.Select("mInfo", "File Length (Histogram)");
    QString title;
    QTimer::singleShot(0,
                       [&window, &title]
                       {
                           auto* form = window.mDialog.findChild<Varnik::DisplayForm*>();
                           ASSERT_NE(form, nullptr);
                           title = form->windowTitle();
                           Screenshot_Save(*form, "histogram.png");
                           form->close();
                       });
    window.Click("mCounters_DisplayBtn");

    EXPECT_EQ(title, "project - File Length");
    EXPECT_EQ(window.mDialog.findChild<Varnik::DisplayForm*>(), nullptr) << "disposed when closed";
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

// The offscreen platform warns about size hints on every window shown; nothing to fix.
QtMessageHandler gQtMessages = nullptr;
void Message_Filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (gQtMessages && text != "This plugin does not support propagateSizeHints()")
        gQtMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    // No screen, and the private runtime folder Qt wants, unless the environment gives
    // them (it does not when the tests are listed at build time).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", VARNIK_XDG_RUNTIME_DIR);
    gQtMessages = qInstallMessageHandler(Message_Filter);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
