#pragma once

#include "document/ItemTree.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An item tree kept in a few flat arrays, for a menu that is read rather than edited (the
// batch tool): 24 bytes a node besides its caption's text, where a tree of heap nodes takes
// about 90. Nodes are numbered in the order they are added; a handle is its number plus one,
// and a handle that is not one of this tree's is refused with std::out_of_range.
class PackedTree : public ItemTree
{
public:
    PackedTree() = default;
    PackedTree(const PackedTree &) = delete;
    PackedTree &operator=(const PackedTree &) = delete;

    Node root() const override;
    Node parent(Node node) const override;
    int childCount(Node node) const override;
    Node child(Node node, int index) const override;
    std::string caption(Node node) const override;
    void clear() override;
    Node addChild(Node parent, const std::string &caption) override;

private:
    static constexpr std::uint32_t NoParent = UINT32_MAX;
    std::size_t number(Node node) const;
    static Node handle(std::size_t number);
    void indexChildren() const;

    std::vector<std::uint32_t> parents_;
    std::vector<std::uint32_t> childCounts_;
    std::vector<std::size_t> captionEnds_;
    std::string captions_;
    // Each node's children in the order they were added, one run per node, worked out when a
    // child is first asked for after the tree grew.
    mutable std::vector<std::uint32_t> firstChild_;
    mutable std::vector<std::uint32_t> children_;
    mutable bool indexed_ = true;
};
