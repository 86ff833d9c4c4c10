// Values from a page are data, never markup or a way to hang the page.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { app, appletTag, launch, newPage, pageHtml } from './support.mjs';

let browser, page, errors;
before(async () => {
  browser = await launch();
  page = await newPage(browser);
  page.on('pageerror', (e) => errors.push(String(e)));
});
after(() => browser?.close());

async function load(body) {
  errors = [];
  await page.setContent(pageHtml(body));
  return page.evaluate(() => [...document.querySelectorAll('.zorvex')].map((m) => zorvex.layout(m)));
}

test('markup, quotes and "|" show literally and add no elements', async () => {
  const caption = '<img src=x onerror="window.hit=1"><b>"Tom" & \'Jerry\'</b>';
  const [layout] = await load(appletTag({
    app: app(),
    'I0-0': `${caption}|javascript:window.hit=2|<i>t</i>|<script>window.hit=3</script>||||||5|5|`,
    'I0-1': 'Menu||_self|||||||5|5|',
    'btn1mn0it0': '<u>row</u>|a "b".html|"_x"|',
    'btn1mn0it1': 'btn1mn7'
  }));
  assert.deepEqual(errors, []);
  assert.equal(layout.items.length, 2);
  await page.getByRole('button').click();
  const found = await page.evaluate(() => ({
    tags: [...document.querySelectorAll('.zorvex *')].map((e) => e.tagName).sort().join(' '),
    first: document.querySelector('.zv-i').textContent,
    title: document.querySelector('.zv-i').title,
    target: document.querySelector('.zv-i').getAttribute('target'),
    row: document.querySelector('.zv-r').textContent,
    href: document.querySelector('.zv-r').getAttribute('href'),
    hit: window.hit
  }));
  assert.equal(found.tags, 'A A A BUTTON BUTTON CANVAS CANVAS DIV LI LI LI LI NAV SPAN UL UL');
  assert.equal(found.first, caption);
  assert.equal(found.title, '<script>window.hit=3</script>');
  assert.equal(found.target, '<i>t</i>');
  assert.equal(found.row, '<u>row</u>');
  assert.equal(found.href, 'a "b".html');
  assert.equal(found.hit, undefined);
});

test('malformed values, missing parameters and cycles', async () => {
  const layouts = await load([
    appletTag({}),
    appletTag({ app: 'garbage', 'I0-0': '' }),
    appletTag({ APP: app({ 86: '99999999999999999999', 87: '-5', 29: '1e3', 95: '0' }), 'i0-0': 'x' }),
    appletTag({ 'I0-1': 'skipped, since I0-0 is missing' }),
    // rows that point back at their own popup, at popup 0, and at a popup that does not exist
    appletTag({
      app: app(), 'I0-0': 'Loop', 'btn0mn0it0': 'btn0mn1', 'btn0mn1': 'One',
      'btn0mn1it0': 'btn0mn0', 'btn0mn1it1': 'btn0mn1', 'btn0mn1it2': 'btn0mn9'
    })].join(''));
  assert.deepEqual(errors, []);
  assert.equal(layouts.length, 5);
  assert.deepEqual(layouts[0].applet, [0, 0, 400, 60], 'no app: every field at its default');
  assert.deepEqual(layouts[1].items, [[40, 20, 80, 20]]);
  assert.deepEqual(layouts[2].applet, [0, 0, 400, 60], 'out of range: the defaults');
  assert.deepEqual(layouts[2].items, [[40, 20, 80, 20]], 'names compare without case');
  assert.equal(layouts[2].popups.length, 0);
  assert.equal(layouts[3].items.length, 0);
  assert.equal(layouts[3].menu, null);
  const loop = layouts[4].popups;
  assert.deepEqual(loop.map((p) => p.path), [[0], [0, 0]]);
  assert.deepEqual(loop[1].rows.map((r) => r[2]), ['item', 'item', 'item']);
});

test('10,000 items, a chain 1,000 popups deep and shared references finish', async () => {
  const big = { app: app() };
  for (let b = 0; b < 100; b++) {
    big['I0-' + b] = 'Item ' + b;
    for (let i = 0; i < 99; i++) big[`btn${b}mn0it${i}`] = `Row ${i}|r${i}.html|_self|`;
  }
  const deep = { app: app(), 'I0-0': 'Deep' };
  for (let m = 0; m < 1000; m++) deep[`btn0mn${m}it0`] = m < 999 ? `btn0mn${m + 1}` : 'End||_self|';
  // Each popup names the next one twice: 2^40 popups if every reference opened a copy.
  const shared = { app: app(), 'I0-0': 'Shared' };
  for (let m = 0; m < 40; m++) shared[`btn0mn${m}it0`] = shared[`btn0mn${m}it1`] = `btn0mn${m + 1}`;
  shared['btn0mn40it0'] = 'Leaf||_self|';
  const [a, b, c] = await load(appletTag(big) + appletTag(deep) + appletTag(shared));
  assert.deepEqual(errors, []);
  assert.equal(a.popups.reduce((n, p) => n + p.rows.length, 0), 9900);
  assert.equal(b.popups.length, 1000);
  assert.equal(c.popups.length, 41);
});
