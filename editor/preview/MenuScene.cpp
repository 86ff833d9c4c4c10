#include "MenuScene.h"

#include <algorithm>
#include <cmath>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

// Fields by their names in the applet's field table.
using namespace AppletField;

namespace {
const Rgb Black{0, 0, 0}, White{0xFF, 0xFF, 0xFF};

const Rgb PopupBack{0xF0, 0xF0, 0xF0}, PopupFrame{0x80, 0x80, 0x80}, PopupText{0, 0, 0};
const Rgb Highlight{0x31, 0x6A, 0xC5}, HighlightText{0xFF, 0xFF, 0xFF};
const Rgb SeparatorDark{0xA0, 0xA0, 0xA0}, SeparatorLight{0xFF, 0xFF, 0xFF};

QColor qcolor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

void fill(QPainter &p, int x, int y, int w, int h, Rgb c)
{
    if (w > 0 && h > 0)
        p.fillRect(QRect(x, y, w, h), qcolor(c));
}

int divFloor(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Colour a at the top to b at the bottom: row y gets a + (b - a)(2y + 1)/(2h), rounded to the
// nearest integer, halves up.
void background(QPainter &p, int x, int y, int w, int h, Rgb a, const Rgb *b)
{
    if (!b)
        return fill(p, x, y, w, h, a);
    auto channel = [h](int from, int to, int row) {
        return from + divFloor((to - from) * (2 * row + 1) + h, 2 * h);
    };
    for (int j = 0; j < h; ++j)
        fill(p, x, y + j, w, 1,
             {channel(a.r, b->r, j), channel(a.g, b->g, j), channel(a.b, b->b, j)});
}

void border(QPainter &p, int x, int y, int w, int h, int style, int width, Rgb c)
{
    if (style == 0)
        return;
    const int n = std::min(width, std::min(w, h) / 2);
    const Rgb light = lightOf(c), dark = darkOf(c);
    for (int k = 0; k < n; ++k) {
        const bool outer = k < (n + 1) / 2;
        const bool raised = style == 3 || (style == 1 && outer) || (style == 2 && !outer);
        const Rgb tl = raised ? light : dark, br = raised ? dark : light;
        fill(p, x + k, y + k, w - 1 - 2 * k, 1, tl);
        fill(p, x + k, y + k, 1, h - 1 - 2 * k, tl);
        fill(p, x + k, y + h - 1 - k, w - 2 * k, 1, br);
        fill(p, x + w - 1 - k, y + k, 1, h - 2 * k, br);
    }
}

void placeImage(QPainter &p, const QImage *img, int how, int X, int Y, QRect area)
{
    if (!img || img->isNull())
        return;
    const int w = img->width(), h = img->height();
    const int ax = area.x(), ay = area.y(), AW = area.width(), AH = area.height();
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    const int mid = ay + divFloor(AH - h, 2);
    switch (how) {
    case 0:
        p.drawImage(ax + X, ay + Y, *img);
        break;
    case 1:
        p.drawImage(ax + divFloor(AW - w, 2), mid, *img);
        break;
    case 2:
        p.drawImage(ax, mid, *img);
        break;
    case 3:
        p.drawImage(ax + AW - w, mid, *img);
        break;
    case 4:
        for (int j = 0; j < AH; j += h)
            for (int i = 0; i < AW; i += w)
                p.drawImage(ax + i, ay + j, *img);
        break;
    default:
        p.drawImage(area, *img);
        break;
    }
    p.restore();
}

// A caption from x, centred vertically in its clip rectangle and clipped to it.
void caption(QPainter &p, const QString &text, const QFont &font, Rgb colour, double x, QRect clip)
{
    if (text.isEmpty() || clip.width() <= 0 || clip.height() <= 0)
        return;
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent(), descent = metrics.descent();
    p.save();
    p.setClipRect(clip, Qt::IntersectClip);
    p.setFont(font);
    p.setPen(qcolor(colour));
    p.drawText(QPointF(x, clip.y() + std::floor((clip.height() - ascent - descent) / 2) + ascent),
               text);
    p.restore();
}

// The keyboard focus: ring 0 of the rectangle in black, ring 1 in white, all four sides.
// The current page's row: a bar 3 pixels wide at its left edge, 3 pixels from top and bottom.
void currentMarker(QPainter &p, int x, int y, int h, bool lighted)
{
    fill(p, x, y + 3, 3, h - 6, lighted ? HighlightText : Highlight);
}

void focusRing(QPainter &p, int x, int y, int w, int h)
{
    for (int k = 0; k < 2; ++k) {
        const Rgb c = k ? White : Black;
        fill(p, x + k, y + k, w - 2 * k, 1, c);
        fill(p, x + k, y + h - 1 - k, w - 2 * k, 1, c);
        fill(p, x + k, y + k, 1, h - 2 * k, c);
        fill(p, x + w - 1 - k, y + k, 1, h - 2 * k, c);
    }
}

// Names that are not bare file names draw nothing.
bool bareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1Char(':'));
}
} // namespace

