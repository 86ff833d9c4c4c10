#pragma once

#include "document/MenuLayout.h"

#include <string>
#include <string_view>
#include <vector>

// A link's address as pages compare them: without its fragment, a path ending in "index.html"
// or "index.htm" as the same path ending in "/", scheme and host in lower case.
std::string pageKey(std::string_view url);

// The current page's item: the first item without a popup, in pre-order, whose link is the
// page's own address; -1 when no item links to it. items are in pre-order, parents as
// itemParents gives them (an item opens a popup when the next item is its child).
int currentPageItem(const MenuRecords &items, const std::vector<int> &parents,
                    std::string_view pageUrl);
