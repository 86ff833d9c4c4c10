// The project's file: New, Open, Save, Save As, opening by name, the close question, the
// recent-file list and the unsaved work kept for the next start.

#include "ProjectController.h"

#include "dialogs/TemplateChooser.h"
#include "document/FileSystem.h"
#include "editor/AutoRecovery.h"
#include "editor/CommandAction.h"
#include "editor/EditorDocument.h"
#include "editor/preview/Thumbnail.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <QUrl>
#include <QWidget>
#include <utility>

const char *const ProjectController::ProjectFilter = "Tarvelle Files (*.tvl)|*.tvl";

ProjectController::ProjectController(EditorDocument &document, DialogService &dialogs,
                                     QString programFolder, QWidget *window, WindowHooks hooks)
    : Controller(dialogs, window), document_(document), programFolder_(std::move(programFolder)),
      hooks_(std::move(hooks)), recentFiles_(programFolder_),
      recovery_(std::make_unique<AutoRecovery>(document, AutoRecovery::defaultFolder()))
{
    createActions();
    actions_.recentFiles = new QMenu(tr("&Recent Files"), window);
    actions_.recentFiles->setObjectName("mnitRecentFiles");
    connect(&document_, &EditorDocument::fileNameChanged, this, &ProjectController::updateTitle);
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        actions_.save->setEnabled(!clean);
        window_->setWindowModified(!clean);
    });
    actions_.save->setEnabled(false);
    updateTitle();
    runGuarded([this] { loadRecentFiles(); });
}

// The kept copy goes before the document it copies.
ProjectController::~ProjectController() = default;

void ProjectController::createActions()
{
    actions_.templates =
        addCommand("actionTemplates", tr("&Templets"), &ProjectController::showTemplateChooser);
    actions_.newProject =
        addCommand("actionNew", tr("&New..."), &ProjectController::newProject, "new");
    actions_.newProject->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    actions_.newProject->setToolTip(tr("Create a new project"));
    actions_.open =
        addCommand("actionOpen", tr("&Open..."), &ProjectController::openProject, "open");
    actions_.open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    actions_.open->setToolTip(tr("Open a project from the file that you saved before"));
    actions_.save = addCommand("actionSave", tr("&Save"), &ProjectController::saveProject, "save");
    actions_.save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actions_.save->setToolTip(tr("Save the current project to a file"));
    actions_.saveAs =
        addCommand("actionSaveAs", tr("Save &As..."), &ProjectController::saveProjectAs);
    actions_.saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    actions_.exit = new QAction(tr("E&xit"), this);
    actions_.exit->setObjectName("actionExit");
    actions_.exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(actions_.exit, &QAction::triggered, window_, &QWidget::close);
}

void ProjectController::saveProject()
{
    saveDocument();
}

void ProjectController::saveProjectAs()
{
    saveDocumentAs();
}

void ProjectController::keepUnsavedWork()
{
    recovery_->keepOnExit();
}

bool ProjectController::askToSaveChanges()
{
    if (!document_.isModified())
        return true;
    switch (dialogs_.warning(window_, tr("Save the changes to \"%1\"?").arg(shownName()),
                             DialogService::SaveDontSaveCancel)) {
    case DialogService::Yes:
        // A save whose dialog is cancelled cancels the command too: nothing is dropped.
        return saveDocument();
    case DialogService::No:
        return true;
    default:
        return false;
    }
}

namespace {
QString listed(const StringList &names)
{
    QStringList list;
    for (const std::string &name : names)
        list << QString::fromStdString(name);
    return list.join(QLatin1String(", "));
}
} // namespace

// Asked with the folder locked, so that what the author agrees to is what the save finds.
// ownName, the project the author chose or opened, is no file of another's.
Publisher::ReplaceQuestion
ProjectController::replaceQuestion(const std::string &ownName,
                                   std::optional<fsx::ReadOnlyReplacement> &readOnly)
{
    return [this, ownName, &readOnly](const Publisher::ReplacedFiles &replaced) {
        StringList foreign = replaced.foreign;
        foreign.erase(std::remove(foreign.begin(), foreign.end(), ownName), foreign.end());
        if (!foreign.empty() &&
            dialogs_.warning(window_,
                             tr("Saving replaces files that Tarvelle did not write: %1. "
                                "Replace them?")
                                 .arg(listed(foreign)),
                             DialogService::YesNo) != DialogService::Yes)
            return false;
        if (!replaced.readOnly.empty()) {
            if (dialogs_.warning(window_,
                                 tr("These files are read-only: %1. Replace them anyway?")
                                     .arg(listed(replaced.readOnly)),
                                 DialogService::YesNo) != DialogService::Yes)
                return false;
            readOnly.emplace();
        }
        return true;
    };
}

