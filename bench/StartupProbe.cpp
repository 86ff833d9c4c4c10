// The editor's start as the entry routine does it, ending as soon as the main window is shown
// (and the file named on the command line is open). StartupBench times it from outside.

#include "editor/MainWindow.h"
#include "editor/ProjectController.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"

#include <exception>
#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    QtShell shell;
    MainWindow window(EditorServices{dialogs, shell, programFolder()});
    window.show();
    try {
        if (argc > 1)
            window.project().openProjectFile(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception &) {
        return 2; // refused, as the editor tells the author in a message box
    }
    QApplication::processEvents(); // the first paint
    return window.isVisible() ? 0 : 1;
}
