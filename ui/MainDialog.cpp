#include "ui/MainDialog.h"

#include "engine/counters/Counter_Histogram.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/scan/FolderParser.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_File.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"
#include "lib/Format.h"
#include "lib/Path.h"
#include "ui/Desktop_Qt.h"
#include "ui/DisplayForm.h"
#include "ui/LocalText.h"
#include "ui/TreeNodes.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <string_view>
#include <thread>

namespace Varnik
{

namespace
{

// The wait cursor for as long as a scan or a search runs, however it ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Views are filled and emptied by the window itself, which must not take that for a
// selection by the user.
template <class View> void View_Clear(View& view)
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
std::string FolderPath(const char* rootName, const char* folderName, bool isRoot)
{
    if (isRoot)
        return rootName;
    return TrovLib::Format("%s%c%s", rootName, TrovLib::SEPARATOR, folderName);
}

} // namespace

int MainDialog::Run(int argc, char** argv)
{
    QApplication application(argc, argv);
    Desktop_Qt desktop;
    try
    {
        MainDialog window(desktop);
        const std::string commandLine = CommandLine(argc, argv);
        if (!commandLine.empty())
            window.SetRootFolder(commandLine.c_str());
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

MainDialog::MainDialog(Desktop& desktop) : mDesktop(desktop)
{
    mUi.Setup(*this);
    Controls_Connect();
    mFileParsers = std::make_unique<Vn::FileParser_List>();
    mFileParsers->CreateParsers();
    mFolderParser = std::make_unique<Vn::FolderParser>(mFileParsers.get());
    mFolderParser->SetJobs(std::thread::hardware_concurrency(),
                           [] { return Vn::FileParser_List::CreateFilled(); });
    mSearch_Request = std::make_unique<Vn::SearchRequest>();
}

// The trees go first, while the views that point into them are emptied quietly; the
// folder parser then goes before the registry it uses.
MainDialog::~MainDialog()
{
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    Parse_Release();
    Search_Result_Release();
}

void MainDialog::Controls_Connect()
{
    connect(mUi.mRootFolderBrowseBtn, &QPushButton::clicked, this,
            &MainDialog::mRootFolderBrowseBtn_Click);
    connect(mUi.mFolders, &QTreeWidget::currentItemChanged, this,
            &MainDialog::mFolders_AfterSelect);
    connect(mUi.mFiles, &QListWidget::currentRowChanged, this,
            &MainDialog::mFiles_SelectedIndexChanged);
    connect(mUi.mInfo, &QTreeWidget::currentItemChanged, this, &MainDialog::mInfo_AfterSelect);
    connect(mUi.mOpenFolderBtn, &QPushButton::clicked, this, &MainDialog::mOpenFolderBtn_Click);
    connect(mUi.mOpenFileBtn, &QPushButton::clicked, this, &MainDialog::mOpenFileBtn_Click);
    connect(mUi.mCounters_DisplayBtn, &QPushButton::clicked, this,
            &MainDialog::mCounters_DisplayBtn_Click);
    connect(mUi.mSearch_Btn, &QPushButton::clicked, this, &MainDialog::mSearch_Btn_Click);
    connect(mUi.mSearch_SelectAllFileTypeBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_SelectAllFileTypeBtn_Click);
    connect(mUi.mSearch_UnselectAllFileTypeBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_UnselectAllFileTypeBtn_Click);
    connect(mUi.mSearch_ResultTree, &QTreeWidget::currentItemChanged, this,
            &MainDialog::mSearch_ResultTree_AfterSelect);
    connect(mUi.mSearch_OpenSelectedFolderBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_OpenSelectedFolderBtn_Click);
    connect(mUi.mSearch_OpenSelectedFileBtn, &QPushButton::clicked, this,
            &MainDialog::mSearch_OpenSelectedFileBtn_Click);
}

template <class Work> void MainDialog::Handle(const char* where, Work work)
{
    try
    {
        work();
    }
    catch (...)
    {
        ReportException(where);
    }
}

void MainDialog::ReportException(const char* where)
{
    mDesktop.ShowMessage(TrovLib::Format("An exception occured in %s", where), "Error");
}

void MainDialog::Util_File_Open(const std::string& path)
{
    if (!mDesktop.ShellExecute("open", path))
        mDesktop.ShowMessage("ShellExecute failed", "Error");
}

void MainDialog::Util_Folder_Explore(const std::string& path)
{
    if (!mDesktop.ShellExecute("explore", path))
        mDesktop.ShowMessage("ShellExecute failed", "Error");
}

void MainDialog::SetRootFolder(const char* text)
{
    std::string_view root(text);
    if (root.size() >= 2 && root[0] == '"' && root[1] != '"')
        root = root.substr(1, root.find('"', 1) - 1);
    mRootFolder = root;
    mUi.mRootFolderBox->setText(LocalText_ToQt(mRootFolder));
}

// The box holds text, the engine wants bytes: a root that came in as bytes the box cannot
// show exactly (not valid in the locale's encoding) is kept as long as the box shows it.
// A trailing separator is dropped, so that the root node is named after the folder.
void MainDialog::RootFolder_Apply()
{
    const QString text = mUi.mRootFolderBox->text();
    if (text != LocalText_ToQt(mRootFolder))
        mRootFolder = LocalText_FromQt(text);
    while (mRootFolder.size() > 1 && mRootFolder.back() == TrovLib::SEPARATOR)
        mRootFolder.pop_back();
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
    Handle("Varnik::MainDialog::MainDialog_Load",
           [this]
           {
               Search_FileTypes_Fill();
               if (!mUi.mRootFolderBox->text().isEmpty())
               {
                   Parse();
                   mUi.mSearch_Btn->setEnabled(true);
               }
           });
}

void MainDialog::mRootFolderBrowseBtn_Click()
{
    Handle("Varnik::MainDialog::mRootFolderBrowseBtn_Click",
           [this]
           {
               const std::optional<QString> folder = mDesktop.ChooseFolder();
               if (!folder)
                   return;
               mUi.mRootFolderBox->setText(*folder);
               Parse();
               mUi.mSearch_Btn->setEnabled(true);
           });
}

void MainDialog::Parse()
{
    const WaitCursor wait;
    Parse_Release();
    RootFolder_Apply();
    mParse_Root = mFolderParser->Parse(mRootFolder.c_str());
    Parse_Folder_Update();
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
        View_Clear(*mUi.mFolders);
        View_Clear(*mUi.mFiles);
        View_Clear(*mUi.mInfo);
        mParse_Root.reset();
    }
    mUi.mOpenFolderBtn->setEnabled(false);
    mUi.mOpenFileBtn->setEnabled(false);
    mUi.mCounters_DisplayBtn->setEnabled(false);
}

void MainDialog::Parse_Folder_Update()
{
    View_Clear(*mUi.mFolders);
    mUi.mOpenFolderBtn->setEnabled(false);
    if (mParse_Root)
    {
        View_AddRoot(*mUi.mFolders, Parse_FolderNode_Create(*mParse_Root));
        mParse_Folder = mParse_Root.get();
        mParse_Select = mParse_Root.get();
    }
    Parse_File_Update();
}

void MainDialog::Parse_File_Update()
{
    View_Clear(*mUi.mFiles);
    mUi.mOpenFileBtn->setEnabled(false);
    if (mParse_Folder)
    {
        const QSignalBlocker blocker(mUi.mFiles);
        for (const auto& child : mParse_Folder->mNodes)
        {
            if (dynamic_cast<const Vn::Data_Folder*>(child.get()) == nullptr)
                mUi.mFiles->addItem(LocalText_ToQt(child->GetName_Relative()));
        }
        mParse_Select = mParse_Folder;
    }
    Parse_Counter_Update();
}

void MainDialog::Parse_Counter_Update()
{
    View_Clear(*mUi.mInfo);
    if (mParse_Select)
    {
        View_AddRoot(*mUi.mInfo,
                     Parse_CounterNode_Create(mParse_Select->mCounters,
                                              mParse_Select->GetName_Relative(), nullptr));
    }
    mParse_Histogram = nullptr;
    mUi.mCounters_DisplayBtn->setEnabled(false);
}

std::string MainDialog::Parse_FolderPath(const Vn::Data_Folder& folder) const
{
    return FolderPath(mParse_Root->GetName(), folder.GetName(), &folder == mParse_Root.get());
}

void MainDialog::mFolders_AfterSelect(const QTreeWidgetItem* node)
{
    Handle("Varnik::MainDialog::mFolders_AfterSelect",
           [this, node]
           {
               const auto* folder = Node_GetTag<Vn::Data_Folder>(node);
               if (folder == nullptr)
                   return;
               mParse_Folder = folder;
               mParse_Select = folder;
               mUi.mOpenFolderBtn->setEnabled(true);
               Parse_File_Update();
           });
}

void MainDialog::mFiles_SelectedIndexChanged()
{
    Handle("Varnik::MainDialog::mFiles_SelectedIndexChanged",
           [this]
           {
               if (mParse_Folder == nullptr)
                   return;
               const int row = mUi.mFiles->currentRow();
               mParse_Select =
                   row < 0 ? nullptr : mParse_Folder->GetFile(static_cast<unsigned>(row));
               mUi.mOpenFileBtn->setEnabled(mParse_Select != nullptr);
               Parse_Counter_Update();
           });
}

void MainDialog::mInfo_AfterSelect(const QTreeWidgetItem* node)
{
    Handle("Varnik::MainDialog::mInfo_AfterSelect",
           [this, node]
           {
               mParse_Histogram = Node_GetTag<Vn::Counter_Histogram>(node);
               mUi.mCounters_DisplayBtn->setEnabled(mParse_Histogram != nullptr);
           });
}

void MainDialog::mOpenFolderBtn_Click()
{
    Handle("Varnik::MainDialog::mOpenFolderBtn_Click",
           [this]
           {
               if (mParse_Root && mParse_Folder)
                   Util_Folder_Explore(Parse_FolderPath(*mParse_Folder));
           });
}

void MainDialog::mOpenFileBtn_Click()
{
    Handle("Varnik::MainDialog::mOpenFileBtn_Click",
           [this]
           {
               if (mParse_Select)
                   Util_File_Open(mParse_Select->GetName());
           });
}

void MainDialog::mCounters_DisplayBtn_Click()
{
    Handle("Varnik::MainDialog::mCounters_DisplayBtn_Click",
           [this]
           {
               if (mParse_Histogram == nullptr || mParse_Select == nullptr)
                   return;
               DisplayForm form(*mParse_Histogram, mParse_Select->GetName_Relative(), mDesktop,
                                this);
               form.exec();
           });
}

void MainDialog::Search_FileTypes_Fill()
{
    for (const char* type : Vn::FILE_TYPES)
    {
        auto* item = new QListWidgetItem(type, mUi.mSearch_FileTypeList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void MainDialog::Search_FileTypes_Check(bool checked)
{
    for (int i = 0; i < mUi.mSearch_FileTypeList->count(); i++)
        mUi.mSearch_FileTypeList->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void MainDialog::Search()
{
    const WaitCursor wait;
    RootFolder_Apply();
    Search_Request_Apply();
    Search_Result_Release();
    mSearch_Root = mFolderParser->Search(mRootFolder.c_str(), *mSearch_Request);
    Search_Result_Update();
}

// Item i of the file-type list stands for entry i of the searchable types.
void MainDialog::Search_Request_Apply()
{
    mSearch_Request->SetText(LocalText_FromQt(mUi.mSearch_TextBox->text()).c_str());

    Vn::SearchRequest::Flags& flags = mSearch_Request->mFlags;
    flags.CaseSensitive = mUi.mSearch_CaseSensitiveCheck->isChecked();
    flags.InCode = mUi.mSearch_InCodeCheck->isChecked();
    flags.InComment = mUi.mSearch_InCommentCheck->isChecked();
    flags.InDirective = mUi.mSearch_InDirectiveCheck->isChecked();
    flags.InString = mUi.mSearch_InStringCheck->isChecked();
    flags.InContent = true;

    mSearch_Request->mFileTypes.clear();
    const QListWidget& list = *mUi.mSearch_FileTypeList;
    for (size_t i = 0; i < Vn::FILE_TYPES.size() && static_cast<int>(i) < list.count(); i++)
    {
        if (list.item(static_cast<int>(i))->checkState() == Qt::Checked)
            mSearch_Request->mFileTypes.insert(Vn::FILE_TYPES[i]);
    }
}

void MainDialog::Search_Result_Release()
{
    mSearch_File = nullptr;
    mSearch_Folder = nullptr;
    if (!mSearch_Root)
        return;
    View_Clear(*mUi.mSearch_ResultTree);
    mSearch_Root.reset();
    mUi.mSearch_OpenSelectedFileBtn->setEnabled(false);
    mUi.mSearch_OpenSelectedFolderBtn->setEnabled(false);
}

void MainDialog::Search_Result_Update()
{
    View_Clear(*mUi.mSearch_ResultTree);
    if (mSearch_Root)
        View_AddRoot(*mUi.mSearch_ResultTree, Search_FolderNode_Create(*mSearch_Root));
}

// A line node stands for its file, and a file node for its folder too.
void MainDialog::Search_Node_Select(const QTreeWidgetItem& node)
{
    const QTreeWidgetItem* fileNode = nullptr;
    const QTreeWidgetItem* folderNode = &node;
    if (Node_GetTag<Vn::SearchResult_Folder>(&node) == nullptr)
    {
        fileNode = Node_GetTag<Vn::SearchResult_File>(&node) ? &node : node.parent();
        folderNode = fileNode ? fileNode->parent() : nullptr;
    }
    Search_FileNode_Select(fileNode);
    Search_FolderNode_Select(folderNode);
}

void MainDialog::Search_FileNode_Select(const QTreeWidgetItem* node)
{
    mSearch_File = Node_GetTag<Vn::SearchResult_File>(node);
    mUi.mSearch_OpenSelectedFileBtn->setEnabled(mSearch_File != nullptr);
}

void MainDialog::Search_FolderNode_Select(const QTreeWidgetItem* node)
{
    mSearch_Folder = Node_GetTag<Vn::SearchResult_Folder>(node);
    mUi.mSearch_OpenSelectedFolderBtn->setEnabled(mSearch_Folder != nullptr);
}

void MainDialog::mSearch_Btn_Click()
{
    Handle("Varnik::MainDialog::mSearch_Btn_Click", [this] { Search(); });
}

void MainDialog::mSearch_SelectAllFileTypeBtn_Click()
{
    Handle("Varnik::MainDialog::mSearch_SelectAllFileTypeBtn_Click",
           [this] { Search_FileTypes_Check(true); });
}

void MainDialog::mSearch_UnselectAllFileTypeBtn_Click()
{
    Handle("Varnik::MainDialog::mSearch_UnselectAllFileTypeBtn_Click",
           [this] { Search_FileTypes_Check(false); });
}

void MainDialog::mSearch_ResultTree_AfterSelect(const QTreeWidgetItem* node)
{
    Handle("Varnik::MainDialog::mSearch_ResultTree_AfterSelect",
           [this, node]
           {
               if (node)
                   Search_Node_Select(*node);
           });
}

void MainDialog::mSearch_OpenSelectedFolderBtn_Click()
{
    Handle("Varnik::MainDialog::mSearch_OpenSelectedFolderBtn_Click",
           [this]
           {
               if (mSearch_Root && mSearch_Folder)
                   Util_Folder_Explore(FolderPath(mSearch_Root->GetName(),
                                                  mSearch_Folder->GetName(),
                                                  mSearch_Folder == mSearch_Root.get()));
           });
}

void MainDialog::mSearch_OpenSelectedFileBtn_Click()
{
    Handle("Varnik::MainDialog::mSearch_OpenSelectedFileBtn_Click",
           [this]
           {
               if (mSearch_File)
                   Util_File_Open(mSearch_File->GetName());
           });
}

} // namespace Varnik
