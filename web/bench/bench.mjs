// Measures the runtime in headless Chromium: zorvex.upgrade() with every list built for 1,000
// and 10,000 items, laying the menu out again after a translator rewrote all 1,000 captions,
// opening a popup of 1,000 rows, switching to the narrow form on a resize,
// the size of zorvex.js as shipped and gzipped, and the weight of a published page of 1,000 items
// (with the plain lists for visitors without scripts) against the bare fragment.
// Prints the median and the worst of the runs.
//
// Projects named on the command line (node bench/bench.mjs A.tvl ...) are published, and their
// page is loaded against the same page without its script line, the plain nested lists alone:
// the time to the first frame after the load, RUNS times (5 unless set) interleaved, medians.
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { DEFAULTS, app, appletTag, cli, launch, newPage, pageHtml, runtimePath, runtimeSource } from '../test/support.mjs';

// b first-level items, each with a popup of rows - 1 rows and a submenu of rows.
function menu(branches, rows) {
  const params = { app: app({ 86: 900, 87: 60, 29: 70, 27: 0 }) };
  for (let b = 0; b < branches; b++) {
    params['I0-' + b] = 'Item ' + b;
    params[`btn${b}mn1`] = 'More';
    for (let i = 0; i < rows - 1; i++) params[`btn${b}mn0it${i}`] = i === 0 ? `btn${b}mn1` : `Row ${i}|r${i}.html|_self|`;
    for (let i = 0; i < rows; i++) params[`btn${b}mn1it${i}`] = `Deep ${i}|d${i}.html|_self|`;
  }
  return appletTag(params);
}

const browser = await launch();
const page = await newPage(browser, { viewport: { width: 1000, height: 700 } });
await page.setContent(pageHtml('<div id="host"></div>'));
const measure = (tag, runs) => page.evaluate(([tag, runs]) => {
  const upgrade = [], open = [], narrow = [];
  const host = document.getElementById('host');
  for (let run = 0; run < runs; run++) {
    host.style.width = '';
    host.innerHTML = tag;
    document.body.offsetHeight;
    let t = performance.now();
    zorvex.upgrade();
    document.body.offsetHeight; // the style and layout work of the new elements
    upgrade.push(performance.now() - t);
    const button = host.querySelector('.zv-i');
    t = performance.now();
    button.click();
    document.body.offsetHeight;
    open.push(performance.now() - t);
    button.click();
    // The same window event a resize gives, with the parent made narrow.
    host.style.width = '360px';
    t = performance.now();
    window.dispatchEvent(new Event('resize'));
    document.body.offsetHeight;
    narrow.push(performance.now() - t);
  }
  return { upgrade, open, narrow };
}, [tag, runs]);

const stat = (list) => {
  const s = list.slice().sort((a, b) => a - b);
  return `median ${s[s.length >> 1].toFixed(1)} ms, worst ${s[s.length - 1].toFixed(1)} ms`;
};
const small = await measure(menu(10, 50), 30);
const large = await measure(menu(10, 500), 9);
const wide = await measure(menu(1, 1000), 15);
// Every caption of a 1,000-item menu rewritten, as a translator does, then laid out again.
const translated = await page.evaluate((tag) => {
  const host = document.getElementById('host'), times = [];
  for (let run = 0; run < 15; run++) {
    host.style.width = '';
    host.innerHTML = tag;
    zorvex.upgrade();
    const captions = host.querySelectorAll('.zv-i, .zv-r');
    document.body.offsetHeight;
    const t = performance.now();
    captions.forEach((el) => { el.firstChild.data = `Übersetzt ${run}: ${el.firstChild.data}`; });
    zorvex.layout(host.firstChild); // lays out the changed captions, as the next frame would
    document.body.offsetHeight;
    times.push(performance.now() - t);
  }
  return times;
}, menu(10, 50));
// The pointer moving between items of a menu of 10,000 first-level items.
const hoverTag = appletTag(Object.fromEntries([['app', app({ 86: 900, 87: 60, 29: 70, 27: 0 })],
  ...Array.from({ length: 10000 }, (_, b) => ['I0-' + b, 'Item ' + b])]));
const hover = await page.evaluate((tag) => {
  const host = document.getElementById('host'), times = [];
  host.style.width = '';
  host.innerHTML = tag;
  zorvex.upgrade();
  const items = host.querySelectorAll('.zv-i');
  for (let i = 0; i < 40; i++) {
    const t = performance.now();
    items[i % 10].dispatchEvent(new PointerEvent('pointerover', { bubbles: true, pointerType: 'mouse' }));
    times.push(performance.now() - t);
  }
  return times;
}, hoverTag);

