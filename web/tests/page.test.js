// The web page in Debian's Chromium, driven by keys and clicks like a user:
// the examples to their verdicts with the colours the window uses, the fault
// box, the head marker on a scrolled tape, saving and opening a file, the
// change prompt and what the browser keeps across a reload.
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { chromium } = require("playwright-core");
const { serveSite, launchChromium } = require("./serve.js");

const root = path.resolve(__dirname, "../..");
const site = process.env.AUTOMATEN_SITE || path.join(root, "build-web/site");
const nativeCli = process.env.AUTOMATEN_CLI || path.join(root, "build/app/automaten-cli");
const KINDS = ["dea", "akz", "nea", "ka", "tm"];

let server, browser, address;

test.before(async () => {
  ({ server, address } = await serveSite(site));
  browser = await launchChromium(chromium);
});

test.after(async () => {
  await browser?.close();
  server?.close();
});

// A new page with empty storage, loaded and ready; page errors fail the test.
async function openPage(context) {
  context = context || (await browser.newContext({ viewport: { width: 900, height: 600 }, acceptDownloads: true }));
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  await page.goto(address);
  await page.waitForSelector("body[data-ready=true]");
  page.errors = errors;
  return page;
}

const text = (page, id) => page.$eval("#" + id, (e) => e.textContent);
const colour = (page, id) => page.$eval("#" + id, (e) => e.className.replace("label", "").trim());
const tapeCells = (page) => page.$eval("#EBand", (e) => Math.max(1, Math.floor(e.offsetWidth / 9) - 8));

function native(args) {
  try {
    return { out: execFileSync(nativeCli, args, { encoding: "utf8", stdio: ["ignore", "pipe", "pipe"] }), status: 0 };
  } catch (e) {
    return { out: e.stdout, err: e.stderr, status: e.status };
  }
}

async function dialogText(page) {
  await page.waitForSelector("#box[open]");
  return page.$eval("#boxText", (e) => e.textContent);
}

test("each example runs to the verdict of the native runner, by keys and by clicks", async () => {
  const page = await openPage();
  const width = await tapeCells(page);
  for (let k = 0; k < KINDS.length; ++k) {
    await page.click(`#kinds button[data-kind="${k}"]`);
    assert.strictEqual(await text(page, "panel0"), " " + ["DEA", "Akz", "NEA", "KA", "TM"][k]);
    if (k < 3) {
      await page.keyboard.press("F8");
      for (let i = 0; i < 200 && !(await text(page, "LMeldung")); ++i)
        await (i % 2 ? page.keyboard.press("F7") : page.click("#toolbar button[data-command=step]"));
    } else {
      await page.focus("#speed");
      await page.keyboard.press("End");  // the top speed
      await page.keyboard.press("F9");
      await page.waitForFunction(() => !window.automaten.app.running());
    }
    const expected = native(["--kind", KINDS[k], "--example", "--width", String(width)]);
    const lines = expected.out.split("\n");
    assert.strictEqual(await text(page, "LZustand"), lines[0], KINDS[k]);
    assert.strictEqual(await text(page, "LSchritte"), lines[2], KINDS[k]);
    assert.strictEqual("Band: " + (await page.inputValue("#EBand")), lines[3], KINDS[k]);
    assert.strictEqual("Meldung: " + (await text(page, "LMeldung")), lines.find((l) => l.startsWith("Meldung: ")));
    assert.strictEqual(await colour(page, "LMeldung"), expected.status === 0 ? "green" : "red", KINDS[k]);
  }
  assert.strictEqual(await text(page, "LFrequenz2"), "500 Hz");
  assert.deepStrictEqual(page.errors, []);
});

test("a program fault shows the native runner's messages in a box, one after the other", async () => {
  const page = await openPage();
  const program = "a s -> w a\na k -> w\n";  // the second transition lacks its state
  await page.click('#kinds button[data-kind="0"]');
  await page.fill("#MProgramm", program);
  assert.strictEqual(await text(page, "panel1"), " geändert ");
  await page.keyboard.press("F8");
  const file = path.join(os.tmpdir(), "automaten-fault.txt");
  fs.writeFileSync(file, program);
  const expected = native(["--kind", "dea", file]).err.trimEnd().split("\n");
  assert.ok(expected.length >= 2);
  for (const message of expected) {
    assert.strictEqual(await dialogText(page), message);
    await page.click("#boxButtons button");
  }
  await page.waitForFunction(() => !document.getElementById("box").open);
  assert.strictEqual(await page.$eval("#MProgramm", (e) => e.value), program);
  // The faulty line is selected in the program, ready to be mended.
  const selection = await page.$eval("#MProgramm", (e) => [document.activeElement === e, e.value.slice(e.selectionStart, e.selectionEnd)]);
  assert.deepStrictEqual(selection, [true, "a k -> w"]);
  assert.deepStrictEqual(page.errors, []);
});

test("the head marker stays under the head cell while the tape scrolls", async () => {
  const page = await openPage();
  await page.click('#kinds button[data-kind="4"]');
  await page.fill("#MProgramm", "a 1 -> 1 R a\na * -> * L e\n");
  await page.fill("#EBand", "1".repeat(300));
  await page.keyboard.press("F8");
  for (let i = 0; i < 150; ++i) await page.keyboard.press("F7");
  const geometry = () => page.evaluate(() => {
    const field = document.getElementById("EBand");
    const head = document.getElementById("headCell0");
    const marker = document.getElementById("Schreiblesekopf");
    return {
      cell: window.automaten.app.markedCell(0),
      scroll: field.scrollLeft, scrollWidth: field.scrollWidth, length: field.value.length,
      headShown: !head.hidden, markerShown: !marker.hidden,
      head: head.getBoundingClientRect(), marker: marker.getBoundingClientRect(),
      field: field.getBoundingClientRect(),
    };
  });
  let g = await geometry();
  assert.ok(g.scroll > 0, "the tape scrolled to the head");
  assert.ok(g.headShown && g.markerShown);
  // Where the field lays out the head cell: its text's width over its length
  // a cell, after the border and padding (1 + 4 pixels on either side).
  const cellWidth = (g.scrollWidth - 8) / g.length;
  const cellLeft = g.field.left + 1 + 4 + g.cell * cellWidth - g.scroll;
  assert.ok(Math.abs(g.head.left - cellLeft) < 1, JSON.stringify({ g, cellLeft }));
  assert.ok(Math.abs(g.head.width - cellWidth) < 0.1);
  assert.ok(Math.abs(g.marker.left - g.head.left) < 0.5 && g.marker.top >= g.head.bottom);
  assert.ok(g.head.left >= g.field.left && g.head.right <= g.field.right);
  // The user scrolls the tape: the marker follows the cell, out of view with it.
  await page.$eval("#EBand", (e) => { e.scrollLeft -= 40; });
  await page.waitForFunction((left) => document.getElementById("headCell0").getBoundingClientRect().left > left + 30,
                             g.head.left);
  g = await geometry();
  assert.ok(Math.abs(g.marker.left - g.head.left) < 0.5);
  await page.$eval("#EBand", (e) => { e.scrollLeft = 0; });
  await page.waitForFunction(() => document.getElementById("headCell0").hidden);
  assert.ok(await page.$eval("#Schreiblesekopf", (e) => e.hidden));
  // A step brings the head back into view.
  await page.keyboard.press("F7");
  g = await geometry();
  assert.ok(g.headShown && g.head.left >= g.field.left && g.head.right <= g.field.right);
  assert.deepStrictEqual(page.errors, []);
});

