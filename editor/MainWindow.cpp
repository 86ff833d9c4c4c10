// The main window: its regions, menus, toolbar and pages, start-up, the view toggles and the
// help and web commands.

#include "MainWindow.h"

#include "dialogs/WebBrowser.h"
#include "editor/HintLine.h"
#include "editor/HistoryKeys.h"
#include "editor/HTMLBuild.h"
#include "editor/MenuTreeModel.h"
#include "editor/PageCommands.h"
#include "editor/PageLoad.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/pages/MenuPages.h"
#include "editor/PublishReport.h"
#include "editor/TreeCommands.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/SplitHandle.h"
#include "editor/widgets/StatusText.h"
#include "platform/Appearance.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/PreviewFolders.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

const char *const MainWindow::HomePage = "https://www.example.com/tarvelle/";

namespace {
const char *const HelpContextProperty = "helpContext";

QIcon image(int index)
{
    static const char *const names[] = {"new",       "open",    "save",   "cut",    "copy",
                                        "paste",     "insert",  "delete", "moveup", "movedown",
                                        "buildhtml", "preview", "help"};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(names[index])));
}

QAction *action(QObject *parent, const char *name, const QString &caption, int imageIndex = -1)
{
    auto *act = new QAction(caption, parent);
    act->setObjectName(QLatin1String(name));
    if (imageIndex >= 0)
        act->setIcon(image(imageIndex));
    return act;
}

void setHelpContext(QWidget *widget, int context)
{
    widget->setProperty(HelpContextProperty, context);
}
} // namespace

MainWindow::MainWindow(EditorServices s, QWidget *parent)
    : QMainWindow(parent), services(std::move(s)),
      help(std::make_unique<HelpService>(services.programFolder + "help/index.html")),
      hintLine(new HintLine(this)), recentFiles(services.programFolder)
{
    setObjectName("MainForm");
    // The size is fixed: the frame offers the system menu, minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildWindow();
    wireHandlers();
    wireTreeCommands();
    wireDocumentCommands();
    wireHints();
    FormCreate();
    // The windows the commands show, created after the main window as at start-up.
    formHTML = new TformHTML(this);
    formWebBrowser = new TformWebBrowser(services.dialogs, services.shell, this);
    frmPublishReport = new TfrmPublishReport(this);
    for (QWidget *dialog :
         std::initializer_list<QWidget *>{formHTML, formWebBrowser, frmPublishReport})
        addHelpKey(dialog);
    wireOutputCommands();
    wireLivePreview();
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
}

void MainWindow::buildWindow()
{
    setFont(compactFont());
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvelle.svg")));

    client = new QWidget(this);
    client->setObjectName("client");
    setCentralWidget(client);
    buildMenus();
    buildToolBar();

    pnlTreeView = new QFrame(client);
    pnlTreeView->setObjectName("pnlTreeView");
    pnlTreeView->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlTreeView->setGeometry(1, 30, 193, 309);
    treeView = new MenuTreeView(pnlTreeView);
    treeModel = std::make_unique<MenuTreeModel>(menuTree);
    treeView->setMenuModel(treeModel.get());
    treeView->setObjectName("TreeView1");
    treeView->setGeometry(4, 4, 185, 301);
    treeView->setToolTip(tr("Add, modify and remove the item here by click Right-Button in mouse"));
    setHelpContext(treeView, 38);

    buildPages();

    statusLine = new QStatusBar(client);
    statusLine->setObjectName("StatusBar1");
    statusLine->setSizeGripEnabled(false);
    for (int width : {340, 50}) {
        auto *panel = new QFrame(statusLine);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedWidth(width);
        statusLine->addWidget(panel);
    }
    hintLabel = new StatusText(client);
    hintLabel->setObjectName("StaticText1");
    hintLabel->setGeometry(2, 347, 338, 14);
    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(343, 343, 274, 20);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    progress = std::make_unique<ProgressAdapter>(ProgressBar1, hintLabel);

    splitHandle = new SplitHandle(client, [this](int dx) {
        treeExtra += dx;
        layoutClient();
    });
    splitHandle->setObjectName("splTreePages");
    splitHandle->setToolTip(tr("Drag to give the tree or the pages more room"));
    client->installEventFilter(this);
    client->setMinimumSize(ClientWidth, ClientHeight);
    resize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    layoutClient();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    hintLabel->raise();
    ProgressBar1->raise();
}

