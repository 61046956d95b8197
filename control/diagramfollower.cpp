#include "diagramfollower.h"

#include "control/simulation.h"
#include "control/view.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "engine/text.h"

namespace automaten {

DiagramUpdate DiagramFollower::Show(const Program& program, const std::vector<std::string>* lines) const {
  DiagramUpdate u;
  if (program.Ok()) {
    u.diagram = MakeDiagram(program);
    Place(u.diagram, ReadPlaces(lines != nullptr ? *lines : view_.ProgramLines()));
    u.change = TooLargeToLayOut(u.diagram) ? DiagramUpdate::Change::TooLarge : DiagramUpdate::Change::Diagram;
    if (u.change == DiagramUpdate::Change::TooLarge)
      u.note = DiagramTooLargeNote(u.diagram);
    else if (program.kind == MachineKind::KA && !program.DeclaresEndStates())
      u.note = "akzeptiert bei leerem Keller";  // no state is drawn as an end state: say how it accepts
  } else {
    u.change = DiagramUpdate::Change::Fault;
    u.note = DiagramFaultNote(program, lines != nullptr ? *lines : view_.ProgramLines());
  }
  return u;
}

namespace {

// The same program as far as the diagram goes: its lines, and so the
// numbers the run's next transition has in it, are those of the other.
bool SameLines(const Program& a, const Program& b) {
  if (a.kind != b.kind || a.endStates != b.endStates || a.Written().size() != b.Written().size()) return false;
  for (std::size_t i = 0; i < a.Written().size(); ++i)
    if (a.Written()[i].line != b.Written()[i].line) return false;
  return true;
}

}  // namespace

// What the pane missed while hidden: always the text as it stands, under the
// kind chosen now, even when the machine still stands in another's program.
DiagramUpdate DiagramFollower::Opened() {
  shownParse_ = sim_.State().parseCount;
  return TextChanged();
}

DiagramUpdate DiagramFollower::TextChanged() {
  const std::vector<std::string> lines = view_.ProgramLines();
  const SimulationState state = sim_.State();
  const Program program = ParseProgram(state.kind, lines);
  if (program.Ok()) fromText_ = !(state.run == RunState::Ready && SameLines(program, state.program));
  return Show(program, &lines);
}

DiagramUpdate DiagramFollower::MachineShown() {
  const SimulationState state = sim_.State();
  if (state.parseCount == shownParse_) return {};
  shownParse_ = state.parseCount;
  fromText_ = false;
  return Show(state.program, nullptr);
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
    note += "\nZeile " + Decimal(line + 1) + ": " + Cp1252ToUtf8(lines[static_cast<std::size_t>(line)]);
  return note;
}

const char kLayoutSlowNote[] =
    "Graphviz braucht lange für dieses Diagramm; bis es fertig ist, stehen die Zustände im Kreis.";

std::string LayoutFailedNote(const std::string& error) { return "Graphviz kann das Diagramm nicht zeichnen: " + error; }

std::string DiagramTooLargeNote(const Diagram& d) {
  return "Das Diagramm hat " + Decimal(d.nodes.size()) + " Zustände und " + Decimal(d.edges.size()) +
         " Kanten; gezeichnet werden höchstens " + Decimal(kMaxDiagramStates) + " Zustände und " +
         Decimal(kMaxDiagramEdges) + " Kanten.";
}

}  // namespace automaten
