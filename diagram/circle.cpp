#include <algorithm>
#include <cmath>

#include "layout.h"

namespace automaten {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArrow = 9;

Point Along(Point from, Point to, double distance) {
  const double dx = to.x - from.x, dy = to.y - from.y, length = std::hypot(dx, dy);
  if (length <= 0) return from;
  return {from.x + dx / length * distance, from.y + dy / length * distance};
}

}  // namespace

DiagramLayout CircleLayout(const Diagram& d) {
  DiagramLayout layout;
  layout.ok = true;
  const std::size_t n = d.nodes.size();
  const double radius = std::max(80.0, static_cast<double>(n) * 56 / (2 * kPi));
  const double margin = 70;
  const Point centre{radius + margin, radius + margin};
  layout.width = layout.height = 2 * (radius + margin);
  for (std::size_t i = 0; i < n; ++i) {
    const double angle = kPi - 2 * kPi * static_cast<double>(i) / static_cast<double>(std::max<std::size_t>(n, 1));
    const double size = std::max(36.0, 9.0 * static_cast<double>(d.nodes[i].name.size()) + 18);
    layout.nodes.push_back({{centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)}, size, size});
  }
  if (n > 0) layout.start = {layout.nodes[0].centre.x - layout.nodes[0].width / 2 - 40, layout.nodes[0].centre.y};
  for (const DiagramEdge& e : d.edges) {
    DiagramLayout::Edge edge;
    edge.arrowAtHead = true;
    const DiagramLayout::Node& from = layout.nodes[e.from];
    const DiagramLayout::Node& to = layout.nodes[e.to];
    if (e.from == e.to) {  // a loop above its state
      const double r = from.height / 2;
      const Point c = from.centre;
      edge.spline = {{c.x - 8, c.y + r}, {c.x - 30, c.y + r + 45}, {c.x + 30, c.y + r + 45}, {c.x + 8, c.y + r + 4}};
      edge.arrowHead = {c.x + 6, c.y + r};
      edge.label = {c.x, c.y + r + 44 + 8.0 * static_cast<double>(e.lines.size())};
    } else {
      // Two edges between the same states keep apart: each bends to its left.
      const double dx = to.centre.x - from.centre.x, dy = to.centre.y - from.centre.y;
      const double length = std::max(std::hypot(dx, dy), 1.0);
      const Point bend{-dy / length * 14, dx / length * 14};
      const Point a{from.centre.x + bend.x, from.centre.y + bend.y}, b{to.centre.x + bend.x, to.centre.y + bend.y};
      const Point tail = Along(a, b, from.width / 2), tip = Along(b, a, to.width / 2);
      const Point end = Along(tip, tail, kArrow);
      edge.spline = {tail, Along(tail, end, std::hypot(end.x - tail.x, end.y - tail.y) / 3),
                     Along(end, tail, std::hypot(end.x - tail.x, end.y - tail.y) / 3), end};
      edge.arrowHead = tip;
      edge.label = {(tail.x + tip.x) / 2 + bend.x, (tail.y + tip.y) / 2 + bend.y};
    }
    layout.edges.push_back(edge);
  }
  return layout;
}

}  // namespace automaten
