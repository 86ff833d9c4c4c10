// Editing the menu tree: selection changes, Insert, Delete, Move Up and Move Down, caption
// editing and separators, and the command and field states of the selected node.

#include "Dialogs.h"
#include "FieldRules.h"
#include "MainForm.h"
#include "pages/ItemPages.h"
#include "widgets/MenuTreeView.h"
#include "widgets/SpinEdit.h"
#include "widgets/TextEdit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <stdexcept>

namespace {
constexpr int FirstLevelTab = 1;

int levelOf(const QTreeWidgetItem *node)
{
    int level = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++level;
    return level;
}

QTreeWidgetItem *siblingOf(QTreeWidgetItem *node, int offset)
{
    QTreeWidgetItem *parent = node->parent();
    if (!parent)
        return nullptr;
    const int index = parent->indexOfChild(node) + offset;
    return index >= 0 && index < parent->childCount() ? parent->child(index) : nullptr;
}

// Nodes in a subtree, the node itself included; iterative, so depth does not matter.
int subtreeSize(const QTreeWidgetItem *node)
{
    int size = 0;
    std::vector<const QTreeWidgetItem *> pending{node};
    while (!pending.empty()) {
        const QTreeWidgetItem *next = pending.back();
        pending.pop_back();
        ++size;
        for (int i = 0; i < next->childCount(); ++i)
            pending.push_back(next->child(i));
    }
    return size;
}

} // namespace

void TMainForm::wireTreeCommands()
{
    auto *view = static_cast<MenuTreeView *>(TreeView1);
    auto command = [this](void (TMainForm::*handler)()) { return guardedSlot(handler); };
    connect(view, &QTreeWidget::currentItemChanged, this, command(&TMainForm::TreeView1Change));
    connect(view, &MenuTreeView::mousePressed, this, command(&TMainForm::TreeView1MouseDown));
    connect(view, &MenuTreeView::nodeDrawn, this, &TMainForm::TreeView1CustomDrawItem);
    connect(view, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(pos));
    });
    for (QAction *act : {Insert1, Insert2, tlbtnInsert})
        connect(act, &QAction::triggered, this, command(&TMainForm::Insert1Click));
    for (QAction *act : {Delete1, Delete2, tlbtnDelete})
        connect(act, &QAction::triggered, this, command(&TMainForm::Delete1Click));
    for (QAction *act : {MoveUp1, MoveUp2, tlbtnMoveUp})
        connect(act, &QAction::triggered, this, command(&TMainForm::MoveUp1Click));
    for (QAction *act : {MoveDown1, MoveDown2, tlbtnMoveDown})
        connect(act, &QAction::triggered, this, command(&TMainForm::MoveDown1Click));
    connect(TabSheet1->edtItemCaption, &QLineEdit::textChanged, this,
            &TMainForm::edtItemCaptionChange);
    connect(TabSheet1->btnSeparator, &QPushButton::clicked, this, &TMainForm::btnSeparatorClick);
}

int TMainForm::ItemIndex(QTreeWidgetItem *node) const
{
    // Pre-order position: every ancestor and every earlier sibling's subtree come first.
    int position = 0;
    for (QTreeWidgetItem *step = node; step->parent(); step = step->parent()) {
        QTreeWidgetItem *parent = step->parent();
        const int index = parent->indexOfChild(step);
        position += 1;
        for (int i = 0; i < index; ++i)
            position += subtreeSize(parent->child(i));
    }
    return position - 1;
}

int TMainForm::checkedItemIndex(QTreeWidgetItem *node, bool forInsert) const
{
    const int index = ItemIndex(node);
    const int limit = document.ItemCount() + (forInsert ? 1 : 0);
    if (index < 0 || index >= limit)
        throw std::logic_error("The menu tree and the item list disagree: node " +
                               std::to_string(index + 1) + " has no record among " +
                               std::to_string(document.ItemCount()) + " items");
    return index;
}

void TMainForm::showPagesFor(QTreeWidgetItem *node)
{
    const bool root = node && !node->parent();
    PageControl2->setVisible(root);
    PageControl1->setVisible(!root);
}

void TMainForm::CommitCurrentItem()
{
    if (CurrentItemNode)
        StoreItemSettings(checkedItemIndex(CurrentItemNode));
}

void TMainForm::TreeView1Change()
{
    if (TreeRebuilding)
        return;
    QTreeWidgetItem *selected = TreeView1->currentItem();
    if (!selected)
        return;
    showPagesFor(selected);
    CommitCurrentItem();
    if (!selected->parent())
        return;
    if (CurrentItemNode != selected) {
        CurrentItemNode = selected;
        LoadItemSettings(checkedItemIndex(selected));
    }
    RefreshItemCommands();
}

void TMainForm::TreeView1MouseDown()
{
    if (QTreeWidgetItem *selected = TreeView1->currentItem()) {
        showPagesFor(selected);
        RefreshItemCommands();
    }
}

void TMainForm::TreeView1CustomDrawItem()
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

