// A parsed machine put into its initial configuration and stepped the way
// the run control steps it: after every step the next transition is looked
// up again.
#pragma once

#include <string>
#include <vector>

#include "engine/encoding.h"
#include "engine/parser.h"
#include "engine/step.h"

namespace automaten::testing {

inline std::vector<std::string> Messages(const Program& p) {
  std::vector<std::string> out;
  for (const ParseFault& f : p.faults) out.push_back(FaultMessage(f));
  return out;
}

struct Driver {
  Program program;
  Configuration c;
  int next = -1;

  Driver(MachineKind kind, const std::vector<std::string>& lines, const std::string& tape, std::uint32_t head = 1)
      : program(ParseProgram(kind, lines)), c(InitialConfiguration(kind, tape, 0)) {
    c.head = head;
    Refresh();
  }
  void Refresh() { next = FindTransition(program, c); }
  StepResult Step() {
    StepResult r = ApplyStep(program, c);
    Refresh();
    return r;
  }
  Verdict Halt() const { return CheckHalt(program, c, next); }
  // Steps until the machine halts; returns the number of steps taken.
  int RunToHalt(int limit = 100000) {
    int steps = 0;
    while (!Halt().halted && steps < limit) {
      Step();
      ++steps;
    }
    return steps;
  }
};

}  // namespace automaten::testing
