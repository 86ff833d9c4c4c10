// The editor's document driven without a window: commands change it, and what it signals is
// what changed.

#include "editor/EditorDocument.h"

#include "document/ProjectFile.h"
#include "editor/MenuTreeModel.h"
#include "editor/TreeCommands.h"

#include <gtest/gtest.h>
#include <QUndoStack>
#include <random>

namespace {
// The nodes of the tree in pre-order, the root first.
std::vector<ItemTree::Node> nodesOf(const MenuTree &tree)
{
    std::vector<ItemTree::Node> nodes;
    for (const PreOrderEntry &entry : preOrderEntries(tree))
        nodes.push_back(entry.node);
    return nodes;
}
} // namespace

// A random session of field edits and tree steps: each edit lands in the document and is
// signalled with its field; undoing every step passes back through the same project texts,
// makes the edited record's node current again, and redoing passes forward through them.
TEST(EditorDocument, ARandomSessionUndoesAndRedoesThroughTheSameTexts)
{
    using Record = EditorDocument::Record;
    EditorDocument document{QString()};
    QUndoStack &history = *document.undoStack();
    std::vector<int> appletSignalled;
    std::vector<std::pair<MenuTree::Id, int>> itemSignalled;
    QObject::connect(&document, &EditorDocument::appletChanged,
                     [&](const std::vector<int> &positions) { appletSignalled = positions; });
    QObject::connect(&document, &EditorDocument::itemChanged,
                     [&](MenuTree::Id item, const std::vector<int> &positions) {
                         itemSignalled = {{item, positions.front()}};
                     });
    // The project file as saved: the items' icons and badges by their record numbers.
    auto text = [&] { return document.projectText(); };

    std::mt19937 random(20261209);
    std::vector<std::string> texts{text()};
    for (int step = 0; step < 300; ++step) {
        const MenuTree &tree = document.tree();
        const std::vector<ItemTree::Node> nodes = nodesOf(tree);
        const ItemTree::Node node = nodes[random() % nodes.size()];
        const bool item = tree.parent(node) != nullptr;
        const std::string value = "v" + std::to_string(step);
        switch (random() % 6) {
        case 0: {
            const int position = AppletField::ApLoadingMsg;
            document.editFields(
                Record::Applet, 0,
                {{position, std::string(document.menu().appletData()[position]), value}}, "Message",
                step);
            EXPECT_EQ(appletSignalled, std::vector<int>{position});
            EXPECT_EQ(document.menu().appletData()[position], value);
            break;
        }
        case 1:
            if (!item)
                continue;
            document.editFields(Record::Item, tree.id(node),
                                {{ItemField::ItemCaption,
                                  std::string(tree.record(node)[ItemField::ItemCaption]), value}},
                                "Caption", step);
            EXPECT_EQ(itemSignalled, (std::vector<std::pair<MenuTree::Id, int>>{
                                         {tree.id(node), ItemField::ItemCaption}}));
            EXPECT_EQ(tree.caption(node), value); // the tree shows the caption too
            break;
        case 2: {
            MenuBranch branch;
            ItemRecord record = document.menu().newItem();
            record.set(ItemField::ItemCaption, value);
            branch.nodes.push_back({0, value, record, 0, {}});
            EXPECT_TRUE(
                document
                    .pushTreeStep(new InsertBranchCommand(document, "Insert", tree.id(node),
                                                          tree.childCount(node), std::move(branch)),
                                  node, 1, 1)
                    .isEmpty());
            break;
        }
        case 3:
            if (!item)
                continue;
            history.push(new DeleteBranchCommand(document, "Delete", node));
            break;
        case 4: {
            if (!item)
                continue;
            const std::string k = std::to_string(tree.itemIndex(node));
            document.editItemLook(tree.id(node), {value + ".svg", step % 2 ? value : ""}, "Icon");
            EXPECT_EQ(document.look().value("icon." + k), value + ".svg");
            EXPECT_EQ(document.look().value("badge." + k), step % 2 ? value : "");
            break;
        }
        default:
            if (!item || tree.indexOf(node) == 0)
                continue;
            history.push(new MoveBranchCommand(document, "Move", node, tree.parent(node),
                                               tree.indexOf(node) - 1));
            break;
        }
        texts.push_back(text());
        ASSERT_EQ(history.index(), static_cast<int>(texts.size()) - 1);
    }

    for (int index = history.index(); index > 0; --index) {
        const auto *step = history.command(index - 1);
        history.undo();
        EXPECT_EQ(text(), texts[std::size_t(index - 1)]) << step->text().toStdString();
        const ItemTree::Node current = document.currentNode();
        ASSERT_NE(current, nullptr) << "nothing current after undoing " << index;
        if (step->text() == "Message") {
            EXPECT_EQ(current, document.tree().root());
        } else if (step->text() == "Caption") {
            EXPECT_EQ(document.tree().id(current), itemSignalled.front().first);
        }
    }
    EXPECT_FALSE(document.isModified());
    for (std::size_t index = 1; index < texts.size(); ++index) {
        history.redo();
        EXPECT_EQ(text(), texts[index]);
    }
}

