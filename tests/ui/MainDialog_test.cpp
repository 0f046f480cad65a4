#include "ui/MainDialog.h"

#include "FakeDesktop.h"
#include "ReadOverrideDropped.h"
#include "TempTree.h"
#include "ui/DisplayForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

namespace
{

using Message = VarnikTest::FakeDesktop::Message;
using ShellCall = VarnikTest::FakeDesktop::ShellCall;
using VarnikTest::TempTree;

// A small project: an ignore file that drops build/ and *.tmp, C++ sources with code,
// comments, directives and strings, a text file, a script and an empty folder.
void Project_Create(TempTree& tree)
{
    tree.File("project/.gitignore", "build/\n*.tmp\n")
        .File("project/CMakeLists.txt", "project(demo)\nadd_executable(demo main.cpp)\n")
        .File("project/README", "A demo project\n")
        .File("project/main.cpp", "#include \"src/util.h\"\n"
                                  "\n"
                                  "// Say hello\n"
                                  "int main()\n"
                                  "{\n"
                                  "    return Print(\"Hello, world\");\n"
                                  "}\n")
        .File("project/notes.txt", "Say hello to the team\n\nThen ship it\n")
        .File("project/scratch.tmp", "hello\n")
        .File("project/build/out.txt", "hello\n")
        .File("project/src/util.h", "#pragma once\nint Print(const char* text);\n")
        .File("project/src/core/engine.cpp", "#if defined(TRACE)\n"
                                             "int level; /* hello from the engine */\n"
                                             "#endif\n")
        .File("project/scripts/build.sh", "#!/bin/sh\n# build it\ncmake --build .\n")
        .Folder("project/docs");
}

// An ignore file that passes the walker's readability test and still cannot be opened,
// for as long as this object lives: it loses every permission, and root the power to
// read it regardless.
class UnopenableFile
{
public:
    explicit UnopenableFile(const std::string& path) { chmod(path.c_str(), 0); }
    bool Ready() const { return mReadOverride.Dropped(); }

private:
    VarnikTest::ReadOverrideDropped mReadOverride;
};

constexpr const char* NEEDS_ROOT = "only root's ignore file can pass the readability test and "
                                   "still fail to open; anyone else's is skipped";

// The main window with a stand-in desktop, read and driven through its controls.
class Window
{
public:
    // Starts as the program does: the command line, when there is one, then the window.
    explicit Window(const std::string& commandLine = {})
    {
        if (!commandLine.empty())
            mDialog.SetRootFolder(commandLine.c_str());
        mDialog.show();
    }

    template <class T> T& Get(const char* name)
    {
        T* control = mDialog.findChild<T*>(name);
        if (control == nullptr)
            throw std::logic_error(std::string("no control ") + name);
        return *control;
    }

    bool Enabled(const char* name) { return Get<QWidget>(name).isEnabled(); }
    QString RootFolder() { return Get<QLineEdit>("mRootFolderBox").text(); }
    void Click(const char* button) { QTest::mouseClick(&Get<QPushButton>(button), Qt::LeftButton); }
    void Check(const char* box, bool checked) { Get<QCheckBox>(box).setChecked(checked); }

    // Every node of a tree view, depth first, indented by two spaces per level.
    QStringList Lines(const char* tree)
    {
        QStringList lines;
        QTreeWidget& view = Get<QTreeWidget>(tree);
        for (int i = 0; i < view.topLevelItemCount(); i++)
            Lines_Add(lines, *view.topLevelItem(i), 0);
        return lines;
    }

    // The nodes whose children show, by their text.
    QStringList Expanded(const char* tree)
    {
        QStringList expanded;
        for (QTreeWidgetItemIterator it(&Get<QTreeWidget>(tree)); *it; ++it)
        {
            if ((*it)->isExpanded())
                expanded << (*it)->text(0);
        }
        return expanded;
    }

    QStringList Items(const char* list)
    {
        QStringList items;
        QListWidget& view = Get<QListWidget>(list);
        for (int i = 0; i < view.count(); i++)
            items << view.item(i)->text();
        return items;
    }

