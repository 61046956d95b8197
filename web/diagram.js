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
  // `app` the module's WebApp, `constants` its texts and limits.
  constructor(app, constants) {
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
  }

  get shown() { return !this.pane.hidden; }

  // ---- What to draw ----

  opened() {
    this.revision = this.app.programRevision();
    this.kind = this.app.kind();
    this.take(this.app.diagramOpened());
  }

  // The user typed: the text is parsed once the typing pauses.
  textEdited() {
    if (!this.shown) return;
    clearTimeout(this.typing);
    this.typing = setTimeout(() => this.take(this.app.diagramTextChanged()), 300);
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
      this.app.diagramDrawn(true);
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
    this.app.diagramDrawn(true);
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
    this.app.diagramDrawn(true);
    this.setGreyed(false);
    this.setNote(this.constants.layoutSlow + (note ? "\n" + note : ""), false);
    this.marked = { nodes: [], lines: [], verdict: 0 };
    this.mark();
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
    for (const e of copy.querySelectorAll("[class]")) e.classList.remove(...VERDICT_CLASSES, "next");
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

window.DiagramPane = DiagramPane;
