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
  for (const menu of registry.live) if (!menu.box.isConnected) registry.live.delete(menu);
  if (!registry.live.size) registry.listening = false;
  const applets = (root || document).querySelectorAll('applet');
  for (let i = 0; i < applets.length; i++) {
    const el = applets[i];
    if (
      !/^zorvex\.class$/i.test(el.getAttribute('code') || '') ||
      registry.menus.has(el) ||
      registry.pending.has(el)
    )
      continue;
    // A tag the browser is still reading (the script inside it) waits for the rest.
    if (document.readyState === 'loading' && document.currentScript && el.contains(document.currentScript))
      continue;
    const menu = new Menu(el);
    registry.pending.set(el, { menu, steps: menu.steps() });
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
  const [el, work] = registry.pending.entries().next().value;
  try {
    if (!work.steps.next().done) return false;
    const menu = work.menu;
    registry.live.add(menu);
    documentListeners(true);
    if (menu.box.parentElement) registry.resizes.observe(menu.box.parentElement);
  } catch (error) {
    // One menu that cannot be drawn leaves the others working.
    release(el);
    if (window.console) window.console.error('zorvex: a menu could not be drawn', el, error);
  }
  registry.pending.delete(el);
  if (!registry.pending.size) registry.drawn.splice(0).forEach((resolve) => resolve());
  return true;
}
export function finishAll() {
  while (registry.pending.size) step();
}
// A task of its own for each step: a message is not held back by timers or their clamping.
const channel = new window.MessageChannel();
channel.port1.onmessage = () => {
  registry.stepPosted = false;
  if (registry.pending.size) step();
  nextStep();
};
function nextStep() {
  if (!registry.pending.size || registry.stepPosted) return;
  registry.stepPosted = true;
  channel.port2.postMessage(null);
}

function find(el) {
  for (; el; el = el.parentNode) if (registry.menus.has(el)) return registry.menus.get(el);
  return null;
}
export const api = {
  upgrade: (root) => upgrade(root, false),
  // Settles once every menu the runtime is drawing is in the page.
  drawn: () => new Promise((resolve) => (registry.pending.size ? registry.drawn.push(resolve) : resolve())),
  // For a second copy of this script: the tags read so far, in steps as the first copy did.
  upgradeInSteps: () => upgrade(null, true),
  layout(el, options) {
    finishAll();
    const menu = find(el);
    if (!menu) return null;
    // Captions changed in this task are laid out before they are reported.
    if (menu.captions.takeRecords().length) menu.relayout();
    return options && options.width !== undefined
      ? narrowRecord(menu.model, options.width)
      : wideRecord(menu.model);
  },
  destroy(el) {
    finishAll();
    const menu = find(el);
    if (menu) menu.destroy();
    return !!menu;
  }
};