    // Selects the first node with this text, as a click on it would.
    void Select(const char* tree, const QString& text)
    {
        QTreeWidget& view = Get<QTreeWidget>(tree);
        const auto found = view.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        if (found.isEmpty())
            throw std::logic_error("no node " + text.toStdString());
        view.setCurrentItem(found.front());
    }

    void SelectFile(const QString& name)
    {
        QListWidget& view = Get<QListWidget>("mFiles");
        const auto found = view.findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            throw std::logic_error("no file " + name.toStdString());
        view.setCurrentItem(found.front());
    }

    void Browse(const std::optional<QString>& folder)
    {
        mDesktop.mChosenFolder = folder;
        Click("mRootFolderBrowseBtn");
    }

    void Search(const QString& text)
    {
        Get<QLineEdit>("mSearch_TextBox").setText(text);
        Click("mSearch_Btn");
    }

    // A click on the file type's line in the list toggles its check box.
    void FileType_Click(const QString& type)
    {
        QListWidget& list = Get<QListWidget>("mSearch_FileTypeList");
        Get<QTabWidget>("mTabControl").setCurrentIndex(1);
        const QRect line = list.visualItemRect(list.findItems(type, Qt::MatchExactly).front());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, line.center());
    }

    QStringList FileTypes(Qt::CheckState state)
    {
        QStringList types;
        QListWidget& list = Get<QListWidget>("mSearch_FileTypeList");
        for (int i = 0; i < list.count(); i++)
        {
            if (list.item(i)->checkState() == state)
                types << list.item(i)->text();
        }
        return types;
    }

    VarnikTest::FakeDesktop mDesktop;
    Varnik::MainDialog mDialog{mDesktop};

private:
    static void Lines_Add(QStringList& lines, const QTreeWidgetItem& node, int depth)
    {
        lines << QString(depth * 2, ' ') + node.text(0);
        for (int i = 0; i < node.childCount(); i++)
            Lines_Add(lines, *node.child(i), depth + 1);
    }
};

const QStringList ALL_TYPES = {"c", "cmd", "cpp", "gitignore", "h", "hpp", "txt", "sh"};

const QStringList PROJECT_FOLDERS = {"project", "  docs", "  scripts", "  src", "    core"};

// ---------------------------------------------------------------- start and scan

TEST(MainDialog, StartsOnAQuotedFolderAndScansIt)
{
    TempTree tree;
    Project_Create(tree);
    Window window('"' + tree.Path("project") + '"');

    EXPECT_EQ(window.RootFolder(), QString::fromStdString(tree.Path("project")));
    EXPECT_EQ(window.Lines("mFolders"), PROJECT_FOLDERS);
    EXPECT_EQ(window.Expanded("mFolders"), QStringList{"project"});
    EXPECT_EQ(window.Items("mFiles"),
              (QStringList{".gitignore", "CMakeLists.txt", "README", "main.cpp", "notes.txt"}));
    const QStringList counters = window.Lines("mInfo");
    ASSERT_FALSE(counters.isEmpty());
    EXPECT_EQ(counters.front(), "project");
    EXPECT_TRUE(counters.contains("  File = 8")) << counters.join('\n').toStdString();
    EXPECT_EQ(window.Expanded("mInfo"), QStringList{"project"});

    EXPECT_TRUE(window.Enabled("mSearch_Btn"));
    EXPECT_FALSE(window.Enabled("mOpenFolderBtn")) << "until a folder is selected";
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));
    EXPECT_FALSE(window.Enabled("mCounters_DisplayBtn"));
    EXPECT_EQ(window.FileTypes(Qt::Checked), ALL_TYPES);
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

