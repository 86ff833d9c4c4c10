#pragma once

#include "document/MenuTree.h"

#include <functional>
#include <QUndoCommand>
#include <vector>

class MenuTreeModel;

// What the tree's commands need of the window: the model they edit through, a way to let go
// of a branch's pending page edits before it leaves the tree, a way to select the node a
// step touched when it is undone or redone, and the view's open branches, which a branch
// that leaves the tree and comes back keeps.
struct TreeCommandHost
{
    MenuTreeModel &model;
    std::function<void(ItemTree::Node)> beforeRemoving;
    std::function<void(ItemTree::Node)> select;
    std::function<std::vector<MenuTree::Id>(ItemTree::Node)> expandedIn;
    std::function<void(const std::vector<MenuTree::Id> &)> expand;
};

// One undoable step on the menu's shape. Nodes are held by identity, which a branch keeps
// while it is out of the tree, so every step finds its nodes again however often it is
// undone and redone. The first execution leaves the selection to the command's caller.
class TreeCommand : public QUndoCommand
{
public:
    TreeCommand(TreeCommandHost &host, const QString &text) : QUndoCommand(text), host_(host) {}

protected:
    MenuTree &tree() const;
    ItemTree::Node node(MenuTree::Id id) const;
    void select(ItemTree::Node node)
    {
        if (executed_)
            host_.select(node);
    }
    void executed() { executed_ = true; }

    TreeCommandHost &host_;

private:
    bool executed_ = false;
};

// A new item, or a pasted, dropped or duplicated branch, at a place.
class InsertBranchCommand : public TreeCommand
{
public:
    // text names the step, with %1 for the branch's caption.
    InsertBranchCommand(TreeCommandHost &host, const QString &text, MenuTree::Id parent,
                        int position, MenuBranch item);
    void redo() override;
    void undo() override;

private:
    MenuTree::Id parent_;
    int position_;
    MenuBranch item_; // the item while it is out of the tree, with its identity once given
    std::vector<MenuTree::Id> expanded_;
};

// A branch deleted (or cut) with its records.
class DeleteBranchCommand : public TreeCommand
{
public:
    DeleteBranchCommand(TreeCommandHost &host, const QString &text, ItemTree::Node top);
    void redo() override;
    void undo() override;

private:
    MenuTree::Id id_, parent_;
    int position_;
    MenuBranch branch_;
    std::vector<MenuTree::Id> expanded_;
};

// A branch moved to another place (another parent, or among its siblings).
class MoveBranchCommand : public TreeCommand
{
public:
    MoveBranchCommand(TreeCommandHost &host, const QString &text, ItemTree::Node top,
                      ItemTree::Node newParent, int position);
    void redo() override;
    void undo() override;

private:
    MenuTree::Id id_, from_, to_;
    int fromPosition_, toPosition_;
};
