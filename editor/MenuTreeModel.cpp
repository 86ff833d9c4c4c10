#include "MenuTreeModel.h"

#include <QIcon>
#include <QMimeData>

MenuTreeModel::MenuTreeModel(MenuTree &tree, QObject *parent)
    : QAbstractItemModel(parent), tree_(tree)
{}

ItemTree::Node MenuTreeModel::node(const QModelIndex &index) const
{
    return index.isValid() ? index.internalPointer() : nullptr;
}

QModelIndex MenuTreeModel::indexOf(Node node) const
{
    if (!node)
        return {};
    return createIndex(tree_.parent(node) ? tree_.indexOf(node) : 0, 0, node);
}

QModelIndex MenuTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && tree_.root() ? createIndex(0, 0, tree_.root()) : QModelIndex();
    const Node child = tree_.child(node(parent), row);
    return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex MenuTreeModel::parent(const QModelIndex &child) const
{
    return child.isValid() ? indexOf(tree_.parent(node(child))) : QModelIndex();
}

int MenuTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return tree_.root() ? 1 : 0;
    return parent.column() == 0 ? tree_.childCount(node(parent)) : 0;
}

int MenuTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant MenuTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(tree_.caption(node(index)));
    if (role == Qt::DecorationRole) {
        // Node pictures: the applet's for the root, the item's for every other node.
        static const QIcon item(QStringLiteral(":/icons/treeitem.svg"));
        static const QIcon root(QStringLiteral(":/icons/treeroot.svg"));
        return tree_.parent(node(index)) ? item : root;
    }
    return {};
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    return tree_.parent(node(index)) ? flags | Qt::ItemIsDragEnabled : flags;
}

Qt::DropActions MenuTreeModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions MenuTreeModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

QStringList MenuTreeModel::mimeTypes() const
{
    return {QLatin1String(BranchMimeType)};
}

QMimeData *MenuTreeModel::branchData(const MenuBranch &branch)
{
    auto *data = new QMimeData;
    const QByteArray text = QByteArray::fromStdString(branchToText(branch));
    data->setData(QLatin1String(BranchMimeType), text);
    data->setText(QString::fromUtf8(text));
    return data;
}

QMimeData *MenuTreeModel::mimeData(const QModelIndexList &indexes) const
{
    for (const QModelIndex &index : indexes) {
        const Node dragged = node(index);
        if (!dragged || !tree_.parent(dragged))
            continue;
        QMimeData *data = branchData(tree_.copyBranch(dragged));
        data->setData(QLatin1String(NodeMimeType), QStringLiteral("%1:%2")
                                                       .arg(reinterpret_cast<quintptr>(this))
                                                       .arg(tree_.id(dragged))
                                                       .toLatin1());
        return data;
    }
    return nullptr;
}

ItemTree::Node MenuTreeModel::draggedNode(const QMimeData *data) const
{
    const QList<QByteArray> parts = data->data(QLatin1String(NodeMimeType)).split(':');
    if (parts.size() != 2 || parts[0].toULongLong() != reinterpret_cast<quintptr>(this))
        return nullptr;
    return tree_.find(parts[1].toULongLong());
}

bool MenuTreeModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                    const QModelIndex &parent) const
{
    // Only below the root, never a second root; a branch never into itself.
    if (!parent.isValid() || !data->hasFormat(QLatin1String(BranchMimeType)))
        return false;
    const Node dragged = draggedNode(data);
    return !(action == Qt::MoveAction && dragged && tree_.contains(dragged, node(parent)));
}

bool MenuTreeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                 const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    emit dropRequested(data, action, node(parent), row);
    return true;
}

MenuBranch MenuTreeModel::takeBranch(Node node)
{
    if (!tree_.parent(node))
        return tree_.takeBranch(node); // refuses the root
    const QModelIndex at = indexOf(node);
    beginRemoveRows(at.parent(), at.row(), at.row());
    MenuBranch branch;
    try {
        branch = tree_.takeBranch(node);
    } catch (...) {
        resync();
        throw;
    }
    endRemoveRows();
    return branch;
}

ItemTree::Node MenuTreeModel::insertBranch(Node parent, int position, MenuBranch &&branch)
{
    if (position < 0 || position > tree_.childCount(parent))
        return tree_.insertBranch(parent, position, std::move(branch)); // refuses, untouched
    beginInsertRows(indexOf(parent), position, position);
    Node top = nullptr;
    try {
        top = tree_.insertBranch(parent, position, std::move(branch));
    } catch (...) {
        resync();
        throw;
    }
    endInsertRows();
    return top;
}

void MenuTreeModel::moveBranch(Node node, Node newParent, int position)
{
    const QModelIndex from = indexOf(node);
    const QModelIndex to = indexOf(newParent);
    // Qt counts the destination row before the node leaves its place.
    const bool sameParent = tree_.parent(node) == newParent;
    const int destination = sameParent && position >= from.row() ? position + 1 : position;
    if (tree_.contains(node, newParent) ||
        !beginMoveRows(from.parent(), from.row(), from.row(), to, destination)) {
        tree_.moveBranch(node, newParent, position); // refuses, or moves nowhere
        return;
    }
    try {
        tree_.moveBranch(node, newParent, position);
    } catch (...) {
        resync();
        throw;
    }
    endMoveRows();
}

void MenuTreeModel::beginReset()
{
    beginResetModel();
    expanded_.clear();
}

void MenuTreeModel::setExpanded(Node node, bool expanded)
{
    if (expanded)
        expanded_.insert(tree_.id(node));
    else
        expanded_.erase(tree_.id(node));
}

std::vector<MenuTree::Id> MenuTreeModel::expandedIn(Node top)
{
    std::vector<MenuTree::Id> open;
    if (static_cast<std::size_t>(tree_.branchSize(top)) <= expanded_.size()) {
        std::vector<Node> todo{top};
        while (!todo.empty()) {
            const Node node = todo.back();
            todo.pop_back();
            const int children = tree_.childCount(node);
            if (children > 0 && expanded_.count(tree_.id(node)))
                open.push_back(tree_.id(node));
            for (int i = 0; i < children; ++i)
                todo.push_back(tree_.child(node, i));
        }
        return open;
    }
    for (auto it = expanded_.begin(); it != expanded_.end();) {
        const Node node = tree_.find(*it);
        if (!node) { // gone with its branch
            it = expanded_.erase(it);
            continue;
        }
        if (tree_.contains(top, node) && tree_.childCount(node) > 0)
            open.push_back(*it);
        ++it;
    }
    return open;
}

void MenuTreeModel::resync()
{
    // The tree refused a change it had been announced for, having changed nothing: the views
    // start over from the tree as it is.
    beginResetModel();
    endResetModel();
}

void MenuTreeModel::setCaption(Node node, const std::string &caption)
{
    tree_.setCaption(node, caption);
    const QModelIndex at = indexOf(node);
    emit dataChanged(at, at, {Qt::DisplayRole});
}
