// The web page: wires the page's controls to the simulation compiled to
// WebAssembly (WebApp, see webapp.h) and shows what it says. Every command
// runs in the module; the page then reads the labels, fields and status back.
"use strict";

// The answers, the controls' names, the colours and the limits come from the
// module (constants()), once it is loaded.
let JA, NEIN, ABBRECHEN, LABELS, COLOURS, FIELDS, PANELS, MAX_PROGRAM_BYTES, PASTE_TOO_LARGE, LINK_BROKEN;
let TESTS_RUNNING, NO_TEST_CASES, TESTS_STALE;
const STORE = {
  settings: "automaten.ini",
  program: "automaten.programm",
  tape: "automaten.band",
  changed: "automaten.geaendert",
};

const $ = (id) => document.getElementById(id);
let M = null;    // the module
let app = null;  // its WebApp
let fields = [];  // the tape and the second field (FieldView)
let program = null;  // the program area (ProgramView)
let charWidth = 9.6;
let diagram = null;  // the diagram pane (DiagramPane, diagram.js), once opened

// For the tests and the rate measurement: the ticks taken by the automatic run.
const stats = { ticks: 0, frames: 0 };
window.automaten = {
  stats, get app() { return app; }, get module() { return M; }, get fields() { return fields; },
  get program() { return program; }, get diagram() { return diagram; },
};

createAutomaten().then((module) => {
  M = module;
  const constants = M.constants();
  ({ ja: JA, nein: NEIN, abbrechen: ABBRECHEN, labels: LABELS, fields: FIELDS, panels: PANELS,
     maxProgramBytes: MAX_PROGRAM_BYTES, pasteTooLarge: PASTE_TOO_LARGE, linkBroken: LINK_BROKEN,
     testsRunning: TESTS_RUNNING, noTestCases: NO_TEST_CASES, testsStale: TESTS_STALE } = constants);
  $("storeNoteText").textContent = constants.storeFailed;
  COLOURS = constants.colours.map((name) => (name === "WindowText" ? "" : name.toLowerCase()));
  app = new M.WebApp();
  start();
}).catch((e) => {
  // Opened as a file, or in a browser without WebAssembly.
  $("panel2").textContent = ` Die Simulation konnte nicht geladen werden (${e}). ` +
    "Die Seite braucht einen Webserver, etwa ./run.sh --web.";
});

function start() {
  buildKinds();
  $("helpText").textContent = M.helpText();
  $("infoText").textContent = M.aboutText();
  measureCharWidth();
  fields = [new FieldView(0), new FieldView(1)];
  program = new ProgramView();
  app.tapeFieldResized(tapeCells());
  restore();
  wire();
  render();
  document.body.dataset.ready = "true";
  openLink();
  window.addEventListener("hashchange", openLink);
  // Offline once loaded: the service worker keeps the files (where the page is served securely, as on 127.0.0.1).
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js").catch(() => {});
}

// ---- Building and wiring ----

function buildKinds() {
  const kinds = M.kinds();
  kinds.forEach((kind, k) => {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = kind.name;
    button.title = kind.hint;
    button.dataset.kind = k;
    $("kinds").append(button);
    const item = document.createElement("button");
    item.type = "button";
    item.setAttribute("role", "menuitem");
    item.textContent = kind.menuText.replace("&", "");
    item.dataset.kind = k;
    $("examples").append(item);
  });
}

function wire() {
  document.addEventListener("click", (event) => {
    const target = event.target.closest("button");
    const menu = event.target.closest(".menu");
    for (const m of document.querySelectorAll(".menu.open")) if (m !== menu) openMenu(m, false);
    if (!target) return;
    if (target.classList.contains("menutitle")) {
      openMenu(menu, !menu.classList.contains("open"));
      return;
    }
    if (menu) openMenu(menu, false);
    if (target.getAttribute("aria-disabled") === "true") return;
    if (target.dataset.command) run(target.dataset.command);
    else if (target.dataset.kind !== undefined) selectKind(Number(target.dataset.kind));
  });
  $("menubar").addEventListener("keydown", menuKey);
  document.addEventListener("keydown", onKey);
  const rows = $("testTable").tBodies[0];
  rows.addEventListener("dblclick", (event) => chooseCase(event.target.closest("tr")));
  rows.addEventListener("keydown", testKey);

  for (const field of fields) {
    field.input.addEventListener("input", () => {
      field.edited();
      storeSoon();
    });
    field.input.addEventListener("scroll", () => field.scrolled());
    field.input.addEventListener("keydown", (event) => field.key(event));
  }
  const area = program.area;
  area.addEventListener("input", () => {
    program.edited();
    testsStale();
    diagram?.textEdited();
    render();
    storeSoon();
  });
  area.addEventListener("scroll", () => program.scrolled());
  area.addEventListener("keydown", (event) => program.key(event));
  area.addEventListener("paste", (event) => {
    if (!program.taking(event, event.clipboardData)) return;
    testsStale();
    diagram?.textEdited();
    render();
    storeSoon();
  });
  area.addEventListener("drop", (event) => program.taking(event, event.dataTransfer));
  const speed = $("speed");
  speed.addEventListener("input", () => {
    app.setSlider(Number(speed.value));
    render();
    storeSoon();
  });
  speed.addEventListener("keydown", (event) => {
    const by = { ArrowLeft: -5, ArrowDown: -5, ArrowRight: 5, ArrowUp: 5 }[event.key];
    if (by === undefined) return;
    event.preventDefault();
    speed.value = Math.min(100, Math.max(1, Number(speed.value) + by));
    speed.dispatchEvent(new Event("input"));
  });
  let resizing = 0;
  window.addEventListener("resize", () => {
    cancelAnimationFrame(resizing);
    resizing = requestAnimationFrame(() => {
      app.tapeFieldResized(tapeCells());
      render();
    });
  });
  window.addEventListener("pagehide", store);
  // The browser's own printing prints what "Drucken" prints.
  window.addEventListener("beforeprint", fillPrintout);
  document.addEventListener("visibilitychange", () => document.hidden && store());
}

