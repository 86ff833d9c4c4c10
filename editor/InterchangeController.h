#pragma once

#include "editor/Controller.h"

#include <functional>
#include <QObject>
#include <QString>

class DialogService;
class EditorDocument;
class QAction;
class QWidget;

// File > Import makes a new, unsaved project of another program's menu; File > Export writes
// the project's menu for one. The controller owns both commands; the window puts them in its
// menu.
class InterchangeController : public Controller
{
    Q_OBJECT

public:
    // What the commands need of the window they serve.
    struct WindowHooks
    {
        std::function<bool()> askToSaveChanges; // false: the user kept the changes unsaved
        std::function<void(const QString &)> showStatus;
    };
    InterchangeController(EditorDocument &document, DialogService &dialogs, QWidget *window,
                          WindowHooks hooks);

    QAction *importAction() const { return importAction_; }
    QAction *exportAction() const { return exportAction_; }

private:
    void importMenu();
    void exportMenu();

    EditorDocument &document_;
    WindowHooks hooks_;
    QAction *importAction_;
    QAction *exportAction_;
};
