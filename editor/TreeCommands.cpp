#include "TreeCommands.h"

#include "editor/MenuTreeModel.h"

#include <stdexcept>

MenuTree &TreeCommand::tree() const
{
    return host_.model.tree();
}

ItemTree::Node TreeCommand::node(MenuTree::Id id) const
{
    const ItemTree::Node found = tree().find(id);
    if (!found)
        throw std::logic_error("The undo history names a menu node that is not there");
    return found;
}

InsertBranchCommand::InsertBranchCommand(TreeCommandHost &host, const QString &text,
                                         MenuTree::Id parent, int position, MenuBranch item)
    : TreeCommand(host, text.arg(QString::fromStdString(item.nodes.front().caption))),
      parent_(parent), position_(position), item_(std::move(item))
{}

void InsertBranchCommand::redo()
{
    // The kept branch goes in without a copy; only its top's identity is kept, to take it
    // out again.
    const ItemTree::Node added =
        host_.model.insertBranch(node(parent_), position_, std::move(item_));
    item_.nodes.resize(1);
    item_.nodes.front().id = tree().id(added);
    host_.expand(expanded_);
    select(added);
    executed();
}

void InsertBranchCommand::undo()
{
    const ItemTree::Node added = node(item_.nodes.front().id);
    host_.beforeRemoving(added);
    expanded_ = host_.expandedIn(added);
    item_ = host_.model.takeBranch(added);
    select(node(parent_));
}

DeleteBranchCommand::DeleteBranchCommand(TreeCommandHost &host, const QString &text,
                                         ItemTree::Node top)
    : TreeCommand(host, text.arg(QString::fromStdString(host.model.tree().caption(top)))),
      id_(host.model.tree().id(top)), parent_(host.model.tree().id(host.model.tree().parent(top))),
      position_(host.model.tree().indexOf(top))
{}

void DeleteBranchCommand::redo()
{
    const ItemTree::Node top = node(id_);
    const ItemTree::Node parent = node(parent_);
    host_.beforeRemoving(top);
    expanded_ = host_.expandedIn(top);
    branch_ = host_.model.takeBranch(top);
    // The selection goes to a neighbour: the next sibling, else the previous one, else the
    // parent.
    ItemTree::Node next = tree().child(parent, position_);
    if (!next)
        next = tree().child(parent, position_ - 1);
    host_.select(next ? next : parent);
    executed();
}

void DeleteBranchCommand::undo()
{
    const ItemTree::Node back =
        host_.model.insertBranch(node(parent_), position_, std::move(branch_));
    branch_ = MenuBranch(); // taken in; redo takes it out again
    host_.expand(expanded_);
    select(back);
}

MoveBranchCommand::MoveBranchCommand(TreeCommandHost &host, const QString &text, ItemTree::Node top,
                                     ItemTree::Node newParent, int position)
    : TreeCommand(host, text.arg(QString::fromStdString(host.model.tree().caption(top)))),
      id_(host.model.tree().id(top)), from_(host.model.tree().id(host.model.tree().parent(top))),
      to_(host.model.tree().id(newParent)), fromPosition_(host.model.tree().indexOf(top)),
      toPosition_(position)
{}

void MoveBranchCommand::redo()
{
    host_.model.moveBranch(node(id_), node(to_), toPosition_);
    select(node(id_));
    executed();
}

void MoveBranchCommand::undo()
{
    host_.model.moveBranch(node(id_), node(from_), fromPosition_);
    select(node(id_));
}