// The parts of the window at the places of its default size, and what the window has more
// than that size given to the tree and the pages (the tree's share set by the handle between
// them); the status line keeps to the bottom.
void MainWindow::layoutClient()
{
    const bool toolBar = !tlbr1->isHidden();
    const int top = toolBar ? 30 : 30 - ToolBarStep;
    const int dw = std::max(0, client->width() - ClientWidth);
    const int dh = std::max(0, client->height() - defaultClientHeight());
    // The tree keeps at least 120 pixels, the pages their default width.
    treeExtra = std::clamp(treeExtra, 120 - 193, dw);
    const int tree = 193 + treeExtra, pages = 417 + dw - treeExtra;
    tlbr1->setGeometry(0, 0, client->width(), ToolBarStep);
    pnlTreeView->setGeometry(1, top, tree, 309 + dh);
    treeView->setGeometry(4, 4, tree - 8, 301 + dh);
    splitHandle->setGeometry(1 + tree, top, 5, 309 + dh);
    PageControl2->setGeometry(6 + tree, top, pages, 309 + dh);
    propertyTabs->setGeometry(6 + tree, top, pages + 1, 309 + dh);
    hintLabel->setGeometry(2, top + 317 + dh, 338, 14);
    ProgressBar1->setGeometry(343 + dw, top + 313 + dh, 274, 20);
    statusLine->setGeometry(0, client->height() - 24, client->width(), 24);
}

int MainWindow::defaultClientHeight() const
{
    return ClientHeight - (tlbr1->isHidden() ? ToolBarStep : 0) -
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
    layoutClient();
}

