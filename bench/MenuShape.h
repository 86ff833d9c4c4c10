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
