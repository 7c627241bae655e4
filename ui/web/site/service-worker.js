// Keeps the site's own files, from the first visit on, in a cache named by the build's content,
// and serves them when the network is gone, so that a reload and «Начать заново» work offline.
// With the network up every file comes from the server, so a new build is what the next visit
// shows; its worker then keeps the new files and drops the old build's. Nothing else is kept:
// nothing about the pupil, only the site's files.
'use strict';

const programName = ''; // filled in when the site is built
const build = ''; // the build's content hash, likewise
const files = []; // the site's files, likewise
const cachePrefix = `${programName}-`;
const cacheName = `${cachePrefix}${build}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    .then((cache) => cache.addAll(['./', ...files].map((file) => new Request(file, { cache: 'no-cache' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(cachePrefix) && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

async function fromCache(request) {
  const cache = await caches.open(cacheName);
  const found = (await cache.match(request, { ignoreSearch: true }))
    ?? (request.mode === 'navigate' ? await cache.match('./') : undefined);
  return found ?? Response.error();
}

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).catch(() => fromCache(request)));
});
