// Paint: the canvas, pixel for pixel as the preview; the browser draws the captions.
import {
  AP_BG,
  AP_IMAGE,
  AP_PLACE,
  LOAD_TEXT,
  LOAD_FG,
  LOAD_BG,
  AP_BORDER_W,
  AP_FADE,
  MENU_BG,
  MENU_FADE,
  MENU_CLEAR,
  MENU_BORDER_W,
  AP_GRADIENT,
  MENU_GRADIENT,
  STATE_GRADIENT,
  STATE_BLOCK,
  S_FADE,
  S_PLACE,
  S_CLEAR,
  S_FG,
  S_BORDER_W,
  toRgb,
  rgb
} from './fields.js';

const BLACK = [0, 0, 0],
  WHITE = [255, 255, 255],
  SEPARATOR = toRgb('A0A0A0');
const light = (colour) => colour.map((v) => v + Math.floor(((255 - v) * 2) / 5));
const dark = (colour) => colour.map((v) => Math.floor((v * 3) / 5));

function fill(context, x, y, w, h, colour) {
  if (w <= 0 || h <= 0) return;
  context.fillStyle = rgb(colour);
  context.fillRect(x, y, w, h);
}
// A part's colour A, or where its gradient is on: row y of A to its fade colour B gets
// A + (B - A)(2y + 1)/(2h), rounded with halves up, in integers; only the rows inside the band
// being repainted ([top, bottom], all of them without one) are filled.
function background(context, [x, y, w, h], fields, [colour, fade, gradient], band = null) {
  const A = fields.colour_(colour),
    B = fields.flag_(gradient) && fields.colour_(fade);
  if (!B) return fill(context, x, y, w, h, A);
  const from = band ? Math.max(0, band[0] - y) : 0,
    to = band ? Math.min(h, band[1] - y) : h;
  for (let j = from; j < to; j++)
    fill(
      context,
      x,
      y + j,
      w,
      1,
      A.map((v, i) => v + Math.floor(((B[i] - v) * (2 * j + 1) + h) / (2 * h)))
    );
}
function border(context, [x, y, w, h], style, width, colour) {
  if (!style) return;
  const n = Math.min(width, Math.floor(Math.min(w, h) / 2)),
    L = light(colour),
    D = dark(colour);
  for (let k = 0; k < n; k++) {
    const outer = k < Math.ceil(n / 2);
    const raised = style === 3 || (style === 1 && outer) || (style === 2 && !outer);
    const tl = raised ? L : D,
      br = raised ? D : L;
    fill(context, x + k, y + k, w - 1 - 2 * k, 1, tl);
    fill(context, x + k, y + k, 1, h - 1 - 2 * k, tl);
    fill(context, x + k, y + h - 1 - k, w - 2 * k, 1, br);
    fill(context, x + w - 1 - k, y + k, 1, h - 2 * k, br);
  }
}
// Paints inside the rounded outline of a rectangle: what lies outside shows what is behind.
function insideRounded(context, [x, y, w, h], radius, paint) {
  const r = Math.min(radius, Math.floor(Math.min(w, h) / 2));
  if (r <= 0) return paint();
  context.save();
  context.beginPath();
  context.roundRect(x, y, w, h, r);
  context.clip();
  paint();
  context.restore();
}
// A part's border: bevelled along a square outline, one ring of its width in its colour along
// a rounded one.
function edge(context, rect, radius, style, width, colour) {
  const [x, y, w, h] = rect,
    r = Math.min(radius, Math.floor(Math.min(w, h) / 2)),
    n = Math.min(width, Math.floor(Math.min(w, h) / 2));
  if (r <= 0) return border(context, rect, style, width, colour);
  if (!style || n <= 0) return;
  context.beginPath();
  context.roundRect(x, y, w, h, r);
  context.roundRect(x + n, y + n, w - 2 * n, h - 2 * n, Math.max(0, r - n));
  context.fillStyle = rgb(colour);
  context.fill('evenodd');
}
// The keyboard focus: ring 0 of the rectangle in black, ring 1 in white.
function focusRing(context, x, y, w, h) {
  [BLACK, WHITE].forEach((colour, k) => {
    fill(context, x + k, y + k, w - 2 * k, 1, colour);
    fill(context, x + k, y + h - 1 - k, w - 2 * k, 1, colour);
    fill(context, x + k, y + k, 1, h - 2 * k, colour);
    fill(context, x + w - 1 - k, y + k, 1, h - 2 * k, colour);
  });
}
function clip(context, [x, y, w, h]) {
  context.save();
  context.beginPath();
  context.rect(x, y, Math.max(w, 0), Math.max(h, 0));
  context.clip();
}
export function image(context, img, how, X, Y, rect) {
  const [ax, ay, AW, AH] = rect;
  if (!img.complete || !img.naturalWidth) return;
  const w = img.naturalWidth,
    h = img.naturalHeight,
    mid = ay + Math.floor((AH - h) / 2);
  const at = [
    [ax + X, ay + Y],
    [ax + Math.floor((AW - w) / 2), mid],
    [ax, mid],
    [ax + AW - w, mid]
  ][how];
  clip(context, rect);
  if (at) context.drawImage(img, at[0], at[1]);
  else if (how === 4) {
    for (let j = 0; j < AH; j += h) for (let i = 0; i < AW; i += w) context.drawImage(img, ax + i, ay + j);
  } else context.drawImage(img, ax, ay, AW, AH);
  context.restore();
}
// The loading message from its left edge x, centred vertically in its clip rectangle.
export function text(context, s, font, colour, x, rect) {
  const [, cy, , ch] = rect;
  clip(context, rect);
  context.font = font;
  context.fillStyle = rgb(colour);
  const mt = context.measureText(s),
    ascent = mt.fontBoundingBoxAscent;
  context.fillText(s, x, cy + Math.floor((ch - ascent - mt.fontBoundingBoxDescent) / 2) + ascent);
  context.restore();
}

