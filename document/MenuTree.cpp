#include "MenuTree.h"

#include "document/Errors.h"
#include "document/TextCodec.h"

#include <algorithm>
#include <array>
#include <stdexcept>

struct MenuTree::Entry
{
    Id id = 0;
    std::string caption;
    Entry *parent = nullptr;
    std::vector<std::unique_ptr<Entry>> children;
    int size = 1; // nodes in the branch, this one included
    ItemLook look;
};

namespace {
// Destroys a branch one node at a time, so that its depth never reaches the call stack.
template <typename Entry> void destroy(std::unique_ptr<Entry> top)
{
    std::vector<std::unique_ptr<Entry>> pending;
    pending.push_back(std::move(top));
    while (!pending.empty()) {
        std::unique_ptr<Entry> next = std::move(pending.back());
        pending.pop_back();
        for (auto &child : next->children)
            pending.push_back(std::move(child));
    }
}

// The branch's nodes in pre-order with their depth below its top; its size must be in step.
template <typename Entry> std::vector<std::pair<Entry *, int>> walk(Entry *top)
{
    std::vector<std::pair<Entry *, int>> order;
    order.reserve(static_cast<std::size_t>(top->size));
    std::vector<std::pair<Entry *, int>> pending{{top, 0}};
    while (!pending.empty()) {
        const auto next = pending.back();
        pending.pop_back();
        order.push_back(next);
        for (auto child = next.first->children.rbegin(); child != next.first->children.rend();
             ++child)
            pending.emplace_back(child->get(), next.second + 1);
    }
    return order;
}

// Each item's parent index in pre-order, read from the nodes.
template <typename Entry> std::vector<int> walkParents(const Entry *root)
{
    std::vector<int> parents;
    if (!root)
        return parents;
    parents.reserve(static_cast<std::size_t>(root->size - 1));
    // A stack of nodes to visit with their parent's index, children pushed last first.
    std::vector<std::pair<const Entry *, int>> stack;
    for (auto child = root->children.rbegin(); child != root->children.rend(); ++child)
        stack.emplace_back(child->get(), -1);
    while (!stack.empty()) {
        const auto [entry, parent] = stack.back();
        stack.pop_back();
        const int index = static_cast<int>(parents.size());
        parents.push_back(parent);
        for (auto child = entry->children.rbegin(); child != entry->children.rend(); ++child)
            stack.emplace_back(child->get(), index);
    }
    return parents;
}

void checkDepths(const MenuBranch &branch)
{
    if (branch.nodes.empty() || branch.nodes.front().depth != 0)
        throw std::invalid_argument("A menu branch starts with its top node");
    for (std::size_t k = 1; k < branch.nodes.size(); ++k) {
        const int depth = branch.nodes[k].depth;
        if (depth < 1 || depth > branch.nodes[k - 1].depth + 1)
            throw std::invalid_argument("A menu branch holds a node at an impossible depth");
    }
}

void clearStructureFields(ItemRecord &record)
{
    record.set(ItemField::ItemSubMenu, {"", "", "", ""});
}
} // namespace

MenuTree::MenuTree(ItemList &items) : items_(items) {}

MenuTree::~MenuTree()
{
    if (root_)
        destroy(std::move(root_));
}

MenuTree::Entry *MenuTree::entry(Node node) const
{
    if (!node)
        throw std::invalid_argument("No menu node given");
    return static_cast<Entry *>(node);
}

MenuTree::Entry *MenuTree::itemEntry(Node node, const char *what) const
{
    Entry *e = entry(node);
    if (!e->parent)
        throw std::invalid_argument(std::string("The menu's root ") + what);
    return e;
}

void MenuTree::requireInStep() const
{
    const std::size_t nodes = root_ ? static_cast<std::size_t>(root_->size) - 1 : 0;
    if (!root_ || nodes != items_.size())
        throw std::logic_error(
            "The menu tree and the item list disagree: " + std::to_string(nodes) +
            " item nodes and " + std::to_string(items_.size()) + " records");
}

