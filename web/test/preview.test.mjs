// The editor's live preview draws what the runtime draws: the same menus, with the same popups
// open, give the same layout records (popup widths and what follows from them within 3 pixels,
// as each measures text with its own engine) and the same pixels wherever no text is drawn.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { cli, decodePng, launch, lookOf, newPage, pageHtml, randomPopupLook, randomProject, rng, screenshot, templatesDir } from './support.mjs';

const renderer = process.env.TARVELLE_PREVIEW_RENDER;
const skip = !renderer || !existsSync(renderer) ? 'the preview renderer is not built' : false;
const W = 800, H = 600;
let browser, page, dir;
before(async () => {
  if (skip) return;
  browser = await launch();
  page = await newPage(browser, { viewport: { width: W, height: H } });
  dir = mkdtempSync(join(tmpdir(), 'tarvelle-preview-'));
});
after(() => browser?.close());

// The deepest popup path of a layout whose first-level item a click can reach, or none.
async function deepest(layout) {
  const reachable = await page.evaluate(() => [...document.querySelectorAll('.zv-i')].map((el) => {
    const b = el.getBoundingClientRect();
    return b.width > 0 && b.height > 0 &&
      document.elementFromPoint(b.left + b.width / 2, b.top + b.height / 2) === el;
  }));
  let best = null;
  for (const p of layout.popups) {
    if (reachable[p.path[0]] && (!best || p.path.length > best.length)) best = p.path;
  }
  return best;
}

