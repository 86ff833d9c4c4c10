#pragma once

#include "document/FileSystem.h"
#include "document/LinkCheck.h"
#include "document/MenuDocument.h"
#include "document/MenuTree.h"
#include "editor/pages/PageFields.h"
#include "editor/preview/MenuScene.h"
#include "editor/ProgressAdapter.h"
#include "editor/RecentFiles.h"

#include <functional>
#include <memory>
#include <optional>
#include <QMainWindow>
#include <QPointer>
#include <unordered_set>
#include <vector>

class AppletSettingsPage;
class ColorPanel;
class DialogService;
class FieldPage;
class FirstLevelItemOptionsPage;
class HelpService;
class TformHTML;
class TformWebBrowser;
class TfrmPublishReport;
class HintLine;
class ItemPage;
class LivePreview;
class QDockWidget;
class ItemStatePage;
class MenuPage;
class MenuTreeModel;
struct TreeCommandHost;
class QUndoStack;
class QMimeData;
class QTemporaryDir;
class PageEditCommand;
class QUndoCommand;
class MenuTreeView;
class MoreAppletSettingsPage;
class PopupMenuPage;
class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class ShellService;
class SpinEdit;

// What the main window is given by whoever creates it: the dialogs it asks through, the shell
// it hands documents to, and the program folder (with a trailing separator).
struct EditorServices
{
    DialogService &dialogs;
    ShellService &shell;
    QString programFolder;
};

// The main window: the menu tree, the property pages and every command of the program. It
// owns the one document from its creation to the end of the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(EditorServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    static constexpr int ClientWidth = 618;
    static constexpr int ClientHeight = 364;
    static constexpr int ToolBarStep = 26;
    static constexpr int StatusLineStep = 20;
    static const char *const HomePage;

    // The document and its menu. Everything that changes them goes through the window's
    // commands; the tests read them to check what a command did.
    MenuDocument &Document() { return document; }
    const MenuTree &Tree() const { return menuTree; }
    const ProgressAdapter &Progress() const { return *progress; }
    const QtCaptionMeasure &PreviewMeasure() const { return previewMeasure; }
    const LinkWarningIndex &LinkWarnings() const { return linkWarningIndex; }
    // True exactly while the document differs from what was last created, opened or saved.
    bool Modified() const;
    const QString &ProjectFileName() const { return projectFileName; }

    // Binding between the pages and the document: the applet record in and out of the pages.
    // A load that meets a malformed value stops at that field and throws.
    void LoadAppletSettings();
    void StoreAppletSettings();

    // Start-up: opens the start file, swallowing any error; shows the template chooser.
    void OpenStartFile(const QString &fileName);
    void ShowTemplateChooser();
    void OpenProjectFile(const QString &fileName);
    // Opens a template as a new, untitled project with the template's content.
    void OpenTemplate(const QString &fileName);

    // Writes the .tvl association; the first registry error ends it silently.
    static void RegisterFileType(const QString &programPath);
    static const char *const PreviewPage;
    static const char *const ReportFile;
    static const char *const ProjectFilter;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Menu items' hints appear in the status text, as the controls' hints do.
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // The specified handlers, reached through the window's actions, controls and keys.
    void onTreeSelectionChanged();
    void onTreePressed();
    void drawTreeItem();
    void insertItem();
    void deleteItem();
    void moveItemUp();
    void moveItemDown();
    void edtItemCaptionChange();
    void btnSeparatorClick();
    // Branches: the clipboard, duplicates and re-nesting (MainWindowBranches.cpp).
    void cutItem();
    void copyItem();
    void pasteItem();
    void duplicateItem();
    void moveItemLeft();
    void moveItemRight();

    // Page handlers.
    void spnedtApWidthChange();
    void pnlApBgClrClick(ColorPanel *panel);
    void spdbtnItNoIconClick(QToolButton *button);
    void spdbtnItOvSndClick(QToolButton *button);
    void UpdateFadeColorPanel(QCheckBox *box, ColorPanel *panel);
    void UpdateImagePositionFields(QComboBox *list, SpinEdit *x, SpinEdit *y);
    void UpdateBorderFields(SpinEdit *width, QComboBox *list, ColorPanel *panel);
    void spnedtApWidthMouseMove(QWidget *control);

    // View, help and web commands.
    void toggleToolBar();
    void toggleStatusBar();
    void showHelpTopics();
    void viewSample();
    void openHomepage();
    void contactUs();
    void HelpForFocus();

    // Output commands and dialogs.
    void buildHtml();
    void previewInBrowser();
    void showPublishReport();
    void chooseWebBrowser();
    // Option > Include Web Runtime When Saving: a per-user setting, read at start.
    void toggleWebRuntime();
    void newFromTemplate();
    void showAbout();

    // Document commands.
    void newProject();
    void openProject();
    void saveProject();
    void saveProjectAs();
    void RecentFileClick(QAction *item);

