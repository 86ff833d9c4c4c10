// What the runtime knows across the menus of a page, in one place, every field declared here.
export const registry = {
  // The menu of each applet tag and of each menu box; the menus in the page.
  menus: new WeakMap(),
  live: new Set(),
  // The entry (item or row) of each control element.
  entries: new WeakMap(),
  // The last number given to an element id of the runtime's own.
  uid: 0,
  // The runtime's style sheet is in the document.
  styled: false,
  // The document's and the window's listeners are on; the pixel ratio's query and its handler.
  listening: false,
  ratio: null,
  // The page is being printed: canvases at 3 device pixels per CSS pixel at least.
  printing: false,
  // Watches the parents of the menus for a change of width (set up with the page's listeners).
  resizes: null,
  // The menus being drawn in steps, by applet, in the page's order; a step's task is posted.
  pending: new Map(),
  stepPosted: false,
  // Those waiting for every pending menu to be drawn.
  drawn: [],
  // The style attribute each held tag had before it held its menu's place (null: none).
  held: new Map()
};
