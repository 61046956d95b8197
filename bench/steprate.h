// Steps per second of Simulation::Step with its full display refresh, on a
// built-in example (from reset to verdict, again and again) or on a Turing
// machine that sweeps a short tape for ever. The same loop runs natively
// (step_rate) and in WebAssembly (the web module's stepRate), so the two
// figures compare the compilers, not the loops.
#pragma once

#include <chrono>

#include "control/simulation.h"
#include "control/stringview.h"

namespace automaten {

inline double StepRate(int kindCode, bool sweeper, double seconds) {
  const auto kind = static_cast<MachineKind>(kindCode);
  StringView view;
  Simulation sim(view);
  sim.KeepHistory(false);
  sim.SelectKind(kind);
  if (sweeper) {
    view.SetProgramText("a $ -> $ R a\na * -> * R a\na # -> # L 1\n1 * -> * L 1\n1 $ -> $ R a\n");
    view.SetFieldText(Field::EBand, "$" + std::string(58, '*') + "#");
  }
  sim.Reset();
  const std::string tape = view.FieldText(Field::EBand);
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  Clock::duration timed{};
  long long steps = 0;
  while (timed < std::chrono::duration<double>(seconds)) {
    const auto runStart = Clock::now();
    int n = 0;
    do {
      sim.Step();
      ++n;
    } while (view.LabelText(Label::LMeldung).empty() && n < 1000);
    timed += Clock::now() - runStart;
    steps += n;
    if (!sweeper) {  // the reset is not timed
      view.SetFieldText(Field::EBand, tape);
      sim.Reset();
    }
    if (Clock::now() - start > std::chrono::duration<double>(10 * seconds)) break;
  }
  return static_cast<double>(steps) / std::chrono::duration<double>(timed).count();
}

}  // namespace automaten