test("a program saved and opened again comes back as it was, in the desktop's bytes", async () => {
  const page = await openPage();
  const program = "; Übergänge für Akzeptor\na 0 -> 1\n1 0 -> a";
  await page.click('#kinds button[data-kind="1"]');
  await page.fill("#MProgramm", program);
  await page.keyboard.press("Control+s");
  assert.strictEqual(await dialogText(page), "Speichern unter:");
  await page.fill("#boxName", "rund");
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#boxButtons button >> nth=0")]);
  assert.strictEqual(download.suggestedFilename(), "rund.txt");
  const bytes = fs.readFileSync(await download.path());
  // The kind as the first line, then the program; Windows-1252, CR LF.
  const written = "; Art: Akzeptor\n" + program;
  assert.deepStrictEqual(bytes, Buffer.from(written.replace(/\n/g, "\r\n"), "latin1"));
  assert.strictEqual(await text(page, "panel2"), " Datei rund.txt gespeichert");
  assert.strictEqual(await text(page, "panel1"), "");

  await page.click("#toolbar button[data-command=new]");
  assert.strictEqual(await page.$eval("#MProgramm", (e) => e.value), "");
  const saved = path.join(os.tmpdir(), "rund.txt");
  fs.writeFileSync(saved, bytes);
  // Within ./test.sh, Ctrl+F here at times opened no file dialog (not seen when the page
  // tests run alone): what the page shows is logged, and "Öffnen" in the tool bar is taken.
  const opened = async (act) => {
    const chooser = page.waitForEvent("filechooser", { timeout: 8000 }).catch(() => null);
    await act();
    return chooser;
  };
  let chooser = await opened(() => page.keyboard.press("Control+f"));
  if (!chooser) {
    console.warn("Ctrl+F opened no file dialog:", JSON.stringify(await page.evaluate(() => ({
      focus: document.activeElement?.id || document.activeElement?.tagName,
      dialog: document.querySelector("dialog[open]")?.id ?? null,
      activation: navigator.userActivation?.isActive,
    }))));
    chooser = await opened(() => page.click("#toolbar button[data-command=open]"));
  }
  assert.ok(chooser, "a file dialog");
  await chooser.setFiles(saved);
  await page.waitForFunction(() => document.getElementById("panel2").textContent.includes("geöffnet"));
  assert.strictEqual(await page.$eval("#MProgramm", (e) => e.value), written);
  assert.strictEqual(await text(page, "panel2"), " Datei rund.txt geöffnet.");
  assert.strictEqual(await text(page, "panel1"), "");
  assert.deepStrictEqual(page.errors, []);
});

test("a changed program is not replaced without the prompt", async () => {
  const page = await openPage();
  await page.fill("#MProgramm", "a s -> w a");
  await page.click('#kinds button[data-kind="4"]');
  assert.strictEqual(await dialogText(page), "Datei wurde geändert. Speichern?");
  await page.click("#boxButtons button >> text=Abbrechen");
  assert.strictEqual(await page.$eval("#MProgramm", (e) => e.value), "a s -> w a");
  assert.strictEqual(await text(page, "panel0"), " DEA");
  assert.strictEqual(await page.$eval('#kinds button[data-kind="0"]', (e) => e.getAttribute("aria-pressed")), "true");
  await page.click('#kinds button[data-kind="4"]');
  await dialogText(page);
  await page.click("#boxButtons button >> text=Nein");
  await page.waitForFunction(() => document.getElementById("panel0").textContent === " TM");
  assert.ok((await page.$eval("#MProgramm", (e) => e.value)).includes("Turingmaschine"));
  assert.strictEqual(await page.title(), "Simulation Turingmaschine");
  assert.deepStrictEqual(page.errors, []);
});

test("program, kind, tape and speed are kept across a reload", async () => {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 } });
  let page = await openPage(context);
  await page.click('#kinds button[data-kind="3"]');
  await page.fill("#MProgramm", "; mein Kellerautomat\na ( # -> push ( a");
  await page.fill("#EBand", "(((");
  await page.focus("#speed");
  await page.keyboard.press("ArrowRight");  // by 5
  const speed = await page.inputValue("#speed");
  // The storage is written shortly after the last key.
  await page.waitForFunction((speed) => localStorage.getItem("automaten.band") === "(((" &&
    (localStorage.getItem("automaten.ini") || "").includes("Frequenz=" + speed), speed);
  await page.reload();
  await page.waitForSelector("body[data-ready=true]");
  assert.strictEqual(await text(page, "panel0"), " KA");
  assert.strictEqual(await page.$eval("#MProgramm", (e) => e.value), "; mein Kellerautomat\na ( # -> push ( a");
  assert.strictEqual(await page.inputValue("#EBand"), "(((");
  assert.strictEqual(await page.inputValue("#speed"), speed);
  assert.strictEqual(await text(page, "panel1"), " geändert ");
  await context.close();
});

test("once loaded, the page opens and runs without a network, and is installable", async () => {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 } });
  let page = await openPage(context);
  const kept = await page.evaluate(() => Promise.race([
    navigator.serviceWorker.ready.then(() => true), new Promise((resolve) => setTimeout(() => resolve(false), 15000))]));
  assert.ok(kept, "a service worker keeps the files");
  await context.setOffline(true);
  await page.reload();
  await page.waitForSelector("body[data-ready=true]");
  await page.keyboard.press("F8");
  await page.keyboard.press("F7");
  assert.strictEqual(await text(page, "LSchritte"), "Schritte: 1");
  // The diagram, never opened before, with Graphviz from the cache.
  await page.keyboard.press("F4");
  await page.waitForSelector("#diagramView svg .node", { timeout: 20000 });
  // Installable: the manifest and its icons, from the cache too.
  const manifest = await page.evaluate(async () => {
    const m = await (await fetch(document.querySelector("link[rel=manifest]").href)).json();
    const sizes = [];
    for (const icon of m.icons) {
      const bytes = await (await fetch(icon.src)).blob();
      if (icon.type === "image/png") {
        const bitmap = await createImageBitmap(bytes);
        sizes.push(`${bitmap.width}x${bitmap.height}`);
      } else {
        sizes.push(`${icon.type} ${bytes.size > 0}`);
      }
    }
    return { name: m.name, display: m.display, theme: m.theme_color, sizes };
  });
  assert.deepStrictEqual(manifest, { name: "Automaten", display: "standalone", theme: "#2f6fa8",
                                     sizes: ["192x192", "512x512", "image/svg+xml true"] });
  assert.deepStrictEqual(page.errors, []);
  await context.close();
});

test("the page runs opened from a folder, without a server", async () => {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 } });
  const page = await context.newPage();
  await page.goto("file://" + path.join(site, "index.html"));
  await page.waitForSelector("body[data-ready=true]");
  await page.keyboard.press("F8");
  await page.keyboard.press("F7");
  assert.strictEqual(await text(page, "LSchritte"), "Schritte: 1");
  // No worker may start from a folder: Graphviz lays out on the page's own thread.
  await page.keyboard.press("F4");
  await page.waitForSelector("#diagramView svg .node.current", { timeout: 20000 });
  await context.close();
});

