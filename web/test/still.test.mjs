// The page stays still while the runtime arrives: the published templates between a heading
// and text, with zorvex.js held back until the page has painted, on a wide and a phone-sized
// window. Chromium's layout-shift entries must stay (all but) empty, the plain lists must
// never show, and the place the tag holds while the menu is drawn must be the menu's own.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, readdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { cli, launch, menusDrawn, newPage, runtimeSource, templatesDir } from './support.mjs';

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

const text = Array.from({ length: 30 }, (_, k) => `<p>Paragraph ${k}: ${'the text below the menu. '.repeat(8)}</p>`).join('\n');
function visitorPage(template) {
  const site = join(mkdtempSync(join(tmpdir(), 'zorvex-still-')), 'site');
  cli('publish', join(templatesDir, template), site);
  const published = readFileSync(join(site, template.replace(/\.tvl$/, '.html')), 'utf8');
  const menu = published.slice(published.indexOf('<body>') + 8, published.indexOf('</body>'));
  return `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">` +
    '<meta name="viewport" content="width=device-width, initial-scale=1"></head>' +
    `<body><header><h1>A site</h1>\n${menu}</header><main>${text}</main></body></html>`;
}

// Runs before the page: adds up the layout shifts, and notes where the tag lies the moment
// the runtime takes hold of it (it styles the tag before drawing the menu in later tasks).
function watch() {
  window.shifted = 0;
  new PerformanceObserver((list) => list.getEntries().forEach((entry) => { window.shifted += entry.value; }))
    .observe({ type: 'layout-shift', buffered: true });
  new MutationObserver((records) => records.forEach(({ target }) => {
    if (target.localName === 'applet' && !window.held) {
      const box = target.getBoundingClientRect();
      window.held = [box.left, box.top, box.width, box.height];
    }
  })).observe(document, { attributes: true, attributeFilter: ['style'], subtree: true });
}

const frames = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));

test('nothing moves while the runtime arrives late, wide and on a phone; the plain lists never show', async () => {
  const templates = readdirSync(templatesDir).filter((name) => name.endsWith('.tvl'));
  let narrowSeen = 0;
  for (const template of templates) {
    const html = visitorPage(template);
    for (const width of [1280, 375]) {
      const label = `${template} at ${width} px`;
      const page = await newPage(browser, { viewport: { width, height: 700 } });
      await page.addInitScript(watch);
      let release;
      const runtimeAsked = new Promise((asked) => {
        page.route('http://menu.test/**', async (route) => {
          if (!route.request().url().endsWith('/zorvex.js')) return route.fulfill({ contentType: 'text/html', body: html });
          asked();
          await new Promise((go) => { release = go; });
          return route.fulfill({ contentType: 'text/javascript', body: runtimeSource });
        });
      });
      const loaded = page.goto('http://menu.test/page.html');
      await runtimeAsked;
      await page.waitForSelector('applet canvas', { state: 'attached' });
      await frames(page);
      // Painted without the runtime: an empty box of the applet's size, no list.
      const waiting = await page.evaluate(() => ({
        lists: [...document.querySelectorAll('applet ul')].some((ul) => ul.checkVisibility()),
        canvas: document.querySelector('applet canvas').getBoundingClientRect().height
      }));
      assert.equal(waiting.lists, false, label);
      assert.ok(waiting.canvas > 0, label);

      release();
      await loaded;
      await menusDrawn(page);
      await frames(page);
      const seen = await page.evaluate(() => {
        const box = document.querySelector('.zorvex').getBoundingClientRect();
        return { shifted: window.shifted, held: window.held, drawn: [box.left, box.top, box.width, box.height],
          narrow: document.querySelector('.zorvex').classList.contains('zv-n') };
      });
      assert.ok(seen.shifted <= 0.01, `${label}: layout shift ${seen.shifted}`);
      assert.deepEqual(seen.held, seen.drawn, `${label}: the place held is the menu's`);
      if (seen.narrow) narrowSeen++;
      await page.context().close();
    }
  }
  assert.ok(narrowSeen >= 2, 'the bars are narrow forms on the phone');
});
