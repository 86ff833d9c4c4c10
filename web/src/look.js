// The look settings: the tag's "look" parameter read into checked values, as the editor reads
// them. A value out of form or range counts as its default; without the parameter every value
// is the basic look's.
import {
  AP_BG,
  LOAD_FG,
  LOAD_BG,
  AP_BORDER_COLOUR,
  AP_FADE,
  MENU_BG,
  MENU_FADE,
  MENU_BORDER_COLOUR,
  STATE_BLOCK,
  S_FADE,
  S_FG,
  S_BORDER_COLOUR,
  toInt,
  toRgb,
  colourOf,
  rgb
} from './fields.js';

// The look's numbers, by property: the setting, its default and its range.
const NUMBERS = {
  radius_: ['radius', 0, 0, 32],
  menuRadius_: ['menu-radius', 0, 0, 32],
  popupRadius_: ['popup-radius', 0, 0, 16],
  popupFrameWidth_: ['popup-frame-width', 1, 0, 2],
  popupPadding_: ['popup-padding', 8, 4, 32],
  popupRow_: ['popup-row', 24, 24, 64],
  popupInset_: ['popup-inset', 0, 0, 8],
  popupShadow_: ['popup-shadow', 0, 0, 3],
  transition_: ['transition', 0, 0, 300]
};
// The popups' colours, by property: the setting and its default.
const COLOURS = {
  popupBackground_: ['popup-background', 'F0F0F0'],
  popupText_: ['popup-text', '000000'],
  popupHighlight_: ['popup-highlight', '316AC5'],
  popupHighlightText_: ['popup-highlight-text', 'FFFFFF'],
  popupFrame_: ['popup-frame', '808080'],
  currentMarker_: ['current-marker', '316AC5']
};
// Their defaults by setting.
const COLOUR_DEFAULTS = Object.fromEntries(Object.values(COLOURS));
// The applet's colour fields, by position as their settings name them: the applet area's, the
// loading message's, the menu's and those of each item state.
const COLOUR_FIELDS = new Set(
  [AP_BG, LOAD_FG, LOAD_BG, AP_BORDER_COLOUR, AP_FADE, MENU_BG, MENU_FADE, MENU_BORDER_COLOUR]
    .concat(...STATE_BLOCK.map((s) => [s, s + S_FADE, s + S_FG, s + S_BORDER_COLOUR]))
    .map(String)
);

const isColourKey = (key) => key in COLOUR_DEFAULTS || key === 'popup-separator' || COLOUR_FIELDS.has(key);
const isRecordNumber = (key) => /^(0|[1-9]\d{0,8})$/.test(key);
const isBareFile = (name, endings) => !/[/\\:\0]/.test(name) && endings.test(name);
// A CSS family list of plain or double-quoted names, or "page".
const FAMILY = String.raw` *(?:[\w-][\w -]*|"[^"\\;{}<>]+") *`;
const FAMILY_LIST = new RegExp(`^${FAMILY}(?:,${FAMILY})*$`);

function weightOf(text) {
  const weight = toInt(text, 100, 900, 0);
  return weight % 100 === 0 ? weight : 0;
}

export function readLook(text) {
  let settings = {};
  try {
    const parsed = text ? JSON.parse(text) : {};
    if (parsed && typeof parsed === 'object' && !Array.isArray(parsed)) settings = parsed;
  } catch {
    // a parameter that is no object is the basic look
  }
  const value = (name) => (typeof settings[name] === 'string' ? settings[name] : '');
  const look = { dark_: {}, vars_: {}, icons_: {}, badges_: {}, fontFiles_: {} };
  for (const [property, [name, fallback, low, high]] of Object.entries(NUMBERS))
    look[property] = toInt(value(name), low, high, fallback);
  for (const [property, [name, fallback]] of Object.entries(COLOURS))
    look[property] = colourOf(value(name)) || toRgb(fallback);
  const families = (name) => (value(name) === 'page' || FAMILY_LIST.test(value(name)) ? value(name) : '');
  look.font_ = families('font');
  look.popupFont_ = families('popup-font');
  look.weight_ = weightOf(value('weight'));
  look.popupWeight_ = weightOf(value('popup-weight'));
  look.caps_ = value('caps') === '1';
  look.popupSeparator_ = colourOf(value('popup-separator'));
  look.scheme_ = ['dark', 'auto'].includes(value('scheme')) ? value('scheme') : 'light';
  for (const name of Object.keys(settings).sort()) {
    const dot = name.indexOf('.'),
      family = name.slice(0, dot),
      key = name.slice(dot + 1),
      text = value(name);
    if ((family === 'dark' || family === 'var') && !isColourKey(key)) continue;
    if ((family === 'icon' || family === 'badge') && !isRecordNumber(key)) continue;
    if (family === 'dark' && colourOf(text)) look.dark_[key] = colourOf(text);
    else if (family === 'var' && /^--[\w-]+$/.test(text)) look.vars_[key] = text;
    else if (family === 'icon' && isBareFile(text, /.\.(svg|png)$/i)) look.icons_[key] = text;
    else if (family === 'badge' && [...text].length >= 1 && [...text].length <= 12) look.badges_[key] = text;
    else if (
      family === 'font-file' &&
      key &&
      !/[=\r\n\x1a]/.test(key) &&
      isBareFile(text, /.\.(woff2|woff|ttf|otf)$/i)
    )
      look.fontFiles_[key] = text;
  }
  return look;
}

