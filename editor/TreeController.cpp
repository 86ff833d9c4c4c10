// The menu tree: the current node shown in the tree and the pages, Insert, Delete, Move Up and
// Move Down, the tree's keys and context menu, and which commands apply to the current node.

#include "TreeController.h"

#include "editor/CommandAction.h"
#include "editor/EditorDocument.h"
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

TreeController::TreeController(EditorDocument &document, DialogService &dialogs,
                               MenuTreeView *treeView, PropertyPanel *panel, QWidget *window)
    : Controller(dialogs, window), document_(document), treeView_(treeView), panel_(panel)
{
    createActions();
    contextMenu_ = new QMenu(window);
    contextMenu_->setObjectName("PopupMenu1");
    contextMenu_->addActions({actions_.insert, actions_.remove, actions_.moveUp, actions_.moveDown,
                              actions_.moveLeft, actions_.moveRight});
    contextMenu_->addSeparator();
    contextMenu_->addActions({actions_.cut, actions_.copy, actions_.paste, actions_.duplicate});
    wireView();
    wireKeys();
    connect(document_.undoStack(), &QUndoStack::indexChanged, this, &TreeController::updateActions);
    onCurrentNodeChanged(document_.currentNode());
}

void TreeController::createActions()
{
    struct Command
    {
        QAction *Actions::*action;
        const char *name, *text;
        void (TreeController::*handler)();
        const char *icon;
        QKeySequence key;
        const char *statusTip, *toolTip;
    };
    // Move Left and Right use keys that window managers leave alone (Alt+Shift+arrows move
    // windows between desktops). The keys of Insert, Delete, Move Up and Move Down are the
    // tree's own (wireKeys).
    const Command commands[] = {
        {&Actions::cut, "actionCut", QT_TR_NOOP("Cu&t"), &TreeController::cutItem, "cut",
         QKeySequence(Qt::CTRL | Qt::Key_X), nullptr, nullptr},
        {&Actions::copy, "actionCopy", QT_TR_NOOP("&Copy"), &TreeController::copyItem, "copy",
         QKeySequence(Qt::CTRL | Qt::Key_C), nullptr, nullptr},
        {&Actions::paste, "actionPaste", QT_TR_NOOP("&Paste"), &TreeController::pasteItem, "paste",
         QKeySequence(Qt::CTRL | Qt::Key_V), nullptr, nullptr},
        {&Actions::duplicate, "actionDuplicate", QT_TR_NOOP("Dupl&icate"),
         &TreeController::duplicateItem, nullptr, QKeySequence(Qt::CTRL | Qt::Key_D), nullptr,
         nullptr},
        {&Actions::insert, "actionInsert", QT_TR_NOOP("I&nsert"), &TreeController::insertItem,
         "insert", QKeySequence(), QT_TR_NOOP("Insert a new item as a child of selected item."),
         QT_TR_NOOP("Insert a new item")},
        {&Actions::remove, "actionDelete", QT_TR_NOOP("&Delete"), &TreeController::deleteItem,
         "delete", QKeySequence(),
         QT_TR_NOOP("Delete selected item and all its children item if it has."),
         QT_TR_NOOP("Delete selected item")},
        {&Actions::moveUp, "actionMoveUp", QT_TR_NOOP("Move &Up"), &TreeController::moveItemUp,
         "moveup", QKeySequence(), QT_TR_NOOP("move the current selected item position up."),
         QT_TR_NOOP("Move the selected item up")},
        {&Actions::moveDown, "actionMoveDown", QT_TR_NOOP("Move Do&wn"),
         &TreeController::moveItemDown, "movedown", QKeySequence(),
         QT_TR_NOOP("move the current selected item position down."),
         QT_TR_NOOP("Move the selected item down")},
        {&Actions::moveLeft, "actionMoveLeft", QT_TR_NOOP("Move &Left"),
         &TreeController::moveItemLeft, nullptr, QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
         QT_TR_NOOP("Make the selected item the next sibling of its parent."), nullptr},
        {&Actions::moveRight, "actionMoveRight", QT_TR_NOOP("Move &Right"),
         &TreeController::moveItemRight, nullptr, QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
         QT_TR_NOOP("Make the selected item the last child of the item before it."), nullptr},
    };
    for (const Command &command : commands) {
        QAction *action = addCommand(command.name, tr(command.text), command.handler, command.icon);
        action->setShortcut(command.key);
        if (command.statusTip)
            action->setStatusTip(tr(command.statusTip));
        if (command.toolTip)
            action->setToolTip(tr(command.toolTip));
        actions_.*command.action = action;
    }
}

