#include "layout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sstream>

#include "engine/text.h"

namespace automaten {

namespace {

// Graphviz keeps global state: one user at a time, and one context for the
// whole process (freeing a context leaves Graphviz 2.42's font cache pointing
// at freed memory, which the next context then reads).
std::mutex graphvizInUse;
std::string* errorSink = nullptr;

GVC_t* Context() {
  static GVC_t* const context = gvContext();
  return context;
}

int CollectError(char* text) {
  if (errorSink != nullptr) *errorSink += text;
  return 0;
}

// A parsed graph with a context, freed in the right order; Graphviz's error
// texts go to `error` instead of standard error.
class Graph {
 public:
  Graph(const std::string& dot, std::string& error) : lock_(graphvizInUse), error_(error) {
    errorSink = &error_;
    previous_ = agseterrf(CollectError);
    agseterr(AGWARN);
    context_ = automaten::Context();
    graph_ = agmemread(dot.c_str());
    if (graph_ == nullptr && error_.empty()) error_ = "Graphviz cannot read the diagram";
  }
  ~Graph() {
    if (graph_ != nullptr) {
      if (laidOut_) gvFreeLayout(context_, graph_);
      agclose(graph_);
    }
    agseterrf(previous_);
    errorSink = nullptr;
  }
  bool LayOut() {
    if (graph_ == nullptr) return false;
    // "dot", unless the diagram names another (with states the user placed).
    const char* engine = agget(graph_, const_cast<char*>("layout"));
    laidOut_ = gvLayout(context_, graph_, engine != nullptr && *engine != '\0' ? engine : "dot") == 0;
    if (!laidOut_ && error_.empty()) error_ = "Graphviz cannot lay out the diagram";
    return laidOut_;
  }
  GVC_t* Context() { return context_; }
  Agraph_t* Get() { return graph_; }

 private:
  std::lock_guard<std::mutex> lock_;
  std::string& error_;
  agusererrf previous_ = nullptr;
  GVC_t* context_ = nullptr;
  Agraph_t* graph_ = nullptr;
  bool laidOut_ = false;
};

std::string Attribute(void* object, const char* name) {
  char* value = agget(object, const_cast<char*>(name));
  return value != nullptr ? value : "";
}

Point ParsePoint(const std::string& text) {
  Point p;
  std::sscanf(text.c_str(), "%lf,%lf", &p.x, &p.y);
  return p;
}

// "e,x,y x1,y1 x2,y2 ...": an arrow's end, then the spline's points.
void ParseSpline(const std::string& text, DiagramLayout::Edge& e) {
  std::istringstream in(text);
  std::string item;
  while (in >> item) {
    if (item.rfind("e,", 0) == 0) {
      e.arrowAtHead = true;
      e.arrowHead = ParsePoint(item.substr(2));
    } else if (item.rfind("s,", 0) != 0) {
      e.spline.push_back(ParsePoint(item));
    }
  }
}

}  // namespace

bool CanLayOut() { return true; }

DiagramLayout LayOut(const Diagram& d) { return LayOut(d, DiagramDot(d)); }

DiagramLayout LayOut(const Diagram& d, const std::string& dot) {
  DiagramLayout layout;
  Graph graph(dot, layout.error);
  if (!graph.LayOut()) return layout;
  // Rendering to the "dot" format attaches the positions as attributes.
  char* text = nullptr;
  unsigned int length = 0;
  if (gvRenderData(graph.Context(), graph.Get(), "dot", &text, &length) != 0) {
    layout.error = "Graphviz kann das Diagramm nicht anordnen";
    return layout;
  }
  gvFreeRenderData(text);
  std::sscanf(Attribute(graph.Get(), "bb").c_str(), "%*f,%*f,%lf,%lf", &layout.width, &layout.height);
  for (std::size_t i = 0; i < d.nodes.size(); ++i) {
    Agnode_t* n = agnode(graph.Get(), const_cast<char*>(("n" + std::to_string(i)).c_str()), 0);
    DiagramLayout::Node node;
    if (n != nullptr) {
      node.centre = ParsePoint(Attribute(n, "pos"));
      node.width = std::stod("0" + Attribute(n, "width")) * 72;
      node.height = std::stod("0" + Attribute(n, "height")) * 72;
    }
    layout.nodes.push_back(node);
  }
  if (Agnode_t* start = agnode(graph.Get(), const_cast<char*>("start"), 0))
    layout.start = ParsePoint(Attribute(start, "pos"));
  // The edges come in the order they were written, after the arrow from "start".
  layout.edges.resize(d.edges.size());
  std::size_t next = 0;
  for (Agnode_t* n = agfstnode(graph.Get()); n != nullptr; n = agnxtnode(graph.Get(), n))
    for (Agedge_t* e = agfstout(graph.Get(), n); e != nullptr; e = agnxtout(graph.Get(), e)) {
      const std::string tail = agnameof(agtail(e)), head = agnameof(aghead(e));
      if (tail == "start") continue;
      const std::size_t from = std::stoul(tail.substr(1)), to = std::stoul(head.substr(1));
      for (std::size_t k = 0; k < d.edges.size(); ++k)
        if (d.edges[k].from == from && d.edges[k].to == to) {
          ParseSpline(Attribute(e, "pos"), layout.edges[k]);
          layout.edges[k].label = ParsePoint(Attribute(e, "lp"));
          ++next;
        }
    }
  layout.ok = next == d.edges.size();
  if (!layout.ok) layout.error = "Graphviz hat eine Kante des Diagramms verloren";
  return layout;
}

bool RenderDiagram(const Diagram& d, const std::string& format, std::string& bytes, std::string& error) {
  Graph graph(DiagramDot(d), error);
  if (!graph.LayOut()) return false;
  char* data = nullptr;
  unsigned int length = 0;
  if (gvRenderData(graph.Context(), graph.Get(), format.c_str(), &data, &length) != 0 || data == nullptr) {
    if (error.empty()) error = "Graphviz kann kein " + format + " schreiben";
    return false;
  }
  bytes.assign(data, length);
  gvFreeRenderData(data);
  return true;
}

}  // namespace automaten
