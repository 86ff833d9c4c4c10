// The document commands: New, Open, Save, Save As, opening by name, the close question and
// the recent-file list.

#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/MemoryTree.h"
#include "document/MenuLayout.h"
#include "document/MenuStructure.h"
#include "document/TextCodec.h"
#include "editor/MainWindow.h"
#include "editor/PageLoad.h"
#include "editor/widgets/MenuTreeView.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QUndoStack>

const char *const MainWindow::ProjectFilter = "Tarvelle Files (*.tvl)|*.tvl";

namespace {
std::string toStd(const QString &text)
{
    return text.toStdString();
}
} // namespace

void MainWindow::wireDocumentCommands()
{
    auto command = [this](void (MainWindow::*handler)()) { return guardedSlot(handler); };
    for (QAction *act : {New1, tlbtnNew})
        connect(act, &QAction::triggered, this, command(&MainWindow::newProject));
    for (QAction *act : {Open1, tlbtnOpen})
        connect(act, &QAction::triggered, this, command(&MainWindow::openProject));
    for (QAction *act : {Save1, tlbtnSave})
        connect(act, &QAction::triggered, this, command(&MainWindow::saveProject));
    connect(Save2, &QAction::triggered, this, command(&MainWindow::saveProjectAs));
}

void MainWindow::clearModified()
{
    undoStack->setClean();
    setSaveEnabled(false);
}

bool MainWindow::askToSaveChanges()
{
    if (!Modified())
        return true;
    switch (
        services.dialogs.warning(this, tr("Save changes to files?"), DialogService::YesNoCancel)) {
    case DialogService::Yes:
        // A save whose dialog is cancelled cancels the command too: nothing is dropped.
        return saveDocument();
    case DialogService::No:
        return true;
    default:
        return false;
    }
}

void MainWindow::storePages()
{
    StoreAppletSettings();
    CommitCurrentItem();
}

void MainWindow::ProcessMenuStructure()
{
    numberMenuStructure(menuTree, document.GetItems(), *progress);
}

bool MainWindow::saveAs(const QString &fileName)
{
    // A project reached through a link is saved where the link leads; the link stays.
    const std::string path = fsx::resolveLink(toStd(QDir::toNativeSeparators(fileName)));
    const std::string folder = fsx::folderPart(path);
    const std::string name = fsx::fileNamePart(path);
    const std::string resources = document.PreviewFolder();
    auto listed = [](TStringArray names) {
        QStringList list;
        for (const std::string &n : names)
            list << QString::fromStdString(n);
        return list.join(QLatin1String(", "));
    };
    // Asked with the folder locked, so that what the author agrees to is what the save finds.
    std::optional<fsx::ReadOnlyReplacement> replaceReadOnly;
    const auto mayReplace = [&](const MenuDocument::ReplacedFiles &replaced) {
        // The project itself the author chose in the file dialog, or opened.
        TStringArray foreign = replaced.foreign;
        foreign.erase(std::remove(foreign.begin(), foreign.end(), name), foreign.end());
        if (!foreign.empty() &&
            services.dialogs.warning(this,
                                     tr("Saving replaces files that Tarvelle did not write: %1. "
                                        "Replace them?")
                                         .arg(listed(foreign)),
                                     DialogService::YesNo) != DialogService::Yes)
            return false;
        const TStringArray &readOnly = replaced.readOnly;
        if (!readOnly.empty()) {
            if (services.dialogs.warning(
                    this,
                    tr("These files are read-only: %1. Replace them anyway?").arg(listed(readOnly)),
                    DialogService::YesNo) != DialogService::Yes)
                return false;
            replaceReadOnly.emplace();
        }
        return true;
    };
    if (!document.SaveAll(folder, name, menuTree, mayReplace))
        return false;
    projectStamp = fsx::fileStamp(path);
    // What keeps visitors from using the menu, and links that run script, are told without
    // stopping the author.
    const MenuRecords records{document.GetItems()};
    const QStringList warnings =
        warningTexts(document.GetAppletData(), records,
                     computeMenuLayout(document.GetAppletData(), records, itemParents(menuTree),
                                       EstimatedMeasure()));
    if (!warnings.isEmpty())
        hintLabel->setText(tr("Saved with %n warning(s): %1", nullptr, int(warnings.size()))
                               .arg(warnings.front()));
    // The save itself succeeded; the author learns what did not come along.
    if (!document.SkippedResources().empty()) {
        QStringList names;
        for (const MenuDocument::PublishedResource &resource : document.SkippedResources())
            names << tr("%1 (%2)").arg(
                QString::fromUtf8(resource.name.data(), qsizetype(resource.name.size())),
                QString::fromUtf8(fsx::describe(resource.check)));
        services.dialogs.warning(this,
                                 tr("These files were left out of the project's folder and its "
                                    "publish report: %1.")
                                     .arg(names.join(QLatin1String(", "))),
                                 DialogService::OkOnly);
    }
    return true;
}