namespace {
// Every caption 0 pixels wide: popups get their least width until they are measured.
class Unmeasured : public CaptionMeasure
{
public:
    double width(const std::string &, const CaptionFont &) const override { return 0; }
};
} // namespace

const ItemRecord *MenuScene::record(int item) const
{
    if (!items_ || items_->size() != itemCount_ || item < 0 || std::size_t(item) >= itemCount_)
        return nullptr; // the list changed since: the next scene shows it
    return item == replaced_ ? &replacement_ : &(*items_)[std::size_t(item)];
}

// The rows of a popup placed but not laid out yet, and a placed popup for each row that opens
// one. An item's children follow it in the list, up to the first item whose parent lies
// before it.
void MenuScene::layOutRows(int popup) const
{
    const int item = opener_[std::size_t(popup)];
    if (item < 0 || !record(item))
        return;
    opener_[std::size_t(popup)] = -1;
    std::vector<int> children;
    for (std::size_t k = std::size_t(item) + 1; k < parents_.size() && parents_[k] >= item; ++k) {
        if (parents_[k] == item)
            children.push_back(int(k));
    }
    const auto opens = [this](int child) {
        const auto next = std::size_t(child) + 1;
        return next < parents_.size() && parents_[next] == child;
    };
    const LayoutRect at = layout_.popups[std::size_t(popup)].box;
    const MenuRecords records{*items_, replaced_, &replacement_};
    LayoutPopup laidOut = layoutPopupRows(records, children, opens,
                                          AppletValues(data_).font(AppletField::PopupFntName),
                                          Unmeasured(), at.x, at.y);
    // The popups the rows open are placed after the loop: adding to the list moves it.
    std::vector<LayoutPopup> placed;
    for (std::size_t r = 0; r < laidOut.rows.size(); ++r) {
        LayoutRow &row = laidOut.rows[r];
        if (row.kind != RowKind::Submenu)
            continue;
        LayoutPopup child;
        child.firstLevel = layout_.popups[std::size_t(popup)].firstLevel;
        child.row = int(r);
        child.parent = popup;
        child.box = {0, row.y - 3, 0, 0};
        row.popup = int(layout_.popups.size() + placed.size());
        opener_.push_back(row.item);
        measured_.push_back(false);
        placed.push_back(std::move(child));
    }
    layout_.popups[std::size_t(popup)].rows = std::move(laidOut.rows);
    layout_.popups[std::size_t(popup)].box = laidOut.box;
    for (LayoutPopup &child : placed)
        layout_.popups.push_back(std::move(child));
}

