// The runtime compares links as pages by the table of cases the editor's core is tested with.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pageKey } from '../src/address.js';

const table = JSON.parse(
  readFileSync(new URL('../../tests/data/page-addresses.json', import.meta.url), 'utf8')
);

test('links compare as pages as the core compares them', () => {
  const page = 'http://site.test/dir/page.html';
  for (const [a, b, same] of table.pairs) {
    const key = (link) => pageKey(new URL(link, page).href);
    assert.equal(key(a) === key(b), same, `${a} and ${b}`);
  }
});
