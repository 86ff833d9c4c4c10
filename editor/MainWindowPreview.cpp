// The live preview: the menu drawn from what the pages show, following every edit, in a dock
// of the main window (right or bottom, or floating), so that it never opens off screen.

#include "document/AccessibilityCheck.h"
#include "document/CurrentPage.h"
#include "document/LinkCheck.h"
#include "document/MenuLayout.h"
#include "editor/MainWindow.h"
#include "editor/preview/LivePreview.h"
#include "editor/preview/PreviewCanvas.h"
#include "editor/Startup.h"
#include "editor/widgets/MenuTreeView.h"
#include "platform/Registry.h"

#include <QAction>
#include <QDockWidget>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>
#include <QUndoStack>

namespace {
const char *const PreviewShownValue = "LivePreviewShown";
const char *const WindowStateValue = "MainWindowDocks";
const char *const WindowGeometryValue = "MainWindowGeometry";
const char *const TreeWidthValue = "TreeExtraWidth";

QByteArray readGeometry(Registry &registry, const char *name)
{
    return registry.valueExists(QLatin1String(name))
               ? QByteArray::fromBase64(registry.readString(QLatin1String(name)).toLatin1())
               : QByteArray();
}
} // namespace

void MainWindow::buildLivePreview(QMenu *view)
{
    LivePreview1 = new QAction(tr("&Live Preview"), this);
    LivePreview1->setObjectName("LivePreview1");
    LivePreview1->setShortcut(QKeySequence(Qt::Key_F9));
    LivePreview1->setCheckable(true);
    LivePreview1->setStatusTip(tr("Show the menu as it looks and works while you edit it"));
    view->addAction(LivePreview1);
    livePreview = new LivePreview;
    dockPreview = new QDockWidget(tr("Live Preview"), this);
    dockPreview->setObjectName("dockLivePreview");
    dockPreview->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    dockPreview->setWidget(livePreview);
    addDockWidget(Qt::RightDockWidgetArea, dockPreview);
    // The main window's F1 serves its tool windows too: it finds this page from the focus.
    livePreview->setProperty(HelpPageProperty, QStringLiteral("live-preview.html"));
}

void MainWindow::wireLivePreview()
{
    connect(LivePreview1, &QAction::toggled, dockPreview, &QWidget::setVisible);
    connect(livePreview, &LivePreview::shownChanged, this, [this](bool shown) {
        const QSignalBlocker blocker(LivePreview1);
        LivePreview1->setChecked(shown);
        if (shown)
            schedulePreview();
    });
    connect(livePreview->canvas(), &PreviewCanvas::narrowShown, this, &MainWindow::schedulePreview);
    connect(livePreview->canvas(), &PreviewCanvas::currentPageAsked, this,
            &MainWindow::schedulePreview);
    connect(livePreview->canvas(), &PreviewCanvas::itemChosen, this, [this](int itemIndex) {
        if (const ItemTree::Node node = menuTree.nodeAt(itemIndex))
            treeView->setCurrentNode(node);
    });
    connect(undoStack, &QUndoStack::indexChanged, this, [this] {
        ++previewGeneration;
        schedulePreview();
    });
}

void MainWindow::restoreWindows()
{
    bool shown = true; // shown on the first start
    QByteArray docks, windowGeometry;
    try {
        Registry registry(Registry::CurrentUser);
        if (registry.openKey(QLatin1String(SettingsKey), false)) {
            if (registry.valueExists(QLatin1String(PreviewShownValue)))
                shown = registry.readBool(QLatin1String(PreviewShownValue));
            docks = readGeometry(registry, WindowStateValue);
            windowGeometry = readGeometry(registry, WindowGeometryValue);
            if (registry.valueExists(QLatin1String(TreeWidthValue)))
                treeExtra = registry.readInteger(QLatin1String(TreeWidthValue));
        }
    } catch (const RegistryError &) {
        // Settings that cannot be read leave the windows as on a first start.
    }
    LivePreview1->setChecked(shown);
    dockPreview->setVisible(shown);
    // The window comes back as the user left it: its place and size, the preview's dock and
    // the tree's width; the first time, wide enough for the pages and the preview.
    if (windowGeometry.isEmpty() || !restoreGeometry(windowGeometry) || !restoreState(docks)) {
        constexpr int PreviewWidth = 480;
        if (shown) {
            resize(width() + PreviewWidth, height());
            layout()->activate();
            resizeDocks({dockPreview}, {PreviewWidth}, Qt::Horizontal);
        }
        layout()->activate();
        // The pages at their default size beside it.
        resize(width() + ClientWidth - client->width(),
               height() + std::max(0, defaultClientHeight() - client->height()));
        if (const QScreen *screen = this->screen())
            resize(size().boundedTo(screen->availableGeometry().size()));
    }
    layout()->activate();
    layoutClient();
}

