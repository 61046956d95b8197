// The state diagram: making it from a program, laying it out with Graphviz,
// and finding where a run stands in it (the work of each step with the
// pane shown, besides repainting the items whose mark changes).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "control/diagramedit.h"
#include "control/examples.h"
#include "control/plainview.h"
#include "diagram/layout.h"
#include "engine/diagram.h"
#include "engine/parser.h"
#include "engine/step.h"

namespace automaten {
namespace {

Program Example(MachineKind kind) { return ParseProgram(kind, ExampleLines(kind)); }

// A Turing machine of 101 lines over 51 states: a chain that walks right,
// with a way back from every state.
Program LongTuringMachine() {
  std::vector<std::string> lines;
  for (int s = 1; s <= 50; ++s) {
    lines.push_back(std::to_string(s) + " 1 -> 1 R " + std::to_string(s + 1));
    lines.push_back(std::to_string(s) + " 0 -> 0 L " + std::to_string(s > 1 ? s - 1 : 50));
  }
  lines.push_back("a * -> * R 1");
  return ParseProgram(MachineKind::TM, lines);
}

void BM_LayOutExample(benchmark::State& state) {
  const Program program = Example(static_cast<MachineKind>(state.range(0)));
  const Diagram d = MakeDiagram(program);
  for (auto _ : state) {
    DiagramLayout layout = LayOut(d);
    benchmark::DoNotOptimize(layout.ok);
  }
  state.SetLabel(std::to_string(d.nodes.size()) + " states, " + std::to_string(d.edges.size()) + " edges");
}
BENCHMARK(BM_LayOutExample)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_LayOutTuring101(benchmark::State& state) {
  const Program program = LongTuringMachine();
  const Diagram d = MakeDiagram(program);
  for (auto _ : state) {
    DiagramLayout layout = LayOut(d);
    benchmark::DoNotOptimize(layout.ok);
  }
  state.SetLabel(std::to_string(program.transitions.size()) + " lines, " + std::to_string(d.nodes.size()) + " states");
}
BENCHMARK(BM_LayOutTuring101)->Unit(benchmark::kMillisecond);

void BM_MakeDiagramTuring101(benchmark::State& state) {
  const Program program = LongTuringMachine();
  for (auto _ : state) benchmark::DoNotOptimize(MakeDiagram(program));
}
BENCHMARK(BM_MakeDiagramTuring101);

// An edit made in the diagram of 100 states until it shows in text and
// diagram: the edit of the text, the editor's text replaced, the parse, the
// diagram with its places and Graphviz's layout, the states placed on a grid
// as after a drag. (Laid out by "dot" instead, these 200 crossing transitions
// take Graphviz seconds: a layout runs off the window's thread.)
void BM_EditShown100(benchmark::State& state) {
  std::string text;
  std::string places = "; Lage:";
  for (int s = 1; s <= 100; ++s) {
    text += std::to_string(s) + " 0 -> " + std::to_string(s % 100 + 1) + "\n";
    text += std::to_string(s) + " 1 -> " + std::to_string((s * 7) % 100 + 1) + "\n";
    places += " " + std::to_string(s) + " " + std::to_string(80 * (s % 10)) + "," + std::to_string(80 * (s / 10));
  }
  text += "a 0 -> 1\n";
  text += places + "\n";
  PlainView view;
  long long nodes = 0;
  for (auto _ : state) {
    view.SetProgramText(text);
    const std::vector<std::string> lines = ProgramLinesOf(view);
    const LinesEdit edit = AddTransition(MachineKind::Akz, lines, "5", "50", "1");
    ApplyToView(view, edit);
    const std::vector<std::string> now = view.ProgramLines();
    Diagram d = MakeDiagram(ParseProgram(MachineKind::Akz, now));
    Place(d, ReadPlaces(now));
    const DiagramLayout layout = LayOut(d);
    benchmark::DoNotOptimize(layout.ok);
    nodes = static_cast<long long>(d.nodes.size());
  }
  state.SetLabel(std::to_string(nodes) + " states placed");
}
BENCHMARK(BM_EditShown100)->Unit(benchmark::kMillisecond);

// The mark of one step, on the 51 states of the long machine and on the NEA's set.
void BM_MarkPosition(benchmark::State& state) {
  const bool nea = state.range(0) == 1;
  const Program program = nea ? Example(MachineKind::NEA) : LongTuringMachine();
  const Diagram d = MakeDiagram(program);
  Configuration c;
  c.tape = nea ? "00101110" : "1111111111";
  c.state = nea ? kStateA : 30;
  c.set.Add(0);
  c.set.Add(1);
  const int next = nea ? -1 : static_cast<int>(NextMove(program, c).transition);
  for (auto _ : state) benchmark::DoNotOptimize(MarkPosition(d, c, next, DiagramMark::Verdict::None));
  state.SetLabel(nea ? "NEA set of two" : "TM, state 30 of 51");
}
BENCHMARK(BM_MarkPosition)->Arg(0)->Arg(1);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
