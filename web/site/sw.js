// sw.js: keeps the site for play without a network. The build fills in SITE: the site's version
// (a digest of every file kept) and the files, relative to this script. Each version has a cache
// of its own: a new version is fetched whole in the background, then takes over and drops the
// old cache, so the page never mixes files of two versions.
const SITE = null;
const CACHE = `vennaloop-${SITE.version}`;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Past any HTTP cache, which may still hold the old version's files.
    await cache.addAll(SITE.files.map((file) => new Request(file, {cache: 'no-cache'})));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('vennaloop-') && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// The kept files first; anything else (the fonts' originals, their licences) from the network.
// A page address with a query is still the page.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const kept = await cache.match(request, {ignoreSearch: request.mode === 'navigate'});
    return kept || fetch(request);
  })());
});
