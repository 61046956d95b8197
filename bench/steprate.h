// Steps per second of Simulation::Step with its full display refresh, on a
// built-in example (from reset to verdict, again and again) or on a Turing
// machine that sweeps a short tape for ever. The same loop runs natively
// (step_rate) and in WebAssembly (the web module's stepRate), so the two
// figures compare the compilers, not the loops.
#pragma once

#include <chrono>
#include <string>

#include "control/plainview.h"
#include "control/simulation.h"

namespace automaten {

// A Turing machine that sweeps between '$' and '#' for ever; its tape stays short.
inline constexpr char kSweeper[] = "a $ -> $ R a\na * -> * R a\na # -> # L 1\n1 * -> * L 1\n1 $ -> $ R a\n";
inline std::string SweeperTape() { return "$" + std::string(58, '*') + "#"; }

inline double StepRate(int kindCode, bool sweeper, double seconds) {
  const auto kind = static_cast<MachineKind>(kindCode);
  PlainView view;
  Simulation sim(view, /*keepHistory=*/false);
  sim.SelectKind(kind);
  if (sweeper) {
    view.SetProgramText(kSweeper);
    view.SetFieldText(Field::EBand, SweeperTape());
  }
  sim.Reset();
  const std::string tape = view.FieldText(Field::EBand);
  // The clock is read once a batch of about 100,000 steps (in WebAssembly on
  // Node a reading costs microseconds); the resets between the runs are
  // timed on their own, as many again, and taken off.
  using Clock = std::chrono::steady_clock;
  const auto restart = [&] {
    view.SetFieldText(Field::EBand, tape);
    sim.Reset();
  };
  const auto start = Clock::now();
  Clock::duration timed{};
  long long steps = 0;
  while (timed < std::chrono::duration<double>(seconds) &&
         Clock::now() - start < std::chrono::duration<double>(10 * seconds)) {
    const auto batchStart = Clock::now();
    long long batch = 0;
    int runs = 0;
    while (batch < 100000) {
      int n = 0;
      do {
        sim.Step();
        ++n;
      } while (view.LabelText(Label::LMeldung).empty() && n < 1000);
      batch += n;
      ++runs;
      if (!sweeper) restart();
    }
    const auto batchEnd = Clock::now();
    if (!sweeper)
      for (int i = 0; i < runs; ++i) restart();
    timed += (batchEnd - batchStart) - (Clock::now() - batchEnd);
    steps += batch;
  }
  return static_cast<double>(steps) / std::chrono::duration<double>(timed).count();
}

}  // namespace automaten