void TreeController::wireView()
{
    MenuTreeModel &model = document_.model();
    connect(treeView_, &MenuTreeView::currentNodeChanged, this,
            [this] { runGuarded([this] { onTreeSelectionChanged(); }); });
    connect(treeView_, &MenuTreeView::mousePressed, this, [this] {
        panel_->showCurrentNode();
        updateActions();
    });
    connect(treeView_, &MenuTreeView::nodeDrawn, this, &TreeController::drawTreeItem);
    connect(treeView_, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        contextMenu_->popup(treeView_->viewport()->mapToGlobal(pos));
    });
    connect(treeView_, &QTreeView::expanded, this, [&model](const QModelIndex &index) {
        if (const ItemTree::Node node = model.node(index))
            model.setExpanded(node, true);
    });
    connect(treeView_, &QTreeView::collapsed, this, [&model](const QModelIndex &index) {
        if (const ItemTree::Node node = model.node(index))
            model.setExpanded(node, false);
    });
    connect(&document_, &EditorDocument::currentNodeChanged, this,
            [this](ItemTree::Node node) { runGuarded([=] { onCurrentNodeChanged(node); }); });
    connect(&document_, &EditorDocument::branchAboutToLeave, this,
            &TreeController::onBranchLeaving);
    connect(&document_, &EditorDocument::expandRequested, this,
            [this](const std::vector<MenuTree::Id> &open) {
                for (MenuTree::Id id : open) {
                    if (const ItemTree::Node node = document_.tree().find(id))
                        treeView_->expand(document_.model().indexOf(node));
                }
            });
    // The first-level items show at once.
    connect(&document_, &EditorDocument::reset, this,
            [this] { treeView_->expand(document_.model().indexOf(document_.tree().root())); });
    treeView_->expand(model.indexOf(document_.tree().root()));
    connect(&model, &MenuTreeModel::dropRequested, this,
            [this](const QMimeData *data, Qt::DropAction action, ItemTree::Node parent, int row) {
                runGuarded([&] { dropBranch(data, action, parent, row); });
            });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TreeController::updateActions);
}

void TreeController::wireKeys()
{
    // Keys of the tree itself, shown in the menus: in a text field the same keys edit the
    // text, so the actions' own shortcuts are bound to their menus alone. They reach the
    // command even where its action is disabled (Delete on the root says why it does nothing).
    const std::tuple<QAction *, QKeySequence, void (TreeController::*)()> keys[] = {
        {actions_.insert, QKeySequence(Qt::Key_Insert), &TreeController::insertItem},
        {actions_.remove, QKeySequence(Qt::Key_Delete), &TreeController::deleteItem},
        {actions_.moveUp, QKeySequence(Qt::CTRL | Qt::Key_Up), &TreeController::moveItemUp},
        {actions_.moveDown, QKeySequence(Qt::CTRL | Qt::Key_Down), &TreeController::moveItemDown}};
    for (const auto &[action, key, handler] : keys) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        auto *shortcut = new QShortcut(key, treeView_, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, handler = handler] { runGuarded([=] { (this->*handler)(); }); });
    }
    // Shift+F10, the context menu's key where a keyboard has no menu key.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), treeView_, nullptr,
                                  nullptr, Qt::WidgetShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QRect row = treeView_->visualRect(treeView_->currentIndex());
        contextMenu_->popup(
            treeView_->viewport()->mapToGlobal(row.isValid() ? row.center() : QPoint()));
    });
    auto *rename =
        new QShortcut(QKeySequence(Qt::Key_F2), treeView_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(rename, &QShortcut::activated, panel_, &PropertyPanel::editCaption);
}

void TreeController::onTreeSelectionChanged()
{
    if (const ItemTree::Node selected = treeView_->currentNode())
        document_.setCurrentNode(selected);
}

void TreeController::onCurrentNodeChanged(ItemTree::Node node)
{
    if (node && treeView_->currentNode() != node)
        treeView_->setCurrentNode(node);
    panel_->showCurrentNode();
    updateActions();
}

