// The menu the site command writes into every page of a site, seen in a page two folders down.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cli, encodePng, launch, newPage, screenshot, templatesDir } from './support.mjs';

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

const marked = (title) => `<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8"><title>${title}</title></head>\n` +
  '<body style="margin:0">\n<!-- tarvelle:menu -->\n<!-- /tarvelle:menu -->\n</body></html>\n';

test('a page two folders down: the menu works, shows its pictures and marks the current page', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-site-'));
  // Night Bar with a red picture on Home and Software linking the deep page.
  const project = JSON.parse(cli('export', '--format', 'json', join(templatesDir, 'Night Bar.tvl')));
  project.items[0].ItemNoBgImg = 'red.png';
  project.items[1].children[0].ItemURL = 'products/sub/deep.html';
  writeFileSync(join(dir, 'menu.json'), JSON.stringify(project));
  cli('import', join(dir, 'menu.json'), join(dir, 'menu.tvl'));
  writeFileSync(join(dir, 'red.png'), encodePng(8, 8, () => [255, 0, 0]));
  const site = join(dir, 'site');
  mkdirSync(join(site, 'products', 'sub'), { recursive: true });
  writeFileSync(join(site, 'index.html'), marked('Home'));
  writeFileSync(join(site, 'products', 'sub', 'deep.html'), marked('Deep'));
  cli('site', join(dir, 'menu.tvl'), site);
  const deep = pathToFileURL(join(site, 'products', 'sub', 'deep.html')).href;

  const page = await newPage(browser);
  await page.goto(deep);
  await page.waitForSelector('.zorvex nav', { state: 'attached' });
  const current = () => page.evaluate(() => [...document.querySelectorAll('.zorvex [aria-current]')]
    .map((el) => [el.textContent, el.href]));
  assert.deepEqual(await current(), [['Software', deep]]);
  const home = await page.getByRole('link', { name: 'Home' }).boundingBox();
  assert.deepEqual((await screenshot(page)).at(home.x + 2, home.y + 2), [255, 0, 0], 'the picture beside zorvex.js');
  await page.getByRole('button', { name: 'Products' }).click();
  assert.ok(await page.getByRole('link', { name: 'Software' }).isVisible(), 'the popup opens');
  await Promise.all([page.waitForURL(/\/site\/index\.html$/), page.getByRole('link', { name: 'Home' }).click()]);
  await page.waitForSelector('.zorvex nav', { state: 'attached' });
  assert.deepEqual((await current())[0][0], 'Home');

  // Without scripts the plain list leads from the deep page and marks it.
  const plain = await newPage(browser, { javaScriptEnabled: false });
  await plain.goto(deep);
  assert.deepEqual(await plain.evaluate(() => [...document.querySelectorAll('a[aria-current="page"]')]
    .map((a) => [a.textContent, a.getAttribute('href')])), [['Software', 'deep.html']]);
  assert.equal(await plain.getByRole('link', { name: 'Home' }).getAttribute('href'), '../../index.html');
});
