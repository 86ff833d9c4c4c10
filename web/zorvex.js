/* zorvex.js: turns Tarvelle's applet tags into working menus, drawn as the editor's live preview
 * draws them. One file without dependencies and nothing inline (it runs under the content policy
 * default-src 'self'). Sections: read, layout, paint, elements, behaviour, narrow form. */
((global) => {
'use strict';
const doc = global.document;
// The menus the browser has read so far are drawn at once, before it reads (and paints) what
// follows them, so that the page never moves; the rest once the whole page is read.
function upgradeWhileLoading(upgrade) {
  upgrade();
  if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', () => upgrade());
}
// A second copy of the script (two pasted fragments) keeps the first one's menus and registry.
if (global.zorvex && typeof global.zorvex.upgrade === 'function') {
  upgradeWhileLoading(() => (global.zorvex.upgradeInSteps || global.zorvex.upgrade)());
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
  // At the size the browser shows: no smaller than the visitor's minimum font size.
  font(k) {
    const style = this.int(k + 2, 0, 3);
    return (style & 2 ? 'italic ' : '') + (style & 1 ? 'bold ' : '') + this.fontSize(k + 1) +
      'px ' + FAMILIES[this.int(k, 0, 3)];
  }
  fontSize(k) { return Math.max(this.int(k, 1, 999), this.minimum || 0); }
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
  const a = m.fields, n = m.items.length, P = a.fontSize(POPUP_SIZE);
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
      pp.box = null;
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

/* ---- Paint: the canvas, pixel for pixel as the preview; the browser draws the captions ---- */

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
// The loading message from its left edge x, centred vertically in its clip rectangle.
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
    if (looks[k] > 2) focusRing(c, x, y, w, h);
  });
  rows = null;
}

/* ---- Elements: real links, buttons and lists, every list in the page from the start ---- */

