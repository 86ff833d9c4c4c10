#include "EditorDocument.h"

#include "document/Conversions.h"
#include "document/Errors.h"
#include "document/MemoryTree.h"
#include "document/MenuStructure.h"
#include "document/ProjectFile.h"
#include "document/StoreRules.h"
#include "editor/FieldEditCommand.h"
#include "editor/FieldRules.h"
#include "editor/ItemLookCommand.h"
#include "editor/LookEditCommand.h"
#include "editor/MenuTreeModel.h"
#include "platform/PreviewFolders.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>

namespace {
std::string nativePath(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName).toStdString();
}

// Throws the error the pages' conversions would raise on these settings, in their load order.
void checkAppletSettings(const AppletRecord &data)
{
    for (int pos : FieldRules::appletLoadOrder()) {
        switch (appletFieldKind(pos)) {
        case FieldKind::Colour:
            colorFromHex(data[pos]);
            break;
        case FieldKind::Integer:
        case FieldKind::Choice:
        case FieldKind::FontStyle:
            parseInt(data[pos]);
            break;
        default:
            break;
        }
    }
}

std::vector<int> positionsOf(const EditorDocument::FieldChanges &changes)
{
    std::vector<int> positions;
    for (const EditorDocument::FieldChange &change : changes)
        positions.push_back(change.position);
    return positions;
}
} // namespace

EditorDocument::EditorDocument(const QString &programFolder, QObject *parent)
    : QObject(parent), model_(std::make_unique<MenuTreeModel>(tree_)),
      undoStack_(new QUndoStack(this))
{
    if (!programFolder.isEmpty()) {
        menu_.setProgramFolder(programFolder.toStdString());
        QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (runtime.isEmpty())
            runtime = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        makePrivateFolder(runtime);
        PreviewFolders::removeStale(runtime);
        previewDir_ = std::make_unique<QTemporaryDir>(PreviewFolders::templateIn(runtime));
        if (previewDir_->isValid())
            publisher_.setPreviewFolder(nativePath(previewDir_->path()));
    }
    replaceTree([this] { tree_.addChild(nullptr, "Tarvelle"); });
    startNewMenu();
    setCurrentNode(tree_.root());
}

EditorDocument::~EditorDocument() = default;

bool EditorDocument::isModified() const
{
    return !undoStack_->isClean();
}

void EditorDocument::setCurrentNode(ItemTree::Node node)
{
    const MenuTree::Id id = node ? tree_.id(node) : 0;
    if (id == current_)
        return;
    current_ = id;
    emit currentNodeChanged(node);
}

void EditorDocument::replaceTree(const std::function<void()> &change)
{
    current_ = 0;
    model_->beginReset();
    try {
        change();
    } catch (...) {
        model_->endReset();
        throw;
    }
    model_->endReset();
    undoStack_->clear();
}

void EditorDocument::setFileName(const QString &fileName)
{
    fileName_ = fileName;
    emit fileNameChanged(fileName_);
}

void EditorDocument::startNewMenu()
{
    menu_.startNewMenu();
}

void EditorDocument::newProject()
{
    publisher_.clearStaged();
    stamp_.reset();
    replaceTree([this] {
        tree_.clear();
        tree_.addChild(nullptr, "Tarvelle");
    });
    startNewMenu();
    setFileName(QString());
    undoStack_->setClean();
    emit reset();
    setCurrentNode(tree_.root());
}

void EditorDocument::open(const QString &fileName, bool asTemplate)
{
    const std::string path = nativePath(fileName);
    std::string bytes = fsx::readFile(path);
    const std::optional<fsx::FileStamp> stamp =
        asTemplate ? std::nullopt : fsx::fileStamp(path, bytes);
    load(std::move(bytes), path);
    // A template starts a new, untitled project: saving asks for a name, so the shipped
    // template is never overwritten.
    stamp_ = stamp;
    setFileName(asTemplate ? QString() : fileName);
    stageResources(fsx::folderPart(path));
    undoStack_->setClean();
    emit reset();
    setCurrentNode(tree_.root());
}

void EditorDocument::restore(const QString &copy, const QString &fileName)
{
    adopt(fsx::readFile(nativePath(copy)), nativePath(copy), fileName);
}

void EditorDocument::adopt(std::string text, const std::string &source, const QString &fileName)
{
    load(std::move(text), source);
    // The project's file as it is now: a save replaces it without asking whether another
    // program changed it, as the author chose to go on from the kept copy.
    const std::string path = fileName.isEmpty() ? std::string() : nativePath(fileName);
    stamp_ = path.empty() ? std::nullopt : fsx::fileStamp(path);
    setFileName(fileName);
    if (!path.empty())
        stageResources(fsx::folderPart(path));
    // Unsaved: the project's file does not hold these changes.
    undoStack_->resetClean();
    emit reset();
    setCurrentNode(tree_.root());
}

