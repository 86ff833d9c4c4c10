#pragma once

#include "document/MenuTree.h"

#include <functional>
#include <QUndoCommand>
#include <vector>

class EditorDocument;
class MenuTreeModel;

// One undoable step on the menu's shape. Nodes are held by identity, which a branch keeps
// while it is out of the tree, so every step finds its nodes again however often it is
// undone and redone. The first execution leaves the current node to the command's caller.
class TreeCommand : public QUndoCommand
{
public:
    TreeCommand(EditorDocument &document, const QString &text)
        : QUndoCommand(text), document_(document)
    {}

protected:
    MenuTree &tree() const;
    ItemTree::Node node(MenuTree::Id id) const;
    MenuTreeModel &model() const;
    // Makes the node current, except on the first execution.
    void select(ItemTree::Node node);
    void executed() { executed_ = true; }

    EditorDocument &document_;

private:
    bool executed_ = false;
};

// A new item, or a pasted, dropped or duplicated branch, at a place.
class InsertBranchCommand : public TreeCommand
{
public:
    // text names the step, with %1 for the branch's caption.
    InsertBranchCommand(EditorDocument &document, const QString &text, MenuTree::Id parent,
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
    DeleteBranchCommand(EditorDocument &document, const QString &text, ItemTree::Node top);
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
    MoveBranchCommand(EditorDocument &document, const QString &text, ItemTree::Node top,
                      ItemTree::Node newParent, int position);
    void redo() override;
    void undo() override;

private:
    MenuTree::Id id_, from_, to_;
    int fromPosition_, toPosition_;
};
