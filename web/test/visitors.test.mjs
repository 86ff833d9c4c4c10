// The menu as every visitor meets it: a phone, a keyboard, high contrast, a right-to-left page,
// a strict content policy, two menus on one page, a browser without scripts, and axe.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cli, hex, launch, newPage, pageHtml, randomProject, rng, runtimeSource, sampleMenu, screenshot, templatesDir } from './support.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
// The sample menu, items 100 x 40, a dark normal state with light captions.
const MENU = sampleMenu({ 30: 40, 32: '102030', 38: 'E0E0E0' });

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

const layoutOf = (page, options) => page.evaluate((o) => zorvex.layout(document.querySelector('.zorvex'), o), options);
const box = (page, selector) => page.locator(selector).first().evaluate((el) => {
  const b = el.getBoundingClientRect(), o = document.querySelector('.zorvex').getBoundingClientRect();
  return [b.left - o.left, b.top - o.top, b.width, b.height];
});
// Serves pages and the runtime from http://menu.test/, with the given response headers.
async function served(page, pages, headers = {}) {
  await page.route('http://menu.test/**', (route) => {
    const name = new URL(route.request().url()).pathname.slice(1);
    const body = name === 'zorvex.js' ? runtimeSource : pages[name] ?? '';
    return route.fulfill({ contentType: name.endsWith('.js') ? 'text/javascript' : 'text/html', headers, body });
  });
}
const fullPage = (body, head = '') =>
  `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">${head}</head><body>${body}</body></html>`;

test('a 320-pixel touch screen gets the narrow form: bar, menu button, expanding list', async () => {
  const page = await newPage(browser, { viewport: { width: 320, height: 640 }, hasTouch: true });
  await page.setContent(pageHtml(MENU));
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 320), 'nothing overflows sideways');
  assert.deepEqual(await box(page, '.zorvex'), [0, 0, 320, 44]);
  const menu = page.getByRole('button', { name: 'Menu' });
  assert.equal(await menu.getAttribute('aria-expanded'), 'false');
  assert.equal(await page.getByRole('link', { name: 'Home' }).isVisible(), false);
  let shot = await screenshot(page);
  for (const y of [15, 21, 27]) assert.deepEqual(shot.at(13, y), hex('E0E0E0'), `menu bar at ${y}`);
  assert.deepEqual(shot.at(13, 17), hex('102030'), 'between the bars');

  await menu.tap();
  await page.getByRole('button', { name: 'Products' }).tap();
  await page.getByRole('button', { name: 'Hardware' }).tap();
  assert.equal(await page.getByRole('button', { name: 'Hardware' }).getAttribute('aria-expanded'), 'true');
  // Every branch is open now: each row lies where the narrow record says.
  const { rows } = await layoutOf(page, { width: 320 });
  const names = ['Home', 'Products', 'Software', 'Hardware', 'Desktops', 'Laptops', null, 'Catalogue', 'Contact'];
  assert.equal(rows.length, names.length);
  for (const [i, name] of names.entries()) {
    if (!name) continue;
    assert.deepEqual(await box(page, `.zorvex :is(a,button):text-is("${name}")`), rows[i].box, name);
  }
  shot = await screenshot(page);
  assert.deepEqual(shot.at(300, rows[2].box[1] + 2), hex('F0F0F0'), 'a popup row');
  assert.deepEqual(shot.at(10, rows[0].box[1] + 20), hex('102030'), 'a first-level row');

  await page.evaluate(() => document.addEventListener('click', (e) => e.preventDefault()));
  await page.getByRole('link', { name: 'Home' }).click();
  assert.equal(await menu.getAttribute('aria-expanded'), 'false', 'following a link closes the list');
  await page.setViewportSize({ width: 800, height: 640 });
  await page.waitForFunction(() => document.querySelector('.zorvex').offsetWidth === 420);
  assert.deepEqual(await box(page, '.zorvex'), [0, 0, 420, 40], 'wide again');
  assert.equal(await page.locator('.zv-b').isVisible(), false);
});