const SHORTCUTS = {
  F1: "help", F3: "toggleTests", F4: "toggleDiagram", F6: "stepBack", F7: "step", F8: "reset", F9: "start",
  F11: "diagramFullScreen",
  "Ctrl+b": "diagramEdit", "Ctrl+s": "save", "Ctrl+f": "open", "Ctrl+d": "print", "Ctrl+Alt+t": "runTests",
};

// ---- Menus: the menu-button pattern ----

function openMenu(menu, open) {
  menu.classList.toggle("open", open);
  menu.querySelector(".menutitle").setAttribute("aria-expanded", String(open));
}

// Enter, Space or Down on a title opens its menu at the first item; Up and
// Down move through the items, Left and Right to the next menu, Home and End
// to the ends; Escape closes and gives the title the focus again.
function menuKey(event) {
  const menu = event.target.closest(".menu");
  if (!menu) return;
  const menus = [...document.querySelectorAll("#menubar .menu")];
  const items = [...menu.querySelectorAll(".items button")];
  const onTitle = event.target.classList.contains("menutitle");
  const focusItem = (i) => items[(i + items.length) % items.length]?.focus();
  const at = items.indexOf(event.target);
  const move = {
    ArrowDown: () => (onTitle ? (openMenu(menu, true), focusItem(0)) : focusItem(at + 1)),
    ArrowUp: () => (onTitle ? (openMenu(menu, true), focusItem(-1)) : focusItem(at - 1)),
    Home: () => !onTitle && focusItem(0),
    End: () => !onTitle && focusItem(-1),
    ArrowRight: () => switchMenu(menus, menu, 1, !onTitle),
    ArrowLeft: () => switchMenu(menus, menu, -1, !onTitle),
    Escape: () => {
      openMenu(menu, false);
      menu.querySelector(".menutitle").focus();
    },
  }[event.key];
  if (!move) return;
  event.preventDefault();
  event.stopPropagation();
  move();
}

function switchMenu(menus, menu, by, open) {
  const next = menus[(menus.indexOf(menu) + by + menus.length) % menus.length];
  openMenu(menu, false);
  next.querySelector(".menutitle").focus();
  if (open) {
    openMenu(next, true);
    next.querySelector(".items button")?.focus();
  }
}

function onKey(event) {
  if (event.key === "Escape") {
    for (const m of document.querySelectorAll(".menu.open")) openMenu(m, false);
    for (const w of document.querySelectorAll(".textwindow[open]")) w.close();
  }
  if (document.querySelector("dialog[open]:modal")) return;
  // With Alt the letter comes from the key's place: Alt may change the character.
  const letter = event.altKey && event.code.startsWith("Key") ? event.code.slice(3).toLowerCase()
    : event.key.length === 1 ? event.key.toLowerCase() : event.key;
  const key = (event.ctrlKey || event.metaKey ? "Ctrl+" : "") + (event.altKey ? "Alt+" : "") + letter;
  const command = SHORTCUTS[key];
  if (!command) return;
  event.preventDefault();
  run(command);
}

// ---- Commands ----

const COMMANDS = {
  reset: () => app.reset(),
  step: () => app.singleStep(),
  stepBack: () => app.stepBack(),
  loopCheck: () => app.setLoopCheck(!app.loopCheck()),
  start: () => app.startOrStop(),
  stop: () => app.stop(),
  clearTape: () => app.clearTape(),
  lastTape: () => app.restoreLastTape(),
  new: () => afterChangePrompt((answer, name) => app.newProgram(answer, name)),
  open: openFile,
  save: save,
  saveAs: saveAs,
  print: print,
  copyLink: copyLink,
  convert: () => afterChangePrompt((answer, name) => app.convert(false, answer, name)),
  minimize: () => afterChangePrompt((answer, name) => app.convert(true, answer, name)),
  compare: compare,
  fromRegex: () => languageMenu("fromText", false),
  fromGrammar: () => languageMenu("fromText", true),
  asRegex: () => languageMenu("describe", false),
  asGrammar: () => languageMenu("describe", true),
  toggleTests: () => showTests($("testsPane").hidden, true),
  runTests: () => {
    showTests(true, false);
    runTests();
  },
  toggleDiagram: () => showDiagram($("diagramPane").hidden),
  diagramZoomIn: () => diagram?.zoom(1.25),
  diagramZoomOut: () => diagram?.zoom(0.8),
  diagramFit: () => diagram?.fitWhole(),
  diagramFullScreen: async () => {
    await showDiagram(true);
    await diagram.fullScreen();
  },
  diagramEdit: async () => {
    await showDiagram(true);
    diagram.editor.toggle();
  },
  diagramSvg: () => exportDiagram("svg"),
  diagramPng: () => exportDiagram("png"),
  help: () => showTextWindow("helpWindow"),
  info: () => showTextWindow("infoWindow"),
};

