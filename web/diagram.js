// The pane "Zustandsdiagramm", loaded when it is first opened. The module's
// follower says what to draw (the diagram in Graphviz's language with a note
// under it, nothing when it is too large, the last one greyed under a fault)
// and where the run stands; Graphviz compiled to WebAssembly lays it out in a
// worker, and the pane shows Graphviz's SVG with the run's marks as classes.
// When Graphviz takes long, the states stand on a circle meanwhile, marked
// as the picture would be. Its zoom: at first the diagram fills the pane but is never drawn smaller
// than its text's size; "+" and "−" choose a size, "Einpassen" shows it whole.
"use strict";

// The colours of the window's pane.
const MARK_COLOURS = { current: "#ffe27a", accepted: "#8cd28c", rejected: "#f08282", next: "#145adc" };
const VERDICT_CLASSES = ["current", "accepted", "rejected"];
const ZOOM_STEP = 1.25;

// Graphviz, one layout at a time. A text asked for while one is laid out
// waits, and a newer one takes its place: a superseded text resolves to null
// without being laid out. In a worker where the page may start one; opened
// from a folder, where it may not, on the page's own thread.
class Layouter {
  constructor() {
    this.running = null;  // {dot, resolve}
    this.waiting = null;
    this.worker = null;
    this.local = null;    // Viz on the page's thread
    this.answered = false;
    try {
      this.worker = new Worker("layout-worker.js");
      this.worker.onmessage = ({ data }) => {
        this.answered = true;
        this.finish(data);
      };
      this.worker.onerror = (event) => {
        event.preventDefault();
        if (!this.answered) this.withoutWorker();
        else this.finish({ error: event.message || "?" });
      };
    } catch (e) {
      this.worker = null;
    }
  }

  layOut(dot) {
    return new Promise((resolve) => {
      if (this.waiting) this.waiting.resolve(null);
      this.waiting = { dot, resolve };
      if (!this.running) this.next();
    });
  }

  next() {
    this.running = this.waiting;
    this.waiting = null;
    if (!this.running) return;
    if (this.worker) this.worker.postMessage({ dot: this.running.dot });
    else this.renderHere(this.running.dot);
  }

  finish(answer) {
    const done = this.running;
    this.running = null;
    if (done) done.resolve(answer);
    this.next();
  }

  // The worker could not start: Graphviz on this thread instead.
  withoutWorker() {
    this.worker.terminate();
    this.worker = null;
    if (this.running) this.renderHere(this.running.dot);
  }

  async renderHere(dot) {
    try {
      if (!this.local) {
        await loadScript("viz-global.js");  // the page's own (app.js)
        this.local = await Viz.instance();
      }
      const result = this.local.render(dot, { format: "svg" });
      this.finish(result.status === "success" ? { svg: result.output }
        : { error: result.errors.map((e) => e.message).join(" ") || "?" });
    } catch (e) {
      this.finish({ error: String(e.message || e) });
    }
  }
}

class DiagramPane {
  // `app` the module's WebApp, `constants` its texts and limits, `host` the
  // page: replaceProgram(text) puts an edit into the program area as one
  // step of its undo (false when it cannot), undo(redo) undoes in the area,
  // afterCommand() shows what a command changed.
  constructor(app, constants, host) {
    this.app = app;
    this.constants = constants;
    this.pane = document.getElementById("diagramPane");
    this.view = document.getElementById("diagramView");
    this.noteLine = document.getElementById("diagramNote");
    this.layouter = new Layouter();
    this.svg = null;
    this.nodes = [];     // the <g> of each node of the diagram drawn
    this.edges = [];     // of each edge: {g, lines: [<text>, ...]}
    this.drawnDot = "";  // what the drawing is of
    this.pending = 0;    // the layout awaited
    this.pendingDot = "";
    this.pendingNote = "";
    this.requests = 0;
    this.fallback = false;  // the states on a circle, Graphviz still at work
    this.budget = 0;
    this.greyed = false;
    this.marked = { nodes: [], lines: [], verdict: 0 };
    this.size = "filled";  // "filled", "whole" or "chosen"
    this.chosen = 1;
    this.typing = 0;
    this.revision = -1;
    this.kind = -1;
    this.view.addEventListener("wheel", (event) => {
      if (!event.ctrlKey) return;
      event.preventDefault();
      this.zoom(event.deltaY < 0 ? ZOOM_STEP : 1 / ZOOM_STEP);
    }, { passive: false });
    this.view.addEventListener("keydown", (event) => {
      const by = { "+": ZOOM_STEP, "-": 1 / ZOOM_STEP, "−": 1 / ZOOM_STEP }[event.key];
      if (by === undefined || event.ctrlKey || event.altKey) return;
      event.preventDefault();
      this.zoom(by);
    });
    new ResizeObserver(() => this.fit()).observe(this.view);
    this.editor = new DiagramEditor(this, host);
  }

