#include "MenuStructure.h"

#include <stdexcept>
#include <string>

namespace {
constexpr int FirstLevel = 1;
}

void numberMenuStructure(const ItemTree &tree, TItemArray &items, ProgressDisplay &progress)
{
    using namespace ItemField;
    const std::vector<PreOrderEntry> walk = preOrderEntries(tree);
    const std::size_t itemNodes = walk.empty() ? 0 : walk.size() - 1;
    if (items.size() != itemNodes)
        throw std::logic_error("the item list holds " + std::to_string(items.size()) +
                               " records for " + std::to_string(itemNodes) + " item nodes");

    progress.setMaximum(static_cast<int>(3 * itemNodes + 20));
    progress.setText("Processing menu structure ... ...");
    auto itemOf = [&items](std::size_t k) -> TItemData & { return items[k - 1]; };

    // Branch numbers: a deeper item carries the number of its first-level ancestor.
    int branch = 0;
    for (std::size_t k = 1; k < walk.size(); ++k) {
        if (walk[k].level == FirstLevel)
            itemOf(k)[ItemButton] = std::to_string(branch++);
        else
            itemOf(k)[ItemButton] = std::to_string(branch - 1);
        progress.step(1);
    }

    // Popup numbers, counted from 0 within each first-level branch in pre-order.
    int menu = 0;
    for (std::size_t k = 1; k < walk.size(); ++k) {
        if (walk[k].level == FirstLevel)
            menu = 0;
        if (walk[k].childCount > 0)
            itemOf(k)[ItemSubMenu] = std::to_string(menu++);
        else
            itemOf(k)[ItemSubMenu].clear();
        progress.step(1);
    }

    // Popup members: each child takes its parent's popup number and its position in it.
    // Walking the children through their parent entries keeps this linear.
    std::vector<int> nextPosition(walk.size(), 0);
    for (std::size_t k = 1; k < walk.size(); ++k) {
        const int parent = walk[k].parentIndex;
        const int position = nextPosition[static_cast<std::size_t>(parent)]++;
        TItemData &item = itemOf(k);
        item[ItemIndex] = std::to_string(position);
        if (walk[k].level == FirstLevel)
            item[ItemMenu].clear(); // first-level items lie in no popup
        else
            item[ItemMenu] = itemOf(static_cast<std::size_t>(parent))[ItemSubMenu];
        progress.step(1);
    }

    progress.step(20);
    progress.setPosition(0);
    progress.setText("");
}