async function run(command) {
  await COMMANDS[command]();
  afterCommand();
}

function afterCommand() {
  render();
  offerDownload();
  storeSoon();
}

function selectKind(kind) {
  afterChangePrompt((answer, name) => app.selectKind(kind, answer, name)).then(afterCommand);
}

// The change prompt before a command that replaces the program: its answer,
// and the name to save under when the answer is "Ja" and the program has
// none yet. No prompt: "Nein", nothing to save.
async function changePrompt() {
  const question = app.changeQuestion();
  if (!question) return { answer: NEIN, name: "" };
  const answer = await ask(question, ["Ja", "Nein", "Abbrechen"], ABBRECHEN);
  const name = answer === JA && app.changeNeedsName() ? await askFileName("programm.txt") : "";
  return { answer, name };
}

async function afterChangePrompt(command) {
  const { answer, name } = await changePrompt();
  command(answer, name);
}

async function openFile() {
  const { answer, name } = await changePrompt();
  const file = app.changeGoesOn(answer, name) ? await pickFile() : null;
  // The module reads no more than one byte over the limit, to say the file is too large.
  const bytes = file ? new Uint8Array(await file.slice(0, MAX_PROGRAM_BYTES + 1).arrayBuffer()) : new Uint8Array();
  app.open(answer, name, file ? file.name : "", bytes);
}

// "Vergleichen mit Programm...": this program's fault before a file is
// asked for; the answer in a box that offers the word that tells them apart.
async function compare() {
  if (!app.compareReady()) return;
  const file = await pickFile();
  if (!file) return;
  const bytes = new Uint8Array(await file.slice(0, MAX_PROGRAM_BYTES + 1).arrayBuffer());
  const answer = app.compareWithFile(file.name, bytes);
  if (!answer) return;
  const differs = app.comparisonDiffers();
  const taken = await ask(answer, differs ? ["Wort auf das Band", "OK"] : ["OK"], differs ? 1 : 0);
  if (differs && taken === 0) app.comparisonWordToTape();
  render();
}

// ---- Regular expressions and grammars: language.js, fetched when first used,
// with its menu items' code (language-menu.js) ----

let language = null;

async function languageMenu(item, grammar) {
  if (!language) {
    await loadScript("language.js");
    language = await createLanguage();
  }
  await LanguageMenu[item](language, { app, ask, changePrompt, showMessage }, grammar);
}

function pickFile() {
  return new Promise((resolve) => {
    const picker = $("filePicker");
    picker.value = "";
    picker.onchange = () => resolve(picker.files[0] || null);
    picker.oncancel = () => resolve(null);
    picker.click();
  });
}

async function save() {
  const name = app.fileName() ? "" : await askFileName("programm.txt");
  app.save(name);
}

async function saveAs() {
  app.saveAs(await askFileName(app.fileName() || "programm.txt"));
}

function print() {
  fillPrintout();
  window.print();
}

// What is printed: the program, the diagram when its pane shows one (with
// the run's marks when they are exported), and the test results when the
// Tests pane shows current ones.
function fillPrintout() {
  const printout = $("printout");
  const pre = (text) => Object.assign(document.createElement("pre"), { textContent: text });
  printout.replaceChildren(pre(app.programText()));
  if (diagram?.shown && diagram.svg && !diagram.pending) {
    const figure = diagram.exported($("diagramMarks").checked);
    figure.removeAttribute("width");
    figure.removeAttribute("height");
    printout.append(figure);
  }
  const rows = [...$("testTable").rows].map((tr) => [...tr.cells].map((cell) => cell.textContent).join("\t"));
  if (!$("testsPane").hidden && rows.length > 1 && !tests.stale)
    printout.append(pre(`Tests: ${$("testSummary").textContent}\n${rows.join("\n")}\n`));
}

function offerDownload() {
  if (!app.hasDownload()) return;
  download(new Blob([app.downloadBytes()], { type: "text/plain" }), app.downloadName());
  app.downloadTaken();
}

function download(blob, name) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// ---- The diagram pane ----
// Its code and Graphviz are loaded when it is first opened.

// A script of the site, run once it has come (the pane's code and Graphviz use it).
function loadScript(src) {
  return new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = src;
    script.onload = resolve;
    script.onerror = () => reject(new Error(src));
    document.head.append(script);
  });
}

async function showDiagram(shown) {
  if (shown && !diagram) {
    await loadScript("diagram.js");
    diagram = new DiagramPane(app, M.constants(), { replaceProgram, undo: undoProgram, afterCommand });
  }
  const pane = $("diagramPane");
  if (pane.hidden === !shown) return;
  pane.hidden = !shown;
  $("diagramToggle").setAttribute("aria-checked", String(shown));
  app.tapeFieldResized(tapeCells());
  if (shown) {
    diagram.opened();
    $("diagramView").focus();
  }
}

