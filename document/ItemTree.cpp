#include "ItemTree.h"

#include <utility>

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
