// Grabs every tab of the main window into PNG files, to look at the layout:
//   QT_QPA_PLATFORM=offscreen build/tests-bin/tarvelle_screenshots OUTPUT_FOLDER

#include "FakeServices.h"
#include "MainForm.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTreeWidget>

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
    for (int tab = 0; tab < window.PageControl2->count(); ++tab) {
        window.PageControl2->setCurrentIndex(tab);
        if (window.PageControl2->widget(tab)->findChild<QTabWidget *>() == window.PageControl3) {
            for (int sub = 0; sub < window.PageControl3->count(); ++sub) {
                window.PageControl3->setCurrentIndex(sub);
                grab(QStringLiteral("menu%1").arg(sub));
            }
        } else {
            grab(QStringLiteral("applet%1").arg(tab));
        }
    }
    window.PageControl2->hide();
    window.PageControl1->show();
    for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
        window.PageControl1->setCurrentIndex(tab);
        grab(QStringLiteral("item%1").arg(tab));
    }
    return 0;
}
