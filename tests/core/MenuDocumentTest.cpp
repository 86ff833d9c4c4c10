#include "document/MenuDocument.h"

#include "document/Publisher.h"
#include "tests/core/TestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>

namespace {
std::string joined(const MenuDocument &doc)
{
    StringList values;
    doc.appletToStrings(doc.appletData(), values);
    std::string text;
    for (const std::string &value : values)
        text += value + "|";
    return text;
}

ItemRecord named(const MenuDocument &doc, const std::string &caption)
{
    ItemRecord item = doc.newItem();
    item.set(ItemField::ItemCaption, caption);
    return item;
}

std::string captions(const MenuDocument &doc)
{
    std::string text;
    for (const ItemRecord &item : doc.items())
        text += item[ItemField::ItemCaption];
    return text;
}

void fill(MenuDocument &doc, const std::string &captionsInOrder)
{
    doc.items().clear();
    for (char c : captionsInOrder)
        doc.insertItem(doc.itemCount(), named(doc, std::string(1, c)));
}
} // namespace

TEST(MenuDocument, CreateLeavesFieldsEmptyAndResetAppliesDefaults)
{
    MenuDocument doc;
    const AppletRecord created = doc.appletData();
    for (int pos = 1; pos <= AppletRecord::FieldCount; ++pos)
        EXPECT_EQ(created[pos], "") << "field " << pos;
    EXPECT_EQ(doc.separator(), "|");
    EXPECT_EQ(doc.appletName(), "zorvex");
    EXPECT_EQ(doc.appletFiles(), (StringList{"zorvex.jar", "zorvex.class", "", ""}));
    EXPECT_TRUE(Publisher(doc).stagedFiles().empty());

    doc.insertItem(0, doc.newItem());
    doc.resetToDefaults();
    EXPECT_TRUE(doc.items().empty());
    EXPECT_EQ(doc.appletData()[AppletField::ApLoadingMsg], "Loading...");
    const std::string text = joined(doc);
    EXPECT_EQ(text.rfind("0|FFFFFF|000000||0|0|0||Loading...|000000|FFFFFF|5|0|3|0|F4BE1A|", 0), 0u)
        << text;
    const std::string suffix = "|400|60|0|0|0|0|0|0|0|14|0|";
    ASSERT_GE(text.size(), suffix.size());
    EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix);
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 96);
}

TEST(MenuDocument, FieldTableCoversEveryPositionOnce)
{
    const auto &table = appletFieldTable();
    ASSERT_EQ(table.size(), 96u);
    for (int pos = 1; pos <= 96; ++pos)
        EXPECT_EQ(table[static_cast<std::size_t>(pos - 1)].position, pos);
    EXPECT_STREQ(table[AppletField::ItClBrdStyle - 1].name, "ItClBrdStyle");
    EXPECT_STREQ(table[AppletField::ItClBrdStyle - 1].defaultValue, "4");
}

TEST(MenuDocument, StringConversionsSizeExactlyAndRoundTrip)
{
    MenuDocument doc;
    doc.resetToDefaults();
    StringList list(200, "junk");
    doc.appletToStrings(doc.appletData(), list);
    EXPECT_EQ(list.size(), 96u);
    EXPECT_EQ(doc.appletFromStrings(list), doc.appletData());

    list.push_back("ignored");
    EXPECT_EQ(doc.appletFromStrings(list), doc.appletData());
    list.resize(95);
    EXPECT_THROW(doc.appletFromStrings(list), std::invalid_argument);

    ItemRecord item = doc.newItem();
    item.set(ItemField::ItemButton, "3");
    StringList fields(40, "x");
    doc.itemToStrings(item, fields);
    EXPECT_EQ(fields,
              (StringList{"Item", "", "_self", "", "", "", "", "", "", "5", "5", "", "", "", "3"}));
    EXPECT_EQ(doc.itemFromStrings(fields), item);
    fields.resize(14);
    EXPECT_THROW(doc.itemFromStrings(fields), std::invalid_argument);
}

TEST(MenuDocument, RecordsAreCopiesExceptTheSharedItemList)
{
    MenuDocument doc;
    doc.resetToDefaults();
    AppletRecord data = doc.appletData();
    data.set(AppletField::ApWidth, "123");
    EXPECT_EQ(doc.appletData()[AppletField::ApWidth], "400");
    doc.setAppletData(data);
    EXPECT_EQ(doc.appletData()[AppletField::ApWidth], "123");

    doc.insertItem(0, doc.newItem());
    ItemRecord copy = doc.item(0);
    copy.set(ItemField::ItemURL, "a.html");
    EXPECT_EQ(doc.item(0)[ItemField::ItemURL], "");
    doc.items()[0].set(ItemField::ItemURL, "b.html");
    EXPECT_EQ(doc.item(0)[ItemField::ItemURL], "b.html");
}

