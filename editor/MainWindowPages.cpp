// The property pages as undoable edits: every change the author makes on a page becomes one
// step on the undo history, measured against what the pages showed before it; undo and redo
// put the values back into the document and the pages, and show where they changed.

#include "document/MemoryTree.h"
#include "document/StoreRules.h"
#include "editor/MainWindow.h"
#include "editor/MenuTreeModel.h"
#include "editor/PageCommands.h"
#include "editor/PageLoad.h"
#include "editor/pages/FieldPage.h"
#include "editor/pages/ItemPages.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTabWidget>
#include <QUndoStack>

namespace {
template <typename Record>
std::vector<PageEditCommand::FieldChange> changedFields(const Record &before, const Record &after)
{
    std::vector<PageEditCommand::FieldChange> changes;
    for (int pos = 1; pos <= Record::FieldCount; ++pos) {
        if (before[pos] != after[pos])
            changes.push_back({pos, std::string(before[pos]), std::string(after[pos])});
    }
    return changes;
}
} // namespace

PageLoad::PageLoad(MainWindow &window) : window_(window)
{
    ++window_.loadingPages;
}

PageLoad::~PageLoad()
{
    if (--window_.loadingPages == 0) {
        window_.pageBaseline = window_.readPages();
        window_.schedulePreview();
    }
}

bool MainWindow::Modified() const
{
    return !undoStack->isClean();
}

void MainWindow::MarkModified()
{
    if (loadingPages == 0)
        capturePageEdit();
}

MainWindow::PageState MainWindow::readPages()
{
    PageState state;
    for (const PageField &field : appletBindings())
        state.applet.set(field.position, FieldPage::storeField(field));
    // The rules as a store applies them, but for the two counts of the tree, which no page
    // edit changes: counting a large tree on every keystroke would cost its size.
    static const MemoryTree noTree;
    applyAppletStoreRules(state.applet, noTree);
    state.item = CurrentItem() ? CurrentItemNode : 0;
    if (state.item)
        state.record = itemFromPages();
    return state;
}

void MainWindow::capturePageEdit()
{
    const PageState now = readPages();
    if (refuseOversizedValues(now))
        return;
    QWidget *focus = QApplication::focusWidget();
    const QString control = focus ? focus->objectName() : QString();
    auto apply = [this](const PageEditCommand &edit, bool after, bool shown) {
        applyPageEdit(edit, after, shown);
    };
    auto push = [&](PageEditCommand::Record record, MenuTree::Id item,
                    std::vector<PageEditCommand::FieldChange> changes) {
        if (changes.empty())
            return;
        const QString label =
            fieldCaption(record == PageEditCommand::Record::Applet, changes.front().position);
        undoStack->push(new PageEditCommand(record, item, std::move(changes), control, label,
                                            editSeries, apply));
    };
    const PageState before = pageBaseline;
    pageBaseline = now;
    push(PageEditCommand::Record::Applet, 0, changedFields(before.applet, now.applet));
    if (now.item && now.item == before.item)
        push(PageEditCommand::Record::Item, now.item, changedFields(before.record, now.record));
    schedulePreview();
}

void MainWindow::pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height, int added)
{
    // A menu larger or deeper than a project file holds could be saved but never opened again.
    QString refused;
    if (document.GetItems().size() + static_cast<std::size_t>(added) >
        static_cast<std::size_t>(MaxMenuItems))
        refused = tr("The menu would have more than %L1 items").arg(MaxMenuItems);
    else if (newParent && menuTree.level(newParent) + height > MaxMenuDepth)
        refused = tr("The menu would be deeper than %1 levels").arg(MaxMenuDepth);
    if (!refused.isEmpty()) {
        delete step;
        services.dialogs.warning(
            this, refused + tr(", more than a project file holds. Nothing was changed."),
            DialogService::OkOnly);
        return;
    }
    const bool empties = newParent && menuTree.parent(newParent) &&
                         menuTree.childCount(newParent) == 0 &&
                         !menuTree.record(newParent)[ItemField::ItemURL].empty();
    if (!empties) {
        undoStack->push(step);
        return;
    }
    // The link goes first, so that undo gives it back once the item has no children again.
    if (menuTree.id(newParent) == CurrentItemNode) {
        const PageLoad load(*this);
        itemPage->edtItemURL->setText(QString());
    }
    const std::string url(menuTree.record(newParent)[ItemField::ItemURL]);
    auto apply = [this](const PageEditCommand &edit, bool after, bool shown) {
        applyPageEdit(edit, after, shown);
    };
    undoStack->beginMacro(step->text());
    undoStack->push(new PageEditCommand(
        PageEditCommand::Record::Item, menuTree.id(newParent),
        {{ItemField::ItemURL, url, std::string()}}, QStringLiteral("edtItemURL"),
        fieldCaption(false, ItemField::ItemURL), ++editSeries, apply));
    undoStack->push(step);
    undoStack->endMacro();
}

