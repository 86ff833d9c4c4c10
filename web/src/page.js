// The page around the menus: listeners on the document and the window that serve every menu,
// the window's geometry, and the pictures and sounds beside the script.
import { registry } from './registry.js';

// The listeners on the document and the window serve every menu.
function pressOutside(event) {
  for (const menu of registry.live_)
    if (menu.isOpen_() && !menu.box_.contains(event.target)) menu.closeAll_();
}
// The pointer is on the page: nothing of a menu is pointed at, even where the browser sent no
// pointerout (it loses some after a list scrolled under a resting pointer).
function pointerOnPage(event) {
  for (const menu of registry.live_) {
    if (menu.hot_ && !menu.box_.contains(event.target)) {
      menu.hot_ = menu.pressed_ = null;
      menu.paint_();
    }
  }
}
function windowResized() {
  for (const menu of registry.live_) menu.fit_(false);
}
// The page or any box in it scrolled (the narrow list too): what is open follows.
function scrolled() {
  for (const menu of registry.live_) if (menu.isOpen_()) menu.place_();
}
function printing(event) {
  registry.printing_ = event.type === 'beforeprint';
  for (const menu of registry.live_) {
    if (registry.printing_) menu.closeAll_();
    menu.redraw_();
  }
}
// Zoom changes the pixel ratio: every canvas is drawn again at the new one.
function watchPixelRatio() {
  const query = window.matchMedia?.(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
  if (!query?.addEventListener) return;
  const changed = () => {
    query.removeEventListener('change', changed);
    if (registry.listening_) watchPixelRatio();
    for (const menu of registry.live_) menu.redraw_();
  };
  query.addEventListener('change', changed);
  registry.ratio_ = { query_: query, changed_: changed };
}
// The parents' widths decide between the applet area and the narrow form.
function watchParents() {
  if (!window.ResizeObserver) return { observe() {}, unobserve() {} };
  return new window.ResizeObserver((list) =>
    list.forEach((event) => {
      for (const menu of registry.live_) if (menu.box_.parentElement === event.target) menu.fit_(false);
    })
  );
}
export function documentListeners(on) {
  if (registry.listening_ === on) return;
  registry.listening_ = on;
  const method = on ? 'addEventListener' : 'removeEventListener';
  document[method]('pointerdown', pressOutside, true);
  document[method]('pointerover', pointerOnPage, true);
  document[method]('scroll', scrolled, { capture: true, passive: true });
  window[method]('resize', windowResized);
  window[method]('beforeprint', printing);
  window[method]('afterprint', printing);
  // A zoom is followed while any menu is on the page; the parents' observer stays made.
  if (!on) {
    registry.ratio_?.query_.removeEventListener('change', registry.ratio_.changed_);
  } else {
    watchPixelRatio();
    registry.resizes_ ??= watchParents();
  }
}
// The applet area's corner in the window, in whole pixels like every place the menu draws.
export function origin(box) {
  const rect = box.getBoundingClientRect();
  return { left_: Math.round(rect.left), top_: Math.round(rect.top) };
}
// The window's size without scroll bars (in a page without a doctype too).
export function viewport() {
  const root =
    document.compatMode === 'CSS1Compat'
      ? document.documentElement
      : document.body || document.documentElement;
  return {
    width_: Math.min(window.innerWidth, root.clientWidth || window.innerWidth),
    height_: Math.min(window.innerHeight, root.clientHeight || window.innerHeight)
  };
}
// Pictures and sounds lie beside the script that upgraded the menu.
const scriptBase = document.currentScript?.src;
export function resolve(name) {
  if (!name || name === '.' || name === '..' || /[/\\:]/.test(name)) return null;
  return new URL(encodeURIComponent(name), scriptBase || document.baseURI).href;
}
export function play(name) {
  const url = resolve(name);
  try {
    const playing = url && new Audio(url).play();
    if (playing) playing.catch(() => {});
  } catch {
    // A sound that cannot be played is skipped.
  }
}
