#include "ui/MainDialog.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/options/AnalysisSwitch.h"
#include "engine/scan/Engine.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchZone.h"
#include "engine/tree/CounterSchema.h"
#include "engine/tree/Data_Folder.h"
#include "lib/Exception.h"
#include "lib/Format.h"
#include "lib/Path.h"
#include "ui/BackgroundPass.h"
#include "ui/Desktop_Qt.h"
#include "ui/DisplayForm.h"
#include "ui/LazyTreeView.h"
#include "ui/LocalText.h"
#include "ui/ProgressLine.h"
#include "ui/TreeNodes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace Varnik
{

namespace
{

// A result tree of up to this many lines opens fully expanded, a larger one at its first
// level.
constexpr unsigned EXPANDED_LINES_MAX = 1000;
// "Expand all" opens at most this many rows, and this many levels: Qt lays out the
// expanded rows of a view by recursion, one call per level.
constexpr int EXPANDED_ROWS_MAX = 10000;
constexpr int EXPANDED_LEVELS_MAX = 1000;
// Results stream into the view on each tick, for a slice of its time, so that the window
// paints and answers between ticks.
constexpr std::chrono::milliseconds STREAM_TICK(30);
constexpr std::chrono::milliseconds STREAM_SLICE(20);

void View_Clear(QTreeWidget& view)
{
    const QSignalBlocker blocker(view);
    view.clear();
}

void View_AddRoot(QTreeWidget& view, std::unique_ptr<QTreeWidgetItem> node)
{
    QTreeWidgetItem* root = node.release();
    {
        const QSignalBlocker blocker(view);
        view.addTopLevelItem(root);
    }
    root->setExpanded(true);
}

// The root is named by the root folder as given, any other folder by its path below it.
std::string FolderPath(const std::string& rootName, const std::string& folderName, bool isRoot)
{
    if (isRoot)
        return rootName;
    return TrovLib::Format("%s%c%s", rootName.c_str(), TrovLib::SEPARATOR, folderName.c_str());
}

// "~" stands for the home folder, a relative path starts from the current folder, and
// links and "..", resolved, leave the folder's own path. A path that cannot be resolved
// stays as it is, for the readability check to refuse with its name.
std::string AbsoluteFolder(std::string path)
{
    const char* home = std::getenv("HOME");
    if (home && (path == "~" || path.starts_with("~/")))
        path.replace(0, 1, home);
    if (!path.starts_with('/'))
        path = QFile::encodeName(QDir::currentPath()).toStdString() + '/' + path;
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                           &std::free);
    return real ? std::string(real.get()) : path;
}

bool IsReadableFolder(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           access(path.c_str(), R_OK | X_OK) == 0;
}

} // namespace

int MainDialog::Run(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Varnik");
    QApplication::setApplicationName("varnik");
    QApplication::setApplicationVersion(VARNIK_VERSION);
    Desktop_Qt desktop;
    try
    {
        MainDialog window(desktop);
        const std::string commandLine = CommandLine(argc, argv);
        window.SetRootFolder(commandLine.empty() ? Settings().LastRoot().c_str()
                                                 : commandLine.c_str());
        window.show();
        QApplication::exec();
    }
    catch (...)
    {
        desktop.ShowMessage("Unexpected exception", "Fatal Error");
    }
    return 0;
}