void EditorDocument::load(std::string bytes, const std::string &path)
{
    // Everything that can fail is tried on a copy first, so a file that cannot be opened
    // leaves the document exactly as it was: the project's own checks, then the conversions
    // the pages apply to the settings it holds.
    MenuDocument trial;
    trial.setAppletData(menu_.appletData());
    MemoryTree trialTree;
    trialTree.addChild(nullptr, "Tarvelle");
    try {
        ProjectReader(trial).read(bytes, trialTree);
    } catch (const ENotAProject &error) {
        throw error.named(path);
    }
    std::string().swap(bytes); // read: the memory goes to the tree built next
    checkAppletSettings(trial.appletData());

    publisher_.clearStaged();
    // The copy is taken over as it is: the file is read once.
    replaceTree([&] {
        tree_.clear();
        std::vector<ItemTree::Node> made;
        for (const PreOrderEntry &entry : preOrderEntries(trialTree)) {
            const ItemTree::Node parent =
                entry.parentIndex < 0 ? nullptr : made[std::size_t(entry.parentIndex)];
            made.push_back(tree_.addChild(parent, trialTree.caption(entry.node)));
        }
        menu_.setAppletData(trial.appletData());
        menu_.items() = std::move(trial.items());
        // Icons and badges go onto their items' nodes, so that edits carry them along.
        LookSettings look = trial.look();
        takeItemLooks(tree_, look);
        menu_.setLook(std::move(look));
    });
    trialTree.clear(); // before staging needs memory of its own
}

void EditorDocument::stageResources(const std::string &folder)
{
    // The items' icons are named by the look as a file holds it.
    writeOutputQuietly([&] { publisher_.stageResources(folder); });
}

void EditorDocument::stageMenuIcon(const std::string &name)
{
    const std::string icons = publisher_.menuIconFolder();
    if (!icons.empty() && fsx::isBareFileName(name) && fsx::fileExists(icons + name))
        publisher_.stage(icons + name);
}

bool EditorDocument::changedOnDisk() const
{
    if (fileName_.isEmpty() || !stamp_)
        return false;
    const std::string path = fsx::resolveLink(nativePath(fileName_));
    return fsx::fileExists(path) && fsx::changedSince(path, *stamp_);
}

AppletRecord EditorDocument::storedApplet() const
{
    AppletRecord data = menu_.appletData();
    applyAppletStoreRules(data, tree_);
    return data;
}