// Typing on in one field is one step; typed back to where it began, no step at all. A step
// that gives an item with a link its first child takes the link in the same step.
TEST(EditorDocument, EditsMergeAndAFirstChildTakesTheLink)
{
    using Record = EditorDocument::Record;
    EditorDocument document{QString()};
    QUndoStack &history = *document.undoStack();
    const int position = AppletField::ApLoadingMsg;
    const std::string start(document.menu().appletData()[position]);
    document.editFields(Record::Applet, 0, {{position, start, "W"}}, "Message", 1);
    document.editFields(Record::Applet, 0, {{position, "W", "Wa"}}, "Message", 1);
    EXPECT_EQ(history.count(), 1);
    document.editFields(Record::Applet, 0, {{position, "Wa", start}}, "Message", 1);
    EXPECT_EQ(history.count(), 0);
    EXPECT_FALSE(document.isModified());

    MenuTree &tree = document.tree();
    MenuBranch item;
    item.nodes.push_back({0, "A", document.menu().newItem(), 0, {}});
    document.pushTreeStep(
        new InsertBranchCommand(document, "Insert", tree.id(tree.root()), 0, std::move(item)),
        tree.root(), 1, 1);
    const ItemTree::Node a = tree.child(tree.root(), 0);
    document.editFields(Record::Item, tree.id(a), {{ItemField::ItemURL, "", "a.html"}}, "Link", 2);
    MenuBranch child;
    child.nodes.push_back({0, "B", document.menu().newItem(), 0, {}});
    document.pushTreeStep(
        new InsertBranchCommand(document, "Insert", tree.id(a), 0, std::move(child)), a, 1, 1);
    EXPECT_EQ(tree.record(a)[ItemField::ItemURL], "");
    history.undo();
    EXPECT_EQ(tree.childCount(a), 0);
    EXPECT_EQ(tree.record(a)[ItemField::ItemURL], "a.html");
}

// A project's look settings come in with it and go out again as they were; icons and badges
// ride on their items, so a branch moved to the front takes them along.
TEST(EditorDocument, AnOpenedLookIsKeptAndItsIconsFollowTheirItems)
{
    EditorDocument document{QString()};
    const std::string look = "--------------- Look Description ---------------\r\n"
                             "badge.1=3\r\nicon.0=home.svg\r\nradius=6\r\n"
                             "--------------- Look Description End ---------------\r\n";
    for (const char *caption : {"Home", "News"}) {
        MenuBranch branch;
        branch.nodes.push_back({0, caption, document.menu().newItem(), 0, {}});
        document.pushTreeStep(
            new InsertBranchCommand(document, "Insert", document.tree().id(document.tree().root()),
                                    document.tree().childCount(document.tree().root()),
                                    std::move(branch)),
            document.tree().root(), 1, 1);
    }
    document.adopt(document.projectText() + look, "menu.tvl", QString());
    EXPECT_NE(document.projectText().find(look), std::string::npos);
    const MenuTree &tree = document.tree();
    document.undoStack()->push(
        new MoveBranchCommand(document, "Move", tree.nodeAt(1), tree.root(), 0));
    EXPECT_NE(document.projectText().find("badge.0=3\r\nicon.1=home.svg\r\nradius=6\r\n"),
              std::string::npos);
}
