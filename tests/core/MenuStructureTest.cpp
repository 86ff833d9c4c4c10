#include "document/MenuStructure.h"

#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

namespace {
// ItemButton, ItemIndex, ItemSubMenu, ItemMenu of an item, joined with commas.
std::string numbers(const ItemRecord &item)
{
    using namespace ItemField;
    std::string text;
    for (const std::string_view field :
         {item[ItemButton], item[ItemIndex], item[ItemSubMenu], item[ItemMenu]})
        text += std::string(text.empty() ? "" : ",") + std::string(field);
    return text;
}

std::vector<std::string> numberTree(MenuDocument &doc, MemoryTree &tree,
                                    const std::vector<std::string> &outline)
{
    buildTree(tree, outline);
    fillItemsFromTree(doc, tree);
    NullProgress progress;
    numberMenuStructure(tree, doc.items(), progress);
    std::vector<std::string> result;
    for (const ItemRecord &item : doc.items())
        result.push_back(std::string(item[ItemField::ItemCaption]) + ":" + numbers(item));
    return result;
}
} // namespace

TEST(MenuStructure, NumbersBranchesPopupsAndPositions)
{
    MenuDocument doc;
    MemoryTree tree;
    EXPECT_EQ(
        numberTree(doc, tree, {"Tarvelle", ">P", ">>Q", ">>R", ">>>S", ">T"}),
        (std::vector<std::string>{"P:0,0,0,", "Q:0,0,,0", "R:0,1,1,0", "S:0,0,,1", "T:1,1,,"}));
    EXPECT_EQ(numberTree(doc, tree, {"Tarvelle", ">A", ">>A1", ">>A2", ">>>A2a", ">B", ">>B1"}),
              (std::vector<std::string>{"A:0,0,0,", "A1:0,0,,0", "A2:0,1,1,0", "A2a:0,0,,1",
                                        "B:1,1,0,", "B1:1,0,,0"}));
    // Popup numbers run on through deeper levels of one branch in pre-order.
    EXPECT_EQ(numberTree(doc, tree, {"Tarvelle", ">A", ">>B", ">>>C", ">>>>D", ">>E", ">>>F"}),
              (std::vector<std::string>{"A:0,0,0,", "B:0,0,1,0", "C:0,0,2,1", "D:0,0,,2",
                                        "E:0,1,3,0", "F:0,0,,3"}));
}

TEST(MenuStructure, StaleNumbersAreReplaced)
{
    MenuDocument doc;
    MemoryTree tree;
    numberTree(doc, tree, {"Tarvelle", ">A", ">>A1"});
    // A loses its child: its popup number must go.
    tree.remove(tree.child(tree.child(tree.root(), 0), 0));
    doc.deleteItem(1);
    doc.items()[0].set(ItemField::ItemMenu, "9"); // stale value from a hand-edited file
    NullProgress progress;
    numberMenuStructure(tree, doc.items(), progress);
    EXPECT_EQ(numbers(doc.item(0)), "0,0,,");
}

TEST(MenuStructure, ReportsProgressAndRejectsAMismatchedList)
{
    MenuDocument doc;
    MemoryTree tree;
    buildTree(tree, {"Tarvelle"});
    RecordingProgress progress;
    numberMenuStructure(tree, doc.items(), progress);
    EXPECT_EQ(progress.maximums, std::vector<int>{20});
    EXPECT_EQ(progress.steps, 20);
    EXPECT_EQ(progress.position, 0);
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"Processing menu structure ... ...", ""}));

    buildTree(tree, {"Tarvelle", ">A", ">B"});
    fillItemsFromTree(doc, tree);
    RecordingProgress counted;
    numberMenuStructure(tree, doc.items(), counted);
    EXPECT_EQ(counted.maximums, std::vector<int>{26});
    EXPECT_EQ(counted.steps, 26);

    doc.deleteItem(1);
    EXPECT_THROW(numberMenuStructure(tree, doc.items(), counted), std::logic_error);
}
