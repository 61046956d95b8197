// The web page's figures, each beside its yardstick in the same run:
//   - Simulation::Step in the WebAssembly module on Node against the native
//     step_rate (the same loop, bench/steprate.h),
//   - the page's load to ready in headless Chromium, and the bytes it fetches,
//   - the automatic run's ticks per second in the page at the top speed
//     against the nominal 500 Hz,
//   - the diagram pane: first opened (its code and Graphviz fetched, the
//     module compiled, the example laid out), an edit laid out again, and a
//     program of 100 states, against the same page's step to the next frame,
//   - a paste of a program of 0.1 and 1 MB (and one of 10 MB, refused) with
//     the keys typed after it, against the same keys in an empty program.
// Usage: node bench/web_bench.js NATIVE_STEP_RATE [SECONDS]
"use strict";
const { execFileSync } = require("node:child_process");
const path = require("node:path");

const root = path.resolve(__dirname, "..");
const site = path.join(root, "build-web/site");
const { chromium } = require(path.join(root, "web/tests/node_modules/playwright-core"));
const { serveSite, launchChromium } = require(path.join(root, "web/tests/serve.js"));
const createStepRate = require(path.join(root, "build-web/web/automaten-steprate.js"));
const nativeRate = process.argv[2];
const seconds = Number(process.argv[3] || 2);
const CASES = ["TM example", "NEA example", "TM sweeper"];

// Each side three times, taking turns, the best of each: the machine is
// shared and noisy, and the first round also lets the engine's optimizing
// compiler take over the module.
async function stepRates() {
  const M = await createStepRate();
  const best = (a, b) => a.map((x, i) => Math.max(x, b[i]));
  let native = [0, 0, 0], wasm = [0, 0, 0];
  for (let round = 0; round < 3; ++round) {
    const lines = execFileSync(nativeRate, [String(seconds)], { encoding: "utf8" }).trim().split("\n");
    native = best(native, lines.map((line) => Number(line.split(" ")[2])));
    wasm = best(wasm, lines.map((line) => {
      const [kind, sweeper] = line.split(" ").map(Number);
      return M.stepRate(kind, sweeper === 1, seconds);
    }));
  }
  console.log("Simulation::Step, steps per second    native        wasm (Node)   native/wasm");
  CASES.forEach((name, i) => {
    console.log(`  ${name.padEnd(36)}${native[i].toExponential(3).padEnd(14)}${wasm[i].toExponential(3).padEnd(14)}` +
                `${(native[i] / wasm[i]).toFixed(2)}`);
  });
}

async function inPage() {
  const { server, address } = await serveSite(site);
  const browser = await launchChromium(chromium);
  const loads = [];
  let bytes = 0;
  for (let i = 0; i < 5; ++i) {
    const context = await browser.newContext();  // a cold cache each time
    const page = await context.newPage();
    let fetched = 0;
    page.on("response", async (r) => { fetched += (await r.body().catch(() => Buffer.alloc(0))).length; });
    const start = Date.now();
    await page.goto(address);
    await page.waitForSelector("body[data-ready=true]");
    loads.push(Date.now() - start);
    await page.waitForLoadState("networkidle");
    bytes = fetched;
    await context.close();
  }
  loads.sort((a, b) => a - b);
  console.log(`page load to ready (cold, 5 loads): median ${loads[2]} ms, slowest ${loads[4]} ms; fetched ${bytes} bytes`);

  const page = await browser.newPage();
  await page.goto(address);
  await page.waitForSelector("body[data-ready=true]");
  // The sweeper on a short tape; then a machine that writes every step on a
  // tape of a million cells, which the field shows a window at a time.
  const runs = [
    ["a $ -> $ R a\na * -> * R a\na # -> # L 1\n1 * -> * L 1\n1 $ -> $ R a\n", "$" + "*".repeat(58) + "#", "sweeper, 60 cells"],
    ["a 1 -> 0 R a\na * -> * L 1\n1 0 -> 1 L 1\n1 * -> * R a\n", "1".repeat(1000000), "writer, 10^6 cells"],
  ];
  for (const [program, tape, name] of runs) {
    const run = await page.evaluate(async ([program, tape, ms]) => {
      const { app, stats } = window.automaten;
      app.setLoopCheck(false);  // neither machine halts
      app.selectKind(4, 1, "");
      app.programEdited(program);
      app.fieldEdited(0, tape);
      document.getElementById("speed").value = 100;
      document.getElementById("speed").dispatchEvent(new Event("input"));
      document.querySelector("#toolbar button[data-command=start]").click();
      await new Promise((resolve) => setTimeout(resolve, 500));  // settled
      const t0 = performance.now(), ticks0 = stats.ticks, frames0 = stats.frames;
      await new Promise((resolve) => setTimeout(resolve, ms));
      const t1 = performance.now();
      const result = { ticks: stats.ticks - ticks0, frames: stats.frames - frames0, ms: t1 - t0, interval: app.timerInterval() };
      document.querySelector("#toolbar button[data-command=start]").click();
      return result;
    }, [program, tape, seconds * 2500]);
    const rate = (run.ticks * 1000) / run.ms;
    const nominal = 1000 / run.interval;
    console.log(`automatic run at the top speed, ${name}: ${rate.toFixed(1)} ticks/s of ${nominal} Hz nominal ` +
                `(${((100 * rate) / nominal).toFixed(2)} %), ${((run.frames * 1000) / run.ms).toFixed(1)} frames/s`);
  }
  await diagrams(browser, address);
  await pastes(browser, address);
  await browser.close();
  server.close();
}

