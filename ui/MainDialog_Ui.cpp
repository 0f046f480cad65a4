#include "ui/MainDialog_Ui.h"

#include "ui/LazyTreeView.h"
#include "ui/MatchDelegate.h"
#include "ui/ProgressLine.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cctype>
#include <cstring>
#include <string>

namespace Varnik
{

namespace
{

// Toggles an item's check box on a click anywhere on the item, not only on the box.
class CheckOnClickDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        if (event->type() != QEvent::MouseButtonRelease ||
            !(index.flags() & Qt::ItemIsUserCheckable) ||
            !option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
};

// "Courier New" where it is installed, else the desktop's monospace font.
QFont Monospace(double points)
{
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    return font;
}

QPushButton* Button(const char* name, const char* text, int width, bool enabled = true)
{
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setMinimumWidth(width);
    button->setFixedHeight(23);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setEnabled(enabled);
    return button;
}

QCheckBox* CheckBox(const char* name, const char* text)
{
    auto* check = new QCheckBox(text);
    check->setObjectName(name);
    check->setChecked(true);
    return check;
}

std::string Capitalized(std::string word)
{
    word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    return word;
}

// "mOptions_CommonTypesAction": a switch's action is named after its settings key.
std::string SwitchActionName(const Vn::AnalysisSwitch& option)
{
    return "mOptions_" + Capitalized(option.mSettingsKey + std::strlen("options/")) + "Action";
}

// "mSearch_InCodeCheck", the name under which the box's state is kept too.
std::string ZoneCheckName(const Vn::SearchZone& zone)
{
    return "mSearch_In" + Capitalized(zone.mName) + "Check";
}

// One column that widens to its longest line, so that long lines scroll sideways.
template <class View> View* TreeView(const char* name)
{
    auto* tree = new View;
    tree->setObjectName(name);
    tree->setFont(Monospace(9));
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(false);
    return tree;
}

// A view of one of the window's item models, which fills as the user scrolls, and whose
// rows all have the height of one line of text, so that the view need not measure each.
LazyTreeView* ModelView(const char* name)
{
    auto* tree = TreeView<LazyTreeView>(name);
    tree->setUniformRowHeights(true);
    return tree;
}

// Names with their line counts, sorted by a click on a column's header; the engine's
// order comes first. The counts always show whole, and the names take what is left.
QTreeView* SortedView(const char* name)
{
    auto* tree = ModelView(name);
    tree->setHeaderHidden(false);
    tree->setTextElideMode(Qt::ElideMiddle);
    tree->setSortingEnabled(true);
    return tree;
}

QAction* TreeAction(QWidget* tree, const QString& name, const char* text)
{
    auto* action = new QAction(text, tree);
    action->setObjectName(name);
    tree->addAction(action);
    return action;
}

MainDialog_Ui::PathActions PathActions_Create(QWidget* tree, const QString& prefix)
{
    tree->setContextMenuPolicy(Qt::ActionsContextMenu);
    return {TreeAction(tree, prefix + "_OpenAction", "Open"),
            TreeAction(tree, prefix + "_ExploreAction", "Open containing folder"),
            TreeAction(tree, prefix + "_CopyPathAction", "Copy path")};
}

QLineEdit* TextBox(const char* name)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setFixedHeight(20);
    return box;
}

// The window's icon, in the sizes the build made of its SVG.
QIcon Icon()
{
    QIcon icon;
    for (const QString& size : QDir(":/icons").entryList())
        icon.addFile(":/icons/" + size + "/varnik.png");
    return icon;
}

QVBoxLayout* Column(QWidget* parent, int left, int top, int right, int bottom, int spacing)
{
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(left, top, right, bottom);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

void MainDialog_Ui::Setup(QMainWindow& window)
{
    window.setObjectName("MainDialog");
    window.setWindowTitle("Varnik");
    window.setWindowIcon(Icon());
    window.resize(993, 592);

    menuStrip1 = new QMenuBar(&window);
    menuStrip1->setObjectName("menuStrip1");
    menuStrip1->setFixedHeight(24);
    window.setMenuBar(menuStrip1);
    Menus_Create(window);

    statusStrip1 = new QStatusBar(&window);
    statusStrip1->setObjectName("statusStrip1");
    statusStrip1->setFixedHeight(22);
    mProgressLine = new ProgressLine;
    statusStrip1->addWidget(mProgressLine, 1);
    // The analysis in use, a click away from the menu that changes it.
    mModeBtn = new QToolButton;
    mModeBtn->setObjectName("mModeBtn");
    mModeBtn->setAutoRaise(true);
    mModeBtn->setMenu(mOptionsMenu);
    mModeBtn->setPopupMode(QToolButton::InstantPopup);
    mModeBtn->setToolButtonStyle(Qt::ToolButtonTextOnly);
    statusStrip1->addPermanentWidget(mModeBtn);
    window.setStatusBar(statusStrip1);

    window.setCentralWidget(Frame_Create(window));
}

void MainDialog_Ui::Models_Set(QAbstractItemModel& folders, QAbstractItemModel& files,
                               QAbstractItemModel& results)
{
    mFolders->setModel(&folders);
    mFiles->setModel(&files);
    mSearch_ResultTree->setModel(&results);
    for (QTreeView* sorted : {mFolders, mFiles})
        sorted->header()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void MainDialog_Ui::Menus_Create(QMainWindow& window)
{
    auto action = [&window](QMenu* menu, const char* name, const char* text, bool checkable)
    {
        QAction* added = menu->addAction(text);
        added->setObjectName(name);
        added->setCheckable(checkable);
        window.addAction(added); // keeps its shortcut while the menu bar is hidden
        return added;
    };
    QMenu* file = menuStrip1->addMenu("&File");
    mFile_OpenAction = action(file, "mFile_OpenAction", "&Open folder...", false);
    mFile_OpenAction->setShortcut(QKeySequence::Open);
    mFile_RescanAction = action(file, "mFile_RescanAction", "&Rescan", false);
    mFile_RescanAction->setShortcut(Qt::Key_F5);
    file->addSeparator();
    mFile_QuitAction = action(file, "mFile_QuitAction", "&Quit", false);
    mFile_QuitAction->setShortcut(QKeySequence::Quit);

    QMenu* options = mOptionsMenu = menuStrip1->addMenu("&Options");
    auto addSwitches = [&](Vn::AnalysisSwitch::Group group)
    {
        for (size_t i = 0; i < std::size(Vn::ANALYSIS_SWITCHES); i++)
        {
            const Vn::AnalysisSwitch& option = Vn::ANALYSIS_SWITCHES[i];
            if (option.mGroup == group && option.mMenuText != nullptr)
                mOptions_SwitchActions[i] =
                    action(options, SwitchActionName(option).c_str(), option.mMenuText, true);
        }
    };
    mOptions_SwitchActions.fill(nullptr);
    addSwitches(Vn::AnalysisSwitch::Group::READING);
    mOptions_PreciseAction = action(options, "mOptions_PreciseAction", Vn::PRECISE_MENU_TEXT, true);
    options->addSeparator();
    addSwitches(Vn::AnalysisSwitch::Group::LABELS);
    mOptions_OnlyOwnAction =
        action(options, "mOptions_OnlyOwnAction", Vn::ONLY_OWN_MENU_TEXT, true);
    options->addSeparator();
    mOptions_EditorAction = action(options, "mOptions_EditorAction", "Editor command...", false);

    QMenu* help = menuStrip1->addMenu("&Help");
    mHelp_AboutAction = action(help, "mHelp_AboutAction", "&About Varnik", false);
}

// The root-folder box with its button above the two pages.
QWidget* MainDialog_Ui::Frame_Create(QMainWindow& window)
{
    auto* frame = new QWidget(&window);
    mRootFolderBox = TextBox("mRootFolderBox");
    mRootFolderBox->setPlaceholderText("The folder to count: type it and press Enter, or Browse");
    mRootFolderBrowseBtn = Button("mRootFolderBrowseBtn", "Browse", 52);

    auto* rootRow = new QHBoxLayout;
    rootRow->setSpacing(6);
    rootRow->addWidget(mRootFolderBox, 1);
    rootRow->addWidget(mRootFolderBrowseBtn);

    mTabControl = new QTabWidget;
    mTabControl->setObjectName("mTabControl");
    mTabControl->addTab(CountersPage_Create(), "Counters");
    mTabControl->addTab(SearchPage_Create(), "Search");
    mTabControl->setCurrentIndex(0);

    auto* layout = Column(frame, 3, 2, 6, 3, 5);
    layout->addLayout(rootRow);
    layout->addWidget(mTabControl, 1);
    return frame;
}

// Folders and files share a movable divider and grow with the window; the counters
// keep their width at the right edge.
QWidget* MainDialog_Ui::CountersPage_Create()
{
    mCounters_Page = new QWidget;
    mCounters_Page->setObjectName("mCounters_Page");

    splitContainer1 = new QSplitter(Qt::Horizontal);
    splitContainer1->setObjectName("splitContainer1");
    splitContainer1->setHandleWidth(4);
    splitContainer1->setChildrenCollapsible(false);
    splitContainer1->addWidget(FolderPane_Create());
    splitContainer1->addWidget(FilePane_Create());
    splitContainer1->setSizes({269, 299});

    auto* layout = new QHBoxLayout(mCounters_Page);
    layout->setContentsMargins(3, 3, 5, 1);
    layout->setSpacing(7);
    layout->addWidget(splitContainer1, 1);
    layout->addWidget(InfoPane_Create());
    return mCounters_Page;
}

QWidget* MainDialog_Ui::FolderPane_Create()
{
    auto* pane = new QWidget;
    mOpenFolderBtn = Button("mOpenFolderBtn", "Open selected folder", 116, false);
    mFolders = SortedView("mFolders");

    auto* layout = Column(pane, 3, 4, 3, 8, 4);
    layout->addWidget(mOpenFolderBtn, 0, Qt::AlignLeft);
    layout->addWidget(mFolders, 1);
    return pane;
}

QWidget* MainDialog_Ui::FilePane_Create()
{
    auto* pane = new QWidget;
    mOpenFileBtn = Button("mOpenFileBtn", "Open selected file", 103, false);
    mFiles = SortedView("mFiles");
    mFiles->setRootIsDecorated(false);
    mFiles_PathActions = PathActions_Create(mFiles, "mFiles");

    auto* layout = Column(pane, 3, 3, 3, 8, 5);
    layout->addWidget(mOpenFileBtn, 0, Qt::AlignLeft);
    layout->addWidget(mFiles, 1);
    return pane;
}

QWidget* MainDialog_Ui::InfoPane_Create()
{
    auto* pane = new QWidget;
    pane->setFixedWidth(389);
    mCounters_DisplayBtn = Button("mCounters_DisplayBtn", "Display", 54, false);
    mInfo = TreeView<QTreeWidget>("mInfo");
    mInfo->setColumnCount(1);
    mInfo_SortByCountAction = new QAction("Sort by count", mInfo);
    mInfo_SortByCountAction->setObjectName("mInfo_SortByCountAction");
    mInfo_SortByCountAction->setCheckable(true);
    mInfo->addAction(mInfo_SortByCountAction);
    mInfo->setContextMenuPolicy(Qt::ActionsContextMenu);

    mInfo_SortByCountBtn = new QToolButton;
    mInfo_SortByCountBtn->setObjectName("mInfo_SortByCountBtn");
    mInfo_SortByCountBtn->setDefaultAction(mInfo_SortByCountAction);
    mInfo_SortByCountBtn->setFixedHeight(23);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mCounters_DisplayBtn);
    buttons->addStretch(1);
    buttons->addWidget(mInfo_SortByCountBtn);

    auto* layout = Column(pane, 0, 3, 0, 8, 5);
    layout->addLayout(buttons);
    layout->addWidget(mInfo, 1);
    return pane;
}

// The file types keep to the left, the text and its options to the right, and the
// results take the rest of the page.
QWidget* MainDialog_Ui::SearchPage_Create()
{
    mSearch_Page = new QWidget;
    mSearch_Page->setObjectName("mSearch_Page");
    mSearch_ResultTree = ModelView("mSearch_ResultTree");
    mSearch_PathActions = PathActions_Create(mSearch_ResultTree, "mSearch");
    mSearch_ExpandAllAction =
        TreeAction(mSearch_ResultTree, "mSearch_ExpandAllAction", "Expand all");
    mSearch_ResultTree->setItemDelegate(new MatchDelegate(mSearch_ResultTree));
    OrderActions_Create();

    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    top->addWidget(FileTypePane_Create(), 0, Qt::AlignTop);
    top->addStretch(1);
    top->addWidget(QueryPane_Create(), 0, Qt::AlignTop);

    auto* layout = Column(mSearch_Page, 6, 3, 3, 3, 6);
    layout->addLayout(top);
    layout->addWidget(mSearch_ResultTree, 1);
    return mSearch_Page;
}

// The orders of the results, in the result tree's context menu and behind a button.
void MainDialog_Ui::OrderActions_Create()
{
    mSearch_OrderActions = new QActionGroup(mSearch_ResultTree);
    auto* menu = new QMenu(mSearch_ResultTree);
    auto* separator = new QAction(mSearch_ResultTree);
    separator->setSeparator(true);
    mSearch_ResultTree->addAction(separator);
    for (const auto& [name, text] : {std::pair{"mSearch_OrderWalkAction", "Walk order"},
                                     {"mSearch_OrderLinesAction", "Most lines first"},
                                     {"mSearch_OrderNameAction", "By name"}})
    {
        QAction* action = TreeAction(mSearch_ResultTree, name, text);
        action->setCheckable(true);
        mSearch_OrderActions->addAction(action);
        menu->addAction(action);
    }
    mSearch_OrderBtn = new QToolButton;
    mSearch_OrderBtn->setObjectName("mSearch_OrderBtn");
    mSearch_OrderBtn->setText("Order");
    mSearch_OrderBtn->setMenu(menu);
    mSearch_OrderBtn->setPopupMode(QToolButton::InstantPopup);
    mSearch_OrderBtn->setFixedHeight(23);
}

QWidget* MainDialog_Ui::FileTypePane_Create()
{
    auto* pane = new QWidget;
    mSearch_FileTypeList = new QListWidget;
    mSearch_FileTypeList->setObjectName("mSearch_FileTypeList");
    mSearch_FileTypeList->setFont(Monospace(8.25));
    mSearch_FileTypeList->setFixedSize(120, 124);
    mSearch_FileTypeList->setSelectionMode(QAbstractItemView::NoSelection);
    mSearch_FileTypeList->setItemDelegate(new CheckOnClickDelegate(mSearch_FileTypeList));
    mSearch_FileTypeFilterBox = TextBox("mSearch_FileTypeFilterBox");
    mSearch_FileTypeFilterBox->setPlaceholderText("Filter");
    mSearch_FileTypeFilterBox->setFixedWidth(120);
    mSearch_SelectAllFileTypeBtn = Button("mSearch_SelectAllFileTypeBtn", "Select All", 75);
    mSearch_UnselectAllFileTypeBtn = Button("mSearch_UnselectAllFileTypeBtn", "Unselect All", 75);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addStretch(1);
    buttons->addWidget(mSearch_SelectAllFileTypeBtn);
    buttons->addWidget(mSearch_UnselectAllFileTypeBtn);

    auto* list = new QVBoxLayout;
    list->setSpacing(3);
    list->addWidget(mSearch_FileTypeFilterBox);
    list->addWidget(mSearch_FileTypeList);

    auto* layout = new QHBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(list);
    layout->addLayout(buttons);
    return pane;
}

QWidget* MainDialog_Ui::QueryPane_Create()
{
    auto* pane = new QWidget;
    pane->setFixedWidth(595);
    mSearch_TextBox = TextBox("mSearch_TextBox");
    mSearch_TextBox->setFont(Monospace(8.25));
    mSearch_Btn = Button("mSearch_Btn", "Search", 75, false);
    for (size_t i = 0; i < std::size(Vn::SEARCH_ZONES); i++)
        mSearch_ZoneChecks[i] =
            CheckBox(ZoneCheckName(Vn::SEARCH_ZONES[i]).c_str(), Vn::SEARCH_ZONES[i].mCheckText);
    mSearch_CaseSensitiveCheck = CheckBox("mSearch_CaseSensitiveCheck", "Case sensitive");
    mSearch_WholeWordCheck = CheckBox("mSearch_WholeWordCheck", "Whole word");
    mSearch_RegexCheck = CheckBox("mSearch_RegexCheck", "Regular expression");
    mSearch_WholeWordCheck->setChecked(false);
    mSearch_RegexCheck->setChecked(false);
    mSearch_OpenSelectedFolderBtn =
        Button("mSearch_OpenSelectedFolderBtn", "Open selected folder", 125, false);
    mSearch_OpenSelectedFileBtn =
        Button("mSearch_OpenSelectedFileBtn", "Open selected file", 113, false);

    auto* openButtons = new QHBoxLayout;
    openButtons->setSpacing(6);
    openButtons->addWidget(mSearch_OrderBtn);
    openButtons->addWidget(mSearch_OpenSelectedFolderBtn);
    openButtons->addWidget(mSearch_OpenSelectedFileBtn);

    auto* layout = new QGridLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(3);
    layout->setColumnStretch(0, 1);
    layout->addWidget(mSearch_TextBox, 0, 0, 1, 3);
    layout->addWidget(mSearch_Btn, 0, 3);
    for (int i = 0; i < static_cast<int>(mSearch_ZoneChecks.size()); i++)
        layout->addWidget(mSearch_ZoneChecks[i], i + 1, 1);
    layout->addWidget(mSearch_CaseSensitiveCheck, 1, 2, 1, 2, Qt::AlignLeft);
    layout->addWidget(mSearch_WholeWordCheck, 2, 2, 1, 2, Qt::AlignLeft);
    layout->addWidget(mSearch_RegexCheck, 3, 2, 1, 2, Qt::AlignLeft);
    layout->addLayout(openButtons, 4, 2, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    return pane;
}

} // namespace Varnik
