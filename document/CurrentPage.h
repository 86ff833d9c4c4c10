#pragma once

#include "document/MenuLayout.h"
#include "document/PageAddress.h"

#include <string>
#include <string_view>
#include <vector>

// The current page's item: the first item without a popup, in pre-order, whose link is the
// page's own address; -1 when no item links to it. items are in pre-order, parents as
// itemParents gives them (an item opens a popup when the next item is its child).
int currentPageItem(const MenuRecords &items, const std::vector<int> &parents,
                    std::string_view pageUrl);