void MenuTree::resize(Entry *from, int delta)
{
    for (Entry *e = from; e; e = e->parent)
        e->size += delta;
}

ItemTree::Node MenuTree::root() const
{
    return root_.get();
}

ItemTree::Node MenuTree::parent(Node node) const
{
    return entry(node)->parent;
}

int MenuTree::childCount(Node node) const
{
    return static_cast<int>(entry(node)->children.size());
}

ItemTree::Node MenuTree::child(Node node, int index) const
{
    const auto &children = entry(node)->children;
    if (index < 0 || static_cast<std::size_t>(index) >= children.size())
        return nullptr;
    return children[static_cast<std::size_t>(index)].get();
}

std::string MenuTree::caption(Node node) const
{
    return entry(node)->caption;
}

void MenuTree::recordChanged(Id id)
{
    // Past this many, reading every record again costs less than the list.
    constexpr std::size_t MostListed = 1 << 16;
    if (changes_.all)
        return;
    if (changes_.nodes.size() >= MostListed) {
        changes_ = RecordChanges();
        return;
    }
    changes_.nodes.push_back(id);
}

MenuTree::RecordChanges MenuTree::takeRecordChanges()
{
    RecordChanges taken = std::move(changes_);
    changes_ = RecordChanges{false, {}};
    return taken;
}

void MenuTree::clear()
{
    changes_ = RecordChanges();
    parentsKept_ = false;
    lookedNodes_ = 0;
    byId_.clear();
    if (root_)
        destroy(std::move(root_));
}

ItemTree::Node MenuTree::addChild(Node parent, const std::string &caption)
{
    changes_ = RecordChanges();
    parentsKept_ = false;
    auto node = std::make_unique<Entry>();
    node->caption = caption;
    node->id = nextId();
    Entry *raw = node.get();
    if (!parent) {
        if (root_)
            throw std::logic_error("The menu already has a root");
        root_ = std::move(node);
    } else {
        raw->parent = entry(parent);
        raw->parent->children.push_back(std::move(node));
        resize(raw->parent, 1);
    }
    byId_[raw->id] = raw;
    return raw;
}

const std::vector<int> &MenuTree::parentIndices() const
{
    if (!parentsKept_) {
        parents_ = walkParents(root_.get());
        parentsKept_ = true;
    }
    return parents_;
}

// A branch of count items taken out at first: later items and their parents move up.
void MenuTree::parentsTaken(int first, int count)
{
    if (!parentsKept_)
        return;
    parentsKept_ = false; // until the list is in step again
    const auto begin = parents_.begin() + first;
    parents_.erase(begin, begin + count);
    for (int &parent : parents_) {
        if (parent >= first + count)
            parent -= count;
    }
    parentsKept_ = true;
}

// A branch put in at first under the item topParent; inner holds the parent of each of its
// other nodes, counted from the branch's top.
void MenuTree::parentsPut(int first, int topParent, const std::vector<int> &inner)
{
    if (!parentsKept_)
        return;
    parentsKept_ = false; // until the list is in step again
    const int count = static_cast<int>(inner.size()) + 1;
    for (int &parent : parents_) {
        if (parent >= first)
            parent += count;
    }
    std::vector<int> block;
    block.reserve(static_cast<std::size_t>(count));
    block.push_back(topParent);
    for (const int parent : inner)
        block.push_back(first + parent);
    parents_.insert(parents_.begin() + first, block.begin(), block.end());
    parentsKept_ = true;
}

std::vector<MenuTree::Id> MenuTree::itemIds() const
{
    std::vector<Id> ids;
    if (!root_)
        return ids;
    ids.reserve(static_cast<std::size_t>(root_->size - 1));
    for (const auto &[e, depth] : walk(root_.get())) {
        if (depth > 0)
            ids.push_back(e->id);
    }
    return ids;
}

MenuTree::Id MenuTree::id(Node node) const
{
    return entry(node)->id;
}

