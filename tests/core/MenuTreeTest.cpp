#include "document/MenuTree.h"

#include "document/Errors.h"
#include "document/LinkCheck.h"
#include "document/MenuLayout.h"
#include "document/ProjectFile.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {
// The naive model: a plain nested tree, flattened to a list after every step.
struct Naive
{
    std::string caption;
    ItemRecord record;
    MenuTree::Id id = 0;
    std::vector<Naive> children;
};

struct Flat
{
    int depth;
    std::string caption;
    MenuTree::Id id;
    Naive *node;
    Naive *parent;
};

void flatten(Naive &node, int depth, Naive *parent, std::vector<Flat> &out)
{
    out.push_back({depth, node.caption, node.id, &node, parent});
    for (Naive &child : node.children)
        flatten(child, depth + 1, &node, out);
}

std::vector<Flat> flat(Naive &root)
{
    std::vector<Flat> out;
    flatten(root, 0, nullptr, out);
    return out;
}

Naive fromBranch(const MenuBranch &branch, std::size_t &at)
{
    const MenuBranch::Node &top = branch.nodes[at++];
    Naive node{top.caption, top.record, top.id, {}};
    while (at < branch.nodes.size() && branch.nodes[at].depth > top.depth)
        node.children.push_back(fromBranch(branch, at));
    return node;
}

bool inside(const Naive &branch, MenuTree::Id id)
{
    if (branch.id == id)
        return true;
    for (const Naive &child : branch.children) {
        if (inside(child, id))
            return true;
    }
    return false;
}

ItemRecord record(const std::string &caption, int n)
{
    ItemRecord r;
    r.set(ItemField::ItemCaption, caption);
    // Some links run script, some captions hold the separator: the link warnings follow.
    r.set(ItemField::ItemURL, n % 5 == 0 ? "javascript:go(" + std::to_string(n) + ")"
                                         : "page" + std::to_string(n) + ".html");
    if (n % 7 == 3)
        r.set(ItemField::ItemCaption, caption + "|x");
    r.set(ItemField::ItemIndex, std::to_string(n % 7));
    return r;
}

struct Session
{
    std::mt19937 rng;
    MenuDocument doc;
    MenuTree tree{doc.items()};
    Naive model;
    LinkWarningIndex links;
    std::vector<MenuBranch> pool;
    int counter = 0;

    explicit Session(unsigned seed) : rng(seed)
    {
        tree.addChild(nullptr, "Tarvelle");
        model = {"Tarvelle", {}, tree.id(tree.root()), {}};
    }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    Flat any(bool itemOnly)
    {
        std::vector<Flat> all = flat(model);
        return all[static_cast<std::size_t>(itemOnly ? 1 + pick(static_cast<int>(all.size()) - 1)
                                                     : pick(static_cast<int>(all.size())))];
    }
    ItemTree::Node node(MenuTree::Id id) { return tree.find(id); }

