// Behaviour: pointer, keys and popups of one menu.
import {
  AP_BG,
  AP_IMAGE,
  STATE_BLOCK,
  S_FG,
  S_BORDER_W,
  S_BORDER_STYLE,
  S_FONT,
  S_OFFSET,
  S_ALIGN,
  Fields
} from './fields.js';
import { readParams, readItems } from './read.js';
import { readLook, popupVars, schemeColours, followsPage } from './look.js';
import { families, placeMenu, popupBox, narrowRows } from './geometry.js';
import { paintWide, paintBar } from './paint.js';
import { registry } from './registry.js';
import { setSize, setVars, opens, canvas, build, controlOf } from './elements.js';
import { addStyle, fadeIn, raise, popover } from './style.js';
import { narrowForm } from './narrow.js';
import { documentListeners, origin, viewport, resolve, play } from './page.js';
import { reserve, release } from './place.js';

export class Menu {
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
    const applet = this.applet,
      params = readParams(applet);
    this.model = {
      fields: new Fields(params.get('app')),
      items: readItems(params),
      look: readLook(params.get('look')),
      pageFamily: applet.parentElement ? getComputedStyle(applet.parentElement).fontFamily : ''
    };
    this.model.baseLook = this.model.look;
    placeMenu(this.model);
    yield;
    yield* build(this);
    yield;
    this.listen();
    addStyle();
    release(applet);
    // Until it is drawn, the menu keeps the place the tag held.
    reserve(this.box, this.model.fields);
    applet.replaceWith(this.box);
    registry.menus.set(this.box, this);
    registry.menus.set(applet, this);
    this.showScheme();
    this.followScheme(true);
    yield;
    this.layOut();
    yield;
    for (const name of ['padding-top', 'visibility']) this.box.style.removeProperty(name);
    this.fit(true);
    this.loadImages();
    // A caption rewritten after the upgrade (a translator, another script) lays the menu out
    // again before the next frame.
    this.captions = new window.MutationObserver(() => this.relayout());
    this.captions.observe(this.box, { childList: true, characterData: true, subtree: true });
  }
  // The colours of the scheme the page shows now; true when they changed.
  showScheme() {
    const model = this.model,
      shown = schemeColours(model.baseLook, this.box.parentElement, this.box, this.context);
    if (shown.key === this.schemeKey && shown.dark === this.dark) return false;
    Object.assign(this, { schemeKey: shown.key, dark: shown.dark });
    model.look = shown.look;
    model.fields.shown = shown.fields;
    return true;
  }
  // A menu whose colours follow the page: the visitor's preference, and a theme switch that
  // changes an attribute of the page's root, its body or the menu's ancestors.
  followScheme(on) {
    if (!followsPage(this.model.baseLook)) return;
    if (!on) {
      this.schemeMedia?.removeEventListener('change', this.onScheme);
      return this.schemeObserver?.disconnect();
    }
    this.onScheme = () => {
      if (this.showScheme()) this.relayout();
    };
    this.schemeMedia = window.matchMedia?.('(prefers-color-scheme: dark)');
    this.schemeMedia?.addEventListener('change', this.onScheme);
    this.schemeObserver = new window.MutationObserver(this.onScheme);
    for (let el = this.box.parentElement; el; el = el.parentElement)
      this.schemeObserver.observe(el, { attributes: true });
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
    const model = this.model,
      box = this.box;
    box.style.setProperty('font-size', '1px', 'important');
    model.fields.minimum = Math.round(parseFloat(getComputedStyle(box).fontSize)) || 0;
    placeMenu(model);
    // Styled before the form is chosen, which reads the page's layout: once laid out, the
    // items stay as they are unless the form changes.
    for (const item of model.items) {
      setVars(item.el, { x: item.rect[0], y: item.rect[1], w: item.rect[2], h: item.rect[3] });
      item.look = null;
      this.captionLook(item, this.stateOf(item));
    }
    setVars(box, {
      rh: model.rowH,
      nh: model.narrowRowH,
      t: model.barH,
      at: Math.floor(model.rowH / 2) - 3,
      pf: model.popupFont,
      bg: `rgb(${model.fields.colour(AP_BG)})`,
      ...popupVars(model.look)
    });
  }
  relayout() {
    this.captions.takeRecords();
    const read = (entry) => {
      if (entry.el) entry.caption = entry.el.textContent;
    };
    this.model.items.forEach(read);
    this.model.popups.forEach((popup) => popup.rows.forEach(read));
    this.layOut();
    if (this.narrow) this.rows = narrowRows(this.model, (popup) => popup.expanded);
    this.redraw();
    this.place();
  }
  // A first-level caption in the state's font and colour, placed as the drawing places it:
  // aligned, offset and centred vertically inside the item's border, clipped to it.
  captionLook(item, state) {
    const shown = state + (this.narrow ? 'n' : 'w');
    if (item.look === shown) return;
    item.look = shown;
    const fields = this.model.fields,
      s = STATE_BLOCK[state],
      bw = fields.borderWidth(s + S_BORDER_W, s + S_BORDER_STYLE);
    const { look } = this.model,
      font = fields.font(s + S_FONT, families(this.model, look.font), look.weight),
      w = item.rect[2],
      o = fields.pos(s + S_OFFSET),
      align = fields.int(s + S_ALIGN, 0, 2);
    let indent = 2 + o; // in the narrow form the style sheet places it, 16 pixels in
    if (align && !this.narrow) {
      this.context.font = font;
      const text = item.el.textContent,
        tw = this.context.measureText(look.caps ? text.toUpperCase() : text).width;
      indent = align === 1 ? Math.floor((w - tw) / 2) + o - bw : w - 2 * bw - 2 - tw - o;
    }
    const h = this.narrow ? this.model.barH : item.rect[3];
    setVars(item.el, {
      b: bw,
      i: indent,
      lh: Math.max(0, h - 2 * bw),
      f: font,
      c: `rgb(${fields.colour(s + S_FG)})`
    });
  }

  // Normal, mouse over (pointed at, or focused from the keyboard) or clicked (held, or open).
  // The current page's first-level item is clicked where it would be normal.
  stateOf(entry) {
    const el = entry === this ? this.button : entry.el;
    const open =
      entry === this
        ? this.listOpen
        : this.narrow
          ? entry.popup && entry.popup.expanded
          : this.open === entry;
    if (this.pressed === el || open) return 2;
    return this.hot === el || this.keyFocus === el ? 1 : entry === this.model.current ? 2 : 0;
  }
  paint() {
    this.context.setTransform(this.scale, 0, 0, this.scale, 0, 0);
    if (!this.narrow) return paintWide(this);
    paintBar(this);
    this.paintList();
  }
  // Printing asks for 3 device pixels per CSS pixel at least, so that the print is sharp.
  sizeCanvas(canvas, w, h) {
    const dpr = (this.scale = Math.max(window.devicePixelRatio || 1, registry.printing ? 3 : 0));
    const bw = Math.round(w * dpr),
      bh = Math.round(h * dpr);
    if (canvas.width !== bw) canvas.width = bw;
    if (canvas.height !== bh) canvas.height = bh;
    setSize(canvas, w, h);
  }
  // The room the page gives decides between the applet area and the narrow form.
  fit(first) {
    const A = this.availableWidth(),
      narrow = A < this.model.W;
    const same =
      narrow === this.narrow && (!narrow || A === this.A) && this.scale === window.devicePixelRatio;
    if (!first && same) return this.place();
    if (narrow !== this.narrow || first) this.reset(narrow);
    this.A = narrow ? A : this.model.W;
    this.redraw();
  }
  redraw() {
    const w = this.A,
      h = this.narrow ? this.model.barH : this.model.H;
    this.drawn = null;
    setSize(this.box, w, h);
    this.sizeCanvas(this.context.canvas, w, h);
    this.paint();
  }
  reset(narrow) {
    this.closeAll();
    for (const popup of this.model.popups) {
      popup.expanded = false;
      popup.ul.hidden = true;
      popup.control.setAttribute('aria-expanded', 'false');
      popover(popup.ul, !narrow);
    }
    popover(this.list, narrow);
    this.narrow = narrow;
    this.box.classList.toggle('zv-n', narrow);
    this.box.classList.toggle('zv-w', !narrow);
    this.list.hidden = narrow;
    this.listOpen = false;
    this.rows = narrow ? narrowRows(this.model, (popup) => popup.expanded) : [];
    this.model.items.forEach((item) => this.captionLook(item, this.stateOf(item)));
  }
  isOpen() {
    return this.narrow ? this.listOpen : this.chain.length > 0;
  }
  closeAll() {
    if (this.narrow) this.showList(false);
    else this.closeFrom(0);
  }

  // A popup opens beside its opener, kept in the window; it lies in the viewport's coordinates.
  show(popup) {
    const model = this.model,
      { width: vw, height: vh } = viewport(),
      o = origin(this.box);
    const par = popup.parent,
      b = popupBox(model, popup);
    let x = b[0],
      y = b[1];
    if (par) {
      x = par.at[0] + par.box[2] - model.inner;
      y = par.at[1] + popup.opener.y - par.box[1] - model.inner;
      if (o.left + x + b[2] > vw) x = par.at[0] - b[2] + model.inner;
    } else if (o.left + x + b[2] > vw) x = Math.max(vw - b[2], 0) - o.left;
    if (o.top + y + b[3] > vh) y = Math.max(vh - b[3], 0) - o.top;
    popup.at = [x, y];
    setVars(popup.ul, { x: o.left + x, y: o.top + y, w: b[2], h: b[3] });
    const opening = popup.ul.hidden;
    raise(popup.ul, true);
    if (opening) fadeIn(popup.ul, model.look.transition);
    popup.control.setAttribute('aria-expanded', 'true');
    if (par) popup.control.classList.add('zv-o');
    else this.open = model.items[popup.path[0]];
    if (this.chain.indexOf(popup) < 0) this.chain.push(popup);
  }
  closeFrom(i) {
    const closed = this.chain.splice(i);
    if (!closed.length) return;
    for (const popup of closed.reverse()) {
      raise(popup.ul, false);
      popup.control.setAttribute('aria-expanded', 'false');
      popup.control.classList.remove('zv-o');
    }
    if (!i) this.open = null;
    this.paint();
  }
  // Resting on or choosing a row opens its popup and closes any other below the same popup.
  openRow(row) {
    const i = this.chain.indexOf(row.popup);
    if (i < 0 || this.chain[i + 1] === row.child) return;
    this.closeFrom(i + 1);
    if (row.child) this.show(row.child);
  }
  toggleItem(item) {
    const was = this.open === item;
    this.closeFrom(0);
    if (item.popup && !was) this.show(item.popup);
  }
  // After a scroll or a resize: what is open follows the applet area.
  place() {
    if (!this.narrow) this.chain.slice().forEach((popup) => this.show(popup));
    else if (this.listOpen) this.placeList();
    this.paint();
  }

  pointerOver(event) {
    const el = controlOf(event.target);
    if (event.pointerType === 'touch' || el === this.hot) return;
    this.hot = el;
    const entry = el && registry.entries.get(el);
    if (entry && entry.sounds) play(entry.sounds[0]);
    if (entry && !this.narrow && entry.rect && this.open && this.open !== entry) {
      this.closeFrom(0);
      if (entry.popup) this.show(entry.popup);
    } else if (entry && !this.narrow && entry.kind) {
      clearTimeout(this.timer);
      this.timer = setTimeout(() => this.openRow(entry), 150);
    }
    this.paint();
  }
  pointerOut(event) {
    const el = controlOf(event.target);
    if (el && controlOf(event.relatedTarget) !== el) clearTimeout(this.timer);
    if (this.box.contains(event.relatedTarget)) return;
    this.hot = this.pressed = null;
    this.paint();
  }
  pointerDown(event) {
    const el = controlOf(event.target);
    if (event.button || !el) return;
    this.pressed = el;
    const entry = registry.entries.get(el);
    if (entry.sounds) play(entry.sounds[1]);
    this.paint();
  }
  pointerUp() {
    this.pressed = null;
    this.paint();
  }
  click(event) {
    const el = controlOf(event.target),
      entry = el && registry.entries.get(el);
    if (!entry) return;
    this.pressed = null;
    clearTimeout(this.timer);
    if (entry === this) this.showList(!this.listOpen);
    else if (this.narrow) {
      if (opens(entry)) this.toggleBranch(opens(entry));
      else this.showList(false);
    } else if (entry.rect) this.toggleItem(entry);
    else if (entry.child) this.openRow(entry);
    else this.closeFrom(0);
    this.paint();
  }
  // Keyboard focus only: a click or a tap focuses too, but is no mouse-over.
  focusIn(event) {
    const el = controlOf(event.target);
    this.keyFocus = el && el.matches(':focus-visible') ? el : null;
    this.paint();
  }
  focusOut(event) {
    this.keyFocus = null;
    const hidden = !event.relatedTarget && event.target.closest('[hidden]');
    if (!hidden && !this.box.contains(event.relatedTarget)) this.closeAll();
    this.paint();
  }
  // A press on the menu's own surface keeps the focus where it is.
  keepFocus(event) {
    if (!controlOf(event.target)) event.preventDefault();
  }
  key(event) {
    if (this.narrow ? this.narrowKey(event) : this.wideKey(event)) event.preventDefault();
  }
  // Escape (Left Arrow in a deeper popup) closes the innermost popup; Right Arrow on a row or
  // Down Arrow on an item opens its popup and enters it; Up and Down move between rows.
  wideKey(event) {
    const el = controlOf(event.target),
      entry = el && registry.entries.get(el),
      ch = this.chain;
    const inner = ch[ch.length - 1],
      sub = entry && opens(entry),
      here = entry && entry.kind ? entry.popup : null;
    const rows = (popup) => popup.rows.filter((row) => row.el).map((row) => row.el);
    if (event.key === 'Escape' || (event.key === 'ArrowLeft' && here && here.parent)) {
      if (!inner) return false;
      inner.control.focus();
      this.closeFrom(ch.indexOf(inner));
    } else if (sub && (event.key === 'ArrowRight' ? here : event.key === 'ArrowDown' && !here)) {
      if (ch.indexOf(sub) < 0) el.click();
      if (rows(sub).length) rows(sub)[0].focus();
    } else if ((event.key === 'ArrowDown' || event.key === 'ArrowUp') && here) {
      const list = rows(here),
        i = list.indexOf(el),
        d = event.key === 'ArrowDown' ? 1 : -1;
      list[(i + d + list.length) % list.length].focus();
    } else return false;
    return true;
  }

  loadImages() {
    const names = [this.model.fields.raw(AP_IMAGE)];
    let left = 0;
    this.model.items.forEach((item) => names.push(...item.images));
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
    this.followScheme(false);
    registry.live.delete(this);
    if (this.box.parentElement) registry.resizes.unobserve(this.box.parentElement);
    this.box.replaceWith(this.applet);
    registry.menus.delete(this.box);
    registry.menus.delete(this.applet);
    if (!registry.live.size) documentListeners(false);
  }
}

Object.assign(Menu.prototype, narrowForm);