test('narrow form by keyboard: arrows, Home, End, expanding and Escape', async () => {
  const page = await newPage(browser, { viewport: { width: 360, height: 640 } });
  await page.setContent(pageHtml(MENU));
  const focused = () => page.evaluate(() => document.activeElement.textContent);
  const steps = [['Tab', 'Menu'], ['ArrowDown', 'Home'], ['ArrowDown', 'Products'], ['ArrowRight', 'Products'],
    ['ArrowDown', 'Software'], ['ArrowDown', 'Hardware'], ['End', 'Contact'], ['ArrowUp', 'Catalogue'],
    ['ArrowLeft', 'Products'], ['ArrowLeft', 'Products'], ['ArrowDown', 'Contact'], ['Home', 'Home']];
  for (const [key, name] of steps) {
    await page.keyboard.press(key);
    assert.equal(await focused(), name, `after ${key}`);
  }
  // The focused row wears the focus ring: black outside, white inside.
  const shot = await screenshot(page);
  assert.deepEqual(shot.at(0, 44), [0, 0, 0]);
  assert.deepEqual(shot.at(1, 45), [255, 255, 255]);
  await page.keyboard.press('Escape');
  assert.equal(await focused(), 'Menu');
  assert.equal(await page.getByRole('button', { name: 'Menu' }).getAttribute('aria-expanded'), 'false');
});

test('the focus ring shows on keyboard focus only, on items and popup rows', async () => {
  const page = await newPage(browser);
  await page.setContent(pageHtml(MENU));
  await page.mouse.move(50, 20);
  let shot = await screenshot(page);
  assert.notDeepEqual(shot.at(0, 0), [0, 0, 0], 'no ring for the pointer');
  await page.mouse.move(500, 500);
  await page.keyboard.press('Tab');
  shot = await screenshot(page);
  for (const [x, y] of [[0, 0], [99, 39], [0, 39], [99, 0]]) assert.deepEqual(shot.at(x, y), [0, 0, 0], `${x},${y}`);
  for (const [x, y] of [[1, 1], [98, 38]]) assert.deepEqual(shot.at(x, y), [255, 255, 255], `${x},${y}`);
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Tab');
  const [x, y, w] = await box(page, 'a:text-is("Software")');
  shot = await screenshot(page);
  assert.deepEqual(shot.at(x, y), [0, 0, 0]);
  assert.deepEqual(shot.at(x + w - 2, y + 1), [255, 255, 255]);
});

test('forced colours: nothing painted by the runtime, captions once, focus visible', async () => {
  const page = await newPage(browser);
  await page.emulateMedia({ forcedColors: 'active' });
  await page.setContent(pageHtml(MENU));
  assert.equal(await page.locator('.zorvex canvas').first().isVisible(), false);
  assert.notEqual(await page.locator('.zv-i').first().evaluate((el) => getComputedStyle(el).color), 'rgba(0, 0, 0, 0)');
  await page.getByRole('button', { name: 'Products' }).click();
  const [x, y, w, h] = await box(page, 'a:text-is("Software")');
  const before = await screenshot(page);
  // A row that opens a popup shows its arrow in the forced colours too.
  const [ax, ay, aw, ah] = await box(page, 'button:text-is("Hardware")');
  const face = before.at(ax + 3, ay + 3).join();
  let arrow = 0;
  for (let j = -5; j <= 5; j++) for (let i = 12; i >= 4; i--) if (before.at(ax + aw - i, ay + (ah >> 1) + j).join() !== face) arrow++;
  assert.ok(arrow >= 12, `${arrow} pixels of the arrow`);
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Software');
  const after = await screenshot(page);
  let changed = 0;
  for (let j = 0; j < h; j++) for (let i = 0; i < w; i++) if (before.at(x + i, y + j).join() !== after.at(x + i, y + j).join()) changed++;
  assert.ok(changed > 20, `${changed} pixels change with the focus`);
});

