// The main window: its actions, menus, tool bar and client area, the view toggles, and the
// help and web commands.

#include "MainWindow.h"

#include "editor/AutoRecovery.h"
#include "editor/CommandAction.h"
#include "editor/EditorDocument.h"
#include "editor/HintLine.h"
#include "editor/HistoryKeys.h"
#include "editor/InterchangeController.h"
#include "editor/MenuTreeModel.h"
#include "editor/OutputController.h"
#include "editor/pages/PropertyPanel.h"
#include "editor/ProgressAdapter.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/StatusText.h"
#include "platform/Appearance.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {
QIcon image(int index)
{
    static const char *const names[] = {"new",       "open",    "save",   "cut",    "copy",
                                        "paste",     "insert",  "delete", "moveup", "movedown",
                                        "buildhtml", "preview", "help"};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(names[index])));
}

} // namespace

MainWindow::MainWindow(EditorServices s, QWidget *parent)
    : QMainWindow(parent), services(std::move(s)),
      help(std::make_unique<HelpService>(services.programFolder + "help/index.html")),
      document_(new EditorDocument(services.programFolder, this)),
      recentFiles(services.programFolder)
{
    setObjectName("MainForm");
    // The size is fixed: the frame offers the system menu, minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(compactFont());
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvelle.svg")));
    setAcceptDrops(true);
    createActions();
    createMenus();
    createClient();
    createLivePreview();
    wireTree();
    wireHints();
    // The windows the commands show, created after the main window as at start-up.
    output_->createWindows();
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &MainWindow::showHelpForFocus);

    connect(document_, &EditorDocument::fileNameChanged, this, &MainWindow::updateTitle);
    connect(document_->undoStack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        saveAction->setEnabled(!clean);
        setWindowModified(!clean);
    });
    connect(document_->undoStack(), &QUndoStack::indexChanged, this, &MainWindow::updateActions);
    document_->menu().setProgress(progress_.get());
    recovery_ = std::make_unique<AutoRecovery>(*document_, AutoRecovery::defaultFolder());
    saveAction->setEnabled(false);
    updateTitle();
    runGuarded([this] { loadRecentFiles(); });
    onCurrentNodeChanged(document_->currentNode());
}

MainWindow::~MainWindow()
{
    // QWidget deletes the children after this part of the window is gone; the last signals
    // they send on their way (an editable list commits its text) must not reach it.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
    // So must the application's: the focus moves while the children go.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    // The views go before the document they show.
    delete client;
    delete previewDock;
}

QAction *MainWindow::addCommand(const char *name, const QString &text,
                                void (MainWindow::*handler)(), int imageIndex)
{
    QAction *act = makeCommand(this, name, text, services.dialogs, this,
                               [this, handler] { (this->*handler)(); });
    if (imageIndex >= 0)
        act->setIcon(image(imageIndex));
    return act;
}