std::string MainDialog::CommandLine(int argc, const char* const* argv)
{
    std::string line;
    for (int i = 1; i < argc; i++)
    {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

std::optional<MainDialog::Answer> MainDialog::CommandLine_Answer(int argc, const char* const* argv)
{
    const std::string_view option = argc == 2 ? argv[1] : "";
    if (option == "--version")
        return Answer{TrovLib::Format("varnik %s\n", VARNIK_VERSION), 0};
    const char* usage = "Usage: varnik [FOLDER]\n"
                        "Opens the window that counts and searches the lines of the source tree\n"
                        "in FOLDER, else in the folder of the last run.\n\n"
                        "  --help     prints this help and exits\n"
                        "  --version  prints the version and exits\n";
    if (option == "--help")
        return Answer{usage, 0};
    if (option.starts_with('-'))
        return Answer{TrovLib::Format("varnik: unknown option %s\n\n%s", argv[1], usage), 2};
    return std::nullopt;
}

MainDialog::MainDialog(Desktop& desktop) : mDesktop(desktop), mOptions(mSettings.Options())
{
    mUi.Setup(*this);
    setAcceptDrops(true);
    mUi.Models_Set(mParse_FolderModel, mParse_FileModel, mSearch_Model);
    for (QTreeView* view : {mUi.mFolders, mUi.mFiles})
    {
        const auto [column, order] = mSettings.SortOrder(view->objectName());
        view->sortByColumn(column, order);
    }
    mSearch_StreamTimer.setInterval(STREAM_TICK);
    mUi.mInfo_SortByCountAction->setChecked(mSettings.SortByCount());
    Search_Options_Restore();
    mStatus = {"Choose a folder to count its lines: type it above, click Browse or drop it here",
               "Scan a folder, then type a text to search it for"};
    mUi.mProgressLine->Finish(mStatus[0]);
    restoreGeometry(mSettings.Geometry());
    Options_Show();
    Mode_Show();
    Engine_Create();
    Controls_Connect();
    Menus_Connect();
    mSearch_Request = std::make_unique<Vn::SearchRequest>();
    const QList<QAction*> orders = mUi.mSearch_OrderActions->actions();
    Search_Order_Set(orders.value(mSettings.ResultOrder(), orders[0]));
}

// A running pass is cancelled and waited for; the trees go next, while the views that
// point into them are emptied quietly; the folder parser then goes before the registry
// it uses.
MainDialog::~MainDialog()
{
    mPass.reset();
    Search_Stream_Stop();
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    Parse_Release();
    Search_Result_Release();
}

// The registry, the folder parser and the pass that runs on it, for the current options.
void MainDialog::Engine_Create()
{
    mPass.reset();
    mEngine.reset(); // the old registry goes before the new one is loaded
    mEngine = std::make_unique<Vn::Engine>(mOptions, 0);
    mPass = std::make_unique<BackgroundPass>(mEngine->GetFolderParser());
    connect(mPass.get(), &BackgroundPass::Progressed, mUi.mProgressLine,
            &ProgressLine::SetProgress);
    connect(mPass.get(), &BackgroundPass::Finished, this, &MainDialog::Pass_Finished);
}

bool MainDialog::IsBusy() const
{
    return (mPass && mPass->IsRunning()) || mSearch_Streaming;
}

void MainDialog::Controls_Connect()
{
    connect(mUi.mRootFolderBrowseBtn, &QPushButton::clicked, this,
            &MainDialog::mRootFolderBrowseBtn_Click);
    connect(mUi.mFolders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainDialog::mFolders_AfterSelect);
    connect(mUi.mFiles->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainDialog::mFiles_SelectedIndexChanged);
    for (QTreeView* view : {mUi.mFolders, mUi.mFiles})
        connect(view->header(), &QHeaderView::sortIndicatorChanged, this,
                [this, view](int column, Qt::SortOrder order)
                { mSettings.SetSortOrder(view->objectName(), column, order); });
    connect(mUi.mInfo, &QTreeWidget::currentItemChanged, this, &MainDialog::mInfo_AfterSelect);
    connect(mUi.mInfo, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node)
            {
                if (node->childCount() == 0)
                    Parse_CounterNode_Populate(*node, mUi.mInfo_SortByCountAction->isChecked());
                mInfo_Expanded.insert(Node_GetKey(node));
            });
    connect(mUi.mInfo->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &MainDialog::mInfo_FillInSight);
    connect(mUi.mInfo, &QTreeWidget::itemCollapsed, this,
            [this](const QTreeWidgetItem* node) { mInfo_Expanded.remove(Node_GetKey(node)); });
    connect(mUi.mInfo_SortByCountAction, &QAction::toggled, this,
            [this]
            {
                Handle("mInfo_SortByCountAction_Toggled",
                       [this]
                       {
                           mSettings.SetSortByCount(mUi.mInfo_SortByCountAction->isChecked());
                           Parse_Counter_Update();
                       });
            });
    connect(mUi.mInfo, &QTreeWidget::itemActivated, this,
            [this](const QTreeWidgetItem* node)
            {
                mInfo_AfterSelect(node);
                mCounters_DisplayBtn_Click();
            });
    connect(mUi.mOpenFolderBtn, &QPushButton::clicked, this, &MainDialog::mOpenFolderBtn_Click);
    connect(mUi.mOpenFileBtn, &QPushButton::clicked, this, &MainDialog::mOpenFileBtn_Click);
    connect(mUi.mCounters_DisplayBtn, &QPushButton::clicked, this,
            &MainDialog::mCounters_DisplayBtn_Click);
    connect(mUi.mSearch_Btn, &QPushButton::clicked, this, &MainDialog::mSearch_Btn_Click);
    connect(mUi.mSearch_SelectAllFileTypeBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_SelectAllFileTypeBtn_Click);
    connect(mUi.mSearch_UnselectAllFileTypeBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_UnselectAllFileTypeBtn_Click);
    connect(mUi.mSearch_ResultTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainDialog::mSearch_ResultTree_AfterSelect);
    connect(mUi.mSearch_OpenSelectedFolderBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_OpenSelectedFolderBtn_Click);
    connect(mUi.mSearch_OpenSelectedFileBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_OpenSelectedFileBtn_Click);

    connect(mUi.mRootFolderBox, &QLineEdit::returnPressed, this, &MainDialog::mRootFolderBox_Enter);
    connect(mUi.mSearch_TextBox, &QLineEdit::textChanged, this, &MainDialog::Controls_Enable);
    connect(mUi.mSearch_TextBox, &QLineEdit::returnPressed, mUi.mSearch_Btn, &QPushButton::click);
    connect(mUi.mSearch_FileTypeFilterBox, &QLineEdit::textChanged, this,
            &MainDialog::Search_FileTypes_Filter);
    connect(mUi.mSearch_FileTypeList, &QListWidget::itemChanged, this,
            &MainDialog::Controls_Enable);
    connect(mUi.mSearch_ExpandAllAction, &QAction::triggered, this,
            [this] { mUi.mSearch_ResultTree->ExpandAll(EXPANDED_ROWS_MAX, EXPANDED_LEVELS_MAX); });
    connect(&mSearch_StreamTimer, &QTimer::timeout, this, &MainDialog::Search_Stream_Drain);
    connect(mUi.mSearch_OrderActions, &QActionGroup::triggered, this,
            [this](QAction* action) {
                Handle("mSearch_OrderActions_Triggered",
                       [this, action] { Search_Order_Set(action); });
            });
    PathActions_Connect();
    connect(mUi.mTabControl, &QTabWidget::currentChanged, this, &MainDialog::Page_Changed);
    connect(mUi.mProgressLine, &ProgressLine::CancelClicked, this, &MainDialog::Pass_Cancel);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            &MainDialog::Pass_Cancel);
}

