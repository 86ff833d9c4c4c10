// Editing the menu tree: selection changes, Insert, Delete, Move Up and Move Down, caption
// editing and separators, and the command and field states of the selected node.

#include "editor/FieldRules.h"
#include "editor/MainWindow.h"
#include "editor/MenuTreeModel.h"
#include "editor/PageLoad.h"
#include "editor/pages/ItemPages.h"
#include "editor/TreeCommands.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <stdexcept>

namespace {
constexpr int FirstLevelTab = 1;
} // namespace

void MainWindow::wireTreeCommands()
{
    wireUndo();
    wireBranchCommands();
    auto command = [this](void (MainWindow::*handler)()) { return guardedSlot(handler); };
    connect(treeView, &MenuTreeView::currentNodeChanged, this,
            command(&MainWindow::onTreeSelectionChanged));
    connect(treeView, &MenuTreeView::mousePressed, this, command(&MainWindow::onTreePressed));
    connect(treeView, &MenuTreeView::nodeDrawn, this, &MainWindow::drawTreeItem);
    connect(treeView, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenu1->popup(treeView->viewport()->mapToGlobal(pos));
    });
    for (QAction *act : {Insert1, Insert2, tlbtnInsert})
        connect(act, &QAction::triggered, this, command(&MainWindow::insertItem));
    for (QAction *act : {Delete1, Delete2, tlbtnDelete})
        connect(act, &QAction::triggered, this, command(&MainWindow::deleteItem));
    for (QAction *act : {MoveUp1, MoveUp2, tlbtnMoveUp})
        connect(act, &QAction::triggered, this, command(&MainWindow::moveItemUp));
    for (QAction *act : {MoveDown1, MoveDown2, tlbtnMoveDown})
        connect(act, &QAction::triggered, this, command(&MainWindow::moveItemDown));
    connect(itemPage->edtItemCaption, &QLineEdit::textChanged, this,
            &MainWindow::edtItemCaptionChange);
    connect(itemPage->btnSeparator, &QPushButton::clicked, this, &MainWindow::btnSeparatorClick);
}

// The nodes of a branch that the view shows expanded: found among those it expanded, or
// by a walk over the branch where that is shorter.
std::vector<MenuTree::Id> MainWindow::expandedIn(ItemTree::Node top)
{
    std::vector<MenuTree::Id> open;
    auto isOpen = [this](ItemTree::Node node) {
        return treeView->isExpanded(treeModel->indexOf(node));
    };
    if (static_cast<std::size_t>(menuTree.branchSize(top)) <= expandedNodes.size()) {
        std::vector<ItemTree::Node> todo{top};
        while (!todo.empty()) {
            const ItemTree::Node node = todo.back();
            todo.pop_back();
            const int children = menuTree.childCount(node);
            if (children > 0 && isOpen(node))
                open.push_back(menuTree.id(node));
            for (int i = 0; i < children; ++i)
                todo.push_back(menuTree.child(node, i));
        }
        return open;
    }
    for (auto it = expandedNodes.begin(); it != expandedNodes.end();) {
        const ItemTree::Node node = menuTree.find(*it);
        if (!node || !isOpen(node)) { // gone, or collapsed since
            it = expandedNodes.erase(it);
            continue;
        }
        if (menuTree.contains(top, node))
            open.push_back(*it);
        ++it;
    }
    return open;
}

void MainWindow::wireUndo()
{
    auto beforeRemoving = [this](ItemTree::Node branch) {
        // The pending page edits of a node that leaves the tree go with it.
        const ItemTree::Node current = CurrentItem();
        if (current && menuTree.contains(branch, current))
            CurrentItemNode = 0;
        // The view would move its selection into the branch while it goes away.
        const ItemTree::Node selected = treeView->currentNode();
        if (selected && menuTree.contains(branch, selected)) {
            const QSignalBlocker blocker(treeView->selectionModel());
            treeView->setCurrentIndex(QModelIndex());
        }
    };
    auto select = [this](ItemTree::Node node) { treeView->setCurrentNode(node); };
    connect(treeView, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (const ItemTree::Node node = treeModel->node(index))
            expandedNodes.insert(menuTree.id(node));
    });
    auto expandedIn = [this](ItemTree::Node top) { return this->expandedIn(top); };
    auto expand = [this](const std::vector<MenuTree::Id> &open) {
        for (MenuTree::Id id : open) {
            if (const ItemTree::Node node = menuTree.find(id))
                treeView->expand(treeModel->indexOf(node));
        }
    };
    commandHost.reset(new TreeCommandHost{*treeModel, beforeRemoving, select, expandedIn, expand});
    connect(undoStack, &QUndoStack::indexChanged, this, [this] { RefreshItemCommands(); });
    connect(undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        setSaveEnabled(!clean);
        setWindowModified(!clean);
    });
    // Typing in one field is one step until the field is left.
    connect(qApp, &QApplication::focusChanged, this, [this] { ++editSeries; });
}