// An edit made in the diagram: the program area's text becomes `now` as one
// step of the area's own undo, by replacing the run of characters that
// differs. False when the area shows only a window of a long program.
function replaceProgram(now) {
  if (!program.whole) return false;
  const area = program.area, before = area.value;
  if (before === now) return true;
  let head = 0;
  while (head < before.length && head < now.length && before[head] === now[head]) ++head;
  let tail = 0;
  while (tail < before.length - head && tail < now.length - head &&
         before[before.length - 1 - tail] === now[now.length - 1 - tail]) ++tail;
  const focused = document.activeElement;
  area.focus({ preventScroll: true });
  area.setSelectionRange(head, before.length - tail);
  const inserted = now.slice(head, now.length - tail);
  const done = document.execCommand(inserted ? "insertText" : "delete", false, inserted);
  focused?.focus({ preventScroll: true });
  return done && area.value === now;
}

// Ctrl+Z (or Ctrl+Y, redo) in the diagram: in the program area, whose undo holds the diagram's edits.
function undoProgram(redo) {
  const focused = document.activeElement;
  program.area.focus({ preventScroll: true });
  document.execCommand(redo ? "redo" : "undo");
  focused?.focus({ preventScroll: true });
}

async function exportDiagram(format) {
  if (!diagram?.svg || diagram.pending) {
    await showMessage("Es gibt noch kein Diagramm: das Programm ist noch nicht fehlerfrei übersetzt.");
    return;
  }
  const marks = $("diagramMarks").checked;
  download(format === "svg" ? diagram.svgBlob(marks) : await diagram.pngBlob(marks), "zustandsdiagramm." + format);
}

// ---- The Tests pane ----
// The module runs the cases of the program as it was when the run began,
// a few at a time between frames; a newer program text drops the run and
// greys the results ("veraltet"), and they run again half a second after
// the last key. Enter or a double-click on a case puts its word on the tape.

const tests = { generation: 0, cases: 0, passed: 0, failed: 0, stale: false, again: 0 };

function showTests(shown, focus) {
  $("testsPane").hidden = !shown;
  $("testsToggle").setAttribute("aria-checked", String(shown));
  app.tapeFieldResized(tapeCells());
  if (shown && !tests.cases && !tests.generation) runTests();
  if (shown && focus) ($("testTable").tBodies[0].rows[0] || $("testsPane").querySelector("button")).focus();
}

function runTests() {
  clearTimeout(tests.again);
  const generation = ++tests.generation;
  const body = $("testTable").tBodies[0];
  body.replaceChildren();
  Object.assign(tests, { cases: 0, passed: 0, failed: 0, stale: false });
  for (const row of app.testsStart()) {
    const tr = body.insertRow();
    const cells = row.fault ? [row.line, "", "", row.fault, "✗"] : [row.line, row.word, row.expected, "", ""];
    for (const text of cells) tr.insertCell().textContent = text;
    tr.tabIndex = body.rows.length === 1 ? 0 : -1;
    if (row.fault) {
      tr.cells[4].className = "failed";
      ++tests.failed;
    } else {
      tr.dataset.case = tests.cases++;
    }
  }
  const summary = $("testSummary");
  if (!tests.cases) {
    summary.textContent = tests.failed ? M.WebApp.testSummary(0, tests.failed) : NO_TEST_CASES;
    return;
  }
  summary.textContent = TESTS_RUNNING;
  const rows = [...body.rows].filter((tr) => tr.dataset.case !== undefined);
  let next = 0;
  const some = () => {
    if (generation !== tests.generation) return;  // a newer text: these results are given up
    const until = performance.now() + 12;
    while (next < rows.length && performance.now() < until) {
      const result = app.testRun(next);
      const tr = rows[next++];
      tr.cells[3].textContent = result.got;
      tr.cells[4].textContent = result.passed ? "✓" : "✗";
      tr.cells[4].className = result.passed ? "passed" : "failed";
      if (result.passed) ++tests.passed;
      else ++tests.failed;
    }
    if (next < rows.length) setTimeout(some, 0);
    else summary.textContent = M.WebApp.testSummary(tests.passed, tests.failed);
  };
  some();
}

// The program or the kind changed: the results shown are no longer its own.
function testsStale() {
  if (!app || $("testsPane").hidden || !tests.generation) return;
  if (!tests.stale) {
    ++tests.generation;  // a run still going is given up
    tests.stale = true;
    for (const tr of $("testTable").tBodies[0].rows) tr.classList.add("stale");
    $("testSummary").textContent = TESTS_STALE + $("testSummary").textContent;
  }
  clearTimeout(tests.again);
  tests.again = setTimeout(runTests, 500);
}

function chooseCase(tr) {
  if (!tr || tr.dataset.case === undefined) return;
  app.testChosen(Number(tr.dataset.case));
  afterCommand();
}

function testKey(event) {
  const tr = event.target.closest("tr");
  const rows = [...$("testTable").tBodies[0].rows];
  const to = { ArrowDown: 1, ArrowUp: -1 }[event.key];
  if (event.key === "Enter") {
    event.preventDefault();
    chooseCase(tr);
  } else if (to) {
    event.preventDefault();
    const next = rows[clamp(rows.indexOf(tr) + to, 0, rows.length - 1)];
    tr.tabIndex = -1;
    next.tabIndex = 0;
    next.focus();
  }
}

