/* zorvex.js: turns the menu applet tags that Tarvelle writes into working menus.
   One file, no dependencies. Drawing and behaviour follow the menu contract shared with the
   editor's live preview; the choices it leaves open are noted where they are made. */
(function (global) {
  'use strict';
  var doc = global.document;
  // Defaults of the 96 applet fields, position 1 first.
  var DEF = ('0|FFFFFF|000000||0|0|0||Loading...|000000|FFFFFF|5|0|3|0|F4BE1A|FFFFFF|000000|' +
    '000000|0|0|0|0|0|FFFFFF|1|40|20|80|20|0|' +
    'FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|D0AC1A|0|14|0|0|1|' +
    'FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|FDCD5E|0|14|0|0|1|' +
    'FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|4|0|FDCD5E|0|14|0|0|1|' +
    '400|60|0|0|0|0|0|0|0|14|0').split('|');
  var FAMILY = ['serif', 'sans-serif', 'monospace', 'sans-serif'];
  var menus = new WeakMap();
  var styled = false;

  // ---- reading values ----
  function int(v, lo, hi, def) {
    if (typeof v === 'string' && /^-?\d+$/.test(v)) {
      var n = Number(v);
      if (n >= lo && n <= hi) return n;
    }
    return def;
  }
  function Fields(app) {
    this.f = app === undefined ? [] : app.split('|');
  }
  Fields.prototype = {
    raw: function (k) { return this.f.length >= k ? this.f[k - 1] : DEF[k - 1]; },
    int: function (k, lo, hi) { return int(this.raw(k), lo, hi, Number(DEF[k - 1])); },
    num: function (k) { return this.int(k, -9999, 9999); },
    size: function (k) { return this.int(k, 0, 9999); },
    flag: function (k) { return this.raw(k) === '1'; },
    col: function (k) {
      var v = this.raw(k);
      return rgb(/^[0-9a-f]{6}$/i.test(v) ? v : DEF[k - 1]);
    },
    // Width of a part's border: its width field unless its style is "No Border".
    bw: function (w, s) { return this.int(s, 0, 4) ? this.size(w) : 0; },
    font: function (k) {
      var st = this.int(k + 2, 0, 3);
      return (st & 2 ? 'italic ' : '') + (st & 1 ? 'bold ' : '') + this.int(k + 1, 1, 999) +
        'px ' + FAMILY[this.int(k, 0, 3)];
    }
  };
  function rgb(hex) {
    var n = parseInt(hex, 16);
    return [n >> 16, (n >> 8) & 255, n & 255];
  }
  function css(c) { return 'rgb(' + c[0] + ',' + c[1] + ',' + c[2] + ')'; }
  function light(c) { return c.map(function (v) { return v + Math.floor((255 - v) * 2 / 5); }); }
  function dark(c) { return c.map(function (v) { return Math.floor(v * 3 / 5); }); }

  function readParams(el) {
    var p = new Map();
    el.querySelectorAll('param').forEach(function (q) {
      var n = (q.getAttribute('name') || '').toLowerCase();
      if (!p.has(n)) p.set(n, q.getAttribute('value') || '');
    });
    return p;
  }

  // The menu as the tag describes it: first-level items, each with its popup tree.
  function readMenu(p) {
    var a = new Fields(p.get('app')), items = [];
    for (var b = 0; p.has('i0-' + b); b++) {
      var f = p.get('i0-' + b).split('|'), d = function (i, v) { return i < f.length ? f[i] : v; };
      items.push({
        caption: f[0], url: d(1, ''), target: d(2, '_self'), status: d(3, ''),
        img: [d(4, ''), d(5, ''), d(6, '')], snd: [d(7, ''), d(8, '')],
        ox: int(d(9), -9999, 9999, 5), oy: int(d(10), -9999, 9999, 5),
        popup: p.has('btn' + b + 'mn0it0') ? readPopups(p, b) : null
      });
    }
    return { a: a, items: items };
  }

  // Builds popup 0 of branch b and every popup its rows open, without recursion. A popup is
  // opened by one row only: a later reference to it (a cycle, or a second reference, which
  // the editor never writes) makes an ordinary row captioned with the popup's header.
  function readPopups(p, b) {
    var used = new Set(['0']), root = popup(p, b, '0', [b]), todo = [root];
    while (todo.length) {
      var pp = todo.pop();
      pp.rows.forEach(function (r, i) {
        var ref = r.ref;
        if (!ref) return;
        if (used.has(ref)) {
          r.kind = 'item';
          return;
        }
        used.add(ref);
        r.child = popup(p, b, ref, pp.path.concat(i));
        r.child.parent = pp;
        r.child.row = r;
        todo.push(r.child);
      });
    }
    return root;
  }
  function popup(p, b, m, path) {
    var rows = [], pre = 'btn' + b + 'mn';
    for (var i = 0, key; p.has(key = pre + m + 'it' + i); i++) {
      var v = p.get(key), low = v.toLowerCase(), s = low.slice(pre.length), r;
      if (v.indexOf('|') < 0 && low.indexOf(pre) === 0 && /^\d+$/.test(s) && p.has(low + 'it0')) {
        r = { caption: p.has(low) ? p.get(low) : '', url: '', target: '_self', kind: 'submenu', ref: s };
      } else {
        var f = v.split('|');
        r = { caption: f[0], url: f.length > 1 ? f[1] : '', target: f.length > 2 ? f[2] : '_self' };
        r.kind = r.caption === '-' ? 'separator' : 'item';
      }
      rows.push(r);
    }
    return { path: path, rows: rows };
  }

  // ---- geometry ----
  // Positions everything before keeping in view; popup widths use measure(caption).
  function layout(m, measure) {
    var a = m.a, n = m.items.length, W = a.size(86), H = a.size(87);
    var horiz = a.int(26, 0, 1) !== 0, mb = a.bw(21, 23), mx = a.num(27), my = a.num(28);
    var iw = a.size(29), ih = a.size(30), g = a.num(31), rowH = a.int(95, 1, 999) + 8;
    m.W = W;
    m.H = H;
    m.menu = n ? (horiz ? [mx, my, 2 * mb + n * iw + (n - 1) * g, 2 * mb + ih]
      : [mx, my, 2 * mb + iw, 2 * mb + n * ih + (n - 1) * g]) : null;
    m.popups = [];
    m.items.forEach(function (it, k) {
      var x = mx + mb + (horiz ? k * (iw + g) : 0), y = my + mb + (horiz ? 0 : k * (ih + g));
      it.r = [x, y, iw, ih];
      if (!it.popup) return;
      var stack = [[it.popup, horiz ? x + it.ox : x + iw + it.ox, horiz ? y + ih + it.oy : y + it.oy]];
      while (stack.length) {
        var e = stack.pop(), pp = e[0], ry = e[2] + 3, w = 0;
        pp.rows.forEach(function (r) {
          r.y = ry;
          r.h = r.kind === 'separator' ? 7 : rowH;
          ry += r.h;
          if (r.kind !== 'separator') w = Math.max(w, Math.ceil(measure(r.caption)));
        });
        pp.box = [e[1], e[2], Math.max(80, 30 + w), ry + 3 - e[2]];
        m.popups.push(pp);
        for (var i = pp.rows.length - 1; i >= 0; i--) {
          var r = pp.rows[i];
          if (r.child) stack.push([r.child, pp.box[0] + pp.box[2] - 3, r.y - 3]);
        }
      }
    });
  }

  function record(m) {
    return {
      applet: [0, 0, m.W, m.H], menu: m.menu,
      items: m.items.map(function (it) { return it.r.slice(); }),
      popups: m.popups.map(function (pp) {
        return {
          path: pp.path.slice(), box: pp.box.slice(),
          rows: pp.rows.map(function (r) { return [r.y, r.h, r.kind]; })
        };
      })
    };
  }

  // ---- painting ----
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
    for (var j = 0; j < h; j++) {
      fill(c, x, y + j, w, 1, A.map(function (v, i) {
        return v + Math.floor(((B[i] - v) * (2 * j + 1) + h) / (2 * h));
      }));
    }
  }
  function border(c, x, y, w, h, style, bw, col) {
    var n = Math.min(bw, Math.floor(Math.min(w, h) / 2)), L = light(col), D = dark(col);
    if (!style) return;
    for (var k = 0; k < n; k++) {
      var outer = k < Math.ceil(n / 2);
      var raised = style === 3 || (style === 1 && outer) || (style === 2 && !outer);
      var tl = raised ? L : D, br = raised ? D : L;
      fill(c, x + k, y + k, w - 1 - 2 * k, 1, tl);
      fill(c, x + k, y + k, 1, h - 1 - 2 * k, tl);
      fill(c, x + k, y + h - 1 - k, w - 2 * k, 1, br);
      fill(c, x + w - 1 - k, y + k, 1, h - 2 * k, br);
    }
  }
  function image(c, img, how, X, Y, ax, ay, AW, AH) {
    if (!img || !img.complete || !img.naturalWidth) return;
    var w = img.naturalWidth, h = img.naturalHeight, mid = ay + Math.floor((AH - h) / 2);
    c.save();
    c.beginPath();
    c.rect(ax, ay, Math.max(AW, 0), Math.max(AH, 0));
    c.clip();
    if (how === 0) c.drawImage(img, ax + X, ay + Y);
    else if (how === 1) c.drawImage(img, ax + Math.floor((AW - w) / 2), mid);
    else if (how === 2) c.drawImage(img, ax, mid);
    else if (how === 3) c.drawImage(img, ax + AW - w, mid);
    else if (how === 4) {
      for (var j = 0; j < AH; j += h) for (var i = 0; i < AW; i += w) c.drawImage(img, ax + i, ay + j);
    } else c.drawImage(img, ax, ay, AW, AH);
    c.restore();
  }
  // A caption from x, centred vertically in its clip rectangle and clipped to it.
  function text(c, s, font, col, x, clip) {
    c.save();
    c.beginPath();
    c.rect(clip[0], clip[1], Math.max(clip[2], 0), Math.max(clip[3], 0));
    c.clip();
    c.font = font;
    c.fillStyle = css(col);
    c.textBaseline = 'alphabetic';
    var mt = c.measureText(s), asc = mt.fontBoundingBoxAscent, des = mt.fontBoundingBoxDescent;
    c.fillText(s, x, clip[1] + Math.floor((clip[3] - asc - des) / 2) + asc);
    c.restore();
  }

  function Menu(applet) {
    var p = readParams(applet), m = readMenu(p), self = this;
    this.m = m;
    this.a = m.a;
    this.hover = this.focus = this.press = this.open = -1;
    this.chain = [];
    this.imgs = new Map();
    var cv = doc.createElement('canvas');
    this.c = cv.getContext('2d');
    this.c.font = m.a.font(94);
    layout(m, function (s) { return self.c.measureText(s).width; });
    var box = this.box = doc.createElement('div');
    box.className = 'zorvex';
    box.style.cssText = 'position:relative;display:inline-block;vertical-align:top;width:' + m.W +
      'px;height:' + m.H + 'px';
    var dpr = this.dpr = Math.max(1, Math.round(global.devicePixelRatio || 1));
    cv.width = m.W * dpr;
    cv.height = m.H * dpr;
    cv.style.cssText = 'position:absolute;left:0;top:0;width:' + m.W + 'px;height:' + m.H + 'px';
    cv.setAttribute('aria-hidden', 'true');
    box.appendChild(cv);
    this.build();
    applet.replaceWith(box);
    menus.set(box, this);
    menus.set(applet, this);
    this.load();
  }

  Menu.prototype = {
    // ---- the page structure ----
    build: function () {
      var self = this, m = this.m;
      var nav = doc.createElement('nav'), ul = doc.createElement('ul');
      nav.setAttribute('aria-label', 'Menu');
      nav.style.cssText = 'position:absolute;left:0;top:0;width:100%;height:100%';
      ul.className = 'zv-l';
      m.items.forEach(function (it, k) {
        var li = doc.createElement('li'), el = self.control(it, !!it.popup);
        var r = it.r, x = Math.max(r[0], 0), y = Math.max(r[1], 0);
        el.className = 'zv-i';
        el.style.cssText = 'left:' + x + 'px;top:' + y + 'px;width:' +
          Math.max(0, Math.min(r[0] + r[2], m.W) - x) + 'px;height:' +
          Math.max(0, Math.min(r[1] + r[3], m.H) - y) + 'px';
        if (it.status) el.title = it.status;
        it.el = el;
        li.appendChild(el);
        if (it.popup) self.popupList(it.popup, li, el);
        self.itemEvents(it, k);
        ul.appendChild(li);
      });
      nav.appendChild(ul);
      nav.addEventListener('keydown', function (e) { self.key(e); });
      // A press on the menu's own surface keeps the focus where it is.
      this.box.addEventListener('mousedown', function (e) {
        if (!e.target.closest('a,button')) e.preventDefault();
      });
      this.box.addEventListener('focusout', function (e) {
        var gone = !e.relatedTarget && e.target.closest('ul[hidden]');
        if (!gone && !self.box.contains(e.relatedTarget)) self.closeFrom(0);
      });
      doc.addEventListener('pointerdown', function (e) {
        if (!self.box.contains(e.target)) self.closeFrom(0);
      }, true);
      this.box.appendChild(nav);
      addStyle();
    },
    control: function (it, opens) {
      var el = doc.createElement(opens ? 'button' : 'a');
      el.textContent = it.caption;
      if (opens) {
        el.type = 'button';
        el.setAttribute('aria-expanded', 'false');
      } else if (it.url) {
        el.href = it.url;
        el.target = it.target;
        if (it.target.toLowerCase() === '_blank') el.rel = 'noopener';
      } else el.tabIndex = 0;
      return el;
    },
    // The list of one popup and, through its rows, of every popup below it.
    popupList: function (root, li0, el0) {
      var self = this, todo = [[root, li0, el0]], font = this.a.font(94);
      while (todo.length) {
        var t = todo.pop(), pp = t[0], ul = doc.createElement('ul'), par = pp.parent;
        var off = par ? [par.box[0] + 1, par.box[1] + 1] : [0, 0];
        ul.className = 'zv-p';
        ul.id = 'zv' + (++uid);
        ul.hidden = true;
        ul.style.cssText = 'left:' + (pp.box[0] - off[0]) + 'px;top:' + (pp.box[1] - off[1]) +
          'px;width:' + pp.box[2] + 'px;height:' + pp.box[3] + 'px;font:' + font;
        t[2].setAttribute('aria-controls', ul.id);
        t[2].zvPopup = pp;
        pp.ul = ul;
        pp.opener = t[2];
        pp.rows.forEach(function (r) {
          var li = doc.createElement('li');
          li.style.height = r.h + 'px';
          if (r.kind === 'separator') {
            li.setAttribute('role', 'separator');
            li.appendChild(doc.createElement('div')).style.width = (pp.box[2] - 8) + 'px';
          } else {
            var el = r.el = self.control(r, !!r.child);
            el.className = 'zv-r';
            el.style.lineHeight = r.h + 'px';
            li.appendChild(el);
            if (r.child) {
              for (var i = 0; i < 4; i++) {
                el.appendChild(doc.createElement('span')).style.cssText = 'left:' +
                  (pp.box[2] - 15 + i) + 'px;top:' + (Math.floor(r.h / 2) - 3 + i) +
                  'px;height:' + (7 - 2 * i) + 'px';
              }
              todo.push([r.child, li, el]);
            }
            self.rowEvents(pp, r);
          }
          ul.appendChild(li);
        });
        t[1].appendChild(ul);
      }
    },

    // ---- behaviour ----
    itemEvents: function (it, k) {
      var self = this, el = it.el;
      el.addEventListener('pointerenter', function (e) {
        if (e.pointerType === 'touch') return;
        self.hover = k;
        play(it.snd[0]);
        if (self.open >= 0 && self.open !== k) {
          self.closeFrom(0);
          if (it.popup) self.show(it.popup);
        }
        self.paint();
      });
      el.addEventListener('pointerleave', function () {
        self.hover = self.press = -1;
        self.paint();
      });
      el.addEventListener('pointerdown', function (e) {
        if (e.button) return;
        self.press = k;
        play(it.snd[1]);
        self.paint();
      });
      el.addEventListener('pointerup', function () {
        self.press = -1;
        self.paint();
      });
      // Keyboard focus only: a click or a tap focuses the item too, but is no mouse-over.
      el.addEventListener('focus', function () {
        self.focus = el.matches(':focus-visible') ? k : -1;
        self.paint();
      });
      el.addEventListener('blur', function () { self.focus = -1; self.paint(); });
      el.addEventListener('click', function () {
        var was = self.open === k;
        self.closeFrom(0);
        if (it.popup && !was) self.show(it.popup);
      });
    },
    rowEvents: function (pp, r) {
      var self = this;
      r.el.addEventListener('pointerenter', function (e) {
        if (e.pointerType === 'touch') return;
        clearTimeout(self.timer);
        self.timer = setTimeout(function () { self.openRow(pp, r); }, 150);
      });
      r.el.addEventListener('pointerleave', function () { clearTimeout(self.timer); });
      r.el.addEventListener('click', function () {
        clearTimeout(self.timer);
        if (r.child) self.openRow(pp, r);
        else self.closeFrom(0);
      });
    },
    // Resting on or choosing a row: its popup opens, any other below the same popup closes.
    openRow: function (pp, r) {
      var i = this.chain.indexOf(pp);
      if (i < 0 || this.chain[i + 1] === r.child) return;
      this.closeFrom(i + 1);
      if (r.child) this.show(r.child);
    },
    show: function (pp) {
      var vw = doc.documentElement.clientWidth, vh = doc.documentElement.clientHeight;
      var o = this.box.getBoundingClientRect(), par = pp.parent, b = pp.box, x = b[0], y = b[1];
      if (par) {
        x = par.at[0] + par.box[2] - 3;
        y = par.at[1] + pp.row.y - par.box[1] - 3;
        if (o.left + x + b[2] > vw) x = par.at[0] - b[2] + 3;
      } else if (o.left + x + b[2] > vw) x = Math.max(vw - b[2], 0) - o.left;
      if (o.top + y + b[3] > vh) y = Math.max(vh - b[3], 0) - o.top;
      pp.at = [x, y];
      pp.ul.style.left = (x - (par ? par.at[0] + 1 : 0)) + 'px';
      pp.ul.style.top = (y - (par ? par.at[1] + 1 : 0)) + 'px';
      pp.ul.hidden = false;
      pp.opener.setAttribute('aria-expanded', 'true');
      if (par) pp.opener.classList.add('zv-o');
      else this.open = pp.path[0];
      this.chain.push(pp);
      this.paint();
    },
    closeFrom: function (i) {
      var closed = this.chain.splice(i);
      if (!closed.length) return;
      closed.forEach(function (pp) {
        pp.ul.hidden = true;
        pp.opener.setAttribute('aria-expanded', 'false');
        pp.opener.classList.remove('zv-o');
      });
      if (!i) this.open = -1;
      this.paint();
    },
    // Escape (and Left Arrow in a deeper popup) closes the innermost popup; Right Arrow on a
    // row, or Down Arrow on a first-level item, opens its popup and enters it.
    key: function (e) {
      var el = e.target, ch = this.chain, pp = ch[ch.length - 1], sub = el.zvPopup;
      var rows = function (p) {
        return p.rows.filter(function (r) { return r.el; }).map(function (r) { return r.el; });
      };
      var inPopup = ch.filter(function (p) { return p.ul.contains(el); }).pop();
      if (e.key === 'Escape' || (e.key === 'ArrowLeft' && inPopup && inPopup.parent)) {
        if (!pp) return;
        pp.opener.focus();
        this.closeFrom(ch.indexOf(pp));
      } else if (sub && (e.key === 'ArrowRight' ? inPopup : e.key === 'ArrowDown' && !inPopup)) {
        if (ch.indexOf(sub) < 0) el.click();
        rows(sub)[0].focus();
      } else if ((e.key === 'ArrowDown' || e.key === 'ArrowUp') && inPopup) {
        var list = rows(inPopup), i = list.indexOf(el), d = e.key === 'ArrowDown' ? 1 : -1;
        if (!list.length) return;
        list[(i + d + list.length) % list.length].focus();
      } else return;
      e.preventDefault();
    },
    state: function (k) {
      if (this.press === k || this.open === k) return 2;
      return this.hover === k || this.focus === k ? 1 : 0;
    },

    // ---- drawing ----
    load: function () {
      var self = this, names = [this.a.raw(4)], left = 0, done = false;
      this.m.items.forEach(function (it) { names = names.concat(it.img); });
      var finish = function () {
        if (done) return;
        done = true;
        self.loading = false;
        self.paint();
      };
      names.forEach(function (n) {
        var u = resolve(n);
        if (!u || self.imgs.has(n)) return;
        var img = new Image();
        left++;
        img.onload = img.onerror = function () { if (!--left) finish(); };
        img.src = u;
        self.imgs.set(n, img);
      });
      this.loading = left > 0;
      this.paint();
      if (left) setTimeout(finish, 3000);
    },
    paint: function () {
      var c = this.c, a = this.a, m = this.m, W = m.W, H = m.H, self = this;
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
      var b = m.menu;
      if (b) {
        if (!a.flag(20)) background(c, b[0], b[1], b[2], b[3], a.col(18), a.flag(89) && a.col(19));
        border(c, b[0], b[1], b[2], b[3], a.int(23, 0, 4), a.size(21), a.col(25));
      }
      m.items.forEach(function (it, k) {
        var st = self.state(k), s = 32 + 18 * st, r = it.r, x = r[0], y = r[1], w = r[2], h = r[3];
        if (!a.flag(s + 5)) background(c, x, y, w, h, a.col(s), a.flag(90 + st) && a.col(s + 1));
        image(c, self.imgs.get(it.img[st]), a.int(s + 2, 0, 5), a.num(s + 3), a.num(s + 4), x, y, w, h);
        border(c, x, y, w, h, a.int(s + 10, 0, 4), a.size(s + 8), a.col(s + 12));
        var bw = a.bw(s + 8, s + 10), o = a.num(s + 16), al = a.int(s + 17, 0, 2), f = a.font(s + 13);
        c.font = f;
        var tw = c.measureText(it.caption).width;
        var tx = al === 0 ? x + bw + 2 + o : al === 1 ? x + Math.floor((w - tw) / 2) + o
          : x + w - bw - 2 - tw - o;
        text(c, it.caption, f, a.col(s + 6), tx, [x + bw, y + bw, w - 2 * bw, h - 2 * bw]);
      });
    }
  };

  var uid = 0;
  function resolve(name) {
    if (!name || name === '.' || name === '..' || /[\/\\:]/.test(name)) return null;
    return new URL(encodeURIComponent(name), doc.baseURI).href;
  }
  function play(name) {
    var u = resolve(name);
    if (!u) return;
    try {
      var p = new Audio(u).play();
      if (p) p.catch(function () {});
    } catch (e) { /* a sound that cannot play is skipped */ }
  }
  function addStyle() {
    if (styled) return;
    styled = true;
    var s = doc.createElement('style');
    s.textContent =
      '.zorvex ul{list-style:none;margin:0;padding:0}' +
      '.zv-i{all:unset;position:absolute;color:transparent;overflow:hidden;white-space:pre}' +
      '.zorvex .zv-p{position:absolute;box-sizing:border-box;padding:2px;border:1px solid #808080;' +
      'background:#F0F0F0;z-index:2147483000;text-align:left}' +
      '.zv-p>li{display:block;margin:0}' +
      '.zv-p>li>div{margin:3px 0 0 1px;height:0;border-top:1px solid #A0A0A0;border-bottom:1px solid #FFF}' +
      '.zv-r{all:unset;display:block;position:relative;box-sizing:border-box;width:100%;height:100%;' +
      'padding-left:5px;color:#000;white-space:pre;overflow:hidden;cursor:default}' +
      '.zv-r:hover,.zv-r:focus,.zv-r.zv-o{background:#316AC5;color:#FFF}' +
      '.zv-r>span{position:absolute;width:1px;background:currentColor}';
    (doc.head || doc.documentElement).appendChild(s);
  }

  function upgrade(root) {
    (root || doc).querySelectorAll('applet').forEach(function (el) {
      if (/^zorvex\.class$/i.test(el.getAttribute('code') || '') && !menus.has(el)) new Menu(el);
    });
  }

  global.zorvex = {
    upgrade: upgrade,
    layout: function (el) {
      for (; el; el = el.parentNode) if (menus.has(el)) return record(menus.get(el).m);
      return null;
    }
  };
  if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', function () { upgrade(); });
  else upgrade();
})(window);
