// Paint: the canvas, pixel for pixel as the preview; the browser draws the captions.
import {
  AP_BG,
  AP_IMAGE,
  AP_PLACE,
  AP_IMAGE_X,
  AP_IMAGE_Y,
  LOAD_TEXT,
  LOAD_FG,
  LOAD_BG,
  AP_BORDER_W,
  AP_BORDER_STYLE,
  AP_BORDER_COLOUR,
  AP_FADE,
  MENU_BG,
  MENU_FADE,
  MENU_CLEAR,
  MENU_BORDER_W,
  MENU_BORDER_STYLE,
  MENU_BORDER_COLOUR,
  AP_GRADIENT,
  MENU_GRADIENT,
  STATE_GRADIENT,
  STATE_BLOCK,
  S_FADE,
  S_PLACE,
  S_IMAGE_X,
  S_IMAGE_Y,
  S_CLEAR,
  S_FG,
  S_BORDER_W,
  S_BORDER_STYLE,
  S_BORDER_COLOUR,
  toRgb
} from './fields.js';

const BLACK = [0, 0, 0],
  WHITE = [255, 255, 255],
  SEPARATOR = toRgb('A0A0A0');
const light = (context) => context.map((v) => v + Math.floor(((255 - v) * 2) / 5));
const dark = (context) => context.map((v) => Math.floor((v * 3) / 5));

