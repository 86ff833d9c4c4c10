// The live preview's dock (right or bottom, or floating, so that it never opens off screen),
// and the window's place, size and parts as the user left them.

#include "editor/MainWindow.h"
#include "editor/preview/LivePreview.h"
#include "editor/preview/PreviewController.h"
#include "editor/Startup.h"
#include "platform/Help.h"
#include "platform/Settings.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>

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
    const Settings settings;
    const bool shown = settings.previewShown();
    const QByteArray docks = settings.windowState(), windowGeometry = settings.windowGeometry();
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
    // The tree's width as the handle left it (earlier versions kept what it had beyond 193).
    if (!splitter->restoreState(settings.splitterState())) {
        if (const std::optional<int> extra = settings.treeExtraWidth())
            splitter->setSizes({193 + *extra, splitter->sizes().value(1) - *extra});
    }
    layout()->activate();
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
    // Not remembering the preview's place is no reason to keep the program open: a setting
    // that cannot be stored is dropped.
    Settings settings;
    settings.setPreviewShown(livePreviewAction->isChecked());
    settings.setWindowState(saveState());
    settings.setWindowGeometry(saveGeometry());
    settings.setSplitterState(splitter->saveState());
}
