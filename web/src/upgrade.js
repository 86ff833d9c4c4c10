// Turning tags into menus, and the runtime's public face.
import { wideRecord, narrowRecord } from './geometry.js';
import { registry } from './registry.js';
import { addStyle } from './style.js';
import { Menu } from './menu.js';
import { documentListeners } from './page.js';
import { hold, release } from './place.js';

// Turns the applet tags in root into menus: at once, or (while the page loads) holding each
// tag's place and drawing the menus in short tasks after this one.
export function upgrade(root, inSteps) {
  // Menus of a document written anew are gone, and so are its listeners.
  for (const menu of registry.live_) if (!menu.box_.isConnected) registry.live_.delete(menu);
  if (!registry.live_.size) registry.listening_ = false;
  for (const el of (root || document).querySelectorAll('applet')) {
    if (
      !/^zorvex\.class$/i.test(el.getAttribute('code')) ||
      registry.menus_.has(el) ||
      registry.pending_.has(el)
    )
      continue;
    // A tag the browser is still reading (the script inside it) waits for the rest.
    if (document.readyState === 'loading' && document.currentScript && el.contains(document.currentScript))
      continue;
    const menu = new Menu(el);
    registry.pending_.set(el, { menu_: menu, steps_: menu.steps_() });
    if (!inSteps) continue;
    // The style sheet first, while the page read so far is small: adding it restyles it all.
    addStyle();
    try {
      hold(el);
    } catch {
      // The step that reads the tag says what is wrong with it.
    }
  }
  if (inSteps) nextStep();
  else finishAll();
}
// Runs one step of the first menu waiting; true when that menu is done (or failed).
function step() {
  const [el, work] = registry.pending_.entries().next().value;
  try {
    if (!work.steps_.next().done) return false;
    const menu = work.menu_;
    registry.live_.add(menu);
    documentListeners(true);
    if (menu.box_.parentElement) registry.resizes_.observe(menu.box_.parentElement);
  } catch (error) {
    // One menu that cannot be drawn leaves the others working.
    release(el);
    window.console?.error('zorvex: a menu could not be drawn', el, error);
  }
  registry.pending_.delete(el);
  if (!registry.pending_.size) registry.drawn_.splice(0).forEach((resolve) => resolve());
  return true;
}
export function finishAll() {
  while (registry.pending_.size) step();
}
// A task of its own for each step: a message is not held back by timers or their clamping.
const channel = new window.MessageChannel();
channel.port1.onmessage = () => {
  registry.stepPosted_ = false;
  if (registry.pending_.size) step();
  nextStep();
};
function nextStep() {
  if (!registry.pending_.size || registry.stepPosted_) return;
  registry.stepPosted_ = true;
  channel.port2.postMessage(null);
}

// The menu of el or of its nearest ancestor that has one, once every menu is drawn.
function find(el) {
  finishAll();
  for (; el; el = el.parentNode) if (registry.menus_.has(el)) return registry.menus_.get(el);
  return null;
}
export const api = {
  upgrade: (root) => upgrade(root, false),
  // Settles once every menu the runtime is drawing is in the page.
  drawn: () => new Promise((resolve) => (registry.pending_.size ? registry.drawn_.push(resolve) : resolve())),
  // For a second copy of this script: the tags read so far, in steps as the first copy did.
  upgradeInSteps: () => upgrade(null, true),
  layout(el, options) {
    const menu = find(el);
    if (!menu) return null;
    // Captions changed in this task are laid out before they are reported.
    if (menu.captions_.takeRecords().length) menu.relayout_();
    return options?.width !== undefined ? narrowRecord(menu.model_, options.width) : wideRecord(menu.model_);
  },
  destroy(el) {
    const menu = find(el);
    if (menu) menu.destroy_();
    return !!menu;
  }
};