  get shown() { return !this.pane.hidden; }

  // ---- What to draw ----

  opened() {
    this.revision = this.app.programRevision();
    this.kind = this.app.kind();
    this.take(this.app.diagramOpened());
  }

  // The user typed: the text is parsed once the typing pauses; an edit made
  // in the diagram is drawn at once.
  textEdited(now = false) {
    if (!this.shown) return;
    clearTimeout(this.typing);
    if (now) this.take(this.app.diagramTextChanged());
    else this.typing = setTimeout(() => this.take(this.app.diagramTextChanged()), 300);
  }

  // After a command or a frame: a new reset's program, a text replaced, the mark.
  follow() {
    if (!this.shown) return;
    const revision = this.app.programRevision(), kind = this.app.kind();
    if (revision !== this.revision || kind !== this.kind) {
      this.revision = revision;
      this.kind = kind;
      this.textEdited();
    }
    this.take(this.app.diagramMachineShown());
  }

  take(change) {
    if (change === 1) this.draw(this.app.diagramDot(), this.app.diagramNote());
    else if (change === 2) this.clear(this.app.diagramNote());
    else if (change === 3) this.grey(this.app.diagramNote());
    this.mark();
  }

  async draw(dot, note) {
    if (dot === this.drawnDot && this.svg) {  // the same picture: only the note and the grey change
      clearTimeout(this.budget);
      this.pending = 0;
      this.pane.setAttribute("aria-busy", "false");
      this.drawnHere();
      this.setGreyed(false);
      this.setNote(note, false);
      return;
    }
    if (this.pending && dot === this.pendingDot) {  // already on its way
      this.pendingNote = note;
      return;
    }
    this.pendingDot = dot;
    this.pendingNote = note;
    const number = this.pending = ++this.requests;
    this.pane.setAttribute("aria-busy", "true");
    clearTimeout(this.budget);
    this.budget = setTimeout(() => number === this.pending && this.showCircle(this.pendingNote),
                             this.constants.layoutBudgetMs);
    const answer = await this.layouter.layOut(dot);
    if (!answer || number !== this.pending) return;  // a newer text is on its way
    clearTimeout(this.budget);
    this.pending = 0;
    this.fallback = false;
    this.pane.setAttribute("aria-busy", "false");
    if (answer.error) {
      this.clear(this.constants.layoutFailed + answer.error, true);
      return;
    }
    this.show(answer.svg);
    this.drawnDot = dot;
    this.drawnHere();
    this.setGreyed(false);
    this.setNote(this.pendingNote, false);
    this.marked = { nodes: [], lines: [], verdict: 0 };
    this.mark();
    this.pane.dispatchEvent(new Event("laidout"));
  }

  // Graphviz takes long: the diagram asked for with its states on a circle.
  showCircle(note) {
    this.show(circleSvg(this.app.diagramCircle()));
    this.drawnDot = "";  // no text's picture by Graphviz
    this.fallback = true;
    this.drawnHere();
    this.setGreyed(false);
    this.setNote(this.constants.layoutSlow + (note ? "\n" + note : ""), false);
    this.marked = { nodes: [], lines: [], verdict: 0 };
    this.mark();
  }

  // The module is told what the pane drew, and where its states stand.
  drawnHere() {
    this.app.diagramDrawn(true);
    this.editor.drawn();
  }

