// Elements: real links, buttons and lists, every list in the page from the start.
import { registry } from './registry.js';
import { pageKey } from './address.js';

function uniqueId() {
  let id;
  do id = 'zorvex-' + ++registry.uid_;
  while (document.getElementById(id));
  return id;
}
export function element(tag, className, parent) {
  const el = document.createElement(tag);
  if (className) el.className = className;
  if (parent) parent.appendChild(el);
  return el;
}
// Declarations of the element's own that no rule of the page overrides.
export function setImportant(el, declarations) {
  for (const name in declarations) el.style.setProperty(name, declarations[name], 'important');
}
// The applet area's size, set on the element itself: a custom property of the root would be
// inherited, and changing it would restyle every element of the menu.
export function setSize(el, w, h) {
  setImportant(el, { width: w + 'px', height: h + 'px' });
}
// Places, sizes, fonts and colours reach the style sheet as custom properties of the elements.
export function setVars(el, vars) {
  for (const name in vars)
    el.style.setProperty('--' + name, typeof vars[name] === 'number' ? vars[name] + 'px' : vars[name]);
}
// The popup an entry opens: a row's child, a first-level item's own popup.
export const opens = (entry) => (entry.kind_ ? entry.child_ : entry.popup_);

// Whether the list a button shows and hides is shown.
export const setExpanded = (button, open) => button.setAttribute('aria-expanded', open);
// A button showing and hiding the element of the given id, hidden until then.
function toggles(button, id) {
  button.type = 'button';
  setExpanded(button, false);
  button.setAttribute('aria-controls', id);
}

// A link, or a button controlling the list of the popup the entry opens.
function control(entry, className, li) {
  const popup = opens(entry),
    el = element(popup ? 'button' : 'a', className, li);
  el.textContent = entry.caption_;
  el.dir = 'auto';
  if (popup) {
    toggles(el, (popup.id_ = uniqueId()));
    popup.control_ = el;
  } else if (entry.url_) {
    el.href = entry.url_;
    el.target = entry.target_;
    // A page opened in another window or frame gets no hold on this one.
    if (!/^(_self|_parent|_top|)$/i.test(entry.target_)) el.rel = 'noopener';
  } else el.tabIndex = 0;
  entry.el_ = el;
  registry.entries_.set(el, entry);
  return el;
}

// Returns the number of rows built.
function buildList(popup, li, depth) {
  const ul = (popup.ul_ = element('ul', 'zv-p', li));
  ul.id = popup.id_;
  ul.hidden = true;
  ul.style.setProperty('--d', depth - 1);
  let count = popup.rows_.length;
  for (const row of popup.rows_) {
    const listItem = element('li', null, ul);
    if (row.kind_ === 'separator') {
      // Only lines: a list announces its real items alone.
      listItem.className = 'zv-s';
      listItem.setAttribute('aria-hidden', 'true');
      element('div', null, listItem);
      continue;
    }
    // A listItem opening a popup carries the arrow as a pseudo-element of the style sheet.
    control(row, row.child_ ? 'zv-r zv-a' : 'zv-r', listItem);
    if (row.child_) count += buildList(row.child_, listItem, depth + 1);
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
  const tag = (applet.closest('[lang]')?.getAttribute('lang') || '').toLowerCase();
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
  const model = menu.model_,
    box = (menu.box_ = element('div', 'zorvex zv-w'));
  // First-level captions in capitals: the text stays as written for translators and readers.
  if (model.look_.caps_) box.classList.add('zv-caps');
  box.dir = 'ltr';
  menu.context_ = model.measure_ = canvas(box);
  const nav = element('nav', null, box);
  const button = (menu.button_ = element('button', 'zv-b', nav)),
    name = element('span', null, button);
  // Text, not a label: translators reach it.
  name.textContent = menuName(menu.applet_);
  nav.setAttribute('aria-labelledby', (name.id = uniqueId()));
  registry.entries_.set(button, menu);
  menu.list_ = element('div', 'zv-l', nav);
  menu.listContext_ = canvas(menu.list_);
  const ul = (menu.ul_ = element('ul', 'zv-top', menu.list_));
  toggles(button, (ul.id = uniqueId()));
  const lists = [];
  for (const item of model.items_) {
    const li = element('li', null, ul),
      el = control(item, 'zv-i', li);
    if (item.status_) el.title = item.status_;
    if (item.popup_) lists.push([item.popup_, li]);
  }
  let rows = 0;
  for (const [popup, li] of lists) {
    if (rows > ROWS_A_STEP) {
      yield;
      rows = 0;
    }
    rows += buildList(popup, li, 2);
  }
  markCurrentPage(model);
}
const ROWS_A_STEP = 300;

// The current page's item: the first without a popup, in pre-order, whose address is the page's.
function markCurrentPage(model) {
  const page = pageKey(document.URL),
    todo = model.items_.slice().reverse();
  while (todo.length) {
    const entry = todo.pop(),
      popup = opens(entry);
    if (popup) {
      for (const row of popup.rows_.filter((row) => row.el_).reverse()) todo.push(row);
    } else if (entry.url_ && pageKey(entry.el_.href) === page) {
      entry.el_.setAttribute('aria-current', 'page');
      model.current_ = entry.kind_ ? model.items_[entry.popup_.path_[0]] : entry;
      return;
    }
  }
}

export const controlOf = (target) => target?.closest?.('.zv-i,.zv-r,.zv-b');
// The entry (item, row or the menu itself, for its button) of a control element.
export const entryOf = (el) => el && registry.entries_.get(el);
