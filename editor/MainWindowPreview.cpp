// The live preview's dock (right or bottom, or floating, so that it never opens off screen),
// and the window's place, size and parts as the user left them.

#include "editor/MainWindow.h"
#include "editor/preview/LivePreview.h"
#include "editor/preview/PreviewController.h"
#include "editor/Startup.h"
#include "platform/Help.h"
#include "platform/Registry.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSignalBlocker>

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

void MainWindow::createLivePreview()
{
    livePreview = new LivePreview;
    previewDock = new QDockWidget(tr("Live Preview"), this);
    previewDock->setObjectName("dockLivePreview");
    previewDock->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    previewDock->setWidget(livePreview);
    addDockWidget(Qt::RightDockWidgetArea, previewDock);
    // The main window's F1 serves its tool windows too: it finds this page from the focus.
    HelpService::setTopic(livePreview, HelpTopic::LivePreview);
    preview_ = new PreviewController(*document_, livePreview, this);
    connect(livePreviewAction, &QAction::toggled, previewDock, &QWidget::setVisible);
    connect(livePreview, &LivePreview::shownChanged, this, [this](bool shown) {
        const QSignalBlocker blocker(livePreviewAction);
        livePreviewAction->setChecked(shown);
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
    livePreviewAction->setChecked(shown);
    previewDock->setVisible(shown);
    // The window comes back as the user left it: its place and size, the preview's dock and
    // the tree's width; the first time, wide enough for the pages and the preview.
    if (windowGeometry.isEmpty() || !restoreGeometry(windowGeometry) || !restoreState(docks)) {
        constexpr int PreviewWidth = 480;
        if (shown) {
            resize(width() + PreviewWidth, height());
            layout()->activate();
            resizeDocks({previewDock}, {PreviewWidth}, Qt::Horizontal);
        }
        layout()->activate();
        // The pages at their default size beside it.
        resize(width() + ClientWidth - client->width(),
               height() + std::max(0, defaultClientHeight() - client->height()));
        // Taller than the pages need, so the tree shows a long menu: most of the screen.
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen)
            resize(width(), std::max(height(), screen->availableGeometry().height() * 7 / 10));
        fitOnScreen(true);
    } else {
        fitOnScreen(false);
    }
    layout()->activate();
    layoutClient();
}

// The whole window on the screen it opens on: larger than the screen's free area, it is made
// smaller; past an edge (a monitor since unplugged, a smaller screen), it is moved in; on the
// first start it is centred.
void MainWindow::fitOnScreen(bool centre)
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame's borders and title, where a window manager has drawn them already.
    const QSize decoration = frameGeometry().size() - size();
    resize(size().boundedTo(area.size() - decoration));
    QRect frame(frameGeometry().topLeft(), size() + decoration);
    if (centre)
        frame.moveCenter(area.center());
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    move(frame.topLeft());
}

void MainWindow::rememberWindows()
{
    try {
        Registry registry(Registry::CurrentUser);
        registry.openKey(QLatin1String(SettingsKey), true);
        registry.writeBool(QLatin1String(PreviewShownValue), livePreviewAction->isChecked());
        registry.writeString(QLatin1String(WindowStateValue),
                             QString::fromLatin1(saveState().toBase64()));
        registry.writeString(QLatin1String(WindowGeometryValue),
                             QString::fromLatin1(saveGeometry().toBase64()));
        registry.writeInteger(QLatin1String(TreeWidthValue), treeExtra);
    } catch (const RegistryError &) {
        // Not remembering the preview's place is no reason to keep the program open.
    }
}
