// The page's Lighthouse scores on a phone (Lighthouse's mobile defaults:
// a slow 4G network and a CPU four times slower), in Debian's Chromium,
// served from 127.0.0.1 as the tests serve it. Prints the scores and the
// timings they come from. Usage: node bench/lighthouse/run.mjs SITE [RUNS]
import { createRequire } from "node:module";
import lighthouse from "lighthouse";
import * as chromeLauncher from "chrome-launcher";

const require = createRequire(import.meta.url);
const { serveSite } = require("../../web/tests/serve.js");
const site = process.argv[2];
const runs = Number(process.argv[3] || 3);

const { server, address } = await serveSite(site);
const chrome = await chromeLauncher.launch({
  chromePath: process.env.CHROMIUM || "/usr/bin/chromium",
  chromeFlags: ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const results = [];
try {
  for (let i = 0; i < runs; ++i) {
    const { lhr } = await lighthouse(address, { port: chrome.port, output: "json", logLevel: "error",
                                                onlyCategories: ["performance", "accessibility", "best-practices"] });
    const audit = (id) => lhr.audits[id]?.numericValue ?? NaN;
    results.push({
      performance: Math.round(lhr.categories.performance.score * 100),
      accessibility: Math.round(lhr.categories.accessibility.score * 100),
      bestPractices: Math.round(lhr.categories["best-practices"].score * 100),
      fcp: audit("first-contentful-paint"), lcp: audit("largest-contentful-paint"),
      tbt: audit("total-blocking-time"), cls: audit("cumulative-layout-shift"), si: audit("speed-index"),
      bytes: audit("total-byte-weight"),
      failed: Object.values(lhr.audits).filter((a) => a.score !== null && a.score < 1 &&
        lhr.categories.accessibility.auditRefs.some((r) => r.id === a.id)).map((a) => a.id),
    });
  }
} finally {
  await chrome.kill();
  server.close();
}
const median = (key) => results.map((r) => r[key]).sort((a, b) => a - b)[Math.floor(results.length / 2)];
console.log(`Lighthouse (mobile), median of ${runs}: performance ${median("performance")}, ` +
            `accessibility ${median("accessibility")}, best practices ${median("bestPractices")}`);
console.log(`  first contentful paint ${(median("fcp") / 1000).toFixed(2)} s, largest ${(median("lcp") / 1000).toFixed(2)} s, ` +
            `speed index ${(median("si") / 1000).toFixed(2)} s, total blocking time ${Math.round(median("tbt"))} ms, ` +
            `layout shift ${median("cls").toFixed(3)}, ${Math.round(median("bytes") / 1024)} KiB transferred`);
const failed = [...new Set(results.flatMap((r) => r.failed))];
if (failed.length) console.log(`  accessibility audits not passed: ${failed.join(", ")}`);
