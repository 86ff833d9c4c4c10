// The behaviour suite in Firefox ESR (Debian's firefox-esr, driven over WebDriver BiDi by
// puppeteer-core): layout records, keyboard, pointer with the submenu delay, the narrow form.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { HOSTS, hostPage } from './hosts.mjs';
import { cli, decodePng, pageHtml, runtimeSource, sampleMenu, templatesDir } from './support.mjs';

const firefox = process.env.FIREFOX || '/usr/bin/firefox-esr';
const skip = existsSync(firefox) ? false : 'Firefox ESR is not installed';
let browser, page;
before(async () => {
  if (skip) return;
  const { default: puppeteer } = await import('puppeteer-core');
  browser = await puppeteer.launch({
    browser: 'firefox', executablePath: firefox, headless: true,
    extraPrefsFirefox: { 'network.proxy.type': 0, 'app.update.enabled': false, 'toolkit.telemetry.enabled': false }
  });
  page = await browser.newPage();
});
after(() => browser?.close());

const MENU = sampleMenu({ 30: 40 });
// A clock of the test's own: timers run when advance(ms) says so.
const FAKE_CLOCK = '<script>(() => { let now = 0, queue = [], id = 0;' +
  'window.setTimeout = (f, ms) => { queue.push({ f, at: now + (ms || 0), id: ++id }); return id; };' +
  'window.clearTimeout = (i) => { queue = queue.filter((t) => t.id !== i); };' +
  'window.advance = (ms) => { now += ms; const due = queue.filter((t) => t.at <= now);' +
  'queue = queue.filter((t) => t.at > now); due.forEach((t) => t.f()); }; })();</script>';

async function open(width, body = MENU) {
  await page.setViewport({ width, height: 640 });
  await page.setContent(pageHtml(body, FAKE_CLOCK));
  await page.evaluate(() => zorvex.drawn());
}
const expanded = (name) => page.evaluate((n) => [...document.querySelectorAll('.zorvex button')]
  .find((b) => b.textContent === n).getAttribute('aria-expanded'), name);
const focused = () => page.evaluate(() => document.activeElement.textContent);
async function click(name) {
  const [x, y] = await page.evaluate((n) => {
    const el = [...document.querySelectorAll('.zorvex a, .zorvex button')].find((e) => e.textContent === n);
    const b = el.getBoundingClientRect();
    return [b.left + b.width / 2, b.top + b.height / 2];
  }, name);
  await page.mouse.click(x, y);
}

test('the layout records agree with the core, wide and narrow', { skip }, async () => {
  const comparable = (l) => ({ ...l, popups: l.popups.map((p) => ({ ...p, box: [p.path.length > 1 ? 0 : p.box[0], p.box[1], 0, p.box[3]] })) });
  for (const name of readdirSync(templatesDir).filter((n) => n.endsWith('.tvl'))) {
    const file = join(templatesDir, name);
    await open(800, cli('html', file).replace('<HTML>', '').replace('</HTML>', ''));
    const [wide, narrow] = await page.evaluate(() => [zorvex.layout(document.querySelector('.zorvex')),
      zorvex.layout(document.querySelector('.zorvex'), { width: 333 })]);
    assert.deepEqual(comparable(wide), comparable(JSON.parse(cli('layout', file))), name);
    assert.deepEqual(narrow, JSON.parse(cli('layout', '--width', '333', file)), name);
  }
});

test('keyboard: Tab, Enter, Space, arrows and Escape', { skip }, async () => {
  await open(800);
  const steps = [['Tab', 'Home'], ['Tab', 'Products'], ['Enter', 'Products', 'true'], ['Tab', 'Software'],
    ['ArrowDown', 'Hardware'], ['ArrowRight', 'Desktops'], ['ArrowLeft', 'Hardware'], ['ArrowDown', 'Catalogue'],
    ['ArrowDown', 'Software'], ['Escape', 'Products', 'false'], ['Space', 'Products', 'true']];
  for (const [key, name, open] of steps) {
    await page.keyboard.press(key);
    assert.equal(await focused(), name, `after ${key}`);
    if (open) assert.equal(await expanded('Products'), open, `Products after ${key}`);
  }
});

