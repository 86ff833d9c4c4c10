#pragma once

#include <memory>
#include <QMainWindow>

class DialogService;
class EditorDocument;
class HelpController;
class HintLine;
class InterchangeController;
class LivePreview;
class MenuTreeView;
class OutputController;
class PreviewController;
class ProgressAdapter;
class ProjectController;
class PropertyPanel;
class QDockWidget;
class QFrame;
class QLabel;
class QProgressBar;
class QSplitter;
class QStatusBar;
class QToolBar;
class ShellService;
class TreeController;

// What the main window is given by whoever creates it: the dialogs it asks through, the shell
// it hands documents to, and the program folder (with a trailing separator).
struct EditorServices
{
    DialogService &dialogs;
    ShellService &shell;
    QString programFolder;
};

// The main window: the menu tree beside the property pages, the live preview in a dock, and
// the menus and tool bar that show the commands of its controllers (the project's file, the
// tree, menus in and out, the output, help). The document it edits is its own from its
// creation to its end.
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

    EditorDocument &document() const { return *document_; }
    ProjectController &project() const { return *project_; }
    PropertyPanel &propertyPanel() const { return *panel_; }
    const PreviewController &preview() const { return *preview_; }
    const ProgressAdapter &progress() const { return *progress_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // Menu items' hints appear in the status text, as the controls' hints do.
    bool event(QEvent *event) override;
    // A project file dropped on the window opens, as File > Open would open it.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The window (MainWindow.cpp).
    void createClient();
    void createStatusLine();
    void createControllers();
    void createViewActions();
    void createMenus();
    void createToolBar();
    void wireHints();
    int defaultClientHeight() const;
    void resizeClientBy(int dy);
    void toggleToolBar();
    void toggleStatusBar();
    void showStatus(const QString &text);

    // The live preview's dock and the window's remembered place (MainWindowPreview.cpp).
    void createLivePreview();
    void restoreWindows();
    void rememberWindows();
    void fitOnScreen(bool centre);

    EditorServices services;
    EditorDocument *document_;
    std::unique_ptr<ProgressAdapter> progress_;

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

    HelpController *help_;
    ProjectController *project_;
    TreeController *tree_;
    InterchangeController *interchange_;
    OutputController *output_;
    QAction *undoAction, *redoAction, *toolBarAction, *statusBarAction, *livePreviewAction;
};