function fill(context, x, y, w, h, rgb) {
  if (w <= 0 || h <= 0) return;
  context.fillStyle = `rgb(${rgb})`;
  context.fillRect(x, y, w, h);
}
// Row y of A to B gets A + (B - A)(2y + 1)/(2h), rounded with halves up, in integers; only the
// rows inside the band being repainted ([top, bottom], all of them without one) are filled.
function background(context, x, y, w, h, A, B, band = null) {
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
function border(context, x, y, w, h, style, width, colour) {
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
// The keyboard focus: ring 0 of the rectangle in black, ring 1 in white.
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
function edge(context, [x, y, w, h], radius, style, width, colour) {
  const r = Math.min(radius, Math.floor(Math.min(w, h) / 2)),
    n = Math.min(width, Math.floor(Math.min(w, h) / 2));
  if (r <= 0) return border(context, x, y, w, h, style, width, colour);
  if (!style || n <= 0) return;
  context.beginPath();
  context.roundRect(x, y, w, h, r);
  context.roundRect(x + n, y + n, w - 2 * n, h - 2 * n, Math.max(0, r - n));
  context.fillStyle = `rgb(${colour})`;
  context.fill('evenodd');
}
function focusRing(context, x, y, w, h) {
  [BLACK, WHITE].forEach((colour, k) => {
    fill(context, x + k, y + k, w - 2 * k, 1, colour);
    fill(context, x + k, y + h - 1 - k, w - 2 * k, 1, colour);
    fill(context, x + k, y + k, 1, h - 2 * k, colour);
    fill(context, x + w - 1 - k, y + k, 1, h - 2 * k, colour);
  });
}
function clip(context, x, y, w, h) {
  context.save();
  context.beginPath();
  context.rect(x, y, Math.max(w, 0), Math.max(h, 0));
  context.clip();
}
export function image(context, img, how, X, Y, ax, ay, AW, AH) {
  if (!img || !img.complete || !img.naturalWidth) return;
  const w = img.naturalWidth,
    h = img.naturalHeight,
    mid = ay + Math.floor((AH - h) / 2);
  const at = [
    [ax + X, ay + Y],
    [ax + Math.floor((AW - w) / 2), mid],
    [ax, mid],
    [ax + AW - w, mid]
  ][how];
  clip(context, ax, ay, AW, AH);
  if (at) context.drawImage(img, at[0], at[1]);
  else if (how === 4) {
    for (let j = 0; j < AH; j += h) for (let i = 0; i < AW; i += w) context.drawImage(img, ax + i, ay + j);
  } else context.drawImage(img, ax, ay, AW, AH);
  context.restore();
}
// The loading message from its left edge x, centred vertically in its clip rectangle.
export function text(context, s, font, colour, x, [cx, cy, cw, ch]) {
  clip(context, cx, cy, cw, ch);
  context.font = font;
  context.fillStyle = `rgb(${colour})`;
  const mt = context.measureText(s),
    ascent = mt.fontBoundingBoxAscent;
  context.fillText(s, x, cy + Math.floor((ch - ascent - mt.fontBoundingBoxDescent) / 2) + ascent);
  context.restore();
}
// Background (unless transparent) and border of a part painted as a first-level item.
function itemFace(context, fields, state, x, y, w, h) {
  const s = STATE_BLOCK[state];
  if (!fields.flag(s + S_CLEAR))
    background(
      context,
      x,
      y,
      w,
      h,
      fields.colour(s),
      fields.flag(STATE_GRADIENT + state) && fields.colour(s + S_FADE)
    );
  border(
    context,
    x,
    y,
    w,
    h,
    fields.int(s + S_BORDER_STYLE, 0, 4),
    fields.size(s + S_BORDER_W),
    fields.colour(s + S_BORDER_COLOUR)
  );
}

// Only the items whose look changed since the last drawing are painted again, each with what
// lies under it: a pointer moving over 10,000 items repaints two.
export function paintWide(menu) {
  const { context, model } = menu,
    fields = model.fields,
    { W, H } = model;
  if (menu.loading) {
    menu.drawn = null;
    fill(context, 0, 0, W, H, fields.colour(LOAD_BG));
    context.textAlign = 'center';
    text(context, fields.raw(LOAD_TEXT), '12px sans-serif', fields.colour(LOAD_FG), W / 2, [0, 0, W, H]);
    context.textAlign = 'start';
    return;
  }
  const looks = model.items.map((item) => menu.stateOf(item) + (menu.keyFocus === item.el ? 3 : 0)),
    was = menu.drawn;
  menu.drawn = looks;
  model.items.forEach((item, k) => menu.captionLook(item, looks[k] % 3));
  if (!was) return paintArea(menu, looks, [0, 0, W, H]);
  model.items.forEach((item, k) => {
    if (looks[k] === was[k]) return;
    clip(context, item.rect[0], item.rect[1], item.rect[2], item.rect[3]);
    paintArea(menu, looks, item.rect);
    context.restore();
  });
}
function paintArea(menu, looks, [ax, ay, aw, ah]) {
  const { context, model } = menu,
    { fields, look } = model,
    { W, H } = model,
    b = model.menuBox;
  const band = [ay, ay + ah];
  // Outside a rounded applet area the page shows through.
  if (look.menuRadius) context.clearRect(ax, ay, aw, ah);
  insideRounded(context, [0, 0, W, H], look.menuRadius, () => {
    background(
      context,
      0,
      0,
      W,
      H,
      fields.colour(AP_BG),
      fields.flag(AP_GRADIENT) && fields.colour(AP_FADE),
      band
    );
    image(
      context,
      menu.images.get(fields.raw(AP_IMAGE)),
      fields.int(AP_PLACE, 0, 5),
      fields.pos(AP_IMAGE_X),
      fields.pos(AP_IMAGE_Y),
      0,
      0,
      W,
      H
    );
  });
  edge(
    context,
    [0, 0, W, H],
    look.menuRadius,
    fields.int(AP_BORDER_STYLE, 0, 4),
    fields.size(AP_BORDER_W),
    fields.colour(AP_BORDER_COLOUR)
  );
  if (b) {
    if (!fields.flag(MENU_CLEAR))
      insideRounded(context, b, look.menuRadius, () =>
        background(
          context,
          b[0],
          b[1],
          b[2],
          b[3],
          fields.colour(MENU_BG),
          fields.flag(MENU_GRADIENT) && fields.colour(MENU_FADE),
          band
        )
      );
    edge(
      context,
      b,
      look.menuRadius,
      fields.int(MENU_BORDER_STYLE, 0, 4),
      fields.size(MENU_BORDER_W),
      fields.colour(MENU_BORDER_COLOUR)
    );
  }
  model.items.forEach((item, k) => {
    const [x, y, w, h] = item.rect,
      state = looks[k] % 3,
      s = STATE_BLOCK[state];
    if (x >= ax + aw || y >= ay + ah || x + w <= ax || y + h <= ay) return;
    insideRounded(context, item.rect, look.radius, () => {
      if (!fields.flag(s + S_CLEAR))
        background(
          context,
          x,
          y,
          w,
          h,
          fields.colour(s),
          fields.flag(STATE_GRADIENT + state) && fields.colour(s + S_FADE),
          band
        );
      image(
        context,
        menu.images.get(item.images[state]),
        fields.int(s + S_PLACE, 0, 5),
        fields.pos(s + S_IMAGE_X),
        fields.pos(s + S_IMAGE_Y),
        x,
        y,
        w,
        h
      );
    });
    edge(
      context,
      item.rect,
      look.radius,
      fields.int(s + S_BORDER_STYLE, 0, 4),
      fields.size(s + S_BORDER_W),
      fields.colour(s + S_BORDER_COLOUR)
    );
    if (looks[k] > 2) focusRing(context, x, y, w, h);
  });
}

// The bar, and its menu button: three bars 18 x 2 in the state's caption colour.
export function paintBar(menu) {
  const { context, model } = menu,
    fields = model.fields,
    T = model.barH,
    state = menu.stateOf(menu);
  background(
    context,
    0,
    0,
    menu.A,
    T,
    fields.colour(AP_BG),
    fields.flag(AP_GRADIENT) && fields.colour(AP_FADE)
  );
  itemFace(context, fields, state, 0, 0, T, T);
  for (let i = 0; i < 3; i++)
    fill(
      context,
      Math.floor((T - 18) / 2),
      Math.floor((T - 14) / 2) + 6 * i,
      18,
      2,
      fields.colour(STATE_BLOCK[state] + S_FG)
    );
  if (menu.keyFocus === menu.button) focusRing(context, 0, 0, T, T);
}
// The rows between list heights top and bottom; their captions are the elements' own text.
export function paintRows(menu, context, top, bottom) {
  const model = menu.model,
    { fields, look } = model,
    A = menu.A,
    T = model.barH;
  fill(context, 0, T + top, A, bottom - top, fields.colour(AP_BG));
  for (const { entry, y, h, depth, kind } of menu.rows) {
    if (y + h <= T + top || y >= T + bottom) continue;
    if (depth === 1) {
      const state = menu.stateOf(entry),
        s = STATE_BLOCK[state];
      itemFace(context, fields, state, 0, y, A, h);
      menu.captionLook(entry, state);
      if (entry.popup) arrow(context, A, y, h, entry.popup.expanded, fields.colour(s + S_FG));
    } else if (kind === 'separator') {
      const x0 = 16 * (depth - 1) + 4;
      fill(context, 0, y, A, h, look.popupBackground);
      fill(context, x0, y + 3, A - 4 - x0, 1, look.popupSeparator || SEPARATOR);
      if (!look.popupSeparator) fill(context, x0, y + 4, A - 4 - x0, 1, WHITE);
    } else {
      const lit = menu.hot === entry.el || menu.keyFocus === entry.el;
      fill(context, 0, y, A, h, lit ? look.popupHighlight : look.popupBackground);
      if (entry.el.classList.contains('zv-h') !== lit) entry.el.classList.toggle('zv-h', lit);
      if (entry.child)
        arrow(context, A, y, h, entry.child.expanded, lit ? look.popupHighlightText : look.popupText);
    }
    if (entry.el && menu.keyFocus === entry.el) focusRing(context, 0, y, A, h);
  }
}
// A branch's arrow: rows 7, 5, 3 and 1 pixels wide ending 16 pixels from the right edge,
// pointing down while collapsed, up while expanded.
function arrow(context, A, y, h, up, colour) {
  const cy = y + Math.floor(h / 2);
  for (let i = 0; i < 4; i++) fill(context, A - 23 + i, up ? cy + 1 - i : cy - 2 + i, 7 - 2 * i, 1, colour);
}
