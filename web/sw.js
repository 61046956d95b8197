// Keeps the page's files in the browser, so that it opens and runs without
// a network once it was loaded: each request is answered from the cache
// first, and a file fetched is kept for the next time.
"use strict";
const CACHE = "automaten-v5";
const FILES = ["./", "index.html", "style.css", "app.js", "automaten.js", "icon.svg", "icon-192.png", "icon-512.png",
               "manifest.webmanifest", "diagram.js", "diagram.css", "layout-worker.js", "viz-global.js", "language.js"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

// The network first, so that a rebuilt page is taken at once; the cache when
// there is no network.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(fetch(event.request)
    .then((response) => {
      if (response.ok) {
        const copy = response.clone();
        caches.open(CACHE).then((cache) => cache.put(event.request, copy));
      }
      return response;
    })
    .catch(() => caches.match(event.request)));
});