test('a right-to-left page draws the menu exactly as a left-to-right one', async () => {
  const shots = [];
  for (const dir of ['ltr', 'rtl']) {
    const page = await newPage(browser);
    await page.setContent(pageHtml(MENU).replace('<html>', `<html dir="${dir}">`));
    const x = await page.locator('.zorvex').evaluate((el) => el.getBoundingClientRect().left);
    await page.getByRole('button', { name: 'Products' }).click();
    await page.getByRole('button', { name: 'Hardware' }).click();
    await page.mouse.move(700, 500);
    const shot = await screenshot(page);
    shots.push((i, j) => shot.at(x + i, j).join());
    assert.equal(await page.locator('.zv-i').first().getAttribute('dir'), 'auto');
  }
  let differ = 0;
  for (let j = 0; j < 200; j++) for (let i = 0; i < 420; i++) if (shots[0](i, j) !== shots[1](i, j)) differ++;
  assert.equal(differ, 0);
});

test('a strict content policy refuses nothing and the menu still works', async () => {
  const page = await newPage(browser);
  const refused = [];
  page.on('console', (m) => refused.push(m.text()));
  // The published page too: its canvas that keeps the place, and the place held while drawing.
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-policy-'));
  cli('publish', join(templatesDir, 'Night Bar.tvl'), dir);
  await served(page, { 'page.html': fullPage(MENU + '<script src="zorvex.js"></script><p>Text below</p>'),
    'published.html': readFileSync(join(dir, 'Night Bar.html'), 'utf8') },
  { 'Content-Security-Policy': "default-src 'self'" });
  await page.goto('http://menu.test/published.html');
  assert.equal(await page.locator('.zorvex').count(), 1);
  await page.goto('http://menu.test/page.html');
  assert.deepEqual(refused, []);
  assert.equal(await page.locator('.zv-i').first().evaluate((el) => getComputedStyle(el).position), 'absolute');
  await page.getByRole('button', { name: 'Products' }).click();
  const [x, y] = await box(page, 'a:text-is("Software")');
  assert.deepEqual([x, y], [108, 48], 'the popup lies below its item');
});

test('two menus, each with its script line; one broken menu leaves the others working', async () => {
  const page = await newPage(browser);
  const errors = [];
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  const broken = MENU.replace('<applet', '<applet id="broken"') + '<script src="break.js"></script>';
  await served(page, {
    'page.html': fullPage(`${broken}${MENU}<script src="zorvex.js"></script><p>text</p>` +
      `${MENU}<script src="zorvex.js"></script>`),
    'break.js': 'document.getElementById("broken").getElementsByTagName = () => { throw new Error("broken"); };'
  });
  await page.goto('http://menu.test/page.html');
  const found = await page.evaluate(() => ({
    menus: [...document.querySelectorAll('.zorvex')].map((el) => zorvex.layout(el) !== null),
    applets: document.querySelectorAll('applet').length,
    ids: [...document.querySelectorAll('[id]')].map((el) => el.id),
    controls: [...document.querySelectorAll('[aria-controls]')].every((el) => document.getElementById(el.getAttribute('aria-controls')))
  }));
  assert.deepEqual(found.menus, [true, true]);
  assert.equal(found.applets, 1, 'the broken one stays as it was');
  assert.ok(errors.length > 0 && errors.every((e) => e.startsWith('zorvex: a menu could not be drawn')), errors.join());
  assert.equal(new Set(found.ids).size, found.ids.length, 'ids are unique');
  assert.ok(found.controls);
  // destroy gives the tag back; upgrade makes a menu of it again.
  assert.equal(await page.evaluate(() => zorvex.destroy(document.querySelector('.zorvex'))), true);
  assert.equal(await page.locator('applet').count(), 2);
  await page.evaluate(() => zorvex.upgrade());
  assert.equal(await page.locator('.zorvex').count(), 2);
});

