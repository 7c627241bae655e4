// Finishes the site once the module is linked, and makes the single file from the same build:
// - the module, gzip-compressed, into the site (the page inflates it: a school's server seldom
//   compresses application/wasm), with its script;
// - the service worker, listing the site's files, its cache named by their content;
// - the single file: the page with its style, scripts, module, faces and icon inline, under a
//   Content-Security-Policy that admits exactly those inline parts, by their hashes.
//   node ui/web/pack.mjs MODULE_DIR SITE_DIR SINGLE_FILE
import { createHash } from 'node:crypto';
import { copyFileSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join, relative } from 'node:path';
import { gzipSync } from 'node:zlib';

const [moduleDir, site, singleFile] = process.argv.slice(2);
if (!singleFile) {
  console.error('usage: node pack.mjs MODULE_DIR SITE_DIR SINGLE_FILE');
  process.exit(2);
}
const name = 'kinematics-test';

writeFileSync(join(site, `${name}.wasm.gz`), gzipSync(readFileSync(join(moduleDir, `${name}.wasm`)), { level: 9 }));
copyFileSync(join(moduleDir, `${name}.js`), join(site, `${name}.js`));
rmSync(join(site, `${name}.wasm`), { force: true }); // left by older builds, which linked into the site

// Replaces `pattern` in `text`, which must occur exactly `times` times.
function replace(text, pattern, by, what, times = 1) {
  const found = text.match(new RegExp(pattern, 'g'))?.length ?? 0;
  if (found !== times) throw new Error(`${what}: expected ${times} of ${pattern}, found ${found}`);
  return text.replace(new RegExp(pattern, 'g'), by);
}

// The service worker.
const workerFile = 'service-worker.js';
const files = [];
const walk = (dir) => {
  for (const entry of readdirSync(dir, { withFileTypes: true })) {
    const path = join(dir, entry.name);
    if (entry.isDirectory()) walk(path);
    else if (entry.name !== workerFile) files.push(relative(site, path).split('\\').join('/'));
  }
};
walk(site);
files.sort();
const content = createHash('sha256');
for (const file of files) content.update(`${file}\0`).update(readFileSync(join(site, file)));
let worker = readFileSync(new URL(`site/${workerFile}`, import.meta.url), 'utf8');
worker = replace(worker, "const build = '';", `const build = '${content.digest('hex').slice(0, 16)}';`, workerFile);
worker = replace(worker, 'const files = \\[\\];', `const files = ${JSON.stringify(files)};`, workerFile);
writeFileSync(join(site, workerFile), worker);

// The single file.
const read = (file) => readFileSync(join(site, file));
const dataUrl = (type, file) => `data:${type};base64,${read(file).toString('base64')}`;
const sha256 = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
const scriptHashes = [];
const inlineScript = (text, file) => {
  if (/<\/script|<!--/i.test(text)) throw new Error(`${file}: cannot stand inline in a <script>`);
  scriptHashes.push(sha256(text));
  return `<script>${text}</script>`;
};
const page = 'index.html';
let html = read(page).toString('utf8');
html = replace(html, '<link rel="(preload|manifest)"[^>]*>\\n', '', page, 7);
html = replace(html, '<link rel="icon" href="favicon.ico">', () => `<link rel="icon" href="${dataUrl('image/x-icon', 'favicon.ico')}">`, page);
// The two style sheets in one, the faces' files inside it.
const faces = read('program.css').toString('utf8').replace(/url\((fonts\/[a-z-]+\.woff2)\)/g,
  (_, file) => `url(${dataUrl('font/woff2', file)})`);
const style = `${faces}\n${read('style.css').toString('utf8')}`;
html = replace(html, '<link rel="stylesheet" href="program.css">\n', '', page);
html = replace(html, '<link rel="stylesheet" href="style.css">', () => `<style>${style}</style>`, page);
html = replace(html, '<script src="loader.js"></script>', () =>
  `<script type="application/octet-stream" id="kt-module">${read(`${name}.wasm.gz`).toString('base64')}</script>\n<script src="loader.js"></script>`, page);
html = replace(html, '<script src="([a-z.-]+\\.js)"></script>', (_, file) => inlineScript(read(file).toString('utf8'), file), page, 4);
const policy = `default-src 'self'; script-src 'self' 'wasm-unsafe-eval' ${scriptHashes.join(' ')}; ` +
  `style-src ${sha256(style)}; font-src data:; img-src data:`;
html = replace(html, '<meta http-equiv="Content-Security-Policy" content="[^"]*">',
  `<meta http-equiv="Content-Security-Policy" content="${policy}">`, page);
writeFileSync(singleFile, html);
