// Branches as a whole: cut, copy, paste and duplicate through the clipboard in the project
// file's own form, Move Left and Move Right, and drops from the tree's drag and drop. Every
// change is one undoable step.

#include "document/Errors.h"
#include "editor/EditorDocument.h"
#include "editor/MenuTreeModel.h"
#include "editor/TreeCommands.h"
#include "editor/TreeController.h"
#include "editor/widgets/MenuTreeView.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUndoStack>
bool TreeController::clipboardHoldsBranch() const
{
    // A cheap look: the full check, with a message, is Paste's own.
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && (data->hasFormat(QLatin1String(MenuTreeModel::BranchMimeType)) ||
                    data->text().startsWith(QLatin1String("--------------- Structure")));
}

void TreeController::insertCopy(const QString &text, MenuBranch branch, ItemTree::Node parent,
                                int position)
{
    const MenuTree &tree = document_.tree();
    for (MenuBranch::Node &node : branch.nodes) {
        node.id = 0; // a copy is a new branch
        node.record.set(ItemField::ItemSubMenu, {"", "", "", ""});
    }
    int height = 0;
    for (const MenuBranch::Node &node : branch.nodes)
        height = std::max(height, node.depth + 1);
    const int added = static_cast<int>(branch.nodes.size());
    pushTreeStep(
        new InsertBranchCommand(document_, text, tree.id(parent), position, std::move(branch)),
        parent, height, added);
}

void TreeController::copyItem()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node selected = document_.currentNode();
    if (!selected || !tree.parent(selected))
        return;
    QApplication::clipboard()->setMimeData(MenuTreeModel::branchData(tree.copyBranch(selected)));
}

void TreeController::cutItem()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node selected = document_.currentNode();
    if (!selected || !tree.parent(selected))
        return;
    copyItem();
    document_.undoStack()->push(new DeleteBranchCommand(document_, tr("Cut \"%1\""), selected));
    updateActions();
}

void TreeController::pasteItem()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node selected = document_.currentNode();
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
        dialogs_.warning(window_, tr("The clipboard holds no menu item to paste."),
                         DialogService::OkOnly);
        return;
    }
    // After the selected item as its next sibling; with the root selected, as the last
    // first-level item.
    const ItemTree::Node parent = tree.parent(selected);
    if (parent)
        insertCopy(tr("Paste \"%1\""), std::move(branch), parent, tree.indexOf(selected) + 1);
    else
        insertCopy(tr("Paste \"%1\""), std::move(branch), selected, tree.childCount(selected));
    updateActions();
}

void TreeController::duplicateItem()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node selected = document_.currentNode();
    if (!selected || !tree.parent(selected))
        return;
    insertCopy(tr("Duplicate \"%1\""), tree.copyBranch(selected), tree.parent(selected),
               tree.indexOf(selected) + 1);
    updateActions();
}

void TreeController::moveItemLeft()
{
    const MenuTree &tree = document_.tree();
    const Place place = currentPlace();
    if (const ItemTree::Node grandparent = place.parent ? tree.parent(place.parent) : nullptr)
        moveCurrent(tr("Move Left \"%1\""), grandparent, tree.indexOf(place.parent) + 1);
}

void TreeController::moveItemRight()
{
    const MenuTree &tree = document_.tree();
    const Place place = currentPlace();
    if (!place.parent || place.position == 0)
        return;
    const ItemTree::Node previous = tree.child(place.parent, place.position - 1);
    pushTreeStep(new MoveBranchCommand(document_, tr("Move Right \"%1\""), place.selected, previous,
                                       tree.childCount(previous)),
                 previous, document_.branchHeight(place.selected));
    treeView_->expand(document_.model().indexOf(previous));
    updateActions();
}

void TreeController::dropBranch(const QMimeData *data, Qt::DropAction action, ItemTree::Node parent,
                                int row)
{
    const MenuTree &tree = document_.tree();
    int position = row < 0 ? tree.childCount(parent) : row;
    const ItemTree::Node dragged = document_.model().draggedNode(data);
    if (dragged && action == Qt::MoveAction) {
        // The view counts the place with the dragged node still in it.
        if (tree.parent(dragged) == parent && position > tree.indexOf(dragged))
            --position;
        if (tree.parent(dragged) == parent && position == tree.indexOf(dragged))
            return;
        pushTreeStep(new MoveBranchCommand(document_, tr("Move \"%1\""), dragged, parent, position),
                     parent, document_.branchHeight(dragged));
        document_.setCurrentNode(dragged);
    } else {
        insertCopy(
            tr("Copy \"%1\""),
            branchFromText(data->data(QLatin1String(MenuTreeModel::BranchMimeType)).toStdString()),
            parent, position);
    }
    treeView_->expand(document_.model().indexOf(parent));
    updateActions();
}