void MainWindow::buildMenus()
{
    undoStack = new QUndoStack(this);
    QMenu *file = menuBar()->addMenu(tr("&File"));
    Templet1 = action(this, "Templet1", tr("&Templets"));
    New1 = action(this, "New1", tr("&New..."), 0);
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1 = action(this, "Open1", tr("&Open..."), 1);
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = action(this, "Save1", tr("&Save"), 2);
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Save2 = action(this, "Save2", tr("Save &As..."));
    Save2->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Exit1 = action(this, "Exit1", tr("E&xit"));
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    file->addAction(Templet1);
    file->addSeparator();
    file->addActions({New1, Open1, Save1, Save2});
    file->addSeparator();
    mnitRecentFiles = file->addMenu(tr("Recent Files"));
    mnitRecentFiles->setObjectName("mnitRecentFiles");
    file->addSeparator();
    file->addAction(Exit1);

    // Each names the step it undoes or redoes, and is disabled when there is none.
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    Undo1 = undoStack->createUndoAction(this, tr("&Undo"));
    Undo1->setObjectName("Undo1");
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1 = undoStack->createRedoAction(this, tr("&Redo"));
    Redo1->setObjectName("Redo1");
    Redo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    new HistoryKeys(this, Undo1, Redo1, [this] { MarkModified(); });
    Cut1 = action(this, "Cut1", tr("Cu&t"), 3);
    Cut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Copy1 = action(this, "Copy1", tr("&Copy"), 4);
    Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = action(this, "Paste1", tr("&Paste"), 5);
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    Duplicate1 = action(this, "Duplicate1", tr("D&uplicate"));
    Duplicate1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    edit->addActions({Undo1, Redo1});
    edit->addSeparator();
    edit->addActions({Cut1, Copy1, Paste1, Duplicate1});

    QMenu *view = menuBar()->addMenu(tr("&View"));
    ToolBar1 = action(this, "ToolBar1", tr("&Tool Bar"));
    StatusBar2 = action(this, "StatusBar2", tr("Status Bar"));
    for (QAction *toggle : {ToolBar1, StatusBar2}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
        view->addAction(toggle);
    }
    buildLivePreview(view);

    QMenu *item = menuBar()->addMenu(tr("&Item"));
    Insert2 = action(this, "Insert2", tr("I&nsert"), 6);
    Insert2->setStatusTip(tr("Insert a new item as a child of selected item."));
    Delete2 = action(this, "Delete2", tr("&Delete"), 7);
    Delete2->setStatusTip(tr("Delete selected item and all its children item if it has."));
    MoveUp2 = action(this, "MoveUp2", tr("Move &Up"), 8);
    MoveUp2->setStatusTip(tr("move the current selected item position up."));
    MoveDown2 = action(this, "MoveDown2", tr("Move &Down"), 9);
    MoveDown2->setStatusTip(tr("move the current selected item position down."));
    MoveLeft1 = action(this, "MoveLeft1", tr("Move &Left"));
    // Keys that window managers leave alone (Alt+Shift+arrows move windows between desktops).
    MoveLeft1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    MoveLeft1->setStatusTip(tr("Make the selected item the next sibling of its parent."));
    MoveRight1 = action(this, "MoveRight1", tr("Move &Right"));
    MoveRight1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    MoveRight1->setStatusTip(tr("Make the selected item the last child of the item before it."));
    item->addActions({Insert2, Delete2, MoveUp2, MoveDown2, MoveLeft1, MoveRight1});
    // The tree's own keys, shown in the menu; they act in the tree only (in a text field the
    // same keys edit the text), so here they are bound to the open menu alone.
    const std::pair<QAction *, QKeySequence> treeKeys[] = {
        {Insert2, QKeySequence(Qt::Key_Insert)},
        {Delete2, QKeySequence(Qt::Key_Delete)},
        {MoveUp2, QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {MoveDown2, QKeySequence(Qt::CTRL | Qt::Key_Down)}};
    for (const auto &[act, key] : treeKeys) {
        act->setShortcut(key);
        act->setShortcutContext(Qt::WidgetShortcut);
    }

    QMenu *applet = menuBar()->addMenu(tr("&Applet"));
    Preview1 = action(this, "Preview1", tr("&Preview"), 11);
    Preview1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    BuildHTML1 = action(this, "BuildHTML1", tr("Build &HTML..."), 10);
    Publish1 = action(this, "Publish1", tr("Pu&blish..."));
    applet->addActions({Preview1, BuildHTML1, Publish1});

    QMenu *option = menuBar()->addMenu(tr("&Option"));
    WebBrowser1 = action(this, "WebBrowser1", tr("Web &Browser..."));
    IncludeWebRuntime1 = action(this, "IncludeWebRuntime1", tr("Include &Web Runtime When Saving"));
    IncludeWebRuntime1->setCheckable(true);
    IncludeWebRuntime1->setStatusTip(
        tr("Saved pages load zorvex.js, which draws the menu in today's browsers."));
    option->addActions({WebBrowser1, IncludeWebRuntime1});

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    Topic1 = action(this, "Topic1", tr("Help &Topics"), 12);
    ViewSample1 = action(this, "ViewSample1", tr("View &Sample..."));
    Homepage1 = action(this, "Homepage1", tr("&Homepage"));
    ContactUs1 = action(this, "ContactUs1", tr("&Contact Us"));
    About1 = action(this, "About1", tr("&About"));
    helpMenu->addActions({Topic1, ViewSample1});
    helpMenu->addSeparator();
    helpMenu->addActions({Homepage1, ContactUs1, About1});

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Insert1 = action(this, "Insert1", tr("I&nsert"), 6);
    Delete1 = action(this, "Delete1", tr("&Delete"), 7);
    MoveUp1 = action(this, "MoveUp1", tr("Move &Up"), 8);
    MoveDown1 = action(this, "MoveDown1", tr("Move &Down"), 9);
    PopupMenu1->addActions({Insert1, Delete1, MoveUp1, MoveDown1, MoveLeft1, MoveRight1});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({Cut1, Copy1, Paste1, Duplicate1});
}

void MainWindow::buildToolBar()
{
    tlbr1 = new QToolBar(client);
    tlbr1->setObjectName("tlbr1");
    tlbr1->setMovable(false);
    tlbr1->setFloatable(false);
    tlbr1->setIconSize(QSize(16, 16));
    tlbr1->setGeometry(0, 0, ClientWidth, ToolBarStep);

    auto add = [this](const char *name, int imageIndex, const QString &tip) {
        QAction *act = action(this, name, QString(), imageIndex);
        act->setToolTip(tip);
        tlbr1->addAction(act);
        toolButton(act)->setObjectName(QLatin1String(name));
        return act;
    };
    tlbtnNew = add("tlbtnNew", 0, tr("Create a new project"));
    tlbtnOpen = add("tlbtnOpen", 1, tr("Open a project from the file that you saved before"));
    tlbtnSave = add("tlbtnSave", 2, tr("Save the current project to a file"));
    tlbr1->addSeparator();
    tlbtnInsert = add("tlbtnInsert", 6, tr("Insert a new item"));
    tlbtnDelete = add("tlbtnDelete", 7, tr("Delete selected item"));
    tlbtnMoveUp = add("tlbtnMoveUp", 8, tr("Move the selected item up"));
    tlbtnMoveDown = add("tlbtnMoveDown", 9, tr("Move the selected item down"));
    tlbr1->addSeparator();
    ToolButton11 = add("ToolButton11", 10, tr("Build the HTML code"));
    ToolButton12 = add("ToolButton12", 11, tr("preview the applet in web browser"));
    tlbr1->addSeparator();
    ToolButton13 = add("ToolButton13", 12, tr("Show help document"));
}

QToolButton *MainWindow::toolButton(QAction *act) const
{
    return qobject_cast<QToolButton *>(tlbr1->widgetForAction(act));
}

void MainWindow::buildPages()
{
    PageControl2 = new QTabWidget(client);
    PageControl2->setObjectName("PageControl2");
    PageControl2->setGeometry(199, 30, 417, 309);
    pagAppletSettings = new AppletSettingsPage;
    pagMoreAppletSettings = new MoreAppletSettingsPage;
    PageControl3 = new QTabWidget;
    PageControl3->setObjectName("PageControl3");
    pagMenu = new MenuPage;
    pagItemNormal = new ItemStatePage("ItNo", AppletField::ItemNormalBlock);
    pagItemOver = new ItemStatePage("ItOv", AppletField::ItemOverBlock);
    pagItemClicked = new ItemStatePage("ItCl", AppletField::ItemClickedBlock);
    PageControl3->addTab(pagMenu, tr("Menu"));
    PageControl3->addTab(pagItemNormal, tr("Item Normal Status"));
    PageControl3->addTab(pagItemOver, tr("Item Mouse Over Status"));
    PageControl3->addTab(pagItemClicked, tr("Item Clicked Status"));
    auto *firstLevel = new QWidget;
    auto *firstLevelLayout = new QVBoxLayout(firstLevel);
    firstLevelLayout->setContentsMargins(2, 2, 2, 2);
    firstLevelLayout->addWidget(PageControl3);
    pagPopupMenu = new PopupMenuPage;
    for (auto [page, name] :
         {std::pair<QWidget *, const char *>{pagAppletSettings, "pagAppletSettings"},
          {pagMoreAppletSettings, "pagMoreAppletSettings"},
          {pagMenu, "pagMenu"},
          {pagItemNormal, "pagItemNormal"},
          {pagItemOver, "pagItemOver"},
          {pagItemClicked, "pagItemClicked"},
          {pagPopupMenu, "pagPopupMenu"}})
        page->setObjectName(QLatin1String(name));
    PageControl2->addTab(pagAppletSettings, tr("Applet Settings"));
    PageControl2->addTab(pagMoreAppletSettings, tr("More Applet Settings"));
    PageControl2->addTab(firstLevel, tr("First-Level Menu Only"));
    PageControl2->addTab(pagPopupMenu, tr("Popup Menu Only"));

    propertyTabs = new QTabWidget(client);
    propertyTabs->setObjectName("PageControl1");
    propertyTabs->setGeometry(199, 30, 418, 309);
    itemPage = new ItemPage;
    itemPage->setObjectName("TabSheet1");
    firstLevelPage = new FirstLevelItemOptionsPage;
    firstLevelPage->setObjectName("TabSheet2");
    propertyTabs->addTab(itemPage, tr("Item"));
    propertyTabs->addTab(firstLevelPage, tr("First Level Item Options"));
    propertyTabs->hide();
    // Every tab on one strip: a slightly smaller caption, elided only where nothing helps.
    for (QTabWidget *tabs : {propertyTabs, PageControl2, PageControl3}) {
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideRight);
        QFont tabFont = font();
        tabFont.setPixelSize(10);
        tabs->tabBar()->setFont(tabFont);
    }

    setHelpContext(pagAppletSettings, 3);
    setHelpContext(pagMoreAppletSettings, 4);
    setHelpContext(pagMenu, 5);
    for (QWidget *state :
         {static_cast<QWidget *>(pagItemNormal), static_cast<QWidget *>(pagItemOver),
          static_cast<QWidget *>(pagItemClicked)})
        setHelpContext(state, 30);
    setHelpContext(pagPopupMenu, 31);
    setHelpContext(itemPage, 33);
    setHelpContext(firstLevelPage, 36);
}