const SHADOWS = [
  'none',
  '0 1px 3px rgba(0,0,0,.2)',
  '0 4px 12px rgba(0,0,0,.2)',
  '0 12px 32px rgba(0,0,0,.2)'
];

// The popups' look as the custom properties the style sheet reads; the basic look sets none.
export function popupVars(look) {
  const frame = look.popupFrameWidth_,
    inset = look.popupInset_;
  return {
    pfw: frame,
    pfc: rgb(look.popupFrame_),
    pbg: rgb(look.popupBackground_),
    ptx: rgb(look.popupText_),
    phl: rgb(look.popupHighlight_),
    pht: rgb(look.popupHighlightText_),
    pcm: rgb(look.currentMarker_),
    st: rgb(look.popupSeparator_ || [160, 160, 160]),
    sb: look.popupSeparator_ ? 'transparent' : '#FFF',
    // The caption lies popup-padding from the popup's edge, the row frame + 2 + inset.
    pl: look.popupPadding_ - frame - 2 - inset,
    pi: inset,
    pr: look.popupRadius_,
    phr: Math.max(0, look.popupRadius_ - inset),
    psh: SHADOWS[look.popupShadow_]
  };
}

// Whether the page shows the menu dark: the computed color-scheme of the menu's place when it
// names one scheme alone, otherwise the visitor's preference.
function pageIsDark(place) {
  const schemes = (place ? getComputedStyle(place).colorScheme : '')
    .split(/\s+/)
    .filter((word) => /^(light|dark)$/.test(word));
  if (schemes.length === 1) return schemes[0] === 'dark';
  return !!window.matchMedia?.('(prefers-color-scheme: dark)').matches;
}
// A CSS colour the browser understands, as red, green and blue; null for anything else.
function cssColour(text, context) {
  if (!text) return null;
  context.fillStyle = '#010203';
  context.fillStyle = text;
  const read = context.fillStyle;
  if (read === '#010203' && !/^\s*(#010203|rgb\(\s*1\D+2\D+3\s*\))/i.test(text)) return null;
  const hex = read[0] === '#' && colourOf(read.slice(1));
  if (hex) return hex;
  const parts = /^rgba?\((\d+),\s*(\d+),\s*(\d+)/.exec(read);
  return parts ? parts.slice(1, 4).map(Number) : null;
}

// The colours the menu shows now: in the dark scheme the dark values, in both the site's
// custom properties where they hold colours. Returns the look with its popup colours so
// replaced, and the applet fields' colours by position.
export function schemeColours(base, place, element, context) {
  const dark = base.scheme_ === 'dark' || (base.scheme_ === 'auto' && pageIsDark(place));
  const colours = new Map(dark ? Object.entries(base.dark_) : []);
  if (Object.keys(base.vars_).length) {
    const style = getComputedStyle(element);
    for (const [key, name] of Object.entries(base.vars_)) {
      const colour = cssColour(style.getPropertyValue(name).trim(), context);
      if (colour) colours.set(key, colour);
    }
  }
  const look = { ...base };
  for (const [property, [name]] of Object.entries(COLOURS))
    if (colours.has(name)) look[property] = colours.get(name);
  if (look.popupSeparator_ && colours.has('popup-separator'))
    look.popupSeparator_ = colours.get('popup-separator');
  const fields = new Map();
  for (const [key, colour] of colours) if (/^\d+$/.test(key)) fields.set(Number(key), colour);
  return { dark_: dark, look_: look, fields_: fields, key_: JSON.stringify([...colours]) };
}
// Whether the colours can change while the page is shown.
export const followsPage = (look) => look.scheme_ === 'auto' || Object.keys(look.vars_).length > 0;
