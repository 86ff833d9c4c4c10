#include "document/AccessibilityCheck.h"

#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

// Each case changes some applet fields of a two-item menu (Home, Products with a child) and
// lists the warnings it must give, by where and the start of what.
TEST(AccessibilityCheck, ContrastInEveryStateAndTheTargetSize)
{
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio({0x77, 0x77, 0x77}, {255, 255, 255}), 4.48, 0.01);

    struct Case
    {
        const char *name;
        std::vector<std::pair<int, std::string>> fields;
        std::vector<std::string> expected;
    };
    const std::string home = "item 1 \"Home\": the caption's contrast in the ";
    const std::string products = "item 2 \"Products\": the caption's contrast in the ";
    const std::vector<Case> cases{
        {"defaults, items 24 high", {{30, "24"}}, {}},
        {"items 20 high", {}, {"first-level items: 80 x 20 pixels is smaller than 24 x 24"}},
        {"grey on white",
         {{30, "24"}, {38, "777777"}},
         {home + "normal state is 4.4:1", products + "normal state is 4.4:1"}},
        // A gradient counts by its worst row: white to black under black text.
        {"mouse-over gradient",
         {{30, "24"}, {50, "FFFFFF"}, {51, "000000"}, {91, "1"}},
         {home + "mouse-over state is 1.0:1", products + "mouse-over state is 1.0:1"}},
        // A transparent item shows the menu box; a transparent menu box the applet.
        {"clicked over the menu box",
         {{30, "24"}, {73, "1"}, {18, "101010"}},
         {home + "clicked state is 1.1:1", products + "clicked state is 1.1:1"}},
        {"clicked over the applet",
         {{30, "24"}, {73, "1"}, {20, "1"}, {18, "000000"}, {2, "FFFFFF"}},
         {}},
    };
    for (const Case &c : cases) {
        MenuDocument doc;
        MemoryTree tree;
        buildTree(tree, {"Tarvelle", ">Home", ">Products", ">>A"});
        fillItemsFromTree(doc, tree);
        AppletRecord data = doc.appletData();
        for (const auto &[pos, value] : c.fields)
            data.set(pos, value);
        const MenuRecords items{doc.items()};
        const auto warnings = accessibilityWarnings(
            data, items, computeMenuLayout(data, items, itemParents(tree), EstimatedMeasure()));
        ASSERT_EQ(warnings.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < warnings.size(); ++i)
            EXPECT_EQ((warnings[i].where + ": " + warnings[i].what).rfind(c.expected[i], 0), 0u)
                << c.name << ": " << warnings[i].where << ": " << warnings[i].what;
    }
}
