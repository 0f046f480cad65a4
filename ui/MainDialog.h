#pragma once

#include "engine/options/AnalysisOptions.h"
#include "engine/tree/NodeCounters.h"
#include "ui/Disposal.h"
#include "ui/FileListModel.h"
#include "ui/FolderTreeModel.h"
#include "ui/MainDialog_Ui.h"
#include "ui/SearchResultModel.h"
#include "ui/Settings.h"

#include <QMainWindow>
#include <QSet>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <string>

class QModelIndex;
class QTreeView;
class QTreeWidgetItem;

namespace Vn
{
class Counter_Histogram;
class Data_Folder;
class Data_Node;
class Engine;
class SearchRequest;
} // namespace Vn

namespace Varnik
{

class BackgroundPass;
class Desktop;

// The main window. It owns the engine (the parser registry, the folder parser and the
// search request, made anew when the analysis options change), scans the root folder into
// a data tree shown on the "Counters" page, and searches it into a result tree shown on
// the "Search" page. Passes run in the background, one at a time: the trees on screen
// stay until a pass brings their successor, and whatever would start another pass or act
// on a tree about to be replaced is disabled meanwhile.
//
// Every handler of a user action catches whatever its work throws and reports it, so
// the window stays usable after any failure; a pass's failure is reported when it ends.
class MainDialog : public QMainWindow
{
    Q_OBJECT

public:
    // The program: the application, the window on the command line's folder, the event loop.
    static int Run(int argc, char** argv);
    // The program's arguments joined by single spaces.
    static std::string CommandLine(int argc, const char* const* argv);
    // What "--help" and "--version" print, or an unknown option's complaint, with the exit
    // status; nothing when the arguments name a folder to open.
    struct Answer
    {
        std::string mText;
        int mStatus;
    };
    static std::optional<Answer> CommandLine_Answer(int argc, const char* const* argv);

    explicit MainDialog(Desktop& desktop);
    ~MainDialog() override;

    // Takes the root folder from a command line: a folder in double quotes loses them,
    // anything else is taken whole.
    void SetRootFolder(const char* text);
    // Whether a scan or a search is running.
    bool IsBusy() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Controls_Connect();
    void PathActions_Connect();
    void Menus_Connect();
    // Enables each control as the window's state allows.
    void Controls_Enable();
    void Engine_Create();
    void Options_Show();
    void Options_Apply(const Vn::AnalysisOptions& options);
    // Runs `work`, reporting an exception as one of the handler named `where`
    // (its __func__, or the name of the signal it handles).
    template <class Work> void Handle(const char* where, Work work);
    void ReportException(const char* where, const std::exception_ptr& failure);
    // `line` 0 stands for the whole file.
    void Util_File_Open(const std::string& path, uint64_t line);
    void Util_Folder_Explore(const std::string& path);
    void Util_Path_Copy(const std::string& path);
    // "ShellExecute failed" with the reason, unless there is none.
    void Util_Report(const QString& failure);
    void EditorCommand_Refuse(const QString& command);

    bool RootFolder_Apply();
    // Each page shows the outcome of its own last pass; `search` names the page.
    void Status_Set(bool search, const QString& text);
    bool Page_IsSearch() const;
    void Page_Changed();
    // True, and says so, while a pass runs.
    bool Busy_Refuse();
    void Mode_Show();
    void Pass_Start(const char* where, bool search);
    void Pass_Finished();
    void Pass_Cancel();
    void Parse(const char* where);
    void Parse_Show(std::unique_ptr<Vn::Data_Folder> root, double seconds);
    void Parse_Release();
    void Parse_Folder_Update();
    void Parse_File_Update();
    void Parse_Counter_Update();
    std::string Parse_FolderPath(const Vn::Data_Folder& folder) const;