test('pointer: popups open on click, submenus after resting 150 ms, outside clicks close', { skip }, async () => {
  await open(800, MENU + '<p style="margin-top:300px">Outside</p>');
  await click('Products');
  assert.equal(await expanded('Products'), 'true');
  const [x, y] = await page.evaluate(() => {
    const b = [...document.querySelectorAll('.zv-r')].find((e) => e.textContent === 'Hardware').getBoundingClientRect();
    return [b.left + 10, b.top + 5];
  });
  await page.mouse.move(x, y);
  await page.evaluate(() => advance(140));
  assert.equal(await expanded('Hardware'), 'false', 'not before 150 ms');
  await page.evaluate(() => advance(20));
  assert.equal(await expanded('Hardware'), 'true');
  await page.mouse.click(5, 400);
  assert.equal(await expanded('Products'), 'false');
});

test('the narrow form at 320 pixels: the list, its branches and keys', { skip }, async () => {
  await open(320);
  assert.deepEqual(await page.evaluate(() => [document.querySelector('.zorvex').offsetWidth,
    document.documentElement.scrollWidth <= 320]), [320, true]);
  await click('Menu');
  await click('Products');
  await click('Hardware');
  const rows = await page.evaluate(() => {
    const o = document.querySelector('.zorvex').getBoundingClientRect();
    return [...document.querySelectorAll('.zv-l a, .zv-l button')].map((e) => {
      const b = e.getBoundingClientRect();
      return [e.textContent, b.top - o.top, b.width, b.height];
    });
  });
  const record = await page.evaluate(() => zorvex.layout(document.querySelector('.zorvex'), { width: 320 }));
  const expected = record.rows.filter((r) => r.kind !== 'separator').map((r) => [r.box[1], r.box[2], r.box[3]]);
  assert.deepEqual(rows.map((r) => r.slice(1)), expected);
  await page.keyboard.press('Escape');
  assert.equal(await focused(), 'Menu');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(), 'Home');
  await page.keyboard.press('End');
  assert.equal(await focused(), 'Contact');
});

// Pasted into host pages: the applet area and the open popup draw as on a page of their own,
// and nothing of the page covers the popup.
test('in host pages: the page\'s styles stay out, the popup lies above everything', { skip }, async () => {
  const menu = sampleMenu({ 30: 40, 32: '102030', 38: 'E0E0E0' });
  const drawn = async () => {
    await page.mouse.move(799, 639);
    const rects = await page.evaluate(() => [document.querySelector('.zorvex'), ...document.querySelectorAll('.zv-p:popover-open')]
      .map((el) => { const r = el.getBoundingClientRect(); return [r.left, r.top, r.width, r.height].map(Math.round); }));
    const shot = decodePng(Buffer.from(await page.screenshot()));
    return rects.map(([x, y, w, h]) => {
      const px = [];
      for (let j = 0; j < h; j++) for (let i = 0; i < w; i++) px.push(shot.at(x + i, y + j).join());
      return px;
    });
  };
  const covered = () => page.evaluate(() => [...document.querySelectorAll('.zv-p:popover-open > li > .zv-r')]
    .map((row) => { const b = row.getBoundingClientRect(), hit = document.elementFromPoint(b.left + 5, b.top + 5); return hit === row ? '' : row.textContent + ' ' + (hit && hit.outerHTML.slice(0, 80)) + JSON.stringify(b); }).filter(Boolean).join());
  await open(800, menu);
  await click('Products');
  const plain = await drawn();
  assert.equal(plain.length, 2);
  for (const host of HOSTS.filter((h) => /Bootstrap|classic|overflows|old nav|sticky/.test(h.name))) {
    await page.setContent(hostPage(host, menu, `<script>${runtimeSource}</script>`));
    await page.evaluate(() => zorvex.drawn());
    await click('Products');
    const shown = await drawn();
    assert.equal(shown.length, 2, host.name);
    shown.forEach((px, k) => assert.equal(px.filter((v, i) => v !== plain[k][i]).length, 0, `${host.name}: part ${k}`));
    assert.equal(await covered(), '', host.name);
  }
});
