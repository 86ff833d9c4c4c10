// The Help menu: the manual's contents and its page about what F1 is on, the sample, the
// homepage, the support page and the About box.

#include "HelpController.h"

#include "dialogs/AboutDialog.h"
#include "editor/CommandAction.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Shell.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <utility>

HelpController::HelpController(DialogService &dialogs, ShellService &shell,
                               const QString &programFolder, QWidget *window, ShowPage showPage)
    : Controller(dialogs, window), shell_(shell), programFolder_(programFolder),
      showPage_(std::move(showPage)),
      help_(std::make_unique<HelpService>(programFolder + "help/index.html"))
{
    actions_.helpTopics =
        addCommand("actionHelpTopics", tr("Help &Topics"), &HelpController::showHelpTopics);
    actions_.helpTopics->setIcon(commandIcon("help"));
    actions_.helpTopics->setToolTip(tr("Show help document"));
    actions_.viewSample =
        addCommand("actionViewSample", tr("View &Sample..."), &HelpController::viewSample);
    actions_.homepage =
        addCommand("actionHomepage", tr("&Homepage"), &HelpController::openHomepage);
    actions_.contact =
        addCommand("actionContactUs", tr("&Contact Us"), &HelpController::contactSupport);
    actions_.about = addCommand("actionAbout", tr("&About"), &HelpController::showAbout);
    addHelpKey(window);
}

HelpController::~HelpController() = default;

void HelpController::showHelpTopics()
{
    showHelp(QStringLiteral("index.html"));
}

void HelpController::showHelp(const QString &page)
{
    const QFileInfo file(help_->pageFile(page));
    showPage_(QDir::toNativeSeparators(file.absolutePath() + '/'), file.fileName());
}

void HelpController::viewSample()
{
    shell_.openDocument(programFolder_ +
                        QDir::toNativeSeparators("samples/Windows Style Menu.html"));
}

void HelpController::openHomepage()
{
    shell_.openDocument(help_->homePage());
}

void HelpController::contactSupport()
{
    shell_.openDocument(help_->supportPage());
}

void HelpController::showAbout()
{
    AboutDialog about(shell_, *help_, window_);
    addHelpKey(&about);
    dialogs_.runModal(&about);
}

void HelpController::addHelpKey(QWidget *window)
{
    auto *f1 = new QShortcut(QKeySequence::HelpContents, window);
    connect(f1, &QShortcut::activated, this, [this, window] { helpFrom(helpTarget(window)); });
}

// What F1 is about: the focus (the main window's F1 serves its tool windows too), unless the
// pointer is on a page of that window's tabs or on a tab, which counts as its page.
QWidget *HelpController::helpTarget(QWidget *window) const
{
    QWidget *focus = QApplication::focusWidget();
    QWidget *target = focus && (window == window_ || window->isAncestorOf(focus)) ? focus : window;
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

void HelpController::helpFrom(QWidget *start)
{
    for (QWidget *widget = start; widget; widget = widget->parentWidget()) {
        const QString topic = HelpService::topicOf(widget);
        if (!topic.isEmpty())
            return showHelp(topic);
    }
    showHelp(QLatin1String(HelpTopic::Contents));
}