  show(svgText) {
    const svg = typeof svgText === "string"
      ? new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement : svgText;
    svg.removeAttribute("width");
    svg.removeAttribute("height");
    svg.setAttribute("aria-hidden", "true");
    this.view.replaceChildren(svg);
    this.svg = svg;
    // Graphviz numbers its nodes and edges as they were written: the start
    // point and its arrow first, then the diagram's own in their order.
    const numbered = (kind) => {
      const list = [];
      for (const g of svg.querySelectorAll(`g.${kind}`)) {
        const index = Number(g.id.slice(kind.length)) - 2;
        if (index >= 0) list[index] = g;
      }
      return list;
    };
    this.nodes = numbered("node");
    this.edges = numbered("edge").map((g) => ({ g, lines: [...g.querySelectorAll("text")] }));
    this.fit();
  }

  clear(note, fault = false) {
    clearTimeout(this.budget);
    this.pending = 0;
    this.fallback = false;
    this.pane.setAttribute("aria-busy", "false");
    this.view.replaceChildren();
    this.svg = null;
    this.nodes = [];
    this.edges = [];
    this.drawnDot = "";
    this.app.diagramDrawn(false);
    this.editor.drawn();
    this.setGreyed(false);
    this.setNote(note, fault);
  }

  grey(note) {
    this.setGreyed(true);
    this.setNote(note, true);
  }

  setGreyed(greyed) {
    this.greyed = greyed;
    this.view.classList.toggle("greyed", greyed);
  }

  setNote(text, fault) {
    this.noteLine.textContent = text;
    this.noteLine.classList.toggle("fault", fault);
  }

  // ---- The run's marks ----

  mark() {
    const mark = this.svg && (!this.pending || this.fallback) ? this.app.diagramMarked() : { nodes: [], lines: [], verdict: 0 };
    const before = this.marked;
    if (JSON.stringify(mark) === JSON.stringify(before)) return;
    this.marked = mark;
    for (const n of before.nodes) this.nodes[n]?.classList.remove(...VERDICT_CLASSES);
    for (const n of mark.nodes) this.nodes[n]?.classList.add(VERDICT_CLASSES[mark.verdict]);
    for (const [e, l] of before.lines) {
      this.edges[e]?.g.classList.remove("next");
      this.edges[e]?.lines[l]?.classList.remove("next");
    }
    for (const [e, l] of mark.lines) {
      this.edges[e]?.g.classList.add("next");
      this.edges[e]?.lines[l]?.classList.add("next");
    }
    // A diagram larger than the pane keeps the current state in view.
    const first = this.nodes[mark.nodes[0]];
    if (first && before.nodes[0] !== mark.nodes[0]) first.scrollIntoView({ block: "nearest", inline: "nearest" });
  }

  // The marked states and label lines by their names, as the page tests read them.
  markedNames() {
    const name = (g) => g.querySelector("text")?.textContent ?? "";
    return {
      nodes: this.nodes.filter((g) => g.matches(".current, .accepted, .rejected")).map(name),
      lines: this.edges.flatMap((e) => e.lines.filter((t) => t.classList.contains("next")).map((t) => t.textContent)).sort(),
      verdict: ["none", "accepted", "rejected"][this.marked.verdict],
    };
  }

  // ---- Size ----

  natural() {
    const box = this.svg.viewBox.baseVal;
    return { width: box.width, height: box.height };
  }

  fit() {
    if (!this.svg) return;
    const { width, height } = this.natural();
    const room = { width: this.view.clientWidth - 8, height: this.view.clientHeight - 8 };
    const whole = Math.max(0.05, Math.min(room.width / width, room.height / height, 2));
    this.scale = this.size === "whole" ? whole : this.size === "chosen" ? this.chosen : Math.max(whole, 1);
    this.svg.style.width = width * this.scale + "px";
    this.svg.style.height = height * this.scale + "px";
  }

  zoom(by) {
    if (!this.svg) return;
    this.chosen = Math.min(8, Math.max(0.1, (this.scale || 1) * by));
    this.size = "chosen";
    this.fit();
  }

  fitWhole() {
    this.size = "whole";
    this.fit();
  }

  async fullScreen() {
    if (document.fullscreenElement) await document.exitFullscreen();
    else await this.pane.requestFullscreen().catch(() => {});
    this.fit();
  }

  // ---- Export and print ----