ItemTree::Node MenuTree::find(Id id) const
{
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

int MenuTree::level(Node node) const
{
    int level = 0;
    for (const Entry *e = entry(node); e->parent; e = e->parent)
        ++level;
    return level;
}

int MenuTree::indexOf(Node node) const
{
    const Entry *e = entry(node);
    if (!e->parent)
        return 0;
    const auto &siblings = e->parent->children;
    return static_cast<int>(std::find_if(siblings.begin(), siblings.end(),
                                         [e](const auto &s) { return s.get() == e; }) -
                            siblings.begin());
}

int MenuTree::itemIndex(Node node) const
{
    // Every ancestor, and the branch of every earlier sibling on the way up, comes first.
    int position = 0;
    for (const Entry *e = entry(node); e->parent; e = e->parent) {
        position += 1;
        for (const auto &sibling : e->parent->children) {
            if (sibling.get() == e)
                break;
            position += sibling->size;
        }
    }
    return position - 1;
}

ItemTree::Node MenuTree::nodeAt(int itemIndex) const
{
    if (!root_ || itemIndex < 0 || itemIndex + 1 >= root_->size)
        return nullptr;
    Entry *at = root_.get();
    int remaining = itemIndex + 1; // pre-order steps below the root
    while (remaining > 0) {
        --remaining; // into the children
        for (const auto &child : at->children) {
            if (remaining < child->size) {
                at = child.get();
                break;
            }
            remaining -= child->size;
        }
    }
    return at;
}

int MenuTree::branchSize(Node node) const
{
    return entry(node)->size;
}

bool MenuTree::contains(Node branch, Node node) const
{
    const Entry *top = entry(branch);
    for (const Entry *e = entry(node); e; e = e->parent) {
        if (e == top)
            return true;
    }
    return false;
}

ItemTree::Node MenuTree::insertItem(Node parent, int position, const std::string &caption,
                                    const ItemRecord &record)
{
    MenuBranch branch;
    branch.nodes.push_back({0, caption, record, 0, {}});
    return insertBranch(parent, position, std::move(branch));
}

MenuBranch MenuTree::takeBranch(Node node)
{
    requireInStep();
    Entry *top = itemEntry(node, "cannot be removed");
    const int first = itemIndex(node);
    MenuBranch branch;
    branch.nodes.reserve(static_cast<std::size_t>(top->size));
    for (const auto &[e, depth] : walk(top)) {
        const auto at = static_cast<std::size_t>(first) + branch.nodes.size();
        // The nodes go with the branch: their captions and records are handed over.
        lookedNodes_ -= e->look.empty() ? 0 : 1;
        branch.nodes.push_back(
            {depth, std::move(e->caption), std::move(items_[at]), e->id, std::move(e->look)});
        byId_.erase(e->id);
    }
    const auto begin = items_.begin() + first;
    items_.erase(begin, begin + static_cast<std::ptrdiff_t>(branch.nodes.size()));
    parentsTaken(first, static_cast<int>(branch.nodes.size()));

    Entry *parent = top->parent;
    auto &siblings = parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [top](const auto &s) { return s.get() == top; });
    std::unique_ptr<Entry> owned = std::move(*it);
    siblings.erase(it);
    resize(parent, -top->size);
    destroy(std::move(owned));
    return branch;
}

