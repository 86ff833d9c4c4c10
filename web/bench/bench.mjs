// Measures zorvex.upgrade() of a 1,000-item menu and the opening of a popup in headless
// Chromium, and the size of zorvex.js. Prints the median and the worst of 60 runs.
import { statSync } from 'node:fs';
import { app, appletTag, launch, newPage, pageHtml, runtimePath } from '../test/support.mjs';

const params = { app: app({ 86: 900, 87: 60, 29: 70, 27: 0 }) };
// 10 first-level items, each with a popup of 49 rows and a submenu of 50: 1,000 items.
for (let b = 0; b < 10; b++) {
  params['I0-' + b] = 'Item ' + b;
  params[`btn${b}mn1`] = 'More';
  for (let i = 0; i < 49; i++) params[`btn${b}mn0it${i}`] = i === 0 ? `btn${b}mn1` : `Row ${i}|r.html|_self|`;
  for (let i = 0; i < 50; i++) params[`btn${b}mn1it${i}`] = `Deep ${i}|d.html|_self|`;
}
const browser = await launch();
const page = await newPage(browser);
await page.setContent(pageHtml('<div id="host"></div>'));
const times = await page.evaluate((tag) => {
  const upgrade = [], open = [];
  for (let run = 0; run < 60; run++) {
    const host = document.getElementById('host');
    host.innerHTML = tag;
    let t = performance.now();
    zorvex.upgrade();
    upgrade.push(performance.now() - t);
    const button = host.querySelector('button');
    document.body.offsetHeight; // the upgrade's own layout is not the popup's
    t = performance.now();
    button.click();
    document.body.offsetHeight; // include the style and layout work of showing it
    open.push(performance.now() - t);
    button.click();
  }
  return { upgrade, open };
}, appletTag(params));
await browser.close();
const stat = (list) => {
  const s = list.slice().sort((a, b) => a - b);
  return `median ${s[s.length >> 1].toFixed(2)} ms, worst ${s[s.length - 1].toFixed(2)} ms`;
};
console.log(`upgrade of a 1,000-item menu: ${stat(times.upgrade)}`);
console.log(`opening a popup of 49 rows:   ${stat(times.open)}`);
console.log(`zorvex.js: ${statSync(runtimePath).size} bytes`);
