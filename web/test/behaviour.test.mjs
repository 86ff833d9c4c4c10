// The menu as a person uses it: keyboard, pointer, touch, links, the submenu delay on the test
// tool's clock, and what assistive technology sees.
import { after, before, beforeEach, test } from 'node:test';
import assert from 'node:assert/strict';
import { launch, newPage, pageHtml, sampleMenu } from './support.mjs';

// The sample menu, with a status text on Home and Laptops opening in a named window.
const MENU = sampleMenu({}, {
  'I0-0': 'Home|index.html|_self|Back to the start||||||5|5|',
  'btn1mn1it1': 'Laptops|laptops.html|shop|'
});

let browser, page;
before(async () => { browser = await launch(); });
after(() => browser?.close());
beforeEach(async () => {
  page = await newPage(browser, { hasTouch: true });
  await page.clock.install({ time: 0 });
  await page.setContent(pageHtml(MENU + '<p id="outside" style="margin-top:300px">Outside</p>'));
  await page.clock.pauseAt(1000); // from here time moves only when the test says so
});

const expanded = (name) => page.getByRole('button', { name }).getAttribute('aria-expanded');
const focused = () => page.evaluate(() => document.activeElement.textContent);
const visible = (name) => page.getByRole('link', { name, exact: true }).isVisible();

test('links carry their address and target', async () => {
  const home = page.getByRole('link', { name: 'Home' });
  assert.equal(await home.getAttribute('href'), 'index.html');
  assert.equal(await home.getAttribute('target'), '_self');
  assert.equal(await home.getAttribute('title'), 'Back to the start');
  const contact = page.getByRole('link', { name: 'Contact' });
  assert.equal(await contact.getAttribute('target'), '_blank');
  assert.equal(await contact.getAttribute('rel'), 'noopener');
  await page.getByRole('button', { name: 'Products' }).click();
  await page.getByRole('button', { name: 'Hardware' }).click();
  assert.equal(await page.getByRole('link', { name: 'Desktops' }).getAttribute('target'), '_top');
  assert.equal(await page.getByRole('link', { name: 'Desktops' }).getAttribute('rel'), null);
  assert.equal(await page.getByRole('link', { name: 'Laptops' }).getAttribute('rel'), 'noopener', 'a named window too');
});

test('what assistive technology sees', async () => {
  await page.getByRole('button', { name: 'Products' }).click();
  const tree = await page.locator('nav').ariaSnapshot();
  for (const line of ['navigation "Menu"', 'link "Home"', 'button "Products" [expanded]',
    'link "Software"', 'button "Hardware"', 'link "Contact"']) {
    assert.ok(tree.includes(line), `${line} in\n${tree}`);
  }
  assert.ok(!tree.includes('separator') && !/listitem\s*\n\s*- listitem/.test(tree), 'separators are not announced');
  assert.ok(!tree.includes('Desktops'), 'closed popups are hidden');
});

test('keyboard: Tab, Enter, Space, arrows and Escape', async () => {
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'Home');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'Products');
  await page.keyboard.press('Enter');
  assert.equal(await expanded('Products'), 'true');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'Software');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(), 'Hardware');
  await page.keyboard.press('ArrowRight');
  assert.equal(await expanded('Hardware'), 'true');
  assert.equal(await focused(), 'Desktops');
  await page.keyboard.press('ArrowUp');
  assert.equal(await focused(), 'Laptops');
  await page.keyboard.press('ArrowLeft');
  assert.equal(await expanded('Hardware'), 'false');
  assert.equal(await focused(), 'Hardware');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(), 'Catalogue', 'the separator is skipped');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(), 'Software', 'the rows wrap around');
  await page.keyboard.press('Escape');
  assert.equal(await expanded('Products'), 'false');
  assert.equal(await focused(), 'Products');
  await page.keyboard.press(' ');
  assert.equal(await expanded('Products'), 'true');
  await page.keyboard.press(' ');
  assert.equal(await expanded('Products'), 'false');
});

test('pointer: switching popups, the submenu delay, outside clicks', async () => {
  const products = page.getByRole('button', { name: 'Products' });
  await products.click();
  assert.ok(await visible('Software'));
  await page.getByRole('link', { name: 'Home' }).hover();
  assert.equal(await expanded('Products'), 'false', 'moving to an item without popup closes');
  await products.hover();
  assert.equal(await expanded('Products'), 'false', 'hovering alone opens nothing');
  await products.click();
  await page.getByRole('button', { name: 'Hardware' }).hover();
  await page.clock.runFor(140);
  assert.equal(await expanded('Hardware'), 'false', 'not before 150 ms');
  await page.clock.runFor(20);
  assert.equal(await expanded('Hardware'), 'true');
  assert.ok(await visible('Laptops'));
  await page.getByRole('link', { name: 'Software' }).hover();
  await page.clock.runFor(200);
  assert.equal(await expanded('Hardware'), 'false', 'resting on a sibling closes the submenu');
  await page.mouse.click(5, 250);
  assert.equal(await expanded('Products'), 'false', 'a click outside closes everything');
});

test('touch: the first tap opens, the second closes', async () => {
  const products = page.getByRole('button', { name: 'Products' });
  await products.tap();
  assert.equal(await expanded('Products'), 'true');
  await page.getByRole('button', { name: 'Hardware' }).tap();
  assert.equal(await expanded('Hardware'), 'true', 'a tap opens a submenu at once');
  await products.tap();
  assert.equal(await expanded('Products'), 'false');
  await products.tap();
  await page.locator('#outside').tap();
  assert.equal(await expanded('Products'), 'false');
});
