// A run without a window, as "Starten" and the timer take it until the
// machine stops or the bound is reached: the one set-up that the command
// line, the test cases, grading and the benchmarks share.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "control/plainview.h"
#include "control/simulation.h"

namespace automaten {

// Ticks a run may take unless told otherwise.
constexpr std::uint64_t kDefaultStepBound = 1000000;

struct HeadlessSetup {
  MachineKind kind = MachineKind::DEA;
  std::optional<std::string> program;  // UTF-8; none: the kind's example program
  std::optional<std::string> tape;     // machine text; none: the example's tape, or empty beside a program
  int width = kDefaultTapeWidth;       // the visible tape cells a Turing tape is padded to
  bool loopCheck = true;               // "Endlosschleifen erkennen"
  bool keepHistory = false;            // for "Schritt zurück"; a run that is never stepped back keeps none
  std::function<void(const std::string&)> onMessage;  // each message box, machine text
};

class HeadlessRun {
 public:
  // Chooses the kind, puts program and tape in place and presses "Starten":
  // a program with a fault has shown its boxes when this returns.
  explicit HeadlessRun(HeadlessSetup setup);  // a tape given by std::move is never copied
  HeadlessRun(const HeadlessRun&) = delete;
  HeadlessRun& operator=(const HeadlessRun&) = delete;

  // Up to `ticks` ticks, the display only at the end; the outcome then.
  RunOutcome Run(std::uint64_t ticks);
  // Another tape, from the initial state, as "Anfangszustand" and "Starten"
  // take it: the program is parsed again only when its text changed.
  void Restart(const std::string& tape);
  std::uint64_t Parses() const { return sim_.State().parseCount; }
  // One tick with its display; false when the run had stopped already.
  bool Tick();
  RunOutcome Outcome() const { return sim_.Outcome(); }
  // What the window would show: labels, fields, panels.
  const PlainView& Screen() const { return view_; }

 private:
  PlainView view_;
  Simulation sim_;
};

}  // namespace automaten
