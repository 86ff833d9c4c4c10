#include "Startup.h"

#include "document/FileSystem.h"
#include "document/Version.h"
#include "editor/MainWindow.h"
#include "editor/ProjectController.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Settings.h"
#include "platform/Shell.h"

#include <csignal>
#include <iostream>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

QString startFileName(const QStringList &arguments)
{
    QString joined;
    for (const QString &argument : arguments)
        joined += argument + QLatin1Char(' ');
    return joined.trimmed();
}

bool readShowTempletsDialog()
{
    return Settings().showTemplates();
}

std::optional<CommandLineAnswer> commandLineAnswer(const std::vector<std::string> &arguments)
{
    if (arguments.empty())
        return std::nullopt;
    const std::string &first = arguments[0];
    if (arguments.size() == 1 && first == "--version")
        return CommandLineAnswer{std::string("tarvelle ") + TarvelleVersion + "\n"};
    if (arguments.size() == 1 && first == "--help")
        return CommandLineAnswer{
            std::string("usage: tarvelle [PROJECT.tvl]\n"
                        "\n"
                        "Opens the editor of web navigation menus, with the project file if one\n"
                        "is named (a path with blanks may come as several arguments).\n"
                        "\n"
                        "  --help     show this text\n"
                        "  --version  show the version\n"
                        "\n"
                        "tarvelle-cli writes pages and publishable folders from scripts.\n")};
    // An option, not a file: a file whose name starts with a dash is named as ./-name.
    const bool option = first.size() > 1 && first[0] == '-';
    if (option)
        return CommandLineAnswer{"tarvelle: unknown option \"" + first +
                                     "\"\nTry \"tarvelle --help\" for the options.\n",
                                 64};
    return std::nullopt;
}

namespace {
#ifndef _WIN32
int signalPipe[2] = {-1, -1};

void onEndingSignal(int)
{
    const char byte = 1;
    // Only what is safe in a handler: the event loop reads the pipe and ends the program.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}
#endif

bool endRequested = false;

#ifndef _WIN32
// A box or dialog open in an event loop of its own would hold the quit back (and before the
// main loop runs, a quit is not even heard): each is answered as if cancelled, then the
// application quits, or does not start its loop.
void endNow()
{
    endRequested = true;
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
    QApplication::quit();
}
#endif

// SIGTERM, SIGINT and SIGHUP end the editor as closing it does: the event loop ends, the
// window goes and takes its preview folder with it.
void endOnSignals(QApplication &app)
{
#ifndef _WIN32
    if (::pipe(signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
        endNow();
    });
    struct sigaction action = {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int ending : {SIGTERM, SIGINT, SIGHUP})
        sigaction(ending, &action, nullptr);
#else
    Q_UNUSED(app)
#endif
}
} // namespace

int runEditor(int argc, char **argv)
{
    // Answered without a window, before any display is needed.
    if (const auto answer = commandLineAnswer(std::vector<std::string>(argv + 1, argv + argc))) {
        (answer->exitCode == 0 ? std::cout : std::cerr) << answer->text;
        return answer->exitCode;
    }
    fsx::failOversizedWritesQuietly();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(ApplicationTitle));
    endOnSignals(app);

    QtDialogs dialogs;
    QtShell shell;
    MainWindow window(EditorServices{dialogs, shell, programFolder()});
    window.show();
    ProjectController &project = window.project();

    // Work an editor lost in a crash comes first; restored, it is what the author goes on with.
    const QString startFile = startFileName(QApplication::arguments().mid(1));
    if (!project.offerRecovery()) {
        if (!startFile.isEmpty())
            project.openStartFile(startFile);
        else if (readShowTempletsDialog())
            project.showTemplateChooser();
    }
    // Ended while the first file's message or the template chooser was open.
    const int exitCode = endRequested ? 0 : QApplication::exec();
    // Ended by the system (the session closed), not by the author: nothing was asked, so the
    // unsaved work waits for the next start.
    if (endRequested)
        project.keepUnsavedWork();
    return exitCode;
}