// Enter or a double click on a file or a result line opens it; the context menus act on
// the node under the mouse, which the click made current.
void MainDialog::PathActions_Connect()
{
    connect(mUi.mFiles, &QTreeView::activated, this, &MainDialog::mOpenFileBtn_Click);
    connect(mUi.mSearch_ResultTree, &QTreeView::activated, this,
            [this]
            {
                if (!mSearch_File.empty())
                    mSearch_OpenSelectedFileBtn_Click();
            });
    connect(mUi.mFiles_PathActions.mOpen, &QAction::triggered, this,
            &MainDialog::mOpenFileBtn_Click);
    connect(mUi.mFiles_PathActions.mExplore, &QAction::triggered, this,
            [this]
            {
                Handle("mFiles_ExploreAction_Click",
                       [this]
                       {
                           if (mParse_Folder && !Busy_Refuse())
                               Util_Folder_Explore(Parse_FolderPath(*mParse_Folder));
                       });
            });
    connect(mUi.mFiles_PathActions.mCopyPath, &QAction::triggered, this,
            [this]
            {
                if (mParse_Select)
                    Util_Path_Copy(mParse_Select->GetName());
            });
    connect(mUi.mSearch_PathActions.mOpen, &QAction::triggered, this,
            [this]
            {
                if (!mSearch_File.empty())
                    mSearch_OpenSelectedFileBtn_Click();
                else
                    mSearch_OpenSelectedFolderBtn_Click();
            });
    connect(mUi.mSearch_PathActions.mExplore, &QAction::triggered, this,
            &MainDialog::mSearch_OpenSelectedFolderBtn_Click);
    connect(mUi.mSearch_PathActions.mCopyPath, &QAction::triggered, this,
            [this]
            {
                if (!mSearch_File.empty())
                    Util_Path_Copy(mSearch_File);
                else if (!mSearch_Folder.empty())
                    Util_Path_Copy(mSearch_Folder);
            });
}

void MainDialog::Menus_Connect()
{
    connect(mUi.mFile_OpenAction, &QAction::triggered, this,
            &MainDialog::mRootFolderBrowseBtn_Click);
    connect(mUi.mFile_RescanAction, &QAction::triggered, this,
            &MainDialog::mFile_RescanAction_Click);
    connect(mUi.mFile_QuitAction, &QAction::triggered, this, &MainDialog::close);
    for (QAction* option : mUi.mOptions_SwitchActions)
    {
        if (option)
            connect(option, &QAction::triggered, this, &MainDialog::mOptions_Action_Toggled);
    }
    connect(mUi.mOptions_OnlyOwnAction, &QAction::triggered, this,
            &MainDialog::mOptions_OnlyOwnAction_Toggled);
    connect(mUi.mOptions_PreciseAction, &QAction::triggered, this,
            &MainDialog::mOptions_PreciseAction_Toggled);
    connect(mUi.mOptions_EditorAction, &QAction::triggered, this,
            &MainDialog::mOptions_EditorAction_Click);
    connect(mUi.mHelp_AboutAction, &QAction::triggered, this, &MainDialog::mHelp_AboutAction_Click);
}

// Search needs a scanned tree, a text and a file type; the open buttons and Display a
// selection. While a pass runs, nothing may start another or act on the trees.
void MainDialog::Controls_Enable()
{
    const bool idle = !IsBusy();
    bool typeChecked = false;
    for (int i = 0; i < mUi.mSearch_FileTypeList->count(); i++)
        typeChecked |= mUi.mSearch_FileTypeList->item(i)->checkState() == Qt::Checked;

    mUi.mRootFolderBox->setReadOnly(!idle);
    mUi.mRootFolderBrowseBtn->setEnabled(idle);
    mUi.mOptionsMenu->setEnabled(idle);
    mUi.mFile_RescanAction->setEnabled(!mRootFolder.empty());
    mUi.mOpenFolderBtn->setEnabled(idle && mParse_FolderChosen && mParse_Folder != nullptr);
    mUi.mOpenFileBtn->setEnabled(idle && mParse_Select != nullptr &&
                                 mParse_Select != mParse_Folder);
    mUi.mCounters_DisplayBtn->setEnabled(idle && mParse_Histogram != nullptr);
    mUi.mSearch_Btn->setEnabled(idle && mParse_Root != nullptr && typeChecked &&
                                !mUi.mSearch_TextBox->text().isEmpty());
    mUi.mSearch_OpenSelectedFileBtn->setEnabled(idle && !mSearch_File.empty());
    mUi.mSearch_OpenSelectedFolderBtn->setEnabled(idle && !mSearch_Folder.empty());
    const bool fileChosen = mUi.mOpenFileBtn->isEnabled();
    mUi.mFiles_PathActions.mOpen->setEnabled(fileChosen);
    mUi.mFiles_PathActions.mExplore->setEnabled(fileChosen);
    mUi.mFiles_PathActions.mCopyPath->setEnabled(fileChosen);
    mUi.mSearch_PathActions.mOpen->setEnabled(idle && !mSearch_Folder.empty());
    mUi.mSearch_PathActions.mExplore->setEnabled(idle && !mSearch_Folder.empty());
    mUi.mSearch_PathActions.mCopyPath->setEnabled(!mSearch_Folder.empty());
}

template <class Work> void MainDialog::Handle(const char* where, Work work)
{
    try
    {
        work();
    }
    catch (...)
    {
        ReportException(where, std::current_exception());
    }
}

