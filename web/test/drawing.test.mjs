// Pixels that do not depend on text, read from screenshots at device scale 1 and checked
// against plain models of the drawing rules.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { app, appletTag, encodePng, hex, launch, newPage, pageHtml, pageInFolder, screenshot } from './support.mjs';

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

const light = (c) => c.map((v) => v + Math.floor((255 - v) * 2 / 5));
const dark = (c) => c.map((v) => Math.floor(v * 3 / 5));
const at = (x, y, tag) => `<div style="position:absolute;left:${x}px;top:${y}px">${tag}</div>`;
// An applet of w x h without items or border, plus extra fields.
const plain = (w, h, fields = {}, params = {}) =>
  appletTag({ app: app({ 86: w, 87: h, 14: 0, ...fields }), ...params });

function expectArea(shot, x0, y0, w, h, expected, name) {
  for (let y = 0; y < h; y++) {
    for (let x = 0; x < w; x++) {
      assert.deepEqual(shot.at(x0 + x, y0 + y), expected(x, y), `${name} at ${x},${y}`);
    }
  }
}

test('borders: every style at widths 1 to 4, rings and corners', async () => {
  const c = hex('4080C0'), white = [255, 255, 255], W = 21, H = 16;
  const cases = [];
  for (let style = 1; style <= 4; style++) for (let bw = 1; bw <= 4; bw++) cases.push({ style, bw });
  const page = await newPage(browser);
  await page.setContent(pageHtml(cases.map(({ style, bw }, i) =>
    at((i % 4) * 30, Math.floor(i / 4) * 24, plain(W, H, { 14: style, 12: bw, 16: '4080C0' }))).join('')));
  const shot = await screenshot(page);
  for (const [i, { style, bw }] of cases.entries()) {
    const n = Math.min(bw, Math.floor(Math.min(W, H) / 2));
    expectArea(shot, (i % 4) * 30, Math.floor(i / 4) * 24, W, H, (x, y) => {
      const k = Math.min(x, y, W - 1 - x, H - 1 - y);
      if (k >= n) return white;
      const outer = k < Math.ceil(n / 2);
      const raised = style === 3 || (style === 1 && outer) || (style === 2 && !outer);
      const tl = (y === k && x <= W - 2 - k) || (x === k && y <= H - 2 - k);
      return tl === raised ? light(c) : dark(c);
    }, `style ${style} width ${bw}`);
  }
});

test('gradients, transparency and the item states', async () => {
  const page = await newPage(browser);
  const A = hex('102030'), B = hex('F08040');
  const item = { 'I0-0': '' };
  const noBorders = { 23: 0, 42: 0, 60: 0, 78: 0, 27: 10, 28: 10, 29: 30, 30: 20 };
  const states = { 32: '0000FF', 50: '00FF00', 68: 'FF0000' };
  await page.setContent(pageHtml(
    at(0, 0, plain(8, 50, { 2: '102030', 17: 'F08040', 88: 1 })) +
    // a transparent menu box shows the applet; a transparent item shows the menu box
    at(20, 0, plain(50, 40, { ...noBorders, 2: 'FFFF00', 18: '00FFFF', 20: 1, ...states }, item)) +
    at(80, 0, plain(50, 40, { ...noBorders, 2: 'FFFF00', 18: '00FFFF', 37: 1, ...states }, item)) +
    at(140, 0, plain(50, 40, { ...noBorders, ...states, 90: 1, 33: 'FF00FF' }, item))));
  let shot = await screenshot(page);
  for (let y = 0; y < 50; y++) {
    const want = A.map((v, i) => v + (B[i] - v) * (2 * y + 1) / 100);
    shot.at(3, y).forEach((v, i) => assert.ok(Math.abs(v - want[i]) <= 2, `gradient row ${y}`));
  }
  assert.deepEqual(shot.at(20 + 15, 15), hex('0000FF'), 'item on a transparent menu');
  assert.deepEqual(shot.at(20 + 5, 5), hex('FFFF00'), 'applet through the transparent menu');
  assert.deepEqual(shot.at(80 + 15, 15), hex('00FFFF'), 'menu through the transparent item');
  for (let y = 0; y < 20; y++) {
    const want = [(2 * y + 1) * 255 / 40, 0, 255].map((v, i) => i === 0 ? v : v);
    shot.at(140 + 20, 10 + y).forEach((v, i) => assert.ok(Math.abs(v - want[i]) <= 2, `item gradient row ${y}`));
  }
  await page.mouse.move(20 + 15, 15);
  shot = await screenshot(page);
  assert.deepEqual(shot.at(20 + 15, 15), hex('00FF00'), 'mouse over');
  await page.mouse.down();
  shot = await screenshot(page);
  assert.deepEqual(shot.at(20 + 15, 15), hex('FF0000'), 'clicked');
  await page.mouse.up();
  await page.mouse.move(300, 300);
  shot = await screenshot(page);
  assert.deepEqual(shot.at(20 + 15, 15), hex('0000FF'), 'normal again');
});