  // The SVG as a file, with the run's colours written into it or without them.
  exported(withMarks) {
    const copy = this.svg.cloneNode(true);
    const { width, height } = this.natural();
    copy.setAttribute("width", `${width}pt`);
    copy.setAttribute("height", `${height}pt`);
    copy.removeAttribute("style");
    copy.removeAttribute("aria-hidden");
    const title = copy.querySelector("title");
    if (title) title.textContent = "Zustandsdiagramm";
    if (withMarks) {
      for (const g of copy.querySelectorAll(".current, .accepted, .rejected")) {
        const colour = MARK_COLOURS[VERDICT_CLASSES.find((c) => g.classList.contains(c))];
        g.querySelector("ellipse")?.setAttribute("fill", colour);
      }
      for (const g of copy.querySelectorAll("g.edge.next")) {
        for (const shape of g.querySelectorAll("path, polygon")) {
          shape.setAttribute("stroke", MARK_COLOURS.next);
          shape.setAttribute("stroke-width", "2.2");
        }
        g.querySelector("polygon")?.setAttribute("fill", MARK_COLOURS.next);
      }
      for (const t of copy.querySelectorAll("text.next")) t.setAttribute("fill", MARK_COLOURS.next);
    }
    for (const e of copy.querySelectorAll("[class]")) e.classList.remove(...VERDICT_CLASSES, "next", "chosen");
    return copy;
  }

  svgBlob(withMarks) {
    const text = '<?xml version="1.0" encoding="UTF-8" standalone="no"?>\n' +
      new XMLSerializer().serializeToString(this.exported(withMarks));
    return new Blob([text], { type: "image/svg+xml" });
  }

  // At twice the size, on white.
  async pngBlob(withMarks) {
    const url = URL.createObjectURL(this.svgBlob(withMarks));
    try {
      const image = new Image();
      image.src = url;
      await image.decode();
      const { width, height } = this.natural();
      const canvas = document.createElement("canvas");
      canvas.width = Math.ceil(width * 2);
      canvas.height = Math.ceil(height * 2);
      const context = canvas.getContext("2d");
      context.fillStyle = "#fff";
      context.fillRect(0, 0, canvas.width, canvas.height);
      context.drawImage(image, 0, 0, canvas.width, canvas.height);
      return await new Promise((resolve) => canvas.toBlob(resolve, "image/png"));
    } finally {
      URL.revokeObjectURL(url);
    }
  }
}