function preview(file, path, width = W, pageUrl = '') {
  const png = join(dir, 'preview.png');
  const args = [...(pageUrl ? ['--page', pageUrl] : []), file, png, String(width), String(H),
    ...(path ? [path === 'narrow' ? path : path.join('.')] : [])];
  const r = spawnSync(renderer, args, { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  assert.equal(r.status, 0, r.stderr);
  return { layout: JSON.parse(r.stdout), picture: decodePng(readFileSync(png)) };
}

// Opens the popups of a path by clicking, as a person would; the pointer stays on the last.
async function open(path) {
  if (!path) return;
  const centre = (el) => {
    const b = el.getBoundingClientRect();
    return [b.left + b.width / 2, b.top + b.height / 2];
  };
  await page.mouse.click(...await page.evaluate(([b, f]) => (0, eval)(f)(document.querySelectorAll('.zv-i')[b]),
    [path[0], centre.toString()]));
  let list = `document.querySelectorAll('.zv-i')[${path[0]}].parentElement.querySelector('ul')`;
  for (const row of path.slice(1)) {
    const at = await page.evaluate(([l, r, f]) => (0, eval)(f)((0, eval)(l).children[r].firstChild), [list, row, centre.toString()]);
    await page.mouse.click(...at);
    list = `(${list}).children[${row}].querySelector('ul')`;
  }
}

function compareLayouts(actual, expected, name) {
  const loose = (l) => ({ ...l, popups: l.popups.map((p) => ({ ...p, box: [0, p.box[1], 0, p.box[3]] })) });
  assert.deepEqual(loose(actual), loose(expected), name);
  actual.popups.forEach((p, i) => {
    const q = expected.popups[i];
    // A deeper popup's x adds up its parents' widths: each may differ by 3.
    assert.ok(Math.abs(p.box[2] - q.box[2]) <= 3 && Math.abs(p.box[0] - q.box[0]) <= 3 * Math.max(1, p.path.length - 1),
      `${name}: popup ${p.path} at ${p.box} against ${q.box}`);
  });
}

// Loads a menu into the page; with pageUrl, as the page at that address of a site.
async function load(html, pageUrl) {
  if (!pageUrl) return page.setContent(pageHtml(html));
  await page.route('http://menu.test/**', (route) => route.fulfill({ contentType: 'text/html', body: pageHtml(html) }));
  await page.goto('http://menu.test/' + pageUrl);
  await page.unroute('http://menu.test/**');
}
// The link of the first row of a first- or second-level popup (deeper ones may lie apart by
// more than the widths differ), and the path of first-level and row numbers to it.
const firstRowLink = () => page.evaluate(() => {
  for (const el of document.querySelectorAll('.zorvex .zv-r[href]:not([href*=":"]):not([href^="/"])')) {
    const path = [];
    for (let li = el.parentElement; ; li = li.parentElement.parentElement) {
      path.unshift([...li.parentElement.children].indexOf(li));
      if (li.parentElement.classList.contains('zv-top')) break;
    }
    if (path.length <= 3) return { url: el.getAttribute('href'), path };
  }
  return null;
});

// Where drawing engines may part: the squares at the rounded corners of open popups and of
// their highlighted rows are left out, and in a popup's shadow the colours may differ by 12.
// How far a popup's shadow reaches around it, and how far it is moved down.
function shadowReach(look) {
  const level = Number(look['popup-shadow'] || 0);
  return [[0, 6, 24, 60][level], [0, 1, 4, 12][level]];
}

function softParts(look, drawn, exact, layout) {
  const radius = Number(look['popup-radius'] || 0);
  const inset = Number(look['popup-inset'] || 0), inner = Number(look['popup-frame-width'] ?? 1) + 2;
  const corners = [], shadows = [];
  const cornersOf = (x, y, w, h, r) => {
    if (r <= 0) return;
    for (const [cx, cy] of [[x, y], [x + w - r - 1, y], [x, y + h - r - 1], [x + w - r - 1, y + h - r - 1]])
      corners.push([cx - 1, cy - 1, r + 3, r + 3]);
  };
  for (const [x, y, w, h] of layout.items) cornersOf(x, y, w, h, Math.min(Number(look.radius || 0), Math.floor(Math.min(w, h) / 2)));
  for (const box of [layout.applet, layout.menu].filter(Boolean))
    cornersOf(...box, Math.min(Number(look['menu-radius'] || 0), Math.floor(Math.min(box[2], box[3]) / 2)));
  drawn.forEach(([x, y, w, h], i) => {
    cornersOf(x, y, w, h, radius);
    for (const [ry, rh, kind] of exact[i]?.rows ?? []) {
      if (kind !== 'separator') cornersOf(x + inner + inset, y + ry - exact[i].box[1], w - 2 * (inner + inset), rh, Math.max(0, radius - inset));
    }
    const [reach, offset] = shadowReach(look);
    if (reach) shadows.push([x - reach, y - reach, w + 2 * reach, h + 2 * reach + offset]);
  });
  const inside = (list, px, py) => list.some(([x, y, w, h]) => px >= x && px < x + w && py >= y && py < y + h);
  return { skipped: (px, py) => inside(corners, px, py), tolerance: (px, py) => (inside(shadows, px, py) ? 12 : 2) };
}

async function conforms(file, name, current = false) {
  const look = lookOf(file);
  const html = cli('html', file).replace('<HTML>', '').replace('</HTML>', '');
  await load(html);
  let browserLayout = await page.evaluate(() => zorvex.layout(document.querySelector('.zorvex')));
  let path = await deepest(browserLayout), pageUrl = '';
  if (current) {
    const link = await firstRowLink();
    if (!link) return false;
    ({ url: pageUrl, path } = link);
    path.pop(); // the popup that holds the row
    if (!(await deepest({ popups: [{ path }] }))) return false; // its item cannot be clicked
    await load(html, pageUrl);
    assert.equal(await page.locator('.zorvex [aria-current="page"]').count(), 1, name);
    browserLayout = await page.evaluate(() => zorvex.layout(document.querySelector('.zorvex')));
  }
  await open(path);
  const shot = await screenshot(page);
  const { layout, picture } = preview(file, path, W, pageUrl);
  compareLayouts(layout, browserLayout, name);

  // Where the open popups are drawn on the page: the runtime's own lists.
  const drawn = await page.evaluate(() => [...document.querySelectorAll('.zv-p:not([hidden])')]
    .map((ul) => { const b = ul.getBoundingClientRect(); return [b.left, b.top, b.width, b.height]; }));
  const exact = path ? browserLayout.popups.filter((p) => `${path.join('.')}.`.startsWith(`${p.path.join('.')}.`)) : [];
  if (drawn.length < exact.length) return false; // items lie over each other: a click opens none
  const masks = [];
  for (const [x, y, w, h] of layout.items) masks.push([x, y + Math.floor(h / 2) - 14, w, 28]);
  let same = true;
  exact.forEach((p, i) => {
    const q = layout.popups.find((o) => o.path.join() === p.path.join());
    if (q.box[2] !== p.box[2]) same = false; // from here on the popups lie differently
    const [x, y, w, h] = drawn[i];
    // Popups that lie apart (their widths measured apart) leave their shadows out too.
    const [reach, offset] = shadowReach(look);
    if (!same) return void masks.push([x - 4 - reach, y - reach, w + 8 + 2 * reach, h + 2 * reach + offset]);
    for (const [ry, rh, kind] of p.rows) {
      // Captions start at the padding (8 pixels in the basic look), a pixel less for italics.
      const from = Math.min(6, Number(look['popup-padding'] || 8) - 2);
      if (kind !== 'separator') masks.push([x + from, y + ry - p.box[1], w - 13 - from, rh]);
    }
  });
  const soft = softParts(look, drawn, exact, layout);
  const masked = (px, py) =>
    soft.skipped(px, py) || masks.some(([x, y, w, h]) => px >= x && px < x + w && py >= y && py < y + h);
  let wrong = 0, first = '';
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < W; x++) {
      if (masked(x, y)) continue;
      const a = shot.at(x, y), b = picture.at(x, y), tolerance = soft.tolerance(x, y);
      if (a.some((v, i) => Math.abs(v - b[i]) > tolerance)) {
        if (!wrong++) first = `(${x}, ${y}) browser ${a} preview ${b}`;
      }
    }
  }
  assert.equal(wrong, 0, `${name}: ${wrong} pixels differ, first at ${first}`);
  return true;
}

