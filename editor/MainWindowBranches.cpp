// Branches as a whole: cut, copy, paste and duplicate through the clipboard in the project
// file's own form, Move Left and Move Right, drops from the tree's drag and drop, and the
// tree's own keys. Every change is one undoable step.

#include "document/Errors.h"
#include "editor/MainWindow.h"
#include "editor/MenuTreeModel.h"
#include "editor/pages/ItemPages.h"
#include "editor/TreeCommands.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QShortcut>
#include <QUndoStack>

void MainWindow::wireBranchCommands()
{
    auto command = [this](void (MainWindow::*handler)()) { return guardedSlot(handler); };
    connect(Cut1, &QAction::triggered, this, command(&MainWindow::cutItem));
    connect(Copy1, &QAction::triggered, this, command(&MainWindow::copyItem));
    connect(Paste1, &QAction::triggered, this, command(&MainWindow::pasteItem));
    connect(Duplicate1, &QAction::triggered, this, command(&MainWindow::duplicateItem));
    connect(MoveLeft1, &QAction::triggered, this, command(&MainWindow::moveItemLeft));
    connect(MoveRight1, &QAction::triggered, this, command(&MainWindow::moveItemRight));
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainWindow::RefreshItemCommands);
    connect(treeModel.get(), &MenuTreeModel::dropRequested, this,
            [this](const QMimeData *data, Qt::DropAction action, ItemTree::Node parent, int row) {
                runGuarded([&] { dropBranch(data, action, parent, row); });
            });

    // Keys of the tree itself: in a text field the same keys edit the text.
    const std::pair<QKeySequence, void (MainWindow::*)()> keys[] = {
        {QKeySequence(Qt::Key_Insert), &MainWindow::insertItem},
        {QKeySequence(Qt::Key_Delete), &MainWindow::deleteItem},
        {QKeySequence(Qt::CTRL | Qt::Key_Up), &MainWindow::moveItemUp},
        {QKeySequence(Qt::CTRL | Qt::Key_Down), &MainWindow::moveItemDown}};
    for (const auto &[key, handler] : keys) {
        auto *shortcut = new QShortcut(key, treeView, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, command(handler));
    }
    auto *rename =
        new QShortcut(QKeySequence(Qt::Key_F2), treeView, nullptr, nullptr, Qt::WidgetShortcut);
    connect(rename, &QShortcut::activated, this, [this] {
        if (itemPage->isVisible()) {
            itemPage->edtItemCaption->setFocus();
            itemPage->edtItemCaption->selectAll();
        }
    });
}

bool MainWindow::clipboardHoldsBranch() const
{
    // A cheap look: the full check, with a message, is Paste's own.
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && (data->hasFormat(QLatin1String(MenuTreeModel::BranchMimeType)) ||
                    data->text().startsWith(QLatin1String("--------------- Structure")));
}

void MainWindow::insertCopy(const QString &text, MenuBranch branch, ItemTree::Node parent,
                            int position)
{
    for (MenuBranch::Node &node : branch.nodes) {
        node.id = 0; // a copy is a new branch
        node.record.set(ItemField::ItemSubMenu, {"", "", "", ""});
    }
    int height = 0;
    for (const MenuBranch::Node &node : branch.nodes)
        height = std::max(height, node.depth + 1);
    const int added = static_cast<int>(branch.nodes.size());
    pushTreeStep(new InsertBranchCommand(*commandHost, text, menuTree.id(parent), position,
                                         std::move(branch)),
                 parent, height, added);
}

void MainWindow::copyItem()
{
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected || !menuTree.parent(selected))
        return;
    CommitCurrentItem(); // the copy holds what the pages show
    QApplication::clipboard()->setMimeData(
        MenuTreeModel::branchData(menuTree.copyBranch(selected)));
}

void MainWindow::cutItem()
{
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected || !menuTree.parent(selected))
        return;
    copyItem();
    undoStack->push(new DeleteBranchCommand(*commandHost, tr("Cut \"%1\""), selected));
    RefreshItemCommands();
}

