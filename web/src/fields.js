// The applet's 96 fields: their defaults, their places and how their values are read.

export const AP_BG = 2,
  AP_IMAGE = 4,
  AP_PLACE = 5,
  AP_IMAGE_X = 6,
  AP_IMAGE_Y = 7,
  LOAD_TEXT = 9,
  LOAD_FG = 10,
  LOAD_BG = 11,
  AP_BORDER_W = 12,
  AP_BORDER_STYLE = 14,
  AP_BORDER_COLOUR = 16,
  AP_FADE = 17,
  MENU_BG = 18,
  MENU_FADE = 19,
  MENU_CLEAR = 20,
  MENU_BORDER_W = 21,
  MENU_BORDER_STYLE = 23,
  MENU_BORDER_COLOUR = 25,
  MENU_HORIZONTAL = 26,
  MENU_X = 27,
  MENU_Y = 28,
  ITEM_W = 29,
  ITEM_H = 30,
  ITEM_GAP = 31,
  AP_W = 86,
  AP_H = 87,
  AP_GRADIENT = 88,
  MENU_GRADIENT = 89,
  STATE_GRADIENT = 90,
  POPUP_FONT = 94,
  POPUP_SIZE = 95;
// The offsets in each item state's block.
export const S_FADE = 1,
  S_PLACE = 2,
  S_IMAGE_X = 3,
  S_IMAGE_Y = 4,
  S_CLEAR = 5,
  S_FG = 6,
  S_BORDER_W = 8,
  S_BORDER_STYLE = 10,
  S_BORDER_COLOUR = 12,
  S_FONT = 13,
  S_OFFSET = 16,
  S_ALIGN = 17;
// A first-level item's fields, from 0.
export const I_URL = 1,
  I_TARGET = 2,
  I_STATUS = 3,
  I_IMAGES = 4,
  I_SOUNDS = 7,
  I_OFFSET_X = 9,
  I_OFFSET_Y = 10;
// Each item state's block (normal, mouse over, clicked); after the numbers, which the bundler
// puts in place only where no other value comes before them.
export const STATE_BLOCK = [32, 50, 68];
const DEFAULTS = (
  '0|FFFFFF|000000||0|0|0||Loading...|000000|FFFFFF|5|0|3|0|F4BE1A|FFFFFF|' +
  '000000|000000|0|0|0|0|0|FFFFFF|1|40|20|80|20|0|FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|D0AC1A|' +
  '0|14|0|0|1|FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|FDCD5E|0|14|0|0|1|FFFFFF|FFFFFF|0|0|0|0|' +
  '000000|0|5|0|4|0|FDCD5E|0|14|0|0|1|400|60|0|0|0|0|0|0|0|14|0'
).split('|');
const FAMILIES = ['serif', 'sans-serif', 'monospace', 'sans-serif'];

// Optional minus and digits only, inside [lo, hi]; otherwise the fallback.
export function toInt(text, lo, hi, fallback) {
  const n = /^-?\d+$/.test(text) ? Number(text) : NaN;
  return n >= lo && n <= hi ? n : fallback;
}
export function toRgb(hex) {
  const n = parseInt(hex, 16);
  return [n >> 16, (n >> 8) & 255, n & 255];
}
// Red, green and blue as CSS and the canvas take them.
export const rgb = (colour) => `rgb(${colour})`;
// Six hex digits as red, green and blue; null for anything else.
export const colourOf = (text) => (/^[0-9a-f]{6}$/i.test(text) ? toRgb(text) : null);

export class Fields {
  constructor(app) {
    this.values_ = app?.split('|') ?? [];
  }
  raw_(k) {
    return this.values_[k - 1] ?? DEFAULTS[k - 1];
  }
  int_(k, lo, hi) {
    return toInt(this.raw_(k), lo, hi, Number(DEFAULTS[k - 1]));
  }
  pos_(k) {
    return this.int_(k, -9999, 9999);
  }
  size_(k) {
    return this.int_(k, 0, 9999);
  }
  flag_(k) {
    return this.raw_(k) === '1';
  }
  // A colour of the scheme shown (dark values, the site's colours) comes first.
  colour_(k) {
    return this.shown_?.get(k) || colourOf(this.raw_(k)) || toRgb(DEFAULTS[k - 1]);
  }
  // A border's width, from its field; its style (none: no border) is 2 fields on.
  borderWidth_(width) {
    return this.int_(width + 2, 0, 4) ? this.size_(width) : 0;
  }
  // At the size the browser shows: no smaller than the visitor's minimum font size. A family
  // list and a weight of the look take the place of the family and the bold flag.
  font_(k, families = '', weight = 0) {
    const style = this.int_(k + 2, 0, 3);
    return (
      (style & 2 ? 'italic ' : '') +
      (weight ? weight + ' ' : style & 1 ? 'bold ' : '') +
      this.fontSize_(k + 1) +
      'px ' +
      (families || FAMILIES[this.int_(k, 0, 3)])
    );
  }
  fontSize_(k) {
    return Math.max(this.int_(k, 1, 999), this.minimum_ || 0);
  }
}