test('the templates draw alike in the preview and the browser', { skip }, async () => {
  const names = readdirSync(templatesDir).filter((n) => n.endsWith('.tvl'));
  for (const name of names) await conforms(join(templatesDir, name), name);
});

test('random documents draw alike in the preview and the browser', { skip }, async () => {
  for (let seed = 1; seed <= 12; seed++) {
    const file = join(dir, `look-${seed}.tvl`);
    writeFileSync(file, randomProject(rng(seed * 7919), { look: true }));
    await conforms(file, `seed ${seed}`);
  }
});

// The look settings' corpus: random menus with random popup looks.
test('popups with look settings draw alike in the preview and the browser', { skip }, async () => {
  let compared = 0;
  for (let seed = 1; seed <= 16; seed++) {
    const r = rng(seed * 6007), settings = randomPopupLook(r);
    const file = join(dir, `popup-look-${seed}.tvl`);
    writeFileSync(file, randomProject(r, { look: true, settings }));
    if (await conforms(file, `popup look ${seed} ${JSON.stringify(settings)}`)) compared++;
  }
  assert.ok(compared >= 12, `${compared} of 16 compared`);
});

// The narrow form with every branch expanded by clicking, against the preview's design view.
async function conformsNarrow(file, name, A, pageUrl = '') {
  const html = cli('html', file).replace('<HTML>', '').replace('</HTML>', '');
  await page.setViewportSize({ width: A, height: H });
  await load(html, pageUrl);
  if (!await page.locator('.zorvex.zv-n').count()) {
    await page.setViewportSize({ width: W, height: H });
    return false;
  }
  await page.locator('.zv-b').click();
  for (let more; (more = page.locator('.zv-l button[aria-expanded="false"]').first()) && await more.count();) await more.click();
  await page.evaluate(() => new Promise((done) => {
    scrollTo(0, 0);
    document.querySelector('.zv-l').scrollTop = 0; // the list scrolls inside itself
    requestAnimationFrame(() => requestAnimationFrame(done));
  }));
  await page.mouse.move(A - 1, 2); // the bar beside the button: nothing pointed at
  const shot = await screenshot(page);
  const { layout, picture } = preview(file, 'narrow', A, pageUrl);
  assert.deepEqual(layout, await page.evaluate((a) => zorvex.layout(document.querySelector('.zorvex'), { width: a }), A), name);
  // Captions, but for the left, top and bottom 4 pixels where borders lie and the arrows of
  // branches whose captions end before them.
  const reaches = (img, [, y, , h]) => {
    for (let j = y + 4; j < Math.min(y + h - 4, H); j++) {
      for (let x = A - 32; x < A - 24; x++) if (img.at(x, j).join() !== img.at(A - 6, j).join()) return true;
    }
    return false;
  };
  const masks = layout.rows.filter((r) => r.kind !== 'separator').map((r) => {
    const arrow = r.kind === 'branch' && !reaches(shot, r.box) && !reaches(picture, r.box);
    const inset = r.depth === 1 ? 4 : 0; // deeper rows have no border, and fonts up to 999 pixels
    return [8, r.box[1] + inset, (arrow ? A - 26 : A) - 8, r.box[3] - 2 * inset];
  });
  const masked = (px, py) => masks.some(([x, y, w, h]) => px >= x && px < x + w && py >= y && py < y + h);
  let wrong = 0, first = '';
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < A; x++) {
      if (masked(x, y)) continue;
      const a = shot.at(x, y), b = picture.at(x, y);
      if (a.some((v, i) => Math.abs(v - b[i]) > 2) && !wrong++) first = `(${x}, ${y}) browser ${a} preview ${b}`;
    }
  }
  assert.equal(wrong, 0, `${name} at ${A}: ${wrong} pixels differ, first at ${first}`);
  await page.setViewportSize({ width: W, height: H });
  return true;
}

// The templates and count random projects with a random look: [file, name] pairs.
function templatesAndRandom(prefix, count, prime) {
  const files = readdirSync(templatesDir).filter((n) => n.endsWith('.tvl')).map((n) => [join(templatesDir, n), n]);
  for (let seed = 1; seed <= count; seed++) {
    const file = join(dir, `${prefix}-${seed}.tvl`);
    writeFileSync(file, randomProject(rng(seed * prime), { look: true }));
    files.push([file, `seed ${seed}`]);
  }
  return files;
}

test('the narrow form draws alike in the preview and the browser at 320 and 360', { skip }, async () => {
  const files = templatesAndRandom('narrow', 12, 104729);
  let compared = 0;
  for (const [file, name] of files) for (const A of [320, 360]) if (await conformsNarrow(file, name, A)) compared++;
  assert.ok(compared >= 12, `${compared} narrow drawings compared`);
});

test('the current page draws alike: the clicked first-level item and the row marker', { skip }, async () => {
  let compared = 0;
  for (const [file, name] of templatesAndRandom('current', 16, 15485863)) {
    if (!await conforms(file, name, true)) continue;
    compared++;
    const { url } = await firstRowLink();
    await conformsNarrow(file, name, 320, url);
  }
  assert.ok(compared >= 5, `${compared} menus compared`);
});
