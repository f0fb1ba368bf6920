// inline_style.mjs: writes the site's index.html with the page's style sheet set into it, so that
// no style sheet has to arrive before the first frame.
//   node inline_style.mjs PAGE.html STYLE.css OUT.html
import {readFileSync, writeFileSync} from 'node:fs';
import {basename} from 'node:path';

const [page, style, out] = process.argv.slice(2);
if (!out) throw new Error('usage: node inline_style.mjs PAGE.html STYLE.css OUT.html');
const link = `<link rel="stylesheet" href="${basename(style)}">`;
const html = readFileSync(page, 'utf8');
if (html.split(link).length !== 2) throw new Error(`${page} must link ${basename(style)} once`);
// The sheet's own closing comment line is kept; nothing in it can end the style element.
const css = readFileSync(style, 'utf8');
if (/<\/style/i.test(css)) throw new Error(`${style} holds "</style"`);
writeFileSync(out, html.replace(link, () => `<style>\n${css}</style>`));
