// The visitor's own tools in the author's site: machine translation, find in page, a minimum
// font size, the current page, a short window, the page's language, printing, forced colours.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { app, appletTag, hex, launch, menusDrawn, newPage, pageHtml, runtimeSource, sampleMenu, screenshot } from './support.mjs';

const MENU = sampleMenu({ 30: 40, 32: '102030', 38: 'E0E0E0', 68: 'C04000' });
let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

const layoutOf = (page, options) => page.evaluate((o) => zorvex.layout(document.querySelector('.zorvex'), o), options);
const frame = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
const rect = (page, selector) => page.locator(selector).first().evaluate((el) => {
  const b = el.getBoundingClientRect();
  return [b.left, b.top, b.width, b.height];
});

test('a translator rewrites the text: the drawn captions and the layout follow', async () => {
  const say = (s) => `Übersetzt: ${s} (ein längerer Text)`;
  const translated = sampleMenu({ 30: 40, 32: '102030', 38: 'E0E0E0', 68: 'C04000' }, {
    'I0-0': `${say('Home')}|index.html|_self|||||||5|5|`, 'I0-1': `${say('Products')}||_self|||||||5|5|`,
    'btn1mn0it0': `${say('Software')}|software.html|_self|`, 'btn1mn1': say('Hardware'),
    'btn1mn1it0': `${say('Desktops')}|desktops.html|_top|`, 'btn1mn1it1': `${say('Laptops')}|laptops.html|_self|`,
    'btn1mn0it3': `${say('Catalogue')}|catalogue.html|_self|`, 'I0-2': `${say('Contact')}|contact.html|_blank|||||||5|5|`
  });
  const page = await newPage(browser);
  const open = async () => {
    await page.mouse.click(150, 20);
    await page.mouse.move(799, 599);
    await frame(page);
  };
  await page.setContent(pageHtml(translated));
  await open();
  const expected = { layout: await layoutOf(page), shot: await page.screenshot() };

  await page.setContent(pageHtml(MENU));
  await open();
  // As translators do: every text node rewritten, some wrapped in elements of their own.
  await page.evaluate((prefix) => {
    const walker = document.createTreeWalker(document.querySelector('.zorvex'), NodeFilter.SHOW_TEXT);
    const nodes = [];
    for (let n; (n = walker.nextNode());) if (n.data.trim() && !n.parentElement.closest('.zv-b')) nodes.push(n);
    nodes.forEach((n, i) => {
      const text = `${prefix}${n.data} (ein längerer Text)`;
      if (i % 2) n.data = text;
      else {
        const font = document.createElement('font');
        font.textContent = text;
        n.replaceWith(font);
      }
    });
  }, 'Übersetzt: ');
  await frame(page);
  assert.deepEqual(await layoutOf(page), expected.layout);
  const shot = await page.screenshot();
  assert.ok(shot.equals(expected.shot), 'the translated page draws as a page written in the new language');
});

test('captions are the elements\' text: find in page marks what the visitor sees', async () => {
  const page = await newPage(browser);
  await page.setContent(pageHtml(MENU));
  await page.mouse.click(150, 20);
  for (const word of ['Products', 'Catalogue']) {
    const [found, element] = await page.evaluate((w) => {
      getSelection().removeAllRanges();
      window.find(w);
      const range = getSelection().getRangeAt(0), r = range.getBoundingClientRect();
      const el = range.startContainer.parentElement.getBoundingClientRect();
      return [[r.left, r.top, r.right, r.bottom], [el.left, el.top, el.right, el.bottom]];
    }, word);
    assert.ok(found[0] >= element[0] && found[2] <= element[2] && found[1] >= element[1] && found[3] <= element[3],
      `${word}: the match ${found} lies in its item ${element}`);
  }
  // Without the elements' text the items show no caption: the canvas paints none.
  await page.evaluate(() => document.querySelectorAll('.zv-i,.zv-r').forEach((el) => {
    el.style.setProperty('color', 'transparent', 'important');
  }));
  await page.mouse.move(799, 599);
  const shot = await screenshot(page);
  const colours = new Set();
  for (let y = 8; y < 32; y++) for (let x = 8; x < 92; x++) colours.add(shot.at(x, y).join());
  assert.deepEqual([...colours], [hex('102030').join()], 'the item Home without its text');
});