test("F6 takes steps back; an endless run is proved unless the menu turns that off", async () => {
  const page = await openPage();
  await page.click('#kinds button[data-kind="4"]');
  await page.keyboard.press("F8");
  const start = [await page.inputValue("#EBand"), await text(page, "LZustand"), await text(page, "LBefehl")];
  for (let i = 0; i < 5; ++i) await page.keyboard.press("F7");
  assert.strictEqual(await text(page, "LSchritte"), "Schritte: 5");
  for (let i = 0; i < 5; ++i) await page.click("#toolbar button[data-command=stepBack]");
  assert.deepStrictEqual([await page.inputValue("#EBand"), await text(page, "LZustand"), await text(page, "LBefehl")], start);
  assert.strictEqual(await text(page, "LSchritte"), "Schritte: 0");

  await page.fill("#MProgramm", "a * -> * R 1\n1 * -> * L a\n");
  await page.click("#toolbar button[data-command=clearTape]");
  assert.strictEqual(await text(page, "panel2"), " Band gelöscht.");
  await page.focus("#speed");
  await page.keyboard.press("End");
  await page.keyboard.press("F8");
  await page.keyboard.press("F9");
  await page.waitForFunction(() => !window.automaten.app.running());
  assert.strictEqual(await text(page, "LMeldung"), "Endlosschleife: Schritt 2 wiederholt Schritt 0.");
  assert.strictEqual(await colour(page, "LMeldung"), "red");

  await page.click(".menu:nth-child(2) .menutitle");
  await page.click("#loopCheck");
  assert.strictEqual(await page.getAttribute("#loopCheck", "aria-checked"), "false");
  await page.keyboard.press("F8");
  await page.keyboard.press("F9");
  await page.waitForFunction(() => Number(window.automaten.app.labelText(3).slice(10)) >= 100);
  assert.ok(await page.evaluate(() => window.automaten.app.running()));
  assert.strictEqual(await text(page, "LMeldung"), "");
  await page.keyboard.press("F9");
  assert.deepStrictEqual(page.errors, []);
});

test("a long tape is shown a window at a time, and edited where the user types", async () => {
  const page = await openPage();
  await page.click('#kinds button[data-kind="4"]');
  await page.fill("#MProgramm", "a 1 -> 1 R a\n");
  const cells = 100000;
  await page.fill("#EBand", "1".repeat(cells));
  await page.keyboard.press("F8");
  await page.evaluate(() => {  // 60,000 steps at once, then one more by key
    const { app } = window.automaten;
    app.startOrStop();
    app.ticks(60000);
    app.stop();
  });
  await page.keyboard.press("F7");
  const state = () => page.evaluate(() => {
    const field = document.getElementById("EBand"), view = window.automaten.fields[0];
    return {
      value: field.value, offset: view.offset, scroll: field.scrollLeft, scrollWidth: field.scrollWidth,
      cell: window.automaten.app.markedCell(0),
      head: document.getElementById("headCell0").getBoundingClientRect(), field: field.getBoundingClientRect(),
      marker: document.getElementById("Schreiblesekopf").getBoundingClientRect(),
    };
  });
  let s = await state();
  assert.strictEqual(s.cell, 60001);
  assert.ok(s.value.length <= 4000 && s.offset > 0 && s.offset <= s.cell && s.cell < s.offset + s.value.length);
  const cellWidth = (s.scrollWidth - 8) / s.value.length;  // as the field lays its text out
  assert.ok(Math.abs(s.head.left - (s.field.left + 5 + (s.cell - s.offset) * cellWidth - s.scroll)) < 1, JSON.stringify({ ...s, value: s.value.length, cellWidth }));
  assert.ok(s.head.left >= s.field.left && s.head.right <= s.field.right && Math.abs(s.marker.left - s.head.left) < 0.5);

  // The user overwrites the head cell: the tape changes there and nowhere else.
  await page.$eval("#EBand", (e, at) => { e.focus(); e.setSelectionRange(at, at + 1); }, s.cell - s.offset);
  await page.keyboard.type("x");
  const tape = await page.evaluate(() => window.automaten.app.fieldText(0));
  assert.strictEqual(tape.indexOf("x"), s.cell);
  assert.strictEqual(tape.replace("x", "1"), "1".repeat(cells));
  await page.keyboard.press("F7");
  assert.strictEqual(await text(page, "LMeldung"), "Der Funktionswert ist undefiniert.");

  // Scrolled to the end of its window, the field moves the window on and keeps the cells in view.
  s = await state();
  const firstBefore = await page.$eval("#EBand", (e) => {
    e.scrollLeft = e.scrollWidth;
    return window.automaten.fields[0].offset + e.scrollLeft / (e.scrollWidth / e.value.length);
  });
  await page.waitForFunction((offset) => window.automaten.fields[0].offset > offset, s.offset);
  const firstAfter = await page.$eval("#EBand", (e) =>
    window.automaten.fields[0].offset + e.scrollLeft / (e.scrollWidth / e.value.length));
  assert.ok(Math.abs(firstAfter - firstBefore) < 1, `${firstBefore} ${firstAfter}`);

  // End and Home reach the ends of the whole tape.
  await page.focus("#EBand");
  await page.keyboard.press("End");
  s = await state();
  assert.strictEqual(s.offset + s.value.length, cells);
  await page.keyboard.press("Home");
  s = await state();
  assert.strictEqual(s.offset, 0);
  assert.ok(s.value.startsWith("1111"));
  assert.deepStrictEqual(page.errors, []);
});

// A program of `lines` comment lines: ten bytes a line in a file.
const longProgram = (lines) => Array.from({ length: lines }, (_, i) => "; " + String(i).padStart(6, "0")).join("\n") + "\n";

async function paste(page, text) {
  await page.evaluate((text) => navigator.clipboard.writeText(text), text);
  await page.keyboard.press("Control+V");
}

test("a long program is shown a window of lines at a time, edited where the user types; over 1 MiB it is refused", async () => {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 } });
  await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  const page = await openPage(context);
  const lines = 100000;
  const program = longProgram(lines);
  await page.click("#MProgramm");
  await page.keyboard.press("Control+A");
  await paste(page, program);
  const state = () => page.evaluate(() => {
    const area = document.getElementById("MProgramm"), view = window.automaten.program;
    return { value: area.value, offset: view.offset, caret: area.selectionStart, top: area.scrollTop,
             program: window.automaten.app.programText() };
  });
  let s = await state();
  assert.strictEqual(s.program, program);
  assert.ok(s.value.split("\n").length <= 2000 && s.offset > 0, `${s.offset}`);
  assert.ok(program.endsWith(s.value));

  // At the caret, after the pasted text, and at the start of the whole program.
  await page.keyboard.type("; X");
  await page.keyboard.press("Control+Home");
  await page.keyboard.type(";");
  s = await state();
  assert.strictEqual(s.offset, 0);
  assert.strictEqual(s.program, ";" + program + "; X");

  // Scrolled to the end of its window, the area moves the window on and keeps the lines in view.
  const firstBefore = await page.$eval("#MProgramm", (e) => {
    e.scrollTop = e.scrollHeight;
    return window.automaten.program.offset + e.scrollTop / window.automaten.program.lineHeight;
  });
  await page.waitForFunction(() => window.automaten.program.offset > 0);
  const firstAfter = await page.$eval("#MProgramm", (e) =>
    window.automaten.program.offset + e.scrollTop / window.automaten.program.lineHeight);
  assert.ok(Math.abs(firstAfter - firstBefore) < 1, `${firstBefore} ${firstAfter}`);

  // A fault deep in the program: the area shows its line, selected.
  await page.evaluate(() => window.automaten.app.programLinesEdited(60000, 1, "a 0 -> b c d"));
  await page.keyboard.press("F8");
  await dialogText(page);
  await page.keyboard.press("Enter");
  await page.waitForFunction(() => document.activeElement.id === "MProgramm");
  const selected = await page.$eval("#MProgramm", (e) => ({
    offset: window.automaten.program.offset, line: e.value.slice(0, e.selectionStart).split("\n").length - 1,
    text: e.value.slice(e.selectionStart).split("\n")[0] }));
  assert.strictEqual(selected.offset + selected.line, 60000, JSON.stringify(selected));
  assert.ok(selected.text.length > 0 && "a 0 -> b c d".endsWith(selected.text), JSON.stringify(selected));

  // Ctrl+A takes the whole program into the area: what is copied is all of it.
  await page.keyboard.press("Control+A");
  await page.keyboard.press("Control+C");
  assert.strictEqual(await page.evaluate(() => navigator.clipboard.readText()), await page.evaluate(() => window.automaten.app.programText()));

  // Past 1 MiB in a file's bytes, with its CR LF line breaks: refused with a box, nothing changed.
  await page.keyboard.press("Control+End");
  const before = await page.evaluate(() => window.automaten.app.programText());
  await paste(page, "x".repeat((1 << 20) - 10 * lines));
  assert.match(await dialogText(page), /^Mit dem eingefügten Text wäre das Programm größer als 1 MiB/);
  await page.keyboard.press("Enter");
  assert.strictEqual(await page.evaluate(() => window.automaten.app.programText()), before);
  await paste(page, "x".repeat(10e6));
  await dialogText(page);
  await page.keyboard.press("Enter");
  assert.strictEqual(await page.evaluate(() => window.automaten.app.programText()), before);
  assert.deepStrictEqual(page.errors, []);
  await context.close();
});

