import { registry } from './registry.js';
import { element } from './elements.js';

// The page's style sheets are kept out without a shadow root (translators, find in page and
// crawlers walk the menu's text in the document): every property of every element of the menu
// is reset (the root to its initial values, so nothing is inherited from the page, the rest to
// what they inherit from it) by rules marked !important, and what the menu needs is set by
// !important rules more specific than the reset. Places, sizes, fonts and colours come as
// custom properties set on the elements. A host rule wins only where it is !important and more
// specific than the runtime's own. Open popups and the open narrow list are in the top layer:
// no overflow, z-index, transform or sticky header of the page clips or covers them. Every
// declaration below is made !important when the sheet is made.
const STYLE = (
  '.zorvex{all:initial;position:relative;display:inline-block;vertical-align:top;direction:ltr;' +
  'text-align:left}.zorvex.zv-w{overflow:clip}' +
  '.zorvex *,.zorvex ::before,.zorvex ::after{all:unset;box-sizing:border-box}.zorvex [hidden]{display:none}' +
  // Apart: a browser that does not know the selector drops this rule alone.
  '.zorvex ::backdrop{display:none}' +
  '.zorvex :is(nav,ul,li,div,a,button,canvas){display:block}.zorvex canvas{position:absolute;left:0;' +
  'top:var(--top,0)}' +
  '.zorvex :is(.zv-i,.zv-r,.zv-b){width:100%;overflow:clip;white-space:pre;cursor:default}' +
  '.zorvex .zv-i{border:var(--b) solid transparent;font:var(--f);line-height:var(--lh);color:var(--c)}' +
  '.zv-z .zv-i{color:transparent}.zv-caps .zv-i{text-transform:uppercase}' +
  // Wide first-level captions are placed from the left as the drawing is, whatever their direction.
  '.zv-w .zv-i{position:absolute;left:var(--x);top:var(--y);width:var(--w);height:var(--h);' +
  'text-indent:var(--i);direction:ltr}.zv-w .zv-l{position:absolute;left:0;top:0;width:100%;height:100%}' +
  '.zorvex .zv-top{position:relative}.zv-w .zv-b{display:none}' +
  '.zorvex .zv-b>span{position:absolute;width:1px;height:1px;overflow:hidden;clip-path:inset(50%)}' +
  '.zv-w .zv-p,.zv-n .zv-l{position:fixed;left:var(--x);top:var(--y);width:var(--w);z-index:2147483647}' +
  '.zv-w .zv-p{height:var(--h);padding:2px;border:var(--pfw) solid var(--pfc);border-radius:var(--pr);' +
  'box-shadow:var(--psh);background:var(--pbg);font:var(--pf)}.zv-w .zv-s{height:7px;padding-top:3px}' +
  '.zv-w .zv-s>div{margin-left:1px;width:calc(100% - 2px);height:0;border-top:1px solid var(--st);' +
  'border-bottom:1px solid var(--sb)}.zv-w .zv-r{position:relative;height:var(--rh);line-height:var(--rh);' +
  'margin:0 var(--pi);width:calc(100% - 2 * var(--pi));border-radius:var(--phr);text-indent:var(--pl);' +
  'color:var(--ptx)}.zv-w .zv-r:is(:hover,:focus,.zv-o){background:var(--phl);color:var(--pht)}' +
  '.zv-w .zv-r:focus-visible{box-shadow:inset 0 0 0 1px #000,inset 0 0 0 2px #FFF}' +
  // The arrow: four columns, 7, 5, 3 and 1 pixels high, the tallest 8 pixels from the edge.
  '.zv-w .zv-a::after{content:"";position:absolute;right:5px;top:var(--at);width:4px;height:7px;background:' +
  [0, 1, 2, 3]
    .map((i) => `linear-gradient(currentColor,currentColor) ${i}px ${i}px/1px ${7 - 2 * i}px no-repeat`)
    .join() +
  '}.zorvex .zv-r[aria-current]::before{content:"";position:absolute;left:0;top:3px;bottom:3px;width:3px;' +
  'background:var(--pcm)}.zv-w .zv-r:is(:hover,:focus)::before,.zorvex .zv-r.zv-h::before{background:var(--pht)}' +
  '.zv-n .zv-b{position:absolute;left:0;top:0;width:var(--t);height:var(--t)}' +
  '.zv-n .zv-l{max-height:var(--mh);overflow:hidden auto;overscroll-behavior:contain;background:var(--bg)}' +
  '.zv-n .zv-i{position:relative;height:var(--t);padding-left:16px}.zv-n .zv-r{position:relative;' +
  'font:var(--pf);height:var(--nh);line-height:var(--nh);padding-left:calc(16px * var(--d) + 16px);color:var(--ptx)}' +
  '.zv-n .zv-r.zv-h{color:var(--pht)}.zv-n .zv-s{height:7px}' +
  '@media (forced-colors:active){.zorvex canvas{display:none}.zorvex :is(.zv-i,.zv-r,.zv-b),.zv-n .zv-l{' +
  'color:CanvasText;background:Canvas;border-color:CanvasText}.zv-w .zv-r:is(:hover,:focus,.zv-o),' +
  '.zorvex .zv-r.zv-h{forced-color-adjust:none;background:Highlight;color:HighlightText}' +
  '.zorvex :is(.zv-i,.zv-b){outline:1px solid CanvasText;outline-offset:-1px}' +
  '.zorvex :is(.zv-i,.zv-r,.zv-b):focus-visible{outline:2px solid Highlight;outline-offset:-3px}' +
  // The menu button's three bars, in its own system colour.
  '.zorvex .zv-b::before{content:"";position:absolute;left:calc(50% - 9px);top:calc(50% - 7px);width:18px;' +
  'height:2px;background:currentColor;box-shadow:0 6px currentColor,0 12px currentColor;forced-color-adjust:none}' +
  // Which rows open a popup stays visible, and in the narrow list which way the branch is.
  '.zv-w .zv-a::after,.zorvex .zv-r[aria-current]::before{forced-color-adjust:none}' +
  '.zorvex .zv-r[aria-current]::before{background:CanvasText}.zv-n .zv-l button::after{content:"";' +
  'position:absolute;right:16px;top:calc(50% - 2px);border:4px solid transparent;border-bottom-width:0;' +
  'border-top-color:currentColor;forced-color-adjust:none}.zv-n .zv-l button[aria-expanded=true]::after{' +
  'border-width:0 4px 4px;border-bottom-color:currentColor}}'
)
  // The last character of each declaration: followed by the ; or } that ends it.
  .replace(/[^{};](?=[;}])/g, '$&!important');

