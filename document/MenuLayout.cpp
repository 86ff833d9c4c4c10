#include "MenuLayout.h"

#include <algorithm>
#include <cmath>

double EstimatedMeasure::width(const std::string &utf8, const CaptionFont &font) const
{
    // Code points: every byte that does not continue a UTF-8 sequence.
    const auto chars = std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<double>(chars) * font.size * 0.6;
}

std::vector<int> itemParents(const ItemTree &tree)
{
    std::vector<int> parents;
    const std::vector<PreOrderEntry> walk = preOrderEntries(tree);
    // Entry k + 1 of the walk is item k; the root (entry 0) is no item.
    for (std::size_t k = 1; k < walk.size(); ++k)
        parents.push_back(walk[k].parentIndex - 1);
    return parents;
}

std::string popupRowCaption(const ItemRecord &item, bool opensPopup)
{
    const std::string_view caption = item[ItemField::ItemCaption];
    return std::string(opensPopup ? caption : caption.substr(0, caption.find('|')));
}

namespace {
// Children of every item, and the first-level items, in list order.
struct Children
{
    std::vector<int> top;
    std::vector<std::vector<int>> of;
};

Children childrenOf(const std::vector<int> &parents, std::size_t count)
{
    Children c;
    c.of.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        const int parent = parents[k];
        if (parent < 0 || static_cast<std::size_t>(parent) >= k)
            c.top.push_back(static_cast<int>(k)); // a parent always comes before its children
        else
            c.of[static_cast<std::size_t>(parent)].push_back(static_cast<int>(k));
    }
    return c;
}

struct PopupPlacer
{
    const MenuRecords &items;
    const Children &children;
    const CaptionMeasure &measure;
    CaptionFont font;
    PopupMetrics metrics;
    MenuLayout &layout;

    // Lays out the popup that first-level item k opens at (x, y), and every popup below it,
    // in pre-order.
    int place(int item, int k, int x, int y)
    {
        struct Pending
        {
            int item, parent, row, x, y;
        };
        std::vector<Pending> stack{{item, -1, k, x, y}};
        int first = -1;
        while (!stack.empty()) {
            const Pending next = stack.back();
            stack.pop_back();
            const int index = static_cast<int>(layout.popups.size());
            if (first < 0)
                first = index;
            layout.popups.push_back(build(next.item, next.x, next.y));
            LayoutPopup &popup = layout.popups.back();
            popup.firstLevel = k;
            popup.row = next.row;
            popup.parent = next.parent;
            if (next.parent >= 0)
                linkFromParent(next.parent, index, next.row);
            for (int r = static_cast<int>(popup.rows.size()) - 1; r >= 0; --r) {
                const LayoutRow &row = popup.rows[static_cast<std::size_t>(r)];
                if (row.kind == RowKind::Submenu)
                    stack.push_back({row.item, index, r,
                                     popup.box.x + popup.box.w - metrics.inner(),
                                     row.y - metrics.inner()});
            }
        }
        return first;
    }

    void linkFromParent(int parent, int index, int row)
    {
        layout.popups[static_cast<std::size_t>(parent)].rows[static_cast<std::size_t>(row)].popup =
            index;
    }

    LayoutPopup build(int item, int x, int y) const
    {
        return layoutPopupRows(
            items, children.of[static_cast<std::size_t>(item)],
            [this](int child) { return !children.of[static_cast<std::size_t>(child)].empty(); },
            font, measure, x, y, metrics);
    }
};

void appendRect(TextOut &out, const LayoutRect &r)
{
    out += "[" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.w) +
           ", " + std::to_string(r.h) + "]";
}

void appendPath(TextOut &out, const std::vector<int> &path)
{
    out += "[";
    for (std::size_t i = 0; i < path.size(); ++i)
        out += (i ? ", " : "") + std::to_string(path[i]);
    out += "]";
}

const char *kindName(RowKind kind)
{
    switch (kind) {
    case RowKind::Separator:
        return "separator";
    case RowKind::Submenu:
        return "submenu";
    case RowKind::Item:
        break;
    }
    return "item";
}
} // namespace

MenuLayout computeMenuLayout(const AppletRecord &data, const ItemList &items,
                             const std::vector<int> &parents, const CaptionMeasure &measure,
                             const PopupMetrics &metrics)
{
    return computeMenuLayout(data, MenuRecords{items}, parents, measure, PopupDepth::All, metrics);
}

CaptionFont badgeFont(CaptionFont popupFont)
{
    popupFont.size = std::max(1, static_cast<int>(std::lround(popupFont.size * 0.8)));
    return popupFont;
}