int MainWindow::branchHeight(ItemTree::Node top) const
{
    int height = 0;
    std::vector<std::pair<ItemTree::Node, int>> todo{{top, 1}};
    while (!todo.empty()) {
        const auto [node, levels] = todo.back();
        todo.pop_back();
        height = std::max(height, levels);
        for (int i = 0; i < menuTree.childCount(node); ++i)
            todo.push_back({menuTree.child(node, i), levels + 1});
    }
    return height;
}

const PageField *MainWindow::pageField(bool applet, int position)
{
    auto find = [position](const PageFields &fields) -> const PageField * {
        for (const PageField &field : fields) {
            if (field.position == position)
                return &field;
        }
        return nullptr;
    };
    const PageField *field = applet ? find(appletBindings()) : find(itemPage->fields());
    if (!field && !applet)
        field = find(firstLevelPage->fields());
    return field;
}

QString MainWindow::fieldCaption(bool applet, int position)
{
    const PageField *field = pageField(applet, position);
    return field ? FieldPage::caption(*field) : QString();
}

bool MainWindow::refuseOversizedValues(const PageState &now)
{
    // A value longer than a project file holds (a large paste) goes back as it was: it could
    // be kept in the editor but never saved.
    std::vector<std::pair<bool, PageEditCommand::FieldChange>> refused;
    for (const auto &change : changedFields(pageBaseline.applet, now.applet)) {
        if (change.after.size() > MaxValueBytes)
            refused.emplace_back(true, change);
    }
    if (now.item && now.item == pageBaseline.item) {
        for (const auto &change : changedFields(pageBaseline.record, now.record)) {
            if (change.after.size() > MaxValueBytes)
                refused.emplace_back(false, change);
        }
    }
    if (refused.empty())
        return false;
    {
        const PageLoad load(*this);
        for (const auto &[applet, change] : refused) {
            if (const PageField *field = pageField(applet, change.position))
                FieldPage::loadField(*field, change.before);
        }
    }
    services.dialogs.warning(
        this,
        tr("\"%1\" would be longer than %L2 bytes, more than a project "
           "file holds. It was not changed.")
            .arg(fieldCaption(refused.front().first, refused.front().second.position))
            .arg(qulonglong(MaxValueBytes)),
        DialogService::OkOnly);
    return true;
}

void MainWindow::applyPageEdit(const PageEditCommand &edit, bool after, bool shown)
{
    const PageLoad load(*this);
    auto value = [after](const PageEditCommand::FieldChange &c) {
        return after ? c.after : c.before;
    };
    if (edit.record() == PageEditCommand::Record::Applet) {
        TAppletData data = document.GetAppletData();
        for (const auto &change : edit.changes())
            data.set(change.position, value(change));
        document.SetAppletData(data);
        if (shown)
            return;
        treeView->setCurrentNode(menuTree.root());
        for (const PageField &field : appletBindings()) {
            for (const auto &change : edit.changes()) {
                if (field.position == change.position)
                    FieldPage::loadField(field, value(change));
            }
        }
        UpdateDependentFields();
    } else {
        const ItemTree::Node node = menuTree.find(edit.item());
        if (!node)
            return;
        if (!shown)
            treeView->setCurrentNode(node);
        TItemData record = menuTree.record(node);
        for (const auto &change : edit.changes())
            record.set(change.position, value(change));
        menuTree.setRecord(node, record);
        if (shown)
            return;
        LoadItemSettings(checkedItemIndex(node));
        RefreshItemCommands();
    }
    showControl(edit.control());
}

void MainWindow::showControl(const QString &name)
{
    QWidget *control = name.isEmpty() ? nullptr : findChild<QWidget *>(name);
    // Every tab on the way to the control comes to the front.
    for (QWidget *w = control; w; w = w->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
        if (auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr)
            tabs->setCurrentWidget(w);
    }
}
