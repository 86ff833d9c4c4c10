/* zorvex.js: turns Tarvelle's applet tags into working menus, drawn as the editor's live preview
 * draws them. Bundled from these modules into one file without dependencies, with nothing inline
 * (it runs under the content policy default-src 'self'). The runtime's own properties end in an
 * underscore: the bundler shortens those names, and no name of the page, the DOM or the runtime's
 * public face ends in one. */
import { api, upgrade } from './upgrade.js';

// The menus the browser has read so far are drawn at once, before it reads (and paints) what
// follows them, so that the page never moves; the rest once the whole page is read.
function upgradeWhileLoading(upgradeTags) {
  upgradeTags();
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', () => upgradeTags());
}

const first = window.zorvex;
if (first && typeof first.upgrade === 'function') {
  // A second copy of the script (two pasted fragments) keeps the first one's menus and registry.
  upgradeWhileLoading(() => (first.upgradeInSteps || first.upgrade)());
} else {
  window.zorvex = api;
  upgradeWhileLoading(() => upgrade(null, true));
}
