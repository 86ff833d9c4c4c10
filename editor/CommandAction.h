#pragma once

#include <functional>
#include <QString>

class DialogService;
class QAction;
class QObject;
class QWidget;

// An action of owner's, named for the tests and the manual, that runs command when triggered;
// an error the command throws is shown over window, not passed on to the event loop.
QAction *makeCommand(QObject *owner, const char *name, const QString &text, DialogService &dialogs,
                     QWidget *window, std::function<void()> command);
