#pragma once

#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/MenuTree.h"

#include <string>

// Adds item number made below parent: captioned "Item N", linking to a page of its own.
inline ItemTree::Node addBenchItem(MenuDocument &doc, MemoryTree &tree, ItemTree::Node parent,
                                   int &made)
{
    const ItemTree::Node node = tree.addChild(parent, "Item " + std::to_string(made));
    ItemRecord item = doc.newItem();
    item.set(ItemField::ItemCaption, tree.caption(node));
    item.set(ItemField::ItemURL, "page" + std::to_string(made) + ".html");
    doc.items().push_back(item);
    ++made;
    return node;
}

// Items filled in pre-order below the root until there are items of them: levels deep, each
// with up to fanOut children.
inline void growMenu(MenuDocument &doc, MemoryTree &tree, int items, int levels, int fanOut)
{
    doc.resetToDefaults();
    tree.clear();
    const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
    int made = 0;
    auto grow = [&](auto &self, ItemTree::Node parent, int level) -> void {
        const ItemTree::Node node = addBenchItem(doc, tree, parent, made);
        for (int i = 0; level < levels && i < fanOut && made < items; ++i)
            self(self, node, level + 1);
    };
    while (made < items)
        grow(grow, root, 1);
}

// A menu of realistic shape for the benchmarks: first-level items whose popups go four levels
// deep with eight entries each.
inline void buildMenu(MenuDocument &doc, MemoryTree &tree, int items)
{
    growMenu(doc, tree, items, 4, 8);
}

// Chains of 1,000 levels (about 570 bytes an item in the file, most of them the tabs of the
// structure lines): every popup lies a level below the last.
inline void buildChains(MenuDocument &doc, MemoryTree &tree, int items)
{
    doc.resetToDefaults();
    tree.clear();
    const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
    int made = 0;
    while (made < items) {
        ItemTree::Node parent = root;
        for (int level = 0; level < MaxMenuDepth && made < items; ++level) {
            parent = addBenchItem(doc, tree, parent, made);
        }
    }
}

// The shapes the benchmarks use, of about items items: "wide", sqrt(N) first-level items with
// sqrt(N) children each; "deep", four children per item down to ten levels; "chains", chains
// of 1,000 levels; "named", wide with five picture and sound names of its own per item.
inline void buildShapedMenu(MenuDocument &doc, MemoryTree &tree, int items,
                            const std::string &shape)
{
    if (shape == "chains") {
        buildChains(doc, tree, items);
        return;
    }
    if (shape == "named") {
        buildShapedMenu(doc, tree, items, "wide");
        int k = 0;
        for (ItemRecord &item : doc.items()) {
            const std::string n = std::to_string(k++);
            item.set(ItemField::ItemNoBgImg, {"n" + n + ".gif", "o" + n + ".gif", "c" + n + ".gif",
                                              "o" + n + ".au", "c" + n + ".au"});
        }
        return;
    }
    if (shape != "wide") {
        growMenu(doc, tree, items, 10, 4);
        return;
    }
    doc.resetToDefaults();
    tree.clear();
    const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
    int side = 1;
    while (side * side < items)
        ++side;
    int made = 0;
    for (int first = 0; first < side && made < items; ++first) {
        const ItemTree::Node top = addBenchItem(doc, tree, root, made);
        for (int k = 1; k < side && made < items; ++k)
            addBenchItem(doc, tree, top, made);
    }
}
