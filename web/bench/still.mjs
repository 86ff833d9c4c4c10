// Does the page stay still while the runtime arrives? Published pages of 4, 54, 100 and 500
// items, put in a page with a heading above the menu and text below it, served over HTTP with
// zorvex.js at once or a second late, in windows 1280 and 375 pixels wide: the Cumulative
// Layout Shift Chromium measures. Then the cost on the main thread at 1x and 4x CPU (Chromium's
// throttling) against the same page without its script line (the static nested lists): the
// main thread's busy time from the navigation to the load and the longest task, from a trace.
//
//   node bench/still.mjs            (RUNS=3 takes the median of three)
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { DEFAULTS, cli, launch, runtimeSource } from '../test/support.mjs';

const runs = Number(process.env.RUNS) || 1;
const marker = (title) => `--------------- ${title} ---------------`;

// A horizontal bar of sections (items 100 x 30), each with a popup of pages; or links alone.
function project(sections, pages) {
  const structure = ['Tarvelle'], items = [];
  const item = (caption, url) => [caption, url, '_self', '', '', '', '', '', '', '5', '5', '', '', '', ''];
  for (let s = 0; s < sections; s++) {
    structure.push('\tSection ' + s);
    items.push(item('Section ' + s, pages ? '' : `section${s}.html`));
    for (let p = 0; p < pages; p++) {
      structure.push(`\t\tPage ${s}.${p}`);
      items.push(item(`Page ${s}.${p}`, `section${s}/page${p}.html`));
    }
  }
  const fields = DEFAULTS.slice();
  Object.entries({ 26: 1, 27: 0, 28: 0, 29: 100, 30: 30, 31: 0, 86: 100 * sections, 87: 30 })
    .forEach(([pos, value]) => { fields[pos - 1] = String(value); });
  return ['Note', marker('General Description Start'), 'Name = Tarvelle', marker('General Description End'),
    marker('Structure Description Start'), ...structure, marker('Structure Description End'),
    marker('Applet Parameter Description Start'), ...fields, marker('Applet Parameter Description End'),
    marker('Item Parameter Description Start'), String(items.length), ...items.flat(),
    marker('Item Parameter Description End')].map((line) => line + '\r\n').join('');
}

// The published page's menu, between a heading and a few screens of text.
function visitorPage(sections, pages) {
  const dir = mkdtempSync(join(tmpdir(), 'zorvex-still-'));
  writeFileSync(join(dir, 'menu.tvl'), project(sections, pages));
  cli('publish', join(dir, 'menu.tvl'), join(dir, 'site'));
  const published = readFileSync(join(dir, 'site', 'menu.html'), 'utf8');
  const menu = published.slice(published.indexOf('<body>') + 8, published.indexOf('</body>'));
  const text = Array.from({ length: 40 }, (_, k) => `<p>Paragraph ${k}: the page's own text, ` +
    'which must not move while the menu arrives. '.repeat(4) + '</p>').join('\n');
  const page = `<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n` +
    '<meta name="viewport" content="width=device-width, initial-scale=1">\n<title>Still</title>\n' +
    `</head>\n<body>\n<header><h1>A site</h1>\n${menu}</header>\n<main>\n${text}\n</main>\n</body>\n</html>\n`;
  // SHOW_PAGES=1 keeps the pages for a look in a browser or a profiler.
  if (process.env.SHOW_PAGES) {
    writeFileSync(join(dir, 'site', 'still.html'), page);
    console.log(join(dir, 'site', 'still.html'));
  }
  return { runtime: page, plain: page.replace('<script src="zorvex.js"></script>', '') };
}

let delay = 0;
const served = new Map();
const server = createServer((request, response) => {
  const name = new URL(request.url, 'http://localhost').pathname.slice(1);
  const send = () => {
    response.writeHead(name === 'zorvex.js' || served.has(name) ? 200 : 404,
      { 'Content-Type': name.endsWith('.js') ? 'text/javascript' : 'text/html', 'Cache-Control': 'no-store' });
    response.end(name === 'zorvex.js' ? runtimeSource : served.get(name) ?? '');
  };
  if (name === 'zorvex.js' && delay) setTimeout(send, delay);
  else send();
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const base = `http://127.0.0.1:${server.address().port}/`;

// Everything shifted from the start, whatever the visitor did not cause.
const watchShifts = () => {
  window.shifted = 0;
  new PerformanceObserver((list) => list.getEntries().forEach((entry) => {
    if (!entry.hadRecentInput) window.shifted += entry.value;
  })).observe({ type: 'layout-shift', buffered: true });
};

const browser = await launch();
async function visit(name, width, { cpu = 1, trace = false } = {}) {
  const context = await browser.newContext({ viewport: { width, height: width > 500 ? 800 : 667 } });
  const page = await context.newPage();
  await page.addInitScript(watchShifts);
  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: cpu });
  if (trace) await browser.startTracing(page, { categories: ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'toplevel'] });
  await page.goto(base + name, { waitUntil: 'load' });
  // Two frames after the menus are drawn (they may be after the load): what the visitor sees.
  await page.evaluate(() => window.zorvex && window.zorvex.drawn());
  const shift = await page.evaluate(() => new Promise((done) =>
    requestAnimationFrame(() => requestAnimationFrame(() => done(window.shifted)))));
  const tasks = trace ? mainThreadTasks(JSON.parse(await browser.stopTracing())) : null;
  await context.close();
  return { shift, tasks };
}

