#pragma once

#include "document/AppletData.h"
#include "document/ItemData.h"
#include "document/ItemTree.h"
#include "document/LookSettings.h"
#include "document/MenuValues.h"
#include "document/TextOut.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Where the parts of the menu lie, as the page's runtime and the editor's preview both place
// them: the applet area, the first-level menu box and items, and every popup with its rows,
// open or not, before popups are moved to stay in view. Whole pixels relative to the applet
// area's top left corner.
struct LayoutRect
{
    int x = 0, y = 0, w = 0, h = 0;
};

enum class RowKind
{
    Item,
    Separator,
    Submenu,
};

struct LayoutRow
{
    int y = 0; // relative to the applet area, like every position here
    int h = 0;
    RowKind kind = RowKind::Item;
    std::string caption; // as the page reads it (popupRowCaption)
    int item = -1;       // the row's index in the item list
    int popup = -1;      // for a submenu row, the index of the popup it opens
};

// A popup knows its way from the menu by its parent, not by a copy of the whole way, so a
// deep menu's layout grows with its items, not with their depth; popupPath gives the way.
struct LayoutPopup
{
    int firstLevel = -1; // the first-level item whose popups lead here
    int row = -1;        // the row of the parent that opens it; below the menu, firstLevel
    LayoutRect box;
    std::vector<LayoutRow> rows;
    int parent = -1; // the popup holding the row that opens this one; -1 below the menu
};

struct MenuLayout
{
    LayoutRect applet;
    std::optional<LayoutRect> menu; // none without first-level items
    std::vector<LayoutRect> items;
    std::vector<int> itemIndex;      // each first-level item's index in the item list
    std::vector<int> itemPopup;      // the popup each first-level item opens, or -1
    std::vector<LayoutPopup> popups; // pre-order
};

// The narrow form a phone shows below the applet's width: a bar with the menu button, and the
// list of every item, one row each, every branch expanded. y counts from the bar's top.
enum class NarrowKind
{
    Item,
    Separator,
    Branch,
};

struct NarrowRow
{
    int firstLevel = -1; // the first-level item it lies below (or is)
    LayoutRect box;
    NarrowKind kind = NarrowKind::Item;
    int depth = 1;       // 1 for first-level items
    int item = -1;       // index in the item list
    std::string caption; // as the page reads it
};

struct NarrowLayout
{
    int width = 0;
    LayoutRect bar, button;
    std::vector<NarrowRow> rows; // pre-order
};

// Measures a caption in a font, in pixels.
class CaptionMeasure
{
public:
    virtual ~CaptionMeasure() = default;
    virtual double width(const std::string &utf8, const CaptionFont &font) const = 0;
};

// A fixed estimate without a font engine: 0.6 of the size per character.
class EstimatedMeasure : public CaptionMeasure
{
public:
    double width(const std::string &utf8, const CaptionFont &font) const override;
};

// The first-level item number, then the numbers of the rows that lead to the popup.
std::vector<int> popupPath(const MenuLayout &layout, int popup);

// Each item's parent in the item list (-1 for first-level items), from the tree; the list
// holds the tree's items in pre-order.
std::vector<int> itemParents(const ItemTree &tree);

// The item records a drawing reads: a list, in which one record may be shown replaced (the one
// the editor's pages show with unsaved edits) without copying the list.
struct MenuRecords
{
    const ItemList &items;
    int replaced = -1;
    const ItemRecord *replacement = nullptr;

    std::size_t size() const { return items.size(); }
    const ItemRecord &operator[](std::size_t index) const
    {
        return replacement && static_cast<std::size_t>(replaced) == index ? *replacement
                                                                          : items[index];
    }
};

// The measures of a popup that the look settings change: the width of its frame, the
// caption's distance from its left edge and the least row height. The defaults are the basic
// look's.
struct PopupMetrics
{
    int frame = 1, padding = 8, row = 24;
    std::string families; // the popup font's, from the look
    int weight = 0;
    std::set<int> icons;               // the items with an icon
    std::map<int, std::string> badges; // by item