// The published page against its plain lists: ready (the first frame after the load) and, on
// the plain page, the runtime's own part (the script run by hand, up to the next layout).
async function pageLoad(project) {
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-bench-')), name = basename(project, '.tvl');
  cli('publish', project, dir);
  const html = readFileSync(join(dir, name + '.html'), 'utf8');
  writeFileSync(join(dir, 'plain.html'), html.replace('<script src="zorvex.js"></script>', ''));
  const ready = { plain: [], runtime: [] }, upgrade = [];
  for (let run = 0; run < (Number(process.env.RUNS) || 5); run++) {
    for (const kind of ['plain', 'runtime']) {
      const tab = await newPage(browser, { viewport: { width: 1000, height: 700 } });
      await tab.goto(pathToFileURL(join(dir, kind === 'plain' ? 'plain.html' : name + '.html')).href);
      ready[kind].push(await tab.evaluate(() => new Promise((done) => requestAnimationFrame(() => {
        document.body.offsetHeight;
        done(performance.now());
      }))));
      if (kind === 'plain') {
        upgrade.push(await tab.evaluate((source) => {
          const t = performance.now();
          (0, eval)(source);
          document.body.offsetHeight;
          return performance.now() - t;
        }, runtimeSource));
      }
      await tab.context().close();
    }
  }
  const median = (list) => list.slice().sort((a, b) => a - b)[list.length >> 1];
  return { name, items: html.match(/<li>/g).length, plain: median(ready.plain), runtime: median(ready.runtime),
    upgrade: median(upgrade) };
}
const pages = [];
for (const project of process.argv.slice(2)) pages.push(await pageLoad(project));
await browser.close();
for (const p of pages) {
  console.log(`${p.name} (${p.items} list items): ready ${p.runtime.toFixed(0)} ms, plain lists ` +
    `${p.plain.toFixed(0)} ms, ${(p.runtime / p.plain).toFixed(2)} x; the runtime's run ${p.upgrade.toFixed(0)} ms`);
}
const source = readFileSync(runtimePath);
console.log(`upgrade, 1,000 items:          ${stat(small.upgrade)}`);
console.log(`upgrade, 10,000 items:         ${stat(large.upgrade)}`);
console.log(`all 1,000 captions rewritten:  ${stat(translated)}`);
console.log(`opening a popup of 999 rows:   ${stat(wide.open)}`);
console.log(`narrow form on resize, 1,000:  ${stat(small.narrow)}`);
console.log(`hover, 10,000 first-level:     ${stat(hover)}`);
console.log(`zorvex.js: ${source.length} bytes, ${gzipSync(source, { level: 9 }).length} gzipped`);

// A project of 10 sections of 99 pages each, published with the runtime.
const dir = mkdtempSync(join(tmpdir(), 'zorvex-bench-'));
const structure = ['Tarvelle'], items = [];
for (let b = 0; b < 10; b++) {
  structure.push('\tSection ' + b);
  items.push(['Section ' + b, '', '_self', '', '', '', '', '', '', '5', '5', '', '', '', '']);
  for (let i = 0; i < 99; i++) {
    structure.push(`\t\tPage ${b}.${i}`);
    items.push([`Page ${b}.${i}`, `section${b}/page${i}.html`, '_self', '', '', '', '', '', '', '5', '5', '', '', '', '']);
  }
}
const marker = (title) => `--------------- ${title} ---------------`;
const lines = ['Note', marker('General Description Start'), 'Name = Tarvelle', marker('General Description End'),
  marker('Structure Description Start'), ...structure, marker('Structure Description End'),
  marker('Applet Parameter Description Start'), ...DEFAULTS, marker('Applet Parameter Description End'),
  marker('Item Parameter Description Start'), String(items.length), ...items.flat(), marker('Item Parameter Description End')];
writeFileSync(join(dir, 'menu.tvl'), lines.map((l) => l + '\r\n').join(''));
cli('publish', join(dir, 'menu.tvl'), join(dir, 'site'));
const fragment = cli('html', join(dir, 'menu.tvl')).length, published = readFileSync(join(dir, 'site', 'menu.html')).length;
console.log(`page of 1,000 items: ${published} bytes, ${(published / fragment).toFixed(2)} x the fragment's ${fragment}`);
