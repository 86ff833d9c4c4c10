#pragma once

#include "document/AccessibilityCheck.h"
#include "document/ItemData.h"
#include "document/MenuLayout.h"
#include "document/MenuTree.h"
#include "document/PageAddress.h"

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

// A link that runs script when it is followed: javascript:, vbscript: or data:.
bool linkRunsScript(std::string_view url);

// The fields the page reads from an item: its caption, link and target as they stand after the
// page splits the item's value at the separator, which shifts them when a value holds one.
struct PageReading
{
    std::string caption;
    std::string url;
    std::string target;
};
PageReading pageReading(const ItemRecord &item, const std::string &separator);

// Items whose caption, link or target holds the separator (the page reads other fields than
// the record holds: named with what the page uses), and items whose link, as the page uses
// it, runs script. Such links may be meant (javascript:void(0)), so they are only told.
std::vector<AccessibilityWarning> linkWarnings(const MenuRecords &items,
                                               const std::string &separator);

// The link warnings of the menu a tree holds, kept from one call to the next: a call reads
// again only the records put in or set since the last (MenuTree::takeRecordChanges), so after
// a command it costs what the command touched, not the menu. The same warnings as
// linkWarnings, in the same order.
class LinkWarningIndex
{
public:
    std::vector<AccessibilityWarning> warnings(MenuTree &tree, const MenuRecords &items,
                                               const std::string &separator);
    // Records read so far, for telling what a call costs.
    unsigned long long recordsRead() const { return recordsRead_; }

private:
    static constexpr std::size_t MostLocated = 2000;
    // Found by place after a full scan: each costs a descent from the root, so past a few a
    // walk over the whole tree costs less.
    static constexpr std::size_t MostFoundByPlace = 64;
    std::unordered_set<MenuTree::Id> flagged_; // items whose record is warned of
    std::string separator_;
    unsigned long long recordsRead_ = 0;
};
