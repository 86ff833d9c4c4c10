#include "document/CurrentPage.h"

#include <gtest/gtest.h>

// Addresses that name the same page, and some that do not.
TEST(CurrentPage, AddressesCompareAsPages)
{
    const struct
    {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"soft.html", "soft.html#top", true},
        {"docs/", "docs/index.html", true},
        {"docs/", "docs/INDEX.HTM", true},
        {"index.html", "", true},
        {"HTTP://Example.COM/a/", "http://example.com/a/index.html", true},
        {"http://example.com/A.html", "http://example.com/a.html", false},
        {"list.html?page=1", "list.html?page=2", false},
        {"list.html?x=/index.html", "list.html?x=/", false},
        {"myindex.html", "my", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pageKey(c.a) == pageKey(c.b), c.same) << c.a << " and " << c.b;
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
