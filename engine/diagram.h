// The program as a state diagram: one node per state, one edge per pair of
// states with every transition between them as a line of its label, in the
// order of the program. Built from a clean parse, as the program is written
// (the NEA's epsilon transitions included). Names and labels are UTF-8.
#pragma once

#include <string>
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
};

struct Diagram {
  MachineKind kind = MachineKind::DEA;
  std::vector<DiagramNode> nodes;
  std::vector<DiagramEdge> edges;
  // The node of a state, or -1.
  long long NodeOf(StateCode state) const;
};

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
