// Addresses as pages compare them, by the rules the editor's core follows (its table of cases
// is the runtime's too).

// A link's href, as the browser resolved it (scheme and host in lower case), as a page: its
// fragment goes, a path ending in index.html or index.htm is its folder, the query stays.
export function pageKey(href) {
  const withoutFragment = href.replace(/#.*/, '');
  const query = withoutFragment.indexOf('?');
  const path = query < 0 ? withoutFragment : withoutFragment.slice(0, query);
  return path.replace(/\/index\.html?$/i, '/') + (query < 0 ? '' : withoutFragment.slice(query));
}
