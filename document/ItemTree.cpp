#include "ItemTree.h"

#include <utility>

int ItemTree::level(Node node) const
{
    int depth = 0;
    for (Node p = parent(node); p; p = parent(p))
        ++depth;
    return depth;
}

int ItemTree::indexInParent(Node node) const
{
    const Node p = parent(node);
    if (!p)
        return 0;
    const int count = childCount(p);
    for (int i = 0; i < count; ++i) {
        if (child(p, i) == node)
            return i;
    }
    return -1;
}

ItemTree::Node ItemTree::nextSibling(Node node) const
{
    const Node p = parent(node);
    if (!p)
        return nullptr;
    const int i = indexInParent(node) + 1;
    return i < childCount(p) ? child(p, i) : nullptr;
}

ItemTree::Node ItemTree::previousSibling(Node node) const
{
    const Node p = parent(node);
    if (!p)
        return nullptr;
    const int i = indexInParent(node) - 1;
    return i >= 0 ? child(p, i) : nullptr;
}

std::vector<ItemTree::Node> ItemTree::preOrder() const
{
    std::vector<Node> nodes;
    for (const PreOrderEntry &entry : preOrderEntries(*this))
        nodes.push_back(entry.node);
    return nodes;
}

std::vector<PreOrderEntry> preOrderEntries(const ItemTree &tree)
{
    std::vector<PreOrderEntry> walk;
    const ItemTree::Node root = tree.root();
    if (!root)
        return walk;

    // Explicit stack of (entry index, next child to visit) so deep trees cannot overflow
    // the call stack.
    std::vector<std::pair<int, int>> stack;
    walk.push_back({root, 0, tree.childCount(root), -1});
    stack.emplace_back(0, 0);
    while (!stack.empty()) {
        auto &[entryIndex, nextChild] = stack.back();
        const PreOrderEntry parentEntry = walk[static_cast<std::size_t>(entryIndex)];
        if (nextChild >= parentEntry.childCount) {
            stack.pop_back();
            continue;
        }
        const ItemTree::Node node = tree.child(parentEntry.node, nextChild++);
        const int index = static_cast<int>(walk.size());
        walk.push_back({node, parentEntry.level + 1, tree.childCount(node), entryIndex});
        stack.emplace_back(index, 0);
    }
    return walk;
}
