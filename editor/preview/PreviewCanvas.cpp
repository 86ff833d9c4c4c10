#include "PreviewCanvas.h"

#include <optional>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

namespace {
// Resting on a row opens its popup after this long.
constexpr int RestDelayMs = 150;
} // namespace

PreviewCanvas::PreviewCanvas(QWidget *parent) : QWidget(parent)
{
    setObjectName("PreviewCanvas");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    restTimer_.setSingleShot(true);
    restTimer_.setInterval(RestDelayMs);
    connect(&restTimer_, &QTimer::timeout, this, [this] { openRow(pending_.popup, pending_.row); });
}

void PreviewCanvas::setScene(MenuScene scene)
{
    // What is open stays open while the new drawing still has it at the same place (typing in
    // a field, a colour); anything else closes.
    std::vector<std::vector<int>> paths;
    for (int popup : view_.chain)
        paths.push_back(popupPath(scene_.layout(), popup));
    scene_ = std::move(scene);
    const MenuLayout &layout = scene_.layout();
    const int items = int(layout.items.size());
    bool valid = view_.open < items && view_.hover < items && view_.press < items;
    for (std::size_t i = 0; valid && i < paths.size(); ++i) {
        const int popup = scene_.popupAt(paths[i]);
        valid = popup >= 0 && view_.lit[i] < int(layout.popups[std::size_t(popup)].rows.size());
        if (valid)
            view_.chain[i] = popup;
    }
    if (!valid) {
        view_.chain.clear();
        view_.lit.clear();
        view_.open = view_.hover = view_.press = -1;
        pointerItem_ = -1;
        pending_ = {};
        restTimer_.stop();
    }
    scene_.showCurrentPage(view_.currentItem, view_);
    updateSize();
    update();
}

void PreviewCanvas::setShowCurrentPage(bool show)
{
    showCurrentPage_ = show;
    if (!show)
        setCurrentPage(-1);
    emit currentPageAsked();
}

void PreviewCanvas::setCurrentPage(int itemIndex)
{
    scene_.showCurrentPage(showCurrentPage_ ? itemIndex : -1, view_);
    update();
}

void PreviewCanvas::updateSize()
{
    // The applet area; popups are kept in view in whatever room the window gives, so the
    // scroll bars come only when the menu itself does not fit.
    const QSize menu = narrowWidth_ > 0 ? QSize(narrowWidth_, scene_.narrowHeight())
                                        : QSize(scene_.width(), scene_.height());
    setMinimumSize(menu * zoom_);
}

void PreviewCanvas::setNarrow(int width)
{
    narrowWidth_ = std::max(0, width);
    if (narrowWidth_ > 0 && !scene_.hasNarrow())
        emit narrowShown();
    updateSize();
    update();
}

void PreviewCanvas::setZoom(int zoom)
{
    zoom_ = zoom == 2 ? 2 : 1;
    updateSize();
    update();
}

void PreviewCanvas::setDesign(int allInState, bool loading)
{
    view_.allInState = allInState;
    view_.loading = loading;
    update();
}

void PreviewCanvas::showItem(int itemIndex)
{
    MenuView view = view_;
    if (scene_.locate(itemIndex, view)) {
        view_.chain = view.chain;
        view_.lit = view.lit;
        view_.open = view.open;
    } else {
        closeFrom(0);
    }
    // A selected first-level item is drawn as a visitor sees it: normal, unless pointed at.
    view_.hover = pointerItem_;
    view_.keyboard = false;
    update();
}

QSize PreviewCanvas::viewport() const
{
    return size() / zoom_;
}

QPoint PreviewCanvas::toMenu(QPointF at) const
{
    return QPoint(int(at.x()) / zoom_, int(at.y()) / zoom_);
}

QImage PreviewCanvas::render(QSize viewport) const
{
    QImage image(viewport, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintMenu(painter, viewport);
    return image;
}

void PreviewCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.scale(zoom_, zoom_);
    paintMenu(painter, viewport());
}

