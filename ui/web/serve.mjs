// Serves a folder of static files on localhost, compressed with gzip for clients that accept it,
// or, with `compress` false, as they are, as many a school's web server does. Used by
// scripts/web, the browser tests and the benchmark.
//   node ui/web/serve.mjs DIR [PORT]   prints the URL and serves until stopped
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.woff2': 'font/woff2',
  '.ttf': 'font/ttf',
  '.ico': 'image/x-icon',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.gz': 'application/gzip',
};

// As a web server's compression does, files that are compressed already are sent as they are.
const alreadyCompressed = new Set(['.gz', '.woff2', '.png']);

export function serve(dir, port = 0, { compress = true } = {}) {
  const root = resolve(dir);
  const compressed = new Map(); // file -> { modified, body }: each file is compressed once
  const gzip = (file, body, modified) => {
    const known = compressed.get(file);
    if (known?.modified === modified) return known.body;
    const fresh = gzipSync(body, { level: 9 });
    compressed.set(file, { modified, body: fresh });
    return fresh;
  };
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (!['GET', 'HEAD'].includes(request.method) || (file !== root && !file.startsWith(root + sep))) {
      response.writeHead(404).end();
      return;
    }
    const found = await Promise.all([stat(file), readFile(file)]).catch(() => null);
    if (!found) {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end(`${path}: no such file\n`);
      return;
    }
    let [{ mtimeMs: modified }, body] = found;
    const headers = { 'Content-Type': types[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' };
    if (compress && !alreadyCompressed.has(extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
      body = gzip(file, body, modified);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers).end(request.method === 'HEAD' ? undefined : body);
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => {
      const url = `http://127.0.0.1:${server.address().port}/`;
      // Closing ends the connections kept alive too: to the browser the server is gone.
      done({ url, close: () => new Promise((closed) => { server.close(closed); server.closeAllConnections(); }) });
    });
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [dir, port] = process.argv.slice(2);
  if (!dir) {
    console.error('usage: node serve.mjs DIR [PORT]');
    process.exit(2);
  }
  const { url } = await serve(dir, Number(port ?? 0));
  console.log(url);
}
