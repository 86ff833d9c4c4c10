#include "CommandAction.h"

#include "platform/Dialogs.h"

#include <exception>
#include <QAction>
#include <utility>

QAction *makeCommand(QObject *owner, const char *name, const QString &text, DialogService &dialogs,
                     QWidget *window, std::function<void()> command)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, owner,
                     [&dialogs, window, command = std::move(command)] {
                         try {
                             command();
                         } catch (const std::exception &error) {
                             dialogs.error(window, QString::fromStdString(error.what()));
                         }
                     });
    return action;
}
