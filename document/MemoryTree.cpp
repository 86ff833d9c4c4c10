#include "MemoryTree.h"

#include <algorithm>
#include <stdexcept>

ItemTree::Node MemoryTree::root() const
{
    return root_.get();
}

ItemTree::Node MemoryTree::parent(Node node) const
{
    return item(node)->parent;
}

int MemoryTree::childCount(Node node) const
{
    return static_cast<int>(item(node)->children.size());
}

ItemTree::Node MemoryTree::child(Node node, int index) const
{
    auto &children = item(node)->children;
    if (index < 0 || static_cast<std::size_t>(index) >= children.size())
        return nullptr;
    return children[static_cast<std::size_t>(index)].get();
}

std::string MemoryTree::caption(Node node) const
{
    return item(node)->caption;
}

void MemoryTree::clear()
{
    root_.reset();
}

ItemTree::Node MemoryTree::addChild(Node parent, const std::string &caption)
{
    return insertChild(parent, parent ? childCount(parent) : 0, caption);
}

ItemTree::Node MemoryTree::insertChild(Node parent, int index, const std::string &caption)
{
    auto node = std::make_unique<Item>();
    node->caption = caption;
    Item *raw = node.get();
    if (!parent) {
        if (root_)
            throw std::logic_error("the tree already has a root");
        root_ = std::move(node);
        return raw;
    }
    auto &children = item(parent)->children;
    const auto at = static_cast<std::size_t>(std::clamp(index, 0, childCount(parent)));
    raw->parent = item(parent);
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
    return raw;
}

void MemoryTree::remove(Node node)
{
    Item *target = item(node);
    if (!target->parent) {
        root_.reset();
        return;
    }
    auto &siblings = target->parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [target](const auto &p) { return p.get() == target; }));
}