double PopupMetrics::adornmentWidth(int item, int captionSize, const CaptionFont &popupFont,
                                    const CaptionMeasure &measure) const
{
    double width = icons.count(item) ? captionSize + 6 : 0;
    const auto badge = badges.find(item);
    if (badge != badges.end()) {
        const CaptionFont small = badgeFont(popupFont);
        width += 6 + std::ceil(measure.width(badge->second, small)) + badgeHeight(small);
    }
    return width;
}

PopupMetrics PopupMetrics::of(const LookValues &look)
{
    PopupMetrics metrics{look.popupFrameWidth, look.popupPadding, look.popupRow,
                         look.popupFont,       look.popupWeight,  {},
                         look.badges};
    for (const auto &[item, icon] : look.icons)
        metrics.icons.insert(item);
    return metrics;
}

LayoutPopup layoutPopupRows(const MenuRecords &items, const std::vector<int> &children,
                            const std::function<bool(int)> &opens, const CaptionFont &font,
                            const CaptionMeasure &measure, int x, int y,
                            const PopupMetrics &metrics)
{
    LayoutPopup popup;
    const int rowHeight = metrics.rowHeight(font.size);
    int rowY = y + metrics.inner();
    double widest = 0;
    for (int child : children) {
        const ItemRecord &record = items[static_cast<std::size_t>(child)];
        const bool opensPopup = opens(child);
        LayoutRow row;
        row.caption = popupRowCaption(record, opensPopup);
        const std::string &caption = row.caption;
        row.item = child;
        row.kind = opensPopup                    ? RowKind::Submenu
                   : caption == SeparatorCaption ? RowKind::Separator
                                                 : RowKind::Item;
        row.y = rowY;
        row.h = row.kind == RowKind::Separator ? 7 : rowHeight;
        if (row.kind != RowKind::Separator)
            widest = std::max(widest, std::ceil(measure.width(caption, font)) +
                                          metrics.adornmentWidth(child, font.size, font, measure));
        rowY += row.h;
        popup.rows.push_back(std::move(row));
    }
    popup.box = {x, y, metrics.width(widest), rowY + metrics.inner() - y};
    return popup;
}

MenuLayout computeMenuLayout(const AppletRecord &data, const MenuRecords &items,
                             const std::vector<int> &parents, const CaptionMeasure &measure,
                             PopupDepth depth, const PopupMetrics &metrics)
{
    using namespace AppletField;
    const AppletValues v(data);
    MenuLayout layout;
    layout.applet = {0, 0, v.size(ApWidth), v.size(ApHeight)};

    const std::size_t count = std::min(items.size(), parents.size());
    // Only the first-level items' own children are needed when their popups are only placed:
    // an item's first child follows it at once.
    Children children;
    if (depth == PopupDepth::All) {
        children = childrenOf(parents, count);
    } else {
        for (std::size_t k = 0; k < count; ++k) {
            if (parents[k] < 0 || static_cast<std::size_t>(parents[k]) >= k)
                children.top.push_back(static_cast<int>(k));
        }
    }
    auto opensPopup = [&](int item) {
        const auto at = static_cast<std::size_t>(item);
        return depth == PopupDepth::All ? !children.of[at].empty()
                                        : at + 1 < count && parents[at + 1] == item;
    };
    const int n = static_cast<int>(children.top.size());
    const bool horizontal = v.choice(MnItemsAlign, 2) != 0;
    const int mb = v.borderWidth(MnBrdWidth, MnBrdStyle);
    const int mx = v.position(MnX), my = v.position(MnY);
    const int iw = v.size(MnItemsWidth), ih = v.size(MnItemsHeight), gap = v.position(MnItemsGap);
    if (n > 0) {
        layout.menu = horizontal ? LayoutRect{mx, my, 2 * mb + n * iw + (n - 1) * gap, 2 * mb + ih}
                                 : LayoutRect{mx, my, 2 * mb + iw, 2 * mb + n * ih + (n - 1) * gap};
    }

    PopupPlacer placer{items,   children, measure, metrics.font(v.font(PopupFntName)),
                       metrics, layout};
    for (int k = 0; k < n; ++k) {
        const int item = children.top[static_cast<std::size_t>(k)];
        const LayoutRect r{mx + mb + (horizontal ? k * (iw + gap) : 0),
                           my + mb + (horizontal ? 0 : k * (ih + gap)), iw, ih};
        layout.items.push_back(r);
        layout.itemIndex.push_back(item);
        int popup = -1;
        if (opensPopup(item)) {
            const FirstLevelValues values(items[static_cast<std::size_t>(item)]);
            const int ox = values.offsetX(), oy = values.offsetY();
            const int x = horizontal ? r.x + ox : r.x + iw + ox;
            const int y = horizontal ? r.y + ih + oy : r.y + oy;
            if (depth == PopupDepth::All) {
                popup = placer.place(item, k, x, y);
            } else {
                popup = static_cast<int>(layout.popups.size());
                LayoutPopup placed;
                placed.firstLevel = placed.row = k;
                placed.box = {x, y, 0, 0};
                layout.popups.push_back(std::move(placed));
            }
        }
        layout.itemPopup.push_back(popup);
    }
    return layout;
}

