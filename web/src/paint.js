// Paint: the canvas, pixel for pixel as the preview; the browser draws the captions.
import { AP_BG, AP_IMAGE, AP_PLACE, AP_IMAGE_X, AP_IMAGE_Y, LOAD_TEXT, LOAD_FG, LOAD_BG, AP_BORDER_W, AP_BORDER_STYLE, AP_BORDER_COLOUR, AP_FADE, MENU_BG, MENU_FADE, MENU_CLEAR, MENU_BORDER_W, MENU_BORDER_STYLE, MENU_BORDER_COLOUR, AP_GRADIENT, MENU_GRADIENT, STATE_GRADIENT, STATE_BLOCK, S_FADE, S_PLACE, S_IMAGE_X, S_IMAGE_Y, S_CLEAR, S_FG, S_BORDER_W, S_BORDER_STYLE, S_BORDER_COLOUR, toRgb } from './fields.js';

const BLACK = [0, 0, 0], WHITE = [255, 255, 255], POPUP_FACE = toRgb('F0F0F0'),
  HIGHLIGHT = toRgb('316AC5'), SEPARATOR = toRgb('A0A0A0');
const light = (c) => c.map((v) => v + Math.floor((255 - v) * 2 / 5));
const dark = (c) => c.map((v) => Math.floor(v * 3 / 5));

function fill(c, x, y, w, h, rgb) {
  if (w <= 0 || h <= 0) return;
  c.fillStyle = `rgb(${rgb})`;
  c.fillRect(x, y, w, h);
}
// Row y of A to B gets A + (B - A)(2y + 1)/(2h), rounded with halves up, in integers; only the
// rows inside the band being repainted ([top, bottom], all of them without one) are filled.
function background(c, x, y, w, h, A, B, band = null) {
  if (!B) return fill(c, x, y, w, h, A);
  const from = band ? Math.max(0, band[0] - y) : 0, to = band ? Math.min(h, band[1] - y) : h;
  for (let j = from; j < to; j++) fill(c, x, y + j, w, 1, A.map((v, i) => v + Math.floor(((B[i] - v) * (2 * j + 1) + h) / (2 * h))));
}
function border(c, x, y, w, h, style, width, colour) {
  if (!style) return;
  const n = Math.min(width, Math.floor(Math.min(w, h) / 2)), L = light(colour), D = dark(colour);
  for (let k = 0; k < n; k++) {
    const outer = k < Math.ceil(n / 2);
    const raised = style === 3 || (style === 1 && outer) || (style === 2 && !outer);
    const tl = raised ? L : D, br = raised ? D : L;
    fill(c, x + k, y + k, w - 1 - 2 * k, 1, tl);
    fill(c, x + k, y + k, 1, h - 1 - 2 * k, tl);
    fill(c, x + k, y + h - 1 - k, w - 2 * k, 1, br);
    fill(c, x + w - 1 - k, y + k, 1, h - 2 * k, br);
  }
}
// The keyboard focus: ring 0 of the rectangle in black, ring 1 in white.
function focusRing(c, x, y, w, h) {
  [BLACK, WHITE].forEach((colour, k) => {
    fill(c, x + k, y + k, w - 2 * k, 1, colour);
    fill(c, x + k, y + h - 1 - k, w - 2 * k, 1, colour);
    fill(c, x + k, y + k, 1, h - 2 * k, colour);
    fill(c, x + w - 1 - k, y + k, 1, h - 2 * k, colour);
  });
}
function clip(c, x, y, w, h) {
  c.save();
  c.beginPath();
  c.rect(x, y, Math.max(w, 0), Math.max(h, 0));
  c.clip();
}
export function image(c, img, how, X, Y, ax, ay, AW, AH) {
  if (!img || !img.complete || !img.naturalWidth) return;
  const w = img.naturalWidth, h = img.naturalHeight, mid = ay + Math.floor((AH - h) / 2);
  const at = [[ax + X, ay + Y], [ax + Math.floor((AW - w) / 2), mid], [ax, mid], [ax + AW - w, mid]][how];
  clip(c, ax, ay, AW, AH);
  if (at) c.drawImage(img, at[0], at[1]);
  else if (how === 4) {
    for (let j = 0; j < AH; j += h) for (let i = 0; i < AW; i += w) c.drawImage(img, ax + i, ay + j);
  } else c.drawImage(img, ax, ay, AW, AH);
  c.restore();
}
// The loading message from its left edge x, centred vertically in its clip rectangle.
export function text(c, s, font, colour, x, [cx, cy, cw, ch]) {
  clip(c, cx, cy, cw, ch);
  c.font = font;
  c.fillStyle = `rgb(${colour})`;
  const mt = c.measureText(s), ascent = mt.fontBoundingBoxAscent;
  c.fillText(s, x, cy + Math.floor((ch - ascent - mt.fontBoundingBoxDescent) / 2) + ascent);
  c.restore();
}
// Background (unless transparent) and border of a part painted as a first-level item.
function itemFace(c, a, state, x, y, w, h) {
  const s = STATE_BLOCK[state];
  if (!a.flag(s + S_CLEAR)) background(c, x, y, w, h, a.colour(s), a.flag(STATE_GRADIENT + state) && a.colour(s + S_FADE));
  border(c, x, y, w, h, a.int(s + S_BORDER_STYLE, 0, 4), a.size(s + S_BORDER_W), a.colour(s + S_BORDER_COLOUR));
}

