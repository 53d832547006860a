// Puts the page together: the module's script, the page's own script, the worker's and the
// style inlined into the HTML, and the WebAssembly as base64 in an element that is never
// run, so that one file is all there is to copy, open and keep. Kept out of the scripts,
// the 3.6 MB of WebAssembly costs the browser no JavaScript parsing.
// node assemble_page.cjs TEMPLATE STYLE MODULE WASM PAGE WORKER OUTPUT
'use strict';
const fs = require('node:fs');

const [template, style, moduleScript, wasm, page, worker, output] = process.argv.slice(2);
const parts = {
  style: fs.readFileSync(style, 'utf8'),
  module: fs.readFileSync(moduleScript, 'utf8'),
  wasm: fs.readFileSync(wasm).toString('base64'),
  page: fs.readFileSync(page, 'utf8'),
  worker: fs.readFileSync(worker, 'utf8'),
};
let html = fs.readFileSync(template, 'utf8');
for (const [name, text] of Object.entries(parts)) {
  // Inside a script element only "</script" ends it: no part may hold one.
  if (/<\/script/i.test(text)) {
    throw new Error(`${name} holds </script and cannot be inlined`);
  }
  const marker = `/*ZORVEL:${name}*/`;
  if (!html.includes(marker)) {
    throw new Error(`the template has no place for ${name}`);
  }
  html = html.replace(marker, () => text);
}
fs.writeFileSync(output, html);
