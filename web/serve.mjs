// serve.mjs: serves the built site on 127.0.0.1 with the types a browser wants for modules,
// WebAssembly and fonts. Run it to play (node serve.mjs DIR [PORT]); the tests import it.
import {createReadStream} from 'node:fs';
import {stat} from 'node:fs/promises';
import {createServer} from 'node:http';
import {extname, join, normalize, resolve, sep} from 'node:path';
import {pathToFileURL} from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.json': 'application/json; charset=utf-8',
  '.wasm': 'application/wasm',
  '.woff2': 'font/woff2',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8',
  '.py': 'text/plain; charset=utf-8',
  '.otf': 'font/otf',
};

/** The file `path` names under `base`, or null where there is none or it lies outside. */
async function fileAt(base, path) {
  let file = normalize(join(base, path));
  if (file !== base && !file.startsWith(base + sep)) return null;
  try {
    if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
    return (await stat(file)).isFile() ? file : null;
  } catch {
    return null;
  }
}

/**
 * Starts serving `root`; resolves to the server once it listens. Port 0 picks a free one. The
 * files of `overlay`, where given, are served in place of the site's of the same names: the
 * tests lay the core's test build over the shipped site so.
 */
export function serveSite(root, port = 0, overlay = null) {
  const base = resolve(root);
  const over = overlay && resolve(overlay);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = (over && await fileAt(over, path)) || await fileAt(base, path);
    if (!file) {
      response.writeHead(404, {'Content-Type': 'text/plain'}).end('not found');
      return;
    }
    response.writeHead(200, {
      'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
      // An isolated page gets the browser's fine clock, which the benchmark measures with.
      'Cross-Origin-Opener-Policy': 'same-origin',
      'Cross-Origin-Embedder-Policy': 'require-corp',
    });
    createReadStream(file).pipe(response);
  });
  return new Promise((done, failed) => {
    server.once('error', failed);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

/** Stops serving at once, dropping the connections kept alive: the site is off the network. */
export function stopServing(server) {
  if (!server?.listening) return;
  server.close();
  server.closeAllConnections();
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const root = process.argv[2] || 'site';
  let server;
  try {
    server = await serveSite(root, Number(process.argv[3] || 8080));
  } catch (e) {
    if (e.code !== 'EADDRINUSE') throw e;
    server = await serveSite(root, 0);  // the port is taken: any free one will do
  }
  console.log(`Vennaloop is served at http://127.0.0.1:${server.address().port}/`);
  console.log('Open that address in a browser; Ctrl+C stops the server.');
}
