#include "document/LinkCheck.h"

#include <gtest/gtest.h>

// Schemes as a browser reads them: blanks and controls around the link and tabs and line
// breaks inside it do not hide a script.
TEST(LinkCheck, SchemesAsABrowserReadsThem)
{
    const struct
    {
        const char *url;
        const char *scheme;
        bool script;
    } cases[] = {
        {"javascript:void(0)", "javascript", true},
        {"  \x01JaVa\tScRipt:alert(1)", "javascript", true},
        {"java\r\nscript:x", "javascript", true},
        {"vbscript:msgbox", "vbscript", true},
        {"DATA:text/html,<b>", "data", true},
        {"https://example.com/a:b", "https", false},
        {"page.html", "", false},
        {"./javascript:x", "", false},
        {"1http:x", "", false},
        {"java script:x", "", false},
        {"", "", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(linkScheme(c.url), c.scheme) << c.url;
        EXPECT_EQ(linkRunsScript(c.url), c.script) << c.url;
    }
}

// The page splits each item's value at the separator: the warning names what it then uses.
TEST(LinkCheck, SeparatorsShiftWhatThePageUses)
{
    ItemList items(3);
    items[0].set(ItemField::ItemCaption, "Home|javascript:steal()|_self");
    items[0].set(ItemField::ItemURL, "index.html");
    items[1].set(ItemField::ItemCaption, "Plain");
    items[1].set(ItemField::ItemURL, "plain.html");
    items[2].set(ItemField::ItemCaption, "Void");
    items[2].set(ItemField::ItemURL, "javascript:void(0)");
    const PageReading page = pageReading(items[0], "|");
    EXPECT_EQ(page.caption, "Home");
    EXPECT_EQ(page.url, "javascript:steal()");
    EXPECT_EQ(page.target, "_self");
    const std::vector<AccessibilityWarning> warnings = linkWarnings(MenuRecords{items}, "|");
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].item, 0);
    EXPECT_NE(warnings[0].what.find("the page shows \"Home\", links to \"javascript:steal()\""),
              std::string::npos);
    EXPECT_NE(warnings[1].what.find("runs a script"), std::string::npos);
    EXPECT_EQ(warnings[2].where, "item 3 \"Void\"");
}
