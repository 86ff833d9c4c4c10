// Drawing a menu scene: the first level, its items in their states, the open popups and the
// narrow form, with the colours and strokes of the runtime.

#include "editor/preview/MenuScene.h"

#include <algorithm>
#include <cmath>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <vector>

// Fields by their names in the applet's field table.
using namespace AppletField;

namespace {
const Rgb Black{0, 0, 0}, White{0xFF, 0xFF, 0xFF};

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

// The current page's row: a bar 3 pixels wide at its left edge, 3 pixels from top and bottom,
// in the marker's colour, or the highlight's text colour on a highlighted row.
void currentMarker(QPainter &p, int x, int y, int h, bool lighted, const LookValues &look)
{
    fill(p, x, y + 3, 3, h - 6, lighted ? look.popupHighlightText : look.currentMarker);
}

// A rectangle with rounded corners (a radius of at most half its smaller side); square, it is
// filled pixel for pixel as the runtime fills it.
void roundedFill(QPainter &p, QRect r, int radius, Rgb c)
{
    radius = std::min(radius, std::min(r.width(), r.height()) / 2);
    if (radius <= 0)
        return fill(p, r.x(), r.y(), r.width(), r.height(), c);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(qcolor(c));
    p.drawRoundedRect(QRectF(r), radius, radius);
    p.restore();
}

// Paints inside the rounded outline of a rectangle: what lies outside shows what is behind.
template <class Paint> void insideRounded(QPainter &p, QRect r, int radius, Paint paint)
{
    radius = std::min(radius, std::min(r.width(), r.height()) / 2);
    if (radius <= 0)
        return paint();
    QPainterPath outline;
    outline.addRoundedRect(QRectF(r), radius, radius);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(outline, Qt::IntersectClip);
    paint();
    p.restore();
}

// A border along a rounded outline: one ring of its width in its colour, no bevels.
void roundedBorder(QPainter &p, QRect r, int radius, int style, int width, Rgb c)
{
    radius = std::min(radius, std::min(r.width(), r.height()) / 2);
    const int n = std::min(width, std::min(r.width(), r.height()) / 2);
    if (style == 0 || n <= 0)
        return;
    QPainterPath ring;
    ring.addRoundedRect(QRectF(r), radius, radius);
    const int inner = std::max(0, radius - n);
    ring.addRoundedRect(QRectF(r.adjusted(n, n, -n, -n)), inner, inner);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(ring, qcolor(c)); // odd-even: the inner outline cuts the ring out
    p.restore();
}

// A part's border: bevelled along a square outline, one ring along a rounded one.
void edge(QPainter &p, QRect r, int radius, int style, int width, Rgb c)
{
    if (std::min(radius, std::min(r.width(), r.height()) / 2) > 0)
        roundedBorder(p, r, radius, style, width, c);
    else
        border(p, r.x(), r.y(), r.width(), r.height(), style, width, c);
}

// A blur of an alpha mask by three box passes each way, close to the browser's Gaussian one.
void blurAlpha(QImage &image, int radius)
{
    const int w = image.width(), h = image.height();
    std::vector<int> line;
    auto pass = [&](bool horizontal) {
        const int length = horizontal ? w : h, lines = horizontal ? h : w;
        line.resize(std::size_t(length));
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int k) -> uchar & {
                return horizontal ? image.scanLine(l)[k * 4 + 3] : image.scanLine(k)[l * 4 + 3];
            };
            for (int k = 0; k < length; ++k)
                line[std::size_t(k)] = at(k);
            int sum = 0;
            for (int k = -radius; k <= radius; ++k)
                sum += k >= 0 && k < length ? line[std::size_t(k)] : 0;
            for (int k = 0; k < length; ++k) {
                at(k) = uchar(sum / (2 * radius + 1));
                const int out = k - radius, in = k + radius + 1;
                sum += (in < length ? line[std::size_t(in)] : 0) -
                       (out >= 0 ? line[std::size_t(out)] : 0);
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(true);
        pass(false);
    }
}

// The popup's shadow: black at 20 % below it, offset and blurred by its level.
void shadow(QPainter &p, QRect box, int radius, int level)
{
    static const int Offsets[] = {0, 1, 4, 12}, Blurs[] = {0, 3, 12, 32};
    if (level <= 0 || level > 3)
        return;
    const int blur = Blurs[level], margin = blur * 3 / 2 + 1;
    QImage mask(box.size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        roundedFill(painter, QRect(QPoint(margin, margin), box.size()), radius, Black);
    }
    for (int row = 0; row < mask.height(); ++row) {
        uchar *pixel = mask.scanLine(row);
        for (int k = 0; k < mask.width(); ++k)
            pixel[k * 4 + 3] = uchar(pixel[k * 4 + 3] / 5); // 20 %
    }
    // The browser blurs by a Gaussian of deviation blur / 2; three boxes of radius r come
    // close to one of deviation sqrt(r (r + 1)).
    blurAlpha(mask, std::max(1, blur / 2 - 1));
    p.drawImage(box.topLeft() + QPoint(-margin, Offsets[level] - margin), mask);
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

} // namespace

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
        const QFont font = captionFont({1, 12, 0, {}, 0, false});
        const QString message = QString::fromStdString(a.text(ApLoadingMsg));
        const double tw = QFontMetricsF(font).horizontalAdvance(message);
        caption(p, message, font, a.colour(ApLoadingMsgClr), W / 2.0 - tw / 2, QRect(0, 0, W, H));
        p.restore();
        return;
    }
    const Rgb fade = a.colour(ApBgFadeClr);
    const int menuRadius = look_.menuRadius;
    insideRounded(p, QRect(0, 0, W, H), menuRadius, [&] {
        background(p, 0, 0, W, H, a.colour(ApBgClr), a.flag(ApBgGradientFill) ? &fade : nullptr);
        placeImage(p, image(QString::fromStdString(a.text(ApBgImg))), a.choice(ApBgImgAlign, 6),
                   a.position(ApBgImgX), a.position(ApBgImgX + 1), QRect(0, 0, W, H));
    });
    edge(p, QRect(0, 0, W, H), menuRadius, a.choice(ApBrdStyle, 5), a.size(ApBrdWidth),
         a.colour(ApBrdClr));
    if (const auto &m = layout_.menu) {
        const Rgb menuFade = a.colour(MnBgFadeClr);
        const QRect box(m->x, m->y, m->w, m->h);
        if (!a.flag(MnBgTransparent))
            insideRounded(p, box, menuRadius, [&] {
                background(p, m->x, m->y, m->w, m->h, a.colour(MnBgClr),
                           a.flag(MnBgGradientFill) ? &menuFade : nullptr);
            });
        edge(p, box, menuRadius, a.choice(MnBrdStyle, 5), a.size(MnBrdWidth), a.colour(MnBrdClr));
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
    const FirstLevel &item = first_[std::size_t(k)];
    const QRect box(r.x, r.y, r.w, r.h);
    insideRounded(p, box, look_.radius, [&] {
        if (!a.flag(s + StateOffset::BgTransparent))
            background(p, r.x, r.y, r.w, r.h, a.colour(s),
                       a.flag(ItNoBgGradientFill + state) ? &fade : nullptr);
        placeImage(p, image(item.images[state]), a.choice(s + StateOffset::BgImgAlign, 6),
                   a.position(s + StateOffset::BgImgX), a.position(s + StateOffset::BgImgX + 1),
                   box);
    });
    edge(p, box, look_.radius, a.choice(s + StateOffset::BrdStyle, 5),
         a.size(s + StateOffset::BrdWidth), a.colour(s + StateOffset::BrdClr));
    const int bw = a.borderWidth(s + StateOffset::BrdWidth, s + StateOffset::BrdStyle);
    const int offset = a.position(s + StateOffset::TextOffset),
              align = a.choice(s + StateOffset::TextAlign, 3);
    const QFont font = captionFont(look_.firstLevelFont(a.font(s + StateOffset::FntName)));
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
    const LookValues &look = look_;
    const int frame = metrics_.frame, inner = metrics_.inner();
    const QRect box(at, QSize(popup.box.w, popup.box.h));
    const int x = box.x(), w = box.width(), dy = box.y() - popup.box.y;
    const int radius = std::min(look.popupRadius, std::min(box.width(), box.height()) / 2);
    shadow(p, box, radius, look.popupShadow);
    roundedFill(p, box, radius, look.popupFrame);
    roundedFill(p, box.adjusted(frame, frame, -frame, -frame), std::max(0, radius - frame),
                look.popupBackground);
    // The highlighted row's background, inset from the inside of the frame.
    const int inset = inner + look.popupInset;
    const QFont font = captionFont(metrics_.font(a.font(PopupFntName)));
    for (std::size_t r = 0; r < popup.rows.size(); ++r) {
        const LayoutRow &row = popup.rows[r];
        const int top = row.y + dy;
        if (row.kind == RowKind::Separator) {
            const int from = x + frame + 3, length = w - 2 * (frame + 3);
            if (look.popupSeparator) {
                fill(p, from, top + 3, length, 1, *look.popupSeparator);
            } else {
                fill(p, from, top + 3, length, 1, SeparatorDark);
                fill(p, from, top + 4, length, 1, SeparatorLight);
            }
            continue;
        }
        const bool lighted = int(r) == lit || int(r) == opened;
        if (lighted)
            roundedFill(p, QRect(x + inset, top, w - 2 * inset, row.h),
                        std::max(0, look.popupRadius - look.popupInset), look.popupHighlight);
        const Rgb ink = lighted ? look.popupHighlightText : look.popupText;
        caption(p, QString::fromStdString(row.caption), font, ink, x + look.popupPadding,
                QRect(x + inset, top, w - 2 * inset, row.h));
        if (row.item == currentItem)
            currentMarker(p, x + inset, top, row.h, lighted, look);
        if (row.kind == RowKind::Submenu) {
            // Four columns, 7, 5, 3 and 1 pixels high, ending 5 pixels inside the highlight
            // (8 from the right edge in the basic look).
            const int end = x + w - inset - 5;
            for (int i = 0; i < 4; ++i)
                fill(p, end - 4 + i, top + row.h / 2 - 3 + i, 1, 7 - 2 * i, ink);
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
    const QFont popupFont = captionFont(metrics_.font(a.font(PopupFntName)));
    for (const NarrowRow &row : narrow_.rows) {
        const LayoutRect &r = row.box;
        const QString text = QString::fromStdString(row.caption);
        if (row.depth == 1) {
            const int state =
                row.kind == NarrowKind::Branch || row.firstLevel == view.current ? 2 : 0;
            const int s = ItemNormalBlock + AppletField::ItemStateBlockSize * state;
            face(state, 0, r.y, width, r.h);
            const int bw = a.borderWidth(s + StateOffset::BrdWidth, s + StateOffset::BrdStyle);
            caption(p, text, captionFont(look_.firstLevelFont(a.font(s + StateOffset::FntName))),
                    a.colour(s + StateOffset::TextClr), bw + 16,
                    QRect(bw, r.y + bw, width - 2 * bw, r.h - 2 * bw));
            if (row.kind == NarrowKind::Branch)
                upArrow(p, width, r, a.colour(s + StateOffset::TextClr));
            continue;
        }
        fill(p, 0, r.y, width, r.h, look_.popupBackground);
        const int indent = 16 * (row.depth - 1);
        if (row.kind == NarrowKind::Separator) {
            if (look_.popupSeparator) {
                fill(p, indent + 4, r.y + 3, width - 8 - indent, 1, *look_.popupSeparator);
            } else {
                fill(p, indent + 4, r.y + 3, width - 8 - indent, 1, SeparatorDark);
                fill(p, indent + 4, r.y + 4, width - 8 - indent, 1, SeparatorLight);
            }
            continue;
        }
        caption(p, text, popupFont, look_.popupText, indent + 16, QRect(0, r.y, width, r.h));
        if (row.item == view.currentItem)
            currentMarker(p, 0, r.y, r.h, false, look_);
        if (row.kind == NarrowKind::Branch)
            upArrow(p, width, r, look_.popupText);
    }
}