export function addStyle() {
  if (registry.styled_) return;
  registry.styled_ = true;
  try {
    const sheet = new window.CSSStyleSheet();
    sheet.replaceSync(STYLE);
    document.adoptedStyleSheets = document.adoptedStyleSheets.concat(sheet);
  } catch {
    element('style', null, document.head || document.documentElement).textContent = STYLE;
  }
}

// An opening popup or list fades in and slides its last 4 pixels into place over the look's
// time; at once for visitors who ask for less motion, and where the browser cannot animate.
function fadeIn(el, duration) {
  if (!duration || !el.animate || window.matchMedia?.('(prefers-reduced-motion: reduce)').matches) return;
  el.animate(
    [
      { opacity: 0, transform: 'translateY(-4px)' },
      { opacity: 1, transform: 'none' }
    ],
    {
      duration,
      easing: 'ease-out'
    }
  );
}

// Shown in the top layer where the browser has one; above the page by z-index elsewhere. A
// hidden one that opens fades in over the duration.
export function raise(el, open, duration) {
  const opening = open && el.hidden;
  el.hidden = !open;
  if (el.showPopover) {
    if (open && !el.matches(':popover-open')) el.showPopover();
    else if (!open && el.matches(':popover-open')) el.hidePopover();
  }
  if (opening) fadeIn(el, duration);
}

export function popover(el, on) {
  if (on) el.setAttribute('popover', 'manual');
  else el.removeAttribute('popover');
}