ItemTree::Node MenuTree::insertBranch(Node parent, int position, MenuBranch &&branch)
{
    requireInStep();
    Entry *into = entry(parent);
    if (position < 0 || position > childCount(parent))
        throw std::out_of_range("No place " + std::to_string(position) + " among " +
                                std::to_string(childCount(parent)) + " children");
    checkDepths(branch);

    // Build the branch apart, then hang it in and insert its records in one go.
    std::unique_ptr<Entry> top;
    std::vector<Entry *> built; // in pre-order
    built.reserve(branch.nodes.size());
    std::vector<Entry *> ancestors; // ancestors[d]: the last node built at depth d
    std::vector<ItemRecord> records;
    records.reserve(branch.nodes.size());
    byId_.reserve(byId_.size() + branch.nodes.size());
    std::vector<int> inner;  // each lower node's parent, counted from the top
    std::vector<int> lastAt; // lastAt[d]: the place of the last node at depth d
    for (MenuBranch::Node &node : branch.nodes) {
        lastAt.resize(static_cast<std::size_t>(node.depth));
        if (node.depth > 0)
            inner.push_back(lastAt.back());
        lastAt.push_back(static_cast<int>(records.size()));
        auto e = std::make_unique<Entry>();
        e->caption = std::move(node.caption);
        lookedNodes_ += node.look.empty() ? 0 : 1;
        e->look = std::move(node.look);
        e->id = node.id && !byId_.count(node.id) ? node.id : nextId();
        lastId_ = std::max(lastId_, e->id);
        byId_[e->id] = e.get();
        recordChanged(e->id);
        records.push_back(std::move(node.record));
        ancestors.resize(static_cast<std::size_t>(node.depth));
        Entry *raw = e.get();
        built.push_back(raw);
        if (node.depth == 0) {
            top = std::move(e);
        } else {
            raw->parent = ancestors.back();
            raw->parent->children.push_back(std::move(e));
        }
        ancestors.push_back(raw);
    }
    // Branch sizes, deepest first.
    for (auto it = built.rbegin(); it != built.rend(); ++it) {
        Entry *e = *it;
        e->size = 1;
        for (const auto &child : e->children)
            e->size += child->size;
    }

    Entry *raw = top.get();
    raw->parent = into;
    into->children.insert(into->children.begin() + position, std::move(top));
    resize(into, raw->size);
    const int first = itemIndex(raw);
    items_.insert(items_.begin() + first, std::make_move_iterator(records.begin()),
                  std::make_move_iterator(records.end()));
    parentsPut(first, itemIndex(into), inner);
    return raw;
}

void MenuTree::moveBranch(Node node, Node newParent, int position)
{
    requireInStep();
    Entry *moving = itemEntry(node, "cannot be moved");
    Entry *into = entry(newParent);
    if (contains(node, newParent))
        throw std::invalid_argument("An item cannot be moved into its own branch");
    const int places = childCount(newParent) - (moving->parent == into ? 1 : 0);
    if (position < 0 || position > places)
        throw std::out_of_range("No place " + std::to_string(position) + " among " +
                                std::to_string(places) + " children");

    // The nodes themselves move, so handles to them stay good; the records follow as a block.
    const int first = itemIndex(node);
    std::vector<int> inner;
    if (parentsKept_) {
        for (int k = first + 1; k < first + moving->size; ++k)
            inner.push_back(parents_[static_cast<std::size_t>(k)] - first);
    }
    auto &from = moving->parent->children;
    const auto it = std::find_if(from.begin(), from.end(),
                                 [moving](const auto &s) { return s.get() == moving; });
    std::unique_ptr<Entry> owned = std::move(*it);
    from.erase(it);
    resize(moving->parent, -moving->size);
    moving->parent = into;
    into->children.insert(into->children.begin() + position, std::move(owned));
    resize(into, moving->size);

    const int to = itemIndex(node);
    const auto begin = items_.begin();
    if (to < first)
        std::rotate(begin + to, begin + first, begin + first + moving->size);
    else
        std::rotate(begin + first, begin + first + moving->size, begin + to + moving->size);
    parentsTaken(first, moving->size);
    parentsPut(to, itemIndex(into), inner);
}

MenuBranch MenuTree::copyBranch(Node node) const
{
    requireInStep();
    Entry *top = itemEntry(node, "cannot be copied");
    const int first = itemIndex(node);
    MenuBranch branch;
    for (const auto &[e, depth] : walk(top)) {
        ItemRecord record = items_[static_cast<std::size_t>(first) + branch.nodes.size()];
        clearStructureFields(record);
        branch.nodes.push_back({depth, e->caption, std::move(record), 0, e->look});
    }
    return branch;
}

