#pragma once

#include "document/ItemData.h"
#include "document/ItemTree.h"
#include "document/LookSettings.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The limits of a project file: far beyond any menu a person reads, and small enough that
// every view of it, and the memory a reader needs, stays bounded. Editing keeps within them,
// so every saved file opens again.
inline constexpr int MaxMenuDepth = 1000;           // levels below the root
inline constexpr int MaxMenuItems = 1000000;        // item nodes
inline constexpr std::size_t MaxValueBytes = 65536; // bytes of one line (UTF-8)

// A branch taken out of the menu, copied, or read from text: its nodes in pre-order, each with
// its depth below the branch's top node (0 for the top), caption, record and identity (0 when
// it has none yet) and its icon and badge.

struct MenuBranch
{
    struct Node
    {
        int depth = 0;
        std::string caption;
        ItemRecord record;
        std::uint64_t id = 0;
        ItemLook look;
    };
    std::vector<Node> nodes;
};

// The menu's shape: the root (the applet, no record) and the item nodes below it, each with a
// caption and an identity that stays the same for as long as the node lives, through moves and
// through a branch taken out and put back. The editing operations keep the document's item
// list in step with the tree (item k belongs to the node at pre-order position k + 1); each
// runs in time linear in the list, and refuses what would break the tree, with an exception,
// before it changes anything. Nothing here recurses on depth.
class MenuTree : public ItemTree
{
public:
    using Id = std::uint64_t;

    explicit MenuTree(ItemList &items);
    ~MenuTree() override;
    MenuTree(const MenuTree &) = delete;
    MenuTree &operator=(const MenuTree &) = delete;

    // The shape alone, as the project file's reader builds it: clear and addChild leave the
    // item list to the caller.
    Node root() const override;
    Node parent(Node node) const override;
    int childCount(Node node) const override;
    Node child(Node node, int index) const override;
    std::string caption(Node node) const override;
    void clear() override;
    Node addChild(Node parent, const std::string &caption) override;

    Id id(Node node) const;
    Node find(Id id) const;                      // nullptr when no node has that identity
    int level(Node node) const;                  // root 0, first-level items 1, ...
    int indexOf(Node node) const;                // among its parent's children; 0 for the root
    int itemIndex(Node node) const;              // its record's index in the list; -1 for the root
    Node nodeAt(int itemIndex) const;            // nullptr outside the list
    int branchSize(Node node) const;             // nodes in its branch, itself included
    bool contains(Node branch, Node node) const; // node is branch or lies below it

    // Adds an item node with its record as child number position of parent.
    Node insertItem(Node parent, int position, const std::string &caption,
                    const ItemRecord &record);
    // Removes a node's branch with its records and hands them out, identities included.
    MenuBranch takeBranch(Node node);
    // Puts a branch in as child number position of parent and returns its top node. Its
    // identities are kept where no other node has them; nodes without one get a fresh one.
    // The branch's captions and records are taken, not copied; a refused branch is left as
    // it was.
    Node insertBranch(Node parent, int position, MenuBranch &&branch);
    // Moves a node's branch to child number position of another parent (or the same),
    // counted without the node itself; the nodes keep their handles. Moving a node into its
    // own branch is refused.
    void moveBranch(Node node, Node newParent, int position);
    // The branch as it stands, without identities and with the structure fields emptied.
    MenuBranch copyBranch(Node node) const;

    // Each item's parent index in the list (-1 for first-level items), as itemParents gives
    // it. Worked out from the nodes when first asked for, then kept in step by the editing
    // operations: shifting a list of numbers costs far less than walking the nodes again.
    const std::vector<int> &parentIndices() const;
    // Each item's identity, in the list's order.
    std::vector<Id> itemIds() const;

    // The records put in or set since the last call, by node identity, for a view that keeps
    // something worked out per record; all when the tree was built anew (clear, addChild:
    // the caller fills the list) or more changed than is worth listing.
    struct RecordChanges
    {
        bool all = true;
        std::vector<Id> nodes;
    };
    RecordChanges takeRecordChanges();

    const ItemRecord &record(Node node) const;
    void setRecord(Node node, const ItemRecord &record);
    void setCaption(Node node, const std::string &caption);

    // An item's icon and badge, kept on its node through moves, copies and branches taken out
    // and put back.
    const ItemLook &itemLook(Node node) const;
    void setItemLook(Node node, ItemLook look);
    bool hasItemLooks() const { return lookedNodes_ > 0; }
    // Every item's icon and badge by record number, items without them left out.
    std::map<int, ItemLook> itemLooks() const;
    // Gives the items of these record numbers their icons and badges; other numbers are
    // ignored.
    void setItemLooks(const std::map<int, ItemLook> &looks);

private:
    struct Entry;
    Entry *entry(Node node) const;
    Entry *itemEntry(Node node, const char *what) const;
    void requireInStep() const;
    void resize(Entry *from, int delta);
    Id nextId() { return ++lastId_; }
    void recordChanged(Id id);
    void parentsTaken(int first, int count);
    void parentsPut(int first, int topParent, const std::vector<int> &inner);
    RecordChanges changes_;
    mutable std::vector<int> parents_;
    mutable bool parentsKept_ = false;

    ItemList &items_;
    std::unique_ptr<Entry> root_;
    std::unordered_map<Id, Entry *> byId_;
    Id lastId_ = 0;
    int lookedNodes_ = 0; // nodes with an icon or a badge
};

// A branch as text, in the project file's own form: the structure section (depths relative to
// the branch's top) and the item section with the count and 15 lines per record, then, when
// an item has an icon or a badge, the look section with them by the item's place in the
// branch; CR LF after every line. Reading accepts LF or CR line ends and throws ETreeError for
// any other text.
std::string branchToText(const MenuBranch &branch);
MenuBranch branchFromText(const std::string &text);

// The icon.K and badge.K settings of look moved onto the nodes of items K, so that they stay
// with their items while the menu is edited; settings for no item stay in look.
void takeItemLooks(MenuTree &tree, LookSettings &look);
// look with its icon and badge settings made anew from the nodes, by record number.
void putItemLooks(const MenuTree &tree, LookSettings &look);
