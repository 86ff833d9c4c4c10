#include "document/CurrentPage.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

// Addresses that name the same page, and some that do not: the table the runtime's tests read
// too, so that both compare every case alike.
TEST(CurrentPage, AddressesCompareAsPages)
{
    std::ifstream file(TARVELLE_SOURCE_DIR "/tests/data/page-addresses.json");
    ASSERT_TRUE(file);
    const nlohmann::json table = nlohmann::json::parse(file);
    ASSERT_GE(table.at("pairs").size(), 10u);
    for (const auto &pair : table.at("pairs")) {
        const std::string a = pair.at(0), b = pair.at(1);
        EXPECT_EQ(pageKey(a) == pageKey(b), pair.at(2).get<bool>()) << a << " and " << b;
    }
    EXPECT_EQ(pageKey("index.html"), pageKey("")) << "a relative index page is its folder";
}

// The first item in pre-order without a popup whose link is the page's.
TEST(CurrentPage, TheFirstLinkWithoutAPopupIsCurrent)
{
    ItemList items(5);
    const char *urls[] = {"soft.html", "soft.html", "docs/", "soft.html#a", "docs/index.html"};
    for (std::size_t k = 0; k < items.size(); ++k)
        items[k].set(ItemField::ItemURL, urls[k]);
    // 0 opens a popup holding 1 and 2; 3 and 4 are first-level items.
    const std::vector<int> parents{-1, 0, 0, -1, -1};
    const MenuRecords records{items};
    EXPECT_EQ(currentPageItem(records, parents, "soft.html"), 1) << "0 opens a popup";
    EXPECT_EQ(currentPageItem(records, parents, "docs/index.html#x"), 2);
    EXPECT_EQ(currentPageItem(records, parents, "other.html"), -1);
    EXPECT_EQ(currentPageItem(records, parents, ""), -1);
    EXPECT_EQ(currentPageItem(records, {-1}, "soft.html"), 0)
        << "items beyond the parents are not read";
}