// The handler by name, and on a second line what went wrong.
void MainDialog::ReportException(const char* where, const std::exception_ptr& failure)
{
    std::string reason;
    try
    {
        std::rethrow_exception(failure);
    }
    catch (const TrovLib::Exception& error)
    {
        reason = error.mMessage.empty()
                     ? error.what()
                     : TrovLib::Format("%s: %s", error.what(), error.mMessage.c_str());
    }
    catch (const std::exception& error)
    {
        reason = error.what();
    }
    catch (...)
    {
    }
    mDesktop.ShowMessage(TrovLib::Format("An exception occured in Varnik::MainDialog::%s%s%s",
                                         where, reason.empty() ? "" : "\n", reason.c_str()),
                         "Error");
}

// With an editor command, at the line (the first for a whole file); else the desktop's
// opener.
void MainDialog::Util_File_Open(const std::string& path, uint64_t line)
{
    const QString command = mSettings.EditorCommand();
    if (!Desktop::EditorCommand_IsBalanced(command))
        return EditorCommand_Refuse(command);
    Util_Report(command.trimmed().isEmpty() ? mDesktop.ShellExecute("open", path)
                                            : mDesktop.StartProgram(Desktop::EditorArguments(
                                                  command, path, line ? line : 1)));
}

void MainDialog::Util_Folder_Explore(const std::string& path)
{
    Util_Report(mDesktop.ShellExecute("explore", path));
}

void MainDialog::Util_Path_Copy(const std::string& path)
{
    QApplication::clipboard()->setText(QFile::decodeName(QByteArray::fromStdString(path)));
}

void MainDialog::Util_Report(const QString& failure)
{
    if (!failure.isEmpty())
        mDesktop.ShowMessage("ShellExecute failed\n" + LocalText_FromQt(failure), "Error");
}

void MainDialog::EditorCommand_Refuse(const QString& command)
{
    mDesktop.ShowMessage("The editor command " + LocalText_FromQt(command) +
                             " has a quote that is never closed",
                         "Error");
}

void MainDialog::SetRootFolder(const char* text)
{
    std::string_view root(text);
    if (root.size() >= 2 && root[0] == '"' && root[1] != '"')
        root = root.substr(1, root.find('"', 1) - 1);
    mRootFolder = root;
    mUi.mRootFolderBox->setText(LocalText_ToQt(mRootFolder));
    Controls_Enable();
}

// The box holds text, the engine wants bytes: a root that came in as bytes the box cannot
// show exactly (not valid in the locale's encoding) is kept as long as the box shows it.
// A trailing separator is dropped, so that the root node is named after the folder. A
// root that is no readable folder is refused, and the box goes back to the last root.
bool MainDialog::RootFolder_Apply()
{
    const QString text = mUi.mRootFolderBox->text();
    std::string root = mRootFolder;
    if (text != LocalText_ToQt(mRootFolder))
        root = LocalText_FromQt(text);
    root = AbsoluteFolder(root);
    if (!IsReadableFolder(root))
    {
        mDesktop.ShowMessage(
            TrovLib::Format("The folder \"%s\" does not exist or cannot be read", root.c_str()),
            "Error");
        mUi.mRootFolderBox->setText(LocalText_ToQt(mRootFolder));
        return false;
    }
    mRootFolder = root;
    mUi.mRootFolderBox->setText(LocalText_ToQt(mRootFolder));
    return true;
}

void MainDialog::closeEvent(QCloseEvent* event)
{
    mSettings.SetGeometry(saveGeometry());
    QMainWindow::closeEvent(event);
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent* event)
{
    Handle(__func__,
           [this, event]
           {
               const QList<QUrl> urls = event->mimeData()->urls();
               if (urls.size() != 1 || !urls.front().isLocalFile() || Busy_Refuse())
                   return;
               event->acceptProposedAction();
               mUi.mRootFolderBox->setText(urls.front().toLocalFile());
               Parse("dropEvent");
           });
}

void MainDialog::showEvent(QShowEvent* event)
{
    if (!mLoaded)
    {
        mLoaded = true;
        MainDialog_Load();
    }
    QMainWindow::showEvent(event);
}

// The file types are listed first, so that a failed first scan does not leave the
// search page without them.
void MainDialog::MainDialog_Load()
{
    Handle(__func__,
           [this]
           {
               Search_FileTypes_Fill();
               if (!mUi.mRootFolderBox->text().isEmpty())
                   Parse("MainDialog_Load");
           });
}

void MainDialog::mRootFolderBrowseBtn_Click()
{
    Handle(__func__,
           [this]
           {
               if (Busy_Refuse())
                   return;
               const std::optional<QString> folder =
                   mDesktop.ChooseFolder(LocalText_ToQt(mRootFolder));
               if (!folder)
                   return;
               mUi.mRootFolderBox->setText(*folder);
               Parse("mRootFolderBrowseBtn_Click");
           });
}

void MainDialog::mRootFolderBox_Enter()
{
    Handle(__func__,
           [this]
           {
               if (!Busy_Refuse())
                   Parse("mRootFolderBox_Enter");
           });
}

void MainDialog::mFile_RescanAction_Click()
{
    Handle(__func__,
           [this]
           {
               if (Busy_Refuse() || mRootFolder.empty())
                   return;
               if (Page_IsSearch() && mUi.mSearch_Btn->isEnabled())
                   mSearch_Btn_Click();
               else
                   Parse("mFile_RescanAction_Click");
           });
}

void MainDialog::Status_Set(bool search, const QString& text)
{
    mStatus[search] = text;
    mUi.mProgressLine->Finish(mStatus[Page_IsSearch()]);
}

bool MainDialog::Page_IsSearch() const
{
    return mUi.mTabControl->currentWidget() == mUi.mSearch_Page;
}

