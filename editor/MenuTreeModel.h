#pragma once

#include "document/MenuTree.h"

#include <QAbstractItemModel>
#include <unordered_set>
#include <vector>

// The core's menu tree as a Qt item model: one top-level row, the root, with the item nodes
// below it. Every change of the tree's shape goes through the model, so views follow it.
class MenuTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    using Node = ItemTree::Node;

    MenuTreeModel(MenuTree &tree, QObject *parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Dragging: a branch travels in the project file's own form under BranchMimeType (and as
    // plain text); within one editor NodeMimeType names the dragged node, so it can move.
    static constexpr const char *BranchMimeType = "application/x-tarvelle-branch";
    static constexpr const char *NodeMimeType = "application/x-tarvelle-node";
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    // A drop is only announced: the window turns it into an undoable step.
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    // The node of this tree that data names, or null.
    Node draggedNode(const QMimeData *data) const;
    static QMimeData *branchData(const MenuBranch &branch);

    MenuTree &tree() const { return tree_; }
    Node node(const QModelIndex &index) const;
    QModelIndex indexOf(Node node) const;

    // The tree's editing operations, announced to the views.
    MenuBranch takeBranch(Node node);
    Node insertBranch(Node parent, int position, MenuBranch &&branch);
    void moveBranch(Node node, Node newParent, int position);
    void setCaption(Node node, const std::string &caption);
    // For changes of the whole tree (a new or opened project) made directly on the tree.
    void beginReset();
    void endReset() { endResetModel(); }

    // The nodes a view shows expanded, as it tells: a branch that leaves the tree and comes
    // back is shown as it was.
    void setExpanded(Node node, bool expanded);
    // The expanded nodes of a branch: found among those expanded, or by a walk over the
    // branch where that is shorter.
    std::vector<MenuTree::Id> expandedIn(Node top);

signals:
    // row -1: as the last child of parent.
    void dropRequested(const QMimeData *data, Qt::DropAction action, ItemTree::Node parent,
                       int row);

private:
    void resync();

    MenuTree &tree_;
    // Some may have left the tree since; they are dropped when next met.
    std::unordered_set<MenuTree::Id> expanded_;
};