test('popups stay in the window after a resize; a new pixel ratio draws the canvas again', async () => {
  const page = await newPage(browser, { viewport: { width: 800, height: 600 } });
  await page.setContent(pageHtml(`<div style="margin-left:250px">${MENU}</div>`));
  await page.getByRole('button', { name: 'Products' }).click();
  await page.getByRole('button', { name: 'Hardware' }).click();
  await page.setViewportSize({ width: 730, height: 150 });
  const right = await page.evaluate(() => Math.max(...[...document.querySelectorAll('.zv-p:not([hidden])')]
    .map((ul) => ul.getBoundingClientRect().right)));
  assert.ok(right <= 730, `popups end at ${right}`);
  const bottom = await page.evaluate(() => document.querySelector('.zv-p:not([hidden])').getBoundingClientRect().bottom);
  assert.ok(bottom <= 150, `popups end at ${bottom}`);
  const cdp = await page.context().newCDPSession(page);
  // As zooming does, the window's size in CSS pixels changes with the ratio.
  await cdp.send('Emulation.setDeviceMetricsOverride', { width: 720, height: 150, deviceScaleFactor: 2, mobile: false });
  await page.waitForFunction(() => document.querySelector('.zorvex canvas').width === 840);
  assert.equal(await page.getByRole('button', { name: 'Hardware' }).getAttribute('aria-expanded'), 'true');
});

test('without scripts, and before anything opens, every link of a menu is in the page', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-visitors-'));
  for (const name of readdirSync(templatesDir).filter((n) => n.endsWith('.tvl'))) {
    const site = join(dir, name);
    cli('publish', join(templatesDir, name), site);
    const url = pathToFileURL(join(site, name.replace(/\.tvl$/, '.html'))).href;
    const links = async (javaScriptEnabled) => {
      const page = await newPage(browser, { javaScriptEnabled });
      await page.goto(url);
      return page.evaluate(() => [...document.querySelectorAll('a[href]')].map((a) => a.getAttribute('href')).sort());
    };
    const plain = await links(false), upgraded = await links(true);
    assert.ok(plain.length > 2, name);
    assert.deepEqual(upgraded, plain, name);

    // Without scripts the canvas that keeps the menu's place shows the lists whole instead:
    // every link is drawn and is what a click at its middle reaches.
    const page = await newPage(browser, { javaScriptEnabled: false, viewport: { width: 800, height: 2000 } });
    await page.goto(url);
    const unreachable = await page.evaluate(() => [...document.querySelectorAll('a[href]')].filter((a) => {
      const box = a.getBoundingClientRect();
      return !a.checkVisibility() || document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2) !== a;
    }).map((a) => a.textContent));
    assert.deepEqual(unreachable, [], name);
    await page.context().close();
  }
});

test('axe finds nothing but the author\'s colour contrast, wide and narrow, popups open and closed', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-axe-'));
  const deep = join(dir, 'deep.tvl');
  writeFileSync(deep, randomProject(rng(4242)));
  const files = readdirSync(templatesDir).filter((n) => n.endsWith('.tvl')).map((n) => join(templatesDir, n));
  for (const file of [...files, deep]) {
    const fragment = cli('html', file).replace('<HTML>', '').replace('</HTML>', '');
    for (const width of [800, 320]) {
      const page = await newPage(browser, { viewport: { width, height: 600 } });
      await page.setContent(pageHtml(fragment));
      await page.addScriptTag({ content: axeSource });
      const check = async (what) => {
        const { violations } = await page.evaluate(() => axe.run('.zorvex', { rules: { 'color-contrast': { enabled: false } } }));
        assert.deepEqual(violations.map((v) => v.id), [], `${file} ${what} at ${width}`);
      };
      await check('closed');
      // Open what a visitor can: narrow, the list and every branch; wide, a popup and its
      // submenus down to the deepest.
      const narrow = await page.locator('.zv-b').isVisible();
      if (narrow) await page.locator('.zv-b').click();
      const closed = narrow ? '.zv-l button[aria-expanded="false"]' : '.zv-p:not([hidden]) > li > button[aria-expanded="false"]';
      if (!narrow && await page.locator('button.zv-i').count()) await page.locator('button.zv-i').first().click();
      for (let n = 0, more; n < 40 && await (more = page.locator(closed).first()).count(); n++) await more.click();
      await check('open');
      await page.close();
    }
  }
});