TEST(MenuDocument, ItemAccessOutsideTheListIsAClearError)
{
    MenuDocument doc;
    doc.resetToDefaults();
    fill(doc, "AB");
    for (int index : {-1, 2, 100}) {
        try {
            doc.item(index);
            ADD_FAILURE() << "GetItem(" << index << ") did not throw";
        } catch (const std::out_of_range &error) {
            EXPECT_NE(std::string(error.what()).find(std::to_string(index)), std::string::npos);
            EXPECT_NE(std::string(error.what()).find("2 items"), std::string::npos);
        }
        EXPECT_THROW(doc.setItem(doc.newItem(), index), std::out_of_range);
    }
    EXPECT_EQ(captions(doc), "AB");
    EXPECT_THROW(doc.appletData()[0], std::out_of_range);
    EXPECT_THROW(doc.appletData()[97], std::out_of_range);
}

TEST(MenuDocument, InsertItemIndexRules)
{
    MenuDocument doc;
    doc.insertItem(5, named(doc, "X"));
    EXPECT_EQ(captions(doc), "X");

    for (auto [index, expected] : std::vector<std::pair<int, std::string>>{
             {0, "XABC"}, {1, "AXBC"}, {3, "ABCX"}, {4, "ABC"}, {-1, "ABC"}}) {
        fill(doc, "ABC");
        doc.insertItem(index, named(doc, "X"));
        EXPECT_EQ(captions(doc), expected) << "index " << index;
    }
    doc.items().clear();
    doc.insertItem(-1, named(doc, "X"));
    EXPECT_EQ(captions(doc), "");
}

TEST(MenuDocument, DeleteAndMoveIndexRules)
{
    MenuDocument doc;
    for (auto [index, expected] : std::vector<std::pair<int, std::string>>{
             {0, "BC"}, {1, "AC"}, {2, "AB"}, {3, "ABC"}, {-1, "ABC"}}) {
        fill(doc, "ABC");
        doc.deleteItem(index);
        EXPECT_EQ(captions(doc), expected) << "delete " << index;
    }
    fill(doc, "");
    doc.deleteItem(0);
    EXPECT_EQ(captions(doc), "");
    fill(doc, "A");
    doc.deleteItem(0);
    EXPECT_EQ(captions(doc), "");

    for (auto [index, expected] : std::vector<std::pair<int, std::string>>{
             {0, "ABC"}, {1, "BAC"}, {2, "ACB"}, {3, "ABC"}, {-1, "ABC"}}) {
        fill(doc, "ABC");
        doc.moveItemUp(index);
        EXPECT_EQ(captions(doc), expected) << "move " << index;
    }
    // Records move whole, derived fields included.
    fill(doc, "AB");
    doc.items()[1].set(ItemField::ItemButton, "7");
    doc.moveItemUp(1);
    EXPECT_EQ(doc.item(0)[ItemField::ItemButton], "7");
}

TEST(MenuDocument, BlockOperationsMatchTheOneAtATimeSeries)
{
    MenuDocument fast, slow;
    const std::string letters = "ABCDEFGHIJ";
    for (int index = 0; index < 10; ++index) {
        for (int count = 1; index + count <= 10; ++count) {
            for (int distance = 0; distance <= index; ++distance) {
                fill(fast, letters);
                fill(slow, letters);
                fast.moveItemsUp(index, count, distance);
                for (int k = 0; k < count; ++k) {
                    for (int step = 0; step < distance; ++step)
                        slow.moveItemUp(index + k - step);
                }
                ASSERT_EQ(captions(fast), captions(slow))
                    << "index " << index << " count " << count << " distance " << distance;
            }
            fill(fast, letters);
            fill(slow, letters);
            fast.deleteItems(index, count);
            for (int k = 0; k < count; ++k)
                slow.deleteItem(index);
            ASSERT_EQ(captions(fast), captions(slow));
        }
    }
    fill(fast, "ABC");
    EXPECT_THROW(fast.moveItemsUp(1, 1, 2), std::out_of_range);
    EXPECT_THROW(fast.moveItemsUp(2, 2, 1), std::out_of_range);
    EXPECT_THROW(fast.deleteItems(2, 2), std::out_of_range);
    EXPECT_THROW(fast.deleteItems(-1, 1), std::out_of_range);
    EXPECT_EQ(captions(fast), "ABC");
}

