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
std::string InitialSecondField(MachineKind kind, std::size_t tapeCells);
// Where the head stands before the first reset of a kind: a Turing head near
// the middle of the visible cells, any other on the first cell.
std::uint32_t HeadOfNewKind(MachineKind kind, int tapeWidth);
// The tape "Band löschen" leaves: blanks one cell wider than the visible
// ones for the Turing machine, else empty.
std::string ClearedTape(MachineKind kind, int tapeWidth);
// A Turing tape shorter than the visible cells, padded to one blank short of
// them (the reset pads the last); false for a tape left as it is.
bool PadToWidth(MachineKind kind, std::string& tape, int tapeWidth);

// Index of the transition that applies now, or -1. The first matching line
// wins; the KA also needs its stack top. An NEA whose set has a move on the
// symbol takes entry 0, whichever entry that is.
int FindTransition(const Program& program, const Configuration& c);

// The next step's move, looked up once: it serves the display and then the step.
Move NextMove(const Program& program, const Configuration& c);

// One step: act by kind on the move looked up for this configuration, change
// state. Nothing applies when it has no transition. With a record, what the
// step changed is kept there, so that UndoMove can take it back.
StepResult ApplyMove(const Program& program, Configuration& c, const Move& move, StepRecord* record = nullptr);
// Takes an applied step back: the configuration is the one before it again.
// Returns the cells of tape and second field it changed, for the display.
CellChanges UndoMove(Configuration& c, const StepRecord& record);
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
// Stands in the error state F: every kind but the NEA, whose F is a member of its set like any other, stops there.
inline bool InErrorState(const Program& program, const Configuration& c) {
  return program.kind != MachineKind::NEA && c.state == kStateF;
}
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
  bool ok = false;        // accepted, or a function value
  bool function = false;  // ok means the Turing machine's function value
  std::string text;
};
// Whether the machine has halted, given the transition that applies now, and
// the verdict if so.
Verdict CheckHalt(const Program& program, const Configuration& c, int nextTransition);

}  // namespace automaten