test("a full storage is said in the status bar with Speichern; the tape is stored once, as long as the settings keep it", async () => {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 }, acceptDownloads: true });
  const page = await openPage(context);
  const stored = (key) => page.evaluate((key) => localStorage.getItem(key), key);

  // The tape: beside the settings only while it differs from the last tape, at most 2047 cells.
  await page.fill("#EBand", "1".repeat(5000));
  await page.waitForFunction(() => (localStorage.getItem("automaten.band") || "").length === 2047);
  await page.keyboard.press("F8");
  await page.waitForFunction(() => localStorage.getItem("automaten.band") === null);
  assert.match(await stored("automaten.ini"), new RegExp(`\nBand=1{2047}\r?\n`));
  await page.reload();
  await page.waitForSelector("body[data-ready=true]");
  assert.strictEqual(await page.inputValue("#EBand"), "1".repeat(2047));

  // Fill the storage to the last character, then edit.
  await page.evaluate(() => {
    for (let n = 1 << 22, i = 0; n >= 1; n = Math.floor(n / 2)) {
      try {
        for (;;) localStorage.setItem("fill" + i++, "x".repeat(n));
      } catch (e) {
        --i;  // not stored
      }
    }
  });
  await page.click("#MProgramm");
  await page.keyboard.press("Control+End");
  await page.keyboard.insertText("; neu " + "n".repeat(500));
  await page.waitForSelector("#storeNote:not([hidden])");
  assert.match(await text(page, "storeNoteText"), /^Speicher des Browsers voll:/);
  const download = page.waitForEvent("download");
  await page.click("#storeNote button");
  await page.fill("#boxName", "gerettet");
  await page.keyboard.press("Enter");
  const file = await download;
  assert.strictEqual(file.suggestedFilename(), "gerettet.txt");
  assert.ok(fs.readFileSync(await file.path(), "latin1").endsWith("; neu " + "n".repeat(500)));

  // Room again: the next store goes through and the note goes.
  await page.evaluate(() => { for (const key of Object.keys(localStorage)) if (key.startsWith("fill")) localStorage.removeItem(key); });
  await page.click("#MProgramm");
  await page.keyboard.press("Control+End");
  await page.keyboard.type("!");
  await page.waitForFunction(() => (localStorage.getItem("automaten.programm") || "").endsWith("n!"));
  assert.strictEqual(await page.$eval("#storeNote", (e) => e.hidden), true);
  assert.deepStrictEqual(page.errors, []);
  await context.close();
});

test("axe finds nothing at rest, in each menu, the help, a fault box and the name box; the menus work by keys", async () => {
  const { AxeBuilder } = require("@axe-core/playwright");
  const page = await openPage();
  // WCAG 2.2 AA (target sizes of 24 px among them) and axe's best practices.
  // Under an open menu the tool bar is covered, and its buttons are counted
  // as small: it is left out while a menu is open.
  const violations = async (where, under) => {
    const tags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];
    const builder = new AxeBuilder({ page }).withTags(tags);
    const result = await (under ? builder.exclude(under) : builder).analyze();
    return result.violations.map((v) => `${where}: ${v.id} ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`);
  };
  const found = [...await violations("at rest")];
  const titles = await page.$$("#menubar .menutitle");
  for (const title of titles) {
    await title.click();
    assert.strictEqual(await title.getAttribute("aria-expanded"), "true");
    found.push(...await violations(`menu ${await title.textContent()}`, "#toolbar"));
    await page.keyboard.press("Escape");
    assert.strictEqual(await title.getAttribute("aria-expanded"), "false");
  }
  await page.keyboard.press("F3");
  await page.waitForFunction(() => document.getElementById("testSummary").textContent !== "");
  found.push(...await violations("Tests pane"));
  await page.keyboard.press("F3");
  await page.keyboard.press("F4");
  await page.waitForSelector("#diagramView svg");
  found.push(...await violations("diagram pane"));
  await page.keyboard.press("F4");
  await page.keyboard.press("F1");
  found.push(...await violations("help"));
  await page.keyboard.press("Escape");
  await page.fill("#MProgramm", "a 0 -> b c d\n");
  await page.keyboard.press("F8");
  await dialogText(page);
  found.push(...await violations("fault box"));
  await page.keyboard.press("Enter");
  await page.keyboard.press("Control+s");
  await page.waitForSelector("#boxName:not([hidden])");
  found.push(...await violations("name box"));
  await page.keyboard.press("Escape");
  assert.deepStrictEqual(found, []);

  // The menu-button pattern: Down opens at the first item, Right goes on to the next menu, Escape goes back.
  await page.focus("#menubar .menutitle");
  await page.keyboard.press("ArrowDown");
  assert.strictEqual(await page.evaluate(() => document.activeElement.textContent), "NeuStrg+N".slice(0, 3));
  await page.keyboard.press("ArrowUp");
  assert.strictEqual(await page.evaluate(() => document.activeElement.dataset.command), "copyLink");  // the last
  await page.keyboard.press("ArrowRight");
  assert.strictEqual(await page.evaluate(() => document.activeElement.dataset.command), "clearTape");
  assert.strictEqual(await titles[1].getAttribute("aria-expanded"), "true");
  assert.strictEqual(await titles[0].getAttribute("aria-expanded"), "false");
  await page.keyboard.press("Escape");
  assert.strictEqual(await page.evaluate(() => document.activeElement.textContent), "Betrieb");
  // The slider says its frequency; the labels are a live region, quiet while the machine runs.
  assert.match(await page.getAttribute("#speed", "aria-valuetext"), /^\d+(,\d+)? Hz$/);
  assert.strictEqual(await page.getAttribute("#labels", "aria-live"), "polite");
  assert.deepStrictEqual(page.errors, []);
});

