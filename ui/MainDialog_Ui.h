#pragma once

#include "engine/options/AnalysisSwitch.h"
#include "engine/search/SearchZone.h"

#include <array>

class QAbstractItemModel;
class QAction;
class QActionGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QMainWindow;
class QMenuBar;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QWidget;

namespace Varnik
{

class LazyTreeView;
class ProgressLine;

// The controls of the main window, with their texts, fonts, sizes and initial states,
// laid out so that resizing the window moves and stretches them as the user expects.
// The window owns the widgets; this only holds them, named after their roles.
class MainDialog_Ui
{
public:
    // "Open", "Open containing folder" and "Copy path" in a tree's context menu.
    struct PathActions
    {
        QAction* mOpen;
        QAction* mExplore;
        QAction* mCopyPath;
    };

    void Setup(QMainWindow& window);
    // The views show the models, which must outlive them or be taken back first.
    void Models_Set(QAbstractItemModel& folders, QAbstractItemModel& files,
                    QAbstractItemModel& results);

    QMenuBar* menuStrip1;
    QAction* mFile_OpenAction;
    QAction* mFile_RescanAction;
    QAction* mFile_QuitAction;
    QMenu* mOptionsMenu;
    // By the rows of ANALYSIS_SWITCHES; null for a switch that the menu does not offer.
    std::array<QAction*, std::size(Vn::ANALYSIS_SWITCHES)> mOptions_SwitchActions;
    QAction* mOptions_PreciseAction;
    QAction* mOptions_OnlyOwnAction; // every switch that skips labelled files
    QAction* mOptions_EditorAction;
    QAction* mHelp_AboutAction;
    QStatusBar* statusStrip1;
    ProgressLine* mProgressLine;
    QToolButton* mModeBtn;
    QLineEdit* mRootFolderBox;
    QPushButton* mRootFolderBrowseBtn;
    QTabWidget* mTabControl;

    QWidget* mCounters_Page;
    QSplitter* splitContainer1;
    QPushButton* mOpenFolderBtn;
    QTreeView* mFolders;
    QPushButton* mOpenFileBtn;
    QTreeView* mFiles;
    PathActions mFiles_PathActions;
    QPushButton* mCounters_DisplayBtn;
    QTreeWidget* mInfo;
    QAction* mInfo_SortByCountAction;
    QToolButton* mInfo_SortByCountBtn;

    QWidget* mSearch_Page;
    QLineEdit* mSearch_FileTypeFilterBox;
    QListWidget* mSearch_FileTypeList;
    QPushButton* mSearch_SelectAllFileTypeBtn;
    QPushButton* mSearch_UnselectAllFileTypeBtn;
    QLineEdit* mSearch_TextBox;
    QPushButton* mSearch_Btn;
    std::array<QCheckBox*, std::size(Vn::SEARCH_ZONES)> mSearch_ZoneChecks; // as SEARCH_ZONES
    QCheckBox* mSearch_CaseSensitiveCheck;
    QCheckBox* mSearch_WholeWordCheck;
    QCheckBox* mSearch_RegexCheck;
    QPushButton* mSearch_OpenSelectedFolderBtn;
    QPushButton* mSearch_OpenSelectedFileBtn;
    LazyTreeView* mSearch_ResultTree;
    QAction* mSearch_ExpandAllAction;
    // Walk order, most lines first, by name: an action's index is the order it stands for.
    QActionGroup* mSearch_OrderActions;
    QToolButton* mSearch_OrderBtn;
    PathActions mSearch_PathActions;

private:
    void Menus_Create(QMainWindow& window);
    QWidget* Frame_Create(QMainWindow& window);
    QWidget* CountersPage_Create();
    QWidget* FolderPane_Create();
    QWidget* FilePane_Create();
    QWidget* InfoPane_Create();
    QWidget* SearchPage_Create();
    void OrderActions_Create();
    QWidget* FileTypePane_Create();
    QWidget* QueryPane_Create();
};

} // namespace Varnik
