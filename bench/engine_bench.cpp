// Speed of the engine: one step of each kind on its example program, and the
// parse of large programs.
#include <benchmark/benchmark.h>

#include "control/examples.h"
#include "engine/parser.h"
#include "engine/step.h"

namespace automaten {
namespace {

Configuration ExampleStart(MachineKind kind) {
  const int width = 60;
  return InitialConfiguration(kind, ExampleTape(kind, width / 2 - 3, width), width);
}

// One iteration: a step on the move looked up before, the lookup of the next
// move and the halting check, as the simulation makes them. A halted machine
// starts over; the reset's cost counts against the steps.
void BM_Step(benchmark::State& state) {
  const auto kind = static_cast<MachineKind>(state.range(0));
  const Program program = ParseProgram(kind, ExampleLines(kind));
  const Configuration start = ExampleStart(kind);
  Configuration c = start;
  Move move = NextMove(program, c);
  std::int64_t steps = 0;
  for (auto _ : state) {
    const StepResult r = ApplyMove(program, c, move);
    move = NextMove(program, c);
    if (r.transition < 0 || CheckHalt(program, c, move.transition).halted) {
      c = start;
      move = NextMove(program, c);
    }
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
  std::size_t entries = 0;
  for (auto _ : state) {
    const Program p = ParseProgram(MachineKind::NEA, lines);
    entries = p.transitions.size();
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ParseLargeNea)->Unit(benchmark::kMicrosecond);

// A Turing program of n lines with a comment each, and an end-state line.
void BM_ParseTm(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i)
    lines.push_back(std::to_string(i + 1) + " 1 -> * R " + std::to_string(i + 2) + "   ; step");
  lines.push_back("E: " + std::to_string(n + 1));
  for (auto _ : state) {
    const Program p = ParseProgram(MachineKind::TM, lines);
    benchmark::DoNotOptimize(p.transitions.data());
  }
}
BENCHMARK(BM_ParseTm)->ArgName("lines")->Arg(101)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
