#include "MenuTreeView.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {
// Draws nodes as usual and tells the tree each time it does.
class DrawReporter : public QStyledItemDelegate
{
public:
    DrawReporter(MenuTreeView *view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        emit view_->nodeDrawn();
    }

private:
    MenuTreeView *view_;
};
} // namespace

MenuTreeView::MenuTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new DrawReporter(this));
    // Keep the selection as visible without focus as with it.
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
}

void MenuTreeView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem *node = itemAt(event->position().toPoint()))
            setCurrentItem(node);
    } else {
        QTreeWidget::mousePressEvent(event);
    }
    emit mousePressed();
}