std::vector<int> popupPath(const MenuLayout &layout, int popup)
{
    std::vector<int> path;
    for (int at = popup; at >= 0 && static_cast<std::size_t>(at) < layout.popups.size();
         at = layout.popups[static_cast<std::size_t>(at)].parent)
        path.push_back(layout.popups[static_cast<std::size_t>(at)].row); // below the menu:
                                                                         // the first level
    std::reverse(path.begin(), path.end());
    return path;
}

std::string menuLayoutJson(const MenuLayout &layout)
{
    TextOut out;
    writeMenuLayoutJson(out, layout);
    return out.take();
}

void writeMenuLayoutJson(TextOut &out, const MenuLayout &layout)
{
    out += "{\"applet\": ";
    appendRect(out, layout.applet);
    out += ", \"menu\": ";
    if (layout.menu)
        appendRect(out, *layout.menu);
    else
        out += "null";
    out += ", \"items\": [";
    for (std::size_t k = 0; k < layout.items.size(); ++k) {
        out += k ? ", " : "";
        appendRect(out, layout.items[k]);
    }
    out += "], \"popups\": [";
    // Popups come in pre-order: each one's path is its parent's, which the walk still holds
    // (owners tells), and its row. Nothing of the size of a path is made per popup.
    std::vector<int> path, owners;
    for (std::size_t p = 0; p < layout.popups.size(); ++p) {
        const LayoutPopup &popup = layout.popups[p];
        const auto held = std::find(owners.rbegin(), owners.rend(), popup.parent);
        if (popup.parent < 0) {
            path.clear();
            owners.clear();
        } else if (held != owners.rend()) {
            path.resize(static_cast<std::size_t>(owners.rend() - held));
            owners.resize(path.size());
        } else {
            path = popupPath(layout, popup.parent);
            owners.assign(path.size(), -1);
            owners.back() = popup.parent;
        }
        path.push_back(popup.row);
        owners.push_back(static_cast<int>(p));
        out += p ? ", {\"path\": " : "{\"path\": ";
        appendPath(out, path);
        out += ", \"box\": ";
        appendRect(out, popup.box);
        out += ", \"rows\": [";
        for (std::size_t r = 0; r < popup.rows.size(); ++r) {
            const LayoutRow &row = popup.rows[r];
            out += (r ? ", [" : "[") + std::to_string(row.y) + ", " + std::to_string(row.h) +
                   ", \"" + kindName(row.kind) + "\"]";
        }
        out += "]}";
    }
    out += "]}\n";
}

namespace {
struct NarrowBuilder
{
    const MenuLayout &wide;
    const NarrowVisit &visit;
    int width;
    int rowHeight;
    int y;
    int firstLevel = -1;
    std::vector<int> path; // of the row being added: grows and shrinks with the walk

    void add(NarrowKind kind, int h, int item, std::string caption)
    {
        const int depth = static_cast<int>(path.size());
        visit({firstLevel, {0, y, width, h}, kind, depth, item, std::move(caption)}, path);
        y += h;
    }

    // A popup's rows and, below each branch, its own; iterative, as menus may be deep.
    void addPopup(int first)
    {
        std::vector<std::pair<int, std::size_t>> stack{{first, 0}};
        while (!stack.empty()) {
            auto &[index, next] = stack.back();
            const LayoutPopup &popup = wide.popups[static_cast<std::size_t>(index)];
            path.resize(stack.size());
            if (next == popup.rows.size()) {
                stack.pop_back();
                continue;
            }
            const LayoutRow &row = popup.rows[next];
            path.push_back(static_cast<int>(next++));
            const bool branch = row.kind == RowKind::Submenu && row.popup >= 0;
            add(row.kind == RowKind::Separator ? NarrowKind::Separator
                : branch                       ? NarrowKind::Branch
                                               : NarrowKind::Item,
                row.kind == RowKind::Separator ? 7 : rowHeight, row.item, row.caption);
            if (branch)
                stack.push_back({row.popup, 0});
        }
    }
};

const char *narrowKindName(NarrowKind kind)
{
    switch (kind) {
    case NarrowKind::Separator:
        return "separator";
    case NarrowKind::Branch:
        return "branch";
    case NarrowKind::Item:
        break;
    }
    return "item";
}
} // namespace

