// What the runtime knows across menus: the menus by element, the live ones, the entries of
// their controls.

export const registry = { menus: new WeakMap(), live: new Set(), entries: new WeakMap(), uid: 0 };
