// The narrow form's behaviour: the room it gets, its list and its keys, for the menu given.
import { narrowRows } from './geometry.js';
import { paintRows } from './paint.js';
import { registry } from './registry.js';
import { setImportant, setVars, setExpanded, opens, controlOf, entryOf } from './elements.js';
import { raise } from './style.js';
import { origin, viewport } from './page.js';

// Measured with the box at the applet's width, so that a parent that shrinks to fit its
// content gives the room it could give.
export function availableWidth(menu) {
  let parent = menu.box_.parentElement;
  while (parent && /^(inline|contents)$/.test(getComputedStyle(parent).display))
    parent = parent.parentElement;
  if (!parent) return menu.model_.width_;
  const width = menu.box_.style.width;
  setImportant(menu.box_, { width: menu.model_.width_ + 'px' });
  const cs = getComputedStyle(parent);
  const content = parent.clientWidth - parseFloat(cs.paddingLeft) - parseFloat(cs.paddingRight);
  const room = viewport().width_ - menu.box_.getBoundingClientRect().left;
  setImportant(menu.box_, { width });
  return Math.max(0, Math.floor(Math.min(content, room)));
}
// The open list lies below the bar, down to the window's bottom at most, and scrolls inside.
export function placeList(menu) {
  const o = origin(menu.box_),
    top = o.top_ + menu.model_.barH_;
  setVars(menu.list_, { x: o.left_, y: top, w: menu.width_, mh: Math.max(0, viewport().height_ - top) });
}
// The list's canvas covers the rows in the window and a window's height on either side.
export function paintList(menu) {
  const list = menu.list_,
    canvas = menu.listContext_.canvas;
  if (!menu.narrow_ || !menu.listOpen_) return;
  const rect = list.getBoundingClientRect(),
    seen = Math.min(list.clientHeight, viewport().height_ - Math.max(rect.top, 0));
  const end = menu.rows_[menu.rows_.length - 1],
    height = end ? end.y_ + end.h_ - menu.model_.barH_ : 0;
  const from = list.scrollTop + Math.max(0, -rect.top);
  const top = Math.max(0, Math.floor(from - seen)),
    bottom = Math.min(height, Math.ceil(from + 2 * seen));
  canvas.hidden = bottom <= top;
  if (canvas.hidden) return;
  menu.sizeCanvas_(canvas, menu.width_, bottom - top);
  setVars(canvas, { top });
  menu.listContext_.setTransform(menu.scale_, 0, 0, menu.scale_, 0, -(menu.model_.barH_ + top) * menu.scale_);
  paintRows(menu, menu.listContext_, top, bottom);
}
export function showList(menu, open) {
  if (!menu.narrow_ || menu.listOpen_ === open) return;
  menu.listOpen_ = open;
  if (open) placeList(menu);
  raise(menu.list_, open, menu.model_.look_.transition_);
  setExpanded(menu.button_, open);
  menu.paint_();
}
export function toggleBranch(menu, popup) {
  popup.expanded_ = !popup.expanded_;
  popup.ul_.hidden = !popup.expanded_;
  setExpanded(popup.control_, popup.expanded_);
  menu.rows_ = narrowRows(menu.model_);
  menu.paint_();
}
// Up and Down between the visible rows, Home and End, Right expands, Left collapses or goes
// to the parent row, Escape closes the list.
export function narrowKey(menu, event) {
  const el = controlOf(event.target),
    entry = entryOf(el),
    popup = entry && opens(entry);
  const rows = menu.rows_.filter((row) => row.kind_ !== 'separator'),
    i = rows.findIndex((row) => row.entry_ === entry);
  const to = (k) => rows[Math.max(0, Math.min(rows.length - 1, k))].entry_.el_.focus();
  if (event.key === 'Escape') {
    if (!menu.listOpen_) return false;
    menu.button_.focus();
    showList(menu, false);
  } else if (entry === menu && event.key === 'ArrowDown') {
    showList(menu, true);
    if (rows.length) to(0);
  } else if (i < 0) {
    return false;
  } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
    to(i + (event.key === 'ArrowDown' ? 1 : -1));
  } else if (event.key === 'Home' || event.key === 'End') {
    to(event.key === 'Home' ? 0 : rows.length - 1);
  } else if (event.key === 'ArrowRight' && popup) {
    if (!popup.expanded_) toggleBranch(menu, popup);
  } else if (event.key === 'ArrowLeft') {
    if (popup?.expanded_) toggleBranch(menu, popup);
    else if (entry.kind_) entry.popup_.control_.focus();
  } else return false;
  return true;
}