const registry = { menus: new WeakMap(), live: new Set(), entries: new WeakMap(), uid: 0 };

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
// The applet area's size, set on the element itself: a custom property of the root would be
// inherited, and changing it would restyle every element of the menu.
function setSize(el, w, h) {
  el.style.setProperty('width', w + 'px', 'important');
  el.style.setProperty('height', h + 'px', 'important');
}
// Places, sizes, fonts and colours reach the style sheet as custom properties of the elements.
function setVars(el, vars) {
  for (const name in vars) el.style.setProperty('--' + name, typeof vars[name] === 'number' ? vars[name] + 'px' : vars[name]);
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

// Returns the number of rows built.
function buildList(m, pp, li, depth) {
  const ul = pp.ul = element('ul', 'zv-p', li);
  ul.id = pp.id;
  ul.hidden = true;
  ul.style.setProperty('--d', depth - 1);
  let count = pp.rows.length;
  for (const r of pp.rows) {
    const row = element('li', null, ul);
    if (r.kind === 'separator') {
      // Only lines: a list announces its real items alone.
      row.className = 'zv-s';
      row.setAttribute('aria-hidden', 'true');
      element('div', null, row);
      continue;
    }
    // A row opening a popup carries the arrow as a pseudo-element of the style sheet.
    control(r, r.child ? 'zv-r zv-a' : 'zv-r', row);
    if (r.child) count += buildList(m, r.child, row, depth + 1);
  }
  return count;
}

function canvas(parent) {
  const cv = element('canvas', null, parent), c = cv.getContext('2d');
  cv.setAttribute('aria-hidden', 'true');
  c.direction = 'ltr';
  return c;
}

// The menu button's name in the page's language (English for any other).
const MENU_NAMES = {
  de: 'Menü', tr: 'Menü', es: 'Menú', sv: 'Meny', nb: 'Meny', nn: 'Meny', no: 'Meny', fi: 'Valikko',
  cs: 'Nabídka', ru: 'Меню', uk: 'Меню', el: 'Μενού', ja: 'メニュー', zh: '菜单', 'zh-tw': '選單',
  'zh-hk': '選單', 'zh-hant': '選單', ko: '메뉴', ar: 'القائمة', he: 'תפריט'
};
function menuName(applet) {
  const tag = ((applet.closest('[lang]') || applet).getAttribute('lang') || '').toLowerCase();
  return MENU_NAMES[tag] || MENU_NAMES[tag.split('-').slice(0, 2).join('-')] || MENU_NAMES[tag.split('-')[0]] || 'Menu';
}

// Every list is built before the menu goes into the page; the popups' lists a few hundred rows
// a step, so that a large menu is built in several short tasks.
function* build(menu) {
  // Wide until the page's room says otherwise: the form is measured in this one.
  const m = menu.m, box = menu.box = element('div', 'zorvex zv-w');
  box.dir = 'ltr';
  menu.c = m.measure = canvas(box);
  const nav = element('nav', null, box);
  const button = menu.button = element('button', 'zv-b', nav), name = element('span', null, button);
  // Text, not a label: translators reach it.
  name.textContent = menuName(menu.applet);
  nav.setAttribute('aria-labelledby', name.id = uniqueId());
  button.type = 'button';
  button.setAttribute('aria-expanded', 'false');
  registry.entries.set(button, menu);
  menu.list = element('div', 'zv-l', nav);
  menu.lc = canvas(menu.list);
  const ul = menu.ul = element('ul', 'zv-top', menu.list);
  button.setAttribute('aria-controls', ul.id = uniqueId());
  const lists = [];
  for (const it of m.items) {
    const li = element('li', null, ul), el = control(it, 'zv-i', li);
    if (it.status) el.title = it.status;
    if (it.popup) lists.push([it.popup, li]);
  }
  let rows = 0;
  for (const [pp, li] of lists) {
    if (rows > ROWS_A_STEP) {
      yield;
      rows = 0;
    }
    rows += buildList(m, pp, li, 2);
  }
  markCurrentPage(m);
}
const ROWS_A_STEP = 300;

// The current page's item: the first without a popup, in pre-order, whose address is the page's.
// A link's href is its address resolved by the browser (scheme and host in lower case); the
// fragment goes and a folder's index page counts as the folder.
const pageKey = (href) => href.replace(/#.*/, '').replace(/\/index\.html?(?=\?|$)/i, '/');
function markCurrentPage(m) {
  const page = pageKey(doc.URL), todo = m.items.slice().reverse();
  while (todo.length) {
    const entry = todo.pop(), pp = opens(entry);
    if (pp) {
      for (let i = pp.rows.length - 1; i >= 0; i--) if (pp.rows[i].el) todo.push(pp.rows[i]);
    } else if (entry.url && pageKey(entry.el.href) === page) {
      entry.el.setAttribute('aria-current', 'page');
      m.current = entry.kind ? m.items[entry.popup.path[0]] : entry;
      return;
    }
  }
}

// The page's style sheets are kept out without a shadow root (translators, find in page and
// crawlers walk the menu's text in the document): every property of every element of the menu
// is reset (the root to its initial values, so nothing is inherited from the page, the rest to
// what they inherit from it) by rules marked !important, and what the menu needs is set by
// !important rules more specific than the reset. Places, sizes, fonts and colours come as
// custom properties set on the elements. A host rule wins only where it is !important and more
// specific than the runtime's own. Open popups and the open narrow list are in the top layer:
// no overflow, z-index, transform or sticky header of the page clips or covers them. Every
// declaration below is made !important when the sheet is made.
const STYLE = ('.zorvex{all:initial;position:relative;display:inline-block;vertical-align:top;direction:ltr;' +
  'text-align:left}.zorvex.zv-w{overflow:clip}' +
  '.zorvex *,.zorvex ::before,.zorvex ::after{all:unset;box-sizing:border-box}.zorvex [hidden]{display:none}' +
  // Apart: a browser that does not know the selector drops this rule alone.
  '.zorvex ::backdrop{display:none}' +
  '.zorvex :is(nav,ul,li,div,a,button,canvas){display:block}.zorvex canvas{position:absolute;left:0;' +
  'top:var(--top,0)}' +
  '.zorvex :is(.zv-i,.zv-r,.zv-b){width:100%;overflow:clip;white-space:pre;cursor:default}' +
  '.zorvex .zv-i{border:var(--b) solid transparent;font:var(--f);line-height:var(--lh);color:var(--c)}' +
  '.zv-z .zv-i{color:transparent}' +
  // Wide first-level captions are placed from the left as the drawing is, whatever their direction.
  '.zv-w .zv-i{position:absolute;left:var(--x);top:var(--y);width:var(--w);height:var(--h);' +
  'text-indent:var(--i);direction:ltr}.zv-w .zv-l{position:absolute;left:0;top:0;width:100%;height:100%}' +
  '.zorvex .zv-top{position:relative}.zv-w .zv-b{display:none}' +
  '.zorvex .zv-b>span{position:absolute;width:1px;height:1px;overflow:hidden;clip-path:inset(50%)}' +
  '.zv-w .zv-p,.zv-n .zv-l{position:fixed;left:var(--x);top:var(--y);width:var(--w);z-index:2147483647}' +
  '.zv-w .zv-p{height:var(--h);padding:2px;border:1px solid #808080;' +
  'background:#F0F0F0;font:var(--pf)}.zv-w .zv-s{height:7px;padding-top:3px}' +
  '.zv-w .zv-s>div{margin-left:1px;width:calc(100% - 2px);height:0;border-top:1px solid #A0A0A0;' +
  'border-bottom:1px solid #FFF}.zv-w .zv-r{position:relative;height:var(--rh);line-height:var(--rh);' +
  'padding-left:5px;color:#000}.zv-w .zv-r:is(:hover,:focus,.zv-o){background:#316AC5;color:#FFF}' +
  '.zv-w .zv-r:focus-visible{box-shadow:inset 0 0 0 1px #000,inset 0 0 0 2px #FFF}' +
  // The arrow: four columns, 7, 5, 3 and 1 pixels high, the tallest 8 pixels from the edge.
  '.zv-w .zv-a::after{content:"";position:absolute;right:5px;top:var(--at);width:4px;height:7px;background:' +
  [0, 1, 2, 3].map((i) => `linear-gradient(currentColor,currentColor) ${i}px ${i}px/1px ${7 - 2 * i}px no-repeat`).join() +
  '}.zorvex .zv-r[aria-current]::before{content:"";position:absolute;left:0;top:3px;bottom:3px;width:3px;' +
  'background:#316AC5}.zv-w .zv-r:is(:hover,:focus)::before,.zorvex .zv-r.zv-h::before{background:#FFF}' +
  '.zv-n .zv-b{position:absolute;left:0;top:0;width:var(--t);height:var(--t)}' +
  '.zv-n .zv-l{max-height:var(--mh);overflow:hidden auto;overscroll-behavior:contain;background:var(--bg)}' +
  '.zv-n .zv-i{position:relative;height:var(--t);padding-left:16px}.zv-n .zv-r{position:relative;' +
  'font:var(--pf);height:var(--nh);line-height:var(--nh);padding-left:calc(16px * var(--d) + 16px);color:#000}' +
  '.zv-n .zv-r.zv-h{color:#FFF}.zv-n .zv-s{height:7px}' +
  '@media (forced-colors:active){.zorvex canvas{display:none}.zorvex :is(.zv-i,.zv-r,.zv-b),.zv-n .zv-l{' +
  'color:CanvasText;background:Canvas;border-color:CanvasText}.zv-w .zv-r:is(:hover,:focus,.zv-o),' +
  '.zorvex .zv-r.zv-h{forced-color-adjust:none;background:Highlight;color:HighlightText}' +
  '.zorvex :is(.zv-i,.zv-b){outline:1px solid CanvasText;outline-offset:-1px}' +
  '.zorvex :is(.zv-i,.zv-r,.zv-b):focus-visible{outline:2px solid Highlight;outline-offset:-3px}' +
  // The menu button's three bars, in its own system colour.
  '.zorvex .zv-b::before{content:"";position:absolute;left:calc(50% - 9px);top:calc(50% - 7px);width:18px;' +
  'height:2px;background:currentColor;box-shadow:0 6px currentColor,0 12px currentColor;forced-color-adjust:none}' +
  // Which rows open a popup stays visible, and in the narrow list which way the branch is.
  '.zv-w .zv-a::after,.zorvex .zv-r[aria-current]::before{forced-color-adjust:none}' +
  '.zorvex .zv-r[aria-current]::before{background:CanvasText}.zv-n .zv-l button::after{content:"";' +
  'position:absolute;right:16px;top:calc(50% - 2px);border:4px solid transparent;border-bottom-width:0;' +
  'border-top-color:currentColor;forced-color-adjust:none}.zv-n .zv-l button[aria-expanded=true]::after{' +
  'border-width:0 4px 4px;border-bottom-color:currentColor}}').replace(/;/g, '!important;').replace(/}/g, '!important}')
  .replace(/(!important)+/g, '!important').replace(/\{!important/g, '{').replace(/}!important/g, '}');

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

// Shown in the top layer where the browser has one; above the page by z-index elsewhere.
function raise(el, open) {
  el.hidden = !open;
  if (!el.showPopover) return;
  if (open && !el.matches(':popover-open')) el.showPopover();
  else if (!open && el.matches(':popover-open')) el.hidePopover();
}

/* ---- Behaviour: pointer, keys, popups; the window's resizes, scrolls and pixel ratio ---- */

const controlOf = (target) => target && target.closest && target.closest('.zv-i,.zv-r,.zv-b');

class Menu {
  constructor(applet) {
    this.applet = applet;
    this.hot = this.pressed = this.keyFocus = this.open = null;
    this.chain = [];
    this.rows = [];
    this.images = new Map();
    this.narrow = false;
  }
  // The upgrade in steps, each short enough not to hold up the page: reading, building the
  // elements away from the page, then putting the menu in the applet's place and drawing it.
  *steps() {
    const applet = this.applet, params = readParams(applet);
    this.m = { fields: new Fields(params.get('app')), items: readItems(params) };
    placeMenu(this.m);
    yield;
    yield* build(this);
    yield;
    this.listen();
    addStyle();
    release(applet);
    // Until it is drawn, the menu keeps the place the tag held.
    reserve(this.box, this.m.fields);
    applet.replaceWith(this.box);
    registry.menus.set(this.box, this);
    registry.menus.set(applet, this);
    yield;
    this.layOut();
    yield;
    for (const name of ['padding-top', 'visibility']) this.box.style.removeProperty(name);
    this.fit(true);
    this.loadImages();
    // A caption rewritten after the upgrade (a translator, another script) lays the menu out
    // again before the next frame.
    this.captions = new global.MutationObserver(() => this.relayout());
    this.captions.observe(this.box, { childList: true, characterData: true, subtree: true });
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

  // Sizes from the fonts the browser shows: its minimum font size can make them larger.
  layOut() {
    const m = this.m, box = this.box;
    box.style.setProperty('font-size', '1px', 'important');
    m.fields.minimum = Math.round(parseFloat(getComputedStyle(box).fontSize)) || 0;
    placeMenu(m);
    // Styled before the form is chosen, which reads the page's layout: once laid out, the
    // items stay as they are unless the form changes.
    for (const it of m.items) {
      setVars(it.el, { x: it.r[0], y: it.r[1], w: it.r[2], h: it.r[3] });
      it.look = null;
      this.captionLook(it, this.stateOf(it));
    }
    setVars(box, { rh: m.rowH, nh: m.narrowRowH, t: m.barH, at: Math.floor(m.rowH / 2) - 3, pf: m.popupFont, bg: `rgb(${m.fields.colour(AP_BG)})` });
  }
  relayout() {
    this.captions.takeRecords();
    const read = (entry) => {
      if (entry.el) entry.caption = entry.el.textContent;
    };
    this.m.items.forEach(read);
    this.m.popups.forEach((pp) => pp.rows.forEach(read));
    this.layOut();
    if (this.narrow) this.rows = narrowRows(this.m, (pp) => pp.expanded);
    this.redraw();
    this.place();
  }
  // A first-level caption in the state's font and colour, placed as the drawing places it:
  // aligned, offset and centred vertically inside the item's border, clipped to it.
  captionLook(it, state) {
    const look = state + (this.narrow ? 'n' : 'w');
    if (it.look === look) return;
    it.look = look;
    const a = this.m.fields, s = STATE_BLOCK[state], bw = a.borderWidth(s + S_BORDER_W, s + S_BORDER_STYLE);
    const font = a.font(s + S_FONT), w = it.r[2], o = a.pos(s + S_OFFSET), align = a.int(s + S_ALIGN, 0, 2);
    let indent = 2 + o; // in the narrow form the style sheet places it, 16 pixels in
    if (align && !this.narrow) {
      this.c.font = font;
      const tw = this.c.measureText(it.el.textContent).width;
      indent = align === 1 ? Math.floor((w - tw) / 2) + o - bw : w - 2 * bw - 2 - tw - o;
    }
    const h = this.narrow ? this.m.barH : it.r[3];
    setVars(it.el, { b: bw, i: indent, lh: Math.max(0, h - 2 * bw), f: font, c: `rgb(${a.colour(s + S_FG)})` });
  }

  // Normal, mouse over (pointed at, or focused from the keyboard) or clicked (held, or open).
  // The current page's first-level item is clicked where it would be normal.
  stateOf(entry) {
    const el = entry === this ? this.button : entry.el;
    const open = entry === this ? this.listOpen : this.narrow ? entry.popup && entry.popup.expanded : this.open === entry;
    if (this.pressed === el || open) return 2;
    return this.hot === el || this.keyFocus === el ? 1 : entry === this.m.current ? 2 : 0;
  }
  paint() {
    this.c.setTransform(this.scale, 0, 0, this.scale, 0, 0);
    if (!this.narrow) return paintWide(this);
    paintBar(this);
    this.paintList();
  }
  // Printing asks for 3 device pixels per CSS pixel at least, so that the print is sharp.
  sizeCanvas(canvas, w, h) {
    const dpr = this.scale = Math.max(global.devicePixelRatio || 1, registry.printing ? 3 : 0);
    const bw = Math.round(w * dpr), bh = Math.round(h * dpr);
    if (canvas.width !== bw) canvas.width = bw;
    if (canvas.height !== bh) canvas.height = bh;
    setSize(canvas, w, h);
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
    setSize(this.box, w, h);
    this.sizeCanvas(this.c.canvas, w, h);
    this.paint();
  }
  reset(narrow) {
    this.closeAll();
    for (const pp of this.m.popups) {
      pp.expanded = false;
      pp.ul.hidden = true;
      pp.control.setAttribute('aria-expanded', 'false');
      popover(pp.ul, !narrow);
    }
    popover(this.list, narrow);
    this.narrow = narrow;
    this.box.classList.toggle('zv-n', narrow);
    this.box.classList.toggle('zv-w', !narrow);
    this.list.hidden = narrow;
    this.listOpen = false;
    this.rows = narrow ? narrowRows(this.m, (pp) => pp.expanded) : [];
    this.m.items.forEach((it) => this.captionLook(it, this.stateOf(it)));
  }
  isOpen() { return this.narrow ? this.listOpen : this.chain.length > 0; }
  closeAll() {
    if (this.narrow) this.showList(false);
    else this.closeFrom(0);
  }

  // A popup opens beside its opener, kept in the window; it lies in the viewport's coordinates.
  show(pp) {
    const m = this.m, { width: vw, height: vh } = viewport(), o = origin(this.box);
    const par = pp.parent, b = popupBox(m, pp);
    let x = b[0], y = b[1];
    if (par) {
      x = par.at[0] + par.box[2] - 3;
      y = par.at[1] + pp.opener.y - par.box[1] - 3;
      if (o.left + x + b[2] > vw) x = par.at[0] - b[2] + 3;
    } else if (o.left + x + b[2] > vw) x = Math.max(vw - b[2], 0) - o.left;
    if (o.top + y + b[3] > vh) y = Math.max(vh - b[3], 0) - o.top;
    pp.at = [x, y];
    setVars(pp.ul, { x: o.left + x, y: o.top + y, w: b[2], h: b[3] });
    raise(pp.ul, true);
    pp.control.setAttribute('aria-expanded', 'true');
    if (par) pp.control.classList.add('zv-o');
    else this.open = m.items[pp.path[0]];
    if (this.chain.indexOf(pp) < 0) this.chain.push(pp);
  }
  closeFrom(i) {
    const closed = this.chain.splice(i);
    if (!closed.length) return;
    for (const pp of closed.reverse()) {
      raise(pp.ul, false);
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
  // After a scroll or a resize: what is open follows the applet area.
  place() {
    if (!this.narrow) this.chain.slice().forEach((pp) => this.show(pp));
    else if (this.listOpen) this.placeList();
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
      this.box.classList.remove('zv-z');
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
    this.box.classList.toggle('zv-z', this.loading);
    this.paint();
    if (left) setTimeout(finish, 3000);
  }
  destroy() {
    clearTimeout(this.timer);
    this.closeAll();
    this.captions.disconnect();
    registry.live.delete(this);
    if (this.box.parentElement) registry.resizes.unobserve(this.box.parentElement);
    this.box.replaceWith(this.applet);
    registry.menus.delete(this.box);
    registry.menus.delete(this.applet);
    if (!registry.live.size) documentListeners(false);
  }
}

function popover(el, on) {
  if (on) el.setAttribute('popover', 'manual');
  else el.removeAttribute('popover');
}

// The listeners on the document and the window serve every menu.
function pressOutside(e) {
  for (const menu of registry.live) if (menu.isOpen() && !menu.box.contains(e.target)) menu.closeAll();
}
// The pointer is on the page: nothing of a menu is pointed at, even where the browser sent no
// pointerout (it loses some after a list scrolled under a resting pointer).
function pointerOnPage(e) {
  for (const menu of registry.live) {
    if (menu.hot && !menu.box.contains(e.target)) {
      menu.hot = menu.pressed = null;
      menu.paint();
    }
  }
}
function windowResized() {
  for (const menu of registry.live) menu.fit(false);
}
// The page or any box in it scrolled (the narrow list too): what is open follows.
function scrolled() {
  for (const menu of registry.live) if (menu.isOpen()) menu.place();
}
function printing(e) {
  registry.printing = e.type === 'beforeprint';
  for (const menu of registry.live) {
    if (registry.printing) menu.closeAll();
    menu.redraw();
  }
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
  doc[method]('pointerover', pointerOnPage, true);
  doc[method]('scroll', scrolled, { capture: true, passive: true });
  global[method]('resize', windowResized);
  global[method]('beforeprint', printing);
  global[method]('afterprint', printing);
  if (on) watchPixelRatio();
  else if (registry.ratio) registry.ratio.query.removeEventListener('change', registry.ratio.changed);
}
registry.resizes = global.ResizeObserver
  ? new global.ResizeObserver((list) => list.forEach((e) => {
    for (const menu of registry.live) if (menu.box.parentElement === e.target) menu.fit(false);
  }))
  : { observe() {}, unobserve() {} };

// The applet area's corner in the window, in whole pixels like every place the menu draws.
function origin(box) {
  const r = box.getBoundingClientRect();
  return { left: Math.round(r.left), top: Math.round(r.top) };
}
// The window's size without scroll bars (in a page without a doctype too).
function viewport() {
  const root = doc.compatMode === 'CSS1Compat' ? doc.documentElement : doc.body || doc.documentElement;
  return {
    width: Math.min(global.innerWidth, root.clientWidth || global.innerWidth),
    height: Math.min(global.innerHeight, root.clientHeight || global.innerHeight)
  };
}
// Pictures and sounds lie beside the script that upgraded the menu.
const scriptBase = doc.currentScript && doc.currentScript.src;
function resolve(name) {
  if (!name || name === '.' || name === '..' || /[/\\:]/.test(name)) return null;
  return new URL(encodeURIComponent(name), scriptBase || doc.baseURI).href;
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

// Turns the applet tags in root into menus: at once, or (while the page loads) holding each
// tag's place and drawing the menus in short tasks after this one.
function upgrade(root, inSteps) {
  // Menus of a document written anew are gone, and so are its listeners.
  for (const menu of registry.live) if (!menu.box.isConnected) registry.live.delete(menu);
  if (!registry.live.size) registry.listening = false;
  const applets = (root || doc).querySelectorAll('applet');
  for (let i = 0; i < applets.length; i++) {
    const el = applets[i];
    if (!/^zorvex\.class$/i.test(el.getAttribute('code') || '') || registry.menus.has(el) || pending.has(el)) continue;
    // A tag the browser is still reading (the script inside it) waits for the rest.
    if (doc.readyState === 'loading' && doc.currentScript && el.contains(doc.currentScript)) continue;
    const menu = new Menu(el);
    pending.set(el, { menu, steps: menu.steps() });
    if (!inSteps) continue;
    // The style sheet first, while the page read so far is small: adding it restyles it all.
    addStyle();
    try {
      hold(el);
    } catch (e) {
      // The step that reads the tag says what is wrong with it.
    }
  }
  if (inSteps) nextStep();
  else finishAll();
}
// The menus being drawn, by applet, in the page's order.
const pending = new Map();
// Runs one step of the first menu waiting; true when that menu is done (or failed).
function step() {
  const [el, work] = pending.entries().next().value;
  try {
    if (!work.steps.next().done) return false;
    const menu = work.menu;
    registry.live.add(menu);
    documentListeners(true);
    if (menu.box.parentElement) registry.resizes.observe(menu.box.parentElement);
  } catch (e) {
    // One menu that cannot be drawn leaves the others working.
    release(el);
    if (global.console) global.console.error('zorvex: a menu could not be drawn', el, e);
  }
  pending.delete(el);
  if (!pending.size) registry.drawn.splice(0).forEach((resolve) => resolve());
  return true;
}
function finishAll() {
  while (pending.size) step();
}
registry.drawn = [];
// A task of its own for each step: a message is not held back by timers or their clamping.
const channel = new global.MessageChannel();
channel.port1.onmessage = () => {
  registry.stepPosted = false;
  if (pending.size) step();
  nextStep();
};
function nextStep() {
  if (!pending.size || registry.stepPosted) return;
  registry.stepPosted = true;
  channel.port2.postMessage(null);
}

// While its menu is drawn, the tag takes the place of the menu: the applet area, or the narrow
// bar (max(44, item height) high) where its block is narrower than the menu, chosen by the
// style sheet so that nothing is measured here. Its own content (the plain lists) stays hidden.
function hold(applet) {
  held.set(applet, applet.getAttribute('style'));
  applet.style.setProperty('all', 'initial', 'important');
  for (const [name, value] of [['display', 'inline-block'], ['vertical-align', 'top'], ['overflow', 'clip']]) {
    applet.style.setProperty(name, value, 'important');
  }
  reserve(applet, new Fields(readParams(applet).get('app')));
}
// The box's height is its top padding, whose percentages are of the width of the block it
// lies in: T plus (H - T) where that block is at least W wide.
function reserve(el, a) {
  const W = a.size(AP_W), H = a.size(AP_H), T = Math.max(44, a.size(ITEM_H)), wide = `(100% - ${W}px + 0.01px) * 1e6`;
  const height = H >= T ? `calc(${T}px + clamp(0px, ${wide}, ${H - T}px))` : `calc(${T}px - clamp(0px, ${wide}, ${T - H}px))`;
  for (const [name, value] of [['visibility', 'hidden'], ['width', `min(100%, ${W}px)`], ['height', '0'], ['padding-top', height]]) {
    el.style.setProperty(name, value, 'important');
  }
}
const held = new Map();
function release(applet) {
  if (!held.has(applet)) return;
  const style = held.get(applet);
  held.delete(applet);
  if (style === null) applet.removeAttribute('style');
  else applet.setAttribute('style', style);
}
function find(el) {
  for (; el; el = el.parentNode) if (registry.menus.has(el)) return registry.menus.get(el);
  return null;
}
global.zorvex = {
  upgrade: (root) => upgrade(root, false),
  // Settles once every menu the runtime is drawing is in the page.
  drawn: () => new Promise((resolve) => (pending.size ? registry.drawn.push(resolve) : resolve())),
  // For a second copy of this script: the tags read so far, in steps as the first copy did.
  upgradeInSteps: () => upgrade(null, true),
  layout(el, options) {
    finishAll();
    const menu = find(el);
    if (!menu) return null;
    // Captions changed in this task are laid out before they are reported.
    if (menu.captions.takeRecords().length) menu.relayout();
    return options && options.width !== undefined ? narrowRecord(menu.m, options.width) : wideRecord(menu.m);
  },
  destroy(el) {
    finishAll();
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
// The rows between list heights top and bottom; their captions are the elements' own text.
function paintRows(menu, c, top, bottom) {
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

Object.assign(Menu.prototype, {
  // Measured with the box at the applet's width, so that a parent that shrinks to fit its
  // content gives the room it could give.
  availableWidth() {
    let parent = this.box.parentElement;
    while (parent && /^(inline|contents)$/.test(getComputedStyle(parent).display)) parent = parent.parentElement;
    if (!parent) return this.m.W;
    const width = this.box.style.width;
    this.box.style.setProperty('width', this.m.W + 'px', 'important');
    const cs = getComputedStyle(parent);
    const content = parent.clientWidth - parseFloat(cs.paddingLeft) - parseFloat(cs.paddingRight);
    const room = viewport().width - this.box.getBoundingClientRect().left;
    this.box.style.setProperty('width', width, 'important');
    return Math.max(0, Math.floor(Math.min(content, room)));
  },
  // The open list lies below the bar, down to the window's bottom at most, and scrolls inside.
  placeList() {
    const o = origin(this.box), top = o.top + this.m.barH;
    setVars(this.list, { x: o.left, y: top, w: this.A, mh: Math.max(0, viewport().height - top) });
  },
  // The list's canvas covers the rows in the window and a window's height on either side.
  paintList() {
    const list = this.list, lc = this.lc.canvas;
    if (!this.narrow || !this.listOpen) return;
    const r = list.getBoundingClientRect(), seen = Math.min(list.clientHeight, viewport().height - Math.max(r.top, 0));
    const end = this.rows.length ? this.rows[this.rows.length - 1] : null, height = end ? end.y + end.h - this.m.barH : 0;
    const from = list.scrollTop + Math.max(0, -r.top);
    const top = Math.max(0, Math.floor(from - seen)), bottom = Math.min(height, Math.ceil(from + 2 * seen));
    lc.hidden = bottom <= top;
    if (lc.hidden) return;
    this.sizeCanvas(lc, this.A, bottom - top);
    setVars(lc, { top });
    this.lc.setTransform(this.scale, 0, 0, this.scale, 0, -(this.m.barH + top) * this.scale);
    paintRows(this, this.lc, top, bottom);
  },
  showList(open) {
    if (!this.narrow || this.listOpen === open) return;
    this.listOpen = open;
    if (open) this.placeList();
    raise(this.list, open);
    this.button.setAttribute('aria-expanded', String(open));
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

upgradeWhileLoading(() => upgrade(null, true));
})(window);
