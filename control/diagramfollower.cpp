#include "diagramfollower.h"

#include "control/simulation.h"
#include "control/view.h"
#include "engine/encoding.h"
#include "engine/parser.h"

namespace automaten {

DiagramUpdate DiagramFollower::Show(const Program& program) const {
  DiagramUpdate u;
  if (program.Ok()) {
    u.diagram = MakeDiagram(program);
    u.change = TooLargeToLayOut(u.diagram) ? DiagramUpdate::Change::TooLarge : DiagramUpdate::Change::Diagram;
    if (u.change == DiagramUpdate::Change::TooLarge) u.note = DiagramTooLargeNote(u.diagram);
  } else {
    u.change = DiagramUpdate::Change::Fault;
    u.note = DiagramFaultNote(program, view_.ProgramLines());
  }
  return u;
}

DiagramUpdate DiagramFollower::Opened() {
  shownParse_ = ~0ull;
  return sim_.State().parseCount == 0 ? TextChanged() : MachineShown();
}

DiagramUpdate DiagramFollower::TextChanged() {
  const std::vector<std::string> lines = view_.ProgramLines();
  const Program program = ParseProgram(sim_.State().kind, lines);
  if (program.Ok()) fromText_ = true;
  return Show(program);
}

DiagramUpdate DiagramFollower::MachineShown() {
  const SimulationState state = sim_.State();
  if (state.parseCount == shownParse_) return {};
  shownParse_ = state.parseCount;
  fromText_ = false;
  return Show(state.program);
}

DiagramMark DiagramFollower::Mark(const Diagram& drawn) const {
  const SimulationState state = sim_.State();
  if (state.run != RunState::Ready) return {};
  const Verdict& v = state.verdict;
  const auto verdict = !v.halted ? DiagramMark::Verdict::None
                       : v.ok    ? DiagramMark::Verdict::Accepted
                                 : DiagramMark::Verdict::NotAccepted;
  const int next = fromText_ ? -1 : state.nextTransition;
  return MarkPosition(drawn, state.configuration, next, verdict);
}

std::string DiagramFaultNote(const Program& program, const std::vector<std::string>& lines) {
  std::string note = Cp1252ToUtf8(FaultMessage(program.faults.front()));
  const int line = program.faultLine;
  if (line >= 0 && line < static_cast<int>(lines.size()))
    note += "\nZeile " + std::to_string(line + 1) + ": " + Cp1252ToUtf8(lines[static_cast<std::size_t>(line)]);
  return note;
}

std::string DiagramTooLargeNote(const Diagram& d) {
  return "Das Diagramm hat " + std::to_string(d.nodes.size()) + " Zustände und " + std::to_string(d.edges.size()) +
         " Kanten; gezeichnet werden höchstens " + std::to_string(kMaxDiagramStates) + " Zustände und " +
         std::to_string(kMaxDiagramEdges) + " Kanten.";
}

}  // namespace automaten