int MainWindow::ItemIndex(ItemTree::Node node) const
{
    return menuTree.itemIndex(node);
}

int MainWindow::checkedItemIndex(ItemTree::Node node) const
{
    const int index = ItemIndex(node);
    if (index < 0 || index >= document.ItemCount())
        throw std::logic_error("The menu tree and the item list disagree: node " +
                               std::to_string(index + 1) + " has no record among " +
                               std::to_string(document.ItemCount()) + " items");
    return index;
}

void MainWindow::rebuildTree(const std::function<void()> &change)
{
    const PageLoad load(*this);
    TreeRebuilding = true;
    treeModel->beginReset();
    ++previewGeneration;
    try {
        change();
    } catch (...) {
        treeModel->endReset();
        TreeRebuilding = false;
        throw;
    }
    treeModel->endReset();
    TreeRebuilding = false;
    undoStack->clear();
    // The first-level items show at once.
    treeView->expand(treeModel->indexOf(menuTree.root()));
}

void MainWindow::showPagesFor(ItemTree::Node node)
{
    const bool root = node && !menuTree.parent(node);
    PageControl2->setVisible(root);
    propertyTabs->setVisible(!root);
}

void MainWindow::CommitCurrentItem()
{
    if (ItemTree::Node current = CurrentItem())
        StoreItemSettings(checkedItemIndex(current));
}

void MainWindow::onTreeSelectionChanged()
{
    if (TreeRebuilding)
        return;
    // Pending edits were captured as they were made; what selecting loads is no edit.
    const PageLoad load(*this);
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected)
        return;
    showPagesFor(selected);
    CommitCurrentItem();
    if (!menuTree.parent(selected))
        return;
    if (CurrentItemNode != menuTree.id(selected)) {
        CurrentItemNode = menuTree.id(selected);
        LoadItemSettings(checkedItemIndex(selected));
    }
    RefreshItemCommands();
}

void MainWindow::onTreePressed()
{
    if (const ItemTree::Node selected = treeView->currentNode()) {
        showPagesFor(selected);
        RefreshItemCommands();
    }
}

void MainWindow::drawTreeItem()
{
    // Nodes are drawn in batches: one refresh after the batch serves them all, and keeps the
    // cost of a redraw independent of the size of the tree.
    if (TreeRebuilding || refreshPending)
        return;
    refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        refreshPending = false;
        if (!TreeRebuilding)
            RefreshItemCommands();
    });
}

void MainWindow::RefreshItemCommands()
{
    const PageLoad load(*this); // emptying a field that a rule disables is no edit
    const ItemTree::Node node = treeView->currentNode();
    const ItemTree::Node parent = node ? menuTree.parent(node) : nullptr;
    const bool isItem = parent != nullptr;
    const int position = isItem ? menuTree.indexOf(node) : 0;
    const bool canMoveUp = isItem && position > 0;
    const bool canMoveDown = isItem && position + 1 < menuTree.childCount(parent);
    const bool deeper = isItem && menuTree.parent(parent);
    const std::pair<std::vector<QAction *>, bool> commands[] = {
        {{Cut1, Copy1, Duplicate1}, isItem},
        {{Paste1}, node != nullptr && clipboardHoldsBranch()},
        {{MoveLeft1}, deeper},
        {{MoveRight1}, canMoveUp},
        {{Insert1, tlbtnInsert, Insert2}, node != nullptr},
        {{Delete1, tlbtnDelete, Delete2}, isItem},
        {{MoveUp1, tlbtnMoveUp, MoveUp2}, canMoveUp},
        {{MoveDown1, tlbtnMoveDown, MoveDown2}, canMoveDown},
    };
    for (const auto &[actions, enabled] : commands) {
        for (QAction *act : actions)
            act->setEnabled(enabled);
    }
    // The item pages hold the shown item's values while the root is selected; they are
    // left exactly as they are until an item node is selected again.
    if (!isItem)
        return;

    const bool firstLevel = menuTree.level(node) == 1;
    const bool hasChildren = menuTree.childCount(node) > 0;
    const bool separator = itemPage->edtItemCaption->text() == QLatin1String("-");
    propertyTabs->setTabVisible(FirstLevelTab, firstLevel);

    const bool linked = (!separator || firstLevel) && !hasChildren;
    FieldRules::setFieldEnabled(itemPage->edtItemURL, linked);
    FieldRules::setFieldEnabled(itemPage->cmbxItemTarget, linked);
    if (!linked)
        itemPage->edtItemURL->setText(QString());
    itemPage->btnSeparator->setEnabled(!firstLevel && !hasChildren);
    FieldRules::setFieldEnabled(itemPage->edtItemStatusBarText, firstLevel);
    firstLevelPage->spnedtItemMenuOffsetX->setEnabled(!firstLevel || hasChildren);
    firstLevelPage->spnedtItemMenuOffsetY->setEnabled(!firstLevel || hasChildren);
}

