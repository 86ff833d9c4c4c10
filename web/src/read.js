// Reading the tag: its parameters and the menu they describe.
import { I_URL, I_TARGET, I_STATUS, I_IMAGES, I_SOUNDS, I_OFFSET_X, I_OFFSET_Y, toInt } from './fields.js';

export function readParams(applet) {
  const params = new Map(),
    list = applet.getElementsByTagName('param');
  for (let i = 0; i < list.length; i++) {
    const name = (list[i].getAttribute('name') || '').toLowerCase();
    if (!params.has(name)) params.set(name, list[i].getAttribute('value') || '');
  }
  return params;
}

export function readItems(params) {
  const items = [];
  for (let b = 0; params.has('i0-' + b); b++) {
    const f = params.get('i0-' + b).split('|');
    const at = (i, fallback) => (f[i] === undefined ? fallback : f[i]);
    items.push({
      caption: f[0],
      url: at(I_URL, ''),
      target: at(I_TARGET, '_self'),
      status: at(I_STATUS, ''),
      images: [at(I_IMAGES, ''), at(I_IMAGES + 1, ''), at(I_IMAGES + 2, '')],
      sounds: [at(I_SOUNDS, ''), at(I_SOUNDS + 1, '')],
      ox: toInt(at(I_OFFSET_X), -9999, 9999, 5),
      oy: toInt(at(I_OFFSET_Y), -9999, 9999, 5),
      popup: params.has('btn' + b + 'mn0it0') ? readPopups(params, b) : null
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
    popup.rows.forEach((row, i) => {
      if (!row.ref) return;
      if (used.has(row.ref)) {
        row.kind = 'item';
        return;
      }
      used.add(row.ref);
      row.child = readPopup(params, b, row.ref, popup.path.concat(i));
      row.child.parent = popup;
      row.child.opener = row;
      todo.push(row.child);
    });
  }
  return root;
}
function readPopup(params, b, model, path) {
  const popup = { path, rows: [] },
    prefix = 'btn' + b + 'mn';
  for (let i = 0, key; params.has((key = prefix + model + 'it' + i)); i++) {
    const v = params.get(key),
      low = v.toLowerCase(),
      ref = low.slice(prefix.length);
    let row;
    if (v.indexOf('|') < 0 && low.startsWith(prefix) && /^\d+$/.test(ref) && params.has(low + 'it0')) {
      row = { caption: params.get(low) || '', url: '', target: '_self', kind: 'submenu', ref };
    } else {
      const f = v.split('|');
      row = {
        caption: f[0],
        url: f[1] === undefined ? '' : f[1],
        target: f[2] === undefined ? '_self' : f[2]
      };
      row.kind = row.caption === '-' ? 'separator' : 'item';
    }
    row.popup = popup;
    popup.rows.push(row);
  }
  return popup;
}