// ---- Sharing by link ----
// Kind, program, tape (as much as the settings keep) and speed travel in the
// link's fragment, deflated by the browser and in base64url: nothing goes to
// a server. Opening such a link asks the change prompt first.

const SHARED = "#p=";

async function deflated(text) {
  const stream = new Blob([text]).stream().pipeThrough(new CompressionStream("deflate-raw"));
  const bytes = new Uint8Array(await new Response(stream).arrayBuffer());
  let binary = "";
  for (const b of bytes) binary += String.fromCharCode(b);
  return btoa(binary).replace(/\+/g, "-").replace(/\//g, "_").replace(/=+$/, "");
}

async function inflated(code) {
  const bytes = Uint8Array.from(atob(code.replace(/-/g, "+").replace(/_/g, "/")), (c) => c.charCodeAt(0));
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("deflate-raw"));
  return new Response(stream).text();
}

async function copyLink() {
  const shared = { kind: app.kind(), program: app.programText(), tape: app.tapeToStore(), speed: app.sliderPosition() };
  const link = location.href.split("#")[0] + SHARED + (await deflated(JSON.stringify(shared)));
  try {
    await navigator.clipboard.writeText(link);
    app.linkCopied();
  } catch (e) {
    await ask(link, ["OK"], 0);  // no clipboard: the link to copy by hand
  }
}

async function openLink() {
  if (!location.hash.startsWith(SHARED)) return;
  const code = location.hash.slice(SHARED.length);
  history.replaceState(null, "", location.href.split("#")[0]);  // a reload does not open it again
  let shared;
  try {
    shared = JSON.parse(await inflated(code));
    if (typeof shared.program !== "string" || typeof shared.tape !== "string") throw new Error("no program");
  } catch (e) {
    await showMessage(LINK_BROKEN);
    return;
  }
  const { answer, name } = await changePrompt();
  app.openShared(answer, name, Number(shared.kind), shared.program, shared.tape, Number(shared.speed) || 1);
  afterCommand();
}

// ---- Dialogs ----

let dialogs = Promise.resolve();

// A box with the text and buttons; resolves to the index of the button taken
// (`cancel` for Escape). With `input`, a field under the text: a file name
// (a string, the suggestion; resolves to the name, "" for any other button),
// or {value, label, lines} (resolves to the text, null for any other button).
// `code` shows the text in the program's font. Boxes come one after the other.
function ask(text, buttons, cancel, input, code = false) {
  const shownBox = dialogs.then(() => new Promise((resolve) => {
    const box = $("box");
    $("boxText").textContent = text;
    $("boxText").classList.toggle("code", code);
    const asked = typeof input === "object" ? input : input === undefined ? null : { value: input, label: "Dateiname" };
    const name = $("boxName"), lines = $("boxLines");
    const field = asked?.lines ? lines : name;
    name.hidden = lines.hidden = true;
    if (asked) {
      field.hidden = false;
      field.value = asked.value;
      field.setAttribute("aria-label", asked.label);
    }
    const row = $("boxButtons");
    row.replaceChildren();
    buttons.forEach((caption, i) => {
      const button = document.createElement("button");
      button.textContent = caption;
      button.value = String(i);
      row.append(button);
    });
    box.returnValue = "";
    box.onclose = () => {
      const i = box.returnValue === "" ? cancel : Number(box.returnValue);
      if (!asked) resolve(i);
      else if (typeof input !== "object") resolve(i === 0 ? name.value.trim() : "");
      else resolve(i === 0 ? field.value : null);
    };
    box.showModal();
    (asked ? field : row.firstChild).focus();
  }));
  dialogs = shownBox.then(() => undefined);
  return shownBox;
}

function showMessage(text) { return ask(text, ["OK"], 0); }

async function askFileName(suggestion) {
  return ask("Speichern unter:", ["Speichern", "Abbrechen"], 1, suggestion);  // the module adds ".txt"
}

function showTextWindow(id) {
  const window = $(id);
  if (!window.open) window.show();
  window.querySelector("button").focus();
}

// ---- Showing the machine ----

function render() {
  for (let l = 0; l < LABELS.length; ++l) {
    const label = $(LABELS[l]);
    const text = app.labelText(l);
    if (label.textContent !== text) label.textContent = text;
    label.className = "label " + COLOURS[app.labelColour(l)];
  }
  for (let p = 0; p < PANELS; ++p) {
    const panel = $("panel" + p);
    const text = app.panel(p);
    if (panel.textContent !== text) panel.textContent = text;
  }
  const kind = app.kind();
  for (const button of $("kinds").children) button.setAttribute("aria-pressed", String(Number(button.dataset.kind) === kind));
  for (const item of document.querySelectorAll("[data-tool]"))
    item.setAttribute("aria-disabled", String(!app.toolAccepts(Number(item.dataset.tool))));
  const running = app.running();
  $("startButton").textContent = running ? "Anhalten" : "Starten";
  $("loopCheck").setAttribute("aria-checked", String(app.loopCheck()));
  $("secondBox").hidden = !app.secondFieldShown();
  for (const field of fields) field.show();
  program.show();
  $("speed").value = app.sliderPosition();
  $("speed").setAttribute("aria-valuetext", $("LFrequenz2").textContent);  // "0,2 Hz", not "1"
  // The labels are read out after a step or at the run's end, not at every tick.
  $("labels").setAttribute("aria-busy", String(running));
  const caption = app.caption();
  if (caption && document.title !== caption) document.title = caption;
  for (const text of app.takeDialogs()) showMessage(text);
  takeFocus();
  diagram?.follow();
  if (running) startTimer();
}