    void step()
    {
        const bool hasItems = !model.children.empty();
        switch (hasItems ? pick(7) : 0) {
        case 0: { // insert
            const Flat parent = any(false);
            const int pos = pick(static_cast<int>(parent.node->children.size()) + 1);
            const std::string caption = "N" + std::to_string(++counter);
            const ItemRecord r = record(caption, counter);
            const auto added = tree.insertItem(node(parent.id), pos, caption, r);
            parent.node->children.insert(parent.node->children.begin() + pos,
                                         {caption, r, tree.id(added), {}});
            break;
        }
        case 1: { // delete, keeping the branch for later
            const Flat victim = any(true);
            MenuBranch taken = tree.takeBranch(node(victim.id));
            std::size_t at = 0;
            const Naive back = fromBranch(taken, at);
            EXPECT_EQ(flat(const_cast<Naive &>(back)).size(), taken.nodes.size());
            auto &siblings = victim.parent->children;
            const auto it = std::find_if(siblings.begin(), siblings.end(),
                                         [&](const Naive &n) { return n.id == victim.id; });
            EXPECT_EQ(it->record, back.record);
            siblings.erase(it);
            pool.push_back(std::move(taken));
            break;
        }
        case 2: { // undo a delete: the branch goes back with its identities
            if (pool.empty())
                return;
            const Flat parent = any(false);
            const int pos = pick(static_cast<int>(parent.node->children.size()) + 1);
            MenuBranch branch = pool.back();
            pool.pop_back();
            tree.insertBranch(node(parent.id), pos, MenuBranch(branch));
            std::size_t at = 0;
            parent.node->children.insert(parent.node->children.begin() + pos,
                                         fromBranch(branch, at));
            break;
        }
        case 3: { // move anywhere; into its own branch is refused
            const Flat moving = any(true);
            const Flat target = any(false);
            const bool own = inside(*moving.node, target.id);
            const int places = static_cast<int>(target.node->children.size()) -
                               (target.node == moving.parent ? 1 : 0);
            const int pos = pick(std::max(places, 0) + 1);
            if (own) {
                EXPECT_THROW(tree.moveBranch(node(moving.id), node(target.id), pos),
                             std::invalid_argument);
                return;
            }
            const auto handle = node(moving.id);
            tree.moveBranch(handle, node(target.id), pos);
            EXPECT_EQ(tree.find(moving.id), handle) << "a moved node keeps its handle";
            auto &from = moving.parent->children;
            const auto it = std::find_if(from.begin(), from.end(),
                                         [&](const Naive &n) { return n.id == moving.id; });
            Naive taken = std::move(*it);
            from.erase(it);
            // The target's node may have moved in memory when its siblings shifted.
            Naive *into = flat(model)[0].node;
            for (const Flat &f : flat(model)) {
                if (f.id == target.id)
                    into = f.node;
            }
            into->children.insert(into->children.begin() + pos, std::move(taken));
            break;
        }
        case 4: { // copy and paste through text: a fresh branch without structure fields
            const Flat source = any(true);
            const MenuBranch copy = branchFromText(branchToText(tree.copyBranch(node(source.id))));
            const Flat parent = any(false);
            const int pos = pick(static_cast<int>(parent.node->children.size()) + 1);
            const auto top = tree.insertBranch(node(parent.id), pos, MenuBranch(copy));
            EXPECT_NE(tree.id(top), source.id);
            // Identities the tree gave the pasted nodes, in pre-order.
            MenuBranch ids = copy;
            std::vector<MenuTree::Id> given;
            std::vector<ItemTree::Node> pending{top};
            while (!pending.empty()) {
                auto n = pending.back();
                pending.pop_back();
                given.push_back(tree.id(n));
                for (int c = tree.childCount(n) - 1; c >= 0; --c)
                    pending.push_back(tree.child(n, c));
            }
            for (std::size_t k = 0; k < ids.nodes.size(); ++k) {
                ids.nodes[k].id = given[k];
                EXPECT_EQ(ids.nodes[k].record[ItemField::ItemIndex], "");
            }
            std::size_t at = 0;
            Naive *into = nullptr;
            for (const Flat &f : flat(model)) {
                if (f.id == parent.id)
                    into = f.node;
            }
            into->children.insert(into->children.begin() + pos, fromBranch(ids, at));
            break;
        }
        case 5: { // a new record
            const Flat target = any(true);
            ++counter;
            const ItemRecord r = record("R" + std::to_string(counter), counter);
            tree.setRecord(node(target.id), r);
            target.node->record = r;
            break;
        }
        default: { // a new caption
            const Flat target = any(true);
            const std::string caption = "C" + std::to_string(++counter);
            tree.setCaption(node(target.id), caption);
            target.node->caption = caption;
        }
        }
    }

    void compare()
    {
        const std::vector<Flat> expected = flat(model);
        const std::vector<PreOrderEntry> walk = preOrderEntries(tree);
        ASSERT_EQ(walk.size(), expected.size());
        ASSERT_EQ(doc.items().size(), expected.size() - 1);
        ASSERT_EQ(tree.parentIndices(), itemParents(tree));
        for (std::size_t k = 0; k < walk.size(); ++k) {
            const auto n = walk[k].node;
            ASSERT_EQ(tree.id(n), expected[k].id);
            ASSERT_EQ(tree.caption(n), expected[k].caption);
            ASSERT_EQ(walk[k].level, expected[k].depth);
            ASSERT_EQ(tree.find(expected[k].id), n);
            ASSERT_EQ(tree.itemIndex(n), static_cast<int>(k) - 1);
            if (k > 0) {
                ASSERT_EQ(tree.nodeAt(static_cast<int>(k) - 1), n);
                ASSERT_EQ(doc.items()[k - 1], expected[k].node->record);
            }
        }
        // The kept link warnings against a pass over every record, with and without a
        // record on the pages standing for an item.
        auto texts = [](const std::vector<AccessibilityWarning> &warnings) {
            std::vector<std::string> out;
            for (const AccessibilityWarning &w : warnings)
                out.push_back(std::to_string(w.item) + w.where + w.what);
            return out;
        };
        const MenuRecords all{doc.items()};
        ASSERT_EQ(texts(links.warnings(tree, all, "|")), texts(linkWarnings(all, "|")));
        if (!doc.items().empty()) {
            const ItemRecord pages = record("P|", counter * 5);
            const MenuRecords replaced{doc.items(), pick(int(doc.items().size())), &pages};
            ASSERT_EQ(texts(links.warnings(tree, replaced, "|")),
                      texts(linkWarnings(replaced, "|")));
        }
    }

