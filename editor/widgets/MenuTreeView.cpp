#include "MenuTreeView.h"

#include "editor/MenuTreeModel.h"

#include <QHeaderView>
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

MenuTreeView::MenuTreeView(QWidget *parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new DrawReporter(this));
    // Branches are dragged before, after or onto nodes; Ctrl while dropping copies.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    // Keep the selection as visible without focus as with it.
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
}

void MenuTreeView::setMenuModel(MenuTreeModel *model)
{
    model_ = model;
    setModel(model);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MenuTreeView::currentNodeChanged);
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, changed, this, &MenuTreeView::scheduleContentWidth);
    connect(model, &QAbstractItemModel::dataChanged, this, &MenuTreeView::scheduleContentWidth);
    connect(model, &QAbstractItemModel::modelReset, this, &MenuTreeView::scheduleContentWidth);
    connect(model, &QAbstractItemModel::rowsMoved, this, &MenuTreeView::scheduleContentWidth);
    connect(this, &QTreeView::expanded, this, &MenuTreeView::scheduleContentWidth);
    connect(this, &QTreeView::collapsed, this, &MenuTreeView::scheduleContentWidth);
}

void MenuTreeView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    scheduleContentWidth();
}

void MenuTreeView::scheduleContentWidth()
{
    if (widthPending_)
        return;
    widthPending_ = true;
    // Once after a command's notifications, measuring only the rows near the shown ones.
    QMetaObject::invokeMethod(
        this,
        [this] {
            widthPending_ = false;
            fitContentWidth();
        },
        Qt::QueuedConnection);
}

void MenuTreeView::fitContentWidth()
{
    header()->setMinimumSectionSize(std::max(sizeHintForColumn(0), 20));
}

ItemTree::Node MenuTreeView::currentNode() const
{
    return model_ ? model_->node(currentIndex()) : nullptr;
}

void MenuTreeView::setCurrentNode(ItemTree::Node node)
{
    const QModelIndex index = model_->indexOf(node);
    setCurrentIndex(index);
    if (index.isValid())
        scrollTo(index);
}

void MenuTreeView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            setCurrentIndex(index);
    } else {
        QTreeView::mousePressEvent(event);
    }
    emit mousePressed();
}