void MainWindow::pasteItem()
{
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected)
        return;
    const QMimeData *data = QApplication::clipboard()->mimeData();
    const QByteArray text = !data ? QByteArray()
                            : data->hasFormat(QLatin1String(MenuTreeModel::BranchMimeType))
                                ? data->data(QLatin1String(MenuTreeModel::BranchMimeType))
                                : data->text().toUtf8();
    MenuBranch branch;
    try {
        branch = branchFromText(text.toStdString());
    } catch (const ETreeError &) {
        services.dialogs.warning(this, tr("The clipboard holds no menu item to paste."),
                                 DialogService::OkOnly);
        return;
    }
    CommitCurrentItem();
    // After the selected item as its next sibling; with the root selected, as the last
    // first-level item.
    const ItemTree::Node parent = menuTree.parent(selected);
    if (parent)
        insertCopy(tr("Paste \"%1\""), std::move(branch), parent, menuTree.indexOf(selected) + 1);
    else
        insertCopy(tr("Paste \"%1\""), std::move(branch), selected, menuTree.childCount(selected));
    RefreshItemCommands();
}

void MainWindow::duplicateItem()
{
    const ItemTree::Node selected = treeView->currentNode();
    if (!selected || !menuTree.parent(selected))
        return;
    CommitCurrentItem();
    insertCopy(tr("Duplicate \"%1\""), menuTree.copyBranch(selected), menuTree.parent(selected),
               menuTree.indexOf(selected) + 1);
    RefreshItemCommands();
}

void MainWindow::moveItemLeft()
{
    const ItemTree::Node selected = treeView->currentNode();
    const ItemTree::Node parent = selected ? menuTree.parent(selected) : nullptr;
    const ItemTree::Node grandparent = parent ? menuTree.parent(parent) : nullptr;
    if (!grandparent)
        return;
    undoStack->push(new MoveBranchCommand(*commandHost, tr("Move Left \"%1\""), selected,
                                          grandparent, menuTree.indexOf(parent) + 1));
    RefreshItemCommands();
}

void MainWindow::moveItemRight()
{
    const ItemTree::Node selected = treeView->currentNode();
    const ItemTree::Node parent = selected ? menuTree.parent(selected) : nullptr;
    if (!parent || menuTree.indexOf(selected) == 0)
        return;
    const ItemTree::Node previous = menuTree.child(parent, menuTree.indexOf(selected) - 1);
    pushTreeStep(new MoveBranchCommand(*commandHost, tr("Move Right \"%1\""), selected, previous,
                                       menuTree.childCount(previous)),
                 previous, branchHeight(selected));
    treeView->expand(treeModel->indexOf(previous));
    RefreshItemCommands();
}

void MainWindow::dropBranch(const QMimeData *data, Qt::DropAction action, ItemTree::Node parent,
                            int row)
{
    CommitCurrentItem();
    int position = row < 0 ? menuTree.childCount(parent) : row;
    const ItemTree::Node dragged = treeModel->draggedNode(data);
    if (dragged && action == Qt::MoveAction) {
        // The view counts the place with the dragged node still in it.
        if (menuTree.parent(dragged) == parent && position > menuTree.indexOf(dragged))
            --position;
        if (menuTree.parent(dragged) == parent && position == menuTree.indexOf(dragged))
            return;
        pushTreeStep(
            new MoveBranchCommand(*commandHost, tr("Move \"%1\""), dragged, parent, position),
            parent, branchHeight(dragged));
        treeView->setCurrentNode(dragged);
    } else {
        insertCopy(
            tr("Copy \"%1\""),
            branchFromText(data->data(QLatin1String(MenuTreeModel::BranchMimeType)).toStdString()),
            parent, position);
    }
    treeView->expand(treeModel->indexOf(parent));
    RefreshItemCommands();
}
