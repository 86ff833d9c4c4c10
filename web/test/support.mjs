// Shared by the runtime's tests and benchmark: the browser, fixture pages, a PNG reader and
// writer, the batch tool and random projects.
import { chromium } from 'playwright-core';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { deflateSync, inflateSync } from 'node:zlib';

const here = dirname(fileURLToPath(import.meta.url));
// The shipped, minified runtime that the build puts in the program folder.
export const runtimePath = process.env.ZORVEX_JS || join(here, '..', '..', 'build', 'bin', 'zorvex.js');
export const runtimeSource = readFileSync(runtimePath, 'utf8');
export const cliPath = process.env.TARVELLE_CLI || join(here, '..', '..', 'build', 'bin', 'tarvelle-cli');
export const templatesDir = process.env.TARVELLE_TEMPLATES ||
  join(here, '..', '..', 'resources', 'templets');

export async function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--force-color-profile=srgb',
      '--font-render-hinting=none', '--allow-file-access-from-files']
  });
}

// The runtime draws a page's menus in short tasks that may end after the load: a page loaded
// here is handed on once they are drawn.
export async function newPage(browser, options = {}) {
  const context = await browser.newContext({ deviceScaleFactor: 1, viewport: { width: 800, height: 600 }, ...options });
  const page = await context.newPage();
  for (const method of ['goto', 'setContent', 'reload']) {
    const load = page[method].bind(page);
    page[method] = async (...args) => {
      const response = await load(...args);
      await menusDrawn(page);
      return response;
    };
  }
  return page;
}
export const menusDrawn = (page) => page.evaluate(() => window.zorvex && window.zorvex.drawn());

// Applet field defaults, position 1 first, read from the runtime's source (a core test checks
// them against the settings table), and an "app" value with some fields replaced.
const declared = readFileSync(join(here, '..', 'src', 'fields.js'), 'utf8').match(/const DEFAULTS = \(([^)]*)\)/)[1];
export const DEFAULTS = [...declared.matchAll(/'([^']*)'/g)].map((literal) => literal[1]).join('').split('|');
export function app(fields = {}) {
  const f = DEFAULTS.slice();
  for (const [pos, value] of Object.entries(fields)) f[pos - 1] = String(value);
  return f.map((v) => v + '|').join('');
}

const attr = (s) => String(s).replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
// An applet tag with the given parameters ([name, value] pairs or an object).
export function appletTag(params) {
  const list = Array.isArray(params) ? params : Object.entries(params);
  return '<applet code="zorvex.class" archive="zorvex.jar" width="1" height="1">' +
    list.map(([n, v]) => `<param name="${attr(n)}" value="${attr(v)}">`).join('') + '</applet>';
}

// The menu most tests use: Home (link), Products (popup: Software, Hardware > [Desktops,
// Laptops], -, Catalogue), Contact (link, new window); fields and params change it.
export function sampleMenu(fields = {}, params = {}) {
  return appletTag({
    app: app({ 86: 420, 87: 40, 27: 0, 28: 0, 29: 100, ...fields }),
    'I0-0': 'Home|index.html|_self|||||||5|5|',
    'I0-1': 'Products||_self|||||||5|5|',
    'btn1mn0it0': 'Software|software.html|_self|',
    'btn1mn1': 'Hardware',
    'btn1mn0it1': 'btn1mn1',
    'btn1mn1it0': 'Desktops|desktops.html|_top|',
    'btn1mn1it1': 'Laptops|laptops.html|_self|',
    'btn1mn0it2': '-|||',
    'btn1mn0it3': 'Catalogue|catalogue.html|_self|',
    'I0-2': 'Contact|contact.html|_blank|||||||5|5|',
    ...params
  });
}

// A page with the runtime inlined, so it loads without files.
export function pageHtml(body, head = '') {
  return `<!DOCTYPE html><html><head><meta charset="utf-8"><style>body{margin:0}</style>${head}</head>` +
    `<body>${body}<script>${runtimeSource}</script></body></html>`;
}

// Writes files and a page beside them in a fresh folder; returns the page's address.
export function pageInFolder(body, files = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-'));
  for (const [name, bytes] of Object.entries(files)) writeFileSync(join(dir, name), bytes);
  writeFileSync(join(dir, 'zorvex.js'), runtimeSource);
  writeFileSync(join(dir, 'page.html'), '<!DOCTYPE html><html><head><meta charset="utf-8">' +
    `<style>body{margin:0}</style></head><body>${body}<script src="zorvex.js"></script></body></html>`);
  return { dir, url: pathToFileURL(join(dir, 'page.html')).href };
}

