// Steps per second of Simulation::Step, natively: the figures that
// bench/web_bench.js sets beside those of the web page's module (stepRate).
// Prints one line per case: kind, sweeper, steps per second.
#include <cstdio>
#include <cstdlib>

#include "bench/steprate.h"

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
  const struct {
    automaten::MachineKind kind;
    bool sweeper;
  } cases[] = {
      {automaten::MachineKind::TM, false}, {automaten::MachineKind::NEA, false}, {automaten::MachineKind::TM, true}};
  for (const auto& c : cases)
    std::printf("%d %d %.0f\n", static_cast<int>(c.kind), c.sweeper ? 1 : 0,
                automaten::StepRate(static_cast<int>(c.kind), c.sweeper, seconds));
}
