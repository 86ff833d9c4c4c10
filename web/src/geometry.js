// Layout: positions before popups are kept in view; widths measured when first needed. The
// narrow form: below the applet's width, a bar with a menu button and a list of rows.
import {
  MENU_BORDER_W,
  MENU_BORDER_STYLE,
  MENU_HORIZONTAL,
  MENU_X,
  MENU_Y,
  ITEM_W,
  ITEM_H,
  ITEM_GAP,
  AP_W,
  AP_H,
  POPUP_FONT,
  POPUP_SIZE
} from './fields.js';

// A family list of the look; "page" is the family the page gives the menu's place.
export function families(model, list) {
  return list === 'page' ? model.pageFamily : list;
}

export function placeMenu(model) {
  const fields = model.fields,
    n = model.items.length,
    P = fields.fontSize(POPUP_SIZE),
    look = model.look;
  const horizontal = fields.int(MENU_HORIZONTAL, 0, 1) !== 0,
    mb = fields.borderWidth(MENU_BORDER_W, MENU_BORDER_STYLE);
  const mx = fields.pos(MENU_X),
    my = fields.pos(MENU_Y),
    iw = fields.size(ITEM_W),
    ih = fields.size(ITEM_H),
    g = fields.pos(ITEM_GAP);
  Object.assign(model, {
    W: fields.size(AP_W),
    H: fields.size(AP_H),
    popupFont: fields.font(POPUP_FONT, families(model, look.popupFont), look.popupWeight),
    // The popup's frame and 2 pixels: above its first row, below its last, and what a deeper
    // popup overlaps it by.
    inner: look.popupFrameWidth + 2,
    rowH: Math.max(look.popupRow, P + 8),
    narrowRowH: Math.max(44, P + 8),
    barH: Math.max(44, ih),
    popups: []
  });
  model.menuBox = !n
    ? null
    : horizontal
      ? [mx, my, 2 * mb + n * iw + (n - 1) * g, 2 * mb + ih]
      : [mx, my, 2 * mb + iw, 2 * mb + n * ih + (n - 1) * g];
  model.items.forEach((item, k) => {
    const x = mx + mb + (horizontal ? k * (iw + g) : 0),
      y = my + mb + (horizontal ? 0 : k * (ih + g));
    item.rect = [x, y, iw, ih];
    if (!item.popup) return;
    item.popup.x = horizontal ? x + item.ox : x + iw + item.ox;
    const stack = [[item.popup, horizontal ? y + ih + item.oy : y + item.oy]];
    while (stack.length) {
      const [popup, py] = stack.pop();
      let ry = py + model.inner;
      for (const row of popup.rows) {
        row.y = ry;
        row.h = row.kind === 'separator' ? 7 : model.rowH;
        ry += row.h;
      }
      popup.y = py;
      popup.h = ry + model.inner - py;
      popup.box = null;
      model.popups.push(popup);
      // Last row first, so that deeper popups come out in pre-order.
      for (let i = popup.rows.length - 1; i >= 0; i--)
        if (popup.rows[i].child) stack.push([popup.rows[i].child, popup.rows[i].y - model.inner]);
    }
  });
}

export function popupBox(model, popup) {
  if (!popup.box) {
    model.measure.font = model.popupFont;
    let widest = 0;
    for (const row of popup.rows) {
      if (row.kind !== 'separator')
        widest = Math.max(widest, Math.ceil(model.measure.measureText(row.caption).width));
    }
    const parent = popup.parent && popupBox(model, popup.parent);
    const width = Math.max(80, 2 * model.look.popupPadding + 14 + widest);
    popup.box = [parent ? parent[0] + parent[2] - model.inner : popup.x, popup.y, width, popup.h];
  }
  return popup.box;
}

export function wideRecord(model) {
  return JSON.parse(
    JSON.stringify({
      applet: [0, 0, model.W, model.H],
      menu: model.menuBox,
      items: model.items.map((item) => item.rect),
      popups: model.popups.map((popup) => ({
        path: popup.path,
        box: popupBox(model, popup),
        rows: popup.rows.map((row) => [row.y, row.h, row.kind])
      }))
    })
  );
}

// Rows in pre-order below the bar; expanded(popup) says which branches show their rows.
export function narrowRows(model, expanded) {
  const rows = [];
  let y = model.barH;
  const add = (entry, path, kind, h) => {
    rows.push({ entry, path, kind, y, h, depth: path.length });
    y += h;
  };
  const visit = (popup) =>
    popup.rows.forEach((row, i) => {
      const path = popup.path.concat(i);
      if (row.kind === 'separator') return add(row, path, 'separator', 7);
      add(row, path, row.child ? 'branch' : 'item', model.narrowRowH);
      if (row.child && expanded(row.child)) visit(row.child);
    });
  model.items.forEach((item, b) => {
    add(item, [b], item.popup ? 'branch' : 'item', model.barH);
    if (item.popup && expanded(item.popup)) visit(item.popup);
  });
  return rows;
}
export function narrowRecord(model, A) {
  const T = model.barH;
  return {
    width: A,
    bar: [0, 0, A, T],
    button: [0, 0, T, T],
    rows: narrowRows(model, () => true).map((row) => ({
      path: row.path.slice(),
      box: [0, row.y, A, row.h],
      kind: row.kind,
      depth: row.depth
    }))
  };
}