// ---- PNG ----
function crc32(buf) {
  let c, crc = ~0;
  for (const b of buf) {
    c = (crc ^ b) & 255;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    crc = (crc >>> 8) ^ c;
  }
  return ~crc >>> 0;
}
function chunk(type, data) {
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  out.write(type, 4, 'latin1');
  data.copy(out, 8);
  out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
  return out;
}
// An opaque RGB picture; pixel(x, y) gives [r, g, b].
export function encodePng(width, height, pixel) {
  const raw = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) raw.set(pixel(x, y), y * (width * 3 + 1) + 1 + x * 3);
  }
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(width, 0);
  ihdr.writeUInt32BE(height, 4);
  ihdr.set([8, 2, 0, 0, 0], 8);
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', ihdr),
    chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}
// 8-bit RGB or RGBA, not interlaced: what the browser's screenshots are.
export function decodePng(buf) {
  let pos = 8, width, height, channels;
  const idat = [];
  while (pos < buf.length) {
    const len = buf.readUInt32BE(pos), type = buf.toString('latin1', pos + 4, pos + 8);
    const data = buf.subarray(pos + 8, pos + 8 + len);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      channels = data[9] === 6 ? 4 : 3;
    } else if (type === 'IDAT') idat.push(data);
    pos += 12 + len;
  }
  const raw = inflateSync(Buffer.concat(idat)), stride = width * channels;
  const px = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const f = raw[y * (stride + 1)], row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? px[y * stride + i - channels] : 0;
      const b = y ? px[(y - 1) * stride + i] : 0;
      const c = y && i >= channels ? px[(y - 1) * stride + i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const pred = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][f];
      px[y * stride + i] = (row[i] + pred) & 255;
    }
  }
  return { width, height, at: (x, y) => Array.from(px.subarray((y * width + x) * channels, (y * width + x) * channels + 3)) };
}
// The page as it shows: a popup still fading in (the look's opening time) is taken at its end.
export async function screenshot(page) {
  await page.evaluate(() => document.getAnimations().forEach((animation) => animation.finish()));
  return decodePng(await page.screenshot());
}
export const hex = (s) => [parseInt(s.slice(0, 2), 16), parseInt(s.slice(2, 4), 16), parseInt(s.slice(4, 6), 16)];

// ---- the batch tool ----
export function cli(...args) {
  const r = spawnSync(cliPath, args, { encoding: 'utf8' });
  if (r.status !== 0) throw new Error(`tarvelle-cli ${args.join(' ')}: ${r.status} ${r.stderr}`);
  return r.stdout;
}

// ---- random projects ----
export function rng(seed) {
  let s = seed >>> 0;
  return (n) => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = Math.imul(s ^ (s >>> 15), 1 | s);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return (((t ^ (t >>> 14)) >>> 0) % n);
  };
}
const CAPTIONS = ['Home', 'Products', '-', 'A much longer caption here', 'Café', 'x', 'Über uns',
  '"Quoted" & <b>', 'W', 'Downloads', '-', '中文'];
// Project file text with a random tree and random, mostly valid, layout fields.
const colour = (r) => (0x1000000 + r(0x1000000)).toString(16).slice(1).toUpperCase();
function randomLook(r, set) {
  for (const pos of [2, 17, 16, 18, 19, 25]) set(pos, colour(r));
  set(88, r(2)); set(89, r(2)); set(20, r(4) ? 0 : 1);
  set(12, r(6)); set(14, r(5)); set(21, r(7)); set(23, r(5));
  for (const [k, s] of [32, 50, 68].entries()) {
    for (const d of [0, 1, 6, 12]) set(s + d, colour(r));
    set(s + 5, r(5) ? 0 : 1); set(90 + k, r(2));
    set(s + 8, r(5)); set(s + 10, r(5));
    set(s + 13, r(4)); set(s + 14, [9, 11, 12, 14, 16][r(5)]); set(s + 15, r(4));
    set(s + 16, r(7) - 3); set(s + 17, r(3));
  }
}