int MainWindow::CountDescendants(ItemTree::Node node)
{
    descendantCounter += menuTree.branchSize(node) - 1;
    return descendantCounter;
}

void MainWindow::insertItem()
{
    MarkModified();
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected)
        return;
    MenuBranch item;
    item.nodes.push_back({0, "Item", document.MakeNewItem(), 0});
    const int children = menuTree.childCount(selected);
    pushTreeStep(new InsertBranchCommand(*commandHost, tr("Insert \"%1\""), menuTree.id(selected),
                                         children, std::move(item)),
                 selected, 1, 1);
    if (menuTree.childCount(selected) == children)
        return; // refused
    treeView->expand(treeModel->indexOf(selected));
    // The new item is selected, so that F2 or the Item page edits it.
    treeView->setCurrentNode(menuTree.child(selected, menuTree.childCount(selected) - 1));
    RefreshItemCommands();
}

void MainWindow::deleteItem()
{
    MarkModified();
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected)
        return;
    const ItemTree::Node parent = menuTree.parent(selected);
    if (!parent) {
        services.dialogs.warning(this, tr("You can't delete root item."), DialogService::OkOnly);
        return;
    }
    if (services.dialogs.warning(this,
                                 tr("Are you sure to delete this item and all it's children?"),
                                 DialogService::YesNo) != DialogService::Yes)
        return;
    // The pending page edits belong to the deleted item: nothing is committed from now; the
    // branch leaves silently and the selection then moves to a neighbour.
    undoStack->push(new DeleteBranchCommand(*commandHost, tr("Delete \"%1\""), selected));
    RefreshItemCommands();
}

void MainWindow::moveItemUp()
{
    MarkModified();
    const ItemTree::Node selected = treeView->currentNode();
    const ItemTree::Node parent = selected ? menuTree.parent(selected) : nullptr;
    if (!parent || menuTree.indexOf(selected) == 0)
        return;
    // The branch moves with its records; the view keeps it selected and expanded as it was.
    undoStack->push(new MoveBranchCommand(*commandHost, tr("Move Up \"%1\""), selected, parent,
                                          menuTree.indexOf(selected) - 1));
    RefreshItemCommands();
}

void MainWindow::moveItemDown()
{
    MarkModified();
    const ItemTree::Node selected = treeView->currentNode();
    const ItemTree::Node parent = selected ? menuTree.parent(selected) : nullptr;
    if (!parent || menuTree.indexOf(selected) + 1 >= menuTree.childCount(parent))
        return;
    undoStack->push(new MoveBranchCommand(*commandHost, tr("Move Down \"%1\""), selected, parent,
                                          menuTree.indexOf(selected) + 1));
    RefreshItemCommands();
}

void MainWindow::edtItemCaptionChange()
{
    MarkModified();
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected || !menuTree.parent(selected))
        return;
    const QString caption = itemPage->edtItemCaption->text();
    treeModel->setCaption(selected, FieldRules::trimmed(caption).toStdString());
    const bool linkable = caption != QLatin1String("-") || menuTree.level(selected) == 1;
    itemPage->edtItemURL->setEnabled(linkable);
    itemPage->cmbxItemTarget->setEnabled(linkable);
    itemPage->edtItemStatusBarText->setEnabled(linkable);
    RefreshItemCommands();
}

void MainWindow::btnSeparatorClick()
{
    itemPage->edtItemCaption->setText(QStringLiteral("-"));
}
