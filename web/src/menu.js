// Behaviour: pointer, keys and popups of one menu.
import {
  AP_BG,
  AP_IMAGE,
  STATE_BLOCK,
  S_FG,
  S_BORDER_W,
  S_FONT,
  S_OFFSET,
  S_ALIGN,
  Fields,
  rgb
} from './fields.js';
import { readParams, readItems } from './read.js';
import { readLook, popupVars, schemeColours, followsPage } from './look.js';
import { families, placeMenu, popupBox, narrowRows } from './geometry.js';
import { paintWide, paintBar } from './paint.js';
import { registry } from './registry.js';
import { setImportant, setSize, setVars, setExpanded, opens, build, controlOf, entryOf } from './elements.js';
import { addStyle, raise, popover } from './style.js';
import { availableWidth, placeList, paintList, showList, toggleBranch, narrowKey } from './narrow.js';
import { documentListeners, origin, viewport, resolve, play } from './page.js';
import { reserve, release } from './place.js';

export class Menu {
  constructor(applet) {
    this.applet_ = applet;
    this.hot_ = this.pressed_ = this.keyFocus_ = this.open_ = null;
    this.chain_ = [];
    this.rows_ = [];
    this.images_ = new Map();
    this.narrow_ = false;
  }
  // The upgrade in steps, each short enough not to hold up the page: reading, building the
  // elements away from the page, then putting the menu in the applet's place and drawing it.
  *steps_() {
    const applet = this.applet_,
      params = readParams(applet),
      look = readLook(params.get('look'));
    this.model_ = {
      fields_: new Fields(params.get('app')),
      items_: readItems(params),
      look_: look,
      baseLook_: look,
      pageFamily_: applet.parentElement ? getComputedStyle(applet.parentElement).fontFamily : ''
    };
    placeMenu(this.model_);
    yield;
    yield* build(this);
    yield;
    this.listen_();
    addStyle();
    release(applet);
    // Until it is drawn, the menu keeps the place the tag held.
    reserve(this.box_, this.model_.fields_);
    applet.replaceWith(this.box_);
    registry.menus_.set(this.box_, this);
    registry.menus_.set(applet, this);
    this.showScheme_();
    this.followScheme_(true);
    yield;
    this.layOut_();
    yield;
    for (const name of ['padding-top', 'visibility']) this.box_.style.removeProperty(name);
    this.fit_(true);
    this.loadImages_();
    // A caption rewritten after the upgrade (a translator, another script) lays the menu out
    // again before the next frame.
    this.captions_ = new window.MutationObserver(() => this.relayout_());
    this.captions_.observe(this.box_, { childList: true, characterData: true, subtree: true });
  }
  // The colours of the scheme the page shows now; true when they changed.
  showScheme_() {
    const model = this.model_,
      shown = schemeColours(model.baseLook_, this.box_.parentElement, this.box_, this.context_);
    if (shown.key_ === this.schemeKey_ && shown.dark_ === this.dark_) return false;
    this.schemeKey_ = shown.key_;
    this.dark_ = shown.dark_;
    model.look_ = shown.look_;
    model.fields_.shown_ = shown.fields_;
    return true;
  }
  // A menu whose colours follow the page: the visitor's preference, and a theme switch that
  // changes an attribute of the page's root, its body or the menu's ancestors.
  followScheme_(on) {
    if (!followsPage(this.model_.baseLook_)) return;
    if (!on) {
      this.schemeMedia_?.removeEventListener('change', this.onScheme_);
      return this.schemeObserver_?.disconnect();
    }
    this.onScheme_ = () => {
      if (this.showScheme_()) this.relayout_();
    };
    this.schemeMedia_ = window.matchMedia?.('(prefers-color-scheme: dark)');
    this.schemeMedia_?.addEventListener('change', this.onScheme_);
    this.schemeObserver_ = new window.MutationObserver(this.onScheme_);
    for (let el = this.box_.parentElement; el; el = el.parentElement)
      this.schemeObserver_.observe(el, { attributes: true });
  }
  listen_() {
    const on = (type, handler) => this.box_.addEventListener(type, handler.bind(this));
    on('pointerover', this.pointerOver_);
    on('pointerout', this.pointerOut_);
    on('pointerdown', this.pointerDown_);
    on('pointerup', this.pointerUp_);
    on('click', this.click_);
    on('keydown', this.key_);
    on('focusin', this.focusIn_);
    on('focusout', this.focusOut_);
    on('mousedown', this.keepFocus_);
  }