test("the loop sentence wraps in a narrow page (as at 200 % zoom) instead of being cut", async () => {
  const context = await browser.newContext({ viewport: { width: 450, height: 700 } });
  const page = await openPage(context);
  await page.click('#kinds button[data-kind="4"]');
  await page.fill("#MProgramm", "a * -> * R 1\n1 * -> * L a\n");
  await page.click("#toolbar button[data-command=clearTape]");
  await page.focus("#speed");
  await page.keyboard.press("End");
  await page.keyboard.press("F8");
  await page.keyboard.press("F9");
  await page.waitForFunction(() => !window.automaten.app.running());
  assert.match(await text(page, "LMeldung"), /^Endlosschleife/);
  const box = await page.$eval("#LMeldung", (e) => {
    const r = e.getBoundingClientRect();
    return { right: r.right, height: r.height, scroll: e.scrollWidth, client: e.clientWidth,
             line: parseFloat(getComputedStyle(e).lineHeight) || 15 };
  });
  assert.ok(box.right <= 450 && box.scroll <= box.client, JSON.stringify(box));
  assert.ok(box.height > box.line * 1.5, `wrapped onto more lines: ${JSON.stringify(box)}`);
  await context.close();
});

test("a link carries kind, program, tape and speed; opening it asks first when the program changed", async () => {
  const context = await browser.newContext({ viewport: { width: 900, height: 600 } });
  await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  const page = await openPage(context);
  await page.click('#kinds button[data-kind="1"]');
  // A hundred lines of a real program: an acceptor counting to a hundred.
  const program = ["; Art: Akzeptor", "e: 0"].concat(Array.from({ length: 98 }, (_, i) => `${i} 1 -> ${(i + 1) % 98}`)).join("\n");
  await page.fill("#MProgramm", program);
  await page.fill("#EBand", "1111");
  await page.focus("#speed");
  await page.keyboard.press("ArrowRight");
  const speed = await page.inputValue("#speed");
  await page.click("#menubar .menutitle");
  await page.click("[data-command=copyLink]");
  await page.waitForFunction(() => document.getElementById("panel2").textContent.includes("Link"));
  const link = await page.evaluate(() => navigator.clipboard.readText());
  assert.ok(link.startsWith(address + "#p=") && link.length < 2000, `${link.length} characters`);

  // Another tab of the same browser, whose stored program is the changed one: the prompt, then the link's program.
  const other = await context.newPage();
  other.on("pageerror", (e) => page.errors.push(e.message));
  await other.goto(address);
  await other.waitForSelector("body[data-ready=true]");
  await other.fill("#MProgramm", "; meine Änderung");
  await other.goto(link);
  await other.waitForSelector("body[data-ready=true]");
  assert.match(await dialogText(other), /geändert/);
  await other.click("#boxButtons button:nth-child(2)");  // Nein
  await other.waitForFunction(() => document.getElementById("panel0").textContent === " Akz");
  assert.strictEqual(await other.$eval("#MProgramm", (e) => e.value), program);
  assert.strictEqual(await other.inputValue("#EBand"), "1111");
  assert.strictEqual(await other.inputValue("#speed"), speed);
  assert.ok(!(await other.evaluate(() => location.hash)), "the link is opened once");

  // A link that holds no program says so and changes nothing.
  await other.goto(address + "#p=kaputt");
  assert.strictEqual(await dialogText(other), "Der Link enthält kein Automatenprogramm, das sich lesen lässt.");
  assert.deepStrictEqual(page.errors, []);
  await context.close();
});

test("the Tests pane runs the program's cases, greys them at an edit and runs again; Enter puts a case on the tape", async () => {
  const page = await openPage();
  const example = fs.readFileSync(path.join(root, "examples/teilbar-durch-3.txt"), "utf8");
  await page.click('#kinds button[data-kind="1"]');
  await page.fill("#MProgramm", example);
  await page.keyboard.press("F3");
  await page.waitForFunction(() => document.getElementById("testSummary").textContent === "9 bestanden, 0 fehlgeschlagen");
  assert.strictEqual(await page.evaluate(() => document.activeElement.closest("#testTable") !== null), true);
  const rows = await page.$$eval("#testTable tbody tr", (trs) => trs.map((tr) => [...tr.cells].map((td) => td.textContent)));
  assert.deepStrictEqual(rows[2], ["7", "11", "akzeptiert", "akzeptiert", "✓"]);

  // An edit that adds a failing case: grey at once, then run again.
  await page.click("#MProgramm");
  await page.keyboard.press("Control+End");
  await page.keyboard.type("\n; Test: 1 -> akzeptiert");
  assert.match(await text(page, "testSummary"), /^veraltet: /);
  assert.ok(await page.$eval("#testTable tbody tr", (tr) => tr.classList.contains("stale")));
  await page.waitForFunction(() => document.getElementById("testSummary").textContent === "9 bestanden, 1 fehlgeschlagen");
  const last = await page.$$eval("#testTable tbody tr", (trs) => [...trs.at(-1).cells].map((td) => td.textContent));
  assert.deepStrictEqual(last.slice(1), ["1", "akzeptiert", "nicht akzeptiert", "✗"]);

  // By keys: the third case on the tape, reset.
  await page.keyboard.press("Control+Alt+t");
  await page.waitForFunction(() => document.getElementById("testSummary").textContent === "9 bestanden, 1 fehlgeschlagen");
  await page.focus("#testTable tbody tr");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("Enter");
  assert.strictEqual(await page.inputValue("#EBand"), "11");
  assert.strictEqual(await text(page, "LSchritte"), "Schritte: 0");
  // What is printed: the program and the results.
  await page.evaluate(() => window.dispatchEvent(new Event("beforeprint")));
  const printed = await text(page, "printout");
  assert.ok(printed.startsWith("; Art: Akzeptor") && printed.includes("Tests: 9 bestanden, 1 fehlgeschlagen\nZeile\tWort"),
            printed.slice(-300));
  await page.emulateMedia({ media: "print" });
  assert.deepStrictEqual(await page.evaluate(() => ["menubar", "toolbar", "work", "printout"].map((id) =>
    document.getElementById(id).checkVisibility())), [false, false, false, true]);
  await page.emulateMedia({ media: "screen" });
  // F3 again closes the pane.
  await page.keyboard.press("F3");
  assert.ok(await page.$eval("#testsPane", (e) => e.hidden));
  assert.deepStrictEqual(page.errors, []);
});

test("Werkzeuge: the NEA as an acceptor, minimised, and compared with a file, whose word goes on the tape", async () => {
  const page = await openPage();
  const item = (command) => page.$(`[data-command=${command}]`);
  await page.click('#kinds button[data-kind="4"]');  // no tool takes a Turing machine
  assert.strictEqual(await (await item("convert")).getAttribute("aria-disabled"), "true");
  await page.click('#kinds button[data-kind="2"]');
  const nea = await page.$eval("#MProgramm", (e) => e.value);
  await page.click("#menubar .menutitle[aria-controls=menu6]");
  await (await item("convert")).click();
  await page.waitForFunction(() => document.getElementById("panel0").textContent === " Akz");
  const acceptor = await page.$eval("#MProgramm", (e) => e.value);
  assert.ok(acceptor.startsWith("; Akzeptor aus dem NEA"), acceptor.slice(0, 40));
  // The same as the command line's convert, line by line but for the heading.
  const file = path.join(os.tmpdir(), `nea-${process.pid}.txt`);
  fs.writeFileSync(file, "; Art: NEA\n" + nea);  // its kind, for the comparison
  const native = execFileSync(nativeCli, ["convert", "--kind", "nea", file], { encoding: "utf8" });
  assert.deepStrictEqual(acceptor.split("\n").slice(1).filter(Boolean), native.split("\r\n").slice(1).filter(Boolean));  // the file has CR LF

  await page.click("#menubar .menutitle[aria-controls=menu6]");
  await (await item("minimize")).click();
  assert.match(await dialogText(page), /geändert/);  // the acceptor is a new, unsaved program
  await page.click("#boxButtons button:nth-child(2)");  // Nein
  await page.waitForFunction(() => document.getElementById("MProgramm").value.startsWith("; Minimaler Akzeptor"));

  // Compared with the NEA it came from: the same language.
  await page.click("#menubar .menutitle[aria-controls=menu6]");
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), (await item("compare")).click()]);
  await chooser.setFiles(file);
  assert.strictEqual(await dialogText(page), "Die Programme akzeptieren dieselbe Sprache.");
  await page.keyboard.press("Enter");
  // With an acceptor of another language: the shortest word that tells them apart, on the tape.
  const other = path.join(os.tmpdir(), `akz-${process.pid}.txt`);
  fs.writeFileSync(other, "; Art: Akzeptor\ne: a\na 0 -> a\na 1 -> a\n");
  await page.click("#menubar .menutitle[aria-controls=menu6]");
  const [again] = await Promise.all([page.waitForEvent("filechooser"), (await item("compare")).click()]);
  await again.setFiles(other);
  const answer = await dialogText(page);
  assert.match(answer, /^Unterschied: das Wort (\S+) wird vom anderen Programm akzeptiert, von diesem nicht\.$/);
  await page.click("#boxButtons button:first-child");  // Wort auf das Band
  const word = answer.match(/das Wort (\S+) wird/)[1].replace(/^""$/, "");
  await page.waitForFunction((word) => document.getElementById("EBand").value === word, word);  // after the box
  assert.strictEqual(await text(page, "LSchritte"), "Schritte: 0");
  fs.rmSync(file);
  fs.rmSync(other);
  assert.deepStrictEqual(page.errors, []);
});

