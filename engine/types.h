// The engine's values: machine kinds, state codes, a parsed program and the
// configuration a step works on. Machine text is single-byte Windows-1252;
// tape positions count from 1.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace automaten {

// The five machine kinds. A stored kind code may hold any 16-bit value; one
// outside the five selects no kind, and every per-kind rule skips it.
enum class MachineKind : std::uint16_t { DEA = 0, Akz = 1, NEA = 2, KA = 3, TM = 4 };
constexpr MachineKind kKinds[] = {MachineKind::DEA, MachineKind::Akz, MachineKind::NEA, MachineKind::KA,
                                  MachineKind::TM};
inline bool IsKnownKind(MachineKind kind) { return static_cast<std::uint16_t>(kind) <= 4; }

using StateCode = std::uint16_t;
constexpr StateCode kStateA = 0;
constexpr StateCode kMaxStateNumber = 65532;  // the highest numeral a program may write
constexpr StateCode kStateF = 65533;
constexpr StateCode kStateE = 65534;
// The NEA has twelve states: A = 0, 1 ... 9, E = 10, F = 11.
constexpr StateCode kNeaE = 10;
constexpr StateCode kNeaF = 11;
constexpr int kNeaStates = 12;

constexpr char kTmBlank = '*';
constexpr char kStackBottom = '#';
constexpr char kEpsilon = '_';
constexpr char kBeyondTape = '\t';  // the symbol under a head past the tape's end
constexpr int kTmGrowth = 20;       // blanks added when a Turing head reaches an end

enum class StackOp : std::uint8_t { None, Push, Pop, Nop };

// One transition line. Fields a kind does not use stay 0.
struct Transition {
  StateCode from = 0;
  char input = 0;
  char output = 0;  // DEA output, symbol a Turing machine writes, symbol a KA pushes
  char move = 0;    // 'K', 'L' or 'R'
  StateCode next = 0;
  char stackTop = 0;  // the KA's required top of stack
  StackOp stackOp = StackOp::None;
  std::string line;  // the program line: comment off, trimmed, one blank after
};

// A set of NEA states, one bit per state A, 1 ... 9, E, F.
struct StateSet {
  std::uint16_t bits = 0;
  bool Has(int state) const { return state >= 0 && state < kNeaStates && (bits >> state & 1u) != 0; }
  void Add(int state) {
    if (state >= 0 && state < kNeaStates) bits = static_cast<std::uint16_t>(bits | 1u << state);
  }
  bool operator==(const StateSet& o) const { return bits == o.bits; }
  bool operator!=(const StateSet& o) const { return bits != o.bits; }
};

enum class FaultCode : std::uint8_t { Format = 1, State, HeadMove, Symbol, Arrow, NeaState };

// One fault of a parse: what, and the 1-based number of the transition line
// being read when it was found.
struct ParseFault {
  FaultCode code = FaultCode::Format;
  int transition = 0;
  bool operator==(const ParseFault& o) const { return code == o.code && transition == o.transition; }
};

// What a parse of the program text gives. Built once, then only read.
struct Program {
  MachineKind kind = MachineKind::DEA;
  std::vector<Transition> transitions;        // in the order of the text (after epsilon removal for the NEA)
  std::vector<StateCode> endStates{kStateE};  // E first, then every declared state in order
  std::string alphabet;                       // distinct input symbols in order of appearance, '_' excluded
  bool hasEpsilon = false;
  std::vector<ParseFault> faults;  // every fault, in order; the parse stops at the faulty line
  int faultLine = -1;              // index of the faulty line, or -1

  bool Ok() const { return faults.empty(); }
  bool IsEndState(StateCode s) const { return endMark_[s]; }
  // A KA accepts by empty stack alone unless the program declares end states.
  bool DeclaresEndStates() const { return endStates.size() > 1; }
  void AddEndState(StateCode s) {
    endStates.push_back(s);
    endMark_.set(s);
  }

 private:
  std::bitset<65536> endMark_ = std::bitset<65536>().set(kStateE);
};

// Everything a step reads and changes: the machine's configuration. The tape
// and the second field (the DEA's output tape or the KA's stack, bottom first)
// are the texts as the step sees them.
struct Configuration {
  StateCode state = kStateA;
  std::uint32_t head = 1;
  std::uint32_t steps = 0;  // head moves so far
  StateSet set;             // the NEA's current set
  std::string tape;
  std::string second;

  bool operator==(const Configuration& o) const {
    return state == o.state && head == o.head && steps == o.steps && set == o.set && tape == o.tape &&
           second == o.second;
  }
  bool operator!=(const Configuration& o) const { return !(*this == o); }
};

}  // namespace automaten