// The field the machine puts the focus on: the tape after a reset, the faulty
// line of the program after a parse; once the boxes shown before are closed,
// since a box gives the focus back where it found it.
function takeFocus() {
  const request = app.takeFocus();
  if (request.target >= 0) dialogs.then(() => focusOn(request));
}

function focusOn(request) {
  const element = request.target === 2 ? program.area : fields[request.target].input;
  element.focus({ preventScroll: true });
  if (request.target === 2 && request.start >= 0) program.select(request.start, request.length);
}

// The advance of a cell as the field lays its text out (a span of the same
// font may differ in the last digits, which adds up along a long tape). The
// field's width is a whole number of pixels, so the probe is long.
function measureCharWidth() {
  const probe = $("EBand").cloneNode();
  probe.removeAttribute("id");
  probe.style.position = "absolute";
  probe.style.visibility = "hidden";
  probe.value = "*".repeat(20000);
  $("tapeBox").append(probe);
  const style = getComputedStyle(probe);
  charWidth = (probe.scrollWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)) / 20000;
  probe.remove();
}

// The cells the tape field shows by the window's rule: 9 pixels a cell, less 8.
function tapeCells() { return Math.max(1, Math.floor($("EBand").offsetWidth / 9) - 8); }

function padding(input) { return parseFloat(getComputedStyle(input).paddingLeft) + input.clientLeft; }

const clamp = (x, low, high) => Math.min(Math.max(x, low), high);

// A one-line field of cells: the tape or the second field, with the head
// cell's box and, on the tape, the '^' under it. A field lays out all of its
// text at each change, so a long tape is shown WINDOW cells at a time, from
// `offset` on: a step costs the same on any tape. The window follows the
// head, and the user's scrolling and Home and End; an edit goes to the cells
// it changed.
const WINDOW = 4000, EDGE = 500;

class FieldView {
  constructor(f) {
    this.f = f;
    this.input = $(FIELDS[f]);
    this.head = $("headCell" + f);
    this.marker = f === 0 ? $("Schreiblesekopf") : null;
    this.offset = 0;
    this.length = 0;
    this.text = "";  // what the field holds
    this.revision = -1;
    this.marked = -1;
  }

  get windowed() { return this.length > WINDOW; }

  // After a command or a frame: the cells when they changed, the head in view.
  show() {
    const revision = app.fieldRevision(this.f);
    const marked = app.markedCell(this.f);
    const changed = revision !== this.revision;
    this.revision = revision;
    if (changed) this.length = app.fieldLength(this.f);
    let offset = this.offset;
    if (this.windowed && marked !== this.marked && marked >= 0 &&
        (marked < offset + EDGE || marked >= offset + WINDOW - EDGE)) offset = marked - WINDOW / 2;
    offset = this.windowed ? clamp(offset, 0, this.length - WINDOW) : 0;
    if (changed || offset !== this.offset) this.load(offset);
    if (marked !== this.marked) {
      this.marked = marked;
      this.scrollTo(marked);
    }
    this.place();
  }

  // The cells from `offset` on; the cells in view and the caret stay where they were.
  load(offset) {
    const input = this.input;
    const focused = document.activeElement === input;
    const caret = this.offset + input.selectionStart;
    const firstShown = this.offset + input.scrollLeft / charWidth;
    const text = this.windowed ? app.fieldSlice(this.f, offset, WINDOW) : app.fieldText(this.f);
    this.offset = offset;
    this.text = text;
    if (input.value !== text) input.value = text;
    if (focused) {
      const at = clamp(caret - offset, 0, text.length);
      input.setSelectionRange(at, at);
    }
    input.scrollLeft = (firstShown - offset) * charWidth;
  }

  // The user typed, deleted or pasted: only the cells that changed go to the module.
  edited() {
    const now = this.input.value, old = this.text;
    if (this.offset === 0 && !this.windowed) {
      app.fieldEdited(this.f, now);
    } else {
      let p = 0, s = 0;
      while (p < old.length && p < now.length && old[p] === now[p]) ++p;
      while (s < old.length - p && s < now.length - p && old[old.length - 1 - s] === now[now.length - 1 - s]) ++s;
      app.fieldEditedAt(this.f, this.offset + p, old.length - p - s, now.slice(p, now.length - s));
    }
    this.length = app.fieldLength(this.f);
    if (this.windowed) {
      const caret = this.offset + this.input.selectionStart;
      this.load(clamp(now.length > WINDOW ? caret - WINDOW / 2 : this.offset, 0, this.length - WINDOW));
    } else {
      this.load(0);  // a character the code page lacks becomes '?'
    }
    this.place();
  }

