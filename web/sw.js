// The service worker: keeps the site and the demo world, so that the page starts
// and plays with the network gone. scripts/web.sh writes the build's stamp and
// its list of files in place of the two marks below: a new build is a new
// worker, which the browser fetches anew on a visit with the network there; it
// keeps the new build's files in a cache of its own before it takes over, then
// removes the caches of builds before it.
//
// Each file of the site is asked of the network first, so that a visit with the
// network gets what the server has; the copy kept answers when the network
// does not. Other addresses (a world named by ?data=) are left to the browser.
'use strict';

const BUILD = '@BUILD@';
const FILES = @FILES@;
const CACHE = 'varnok-' + BUILD;
const KEPT = new Set(FILES.map((file) => new URL(file, self.registration.scope).href));

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, {cache: 'reload'}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('varnok-') &&
                                                        name !== CACHE)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The address without its query: the page with ?colours=16 is the page.
function keptAddress(request) {
  const url = new URL(request.url);
  url.search = '';
  url.hash = '';
  return url.href;
}

async function answer(request) {
  const address = keptAddress(request);
  const cache = await caches.open(CACHE);
  try {
    const response = await fetch(request.url, {cache: 'no-cache'});
    if (response.ok) await cache.put(address, response.clone());
    return response;
  } catch (offline) {
    const kept = await cache.match(address);
    return kept || new Response('Not kept for offline play', {status: 404});
  }
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || !KEPT.has(keptAddress(request))) return;
  event.respondWith(answer(request));
});