// ---- The diagram pane ----

// The pane has drawn what the module last asked for, and waits for nothing.
const diagramDrawn = (page) => page.waitForFunction(() => {
  const d = window.automaten.diagram;
  return d && d.svg && !d.pending && d.drawnDot === window.automaten.app.diagramDot();
}, null, { timeout: 20000 });

test("the diagram pane marks each kind's run as the window does, key by key; Graphviz comes only when it opens", async () => {
  const page = await openPage();
  const requested = [];
  page.on("request", (r) => requested.push(path.basename(new URL(r.url()).pathname)));
  await page.keyboard.press("F8");
  assert.ok(!requested.includes("viz-global.js") && !requested.includes("diagram.js"), "nothing of the diagram before it is opened");
  await page.keyboard.press("F4");
  await diagramDrawn(page);
  assert.strictEqual(await page.getAttribute("#diagramToggle", "aria-checked"), "true");
  assert.ok(requested.includes("viz-global.js"));
  const { runs } = JSON.parse(fs.readFileSync(path.join(root, "tests/diagram/marks.json"), "utf8"));
  for (const run of runs) {
    await page.click(`#kinds button[data-kind="${run.kind}"]`);
    let first = true;
    for (const step of run.steps) {
      await page.keyboard.press(step.key);
      if (first) await diagramDrawn(page);
      first = false;
      const marked = await page.evaluate(() => window.automaten.diagram.markedNames());
      assert.deepStrictEqual(marked, { nodes: step.nodes, lines: step.lines, verdict: step.verdict },
                             `${KINDS[run.kind]} after ${step.key}`);
    }
  }
  // What the eye sees: the NEA's set filled in the window's yellow, the next lines in its blue.
  const fills = await page.$$eval("#diagramView .node.current ellipse", (list) => list.map((e) => getComputedStyle(e).fill));
  assert.ok(fills.includes("rgb(255, 226, 122)"), fills.join());
  assert.strictEqual(await page.$eval("#diagramView text.next", (e) => getComputedStyle(e).fill), "rgb(20, 90, 220)");
  assert.deepStrictEqual(page.errors, []);
});

test("the diagram follows the typing: a fault greys it with the message under it, a correction draws it anew", async () => {
  const page = await openPage();
  await page.click('#kinds button[data-kind="1"]');
  await page.keyboard.press("F4");
  await diagramDrawn(page);
  const nodes = await page.$$eval("#diagramView .node", (list) => list.length);
  await page.focus("#MProgramm");
  await page.keyboard.press("Control+End");
  await page.keyboard.type("\n1 x ->");
  await page.waitForSelector("#diagramView.greyed");
  assert.match(await text(page, "diagramNote"), /^Fehler: falsches Befehlsformat in Befehl[^]*: 1 x ->$/);
  assert.ok(await page.$eval("#diagramNote", (e) => e.classList.contains("fault")));
  assert.strictEqual(await page.$$eval("#diagramView .node", (list) => list.length), nodes, "the last diagram stays");
  assert.strictEqual(await page.$("#box[open]"), null, "a silent parse shows no box");
  await page.keyboard.press("Backspace");
  await page.keyboard.press("Backspace");
  await page.keyboard.type("-> 7");
  await page.waitForFunction((n) => document.querySelectorAll("#diagramView .node").length === n + 1 &&
    !document.getElementById("diagramView").classList.contains("greyed"), nodes);
  assert.strictEqual(await text(page, "diagramNote"), "");
  // Too large to lay out: no drawing, the note says why.
  let big = "";
  for (let i = 1; i <= 301; ++i) big += `${i} 0 -> ${i + 1}\n`;
  await page.fill("#MProgramm", big);
  await page.waitForFunction(() => document.getElementById("diagramNote").textContent.startsWith("Das Diagramm hat 303 Zustände"));
  assert.strictEqual(await page.$("#diagramView svg"), null);
  assert.deepStrictEqual(page.errors, []);
});

test("the diagram zooms, fits, goes full screen, exports SVG and PNG, and is printed", async () => {
  const page = await openPage();
  await page.keyboard.press("F4");
  await diagramDrawn(page);
  const width = () => page.$eval("#diagramView svg", (e) => e.getBoundingClientRect().width);
  const filled = await width();
  await page.click("[data-command=diagramZoomIn]");
  assert.ok(Math.abs(await width() - filled * 1.25) < 1, "+ makes it a step larger");
  await page.focus("#diagramView");
  await page.keyboard.press("-");
  await page.keyboard.press("-");
  assert.ok(await width() < filled, "− by the key too");
  await page.mouse.move(700, 300);
  await page.keyboard.down("Control");
  await page.mouse.wheel(0, -100);
  await page.keyboard.up("Control");
  await page.click("[data-command=diagramFit]");
  const room = await page.$eval("#diagramView", (e) => e.clientWidth);
  const fitted = await width();
  assert.ok(fitted <= room && fitted > room * 0.8, `whole in the pane: ${fitted} of ${room}`);
  await page.keyboard.press("F11");
  await page.waitForFunction(() => document.fullscreenElement?.id === "diagramPane");
  await page.keyboard.press("F11");
  await page.waitForFunction(() => !document.fullscreenElement);

  // Exported without the run's colours unless asked, as SVG and PNG.
  await page.keyboard.press("F8");
  const exported = async (command) => {
    const [file] = await Promise.all([page.waitForEvent("download"), page.click(`.paneTools [data-command=${command}]`)]);
    return { name: file.suggestedFilename(), bytes: fs.readFileSync(await file.path()) };
  };
  const plain = await exported("diagramSvg");
  assert.strictEqual(plain.name, "zustandsdiagramm.svg");
  const svg = plain.bytes.toString("utf8");
  assert.match(svg, /^<\?xml[^]*<svg[^>]* width="\d+(\.\d+)?pt"/);
  assert.ok(svg.includes(">s / w</text>") && !svg.includes("#ffe27a") && !svg.includes('class="node current"'));
  await page.check("#diagramMarks");
  assert.ok((await exported("diagramSvg")).bytes.toString("utf8").includes('fill="#ffe27a"'), "with the marks when asked");
  const png = await exported("diagramPng");
  assert.strictEqual(png.name, "zustandsdiagramm.png");
  assert.strictEqual(png.bytes.subarray(1, 4).toString("latin1"), "PNG");
  const natural = await page.$eval("#diagramView svg", (e) => e.viewBox.baseVal.width);
  assert.strictEqual(png.bytes.readUInt32BE(16), Math.ceil(natural * 2), "twice the diagram's size");

  // Printed: the program, then the diagram; none of the controls.
  await page.emulateMedia({ media: "print" });
  await page.evaluate(() => window.dispatchEvent(new Event("beforeprint")));
  assert.ok(await page.$eval("#printout svg", (e) => e.getBoundingClientRect().height > 50));
  assert.ok((await page.$eval("#printout pre", (e) => e.textContent)).includes("a s -> w a"));
  assert.ok(await page.$eval("#diagramPane", (e) => !e.checkVisibility()), "no pane printed");
  assert.deepStrictEqual(page.errors, []);
});

