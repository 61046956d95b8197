// What the page's tests and its benchmark share: the site served from
// 127.0.0.1 on a free port, and Debian's Chromium started headless with the
// flags this machine's closed network needs.
"use strict";
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");

const TYPES = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css", ".svg": "image/svg+xml",
                ".png": "image/png", ".webmanifest": "application/manifest+json" };

// Resolves to { server, address }; only files below `site` are served.
async function serveSite(site) {
  const server = http.createServer((req, res) => {
    const file = path.join(site, decodeURIComponent(new URL(req.url, "http://x").pathname).replace(/\/$/, "/index.html"));
    if (!file.startsWith(site) || !fs.existsSync(file)) return res.writeHead(404).end();
    res.writeHead(200, { "Content-Type": TYPES[path.extname(file)] || "application/octet-stream" });
    res.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { server, address: `http://127.0.0.1:${server.address().port}/` };
}

function launchChromium(chromium) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run"],
  });
}

module.exports = { serveSite, launchChromium };