  // Sizes from the fonts the browser shows: its minimum font size can make them larger.
  layOut_() {
    const model = this.model_,
      box = this.box_;
    setImportant(box, { 'font-size': '1px' });
    model.fields_.minimum_ = Math.round(parseFloat(getComputedStyle(box).fontSize)) || 0;
    placeMenu(model);
    // Styled before the form is chosen, which reads the page's layout: once laid out, the
    // items stay as they are unless the form changes.
    for (const item of model.items_) {
      setVars(item.el_, { x: item.rect_[0], y: item.rect_[1], w: item.rect_[2], h: item.rect_[3] });
      item.look_ = null;
      this.captionLook_(item, this.stateOf_(item));
    }
    setVars(box, {
      rh: model.rowH_,
      nh: model.narrowRowH_,
      t: model.barH_,
      at: Math.floor(model.rowH_ / 2) - 3,
      pf: model.popupFont_,
      bg: rgb(model.fields_.colour_(AP_BG)),
      ...popupVars(model.look_)
    });
  }
  relayout_() {
    this.captions_.takeRecords();
    const read = (entry) => {
      if (entry.el_) entry.caption_ = entry.el_.textContent;
    };
    this.model_.items_.forEach(read);
    this.model_.popups_.forEach((popup) => popup.rows_.forEach(read));
    this.layOut_();
    if (this.narrow_) this.rows_ = narrowRows(this.model_);
    this.redraw_();
    this.place_();
  }
  // A first-level caption in the state's font and colour, placed as the drawing places it:
  // aligned, offset and centred vertically inside the item's border, clipped to it.
  captionLook_(item, state) {
    const shown = state + (this.narrow_ ? 'n' : 'w');
    if (item.look_ === shown) return;
    item.look_ = shown;
    const fields = this.model_.fields_,
      s = STATE_BLOCK[state],
      bw = fields.borderWidth_(s + S_BORDER_W);
    const look = this.model_.look_,
      font = fields.font_(s + S_FONT, families(this.model_, look.font_), look.weight_),
      w = item.rect_[2],
      o = fields.pos_(s + S_OFFSET),
      align = fields.int_(s + S_ALIGN, 0, 2);
    let indent = 2 + o; // in the narrow form the style sheet places it, 16 pixels in
    if (align && !this.narrow_) {
      this.context_.font = font;
      const text = item.el_.textContent,
        tw = this.context_.measureText(look.caps_ ? text.toUpperCase() : text).width;
      indent = align === 1 ? Math.floor((w - tw) / 2) + o - bw : w - 2 * bw - 2 - tw - o;
    }
    const h = this.narrow_ ? this.model_.barH_ : item.rect_[3];
    setVars(item.el_, {
      b: bw,
      i: indent,
      lh: Math.max(0, h - 2 * bw),
      f: font,
      c: rgb(fields.colour_(s + S_FG))
    });
  }

  // Normal, mouse over (pointed at, or focused from the keyboard) or clicked (held, or open).
  // The current page's first-level item is clicked where it would be normal.
  stateOf_(entry) {
    const el = entry === this ? this.button_ : entry.el_;
    const open =
      entry === this ? this.listOpen_ : this.narrow_ ? entry.popup_?.expanded_ : this.open_ === entry;
    if (this.pressed_ === el || open) return 2;
    return this.hot_ === el || this.keyFocus_ === el ? 1 : entry === this.model_.current_ ? 2 : 0;
  }
  paint_() {
    this.context_.setTransform(this.scale_, 0, 0, this.scale_, 0, 0);
    if (!this.narrow_) return paintWide(this);
    paintBar(this);
    paintList(this);
  }
  // Printing asks for 3 device pixels per CSS pixel at least, so that the print is sharp.
  sizeCanvas_(canvas, w, h) {
    const dpr = (this.scale_ = Math.max(window.devicePixelRatio || 1, registry.printing_ ? 3 : 0));
    const bw = Math.round(w * dpr),
      bh = Math.round(h * dpr);
    if (canvas.width !== bw) canvas.width = bw;
    if (canvas.height !== bh) canvas.height = bh;
    setSize(canvas, w, h);
  }
  // The room the page gives decides between the applet area and the narrow form.
  fit_(first) {
    const A = availableWidth(this),
      narrow = A < this.model_.width_;
    const same =
      narrow === this.narrow_ && (!narrow || A === this.width_) && this.scale_ === window.devicePixelRatio;
    if (!first && same) return this.place_();
    if (narrow !== this.narrow_ || first) this.reset_(narrow);
    this.width_ = narrow ? A : this.model_.width_;
    this.redraw_();
  }
  redraw_() {
    const w = this.width_,
      h = this.narrow_ ? this.model_.barH_ : this.model_.height_;
    this.drawn_ = null;
    setSize(this.box_, w, h);
    this.sizeCanvas_(this.context_.canvas, w, h);
    this.paint_();
  }
  reset_(narrow) {
    this.closeAll_();
    for (const popup of this.model_.popups_) {
      popup.expanded_ = false;
      popup.ul_.hidden = true;
      setExpanded(popup.control_, false);
      popover(popup.ul_, !narrow);
    }
    popover(this.list_, narrow);
    this.narrow_ = narrow;
    this.box_.classList.toggle('zv-n', narrow);
    this.box_.classList.toggle('zv-w', !narrow);
    this.list_.hidden = narrow;
    this.listOpen_ = false;
    this.rows_ = narrow ? narrowRows(this.model_) : [];
    this.model_.items_.forEach((item) => this.captionLook_(item, this.stateOf_(item)));
  }
  isOpen_() {
    return this.narrow_ ? this.listOpen_ : this.chain_.length > 0;
  }
  closeAll_() {
    if (this.narrow_) showList(this, false);
    else this.closeFrom_(0);
  }