test("while Graphviz takes long the states stand on a circle, marked, until its picture comes", async () => {
  const page = await openPage();
  await page.keyboard.press("F4");
  await diagramDrawn(page);
  // Graphviz made slow: each layout waits 3 s first; the budget is the window's 2 s.
  await page.evaluate(() => {
    const layouter = window.automaten.diagram.layouter;
    const layOut = layouter.layOut.bind(layouter);
    layouter.layOut = (dot) => new Promise((resolve) => setTimeout(resolve, 3000)).then(() => layOut(dot));
  });
  await page.focus("#MProgramm");
  await page.keyboard.press("Control+End");
  await page.keyboard.type("\n2 k -> b 3");
  await page.keyboard.press("F8");
  await page.waitForFunction(() => window.automaten.diagram.fallback, null, { timeout: 5000 });
  assert.match(await text(page, "diagramNote"), /^Graphviz braucht lange für dieses Diagramm; bis es fertig ist, stehen die Zustände im Kreis\.$/);
  const circle = await page.evaluate(() => ({
    nodes: [...document.querySelectorAll("#diagramView .node text")].map((t) => t.textContent),
    marked: window.automaten.diagram.markedNames(),
  }));
  assert.deepStrictEqual(circle.nodes, ["A", "1", "2", "3"]);
  assert.deepStrictEqual(circle.marked, { nodes: ["A"], lines: ["s / w"], verdict: "none" }, "marked as the picture would be");
  await diagramDrawn(page);
  assert.ok(!(await page.evaluate(() => window.automaten.diagram.fallback)));
  assert.strictEqual(await text(page, "diagramNote"), "");
  assert.deepStrictEqual((await page.evaluate(() => window.automaten.diagram.markedNames())).nodes, ["A"]);
  assert.deepStrictEqual(page.errors, []);
});

// ---- Editing in the diagram ----

// The centre of a state's node on the screen, by its name.
async function nodeCentre(page, name) {
  return page.evaluate((name) => {
    const g = window.automaten.diagram.nodes.find((n) => n.querySelector("text")?.textContent === name);
    const r = g.querySelector("ellipse").getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, name);
}

const programText = (page) => page.$eval("#MProgramm", (e) => e.value);
const machineLines = (text) => text.split("\n").filter((l) => l && !l.startsWith(";"));

// The program as a file the native runner reads; exit 0 for a word it accepts.
function acceptsAll(text, words) {
  const file = path.join(os.tmpdir(), `gerade-${process.pid}.txt`);
  fs.writeFileSync(file, text);
  try {
    return words.filter((w) => native(["--kind", "akz", "--tape", w, file]).status === 0);
  } finally {
    fs.unlinkSync(file);
  }
}
const WORDS = ["", "0", "1", "11", "01", "0110", "111", "1011"];
const EVEN = ["", "0", "11", "0110"];

async function emptyAcceptor(page) {
  await page.click('#kinds button[data-kind="1"]');
  await page.fill("#MProgramm", "");
  await page.keyboard.press("F4");
  await diagramDrawn(page);
  await page.click("#diagramEditButton");
  assert.strictEqual(await page.getAttribute("#diagramEditButton", "aria-pressed"), "true");
  assert.match(await text(page, "diagramHint"), /^Bearbeiten: Doppelklick/);
}

test("the even-ones acceptor drawn by the mouse alone: each gesture one edit of the text, Ctrl+Z undoes it", async () => {
  const page = await openPage();
  await emptyAcceptor(page);
  const a = await nodeCentre(page, "A");
  await page.mouse.dblclick(a.x + 120, a.y + 10);
  await diagramDrawn(page);
  assert.strictEqual(await text(page, "diagramHint"), "Zustand 1 hinzugefügt.");
  assert.match(await programText(page), /^; Lage: A \d+,\d+ 1 \d+,\d+\n$/);
  // A drag with Shift from a state to a state asks for the label in place.
  const connect = async (from, to, label) => {
    const p = await nodeCentre(page, from), q = await nodeCentre(page, to);
    await page.keyboard.down("Shift");
    await page.mouse.move(p.x, p.y);
    await page.mouse.down();
    await page.mouse.move((p.x + q.x) / 2, (p.y + q.y) / 2 + 5, { steps: 3 });
    await page.mouse.move(q.x, q.y, { steps: 3 });
    await page.mouse.up();
    await page.keyboard.up("Shift");
    await page.waitForSelector("#labelEditor:not([hidden])");
    await page.keyboard.type(label);
    await page.keyboard.press("Enter");
    await page.waitForSelector("#labelEditor[hidden]", { state: "attached" });
    await diagramDrawn(page);
  };
  await connect("A", "1", "1");
  assert.strictEqual(await text(page, "diagramHint"), "Übergang von A nach 1 mit 1 hinzugefügt.");
  // A label the kind does not read: the parser's fault in place, the text unchanged.
  const before = await programText(page);
  const p = await nodeCentre(page, "1"), q = await nodeCentre(page, "A");
  await page.keyboard.down("Shift");
  await page.mouse.move(p.x, p.y);
  await page.mouse.down();
  await page.mouse.move(q.x, q.y, { steps: 4 });
  await page.mouse.up();
  await page.keyboard.up("Shift");
  await page.keyboard.type("1 / 1");
  await page.keyboard.press("Enter");
  assert.strictEqual(await text(page, "labelFault"), "Die Beschriftung hat nicht die Form „0“.");
  assert.strictEqual(await programText(page), before);
  await page.fill("#labelField", "1");
  await page.keyboard.press("Enter");
  await diagramDrawn(page);
  await connect("A", "A", "0");
  await connect("1", "1", "0");
  // The end state from the context menu.
  const end = await nodeCentre(page, "A");
  await page.mouse.click(end.x, end.y, { button: "right" });
  await page.waitForSelector("#diagramMenu:not([hidden])");
  await page.click("#diagramMenu >> text=Endzustand");
  await diagramDrawn(page);
  assert.strictEqual(await text(page, "diagramHint"), "Zustand A ist ein Endzustand.");
  // A state dragged to a new place: its entry in the line of places, the others kept.
  const one = await nodeCentre(page, "1");
  const placesBefore = (await programText(page)).match(/; Lage: (.*)/)[1];
  await page.mouse.move(one.x, one.y);
  await page.mouse.down();
  await page.mouse.move(one.x + 10, one.y + 40, { steps: 4 });
  await page.mouse.up();
  await diagramDrawn(page);
  const placesAfter = (await programText(page)).match(/; Lage: (.*)/)[1];
  assert.strictEqual(placesAfter.split(" ").slice(0, 2).join(" "), placesBefore.split(" ").slice(0, 2).join(" "), "A stays");
  assert.notStrictEqual(placesAfter, placesBefore);
  const made = await programText(page);
  assert.deepStrictEqual(machineLines(made), ["e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1"]);
  assert.deepStrictEqual(acceptsAll(made, WORDS), EVEN);
  // Each gesture was one step of the text's undo: Ctrl+Z in the diagram takes back the drag, then the end state.
  await page.focus("#diagramView");
  await page.keyboard.press("Control+z");
  assert.match(await programText(page), new RegExp("; Lage: " + placesBefore + "\n"));
  await page.keyboard.press("Control+z");
  assert.deepStrictEqual(machineLines(await programText(page)), ["A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1"]);
  await diagramDrawn(page);
  assert.deepStrictEqual(page.errors, []);
});

test("the even-ones acceptor built by the keys alone, each step said; axe finds nothing while editing", async () => {
  const { AxeBuilder } = require("@axe-core/playwright");
  const page = await openPage();
  await emptyAcceptor(page);
  const press = async (...keys) => {
    for (const key of keys) await page.keyboard.press(key);
  };
  const hint = () => text(page, "diagramHint");
  await press("n");
  await diagramDrawn(page);
  assert.strictEqual(await hint(), "Zustand 1 hinzugefügt.");
  const connect = async (from, to, label) => {
    // The chosen state by the arrows, C, the target by the arrows, Enter, the label.
    await press("Escape");
    await press(...(from === "A" ? ["ArrowRight"] : ["ArrowRight", "ArrowRight"]), "c");
    assert.match(await hint(), new RegExp(`^Übergang von ${from}: Ziel`));
    await press(...(from === to ? [] : ["ArrowRight"]));
    if (from === to) await press("ArrowRight", "ArrowRight");
    assert.strictEqual(await hint(), `Zustand ${to} als Ziel gewählt.`);
    await press("Enter");
    await page.waitForSelector("#labelEditor:not([hidden])");
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), "labelField");
    await page.keyboard.type(label);
    await press("Enter");
    await diagramDrawn(page);
    assert.strictEqual(await hint(), `Übergang von ${from} nach ${to} mit ${label} hinzugefügt.`);
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), "diagramView");
  };
  await connect("A", "1", "1");
  await connect("1", "A", "1");
  await connect("A", "A", "0");
  // The label editor open: axe looks at the pane in editing.
  await press("Escape", "ArrowRight", "ArrowRight", "c", "Enter");
  await page.waitForSelector("#labelEditor:not([hidden])");
  const axe = await new AxeBuilder({ page }).withTags(["wcag2a", "wcag2aa", "wcag21aa", "wcag22aa", "best-practice"]).analyze();
  assert.deepStrictEqual(axe.violations.map((v) => v.id), []);
  await page.keyboard.type("0");
  await press("Enter");
  await diagramDrawn(page);
  await press("Escape", "ArrowRight", "e");
  await diagramDrawn(page);
  assert.strictEqual(await hint(), "Zustand A ist ein Endzustand.");
  const made = await programText(page);
  assert.deepStrictEqual(machineLines(made), ["e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1"]);
  assert.deepStrictEqual(acceptsAll(made, WORDS), EVEN);
  // A label line chosen by Down, edited by F2, then removed by Delete.
  await press("Escape", "ArrowDown");
  assert.strictEqual(await hint(), "Übergang von A nach 1: 1 gewählt.");
  await press("Delete");
  await diagramDrawn(page);
  assert.strictEqual(await hint(), "Übergang 1 gelöscht.");
  assert.deepStrictEqual(machineLines(await programText(page)), ["e: A", "A 0 -> A", "1 1 -> A", "1 0 -> 1"]);
  // Tab past the last state leaves the pane: the keys do not trap.
  await press("Escape");
  const nodes = await page.evaluate(() => window.automaten.diagram.nodes.length);
  for (let i = 0; i < nodes; ++i) await press("Tab");
  await press("Tab");
  assert.notStrictEqual(await page.evaluate(() => document.activeElement.id), "diagramView");
  assert.deepStrictEqual(page.errors, []);
});