TEST(MainDialog, TakesAnUnquotedCommandLineWhole)
{
    TempTree tree;
    tree.File("my project/a.txt", "a\n");
    const std::string path = tree.Path("my project");
    const std::string folder = tree.Path("my");
    const char* arguments[] = {"varnik", folder.c_str(), "project"};

    const std::string commandLine = Varnik::MainDialog::CommandLine(3, arguments);
    Window window(commandLine);

    EXPECT_EQ(commandLine, path);
    EXPECT_EQ(window.Lines("mFolders"), QStringList{"my project"});
    EXPECT_EQ(window.Items("mFiles"), QStringList{"a.txt"});
}

TEST(MainDialog, StartsEmptyWithoutACommandLine)
{
    Window window(Varnik::MainDialog::CommandLine(1, std::vector<const char*>{"varnik"}.data()));

    EXPECT_EQ(window.RootFolder(), "");
    EXPECT_TRUE(window.Lines("mFolders").isEmpty());
    EXPECT_TRUE(window.Items("mFiles").isEmpty());
    EXPECT_TRUE(window.Lines("mInfo").isEmpty());
    EXPECT_FALSE(window.Enabled("mSearch_Btn"));
    EXPECT_TRUE(window.Enabled("mRootFolderBrowseBtn"));
    EXPECT_EQ(window.FileTypes(Qt::Checked), ALL_TYPES);
}