void MenuScene::measurePopup(int popup) const
{
    if (popup < 0 || std::size_t(popup) >= measured_.size() || measured_[std::size_t(popup)])
        return;
    layOutRows(popup);
    // As the layout places them: a popup opens at its parent's right edge, less 3 pixels, and
    // is as wide as its widest caption and 30 pixels, at least 80.
    const int parent = layout_.popups[std::size_t(popup)].parent;
    if (parent >= 0)
        measurePopup(parent);
    LayoutPopup &p = layout_.popups[std::size_t(popup)];
    if (parent >= 0) {
        const LayoutRect &box = layout_.popups[std::size_t(parent)].box;
        p.box.x = box.x + box.w - 3;
    }
    const CaptionFont font = AppletValues(data_).font(AppletField::PopupFntName);
    double widest = 0;
    for (const LayoutRow &row : p.rows) {
        if (row.kind != RowKind::Separator)
            widest = std::max(widest, std::ceil(measure_->width(row.caption, font)));
    }
    p.box.w = std::max(80, 30 + static_cast<int>(widest));
    measured_[std::size_t(popup)] = true;
}

int MenuScene::popupAt(const std::vector<int> &path) const
{
    if (path.empty() || path.front() < 0 || std::size_t(path.front()) >= layout_.itemPopup.size())
        return -1;
    int popup = layout_.itemPopup[std::size_t(path.front())];
    for (std::size_t i = 1; popup >= 0 && i < path.size(); ++i) {
        layOutRows(popup);
        const auto &rows = layout_.popups[std::size_t(popup)].rows;
        popup = path[i] >= 0 && std::size_t(path[i]) < rows.size()
                    ? rows[std::size_t(path[i])].popup
                    : -1;
    }
    if (popup >= 0)
        layOutRows(popup);
    return popup;
}

MenuScene::MenuScene(const AppletRecord &data, const MenuRecords &items,
                     const std::vector<int> &parents, const QtCaptionMeasure &measure,
                     const QString &imageFolder, bool withNarrow)
    : data_(data),
      layout_(computeMenuLayout(data, items, parents, Unmeasured(),
                                withNarrow ? PopupDepth::All : PopupDepth::FirstLevel)),
      measure_(&measure), measured_(layout_.popups.size(), false),
      opener_(layout_.popups.size(), -1), imageFolder_(imageFolder)
{
    hasNarrow_ = withNarrow;
    if (withNarrow) {
        narrow_ = computeNarrowLayout(data, items, layout_, layout_.applet.w);
    } else {
        items_ = &items.items;
        itemCount_ = items.size();
        if (items.replacement) {
            replaced_ = items.replaced;
            replacement_ = *items.replacement;
        }
        parents_ = parents;
        for (std::size_t k = 0; k < layout_.itemPopup.size(); ++k) {
            if (layout_.itemPopup[k] >= 0)
                opener_[std::size_t(layout_.itemPopup[k])] = layout_.itemIndex[k];
        }
    }
    for (int index : layout_.itemIndex) {
        const FirstLevelValues values(items[std::size_t(index)]);
        FirstLevel item;
        item.caption = QString::fromStdString(values.field(1, ""));
        item.status = values.field(4, "");
        for (int s = 0; s < 3; ++s)
            item.images[s] = QString::fromStdString(values.field(5 + s, ""));
        first_.push_back(std::move(item));
    }
}

int MenuScene::itemOf(const MenuHit &hit) const
{
    if (hit.item >= 0)
        return layout_.itemIndex[std::size_t(hit.item)];
    if (hit.popup >= 0)
        return layout_.popups[std::size_t(hit.popup)].rows[std::size_t(hit.row)].item;
    return -1;
}

bool MenuScene::locate(int itemIndex, MenuView &view) const
{
    view.chain.clear();
    view.lit.clear();
    view.open = -1;
    view.hover = -1;
    for (std::size_t k = 0; k < layout_.itemIndex.size(); ++k) {
        if (layout_.itemIndex[k] == itemIndex) {
            view.hover = int(k);
            return true;
        }
    }
    if (items_)
        return locateLazily(itemIndex, view);
    for (std::size_t p = 0; p < layout_.popups.size(); ++p) {
        const auto &rows = layout_.popups[p].rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].item != itemIndex)
                continue;
            // The chain from the first-level popup down to this one, each lighting its opener.
            std::vector<int> chain, lit;
            int row = int(r);
            for (int at = int(p); at >= 0; at = layout_.popups[std::size_t(at)].parent) {
                chain.insert(chain.begin(), at);
                lit.insert(lit.begin(), row);
                const LayoutPopup &popup = layout_.popups[std::size_t(at)];
                row = popup.row;
            }
            view.chain = chain;
            view.lit = lit;
            view.open = layout_.popups[std::size_t(p)].firstLevel;
            return true;
        }
    }
    return false;
}