test("Werkzeuge: an expression or a grammar becomes its minimal acceptor, and the program is described by both", async () => {
  const page = await openPage();
  const requested = [];
  page.on("request", (r) => requested.push(path.basename(new URL(r.url()).pathname)));
  const menu = async (command) => {
    await page.click("#menubar .menutitle[aria-controls=menu6]");
    await page.click(`[data-command=${command}]`);
  };
  await page.click('#kinds button[data-kind="4"]');
  assert.strictEqual(await page.getAttribute("[data-command=asRegex]", "aria-disabled"), "true");
  assert.ok(!requested.includes("language.js"), "the language tools come when first used");
  // A faulty expression is asked for again, kept, with its fault above the question.
  await menu("fromRegex");
  await page.waitForSelector("#box[open] #boxName:not([hidden])");
  await page.fill("#boxName", "(0|10*1");
  await page.click("#boxButtons button:text('OK')");
  await page.waitForFunction(() => document.getElementById("boxText").textContent.startsWith("Fehler im regulären Ausdruck"));
  assert.match(await text(page, "boxText"), /^Fehler im regulären Ausdruck, Spalte 8: „\)“ fehlt zu „\(“ in Spalte 1\.\n\nRegulärer Ausdruck/);
  assert.strictEqual(await page.$eval("#boxName", (e) => e.value), "(0|10*1");
  await page.fill("#boxName", "(0|10*1)*");
  await page.keyboard.press("Enter");
  await page.waitForFunction(() => document.getElementById("panel0").textContent === " Akz");
  assert.strictEqual(await page.$eval("#MProgramm", (e) => e.value),
                     "; Minimaler Akzeptor zum Ausdruck (0|10*1)*\nE: A\nA 0 -> A\nA 1 -> 1\n1 0 -> 1\n1 1 -> A\n");
  assert.ok(requested.includes("language.js"));
  // Described as an expression and as a grammar, in the program's font.
  await menu("asRegex");
  await page.waitForSelector("#box[open]");
  assert.strictEqual(await text(page, "boxText"), "(0|10*1)*");
  assert.ok(await page.$eval("#boxText", (e) => e.classList.contains("code")));
  await page.click("#boxButtons button:text('OK')");
  await menu("asGrammar");
  await page.waitForFunction(() => document.getElementById("boxText").textContent.startsWith("S ->"));
  assert.strictEqual(await text(page, "boxText"), "S -> 0S | 1A | ε\nA -> 0A | 1S");
  await page.keyboard.press("Escape");
  // A grammar, several lines; the changed program is replaced after the prompt.
  await page.fill("#MProgramm", "e: A\nA 0 -> A\n");
  await menu("fromGrammar");
  await page.waitForSelector("#box[open] #boxLines:not([hidden])");
  await page.fill("#boxLines", "S -> aS | bT\nT -> b");
  await page.click("#boxButtons button:text('OK')");
  await page.waitForFunction(() => document.getElementById("boxText").textContent.includes("geändert"));
  await page.click("#boxButtons button:text('Nein')");
  await page.waitForFunction(() => document.getElementById("MProgramm").value.startsWith("; Minimaler Akzeptor zur Grammatik"));
  // A faulty NEA: its message, not its description.
  await page.click('#kinds button[data-kind="2"]');
  await page.click("#box[open] #boxButtons button:text('Nein')");
  await page.fill("#MProgramm", "A 0 ->");
  await menu("asRegex");
  await page.waitForSelector("#box[open]");
  assert.match(await text(page, "boxText"), /^Fehler: /);
  assert.deepStrictEqual(page.errors, []);
});