// The save itself succeeded; the author learns what did not come along.
void ProjectController::tellLeftOut()
{
    const Publisher &publisher = document_.publisher();
    if (publisher.skippedResources().empty())
        return;
    QStringList names;
    for (const Publisher::Resource &resource : publisher.skippedResources())
        names << tr("%1 (%2)").arg(
            QString::fromUtf8(resource.name.data(), qsizetype(resource.name.size())),
            QString::fromUtf8(fsx::describe(resource.check)));
    dialogs_.warning(window_,
                     tr("These files were left out of the project's folder and its "
                        "publish report: %1.")
                         .arg(names.join(QLatin1String(", "))),
                     DialogService::OkOnly);
}

bool ProjectController::saveAs(const QString &fileName)
{
    const std::string name =
        fsx::fileNamePart(fsx::resolveLink(QDir::toNativeSeparators(fileName).toStdString()));
    std::optional<fsx::ReadOnlyReplacement> readOnly;
    if (!document_.save(fileName, replaceQuestion(name, readOnly)))
        return false;
    // What keeps visitors from using the menu, and links that run script, are told without
    // stopping the author.
    const QStringList warnings = hooks_.warnings();
    hooks_.showStatus(warnings.isEmpty()
                          ? tr("Saved \"%1\".").arg(QFileInfo(fileName).fileName())
                          : tr("Saved with %n warning(s): %1", nullptr, int(warnings.size()))
                                .arg(warnings.front()));
    tellLeftOut();
    return true;
}

bool ProjectController::saveDocument()
{
    const QString fileName = document_.fileName();
    if (fileName.isEmpty())
        return saveDocumentAs();
    // Another program, or another editor, may have saved the file since: its work is not
    // replaced without a word.
    if (document_.changedOnDisk()) {
        switch (dialogs_.warning(
            window_,
            tr("\"%1\" was changed on disk since it was opened or last saved here. Replace it "
               "with this menu, save this menu under another name, or cancel?")
                .arg(QFileInfo(fileName).fileName()),
            DialogService::ReplaceSaveAsCancel)) {
        case DialogService::Yes:
            break;
        case DialogService::No:
            return saveDocumentAs();
        default:
            return false;
        }
    }
    try {
        return saveAs(fileName);
    } catch (const std::exception &error) {
        // The file's place may be gone or closed to writing; another place may do.
        if (dialogs_.warning(
                window_,
                tr("\"%1\" could not be saved: %2\nSave it under another name?")
                    .arg(QFileInfo(fileName).fileName(), QString::fromStdString(error.what())),
                DialogService::YesNo) != DialogService::Yes)
            return false;
        return saveDocumentAs();
    }
}

bool ProjectController::saveDocumentAs()
{
    // The project's own folder and name, when it has them.
    const QString chosen =
        dialogs_.saveFile(window_, QLatin1String(ProjectFilter), document_.fileName());
    if (chosen.isEmpty() || !saveAs(chosen))
        return false;
    // A project saved under a new name is one the author will open again.
    runGuarded([&] { addRecentFile(chosen); });
    return true;
}

QString ProjectController::shownName() const
{
    const QString &fileName = document_.fileName();
    return fileName.isEmpty() ? tr("Untitled") : QFileInfo(fileName).fileName();
}

// The project's name and a mark while it has unsaved changes, so that two editors can be
// told apart: "menu.tvl* - Tarvelle", "Untitled - Tarvelle".
void ProjectController::updateTitle()
{
    window_->setWindowTitle(shownName() + QStringLiteral("[*] \u2013 Tarvelle"));
}

void ProjectController::newProject()
{
    if (askToSaveChanges())
        document_.newProject();
}

QString ProjectController::droppedProject(const QMimeData *data)
{
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QLatin1String(".tvl"), Qt::CaseInsensitive))
            return url.toLocalFile();
    }
    return QString();
}