void MenuScene::showCurrentPage(int itemIndex, MenuView &view) const
{
    view.currentItem = itemIndex;
    view.current = -1;
    if (itemIndex < 0)
        return;
    if (hasNarrow_) {
        for (const NarrowRow &row : narrow_.rows) {
            if (row.item == itemIndex)
                view.current = row.firstLevel;
        }
        return;
    }
    int top = itemIndex;
    for (std::size_t steps = 0; std::size_t(top) < parents_.size() &&
                                parents_[std::size_t(top)] >= 0 && steps < parents_.size();
         ++steps)
        top = parents_[std::size_t(top)];
    const auto at = std::find(layout_.itemIndex.begin(), layout_.itemIndex.end(), top);
    if (at != layout_.itemIndex.end())
        view.current = int(at - layout_.itemIndex.begin());
}

// The item's ancestors up to the first level, then down again through the popups on the way,
// laying out only those.
bool MenuScene::locateLazily(int itemIndex, MenuView &view) const
{
    if (itemIndex < 0 || std::size_t(itemIndex) >= parents_.size())
        return false;
    std::vector<int> up{itemIndex};
    while (up.size() <= parents_.size() && parents_[std::size_t(up.back())] >= 0)
        up.push_back(parents_[std::size_t(up.back())]);
    const auto top = std::find(layout_.itemIndex.begin(), layout_.itemIndex.end(), up.back());
    if (top == layout_.itemIndex.end())
        return false;
    const int first = int(top - layout_.itemIndex.begin());
    int popup = layout_.itemPopup[std::size_t(first)];
    std::vector<int> chain, lit;
    for (std::size_t i = up.size() - 1; i-- > 0;) {
        if (popup < 0)
            return false;
        layOutRows(popup);
        const auto &rows = layout_.popups[std::size_t(popup)].rows;
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const LayoutRow &r) { return r.item == up[i]; });
        if (row == rows.end())
            return false;
        chain.push_back(popup);
        lit.push_back(int(row - rows.begin()));
        popup = row->popup;
    }
    view.chain = chain;
    view.lit = lit;
    view.open = first;
    return true;
}

std::vector<QPoint> MenuScene::popupPositions(const MenuView &view, QSize viewport) const
{
    for (int popup : view.chain)
        measurePopup(popup);
    std::vector<QPoint> at;
    for (std::size_t i = 0; i < view.chain.size(); ++i) {
        const LayoutPopup &popup = layout_.popups[std::size_t(view.chain[i])];
        const LayoutRect &b = popup.box;
        int x = b.x, y = b.y;
        if (i > 0) {
            const LayoutPopup &parent = layout_.popups[std::size_t(view.chain[i - 1])];
            const LayoutRow &row = parent.rows[std::size_t(popup.row)];
            x = at[i - 1].x() + parent.box.w - 3;
            y = at[i - 1].y() + row.y - parent.box.y - 3;
            if (x + b.w > viewport.width())
                x = at[i - 1].x() - b.w + 3;
        } else if (x + b.w > viewport.width()) {
            x = std::max(viewport.width() - b.w, 0);
        }
        if (y + b.h > viewport.height())
            y = std::max(viewport.height() - b.h, 0);
        at.emplace_back(x, y);
    }
    return at;
}