bool MainWindow::saveDocument()
{
    storePages();
    ProcessMenuStructure();
    if (projectFileName.isEmpty())
        return saveDocumentAs();
    // Another program, or another editor, may have saved the file since: its work is not
    // replaced without a word.
    const std::string path = fsx::resolveLink(toStd(QDir::toNativeSeparators(projectFileName)));
    if (projectStamp && fsx::fileExists(path) && fsx::changedSince(path, *projectStamp)) {
        switch (services.dialogs.warning(
            this,
            tr("\"%1\" was changed on disk since it was opened or last saved here. Replace it "
               "with this menu, save this menu under another name, or cancel?")
                .arg(QFileInfo(projectFileName).fileName()),
            DialogService::ReplaceSaveAsCancel)) {
        case DialogService::Yes:
            break;
        case DialogService::No:
            return saveDocumentAs();
        default:
            return false;
        }
    }
    if (!saveAs(projectFileName))
        return false;
    clearModified();
    return true;
}

bool MainWindow::saveDocumentAs()
{
    storePages();
    ProcessMenuStructure();
    const QString chosen = services.dialogs.saveFile(this, QLatin1String(ProjectFilter));
    if (chosen.isEmpty() || !saveAs(chosen))
        return false;
    projectFileName = chosen;
    updateTitle();
    clearModified();
    return true;
}

// The project's name and a mark while it has unsaved changes, so that two editors can be
// told apart: "menu.tvl* - Tarvelle", "Untitled - Tarvelle".
void MainWindow::updateTitle()
{
    const QString name =
        projectFileName.isEmpty() ? tr("Untitled") : QFileInfo(projectFileName).fileName();
    setWindowTitle(name + QStringLiteral("[*] \u2013 Tarvelle"));
}

void MainWindow::saveProject()
{
    saveDocument();
}

void MainWindow::saveProjectAs()
{
    saveDocumentAs();
}

void MainWindow::selectRoot()
{
    treeView->setCurrentNode(menuTree.root());
    propertyTabs->hide();
    PageControl2->show();
}

void MainWindow::newProject()
{
    if (!askToSaveChanges())
        return;
    const PageLoad load(*this);
    document.ClearPreview();
    CurrentItemNode = 0;
    projectFileName.clear();
    projectStamp.reset();
    updateTitle();
    rebuildTree([this] {
        menuTree.clear();
        menuTree.addChild(nullptr, "Tarvelle");
    });
    selectRoot();
    document.ResetToDefaults();
    LoadAppletSettings();
    UpdateDependentFields();
    clearModified();
}

void MainWindow::openProject()
{
    if (!askToSaveChanges())
        return;
    const QString chosen = services.dialogs.openFile(this, QLatin1String(ProjectFilter), false);
    if (chosen.isEmpty())
        return; // the current document keeps its staged files
    fillWindowFromFile(chosen, false);
}

void MainWindow::OpenProjectFile(const QString &fileName)
{
    if (!fileName.isEmpty() && askToSaveChanges())
        fillWindowFromFile(fileName, false);
}

