#include "TreeCommands.h"

#include "editor/EditorDocument.h"
#include "editor/MenuTreeModel.h"

#include <stdexcept>

MenuTree &TreeCommand::tree() const
{
    return document_.tree();
}

MenuTreeModel &TreeCommand::model() const
{
    return document_.model();
}

void TreeCommand::select(ItemTree::Node node)
{
    if (executed_)
        document_.setCurrentNode(node);
}

ItemTree::Node TreeCommand::node(MenuTree::Id id) const
{
    const ItemTree::Node found = tree().find(id);
    if (!found)
        throw std::logic_error("The undo history names a menu node that is not there");
    return found;
}

InsertBranchCommand::InsertBranchCommand(EditorDocument &document, const QString &text,
                                         MenuTree::Id parent, int position, MenuBranch item)
    : TreeCommand(document, text.arg(QString::fromStdString(item.nodes.front().caption))),
      parent_(parent), position_(position), item_(std::move(item))
{}

void InsertBranchCommand::redo()
{
    // The kept branch goes in without a copy; only its top's identity is kept, to take it
    // out again.
    const ItemTree::Node added = model().insertBranch(node(parent_), position_, std::move(item_));
    item_.nodes.resize(1);
    item_.nodes.front().id = tree().id(added);
    document_.restoreExpanded(expanded_);
    select(added);
    executed();
}

void InsertBranchCommand::undo()
{
    const ItemTree::Node added = node(item_.nodes.front().id);
    document_.branchLeaving(added);
    expanded_ = model().expandedIn(added);
    item_ = model().takeBranch(added);
    select(node(parent_));
}

DeleteBranchCommand::DeleteBranchCommand(EditorDocument &document, const QString &text,
                                         ItemTree::Node top)
    : TreeCommand(document, text.arg(QString::fromStdString(document.tree().caption(top)))),
      id_(document.tree().id(top)), parent_(document.tree().id(document.tree().parent(top))),
      position_(document.tree().indexOf(top))
{}

void DeleteBranchCommand::redo()
{
    const ItemTree::Node top = node(id_);
    const ItemTree::Node parent = node(parent_);
    document_.branchLeaving(top);
    expanded_ = model().expandedIn(top);
    branch_ = model().takeBranch(top);
    // The selection goes to a neighbour: the next sibling, else the previous one, else the
    // parent.
    ItemTree::Node next = tree().child(parent, position_);
    if (!next)
        next = tree().child(parent, position_ - 1);
    document_.setCurrentNode(next ? next : parent);
    executed();
}

void DeleteBranchCommand::undo()
{
    const ItemTree::Node back = model().insertBranch(node(parent_), position_, std::move(branch_));
    branch_ = MenuBranch(); // taken in; redo takes it out again
    document_.restoreExpanded(expanded_);
    select(back);
}

MoveBranchCommand::MoveBranchCommand(EditorDocument &document, const QString &text,
                                     ItemTree::Node top, ItemTree::Node newParent, int position)
    : TreeCommand(document, text.arg(QString::fromStdString(document.tree().caption(top)))),
      id_(document.tree().id(top)), from_(document.tree().id(document.tree().parent(top))),
      to_(document.tree().id(newParent)), fromPosition_(document.tree().indexOf(top)),
      toPosition_(position)
{}

void MoveBranchCommand::redo()
{
    model().moveBranch(node(id_), node(to_), toPosition_);
    select(node(id_));
    executed();
}

void MoveBranchCommand::undo()
{
    model().moveBranch(node(id_), node(from_), fromPosition_);
    select(node(id_));
}