void ProjectController::openProject()
{
    if (!askToSaveChanges())
        return;
    const QString chosen = dialogs_.openFile(window_, QLatin1String(ProjectFilter), false);
    if (chosen.isEmpty())
        return; // the current document keeps its staged files
    openFile(chosen, false);
}

void ProjectController::openProjectFile(const QString &fileName)
{
    if (!fileName.isEmpty() && askToSaveChanges())
        openFile(fileName, false);
}

void ProjectController::openTemplate(const QString &fileName)
{
    if (!fileName.isEmpty() && askToSaveChanges())
        openFile(fileName, true);
}

void ProjectController::openFile(const QString &fileName, bool asTemplate)
{
    document_.open(fileName, asTemplate);
    // Last, so an unwritable list is reported with the project already open; a template
    // does not enter it.
    if (!asTemplate)
        addRecentFile(fileName);
}

void ProjectController::openStartFile(const QString &fileName)
{
    try {
        openProjectFile(fileName);
    } catch (const std::exception &error) {
        // The default document stays; the author learns why the file did not open.
        dialogs_.error(window_, tr("\"%1\" could not be opened: %2")
                                    .arg(fileName, QString::fromStdString(error.what())));
    }
}

bool ProjectController::offerRecovery()
{
    const std::vector<AutoRecovery::Copy> copies = recovery_->leftBehind();
    if (copies.empty())
        return false;
    // One at a time, the newest first: the others are offered at the next start.
    const AutoRecovery::Copy &copy = copies.front();
    const QString name =
        copy.fileName.isEmpty() ? tr("Untitled") : QDir::toNativeSeparators(copy.fileName);
    const QString question =
        tr("Tarvelle ended without saving the changes to \"%1\". They were kept on %2. "
           "Restore them?")
            .arg(name, QLocale().toString(copy.written.toLocalTime(), QLocale::ShortFormat));
    switch (dialogs_.warning(window_, question, DialogService::RestoreDiscardLater)) {
    case DialogService::Yes:
        try {
            document_.restore(copy.path, copy.fileName);
        } catch (const std::exception &error) {
            dialogs_.error(window_, tr("The kept changes could not be restored: %1")
                                        .arg(QString::fromStdString(error.what())));
            return false;
        }
        // This editor's own copy is written before the old one goes.
        recovery_->writeNow();
        AutoRecovery::discard(copy);
        hooks_.showStatus(tr("Restored the unsaved changes to \"%1\".").arg(shownName()));
        return true;
    case DialogService::No:
        AutoRecovery::discard(copy);
        return false;
    default:
        return false; // later: kept for the next start
    }
}

bool ProjectController::closeQuery()
{
    if (!document_.isModified()) {
        document_.publisher().clearStaged();
        return true;
    }
    bool close = false;
    switch (dialogs_.warning(window_,
                             tr("Save the changes to \"%1\" before closing?").arg(shownName()),
                             DialogService::SaveCloseCancel)) {
    case DialogService::Yes:
        try {
            close = saveDocument();
        } catch (const std::exception &error) {
            dialogs_.error(window_, QString::fromStdString(error.what()));
        }
        break;
    case DialogService::No:
        close = true;
        break;
    default:
        break;
    }
    // The staged files stay while the document stays open, so its next save publishes them.
    if (close)
        document_.publisher().clearStaged();
    return close;
}

void ProjectController::loadRecentFiles()
{
    const QStringList lines = recentFiles_.lines();
    const QList<QAction *> old = actions_.recentFiles->actions();
    for (auto it = old.rbegin(); it != old.rend(); ++it) {
        actions_.recentFiles->removeAction(*it);
        delete *it;
    }
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        auto *item = new QAction(line, this);
        // The entry reads "&1 name": the name follows the number.
        connect(item, &QAction::triggered, this,
                [this, fileName = line.mid(3)] { runGuarded([&] { openProjectFile(fileName); }); });
        actions_.recentFiles->addAction(item);
    }
}

void ProjectController::addRecentFile(const QString &fileName)
{
    recentFiles_.add(fileName);
    loadRecentFiles();
}

void ProjectController::showTemplateChooser()
{
    // A fresh chooser each time, so templates added meanwhile are offered.
    TemplateChooser::Actions actions{[this](const QString &file) { openTemplate(file); },
                                     [this] { newProject(); }, projectThumbnail};
    TemplateChooser chooser(dialogs_, programFolder_, actions, window_);
    hooks_.addHelpKey(&chooser);
    chooser.run();
}