// The circle as Graphviz's SVG has a diagram: the start point and its arrow
// first, then each node (title nK, circles, name) and each edge (path, arrow
// head, a text a line of its label), numbered as Graphviz numbers them.
function circleSvg(c) {
  const NS = "http://www.w3.org/2000/svg";
  const add = (parent, name, attributes, text) => {
    const e = document.createElementNS(NS, name);
    for (const [key, value] of Object.entries(attributes)) e.setAttribute(key, value);
    if (text !== undefined) e.textContent = text;
    parent.append(e);
    return e;
  };
  const svg = document.createElementNS(NS, "svg");
  svg.setAttribute("viewBox", `-6 -6 ${c.width + 12} ${c.height + 12}`);
  const graph = add(svg, "g", { id: "graph0", class: "graph" });
  add(graph, "title", {}, "automat");
  const arrow = (from, tip) => {
    const dx = tip[0] - from[0], dy = tip[1] - from[1], length = Math.hypot(dx, dy) || 1;
    const ux = dx / length, uy = dy / length, back = [tip[0] - ux * 10, tip[1] - uy * 10];
    return [[back[0] - uy * 3.5, back[1] + ux * 3.5], tip, [back[0] + uy * 3.5, back[1] - ux * 3.5]]
      .map((p) => p.join(",")).join(" ");
  };
  const start = add(graph, "g", { id: "node1", class: "node" });
  add(start, "title", {}, "start");
  add(start, "ellipse", { fill: "black", stroke: "black", cx: c.start[0], cy: c.start[1], rx: 1.8, ry: 1.8 });
  if (c.nodes.length) {
    const [x, y] = c.nodes[0].centre, r = c.nodes[0].size / 2;
    const tip = [x - r, y], end = [tip[0] - 10, y];
    const into = add(graph, "g", { id: "edge1", class: "edge" });
    add(into, "title", {}, "start->n0");
    add(into, "path", { fill: "none", stroke: "black", d: `M${c.start.join(",")}L${end.join(",")}` });
    add(into, "polygon", { fill: "black", stroke: "black", points: arrow(end, tip) });
  }
  c.nodes.forEach((n, i) => {
    const g = add(graph, "g", { id: `node${i + 2}`, class: "node" });
    add(g, "title", {}, `n${i}`);
    const [cx, cy] = n.centre;
    add(g, "ellipse", { fill: "none", stroke: "black", cx, cy, rx: n.size / 2, ry: n.size / 2 });
    if (n.end) add(g, "ellipse", { fill: "none", stroke: "black", cx, cy, rx: n.size / 2 - 4, ry: n.size / 2 - 4 });
    add(g, "text", { "text-anchor": "middle", x: cx, y: cy + 4.2, "font-family": "Liberation Sans", "font-size": 12 }, n.name);
  });
  c.edges.forEach((e, i) => {
    const g = add(graph, "g", { id: `edge${i + 2}`, class: "edge" });
    add(g, "title", {}, `edge ${i}`);
    const p = e.spline;
    let d = `M${p[0].join(",")}`;
    for (let k = 1; k + 2 < p.length; k += 3) d += `C${p[k].join(",")} ${p[k + 1].join(",")} ${p[k + 2].join(",")}`;
    add(g, "path", { fill: "none", stroke: "black", d });
    add(g, "polygon", { fill: "black", stroke: "black", points: arrow(p[p.length - 1], e.head) });
    e.lines.forEach((line, l) => {
      const y = e.label[1] + (l - (e.lines.length - 1) / 2) * 12 + 3.5;
      add(g, "text", { "text-anchor": "middle", x: e.label[0], y, "font-family": "Liberation Mono", "font-size": 10 }, line)
        .setAttributeNS("http://www.w3.org/XML/1998/namespace", "xml:space", "preserve");
    });
  });
  return svg;
}

// Editing the program in its diagram ("Bearbeiten", Ctrl+B), with the
// window's gestures: the module's DiagramGestures says what each does, the
// pane shows the choice, the label editor and the sentence under the
// diagram, and every edit goes into the program area as one step of its undo.
// Coordinates are those of the window's drawing: the SVG's less Graphviz's
// margin of 4 points.
const GRAPHVIZ_PAD = 4;

class DiagramEditor {
  constructor(pane, host) {
    this.pane = pane;
    this.app = pane.app;
    this.host = host;
    this.G = pane.constants.gestures;
    this.K = pane.constants.gestureKeys;
    this.on = false;
    this.drag = null;  // {node, start, connect, line}
    this.chosen = { node: -1, line: [-1, -1] };
    // The sentence under the diagram, the label editor and the context menu.
    const style = document.createElement("link");
    style.rel = "stylesheet";
    style.href = "diagram.css";
    document.head.append(style);
    const make = (name, attributes, parent = pane.pane) => {
      const e = document.createElement(name);
      for (const [key, value] of Object.entries(attributes)) e.setAttribute(key, value);
      parent.append(e);
      return e;
    };
    this.box = make("div", { id: "labelEditor", hidden: "" });
    this.field = make("input", { id: "labelField", type: "text", "aria-label": "Beschriftung",
                                 "aria-describedby": "labelFault", autocomplete: "off", spellcheck: "false" }, this.box);
    this.fault = make("p", { id: "labelFault", role: "alert" }, this.box);
    this.menu = make("div", { id: "diagramMenu", role: "menu", "aria-label": "Diagramm", hidden: "" });
    this.hint = make("p", { id: "diagramHint", role: "status" });
    pane.noteLine.before(this.hint);
    const view = pane.view;
    view.addEventListener("dblclick", (e) => this.on && this.doubleClick(e));
    view.addEventListener("pointerdown", (e) => this.on && this.press(e));
    view.addEventListener("pointermove", (e) => this.drag && this.move(e));
    view.addEventListener("pointerup", (e) => this.drag && this.release(e));
    view.addEventListener("contextmenu", (e) => this.on && this.contextMenu(e));
    view.addEventListener("keydown", (e) => this.on && this.key(e));
    this.field.addEventListener("keydown", (e) => {
      if (e.key === "Enter") this.commit();
      else if (e.key === "Escape") this.closeLabel(true);
      else return;
      e.preventDefault();
      e.stopPropagation();
    });
    this.menu.addEventListener("keydown", (e) => this.menuKey(e));
    this.menu.addEventListener("focusout", (e) => !this.menu.contains(e.relatedTarget) && this.closeMenu(false));
  }

