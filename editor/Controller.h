#pragma once

#include "editor/CommandAction.h"

#include <functional>
#include <QObject>
#include <QString>

class DialogService;
class QAction;
class QWidget;

// What the window's controllers share: the dialogs they ask through, the window they serve
// (the parent of their dialogs and of themselves), and commands made from their own handlers.
class Controller : public QObject
{
public:
    Controller(DialogService &dialogs, QWidget *window);

protected:
    // An action named for the tests and the manual that runs handler, its errors shown.
    template <class Owner>
    QAction *addCommand(const char *name, const QString &text, void (Owner::*handler)(),
                        const char *icon = nullptr)
    {
        auto *owner = static_cast<Owner *>(this);
        return makeCommand(
            this, name, text, dialogs_, window_, [owner, handler] { (owner->*handler)(); }, icon);
    }
    void runGuarded(const std::function<void()> &command)
    {
        ::runGuarded(dialogs_, window_, command);
    }

    DialogService &dialogs_;
    QWidget *window_;
};