  // Near either end of the window the window moves on, keeping the cells in view.
  scrolled() {
    if (this.windowed) {
      const first = this.input.scrollLeft / charWidth;
      const last = first + this.input.clientWidth / charWidth;
      if ((first < EDGE / 4 && this.offset > 0) ||
          (last > this.text.length - EDGE / 4 && this.offset + this.text.length < this.length))
        this.load(clamp(this.offset + Math.round(first) - WINDOW / 2, 0, this.length - WINDOW));
    }
    this.place();
  }

  // Home and End go to the ends of the whole tape.
  key(event) {
    if (!this.windowed || event.ctrlKey || (event.key !== "Home" && event.key !== "End")) return;
    this.load(event.key === "Home" ? 0 : this.length - WINDOW);
  }

  scrollTo(index) {
    if (index < 0) return;
    const input = this.input;
    const left = (index - this.offset) * charWidth;
    const visible = input.clientWidth - 2 * padding(input);
    if (left < input.scrollLeft) input.scrollLeft = Math.max(0, left - visible / 4);
    else if (left + charWidth > input.scrollLeft + visible) input.scrollLeft = left + charWidth - visible + visible / 4;
  }

  place() {
    const x = padding(this.input) + (this.marked - this.offset) * charWidth - this.input.scrollLeft;
    const inside = this.marked >= 0 && x >= 0 && x + charWidth <= this.input.offsetWidth;
    this.head.hidden = !inside;
    if (inside) {
      this.head.style.left = x + "px";
      this.head.style.width = charWidth + "px";
    }
    if (this.marker) {
      this.marker.hidden = !inside;
      this.marker.style.left = (inside ? x : 0) + "px";
    }
  }
}

// The lines of a text, and the line of a position in it.
const lineCount = (text) => { let n = 1; for (let i = text.indexOf("\n"); i >= 0; i = text.indexOf("\n", i + 1)) ++n; return n; };
const lineOf = (text, index) => lineCount(text.slice(0, index)) - 1;
// Where a line starts; the text's end for a line past it.
function lineStart(text, line) {
  let i = 0;
  for (let l = 0; l < line && i >= 0; ++l) i = text.indexOf("\n", i) + 1 || -1;
  return i < 0 ? text.length : i;
}

// The program area. A text area lays out all of its text at each key, a third
// of a second with a megabyte of short lines; so a long program is shown
// LINES lines at a time, from line `offset` on, as the tape field shows its
// cells. The window follows the caret and the scrolling; Ctrl+Home and
// Ctrl+End reach the ends of the whole program, and Ctrl+A takes all of it
// into the area until the next edit. A short program is the area's whole
// text, edited as a whole with the area's own undo.
const LINES = 2000, LINE_EDGE = 200;

class ProgramView {
  constructor() {
    this.area = $("MProgramm");
    this.offset = 0;
    this.count = 1;       // the program's lines
    this.text = "";       // what the area holds
    this.whole = true;    // the whole program
    this.revision = -1;
    this.lineHeight = parseFloat(getComputedStyle(this.area).lineHeight);
  }

  // After a command: the module's text when it changed.
  show() {
    const revision = app.programRevision();
    if (revision === this.revision) return;
    this.revision = revision;
    this.count = app.programLineCount();
    this.load(this.count > LINES ? clamp(this.offset, 0, this.count - LINES) : -1);
    testsStale();
  }

  // The lines from `offset` on, or the whole program (-1). The caret stays on
  // its line and column of the program, and the first line in view in view.
  load(offset, caret = this.caret()) {
    const area = this.area;
    const focused = document.activeElement === area;
    const firstShown = (this.whole ? 0 : this.offset) + area.scrollTop / this.lineHeight;
    this.whole = offset < 0;
    this.offset = this.whole ? 0 : offset;
    this.text = this.whole ? app.programText() : app.programLines(offset, LINES);
    if (area.value === this.text) return;
    area.value = this.text;
    if (focused) {
      const line = clamp(caret.line - this.offset, 0, lineCount(this.text) - 1);
      const start = lineStart(this.text, line);
      const end = this.text.indexOf("\n", start);
      const at = Math.min(start + caret.column, end < 0 ? this.text.length : end);
      area.setSelectionRange(at, at);
    }
    area.scrollTop = (firstShown - this.offset) * this.lineHeight;
  }

  // The caret's line in the program and its column, at `index` of the text
  // the area holds or is about to hold.
  caret(text = this.area.value, index = this.area.selectionStart) {
    const line = lineOf(text, index);
    return { line: (this.whole ? 0 : this.offset) + line, column: index - lineStart(text, line) };
  }

  // The user typed, deleted or pasted: the lines of the window go to the
  // module. The area's text, or a long paste's result that it never held.
  edited(now = this.area.value, caretAt = this.area.selectionStart) {
    if (this.whole) app.programEdited(now);
    else app.programLinesEdited(this.offset, lineCount(this.text), now);
    const caret = this.caret(now, caretAt);
    this.text = now;
    this.count = app.programLineCount();
    if (this.count > LINES && (this.whole || lineCount(now) > LINES + LINES / 2))
      this.load(clamp(caret.line - LINES / 2, 0, this.count - LINES), caret);
    else if (this.count <= LINES && !this.whole)
      this.load(-1, caret);
  }

