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
std::string StateName(MachineKind kind, StateCode state);
// "s / w", "1", "0" or "ε", "( , # / push (", "1 / 1 R".
std::string TransitionLabel(MachineKind kind, const Transition& t);
// The diagram in Graphviz's language, left to right: circles, double circles
// for end states, a short arrow into A.
std::string DiagramDot(const Diagram& d);

}  // namespace automaten
