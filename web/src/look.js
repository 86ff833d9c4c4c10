// The look settings: the tag's "look" parameter read into checked values, as the editor reads
// them. A value out of form or range counts as its default; without the parameter every value
// is the basic look's.
import { toInt, toRgb } from './fields.js';

const NUMBERS = {
  radius: [0, 0, 32],
  'menu-radius': [0, 0, 32],
  'popup-radius': [0, 0, 16],
  'popup-frame-width': [1, 0, 2],
  'popup-padding': [8, 4, 32],
  'popup-row': [24, 24, 64],
  'popup-inset': [0, 0, 8],
  'popup-shadow': [0, 0, 3],
  transition: [0, 0, 300]
};
const COLOURS = {
  'popup-background': 'F0F0F0',
  'popup-text': '000000',
  'popup-highlight': '316AC5',
  'popup-highlight-text': 'FFFFFF',
  'popup-frame': '808080',
  'current-marker': '316AC5'
};
// The applet's colour fields, by position.
const COLOUR_FIELDS = new Set([
  2, 10, 11, 16, 17, 18, 19, 25, 32, 33, 38, 44, 50, 51, 56, 62, 68, 69, 74, 80
]);

const camel = (name) => name.replace(/-(\w)/g, (match, letter) => letter.toUpperCase());
const colourOf = (text) => (/^[0-9a-f]{6}$/i.test(text) ? toRgb(text) : null);
const isColourKey = (key) =>
  key in COLOURS || key === 'popup-separator' || (/^[1-9]\d?$/.test(key) && COLOUR_FIELDS.has(Number(key)));
const isRecordNumber = (key) => /^(0|[1-9]\d{0,8})$/.test(key);
const isBareFile = (name, endings) => !/[/\\:\0]/.test(name) && endings.test(name);
// A CSS family list of plain or double-quoted names, or "page".
const FAMILY = String.raw` *(?:[A-Za-z0-9_-][A-Za-z0-9 _-]*|"[^"\\;{}<>]+") *`;
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
  const look = { dark: {}, vars: {}, icons: {}, badges: {}, fontFiles: {} };
  for (const [name, [fallback, low, high]] of Object.entries(NUMBERS))
    look[camel(name)] = toInt(value(name), low, high, fallback);
  for (const [name, fallback] of Object.entries(COLOURS))
    look[camel(name)] = colourOf(value(name)) || toRgb(fallback);
  const families = (name) => (value(name) === 'page' || FAMILY_LIST.test(value(name)) ? value(name) : '');
  look.font = families('font');
  look.popupFont = families('popup-font');
  look.weight = weightOf(value('weight'));
  look.popupWeight = weightOf(value('popup-weight'));
  look.caps = value('caps') === '1';
  look.popupSeparator = colourOf(value('popup-separator'));
  look.scheme = ['dark', 'auto'].includes(value('scheme')) ? value('scheme') : 'light';
  for (const name of Object.keys(settings).sort()) {
    const dot = name.indexOf('.'),
      family = name.slice(0, dot),
      key = name.slice(dot + 1),
      text = value(name);
    if ((family === 'dark' || family === 'var') && !isColourKey(key)) continue;
    if ((family === 'icon' || family === 'badge') && !isRecordNumber(key)) continue;
    if (family === 'dark' && colourOf(text)) look.dark[key] = colourOf(text);
    else if (family === 'var' && /^--[A-Za-z0-9_-]+$/.test(text)) look.vars[key] = text;
    else if (family === 'icon' && isBareFile(text, /.\.(svg|png)$/i)) look.icons[key] = text;
    else if (family === 'badge' && [...text].length >= 1 && [...text].length <= 12) look.badges[key] = text;
    else if (
      family === 'font-file' &&
      key &&
      !/[=\r\n\x1a]/.test(key) &&
      isBareFile(text, /.\.(woff2|woff|ttf|otf)$/i)
    )
      look.fontFiles[key] = text;
  }
  return look;
}

const css = (rgb) => `rgb(${rgb})`;
const SHADOWS = ['none', '0 1px 3px', '0 4px 12px', '0 12px 32px'];

// The popups' look as the custom properties the style sheet reads; the basic look sets none.
export function popupVars(look) {
  const frame = look.popupFrameWidth,
    inset = look.popupInset;
  return {
    pfw: frame,
    pfc: css(look.popupFrame),
    pbg: css(look.popupBackground),
    ptx: css(look.popupText),
    phl: css(look.popupHighlight),
    pht: css(look.popupHighlightText),
    pcm: css(look.currentMarker),
    st: css(look.popupSeparator || [160, 160, 160]),
    sb: look.popupSeparator ? 'transparent' : '#FFF',
    // The caption lies popup-padding from the popup's edge, the row frame + 2 + inset.
    pl: look.popupPadding - frame - 2 - inset,
    pi: inset,
    pr: look.popupRadius,
    phr: Math.max(0, look.popupRadius - inset),
    psh: look.popupShadow ? SHADOWS[look.popupShadow] + ' rgba(0,0,0,.2)' : 'none'
  };
}

const POPUP_COLOURS = [
  'popup-background',
  'popup-text',
  'popup-highlight',
  'popup-highlight-text',
  'popup-frame',
  'current-marker'
];

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
  const hex = /^#([0-9a-f]{6})$/i.exec(read);
  if (hex) return toRgb(hex[1]);
  const rgb = /^rgba?\((\d+),\s*(\d+),\s*(\d+)/.exec(read);
  return rgb ? rgb.slice(1, 4).map(Number) : null;
}

// The colours the menu shows now: in the dark scheme the dark values, in both the site's
// custom properties where they hold colours. Returns the look with its popup colours so
// replaced, and the applet fields' colours by position.
export function schemeColours(base, place, element, context) {
  const dark = base.scheme === 'dark' || (base.scheme === 'auto' && pageIsDark(place));
  const colours = new Map(dark ? Object.entries(base.dark) : []);
  if (Object.keys(base.vars).length) {
    const style = getComputedStyle(element);
    for (const [key, name] of Object.entries(base.vars)) {
      const rgb = cssColour(style.getPropertyValue(name).trim(), context);
      if (rgb) colours.set(key, rgb);
    }
  }
  const look = { ...base, dark: base.dark };
  for (const name of POPUP_COLOURS) if (colours.has(name)) look[camel(name)] = colours.get(name);
  if (look.popupSeparator && colours.has('popup-separator'))
    look.popupSeparator = colours.get('popup-separator');
  const fields = new Map();
  for (const [key, rgb] of colours) if (/^\d+$/.test(key)) fields.set(Number(key), rgb);
  return { dark, look, fields, key: JSON.stringify([...colours]) };
}
// Whether the colours can change while the page is shown.
export const followsPage = (look) => look.scheme === 'auto' || Object.keys(look.vars).length > 0;