const ItemRecord &MenuTree::record(Node node) const
{
    requireInStep();
    itemEntry(node, "has no record");
    return items_[static_cast<std::size_t>(itemIndex(node))];
}

void MenuTree::setRecord(Node node, const ItemRecord &record)
{
    requireInStep();
    itemEntry(node, "has no record");
    items_[static_cast<std::size_t>(itemIndex(node))] = record;
    recordChanged(entry(node)->id);
}

void MenuTree::setCaption(Node node, const std::string &caption)
{
    entry(node)->caption = caption;
}

const ItemLook &MenuTree::itemLook(Node node) const
{
    return itemEntry(node, "has no icon or badge")->look;
}

void MenuTree::setItemLook(Node node, ItemLook look)
{
    Entry *e = itemEntry(node, "has no icon or badge");
    lookedNodes_ += (look.empty() ? 0 : 1) - (e->look.empty() ? 0 : 1);
    e->look = std::move(look);
}

namespace {
const std::string IconPrefix = "icon.";
const std::string BadgePrefix = "badge.";

// The record number a setting of the family names, or -1 for another setting.
int numberAfter(const std::string &prefix, const std::string &name)
{
    if (name.compare(0, prefix.size(), prefix) != 0 || !LookSettings::isKnown(name))
        return -1;
    return std::stoi(name.substr(prefix.size()));
}

// The item an icon.K or badge.K setting is for and the part of its look it sets; item -1 for
// another setting.
struct ItemLookSetting
{
    int item = -1;
    std::string ItemLook::*part = nullptr;
};
ItemLookSetting itemLookSetting(const std::string &name)
{
    if (const int icon = numberAfter(IconPrefix, name); icon >= 0)
        return {icon, &ItemLook::icon};
    if (const int badge = numberAfter(BadgePrefix, name); badge >= 0)
        return {badge, &ItemLook::badge};
    return {};
}
} // namespace

std::map<int, ItemLook> MenuTree::itemLooks() const
{
    requireInStep();
    std::map<int, ItemLook> looks;
    if (lookedNodes_ == 0)
        return looks;
    int k = -1; // the root comes first
    for (const auto &[e, depth] : walk(root_.get())) {
        if (!e->look.empty())
            looks.emplace(k, e->look);
        ++k;
    }
    return looks;
}

void MenuTree::setItemLooks(const std::map<int, ItemLook> &looks)
{
    requireInStep();
    if (looks.empty() || !root_)
        return;
    int k = -1;
    for (const auto &[e, depth] : walk(root_.get())) {
        const auto it = looks.find(k++);
        if (it != looks.end() && e->parent) {
            lookedNodes_ += (it->second.empty() ? 0 : 1) - (e->look.empty() ? 0 : 1);
            e->look = it->second;
        }
    }
}

void takeItemLooks(MenuTree &tree, LookSettings &look)
{
    const int count = tree.branchSize(tree.root()) - 1;
    std::map<int, ItemLook> looks;
    LookSettings rest;
    for (const auto &[name, value] : look.entries()) {
        const ItemLookSetting setting = itemLookSetting(name);
        if (setting.item < 0 || setting.item >= count)
            rest.set(name, value);
        else
            looks[setting.item].*setting.part = value;
    }
    tree.setItemLooks(looks);
    look = std::move(rest);
}

void putItemLooks(const MenuTree &tree, LookSettings &look)
{
    LookSettings rest;
    for (const auto &[name, value] : look.entries()) {
        if (itemLookSetting(name).item < 0)
            rest.set(name, value);
    }
    for (const auto &[k, itemLook] : tree.itemLooks()) {
        if (!itemLook.icon.empty())
            rest.set(IconPrefix + std::to_string(k), itemLook.icon);
        if (!itemLook.badge.empty())
            rest.set(BadgePrefix + std::to_string(k), itemLook.badge);
    }
    look = std::move(rest);
}