void MainWindow::FormCreate()
{
    const PageLoad load(*this);
    document.SetProgramFolder(services.programFolder.toStdString());
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    makePrivateFolder(runtime);
    PreviewFolders::removeStale(runtime);
    previewDir = std::make_unique<QTemporaryDir>(PreviewFolders::templateIn(runtime));
    if (previewDir->isValid())
        document.SetPreviewFolder(QDir::toNativeSeparators(previewDir->path()).toStdString());
    document.SetProgress(progress.get());
    CurrentItemNode = 0;
    TreeRebuilding = false;
    projectFileName.clear();

    rebuildTree([this] { menuTree.addChild(nullptr, "Tarvelle"); });
    treeView->setCurrentNode(menuTree.root());

    document.ResetToDefaults();
    LoadAppletSettings();
    UpdateDependentFields();
    updateTitle();
    RegisterFileType(QApplication::applicationFilePath());
    runGuarded([this] { LoadRecentFiles(); });
    undoStack->setClean();
    setSaveEnabled(false);
    RefreshItemCommands();

    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &MainWindow::HelpForFocus);
}

void MainWindow::RegisterFileType(const QString &programPath)
{
    const QString program = QDir::toNativeSeparators(programPath);
    const std::pair<QString, QString> values[] = {
        {QStringLiteral("\\.tvl"), QStringLiteral("Tarvelle.Document")},
        {QStringLiteral("\\Tarvelle.Document"), QStringLiteral("Tarvelle.Document")},
        {QStringLiteral("\\Tarvelle.Document\\DefaultIcon"), program + ",0"},
        {QStringLiteral("\\Tarvelle.Document\\shell\\open\\command"), program + " %1"},
    };
    try {
        Registry registry(Registry::ClassesRoot);
        for (const auto &[key, value] : values) {
            registry.openKey(key, true);
            registry.writeString(QString(), value);
            registry.closeKey();
        }
    } catch (const RegistryError &) {
        // The association is a convenience; the program works without it.
    }
}