// The fields of a part, by number: its colour, the colour it fades to, its gradient flag, its
// clear flag (the applet area has none), its border's width (the border's style and colour are
// 2 and 4 fields on) and how its picture is placed (its x and y follow).
const AREA = [AP_BG, AP_FADE, AP_GRADIENT, 0, AP_BORDER_W, AP_PLACE],
  MENU = [MENU_BG, MENU_FADE, MENU_GRADIENT, MENU_CLEAR, MENU_BORDER_W, 0];
function stateFields(state) {
  const s = STATE_BLOCK[state];
  return [s, s + S_FADE, STATE_GRADIENT + state, s + S_CLEAR, s + S_BORDER_W, s + S_PLACE];
}
// A part: its background (unless clear) and its picture inside its outline, then its border.
function part(context, rect, radius, fields, numbers, img, band) {
  const [, , , clear, borderW, place] = numbers;
  insideRounded(context, rect, radius, () => {
    if (!(clear && fields.flag_(clear))) background(context, rect, fields, numbers, band);
    if (img)
      image(context, img, fields.int_(place, 0, 5), fields.pos_(place + 1), fields.pos_(place + 2), rect);
  });
  edge(
    context,
    rect,
    radius,
    fields.int_(borderW + 2, 0, 4),
    fields.size_(borderW),
    fields.colour_(borderW + 4)
  );
}

