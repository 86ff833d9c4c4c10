// The place a tag holds while its menu is drawn.
import { ITEM_H, AP_W, AP_H, Fields } from './fields.js';
import { readParams } from './read.js';
import { registry } from './registry.js';
import { setImportant } from './elements.js';

// While its menu is drawn, the tag takes the place of the menu: the applet area, or the narrow
// bar (max(44, item height) high) where its block is narrower than the menu, chosen by the
// style sheet so that nothing is measured here. Its own content (the plain lists) stays hidden.
export function hold(applet) {
  registry.held_.set(applet, applet.getAttribute('style'));
  setImportant(applet, {
    all: 'initial',
    display: 'inline-block',
    'vertical-align': 'top',
    overflow: 'clip'
  });
  reserve(applet, new Fields(readParams(applet).get('app')));
}
// The box's height is its top padding, whose percentages are of the width of the block it
// lies in: T plus (H - T) where that block is at least W wide.
export function reserve(el, fields) {
  const W = fields.size_(AP_W),
    H = fields.size_(AP_H),
    T = Math.max(44, fields.size_(ITEM_H)),
    wide = `(100% - ${W}px + 0.01px) * 1e6`;
  const height =
    H >= T
      ? `calc(${T}px + clamp(0px, ${wide}, ${H - T}px))`
      : `calc(${T}px - clamp(0px, ${wide}, ${T - H}px))`;
  setImportant(el, { visibility: 'hidden', width: `min(100%, ${W}px)`, height: '0', 'padding-top': height });
}
export function release(applet) {
  if (!registry.held_.has(applet)) return;
  const style = registry.held_.get(applet);
  registry.held_.delete(applet);
  if (style === null) applet.removeAttribute('style');
  else applet.setAttribute('style', style);
}