MenuHit MenuScene::hitTest(QPoint point, const MenuView &view, QSize viewport) const
{
    MenuHit hit;
    const std::vector<QPoint> at = popupPositions(view, viewport);
    for (std::size_t i = view.chain.size(); i-- > 0;) {
        const LayoutPopup &popup = layout_.popups[std::size_t(view.chain[i])];
        const QRect box(at[i], QSize(popup.box.w, popup.box.h));
        if (!box.contains(point))
            continue;
        hit.popup = view.chain[i];
        const int dy = at[i].y() - popup.box.y;
        for (std::size_t r = 0; r < popup.rows.size(); ++r) {
            const LayoutRow &row = popup.rows[r];
            if (point.y() >= row.y + dy && point.y() < row.y + dy + row.h &&
                row.kind != RowKind::Separator)
                hit.row = int(r);
        }
        if (hit.row < 0)
            hit.popup = -1; // the frame, the padding or a separator
        return hit;
    }
    if (!QRect(0, 0, width(), height()).contains(point))
        return hit;
    for (std::size_t k = layout_.items.size(); k-- > 0;) {
        const LayoutRect &r = layout_.items[k];
        if (QRect(r.x, r.y, r.w, r.h).contains(point)) {
            hit.item = int(k);
            break;
        }
    }
    return hit;
}

const QImage *MenuScene::image(const QString &name) const
{
    if (!bareFileName(name) || imageFolder_.isEmpty())
        return nullptr;
    auto found = images_.find(name);
    if (found == images_.end())
        found = images_.insert(name, QImage(QDir(imageFolder_).filePath(name)));
    return found->isNull() ? nullptr : &*found;
}

void MenuScene::paint(QPainter &p, const MenuView &view, QSize viewport) const
{
    const AppletValues a(data_);
    const int W = width(), H = height();
    if (W <= 0 || H <= 0)
        return;
    p.save();
    p.setClipRect(QRect(0, 0, W, H), Qt::IntersectClip);
    if (view.loading) {
        fill(p, 0, 0, W, H, a.colour(ApLoadingBgClr));
        const QFont font = captionFont({1, 12, 0});
        const QString message = QString::fromStdString(a.text(ApLoadingMsg));
        const double tw = QFontMetricsF(font).horizontalAdvance(message);
        caption(p, message, font, a.colour(ApLoadingMsgClr), W / 2.0 - tw / 2, QRect(0, 0, W, H));
        p.restore();
        return;
    }
    const Rgb fade = a.colour(ApBgFadeClr);
    background(p, 0, 0, W, H, a.colour(ApBgClr), a.flag(ApBgGradientFill) ? &fade : nullptr);
    placeImage(p, image(QString::fromStdString(a.text(ApBgImg))), a.choice(ApBgImgAlign, 6),
               a.position(ApBgImgX), a.position(ApBgImgX + 1), QRect(0, 0, W, H));
    border(p, 0, 0, W, H, a.choice(ApBrdStyle, 5), a.size(ApBrdWidth), a.colour(ApBrdClr));
    if (const auto &m = layout_.menu) {
        const Rgb menuFade = a.colour(MnBgFadeClr);
        if (!a.flag(MnBgTransparent))
            background(p, m->x, m->y, m->w, m->h, a.colour(MnBgClr),
                       a.flag(MnBgGradientFill) ? &menuFade : nullptr);
        border(p, m->x, m->y, m->w, m->h, a.choice(MnBrdStyle, 5), a.size(MnBrdWidth),
               a.colour(MnBrdClr));
    }
    // The keyboard focus is the lit row of the innermost popup that has one, else the item.
    int focusedDepth = -1;
    for (std::size_t i = 0; view.keyboard && i < view.chain.size() && i < view.lit.size(); ++i)
        focusedDepth = view.lit[i] >= 0 ? int(i) : focusedDepth;
    // Only the items the paint can reach: a menu of many thousand items shows a few dozen.
    const QRectF reach = p.clipBoundingRect().adjusted(-4, -4, 4, 4);
    for (std::size_t k = 0; k < layout_.items.size(); ++k) {
        const LayoutRect &r = layout_.items[k];
        if (!reach.intersects(QRectF(r.x, r.y, r.w, r.h)))
            continue;
        paintItem(p, int(k), view.state(int(k)));
        if (view.keyboard && focusedDepth < 0 && view.hover == int(k))
            focusRing(p, r.x, r.y, r.w, r.h);
    }
    p.restore();

    const std::vector<QPoint> at = popupPositions(view, viewport);
    for (std::size_t i = 0; i < view.chain.size(); ++i) {
        const LayoutPopup &popup = layout_.popups[std::size_t(view.chain[i])];
        const int opened =
            i + 1 < view.chain.size() ? layout_.popups[std::size_t(view.chain[i + 1])].row : -1;
        const int lit = i < view.lit.size() ? view.lit[i] : -1;
        paintPopup(p, popup, at[i], lit, opened, view.currentItem);
        if (int(i) == focusedDepth) {
            const LayoutRow &row = popup.rows[std::size_t(lit)];
            focusRing(p, at[i].x() + 3, row.y + at[i].y() - popup.box.y, popup.box.w - 6, row.h);
        }
    }
}

