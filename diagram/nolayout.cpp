// A build without Graphviz: the diagram's model and marks work, but nothing
// is laid out or rendered.
#include "layout.h"

namespace automaten {

namespace {
const char kNoGraphviz[] = "dieses Programm zeichnet keine Diagramme (ohne Graphviz gebaut)";
}

bool CanLayOut() { return false; }

DiagramLayout LayOut(const Diagram& d) { return LayOut(d, ""); }

DiagramLayout LayOut(const Diagram&, const std::string&) {
  DiagramLayout layout;
  layout.error = kNoGraphviz;
  return layout;
}

bool RenderDiagram(const Diagram&, const std::string&, std::string&, std::string& error) {
  error = kNoGraphviz;
  return false;
}

}  // namespace automaten