test('image placements', async () => {
  const red = [255, 0, 0], white = [255, 255, 255], w = 4, h = 3, W = 20, H = 16;
  const inside = (x, y, ix, iy) => x >= ix && x < ix + w && y >= iy && y < iy + h;
  const mid = Math.floor((H - h) / 2);
  const cases = [
    [0, (x, y) => inside(x, y, 5, 6)], [1, (x, y) => inside(x, y, Math.floor((W - w) / 2), mid)],
    [2, (x, y) => inside(x, y, 0, mid)], [3, (x, y) => inside(x, y, W - w, mid)],
    [4, () => true], [5, () => true]];
  const { url } = pageInFolder(cases.map(([how], i) =>
    at(i * 30, 0, plain(W, H, { 4: 'red dot.png', 5: how, 6: 5, 7: 6 }))).join(''),
  { 'red dot.png': encodePng(w, h, () => red) });
  const page = await newPage(browser);
  await page.goto(url);
  // Drawn once the picture has loaded: the tiled applet turns red from its corner.
  await page.waitForFunction(() => document.querySelectorAll('.zorvex > canvas')[4]?.getContext('2d')
    .getImageData(0, 0, 1, 1).data[1] === 0);
  const shot = await screenshot(page);
  for (const [i, [how, covered]] of cases.entries()) {
    expectArea(shot, i * 30, 0, W, H, (x, y) => covered(x, y) ? red : white, `placement ${how}`);
  }
});

test('the loading message shows while pictures load, at most 3 seconds', async () => {
  const page = await newPage(browser);
  await page.clock.install({ time: 0 });
  let release;
  const held = new Promise((r) => { release = r; });
  await page.route('http://menu.test/**', async (route) => {
    if (route.request().url().endsWith('.png')) {
      await held;
      return route.fulfill({ contentType: 'image/png', body: encodePng(2, 2, () => [255, 0, 0]) });
    }
    return route.fulfill({ contentType: 'text/html', body: pageHtml(plain(40, 20,
      { 4: 'slow.png', 5: 5, 11: '00FF00', 10: '0000FF' }) + plain(40, 20, { 2: '123456' })) });
  });
  await page.goto('http://menu.test/page.html', { waitUntil: 'domcontentloaded' });
  await page.clock.pauseAt(1000);
  let shot = await screenshot(page);
  assert.deepEqual(shot.at(1, 1), hex('00FF00'), 'the loading colour while the picture loads');
  assert.deepEqual(shot.at(41, 1), hex('123456'), 'a menu without pictures never shows it');
  await page.clock.runFor(3000);
  shot = await screenshot(page);
  assert.deepEqual(shot.at(1, 1), [255, 255, 255], 'after 3 seconds the menu, picture or not');
  release();
});

test('popups: frame, padding, separator, highlighted row and arrow', async () => {
  const page = await newPage(browser);
  await page.clock.install({ time: 0 });
  await page.setContent(pageHtml(plain(200, 30, { 27: 0, 28: 0 }, {
    'I0-0': 'P', 'btn0mn0it0': 'A|a.html|_self|', 'btn0mn0it1': '-|||', 'btn0mn0it2': 'btn0mn1',
    'btn0mn1': 'S', 'btn0mn1it0': 'T|t.html|_self|'
  })));
  await page.clock.pauseAt(1000);
  await page.getByRole('button', { name: 'P' }).click();
  await page.getByRole('button', { name: 'S' }).hover();
  const { popups: [{ box: [x, y, w, h], rows }] } =
    await page.evaluate(() => zorvex.layout(document.querySelector('.zorvex')));
  const shot = await screenshot(page);
  const frame = hex('808080'), face = hex('F0F0F0'), blue = hex('316AC5'), white = [255, 255, 255];
  const expect = (px, py, colour, what) => assert.deepEqual(shot.at(px, py), colour, `${what} at ${px},${py}`);
  for (const [px, py] of [[x, y + 5], [x + w - 1, y + 5], [x + 5, y], [x + 5, y + h - 1]]) expect(px, py, frame, 'frame');
  expect(x + 1, y + 1, face, 'padding');
  expect(x + 2, y + 2, face, 'padding');
  const [sy] = rows[1];
  for (const px of [x + 4, x + 20, x + w - 5]) {
    expect(px, sy + 3, hex('A0A0A0'), 'separator line');
    expect(px, sy + 4, white, 'separator light line');
  }
  expect(x + 3, sy + 3, face, 'separator start');
  expect(x + w - 4, sy + 3, face, 'separator end');
  const [ry, rh] = rows[2], cy = ry + Math.floor(rh / 2);
  expect(x + 3, ry, blue, 'highlighted row');
  expect(x + w - 4, ry + rh - 1, blue, 'highlighted row');
  expect(x + 2, ry, face, 'padding beside the row');
  for (let i = 0; i < 4; i++) {
    expect(x + w - 12 + i, cy - 3 + i, white, 'arrow top');
    expect(x + w - 12 + i, cy + 3 - i, white, 'arrow bottom');
    expect(x + w - 12 + i, cy - 4 + i, blue, 'above the arrow');
  }
  expect(x + w - 8, cy, blue, 'right of the arrow tip');
});
