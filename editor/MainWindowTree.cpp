// The menu tree: the current node shown in the tree and the pages, Insert, Delete, Move Up and
// Move Down, and which item commands apply to the current node.

#include "editor/EditorDocument.h"
#include "editor/MainWindow.h"
#include "editor/MenuTreeModel.h"
#include "editor/pages/PropertyPanel.h"
#include "editor/TreeCommands.h"
#include "editor/widgets/MenuTreeView.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QUndoStack>

void MainWindow::wireTree()
{
    MenuTreeModel &model = document_->model();
    connect(treeView, &MenuTreeView::currentNodeChanged, this,
            [this] { runGuarded([this] { onTreeSelectionChanged(); }); });
    connect(treeView, &MenuTreeView::mousePressed, this, [this] {
        panel_->showCurrentNode();
        updateActions();
    });
    connect(treeView, &MenuTreeView::nodeDrawn, this, &MainWindow::drawTreeItem);
    connect(treeView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { treeMenu->popup(treeView->viewport()->mapToGlobal(pos)); });
    connect(treeView, &QTreeView::expanded, this, [&model](const QModelIndex &index) {
        if (const ItemTree::Node node = model.node(index))
            model.setExpanded(node, true);
    });
    connect(treeView, &QTreeView::collapsed, this, [&model](const QModelIndex &index) {
        if (const ItemTree::Node node = model.node(index))
            model.setExpanded(node, false);
    });
    connect(document_, &EditorDocument::currentNodeChanged, this,
            [this](ItemTree::Node node) { runGuarded([=] { onCurrentNodeChanged(node); }); });
    connect(document_, &EditorDocument::branchAboutToLeave, this, &MainWindow::onBranchLeaving);
    connect(document_, &EditorDocument::expandRequested, this,
            [this](const std::vector<MenuTree::Id> &open) {
                for (MenuTree::Id id : open) {
                    if (const ItemTree::Node node = document_->tree().find(id))
                        treeView->expand(document_->model().indexOf(node));
                }
            });
    // The first-level items show at once.
    connect(document_, &EditorDocument::reset, this,
            [this] { treeView->expand(document_->model().indexOf(document_->tree().root())); });
    treeView->expand(model.indexOf(document_->tree().root()));
    connect(&model, &MenuTreeModel::dropRequested, this,
            [this](const QMimeData *data, Qt::DropAction action, ItemTree::Node parent, int row) {
                runGuarded([&] { dropBranch(data, action, parent, row); });
            });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::updateActions);

    // Keys of the tree itself: in a text field the same keys edit the text. They reach the
    // command even where its action is disabled (Delete on the root says why it does nothing).
    const std::pair<QKeySequence, void (MainWindow::*)()> keys[] = {
        {QKeySequence(Qt::Key_Insert), &MainWindow::insertItem},
        {QKeySequence(Qt::Key_Delete), &MainWindow::deleteItem},
        {QKeySequence(Qt::CTRL | Qt::Key_Up), &MainWindow::moveItemUp},
        {QKeySequence(Qt::CTRL | Qt::Key_Down), &MainWindow::moveItemDown}};
    for (const auto &[key, handler] : keys) {
        auto *shortcut = new QShortcut(key, treeView, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, handler = handler] { runGuarded([=] { (this->*handler)(); }); });
    }
    // Shift+F10, the context menu's key where a keyboard has no menu key.
    auto *contextMenu = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), treeView, nullptr,
                                      nullptr, Qt::WidgetShortcut);
    connect(contextMenu, &QShortcut::activated, this, [this] {
        const QRect row = treeView->visualRect(treeView->currentIndex());
        treeMenu->popup(treeView->viewport()->mapToGlobal(row.isValid() ? row.center() : QPoint()));
    });
    auto *rename =
        new QShortcut(QKeySequence(Qt::Key_F2), treeView, nullptr, nullptr, Qt::WidgetShortcut);
    connect(rename, &QShortcut::activated, panel_, &PropertyPanel::editCaption);
}

void MainWindow::onTreeSelectionChanged()
{
    if (const ItemTree::Node selected = treeView->currentNode())
        document_->setCurrentNode(selected);
}

void MainWindow::onCurrentNodeChanged(ItemTree::Node node)
{
    if (node && treeView->currentNode() != node)
        treeView->setCurrentNode(node);
    panel_->showCurrentNode();
    updateActions();
}