void PreviewCanvas::paintMenu(QPainter &painter, QSize viewport) const
{
    if (narrowWidth_ > 0)
        scene_.paintNarrow(painter, narrowWidth_, view_);
    else
        scene_.paint(painter, view_, viewport);
}

void PreviewCanvas::setHover(int item)
{
    if (item == pointerItem_)
        return;
    pointerItem_ = item;
    view_.hover = item;
    emit statusTextChanged(item >= 0 ? QString::fromStdString(scene_.statusText(item)) : QString());
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (narrowWidth_ > 0)
        return;
    view_.keyboard = false;
    const MenuHit hit = scene_.hitTest(toMenu(event->position()), view_, viewport());
    setHover(hit.item);
    if (hit.item >= 0 && view_.open >= 0 && view_.open != hit.item) {
        // With a popup open, moving onto another item switches to that item's popup.
        closeFrom(0);
        if (scene_.popupOf(hit.item) >= 0)
            openPopup(scene_.popupOf(hit.item));
    }
    if (hit.popup >= 0) {
        for (std::size_t i = 0; i < view_.chain.size(); ++i) {
            if (view_.chain[i] == hit.popup)
                view_.lit[i] = hit.row;
        }
        if (hit.popup != pending_.popup || hit.row != pending_.row) {
            pending_ = hit;
            restTimer_.start();
        }
    } else {
        restTimer_.stop();
        pending_ = {};
        for (int &row : view_.lit)
            row = -1;
    }
    update();
}

// What a press or release of the left button is on; nothing for other buttons and in the
// narrow form, whose button is a widget of its own.
std::optional<MenuHit> PreviewCanvas::leftButtonHit(QMouseEvent *event)
{
    if (narrowWidth_ > 0)
        return std::nullopt;
    view_.keyboard = false;
    if (event->button() != Qt::LeftButton)
        return std::nullopt;
    return scene_.hitTest(toMenu(event->position()), view_, viewport());
}

void PreviewCanvas::mousePressEvent(QMouseEvent *event)
{
    const std::optional<MenuHit> hit = leftButtonHit(event);
    if (!hit)
        return;
    view_.press = hit->item;
    if (hit->item < 0 && hit->popup < 0)
        closeFrom(0); // outside the menu
    update();
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    const std::optional<MenuHit> found = leftButtonHit(event);
    if (!found)
        return;
    view_.press = -1;
    const MenuHit &hit = *found;
    if (hit.item >= 0 && scene_.popupOf(hit.item) >= 0)
        toggleItem(hit.item);
    else if (hit.popup >= 0 &&
             scene_.layout().popups[std::size_t(hit.popup)].rows[std::size_t(hit.row)].kind ==
                 RowKind::Submenu)
        openRow(hit.popup, hit.row);
    else if (hit.item >= 0 || hit.popup >= 0)
        choose(hit);
    update();
}

void PreviewCanvas::leaveEvent(QEvent *)
{
    setHover(-1);
    view_.press = -1;
    restTimer_.stop();
    update();
}

void PreviewCanvas::focusOutEvent(QFocusEvent *)
{
    view_.keyboard = false;
    view_.hover = pointerItem_;
    update();
}

void PreviewCanvas::closeFrom(std::size_t depth)
{
    if (depth < view_.chain.size()) {
        view_.chain.resize(depth);
        view_.lit.resize(depth);
    }
    if (depth == 0)
        view_.open = -1;
}

void PreviewCanvas::openPopup(int popup)
{
    if (popup < 0)
        return;
    scene_.measurePopup(popup); // its rows, before anything reads them
    const LayoutPopup &p = scene_.layout().popups[std::size_t(popup)];
    if (p.parent < 0)
        view_.open = p.firstLevel;
    view_.chain.push_back(popup);
    view_.lit.push_back(-1);
}

