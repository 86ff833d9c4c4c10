#pragma once

#include <QTreeWidget>

// The menu tree: no in-place editing, a right click selects the node under the pointer
// before the context menu opens, the selection stays visible without focus, and every node
// it draws is reported (nodeDrawn) so command states can follow changes of the tree.
class MenuTreeView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit MenuTreeView(QWidget *parent = nullptr);

signals:
    // Any mouse button pressed over the tree, after a right click has selected its node.
    void mousePressed();
    void nodeDrawn();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
