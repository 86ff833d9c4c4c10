/* zorvex.js: draws the menus of Tarvelle's applet tags, as the editor's preview does. */
((global) => {
'use strict';
let doc = global.document;
// Defaults of the 96 applet fields, position 1 first; st: an item state's block.
let st = (s, c) => `FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|${s}|0|${c}|0|14|0|0|1|`;
let DEF = ('0|FFFFFF|000000||0|0|0||Loading...|000000|FFFFFF|5|0|3|0|F4BE1A|FFFFFF|000000|' +
  '000000|0|0|0|0|0|FFFFFF|1|40|20|80|20|0|' + st(3, 'D0AC1A') + st(3, 'FDCD5E') + st(4, 'FDCD5E') +
  '400|60|0|0|0|0|0|0|0|14|0').split('|');
let FAMILY = ['serif', 'sans-serif', 'monospace', 'sans-serif'];
let menus = new WeakMap();
let styled = false;

// Optional minus and digits only, inside [lo, hi]; def otherwise.
let int = (v, lo, hi, def, n = /^-?\d+$/.test(v) ? Number(v) : NaN) => n >= lo && n <= hi ? n : def;
function Fields(app) {
  this.f = app === undefined ? [] : app.split('|');
}
Fields.prototype = {
  raw(k) { return this.f[k - 1] ?? DEF[k - 1]; },
  int(k, lo, hi) { return int(this.raw(k), lo, hi, Number(DEF[k - 1])); },
  num(k) { return this.int(k, -9999, 9999); },
  size(k) { return this.int(k, 0, 9999); },
  flag(k) { return this.raw(k) === '1'; },
  col(k) {
    let v = this.raw(k);
    return rgb(/^[0-9a-f]{6}$/i.test(v) ? v : DEF[k - 1]);
  },
  // Width of a part's border: its width field unless its style is "No Border".
  bw(w, s) { return this.int(s, 0, 4) ? this.size(w) : 0; },
  font(k) {
    let st = this.int(k + 2, 0, 3);
    return (st & 2 ? 'italic ' : '') + (st & 1 ? 'bold ' : '') + this.int(k + 1, 1, 999) +
      'px ' + FAMILY[this.int(k, 0, 3)];
  }
};
let rgb = (hex, n = parseInt(hex, 16)) => [n >> 16, (n >> 8) & 255, n & 255];
let css = (c) => `rgb(${c})`;
let light = (c) => c.map((v) => v + Math.floor((255 - v) * 2 / 5));
let dark = (c) => c.map((v) => Math.floor(v * 3 / 5));

function readParams(el) {
  let p = new Map();
  el.querySelectorAll('param').forEach((q) => {
    let n = (q.getAttribute('name') || '').toLowerCase();
    if (!p.has(n)) p.set(n, q.getAttribute('value') || '');
  });
  return p;
}

// The menu of a tag: first-level items, each with its popup tree.
function readMenu(p) {
  let a = new Fields(p.get('app')), items = [];
  for (let b = 0; p.has('i0-' + b); b++) {
    let f = p.get('i0-' + b).split('|'), d = (i, v) => f[i] ?? v;
    items.push({
      caption: f[0], url: d(1, ''), target: d(2, '_self'), status: d(3, ''),
      img: [d(4, ''), d(5, ''), d(6, '')], snd: [d(7, ''), d(8, '')],
      ox: int(d(9), -9999, 9999, 5), oy: int(d(10), -9999, 9999, 5),
      popup: p.has('btn' + b + 'mn0it0') ? readPopups(p, b) : null
    });
  }
  return { a, items };
}

// Popup 0 of branch b and all below it, without recursion. A popup is opened by one row only:
// a later reference (a cycle, or one the editor never writes) is a plain row.
function readPopups(p, b) {
  let used = new Set(['0']), root = popup(p, b, '0', [b]), todo = [root];
  while (todo.length) {
    let pp = todo.pop();
    pp.rows.forEach((r, i) => {
      if (!r.ref) return;
      if (used.has(r.ref)) return void (r.kind = 'item');
      used.add(r.ref);
      todo.push(r.child = Object.assign(popup(p, b, r.ref, pp.path.concat(i)), { parent: pp, row: r }));
    });
  }
  return root;
}
function popup(p, b, m, path) {
  let rows = [], pre = 'btn' + b + 'mn';
  for (let i = 0, key; p.has(key = pre + m + 'it' + i); i++) {
    let v = p.get(key), low = v.toLowerCase(), s = low.slice(pre.length), r;
    if (v.indexOf('|') < 0 && low.indexOf(pre) === 0 && /^\d+$/.test(s) && p.has(low + 'it0')) {
      r = { caption: p.get(low) ?? '', url: '', target: '_self', kind: 'submenu', ref: s };
    } else {
      let f = v.split('|');
      r = { caption: f[0], url: f[1] ?? '', target: f[2] ?? '_self' };
      r.kind = r.caption === '-' ? 'separator' : 'item';
    }
    rows.push(r);
  }
  return { path, rows };
}

// Positions everything before keeping in view; popup widths use measure(caption).
function layout(m, measure) {
  let a = m.a, n = m.items.length, W = a.size(86), H = a.size(87);
  let horiz = a.int(26, 0, 1) !== 0, mb = a.bw(21, 23), mx = a.num(27), my = a.num(28);
  let iw = a.size(29), ih = a.size(30), g = a.num(31), rowH = m.rowH = a.int(95, 1, 999) + 8;
  Object.assign(m, { W, H, popups: [] });
  m.menu = n ? (horiz ? [mx, my, 2 * mb + n * iw + (n - 1) * g, 2 * mb + ih]
    : [mx, my, 2 * mb + iw, 2 * mb + n * ih + (n - 1) * g]) : null;
  m.items.forEach((it, k) => {
    let x = mx + mb + (horiz ? k * (iw + g) : 0), y = my + mb + (horiz ? 0 : k * (ih + g));
    it.r = [x, y, iw, ih];
    if (!it.popup) return;
    let stack = [[it.popup, horiz ? x + it.ox : x + iw + it.ox, horiz ? y + ih + it.oy : y + it.oy]];
    while (stack.length) {
      let [pp, px, py] = stack.pop(), ry = py + 3, w = 0;
      pp.rows.forEach((r) => {
        r.y = ry;
        r.h = r.kind === 'separator' ? 7 : rowH;
        ry += r.h;
        if (r.kind !== 'separator') w = Math.max(w, Math.ceil(measure(r.caption)));
      });
      pp.box = [px, py, Math.max(80, 30 + w), ry + 3 - py];
      m.popups.push(pp);
      // Deeper popups go on the stack last row first, so they come out in pre-order.
      for (let r of pp.rows.slice().reverse()) if (r.child) stack.push([r.child, px + pp.box[2] - 3, r.y - 3]);
    }
  });
}

// A copy of the layout, for zorvex.layout.
function record(m) {
  return JSON.parse(JSON.stringify({
    applet: [0, 0, m.W, m.H], menu: m.menu, items: m.items.map((it) => it.r),
    popups: m.popups.map((pp) => ({ path: pp.path, box: pp.box, rows: pp.rows.map((r) => [r.y, r.h, r.kind]) }))
  }));
}

function fill(c, x, y, w, h, col) {
  if (w > 0 && h > 0) {
    c.fillStyle = css(col);
    c.fillRect(x, y, w, h);
  }
}
// Colour A at the top to B at the bottom; row y gets A + (B - A)(2y + 1)/(2h), rounded to
// the nearest integer with halves up, in exact integer arithmetic.
function background(c, x, y, w, h, A, B) {
  if (!B) return fill(c, x, y, w, h, A);
  for (let j = 0; j < h; j++) {
    fill(c, x, y + j, w, 1, A.map((v, i) => v + Math.floor(((B[i] - v) * (2 * j + 1) + h) / (2 * h))));
  }
}
function border(c, x, y, w, h, style, bw, col) {
  let n = Math.min(bw, Math.floor(Math.min(w, h) / 2)), L = light(col), D = dark(col);
  if (!style) return;
  for (let k = 0; k < n; k++) {
    let outer = k < Math.ceil(n / 2);
    let raised = style === 3 || (style === 1 && outer) || (style === 2 && !outer);
    let tl = raised ? L : D, br = raised ? D : L;
    fill(c, x + k, y + k, w - 1 - 2 * k, 1, tl);
    fill(c, x + k, y + k, 1, h - 1 - 2 * k, tl);
    fill(c, x + k, y + h - 1 - k, w - 2 * k, 1, br);
    fill(c, x + w - 1 - k, y + k, 1, h - 2 * k, br);
  }
}
function clip(c, x, y, w, h) {
  c.save();
  c.beginPath();
  c.rect(x, y, Math.max(w, 0), Math.max(h, 0));
  c.clip();
}
function image(c, img, how, X, Y, ax, ay, AW, AH) {
  if (!img || !img.complete || !img.naturalWidth) return;
  let w = img.naturalWidth, h = img.naturalHeight, mid = ay + Math.floor((AH - h) / 2);
  clip(c, ax, ay, AW, AH);
  let at = [[ax + X, ay + Y], [ax + Math.floor((AW - w) / 2), mid], [ax, mid], [ax + AW - w, mid]][how];
  if (at) c.drawImage(img, ...at);
  else if (how === 4) {
    for (let j = 0; j < AH; j += h) for (let i = 0; i < AW; i += w) c.drawImage(img, ax + i, ay + j);
  } else c.drawImage(img, ax, ay, AW, AH);
  c.restore();
}
// A caption from x, centred vertically in its clip rectangle and clipped to it.
function text(c, s, font, col, x, [cx, cy, cw, ch]) {
  clip(c, cx, cy, cw, ch);
  c.font = font;
  c.fillStyle = css(col);
  let mt = c.measureText(s), asc = mt.fontBoundingBoxAscent, des = mt.fontBoundingBoxDescent;
  c.fillText(s, x, cy + Math.floor((ch - asc - des) / 2) + asc);
  c.restore();
}

function Menu(applet) {
  let p = readParams(applet), m = readMenu(p);
  this.m = m;
  this.a = m.a;
  this.hover = this.focus = this.press = this.open = -1;
  this.chain = [];
  this.imgs = new Map();
  let cv = doc.createElement('canvas');
  this.c = cv.getContext('2d');
  this.c.font = m.a.font(94);
  layout(m, (s) => this.c.measureText(s).width);
  let box = this.box = doc.createElement('div');
  box.className = 'zorvex';
  let size = `width:${m.W}px;height:${m.H}px`;
  box.style.cssText = 'position:relative;display:inline-block;vertical-align:top;' + size;
  let dpr = this.dpr = Math.max(1, Math.round(global.devicePixelRatio || 1));
  cv.width = m.W * dpr;
  cv.height = m.H * dpr;
  cv.style.cssText = 'position:absolute;left:0;top:0;' + size;
  cv.setAttribute('aria-hidden', 'true');
  box.appendChild(cv);
  this.build();
  applet.replaceWith(box);
  menus.set(box, this);
  menus.set(applet, this);
  this.load();
}

Menu.prototype = {
  build() {
    let m = this.m, nav = doc.createElement('nav'), ul = doc.createElement('ul');
    nav.setAttribute('aria-label', 'Menu');
    nav.style.cssText = 'position:absolute;left:0;top:0;width:100%;height:100%';
    m.items.forEach((it, k) => {
      let li = doc.createElement('li'), el = it.el = this.control(it, li);
      // Over the item's part of the applet area.
      let [x, y, w, h] = it.r, l = Math.max(x, 0), t = Math.max(y, 0), max = Math.max;
      el.className = 'zv-i';
      el.style.cssText = `left:${l}px;top:${t}px;width:${max(0, Math.min(x + w, m.W) - l)}px;` +
        `height:${max(0, Math.min(y + h, m.H) - t)}px`;
      if (it.status) el.title = it.status;
      this.itemEvents(it, k);
      ul.appendChild(li).appendChild(el);
    });
    nav.appendChild(ul);
    nav.addEventListener('keydown', (e) => this.key(e));
    // A press on the menu's own surface keeps the focus where it is.
    this.box.addEventListener('mousedown', (e) => {
      if (!e.target.closest('a,button')) e.preventDefault();
    });
    this.box.addEventListener('focusout', (e) => {
      let gone = !e.relatedTarget && e.target.closest('ul[hidden]');
      if (!gone && !this.box.contains(e.relatedTarget)) this.closeFrom(0);
    });
    doc.addEventListener('pointerdown', (e) => {
      if (!this.box.contains(e.target)) this.closeFrom(0);
    }, true);
    this.box.appendChild(nav);
    addStyle();
  },
  // A link, or a button controlling the list of the popup the entry opens.
  control(it, li) {
    let pp = it.popup || it.child, el = doc.createElement(pp ? 'button' : 'a');
    el.textContent = it.caption;
    if (pp) {
      el.type = 'button';
      el.setAttribute('aria-expanded', 'false');
      el.setAttribute('aria-controls', pp.id = 'zv' + (++uid));
      el.zvPopup = pp;
      pp.opener = el;
      pp.li = li;
    } else if (it.url) {
      el.href = it.url;
      el.target = it.target;
      if (it.target.toLowerCase() === '_blank') el.rel = 'noopener';
    } else el.tabIndex = 0;
    return el;
  },
  // A popup's list is built when it first opens, inside its entry.
  list(pp) {
    let ul = pp.ul = doc.createElement('ul'), w = pp.box[2];
    ul.className = 'zv-p';
    ul.id = pp.id;
    ul.hidden = true;
    ul.style.cssText = `width:${w}px;height:${pp.box[3]}px;--h:${this.m.rowH}px;font:${this.a.font(94)}`;
    pp.rows.forEach((r) => {
      let li = ul.appendChild(doc.createElement('li'));
      if (r.kind === 'separator') {
        li.setAttribute('role', 'separator');
        li.className = 'zv-s';
        li.appendChild(doc.createElement('div')).style.width = (w - 8) + 'px';
        return;
      }
      let el = r.el = li.appendChild(this.control(r, li));
      el.className = r.child ? 'zv-r zv-m' : 'zv-r';
      // The arrow: four columns, 7, 5, 3 and 1 pixels high, ending 8 pixels from the edge.
      for (let i = 0; r.child && i < 4; i++) {
        el.appendChild(doc.createElement('span')).style.cssText =
          `left:${w - 15 + i}px;top:${Math.floor(r.h / 2) - 3 + i}px;height:${7 - 2 * i}px`;
      }
      this.rowEvents(pp, r);
    });
    pp.li.appendChild(ul);
  },

  itemEvents(it, k) {
    let el = it.el, on = (type, f) => el.addEventListener(type, f);
    on('pointerenter', (e) => {
      if (e.pointerType === 'touch') return;
      this.hover = k;
      play(it.snd[0]);
      if (this.open >= 0 && this.open !== k) {
        this.closeFrom(0);
        if (it.popup) this.show(it.popup);
      }
      this.paint();
    });
    on('pointerleave', () => { this.hover = this.press = -1; this.paint(); });
    on('pointerdown', (e) => {
      if (e.button) return;
      this.press = k;
      play(it.snd[1]);
      this.paint();
    });
    on('pointerup', () => { this.press = -1; this.paint(); });
    // Keyboard focus only: a click or a tap focuses the item too, but is no mouse-over.
    on('focus', () => {
      this.focus = el.matches(':focus-visible') ? k : -1;
      this.paint();
    });
    on('blur', () => { this.focus = -1; this.paint(); });
    on('click', () => {
      let was = this.open === k;
      this.closeFrom(0);
      if (it.popup && !was) this.show(it.popup);
    });
  },
  rowEvents(pp, r) {
    let on = (type, f) => r.el.addEventListener(type, f);
    on('pointerenter', (e) => {
      if (e.pointerType === 'touch') return;
      clearTimeout(this.timer);
      this.timer = setTimeout(() => this.openRow(pp, r), 150);
    });
    on('pointerleave', () => clearTimeout(this.timer));
    on('click', () => {
      clearTimeout(this.timer);
      if (r.child) this.openRow(pp, r);
      else this.closeFrom(0);
    });
  },
  // Resting on or choosing a row: its popup opens, any other below the same popup closes.
  openRow(pp, r) {
    let i = this.chain.indexOf(pp);
    if (i < 0 || this.chain[i + 1] === r.child) return;
    this.closeFrom(i + 1);
    if (r.child) this.show(r.child);
  },
  show(pp) {
    let { clientWidth: vw, clientHeight: vh } = doc.documentElement;
    let o = this.box.getBoundingClientRect(), par = pp.parent, b = pp.box, x = b[0], y = b[1];
    if (par) {
      x = par.at[0] + par.box[2] - 3;
      y = par.at[1] + pp.row.y - par.box[1] - 3;
      if (o.left + x + b[2] > vw) x = par.at[0] - b[2] + 3;
    } else if (o.left + x + b[2] > vw) x = Math.max(vw - b[2], 0) - o.left;
    if (o.top + y + b[3] > vh) y = Math.max(vh - b[3], 0) - o.top;
    pp.at = [x, y];
    if (!pp.ul) this.list(pp);
    pp.ul.style.left = (x - (par ? par.at[0] + 1 : 0)) + 'px';
    pp.ul.style.top = (y - (par ? par.at[1] + 1 : 0)) + 'px';
    pp.ul.hidden = false;
    pp.opener.setAttribute('aria-expanded', 'true');
    if (par) pp.opener.classList.add('zv-o');
    else this.open = pp.path[0];
    this.chain.push(pp);
    this.paint();
  },
  closeFrom(i) {
    let closed = this.chain.splice(i);
    if (!closed.length) return;
    closed.forEach((pp) => {
      pp.ul.hidden = true;
      pp.opener.setAttribute('aria-expanded', 'false');
      pp.opener.classList.remove('zv-o');
    });
    if (!i) this.open = -1;
    this.paint();
  },
  // Escape (Left Arrow in a deeper popup) closes the innermost popup; Right Arrow on a row
  // or Down Arrow on an item opens its popup and enters it.
  key(e) {
    let el = e.target, ch = this.chain, pp = ch[ch.length - 1], sub = el.zvPopup;
    let rows = (p) => p.rows.filter((r) => r.el).map((r) => r.el);
    let inPopup = ch.filter((p) => p.ul.contains(el)).pop();
    if (e.key === 'Escape' || (e.key === 'ArrowLeft' && inPopup && inPopup.parent)) {
      if (!pp) return;
      pp.opener.focus();
      this.closeFrom(ch.indexOf(pp));
    } else if (sub && (e.key === 'ArrowRight' ? inPopup : e.key === 'ArrowDown' && !inPopup)) {
      if (ch.indexOf(sub) < 0) el.click();
      rows(sub)[0]?.focus();
    } else if ((e.key === 'ArrowDown' || e.key === 'ArrowUp') && inPopup) {
      let list = rows(inPopup), i = list.indexOf(el), d = e.key === 'ArrowDown' ? 1 : -1;
      if (!list.length) return;
      list[(i + d + list.length) % list.length].focus();
    } else return;
    e.preventDefault();
  },
  state(k) {
    if (this.press === k || this.open === k) return 2;
    return this.hover === k || this.focus === k ? 1 : 0;
  },

  load() {
    let names = [this.a.raw(4)], left = 0;
    this.m.items.forEach((it) => names.push(...it.img));
    let finish = () => this.loading && (this.loading = false, this.paint());
    names.forEach((n) => {
      let u = resolve(n);
      if (!u || this.imgs.has(n)) return;
      let img = new Image();
      left++;
      img.onload = img.onerror = () => { if (!--left) finish(); };
      img.src = u;
      this.imgs.set(n, img);
    });
    this.loading = left > 0;
    this.paint();
    if (left) setTimeout(finish, 3000);
  },
  paint() {
    let { c, a, m } = this, { W, H } = m;
    c.setTransform(this.dpr, 0, 0, this.dpr, 0, 0);
    c.clearRect(0, 0, W, H);
    if (this.loading) {
      fill(c, 0, 0, W, H, a.col(11));
      c.textAlign = 'center';
      text(c, a.raw(9), '12px sans-serif', a.col(10), W / 2, [0, 0, W, H]);
      c.textAlign = 'start';
      return;
    }
    background(c, 0, 0, W, H, a.col(2), a.flag(88) && a.col(17));
    image(c, this.imgs.get(a.raw(4)), a.int(5, 0, 5), a.num(6), a.num(7), 0, 0, W, H);
    border(c, 0, 0, W, H, a.int(14, 0, 4), a.size(12), a.col(16));
    let b = m.menu;
    if (b) {
      if (!a.flag(20)) background(c, b[0], b[1], b[2], b[3], a.col(18), a.flag(89) && a.col(19));
      border(c, b[0], b[1], b[2], b[3], a.int(23, 0, 4), a.size(21), a.col(25));
    }
    m.items.forEach((it, k) => {
      let st = this.state(k), s = 32 + 18 * st, [x, y, w, h] = it.r;
      if (!a.flag(s + 5)) background(c, x, y, w, h, a.col(s), a.flag(90 + st) && a.col(s + 1));
      image(c, this.imgs.get(it.img[st]), a.int(s + 2, 0, 5), a.num(s + 3), a.num(s + 4), x, y, w, h);
      border(c, x, y, w, h, a.int(s + 10, 0, 4), a.size(s + 8), a.col(s + 12));
      let bw = a.bw(s + 8, s + 10), o = a.num(s + 16), al = a.int(s + 17, 0, 2), f = a.font(s + 13);
      c.font = f;
      let tw = c.measureText(it.caption).width;
      let tx = al === 0 ? x + bw + 2 + o : al === 1 ? x + Math.floor((w - tw) / 2) + o
        : x + w - bw - 2 - tw - o;
      text(c, it.caption, f, a.col(s + 6), tx, [x + bw, y + bw, w - 2 * bw, h - 2 * bw]);
    });
  }
};

let uid = 0;
function resolve(name) {
  if (!name || name === '.' || name === '..' || /[\/\\:]/.test(name)) return null;
  return new URL(encodeURIComponent(name), doc.baseURI).href;
}
function play(name) {
  let u = resolve(name);
  if (!u) return;
  try {
    new Audio(u).play()?.catch(() => {});
  } catch (e) { /* a sound that cannot play is skipped */ }
}
function addStyle() {
  if (styled) return;
  styled = true;
  let s = doc.createElement('style');
  s.textContent =
    '.zorvex ul{list-style:none;margin:0;padding:0}' +
    '.zv-i,.zv-r{margin:0;padding:0;border:0;background:none;font:inherit;text-align:left;' +
    'text-decoration:none;outline:0;appearance:none;overflow:clip;white-space:pre;cursor:default}' +
    '.zv-i{position:absolute;color:transparent}' +
    '.zorvex .zv-p{position:absolute;box-sizing:border-box;padding:2px;border:1px solid #808080;' +
    'background:#F0F0F0;z-index:99999}' +
    '.zv-p>li{display:block;margin:0}.zv-p>.zv-s{height:7px;box-sizing:border-box;padding-top:3px}' +
    '.zv-s>div{margin-left:1px;height:0;border-top:1px solid #A0A0A0;border-bottom:1px solid #FFF}' +
    '.zv-r{display:block;box-sizing:border-box;width:100%;' +
    'height:var(--h);line-height:var(--h);padding-left:5px;color:#000}' +
    '.zv-r:hover,.zv-r:focus,.zv-r.zv-o{background:#316AC5;color:#FFF}' +
    '.zv-r>span{position:absolute;width:1px;background:currentColor}.zv-m{position:relative}';
  (doc.head || doc.documentElement).appendChild(s);
}

function upgrade(root) {
  (root || doc).querySelectorAll('applet').forEach((el) => {
    if (/^zorvex\.class$/i.test(el.getAttribute('code') || '') && !menus.has(el)) new Menu(el);
  });
}

global.zorvex = {
  upgrade,
  layout(el) {
    for (; el; el = el.parentNode) if (menus.has(el)) return record(menus.get(el).m);
    return null;
  }
};
if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', () => upgrade());
else upgrade();
})(window);
