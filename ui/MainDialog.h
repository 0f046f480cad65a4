#pragma once

#include "ui/MainDialog_Ui.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QTreeWidgetItem;

namespace Vn
{
class Counter_Histogram;
class Data_Folder;
class Data_Node;
class FileParser_List;
class FolderParser;
class SearchRequest;
class SearchResult_File;
class SearchResult_Folder;
} // namespace Vn

namespace Varnik
{

class Desktop;

// The main window. It owns the engine for its whole life (the parser registry, the folder
// parser and the search request), scans the root folder into a data tree shown on the
// "Counters" page, and searches it into a result tree shown on the "Search" page. At most
// one data tree and one result tree are kept; each is released before the next is made.
//
// Every handler of a user action catches whatever its work throws and reports it, so
// the window stays usable after any failure.
class MainDialog : public QMainWindow
{
    Q_OBJECT

public:
    // The program: the application, the window on the command line's folder, the event loop.
    static int Run(int argc, char** argv);
    // The program's arguments joined by single spaces.
    static std::string CommandLine(int argc, const char* const* argv);

    explicit MainDialog(Desktop& desktop);
    ~MainDialog() override;

    // Takes the root folder from a command line: a folder in double quotes loses them,
    // anything else is taken whole.
    void SetRootFolder(const char* text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Controls_Connect();
    template <class Work> void Handle(const char* where, Work work);
    void ReportException(const char* where);
    void Util_File_Open(const std::string& path);
    void Util_Folder_Explore(const std::string& path);

    void RootFolder_Apply();
    void Parse();
    void Parse_Release();
    void Parse_Folder_Update();
    void Parse_File_Update();
    void Parse_Counter_Update();
    std::string Parse_FolderPath(const Vn::Data_Folder& folder) const;

    void Search();
    void Search_FileTypes_Fill();
    void Search_FileTypes_Check(bool checked);
    void Search_Request_Apply();
    void Search_Result_Release();
    void Search_Result_Update();
    void Search_Node_Select(const QTreeWidgetItem& node);
    void Search_FileNode_Select(const QTreeWidgetItem* node);
    void Search_FolderNode_Select(const QTreeWidgetItem* node);

    void MainDialog_Load();
    void mRootFolderBrowseBtn_Click();
    void mFolders_AfterSelect(const QTreeWidgetItem* node);
    void mFiles_SelectedIndexChanged();
    void mInfo_AfterSelect(const QTreeWidgetItem* node);
    void mOpenFolderBtn_Click();
    void mOpenFileBtn_Click();
    void mCounters_DisplayBtn_Click();
    void mSearch_Btn_Click();
    void mSearch_SelectAllFileTypeBtn_Click();
    void mSearch_UnselectAllFileTypeBtn_Click();
    void mSearch_ResultTree_AfterSelect(const QTreeWidgetItem* node);
    void mSearch_OpenSelectedFolderBtn_Click();
    void mSearch_OpenSelectedFileBtn_Click();

    Desktop& mDesktop;
    bool mLoaded = false;

    std::unique_ptr<Vn::FileParser_List> mFileParsers;
    std::unique_ptr<Vn::FolderParser> mFolderParser;
    std::string mRootFolder;
    const Vn::Data_Folder* mParse_Folder = nullptr;          // whose files are listed
    const Vn::Counter_Histogram* mParse_Histogram = nullptr; // selected in the counters
    std::unique_ptr<Vn::Data_Folder> mParse_Root;
    const Vn::Data_Node* mParse_Select = nullptr; // whose counters are shown

    const Vn::SearchResult_File* mSearch_File = nullptr;
    const Vn::SearchResult_Folder* mSearch_Folder = nullptr;
    std::unique_ptr<Vn::SearchRequest> mSearch_Request;
    std::unique_ptr<Vn::SearchResult_Folder> mSearch_Root;

    MainDialog_Ui mUi;
};

} // namespace Varnik