test('a minimum font size of 20 makes rows taller and popups wider, nothing clipped', async () => {
  const profile = mkdtempSync(join(tmpdir(), 'zorvex-profile-'));
  mkdirSync(join(profile, 'Default'));
  writeFileSync(join(profile, 'Default', 'Preferences'), JSON.stringify({ webkit: { webprefs: { minimum_font_size: 20 } } }));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', viewport: { width: 800, height: 600 },
    args: ['--disable-gpu', '--no-first-run', '--disable-background-networking', '--font-render-hinting=none']
  });
  try {
    const page = context.pages()[0] || await context.newPage();
    await page.setContent(pageHtml(sampleMenu({ 95: 12 })));
    await menusDrawn(page);
    const wide = await layoutOf(page);
    assert.deepEqual(wide.popups[0].rows.map((r) => r[1]), [28, 28, 7, 28], 'rows of max(24, 20 + 8)');
    await page.mouse.click(150, 10);
    await page.getByRole('button', { name: 'Hardware' }).click();
    const clipped = await page.evaluate(() => [...document.querySelectorAll('.zv-p:popover-open .zv-r')]
      .filter((el) => el.scrollWidth > el.clientWidth || el.getBoundingClientRect().height !== 28).map((el) => el.textContent));
    assert.deepEqual(clipped, []);
    const narrow = await layoutOf(page, { width: 320 });
    assert.ok(narrow.rows.every((r) => r.kind === 'separator' || r.box[3] >= 44));
  } finally {
    await context.close();
  }
});

test('the current page: aria-current, the clicked look, the row marker', async () => {
  const page = await newPage(browser);
  const site = '<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><style>body{margin:0}</style></head>' +
    `<body>${MENU}<script src="zorvex.js"></script></body></html>`;
  await page.route('http://menu.test/**', (route) => route.fulfill({
    contentType: route.request().url().endsWith('.js') ? 'text/javascript' : 'text/html',
    body: route.request().url().endsWith('.js') ? runtimeSource : site
  }));
  const current = () => page.evaluate(() => [...document.querySelectorAll('.zorvex [aria-current]')]
    .map((el) => [el.textContent, el.getAttribute('aria-current')]));
  for (const url of ['http://MENU.test/index.html#top', 'http://menu.test/']) {
    await page.goto(url);
    assert.deepEqual(await current(), [['Home', 'page']], url);
    assert.deepEqual((await screenshot(page)).at(7, 7), hex('C04000'), `${url}: Home looks clicked`);
  }
  await page.goto('http://menu.test/software.html?x=1');
  assert.deepEqual(await current(), [], 'queries compare exactly');
  await page.goto('http://menu.test/software.html');
  assert.deepEqual(await current(), [['Software', 'page']]);
  let shot = await screenshot(page);
  assert.deepEqual(shot.at(107, 7), hex('C04000'), 'Products holds the current page');
  assert.deepEqual(shot.at(7, 7), hex('102030'), 'Home is normal');
  await page.mouse.move(150, 20);
  assert.notDeepEqual((await screenshot(page)).at(107, 7), hex('C04000'), 'pointed at: mouse over');
  await page.mouse.click(150, 20);
  await page.mouse.move(799, 599);
  const [x, y, , h] = await rect(page, 'a:text-is("Software")');
  shot = await screenshot(page);
  for (let j = 0; j < h; j++) {
    const want = j >= 3 && j < h - 3 ? hex('316AC5') : hex('F0F0F0');
    for (let i = 0; i < 3; i++) assert.deepEqual(shot.at(x + i, y + j), want, `marker at ${i},${j}`);
  }
  assert.deepEqual(shot.at(x + 3, y + h / 2), hex('F0F0F0'));
  await page.mouse.move(x + 40, y + h / 2);
  assert.deepEqual((await screenshot(page)).at(x + 1, y + h / 2), [255, 255, 255], 'white on the highlight');
});