// F5 repeats the pass of the page shown, and the status bar tells of it, unless a pass
// is running and showing its progress.
void MainDialog::Page_Changed()
{
    mUi.mFile_RescanAction->setText(Page_IsSearch() ? "&Search again" : "&Rescan");
    if (Page_IsSearch())
        mUi.mSearch_TextBox->setFocus();
    if (!IsBusy())
        mUi.mProgressLine->Finish(mStatus[Page_IsSearch()]);
}

bool MainDialog::Busy_Refuse()
{
    if (!IsBusy())
        return false;
    mUi.mProgressLine->Refuse(QString("%1 is running: wait for its end or cancel it")
                                  .arg(mPass_Search ? "A search" : "A scan"));
    return true;
}

// The pass reports its failure with the name of the handler that started it.
void MainDialog::Pass_Start(const char* where, bool search)
{
    mPass_Where = where;
    mPass_Search = search;
    mUi.mProgressLine->Start(search ? "Searching" : "Scanning", search);
}

// A search that ends well goes on streaming until its last file is in the view.
void MainDialog::Pass_Finished()
{
    BackgroundPass::Outcome outcome = mPass->Take();
    const char* pass = mPass_Search ? "Search" : "Scan";
    if (outcome.mFailure)
    {
        Search_Stream_Stop();
        Status_Set(mPass_Search, QString("%1 failed").arg(pass));
        Search_Result_Release();
        if (!mPass_Search)
            Parse_Release();
        Controls_Enable();
        ReportException(mPass_Where, outcome.mFailure);
        return;
    }
    const QString unreadable = QString::fromLocal8Bit(outcome.mUnreadable);
    if (outcome.mCancelled)
    {
        Search_Stream_Stop();
        Status_Set(mPass_Search, QString("%1 cancelled").arg(pass));
    }
    else if (mPass_Search)
    {
        mSearch_PassOver = true;
        mSearch_Unreadable = unreadable;
        Search_Stream_Drain();
    }
    else
    {
        Handle(mPass_Where, [&] { Parse_Show(std::move(outcome.mScan), outcome.mSeconds); });
        if (!unreadable.isEmpty())
            Status_Set(false, mStatus[false] + "; " + unreadable);
    }
    Controls_Enable();
}

// A search whose pass is over may still be streaming its rows into the view.
void MainDialog::Pass_Cancel()
{
    if (mPass->IsRunning())
        mPass->Cancel();
    else if (mSearch_Streaming)
    {
        Search_Stream_Stop();
        Status_Set(true, "Search cancelled");
        Controls_Enable();
    }
}

void MainDialog::Parse(const char* where)
{
    if (!RootFolder_Apply())
        return;
    Pass_Start(where, false);
    mPass->Scan(mRootFolder);
    Controls_Enable();
}

// A new root makes the search results of the old one meaningless.
void MainDialog::Parse_Show(std::unique_ptr<Vn::Data_Folder> root, double seconds)
{
    if (mParse_Root && mParse_Root->GetName() != root->GetName())
        Search_Result_Release();
    Parse_Release();
    mParse_Root = std::move(root);
    Parse_Folder_Update();
    Search_FileTypes_Fill();
    mSettings.SetLastRoot(mParse_Root->GetName());
    const QString folder = LocalText_ToQt(std::string(mParse_Root->GetName_Relative()));
    setWindowTitle((folder.isEmpty() ? "/" : folder) + " - Varnik");
    Status_Set(false, QString("%1 files, %2 lines in %3 s")
                          .arg(ProgressLine::Number(Vn::Schema::CountOf(mParse_Root->mCounters,
                                                                        Vn::Schema::NAME_FILE)),
                               ProgressLine::Number(Vn::Schema::CountOf(mParse_Root->mCounters,
                                                                        Vn::Schema::NAME_LINE)))
                          .arg(seconds, 0, 'f', 2));
}

// Nothing may point into the released tree afterwards: the views are emptied and the
// buttons that act on a selection are disabled.
void MainDialog::Parse_Release()
{
    mParse_Folder = nullptr;
    mParse_Select = nullptr;
    mParse_Histogram = nullptr;
    if (mParse_Root)
    {
        mParse_FolderModel.SetRoot(nullptr);
        mParse_FileModel.SetFolder(nullptr);
        View_Clear(*mUi.mInfo);
        mParse_Counters.reset();
        mDisposal.Release(std::move(mParse_Root));
    }
    mParse_FolderChosen = false;
    Controls_Enable();
}

void MainDialog::Parse_Folder_Update()
{
    mParse_FolderChosen = false;
    mParse_FolderModel.SetRoot(mParse_Root.get());
    if (mParse_Root)
    {
        mUi.mFolders->expand(mParse_FolderModel.GetRootIndex());
        mParse_Folder = mParse_Root.get();
        mParse_Select = mParse_Root.get();
    }
    Parse_File_Update();
}

void MainDialog::Parse_File_Update()
{
    mParse_FileModel.SetFolder(mParse_Folder);
    if (mParse_Folder)
        mParse_Select = mParse_Folder;
    Parse_Counter_Update();
}

// A large group gets its next batch of children once its last one so far comes into
// sight: the rows in sight are looked at from the bottom up.
void MainDialog::mInfo_FillInSight()
{
    QTreeWidget& view = *mUi.mInfo;
    QTreeWidgetItem* row = view.itemAt(QPoint(0, view.viewport()->height() - 1));
    if (row == nullptr && view.topLevelItemCount() != 0)
    {
        row = view.topLevelItem(view.topLevelItemCount() - 1);
        while (row->isExpanded() && row->childCount() != 0)
            row = row->child(row->childCount() - 1);
    }
    for (; row != nullptr && view.visualItemRect(row).bottom() >= 0; row = view.itemAbove(row))
    {
        QTreeWidgetItem* group = row->parent();
        if (group != nullptr && group->child(group->childCount() - 1) == row &&
            Parse_CounterNode_Populate(*group, mUi.mInfo_SortByCountAction->isChecked()))
            return;
    }
}

