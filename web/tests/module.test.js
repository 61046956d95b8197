// The WebAssembly module against the native automaten-cli: every run case of
// the command line's golden list goes through the page's own path (kind,
// file opened, tape typed, "Starten", timer ticks) and must print what the
// native runner prints, trace lines included.
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");

const root = path.resolve(__dirname, "../..");
const golden = path.join(root, "tests/cli/golden");
const nativeCli = process.env.AUTOMATEN_CLI || path.join(root, "build/app/automaten-cli");
const createAutomaten = require(path.join(root, "build-web/site/automaten.js"));
const KINDS = ["dea", "akz", "nea", "ka", "tm"];
const NEIN = 1;

// The cases' lines as argument lists, split like the shell splits them there.
function goldenCases() {
  const words = (line) => [...line.matchAll(/'([^']*)'|"([^"]*)"|(\S+)/g)].map((m) => m[1] ?? m[2] ?? m[3]);
  return fs.readFileSync(path.join(golden, "cases"), "utf8").split("\n")
    .filter((line) => line.trim() && !line.startsWith("#"))
    .map((line) => { const [name, ...args] = words(line); return { name, args }; })
    .filter(({ args }) => args[0] === "--kind" && !args.includes("--tape-file") && !args.includes("-"));
}

function options(args) {
  const o = { width: 60, maxSteps: 1000000, trace: false, loopCheck: true, example: false, tape: null, program: null };
  for (let i = 0; i < args.length; ++i) {
    const a = args[i];
    if (a === "--kind") o.kind = KINDS.indexOf(args[++i]);
    else if (a === "--tape") o.tape = args[++i];
    else if (a === "--width") o.width = Number(args[++i]);
    else if (a === "--max-steps") o.maxSteps = Number(args[++i]);
    else if (a === "--trace") o.trace = true;
    else if (a === "--no-loop-check") o.loopCheck = false;
    else if (a === "--example") o.example = true;
    else o.program = path.join(golden, "programs", a.slice(1));
  }
  return o;
}

function runNative(args) {
  const resolved = args.map((a) => (a.startsWith("@") ? path.join(golden, "programs", a.slice(1)) : a));
  try {
    return execFileSync(nativeCli, resolved, { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });
  } catch (e) {
    return e.stdout;  // a run that is not accepted exits with 1 and more
  }
}

// What the command line prints, read off the page's labels and fields.
function runInModule(M, o) {
  const app = new M.WebApp();
  app.setLoopCheck(o.loopCheck);
  app.tapeFieldResized(o.width);
  app.selectKind(o.kind, NEIN, "");
  if (!o.example) {
    app.open(NEIN, "", path.basename(o.program), new Uint8Array(fs.readFileSync(o.program)));
    app.fieldEdited(0, "");
  }
  if (o.tape !== null) app.fieldEdited(0, o.tape);
  let out = "";
  const traceLine = () => { out += [3, 0, 1].map((l) => app.labelText(l)).join("\t") + "\t" + app.fieldText(0) + "\n"; };
  app.startOrStop();
  if (o.trace) {
    traceLine();
    for (let tick = 0; tick < o.maxSteps && app.running(); ++tick) {
      app.ticks(1);
      traceLine();
    }
  } else {
    for (let left = o.maxSteps; left > 0 && app.running();) left -= app.ticks(Math.min(left, 100000));
  }
  out += app.labelText(0) + "\n" + app.labelText(1) + "\n" + app.labelText(3) + "\n" + "Band: " + app.fieldText(0) + "\n";
  if (app.secondFieldShown()) out += "Ausgabe: " + app.fieldText(1) + "\n";
  out += "Meldung: " + app.labelText(2) + "\n";
  app.delete();
  return out;
}

test("the module prints what the native runner prints", async (t) => {
  const M = await createAutomaten();
  const cases = goldenCases();
  assert.ok(cases.length >= 40, `only ${cases.length} cases`);
  for (const { name, args } of cases) {
    await t.test(name, () => assert.strictEqual(runInModule(M, options(args)), runNative(args)));
  }
});

test("a program opened with a fault shows its messages as dialogs", async () => {
  const M = await createAutomaten();
  const app = new M.WebApp();
  app.selectKind(1, NEIN, "");
  app.open(NEIN, "", "kaputt.txt", new TextEncoder().encode("a 0 - 1\n"));
  assert.strictEqual(app.panel(2), " Datei kaputt.txt geöffnet.");
  app.reset();
  const dialogs = app.takeDialogs();
  assert.ok(dialogs.length >= 1);
  const native = (() => {
    fs.writeFileSync("/tmp/automaten-kaputt.txt", "a 0 - 1\n");
    try { execFileSync(nativeCli, ["--kind", "akz", "/tmp/automaten-kaputt.txt"], { stdio: "pipe" }); } catch (e) { return e.stderr.toString(); }
    return "";
  })();
  assert.strictEqual(dialogs.join("\n") + "\n", native);
  assert.deepStrictEqual(app.takeDialogs(), []);
  app.delete();
});

