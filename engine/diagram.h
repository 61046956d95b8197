// The program as a state diagram: one node per state, one edge per pair of
// states with every transition between them as a line of its label, in the
// order of the program. Built from a clean parse, as the program is written
// (the NEA's epsilon transitions included). Names and labels are UTF-8.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/types.h"

namespace automaten {

struct DiagramNode {
  StateCode state = 0;
  std::string name;  // A, E, F or the number
  bool initial = false;
  bool end = false;
  bool error = false;  // F
  // Placed by the user (the program's line "; Lage:"): its centre in drawing
  // units, y growing downwards. Graphviz places the others around it.
  bool placed = false;
  double x = 0, y = 0;
};

struct DiagramEdge {
  std::size_t from = 0, to = 0;      // node indexes
  std::vector<std::string> lines;    // one per transition
  std::vector<std::size_t> written;  // their indexes in Program::Written()
  std::vector<char> inputs;          // the symbol each reads
};

struct Diagram {
  MachineKind kind = MachineKind::DEA;
  std::vector<DiagramNode> nodes;
  std::vector<DiagramEdge> edges;
  // For each written transition, its edge and the line of the edge's label.
  std::vector<std::pair<std::size_t, std::size_t>> place;
  // The node of a state, or -1.
  long long NodeOf(StateCode state) const;
};

// The largest diagram laid out: beyond it Graphviz may take minutes.
constexpr std::size_t kMaxDiagramStates = 300;
constexpr std::size_t kMaxDiagramEdges = 2000;
inline bool TooLargeToLayOut(const Diagram& d) {
  return d.nodes.size() > kMaxDiagramStates || d.edges.size() > kMaxDiagramEdges;
}

// Where a run stands in its diagram: the current state (the NEA's whole set),
// the edges and label lines the next step takes, and after a halt the verdict.
struct DiagramMark {
  enum class Verdict { None, Accepted, NotAccepted };
  std::vector<std::size_t> nodes;                          // ascending
  std::vector<std::pair<std::size_t, std::size_t>> lines;  // (edge, line), ascending
  Verdict verdict = Verdict::None;
  bool operator==(const DiagramMark& o) const { return nodes == o.nodes && lines == o.lines && verdict == o.verdict; }
};

// The mark of a configuration. `next` is the transition the next step takes
// (-1 for none; the NEA takes every line of its set on the symbol read).
DiagramMark MarkPosition(const Diagram& d, const Configuration& c, int next, DiagramMark::Verdict verdict);

// Nodes: A first, then every state in the order it first occurs in the
// transitions, then the declared end states.
Diagram MakeDiagram(const Program& program);

// Where the user put states in the diagram, kept in the program as one
// comment line that parsers skip: "; Lage: A 40,120 1 160,120 E 280,120"
// (drawing units, y growing downwards).
struct StatePlace {
  std::string name;  // as the diagram names it: A, E, F or the number
  double x = 0, y = 0;
  bool operator==(const StatePlace& o) const { return name == o.name && x == o.x && y == o.y; }
};
extern const char kPlacesPrefix[];  // "; Lage:"
// The places of the first such line (an entry it cannot read is left out),
// and that line's index in `line` (-1 for none).
std::vector<StatePlace> ReadPlaces(const std::vector<std::string>& lines, int* line = nullptr);
std::string PlacesLine(const std::vector<StatePlace>& places);
// The diagram's nodes at their places (names as programs write them, in any
// case); a placed state without a line yet becomes a node of its own.
void Place(Diagram& d, const std::vector<StatePlace>& places);
std::string StateName(MachineKind kind, StateCode state);
// "s / w", "1", "0" or "ε", "( , # / push (", "1 / 1 R".
std::string TransitionLabel(MachineKind kind, const Transition& t);
// The diagram in Graphviz's language, left to right: circles, double circles
// for end states, a short arrow into A. With states placed, laid out by
// "neato" with those pinned, the arrow into A pinned beside it.
std::string DiagramDot(const Diagram& d);

}  // namespace automaten
