/* zorvex.js: turns Tarvelle's applet tags into working menus, drawn as the editor's live preview
 * draws them. One file without dependencies and nothing inline (it runs under the content policy
 * default-src 'self'). Sections: read, layout, paint, elements, behaviour, narrow form. */
((global) => {
'use strict';
const doc = global.document;
// A second copy of the script (two pasted fragments) keeps the first one's menus and registry.
if (global.zorvex && typeof global.zorvex.upgrade === 'function') {
  if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', () => global.zorvex.upgrade());
  else global.zorvex.upgrade();
  return;
}

/* ---- Read: the tag's parameters, the 96 applet fields and the menu they describe ---- */

const DEFAULTS = ('0|FFFFFF|000000||0|0|0||Loading...|000000|FFFFFF|5|0|3|0|F4BE1A|FFFFFF|' +
  '000000|000000|0|0|0|0|0|FFFFFF|1|40|20|80|20|0|FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|D0AC1A|' +
  '0|14|0|0|1|FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|FDCD5E|0|14|0|0|1|FFFFFF|FFFFFF|0|0|0|0|' +
  '000000|0|5|0|4|0|FDCD5E|0|14|0|0|1|400|60|0|0|0|0|0|0|0|14|0').split('|');
const AP_BG = 2, AP_IMAGE = 4, AP_PLACE = 5, AP_IMAGE_X = 6, AP_IMAGE_Y = 7, LOAD_TEXT = 9,
  LOAD_FG = 10, LOAD_BG = 11, AP_BORDER_W = 12, AP_BORDER_STYLE = 14, AP_BORDER_COLOUR = 16,
  AP_FADE = 17, MENU_BG = 18, MENU_FADE = 19, MENU_CLEAR = 20, MENU_BORDER_W = 21,
  MENU_BORDER_STYLE = 23, MENU_BORDER_COLOUR = 25, MENU_HORIZONTAL = 26, MENU_X = 27, MENU_Y = 28,
  ITEM_W = 29, ITEM_H = 30, ITEM_GAP = 31, AP_W = 86, AP_H = 87, AP_GRADIENT = 88,
  MENU_GRADIENT = 89, STATE_GRADIENT = 90, POPUP_FONT = 94, POPUP_SIZE = 95;
// Each item state's block (normal, mouse over, clicked) and the offsets in it.
const STATE_BLOCK = [32, 50, 68];
const S_FADE = 1, S_PLACE = 2, S_IMAGE_X = 3, S_IMAGE_Y = 4, S_CLEAR = 5, S_FG = 6,
  S_BORDER_W = 8, S_BORDER_STYLE = 10, S_BORDER_COLOUR = 12, S_FONT = 13, S_OFFSET = 16, S_ALIGN = 17;
// A first-level item's fields, from 0.
const I_URL = 1, I_TARGET = 2, I_STATUS = 3, I_IMAGES = 4, I_SOUNDS = 7, I_OFFSET_X = 9, I_OFFSET_Y = 10;
const FAMILIES = ['serif', 'sans-serif', 'monospace', 'sans-serif'];

// Optional minus and digits only, inside [lo, hi]; otherwise the fallback.
function toInt(text, lo, hi, fallback) {
  const n = /^-?\d+$/.test(text) ? Number(text) : NaN;
  return n >= lo && n <= hi ? n : fallback;
}
function toRgb(hex) {
  const n = parseInt(hex, 16);
  return [n >> 16, (n >> 8) & 255, n & 255];
}

class Fields {
  constructor(app) { this.values = app === undefined ? [] : app.split('|'); }
  raw(k) { return this.values[k - 1] === undefined ? DEFAULTS[k - 1] : this.values[k - 1]; }
  int(k, lo, hi) { return toInt(this.raw(k), lo, hi, Number(DEFAULTS[k - 1])); }
  pos(k) { return this.int(k, -9999, 9999); }
  size(k) { return this.int(k, 0, 9999); }
  flag(k) { return this.raw(k) === '1'; }
  colour(k) { return toRgb(/^[0-9a-f]{6}$/i.test(this.raw(k)) ? this.raw(k) : DEFAULTS[k - 1]); }
  borderWidth(width, style) { return this.int(style, 0, 4) ? this.size(width) : 0; }
  font(k) {
    const style = this.int(k + 2, 0, 3);
    return (style & 2 ? 'italic ' : '') + (style & 1 ? 'bold ' : '') + this.int(k + 1, 1, 999) +
      'px ' + FAMILIES[this.int(k, 0, 3)];
  }
}

function readParams(applet) {
  const params = new Map(), list = applet.getElementsByTagName('param');
  for (let i = 0; i < list.length; i++) {
    const name = (list[i].getAttribute('name') || '').toLowerCase();
    if (!params.has(name)) params.set(name, list[i].getAttribute('value') || '');
  }
  return params;
}

function readItems(params) {
  const items = [];
  for (let b = 0; params.has('i0-' + b); b++) {
    const f = params.get('i0-' + b).split('|');
    const at = (i, fallback) => (f[i] === undefined ? fallback : f[i]);
    items.push({
      caption: f[0], url: at(I_URL, ''), target: at(I_TARGET, '_self'), status: at(I_STATUS, ''),
      images: [at(I_IMAGES, ''), at(I_IMAGES + 1, ''), at(I_IMAGES + 2, '')],
      sounds: [at(I_SOUNDS, ''), at(I_SOUNDS + 1, '')],
      ox: toInt(at(I_OFFSET_X), -9999, 9999, 5), oy: toInt(at(I_OFFSET_Y), -9999, 9999, 5),
      popup: params.has('btn' + b + 'mn0it0') ? readPopups(params, b) : null
    });
  }
  return items;
}

// Popup 0 of branch b and all below it, without recursion. A popup is opened by one row only:
// a later reference (a cycle, or one the editor never writes) is a plain row.
function readPopups(params, b) {
  const used = new Set(['0']), root = readPopup(params, b, '0', [b]), todo = [root];
  while (todo.length) {
    const pp = todo.pop();
    pp.rows.forEach((r, i) => {
      if (!r.ref) return;
      if (used.has(r.ref)) {
        r.kind = 'item';
        return;
      }
      used.add(r.ref);
      r.child = readPopup(params, b, r.ref, pp.path.concat(i));
      r.child.parent = pp;
      r.child.opener = r;
      todo.push(r.child);
    });
  }
  return root;
}
function readPopup(params, b, m, path) {
  const pp = { path, rows: [] }, prefix = 'btn' + b + 'mn';
  for (let i = 0, key; params.has(key = prefix + m + 'it' + i); i++) {
    const v = params.get(key), low = v.toLowerCase(), ref = low.slice(prefix.length);
    let r;
    if (v.indexOf('|') < 0 && low.startsWith(prefix) && /^\d+$/.test(ref) && params.has(low + 'it0')) {
      r = { caption: params.get(low) || '', url: '', target: '_self', kind: 'submenu', ref };
    } else {
      const f = v.split('|');
      r = { caption: f[0], url: f[1] === undefined ? '' : f[1], target: f[2] === undefined ? '_self' : f[2] };
      r.kind = r.caption === '-' ? 'separator' : 'item';
    }
    r.popup = pp;
    pp.rows.push(r);
  }
  return pp;
}

/* ---- Layout: positions before popups are kept in view; widths measured when first needed ---- */

function placeMenu(m) {
  const a = m.fields, n = m.items.length, P = a.int(POPUP_SIZE, 1, 999);
  const horizontal = a.int(MENU_HORIZONTAL, 0, 1) !== 0, mb = a.borderWidth(MENU_BORDER_W, MENU_BORDER_STYLE);
  const mx = a.pos(MENU_X), my = a.pos(MENU_Y), iw = a.size(ITEM_W), ih = a.size(ITEM_H), g = a.pos(ITEM_GAP);
  Object.assign(m, {
    W: a.size(AP_W), H: a.size(AP_H), popupFont: a.font(POPUP_FONT), rowH: Math.max(24, P + 8),
    narrowRowH: Math.max(44, P + 8), barH: Math.max(44, ih), popups: []
  });
  m.menuBox = !n ? null : horizontal ? [mx, my, 2 * mb + n * iw + (n - 1) * g, 2 * mb + ih]
    : [mx, my, 2 * mb + iw, 2 * mb + n * ih + (n - 1) * g];
  m.items.forEach((it, k) => {
    const x = mx + mb + (horizontal ? k * (iw + g) : 0), y = my + mb + (horizontal ? 0 : k * (ih + g));
    it.r = [x, y, iw, ih];
    if (!it.popup) return;
    it.popup.x = horizontal ? x + it.ox : x + iw + it.ox;
    const stack = [[it.popup, horizontal ? y + ih + it.oy : y + it.oy]];
    while (stack.length) {
      const [pp, py] = stack.pop();
      let ry = py + 3;
      for (const r of pp.rows) {
        r.y = ry;
        r.h = r.kind === 'separator' ? 7 : m.rowH;
        ry += r.h;
      }
      pp.y = py;
      pp.h = ry + 3 - py;
      m.popups.push(pp);
      // Last row first, so that deeper popups come out in pre-order.
      for (let i = pp.rows.length - 1; i >= 0; i--) if (pp.rows[i].child) stack.push([pp.rows[i].child, pp.rows[i].y - 3]);
    }
  });
}

function popupBox(m, pp) {
  if (!pp.box) {
    m.measure.font = m.popupFont;
    let widest = 0;
    for (const r of pp.rows) {
      if (r.kind !== 'separator') widest = Math.max(widest, Math.ceil(m.measure.measureText(r.caption).width));
    }
    const parent = pp.parent && popupBox(m, pp.parent);
    pp.box = [parent ? parent[0] + parent[2] - 3 : pp.x, pp.y, Math.max(80, 30 + widest), pp.h];
  }
  return pp.box;
}

function wideRecord(m) {
  return JSON.parse(JSON.stringify({
    applet: [0, 0, m.W, m.H], menu: m.menuBox, items: m.items.map((it) => it.r),
    popups: m.popups.map((pp) => ({ path: pp.path, box: popupBox(m, pp), rows: pp.rows.map((r) => [r.y, r.h, r.kind]) }))
  }));
}

/* ---- Paint: the canvas, pixel for pixel as the preview ---- */

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
// rows inside the area being repainted (rows) are filled.
let rows = null;
function background(c, x, y, w, h, A, B) {
  if (!B) return fill(c, x, y, w, h, A);
  const from = rows ? Math.max(0, rows[0] - y) : 0, to = rows ? Math.min(h, rows[1] - y) : h;
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
function image(c, img, how, X, Y, ax, ay, AW, AH) {
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
// A caption from its left edge x, centred vertically in its clip rectangle.
function text(c, s, font, colour, x, [cx, cy, cw, ch]) {
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
function paintWide(menu) {
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
  rows = [ay, ay + ah];
  background(c, 0, 0, W, H, a.colour(AP_BG), a.flag(AP_GRADIENT) && a.colour(AP_FADE));
  image(c, menu.images.get(a.raw(AP_IMAGE)), a.int(AP_PLACE, 0, 5), a.pos(AP_IMAGE_X), a.pos(AP_IMAGE_Y), 0, 0, W, H);
  border(c, 0, 0, W, H, a.int(AP_BORDER_STYLE, 0, 4), a.size(AP_BORDER_W), a.colour(AP_BORDER_COLOUR));
  if (b) {
    if (!a.flag(MENU_CLEAR)) background(c, b[0], b[1], b[2], b[3], a.colour(MENU_BG), a.flag(MENU_GRADIENT) && a.colour(MENU_FADE));
    border(c, b[0], b[1], b[2], b[3], a.int(MENU_BORDER_STYLE, 0, 4), a.size(MENU_BORDER_W), a.colour(MENU_BORDER_COLOUR));
  }
  m.items.forEach((it, k) => {
    const [x, y, w, h] = it.r, state = looks[k] % 3, s = STATE_BLOCK[state];
    if (x >= ax + aw || y >= ay + ah || x + w <= ax || y + h <= ay) return;
    if (!a.flag(s + S_CLEAR)) background(c, x, y, w, h, a.colour(s), a.flag(STATE_GRADIENT + state) && a.colour(s + S_FADE));
    image(c, menu.images.get(it.images[state]), a.int(s + S_PLACE, 0, 5), a.pos(s + S_IMAGE_X), a.pos(s + S_IMAGE_Y), x, y, w, h);
    border(c, x, y, w, h, a.int(s + S_BORDER_STYLE, 0, 4), a.size(s + S_BORDER_W), a.colour(s + S_BORDER_COLOUR));
    const bw = a.borderWidth(s + S_BORDER_W, s + S_BORDER_STYLE), o = a.pos(s + S_OFFSET);
    const align = a.int(s + S_ALIGN, 0, 2), font = a.font(s + S_FONT);
    c.font = font;
    const tw = c.measureText(it.caption).width;
    const tx = align === 0 ? x + bw + 2 + o : align === 1 ? x + Math.floor((w - tw) / 2) + o : x + w - bw - 2 - tw - o;
    text(c, it.caption, font, a.colour(s + S_FG), tx, [x + bw, y + bw, w - 2 * bw, h - 2 * bw]);
    if (looks[k] > 2) focusRing(c, x, y, w, h);
  });
  rows = null;
}

/* ---- Elements: real links, buttons and lists, every list in the page from the start ---- */

const registry = { menus: new WeakMap(), live: new Set(), scrolling: new Set(), entries: new WeakMap(), uid: 0 };

function uniqueId() {
  let id;
  do id = 'zorvex-' + (++registry.uid); while (doc.getElementById(id));
  return id;
}
function element(tag, className, parent) {
  const el = doc.createElement(tag);
  if (className) el.className = className;
  if (parent) parent.appendChild(el);
  return el;
}
function setVars(el, vars) {
  for (const name in vars) el.style.setProperty('--' + name, vars[name] + 'px');
}
// The popup an entry opens: a row's child, a first-level item's own popup.
const opens = (entry) => (entry.kind ? entry.child : entry.popup);

// A link, or a button controlling the list of the popup the entry opens.
function control(entry, className, li) {
  const pp = opens(entry), el = element(pp ? 'button' : 'a', className, li);
  el.textContent = entry.caption;
  el.dir = 'auto';
  if (pp) {
    el.type = 'button';
    el.setAttribute('aria-expanded', 'false');
    el.setAttribute('aria-controls', pp.id = uniqueId());
    pp.control = el;
  } else if (entry.url) {
    el.href = entry.url;
    el.target = entry.target;
    // A page opened in another window or frame gets no hold on this one.
    if (!/^(_self|_parent|_top|)$/i.test(entry.target)) el.rel = 'noopener';
  } else el.tabIndex = 0;
  entry.el = el;
  registry.entries.set(el, entry);
  return el;
}

function buildList(m, pp, li, depth) {
  const ul = pp.ul = element('ul', 'zv-p', li);
  ul.id = pp.id;
  ul.hidden = true;
  ul.style.setProperty('--d', depth);
  for (const r of pp.rows) {
    const row = element('li', null, ul);
    if (r.kind === 'separator') {
      row.className = 'zv-s';
      element('div', null, row).setAttribute('role', 'separator');
      continue;
    }
    // A row opening a popup carries the arrow as a pseudo-element of the style sheet.
    control(r, r.child ? 'zv-r zv-a' : 'zv-r', row);
    if (r.child) buildList(m, r.child, row, depth + 1);
  }
}

function canvas(parent) {
  const cv = element('canvas', null, parent), c = cv.getContext('2d');
  cv.setAttribute('aria-hidden', 'true');
  c.direction = 'ltr';
  return c;
}

function build(menu) {
  const m = menu.m, box = menu.box = element('div', 'zorvex');
  box.dir = 'ltr';
  menu.c = m.measure = canvas(box);
  const nav = element('nav', null, box);
  nav.setAttribute('aria-label', 'Menu');
  const button = menu.button = element('button', 'zv-b', nav);
  button.type = 'button';
  button.textContent = 'Menu';
  button.setAttribute('aria-expanded', 'false');
  registry.entries.set(button, menu);
  menu.list = element('div', 'zv-l', nav);
  menu.lc = canvas(menu.list);
  const ul = menu.ul = element('ul', 'zv-top', menu.list);
  button.setAttribute('aria-controls', ul.id = uniqueId());
  for (const it of m.items) {
    const li = element('li', null, ul), el = control(it, 'zv-i', li);
    const [x, y, w, h] = it.r, l = Math.max(x, 0), t = Math.max(y, 0);
    // Over the item's part of the applet area.
    setVars(el, { x: l, y: t, w: Math.max(0, Math.min(x + w, m.W) - l), h: Math.max(0, Math.min(y + h, m.H) - t) });
    if (it.status) el.title = it.status;
    if (it.popup) buildList(m, it.popup, li, 2);
  }
  setVars(box, { rh: m.rowH, nh: m.narrowRowH, t: m.barH, at: Math.floor(m.rowH / 2) - 3 });
  box.style.setProperty('--pf', m.popupFont);
  box.style.setProperty('--bg', `rgb(${m.fields.colour(AP_BG)})`);
}

// One style sheet for every menu, adopted by the document: no markup styles.
const STYLE = '.zorvex{position:relative;display:inline-block;vertical-align:top;direction:ltr;' +
  'text-align:left}.zorvex canvas{position:absolute;left:0;top:0}.zorvex [hidden]{display:none!important}' +
  '.zorvex ul{list-style:none;margin:0;padding:0}.zorvex li{display:block;margin:0;padding:0}' +
  '.zv-l{position:absolute;left:0;top:0;width:100%;height:100%}.zv-top{position:relative}' +
  '.zv-i,.zv-r,.zv-b{display:block;margin:0;padding:0;border:0;background:none;font:inherit;' +
  'text-align:left;text-decoration:none;outline:0;appearance:none;overflow:clip;white-space:pre;' +
  'cursor:default;box-sizing:border-box;color:transparent}.zv-b{display:none}' +
  '.zv-w .zv-i{position:absolute;left:var(--x);top:var(--y);width:var(--w);height:var(--h)}' +
  '.zv-w .zv-p{position:absolute;box-sizing:border-box;left:var(--x);top:var(--y);width:var(--w);' +
  'height:var(--h);padding:2px;border:1px solid #808080;background:#F0F0F0;z-index:99999;font:var(--pf)}' +
  '.zv-w .zv-s{height:7px;box-sizing:border-box;padding-top:3px}.zv-w .zv-s>div{margin-left:1px;' +
  'width:calc(100% - 2px);height:0;border-top:1px solid #A0A0A0;border-bottom:1px solid #FFF}' +
  '.zv-w .zv-r{position:relative;width:100%;height:var(--rh);line-height:var(--rh);padding-left:5px;' +
  'color:#000}.zv-w .zv-r:hover,.zv-w .zv-r:focus,.zv-w .zv-r.zv-o{background:#316AC5;color:#FFF}' +
  '.zv-w .zv-r:focus-visible{box-shadow:inset 0 0 0 1px #000,inset 0 0 0 2px #FFF}' +
  // The arrow: four columns, 7, 5, 3 and 1 pixels high, the tallest 8 pixels from the edge.
  '.zv-a::after{content:"";position:absolute;right:5px;top:var(--at);width:4px;height:7px;' +
  'background:' + [0, 1, 2, 3].map((i) => `linear-gradient(currentColor,currentColor) ${i}px ${i}px/1px ${7 - 2 * i}px no-repeat`).join() +
  '}.zv-n .zv-b{position:absolute;width:var(--t);height:var(--t)}' +
  '.zv-n .zv-b,.zv-n .zv-l{display:block}.zv-n .zv-l{top:var(--t);height:auto;z-index:99999;background:var(--bg)}' +
  '.zv-n .zv-i,.zv-n .zv-r{width:100%}.zv-n .zv-i{height:var(--t);padding-left:16px;line-height:var(--t)}.zv-n .zv-r{height:var(--nh);' +
  'line-height:var(--nh);padding-left:calc(16px * (var(--d) - 1) + 16px);font:var(--pf)}' +
  '.zv-n .zv-s{height:7px}.zv-n .zv-s>div,.zv-n .zv-a::after{display:none}' +
  '@media (forced-colors:active){.zorvex canvas{display:none}.zv-i,.zv-r,.zv-b,.zv-n .zv-l{' +
  'color:CanvasText;background:Canvas;border:1px solid CanvasText}.zv-w .zv-i{display:flex;' +
  'align-items:center;justify-content:center}.zv-w .zv-r:hover,.zv-w .zv-r:focus,.zv-r.zv-o{' +
  'forced-color-adjust:none;background:Highlight;color:HighlightText}.zv-i:focus-visible,' +
  '.zv-r:focus-visible,.zv-b:focus-visible{outline:2px solid Highlight;outline-offset:-3px}' +
  // The arrow in the row's own forced colour: which rows open a popup stays visible.
  '.zv-a::after{forced-color-adjust:none}}';

function addStyle() {
  if (registry.styled) return;
  registry.styled = true;
  try {
    const sheet = new global.CSSStyleSheet();
    sheet.replaceSync(STYLE);
    doc.adoptedStyleSheets = doc.adoptedStyleSheets.concat(sheet);
  } catch (e) {
    element('style', null, doc.head || doc.documentElement).textContent = STYLE;
  }
}

/* ---- Behaviour: pointer, keys, popups; the window's resizes, scrolls and pixel ratio ---- */

const controlOf = (target) => target && target.closest && target.closest('.zv-i,.zv-r,.zv-b');

class Menu {
  constructor(applet) {
    const params = readParams(applet);
    this.applet = applet;
    this.m = { fields: new Fields(params.get('app')), items: readItems(params) };
    placeMenu(this.m);
    this.hot = this.pressed = this.keyFocus = this.open = null;
    this.chain = [];
    this.rows = [];
    this.images = new Map();
    this.narrow = false;
    this.A = this.m.W;
    build(this);
    this.listen();
    addStyle();
    applet.replaceWith(this.box);
    registry.menus.set(this.box, this);
    registry.menus.set(applet, this);
    this.fit(true);
    this.loadImages();
  }
  listen() {
    const on = (type, handler) => this.box.addEventListener(type, handler.bind(this));
    on('pointerover', this.pointerOver);
    on('pointerout', this.pointerOut);
    on('pointerdown', this.pointerDown);
    on('pointerup', this.pointerUp);
    on('click', this.click);
    on('keydown', this.key);
    on('focusin', this.focusIn);
    on('focusout', this.focusOut);
    on('mousedown', this.keepFocus);
  }

  // Normal, mouse over (pointed at, or focused from the keyboard) or clicked (held, or open).
  stateOf(entry) {
    const el = entry === this ? this.button : entry.el;
    const open = entry === this ? this.listOpen : this.narrow ? entry.popup && entry.popup.expanded : this.open === entry;
    if (this.pressed === el || open) return 2;
    return this.hot === el || this.keyFocus === el ? 1 : 0;
  }
  paint() {
    this.c.setTransform(this.scale, 0, 0, this.scale, 0, 0);
    if (!this.narrow) return paintWide(this);
    paintBar(this);
    this.paintList();
  }
  sizeCanvas(canvas, w, h) {
    const dpr = this.scale = global.devicePixelRatio || 1;
    const bw = Math.round(w * dpr), bh = Math.round(h * dpr);
    if (canvas.width !== bw) canvas.width = bw;
    if (canvas.height !== bh) canvas.height = bh;
    canvas.style.width = w + 'px';
    canvas.style.height = h + 'px';
  }
  // The room the page gives decides between the applet area and the narrow form.
  fit(first) {
    const A = this.availableWidth(), narrow = A < this.m.W;
    const same = narrow === this.narrow && (!narrow || A === this.A) && this.scale === global.devicePixelRatio;
    if (!first && same) return this.place();
    if (narrow !== this.narrow || first) this.reset(narrow);
    this.A = narrow ? A : this.m.W;
    this.redraw();
  }
  redraw() {
    const w = this.A, h = this.narrow ? this.m.barH : this.m.H;
    this.drawn = null;
    this.box.style.width = w + 'px';
    this.box.style.height = h + 'px';
    this.sizeCanvas(this.c.canvas, w, h);
    this.paint();
  }
  reset(narrow) {
    this.closeAll();
    for (const pp of this.m.popups) {
      pp.expanded = false;
      pp.ul.hidden = true;
      pp.control.setAttribute('aria-expanded', 'false');
    }
    this.narrow = narrow;
    this.box.classList.toggle('zv-n', narrow);
    this.box.classList.toggle('zv-w', !narrow);
    this.list.hidden = this.ul.hidden = narrow;
    this.listOpen = false;
    this.rows = narrow ? narrowRows(this.m, (pp) => pp.expanded) : [];
  }
  isOpen() { return this.narrow ? this.listOpen : this.chain.length > 0; }
  closeAll() {
    if (this.narrow) this.showList(false);
    else this.closeFrom(0);
  }

  // A popup opens beside its opener, kept in the window.
  show(pp) {
    const m = this.m, { width: vw, height: vh } = viewport(), o = this.box.getBoundingClientRect();
    const par = pp.parent, b = popupBox(m, pp);
    let x = b[0], y = b[1];
    if (par) {
      x = par.at[0] + par.box[2] - 3;
      y = par.at[1] + pp.opener.y - par.box[1] - 3;
      if (o.left + x + b[2] > vw) x = par.at[0] - b[2] + 3;
    } else if (o.left + x + b[2] > vw) x = Math.max(vw - b[2], 0) - o.left;
    if (o.top + y + b[3] > vh) y = Math.max(vh - b[3], 0) - o.top;
    pp.at = [x, y];
    setVars(pp.ul, { x: x - (par ? par.at[0] + 1 : 0), y: y - (par ? par.at[1] + 1 : 0), w: b[2], h: b[3] });
    pp.ul.hidden = false;
    pp.control.setAttribute('aria-expanded', 'true');
    if (par) pp.control.classList.add('zv-o');
    else this.open = m.items[pp.path[0]];
    if (this.chain.indexOf(pp) < 0) this.chain.push(pp);
  }
  closeFrom(i) {
    const closed = this.chain.splice(i);
    if (!closed.length) return;
    for (const pp of closed) {
      pp.ul.hidden = true;
      pp.control.setAttribute('aria-expanded', 'false');
      pp.control.classList.remove('zv-o');
    }
    if (!i) this.open = null;
    this.paint();
  }
  // Resting on or choosing a row opens its popup and closes any other below the same popup.
  openRow(r) {
    const i = this.chain.indexOf(r.popup);
    if (i < 0 || this.chain[i + 1] === r.child) return;
    this.closeFrom(i + 1);
    if (r.child) this.show(r.child);
  }
  toggleItem(it) {
    const was = this.open === it;
    this.closeFrom(0);
    if (it.popup && !was) this.show(it.popup);
  }
  place() {
    if (!this.narrow) this.chain.slice().forEach((pp) => this.show(pp));
    this.paint();
  }

  pointerOver(e) {
    const el = controlOf(e.target);
    if (e.pointerType === 'touch' || el === this.hot) return;
    this.hot = el;
    const entry = el && registry.entries.get(el);
    if (entry && entry.sounds) play(entry.sounds[0]);
    if (entry && !this.narrow && entry.r && this.open && this.open !== entry) {
      this.closeFrom(0);
      if (entry.popup) this.show(entry.popup);
    } else if (entry && !this.narrow && entry.kind) {
      clearTimeout(this.timer);
      this.timer = setTimeout(() => this.openRow(entry), 150);
    }
    this.paint();
  }
  pointerOut(e) {
    const el = controlOf(e.target);
    if (el && controlOf(e.relatedTarget) !== el) clearTimeout(this.timer);
    if (this.box.contains(e.relatedTarget)) return;
    this.hot = this.pressed = null;
    this.paint();
  }
  pointerDown(e) {
    const el = controlOf(e.target);
    if (e.button || !el) return;
    this.pressed = el;
    const entry = registry.entries.get(el);
    if (entry.sounds) play(entry.sounds[1]);
    this.paint();
  }
  pointerUp() {
    this.pressed = null;
    this.paint();
  }
  click(e) {
    const el = controlOf(e.target), entry = el && registry.entries.get(el);
    if (!entry) return;
    this.pressed = null;
    clearTimeout(this.timer);
    if (entry === this) this.showList(!this.listOpen);
    else if (this.narrow) {
      if (opens(entry)) this.toggleBranch(opens(entry));
      else this.showList(false);
    } else if (entry.r) this.toggleItem(entry);
    else if (entry.child) this.openRow(entry);
    else this.closeFrom(0);
    this.paint();
  }
  // Keyboard focus only: a click or a tap focuses too, but is no mouse-over.
  focusIn(e) {
    const el = controlOf(e.target);
    this.keyFocus = el && el.matches(':focus-visible') ? el : null;
    this.paint();
  }
  focusOut(e) {
    this.keyFocus = null;
    const hidden = !e.relatedTarget && e.target.closest('[hidden]');
    if (!hidden && !this.box.contains(e.relatedTarget)) this.closeAll();
    this.paint();
  }
  // A press on the menu's own surface keeps the focus where it is.
  keepFocus(e) {
    if (!controlOf(e.target)) e.preventDefault();
  }
  key(e) {
    if (this.narrow ? this.narrowKey(e) : this.wideKey(e)) e.preventDefault();
  }
  // Escape (Left Arrow in a deeper popup) closes the innermost popup; Right Arrow on a row or
  // Down Arrow on an item opens its popup and enters it; Up and Down move between rows.
  wideKey(e) {
    const el = controlOf(e.target), entry = el && registry.entries.get(el), ch = this.chain;
    const inner = ch[ch.length - 1], sub = entry && opens(entry), here = entry && entry.kind ? entry.popup : null;
    const rows = (pp) => pp.rows.filter((r) => r.el).map((r) => r.el);
    if (e.key === 'Escape' || (e.key === 'ArrowLeft' && here && here.parent)) {
      if (!inner) return false;
      inner.control.focus();
      this.closeFrom(ch.indexOf(inner));
    } else if (sub && (e.key === 'ArrowRight' ? here : e.key === 'ArrowDown' && !here)) {
      if (ch.indexOf(sub) < 0) el.click();
      if (rows(sub).length) rows(sub)[0].focus();
    } else if ((e.key === 'ArrowDown' || e.key === 'ArrowUp') && here) {
      const list = rows(here), i = list.indexOf(el), d = e.key === 'ArrowDown' ? 1 : -1;
      list[(i + d + list.length) % list.length].focus();
    } else return false;
    return true;
  }

  loadImages() {
    const names = [this.m.fields.raw(AP_IMAGE)];
    let left = 0;
    this.m.items.forEach((it) => names.push(...it.images));
    const finish = () => {
      if (!this.loading) return;
      this.loading = false;
      this.drawn = null;
      this.paint();
    };
    for (const name of names) {
      const url = resolve(name);
      if (!url || this.images.has(name)) continue;
      const img = new Image();
      left++;
      img.onload = img.onerror = () => {
        if (!--left) finish();
      };
      img.src = url;
      this.images.set(name, img);
    }
    this.loading = left > 0;
    this.paint();
    if (left) setTimeout(finish, 3000);
  }
  destroy() {
    clearTimeout(this.timer);
    registry.live.delete(this);
    registry.scrolling.delete(this);
    if (this.box.parentElement) registry.resizes.unobserve(this.box.parentElement);
    this.box.replaceWith(this.applet);
    registry.menus.delete(this.box);
    registry.menus.delete(this.applet);
    if (!registry.live.size) documentListeners(false);
  }
}

// The listeners on the document and the window serve every menu.
function pressOutside(e) {
  for (const menu of registry.live) if (menu.isOpen() && !menu.box.contains(e.target)) menu.closeAll();
}
function windowResized() {
  for (const menu of registry.live) menu.fit(false);
}
function pageScrolled() {
  if (registry.frame) return;
  registry.frame = global.requestAnimationFrame(() => {
    registry.frame = 0;
    for (const menu of registry.scrolling) menu.paintList();
  });
}
// Zoom changes the pixel ratio: every canvas is drawn again at the new one.
function watchPixelRatio() {
  const query = global.matchMedia && global.matchMedia(`(resolution: ${global.devicePixelRatio || 1}dppx)`);
  if (!query || !query.addEventListener) return;
  const changed = () => {
    query.removeEventListener('change', changed);
    if (registry.listening) watchPixelRatio();
    for (const menu of registry.live) menu.redraw();
  };
  query.addEventListener('change', changed);
  registry.ratio = { query, changed };
}
function documentListeners(on) {
  if (registry.listening === on) return;
  registry.listening = on;
  const method = on ? 'addEventListener' : 'removeEventListener';
  doc[method]('pointerdown', pressOutside, true);
  global[method]('resize', windowResized);
  global[method]('scroll', pageScrolled, { passive: true });
  if (on) watchPixelRatio();
  else if (registry.ratio) registry.ratio.query.removeEventListener('change', registry.ratio.changed);
}
registry.resizes = global.ResizeObserver
  ? new global.ResizeObserver((list) => list.forEach((e) => {
    for (const menu of registry.live) if (menu.box.parentElement === e.target) menu.fit(false);
  }))
  : { observe() {}, unobserve() {} };

// The window's size without scroll bars (in a page without a doctype too).
function viewport() {
  const root = doc.compatMode === 'CSS1Compat' ? doc.documentElement : doc.body || doc.documentElement;
  return {
    width: Math.min(global.innerWidth, root.clientWidth || global.innerWidth),
    height: Math.min(global.innerHeight, root.clientHeight || global.innerHeight)
  };
}
function resolve(name) {
  if (!name || name === '.' || name === '..' || /[/\\:]/.test(name)) return null;
  return new URL(encodeURIComponent(name), doc.baseURI).href;
}
function play(name) {
  const url = resolve(name);
  try {
    const playing = url && new Audio(url).play();
    if (playing) playing.catch(() => {});
  } catch (e) {
    // A sound that cannot be played is skipped.
  }
}

function upgrade(root) {
  // Menus of a document written anew are gone, and so are its listeners.
  for (const menu of registry.live) if (!menu.box.isConnected) registry.live.delete(menu);
  if (!registry.live.size) registry.listening = false;
  const applets = (root || doc).querySelectorAll('applet');
  for (let i = 0; i < applets.length; i++) {
    const el = applets[i];
    if (!/^zorvex\.class$/i.test(el.getAttribute('code') || '') || registry.menus.has(el)) continue;
    try {
      const menu = new Menu(el);
      registry.live.add(menu);
      documentListeners(true);
      if (menu.box.parentElement) registry.resizes.observe(menu.box.parentElement);
    } catch (e) {
      // One menu that cannot be drawn leaves the others working.
      if (global.console) global.console.error('zorvex: a menu could not be drawn', el, e);
    }
  }
}
function find(el) {
  for (; el; el = el.parentNode) if (registry.menus.has(el)) return registry.menus.get(el);
  return null;
}
global.zorvex = {
  upgrade,
  layout(el, options) {
    const menu = find(el);
    if (!menu) return null;
    return options && options.width !== undefined ? narrowRecord(menu.m, options.width) : wideRecord(menu.m);
  },
  destroy(el) {
    const menu = find(el);
    if (menu) menu.destroy();
    return !!menu;
  }
};

/* ---- Narrow form: below the applet's width, a bar with a menu button and a list of rows ---- */

// Rows in pre-order below the bar; expanded(popup) says which branches show their rows.
function narrowRows(m, expanded) {
  const rows = [];
  let y = m.barH;
  const add = (entry, path, kind, h) => {
    rows.push({ entry, path, kind, y, h, depth: path.length });
    y += h;
  };
  const visit = (pp) => pp.rows.forEach((r, i) => {
    const path = pp.path.concat(i);
    if (r.kind === 'separator') return add(r, path, 'separator', 7);
    add(r, path, r.child ? 'branch' : 'item', m.narrowRowH);
    if (r.child && expanded(r.child)) visit(r.child);
  });
  m.items.forEach((it, b) => {
    add(it, [b], it.popup ? 'branch' : 'item', m.barH);
    if (it.popup && expanded(it.popup)) visit(it.popup);
  });
  return rows;
}
function narrowRecord(m, A) {
  const T = m.barH;
  return {
    width: A, bar: [0, 0, A, T], button: [0, 0, T, T],
    rows: narrowRows(m, () => true).map((r) => ({ path: r.path.slice(), box: [0, r.y, A, r.h], kind: r.kind, depth: r.depth }))
  };
}

// The bar, and its menu button: three bars 18 x 2 in the state's caption colour.
function paintBar(menu) {
  const { c, m } = menu, a = m.fields, T = m.barH, state = menu.stateOf(menu);
  background(c, 0, 0, menu.A, T, a.colour(AP_BG), a.flag(AP_GRADIENT) && a.colour(AP_FADE));
  itemFace(c, a, state, 0, 0, T, T);
  for (let i = 0; i < 3; i++) fill(c, Math.floor((T - 18) / 2), Math.floor((T - 14) / 2) + 6 * i, 18, 2, a.colour(STATE_BLOCK[state] + S_FG));
  if (menu.keyFocus === menu.button) focusRing(c, 0, 0, T, T);
}
// The rows between list heights top and bottom.
function paintRows(menu, c, top, bottom) {
  const m = menu.m, a = m.fields, A = menu.A, T = m.barH;
  fill(c, 0, T + top, A, bottom - top, a.colour(AP_BG));
  for (const { entry, y, h, depth, kind } of menu.rows) {
    if (y + h <= T + top || y >= T + bottom) continue;
    if (depth === 1) {
      const state = menu.stateOf(entry), s = STATE_BLOCK[state], bw = a.borderWidth(s + S_BORDER_W, s + S_BORDER_STYLE);
      itemFace(c, a, state, 0, y, A, h);
      text(c, entry.caption, a.font(s + S_FONT), a.colour(s + S_FG), bw + 16, [bw, y + bw, A - 2 * bw, h - 2 * bw]);
      if (entry.popup) arrow(c, A, y, h, entry.popup.expanded, a.colour(s + S_FG));
    } else if (kind === 'separator') {
      const x0 = 16 * (depth - 1) + 4;
      fill(c, 0, y, A, h, POPUP_FACE);
      fill(c, x0, y + 3, A - 4 - x0, 1, SEPARATOR);
      fill(c, x0, y + 4, A - 4 - x0, 1, WHITE);
    } else {
      const lit = menu.hot === entry.el || menu.keyFocus === entry.el, colour = lit ? WHITE : BLACK;
      fill(c, 0, y, A, h, lit ? HIGHLIGHT : POPUP_FACE);
      text(c, entry.caption, m.popupFont, colour, 16 * (depth - 1) + 16, [0, y, A, h]);
      if (entry.child) arrow(c, A, y, h, entry.child.expanded, colour);
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

Object.assign(Menu.prototype, {
  // Measured with the box at the applet's width, so that a parent that shrinks to fit its
  // content gives the room it could give.
  availableWidth() {
    let parent = this.box.parentElement;
    while (parent && /^(inline|contents)$/.test(getComputedStyle(parent).display)) parent = parent.parentElement;
    if (!parent) return this.m.W;
    const width = this.box.style.width;
    this.box.style.width = this.m.W + 'px';
    const cs = getComputedStyle(parent);
    const content = parent.clientWidth - parseFloat(cs.paddingLeft) - parseFloat(cs.paddingRight);
    const room = viewport().width - this.box.getBoundingClientRect().left;
    this.box.style.width = width;
    return Math.max(0, Math.floor(Math.min(content, room)));
  },
  // The list's canvas covers only the part of the open list that lies in the window.
  paintList() {
    const lc = this.lc.canvas;
    if (!this.narrow || !this.listOpen) return;
    const r = this.list.getBoundingClientRect();
    const top = Math.max(0, Math.floor(-r.top)), bottom = Math.min(Math.ceil(r.height), Math.ceil(global.innerHeight - r.top));
    lc.hidden = bottom <= top;
    if (lc.hidden) return;
    this.sizeCanvas(lc, this.A, bottom - top);
    lc.style.top = top + 'px';
    this.lc.setTransform(this.scale, 0, 0, this.scale, 0, -(this.m.barH + top) * this.scale);
    paintRows(this, this.lc, top, bottom);
  },
  showList(open) {
    if (!this.narrow || this.listOpen === open) return;
    this.listOpen = open;
    this.list.hidden = this.ul.hidden = !open;
    this.button.setAttribute('aria-expanded', String(open));
    registry.scrolling[open ? 'add' : 'delete'](this);
    this.paint();
  },
  toggleBranch(pp) {
    pp.expanded = !pp.expanded;
    pp.ul.hidden = !pp.expanded;
    pp.control.setAttribute('aria-expanded', String(pp.expanded));
    this.rows = narrowRows(this.m, (p) => p.expanded);
    this.paint();
  },
  // Up and Down between the visible rows, Home and End, Right expands, Left collapses or goes
  // to the parent row, Escape closes the list.
  narrowKey(e) {
    const el = controlOf(e.target), entry = el && registry.entries.get(el), pp = entry && opens(entry);
    const rows = this.rows.filter((r) => r.kind !== 'separator'), i = rows.findIndex((r) => r.entry === entry);
    const to = (k) => rows[Math.max(0, Math.min(rows.length - 1, k))].entry.el.focus();
    if (e.key === 'Escape') {
      if (!this.listOpen) return false;
      this.button.focus();
      this.showList(false);
    } else if (entry === this && e.key === 'ArrowDown') {
      this.showList(true);
      if (rows.length) to(0);
    } else if (i < 0) {
      return false;
    } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      to(i + (e.key === 'ArrowDown' ? 1 : -1));
    } else if (e.key === 'Home' || e.key === 'End') {
      to(e.key === 'Home' ? 0 : rows.length - 1);
    } else if (e.key === 'ArrowRight' && pp) {
      if (!pp.expanded) this.toggleBranch(pp);
    } else if (e.key === 'ArrowLeft') {
      if (pp && pp.expanded) this.toggleBranch(pp);
      else if (entry.kind) entry.popup.control.focus();
    } else return false;
    return true;
  }
});

if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', () => upgrade());
else upgrade();
})(window);
