// What the look settings cost the runtime: zorvex.upgrade() of a menu of 100,000 items (100
// first-level items, each with a popup of 999 rows and a submenu) without and with a modern
// look (fonts, corners, popup colours and shadow, a scheme that follows the page and a site
// colour), runs interleaved; medians and their ratio.
//
//   node bench/look.mjs            (RUNS=7 unless set)
import { app, appletTag, launch, newPage, pageHtml } from '../test/support.mjs';

const runs = Number(process.env.RUNS) || 7;
const LOOK = JSON.stringify({
  font: 'Inter, "Liberation Sans", Arial, sans-serif', weight: '500', radius: '6', 'menu-radius': '8',
  'popup-radius': '8', 'popup-shadow': '2', 'popup-frame-width': '0', 'popup-padding': '14', 'popup-row': '32',
  'popup-inset': '4', 'popup-background': 'FFFFFF', 'popup-highlight': 'EEF2FF', scheme: 'auto',
  'dark.2': '111827', 'var.18': '--brand', transition: '120'
});

function menu(branches, rows, look) {
  const params = { app: app({ 86: 900, 87: 60, 29: 70, 27: 0 }), ...(look ? { look } : {}) };
  for (let b = 0; b < branches; b++) {
    params['I0-' + b] = 'Item ' + b;
    params[`btn${b}mn1`] = 'More';
    for (let i = 0; i < rows - 1; i++) params[`btn${b}mn0it${i}`] = i === 0 ? `btn${b}mn1` : `Row ${i}|r${i}.html|_self|`;
    params[`btn${b}mn1it0`] = 'Deep|d.html|_self|';
  }
  return appletTag(params);
}

const browser = await launch();
const page = await newPage(browser, { viewport: { width: 1000, height: 700 } });
await page.setContent(pageHtml('<style>:root{--brand:#123456}</style><div id="host"></div>'));
const upgrade = (tag) =>
  page.evaluate((tag) => {
    const host = document.getElementById('host');
    host.innerHTML = tag;
    document.body.offsetHeight;
    const t = performance.now();
    zorvex.upgrade();
    document.body.offsetHeight;
    return performance.now() - t;
  }, tag);
const plain = menu(100, 1000, null),
  looked = menu(100, 1000, LOOK);
const times = { plain: [], looked: [] };
await upgrade(plain); // warm-up
// Each pair in turn the other way round, so that neither gains from coming second.
for (let run = 0; run < runs; run++) {
  for (const which of run % 2 ? ['looked', 'plain'] : ['plain', 'looked'])
    times[which].push(await upgrade(which === 'plain' ? plain : looked));
}
const median = (list) => list.slice().sort((a, b) => a - b)[list.length >> 1];
console.log(`100,000 items, ${runs} runs each: without the look ${median(times.plain).toFixed(0)} ms, ` +
  `with it ${median(times.looked).toFixed(0)} ms, ratio ${(median(times.looked) / median(times.plain)).toFixed(3)}`);
await browser.close();