test('a 320 x 256 window: the long list scrolls inside itself and keeps the focused row in view', async () => {
  const params = { app: app({ 86: 600, 87: 40 }) };
  for (let b = 0; b < 30; b++) params['I0-' + b] = `Item ${b}|p${b}.html|_self|||||||5|5|`;
  const page = await newPage(browser, { viewport: { width: 320, height: 256 } });
  await page.setContent(pageHtml('<div style="height:30px"></div>' + appletTag(params) + '<p style="height:2000px">text</p>'));
  await page.getByRole('button', { name: 'Menu' }).click();
  const list = () => page.evaluate(() => {
    const l = document.querySelector('.zv-l'), b = l.getBoundingClientRect();
    return { top: b.top, bottom: b.bottom, scrolls: l.scrollHeight > l.clientHeight };
  });
  assert.deepEqual(await list(), { top: 74, bottom: 256, scrolls: true });
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('End');
  const [, top, , height] = await rect(page, ':focus');
  assert.ok(top >= 74 && top + height <= 256, `the last row at ${top}`);
  // The page scrolls: the list follows its bar.
  await page.evaluate(() => scrollTo(0, 20));
  await frame(page);
  assert.equal((await list()).top, 54);
});

test('the menu button is named in the page\'s language', async () => {
  const page = await newPage(browser, { viewport: { width: 320, height: 400 } });
  for (const [lang, name] of [['de', 'Menü'], ['de-CH', 'Menü'], ['pt-BR', 'Menu'], ['zh-TW', '選單'], ['zh', '菜单'],
    ['ar', 'القائمة'], ['xx', 'Menu']]) {
    await page.setContent(pageHtml(`<div lang="${lang}">${MENU}</div>`));
    assert.equal(await page.getByRole('button', { name, exact: true }).count(), 1, lang);
    assert.equal(await page.getByRole('navigation', { name, exact: true }).count(), 1, lang);
  }
});

test('printing draws sharp canvases and no open popup', async () => {
  const page = await newPage(browser);
  await page.setContent(pageHtml(MENU));
  await page.mouse.click(150, 20);
  const state = () => page.evaluate(() => [document.querySelector('.zorvex canvas').width,
    document.querySelectorAll('.zorvex :popover-open').length]);
  assert.deepEqual(await state(), [420, 1]);
  await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
  assert.deepEqual(await state(), [1260, 0]);
  await page.evaluate(() => dispatchEvent(new Event('afterprint')));
  assert.deepEqual(await state(), [420, 0]);
});

test('forced colours in the narrow list: arrows as aria-expanded says, captions centred', async () => {
  const page = await newPage(browser, { viewport: { width: 320, height: 600 } });
  await page.emulateMedia({ forcedColors: 'active' });
  await page.setContent(pageHtml(MENU));
  // The menu button shows its three bars and its frame without the canvas.
  const bars = await screenshot(page), face = bars.at(22, 5).join();
  let ink = 0;
  for (let y = 0; y < 44; y++) for (let x = 0; x < 44; x++) if (bars.at(x, y).join() !== face) ink++;
  assert.ok(ink >= 3 * 36 + 4 * 40, `${ink} pixels of bars and frame`);
  await page.getByRole('button', { name: 'Menu' }).click();
  await page.getByRole('button', { name: 'Products' }).click();
  const arrows = await page.evaluate(() => [...document.querySelectorAll('.zv-l button')].map((el) => {
    const after = getComputedStyle(el, '::after');
    return [el.textContent, el.getAttribute('aria-expanded'), after.borderTopWidth !== '0px', after.borderBottomWidth !== '0px',
      after.borderTopColor === getComputedStyle(el).color || after.borderBottomColor === getComputedStyle(el).color];
  }));
  assert.deepEqual(arrows, [['Products', 'true', false, true, true], ['Hardware', 'false', true, false, true]]);
  const offCentre = await page.evaluate(() => [...document.querySelectorAll('.zv-l a, .zv-l button')].map((el) => {
    const range = document.createRange();
    range.selectNodeContents(el);
    const t = range.getBoundingClientRect(), b = el.getBoundingClientRect();
    return Math.abs((t.top + t.bottom) / 2 - (b.top + b.bottom) / 2);
  }).filter((d) => d > 2));
  assert.deepEqual(offCentre, []);
});