void MainWindow::onBranchLeaving(ItemTree::Node top)
{
    // The view would move its selection into the branch while it goes away.
    const ItemTree::Node selected = treeView->currentNode();
    if (selected && document_->tree().contains(top, selected)) {
        const QSignalBlocker blocker(treeView->selectionModel());
        treeView->setCurrentIndex(QModelIndex());
    }
}

void MainWindow::drawTreeItem()
{
    // Nodes are drawn in batches: one refresh after the batch serves them all, and keeps the
    // cost of a redraw independent of the size of the tree.
    if (drawPending)
        return;
    drawPending = true;
    QTimer::singleShot(0, this, [this] {
        drawPending = false;
        updateActions();
    });
}

void MainWindow::updateActions()
{
    const MenuTree &tree = document_->tree();
    const ItemTree::Node node = document_->currentNode();
    const ItemTree::Node parent = node ? tree.parent(node) : nullptr;
    const bool isItem = parent != nullptr;
    const int position = isItem ? tree.indexOf(node) : 0;
    const bool canMoveUp = isItem && position > 0;
    const bool canMoveDown = isItem && position + 1 < tree.childCount(parent);
    const std::pair<QAction *, bool> commands[] = {
        {cutAction, isItem},
        {copyAction, isItem},
        {duplicateAction, isItem},
        {pasteAction, node != nullptr && clipboardHoldsBranch()},
        {moveLeftAction, isItem && tree.parent(parent)},
        {moveRightAction, canMoveUp},
        {insertAction, node != nullptr},
        {deleteAction, isItem},
        {moveUpAction, canMoveUp},
        {moveDownAction, canMoveDown},
    };
    for (const auto &[act, enabled] : commands)
        act->setEnabled(enabled);
    panel_->updateItemFields();
}

bool MainWindow::pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height, int added)
{
    const QString refused = document_->pushTreeStep(step, newParent, height, added);
    if (!refused.isEmpty())
        services.dialogs.warning(this, refused, DialogService::OkOnly);
    return refused.isEmpty();
}

void MainWindow::insertItem()
{
    const MenuTree &tree = document_->tree();
    const ItemTree::Node selected = document_->currentNode();
    if (!selected)
        return;
    MenuBranch item;
    item.nodes.push_back({0, "Item", document_->menu().newItem(), 0});
    if (!pushTreeStep(new InsertBranchCommand(*document_, tr("Insert \"%1\""), tree.id(selected),
                                              tree.childCount(selected), std::move(item)),
                      selected, 1, 1))
        return;
    treeView->expand(document_->model().indexOf(selected));
    // The new item is current, so that F2 or the Item page edits it.
    document_->setCurrentNode(tree.child(selected, tree.childCount(selected) - 1));
    updateActions();
}

void MainWindow::deleteItem()
{
    const ItemTree::Node selected = document_->currentNode();
    if (!selected)
        return;
    if (!document_->tree().parent(selected)) {
        services.dialogs.warning(this, tr("You can't delete root item."), DialogService::OkOnly);
        return;
    }
    if (services.dialogs.warning(this,
                                 tr("Are you sure to delete this item and all it's children?"),
                                 DialogService::YesNo) != DialogService::Yes)
        return;
    // The current node then moves to a neighbour.
    document_->undoStack()->push(
        new DeleteBranchCommand(*document_, tr("Delete \"%1\""), selected));
    updateActions();
}

void MainWindow::moveItemUp()
{
    const MenuTree &tree = document_->tree();
    const ItemTree::Node selected = document_->currentNode();
    const ItemTree::Node parent = selected ? tree.parent(selected) : nullptr;
    if (!parent || tree.indexOf(selected) == 0)
        return;
    // The branch moves with its records; the view keeps it selected and expanded as it was.
    document_->undoStack()->push(new MoveBranchCommand(*document_, tr("Move Up \"%1\""), selected,
                                                       parent, tree.indexOf(selected) - 1));
    updateActions();
}

void MainWindow::moveItemDown()
{
    const MenuTree &tree = document_->tree();
    const ItemTree::Node selected = document_->currentNode();
    const ItemTree::Node parent = selected ? tree.parent(selected) : nullptr;
    if (!parent || tree.indexOf(selected) + 1 >= tree.childCount(parent))
        return;
    document_->undoStack()->push(new MoveBranchCommand(*document_, tr("Move Down \"%1\""), selected,
                                                       parent, tree.indexOf(selected) + 1));
    updateActions();
}
