// The project's file: New, Open, Save, Save As, opening by name, the close question and the
// recent-file list.

#include "dialogs/AboutDialog.h"
#include "dialogs/TemplateChooser.h"
#include "document/FileSystem.h"
#include "document/MenuLayout.h"
#include "editor/AutoRecovery.h"
#include "editor/EditorDocument.h"
#include "editor/MainWindow.h"
#include "editor/preview/PreviewController.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

const char *const MainWindow::ProjectFilter = "Tarvelle Files (*.tvl)|*.tvl";

bool MainWindow::askToSaveChanges()
{
    if (!document_->isModified())
        return true;
    switch (services.dialogs.warning(this, tr("Save the changes to \"%1\"?").arg(shownName()),
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
MainWindow::replaceQuestion(const std::string &ownName,
                            std::optional<fsx::ReadOnlyReplacement> &readOnly)
{
    return [this, ownName, &readOnly](const Publisher::ReplacedFiles &replaced) {
        StringList foreign = replaced.foreign;
        foreign.erase(std::remove(foreign.begin(), foreign.end(), ownName), foreign.end());
        if (!foreign.empty() &&
            services.dialogs.warning(this,
                                     tr("Saving replaces files that Tarvelle did not write: %1. "
                                        "Replace them?")
                                         .arg(listed(foreign)),
                                     DialogService::YesNo) != DialogService::Yes)
            return false;
        if (!replaced.readOnly.empty()) {
            if (services.dialogs.warning(this,
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
void MainWindow::tellLeftOut()
{
    const Publisher &publisher = document_->publisher();
    if (publisher.skippedResources().empty())
        return;
    QStringList names;
    for (const Publisher::Resource &resource : publisher.skippedResources())
        names << tr("%1 (%2)").arg(
            QString::fromUtf8(resource.name.data(), qsizetype(resource.name.size())),
            QString::fromUtf8(fsx::describe(resource.check)));
    services.dialogs.warning(this,
                             tr("These files were left out of the project's folder and its "
                                "publish report: %1.")
                                 .arg(names.join(QLatin1String(", "))),
                             DialogService::OkOnly);
}

bool MainWindow::saveAs(const QString &fileName)
{
    const std::string name =
        fsx::fileNamePart(fsx::resolveLink(QDir::toNativeSeparators(fileName).toStdString()));
    std::optional<fsx::ReadOnlyReplacement> readOnly;
    if (!document_->save(fileName, replaceQuestion(name, readOnly)))
        return false;
    // What keeps visitors from using the menu, and links that run script, are told without
    // stopping the author.
    const MenuDocument &menu = document_->menu();
    const QStringList warnings = preview_->warningTexts(computeMenuLayout(
        menu.appletData(), menu.items(), itemParents(document_->tree()), EstimatedMeasure()));
    hintLabel->setText(warnings.isEmpty()
                           ? tr("Saved \"%1\".").arg(QFileInfo(fileName).fileName())
                           : tr("Saved with %n warning(s): %1", nullptr, int(warnings.size()))
                                 .arg(warnings.front()));
    tellLeftOut();
    return true;
}

bool MainWindow::saveDocument()
{
    const QString fileName = document_->fileName();
    if (fileName.isEmpty())
        return saveDocumentAs();
    // Another program, or another editor, may have saved the file since: its work is not
    // replaced without a word.
    if (document_->changedOnDisk()) {
        switch (services.dialogs.warning(
            this,
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
        if (services.dialogs.warning(
                this,
                tr("\"%1\" could not be saved: %2\nSave it under another name?")
                    .arg(QFileInfo(fileName).fileName(), QString::fromStdString(error.what())),
                DialogService::YesNo) != DialogService::Yes)
            return false;
        return saveDocumentAs();
    }
}

bool MainWindow::saveDocumentAs()
{
    // The project's own folder and name, when it has them.
    const QString chosen =
        services.dialogs.saveFile(this, QLatin1String(ProjectFilter), document_->fileName());
    if (chosen.isEmpty() || !saveAs(chosen))
        return false;
    // A project saved under a new name is one the author will open again.
    runGuarded([&] { addRecentFile(chosen); });
    return true;
}

QString MainWindow::shownName() const
{
    const QString &fileName = document_->fileName();
    return fileName.isEmpty() ? tr("Untitled") : QFileInfo(fileName).fileName();
}

// The project's name and a mark while it has unsaved changes, so that two editors can be
// told apart: "menu.tvl* - Tarvelle", "Untitled - Tarvelle".
void MainWindow::updateTitle()
{
    setWindowTitle(shownName() + QStringLiteral("[*] \u2013 Tarvelle"));
}

void MainWindow::saveProject()
{
    saveDocument();
}

void MainWindow::saveProjectAs()
{
    saveDocumentAs();
}

void MainWindow::newProject()
{
    if (askToSaveChanges())
        document_->newProject();
}

QString MainWindow::droppedProject(const QMimeData *data)
{
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QLatin1String(".tvl"), Qt::CaseInsensitive))
            return url.toLocalFile();
    }
    return QString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString fileName = droppedProject(event->mimeData());
    if (fileName.isEmpty())
        return;
    event->acceptProposedAction();
    runGuarded([&] { openProjectFile(fileName); });
}

void MainWindow::openProject()
{
    if (!askToSaveChanges())
        return;
    const QString chosen = services.dialogs.openFile(this, QLatin1String(ProjectFilter), false);
    if (chosen.isEmpty())
        return; // the current document keeps its staged files
    openFile(chosen, false);
}

void MainWindow::openProjectFile(const QString &fileName)
{
    if (!fileName.isEmpty() && askToSaveChanges())
        openFile(fileName, false);
}

void MainWindow::openTemplate(const QString &fileName)
{
    if (!fileName.isEmpty() && askToSaveChanges())
        openFile(fileName, true);
}

void MainWindow::openFile(const QString &fileName, bool asTemplate)
{
    document_->open(fileName, asTemplate);
    // Last, so an unwritable list is reported with the project already open; a template
    // does not enter it.
    if (!asTemplate)
        addRecentFile(fileName);
}

void MainWindow::openStartFile(const QString &fileName)
{
    try {
        openProjectFile(fileName);
    } catch (const std::exception &error) {
        // The default document stays; the author learns why the file did not open.
        services.dialogs.error(this, tr("\"%1\" could not be opened: %2")
                                         .arg(fileName, QString::fromStdString(error.what())));
    }
}

bool MainWindow::offerRecovery()
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
    switch (services.dialogs.warning(this, question, DialogService::RestoreDiscardLater)) {
    case DialogService::Yes:
        try {
            document_->restore(copy.path, copy.fileName);
        } catch (const std::exception &error) {
            services.dialogs.error(this, tr("The kept changes could not be restored: %1")
                                             .arg(QString::fromStdString(error.what())));
            return false;
        }
        // This editor's own copy is written before the old one goes.
        recovery_->writeNow();
        AutoRecovery::discard(copy);
        hintLabel->setText(tr("Restored the unsaved changes to \"%1\".").arg(shownName()));
        return true;
    case DialogService::No:
        AutoRecovery::discard(copy);
        return false;
    default:
        return false; // later: kept for the next start
    }
}

void MainWindow::keepUnsavedWork()
{
    recovery_->keepOnExit();
}

bool MainWindow::closeQuery()
{
    if (!document_->isModified()) {
        document_->publisher().clearStaged();
        return true;
    }
    bool close = false;
    switch (services.dialogs.warning(
        this, tr("Save the changes to \"%1\" before closing?").arg(shownName()),
        DialogService::SaveCloseCancel)) {
    case DialogService::Yes:
        try {
            close = saveDocument();
        } catch (const std::exception &error) {
            services.dialogs.error(this, QString::fromStdString(error.what()));
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
        document_->publisher().clearStaged();
    return close;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (closeQuery()) {
        rememberWindows();
        event->accept();
    } else
        event->ignore();
}

void MainWindow::loadRecentFiles()
{
    const QStringList lines = recentFiles.lines();
    const QList<QAction *> old = recentFilesMenu->actions();
    for (auto it = old.rbegin(); it != old.rend(); ++it) {
        recentFilesMenu->removeAction(*it);
        delete *it;
    }
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        auto *item = new QAction(line, this);
        // The entry reads "&1 name": the name follows the number.
        connect(item, &QAction::triggered, this,
                [this, fileName = line.mid(3)] { runGuarded([&] { openProjectFile(fileName); }); });
        recentFilesMenu->addAction(item);
    }
}

void MainWindow::addRecentFile(const QString &fileName)
{
    recentFiles.add(fileName);
    loadRecentFiles();
}

void MainWindow::newFromTemplate()
{
    // A fresh chooser each time, so templates added meanwhile are offered.
    TemplateChooser::Actions actions{[this](const QString &file) { openTemplate(file); },
                                     [this] { newProject(); }};
    TemplateChooser chooser(services.dialogs, services.programFolder, actions, this);
    addHelpKey(&chooser);
    chooser.run();
}

void MainWindow::showTemplateChooser()
{
    newFromTemplate();
}

void MainWindow::showAbout()
{
    AboutDialog about(services.shell, *help, this);
    addHelpKey(&about);
    services.dialogs.runModal(&about);
}