TEST(MainDialog, BrowseScansTheChosenFolderAndCancellingKeepsIt)
{
    TempTree tree;
    Project_Create(tree);
    tree.File("other/only.h", "int x;\n");
    Window window;

    window.Browse(QString::fromStdString(tree.Path("project")));
    EXPECT_EQ(window.Lines("mFolders"), PROJECT_FOLDERS);
    EXPECT_TRUE(window.Enabled("mSearch_Btn"));

    window.Select("mFolders", "src");
    window.Browse(QString::fromStdString(tree.Path("other")));
    EXPECT_EQ(window.Lines("mFolders"), QStringList{"other"});
    EXPECT_EQ(window.Items("mFiles"), QStringList{"only.h"});
    EXPECT_EQ(window.Lines("mInfo").front(), "other");
    EXPECT_FALSE(window.Enabled("mOpenFolderBtn"));

    window.Browse(std::nullopt);
    EXPECT_EQ(window.mDesktop.mChooserShown, 3);
    EXPECT_EQ(window.RootFolder(), QString::fromStdString(tree.Path("other")));
    EXPECT_EQ(window.Lines("mFolders"), QStringList{"other"});
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

TEST(MainDialog, RootWithATrailingSeparatorIsNamedAfterTheFolder)
{
    TempTree tree;
    Project_Create(tree);
    Window window(tree.Path("project") + "/");

    EXPECT_EQ(window.Lines("mFolders"), PROJECT_FOLDERS);
    window.Select("mFolders", "core");
    window.Click("mOpenFolderBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls.back().mPath, tree.Path("project/src/core"));
}

TEST(MainDialog, ResizingStretchesTheViewsAndKeepsTheControlsAtTheirEdges)
{
    Window window;
    auto rect = [&window](const char* name)
    {
        QWidget& control = window.Get<QWidget>(name);
        return QRect(control.mapTo(&window.mDialog, QPoint(0, 0)), control.size());
    };
    const char* tracked[] = {"mRootFolderBox", "mRootFolderBrowseBtn", "mFolders",
                             "mInfo",          "mCounters_DisplayBtn", "mSearch_FileTypeList",
                             "mSearch_Btn",    "mSearch_ResultTree"};
    window.Get<QTabWidget>("mTabControl").setCurrentIndex(1); // lays out the second page
    window.Get<QTabWidget>("mTabControl").setCurrentIndex(0);
    EXPECT_EQ(window.mDialog.size(), QSize(993, 592));
    std::map<std::string, QRect> before;
    for (const char* name : tracked)
        before[name] = rect(name);

    window.mDialog.resize(993 + 200, 592 + 100);
    window.Get<QTabWidget>("mTabControl").setCurrentIndex(1);
    window.Get<QTabWidget>("mTabControl").setCurrentIndex(0);

    auto moved = [&](const char* name) { return rect(name).topLeft() - before[name].topLeft(); };
    auto grown = [&](const char* name) { return rect(name).size() - before[name].size(); };
    EXPECT_EQ(grown("mRootFolderBox"), QSize(200, 0));
    EXPECT_EQ(moved("mRootFolderBrowseBtn"), QPoint(200, 0));
    EXPECT_EQ(grown("mFolders").height(), 100);
    EXPECT_GT(grown("mFolders").width(), 0);
    EXPECT_EQ(moved("mInfo"), QPoint(200, 0));
    EXPECT_EQ(grown("mInfo"), QSize(0, 100));
    EXPECT_EQ(moved("mCounters_DisplayBtn"), QPoint(200, 0));
    EXPECT_EQ(moved("mSearch_FileTypeList"), QPoint(0, 0));
    EXPECT_EQ(moved("mSearch_Btn"), QPoint(200, 0));
    EXPECT_EQ(grown("mSearch_ResultTree"), QSize(200, 100));
}

// ---------------------------------------------------------------- counters page

TEST(MainDialog, ShowsTheCountersOfATextFile)
{
    TempTree tree;
    tree.File("root/a.txt", "1\n2\n\n4\n5\n6\n\n8\n9\n10\n");
    Window window(tree.Path("root"));

    window.SelectFile("a.txt");

    EXPECT_EQ(window.Lines("mInfo"), (QStringList{
                                         "a.txt",
                                         "  File = 1",
                                         "    100.0% txt (1)",
                                         "  Line = 10",
                                         "    20.0% Blank (2)",
                                         "    80.0% Code (8)",
                                         "    0.0% Comment (0)",
                                         "  txt = 10",
                                         "    20.0% Blank (2)",
                                         "    80.0% Code (8)",
                                         "    0.0% Comment (0)",
                                         "  File Length (Histogram)",
                                     }));
}

TEST(MainDialog, SelectionDrivesTheViewsAndButtons)
{
    TempTree tree;
    Project_Create(tree);
    Window window(tree.Path("project"));

    window.Select("mFolders", "docs");
    EXPECT_TRUE(window.Items("mFiles").isEmpty());
    EXPECT_EQ(window.Lines("mInfo"), QStringList{"docs"});
    EXPECT_TRUE(window.Enabled("mOpenFolderBtn"));

    window.Select("mFolders", "src");
    EXPECT_EQ(window.Items("mFiles"), QStringList{"util.h"});
    EXPECT_EQ(window.Lines("mInfo").front(), "src");
    EXPECT_TRUE(window.Lines("mInfo").contains("    50.0% cpp (1)"));
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));

    window.SelectFile("util.h");
    EXPECT_EQ(window.Lines("mInfo").front(), "util.h");
    EXPECT_TRUE(window.Enabled("mOpenFileBtn"));

    window.Select("mInfo", "File Length (Histogram)");
    EXPECT_TRUE(window.Enabled("mCounters_DisplayBtn"));
    window.Select("mInfo", "File = 1");
    EXPECT_FALSE(window.Enabled("mCounters_DisplayBtn"));
    window.Select("mInfo", "File Length (Histogram)");
    EXPECT_TRUE(window.Enabled("mCounters_DisplayBtn"));

    window.Select("mFolders", "core");
    EXPECT_FALSE(window.Enabled("mCounters_DisplayBtn")) << "a new selection drops the histogram";
    EXPECT_FALSE(window.Enabled("mOpenFileBtn"));
    EXPECT_TRUE(window.Enabled("mOpenFolderBtn"));
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

TEST(MainDialog, OpenButtonsHandThePathsToTheShell)
{
    TempTree tree;
    Project_Create(tree);
    const std::string root = tree.Path("project");
    Window window(root);

    window.Select("mFolders", "project");
    window.Click("mOpenFolderBtn");
    window.Select("mFolders", "core");
    window.Click("mOpenFolderBtn");
    window.SelectFile("engine.cpp");
    window.Click("mOpenFileBtn");

    EXPECT_EQ(window.mDesktop.mShellCalls, (std::vector<ShellCall>{
                                               {"explore", root},
                                               {"explore", root + "/src/core"},
                                               {"open", root + "/src/core/engine.cpp"},
                                           }));

    window.mDesktop.mShellSucceeds = false;
    window.Click("mOpenFileBtn");
    EXPECT_EQ(window.mDesktop.mMessages, (std::vector<Message>{{"ShellExecute failed", "Error"}}));
}

TEST(MainDialog, PassesThatFailOnAnIgnoreFileLeaveNoTree)
{
    TempTree tree;
    Project_Create(tree);
    tree.File("broken/.gitignore", "*.tmp\n").File("broken/a.txt", "hello\n");
    Window window(tree.Path("project"));
    window.Select("mFolders", "src");
    window.SelectFile("util.h");
    window.Select("mInfo", "File Length (Histogram)");
    window.Search("hello");

    {
        const UnopenableFile ignoreFile(tree.Path("broken/.gitignore"));
        if (!ignoreFile.Ready())
            GTEST_SKIP() << NEEDS_ROOT;
        window.Browse(QString::fromStdString(tree.Path("broken")));
        window.Search("hello");
    }

    EXPECT_EQ(
        window.mDesktop.mMessages,
        (std::vector<Message>{
            {"An exception occured in Varnik::MainDialog::mRootFolderBrowseBtn_Click", "Error"},
            {"An exception occured in Varnik::MainDialog::mSearch_Btn_Click", "Error"}}));
    EXPECT_TRUE(window.Lines("mFolders").isEmpty());
    EXPECT_TRUE(window.Items("mFiles").isEmpty());
    EXPECT_TRUE(window.Lines("mInfo").isEmpty());
    EXPECT_TRUE(window.Lines("mSearch_ResultTree").isEmpty());
    for (const char* button : {"mOpenFolderBtn", "mOpenFileBtn", "mCounters_DisplayBtn"})
        EXPECT_FALSE(window.Enabled(button)) << button;
    EXPECT_TRUE(window.mDesktop.mShellCalls.empty());
}

TEST(MainDialog, ScanThatFailsWhileLoadingKeepsSearchDisabled)
{
    TempTree tree;
    tree.File("broken/.gitignore", "*.tmp\n").File("broken/a.txt", "a\n");
    std::optional<Window> window;
    {
        const UnopenableFile ignoreFile(tree.Path("broken/.gitignore"));
        if (!ignoreFile.Ready())
            GTEST_SKIP() << NEEDS_ROOT;
        window.emplace(tree.Path("broken"));
    }

    EXPECT_EQ(window->mDesktop.mMessages,
              (std::vector<Message>{
                  {"An exception occured in Varnik::MainDialog::MainDialog_Load", "Error"}}));
    EXPECT_TRUE(window->Lines("mFolders").isEmpty());
    EXPECT_FALSE(window->Enabled("mSearch_Btn"));
    EXPECT_EQ(window->FileTypes(Qt::Checked), ALL_TYPES) << "listed before the scan";
}

TEST(MainDialog, NamesThatAreNotUtf8ShowReadablyAndOpenTheRightFile)
{
    TempTree tree;
    tree.File("root/caf\xe9.txt", "menu\n");
    Window window(tree.Path("root"));

    EXPECT_EQ(window.Items("mFiles"), QStringList{QString::fromUtf8("caf\uFFFD.txt")});
    window.SelectFile(QString::fromUtf8("caf\uFFFD.txt"));
    window.Click("mOpenFileBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls,
              (std::vector<ShellCall>{{"open", tree.Path("root/caf\xe9.txt")}}));
}

// ---------------------------------------------------------------- search page

TEST(MainDialog, SearchShowsFoldersFilesAndLines)
{
    TempTree tree;
    Project_Create(tree);
    Window window(tree.Path("project"));

    window.Search("hello");

    EXPECT_EQ(window.Lines("mSearch_ResultTree"),
              (QStringList{
                  "project/ (3)",
                  "  main.cpp (1)",
                  "    Line 3 : // Say hello",
                  "  notes.txt (1)",
                  "    Line 1 : Say hello to the team",
                  "  src/ (1)",
                  "    core/ (1)",
                  "      engine.cpp (1)",
                  "        Line 2 : int level; /* hello from the engine */",
              }));
    EXPECT_EQ(window.Expanded("mSearch_ResultTree"), QStringList{"project/ (3)"});
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFolderBtn"));
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFileBtn"));
}

TEST(MainDialog, SearchKeepsToTheChosenZonesTypesAndCase)
{
    TempTree tree;
    Project_Create(tree);
    Window window(tree.Path("project"));
    auto files = [&window](const QString& text)
    {
        window.Search(text);
        QStringList found;
        for (const QString& line : window.Lines("mSearch_ResultTree"))
        {
            if (line.contains('.') && !line.contains(" : "))
                found << line.trimmed();
        }
        return found;
    };

    EXPECT_EQ(files("Hello"), QStringList{"main.cpp (1)"});
    window.Check("mSearch_CaseSensitiveCheck", false);
    EXPECT_EQ(files("HELLO"), (QStringList{"main.cpp (2)", "notes.txt (1)", "engine.cpp (1)"}));

    window.Check("mSearch_InCodeCheck", false);
    window.Check("mSearch_InDirectiveCheck", false);
    window.Check("mSearch_InStringCheck", false);
    EXPECT_EQ(files("hello"), (QStringList{"main.cpp (1)", "notes.txt (1)", "engine.cpp (1)"}))
        << "text lines are searched whatever the zones";
    window.Check("mSearch_InCommentCheck", false);
    window.Check("mSearch_InStringCheck", true);
    EXPECT_EQ(files("hello"), (QStringList{"main.cpp (1)", "notes.txt (1)"}));
    window.Check("mSearch_InStringCheck", false);
    EXPECT_EQ(files("hello"), QStringList{});
    EXPECT_TRUE(window.mDesktop.mMessages.empty()) << "finding nothing is no error";

    for (const char* zone : {"mSearch_InCodeCheck", "mSearch_InCommentCheck",
                             "mSearch_InDirectiveCheck", "mSearch_InStringCheck"})
        window.Check(zone, true);
    window.Click("mSearch_UnselectAllFileTypeBtn");
    EXPECT_EQ(window.FileTypes(Qt::Unchecked), ALL_TYPES);
    EXPECT_EQ(files("hello"), (QStringList{"main.cpp (2)", "notes.txt (1)", "engine.cpp (1)"}))
        << "no type chosen takes every type";
    window.FileType_Click("txt");
    EXPECT_EQ(window.FileTypes(Qt::Checked), QStringList{"txt"});
    EXPECT_EQ(files("hello"), QStringList{"notes.txt (1)"});
    window.Click("mSearch_SelectAllFileTypeBtn");
    EXPECT_EQ(window.FileTypes(Qt::Checked), ALL_TYPES);
    EXPECT_EQ(files("build"), (QStringList{".gitignore (1)", "build.sh (2)"}));
}

TEST(MainDialog, SearchSelectionHandsThePathsToTheShell)
{
    TempTree tree;
    Project_Create(tree);
    const std::string root = tree.Path("project");
    Window window(root);
    window.Search("hello");

    window.Select("mSearch_ResultTree", "Line 2 : int level; /* hello from the engine */");
    EXPECT_TRUE(window.Enabled("mSearch_OpenSelectedFileBtn"));
    EXPECT_TRUE(window.Enabled("mSearch_OpenSelectedFolderBtn"));
    window.Click("mSearch_OpenSelectedFileBtn");
    window.Click("mSearch_OpenSelectedFolderBtn");

    window.Select("mSearch_ResultTree", "main.cpp (1)");
    window.Click("mSearch_OpenSelectedFolderBtn");

    window.Select("mSearch_ResultTree", "src/ (1)");
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFileBtn"));
    EXPECT_TRUE(window.Enabled("mSearch_OpenSelectedFolderBtn"));
    window.Click("mSearch_OpenSelectedFolderBtn");

    EXPECT_EQ(window.mDesktop.mShellCalls, (std::vector<ShellCall>{
                                               {"open", root + "/src/core/engine.cpp"},
                                               {"explore", root + "/src/core"},
                                               {"explore", root},
                                               {"explore", root + "/src"},
                                           }));
}

TEST(MainDialog, SearchResultsLastUntilTheNextSearch)
{
    TempTree tree;
    Project_Create(tree);
    tree.File("other/a.txt", "nothing here\n");
    const std::string root = tree.Path("project");
    Window window(root);
    window.Search("hello");
    const QStringList results = window.Lines("mSearch_ResultTree");

    window.Browse(QString::fromStdString(tree.Path("other")));
    EXPECT_EQ(window.Lines("mSearch_ResultTree"), results);
    window.Select("mSearch_ResultTree", "notes.txt (1)");
    window.Click("mSearch_OpenSelectedFileBtn");
    EXPECT_EQ(window.mDesktop.mShellCalls.back().mPath, root + "/notes.txt");

    tree.File("other/a.txt", "hello there\n");
    window.Search("hello");
    EXPECT_EQ(window.Lines("mSearch_ResultTree"),
              (QStringList{"other/ (1)", "  a.txt (1)", "    Line 1 : hello there"}))
        << "the search reads the files as they are now";

    window.Search("absent");
    EXPECT_TRUE(window.Lines("mSearch_ResultTree").isEmpty());
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFileBtn"));
    EXPECT_FALSE(window.Enabled("mSearch_OpenSelectedFolderBtn"));
}

// ---------------------------------------------------------------- screenshots

// Pictures of the windows for people to look at, on a project with a spread of file
// lengths, so that the histogram has something to show; the last opens the histogram.
TEST(MainDialog, ScreenshotsAndTheHistogramWindow)
{
    TempTree tree;
    Project_Create(tree);
    for (int i = 0; i < 40; i++)
    {
        std::string text = "// Module " + std::to_string(i) + "\n#include \"src/util.h\"\n\n";
        for (int line = 0; line < 20 + (i * 37) % 130 + (i % 7) * (i % 5) * 4; line++)
            text += line % 9 == 0 ? "\n" : "int value" + std::to_string(line) + " = 0;\n";
        tree.File("project/src/modules/module" + std::to_string(i) + ".cpp", text);
    }
    Window window(tree.Path("project"));
    window.mDialog.resize(1100, 640);

    window.SelectFile("main.cpp");
    window.Select("mInfo", "Line = 7");
    window.Get<QTreeWidget>("mInfo").currentItem()->setExpanded(true);
    VarnikTest::Screenshot_Save(window.mDialog.grab().toImage(), "counters.png");

    window.Get<QTabWidget>("mTabControl").setCurrentIndex(1);
    window.Check("mSearch_CaseSensitiveCheck", false);
    window.Search("hello");
    window.Get<QTreeWidget>("mSearch_ResultTree").expandAll();
    VarnikTest::Screenshot_Save(window.mDialog.grab().toImage(), "search.png");

    window.Get<QTabWidget>("mTabControl").setCurrentIndex(0);
    window.Select("mFolders", "project");
    window.Select("mInfo", "File Length (Histogram)");
    QString title;
    QTimer::singleShot(0,
                       [&window, &title]
                       {
                           auto* form = window.mDialog.findChild<Varnik::DisplayForm*>();
                           ASSERT_NE(form, nullptr);
                           title = form->windowTitle();
                           VarnikTest::Screenshot_Save(form->grab().toImage(), "histogram.png");
                           form->close();
                       });
    window.Click("mCounters_DisplayBtn");

    EXPECT_EQ(title, "project - File Length");
    EXPECT_EQ(window.mDialog.findChild<Varnik::DisplayForm*>(), nullptr) << "disposed when closed";
    EXPECT_TRUE(window.mDesktop.mMessages.empty());
}

} // namespace