void PreviewCanvas::toggleItem(int item)
{
    const bool wasOpen = view_.open == item;
    closeFrom(0);
    if (!wasOpen)
        openPopup(scene_.popupOf(item));
}

void PreviewCanvas::openRow(int popup, int row)
{
    const auto at = std::find(view_.chain.begin(), view_.chain.end(), popup);
    if (at == view_.chain.end())
        return;
    const std::size_t depth = std::size_t(at - view_.chain.begin());
    const auto &rows = scene_.layout().popups[std::size_t(popup)].rows;
    if (row < 0 || std::size_t(row) >= rows.size())
        return;
    const int child = rows[std::size_t(row)].popup;
    if (depth + 1 < view_.chain.size() && view_.chain[depth + 1] == child && child >= 0)
        return; // already open
    closeFrom(depth + 1);
    openPopup(child);
    update();
}

void PreviewCanvas::choose(const MenuHit &hit)
{
    const int item = scene_.itemOf(hit);
    closeFrom(0);
    if (item >= 0)
        emit itemChosen(item);
}

MenuHit PreviewCanvas::focused() const
{
    MenuHit hit;
    for (std::size_t i = view_.chain.size(); i-- > 0;) {
        if (view_.lit[i] >= 0) {
            hit.popup = view_.chain[i];
            hit.row = view_.lit[i];
            return hit;
        }
    }
    hit.item = view_.hover;
    return hit;
}

void PreviewCanvas::focusOn(const MenuHit &hit)
{
    view_.keyboard = true;
    scrollToPart(hit);
    if (hit.popup >= 0) {
        for (std::size_t i = 0; i < view_.chain.size(); ++i)
            view_.lit[i] = view_.chain[i] == hit.popup ? hit.row : view_.lit[i];
        // Rows deeper than the focused popup lose their light.
        for (std::size_t i = 0; i < view_.chain.size(); ++i) {
            if (view_.chain[i] == hit.popup) {
                for (std::size_t j = i + 1; j < view_.chain.size(); ++j)
                    view_.lit[j] = -1;
            }
        }
    } else {
        for (int &row : view_.lit)
            row = -1;
        view_.hover = hit.item;
    }
    update();
}

// The part the keyboard reached is scrolled into view in the preview's scroll area.
void PreviewCanvas::scrollToPart(const MenuHit &hit)
{
    QScrollArea *area = nullptr;
    for (QWidget *w = parentWidget(); w && !area; w = w->parentWidget())
        area = qobject_cast<QScrollArea *>(w);
    if (!area)
        return;
    QRect part;
    if (hit.item >= 0) {
        const LayoutRect &r = scene_.layout().items[std::size_t(hit.item)];
        part = QRect(r.x, r.y, r.w, r.h);
    } else if (hit.popup >= 0) {
        const auto at = scene_.popupPositions(view_, viewport());
        for (std::size_t i = 0; i < view_.chain.size() && i < at.size(); ++i) {
            if (view_.chain[i] != hit.popup)
                continue;
            const LayoutPopup &popup = scene_.layout().popups[std::size_t(hit.popup)];
            const LayoutRow &row = popup.rows[std::size_t(hit.row)];
            part = QRect(at[i].x(), at[i].y() + row.y - popup.box.y, popup.box.w, row.h);
        }
    }
    if (part.isValid()) {
        const QRect shown(part.topLeft() * zoom_, part.size() * zoom_);
        area->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + 4,
                            shown.height() / 2 + 4);
    }
}

// Tab and Shift+Tab: the first-level items, then the rows of the open popups, and on out of
// the preview, as a page's Tab order goes on past the menu.
// The keyboard's stops in Tab order: the first-level items, then the rows of the open popups.
std::vector<MenuHit> PreviewCanvas::focusStops() const
{
    std::vector<MenuHit> stops;
    for (std::size_t k = 0; k < scene_.layout().items.size(); ++k)
        stops.push_back({int(k), -1, -1});
    for (int popup : view_.chain) {
        const auto &rows = scene_.layout().popups[std::size_t(popup)].rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].kind != RowKind::Separator)
                stops.push_back({-1, popup, int(r)});
        }
    }
    return stops;
}

