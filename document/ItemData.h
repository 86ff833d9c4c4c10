#pragma once

#include "document/Records.h"

#include <string>
#include <vector>

// One menu item: fields 1 to 11 are edited by the author, 12 to 15 number the menu
// structure and are derived from the tree before every save and HTML build.
using ItemRecord = TextRecord<15>;

// The item list, in the pre-order of the item tree without its root.
using ItemList = std::vector<ItemRecord>;

namespace ItemField {
enum : int
{
    ItemCaption = 1,
    ItemURL = 2,
    ItemTarget = 3,
    ItemStatusBarText = 4,
    ItemNoBgImg = 5,
    ItemOvBgImg = 6,
    ItemClBgImg = 7,
    ItemOvBgSnd = 8,
    ItemClBgSnd = 9,
    ItemMenuOffsetX = 10,
    ItemMenuOffsetY = 11,
    ItemSubMenu = 12,
    ItemMenu = 13,
    ItemIndex = 14,
    ItemButton = 15,
};
} // namespace ItemField

// Each field's name by position (index 0 unused).
inline constexpr const char *ItemFieldNames[] = {"",
                                                 "ItemCaption",
                                                 "ItemURL",
                                                 "ItemTarget",
                                                 "ItemStatusBarText",
                                                 "ItemNoBgImg",
                                                 "ItemOvBgImg",
                                                 "ItemClBgImg",
                                                 "ItemOvBgSnd",
                                                 "ItemClBgSnd",
                                                 "ItemMenuOffsetX",
                                                 "ItemMenuOffsetY",
                                                 "ItemSubMenu",
                                                 "ItemMenu",
                                                 "ItemIndex",
                                                 "ItemButton"};

// The caption that makes an item a separator.
inline constexpr const char *SeparatorCaption = "-";

// An item's icon (a picture's file name) and badge (a short text): look settings that files
// keep by the item's record number, and that travel with the item's node while it is edited.
struct ItemLook
{
    std::string icon, badge;
    bool empty() const { return icon.empty() && badge.empty(); }
    bool operator==(const ItemLook &other) const
    {
        return icon == other.icon && badge == other.badge;
    }
    bool operator!=(const ItemLook &other) const { return !(*this == other); }
};
