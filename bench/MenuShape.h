#pragma once

#include "MemoryTree.h"
#include "qarAppletAgent.h"

#include <string>

// A menu of realistic shape for the benchmarks: first-level items whose popups go four levels
// deep with eight entries each, filled in pre-order until the item count is reached. Each
// item links to a page of its own.
inline void buildMenu(TqarAppletAgent &doc, MemoryTree &tree, int items)
{
    doc.ResetToDefaults();
    tree.clear();
    const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
    int made = 0;
    auto grow = [&](auto &self, ItemTree::Node parent, int level) -> void {
        const ItemTree::Node node = tree.addChild(parent, "Item " + std::to_string(made));
        TItemData item = doc.MakeNewItem();
        item[ItemField::ItemCaption] = tree.caption(node);
        item[ItemField::ItemURL] = "page" + std::to_string(made) + ".html";
        doc.GetItems().push_back(item);
        ++made;
        for (int i = 0; level < 4 && i < 8 && made < items; ++i)
            self(self, node, level + 1);
    };
    while (made < items)
        grow(grow, root, 1);
}

// The two shapes the scaling benchmarks use, of about items items: "wide", sqrt(N) first-level
// items with sqrt(N) children each; "deep", four children per item down to ten levels, filled
// in pre-order.
inline void buildShapedMenu(TqarAppletAgent &doc, MemoryTree &tree, int items,
                            const std::string &shape)
{
    doc.ResetToDefaults();
    tree.clear();
    const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
    int made = 0;
    auto add = [&](ItemTree::Node parent) {
        const ItemTree::Node node = tree.addChild(parent, "Item " + std::to_string(made));
        TItemData item = doc.MakeNewItem();
        item[ItemField::ItemCaption] = tree.caption(node);
        item[ItemField::ItemURL] = "page" + std::to_string(made) + ".html";
        doc.GetItems().push_back(item);
        ++made;
        return node;
    };
    if (shape == "wide") {
        int side = 1;
        while (side * side < items)
            ++side;
        for (int first = 0; first < side && made < items; ++first) {
            const ItemTree::Node top = add(root);
            for (int k = 1; k < side && made < items; ++k)
                add(top);
        }
        return;
    }
    auto grow = [&](auto &self, ItemTree::Node parent, int level) -> void {
        const ItemTree::Node node = add(parent);
        for (int i = 0; level < 10 && i < 4 && made < items; ++i)
            self(self, node, level + 1);
    };
    while (made < items)
        grow(grow, root, 1);
}