  // A popup opens beside its opener, kept in the window; it lies in the viewport's coordinates.
  show_(popup) {
    const model = this.model_,
      { width_: vw, height_: vh } = viewport(),
      o = origin(this.box_);
    const par = popup.parent_,
      b = popupBox(model, popup);
    let x = b[0],
      y = b[1];
    if (par) {
      x = par.at_[0] + par.box_[2] - model.inner_;
      y = par.at_[1] + popup.opener_.y_ - par.box_[1] - model.inner_;
      if (o.left_ + x + b[2] > vw) x = par.at_[0] - b[2] + model.inner_;
    } else if (o.left_ + x + b[2] > vw) x = Math.max(vw - b[2], 0) - o.left_;
    if (o.top_ + y + b[3] > vh) y = Math.max(vh - b[3], 0) - o.top_;
    popup.at_ = [x, y];
    setVars(popup.ul_, { x: o.left_ + x, y: o.top_ + y, w: b[2], h: b[3] });
    raise(popup.ul_, true, model.look_.transition_);
    setExpanded(popup.control_, true);
    if (par) popup.control_.classList.add('zv-o');
    else this.open_ = model.items_[popup.path_[0]];
    if (!this.chain_.includes(popup)) this.chain_.push(popup);
  }
  closeFrom_(i) {
    const closed = this.chain_.splice(i);
    if (!closed.length) return;
    for (const popup of closed.reverse()) {
      raise(popup.ul_, false);
      setExpanded(popup.control_, false);
      popup.control_.classList.remove('zv-o');
    }
    if (!i) this.open_ = null;
    this.paint_();
  }
  // Resting on or choosing a row opens its popup and closes any other below the same popup.
  openRow_(row) {
    const i = this.chain_.indexOf(row.popup_);
    if (i < 0 || this.chain_[i + 1] === row.child_) return;
    this.closeFrom_(i + 1);
    if (row.child_) this.show_(row.child_);
  }
  toggleItem_(item) {
    const was = this.open_ === item;
    this.closeFrom_(0);
    if (item.popup_ && !was) this.show_(item.popup_);
  }
  // After a scroll or a resize: what is open follows the applet area.
  place_() {
    if (!this.narrow_) this.chain_.slice().forEach((popup) => this.show_(popup));
    else if (this.listOpen_) placeList(this);
    this.paint_();
  }