    // The first row lies this far below the popup's top (and as far above its bottom); a
    // deeper popup opens this far up and this far into its parent.
    int inner() const { return frame + 2; }
    int width(double widestCaption) const
    {
        return std::max(80, 2 * padding + 14 + static_cast<int>(widestCaption));
    }
    int rowHeight(int fontSize) const { return std::max(row, fontSize + 8); }
    CaptionFont font(CaptionFont basic) const
    {
        basic.families = families;
        basic.weight = weight;
        return basic;
    }
    // What an item's icon and badge add to its caption's width: the icon is a square of the
    // caption's size 6 pixels before it, the badge a pill 6 pixels after it (badgeFont).
    double adornmentWidth(int item, int captionSize, const CaptionFont &popupFont,
                          const CaptionMeasure &measure) const;
    static PopupMetrics of(const LookValues &look);
};

// A badge's text is in the popup font at 0.8 of its size; the pill is 4 pixels higher than
// that size and wider than its text by its height, so that its round ends clear the text.
CaptionFont badgeFont(CaptionFont popupFont);
inline int badgeHeight(const CaptionFont &badge)
{
    return badge.size + 4;
}

// The layout of the menu that the document's HTML describes. parents gives each item's
// parent index as itemParents does; items beyond it are ignored.
MenuLayout computeMenuLayout(const AppletRecord &data, const ItemList &items,
                             const std::vector<int> &parents, const CaptionMeasure &measure,
                             const PopupMetrics &metrics = {});
// With FirstLevel, each first-level item's popup is only placed: its box at its place, no
// rows, the width 0, for a view that lays out the popups it shows with layoutPopupRows.
enum class PopupDepth
{
    All,
    FirstLevel
};
MenuLayout computeMenuLayout(const AppletRecord &data, const MenuRecords &items,
                             const std::vector<int> &parents, const CaptionMeasure &measure,
                             PopupDepth depth = PopupDepth::All, const PopupMetrics &metrics = {});

// The rows of the popup opened at (x, y) that holds the items children (in order), and its
// box; opens tells which of them open a popup of their own. Row popups stay -1.
LayoutPopup layoutPopupRows(const MenuRecords &items, const std::vector<int> &children,
                            const std::function<bool(int)> &opens, const CaptionFont &font,
                            const CaptionMeasure &measure, int x, int y,
                            const PopupMetrics &metrics = {});

// The narrow form at width A of the menu that a layout describes: the bar is max(44, item
// height) high, first-level rows as high as the bar, deeper rows max(44, popup font size + 8).
// With visit, each row is handed to it in pre-order instead of kept in the result, with its
// path: the first-level number, then the row numbers (valid during the call).
using NarrowVisit = std::function<void(NarrowRow &&, const std::vector<int> &path)>;
NarrowLayout computeNarrowLayout(const AppletRecord &data, const MenuRecords &items,
                                 const MenuLayout &layout, int width, const NarrowVisit &visit);
NarrowLayout computeNarrowLayout(const AppletRecord &data, const MenuRecords &items,
                                 const MenuLayout &layout, int width);

// The popup rows' captions as the page reads them: a row without a popup of its own carries
// "caption|url|target|", so its caption ends at the first "|".

std::string popupRowCaption(const ItemRecord &item, bool opensPopup);

// {"applet": [x, y, w, h], "menu": [...] or null, "items": [[...], ...],
//  "popups": [{"path": [...], "box": [...], "rows": [[y, h, "item"], ...]}, ...]}
std::string menuLayoutJson(const MenuLayout &layout);
void writeMenuLayoutJson(TextOut &out, const MenuLayout &layout);
// {"width": A, "bar": [...], "button": [...],
//  "rows": [{"path": [...], "box": [...], "kind": "branch", "depth": 1}, ...]}
std::string narrowLayoutJson(const NarrowLayout &layout);
void writeNarrowLayoutJson(TextOut &out, const NarrowLayout &layout);
// The same, each row written as it is laid out: a large menu's narrow form is never held whole.
void writeNarrowLayoutJson(TextOut &out, const AppletRecord &data, const MenuRecords &items,
                           const MenuLayout &layout, int width);
