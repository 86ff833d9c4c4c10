#pragma once

#include "document/ItemData.h"
#include "document/ItemTree.h"
#include "document/ProgressDisplay.h"

// Numbers the menu structure into item fields 12 to 15 (ItemSubMenu, ItemMenu, ItemIndex,
// ItemButton) from the tree. Item k - 1 belongs to the node at pre-order position k.
// Throws std::logic_error when the list does not hold one record per item node.
void numberMenuStructure(const ItemTree &tree, ItemList &items, ProgressDisplay &progress);