// The counters that the user opened stay open from one selection to the next.
void MainDialog::Parse_Counter_Update()
{
    View_Clear(*mUi.mInfo);
    mParse_Histogram = nullptr;
    mParse_Counters.reset();
    if (mParse_Select)
    {
        mParse_Counters = std::make_unique<Vn::NodeCounters>(*mParse_Select);
        auto root = Parse_CounterNode_Create(mParse_Counters->Get(),
                                             std::string(mParse_Select->GetName_Relative()).c_str(),
                                             nullptr);
        if (mUi.mInfo_SortByCountAction->isChecked())
            Parse_CounterNodes_SortByCount(*root);
        View_AddRoot(*mUi.mInfo, std::move(root));
        for (QTreeWidgetItemIterator it(mUi.mInfo); *it; ++it)
            if (mInfo_Expanded.contains(Node_GetKey(*it)))
                (*it)->setExpanded(true);
    }
    mParse_Histogram = nullptr;
    Controls_Enable();
}

std::string MainDialog::Parse_FolderPath(const Vn::Data_Folder& folder) const
{
    return FolderPath(mParse_Root->GetName(), folder.GetName(), &folder == mParse_Root.get());
}

void MainDialog::mFolders_AfterSelect(const QModelIndex& index)
{
    Handle(__func__,
           [this, index]
           {
               const Vn::Data_Folder* folder = mParse_FolderModel.GetFolder(index);
               if (folder == nullptr)
                   return;
               mParse_Folder = folder;
               mParse_Select = folder;
               mParse_FolderChosen = true;
               Parse_File_Update();
           });
}

void MainDialog::mFiles_SelectedIndexChanged(const QModelIndex& index)
{
    Handle(__func__,
           [this, index]
           {
               if (mParse_Folder == nullptr)
                   return;
               mParse_Select = mParse_FileModel.GetFile(index);
               Parse_Counter_Update();
           });
}

void MainDialog::mInfo_AfterSelect(const QTreeWidgetItem* node)
{
    Handle(__func__,
           [this, node]
           {
               mParse_Histogram = Node_GetTag<Vn::Counter_Histogram>(node);
               Controls_Enable();
           });
}

void MainDialog::mOpenFolderBtn_Click()
{
    Handle(__func__,
           [this]
           {
               if (mParse_Root && mParse_Folder && !Busy_Refuse())
                   Util_Folder_Explore(Parse_FolderPath(*mParse_Folder));
           });
}

void MainDialog::mOpenFileBtn_Click()
{
    Handle(__func__,
           [this]
           {
               if (mParse_Select && mParse_Select != mParse_Folder && !Busy_Refuse())
                   Util_File_Open(mParse_Select->GetName(), 0);
           });
}

void MainDialog::mCounters_DisplayBtn_Click()
{
    Handle(__func__,
           [this]
           {
               if (mParse_Histogram == nullptr || mParse_Select == nullptr || IsBusy())
                   return;
               const std::string name(mParse_Select->GetName_Relative());
               DisplayForm form(*mParse_Histogram, name.c_str(), mDesktop, this);
               form.exec();
           });
}

// The types of the last scan come first, then the others in registration order; each
// item keeps its type and, across a refill, its check; the first fill takes the checks
// of the last search.
void MainDialog::Search_FileTypes_Fill()
{
    QListWidget& list = *mUi.mSearch_FileTypeList;
    const QStringList kept = list.count() == 0 ? mSettings.UncheckedTypes() : QStringList();
    QSet<QString> unchecked(kept.begin(), kept.end());
    for (int i = 0; i < list.count(); i++)
    {
        if (list.item(i)->checkState() != Qt::Checked)
            unchecked.insert(list.item(i)->data(Qt::UserRole).toString());
    }
    QStringList types;
    for (const char* type : mEngine->GetRegistry().GetSearchTypes())
        types.append(LocalText_ToQt(type));
    if (const Vn::Counter_Count* scanned =
            mParse_Root ? Vn::Schema::FindCount(mParse_Root->mCounters, Vn::Schema::NAME_FILE)
                        : nullptr)
    {
        qsizetype front = 0;
        for (const auto& type : scanned->mCounters)
        {
            const qsizetype at = types.indexOf(LocalText_ToQt(type->GetName()), front);
            if (at >= 0)
                types.move(at, front++);
        }
    }
    const QSignalBlocker blocker(list);
    list.clear();
    for (const QString& type : types)
    {
        auto* item = new QListWidgetItem(type, &list);
        item->setData(Qt::UserRole, type);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(unchecked.contains(type) ? Qt::Unchecked : Qt::Checked);
    }
    Search_FileTypes_Filter();
    Controls_Enable();
}

// Hides the types whose name does not hold the filter's text.
void MainDialog::Search_FileTypes_Filter()
{
    const QString text = mUi.mSearch_FileTypeFilterBox->text();
    QListWidget& list = *mUi.mSearch_FileTypeList;
    for (int i = 0; i < list.count(); i++)
        list.item(i)->setHidden(!list.item(i)->text().contains(text, Qt::CaseInsensitive));
}