void MenuScene::paintItem(QPainter &p, int k, int state) const
{
    const AppletValues a(data_);
    const LayoutRect &r = layout_.items[std::size_t(k)];
    const int s = ItemNormalBlock + AppletField::ItemStateBlockSize * state;
    const Rgb fade = a.colour(s + StateOffset::BgFadeClr);
    if (!a.flag(s + StateOffset::BgTransparent))
        background(p, r.x, r.y, r.w, r.h, a.colour(s),
                   a.flag(ItNoBgGradientFill + state) ? &fade : nullptr);
    const FirstLevel &item = first_[std::size_t(k)];
    placeImage(p, image(item.images[state]), a.choice(s + StateOffset::BgImgAlign, 6),
               a.position(s + StateOffset::BgImgX), a.position(s + StateOffset::BgImgX + 1),
               QRect(r.x, r.y, r.w, r.h));
    border(p, r.x, r.y, r.w, r.h, a.choice(s + StateOffset::BrdStyle, 5),
           a.size(s + StateOffset::BrdWidth), a.colour(s + StateOffset::BrdClr));
    const int bw = a.borderWidth(s + StateOffset::BrdWidth, s + StateOffset::BrdStyle);
    const int offset = a.position(s + StateOffset::TextOffset),
              align = a.choice(s + StateOffset::TextAlign, 3);
    const QFont font = captionFont(a.font(s + StateOffset::FntName));
    const double tw = QFontMetricsF(font).horizontalAdvance(item.caption);
    const double x = align == 0   ? r.x + bw + 2 + offset
                     : align == 1 ? r.x + std::floor((r.w - tw) / 2) + offset
                                  : r.x + r.w - bw - 2 - tw - offset;
    caption(p, item.caption, font, a.colour(s + StateOffset::TextClr), x,
            QRect(r.x + bw, r.y + bw, r.w - 2 * bw, r.h - 2 * bw));
}

void MenuScene::paintPopup(QPainter &p, const LayoutPopup &popup, QPoint at, int lit, int opened,
                           int currentItem) const
{
    const AppletValues a(data_);
    const int x = at.x(), y = at.y(), w = popup.box.w, h = popup.box.h;
    const int dy = y - popup.box.y;
    fill(p, x, y, w, h, PopupFrame);
    fill(p, x + 1, y + 1, w - 2, h - 2, PopupBack);
    const QFont font = captionFont(a.font(PopupFntName));
    for (std::size_t r = 0; r < popup.rows.size(); ++r) {
        const LayoutRow &row = popup.rows[r];
        const int top = row.y + dy;
        if (row.kind == RowKind::Separator) {
            fill(p, x + 4, top + 3, w - 8, 1, SeparatorDark);
            fill(p, x + 4, top + 4, w - 8, 1, SeparatorLight);
            continue;
        }
        const bool lighted = int(r) == lit || int(r) == opened;
        if (lighted)
            fill(p, x + 3, top, w - 6, row.h, Highlight);
        const Rgb ink = lighted ? HighlightText : PopupText;
        caption(p, QString::fromStdString(row.caption), font, ink, x + 8,
                QRect(x + 3, top, w - 6, row.h));
        if (row.item == currentItem)
            currentMarker(p, x + 3, top, row.h, lighted);
        if (row.kind == RowKind::Submenu) {
            // Four columns, 7, 5, 3 and 1 pixels high, ending 8 pixels from the right edge.
            for (int i = 0; i < 4; ++i)
                fill(p, x + w - 12 + i, top + row.h / 2 - 3 + i, 1, 7 - 2 * i, ink);
        }
    }
}