void EditorDocument::writeOutput(const std::function<void()> &write)
{
    const AppletRecord edited = menu_.appletData();
    LookSettings editedLook = menu_.look();
    numberMenuStructure(tree_, menu_.items(), menu_.progress());
    menu_.setAppletData(storedApplet());
    menu_.setLook(look());
    auto restore = [&] {
        menu_.setAppletData(edited);
        menu_.setLook(std::move(editedLook));
    };
    try {
        write();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

LookSettings EditorDocument::look() const
{
    LookSettings look = menu_.look();
    if (tree_.hasItemLooks())
        putItemLooks(tree_, look);
    return look;
}

void EditorDocument::writeOutputQuietly(const std::function<void()> &write)
{
    ProgressDisplay &shown = menu_.progress();
    menu_.setProgress(nullptr);
    try {
        writeOutput(write);
    } catch (...) {
        menu_.setProgress(&shown);
        throw;
    }
    menu_.setProgress(&shown);
}

std::string EditorDocument::projectText()
{
    std::string text;
    writeOutputQuietly([&] { text = ProjectWriter(menu_, tree_).text(); });
    return text;
}

bool EditorDocument::save(const QString &fileName, const Publisher::ReplaceQuestion &mayReplace)
{
    // A project reached through a link is saved where the link leads; the link stays.
    const std::string path = fsx::resolveLink(nativePath(fileName));
    bool saved = false;
    writeOutput([&] {
        saved =
            publisher_.saveAll(fsx::folderPart(path), fsx::fileNamePart(path), tree_, mayReplace);
    });
    if (!saved)
        return false;
    stamp_ = fsx::fileStamp(path);
    if (fileName != fileName_)
        setFileName(fileName);
    undoStack_->setClean();
    return true;
}

void EditorDocument::editFields(Record record, MenuTree::Id item, FieldChanges changes,
                                const QString &label, int series)
{
    if (!changes.empty())
        undoStack_->push(
            new FieldEditCommand(*this, record, item, std::move(changes), label, series));
}

void EditorDocument::editLook(const std::string &name, const std::string &value,
                              const QString &label, int series)
{
    const std::string before = menu_.look().value(name);
    if (before != value)
        undoStack_->push(new LookEditCommand(*this, name, before, value, label, series));
}

void EditorDocument::replaceLook(const LookSettings &look, const QString &label)
{
    std::vector<std::pair<std::string, std::string>> changes;
    for (const auto &[name, value] : look.entries()) {
        if (menu_.look().value(name) != value)
            changes.emplace_back(name, value);
    }
    for (const auto &[name, value] : menu_.look().entries()) {
        if (!look.entries().count(name))
            changes.emplace_back(name, look.value(name));
    }
    if (changes.empty())
        return;
    undoStack_->beginMacro(label);
    for (const auto &[name, value] : changes)
        undoStack_->push(
            new LookEditCommand(*this, name, menu_.look().value(name), value, label, -1));
    undoStack_->endMacro();
}

void EditorDocument::setLookValue(const std::string &name, const std::string &value)
{
    LookSettings look = menu_.look();
    look.set(name, value);
    menu_.setLook(std::move(look));
    emit lookChanged(name);
}

void EditorDocument::editItemLook(MenuTree::Id item, const ItemLook &look, const QString &label,
                                  int series)
{
    const ItemTree::Node node = tree_.find(item);
    if (node && tree_.itemLook(node) != look)
        undoStack_->push(
            new ItemLookCommand(*this, item, tree_.itemLook(node), look, label, series));
}

void EditorDocument::setItemLook(MenuTree::Id item, const ItemLook &look, bool revisit)
{
    const ItemTree::Node node = tree_.find(item);
    if (!node)
        return;
    if (revisit)
        setCurrentNode(node);
    tree_.setItemLook(node, look);
    emit itemLookChanged(item);
}

void EditorDocument::setFields(Record record, MenuTree::Id item, const FieldChanges &changes,
                               bool after, bool revisit)
{
    auto value = [after](const FieldChange &change) {
        return after ? change.after : change.before;
    };
    if (record == Record::Applet) {
        if (revisit)
            setCurrentNode(tree_.root());
        AppletRecord data = menu_.appletData();
        for (const FieldChange &change : changes)
            data.set(change.position, value(change));
        menu_.setAppletData(data);
        emit appletChanged(positionsOf(changes));
    } else {
        const ItemTree::Node node = tree_.find(item);
        if (!node)
            return;
        if (revisit)
            setCurrentNode(node);
        ItemRecord data = tree_.record(node);
        for (const FieldChange &change : changes) {
            data.set(change.position, value(change));
            if (change.position == ItemField::ItemCaption)
                model_->setCaption(
                    node, FieldRules::trimmed(QString::fromStdString(value(change))).toStdString());
        }
        tree_.setRecord(node, data);
        emit itemChanged(item, positionsOf(changes));
    }
    if (revisit && !changes.empty())
        emit fieldRevisited(record, changes.front().position);
}

void EditorDocument::adoptShownValues(Record record, MenuTree::Id item, const FieldChanges &changes)
{
    if (!changes.empty())
        setFields(record, item, changes, true, false);
}

QString EditorDocument::pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height,
                                     int added)
{
    QString refused;
    if (menu_.items().size() + static_cast<std::size_t>(added) >
        static_cast<std::size_t>(MaxMenuItems))
        refused = tr("The menu would have more than %L1 items").arg(MaxMenuItems);
    else if (newParent && tree_.level(newParent) + height > MaxMenuDepth)
        refused = tr("The menu would be deeper than %1 levels").arg(MaxMenuDepth);
    if (!refused.isEmpty()) {
        delete step;
        return refused + tr(", more than a project file holds. Nothing was changed.");
    }
    const bool empties = newParent && tree_.parent(newParent) && tree_.childCount(newParent) == 0 &&
                         !tree_.record(newParent)[ItemField::ItemURL].empty();
    if (!empties) {
        undoStack_->push(step);
        return QString();
    }
    // The link goes first, so that undo gives it back once the item has no children again.
    const std::string url(tree_.record(newParent)[ItemField::ItemURL]);
    undoStack_->beginMacro(step->text());
    undoStack_->push(new FieldEditCommand(*this, Record::Item, tree_.id(newParent),
                                          {{ItemField::ItemURL, url, std::string()}}, step->text(),
                                          -1));
    undoStack_->push(step);
    undoStack_->endMacro();
    return QString();
}

int EditorDocument::branchHeight(ItemTree::Node top) const
{
    int height = 0;
    std::vector<std::pair<ItemTree::Node, int>> todo{{top, 1}};
    while (!todo.empty()) {
        const auto [node, levels] = todo.back();
        todo.pop_back();
        height = std::max(height, levels);
        for (int i = 0; i < tree_.childCount(node); ++i)
            todo.push_back({tree_.child(node, i), levels + 1});
    }
    return height;
}

void EditorDocument::branchLeaving(ItemTree::Node top)
{
    const ItemTree::Node current = currentNode();
    if (current && tree_.contains(top, current))
        current_ = 0;
    emit branchAboutToLeave(top);
}

void EditorDocument::restoreExpanded(const std::vector<MenuTree::Id> &open)
{
    if (!open.empty())
        emit expandRequested(open);
}
