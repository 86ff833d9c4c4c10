#pragma once

#include "document/MenuTree.h"
#include "document/Publisher.h"
#include "editor/RecentFiles.h"

#include <functional>
#include <memory>
#include <optional>
#include <QMainWindow>

class AutoRecovery;
class DialogService;
class EditorDocument;
class HelpService;
class HintLine;
class LivePreview;
class MenuTreeView;
class PreviewController;
class ProgressAdapter;
class PropertyPanel;
class InterchangeController;
class OutputController;
class QDockWidget;
class QFrame;
class QLabel;
class QMenu;
class QMimeData;
class QProgressBar;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QUndoCommand;
class ShellService;
struct MenuBranch;

// What the main window is given by whoever creates it: the dialogs it asks through, the shell
// it hands documents to, and the program folder (with a trailing separator).
struct EditorServices
{
    DialogService &dialogs;
    ShellService &shell;
    QString programFolder;
};

// The main window: the menu tree beside the property pages, the live preview in a dock, and
// every command of the program as one action, shared by the menus, the tool bar and the
// tree's context menu. The document it edits is its own from its creation to its end.
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
    static const char *const ProjectFilter;

    EditorDocument &document() const { return *document_; }
    PropertyPanel &propertyPanel() const { return *panel_; }
    const PreviewController &preview() const { return *preview_; }
    const ProgressAdapter &progress() const { return *progress_; }

    // Start-up: opens the start file, telling why it could not; shows the template chooser.
    void openStartFile(const QString &fileName);
    // Start-up: offers the unsaved work of an editor that ended without being closed (restore,
    // discard, or decide later); true when it was restored.
    bool offerRecovery();
    // The editor ends without the author closing it (the session ends): its unsaved work is
    // kept for the next start.
    void keepUnsavedWork();
    AutoRecovery &autoRecovery() const { return *recovery_; }
    void showTemplateChooser();
    void openProjectFile(const QString &fileName);
    // Opens a template as a new, untitled project with the template's content.
    void openTemplate(const QString &fileName);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Menu items' hints appear in the status text, as the controls' hints do.
    bool event(QEvent *event) override;
    // A project file dropped on the window opens, as File > Open would open it.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The window (MainWindow.cpp).
    void createActions();
    void createMenus();
    void createToolBar();
    void createClient();
    void wireHints();
    int defaultClientHeight() const;
    void resizeClientBy(int dy);
    void toggleToolBar();
    void toggleStatusBar();
    void updateTitle();
    // The project's file name, or "Untitled".
    QString shownName() const;
    void updateActions();
    // Runs a command; an error that escapes it is shown in the standard error box.
    void runGuarded(const std::function<void()> &command);
    QAction *addCommand(const char *name, const QString &text, void (MainWindow::*handler)(),
                        int imageIndex = -1);

    // Help (MainWindow.cpp).
    void showHelpTopics();
    void showHelpForFocus();
    void addHelpKey(QWidget *window);
    QWidget *helpTarget(QWidget *window) const;
    void helpFrom(QWidget *start);
    void showHelp(const QString &page);
    void viewSample();
    void openHomepage();
    void contactSupport();

    // The project's file (MainWindowFile.cpp).
    void newProject();
    void openProject();
    // Menus in and out (MainWindowInterchange.cpp).
    void saveProject();
    void saveProjectAs();
    // The save-changes question; false when the command must end here.
    bool askToSaveChanges();
    // Saves under the project's name, asking for one when there is none; false when the
    // author cancelled.
    bool saveDocument();
    bool saveDocumentAs();
    bool saveAs(const QString &fileName);
    Publisher::ReplaceQuestion replaceQuestion(const std::string &ownName,
                                               std::optional<fsx::ReadOnlyReplacement> &readOnly);
    void tellLeftOut();
    // The project file among dropped data; empty when there is none.
    static QString droppedProject(const QMimeData *data);
    void openFile(const QString &fileName, bool asTemplate);
    // The close question; false keeps the window open.
    bool closeQuery();
    void loadRecentFiles();
    void addRecentFile(const QString &fileName);

    // The tree and its commands (MainWindowTree.cpp).
    void wireTree();
    void onTreeSelectionChanged();
    void onCurrentNodeChanged(ItemTree::Node node);
    void onBranchLeaving(ItemTree::Node top);
    void drawTreeItem();
    void insertItem();
    void deleteItem();
    void moveItemUp();
    void moveItemDown();
    void moveItemLeft();
    void moveItemRight();
    void cutItem();
    void copyItem();
    void pasteItem();
    void duplicateItem();
    void dropBranch(const QMimeData *data, Qt::DropAction action, ItemTree::Node parent, int row);
    bool clipboardHoldsBranch() const;
    // Inserts a copy of a branch as one undoable step.
    void insertCopy(const QString &text, MenuBranch branch, ItemTree::Node parent, int position);
    // Pushes a step on the tree's shape; a refusal is told.
    bool pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height, int added = 0);

    // The template chooser and the About box (MainWindowFile.cpp).
    void newFromTemplate();
    void showAbout();

    // The live preview's dock and the window's remembered place (MainWindowPreview.cpp).
    void createLivePreview();
    void restoreWindows();
    void rememberWindows();
    void fitOnScreen(bool centre);

    EditorServices services;
    std::unique_ptr<HelpService> help;
    EditorDocument *document_;
    // The site folder an untitled project was last published to in this window.
    // Destroyed before the document, which the window's children outlive.
    std::unique_ptr<AutoRecovery> recovery_;
    std::unique_ptr<ProgressAdapter> progress_;
    RecentFileList recentFiles;

    // The client area: the tool bar, the tree, the pages and the status line.
    QWidget *client;
    QToolBar *toolBar;
    QFrame *treePanel;
    MenuTreeView *treeView;
    QSplitter *splitter;
    PropertyPanel *panel_;
    QStatusBar *statusLine;
    QLabel *hintLabel;
    QProgressBar *progressBar;
    HintLine *hintLine;
    QDockWidget *previewDock;
    LivePreview *livePreview;
    PreviewController *preview_;
    bool windowsRestored = false;
    bool drawPending = false;

    OutputController *output_;

    QMenu *recentFilesMenu;
    QMenu *treeMenu;
    QAction *templatesAction, *newAction, *openAction, *saveAction, *saveAsAction, *exitAction;
    InterchangeController *interchange_;
    QAction *undoAction, *redoAction, *cutAction, *copyAction, *pasteAction, *duplicateAction;
    QAction *insertAction, *deleteAction, *moveUpAction, *moveDownAction, *moveLeftAction,
        *moveRightAction;
    QAction *toolBarAction, *statusBarAction, *livePreviewAction;
    QAction *helpTopicsAction, *viewSampleAction, *homepageAction, *contactAction, *aboutAction;
};
