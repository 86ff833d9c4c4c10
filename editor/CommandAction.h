#pragma once

#include <functional>
#include <QString>

class DialogService;
class QAction;
class QIcon;
class QObject;
class QWidget;

// An action of owner's, named for the tests and the manual, that runs command when triggered;
// an error the command throws is shown over window, not passed on to the event loop. icon
// names its picture among the program's icons.
QAction *makeCommand(QObject *owner, const char *name, const QString &text, DialogService &dialogs,
                     QWidget *window, std::function<void()> command, const char *icon = nullptr);
// Runs command; an error that escapes it is shown over window in the standard error box.
void runGuarded(DialogService &dialogs, QWidget *window, const std::function<void()> &command);
// A command's picture among the program's icons (":/icons/NAME.svg").
QIcon commandIcon(const char *name);
