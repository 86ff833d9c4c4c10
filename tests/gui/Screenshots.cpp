// Grabs every tab of the main window into PNG files, to look at the layout:
//   QT_QPA_PLATFORM=offscreen build/tests-bin/tarvelle_screenshots OUTPUT_FOLDER

#include "About.h"
#include "FakeServices.h"
#include "HTMLBuild.h"
#include "MainForm.h"
#include "MenuTreeModel.h"
#include "Templet.h"
#include "WebBrowser.h"
#include "widgets/MenuTreeView.h"
#include "WindowParts.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    ScriptedDialogs dialogs;
    RecordingShell shell;
    TMainForm window(EditorServices{dialogs, shell, QDir::tempPath() + "/"});
    window.show();
    int shot = 0;
    auto grab = [&](const QString &name) {
        QApplication::processEvents();
        window.grab().save(
            QStringLiteral("%1/%2-%3.png").arg(out).arg(shot++, 2, 10, QLatin1Char('0')).arg(name));
    };
    for (int tab = 0; tab < part<QTabWidget>(window, "PageControl2")->count(); ++tab) {
        part<QTabWidget>(window, "PageControl2")->setCurrentIndex(tab);
        if (part<QTabWidget>(window, "PageControl2")->widget(tab)->findChild<QTabWidget *>() ==
            part<QTabWidget>(window, "PageControl3")) {
            for (int sub = 0; sub < part<QTabWidget>(window, "PageControl3")->count(); ++sub) {
                part<QTabWidget>(window, "PageControl3")->setCurrentIndex(sub);
                grab(QStringLiteral("menu%1").arg(sub));
            }
        } else {
            grab(QStringLiteral("applet%1").arg(tab));
        }
    }
    part<QTabWidget>(window, "PageControl2")->hide();
    part<QTabWidget>(window, "PageControl1")->show();
    for (int tab = 0; tab < part<QTabWidget>(window, "PageControl1")->count(); ++tab) {
        part<QTabWidget>(window, "PageControl1")->setCurrentIndex(tab);
        grab(QStringLiteral("item%1").arg(tab));
    }
    // A template opened, an item selected; then every dialog.
    const QString templates = QCoreApplication::applicationDirPath() + "/../bin/templets/";
    window.OpenProjectFile(templates + "Night Bar.tvl");
    const MenuTree &tree = window.Tree();
    if (tree.childCount(tree.root()) > 1) {
        const auto products = tree.child(tree.root(), 1);
        part<MenuTreeView>(window, "TreeView1")
            ->expand(part<MenuTreeView>(window, "TreeView1")->menuModel()->indexOf(products));
        part<MenuTreeView>(window, "TreeView1")->setCurrentNode(tree.child(products, 1));
    }
    grab(QStringLiteral("opened"));
    if (auto *preview = window.findChild<QWidget *>("LivePreview")) {
        QApplication::processEvents();
        preview->grab().save(
            QStringLiteral("%1/%2-preview.png").arg(out).arg(shot++, 2, 10, QLatin1Char('0')));
    }
    auto grabDialog = [&](QDialog *dialog, const QString &name) {
        dialog->show();
        QApplication::processEvents();
        dialog->grab().save(
            QStringLiteral("%1/%2-%3.png").arg(out).arg(shot++, 2, 10, QLatin1Char('0')).arg(name));
        dialog->hide();
    };
    dialogs.onModal = [&](QDialog *dialog) {
        grabDialog(dialog, "html");
        return 0;
    };
    trigger(window, "BuildHTML1");
    part<TformWebBrowser>(window, "formWebBrowser")->FormShow();
    grabDialog(part<TformWebBrowser>(window, "formWebBrowser"), "browser");
    TformAbout about(shell);
    grabDialog(&about, "about");
    TfrmTemplet chooser(dialogs, QCoreApplication::applicationDirPath() + "/../bin/", {}, nullptr);
    chooser.FormShow();
    grabDialog(&chooser, "templates");
    dialogs.onModal = [&](QDialog *dialog) {
        grabDialog(dialog, "report");
        return 0;
    };
    trigger(window, "Publish1");
    return 0;
}