// The web runtime reads the same 96 fields: its defaults and the positions it names agree with
// the settings table, so a field renumbered or a default changed on one side fails here.
TEST(AppletFields, TheRuntimeAgreesWithTheTable)
{
    std::ifstream file(TARVELLE_RUNTIME_SOURCE);
    ASSERT_TRUE(file) << TARVELLE_RUNTIME_SOURCE;
    const std::string source((std::istreambuf_iterator<char>(file)), {});

    const std::size_t start = source.find("const DEFAULTS = (");
    const std::size_t end = source.find(").split('|')", start);
    ASSERT_NE(end, std::string::npos);
    std::string joined;
    const std::string literals = source.substr(start, end - start);
    const std::regex literal("'([^']*)'");
    for (auto it = std::sregex_iterator(literals.begin(), literals.end(), literal);
         it != std::sregex_iterator(); ++it)
        joined += (*it)[1].str();
    const std::vector<AppletFieldInfo> &table = appletFieldTable();
    std::vector<std::string> defaults{""};
    for (const char c : joined) {
        if (c == '|')
            defaults.emplace_back();
        else
            defaults.back() += c;
    }
    ASSERT_EQ(defaults.size(), table.size());
    for (const AppletFieldInfo &field : table)
        EXPECT_EQ(defaults[std::size_t(field.position - 1)], field.defaultValue) << field.name;

    std::map<std::string, int> named;
    const std::regex constant("\\b([A-Z_]+) = (\\d+)\\b");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), constant);
         it != std::sregex_iterator(); ++it)
        named.emplace((*it)[1].str(), std::stoi((*it)[2].str()));
    using namespace AppletField;
    const std::pair<const char *, int> expected[] = {
        {"AP_BG", ApBgClr},
        {"AP_IMAGE", ApBgImg},
        {"AP_PLACE", ApBgImgAlign},
        {"AP_IMAGE_X", ApBgImgX},
        {"AP_IMAGE_Y", ApBgImgY},
        {"LOAD_TEXT", ApLoadingMsg},
        {"LOAD_FG", ApLoadingMsgClr},
        {"LOAD_BG", ApLoadingBgClr},
        {"AP_BORDER_W", ApBrdWidth},
        {"AP_BORDER_STYLE", ApBrdStyle},
        {"AP_BORDER_COLOUR", ApBrdClr},
        {"AP_FADE", ApBgFadeClr},
        {"MENU_BG", MnBgClr},
        {"MENU_FADE", MnBgFadeClr},
        {"MENU_CLEAR", MnBgTransparent},
        {"MENU_BORDER_W", MnBrdWidth},
        {"MENU_BORDER_STYLE", MnBrdStyle},
        {"MENU_BORDER_COLOUR", MnBrdClr},
        {"MENU_HORIZONTAL", MnItemsAlign},
        {"MENU_X", MnX},
        {"MENU_Y", MnY},
        {"ITEM_W", MnItemsWidth},
        {"ITEM_H", MnItemsHeight},
        {"ITEM_GAP", MnItemsGap},
        {"AP_W", ApWidth},
        {"AP_H", ApHeight},
        {"AP_GRADIENT", ApBgGradientFill},
        {"MENU_GRADIENT", MnBgGradientFill},
        {"STATE_GRADIENT", ItNoBgGradientFill},
        {"POPUP_FONT", PopupFntName},
        {"POPUP_SIZE", PopupFntSize},
        {"S_FADE", StateOffset::BgFadeClr},
        {"S_PLACE", StateOffset::BgImgAlign},
        {"S_IMAGE_X", StateOffset::BgImgX},
        {"S_IMAGE_Y", StateOffset::BgImgY},
        {"S_CLEAR", StateOffset::BgTransparent},
        {"S_FG", StateOffset::TextClr},
        {"S_BORDER_W", StateOffset::BrdWidth},
        {"S_BORDER_STYLE", StateOffset::BrdStyle},
        {"S_BORDER_COLOUR", StateOffset::BrdClr},
        {"S_FONT", StateOffset::FntName},
        {"S_OFFSET", StateOffset::TextOffset},
        {"S_ALIGN", StateOffset::TextAlign},
    };
    for (const auto &[name, position] : expected) {
        ASSERT_TRUE(named.count(name)) << name << " is no longer named in the runtime";
        EXPECT_EQ(named[name], position) << name;
    }
    EXPECT_NE(source.find("const STATE_BLOCK = [" + std::to_string(ItemNormalBlock) + ", " +
                          std::to_string(ItemOverBlock) + ", " + std::to_string(ItemClickedBlock) +
                          "];"),
              std::string::npos);
}
