// The look's colour schemes and the site's colours, followed while the page is shown: the
// visitor's preference, a theme switch on the page, a custom property that changes.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import { launch, newPage, pageHtml, sampleMenu } from './support.mjs';

const firefox = process.env.FIREFOX || '/usr/bin/firefox-esr';
const SITE = '<style>:root{--brand:#123456}.alt{--brand:#654321}</style>';
const auto = sampleMenu({}, { look: JSON.stringify({ scheme: 'auto', 'dark.2': '101820' }) });
const branded = sampleMenu({}, { look: JSON.stringify({ 'var.2': '--brand' }) });

// The applet's background beside the items, once the page has had two frames to follow.
const background = (page) =>
  page.evaluate(
    () =>
      new Promise((done) =>
        requestAnimationFrame(() =>
          requestAnimationFrame(() => {
            const canvas = document.querySelector('.zorvex canvas');
            done([...canvas.getContext('2d').getImageData(410, 20, 1, 1).data.slice(0, 3)].join());
          })
        )
      )
  );
const set = (page, script) => page.evaluate(script);

// The checks both browsers run; prefer(dark) switches the visitor's preference where the
// driver can.
async function followsThePage(load, page, prefer) {
  await load(auto);
  assert.equal(await background(page), '255,255,255', 'light by default');
  await set(page, () => (document.documentElement.style.colorScheme = 'dark'));
  assert.equal(await background(page), '16,24,32', "the page's own dark scheme");
  await set(page, () => (document.documentElement.style.colorScheme = 'light dark'));
  if (prefer) {
    await prefer(true);
    assert.equal(await background(page), '16,24,32', "the visitor's preference");
    await set(page, () => (document.body.style.colorScheme = 'light'));
    assert.equal(await background(page), '255,255,255', 'a light page wins over the preference');
    await prefer(false);
  }
  await load(branded);
  assert.equal(await background(page), '18,52,86', "the site's colour");
  await set(page, () => document.body.classList.add('alt'));
  assert.equal(await background(page), '101,67,33', "the site's colour as it changes");
}

test('Chromium follows the scheme and the site colours', async () => {
  const browser = await launch();
  try {
    const page = await newPage(browser);
    await followsThePage((body) => page.setContent(pageHtml(body, SITE)), page, (dark) =>
      page.emulateMedia({ colorScheme: dark ? 'dark' : 'light' })
    );
  } finally {
    await browser.close();
  }
});

let firefoxBrowser;
after(() => firefoxBrowser?.close());
test('Firefox ESR follows the scheme and the site colours', { skip: existsSync(firefox) ? false : 'Firefox ESR is not installed' }, async () => {
  const { default: puppeteer } = await import('puppeteer-core');
  firefoxBrowser = await puppeteer.launch({ browser: 'firefox', executablePath: firefox, headless: true });
  const page = await firefoxBrowser.newPage();
  const load = async (body) => {
    await page.setContent(pageHtml(body, SITE));
    await page.evaluate(() => zorvex.drawn());
  };
  await followsThePage(load, page, null);
});

