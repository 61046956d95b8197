// Serves the built page (build-web/site/) on 127.0.0.1, as ./run.sh --web,
// the page's tests and its benchmarks do: each file as the browser accepts
// it, brotli or gzip from the files the build wrote beside it.
// Usage: node web/serve.js SITE [PORT]
"use strict";
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");

const TYPES = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css", ".svg": "image/svg+xml",
                ".png": "image/png", ".webmanifest": "application/manifest+json" };
const ENCODINGS = [["br", ".br"], ["gzip", ".gz"]];

// Resolves to { server, address }; only files below `site` are served.
async function serveSite(site, port = 0) {
  site = path.resolve(site);
  const server = http.createServer((req, res) => {
    const file = path.join(site, decodeURIComponent(new URL(req.url, "http://x").pathname).replace(/\/$/, "/index.html"));
    if (!file.startsWith(site + path.sep) || !fs.existsSync(file)) return res.writeHead(404).end();
    const accepted = String(req.headers["accept-encoding"] || "").split(",").map((e) => e.trim().split(";")[0]);
    const headers = { "Content-Type": TYPES[path.extname(file)] || "application/octet-stream", Vary: "Accept-Encoding" };
    let body = file;
    for (const [encoding, ending] of ENCODINGS) {
      if (accepted.includes(encoding) && fs.existsSync(file + ending)) {
        headers["Content-Encoding"] = encoding;
        body = file + ending;
        break;
      }
    }
    res.writeHead(200, headers);
    res.end(fs.readFileSync(body));
  });
  await new Promise((resolve) => server.listen(port, "127.0.0.1", resolve));
  return { server, address: `http://127.0.0.1:${server.address().port}/` };
}

if (require.main === module) {
  const [site, port] = process.argv.slice(2);
  serveSite(site, Number(port || 8000)).then(({ address }) => {
    console.log(`Automaten im Browser: ${address}  (beenden mit Strg+C)`);
  });
}

module.exports = { serveSite };
