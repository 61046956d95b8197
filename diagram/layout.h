// The state diagram laid out and drawn by Graphviz (cgraph and gvc, engine
// "dot"): positions for the window to draw itself, and files written by
// Graphviz's own renderers for the command line. No Qt.
#pragma once

#include <string>
#include <vector>

#include "engine/diagram.h"

namespace automaten {

struct Point {
  double x = 0, y = 0;  // points, y growing upwards as Graphviz has it
};

struct DiagramLayout {
  bool ok = false;
  std::string error;  // Graphviz's own words when not ok
  double width = 0, height = 0;
  struct Node {
    Point centre;
    double width = 0, height = 0;
  };
  struct Edge {
    std::vector<Point> spline;  // cubic Bézier control points, from the tail
    bool arrowAtHead = false;
    Point arrowHead;  // where the arrow ends, when there is one
    Point label;      // the centre of the label
  };
  std::vector<Node> nodes;  // as Diagram::nodes
  std::vector<Edge> edges;  // as Diagram::edges
  Point start;              // the point the arrow into A comes from
};

// False in a build without Graphviz: nothing is laid out or rendered then,
// and every call says so in its error.
bool CanLayOut();
DiagramLayout LayOut(const Diagram& d);
// The same from a text in Graphviz's language for the diagram's nodes and
// edges; what Graphviz finds wrong with it comes back as the error.
DiagramLayout LayOut(const Diagram& d, const std::string& dot);
// The states on a circle, edges as straight lines (a loop as an arc above
// its state), labels at their middles: drawn at once, without Graphviz, for
// a diagram whose layout takes too long.
DiagramLayout CircleLayout(const Diagram& d);
// The diagram as the bytes of a "dot", "svg" or "png" file; false with Graphviz's reason.
bool RenderDiagram(const Diagram& d, const std::string& format, std::string& bytes, std::string& error);

}  // namespace automaten