void MainWindow::createActions()
{
    templatesAction = addCommand("actionTemplates", tr("&Templets"), &MainWindow::newFromTemplate);
    newAction = addCommand("actionNew", tr("&New..."), &MainWindow::newProject, 0);
    newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newAction->setToolTip(tr("Create a new project"));
    openAction = addCommand("actionOpen", tr("&Open..."), &MainWindow::openProject, 1);
    openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    openAction->setToolTip(tr("Open a project from the file that you saved before"));
    saveAction = addCommand("actionSave", tr("&Save"), &MainWindow::saveProject, 2);
    saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAction->setToolTip(tr("Save the current project to a file"));
    saveAsAction = addCommand("actionSaveAs", tr("Save &As..."), &MainWindow::saveProjectAs);
    saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    interchange_ =
        new InterchangeController(*document_, services.dialogs, this,
                                  {[this] { return askToSaveChanges(); },
                                   [this](const QString &text) { hintLabel->setText(text); }});
    exitAction = new QAction(tr("E&xit"), this);
    exitAction->setObjectName("actionExit");
    exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    // Each names the step it undoes or redoes, and is disabled when there is none.
    undoAction = document_->undoStack()->createUndoAction(this, tr("&Undo"));
    undoAction->setObjectName("actionUndo");
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = document_->undoStack()->createRedoAction(this, tr("&Redo"));
    redoAction->setObjectName("actionRedo");
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    new HistoryKeys(this, undoAction, redoAction);
    cutAction = addCommand("actionCut", tr("Cu&t"), &MainWindow::cutItem, 3);
    cutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    copyAction = addCommand("actionCopy", tr("&Copy"), &MainWindow::copyItem, 4);
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    pasteAction = addCommand("actionPaste", tr("&Paste"), &MainWindow::pasteItem, 5);
    pasteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    duplicateAction = addCommand("actionDuplicate", tr("Dupl&icate"), &MainWindow::duplicateItem);
    duplicateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

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

    insertAction = addCommand("actionInsert", tr("I&nsert"), &MainWindow::insertItem, 6);
    insertAction->setStatusTip(tr("Insert a new item as a child of selected item."));
    insertAction->setToolTip(tr("Insert a new item"));
    deleteAction = addCommand("actionDelete", tr("&Delete"), &MainWindow::deleteItem, 7);
    deleteAction->setStatusTip(tr("Delete selected item and all its children item if it has."));
    deleteAction->setToolTip(tr("Delete selected item"));
    moveUpAction = addCommand("actionMoveUp", tr("Move &Up"), &MainWindow::moveItemUp, 8);
    moveUpAction->setStatusTip(tr("move the current selected item position up."));
    moveUpAction->setToolTip(tr("Move the selected item up"));
    moveDownAction = addCommand("actionMoveDown", tr("Move Do&wn"), &MainWindow::moveItemDown, 9);
    moveDownAction->setStatusTip(tr("move the current selected item position down."));
    moveDownAction->setToolTip(tr("Move the selected item down"));
    moveLeftAction = addCommand("actionMoveLeft", tr("Move &Left"), &MainWindow::moveItemLeft);
    // Keys that window managers leave alone (Alt+Shift+arrows move windows between desktops).
    moveLeftAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    moveLeftAction->setStatusTip(tr("Make the selected item the next sibling of its parent."));
    moveRightAction = addCommand("actionMoveRight", tr("Move &Right"), &MainWindow::moveItemRight);
    moveRightAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    moveRightAction->setStatusTip(
        tr("Make the selected item the last child of the item before it."));
    // The tree's own keys, shown in the menu; they act in the tree only (in a text field the
    // same keys edit the text), so the actions' own shortcuts are bound to their menus alone.
    const std::pair<QAction *, QKeySequence> treeKeys[] = {
        {insertAction, QKeySequence(Qt::Key_Insert)},
        {deleteAction, QKeySequence(Qt::Key_Delete)},
        {moveUpAction, QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {moveDownAction, QKeySequence(Qt::CTRL | Qt::Key_Down)}};
    for (const auto &[act, key] : treeKeys) {
        act->setShortcut(key);
        act->setShortcutContext(Qt::WidgetShortcut);
    }

    output_ = new OutputController(
        *document_, services.dialogs, services.shell, services.programFolder, this,
        {[this](const QString &text) { hintLabel->setText(text); }, [this] { tellLeftOut(); },
         [this](const std::string &project, std::optional<fsx::ReadOnlyReplacement> &readOnly) {
             return replaceQuestion(project, readOnly);
         },
         [this](QWidget *dialog) { addHelpKey(dialog); }});

    helpTopicsAction =
        addCommand("actionHelpTopics", tr("Help &Topics"), &MainWindow::showHelpTopics, 12);
    helpTopicsAction->setToolTip(tr("Show help document"));
    viewSampleAction =
        addCommand("actionViewSample", tr("View &Sample..."), &MainWindow::viewSample);
    homepageAction = addCommand("actionHomepage", tr("&Homepage"), &MainWindow::openHomepage);
    contactAction = addCommand("actionContactUs", tr("&Contact Us"), &MainWindow::contactSupport);
    aboutAction = addCommand("actionAbout", tr("&About"), &MainWindow::showAbout);
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(templatesAction);
    file->addSeparator();
    file->addActions({newAction, openAction, saveAction, saveAsAction});
    file->addSeparator();
    file->addActions({interchange_->importAction(), interchange_->exportAction()});
    file->addSeparator();
    recentFilesMenu = file->addMenu(tr("&Recent Files"));
    recentFilesMenu->setObjectName("mnitRecentFiles");
    file->addSeparator();
    file->addAction(exitAction);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({undoAction, redoAction});
    edit->addSeparator();
    edit->addActions({cutAction, copyAction, pasteAction, duplicateAction});

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addActions({toolBarAction, statusBarAction, livePreviewAction});

    QMenu *item = menuBar()->addMenu(tr("&Item"));
    item->addActions({insertAction, deleteAction, moveUpAction, moveDownAction, moveLeftAction,
                      moveRightAction});

    QMenu *applet = menuBar()->addMenu(tr("&Applet"));
    applet->addActions({output_->previewAction(), output_->buildHtmlAction(),
                        output_->publishAction(), output_->publishFolderAction(),
                        output_->publishSiteAction()});

    QMenu *option = menuBar()->addMenu(tr("&Option"));
    option->addActions({output_->webBrowserAction(), output_->webRuntimeAction()});

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addActions({helpTopicsAction, viewSampleAction});
    helpMenu->addSeparator();
    helpMenu->addActions({homepageAction, contactAction, aboutAction});

    treeMenu = new QMenu(this);
    treeMenu->setObjectName("PopupMenu1");
    treeMenu->addActions({insertAction, deleteAction, moveUpAction, moveDownAction, moveLeftAction,
                          moveRightAction});
    treeMenu->addSeparator();
    treeMenu->addActions({cutAction, copyAction, pasteAction, duplicateAction});
}

void MainWindow::createToolBar()
{
    toolBar = new QToolBar(client);
    toolBar->setObjectName("tlbr1");
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setFixedHeight(ToolBarStep);
    // The buttons keep the names the manual's pictures and the tests know them by.
    auto add = [this](QAction *act, const char *name) {
        toolBar->addAction(act);
        QWidget *button = toolBar->widgetForAction(act);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(
            act->text().remove(QLatin1Char('&')).remove(QLatin1String("...")));
    };
    add(newAction, "tlbtnNew");
    add(openAction, "tlbtnOpen");
    add(saveAction, "tlbtnSave");
    toolBar->addSeparator();
    add(insertAction, "tlbtnInsert");
    add(deleteAction, "tlbtnDelete");
    add(moveUpAction, "tlbtnMoveUp");
    add(moveDownAction, "tlbtnMoveDown");
    toolBar->addSeparator();
    add(output_->buildHtmlAction(), "ToolButton11");
    add(output_->previewAction(), "ToolButton12");
    toolBar->addSeparator();
    add(helpTopicsAction, "ToolButton13");
}

void MainWindow::createClient()
{
    client = new QWidget(this);
    client->setObjectName("client");
    setCentralWidget(client);
    createToolBar();

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

void MainWindow::runGuarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &error) {
        services.dialogs.error(this, QString::fromStdString(error.what()));
    }
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

void MainWindow::showHelpTopics()
{
    showHelp(QStringLiteral("index.html"));
}

// A page of the manual in the browser chosen for previews; a browser that cannot start is told.
void MainWindow::showHelp(const QString &page)
{
    const QFileInfo file(help->pageFile(page));
    output_->showPage(QDir::toNativeSeparators(file.absolutePath() + '/'), file.fileName());
}

void MainWindow::viewSample()
{
    services.shell.openDocument(services.programFolder +
                                QDir::toNativeSeparators("samples/Windows Style Menu.html"));
}

void MainWindow::openHomepage()
{
    services.shell.openDocument(help->homePage());
}

void MainWindow::contactSupport()
{
    services.shell.openDocument(help->supportPage());
}

void MainWindow::addHelpKey(QWidget *window)
{
    auto *f1 = new QShortcut(QKeySequence::HelpContents, window);
    connect(f1, &QShortcut::activated, this, [this, window] { helpFrom(helpTarget(window)); });
}

void MainWindow::showHelpForFocus()
{
    helpFrom(helpTarget(this));
}

// What F1 is about: the focus (the main window's F1 serves its tool windows too), unless the
// pointer is on a page of that window's tabs or on a tab, which counts as its page.
QWidget *MainWindow::helpTarget(QWidget *window) const
{
    QWidget *focus = QApplication::focusWidget();
    QWidget *target = focus && (window == this || window->isAncestorOf(focus)) ? focus : window;
    QWidget *under = QApplication::widgetAt(QCursor::pos());
    for (QWidget *w = under; w && under->window() == target->window(); w = w->parentWidget()) {
        if (qobject_cast<QTabWidget *>(w)) {
            target = under;
            break;
        }
    }
    if (auto *bar = qobject_cast<QTabBar *>(target)) {
        if (auto *tabs = qobject_cast<QTabWidget *>(bar->parentWidget()))
            return tabs->currentWidget();
    }
    return target;
}

void MainWindow::helpFrom(QWidget *start)
{
    for (QWidget *widget = start; widget; widget = widget->parentWidget()) {
        const QString topic = HelpService::topicOf(widget);
        if (!topic.isEmpty())
            return showHelp(topic);
    }
    showHelp(QLatin1String(HelpTopic::Contents));
}
