// What the runtime knows across the menus of a page, in one place, every field declared here.
export const registry = {
  // The menu of each applet tag and of each menu box; the menus in the page.
  menus_: new WeakMap(),
  live_: new Set(),
  // The entry (item or row) of each control element.
  entries_: new WeakMap(),
  // The last number given to an element id of the runtime's own.
  uid_: 0,
  // The runtime's style sheet is in the document.
  styled_: false,
  // The document's and the window's listeners are on; the pixel ratio's query and its handler.
  listening_: false,
  ratio_: null,
  // The page is being printed: canvases at 3 device pixels per CSS pixel at least.
  printing_: false,
  // Watches the parents of the menus for a change of width (set up with the page's listeners).
  resizes_: null,
  // The menus being drawn in steps, by applet, in the page's order; a step's task is posted.
  pending_: new Map(),
  stepPosted_: false,
  // Those waiting for every pending menu to be drawn.
  drawn_: [],
  // The style attribute each held tag had before it held its menu's place (null: none).
  held_: new Map()
};
