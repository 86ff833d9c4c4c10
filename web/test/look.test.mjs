// The runtime reads the look settings by the table of cases the editor's core is tested with.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { readLook } from '../src/look.js';

const table = JSON.parse(readFileSync(new URL('../../tests/data/look-values.json', import.meta.url), 'utf8'));

const hex = (rgb) =>
  rgb
    .map((v) => v.toString(16).padStart(2, '0'))
    .join('')
    .toUpperCase();
const first = (map, show) => {
  const keys = Object.keys(map).sort();
  return keys.length ? show(keys[0], map[keys[0]]) : '';
};
// A value as the table writes it.
function shown(look, read) {
  // The runtime's own properties: the names the table reads, with a trailing underscore.
  const value = look[read + '_'];
  if (read === 'popupSeparator') return value ? hex(value) : 'none';
  if (read === 'caps') return value ? '1' : '0';
  if (read === 'dark')
    return Object.keys(value)
      .sort()
      .map((key) => `${key}:${hex(value[key])};`)
      .join('');
  if (['vars', 'icons', 'fontFiles'].includes(read)) return first(value, (key, text) => `${key}:${text}`);
  if (read === 'badges') return first(value, (key, text) => text);
  return Array.isArray(value) ? hex(value) : String(value);
}

test('look settings read as the core reads them', () => {
  assert.ok(table.cases.length > 50);
  for (const { name, value, read, expected } of table.cases)
    assert.equal(shown(readLook(JSON.stringify({ [name]: value })), read), expected, `${name}=${value}`);
});

test('a look parameter that is no object of texts is the basic look', () => {
  const basic = readLook('');
  for (const text of ['[1]', 'null', '{"radius":6}', '{bad json', '"radius"'])
    assert.deepEqual(readLook(text), basic, text);
});