test("saving offers the bytes the desktop program writes", async () => {
  const M = await createAutomaten();
  const app = new M.WebApp();
  app.programEdited("; Zustandsübergänge\na 0 -> 1");
  assert.ok(app.programChanged());
  app.save("ü.txt");
  assert.ok(app.hasDownload());
  assert.strictEqual(app.downloadName(), "ü.txt");
  // The kind goes with the file as its first line, then the program in Windows-1252: "übe" as one byte a letter.
  assert.strictEqual(Buffer.from(app.downloadBytes()).toString("latin1").slice(0, 12), "; Art: DEA\r\n");
  assert.deepStrictEqual([...app.downloadBytes()].slice(22, 25), [0xfc, 0x62, 0x65]);
  assert.ok(Buffer.from(app.downloadBytes()).toString("latin1").includes("\r\na 0 -> 1"));
  assert.ok(!app.programChanged());
  app.downloadTaken();
  assert.ok(!app.hasDownload());
  app.programEdited("; Pfeil →");  // not in Windows-1252: saved as UTF-8
  app.save("");
  assert.strictEqual(Buffer.from(app.downloadBytes()).toString("utf8"), "; Art: DEA\r\n; Pfeil →");
  assert.strictEqual(app.downloadName(), "ü.txt");
  app.delete();
});

test("a file that is no program is refused with the reason, and the program stays", async () => {
  const M = await createAutomaten();
  const app = new M.WebApp();
  const before = app.programText();
  app.open(NEIN, "", "groß.txt", new Uint8Array((1 << 20) + 1).fill(0x31));
  app.open(NEIN, "", "null.txt", new Uint8Array([0x61, 0, 0x62]));
  assert.deepStrictEqual(app.takeDialogs(), [
    "Datei groß.txt kann nicht geöffnet werden. Die Datei ist größer als 1 MiB und daher kein Automatenprogramm.",
    "Datei null.txt kann nicht geöffnet werden. Die Datei enthält Nullbytes und ist daher kein Automatenprogramm.",
  ]);
  assert.strictEqual(app.programText(), before);
  assert.strictEqual(app.fileName(), "");
  app.delete();
});

test("the change prompt is the session's: question, name and whether the command goes on", async () => {
  const M = await createAutomaten();
  const { ja, nein, abbrechen, maxProgramBytes, labels } = M.constants();
  assert.deepStrictEqual([ja, nein, abbrechen], [0, 1, 2]);
  assert.strictEqual(maxProgramBytes, 1 << 20);
  assert.strictEqual(labels[2], "LMeldung");
  const app = new M.WebApp();
  app.selectKind(1, nein, "");
  assert.strictEqual(app.changeQuestion(), "");
  assert.ok(app.changeGoesOn(abbrechen, ""));  // nothing to ask: the command goes on
  app.programEdited("a 1 -> e");
  assert.strictEqual(app.changeQuestion(), "Datei wurde geändert. Speichern?");
  assert.ok(app.changeNeedsName());
  assert.ok(!app.changeGoesOn(abbrechen, "x.txt"));
  assert.ok(app.changeGoesOn(nein, ""));
  assert.ok(!app.changeGoesOn(ja, ""));
  assert.ok(app.changeGoesOn(ja, "x.txt"));
  app.save("a.txt");
  app.programEdited("a 0 -> e");
  assert.ok(!app.changeNeedsName());  // "Ja" saves under the file's name
  assert.ok(app.changeGoesOn(ja, ""));
  app.delete();
});

test("a long program is edited and read a window of lines at a time; a saved file's bytes include its kind line", async () => {
  const M = await createAutomaten();
  const app = new M.WebApp();
  app.programEdited("a\nb\nc\nd");
  const revision = app.programRevision();
  app.programLinesEdited(1, 2, "B\nx\nC");
  assert.strictEqual(app.programText(), "a\nB\nx\nC\nd");
  assert.strictEqual(app.programRevision(), revision, "the page shows the user's edit already");
  assert.strictEqual(app.programLineCount(), 5);
  assert.strictEqual(app.programLines(3, 10), "C\nd");
  assert.strictEqual(app.programLines(-2, 2), "a\nB");
  assert.ok(app.programChanged());
  // "; Art: DEA" and CR LF first, then CR LF between the lines: as "Speichern" writes it.
  assert.strictEqual(app.programFileBytes(), 12 + 5 + 4 * 2);
  app.save("a.txt");
  assert.strictEqual(app.downloadBytes().length, app.programFileBytes());
  assert.strictEqual(M.WebApp.fileBytes("ü\n"), 3);
  app.delete();
});