void TreeController::onBranchLeaving(ItemTree::Node top)
{
    // The view would move its selection into the branch while it goes away.
    const ItemTree::Node selected = treeView_->currentNode();
    if (selected && document_.tree().contains(top, selected)) {
        const QSignalBlocker blocker(treeView_->selectionModel());
        treeView_->setCurrentIndex(QModelIndex());
    }
}

void TreeController::drawTreeItem()
{
    // Nodes are drawn in batches: one refresh after the batch serves them all, and keeps the
    // cost of a redraw independent of the size of the tree.
    if (drawPending_)
        return;
    drawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        drawPending_ = false;
        updateActions();
    });
}

void TreeController::updateActions()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node node = document_.currentNode();
    const ItemTree::Node parent = node ? tree.parent(node) : nullptr;
    const bool isItem = parent != nullptr;
    const int position = isItem ? tree.indexOf(node) : 0;
    const bool canMoveUp = isItem && position > 0;
    const bool canMoveDown = isItem && position + 1 < tree.childCount(parent);
    const std::pair<QAction *, bool> commands[] = {
        {actions_.cut, isItem},
        {actions_.copy, isItem},
        {actions_.duplicate, isItem},
        {actions_.paste, node != nullptr && clipboardHoldsBranch()},
        {actions_.moveLeft, isItem && tree.parent(parent)},
        {actions_.moveRight, canMoveUp},
        {actions_.insert, node != nullptr},
        {actions_.remove, isItem},
        {actions_.moveUp, canMoveUp},
        {actions_.moveDown, canMoveDown},
    };
    for (const auto &[action, enabled] : commands)
        action->setEnabled(enabled);
    panel_->updateItemFields();
}

bool TreeController::pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height,
                                  int added)
{
    const QString refused = document_.pushTreeStep(step, newParent, height, added);
    if (!refused.isEmpty())
        dialogs_.warning(window_, refused, DialogService::OkOnly);
    return refused.isEmpty();
}
void TreeController::insertItem()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node selected = document_.currentNode();
    if (!selected)
        return;
    MenuBranch item;
    item.nodes.push_back({0, "Item", document_.menu().newItem(), 0, {}});
    if (!pushTreeStep(new InsertBranchCommand(document_, tr("Insert \"%1\""), tree.id(selected),
                                              tree.childCount(selected), std::move(item)),
                      selected, 1, 1))
        return;
    treeView_->expand(document_.model().indexOf(selected));
    // The new item is current, so that F2 or the Item page edits it.
    document_.setCurrentNode(tree.child(selected, tree.childCount(selected) - 1));
    updateActions();
}

void TreeController::deleteItem()
{
    const ItemTree::Node selected = document_.currentNode();
    if (!selected)
        return;
    if (!document_.tree().parent(selected)) {
        dialogs_.warning(window_, tr("You can't delete root item."), DialogService::OkOnly);
        return;
    }
    if (dialogs_.warning(window_, tr("Are you sure to delete this item and all it's children?"),
                         DialogService::YesNo) != DialogService::Yes)
        return;
    // The current node then moves to a neighbour.
    document_.undoStack()->push(new DeleteBranchCommand(document_, tr("Delete \"%1\""), selected));
    updateActions();
}

TreeController::Place TreeController::currentPlace() const
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node selected = document_.currentNode();
    const ItemTree::Node parent = selected ? tree.parent(selected) : nullptr;
    return {selected, parent, parent ? tree.indexOf(selected) : 0};
}

void TreeController::moveCurrent(const QString &text, ItemTree::Node parent, int position)
{
    // The branch moves with its records; the view keeps it selected and expanded as it was.
    document_.undoStack()->push(
        new MoveBranchCommand(document_, text, document_.currentNode(), parent, position));
    updateActions();
}

void TreeController::moveItemUp()
{
    const Place place = currentPlace();
    if (place.parent && place.position > 0)
        moveCurrent(tr("Move Up \"%1\""), place.parent, place.position - 1);
}

void TreeController::moveItemDown()
{
    const Place place = currentPlace();
    if (place.parent && place.position + 1 < document_.tree().childCount(place.parent))
        moveCurrent(tr("Move Down \"%1\""), place.parent, place.position + 1);
}
