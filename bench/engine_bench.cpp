// Speed of the engine: one step of each kind on its example program, with
// tape and second field read and written back as strings the way the
// window does, and the parse of a full-size program.
#include <benchmark/benchmark.h>

#include "control/examples.h"
#include "engine/machine.h"

namespace automaten {
namespace {

struct Example {
  MachineKind kind;
  std::uint32_t head;
  std::string tape;
};

Example ExampleFor(MachineKind kind) {
  const int width = 60;
  const std::uint32_t head = kind == MachineKind::TM ? width / 2 - 3 : 1;
  return {kind, head, ExampleTape(kind, head, width)};
}

// Resets the machine the way the run control does, without a view.
void Reset(Machine& m, const Example& e, std::string& tape, std::string& second) {
  tape = e.tape;
  second = e.kind == MachineKind::DEA ? std::string(tape.size(), ' ') : e.kind == MachineKind::KA ? "#" : "";
  if (e.kind == MachineKind::NEA) ResetSet(m);
  m.FHead = e.head;
  m.FState = kStateA;
  m.FStepCount = 0;
}

void BM_Step(benchmark::State& state) {
  const auto kind = static_cast<MachineKind>(state.range(0));
  const Example e = ExampleFor(kind);
  Machine m;
  m.FMode = kind;
  ParseProgram(m, ExampleLines(kind));
  // The view: field texts that every step reads and writes back whole.
  std::string viewTape, viewSecond;
  Reset(m, e, viewTape, viewSecond);
  std::int64_t steps = 0;
  for (auto _ : state) {
    std::string tape = viewTape;
    std::string second = viewSecond;
    const StepResult r = ApplyStep(m, tape, second);
    viewTape = tape;
    viewSecond = second;
    m.FNextTransition = FindTransition(m, viewTape, viewSecond);
    // A halted machine starts over; the reset's cost counts against the steps.
    if (r.transition < 0 || CheckHalt(m, viewTape, viewSecond).halted) Reset(m, e, viewTape, viewSecond);
    ++steps;
  }
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Step)->ArgName("kind")->DenseRange(0, 4);

// 101 lines for an NEA with 12 states, dense epsilon moves and 8 symbols.
std::vector<std::string> LargeNea() {
  std::vector<std::string> lines;
  const char* names[] = {"a", "1", "2", "3", "4", "5", "6", "7", "8", "9", "e", "f"};
  for (int s = 0; s < 12; ++s) lines.push_back(std::string(names[s]) + " _ -> " + names[(s + 1) % 12]);
  const std::string symbols = "01abcxyz";
  for (int i = 0; static_cast<int>(lines.size()) < 101; ++i)
    lines.push_back(std::string(names[i % 12]) + " " + symbols[i % 8] + " -> " + names[(i * 7 + 3) % 12]);
  return lines;
}

void BM_ParseLargeNea(benchmark::State& state) {
  const std::vector<std::string> lines = LargeNea();
  Machine m;
  m.FMode = MachineKind::NEA;
  for (auto _ : state) {
    ParseProgram(m, lines);
    benchmark::DoNotOptimize(m.FTransitionCount);
  }
  state.counters["entries"] = m.FTransitionCount;
}
BENCHMARK(BM_ParseLargeNea)->Unit(benchmark::kMicrosecond);

void BM_ParseLargeTm(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int i = 0; i < 101; ++i)
    lines.push_back(std::to_string(i + 1) + " 1 -> * R " + std::to_string(i + 2) + "   ; step");
  Machine m;
  m.FMode = MachineKind::TM;
  for (auto _ : state) {
    ParseProgram(m, lines);
    benchmark::DoNotOptimize(m.FTransitionCount);
  }
}
BENCHMARK(BM_ParseLargeTm)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