void MainWindow::runGuarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &error) {
        services.dialogs.error(this, QString::fromStdString(error.what()));
    }
}

std::function<void()> MainWindow::guardedSlot(void (MainWindow::*handler)())
{
    return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); };
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        hintLabel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    // The preview comes back as the user left it, once the window has its place.
    if (event->type() == QEvent::Show && !previewRestored) {
        previewRestored = true;
        restoreWindows();
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client && event->type() == QEvent::Resize)
        layoutClient();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setSaveEnabled(bool enabled)
{
    tlbtnSave->setEnabled(enabled);
    Save1->setEnabled(enabled);
}

void MainWindow::toggleToolBar()
{
    const bool shown = !tlbr1->isHidden();
    tlbr1->setVisible(!shown);
    resizeClientBy(shown ? -ToolBarStep : ToolBarStep);
    ToolBar1->setChecked(!shown);
}

void MainWindow::toggleStatusBar()
{
    const bool shown = !statusLine->isHidden();
    for (QWidget *widget : {static_cast<QWidget *>(hintLabel), static_cast<QWidget *>(ProgressBar1),
                            static_cast<QWidget *>(statusLine)})
        widget->setVisible(!shown);
    resizeClientBy(shown ? -StatusLineStep : StatusLineStep);
    StatusBar2->setChecked(!shown);
}

void MainWindow::showHelpTopics()
{
    showHelp(QStringLiteral("index.html"));
}

// A page of the manual in the browser chosen for previews; a browser that cannot start is told.
void MainWindow::showHelp(const QString &page)
{
    const QFileInfo file(help->pageFile(page));
    if (!formWebBrowser->LaunchInBrowser(QDir::toNativeSeparators(file.absolutePath() + '/'),
                                         file.fileName()))
        browserFailed();
}

void MainWindow::viewSample()
{
    services.shell.openDocument(services.programFolder +
                                QDir::toNativeSeparators("samples/Windows Style Menu.html"));
}

void MainWindow::openHomepage()
{
    services.shell.openDocument(QLatin1String(HomePage));
}

void MainWindow::contactUs()
{
    services.shell.openDocument(QLatin1String(HomePage));
}

void MainWindow::addHelpKey(QWidget *window)
{
    auto *f1 = new QShortcut(QKeySequence::HelpContents, window);
    connect(f1, &QShortcut::activated, this, [this, window] { helpFrom(helpTarget(window)); });
}

void MainWindow::HelpForFocus()
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
        const int context = widget->property(HelpContextProperty).toInt();
        if (context != 0)
            return showHelp(HelpService::topicPage(context));
        const QString page = widget->property(HelpPageProperty).toString();
        if (!page.isEmpty())
            return showHelp(page);
    }
    showHelp(QStringLiteral("index.html"));
}