bool PreviewCanvas::moveFocus(bool forward)
{
    const std::vector<MenuHit> stops = focusStops();
    if (stops.empty())
        return false;
    const MenuHit now = focused();
    int at = -1;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i].item == now.item && stops[i].popup == now.popup && stops[i].row == now.row)
            at = int(i);
    }
    const int count = int(stops.size());
    if (at == (forward ? count - 1 : 0))
        return false;
    focusOn(stops[std::size_t(at < 0 ? (forward ? 0 : count - 1) : at + (forward ? 1 : -1))]);
    return true;
}

// Tabbed into, the menu is entered at its first stop (backwards, at its last), as a page's Tab
// order enters a menu: every stop is passed on the way through.
void PreviewCanvas::focusInEvent(QFocusEvent *event)
{
    const bool forward = event->reason() == Qt::TabFocusReason;
    if (narrowWidth_ == 0 && (forward || event->reason() == Qt::BacktabFocusReason)) {
        const std::vector<MenuHit> stops = focusStops();
        if (!stops.empty())
            focusOn(forward ? stops.front() : stops.back());
    }
    QWidget::focusInEvent(event);
}

bool PreviewCanvas::focusNextPrevChild(bool next)
{
    return moveFocus(next) || QWidget::focusNextPrevChild(next);
}

void PreviewCanvas::keyPressEvent(QKeyEvent *event)
{
    if (narrowWidth_ > 0)
        return QWidget::keyPressEvent(event);
    const MenuHit hit = focused();
    const auto &popups = scene_.layout().popups;
    const bool onRow = hit.popup >= 0;
    const LayoutRow *row =
        onRow ? &popups[std::size_t(hit.popup)].rows[std::size_t(hit.row)] : nullptr;
    auto enter = [this](int popup) {
        // Into a popup that has just opened: its first row that can take the focus.
        const auto &rows = scene_.layout().popups[std::size_t(popup)].rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].kind != RowKind::Separator)
                return focusOn({-1, popup, int(r)});
        }
    };
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Left: {
        if (view_.chain.empty() || (event->key() == Qt::Key_Left && view_.chain.size() < 2))
            break;
        const LayoutPopup &inner = popups[std::size_t(view_.chain.back())];
        closeFrom(view_.chain.size() - 1);
        if (inner.parent < 0)
            focusOn({inner.firstLevel, -1, -1});
        else
            focusOn({-1, inner.parent, inner.row});
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (row && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
            const auto &rows = popups[std::size_t(hit.popup)].rows;
            const int n = int(rows.size()), d = event->key() == Qt::Key_Down ? 1 : n - 1;
            int r = hit.row;
            do
                r = (r + d) % n;
            while (rows[std::size_t(r)].kind == RowKind::Separator && r != hit.row);
            focusOn({-1, hit.popup, r});
        } else if (row && row->kind == RowKind::Submenu && event->key() != Qt::Key_Up) {
            const int child = row->popup; // opening it lays out more popups, moving the rows
            openRow(hit.popup, hit.row);
            if (event->key() == Qt::Key_Right)
                enter(child);
        } else if (row && event->key() != Qt::Key_Right && event->key() != Qt::Key_Up) {
            choose(hit);
        } else if (hit.item >= 0) {
            const int popup = scene_.popupOf(hit.item);
            if (event->key() == Qt::Key_Down && popup >= 0) {
                if (view_.open != hit.item)
                    toggleItem(hit.item);
                enter(popup);
            } else if (event->key() != Qt::Key_Down && event->key() != Qt::Key_Up &&
                       event->key() != Qt::Key_Right) {
                if (popup >= 0)
                    toggleItem(hit.item);
                else
                    choose(hit);
            }
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
}