void MainWindow::rememberWindows()
{
    try {
        Registry registry(Registry::CurrentUser);
        registry.openKey(QLatin1String(SettingsKey), true);
        registry.writeBool(QLatin1String(PreviewShownValue), LivePreview1->isChecked());
        registry.writeString(QLatin1String(WindowStateValue),
                             QString::fromLatin1(saveState().toBase64()));
        registry.writeString(QLatin1String(WindowGeometryValue),
                             QString::fromLatin1(saveGeometry().toBase64()));
        registry.writeInteger(QLatin1String(TreeWidthValue), treeExtra);
    } catch (const RegistryError &) {
        // Not remembering the preview's place is no reason to keep the program open.
    }
}

void MainWindow::schedulePreview()
{
    if (previewPending || !livePreview || !livePreview->isVisible())
        return;
    previewPending = true;
    // Several notifications of one command make one drawing, before the next frame.
    QMetaObject::invokeMethod(
        this,
        [this] {
            previewPending = false;
            try {
                refreshPreview();
            } catch (const std::exception &) {
                // The command that broke the document reports it; the preview shows nothing
                // rather than a menu it cannot read.
                livePreview->canvas()->setScene(MenuScene());
                previewDrawn.generation = -1;
            }
        },
        Qt::QueuedConnection);
}

QStringList MainWindow::warningTexts(const TAppletData &data, const MenuRecords &items,
                                     const MenuLayout &layout)
{
    QStringList texts;
    // Links that run script come first: they matter more than a weak contrast.
    for (const AccessibilityWarning &warning :
         linkWarningIndex.warnings(menuTree, items, document.Separator()))
        texts << QString::fromStdString(warning.where + ": " + warning.what);
    for (const AccessibilityWarning &warning : accessibilityWarnings(data, items, layout))
        texts << QString::fromStdString(warning.where + ": " + warning.what);
    return texts;
}

void MainWindow::scheduleWarnings()
{
    if (warningsPending)
        return;
    warningsPending = true;
    // After the drawing: the line under the menu reads every record, the drawing only what
    // it shows, so the menu is drawn first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            warningsPending = false;
            if (!livePreview->isVisible())
                return;
            const ItemTree::Node shown =
                pageBaseline.item ? menuTree.find(pageBaseline.item) : nullptr;
            const bool replaced = shown && pageBaseline.record != menuTree.record(shown);
            const MenuRecords records{document.GetItems(),
                                      replaced ? menuTree.itemIndex(shown) : -1,
                                      replaced ? &pageBaseline.record : nullptr};
            livePreview->setWarnings(warningTexts(pageBaseline.applet, records,
                                                  livePreview->canvas()->scene().layout()));
        },
        Qt::QueuedConnection);
}

void MainWindow::refreshPreview()
{
    if (!livePreview->isVisible())
        return;
    const ItemTree::Node shown = pageBaseline.item ? menuTree.find(pageBaseline.item) : nullptr;
    const int index = shown ? menuTree.itemIndex(shown) : -1;
    // The pages' record only counts where it differs from the stored one.
    const bool replaced = shown && pageBaseline.record != menuTree.record(shown);
    PreviewCanvas *canvas = livePreview->canvas();
    // Selecting another item changes nothing drawn: the menu is not laid out again.
    const bool narrow = canvas->narrowWidth() > 0;
    const bool same =
        (!narrow || canvas->scene().hasNarrow()) && previewDrawn.generation == previewGeneration &&
        previewDrawn.applet == pageBaseline.applet && !replaced && previewDrawn.replaced < 0;
    if (!same) {
        const MenuRecords records{document.GetItems(), replaced ? index : -1,
                                  replaced ? &pageBaseline.record : nullptr};
        canvas->setScene(MenuScene(pageBaseline.applet, records, menuTree.parentIndices(),
                                   previewMeasure, QString::fromStdString(document.PreviewFolder()),
                                   narrow));
        scheduleWarnings();
        previewDrawn = {previewGeneration, pageBaseline.applet, replaced ? index : -1};
    }
    // A newly selected item is shown: the popups on its path open and it lights up.
    const ItemTree::Node selected = treeView->currentNode();
    if (selected && menuTree.id(selected) != previewSelection) {
        previewSelection = menuTree.id(selected);
        canvas->showItem(menuTree.itemIndex(selected));
    }
    // The menu as the selected item's page shows it; its link may have just been typed.
    if (canvas->showsCurrentPage()) {
        const MenuRecords records{document.GetItems(), replaced ? index : -1,
                                  replaced ? &pageBaseline.record : nullptr};
        const int item = selected ? menuTree.itemIndex(selected) : -1;
        canvas->setCurrentPage(
            item < 0 ? -1
                     : currentPageItem(records, menuTree.parentIndices(),
                                       records[std::size_t(item)][ItemField::ItemURL]));
    }
}