  gesture(name, args = [], text = "") {
    return this.app.diagramGesture(this.G[name], args, text);
  }

  // "Bearbeiten" on or off.
  toggle(on = !this.on) {
    this.on = on;
    this.closeLabel(false);
    this.closeMenu(false);
    this.show(this.gesture("restart"));
    const view = this.pane.view;
    view.classList.toggle("editing", on);
    // In editing the keys are the pane's, also under a screen reader.
    view.setAttribute("role", on ? "application" : "img");
    view.setAttribute("aria-label", on ? "Zustandsdiagramm bearbeiten" : "Zustandsdiagramm");
    this.hint.textContent = on ? this.pane.constants.editHint : "";
    document.getElementById("diagramEditButton").setAttribute("aria-pressed", String(on));
    document.getElementById("diagramEditToggle").setAttribute("aria-checked", String(on));
    if (on) view.focus();
  }

  // A new drawing: the states' centres to the module, the choice shown anew.
  drawn() {
    this.app.diagramCentres(this.pane.nodes.flatMap((g, node) => this.centreOf(node)));
    this.showChoice(this.gesture("chosen"));
  }

  // ---- Where the pointer is ----

  at(event) {
    const p = new DOMPoint(event.clientX, event.clientY).matrixTransform(this.pane.svg.getScreenCTM().inverse());
    const pad = this.pane.fallback ? 0 : GRAPHVIZ_PAD;
    return [p.x - pad, p.y - pad];
  }

  nodeOf(target) {
    const g = target.closest?.("g.node");
    return g ? this.pane.nodes.indexOf(g) : -1;
  }

  lineOf(target) {
    const text = target.closest?.("text");
    const g = text?.closest("g.edge");
    const edge = g ? this.pane.edges.findIndex((e) => e.g === g) : -1;
    return edge < 0 ? [-1, -1] : [edge, this.pane.edges[edge].lines.indexOf(text)];
  }

  // ---- The mouse ----

  doubleClick(event) {
    if (!this.pane.svg) return;
    event.preventDefault();
    this.drag = null;
    this.show(this.gesture("doubleClick", [...this.at(event), this.nodeOf(event.target), ...this.lineOf(event.target)]));
  }

  press(event) {
    if (event.button !== 0 || !this.pane.svg) return;
    this.closeMenu(false);
    const node = this.nodeOf(event.target);
    if (node >= 0) {
      event.preventDefault();
      this.pane.view.focus();
      this.show(this.gesture("node", [node]));
      this.drag = { node, start: this.at(event), connect: event.shiftKey, line: null };
      this.pane.view.setPointerCapture?.(event.pointerId);
      if (event.shiftKey) {
        const line = document.createElementNS("http://www.w3.org/2000/svg", "line");
        line.classList.add("connecting");
        this.pane.svg.append(line);
        this.drag.line = line;
        this.move(event);
      }
      return;
    }
    const line = this.lineOf(event.target);
    this.show(line[0] >= 0 ? this.gesture("line", line) : this.gesture("node", [-1]));
  }

  move(event) {
    const [x, y] = this.at(event);
    const { node, start } = this.drag;
    if (this.drag.line) {
      const pad = this.pane.fallback ? 0 : GRAPHVIZ_PAD;
      const c = this.centreOf(node);
      this.drag.line.setAttribute("x1", c[0] + pad);
      this.drag.line.setAttribute("y1", c[1] + pad);
      this.drag.line.setAttribute("x2", x + pad);
      this.drag.line.setAttribute("y2", y + pad);
    } else {
      this.pane.nodes[node]?.setAttribute("transform", `translate(${x - start[0]} ${y - start[1]})`);
    }
  }

