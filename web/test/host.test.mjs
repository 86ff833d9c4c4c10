// The menu pasted into real sites: whatever the host page's style sheets say, the menu draws as
// on a page of its own, its popups and narrow list lie above everything, unclipped, and the
// keyboard and the pointer reach every part of it.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, writeFileSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { HOSTS, hostPage } from './hosts.mjs';
import { cli, launch, lookOf, newPage, pageHtml, randomProject, rng, runtimeSource, screenshot, templatesDir } from './support.mjs';

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

const dir = mkdtempSync(join(tmpdir(), 'zorvex-host-'));
const fragment = (file) => cli('html', file).replace('<HTML>', '').replace('</HTML>', '');
// The three templates and a deep menu with a random look.
const MENUS = readdirSync(templatesDir).filter((n) => n.endsWith('.tvl'))
  .map((n) => [n, fragment(join(templatesDir, n)), lookOf(join(templatesDir, n))]);
{
  const file = join(dir, 'deep.tvl');
  const r = rng(4242);
  let text;
  do text = randomProject(r, { look: true }); while ((text.match(/\r\n\t\t\t/g) || []).length < 3);
  writeFileSync(file, text);
  MENUS.push(['a deep random menu', fragment(file), {}]);
}
const script = `<script>${runtimeSource}</script>`;

// The pixels of the applet area and of each open popup (or the open list), each from its
// own corner, and where the top-level parts lie.
async function drawn(page) {
  // The pointer rests on the page, off the menu.
  await page.mouse.move(...await page.evaluate(() => [[innerWidth - 1, innerHeight - 1], [0, innerHeight - 1],
    [innerWidth - 1, 2]].find(([x, y]) => !document.elementFromPoint(x, y).closest('.zv-i,.zv-r,.zv-b'))));
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  const rects = await page.evaluate(() => [document.querySelector('.zorvex'),
    ...document.querySelectorAll('.zorvex :popover-open')].map((el) => {
    const r = el.getBoundingClientRect();
    return [r.left, r.top, r.width, Math.min(r.height, innerHeight - r.top)].map(Math.round);
  }));
  const shot = await screenshot(page);
  return rects.map(([x, y, w, h]) => {
    const px = [];
    for (let j = 0; j < h; j++) for (let i = 0; i < w; i++) px.push(x + i < shot.width ? shot.at(x + i, y + j).join() : '');
    return { size: [w, h], px };
  });
}
// Outside a rounded outline the page shows through: the corner squares of the applet area
// (part 0) and of the popups are the host's own.
function sameDrawing(host, plain, name, look = {}) {
  assert.deepEqual(host.map((p) => p.size), plain.map((p) => p.size), `${name}: the parts`);
  host.forEach((part, k) => {
    const [w, h] = part.size,
      r = Number((k ? look['popup-radius'] : look['menu-radius']) || 0) + 1;
    const corner = (i) => {
      const x = i % w, y = Math.floor(i / w);
      return r > 1 && (x < r || x >= w - r) && (y < r || y >= h - r);
    };
    const differ = part.px.filter((v, i) => v !== plain[k].px[i] && !corner(i)).length;
    assert.equal(differ, 0, `${name}: ${differ} pixels of part ${k} differ`);
  });
}

// Opens the deepest popup a click can reach, clicking where a person would; every click
// must land on the menu's own element.
async function openDeepest(page) {
  const layout = await page.evaluate(() => zorvex.layout(document.querySelector('.zorvex')));
  const path = layout.popups.map((p) => p.path).filter((p) => p[0] < 4).sort((a, b) => b.length - a.length)[0];
  if (!path) return;
  const centre = async (locate) => page.evaluate((code) => {
    const el = (0, eval)(code), b = el.getBoundingClientRect(), x = b.left + b.width / 2, y = b.top + b.height / 2;
    return [x, y, document.elementFromPoint(x, y) === el];
  }, locate);
  let code = `document.querySelectorAll('.zv-i')[${path[0]}]`;
  for (let k = 0; k < path.length; k++) {
    const [x, y, reached] = await centre(code);
    assert.ok(reached, `${code} is covered`);
    await page.mouse.click(x, y);
    if (k + 1 < path.length) code = `(${code}).nextElementSibling.children[${path[k + 1]}].firstChild`;
  }
}