    void Search_FileTypes_Fill();
    void Search_FileTypes_Filter();
    void Search_FileTypes_Check(bool checked);
    void Search_Request_Apply();
    void Search_Options_Restore();
    void Search_Options_Keep();
    void Search_Result_Release();
    // Replaces the results on screen with the rows of the running search.
    void Search_Result_Begin();
    // Moves the files found so far into the view, for a slice of time.
    void Search_Stream_Drain();
    // Ends the stream once the search is over and its last file is in the view.
    void Search_Stream_End();
    // Drops what has not reached the view.
    void Search_Stream_Stop();
    void Search_Node_Select(const QModelIndex& index);
    // Shows the results in the order of the action, kept for the next window.
    void Search_Order_Set(QAction* action);
    // Opens the root's row, and every row of small results once they are all in.
    void Search_Result_Expand();

    void MainDialog_Load();
    void mRootFolderBrowseBtn_Click();
    void mRootFolderBox_Enter();
    void mFile_RescanAction_Click();
    void mOptions_Action_Toggled();
    void mOptions_PreciseAction_Toggled(bool checked);
    void mOptions_OnlyOwnAction_Toggled(bool checked);
    void mOptions_EditorAction_Click();
    void mHelp_AboutAction_Click();
    void mFolders_AfterSelect(const QModelIndex& index);
    void mFiles_SelectedIndexChanged(const QModelIndex& index);
    void mInfo_AfterSelect(const QTreeWidgetItem* node);
    void mInfo_FillInSight();
    void mOpenFolderBtn_Click();
    void mOpenFileBtn_Click();
    void mCounters_DisplayBtn_Click();
    void mSearch_Btn_Click();
    void mSearch_SelectAllFileTypeBtn_Click();
    void mSearch_UnselectAllFileTypeBtn_Click();
    void mSearch_ResultTree_AfterSelect(const QModelIndex& index);
    void mSearch_OpenSelectedFolderBtn_Click();
    void mSearch_OpenSelectedFileBtn_Click();

    Desktop& mDesktop;
    Settings mSettings;
    Disposal mDisposal; // frees the trees let go of
    Vn::AnalysisOptions mOptions;
    bool mLoaded = false;

    std::unique_ptr<Vn::Engine> mEngine;   // the registry and the folder parser
    std::unique_ptr<BackgroundPass> mPass; // runs on the folder parser, so goes before it
    const char* mPass_Where = nullptr;     // the handler that started the pass
    bool mPass_Search = false;
    std::array<QString, 2> mStatus; // of the counters page, then of the search page
    std::string mRootFolder;
    const Vn::Data_Folder* mParse_Folder = nullptr;          // whose files are listed
    const Vn::Counter_Histogram* mParse_Histogram = nullptr; // selected in the counters
    // The counters shown, into which the view's histograms point.
    std::unique_ptr<Vn::NodeCounters> mParse_Counters;
    std::unique_ptr<Vn::Data_Folder> mParse_Root;
    FolderTreeModel mParse_FolderModel;           // reads mParse_Root
    FileListModel mParse_FileModel;               // reads mParse_Folder
    const Vn::Data_Node* mParse_Select = nullptr; // whose counters are shown
    bool mParse_FolderChosen = false;             // by the user, in the folder tree
    QSet<QString> mInfo_Expanded;                 // the keys of the counters opened

    std::string mSearch_File;   // the path of the file selected, if one is
    std::string mSearch_Folder; // the selected folder's path; empty for none
    uint64_t mSearch_Line = 0;  // of the selected line node; 0 for a file or folder
    std::unique_ptr<Vn::SearchRequest> mSearch_Request;
    SearchResultModel mSearch_Model;
    // From the start of a search until its last row is in the view or it is cancelled.
    bool mSearch_Streaming = false;
    bool mSearch_Begun = false;    // the view shows the rows of the running search
    bool mSearch_PassOver = false; // every file found has been taken from the pass
    std::deque<SearchResultModel::File> mSearch_Pending; // taken, not yet in the view
    QString mSearch_Unreadable; // what the search could not read, as a sentence
    QTimer mSearch_StreamTimer;

    MainDialog_Ui mUi;
};

} // namespace Varnik
