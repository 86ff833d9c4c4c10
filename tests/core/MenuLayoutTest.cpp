#include "document/MenuLayout.h"

#include "document/MenuTree.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

namespace {
// Every caption is ten pixels a character, whatever the font.
class TenPerChar : public CaptionMeasure
{
public:
    double width(const std::string &utf8, const CaptionFont &) const override
    {
        return 10.0 * static_cast<double>(utf8.size());
    }
};

MenuLayout layoutOf(const MenuDocument &doc, const MemoryTree &tree)
{
    return computeMenuLayout(doc.appletData(), doc.items(), itemParents(tree), TenPerChar());
}
} // namespace

TEST(MenuValues, MalformedValuesCountAsTheirDefaults)
{
    struct Case
    {
        std::string text;
        int expected;
    };
    for (const Case &c : std::vector<Case>{{"12", 12},
                                           {"-9999", -9999},
                                           {"10000", 40},
                                           {"+5", 40},
                                           {" 5", 40},
                                           {"5.0", 40},
                                           {"", 40},
                                           {"-", 40},
                                           {"99999999999999999999999", 40}})
        EXPECT_EQ(parseInteger(c.text, -9999, 9999, 40), c.expected) << "'" << c.text << "'";

    AppletRecord data;
    data.set(AppletField::ApBgClr, "a0B0c0");
    data.set(AppletField::ApBrdClr, "12345G");
    data.set(AppletField::MnItemsAlign, "2");
    data.set(AppletField::PopupFntSize, "999");
    const AppletValues v(data);
    EXPECT_EQ(v.colour(AppletField::ApBgClr), (Rgb{0xA0, 0xB0, 0xC0}));
    EXPECT_EQ(v.colour(AppletField::ApBrdClr), (Rgb{0xF4, 0xBE, 0x1A})); // the default
    EXPECT_EQ(v.choice(AppletField::MnItemsAlign, 2), 1);
    EXPECT_EQ(v.font(AppletField::PopupFntName).size, 999);
    EXPECT_EQ(lightOf({0, 100, 255}), (Rgb{102, 162, 255}));
    EXPECT_EQ(darkOf({0, 100, 255}), (Rgb{0, 60, 153}));

    // A field holding "|" shifts every later one, as it does in the page's "app" value.
    data.set(AppletField::MnX, "7|8");
    const AppletValues shifted(data);
    EXPECT_EQ(shifted.position(AppletField::MnX), 7);
    EXPECT_EQ(shifted.position(AppletField::MnY), 8);
}

TEST(MenuLayout, VerticalMenuWithNestedPopupsAndSeparators)
{
    MenuDocument doc;
    MemoryTree tree;
    buildTree(tree, {"Tarvelle", ">Home", ">Products", ">>A", ">>-", ">>Bigger", ">>>B1"});
    fillItemsFromTree(doc, tree);
    AppletRecord data = doc.appletData();
    data.set(AppletField::MnItemsAlign, "0");
    data.set(AppletField::MnX, "10");
    data.set(AppletField::MnY, "5");
    data.set(AppletField::MnBrdStyle, "1");
    data.set(AppletField::MnBrdWidth, "2");
    data.set(AppletField::MnItemsGap, "-3");
    data.set(AppletField::PopupFntSize, "10");
    doc.setAppletData(data);
    doc.items()[1].set(ItemField::ItemMenuOffsetX, "-4");
    // A row without a popup carries "caption|url|target|", so its caption ends at a "|".
    doc.items()[2].set(ItemField::ItemCaption, "Much wider than eighty|tail");

    const MenuLayout l = layoutOf(doc, tree);
    EXPECT_EQ(menuLayoutJson(l),
              "{\"applet\": [0, 0, 400, 60], \"menu\": [10, 5, 84, 41], "
              "\"items\": [[12, 7, 80, 20], [12, 24, 80, 20]], \"popups\": ["
              "{\"path\": [1], \"box\": [88, 29, 250, 61], \"rows\": "
              "[[32, 24, \"item\"], [56, 7, \"separator\"], [63, 24, \"submenu\"]]}, "
              "{\"path\": [1, 2], \"box\": [335, 60, 80, 30], \"rows\": [[63, 24, \"item\"]]}]}\n");
    // Narrow: a 44-pixel bar and rows (the items and the 10-pixel font are smaller), every
    // branch expanded in pre-order, separators 7 pixels high.
    const NarrowLayout narrow =
        computeNarrowLayout(doc.appletData(), MenuRecords{doc.items()}, l, 300);
    EXPECT_EQ(
        narrowLayoutJson(narrow),
        "{\"width\": 300, \"bar\": [0, 0, 300, 44], \"button\": [0, 0, 44, 44], \"rows\": ["
        "{\"path\": [0], \"box\": [0, 44, 300, 44], \"kind\": \"item\", \"depth\": 1}, "
        "{\"path\": [1], \"box\": [0, 88, 300, 44], \"kind\": \"branch\", \"depth\": 1}, "
        "{\"path\": [1, 0], \"box\": [0, 132, 300, 44], \"kind\": \"item\", \"depth\": 2}, "
        "{\"path\": [1, 1], \"box\": [0, 176, 300, 7], \"kind\": \"separator\", \"depth\": 2}, "
        "{\"path\": [1, 2], \"box\": [0, 183, 300, 44], \"kind\": \"branch\", \"depth\": 2}, "
        "{\"path\": [1, 2, 0], \"box\": [0, 227, 300, 44], \"kind\": \"item\", \"depth\": 3}]}\n");
    EXPECT_EQ(narrow.rows[2].caption, "Much wider than eighty");
    EXPECT_EQ(l.itemIndex, (std::vector<int>{0, 1}));
    EXPECT_EQ(l.itemPopup, (std::vector<int>{-1, 0}));
    EXPECT_EQ(l.popups[0].rows[2].popup, 1);
    EXPECT_EQ(l.popups[1].parent, 0);
    EXPECT_EQ(l.popups[1].rows[0].item, 5);

    buildTree(tree, {"Tarvelle"});
    doc.items().clear();
    EXPECT_FALSE(layoutOf(doc, tree).menu.has_value());
}

// A popup knows its way by its parent: the memory a chain's layouts take grows with the
// chain's length, not with its square.
TEST(MenuLayout, DeepChainsTakeMemoryInProportionToTheirItems)
{
    const auto allocatedFor = [](int depth) {
        MenuDocument doc;
        MemoryTree tree;
        std::vector<std::string> outline{"Tarvelle"};
        for (int level = 1; level <= depth; ++level)
            outline.push_back(std::string(static_cast<std::size_t>(level), '>') + "L");
        buildTree(tree, outline);
        fillItemsFromTree(doc, tree);
        const std::vector<int> parents = itemParents(tree);
        const AllocationCounter counter;
        const MenuLayout layout =
            computeMenuLayout(doc.appletData(), doc.items(), parents, EstimatedMeasure());
        const NarrowLayout narrow =
            computeNarrowLayout(doc.appletData(), MenuRecords{doc.items()}, layout, 300);
        EXPECT_EQ(popupPath(layout, depth - 2).size(), static_cast<std::size_t>(depth - 1));
        EXPECT_EQ(narrow.rows.size(), static_cast<std::size_t>(depth));
        return counter.bytes();
    };
    const std::size_t quarter = allocatedFor(MaxMenuDepth / 4), whole = allocatedFor(MaxMenuDepth);
    EXPECT_LT(whole, quarter * 6) << quarter << " bytes for 250 levels, " << whole << " for 1,000";
}