async function wide(host, [name, menu, look]) {
  const page = await newPage(browser);
  await page.setContent(pageHtml(menu));
  const rest = await drawn(page);
  await openDeepest(page);
  const plain = await drawn(page);
  await page.setContent(hostPage(host, menu, script));
  sameDrawing(await drawn(page), rest, `${host.name}, ${name}, at rest`, look);
  await openDeepest(page);
  sameDrawing(await drawn(page), plain, `${host.name}, ${name}, popups open`, look);
  // The keyboard: a branch opens with Enter, Down enters it, Escape closes it again.
  const branch = page.locator('.zv-i[aria-expanded]').first();
  if (await branch.count()) {
    await page.mouse.click(0, 599);
    await branch.focus();
    await page.keyboard.press('Enter');
    assert.equal(await branch.getAttribute('aria-expanded'), 'true', `${host.name}, ${name}: Enter`);
    await page.keyboard.press('ArrowDown');
    assert.ok(await page.evaluate(() => !!document.activeElement.closest('.zv-p')), `${host.name}: Down enters the popup`);
    await page.keyboard.press('Escape');
    assert.equal(await branch.getAttribute('aria-expanded'), 'false');
    assert.ok(await branch.evaluate((el) => el === document.activeElement));
  }
  await page.context().close();
}

// At 320 x 256 the list lies above the page; every row can be reached by the keyboard and is
// then in the window and not covered.
async function narrow(host, [name, menu]) {
  const page = await newPage(browser, { viewport: { width: 320, height: 256 } });
  const expandAll = async () => {
    await page.locator('.zv-b').click();
    for (let more; (more = page.locator('.zv-l button[aria-expanded="false"]').first()) && await more.count();) await more.click();
    await page.evaluate(() => { document.querySelector('.zv-l').scrollTop = 0; });
  };
  await page.setContent(hostPage(host, menu, script));
  if (!await page.locator('.zv-b').isVisible()) return page.context().close();
  await expandAll();
  const shown = await drawn(page);
  // The plain page gives the menu the width the host gives it.
  await page.setContent(pageHtml(`<div style="width:${shown[0].size[0]}px">${menu}</div>`));
  await expandAll();
  const plain = await drawn(page);
  await page.setContent(hostPage(host, menu, script));
  await expandAll();
  assert.equal(shown.length, 2, `${host.name}, ${name}: the list is open`);
  const rows = Math.min(plain[1].size[1], shown[1].size[1]);
  const cut = (part) => ({ size: [part.size[0], rows], px: part.px.slice(0, part.size[0] * rows) });
  sameDrawing([shown[0], cut(shown[1])], [plain[0], cut(plain[1])], `${host.name}, ${name}, narrow`);
  await page.locator('.zv-l .zv-i').first().focus();
  const count = await page.locator('.zv-l :is(a,button)').count();
  for (let k = 0; k < count; k++) {
    const seen = await page.evaluate(() => {
      const el = document.activeElement, b = el.getBoundingClientRect();
      return b.top >= 0 && b.bottom <= innerHeight && document.elementFromPoint(b.left + 5, b.top + b.height / 2) === el;
    });
    assert.ok(seen, `${host.name}, ${name}: row ${k} is in view and not covered`);
    await page.keyboard.press('ArrowDown');
  }
  await page.context().close();
}

for (const host of HOSTS) {
  test(`in a host page: ${host.name}`, async () => {
    for (const menu of MENUS) await wide(host, menu);
    for (const menu of MENUS.slice(0, 3)) await narrow(host, menu);
  });
}