  pointerOver_(event) {
    const el = controlOf(event.target);
    if (event.pointerType === 'touch' || el === this.hot_) return;
    this.hot_ = el;
    const entry = entryOf(el);
    if (entry?.sounds_) play(entry.sounds_[0]);
    if (entry && !this.narrow_ && entry.rect_ && this.open_ && this.open_ !== entry) {
      this.closeFrom_(0);
      if (entry.popup_) this.show_(entry.popup_);
    } else if (entry && !this.narrow_ && entry.kind_) {
      clearTimeout(this.timer_);
      this.timer_ = setTimeout(() => this.openRow_(entry), 150);
    }
    this.paint_();
  }
  pointerOut_(event) {
    const el = controlOf(event.target);
    if (el && controlOf(event.relatedTarget) !== el) clearTimeout(this.timer_);
    if (this.box_.contains(event.relatedTarget)) return;
    this.hot_ = this.pressed_ = null;
    this.paint_();
  }
  pointerDown_(event) {
    const el = controlOf(event.target);
    if (event.button || !el) return;
    this.pressed_ = el;
    const entry = entryOf(el);
    if (entry.sounds_) play(entry.sounds_[1]);
    this.paint_();
  }
  pointerUp_() {
    this.pressed_ = null;
    this.paint_();
  }
  click_(event) {
    const el = controlOf(event.target),
      entry = entryOf(el);
    if (!entry) return;
    this.pressed_ = null;
    clearTimeout(this.timer_);
    if (entry === this) showList(this, !this.listOpen_);
    else if (this.narrow_) {
      if (opens(entry)) toggleBranch(this, opens(entry));
      else showList(this, false);
    } else if (entry.rect_) this.toggleItem_(entry);
    else if (entry.child_) this.openRow_(entry);
    else this.closeFrom_(0);
    this.paint_();
  }
  // Keyboard focus only: a click or a tap focuses too, but is no mouse-over.
  focusIn_(event) {
    const el = controlOf(event.target);
    this.keyFocus_ = el?.matches(':focus-visible') ? el : null;
    this.paint_();
  }
  focusOut_(event) {
    this.keyFocus_ = null;
    const hidden = !event.relatedTarget && event.target.closest('[hidden]');
    if (!hidden && !this.box_.contains(event.relatedTarget)) this.closeAll_();
    this.paint_();
  }
  // A press on the menu's own surface keeps the focus where it is.
  keepFocus_(event) {
    if (!controlOf(event.target)) event.preventDefault();
  }
  key_(event) {
    if (this.narrow_ ? narrowKey(this, event) : this.wideKey_(event)) event.preventDefault();
  }
  // Escape (Left Arrow in a deeper popup) closes the innermost popup; Right Arrow on a row or
  // Down Arrow on an item opens its popup and enters it; Up and Down move between rows.
  wideKey_(event) {
    const el = controlOf(event.target),
      entry = entryOf(el),
      ch = this.chain_;
    const inner = ch[ch.length - 1],
      sub = entry && opens(entry),
      here = entry?.kind_ ? entry.popup_ : null;
    const rows = (popup) => popup.rows_.filter((row) => row.el_).map((row) => row.el_);
    if (event.key === 'Escape' || (event.key === 'ArrowLeft' && here?.parent_)) {
      if (!inner) return false;
      inner.control_.focus();
      this.closeFrom_(ch.indexOf(inner));
    } else if (sub && (event.key === 'ArrowRight' ? here : event.key === 'ArrowDown' && !here)) {
      if (!ch.includes(sub)) el.click();
      if (rows(sub).length) rows(sub)[0].focus();
    } else if ((event.key === 'ArrowDown' || event.key === 'ArrowUp') && here) {
      const list = rows(here),
        i = list.indexOf(el),
        d = event.key === 'ArrowDown' ? 1 : -1;
      list[(i + d + list.length) % list.length].focus();
    } else return false;
    return true;
  }

  loadImages_() {
    const names = [this.model_.fields_.raw_(AP_IMAGE)];
    let left = 0;
    this.model_.items_.forEach((item) => names.push(...item.images_));
    const finish = () => {
      if (!this.loading_) return;
      this.loading_ = false;
      this.box_.classList.remove('zv-z');
      this.drawn_ = null;
      this.paint_();
    };
    for (const name of names) {
      const url = resolve(name);
      if (!url || this.images_.has(name)) continue;
      const img = new Image();
      left++;
      img.onload = img.onerror = () => {
        if (!--left) finish();
      };
      img.src = url;
      this.images_.set(name, img);
    }
    this.loading_ = left > 0;
    this.box_.classList.toggle('zv-z', this.loading_);
    this.paint_();
    if (left) setTimeout(finish, 3000);
  }
  destroy_() {
    clearTimeout(this.timer_);
    this.closeAll_();
    this.captions_.disconnect();
    this.followScheme_(false);
    registry.live_.delete(this);
    if (this.box_.parentElement) registry.resizes_.unobserve(this.box_.parentElement);
    this.box_.replaceWith(this.applet_);
    registry.menus_.delete(this.box_);
    registry.menus_.delete(this.applet_);
    if (!registry.live_.size) documentListeners(false);
  }
}
