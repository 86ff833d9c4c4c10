#include "MenuStructure.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr int FirstLevel = 1;
}

void numberMenuStructure(const ItemTree &tree, ItemList &items, ProgressDisplay &progress)
{
    using namespace ItemField;
    const std::vector<PreOrderEntry> walk = preOrderEntries(tree);
    const std::size_t itemNodes = walk.empty() ? 0 : walk.size() - 1;
    if (items.size() != itemNodes)
        throw std::logic_error("the item list holds " + std::to_string(items.size()) +
                               " records for " + std::to_string(itemNodes) + " item nodes");

    progress.setMaximum(static_cast<int>(3 * itemNodes + 20));
    progress.setText("Processing menu structure ... ...");
    // Worked out for every entry first (the walk's root included), then written to each
    // record in one go: the four numbers are neighbouring fields.
    static_assert(ItemMenu == ItemSubMenu + 1 && ItemIndex == ItemSubMenu + 2 &&
                  ItemButton == ItemSubMenu + 3);
    std::vector<int> branchOf(walk.size(), 0);
    std::vector<int> popupOf(walk.size(), -1); // the popup an entry opens; -1 for none

    // Branch numbers: a deeper item carries the number of its first-level ancestor.
    int branch = 0;
    for (std::size_t k = 1; k < walk.size(); ++k) {
        branchOf[k] = walk[k].level == FirstLevel ? branch++ : branch - 1;
        progress.step(1);
    }

    // Popup numbers, counted from 0 within each first-level branch in pre-order.
    int menu = 0;
    for (std::size_t k = 1; k < walk.size(); ++k) {
        if (walk[k].level == FirstLevel)
            menu = 0;
        if (walk[k].childCount > 0)
            popupOf[k] = menu++;
        progress.step(1);
    }

    // Popup members: each child takes its parent's popup number and its position in it.
    // Walking the children through their parent entries keeps this linear.
    std::vector<int> nextPosition(walk.size(), 0);
    for (std::size_t k = 1; k < walk.size(); ++k) {
        const auto parent = static_cast<std::size_t>(walk[k].parentIndex);
        ItemRecord &item = items[k - 1];
        const std::string subMenu = popupOf[k] < 0 ? std::string() : std::to_string(popupOf[k]);
        // First-level items lie in no popup.
        const std::string inMenu =
            walk[k].level == FirstLevel ? std::string() : std::to_string(popupOf[parent]);
        const std::string index = std::to_string(nextPosition[parent]++);
        const std::string button = std::to_string(branchOf[k]);
        // A record already numbered so keeps its block.
        if (item[ItemSubMenu] != subMenu || item[ItemMenu] != inMenu || item[ItemIndex] != index ||
            item[ItemButton] != button)
            item.set(ItemSubMenu, {subMenu, inMenu, index, button});
        progress.step(1);
    }

    progress.step(20);
    progress.setPosition(0);
    progress.setText("");
}
