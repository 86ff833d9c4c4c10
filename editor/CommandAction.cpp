#include "CommandAction.h"

#include "editor/Controller.h"
#include "platform/Dialogs.h"

#include <exception>
#include <QAction>
#include <QIcon>
#include <utility>

QAction *makeCommand(QObject *owner, const char *name, const QString &text, DialogService &dialogs,
                     QWidget *window, std::function<void()> command, const char *icon)
{
    auto *action = new QAction(text, owner);
    if (icon)
        action->setIcon(commandIcon(icon));
    action->setObjectName(QLatin1String(name));
    QObject::connect(
        action, &QAction::triggered, owner,
        [&dialogs, window, command = std::move(command)] { runGuarded(dialogs, window, command); });
    return action;
}

void runGuarded(DialogService &dialogs, QWidget *window, const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &error) {
        dialogs.error(window, QString::fromStdString(error.what()));
    }
}

QIcon commandIcon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

Controller::Controller(DialogService &dialogs, QWidget *window)
    : QObject(window), dialogs_(dialogs), window_(window)
{}
