// The main window: its client area, its controllers, the menus and tool bar that show their
// commands, and the view toggles.

#include "MainWindow.h"

#include "document/MenuLayout.h"
#include "editor/CommandAction.h"
#include "editor/EditorDocument.h"
#include "editor/HelpController.h"
#include "editor/HintLine.h"
#include "editor/HistoryKeys.h"
#include "editor/InterchangeController.h"
#include "editor/OutputController.h"
#include "editor/pages/PropertyPanel.h"
#include "editor/preview/PreviewController.h"
#include "editor/ProgressAdapter.h"
#include "editor/ProjectController.h"
#include "editor/TreeController.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/StatusText.h"
#include "platform/Appearance.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

MainWindow::MainWindow(EditorServices s, QWidget *parent)
    : QMainWindow(parent), services(std::move(s)),
      document_(new EditorDocument(services.programFolder, this))
{
    setObjectName("MainForm");
    // The size is fixed: the frame offers the system menu, minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(compactFont());
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvelle.svg")));
    setAcceptDrops(true);
    createViewActions();
    createClient();
    createLivePreview();
    createControllers();
    createMenus();
    createToolBar();
    wireHints();
    // The windows the commands show, created after the main window as at start-up.
    output_->createWindows();
    document_->menu().setProgress(progress_.get());
}

MainWindow::~MainWindow()
{
    // QWidget deletes the children after this part of the window is gone; the last signals
    // they send on their way (an editable list commits its text) must not reach it or its
    // controllers, which go first (the kept copy of unsaved work before the document).
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
    // So must the application's: the focus moves while the children go.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    delete tree_;
    delete project_;
    delete interchange_;
    delete output_;
    delete help_;
    // The views go before the document they show.
    delete client;
    delete previewDock;
}

void MainWindow::showStatus(const QString &text)
{
    hintLabel->setText(text);
}

