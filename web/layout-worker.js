// Lays out state diagrams off the page's thread: Graphviz compiled to
// WebAssembly (viz-global.js, from npm) turns a text in Graphviz's language
// into SVG. One message, one answer: {svg} or {error} in Graphviz's words.
"use strict";
importScripts("viz-global.js");
const ready = Viz.instance();

self.onmessage = async ({ data }) => {
  const viz = await ready;
  const result = viz.render(data.dot, { format: "svg" });
  if (result.status === "success") self.postMessage({ svg: result.output });
  else self.postMessage({ error: result.errors.map((e) => e.message).join(" ") || "?" });
};