// Only the items whose look changed since the last drawing are painted again, each with what
// lies under it: a pointer moving over 10,000 items repaints two.
export function paintWide(menu) {
  const context = menu.context_,
    model = menu.model_,
    fields = model.fields_,
    W = model.width_,
    H = model.height_;
  if (menu.loading_) {
    menu.drawn_ = null;
    fill(context, 0, 0, W, H, fields.colour_(LOAD_BG));
    context.textAlign = 'center';
    text(context, fields.raw_(LOAD_TEXT), '12px sans-serif', fields.colour_(LOAD_FG), W / 2, [0, 0, W, H]);
    context.textAlign = 'start';
    return;
  }
  const looks = model.items_.map((item) => menu.stateOf_(item) + (menu.keyFocus_ === item.el_ ? 3 : 0)),
    was = menu.drawn_;
  menu.drawn_ = looks;
  model.items_.forEach((item, k) => menu.captionLook_(item, looks[k] % 3));
  if (!was) return paintArea(menu, looks, [0, 0, W, H]);
  model.items_.forEach((item, k) => {
    if (looks[k] === was[k]) return;
    clip(context, item.rect_);
    paintArea(menu, looks, item.rect_);
    context.restore();
  });
}
function paintArea(menu, looks, [ax, ay, aw, ah]) {
  const context = menu.context_,
    model = menu.model_,
    fields = model.fields_,
    look = model.look_,
    band = [ay, ay + ah];
  // Outside a rounded applet area the page shows through.
  if (look.menuRadius_) context.clearRect(ax, ay, aw, ah);
  const area = [0, 0, model.width_, model.height_];
  part(context, area, look.menuRadius_, fields, AREA, menu.images_.get(fields.raw_(AP_IMAGE)), band);
  if (model.menuBox_) part(context, model.menuBox_, look.menuRadius_, fields, MENU, null, band);
  model.items_.forEach((item, k) => {
    const [x, y, w, h] = item.rect_,
      state = looks[k] % 3;
    if (x >= ax + aw || y >= ay + ah || x + w <= ax || y + h <= ay) return;
    const img = menu.images_.get(item.images_[state]);
    part(context, item.rect_, look.radius_, fields, stateFields(state), img, band);
    if (looks[k] > 2) focusRing(context, x, y, w, h);
  });
}

// The bar, and its menu button: three bars 18 x 2 in the state's caption colour.
export function paintBar(menu) {
  const context = menu.context_,
    fields = menu.model_.fields_,
    T = menu.model_.barH_,
    state = menu.stateOf_(menu);
  background(context, [0, 0, menu.width_, T], fields, AREA);
  part(context, [0, 0, T, T], 0, fields, stateFields(state));
  for (let i = 0; i < 3; i++)
    fill(
      context,
      Math.floor((T - 18) / 2),
      Math.floor((T - 14) / 2) + 6 * i,
      18,
      2,
      fields.colour_(STATE_BLOCK[state] + S_FG)
    );
  if (menu.keyFocus_ === menu.button_) focusRing(context, 0, 0, T, T);
}
// The rows between list heights top and bottom; their captions are the elements' own text.
export function paintRows(menu, context, top, bottom) {
  const model = menu.model_,
    fields = model.fields_,
    look = model.look_,
    A = menu.width_,
    T = model.barH_;
  fill(context, 0, T + top, A, bottom - top, fields.colour_(AP_BG));
  for (const { entry_: entry, y_: y, h_: h, depth_: depth, kind_: kind } of menu.rows_) {
    if (y + h <= T + top || y >= T + bottom) continue;
    if (depth === 1) {
      const state = menu.stateOf_(entry),
        s = STATE_BLOCK[state];
      part(context, [0, y, A, h], 0, fields, stateFields(state));
      menu.captionLook_(entry, state);
      if (entry.popup_) arrow(context, A, y, h, entry.popup_.expanded_, fields.colour_(s + S_FG));
    } else if (kind === 'separator') {
      const x0 = 16 * (depth - 1) + 4;
      fill(context, 0, y, A, h, look.popupBackground_);
      fill(context, x0, y + 3, A - 4 - x0, 1, look.popupSeparator_ || SEPARATOR);
      if (!look.popupSeparator_) fill(context, x0, y + 4, A - 4 - x0, 1, WHITE);
    } else {
      const lit = menu.hot_ === entry.el_ || menu.keyFocus_ === entry.el_;
      fill(context, 0, y, A, h, lit ? look.popupHighlight_ : look.popupBackground_);
      if (entry.el_.classList.contains('zv-h') !== lit) entry.el_.classList.toggle('zv-h', lit);
      if (entry.child_)
        arrow(context, A, y, h, entry.child_.expanded_, lit ? look.popupHighlightText_ : look.popupText_);
    }
    if (entry.el_ && menu.keyFocus_ === entry.el_) focusRing(context, 0, y, A, h);
  }
}
// A branch's arrow: rows 7, 5, 3 and 1 pixels wide ending 16 pixels from the right edge,
// pointing down while collapsed, up while expanded.
function arrow(context, A, y, h, up, colour) {
  const cy = y + Math.floor(h / 2);
  for (let i = 0; i < 4; i++) fill(context, A - 23 + i, up ? cy + 1 - i : cy - 2 + i, 7 - 2 * i, 1, colour);
}