    // The saved project: the same as that of a plain tree holding the model.
    void compareSavedText()
    {
        MenuDocument naiveDoc;
        MemoryTree naiveTree;
        std::vector<std::string> outline;
        for (const Flat &f : flat(model)) {
            outline.push_back(std::string(static_cast<std::size_t>(f.depth), '>') + f.caption);
            if (f.depth > 0)
                naiveDoc.items().push_back(f.node->record);
        }
        buildTree(naiveTree, outline);
        EXPECT_EQ(ProjectWriter(doc, tree).text(), ProjectWriter(naiveDoc, naiveTree).text());
    }
};
} // namespace

TEST(MenuTree, RandomEditsAgreeWithANaiveModel)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        Session s(seed);
        for (int k = 0; k < 400; ++k) {
            s.step();
            s.compare();
            if (k % 50 == 0)
                s.compareSavedText();
            if (::testing::Test::HasFatalFailure())
                FAIL() << "seed " << seed << " step " << k;
        }
        s.compareSavedText();
    }
}

TEST(MenuTree, RefusesWhatWouldBreakTheTreeAndChangesNothing)
{
    MenuDocument doc;
    MenuTree tree(doc.items());
    const auto root = tree.addChild(nullptr, "Tarvelle");
    const auto a = tree.insertItem(root, 0, "A", record("A", 1));
    const auto b = tree.insertItem(a, 0, "B", record("B", 2));
    const std::string before = ProjectWriter(doc, tree).text();
    EXPECT_THROW(tree.moveBranch(a, b, 0), std::invalid_argument);
    EXPECT_THROW(tree.moveBranch(a, a, 0), std::invalid_argument);
    EXPECT_THROW(tree.moveBranch(root, a, 0), std::invalid_argument);
    EXPECT_THROW(tree.takeBranch(root), std::invalid_argument);
    EXPECT_THROW(tree.insertItem(root, 2, "X", {}), std::out_of_range);
    EXPECT_THROW(tree.moveBranch(b, root, 3), std::out_of_range);
    EXPECT_THROW(tree.setRecord(root, {}), std::invalid_argument);
    MenuBranch refused{{{0, "K", record("K", 3), 0, {}}}};
    EXPECT_THROW(tree.insertBranch(root, 5, std::move(refused)), std::out_of_range);
    EXPECT_EQ(refused.nodes.front().record, record("K", 3)); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(ProjectWriter(doc, tree).text(), before);

    doc.items().pop_back(); // a list that no longer mirrors the tree is never edited
    EXPECT_THROW(tree.insertItem(root, 0, "X", {}), std::logic_error);

    for (const std::string &text :
         {std::string("Home\r\n"), std::string(),
          branchToText(MenuBranch{{{0, "A", {}, 0, {}}, {2, "Deep", {}, 0, {}}}}),
          branchToText(MenuBranch{{{0, "A", {}, 0, {}}}}).replace(0, 3, "xxx")})
        EXPECT_THROW(branchFromText(text), ETreeError) << text;
    std::string shortItems = branchToText(MenuBranch{{{0, "A", {}, 0, {}}}});
    shortItems.erase(shortItems.find("\r\n--------------- Item Parameter Description End"), 2);
    EXPECT_THROW(branchFromText(shortItems), ETreeError);
}

