#pragma once

#include "ItemTree.h"

class QTreeWidget;
class QTreeWidgetItem;

// The document's view of the menu tree, over the main window's tree view. Nodes are the
// view's items; the root is its one top-level item.
class TreeAdapter : public ItemTree
{
public:
    explicit TreeAdapter(QTreeWidget *view) : view_(view) {}

    Node root() const override;
    Node parent(Node node) const override;
    int childCount(Node node) const override;
    Node child(Node node, int index) const override;
    std::string caption(Node node) const override;
    void clear() override;
    Node addChild(Node parent, const std::string &caption) override;

    static QTreeWidgetItem *item(Node node) { return static_cast<QTreeWidgetItem *>(node); }

    // Node pictures: image 0 for items, image 1 for the root.
    static void setNodeImage(QTreeWidgetItem *item, int image);
    static int nodeImage(const QTreeWidgetItem *item);

private:
    QTreeWidget *view_;
};