// From the key or the edit until the pane shows the diagram the module asked for.
async function diagrams(browser, address) {
  const times = { first: [], edit: [], hundred: [], step: [], moveShown: [], moveDrawn: [] };
  for (let i = 0; i < 3; ++i) {
    const context = await browser.newContext({ viewport: { width: 1200, height: 700 } });  // a cold cache
    const page = await context.newPage();
    await page.goto(address);
    await page.waitForSelector("body[data-ready=true]");
    const drawn = () => page.waitForFunction(() => {
      const d = window.automaten.diagram;
      return d && d.svg && !d.pending && d.drawnDot === window.automaten.app.diagramDot();
    }, null, { polling: "raf", timeout: 60000 });
    let t = Date.now();
    await page.keyboard.press("F4");
    await drawn();
    times.first.push(Date.now() - t);
    t = Date.now();
    await page.keyboard.press("F7");
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0))));
    times.step.push(Date.now() - t);
    // An edit, and a program of 100 states, from the end of the typing's pause to the drawing.
    const relayout = (text) => page.evaluate((text) => new Promise((resolve) => {
      const { app, diagram } = window.automaten;
      app.programEdited(text);
      const t0 = performance.now();
      diagram.pane.addEventListener("laidout", () => requestAnimationFrame(() => resolve(performance.now() - t0)), { once: true });
      diagram.take(app.diagramTextChanged());
    }), text);
    times.edit.push(await relayout(await page.evaluate(() => window.automaten.app.programText() + "\n2 k -> b 3")));
    times.hundred.push(await relayout(
      Array.from({ length: 100 }, (_, s) => `${s} s -> w ${(s + 1) % 100}\n${s} k -> b ${(s * 7) % 100}`).join("\n")));
    // Editing that diagram: a state moved by Ctrl+Right (the first move pins the picture as it
    // stands), then moved again; from the key to the next frame, with the state moved there and
    // the text changed, and until Graphviz's picture with its edges is drawn.
    await page.click("#diagramEditButton");
    await page.keyboard.press("ArrowRight");
    for (const pinned of [false, true]) {
      const took = await page.evaluate(() => new Promise((resolve) => {
        const { diagram } = window.automaten;
        const area = document.getElementById("MProgramm"), before = area.value;
        const t0 = performance.now();
        diagram.view.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowRight", ctrlKey: true, bubbles: true }));
        const changed = area.value !== before && !!diagram.view.querySelector(".node.chosen[transform]");
        requestAnimationFrame(() => {
          const shown = performance.now() - t0;
          diagram.pane.addEventListener("laidout", () => requestAnimationFrame(() =>
            resolve({ changed, shown, drawn: performance.now() - t0 })), { once: true });
        });
      }));
      if (!took.changed) throw new Error("the move did not reach the text and the picture at once");
      await drawn();
      if (pinned) {
        times.moveShown.push(took.shown);
        times.moveDrawn.push(took.drawn);
      }
    }
    await context.close();
  }
  const median = (list) => list.sort((a, b) => a - b)[1];
  console.log(`diagram pane (median of 3): first opened ${median(times.first)} ms, an edit laid out ` +
              `${Math.round(median(times.edit))} ms after the pause, 100 states and 200 transitions ${Math.round(median(times.hundred))} ms; ` +
              `a step to the next frame ${median(times.step)} ms; in that diagram, a state moved by a key is ` +
              `in the text and shown moved in the next frame, ${Math.round(median(times.moveShown))} ms, and laid out ` +
              `with its edges after ${Math.round(median(times.moveDrawn))} ms`);
}

// From Ctrl+V, and from each key, until the page has drawn the next frame.
async function pastes(browser, address) {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 } });
  await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  const frame = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0))));
  for (const mb of [0, 0.1, 1, 10]) {
    const page = await context.newPage();
    await page.goto(address);
    await page.waitForSelector("body[data-ready=true]");
    await page.click("#MProgramm");
    await page.keyboard.press("Control+A");
    const lines = Math.floor((mb * 1e6) / 10);  // ten bytes a line in a file
    const text = Array.from({ length: lines }, (_, i) => "; " + String(i).padStart(6, "0")).join("\n");
    await page.evaluate((text) => navigator.clipboard.writeText(text), text);
    let t = Date.now();
    await page.keyboard.press(mb ? "Control+V" : "Delete");
    await frame(page);
    const paste = Date.now() - t;
    const keys = [];
    for (let i = 0; i < 7; ++i) {
      t = Date.now();
      await page.keyboard.press("x");
      await frame(page);
      keys.push(Date.now() - t);
      await page.waitForTimeout(400);  // the storage is written after a pause
    }
    keys.sort((a, b) => a - b);
    const refused = await page.evaluate(() => !!document.querySelector("#box[open]"));
    console.log(`program ${mb ? `pasted, ${mb} MB` : "empty"}: ${mb ? `paste ${paste} ms${refused ? " (refused)" : ""}, ` : ""}` +
                `keys median ${keys[3]} ms, slowest ${keys[6]} ms`);
    await page.close();
  }
  await context.close();
}

stepRates().then(inPage).catch((e) => { console.error(e); process.exit(1); });
