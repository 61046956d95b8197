// Speed of a whole step as the window takes it: Simulation::Step with its
// full display refresh, through PlainView; and the command-line runner as a
// whole process on a run of a million steps.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/steprate.h"
#include "control/headless.h"
#include "control/plainview.h"
#include "control/simulation.h"

namespace automaten {
namespace {

void Prepare(PlainView& view, Simulation& sim, MachineKind kind, bool sweeper) {
  sim.SelectKind(kind);
  if (sweeper) {
    view.SetProgramText(kSweeper);
    view.SetFieldText(Field::EBand, SweeperTape());
  }
  sim.Reset();
}

void BM_SimulationStep(benchmark::State& state) {
  const auto kind = static_cast<MachineKind>(state.range(0));
  const bool sweeper = state.range(1) != 0;
  PlainView view;
  Simulation sim(view);
  Prepare(view, sim, kind, sweeper);
  const std::string tape = view.FieldText(Field::EBand);
  std::int64_t steps = 0;
  // One iteration is one run of the example from its reset to its halt (or
  // 1000 steps of the sweeper); only the steps are timed.
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    int n = 0;
    do {
      sim.Step();
      ++n;
    } while (view.LabelText(Label::LMeldung).empty() && n < 1000);
    const auto stop = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    steps += n;
    if (!sweeper) {
      view.SetFieldText(Field::EBand, tape);
      sim.Reset();
    }
  }
  state.counters["steps"] = static_cast<double>(steps);
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulationStep)
    ->ArgNames({"kind", "sweeper"})
    ->Args({static_cast<int>(MachineKind::TM), 0})
    ->Args({static_cast<int>(MachineKind::NEA), 0})
    ->Args({static_cast<int>(MachineKind::TM), 1})
    ->UseManualTime();

// The reset: parse, tape, head and the first display refresh.
void BM_Reset(benchmark::State& state) {
  PlainView view;
  Simulation sim(view);
  Prepare(view, sim, MachineKind::TM, false);
  for (auto _ : state) sim.Reset();
}
BENCHMARK(BM_Reset)->Unit(benchmark::kMicrosecond);

void BM_CliMillionSteps(benchmark::State& state) {
  const std::string program = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/sweeper.txt";
  std::ofstream(program, std::ios::binary) << kSweeper;
  const std::string command = std::string(AUTOMATEN_CLI_PATH) + " --kind tm --max-steps 1000000 --tape '" +
                              SweeperTape() + "' " + program + " > /dev/null";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    // Exit 3: still running after the bound, as intended.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 3) state.SkipWithError("automaten-cli did not run to the bound");
  }
  std::remove(program.c_str());
}
BENCHMARK(BM_CliMillionSteps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace automaten

namespace automaten {
namespace {

// A binary counter that counts for ever: no configuration comes again and it
// does not run off into blank tape, so the detector watches every step.
const char kCounter[] = "A 1 -> 0 L A\nA 0 -> 1 R 2\nA * -> 1 R 2\n2 0 -> 0 R 2\n2 1 -> 1 R 2\n2 # -> # L A\n";

// The counter on its tape, reset, with the detector on or off.
void StartCounter(PlainView& view, Simulation& sim, bool detector) {
  sim.SetLoopCheck(detector);
  sim.SelectKind(MachineKind::TM);
  view.SetProgramText(kCounter);
  view.SetFieldText(Field::EBand, "0#");
  sim.Reset();
}

void BM_CounterWithoutDisplay(benchmark::State& state) {
  const bool detector = state.range(0) != 0;
  const unsigned long long ticks = 1000000;
  HeadlessSetup setup;
  setup.kind = MachineKind::TM;
  setup.program = kCounter;
  setup.tape = "0#";
  setup.loopCheck = detector;
  for (auto _ : state) {
    HeadlessRun run(setup);
    benchmark::DoNotOptimize(run.Run(ticks));
  }
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CounterWithoutDisplay)->ArgName("detector")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Single steps with the display, as the window takes them, with and without the detector.
void BM_CounterSteps(benchmark::State& state) {
  PlainView view;
  Simulation sim(view);
  StartCounter(view, sim, state.range(0) != 0);
  for (auto _ : state) sim.Step();
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["history bytes/step"] =
      static_cast<double>(sim.Steps().Bytes()) / static_cast<double>(std::max<std::size_t>(sim.Steps().Size(), 1));
}
BENCHMARK(BM_CounterSteps)->ArgName("detector")->Arg(0)->Arg(1);

// Ten million steps kept for "Schritt zurück": the memory they take.
void BM_TenMillionStepsBack(benchmark::State& state) {
  for (auto _ : state) {
    PlainView view;
    Simulation sim(view);
    StartCounter(view, sim, false);
    for (int i = 0; i < 10000000; ++i) sim.Step();
    state.counters["history MB"] = static_cast<double>(sim.Steps().Bytes()) / 1e6;
    state.counters["bytes/step"] = static_cast<double>(sim.Steps().Bytes()) / 1e7;
    for (int i = 0; i < 1000; ++i) sim.StepBack();
    benchmark::DoNotOptimize(sim.Steps().Size());
  }
}
BENCHMARK(BM_TenMillionStepsBack)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
