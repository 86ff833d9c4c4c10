#pragma once

#include "MenuTree.h"

#include <QAbstractItemModel>

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

    MenuTree &tree() const { return tree_; }
    Node node(const QModelIndex &index) const;
    QModelIndex indexOf(Node node) const;

    // The tree's editing operations, announced to the views.
    Node insertItem(Node parent, int position, const std::string &caption, const TItemData &record);
    MenuBranch takeBranch(Node node);
    Node insertBranch(Node parent, int position, MenuBranch branch);
    void moveBranch(Node node, Node newParent, int position);
    void setCaption(Node node, const std::string &caption);
    // For changes of the whole tree (a new or opened project) made directly on the tree.
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }

private:
    void resync();

    MenuTree &tree_;
};
