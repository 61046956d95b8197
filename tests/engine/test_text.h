// Helpers for tests: readable UTF-8 literals turned into the Windows-1252
// bytes the engine works on, and a small driver that runs a parsed machine.
#pragma once

#include <string>
#include <vector>

#include "engine/machine.h"

namespace automaten::testing {

// UTF-8 to Windows-1252 for the Latin-1 range used by the German texts.
inline std::string W(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      const unsigned char d = static_cast<unsigned char>(utf8[++i]);
      out += static_cast<char>(((c & 0x1F) << 6) | (d & 0x3F));
    }
  }
  return out;
}

inline Machine Parsed(MachineKind kind, const std::vector<std::string>& lines) {
  Machine m;
  m.FMode = kind;
  ParseProgram(m, lines);
  return m;
}

inline std::vector<std::string> Messages(const Machine& m) {
  std::vector<std::string> out;
  for (const ParseFault& f : m.FFaults) out.push_back(FaultMessage(f));
  return out;
}

// A machine put into state A on a tape, stepped the way the run control
// steps it: after every step the next transition is looked up again.
struct Driver {
  Machine m;
  std::string tape;
  std::string second;

  Driver(MachineKind kind, const std::vector<std::string>& lines, std::string t, std::uint32_t head = 1)
      : m(Parsed(kind, lines)), tape(std::move(t)) {
    if (kind == MachineKind::DEA) second = std::string(tape.size(), ' ');
    if (kind == MachineKind::KA) second = "#";
    if (kind == MachineKind::NEA) ResetSet(m);
    m.FHead = head;
    m.FState = kStateA;
    m.FStepCount = 0;
    Refresh();
  }
  void Refresh() { m.FNextTransition = FindTransition(m, tape, second); }
  StepResult Step() {
    StepResult r = ApplyStep(m, tape, second);
    Refresh();
    return r;
  }
  Verdict Halt() const { return CheckHalt(m, tape, second); }
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
