// Layout: positions before popups are kept in view; widths measured when first needed. The
// narrow form: below the applet's width, a bar with a menu button and a list of rows.
import { MENU_BORDER_W, MENU_BORDER_STYLE, MENU_HORIZONTAL, MENU_X, MENU_Y, ITEM_W, ITEM_H, ITEM_GAP, AP_W, AP_H, POPUP_FONT, POPUP_SIZE } from './fields.js';

export function placeMenu(m) {
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

export function popupBox(m, pp) {
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

export function wideRecord(m) {
  return JSON.parse(JSON.stringify({
    applet: [0, 0, m.W, m.H], menu: m.menuBox, items: m.items.map((it) => it.r),
    popups: m.popups.map((pp) => ({ path: pp.path, box: popupBox(m, pp), rows: pp.rows.map((r) => [r.y, r.h, r.kind]) }))
  }));
}

// Rows in pre-order below the bar; expanded(popup) says which branches show their rows.
export function narrowRows(m, expanded) {
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
export function narrowRecord(m, A) {
  const T = m.barH;
  return {
    width: A, bar: [0, 0, A, T], button: [0, 0, T, T],
    rows: narrowRows(m, () => true).map((r) => ({ path: r.path.slice(), box: [0, r.y, A, r.h], kind: r.kind, depth: r.depth }))
  };
}
