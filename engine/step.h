// The step rules of the five machine kinds and the halting verdict, as
// functions of a program and a configuration.
#pragma once

#include <cstdint>
#include <string>

#include "engine/types.h"

namespace automaten {

class LoopDetector;

// The configuration right after a reset: state A, no steps, the NEA set {A},
// the DEA's output tape of blanks or the KA's empty stack. A Turing tape is
// padded with blanks to the visible width. The head starts on the first cell
// that is no blank '*', or near the middle of the visible cells when there
// is none among them.
Configuration InitialConfiguration(MachineKind kind, std::string tape, int tapeWidth);
// Where a head starts on a tape of blanks: near the middle of the visible cells.
std::uint32_t MiddleHead(int tapeWidth);
// The second field of a reset: blanks under the DEA's input, "#" for the KA.
std::string InitialSecondField(MachineKind kind, const std::string& tape);

inline char SymbolUnderHead(const Configuration& c) { return c.tape.At(c.head); }
// Index of the transition that applies now, or -1. The first matching line
// wins; the KA also needs its stack top. An NEA whose set has a move on the
// symbol takes entry 0, whichever entry that is.
int FindTransition(const Program& program, const Configuration& c);

// What the next step does: its transition and, for the NEA, the next set.
// Looked up once, it serves the display and then the step.
struct Move {
  int transition = -1;
  StateSet nextSet;
};
Move NextMove(const Program& program, const Configuration& c);

// What a step did, so the display can follow it.
struct StepResult {
  int transition = -1;          // index of the applied transition, or -1
  bool moved = false;           // the head moved, and the step was counted
  bool wroteOutput = false;     // the DEA wrote at the head it read from
  bool wroteTape = false;       // the Turing machine changed the cell under its head
  std::uint32_t grewFront = 0;  // blanks put in front of the tape (positions shift by as many)
  std::uint32_t grewBack = 0;   // blanks appended to the tape
  bool secondChanged = false;
};
// One step: act by kind on the move looked up for this configuration, change
// state. Nothing applies when it has no transition.
StepResult ApplyMove(const Program& program, Configuration& c, const Move& move);
inline StepResult ApplyStep(const Program& program, Configuration& c) {
  return ApplyMove(program, c, NextMove(program, c));
}

// Steps on from the move looked up for this configuration until the machine
// halts, stands in the error state F (not the NEA), or `limit` steps are
// taken; returns the steps taken, and leaves `move` looked up for the
// configuration reached. A step that finds no transition is one of them.
// A Turing machine's run is watched by the detector, when one is given, and
// stops as soon as it has proved an endless run.
std::uint64_t RunSteps(const Program& program, Configuration& c, Move& move, std::uint64_t limit,
                       LoopDetector* detector = nullptr);

// A Turing machine's result: the ones from the head on, counted.
std::string FunctionValue(const Configuration& c);
// The input is read (the Turing machine: it stands in an end state).
inline bool AtEnd(const Program& program, const Configuration& c) {
  if (program.kind == MachineKind::TM) return program.IsEndState(c.state);
  return c.tape.size() + 1 == c.head;
}

// Whether the machine has halted, given the transition that applies now.
inline bool Halted(const Program& program, const Configuration& c, int nextTransition) {
  return nextTransition < 0 || AtEnd(program, c);
}

struct Verdict {
  bool halted = false;
  bool ok = false;  // accepted, or a function value
  std::string text;
};
// Whether the machine has halted, given the transition that applies now, and
// the verdict if so.
Verdict CheckHalt(const Program& program, const Configuration& c, int nextTransition);

}  // namespace automaten
