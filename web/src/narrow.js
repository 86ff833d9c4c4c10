// The narrow form's behaviour: the room it gets, its list and its keys.
import { narrowRows } from './geometry.js';
import { paintRows } from './paint.js';
import { registry } from './registry.js';
import { setVars, opens, controlOf } from './elements.js';
import { raise } from './style.js';
import { origin, viewport } from './page.js';

export const narrowForm = {
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
};