  release(event) {
    const drag = this.drag;
    this.drag = null;
    const [x, y] = this.at(event);
    if (drag.line) {
      drag.line.remove();
      const target = this.nodeOf(document.elementFromPoint(event.clientX, event.clientY) ?? event.target);
      if (target >= 0) this.show(this.gesture("connected", [drag.node, target]));
    } else {
      // The state stays where it was dropped until Graphviz's new picture replaces it.
      const answer = this.gesture("dragged", [drag.node, x - drag.start[0], y - drag.start[1]]);
      if (!answer.edited) this.pane.nodes[drag.node]?.removeAttribute("transform");
      this.show(answer);
    }
  }

  // A state's centre in the window's coordinates.
  centreOf(node) {
    const e = this.pane.nodes[node]?.querySelector("ellipse");
    const graph = this.pane.svg?.querySelector("g.graph");
    const matrix = graph?.transform.baseVal.consolidate()?.matrix ?? new DOMMatrix();
    const pad = this.pane.fallback ? 0 : GRAPHVIZ_PAD;
    const p = e ? new DOMPoint(e.cx.baseVal.value, e.cy.baseVal.value).matrixTransform(matrix) : { x: 0, y: 0 };
    return [p.x - pad, p.y - pad];
  }

  // The context menu: for a state, a label line or empty space.
  contextMenu(event) {
    if (!this.pane.svg) return;
    event.preventDefault();
    const point = this.at(event), node = this.nodeOf(event.target), line = this.lineOf(event.target);
    const items = [];
    if (node >= 0) {
      this.show(this.gesture("node", [node]));
      const end = this.pane.nodes[node].querySelectorAll("ellipse").length > 1;  // drawn as a double circle
      items.push(["Endzustand", () => this.show(this.gesture("end", [node])), end]);
      items.push(["Übergang von hier", () => this.show(this.gesture("connectFrom", [node]))]);
    } else if (line[0] >= 0) {
      this.show(this.gesture("line", line));
      items.push(["Beschriftung ändern", () => this.show(this.gesture("editLine", [...line, ...point]))]);
    } else {
      items.push(["Neuer Zustand", () => this.show(this.gesture("add", point))]);
    }
    if (node >= 0 || line[0] >= 0) items.push(["Löschen", () => this.show(this.gesture("remove"))]);
    this.menu.replaceChildren(...items.map(([text, act, checked]) => {
      const b = document.createElement("button");
      b.type = "button";
      b.textContent = text;
      b.setAttribute("role", checked === undefined ? "menuitem" : "menuitemcheckbox");
      if (checked !== undefined) b.setAttribute("aria-checked", String(checked));
      b.addEventListener("click", () => {
        this.closeMenu(true);
        act();
      });
      return b;
    }));
    this.place(this.menu, event.clientX, event.clientY, false);
    this.menu.hidden = false;
    this.menu.firstChild.focus();
  }

