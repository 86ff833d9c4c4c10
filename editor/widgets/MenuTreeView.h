#pragma once

#include "document/ItemTree.h"

#include <QTreeView>

class MenuTreeModel;

// The menu tree: no in-place editing, a right click selects the node under the pointer
// before the context menu opens, the selection stays visible without focus, and every node
// it draws is reported (nodeDrawn) so command states can follow changes of the tree.
class MenuTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit MenuTreeView(QWidget *parent = nullptr);

    void setMenuModel(MenuTreeModel *model);
    MenuTreeModel *menuModel() const { return model_; }
    ItemTree::Node currentNode() const;
    void setCurrentNode(ItemTree::Node node);

signals:
    // Any mouse button pressed over the tree, after a right click has selected its node.
    void mousePressed();
    void nodeDrawn();
    // The current node changed, by the user or the program.
    void currentNodeChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The column as wide as the widest caption shown, at least the view's width: deep or long
    // captions scroll sideways instead of being cut off.
    void scheduleContentWidth();
    void fitContentWidth();
    bool widthPending_ = false;

    MenuTreeModel *model_ = nullptr;
};
