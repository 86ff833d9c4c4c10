// Elements: real links, buttons and lists, every list in the page from the start.
import { registry } from './registry.js';
import { pageKey } from './address.js';

function uniqueId() {
  let id;
  do id = 'zorvex-' + ++registry.uid;
  while (document.getElementById(id));
  return id;
}
export function element(tag, className, parent) {
  const el = document.createElement(tag);
  if (className) el.className = className;
  if (parent) parent.appendChild(el);
  return el;
}
// The applet area's size, set on the element itself: a custom property of the root would be
// inherited, and changing it would restyle every element of the menu.
export function setSize(el, w, h) {
  el.style.setProperty('width', w + 'px', 'important');
  el.style.setProperty('height', h + 'px', 'important');
}
// Places, sizes, fonts and colours reach the style sheet as custom properties of the elements.
export function setVars(el, vars) {
  for (const name in vars)
    el.style.setProperty('--' + name, typeof vars[name] === 'number' ? vars[name] + 'px' : vars[name]);
}
// The popup an entry opens: a row's child, a first-level item's own popup.
export const opens = (entry) => (entry.kind ? entry.child : entry.popup);

// A link, or a button controlling the list of the popup the entry opens.
function control(entry, className, li) {
  const popup = opens(entry),
    el = element(popup ? 'button' : 'a', className, li);
  el.textContent = entry.caption;
  el.dir = 'auto';
  if (popup) {
    el.type = 'button';
    el.setAttribute('aria-expanded', 'false');
    el.setAttribute('aria-controls', (popup.id = uniqueId()));
    popup.control = el;
  } else if (entry.url) {
    el.href = entry.url;
    el.target = entry.target;
    // A page opened in another window or frame gets no hold on this one.
    if (!/^(_self|_parent|_top|)$/i.test(entry.target)) el.rel = 'noopener';
  } else el.tabIndex = 0;
  entry.el = el;
  registry.entries.set(el, entry);
  return el;
}

// Returns the number of rows built.
function buildList(model, popup, li, depth) {
  const ul = (popup.ul = element('ul', 'zv-p', li));
  ul.id = popup.id;
  ul.hidden = true;
  ul.style.setProperty('--d', depth - 1);
  let count = popup.rows.length;
  for (const row of popup.rows) {
    const listItem = element('li', null, ul);
    if (row.kind === 'separator') {
      // Only lines: a list announces its real items alone.
      listItem.className = 'zv-s';
      listItem.setAttribute('aria-hidden', 'true');
      element('div', null, listItem);
      continue;
    }
    // A listItem opening a popup carries the arrow as a pseudo-element of the style sheet.
    control(row, row.child ? 'zv-r zv-a' : 'zv-r', listItem);
    if (row.child) count += buildList(model, row.child, listItem, depth + 1);
  }
  return count;
}

export function canvas(parent) {
  const cv = element('canvas', null, parent),
    context = cv.getContext('2d');
  cv.setAttribute('aria-hidden', 'true');
  context.direction = 'ltr';
  return context;
}

// The menu button's name in the page's language (English for any other).
const MENU_NAMES = {
  de: 'Menü',
  tr: 'Menü',
  es: 'Menú',
  sv: 'Meny',
  nb: 'Meny',
  nn: 'Meny',
  no: 'Meny',
  fi: 'Valikko',
  cs: 'Nabídka',
  ru: 'Меню',
  uk: 'Меню',
  el: 'Μενού',
  ja: 'メニュー',
  zh: '菜单',
  'zh-tw': '選單',
  'zh-hk': '選單',
  'zh-hant': '選單',
  ko: '메뉴',
  ar: 'القائمة',
  he: 'תפריט'
};
function menuName(applet) {
  const tag = ((applet.closest('[lang]') || applet).getAttribute('lang') || '').toLowerCase();
  return (
    MENU_NAMES[tag] ||
    MENU_NAMES[tag.split('-').slice(0, 2).join('-')] ||
    MENU_NAMES[tag.split('-')[0]] ||
    'Menu'
  );
}

// Every list is built before the menu goes into the page; the popups' lists a few hundred rows
// a step, so that a large menu is built in several short tasks.
export function* build(menu) {
  // Wide until the page's room says otherwise: the form is measured in this one.
  const model = menu.model,
    box = (menu.box = element('div', 'zorvex zv-w'));
  // First-level captions in capitals: the text stays as written for translators and readers.
  if (model.look.caps) box.classList.add('zv-caps');
  box.dir = 'ltr';
  menu.context = model.measure = canvas(box);
  const nav = element('nav', null, box);
  const button = (menu.button = element('button', 'zv-b', nav)),
    name = element('span', null, button);
  // Text, not a label: translators reach it.
  name.textContent = menuName(menu.applet);
  nav.setAttribute('aria-labelledby', (name.id = uniqueId()));
  button.type = 'button';
  button.setAttribute('aria-expanded', 'false');
  registry.entries.set(button, menu);
  menu.list = element('div', 'zv-l', nav);
  menu.listContext = canvas(menu.list);
  const ul = (menu.ul = element('ul', 'zv-top', menu.list));
  button.setAttribute('aria-controls', (ul.id = uniqueId()));
  const lists = [];
  for (const item of model.items) {
    const li = element('li', null, ul),
      el = control(item, 'zv-i', li);
    if (item.status) el.title = item.status;
    if (item.popup) lists.push([item.popup, li]);
  }
  let rows = 0;
  for (const [popup, li] of lists) {
    if (rows > ROWS_A_STEP) {
      yield;
      rows = 0;
    }
    rows += buildList(model, popup, li, 2);
  }
  markCurrentPage(model);
}
const ROWS_A_STEP = 300;

// The current page's item: the first without a popup, in pre-order, whose address is the page's.
function markCurrentPage(model) {
  const page = pageKey(document.URL),
    todo = model.items.slice().reverse();
  while (todo.length) {
    const entry = todo.pop(),
      popup = opens(entry);
    if (popup) {
      for (let i = popup.rows.length - 1; i >= 0; i--) if (popup.rows[i].el) todo.push(popup.rows[i]);
    } else if (entry.url && pageKey(entry.el.href) === page) {
      entry.el.setAttribute('aria-current', 'page');
      model.current = entry.kind ? model.items[entry.popup.path[0]] : entry;
      return;
    }
  }
}

export const controlOf = (target) => target && target.closest && target.closest('.zv-i,.zv-r,.zv-b');