TEST(MenuTree, DeepBranchesNeitherRecurseNorOverflow)
{
    MenuDocument doc;
    auto tree = std::make_unique<MenuTree>(doc.items());
    const auto root = tree->addChild(nullptr, "Tarvelle");
    MenuBranch chain;
    for (int depth = 0; depth < 200000; ++depth)
        chain.nodes.push_back({depth, "D", {}, 0, {}});
    const auto top = tree->insertBranch(root, 0, std::move(chain));
    EXPECT_EQ(tree->itemIndex(tree->nodeAt(199999)), 199999);
    EXPECT_EQ(tree->level(tree->nodeAt(199999)), 200000);
    EXPECT_EQ(tree->copyBranch(top).nodes.size(), 200000u);
    // As text a branch takes a tab per level on every line, so only a shallower one.
    EXPECT_EQ(branchFromText(branchToText(tree->copyBranch(tree->nodeAt(199000)))).nodes.size(),
              1000u);
    tree->moveBranch(tree->nodeAt(1), root, 1);
    EXPECT_EQ(tree->branchSize(tree->child(root, 1)), 199999);
    tree.reset();
}

// Records are a pointer wide: the list shifts without moving their text, copies are deep, and
// a record never written or moved from reads as empty.
TEST(MenuTree, RecordsCopyDeepAndStayPutWhileTheListShifts)
{
    ItemList items(2);
    EXPECT_EQ(items[0], ItemRecord());
    items[1].set(ItemField::ItemCaption, "Second");
    const char *text = items[1][ItemField::ItemCaption].data();
    items.insert(items.begin(), 1000, ItemRecord());
    EXPECT_EQ(items[1001][ItemField::ItemCaption].data(), text);

    ItemRecord copy = items[1001];
    copy.set(ItemField::ItemCaption, "Copy");
    EXPECT_EQ(items[1001][ItemField::ItemCaption], "Second");
    const ItemRecord moved = std::move(copy);
    EXPECT_EQ(moved[ItemField::ItemCaption], "Copy");
    EXPECT_EQ(copy[ItemField::ItemURL], ""); // NOLINT(bugprone-use-after-move)
    EXPECT_THROW(moved[0], std::out_of_range);
    EXPECT_THROW(moved[16], std::out_of_range);
}

// Icons and badges stay with their items: moved, taken out and put back, copied through the
// clipboard's text, and numbered by the items' places when the look is written.
TEST(MenuTree, ItemLooksTravelWithTheirItems)
{
    MenuDocument doc;
    MenuTree tree(doc.items());
    const auto root = tree.addChild(nullptr, "Root");
    const auto a = tree.insertItem(root, 0, "A", record("A", 1));
    const auto b = tree.insertItem(a, 0, "B", record("B", 2));
    const auto c = tree.insertItem(root, 1, "C", record("C", 3));
    LookSettings look;
    look.set("radius", "4");
    look.set("icon.1", "home.svg");
    look.set("badge.2", "New");
    look.set("icon.9", "gone.svg"); // no item 9
    takeItemLooks(tree, look);
    EXPECT_EQ(look.entries().size(), 2u); // radius, and icon.9 for no item
    EXPECT_EQ(tree.itemLook(b), (ItemLook{"home.svg", ""}));
    EXPECT_EQ(tree.itemLook(c), (ItemLook{"", "New"}));

    tree.moveBranch(c, root, 0); // C, A, B
    MenuBranch taken = tree.takeBranch(a);
    EXPECT_FALSE(tree.hasItemLooks() && tree.itemLooks().count(1));
    const auto top = tree.insertBranch(root, 0, std::move(taken)); // A, B, C
    const MenuBranch pasted = branchFromText(branchToText(tree.copyBranch(top)));
    EXPECT_EQ(pasted.nodes[1].look, (ItemLook{"home.svg", ""}));
    EXPECT_EQ(branchToText(pasted), branchToText(tree.copyBranch(top)));
    tree.insertBranch(tree.nodeAt(2), 0, MenuBranch(pasted)); // A, B, C, A', B'

    putItemLooks(tree, look);
    EXPECT_EQ(look.toJson(), R"({"badge.2":"New","icon.1":"home.svg","icon.4":"home.svg",)"
                             R"("radius":"4"})");
    // A branch without icons or badges is the text it always was.
    const auto plain = tree.insertItem(root, 0, "D", record("D", 4));
    EXPECT_EQ(branchToText(tree.copyBranch(plain)).find("Look"), std::string::npos);
}