// On the renderer's main thread with the most work: the longest task; the runtime's own
// stretches (its script's run, its handlers and callbacks, with the style and layout they
// force), their total and the longest; the time spent on style and layout.
function mainThreadTasks({ traceEvents }) {
  const main = new Set(traceEvents.filter((e) => e.name === 'thread_name' && e.args.name === 'CrRendererMain')
    .map((e) => `${e.pid}:${e.tid}`));
  const threads = new Map();
  const events = traceEvents.filter((e) => e.ph === 'X' && main.has(`${e.pid}:${e.tid}`)).sort((a, b) => a.ts - b.ts);
  for (const e of events) {
    const key = `${e.pid}:${e.tid}`;
    const thread = threads.get(key) ?? { busy: 0, longest: 0, runtime: 0, runtimeLongest: 0, layout: 0, taskEnd: 0, runEnd: 0 };
    threads.set(key, thread);
    const ms = e.dur / 1000;
    if (e.name === 'RunTask' && e.ts >= thread.taskEnd) {
      thread.taskEnd = e.ts + e.dur;
      thread.busy += ms;
      thread.longest = Math.max(thread.longest, ms);
    }
    const runtime = (e.name === 'EvaluateScript' || e.name === 'FunctionCall') && /zorvex\.js/.test(e.args?.data?.url ?? '');
    if (runtime && e.ts >= thread.runEnd) {
      thread.runEnd = e.ts + e.dur;
      thread.runtime += ms;
      thread.runtimeLongest = Math.max(thread.runtimeLongest, ms);
    }
    if (e.name === 'Layout' || e.name === 'UpdateLayoutTree') thread.layout += ms;
  }
  return [...threads.values()].sort((a, b) => b.busy - a.busy)[0];
}

const median = (list) => list.slice().sort((a, b) => a - b)[list.length >> 1];
const menus = [['4 items', 4, 0], ['54 items', 6, 8], ['100 items', 10, 9], ['500 items', 10, 49]];
for (const [label, sections, pages] of menus) {
  const key = label.replace(' ', '-');
  const { runtime, plain } = visitorPage(sections, pages);
  served.set(key + '.html', runtime);
  served.set(key + '-plain.html', plain);
}

console.log('layout shift (CLS), runtime at once / 1 s late');
for (const [label] of menus) {
  const key = label.replace(' ', '-'), row = [];
  for (const width of [1280, 375]) {
    for (const late of [0, 1000]) {
      delay = late;
      const shifts = [];
      for (let run = 0; run < runs; run++) shifts.push((await visit(key + '.html', width)).shift);
      row.push(`${width} px ${late ? 'late' : 'at once'} ${median(shifts).toFixed(4)}`);
    }
  }
  console.log(`  ${label.padEnd(10)} ${row.join(', ')}`);
}
delay = 0;

console.log('main thread, ms: the runtime\'s own run (total, longest stretch), the static lists\' style and layout, ' +
  'the longest task of each page');
for (const [label] of menus) {
  const key = label.replace(' ', '-');
  for (const cpu of [1, 4]) {
    const figures = { runtime: [], runtimeLongest: [], layout: [], longest: [], plainLongest: [] };
    for (let run = 0; run < runs; run++) {
      const plain = (await visit(key + '-plain.html', 1280, { cpu, trace: true })).tasks;
      const upgraded = (await visit(key + '.html', 1280, { cpu, trace: true })).tasks;
      figures.runtime.push(upgraded.runtime);
      figures.runtimeLongest.push(upgraded.runtimeLongest);
      figures.longest.push(upgraded.longest);
      figures.layout.push(plain.layout);
      figures.plainLongest.push(plain.longest);
    }
    const [runtime, runtimeLongest, layout, longest, plainLongest] =
      ['runtime', 'runtimeLongest', 'layout', 'longest', 'plainLongest'].map((name) => median(figures[name]));
    console.log(`  ${label.padEnd(10)} ${cpu}x CPU: runtime ${runtime.toFixed(1)}, longest ${runtimeLongest.toFixed(1)}; ` +
      `static layout ${layout.toFixed(1)} (runtime ${(runtime / layout).toFixed(2)} x); ` +
      `longest task ${longest.toFixed(1)} against ${plainLongest.toFixed(1)}`);
  }
}
await browser.close();
server.close();