void TMainForm::RefreshItemCommands()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    const bool isItem = node && node->parent();
    const bool canMoveUp = isItem && siblingOf(node, -1);
    const bool canMoveDown = isItem && siblingOf(node, 1);
    const std::pair<std::vector<QAction *>, bool> commands[] = {
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

    const int level = levelOf(node);
    const bool firstLevel = level == 1;
    const bool hasChildren = node->childCount() > 0;
    const bool separator = TabSheet1->edtItemCaption->text() == QLatin1String("-");
    PageControl1->setTabVisible(FirstLevelTab, firstLevel);

    const bool linked = (!separator || firstLevel) && !hasChildren;
    FieldRules::setFieldEnabled(TabSheet1->edtItemURL, linked);
    FieldRules::setFieldEnabled(TabSheet1->cmbxItemTarget, linked);
    if (!linked)
        TabSheet1->edtItemURL->setText(QString());
    TabSheet1->btnSeparator->setEnabled(!firstLevel && !hasChildren);
    FieldRules::setFieldEnabled(TabSheet1->edtItemStatusBarText, firstLevel);
    TabSheet2->spnedtItemMenuOffsetX->setEnabled(!firstLevel || hasChildren);
    TabSheet2->spnedtItemMenuOffsetY->setEnabled(!firstLevel || hasChildren);
}

int TMainForm::CountDescendants(QTreeWidgetItem *node)
{
    descendantCounter += subtreeSize(node) - 1;
    return descendantCounter;
}

void TMainForm::Insert1Click()
{
    MarkModified();
    QTreeWidgetItem *selected = TreeView1->currentItem();
    if (!selected)
        return;
    const TItemData item = document.MakeNewItem();
    auto *node = TreeAdapter::item(treeAdapter->addChild(selected, "Item"));
    selected->setExpanded(true);
    try {
        document.InsertItem(checkedItemIndex(node, true), item);
    } catch (...) {
        delete node; // the tree and the list stay in step
        throw;
    }
    RefreshItemCommands();
}

void TMainForm::Delete1Click()
{
    MarkModified();
    QTreeWidgetItem *selected = TreeView1->currentItem();
    if (!selected)
        return;
    if (!selected->parent()) {
        services.dialogs.warning(this, tr("You can't delete root item."), DialogService::OkOnly);
        return;
    }
    if (services.dialogs.warning(this,
                                 tr("Are you sure to delete this item and all it's children?"),
                                 DialogService::YesNo) != DialogService::Yes)
        return;
    const int first = checkedItemIndex(selected);
    const int count = subtreeSize(selected);
    document.DeleteItems(first, count);
    // The pending page edits belong to the deleted item: nothing may be committed from now.
    CurrentItemNode = nullptr;
    // The view would move its selection into the subtree while it goes away; the subtree
    // leaves silently and the selection then moves to a neighbour as an ordinary change.
    QTreeWidgetItem *next = siblingOf(selected, 1);
    if (!next)
        next = siblingOf(selected, -1);
    if (!next)
        next = selected->parent();
    {
        const QSignalBlocker blocker(TreeView1);
        TreeView1->setCurrentItem(nullptr);
        delete selected;
    }
    TreeView1->setCurrentItem(next);
    RefreshItemCommands();
}

void TMainForm::moveSubtreeBefore(QTreeWidgetItem *node, QTreeWidgetItem *sibling)
{
    // Taking a node out of the view forgets which of its nodes were expanded.
    std::vector<QTreeWidgetItem *> expanded;
    std::vector<QTreeWidgetItem *> pending{node};
    while (!pending.empty()) {
        QTreeWidgetItem *next = pending.back();
        pending.pop_back();
        if (next->isExpanded())
            expanded.push_back(next);
        for (int i = 0; i < next->childCount(); ++i)
            pending.push_back(next->child(i));
    }
    QTreeWidgetItem *parent = node->parent();
    parent->takeChild(parent->indexOfChild(node));
    parent->insertChild(sibling ? parent->indexOfChild(sibling) : parent->childCount(), node);
    for (QTreeWidgetItem *open : expanded)
        open->setExpanded(true);
}

void TMainForm::MoveUp1Click()
{
    MarkModified();
    QTreeWidgetItem *selected = TreeView1->currentItem();
    QTreeWidgetItem *previous = selected ? siblingOf(selected, -1) : nullptr;
    if (!previous)
        return;
    const int s = checkedItemIndex(selected);
    descendantCounter = 0;
    const int p = 1 + CountDescendants(previous);
    descendantCounter = 0;
    const int size = 1 + CountDescendants(selected);
    document.MoveItemsUp(s, size, p);
    // The neighbour moves behind the selected node, which so stays selected all along.
    moveSubtreeBefore(previous, siblingOf(selected, 1));
    RefreshItemCommands();
}

void TMainForm::MoveDown1Click()
{
    MarkModified();
    QTreeWidgetItem *selected = TreeView1->currentItem();
    QTreeWidgetItem *next = selected ? siblingOf(selected, 1) : nullptr;
    if (!next)
        return;
    const int n = checkedItemIndex(next);
    descendantCounter = 0;
    const int count = 1 + CountDescendants(next);
    descendantCounter = 0;
    const int size = 1 + CountDescendants(selected);
    document.MoveItemsUp(n, count, size);
    moveSubtreeBefore(next, selected);
    RefreshItemCommands();
}

void TMainForm::edtItemCaptionChange()
{
    MarkModified();
    QTreeWidgetItem *selected = TreeView1->currentItem();
    if (!selected || !selected->parent())
        return;
    const QString caption = TabSheet1->edtItemCaption->text();
    selected->setText(0, FieldRules::trimmed(caption));
    const bool linkable = caption != QLatin1String("-") || levelOf(selected) == 1;
    TabSheet1->edtItemURL->setEnabled(linkable);
    TabSheet1->cmbxItemTarget->setEnabled(linkable);
    TabSheet1->edtItemStatusBarText->setEnabled(linkable);
    RefreshItemCommands();
}

void TMainForm::btnSeparatorClick()
{
    TabSheet1->edtItemCaption->setText(QStringLiteral("-"));
}