  menuKey(event) {
    const items = [...this.menu.children], at = items.indexOf(document.activeElement);
    const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 }[event.key];
    if (to !== undefined) items[(to + items.length) % items.length].focus();
    else if (event.key === "Escape" || event.key === "Tab") this.closeMenu(true);
    else return;
    event.preventDefault();
    event.stopPropagation();
  }

  closeMenu(focusView) {
    if (this.menu.hidden) return;
    this.menu.hidden = true;
    if (focusView) this.pane.view.focus();
  }

  // ---- The keys ----

  key(event) {
    if (event.target !== this.pane.view) return;
    const K = this.K, ctrl = event.ctrlKey || event.metaKey;
    if (ctrl && (event.key === "z" || event.key === "Z" || event.key === "y")) {
      event.preventDefault();
      this.host.undo(event.key === "y" || event.shiftKey);
      return;
    }
    let pressed;
    if (ctrl) {
      if (this.chosen.node < 0) return;
      pressed = { ArrowLeft: K.MoveLeft, ArrowRight: K.MoveRight, ArrowUp: K.MoveUp, ArrowDown: K.MoveDown }[event.key];
    } else if (event.key === "Tab") {
      // Tab goes through the states, and past the last one out of the pane.
      const count = this.pane.nodes.length, node = this.chosen.node;
      if (count === 0 || (event.shiftKey ? node === 0 : node === count - 1)) return;
      pressed = event.shiftKey ? K.PreviousState : K.NextState;
    } else if (!event.altKey) {
      pressed = {
        ArrowRight: K.NextState, ArrowLeft: K.PreviousState, ArrowDown: K.NextLine, ArrowUp: K.PreviousLine,
        n: K.NewState, N: K.NewState, Insert: K.NewState, c: K.Connect, C: K.Connect, e: K.EndState, E: K.EndState,
        Delete: K.Remove, Backspace: K.Remove, Escape: K.Cancel, F2: K.Edit, Enter: K.Edit,
      }[event.key];
    }
    if (pressed === undefined) return;
    event.preventDefault();
    event.stopPropagation();
    const answer = this.gesture("key", [pressed]);
    const by = { [K.MoveLeft]: [-1, 0], [K.MoveRight]: [1, 0], [K.MoveUp]: [0, -1], [K.MoveDown]: [0, 1] }[pressed];
    const g = this.pane.nodes[this.chosen.node];
    if (by && answer.edited && g) {  // moved at once; the edges follow with Graphviz's picture
      const t = g.transform.baseVal.consolidate()?.matrix ?? new DOMMatrix();
      const step = this.pane.constants.keyStep;
      g.setAttribute("transform", `translate(${t.e + by[0] * step} ${t.f + by[1] * step})`);
    }
    this.show(answer);
  }

  // ---- What an answer asks ----

  show(answer) {
    if (answer.edited) {
      const text = this.app.diagramEditedText();
      if (!this.host.replaceProgram(text)) {
        this.app.diagramApplyEdit();
        this.host.afterCommand();
      }
      this.pane.textEdited(true);
    }
    if (answer.openLabel) this.openLabel(answer);
    if (answer.labelFault) this.fault.textContent = answer.said;
    if (answer.said) this.hint.textContent = answer.said;
    this.showChoice(answer);
  }

  showChoice(answer) {
    this.chosen = { node: answer.node, line: answer.line };
    for (const g of this.pane.view.querySelectorAll(".chosen")) g.classList.remove("chosen");
    this.pane.nodes[answer.node]?.classList.add("chosen");
    this.pane.edges[answer.line[0]]?.lines[answer.line[1]]?.classList.add("chosen");
  }

  openLabel(answer) {
    this.field.value = answer.labelText;
    this.field.placeholder = answer.placeholder;
    this.fault.textContent = "";
    let client;
    if (answer.labelAt) {
      const pad = this.pane.fallback ? 0 : GRAPHVIZ_PAD;
      client = new DOMPoint(answer.labelAt[0] + pad, answer.labelAt[1] + pad).matrixTransform(this.pane.svg.getScreenCTM());
    } else {
      const text = this.pane.edges[this.chosen.line[0]]?.lines[this.chosen.line[1]];
      const r = text?.getBoundingClientRect() ?? this.pane.view.getBoundingClientRect();
      client = { x: r.left + r.width / 2, y: r.top + r.height / 2 };
    }
    this.box.hidden = false;
    this.place(this.box, client.x, client.y, true);
    this.field.focus();
    this.field.select();
  }

  // Puts the box at the client point (its centre there when `centred`), inside the pane.
  place(box, x, y, centred) {
    const pane = this.pane.pane.getBoundingClientRect();
    box.style.left = "0px";
    box.style.top = "0px";
    const w = box.offsetWidth || 160, h = box.offsetHeight || 30;
    const left = x - pane.left - (centred ? w / 2 : 0), top = y - pane.top - (centred ? h / 2 : 0);
    box.style.left = Math.max(0, Math.min(left, pane.width - w)) + "px";
    box.style.top = Math.max(0, Math.min(top, pane.height - h)) + "px";
  }

  commit() {
    const answer = this.gesture("commit", [], this.field.value);
    if (!answer.labelFault) this.closeLabel(true);
    this.show(answer);
  }

  closeLabel(focusView) {
    this.gesture("close");
    if (this.box.hidden) return;
    this.box.hidden = true;
    if (focusView) this.pane.view.focus();
  }
}

window.DiagramPane = DiagramPane;
