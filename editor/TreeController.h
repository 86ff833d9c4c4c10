#pragma once

#include "document/MenuTree.h"
#include "editor/Controller.h"

#include <functional>
#include <QObject>
#include <QString>

class DialogService;
class EditorDocument;
class MenuTreeView;
class PropertyPanel;
class QAction;
class QMenu;
class QMimeData;
class QUndoCommand;
class QWidget;
struct MenuBranch;

// The menu tree's commands: Insert, Delete, the four moves, and Cut, Copy, Paste and Duplicate
// of whole branches, each one undoable step; drops from the tree's drag and drop; the tree's
// own keys and context menu; and which commands apply to the current node. The controller owns
// the commands; the window puts them in its menus and tool bar.
class TreeController : public Controller
{
    Q_OBJECT

public:
    TreeController(EditorDocument &document, DialogService &dialogs, MenuTreeView *treeView,
                   PropertyPanel *panel, QWidget *window);

    // Enables the commands that apply to the current node.
    void updateActions();

    // The commands, for the window's menus and tool bar.
    struct Actions
    {
        QAction *insert, *remove, *moveUp, *moveDown, *moveLeft, *moveRight;
        QAction *cut, *copy, *paste, *duplicate;
    };
    const Actions &actions() const { return actions_; }

private:
    void createActions();
    void wireView();
    void wireKeys();
    void onTreeSelectionChanged();
    void onCurrentNodeChanged(ItemTree::Node node);
    void onBranchLeaving(ItemTree::Node top);
    void drawTreeItem();

    // The current node, its parent (null for the root or none) and its place among siblings.
    struct Place
    {
        ItemTree::Node selected, parent;
        int position;
    };
    Place currentPlace() const;
    // Moves the current node's branch as one undoable step.
    void moveCurrent(const QString &text, ItemTree::Node parent, int position);

    // Items (TreeController.cpp).
    void insertItem();
    void deleteItem();
    void moveItemUp();
    void moveItemDown();
    // Whole branches (TreeBranches.cpp).
    void moveItemLeft();
    void moveItemRight();
    void cutItem();
    void copyItem();
    void pasteItem();
    void duplicateItem();
    void dropBranch(const QMimeData *data, Qt::DropAction action, ItemTree::Node parent, int row);
    bool clipboardHoldsBranch() const;
    // Inserts a copy of a branch as one undoable step.
    void insertCopy(const QString &text, MenuBranch branch, ItemTree::Node parent, int position);
    // Pushes a step on the tree's shape; a refusal is told.
    bool pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height, int added = 0);

    EditorDocument &document_;
    MenuTreeView *treeView_;
    PropertyPanel *panel_;
    QMenu *contextMenu_;
    bool drawPending_ = false;
    Actions actions_;
};
