#include "CurrentPage.h"

#include <algorithm>

int currentPageItem(const MenuRecords &items, const std::vector<int> &parents,
                    std::string_view pageUrl)
{
    if (pageUrl.empty())
        return -1;
    const std::string page = pageKey(pageUrl);
    const std::size_t count = std::min(items.size(), parents.size());
    for (std::size_t k = 0; k < count; ++k) {
        const bool opensPopup = k + 1 < count && parents[k + 1] == int(k);
        const std::string_view url = items[k][ItemField::ItemURL];
        if (!opensPopup && !url.empty() && pageKey(url) == page)
            return int(k);
    }
    return -1;
}
