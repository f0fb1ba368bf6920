// write_worker.mjs: writes the site's service worker (site/sw.js with SITE filled in): the files
// the page needs to play, and a version that changes with any of them.
//   node write_worker.mjs SITE_DIR APP_VERSION
import {createHash} from 'node:crypto';
import {readdirSync, readFileSync, writeFileSync} from 'node:fs';
import {join, relative, sep} from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const TEMPLATE = fileURLToPath(new URL('site/sw.js', import.meta.url));
// What the page loads; the fonts' originals, licences and tools are there to read, not to play.
const KEPT = /\.(html|css|mjs|wasm|json|woff2|svg|png|webmanifest)$/;
const NOT_KEPT = /^fonts\/source\//;

/** The files of `site` the worker keeps, sorted, as paths relative to the site. */
export function keptFiles(site) {
  const files = [];
  const walk = (dir) => {
    for (const entry of readdirSync(dir, {withFileTypes: true})) {
      const path = join(dir, entry.name);
      const name = relative(site, path).split(sep).join('/');
      if (entry.isDirectory()) walk(path);
      else if (KEPT.test(name) && !NOT_KEPT.test(name)) files.push(name);
    }
  };
  walk(site);
  return files.sort();
}

/** Writes site/sw.js for the site as it is now; returns its version. */
export function writeServiceWorker(site, appVersion) {
  const files = keptFiles(site);
  const digest = createHash('sha256');
  for (const file of files) {
    digest.update(file + '\0');
    digest.update(readFileSync(join(site, file)));
  }
  const version = `${appVersion}-${digest.digest('hex').slice(0, 16)}`;
  // The page's address itself is kept too: a visit names the folder, not index.html.
  const entries = {version, files: ['./', ...files]};
  const template = readFileSync(TEMPLATE, 'utf8');
  const filled = template.replace(/^const SITE = null;$/m,
                                  () => `const SITE = ${JSON.stringify(entries, null, 1)};`);
  if (filled === template) throw new Error(`${TEMPLATE} has no "const SITE = null;" line`);
  writeFileSync(join(site, 'sw.js'), filled);
  return version;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [site, appVersion] = process.argv.slice(2);
  if (!site || !appVersion) throw new Error('usage: node write_worker.mjs SITE_DIR APP_VERSION');
  console.log(`sw.js: version ${writeServiceWorker(site, appVersion)}`);
}