void MainWindow::createViewActions()
{
    // Each names the step it undoes or redoes, and is disabled when there is none.
    undoAction = document_->undoStack()->createUndoAction(this, tr("&Undo"));
    undoAction->setObjectName("actionUndo");
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = document_->undoStack()->createRedoAction(this, tr("&Redo"));
    redoAction->setObjectName("actionRedo");
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    new HistoryKeys(this, undoAction, redoAction);

    toolBarAction = new QAction(tr("&Tool Bar"), this);
    toolBarAction->setObjectName("actionToolBar");
    connect(toolBarAction, &QAction::triggered, this, &MainWindow::toggleToolBar);
    statusBarAction = new QAction(tr("&Status Bar"), this);
    statusBarAction->setObjectName("actionStatusBar");
    connect(statusBarAction, &QAction::triggered, this, &MainWindow::toggleStatusBar);
    for (QAction *toggle : {toolBarAction, statusBarAction}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    livePreviewAction = new QAction(tr("&Live Preview"), this);
    livePreviewAction->setObjectName("actionLivePreview");
    livePreviewAction->setShortcut(QKeySequence(Qt::Key_F9));
    livePreviewAction->setCheckable(true);
    livePreviewAction->setStatusTip(tr("Show the menu as it looks and works while you edit it"));
}

void MainWindow::createControllers()
{
    auto status = [this](const QString &text) { showStatus(text); };
    help_ = new HelpController(
        services.dialogs, services.shell, services.programFolder, this,
        [this](const QString &folder, const QString &file) { output_->showPage(folder, file); });
    auto helpKey = [this](QWidget *window) { help_->addHelpKey(window); };
    // What keeps visitors from using the menu, and links that run script, are told after a
    // save without stopping the author.
    auto warnings = [this] {
        const MenuDocument &menu = document_->menu();
        return preview_->warningTexts(computeMenuLayout(
            menu.appletData(), menu.items(), itemParents(document_->tree()), EstimatedMeasure()));
    };
    project_ = new ProjectController(*document_, services.dialogs, services.programFolder, this,
                                     {status, helpKey, warnings});
    tree_ = new TreeController(*document_, services.dialogs, treeView, panel_, this);
    interchange_ =
        new InterchangeController(*document_, services.dialogs, this,
                                  {[this] { return project_->askToSaveChanges(); }, status});
    output_ = new OutputController(
        *document_, services.dialogs, services.shell, services.programFolder, this,
        {status, [this] { project_->tellLeftOut(); },
         [this](const std::string &project, std::optional<fsx::ReadOnlyReplacement> &readOnly) {
             return project_->replaceQuestion(project, readOnly);
         },
         helpKey});
}

void MainWindow::createMenus()
{
    const ProjectController::Actions &project = project_->actions();
    const TreeController::Actions &tree = tree_->actions();
    const HelpController::Actions &help = help_->actions();
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(project.templates);
    file->addSeparator();
    file->addActions({project.newProject, project.open, project.save, project.saveAs});
    file->addSeparator();
    file->addActions({interchange_->importAction(), interchange_->exportAction()});
    file->addSeparator();
    file->addMenu(project.recentFiles);
    file->addSeparator();
    file->addAction(project.exit);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({undoAction, redoAction});
    edit->addSeparator();
    edit->addActions({tree.cut, tree.copy, tree.paste, tree.duplicate});

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addActions({toolBarAction, statusBarAction, livePreviewAction});

    QMenu *item = menuBar()->addMenu(tr("&Item"));
    item->addActions(
        {tree.insert, tree.remove, tree.moveUp, tree.moveDown, tree.moveLeft, tree.moveRight});

    QMenu *applet = menuBar()->addMenu(tr("&Applet"));
    applet->addActions({output_->previewAction(), output_->buildHtmlAction(),
                        output_->publishAction(), output_->publishFolderAction(),
                        output_->publishSiteAction()});

    QMenu *option = menuBar()->addMenu(tr("&Option"));
    option->addActions({output_->webBrowserAction(), output_->webRuntimeAction()});

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addActions({help.helpTopics, help.viewSample});
    helpMenu->addSeparator();
    helpMenu->addActions({help.homepage, help.contact, help.about});
}

void MainWindow::createToolBar()
{
    const ProjectController::Actions &project = project_->actions();
    const TreeController::Actions &tree = tree_->actions();
    // The buttons keep the names the manual's pictures and the tests know them by.
    auto add = [this](QAction *act, const char *name) {
        toolBar->addAction(act);
        QWidget *button = toolBar->widgetForAction(act);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(
            act->text().remove(QLatin1Char('&')).remove(QLatin1String("...")));
    };
    add(project.newProject, "tlbtnNew");
    add(project.open, "tlbtnOpen");
    add(project.save, "tlbtnSave");
    toolBar->addSeparator();
    add(tree.insert, "tlbtnInsert");
    add(tree.remove, "tlbtnDelete");
    add(tree.moveUp, "tlbtnMoveUp");
    add(tree.moveDown, "tlbtnMoveDown");
    toolBar->addSeparator();
    add(output_->buildHtmlAction(), "ToolButton11");
    add(output_->previewAction(), "ToolButton12");
    toolBar->addSeparator();
    add(help_->actions().helpTopics, "ToolButton13");
}

void MainWindow::createClient()
{
    client = new QWidget(this);
    client->setObjectName("client");
    setCentralWidget(client);
    toolBar = new QToolBar(client);
    toolBar->setObjectName("tlbr1");
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setFixedHeight(ToolBarStep);

    treePanel = new QFrame;
    treePanel->setObjectName("pnlTreeView");
    treePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    treePanel->setMinimumWidth(120); // the tree keeps some room; the pages their default width
    treeView = new MenuTreeView(treePanel);
    treeView->setMenuModel(&document_->model());
    treeView->setObjectName("TreeView1");
    treeView->setAccessibleName(tr("Menu tree"));
    treeView->setToolTip(tr("Add, modify and remove the item here by click Right-Button in mouse"));
    HelpService::setTopic(treeView, HelpTopic::MenuTree);
    auto *treeLayout = new QVBoxLayout(treePanel);
    treeLayout->setContentsMargins(3, 3, 3, 3);
    treeLayout->addWidget(treeView);

    auto *pagesArea = new QWidget;
    pagesArea->setMinimumWidth(417);
    panel_ = new PropertyPanel(*document_, services.dialogs, pagesArea);
    for (const auto &[page, topic] : panel_->helpTopics())
        HelpService::setTopic(page, topic);

    // The room beyond the default size goes to the pages; the handle shares it.
    splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName("splTreePages");
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(5);
    splitter->addWidget(treePanel);
    splitter->addWidget(pagesArea);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({193, 417});
    splitter->handle(1)->setToolTip(tr("Drag to give the tree or the pages more room"));

    createStatusLine();

    auto *body = new QHBoxLayout;
    body->setContentsMargins(1, 0, 2, 0);
    body->addWidget(splitter);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addSpacing(4);
    layout->addLayout(body, 1);
    layout->addSpacing(1);
    layout->addWidget(statusLine);

    client->setMinimumSize(ClientWidth, ClientHeight);
    resize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::createStatusLine()
{
    // The status line: the hint of what the pointer or the focus is on, and the progress.
    statusLine = new QStatusBar;
    statusLine->setObjectName("StatusBar1");
    statusLine->setSizeGripEnabled(false);
    statusLine->setFixedHeight(24);
    hintLabel = new StatusText;
    hintLabel->setObjectName("StaticText1");
    hintLabel->setMinimumWidth(0);
    progressBar = new QProgressBar;
    progressBar->setObjectName("ProgressBar1");
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    progressBar->setAccessibleName(tr("Progress"));
    progressBar->setFixedSize(274, 20);
    statusLine->addWidget(hintLabel, 1);
    statusLine->addPermanentWidget(progressBar);
    progress_ = std::make_unique<ProgressAdapter>(progressBar, hintLabel);
    hintLine = new HintLine(this);
}

int MainWindow::defaultClientHeight() const
{
    return ClientHeight - (toolBar->isHidden() ? ToolBarStep : 0) -
           (statusLine->isHidden() ? StatusLineStep : 0);
}

// The window grows or shrinks by a step when the tool bar or the status line comes or goes.
void MainWindow::resizeClientBy(int dy)
{
    // The smaller minimum first when shrinking, the larger one after growing.
    auto setMinimum = [this] {
        client->setMinimumSize(ClientWidth, defaultClientHeight());
        layout()->invalidate();
        layout()->activate();
    };
    if (dy < 0)
        setMinimum();
    resize(width(), height() + dy);
    layout()->activate();
    if (dy > 0)
        setMinimum();
}

void MainWindow::wireHints()
{
    // Everything but labels, lists, the status bar, the progress bar, the status text and
    // the toolbar itself shows its hint; containers without one empty the line.
    for (QWidget *widget : findChildren<QWidget *>()) {
        const bool container =
            qobject_cast<QTabWidget *>(widget) || qobject_cast<QGroupBox *>(widget) ||
            qobject_cast<QFrame *>(widget) == treePanel ||
            (widget->parentWidget() && widget->parentWidget()->inherits("QStackedWidget"));
        const bool input = qobject_cast<QLineEdit *>(widget) || qobject_cast<SpinEdit *>(widget) ||
                           qobject_cast<QCheckBox *>(widget) ||
                           qobject_cast<QAbstractButton *>(widget) ||
                           qobject_cast<ColorPanel *>(widget) || widget == treeView;
        // The parts of a spin edit or a list belong to their owner.
        QWidget *owner = widget->parentWidget();
        const bool part =
            owner && (qobject_cast<QComboBox *>(owner) || qobject_cast<SpinEdit *>(owner));
        if ((container || input) && !part)
            HintLine::wire(widget);
    }
    hintLine->watchAll(this);
    connect(hintLine, &HintLine::mouseMoved, this,
            [this](QWidget *control) { hintLabel->setText(control->toolTip()); });
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        hintLabel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    // The preview comes back as the user left it, once the window has its place.
    if (event->type() == QEvent::Show && !windowsRestored) {
        windowsRestored = true;
        restoreWindows();
    }
    return QMainWindow::event(event);
}

void MainWindow::toggleToolBar()
{
    const bool shown = !toolBar->isHidden();
    toolBar->setVisible(!shown);
    resizeClientBy(shown ? -ToolBarStep : ToolBarStep);
    toolBarAction->setChecked(!shown);
}

void MainWindow::toggleStatusBar()
{
    const bool shown = !statusLine->isHidden();
    for (QWidget *widget : {static_cast<QWidget *>(hintLabel), static_cast<QWidget *>(progressBar),
                            static_cast<QWidget *>(statusLine)})
        widget->setVisible(!shown);
    resizeClientBy(shown ? -StatusLineStep : StatusLineStep);
    statusBarAction->setChecked(!shown);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (project_->closeQuery()) {
        rememberWindows();
        event->accept();
    } else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!ProjectController::droppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString fileName = ProjectController::droppedProject(event->mimeData());
    if (fileName.isEmpty())
        return;
    event->acceptProposedAction();
    runGuarded(services.dialogs, this, [&] { project_->openProjectFile(fileName); });
}