namespace {
const std::string StructureStart = "--------------- Structure Description Start ---------------";
const std::string StructureEnd = "--------------- Structure Description End ---------------";
const std::string ItemStart = "--------------- Item Parameter Description Start ---------------";
const std::string ItemEnd = "--------------- Item Parameter Description End ---------------";
const std::string LookStart = "--------------- Look Description ---------------";
const std::string LookEnd = "--------------- Look Description End ---------------";
} // namespace

std::string branchToText(const MenuBranch &branch)
{
    std::string out;
    auto line = [&out](std::string_view text) {
        out += text;
        out += LineEnd;
    };
    line(StructureStart);
    for (const MenuBranch::Node &node : branch.nodes)
        line(std::string(static_cast<std::size_t>(node.depth), '\t') + node.caption);
    line(StructureEnd);
    line(ItemStart);
    line(std::to_string(branch.nodes.size()));
    for (const MenuBranch::Node &node : branch.nodes) {
        for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos)
            line(node.record[pos]);
    }
    line(ItemEnd);
    LookSettings looks;
    for (std::size_t k = 0; k < branch.nodes.size(); ++k) {
        const ItemLook &look = branch.nodes[k].look;
        if (!look.icon.empty())
            looks.set(IconPrefix + std::to_string(k), look.icon);
        if (!look.badge.empty())
            looks.set(BadgePrefix + std::to_string(k), look.badge);
    }
    if (!looks.empty()) {
        line(LookStart);
        for (const auto &[name, value] : looks.entries())
            line(name + "=" + value);
        line(LookEnd);
    }
    return out;
}

MenuBranch branchFromText(const std::string &text)
{
    const auto refuse = [](const std::string &why) {
        return ETreeError("The text is not a menu branch: " + why);
    };
    std::vector<std::string> lines = splitLines(text);
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::size_t at = 0;
    auto expect = [&](const std::string &marker) {
        if (at >= lines.size() || lines[at] != marker)
            throw refuse("\"" + marker + "\" is missing");
        ++at;
    };

    MenuBranch branch;
    expect(StructureStart);
    while (at < lines.size() && lines[at] != StructureEnd) {
        const std::string &line = lines[at++];
        const std::size_t depth = line.find_first_not_of('\t');
        if (depth == std::string::npos)
            throw refuse("a structure line holds no caption");
        branch.nodes.push_back({static_cast<int>(depth), line.substr(depth), {}, 0, {}});
    }
    expect(StructureEnd);
    try {
        checkDepths(branch);
    } catch (const std::invalid_argument &error) {
        throw refuse(error.what());
    }
    expect(ItemStart);
    if (at >= lines.size() || lines[at] != std::to_string(branch.nodes.size()))
        throw refuse("the item count does not match the structure");
    ++at;
    if (lines.size() - at < branch.nodes.size() * ItemRecord::FieldCount + 1)
        throw refuse("the item section does not hold 15 lines per item");
    for (MenuBranch::Node &node : branch.nodes) {
        std::array<std::string_view, ItemRecord::FieldCount> fields;
        for (std::string_view &field : fields)
            field = lines[at++];
        node.record.assign(fields);
    }
    expect(ItemEnd);
    if (at == lines.size())
        return branch;
    expect(LookStart);
    LookSettings looks;
    try {
        while (at < lines.size() && lines[at] != LookEnd) {
            if (const auto setting = LookSettings::parseLine(lines[at++]))
                looks.set(setting->first, setting->second);
        }
    } catch (const std::invalid_argument &error) {
        throw refuse(error.what());
    }
    expect(LookEnd);
    if (at != lines.size())
        throw refuse("text follows the look section");
    for (const auto &[name, value] : looks.entries()) {
        const ItemLookSetting setting = itemLookSetting(name);
        if (setting.item >= 0 && static_cast<std::size_t>(setting.item) < branch.nodes.size())
            branch.nodes[static_cast<std::size_t>(setting.item)].look.*setting.part = value;
    }
    return branch;
}
