// A menu scene: the layout worked out from the records, the popups laid out as views show
// them, where the current page is, and what lies under a point.

#include "MenuScene.h"

#include <algorithm>
#include <cmath>
#include <QDir>
#include <QFileInfo>

// Fields by their names in the applet's field table.
using namespace AppletField;

namespace {
// Names that are not bare file names draw nothing.
bool bareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1Char(':'));
}

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
    LayoutPopup laidOut =
        layoutPopupRows(records, children, opens,
                        metrics_.font(AppletValues(data_).font(AppletField::PopupFntName)),
                        Unmeasured(), at.x, at.y, metrics_);
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
        child.box = {0, row.y - metrics_.inner(), 0, 0};
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
    // As the layout places them: a popup opens at its parent's right edge, less its frame and
    // 2 pixels, and is as wide as its widest caption and its padding, at least 80.
    const int parent = layout_.popups[std::size_t(popup)].parent;
    if (parent >= 0)
        measurePopup(parent);
    LayoutPopup &p = layout_.popups[std::size_t(popup)];
    if (parent >= 0) {
        const LayoutRect &box = layout_.popups[std::size_t(parent)].box;
        p.box.x = box.x + box.w - metrics_.inner();
    }
    const CaptionFont font = metrics_.font(AppletValues(data_).font(AppletField::PopupFntName));
    double widest = 0;
    for (const LayoutRow &row : p.rows) {
        if (row.kind != RowKind::Separator)
            widest = std::max(widest, std::ceil(measure_->width(row.caption, font)));
    }
    p.box.w = metrics_.width(widest);
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
                     const QString &imageFolder, bool withNarrow, const LookValues &look)
    : data_(data), look_(look), metrics_(PopupMetrics::of(look)),
      layout_(computeMenuLayout(data, items, parents, Unmeasured(),
                                withNarrow ? PopupDepth::All : PopupDepth::FirstLevel, metrics_)),
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
            const int inner = metrics_.inner();
            x = at[i - 1].x() + parent.box.w - inner;
            y = at[i - 1].y() + row.y - parent.box.y - inner;
            if (x + b.w > viewport.width())
                x = at[i - 1].x() - b.w + inner;
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
