// Layout: positions before popups are kept in view; widths measured when first needed. The
// narrow form: below the applet's width, a bar with a menu button and a list of rows.
import {
  MENU_BORDER_W,
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
  return list === 'page' ? model.pageFamily_ : list;
}

export function placeMenu(model) {
  const fields = model.fields_,
    n = model.items_.length,
    P = fields.fontSize_(POPUP_SIZE),
    look = model.look_;
  const horizontal = fields.int_(MENU_HORIZONTAL, 0, 1) !== 0,
    mb = fields.borderWidth_(MENU_BORDER_W);
  const mx = fields.pos_(MENU_X),
    my = fields.pos_(MENU_Y),
    iw = fields.size_(ITEM_W),
    ih = fields.size_(ITEM_H),
    g = fields.pos_(ITEM_GAP);
  Object.assign(model, {
    width_: fields.size_(AP_W),
    height_: fields.size_(AP_H),
    popupFont_: fields.font_(POPUP_FONT, families(model, look.popupFont_), look.popupWeight_),
    // The popup's frame and 2 pixels: above its first row, below its last, and what a deeper
    // popup overlaps it by.
    inner_: look.popupFrameWidth_ + 2,
    rowH_: Math.max(look.popupRow_, P + 8),
    narrowRowH_: Math.max(44, P + 8),
    barH_: Math.max(44, ih),
    popups_: []
  });
  model.menuBox_ = !n
    ? null
    : horizontal
      ? [mx, my, 2 * mb + n * iw + (n - 1) * g, 2 * mb + ih]
      : [mx, my, 2 * mb + iw, 2 * mb + n * ih + (n - 1) * g];
  model.items_.forEach((item, k) => {
    const x = mx + mb + (horizontal ? k * (iw + g) : 0),
      y = my + mb + (horizontal ? 0 : k * (ih + g));
    item.rect_ = [x, y, iw, ih];
    if (!item.popup_) return;
    item.popup_.x_ = horizontal ? x + item.ox_ : x + iw + item.ox_;
    const stack = [[item.popup_, horizontal ? y + ih + item.oy_ : y + item.oy_]];
    while (stack.length) {
      const [popup, py] = stack.pop();
      let ry = py + model.inner_;
      for (const row of popup.rows_) {
        row.y_ = ry;
        row.h_ = row.kind_ === 'separator' ? 7 : model.rowH_;
        ry += row.h_;
      }
      popup.y_ = py;
      popup.h_ = ry + model.inner_ - py;
      popup.box_ = null;
      model.popups_.push(popup);
      // Last row first, so that deeper popups come out in pre-order.
      for (const row of popup.rows_.filter((row) => row.child_).reverse())
        stack.push([row.child_, row.y_ - model.inner_]);
    }
  });
}

export function popupBox(model, popup) {
  if (!popup.box_) {
    model.measure_.font = model.popupFont_;
    let widest = 0;
    for (const row of popup.rows_) {
      if (row.kind_ !== 'separator')
        widest = Math.max(widest, Math.ceil(model.measure_.measureText(row.caption_).width));
    }
    const parent = popup.parent_ && popupBox(model, popup.parent_);
    const width = Math.max(80, 2 * model.look_.popupPadding_ + 14 + widest);
    popup.box_ = [parent ? parent[0] + parent[2] - model.inner_ : popup.x_, popup.y_, width, popup.h_];
  }
  return popup.box_;
}

export function wideRecord(model) {
  return JSON.parse(
    JSON.stringify({
      applet: [0, 0, model.width_, model.height_],
      menu: model.menuBox_,
      items: model.items_.map((item) => item.rect_),
      popups: model.popups_.map((popup) => ({
        path: popup.path_,
        box: popupBox(model, popup),
        rows: popup.rows_.map((row) => [row.y_, row.h_, row.kind_])
      }))
    })
  );
}

// Rows in pre-order below the bar; expanded(popup) says which branches show their rows.
export function narrowRows(model, expanded = (popup) => popup.expanded_) {
  const rows = [];
  let y = model.barH_;
  const add = (entry, path, kind, h) => {
    rows.push({ entry_: entry, path_: path, kind_: kind, y_: y, h_: h, depth_: path.length });
    y += h;
  };
  const visit = (popup) =>
    popup.rows_.forEach((row, i) => {
      const path = popup.path_.concat(i);
      if (row.kind_ === 'separator') return add(row, path, 'separator', 7);
      add(row, path, row.child_ ? 'branch' : 'item', model.narrowRowH_);
      if (row.child_ && expanded(row.child_)) visit(row.child_);
    });
  model.items_.forEach((item, b) => {
    add(item, [b], item.popup_ ? 'branch' : 'item', model.barH_);
    if (item.popup_ && expanded(item.popup_)) visit(item.popup_);
  });
  return rows;
}
export function narrowRecord(model, A) {
  const T = model.barH_;
  return {
    width: A,
    bar: [0, 0, A, T],
    button: [0, 0, T, T],
    rows: narrowRows(model, () => true).map((row) => ({
      path: row.path_.slice(),
      box: [0, row.y_, A, row.h_],
      kind: row.kind_,
      depth: row.depth_
    }))
  };
}