test("the tape is stored beside the settings only when it is not the last tape, and no longer than they keep it", async () => {
  const M = await createAutomaten();
  let app = new M.WebApp();
  app.fieldEdited(0, "1".repeat(3000));
  assert.ok(!app.tapeIsLastTape());
  assert.strictEqual(app.tapeToStore(), "1".repeat(2047));
  app.reset();
  assert.ok(app.tapeIsLastTape());
  const settings = app.settingsText();
  app.delete();
  // No tape stored: the settings' last tape.
  app = new M.WebApp();
  app.restore(settings, true, "; kept", false, "", false);
  assert.strictEqual(app.fieldText(0), "1".repeat(2047));
  app.delete();
  app = new M.WebApp();
  app.restore(settings, true, "; kept", true, "01", false);
  assert.strictEqual(app.fieldText(0), "01");
  app.delete();
});

test("the diagram: what to draw after each event, and marks only in the diagram the page drew", async () => {
  const M = await createAutomaten();
  const app = new M.WebApp();
  app.restore("", false, "", false, "", false);
  assert.strictEqual(app.diagramOpened(), 1);
  const dot = app.diagramDot();
  assert.match(dot, /^digraph automat \{[^]*n0 -> n1 \[label="k \/ w"\];/);
  app.reset();
  assert.deepStrictEqual(app.diagramMarked(), { nodes: [], lines: [], verdict: 0 }, "nothing drawn yet");
  assert.strictEqual(app.diagramMachineShown(), 1, "a reset's program is shown");
  assert.strictEqual(app.diagramMachineShown(), 0, "and then nothing new");
  app.diagramDrawn(true);
  assert.deepStrictEqual(app.diagramMarked(), { nodes: [0], lines: [[0, 0]], verdict: 0 });  // A, "s / w"
  // A fault keeps the diagram asked for, under its message.
  app.programEdited(app.programText() + "\n1 x");
  assert.strictEqual(app.diagramTextChanged(), 3);
  assert.match(app.diagramNote(), /^Fehler: [^]*\nZeile 19: 1 x$/);
  assert.strictEqual(app.diagramDot(), dot);
  // Too large: nothing to draw and no marks.
  app.programEdited(Array.from({ length: 301 }, (_, i) => `${i + 1} s -> w ${i + 2}`).join("\n"));
  assert.strictEqual(app.diagramTextChanged(), 2);
  assert.match(app.diagramNote(), /^Das Diagramm hat 303 Zustände/);
  assert.deepStrictEqual(app.diagramMarked(), { nodes: [], lines: [], verdict: 0 });
  app.delete();
});

test("an edit made in the diagram: kept for the page's text area, or applied by the module where the area cannot", async () => {
  const M = await createAutomaten();
  const app = new M.WebApp();
  app.restore("", false, "", false, "", false);
  const { gestures: G, gestureKeys: K } = M.constants();
  app.programEdited("a s -> w 1\n1 s -> w a");
  app.diagramOpened();
  app.diagramDrawn(true);
  app.diagramCentres([31, 22, 121, 22]);  // A and 1 as the page drew them
  let answer = app.diagramGesture(G.key, [K.NewState], "");
  assert.strictEqual(answer.said, "Zustand 2 hinzugefügt.");
  assert.ok(answer.edited);
  const edited = "a s -> w 1\n1 s -> w a\n; Lage: A 31,22 1 121,22 2 211,22";
  assert.strictEqual(app.diagramEditedText(), edited);
  const revision = app.programRevision();
  // The page took it into its area: the user's text, and nothing kept to apply twice.
  app.programEdited(edited);
  app.diagramApplyEdit();
  assert.strictEqual(app.programText(), edited);
  assert.strictEqual(app.programRevision(), revision, "the page shows it already");
  // The area shows only a window of the program: the module applies the edit.
  app.diagramTextChanged();
  app.diagramDrawn(true);
  app.diagramCentres([31, 22, 121, 22, 211, 22]);
  answer = app.diagramGesture(G.node, [2], "");
  assert.strictEqual(answer.said, "Zustand 2 gewählt.");
  assert.strictEqual(answer.node, 2);
  answer = app.diagramGesture(G.key, [K.Remove], "");
  assert.strictEqual(answer.said, "Zustand 2 gelöscht.");
  app.diagramApplyEdit();
  assert.strictEqual(app.programText(), "a s -> w 1\n1 s -> w a\n; Lage: A 31,22 1 121,22");
  assert.ok(app.programRevision() > revision, "the page fetches the new text");
  assert.ok(app.programChanged());
  // A label the kind does not read: the fault, no edit.
  app.diagramGesture(G.connected, [0, 1], "");
  answer = app.diagramGesture(G.commit, [], "1");
  assert.ok(answer.labelFault && !answer.edited);
  assert.strictEqual(answer.said, "Die Beschriftung hat nicht die Form „s / w“.");
  app.delete();
});