void MainDialog::Search_FileTypes_Check(bool checked)
{
    for (int i = 0; i < mUi.mSearch_FileTypeList->count(); i++)
        mUi.mSearch_FileTypeList->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

// With every type checked the set stays empty, so that files of no known type are
// searched too.
void MainDialog::Search_Request_Apply()
{
    Search_Options_Keep();
    mSearch_Request->SetText(LocalText_FromQt(mUi.mSearch_TextBox->text()).c_str());

    Vn::SearchRequest::Flags& flags = mSearch_Request->mFlags;
    flags.CaseSensitive = mUi.mSearch_CaseSensitiveCheck->isChecked();
    for (size_t i = 0; i < std::size(Vn::SEARCH_ZONES); i++)
        Vn::SEARCH_ZONES[i].mSet(flags, mUi.mSearch_ZoneChecks[i]->isChecked());
    flags.InContent = true;
    flags.WholeWord = mUi.mSearch_WholeWordCheck->isChecked();
    flags.Regex = false;
    if (mUi.mSearch_RegexCheck->isChecked())
        mSearch_Request->CompileRegex();

    mSearch_Request->mFileTypes.clear();
    const QListWidget& list = *mUi.mSearch_FileTypeList;
    for (int i = 0; i < list.count(); i++)
    {
        if (list.item(i)->checkState() == Qt::Checked)
            mSearch_Request->mFileTypes.insert(
                LocalText_FromQt(list.item(i)->data(Qt::UserRole).toString()));
    }
    if (static_cast<int>(mSearch_Request->mFileTypes.size()) == list.count())
        mSearch_Request->mFileTypes.clear();
}

// Every check box of the search page is remembered under its name, the file types by
// those left out, so that a type new to the list starts checked.
void MainDialog::Search_Options_Restore()
{
    for (QCheckBox* box : mUi.mSearch_Page->findChildren<QCheckBox*>())
        box->setChecked(mSettings.SearchOption(box->objectName(), box->isChecked()));
}

void MainDialog::Search_Options_Keep()
{
    for (const QCheckBox* box : mUi.mSearch_Page->findChildren<QCheckBox*>())
        mSettings.SetSearchOption(box->objectName(), box->isChecked());
    QStringList unchecked;
    for (int i = 0; i < mUi.mSearch_FileTypeList->count(); i++)
    {
        const QListWidgetItem* item = mUi.mSearch_FileTypeList->item(i);
        if (item->checkState() != Qt::Checked)
            unchecked.append(item->data(Qt::UserRole).toString());
    }
    mSettings.SetUncheckedTypes(unchecked);
}

void MainDialog::Search_Result_Release()
{
    mSearch_File.clear();
    mSearch_Folder.clear();
    mSearch_Line = 0;
    mSearch_Model.Clear();
    Controls_Enable();
}

void MainDialog::Search_Result_Begin()
{
    Search_Result_Release();
    mSearch_Begun = true;
    mSearch_Model.Reset(mRootFolder);
}

// The results on screen stay until the new search brings its first file.
void MainDialog::Search_Stream_Drain()
{
    if (!mSearch_Streaming)
        return;
    mPass->TakeFiles(mSearch_Pending);
    if (!mSearch_Pending.empty() && !mSearch_Begun)
        Search_Result_Begin();
    mSearch_Model.Append(mSearch_Pending, std::chrono::steady_clock::now() + STREAM_SLICE);
    Search_Result_Expand();
    if (mSearch_PassOver && mSearch_Pending.empty())
        Search_Stream_End();
}

void MainDialog::Search_Stream_End()
{
    mSearch_StreamTimer.stop();
    mSearch_Streaming = false;
    if (!mSearch_Begun)
    {
        Search_Result_Release();
        Status_Set(true, "No match");
    }
    else
    {
        Search_Result_Expand();
        Status_Set(true, QString("%1 lines in %2 files")
                             .arg(ProgressLine::Number(mSearch_Model.GetLines()),
                                  ProgressLine::Number(mSearch_Model.GetFiles())));
    }
    if (!mSearch_Unreadable.isEmpty())
        Status_Set(true, mStatus[true] + "; " + mSearch_Unreadable);
    Controls_Enable();
}

void MainDialog::Search_Stream_Stop()
{
    mSearch_StreamTimer.stop();
    mSearch_Streaming = false;
    if (mPass)
        mPass->TakeFiles(mSearch_Pending);
    mDisposal.Release(
        std::make_unique<std::deque<SearchResultModel::File>>(std::move(mSearch_Pending)));
    mSearch_Pending.clear();
}

// A line stands for its file, and a file for its folder too.
void MainDialog::Search_Node_Select(const QModelIndex& index)
{
    mSearch_File = mSearch_Model.GetFilePath(index);
    mSearch_Line = mSearch_Model.GetLine(index);
    mSearch_Folder = index.isValid() ? mSearch_Model.GetFolderPath(index) : std::string();
    Controls_Enable();
}

// The rows are laid out anew, so the selection goes.
void MainDialog::Search_Order_Set(QAction* action)
{
    const int order = static_cast<int>(mUi.mSearch_OrderActions->actions().indexOf(action));
    action->setChecked(true);
    mSettings.SetResultOrder(order);
    mSearch_Model.SetOrder(static_cast<SearchResultModel::Order>(order));
    Search_Node_Select({});
    Search_Result_Expand();
}

void MainDialog::Search_Result_Expand()
{
    if (mSearch_Model.rowCount() == 0)
        return;
    mUi.mSearch_ResultTree->expand(mSearch_Model.index(0, 0));
    if (!mSearch_Streaming && mSearch_Model.GetLines() <= EXPANDED_LINES_MAX)
        mUi.mSearch_ResultTree->ExpandAll(EXPANDED_ROWS_MAX, EXPANDED_LEVELS_MAX);
}

void MainDialog::mSearch_Btn_Click()
{
    Handle(__func__,
           [this]
           {
               if (!mUi.mSearch_Btn->isEnabled())
                   return;
               try
               {
                   Search_Request_Apply();
               }
               catch (const std::invalid_argument& error)
               {
                   return mDesktop.ShowMessage(error.what(), "Search");
               }
               Pass_Start("mSearch_Btn_Click", true);
               mSearch_Streaming = true;
               mSearch_Begun = false;
               mSearch_PassOver = false;
               mSearch_Unreadable.clear();
               mPass->Search(mRootFolder, *mSearch_Request);
               mSearch_StreamTimer.start();
               Controls_Enable();
           });
}

void MainDialog::mSearch_SelectAllFileTypeBtn_Click()
{
    Handle(__func__, [this] { Search_FileTypes_Check(true); });
}

void MainDialog::mSearch_UnselectAllFileTypeBtn_Click()
{
    Handle(__func__, [this] { Search_FileTypes_Check(false); });
}

void MainDialog::mSearch_ResultTree_AfterSelect(const QModelIndex& index)
{
    Handle(__func__, [this, index] { Search_Node_Select(index); });
}

void MainDialog::mSearch_OpenSelectedFolderBtn_Click()
{
    Handle(__func__,
           [this]
           {
               if (!mSearch_Folder.empty() && !Busy_Refuse())
                   Util_Folder_Explore(mSearch_Folder);
           });
}

void MainDialog::mSearch_OpenSelectedFileBtn_Click()
{
    Handle(__func__,
           [this]
           {
               if (!mSearch_File.empty() && !Busy_Refuse())
                   Util_File_Open(mSearch_File, mSearch_Line);
           });
}

// The menu shows the options in use; "Precise analysis" is checked while all are on.
// Skipping labelled files takes the language table, so it waits for "All languages".
void MainDialog::Options_Show()
{
    bool ownOnly = true;
    for (size_t i = 0; i < std::size(Vn::ANALYSIS_SWITCHES); i++)
    {
        const Vn::AnalysisSwitch& option = Vn::ANALYSIS_SWITCHES[i];
        const bool labels = option.mGroup == Vn::AnalysisSwitch::Group::LABELS;
        ownOnly = ownOnly && (!labels || option.IsOn(mOptions));
        if (QAction* action = mUi.mOptions_SwitchActions[i])
        {
            action->setChecked(option.IsOn(mOptions));
            action->setEnabled(!labels || mOptions.mLanguages);
        }
    }
    mUi.mOptions_PreciseAction->setChecked(mOptions.IsPrecise());
    mUi.mOptions_OnlyOwnAction->setChecked(ownOnly);
    mUi.mOptions_OnlyOwnAction->setEnabled(mOptions.mLanguages);
}

// "Classic" with every option off, "Precise" with all on, else the options that are on.
void MainDialog::Mode_Show()
{
    QStringList on;
    for (const QAction* option : mUi.mOptionsMenu->actions())
    {
        if (option->isCheckable() && option->isChecked() && option != mUi.mOptions_PreciseAction)
            on.append(option->text());
    }
    mUi.mModeBtn->setText(mUi.mOptions_PreciseAction->isChecked() ? "Precise"
                          : on.isEmpty()                          ? "Classic"
                                                                  : on.join(", "));
}

// New options need a new engine, and the tree on screen a rescan to match them.
void MainDialog::Options_Apply(const Vn::AnalysisOptions& options)
{
    mOptions = options;
    mSettings.SetOptions(mOptions);
    Options_Show();
    Mode_Show();
    Engine_Create();
    Search_FileTypes_Fill(); // the types offered are those the new registry serves
    if (mParse_Root)
        Parse("Options_Apply");
}

void MainDialog::mOptions_Action_Toggled()
{
    Handle(__func__,
           [this]
           {
               Vn::AnalysisOptions options = mOptions;
               for (size_t i = 0; i < std::size(Vn::ANALYSIS_SWITCHES); i++)
               {
                   if (const QAction* action = mUi.mOptions_SwitchActions[i])
                       Vn::ANALYSIS_SWITCHES[i].Set(options, action->isChecked());
               }
               Options_Apply(options);
           });
}

void MainDialog::mOptions_OnlyOwnAction_Toggled(bool checked)
{
    Handle("Varnik::MainDialog::mOptions_OnlyOwnAction_Toggled",
           [this, checked]
           {
               Vn::AnalysisOptions options = mOptions;
               for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
               {
                   if (option.mGroup == Vn::AnalysisSwitch::Group::LABELS)
                       option.Set(options, checked);
               }
               Options_Apply(options);
           });
}

void MainDialog::mOptions_PreciseAction_Toggled(bool checked)
{
    Handle(__func__, [this, checked]
           { Options_Apply(checked ? Vn::AnalysisOptions::Precise() : Vn::AnalysisOptions()); });
}

void MainDialog::mOptions_EditorAction_Click()
{
    Handle(__func__,
           [this]
           {
               const std::optional<QString> command = mDesktop.AskText(
                   "Editor command",
                   "Opens a file at a line, %f standing for the file and %l for the line "
                   "(for example: gvim +%l %f). Empty for the desktop's opener.",
                   mSettings.EditorCommand());
               if (command && !Desktop::EditorCommand_IsBalanced(*command))
                   EditorCommand_Refuse(*command);
               else if (command)
                   mSettings.SetEditorCommand(command->trimmed());
           });
}

void MainDialog::mHelp_AboutAction_Click()
{
    mDesktop.ShowMessage(TrovLib::Format("Varnik %s\n\nCounts and searches the lines of "
                                         "source trees.",
                                         VARNIK_VERSION),
                         "About Varnik");
}

} // namespace Varnik
