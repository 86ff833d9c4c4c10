// Host pages the fragment is pasted into: real style sheets from the lock file and the rules
// that hand-written sites carry. Each wraps the menu in the page's own markup.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const sheet = (module) => `<style>${readFileSync(require.resolve(module), 'utf8')}</style>`;
const style = (css) => `<style>${css}</style>`;
const article = '<main><h1>Welcome</h1><p>' + 'Our shop sells software and hardware. '.repeat(30) + '</p></main>';
// The menu starts at a whole pixel in every host, as it does in the plain page it is compared
// with: text at a fraction of a pixel is smoothed differently.
const header = (menu) => `<header><div class="site-menu">${menu}</div><a href="index.html">Logo</a></header>${article}`;

export const HOSTS = [
  {
    name: 'Bootstrap 5 navbar',
    head: sheet('bootstrap/dist/css/bootstrap.min.css'),
    body: (menu) => '<nav class="navbar navbar-expand-lg bg-body-tertiary"><div class="container-fluid">' +
      `${menu}<a class="navbar-brand" href="#">Site</a></div></nav><div class="container">${article}</div>`
  },
  {
    name: 'normalize.css and a typical reset',
    head: sheet('normalize.css/normalize.css') + style('*,*::before,*::after{box-sizing:border-box;margin:0;' +
      'padding:0}ul,ol{list-style:none}a{color:inherit;text-decoration:none}body{font:18px/1.6 Georgia,serif;' +
      'color:#333}img,canvas,svg{display:block;max-width:100%}button{font:inherit;color:inherit}'),
    body: header
  },
  { name: 'Tailwind preflight', head: sheet('tailwindcss/preflight.css'), body: header },
  {
    name: 'root font size 62.5 % and body text settings',
    head: style('html{font-size:62.5%;line-height:2}body{font-size:1.6rem;letter-spacing:.1em;word-spacing:.3em;' +
      'text-transform:uppercase;text-align:right;white-space:pre-wrap;font-family:Impact,sans-serif}' +
      '.site-menu{width:max-content}'),
    body: header
  },
  {
    name: 'flex header',
    head: style('header{display:flex;align-items:center;gap:24px;padding:0 16px}' +
      'header>*{flex:0 0 auto;min-width:0}div,nav{display:flex;flex-direction:column}'),
    body: header
  },
  {
    name: 'sticky header under positioned content',
    head: style('body{margin:0}header{position:sticky;top:0;z-index:10;background:#fff}main{position:relative;' +
      'z-index:20;background:#eef;min-height:2000px;transform:translateZ(0)}'),
    body: header
  },
  {
    name: 'classic link colours',
    head: style('a:link{color:#00f;text-decoration:underline;background:#ff0}a:visited{color:purple}' +
      'a:hover{color:red;font-weight:bold;font-size:30px}a:active{color:orange}a:focus{outline:3px solid red}' +
      'a{padding:10px;border:2px solid}'),
    body: header
  },
  {
    name: 'a header that hides what overflows',
    head: style('header{overflow:hidden;contain:paint;position:relative;z-index:1}main{position:relative;z-index:2;' +
      'background:#ffe}'),
    body: header
  },
  {
    name: 'old navigation rules',
    head: style('nav ul{display:flex;gap:10px;margin:0 20px;padding:8px}nav li{float:left;padding:0 1em;' +
      'border-right:1px solid #ccc}nav a{display:inline-block;padding:10px 20px;font:bold 20px/3 Arial}' +
      'ul{display:grid;grid-template-columns:1fr 1fr}li{display:inline}button{float:right;width:200px}'),
    body: header
  },
  {
    name: 'a CSS drop-down menu with bullets',
    head: style('ul ul{display:none}li:hover>ul{display:block;position:absolute;top:100%;left:0}' +
      'li{position:relative;list-style:square}li::before{content:"\\2022";margin-right:6px;color:red}' +
      'li::marker{color:green}ul{padding-left:40px}'),
    body: header
  },
  {
    name: 'transitions, generated content and shadows',
    head: style('*{transition:all .3s}a[target=_blank]::after{content:"\\2197"}a::before{content:"> "}' +
      'li,ul,button,canvas,nav,.zorvex a{box-shadow:0 0 4px red;text-shadow:1px 1px 2px blue;filter:saturate(3);' +
      'opacity:.9;transform:rotate(1deg);animation:spin 2s infinite}@keyframes spin{to{transform:rotate(360deg)}}' +
      'button::after{content:"\\25BE"}::backdrop{background:rgba(255,0,0,.5)}'),
    body: header
  },
  {
    name: 'responsive canvases, hidden and box rules',
    head: style('canvas{width:100%!important;max-width:100%;height:auto;border:3px solid red;display:block}' +
      '[hidden]{display:block!important}*{box-sizing:content-box}div{display:grid;padding:12px 0 0;' +
      'position:static!important}button{all:revert;background:red;border:3px solid;padding:10px;' +
      'border-radius:8px;font:bold 20px serif;position:static;visibility:visible;display:inline}' +
      'nav{position:fixed;top:0;left:0;width:100%;z-index:1000}ul{position:absolute;margin:20px}'),
    body: (menu) => `<section class="site">${menu}</section>${article}`
  }
];

export function hostPage(host, menu, script) {
  return `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">${host.head}</head>` +
    `<body>${host.body(menu)}${script}</body></html>`;
}
