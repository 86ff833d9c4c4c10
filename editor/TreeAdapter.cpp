#include "TreeAdapter.h"

#include <QIcon>
#include <QTreeWidget>

namespace {
constexpr int ImageRole = Qt::UserRole + 1;

QIcon nodeIcon(int image)
{
    static const QIcon item(QStringLiteral(":/icons/treeitem.svg"));
    static const QIcon root(QStringLiteral(":/icons/treeroot.svg"));
    return image == 1 ? root : item;
}
} // namespace

ItemTree::Node TreeAdapter::root() const
{
    return view_->topLevelItemCount() > 0 ? view_->topLevelItem(0) : nullptr;
}

ItemTree::Node TreeAdapter::parent(Node node) const
{
    return item(node)->parent();
}

int TreeAdapter::childCount(Node node) const
{
    return item(node)->childCount();
}

ItemTree::Node TreeAdapter::child(Node node, int index) const
{
    return item(node)->child(index);
}

std::string TreeAdapter::caption(Node node) const
{
    return item(node)->text(0).toStdString();
}

void TreeAdapter::clear()
{
    view_->clear();
}

ItemTree::Node TreeAdapter::addChild(Node parent, const std::string &caption)
{
    auto *node = new QTreeWidgetItem(QStringList{QString::fromStdString(caption)});
    if (parent) {
        setNodeImage(node, 0);
        item(parent)->addChild(node);
    } else {
        setNodeImage(node, 1);
        view_->addTopLevelItem(node);
    }
    return node;
}

void TreeAdapter::setNodeImage(QTreeWidgetItem *item, int image)
{
    item->setData(0, ImageRole, image);
    item->setIcon(0, nodeIcon(image));
}

int TreeAdapter::nodeImage(const QTreeWidgetItem *item)
{
    return item->data(0, ImageRole).toInt();
}