// Only the items whose look changed since the last drawing are painted again, each with what
// lies under it: a pointer moving over 10,000 items repaints two.
export function paintWide(menu) {
  const { c, m } = menu, a = m.fields, { W, H } = m;
  if (menu.loading) {
    menu.drawn = null;
    fill(c, 0, 0, W, H, a.colour(LOAD_BG));
    c.textAlign = 'center';
    text(c, a.raw(LOAD_TEXT), '12px sans-serif', a.colour(LOAD_FG), W / 2, [0, 0, W, H]);
    c.textAlign = 'start';
    return;
  }
  const looks = m.items.map((it) => menu.stateOf(it) + (menu.keyFocus === it.el ? 3 : 0)), was = menu.drawn;
  menu.drawn = looks;
  m.items.forEach((it, k) => menu.captionLook(it, looks[k] % 3));
  if (!was) return paintArea(menu, looks, [0, 0, W, H]);
  m.items.forEach((it, k) => {
    if (looks[k] === was[k]) return;
    clip(c, it.r[0], it.r[1], it.r[2], it.r[3]);
    paintArea(menu, looks, it.r);
    c.restore();
  });
}
function paintArea(menu, looks, [ax, ay, aw, ah]) {
  const { c, m } = menu, a = m.fields, { W, H } = m, b = m.menuBox;
  const band = [ay, ay + ah];
  background(c, 0, 0, W, H, a.colour(AP_BG), a.flag(AP_GRADIENT) && a.colour(AP_FADE), band);
  image(c, menu.images.get(a.raw(AP_IMAGE)), a.int(AP_PLACE, 0, 5), a.pos(AP_IMAGE_X), a.pos(AP_IMAGE_Y), 0, 0, W, H);
  border(c, 0, 0, W, H, a.int(AP_BORDER_STYLE, 0, 4), a.size(AP_BORDER_W), a.colour(AP_BORDER_COLOUR));
  if (b) {
    if (!a.flag(MENU_CLEAR)) background(c, b[0], b[1], b[2], b[3], a.colour(MENU_BG), a.flag(MENU_GRADIENT) && a.colour(MENU_FADE), band);
    border(c, b[0], b[1], b[2], b[3], a.int(MENU_BORDER_STYLE, 0, 4), a.size(MENU_BORDER_W), a.colour(MENU_BORDER_COLOUR));
  }
  m.items.forEach((it, k) => {
    const [x, y, w, h] = it.r, state = looks[k] % 3, s = STATE_BLOCK[state];
    if (x >= ax + aw || y >= ay + ah || x + w <= ax || y + h <= ay) return;
    if (!a.flag(s + S_CLEAR)) background(c, x, y, w, h, a.colour(s), a.flag(STATE_GRADIENT + state) && a.colour(s + S_FADE), band);
    image(c, menu.images.get(it.images[state]), a.int(s + S_PLACE, 0, 5), a.pos(s + S_IMAGE_X), a.pos(s + S_IMAGE_Y), x, y, w, h);
    border(c, x, y, w, h, a.int(s + S_BORDER_STYLE, 0, 4), a.size(s + S_BORDER_W), a.colour(s + S_BORDER_COLOUR));
    if (looks[k] > 2) focusRing(c, x, y, w, h);
  });
}

// The bar, and its menu button: three bars 18 x 2 in the state's caption colour.
export function paintBar(menu) {
  const { c, m } = menu, a = m.fields, T = m.barH, state = menu.stateOf(menu);
  background(c, 0, 0, menu.A, T, a.colour(AP_BG), a.flag(AP_GRADIENT) && a.colour(AP_FADE));
  itemFace(c, a, state, 0, 0, T, T);
  for (let i = 0; i < 3; i++) fill(c, Math.floor((T - 18) / 2), Math.floor((T - 14) / 2) + 6 * i, 18, 2, a.colour(STATE_BLOCK[state] + S_FG));
  if (menu.keyFocus === menu.button) focusRing(c, 0, 0, T, T);
}
// The rows between list heights top and bottom; their captions are the elements' own text.
export function paintRows(menu, c, top, bottom) {
  const m = menu.m, a = m.fields, A = menu.A, T = m.barH;
  fill(c, 0, T + top, A, bottom - top, a.colour(AP_BG));
  for (const { entry, y, h, depth, kind } of menu.rows) {
    if (y + h <= T + top || y >= T + bottom) continue;
    if (depth === 1) {
      const state = menu.stateOf(entry), s = STATE_BLOCK[state];
      itemFace(c, a, state, 0, y, A, h);
      menu.captionLook(entry, state);
      if (entry.popup) arrow(c, A, y, h, entry.popup.expanded, a.colour(s + S_FG));
    } else if (kind === 'separator') {
      const x0 = 16 * (depth - 1) + 4;
      fill(c, 0, y, A, h, POPUP_FACE);
      fill(c, x0, y + 3, A - 4 - x0, 1, SEPARATOR);
      fill(c, x0, y + 4, A - 4 - x0, 1, WHITE);
    } else {
      const lit = menu.hot === entry.el || menu.keyFocus === entry.el;
      fill(c, 0, y, A, h, lit ? HIGHLIGHT : POPUP_FACE);
      if (entry.el.classList.contains('zv-h') !== lit) entry.el.classList.toggle('zv-h', lit);
      if (entry.child) arrow(c, A, y, h, entry.child.expanded, lit ? WHITE : BLACK);
    }
    if (entry.el && menu.keyFocus === entry.el) focusRing(c, 0, y, A, h);
  }
}
// A branch's arrow: rows 7, 5, 3 and 1 pixels wide ending 16 pixels from the right edge,
// pointing down while collapsed, up while expanded.
function arrow(c, A, y, h, up, colour) {
  const cy = y + Math.floor(h / 2);
  for (let i = 0; i < 4; i++) fill(c, A - 23 + i, up ? cy + 1 - i : cy - 2 + i, 7 - 2 * i, 1, colour);
}