  // Near either end of the window the window moves on, keeping the lines in view.
  scrolled() {
    if (this.whole) return;
    const first = this.area.scrollTop / this.lineHeight;
    const last = first + this.area.clientHeight / this.lineHeight;
    const lines = lineCount(this.text);
    if ((first < LINE_EDGE / 4 && this.offset > 0) ||
        (last > lines - LINE_EDGE / 4 && this.offset + lines < this.count))
      this.load(clamp(this.offset + Math.round(first) - LINES / 2, 0, this.count - LINES));
  }

  key(event) {
    if (this.whole || !(event.ctrlKey || event.metaKey)) return;
    if (event.key === "Home") this.load(0);
    else if (event.key === "End") this.load(this.count - LINES);
    else if (event.key.toLowerCase() === "a") this.load(-1);
  }

  // A paste or a drop that would make the program larger than a file any
  // reader takes is refused, before the area takes it in. A long paste goes
  // to the module without the area: true when it did.
  taking(event, data) {
    const taken = data ? data.getData("text/plain") : "";
    const area = this.area, from = area.selectionStart, to = area.selectionEnd;
    const bytes = (text) => (text.length > 2 * MAX_PROGRAM_BYTES ? Infinity : M.WebApp.fileBytes(text));
    if (app.programFileBytes() - bytes(area.value.slice(from, to)) + bytes(taken) > MAX_PROGRAM_BYTES) {
      event.preventDefault();
      showMessage(PASTE_TOO_LARGE);
      return false;
    }
    if (event.type !== "paste" || lineCount(taken) + lineCount(area.value) <= LINES + LINES / 2) return false;
    event.preventDefault();
    this.edited(area.value.slice(0, from) + taken + area.value.slice(to), from + taken.length);
    return true;
  }

  // Selects in the program; the selection counts each line break as two
  // characters (CR LF), the area has one.
  select(start, length) {
    const text = this.whole ? this.area.value : app.programText();
    const index = (units) => {
      let i = 0;
      for (let u = 0; u < units && i < text.length; ++i) u += text[i] === "\n" ? 2 : 1;
      return i;
    };
    let from = index(start), to = index(start + length);
    if (!this.whole) {
      this.load(clamp(lineOf(text, from) - LINES / 2, 0, this.count - LINES));
      const shift = lineStart(text, this.offset);
      from = clamp(from - shift, 0, this.text.length);
      to = clamp(to - shift, 0, this.text.length);
    }
    this.area.setSelectionRange(from, to);
    // In the middle of the area, before its scrolling moves the window.
    this.area.scrollTop = lineOf(this.text, from) * this.lineHeight - this.area.clientHeight / 2;
  }
}

// ---- The automatic run: the timer catches up with the clock ----
// A browser's timers fire late and no more often than every 4 ms, so each
// firing takes all the ticks that are due by the clock: the run keeps the
// nominal rate up to 500 Hz. The page is drawn once per animation frame.

let timer = 0, lastTime = 0, owed = 0, painting = 0;

function startTimer() {
  if (timer) return;
  lastTime = performance.now();
  owed = 0;
  timer = setTimeout(tick, app.timerInterval());
}

function tick() {
  timer = 0;
  if (!app.running()) return;
  const interval = app.timerInterval();
  const now = performance.now();
  // After a long pause (a hidden tab) at most a quarter second's ticks.
  owed = Math.min(owed + (now - lastTime) / interval, Math.max(1, 250 / interval));
  lastTime = now;
  const due = Math.floor(owed);
  if (due > 0) {
    owed -= due;
    stats.ticks += app.ticks(due);
  }
  if (app.running()) {
    timer = setTimeout(tick, (1 - owed) * interval);
    if (due > 0) paintSoon();
  } else {
    render();  // the run's last step, at once
    storeSoon();
  }
}

function paintSoon() {
  if (painting) return;
  painting = requestAnimationFrame(() => {
    painting = 0;
    ++stats.frames;
    render();
  });
}

// ---- The browser's storage ----

function restore() {
  const get = (key) => {
    try {
      return localStorage.getItem(key);
    } catch (e) {
      return null;  // storage turned off: the page starts afresh
    }
  };
  const program = get(STORE.program), tape = get(STORE.tape);
  app.restore(get(STORE.settings) || "", program !== null, program || "", tape !== null, tape || "",
              get(STORE.changed) === "1");
}

// The program first: when the storage is full, what it keeps stays whole.
// The tape is kept as the settings keep the last tape, and only when it
// differs from it. A failure is shown in the status bar, with "Speichern".
function store() {
  try {
    localStorage.setItem(STORE.program, app.programText());
    if (app.tapeIsLastTape()) localStorage.removeItem(STORE.tape);
    else localStorage.setItem(STORE.tape, app.tapeToStore());
    localStorage.setItem(STORE.settings, app.settingsText());
    localStorage.setItem(STORE.changed, app.programChanged() ? "1" : "0");
    $("storeNote").hidden = true;
  } catch (e) {
    $("storeNote").hidden = false;
  }
}

// Writing the storage takes the whole tape: once after a burst of commands or keys.
let storing = 0;
function storeSoon() {
  clearTimeout(storing);
  storing = setTimeout(store, 300);
}
