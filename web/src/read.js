// Reading the tag: its parameters and the menu they describe.
import { I_URL, I_TARGET, I_STATUS, I_IMAGES, I_SOUNDS, I_OFFSET_X, I_OFFSET_Y, toInt } from './fields.js';

export function readParams(applet) {
  const params = new Map();
  for (const param of applet.getElementsByTagName('param')) {
    const name = (param.getAttribute('name') || '').toLowerCase();
    if (!params.has(name)) params.set(name, param.getAttribute('value') || '');
  }
  return params;
}

// A caption and the link's address and target: the fields an item and a row begin with.
const link = (f) => ({ caption_: f[0], url_: f[I_URL] ?? '', target_: f[I_TARGET] ?? '_self' });

export function readItems(params) {
  const items = [];
  for (let b = 0; params.has('i0-' + b); b++) {
    const f = params.get('i0-' + b).split('|');
    const at = (i, fallback) => f[i] ?? fallback;
    items.push({
      ...link(f),
      status_: at(I_STATUS, ''),
      images_: [at(I_IMAGES, ''), at(I_IMAGES + 1, ''), at(I_IMAGES + 2, '')],
      sounds_: [at(I_SOUNDS, ''), at(I_SOUNDS + 1, '')],
      ox_: toInt(at(I_OFFSET_X), -9999, 9999, 5),
      oy_: toInt(at(I_OFFSET_Y), -9999, 9999, 5),
      popup_: params.has('btn' + b + 'mn0it0') ? readPopups(params, b) : null
    });
  }
  return items;
}

// Popup 0 of branch b and all below it, without recursion. A popup is opened by one row only:
// a later reference (a cycle, or one the editor never writes) is a plain row.
function readPopups(params, b) {
  const used = new Set(['0']),
    root = readPopup(params, b, '0', [b]),
    todo = [root];
  while (todo.length) {
    const popup = todo.pop();
    popup.rows_.forEach((row, i) => {
      if (!row.ref_) return;
      if (used.has(row.ref_)) {
        row.kind_ = 'item';
        return;
      }
      used.add(row.ref_);
      row.child_ = readPopup(params, b, row.ref_, popup.path_.concat(i));
      row.child_.parent_ = popup;
      row.child_.opener_ = row;
      todo.push(row.child_);
    });
  }
  return root;
}
function readPopup(params, b, model, path) {
  const popup = { path_: path, rows_: [] },
    prefix = 'btn' + b + 'mn';
  for (let i = 0, key; params.has((key = prefix + model + 'it' + i)); i++) {
    const v = params.get(key),
      low = v.toLowerCase(),
      ref = low.slice(prefix.length);
    let row;
    if (!v.includes('|') && low.startsWith(prefix) && /^\d+$/.test(ref) && params.has(low + 'it0')) {
      row = { caption_: params.get(low) || '', url_: '', target_: '_self', kind_: 'submenu', ref_: ref };
    } else {
      const f = v.split('|');
      row = link(f);
      row.kind_ = row.caption_ === '-' ? 'separator' : 'item';
    }
    row.popup_ = popup;
    popup.rows_.push(row);
  }
  return popup;
}
