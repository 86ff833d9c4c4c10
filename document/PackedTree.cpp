#include "PackedTree.h"

#include <stdexcept>

std::size_t PackedTree::number(Node node) const
{
    const auto value = reinterpret_cast<std::uintptr_t>(node);
    if (value == 0 || value > parents_.size())
        throw std::out_of_range("not a node of this tree");
    return static_cast<std::size_t>(value - 1);
}

ItemTree::Node PackedTree::handle(std::size_t number)
{
    return reinterpret_cast<Node>(static_cast<std::uintptr_t>(number + 1));
}

ItemTree::Node PackedTree::root() const
{
    return parents_.empty() ? nullptr : handle(0);
}

ItemTree::Node PackedTree::parent(Node node) const
{
    const std::uint32_t parent = parents_[number(node)];
    return parent == NoParent ? nullptr : handle(parent);
}

int PackedTree::childCount(Node node) const
{
    return static_cast<int>(childCounts_[number(node)]);
}

ItemTree::Node PackedTree::child(Node node, int index) const
{
    const std::size_t n = number(node);
    if (index < 0 || static_cast<std::uint32_t>(index) >= childCounts_[n])
        return nullptr;
    indexChildren();
    return handle(children_[firstChild_[n] + static_cast<std::uint32_t>(index)]);
}

std::string PackedTree::caption(Node node) const
{
    const std::size_t n = number(node);
    const std::size_t begin = n == 0 ? 0 : captionEnds_[n - 1];
    return captions_.substr(begin, captionEnds_[n] - begin);
}

void PackedTree::clear()
{
    parents_ = {};
    childCounts_ = {};
    captionEnds_ = {};
    captions_ = {};
    firstChild_ = {};
    children_ = {};
    indexed_ = true;
}

ItemTree::Node PackedTree::addChild(Node parent, const std::string &caption)
{
    if (!parent && !parents_.empty())
        throw std::logic_error("the tree already has a root");
    const std::size_t parentNumber = parent ? number(parent) : NoParent;
    if (parents_.size() >= NoParent || (parent && childCounts_[parentNumber] >= INT32_MAX))
        throw std::length_error("the tree holds no more nodes");
    captions_ += caption;
    captionEnds_.push_back(captions_.size());
    parents_.push_back(static_cast<std::uint32_t>(parentNumber));
    childCounts_.push_back(0);
    if (parent)
        ++childCounts_[parentNumber];
    indexed_ = false;
    return handle(parents_.size() - 1);
}

void PackedTree::indexChildren() const
{
    if (indexed_)
        return;
    // Each run's end first; then the nodes, last to first, fill their parents' runs from the
    // back, which leaves every run in the order its nodes were added and its start behind.
    firstChild_.assign(parents_.size(), 0);
    std::uint32_t end = 0;
    for (std::size_t n = 0; n < parents_.size(); ++n)
        firstChild_[n] = end += childCounts_[n];
    children_.assign(end, 0);
    for (std::size_t n = parents_.size(); n-- > 1;)
        children_[--firstChild_[parents_[n]]] = static_cast<std::uint32_t>(n);
    indexed_ = true;
}
