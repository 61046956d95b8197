// The runs of automaten-cli's figures, each twice: in the simulation as the
// command line takes it (the headless run: parse, reset, the steps, the
// display at the end) and as a bare table-driven loop that does the same
// steps with nothing else. The ratio of the two is what the simulation's
// bookkeeping costs.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "bench/bareloops.h"
#include "control/headless.h"

namespace automaten {
namespace {

// ---- The simulation -------------------------------------------------------------

void RunSimulation(benchmark::State& state, MachineKind kind, const std::string& program, const std::string& tape,
                   unsigned long long ticks) {
  HeadlessSetup setup;
  setup.kind = kind;
  setup.program = program;
  setup.tape = tape;
  for (auto _ : state) {
    HeadlessRun run(setup);
    benchmark::DoNotOptimize(run.Run(ticks));
  }
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SimTmTwoCells(benchmark::State& s) { RunSimulation(s, MachineKind::TM, bare::kTmPingPong, "", 10000000); }
void BM_SimTmRight(benchmark::State& s) { RunSimulation(s, MachineKind::TM, bare::kTmRight, "", 1000000); }
void BM_SimDea(benchmark::State& s) { RunSimulation(s, MachineKind::DEA, bare::kDea, bare::DeaTape(1000000), 1000000); }
void BM_SimNea(benchmark::State& s) {
  RunSimulation(s, MachineKind::NEA, bare::NeaProgram(), bare::NeaTape(100000), 100000);
}
BENCHMARK(BM_SimTmTwoCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimTmRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimDea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimNea)->Unit(benchmark::kMillisecond);

// ---- The bare loops -------------------------------------------------------------

void BM_BareTmTwoCells(benchmark::State& state) {
  bare::TmTable table(2);
  table[0]['*'] = {'*', +1, 1};
  table[1]['*'] = {'*', -1, 0};
  for (auto _ : state) {
    std::vector<char> tape(60, '*');
    benchmark::DoNotOptimize(bare::Tm(table, tape, 26, 10000000));
  }
}

void BM_BareTmRight(benchmark::State& state) {
  const bare::TmTable table = bare::TmRightTable();
  for (auto _ : state) {
    std::vector<char> tape(60, '*');
    benchmark::DoNotOptimize(bare::Tm(table, tape, 26, 1000000));
  }
}

void BM_BareDea(benchmark::State& state) {
  const std::string tape = bare::DeaTape(1000000);
  for (auto _ : state) benchmark::DoNotOptimize(bare::Dea(tape));
}

void BM_BareNea(benchmark::State& state) {
  const std::string tape = bare::NeaTape(100000);
  for (auto _ : state) benchmark::DoNotOptimize(bare::Nea(tape));
}

BENCHMARK(BM_BareTmTwoCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareTmRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareDea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareNea)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
