#pragma once

#include "document/LookSettings.h"
#include "document/MenuLayout.h"

#include <string>
#include <vector>

// What keeps visitors from using a menu that the author can still change: captions that do
// not stand out from their background, and first-level items too small to hit.
struct AccessibilityWarning
{
    int item = -1;     // the first-level item's index in the item list; -1 for the whole menu
    std::string where; // "item 2 \"Products\"", or "first-level items"
    std::string what;  // the problem and the fix
};

// The least width and height of a first-level item that a finger or an unsteady hand hits.
inline constexpr int MinimumTargetSize = 24;

// WCAG's contrast ratio of two colours, from 1 to 21.
double contrastRatio(Rgb a, Rgb b);

// Each first-level item's caption against its background in each state (a gradient counts
// by its worst row; a transparent item by the menu box or applet behind it; pictures are not
// looked at), below 4.5:1; and items smaller than 24 x 24 pixels.
std::vector<AccessibilityWarning>
accessibilityWarnings(const AppletRecord &data, const MenuRecords &items, const MenuLayout &layout);
// The same for a menu with look settings: the popup rows' and the highlight's captions too,
// and, where the menu can show the dark scheme, all of it again in the dark colours.
std::vector<AccessibilityWarning> accessibilityWarnings(const AppletRecord &data,
                                                        const MenuRecords &items,
                                                        const MenuLayout &layout,
                                                        const LookValues &look);
