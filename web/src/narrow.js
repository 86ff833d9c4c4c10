// The narrow form's behaviour: the room it gets, its list and its keys.
import { narrowRows } from './geometry.js';
import { paintRows } from './paint.js';
import { registry } from './registry.js';
import { setVars, opens, controlOf } from './elements.js';
import { fadeIn, raise } from './style.js';
import { origin, viewport } from './page.js';

export const narrowForm = {
  // Measured with the box at the applet's width, so that a parent that shrinks to fit its
  // content gives the room it could give.
  availableWidth() {
    let parent = this.box.parentElement;
    while (parent && /^(inline|contents)$/.test(getComputedStyle(parent).display))
      parent = parent.parentElement;
    if (!parent) return this.model.W;
    const width = this.box.style.width;
    this.box.style.setProperty('width', this.model.W + 'px', 'important');
    const cs = getComputedStyle(parent);
    const content = parent.clientWidth - parseFloat(cs.paddingLeft) - parseFloat(cs.paddingRight);
    const room = viewport().width - this.box.getBoundingClientRect().left;
    this.box.style.setProperty('width', width, 'important');
    return Math.max(0, Math.floor(Math.min(content, room)));
  },
  // The open list lies below the bar, down to the window's bottom at most, and scrolls inside.
  placeList() {
    const o = origin(this.box),
      top = o.top + this.model.barH;
    setVars(this.list, { x: o.left, y: top, w: this.A, mh: Math.max(0, viewport().height - top) });
  },
  // The list's canvas covers the rows in the window and a window's height on either side.
  paintList() {
    const list = this.list,
      listContext = this.listContext.canvas;
    if (!this.narrow || !this.listOpen) return;
    const rect = list.getBoundingClientRect(),
      seen = Math.min(list.clientHeight, viewport().height - Math.max(rect.top, 0));
    const end = this.rows.length ? this.rows[this.rows.length - 1] : null,
      height = end ? end.y + end.h - this.model.barH : 0;
    const from = list.scrollTop + Math.max(0, -rect.top);
    const top = Math.max(0, Math.floor(from - seen)),
      bottom = Math.min(height, Math.ceil(from + 2 * seen));
    listContext.hidden = bottom <= top;
    if (listContext.hidden) return;
    this.sizeCanvas(listContext, this.A, bottom - top);
    setVars(listContext, { top });
    this.listContext.setTransform(this.scale, 0, 0, this.scale, 0, -(this.model.barH + top) * this.scale);
    paintRows(this, this.listContext, top, bottom);
  },
  showList(open) {
    if (!this.narrow || this.listOpen === open) return;
    this.listOpen = open;
    if (open) this.placeList();
    raise(this.list, open);
    if (open) fadeIn(this.list, this.model.look.transition);
    this.button.setAttribute('aria-expanded', String(open));
    this.paint();
  },
  toggleBranch(popup) {
    popup.expanded = !popup.expanded;
    popup.ul.hidden = !popup.expanded;
    popup.control.setAttribute('aria-expanded', String(popup.expanded));
    this.rows = narrowRows(this.model, (p) => p.expanded);
    this.paint();
  },
  // Up and Down between the visible rows, Home and End, Right expands, Left collapses or goes
  // to the parent row, Escape closes the list.
  narrowKey(event) {
    const el = controlOf(event.target),
      entry = el && registry.entries.get(el),
      popup = entry && opens(entry);
    const rows = this.rows.filter((row) => row.kind !== 'separator'),
      i = rows.findIndex((row) => row.entry === entry);
    const to = (k) => rows[Math.max(0, Math.min(rows.length - 1, k))].entry.el.focus();
    if (event.key === 'Escape') {
      if (!this.listOpen) return false;
      this.button.focus();
      this.showList(false);
    } else if (entry === this && event.key === 'ArrowDown') {
      this.showList(true);
      if (rows.length) to(0);
    } else if (i < 0) {
      return false;
    } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      to(i + (event.key === 'ArrowDown' ? 1 : -1));
    } else if (event.key === 'Home' || event.key === 'End') {
      to(event.key === 'Home' ? 0 : rows.length - 1);
    } else if (event.key === 'ArrowRight' && popup) {
      if (!popup.expanded) this.toggleBranch(popup);
    } else if (event.key === 'ArrowLeft') {
      if (popup && popup.expanded) this.toggleBranch(popup);
      else if (entry.kind) entry.popup.control.focus();
    } else return false;
    return true;
  }
};