// A random project; with look, its colours, gradients, borders and fonts are random too.
// Random look settings: the popups' colours, frame, separator, padding, rows, inset, corners
// and shadow; fonts, weights and capitals; the corners of the items and of the menu.
export function randomPopupLook(r) {
  const colour = () => Array.from({ length: 6 }, () => '0123456789ABCDEF'[r(16)]).join('');
  const settings = {};
  for (const name of ['popup-background', 'popup-text', 'popup-highlight', 'popup-highlight-text',
    'popup-frame', 'current-marker']) if (r(3)) settings[name] = colour();
  if (r(2)) settings['popup-separator'] = colour();
  settings['popup-frame-width'] = String(r(3));
  settings['popup-padding'] = String(4 + r(29));
  settings['popup-row'] = String(24 + r(41));
  settings['popup-inset'] = String(r(9));
  settings['popup-radius'] = String(r(2) ? r(17) : 0);
  settings['popup-shadow'] = String(r(4));
  const fonts = ['"DejaVu Serif", serif', 'Liberation Sans, sans-serif', 'DejaVu Sans Mono', 'No Such Font, serif'];
  if (r(2)) settings['popup-font'] = fonts[r(fonts.length)];
  if (r(2)) settings['font'] = fonts[r(fonts.length)];
  if (r(2)) settings['popup-weight'] = String(100 * (1 + r(9)));
  if (r(2)) settings['weight'] = String(100 * (1 + r(9)));
  if (r(2)) settings['caps'] = '1';
  if (r(2)) settings['radius'] = String(r(33));
  if (r(2)) settings['menu-radius'] = String(r(33));
  return settings;
}

export function randomProject(r, { look = false, settings = null } = {}) {
  const items = [], structure = ['Tarvelle'];
  const grow = (depth, count) => {
    for (let i = 0; i < count && items.length < 60; i++) {
      const caption = CAPTIONS[r(CAPTIONS.length)];
      structure.push('\t'.repeat(depth) + caption);
      const f = [caption, r(2) ? 'page' + r(50) + '.html' : '', ['_self', '_blank', '_top'][r(3)],
        '', '', '', '', '', '', String(r(41) - 20), String(r(41) - 20), '', '', '', ''];
      items.push(f);
      if (depth < 4 && r(3) === 0) grow(depth + 1, 1 + r(5));
    }
  };
  grow(1, r(7));
  const f = DEFAULTS.slice();
  const set = (pos, v) => { f[pos - 1] = String(v); };
  set(86, 200 + r(500)); set(87, 20 + r(200));
  set(26, r(2)); set(27, r(100) - 20); set(28, r(60) - 10);
  set(29, r(150)); set(30, 10 + r(40)); set(31, r(21) - 10);
  set(21, r(6)); set(23, r(5));
  set(95, ['8', '10', '12', '14', '18', '24', '36'][r(7)]); set(94, r(4)); set(96, r(4));
  if (r(10) === 0) set(29, 'x12'); // malformed values count as their defaults
  if (r(10) === 0) set(95, '0');
  if (look) randomLook(r, set);
  const lines = ['Note: This file be created and maintained by Tarvelle,',
    'please do not modify it by yourself, otherwise the project file may not',
    'be opened correctly! Thanks!. ',
    '--------------- General Description Start ---------------', 'Name = Tarvelle', 'Version = 10 ',
    '--------------- General Description End ---------------',
    '--------------- Structure Description Start ---------------', ...structure,
    '--------------- Structure Description End ---------------',
    '--------------- Applet Parameter Description Start ---------------', ...f,
    '--------------- Applet Parameter Description End ---------------',
    '--------------- Item Parameter Description Start ---------------', String(items.length),
    ...items.flat(), '--------------- Item Parameter Description End ---------------'];
  if (settings && Object.keys(settings).length) {
    lines.push('--------------- Look Description ---------------',
      ...Object.keys(settings).sort().map((name) => `${name}=${settings[name]}`),
      '--------------- Look Description End ---------------');
  }
  return lines.map((l) => l + '\r\n').join('');
}

// The look settings a project file holds, by name.
export function lookOf(file) {
  const lines = readFileSync(file, 'utf8').split('\r\n');
  const start = lines.indexOf('--------------- Look Description ---------------');
  if (start < 0) return {};
  const end = lines.indexOf('--------------- Look Description End ---------------', start);
  return Object.fromEntries(lines.slice(start + 1, end).map((line) => [line.slice(0, line.indexOf('=')), line.slice(line.indexOf('=') + 1)]));
}