void MainWindow::OpenTemplate(const QString &fileName)
{
    if (!fileName.isEmpty() && askToSaveChanges())
        fillWindowFromFile(fileName, true);
}

void MainWindow::fillWindowFromFile(const QString &fileName, bool asTemplate)
{
    const std::string path = toStd(QDir::toNativeSeparators(fileName));
    std::string bytes = fsx::readFile(path);
    const std::optional<fsx::FileStamp> stamp =
        asTemplate ? std::nullopt : fsx::fileStamp(path, bytes);

    // Everything that can fail is tried on a copy first, so a file that cannot be opened
    // leaves the window exactly as it was: the project's own checks, then the conversions
    // the pages apply to the settings it holds.
    MenuDocument trial;
    trial.SetAppletData(document.GetAppletData());
    MemoryTree trialTree;
    trialTree.addChild(nullptr, "Tarvelle");
    try {
        trial.LoadProjectText(bytes, trialTree);
    } catch (const ENotAProject &error) {
        throw error.named(toStd(QDir::toNativeSeparators(fileName)));
    }
    std::string().swap(bytes); // read: the memory goes to the tree built next
    checkAppletSettings(trial.GetAppletData());

    const PageLoad load(*this);
    document.ClearPreview();
    CurrentItemNode = 0;
    // The copy is taken over as it is: the file is read once.
    rebuildTree([&] {
        menuTree.clear();
        std::vector<ItemTree::Node> made;
        for (const PreOrderEntry &entry : preOrderEntries(trialTree)) {
            const ItemTree::Node parent =
                entry.parentIndex < 0 ? nullptr : made[std::size_t(entry.parentIndex)];
            made.push_back(menuTree.addChild(parent, trialTree.caption(entry.node)));
        }
        document.SetAppletData(trial.GetAppletData());
        document.GetItems() = std::move(trial.GetItems());
    });
    trialTree.clear(); // before staging needs memory of its own
    LoadAppletSettings();
    // A template starts a new, untitled project: saving asks for a name, so the shipped
    // template is never overwritten, and it does not enter the recent files.
    projectFileName = asTemplate ? QString() : fileName;
    projectStamp = stamp;
    updateTitle();
    document.StageResources(fsx::folderPart(path));
    selectRoot();
    UpdateDependentFields();
    clearModified();
    // Last, so an unwritable list is reported with the project already open.
    if (!asTemplate)
        AddRecentFile(fileName);
}

void MainWindow::OpenStartFile(const QString &fileName)
{
    try {
        OpenProjectFile(fileName);
    } catch (const std::exception &error) {
        // The default document stays; the author learns why the file did not open.
        services.dialogs.error(this, tr("\"%1\" could not be opened: %2")
                                         .arg(fileName, QString::fromStdString(error.what())));
    }
}

bool MainWindow::FormCloseQuery()
{
    if (!Modified()) {
        document.ClearPreview();
        return true;
    }
    bool close = false;
    switch (services.dialogs.warning(this, tr("Save changes to files before Exit?"),
                                     DialogService::YesNoCancel)) {
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
        document.ClearPreview();
    return close;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery()) {
        rememberWindows();
        event->accept();
    } else
        event->ignore();
}

void MainWindow::LoadRecentFiles()
{
    const QStringList lines = recentFiles.lines();
    const QList<QAction *> old = mnitRecentFiles->actions();
    for (auto it = old.rbegin(); it != old.rend(); ++it) {
        mnitRecentFiles->removeAction(*it);
        delete *it;
    }
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        auto *item = new QAction(line, this);
        connect(item, &QAction::triggered, this,
                [this, item] { runGuarded([this, item] { RecentFileClick(item); }); });
        mnitRecentFiles->addAction(item);
    }
}

void MainWindow::AddRecentFile(const QString &fileName)
{
    recentFiles.add(fileName);
    LoadRecentFiles();
}

void MainWindow::RecentFileClick(QAction *item)
{
    OpenProjectFile(item->text().mid(3));
}
