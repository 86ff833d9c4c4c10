#pragma once

#include "editor/Controller.h"

#include <functional>
#include <memory>
#include <QObject>
#include <QString>

class DialogService;
class HelpService;
class QAction;
class QWidget;
class ShellService;

// The Help menu's commands and F1: the manual's page about the focus (or the page or tab under
// the pointer) in the main window and in each tool window given a help key.
class HelpController : public Controller
{
    Q_OBJECT

public:
    // Shows a page of a folder (ending with a separator) in the browser chosen for previews.
    using ShowPage = std::function<void(const QString &folder, const QString &file)>;
    HelpController(DialogService &dialogs, ShellService &shell, const QString &programFolder,
                   QWidget *window, ShowPage showPage);
    ~HelpController() override;

    // F1 in window shows the page about what it is on.
    void addHelpKey(QWidget *window);

    // The commands, for the window's menus and tool bar.
    struct Actions
    {
        QAction *helpTopics, *viewSample, *homepage, *contact, *about;
    };
    const Actions &actions() const { return actions_; }

private:
    void showHelpTopics();
    void showHelp(const QString &page);
    QWidget *helpTarget(QWidget *window) const;
    void helpFrom(QWidget *start);
    void viewSample();
    void openHomepage();
    void contactSupport();
    void showAbout();

    ShellService &shell_;
    QString programFolder_;
    ShowPage showPage_;
    std::unique_ptr<HelpService> help_;
    Actions actions_;
};
