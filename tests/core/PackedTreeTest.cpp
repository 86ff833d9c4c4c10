#include "document/PackedTree.h"

#include "document/MemoryTree.h"

#include <gtest/gtest.h>
#include <random>

namespace {
// The shape and captions as a pre-order walk sees them.
std::vector<std::string> walk(const ItemTree &tree)
{
    std::vector<std::string> lines;
    for (const PreOrderEntry &entry : preOrderEntries(tree)) {
        const ItemTree::Node parent = tree.parent(entry.node);
        lines.push_back(std::to_string(entry.level) + " " + tree.caption(entry.node) + " of " +
                        (parent ? tree.caption(parent) : "-"));
    }
    return lines;
}
} // namespace

// Built in any order, not only the file's pre-order, and asked between additions (so the
// children are worked out again), the packed tree reads as a tree of heap nodes does.
TEST(PackedTree, ReadsAsTheHeapTreeBuiltTheSameWay)
{
    std::mt19937 random(11);
    PackedTree packed;
    MemoryTree plain;
    std::vector<std::pair<ItemTree::Node, ItemTree::Node>> nodes{
        {packed.addChild(nullptr, "root"), plain.addChild(nullptr, "root")}};
    for (int n = 1; n < 600; ++n) {
        const auto &[packedParent, plainParent] = nodes[random() % nodes.size()];
        const std::string caption = n % 9 == 0 ? std::string() : "n" + std::to_string(n);
        nodes.emplace_back(packed.addChild(packedParent, caption),
                           plain.addChild(plainParent, caption));
        if (n % 97 == 0) {
            ASSERT_EQ(walk(packed), walk(plain)) << "after node " << n;
        }
    }
    EXPECT_EQ(walk(packed), walk(plain));
    EXPECT_EQ(packed.child(packed.root(), -1), nullptr);
    EXPECT_EQ(packed.child(packed.root(), packed.childCount(packed.root())), nullptr);
    EXPECT_THROW(packed.addChild(nullptr, "second root"), std::logic_error);
    EXPECT_THROW(packed.caption(nullptr), std::out_of_range);
    packed.clear();
    EXPECT_EQ(packed.root(), nullptr);
    EXPECT_THROW(packed.childCount(nodes.back().first), std::out_of_range); // cleared away
}
