// Pictures of the real windows for the README and the help pages:
//   scripts/screenshots.sh [OUTPUT_FOLDER]
// (or build/tests-bin/tarvelle_screenshots OUTPUT_FOLDER under any display). Each picture is
// named after the help topic that shows it.

#include "dialogs/TemplateChooser.h"
#include "editor/preview/Thumbnail.h"
#include "dialogs/WebBrowserDialog.h"
#include "editor/EditorDocument.h"
#include "editor/HtmlWindow.h"
#include "editor/MainWindow.h"
#include "editor/MenuTreeModel.h"
#include "editor/ProjectController.h"
#include "editor/widgets/MenuTreeView.h"
#include "tests/gui/FakeServices.h"
#include "tests/gui/WindowParts.h"

#include <cstdio>
#include <iterator>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {
QString out;
int failures = 0;

void save(QWidget *widget, const QString &name)
{
    QApplication::processEvents();
    QApplication::processEvents();
    if (!widget->grab().save(out + "/" + name + ".png"))
        ++failures;
}
} // namespace

int main(int argc, char **argv)
{
    // The pictures show a first start, whatever the user's settings say.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", config.filePath("state").toLocal8Bit());
    QApplication app(argc, argv);
    // TARVELLE_DARK=1 takes the pictures with a dark palette, to look at how the windows read.
    if (qEnvironmentVariableIntValue("TARVELLE_DARK")) {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(220, 220, 220));
        dark.setColor(QPalette::Button, QColor(60, 60, 64));
        dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
        dark.setColor(QPalette::Link, QColor(120, 170, 255));
        QApplication::setPalette(dark);
    }
    out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(out);
    // A program folder of its own, with the build's data: what the editor writes beside the
    // program (the recent-file list) stays out of the build.
    const QString built = QCoreApplication::applicationDirPath() + "/../bin/";
    const bool recentBefore = QFile::exists(built + "recentfile.dat");
    QTemporaryDir scratch;
    for (const char *name : {"help", "samples", "templets", "zorvex.js"})
        QFile::link(built + name, scratch.filePath(QLatin1String(name)));
    const QString program = scratch.path() + "/";
    ScriptedDialogs dialogs;
    RecordingShell shell;
    MainWindow window(EditorServices{dialogs, shell, program});
    window.show();
    // As it first opens on a laptop's screen, 768 pixels high, whatever screen takes them.
    window.resize(window.width(), 768 * 7 / 10);

    // A template opened with an item of a popup selected: the main window and the preview.
    window.project().openProjectFile(program + "templets/Night Bar.tvl");
    const MenuTree &tree = window.document().tree();
    auto *view = part<MenuTreeView>(window, "TreeView1");
    const auto products = tree.child(tree.root(), 1);
    view->expand(view->menuModel()->indexOf(products));
    view->setCurrentNode(tree.child(products, 1));
    save(&window, "main-window");
    save(part<QWidget>(window, "LivePreview"), "live-preview");
    view->setCurrentNode(tree.child(products, 0));
    save(&window, "item");
    view->setCurrentNode(products);
    part<QTabWidget>(window, "PageControl1")->setCurrentIndex(1);
    save(&window, "first-level-item-options");

    // The applet's pages, with the root selected.
    view->setCurrentNode(tree.root());
    auto *applet = part<QTabWidget>(window, "PageControl2");
    auto *menu = part<QTabWidget>(window, "PageControl3");
    const char *const appletPages[] = {"applet-settings", "more-applet-settings",
                                       nullptr,           "popup-menus",
                                       "menu-look",       "popup-look"};
    for (int tab = 0; tab < applet->count() && tab < int(std::size(appletPages)); ++tab) {
        applet->setCurrentIndex(tab);
        if (appletPages[tab])
            save(&window, appletPages[tab]);
    }
    applet->setCurrentIndex(2);
    menu->setCurrentIndex(0);
    save(&window, "first-level-menu");
    menu->setCurrentIndex(1);
    save(&window, "item-states");

    // The dialogs.
    auto dialogShot = [&](const QString &name) {
        return [&, name](QDialog *dialog) {
            save(dialog, name);
            return 0;
        };
    };
    dialogs.onModal = dialogShot("build-html");
    trigger(window, "actionBuildHtml");
    dialogs.onModal = dialogShot("publish-report");
    trigger(window, "actionPublish");
    // Publish to Site, looking at a small site before publishing into it.
    QTemporaryDir site(QDir::tempPath() + "/my-site-XXXXXX");
    const QByteArray marked = "<!DOCTYPE html>\n<body>\n<!-- tarvelle:menu -->\n"
                              "<!-- /tarvelle:menu -->\n</body>\n";
    QDir(site.path()).mkpath("products");
    for (const char *page : {"index.html", "products/laptops.html", "products/software.html",
                             "contact.html", "about.html"}) {
        QFile file(site.filePath(QLatin1String(page)));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(page) == "about.html" ? "<body><p>About us</p></body>\n"
                                                        : marked);
    }
    dialogs.folders = {site.path()};
    dialogs.onModal = [&](QDialog *dialog) {
        dialog->findChild<QPushButton *>("chooseFolderButton")->click();
        save(dialog, "publish-to-site");
        return 0;
    };
    trigger(window, "actionPublishToSite");
    auto *browsers = part<WebBrowserDialog>(window, "formWebBrowser");
    browsers->onShown();
    browsers->show();
    save(browsers, "web-browser");
    browsers->hide();
    TemplateChooser chooser(dialogs, program, {nullptr, nullptr, projectThumbnail}, nullptr);
    chooser.onShown();
    chooser.show();
    save(&chooser, "templates");
    if (!recentBefore && QFile::exists(built + "recentfile.dat")) {
        std::fprintf(stderr, "the pictures wrote into the build's program folder\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
