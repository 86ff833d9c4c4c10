#pragma once

#include "document/FileSystem.h"
#include "document/Publisher.h"
#include "editor/Controller.h"
#include "editor/RecentFiles.h"

#include <functional>
#include <memory>
#include <optional>
#include <QObject>
#include <QString>
#include <string>

class AutoRecovery;
class DialogService;
class EditorDocument;
class QAction;
class QMenu;
class QMimeData;
class QWidget;

// The project's file: Templets, New, Open, Save, Save As and Exit, opening by name, the
// save-changes and close questions, the recent-file list, the window's title and the unsaved
// work kept for the next start. The controller owns the commands; the window puts them in its
// menus and tool bar.
class ProjectController : public Controller
{
    Q_OBJECT

public:
    // What the commands need of the window they serve.
    struct WindowHooks
    {
        std::function<void(const QString &)> showStatus;
        std::function<void(QWidget *)> addHelpKey;
        // What keeps visitors from using the saved menu, told after a save.
        std::function<QStringList()> warnings;
    };
    ProjectController(EditorDocument &document, DialogService &dialogs, QString programFolder,
                      QWidget *window, WindowHooks hooks);
    ~ProjectController() override;

    static const char *const ProjectFilter;

    void openProjectFile(const QString &fileName);
    // Opens a template as a new, untitled project with the template's content.
    void openTemplate(const QString &fileName);
    // Start-up: opens the start file, telling why it could not.
    void openStartFile(const QString &fileName);
    void showTemplateChooser();
    // Start-up: offers the unsaved work of an editor that ended without being closed (restore,
    // discard, or decide later); true when it was restored.
    bool offerRecovery();
    // The editor ends without the author closing it (the session ends): its unsaved work is
    // kept for the next start.
    void keepUnsavedWork();
    AutoRecovery &autoRecovery() const { return *recovery_; }
    // The save-changes question; false when the command must end here.
    bool askToSaveChanges();
    // The close question; false keeps the window open.
    bool closeQuery();
    Publisher::ReplaceQuestion replaceQuestion(const std::string &ownName,
                                               std::optional<fsx::ReadOnlyReplacement> &readOnly);
    // Tells what the last save or publish left out of the project's folder.
    void tellLeftOut();
    // The project file among dropped data; empty when there is none.
    static QString droppedProject(const QMimeData *data);

    // The commands and the recent-file list, for the window's menus and tool bar.
    struct Actions
    {
        QAction *templates, *newProject, *open, *save, *saveAs, *exit;
        QMenu *recentFiles;
    };
    const Actions &actions() const { return actions_; }

private:
    void createActions();
    void newProject();
    void openProject();
    void saveProject();
    void saveProjectAs();
    // Saves under the project's name, asking for one when there is none; false when the
    // author cancelled.
    bool saveDocument();
    bool saveDocumentAs();
    bool saveAs(const QString &fileName);
    void openFile(const QString &fileName, bool asTemplate);
    void loadRecentFiles();
    void addRecentFile(const QString &fileName);
    void updateTitle();
    // The project's file name, or "Untitled".
    QString shownName() const;

    EditorDocument &document_;
    QString programFolder_;
    WindowHooks hooks_;
    RecentFileList recentFiles_;
    std::unique_ptr<AutoRecovery> recovery_;
    Actions actions_;
};