int MenuScene::narrowHeight() const
{
    const NarrowRow *last = narrow_.rows.empty() ? nullptr : &narrow_.rows.back();
    return last ? last->box.y + last->box.h : narrow_.bar.h;
}

namespace {
// A branch's arrow: rows 7, 5, 3 and 1 pixels wide ending 16 pixels from the right edge,
// pointing up (expanded).
void upArrow(QPainter &p, int width, const LayoutRect &row, Rgb colour)
{
    const int cy = row.y + row.h / 2;
    for (int i = 0; i < 4; ++i)
        fill(p, width - 23 + i, cy + 1 - i, 7 - 2 * i, 1, colour);
}
} // namespace

void MenuScene::paintNarrow(QPainter &p, int width, const MenuView &view) const
{
    const AppletValues a(data_);
    const int T = narrow_.bar.h;
    const Rgb fade = a.colour(ApBgFadeClr);
    background(p, 0, 0, width, T, a.colour(ApBgClr), a.flag(ApBgGradientFill) ? &fade : nullptr);
    // Parts painted like a first-level item: background and border in a state.
    auto face = [&](int state, int x, int y, int w, int h) {
        const int s = ItemNormalBlock + AppletField::ItemStateBlockSize * state;
        const Rgb stateFade = a.colour(s + StateOffset::BgFadeClr);
        if (!a.flag(s + StateOffset::BgTransparent))
            background(p, x, y, w, h, a.colour(s),
                       a.flag(ItNoBgGradientFill + state) ? &stateFade : nullptr);
        border(p, x, y, w, h, a.choice(s + StateOffset::BrdStyle, 5),
               a.size(s + StateOffset::BrdWidth), a.colour(s + StateOffset::BrdClr));
    };
    // The menu button, clicked while the list is open: three bars in the caption colour.
    face(2, 0, 0, T, T);
    for (int i = 0; i < 3; ++i)
        fill(p, (T - 18) / 2, (T - 14) / 2 + 6 * i, 18, 2,
             a.colour(AppletField::ItemClickedBlock + StateOffset::TextClr));

    fill(p, 0, T, width, narrowHeight() - T, a.colour(ApBgClr));
    const QFont popupFont = captionFont(a.font(PopupFntName));
    for (const NarrowRow &row : narrow_.rows) {
        const LayoutRect &r = row.box;
        const QString text = QString::fromStdString(row.caption);
        if (row.depth == 1) {
            const int state =
                row.kind == NarrowKind::Branch || row.firstLevel == view.current ? 2 : 0;
            const int s = ItemNormalBlock + AppletField::ItemStateBlockSize * state;
            face(state, 0, r.y, width, r.h);
            const int bw = a.borderWidth(s + StateOffset::BrdWidth, s + StateOffset::BrdStyle);
            caption(p, text, captionFont(a.font(s + StateOffset::FntName)),
                    a.colour(s + StateOffset::TextClr), bw + 16,
                    QRect(bw, r.y + bw, width - 2 * bw, r.h - 2 * bw));
            if (row.kind == NarrowKind::Branch)
                upArrow(p, width, r, a.colour(s + StateOffset::TextClr));
            continue;
        }
        fill(p, 0, r.y, width, r.h, PopupBack);
        const int indent = 16 * (row.depth - 1);
        if (row.kind == NarrowKind::Separator) {
            fill(p, indent + 4, r.y + 3, width - 8 - indent, 1, SeparatorDark);
            fill(p, indent + 4, r.y + 4, width - 8 - indent, 1, SeparatorLight);
            continue;
        }
        caption(p, text, popupFont, PopupText, indent + 16, QRect(0, r.y, width, r.h));
        if (row.item == view.currentItem)
            currentMarker(p, 0, r.y, r.h, false);
        if (row.kind == NarrowKind::Branch)
            upArrow(p, width, r, PopupText);
    }
}