namespace {
// The narrow form without its rows: the bar, max(44, item height) high, and its button.
NarrowLayout narrowFrame(const AppletValues &v, int width)
{
    const int bar = std::max(44, v.size(AppletField::MnItemsHeight));
    NarrowLayout narrow;
    narrow.width = width;
    narrow.bar = {0, 0, width, bar};
    narrow.button = {0, 0, bar, bar};
    return narrow;
}
} // namespace

NarrowLayout computeNarrowLayout(const AppletRecord &data, const MenuRecords &items,
                                 const MenuLayout &layout, int width, const NarrowVisit &visit)
{
    using namespace AppletField;
    const AppletValues v(data);
    const NarrowLayout narrow = narrowFrame(v, width);
    const int bar = narrow.bar.h;
    NarrowBuilder builder{layout, visit, width, std::max(44, v.font(PopupFntName).size + 8),
                          bar,    -1,    {}};
    for (std::size_t k = 0; k < layout.items.size(); ++k) {
        const int item = layout.itemIndex[k];
        const int popup = layout.itemPopup[k];
        builder.firstLevel = static_cast<int>(k);
        builder.path = {builder.firstLevel};
        builder.add(popup >= 0 ? NarrowKind::Branch : NarrowKind::Item, bar, item,
                    popupRowCaption(items[static_cast<std::size_t>(item)], false));
        if (popup >= 0)
            builder.addPopup(popup);
    }
    return narrow;
}

NarrowLayout computeNarrowLayout(const AppletRecord &data, const MenuRecords &items,
                                 const MenuLayout &layout, int width)
{
    std::vector<NarrowRow> rows;
    NarrowLayout narrow =
        computeNarrowLayout(data, items, layout, width, [&rows](NarrowRow &&row, const auto &) {
            rows.push_back(std::move(row));
        });
    narrow.rows = std::move(rows);
    return narrow;
}

std::string narrowLayoutJson(const NarrowLayout &layout)
{
    TextOut out;
    writeNarrowLayoutJson(out, layout);
    return out.take();
}

namespace {
void appendNarrowHead(TextOut &out, const NarrowLayout &frame)
{
    out += "{\"width\": " + std::to_string(frame.width) + ", \"bar\": ";
    appendRect(out, frame.bar);
    out += ", \"button\": ";
    appendRect(out, frame.button);
    out += ", \"rows\": [";
}

void appendNarrowRow(TextOut &out, const NarrowRow &row, const std::vector<int> &path, bool first)
{
    out += first ? "{\"path\": " : ", {\"path\": ";
    appendPath(out, path);
    out += ", \"box\": ";
    appendRect(out, row.box);
    out += ", \"kind\": \"" + std::string(narrowKindName(row.kind)) +
           "\", \"depth\": " + std::to_string(row.depth) + "}";
}
} // namespace

void writeNarrowLayoutJson(TextOut &out, const NarrowLayout &layout)
{
    appendNarrowHead(out, layout);
    // The rows are complete and in pre-order: each path follows from the depths.
    std::vector<int> path;
    for (std::size_t r = 0; r < layout.rows.size(); ++r) {
        const std::size_t depth = static_cast<std::size_t>(std::max(1, layout.rows[r].depth));
        if (depth > path.size()) {
            path.resize(depth, 0);
        } else {
            path.resize(depth);
            ++path.back();
        }
        appendNarrowRow(out, layout.rows[r], path, r == 0);
    }
    out += "]}\n";
}

void writeNarrowLayoutJson(TextOut &out, const AppletRecord &data, const MenuRecords &items,
                           const MenuLayout &layout, int width)
{
    appendNarrowHead(out, narrowFrame(AppletValues(data), width));
    bool first = true;
    computeNarrowLayout(data, items, layout, width,
                        [&out, &first](NarrowRow &&row, const std::vector<int> &path) {
                            appendNarrowRow(out, row, path, first);
                            first = false;
                        });
    out += "]}\n";
}