private:
    void MarkModified();
    void LoadItemSettings(int index);
    void StoreItemSettings(int index);
    void dropBranch(const QMimeData *data, Qt::DropAction action, ItemTree::Node parent, int row);
    void CommitCurrentItem();
    void RefreshItemCommands();
    int CountDescendants(ItemTree::Node node);
    ItemTree::Node CurrentItem() const { return menuTree.find(CurrentItemNode); }
    // The item index of a node: its pre-order position in the tree less one.
    int ItemIndex(ItemTree::Node node) const;
    // Runs a command; an error that escapes it is shown in the standard error box.
    void runGuarded(const std::function<void()> &command);
    // A slot that runs the handler guarded, for connecting menu items and buttons.
    std::function<void()> guardedSlot(void (MainWindow::*handler)());
    void ChooseColor(ColorPanel *panel);
    void UpdateDependentFields();
    // A window without a help context of its own names its page of the manual in this property.
    static constexpr const char *HelpPageProperty = "helpPage";
    // F1 in a dialog: the topic of its focused control, or of the dialog itself.
    void addHelpKey(QWidget *window);
    QWidget *helpTarget(QWidget *window) const;
    void helpFrom(QWidget *start);
    void showHelp(const QString &page);
    // Tells that the browser chosen under Option > Web Browser could not be started.
    void browserFailed();
    void RefreshHTMLWindow();
    void ProcessMenuStructure();
    // The close question; false keeps the window open.
    bool FormCloseQuery();
    void LoadRecentFiles();
    void AddRecentFile(const QString &fileName);

    TformHTML *formHTML;
    TformWebBrowser *formWebBrowser;
    TfrmPublishReport *frmPublishReport;

    // Regions of the window.
    QToolBar *tlbr1;
    QWidget *splitHandle = nullptr;
    int treeExtra = 0; // the tree's share of the room beyond the default size
    QFrame *pnlTreeView;
    MenuTreeView *treeView;
    QTabWidget *propertyTabs;
    QTabWidget *PageControl2;
    QTabWidget *PageControl3;
    QStatusBar *statusLine;
    QLabel *hintLabel;
    QProgressBar *ProgressBar1;

    // Tab pages.
    AppletSettingsPage *pagAppletSettings;
    MoreAppletSettingsPage *pagMoreAppletSettings;
    MenuPage *pagMenu;
    ItemStatePage *pagItemNormal;
    ItemStatePage *pagItemOver;
    ItemStatePage *pagItemClicked;
    PopupMenuPage *pagPopupMenu;
    ItemPage *itemPage;
    FirstLevelItemOptionsPage *firstLevelPage;

    // Menu items, toolbar buttons and the tree's popup menu.
    QMenu *mnitRecentFiles;
    QMenu *PopupMenu1;
    QAction *Templet1, *New1, *Open1, *Save1, *Save2, *Exit1;
    QAction *Undo1, *Redo1, *Cut1, *Copy1, *Paste1, *Duplicate1;
    QAction *MoveLeft1, *MoveRight1;
    QAction *ToolBar1, *StatusBar2, *LivePreview1;
    QAction *Insert2, *Delete2, *MoveUp2, *MoveDown2;
    QAction *Preview1, *BuildHTML1, *Publish1, *WebBrowser1, *IncludeWebRuntime1;
    QAction *Topic1, *ViewSample1, *Homepage1, *ContactUs1, *About1;
    QAction *Insert1, *Delete1, *MoveUp1, *MoveDown1;
    QAction *tlbtnNew, *tlbtnOpen, *tlbtnSave, *tlbtnInsert, *tlbtnDelete, *tlbtnMoveUp,
        *tlbtnMoveDown, *ToolButton11, *ToolButton12, *ToolButton13;

    void buildWindow();
    void buildMenus();
    void buildToolBar();
    void buildPages();
    void wireHandlers();
    void wireTreeCommands();
    void wireDocumentCommands();
    void wireOutputCommands();
    // The save-changes question; false when the command must end here.
    bool askToSaveChanges();
    void storePages();
    // Saves under the project's name, asking for one when there is none; false when the user
    // cancelled the dialog.
    bool saveDocument();
    bool saveDocumentAs();
    // Saves the project and its outputs under fileName; false when the author cancelled.
    bool saveAs(const QString &fileName);
    void fillWindowFromFile(const QString &fileName, bool asTemplate);
    void selectRoot();
    void clearModified();
    // Throws the error a load of these settings into the pages would raise, if any.
    void checkAppletSettings(const TAppletData &data);
    void showPagesFor(ItemTree::Node node);
    int checkedItemIndex(ItemTree::Node node) const;
    void wireUndo();
    // What the pages show, stored as a save would store it, without touching the document.
    struct PageState
    {
        TAppletData applet;
        MenuTree::Id item = 0;
        TItemData record;
    };
    PageState readPages();
    // Turns the pages' edit since the last one into an undoable step.
    void capturePageEdit();
    void applyPageEdit(const PageEditCommand &edit, bool after, bool shown);
    // What the pages call a field of the applet record or of an item's.
    QString fieldCaption(bool applet, int position);
    const PageField *pageField(bool applet, int position);
    bool refuseOversizedValues(const PageState &now);
    // Pushes a tree step onto the history; a step that gives an item its first child empties
    // that item's link in the same undo step.
    // Refused with a message when the menu would grow deeper than a project file holds;
    // height is the levels of the branch the step puts under newParent.
    void pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height, int added = 0);
    int branchHeight(ItemTree::Node top) const;
    void showControl(const QString &name);
    TItemData itemFromPages() const;
    // While the program fills the pages, their change notifications are no edits; after it,
    // what they show is the base the next edit is measured against.
    friend class PageLoad;
    void wireBranchCommands();
    bool clipboardHoldsBranch() const;
    // Inserts a copy of a branch as one undoable step.
    void insertCopy(const QString &text, MenuBranch branch, ItemTree::Node parent, int position);
    // Replaces the whole tree (a new or opened project); change works on the bare tree.
    // The undo history starts afresh.
    void rebuildTree(const std::function<void()> &change);
    void wireHints();
    // The live preview (MainWindowPreview.cpp).
    void buildLivePreview(QMenu *view);
    void wireLivePreview();
    void restoreWindows();
    void rememberWindows();
    // Draws the preview anew once the current command is done, before the next frame.
    void schedulePreview();
    void scheduleWarnings();
    void refreshPreview();
    void updateTitle();
    // The accessibility and link warnings of a menu, as lines for the author.
    QStringList warningTexts(const TAppletData &data, const MenuRecords &items,
                             const MenuLayout &layout);
    void FormCreate();
    void setSaveEnabled(bool enabled);
    void layoutClient();
    int defaultClientHeight() const;
    void resizeClientBy(int dy);
    QToolButton *toolButton(QAction *action) const;

    // Every applet field with the control that shows it, over all the applet pages.
    const PageFields &appletBindings();
    std::vector<FieldPage *> appletPages() const;

    EditorServices services;
    std::unique_ptr<HelpService> help;
    HintLine *hintLine;
    QWidget *client;

    MenuDocument document;
    // The menu's shape, kept in step with the document's item list by its own operations.
    MenuTree menuTree{document.GetItems()};
    std::unique_ptr<MenuTreeModel> treeModel;
    // The edits that can be undone, one step per command.
    QUndoStack *undoStack;
    std::unique_ptr<TreeCommandHost> commandHost;
    // Every node the view expanded since, as it told; some may have gone or been collapsed
    // since, so the view is asked again before one is taken for expanded.
    std::unordered_set<MenuTree::Id> expandedNodes;
    std::vector<MenuTree::Id> expandedIn(ItemTree::Node top);
    // This editor's own preview folder, not guessable and not shared; gone with the editor.
    std::unique_ptr<QTemporaryDir> previewDir;
    std::unique_ptr<ProgressAdapter> progress;
    PageFields bindings;

    int loadingPages = 0;
    int editSeries = 0;
    PageState pageBaseline;
    QString projectFileName;
    std::optional<fsx::FileStamp> projectStamp; // the project file as last read or written
    // The link warnings, read again only for the records a command touched.
    LinkWarningIndex linkWarningIndex;
    bool warningsPending = false;
    RecentFileList recentFiles;
    bool TreeRebuilding = false;
    MenuTree::Id CurrentItemNode = 0; // the node whose record the item pages show
    int descendantCounter = 0;
    bool refreshPending = false;
    LivePreview *livePreview = nullptr;
    QDockWidget *dockPreview = nullptr;
    QtCaptionMeasure previewMeasure;
    bool previewPending = false;
    bool previewRestored = false;
    MenuTree::Id previewSelection = 0;
    // What the preview's drawing was made from: a change of the tree or the history, the
    // applet record, and the item record the pages replaced (-1 for none).
    int previewGeneration = 0;
    struct
    {
        int generation = -1;
        TAppletData applet;
        int replaced = -1;
    } previewDrawn;
};
