// The simulation without a window: run control (reset, single step,
// automatic run, speed), the status display and the choice of machine kind.
// It owns the parsed program and the machine's configuration, the tape and
// the second field included, and reaches the screen only through View: each
// step tells the fields only the cells it changed. What the user types into
// a field between two steps is read once, before the next step.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/changesonlyview.h"
#include "control/history.h"
#include "control/speed.h"
#include "engine/loop.h"
#include "engine/step.h"
#include "engine/types.h"

namespace automaten {

// Where a run stands, as the verdict label and the timer tell it; every
// front end reads its verdict here instead of deriving it again.
struct RunOutcome {
  enum class Result {
    Running,        // the automatic run goes on (a headless run: its bound was reached)
    Stopped,        // no verdict: not started yet, or stopped by the user
    Accepted,       // green: the word was accepted
    NotAccepted,    // red: not accepted, or the Turing machine's value undefined
    FunctionValue,  // green: the Turing machine's value, in `value`
    ErrorState,     // stopped in the error state F although a transition leads out of it
    EndlessRun,     // an endless Turing run was proved; the sentence in `value`
    ParseFault,     // the program has a fault; the messages in `faults`
  };
  Result result = Result::Stopped;
  std::string value;                // machine text
  std::vector<std::string> faults;  // the parse's fault messages, machine text
  bool Green() const { return result == Result::Accepted || result == Result::FunctionValue; }
  // The machine halted, with a verdict or in the error state.
  bool Halted() const {
    return result == Result::Accepted || result == Result::NotAccepted || result == Result::FunctionValue ||
           result == Result::ErrorState;
  }
};

// Whether the machine has a configuration to step on.
enum class RunState {
  Undetermined,  // "unbestimmt": no configuration since the kind changed
  ParseFault,    // the last reset found a fault in the program
  Ready,         // reset: a configuration of the program parsed last
};

// What the simulation holds, to read: for the diagram, the settings, tests.
struct SimulationState {
  MachineKind kind;
  RunState run;
  bool loopCheck;                      // "Endlosschleifen erkennen"
  const std::string& lastTape;         // the tape of the last reset
  const Program& program;              // the last reset's parse
  std::uint64_t parseCount;            // grows with each parse
  const Configuration& configuration;  // of the machine shown
  int nextTransition;                  // the transition the next step takes, -1 for none
  const Verdict& verdict;              // of the configuration shown
};

class Simulation {
 public:
  // Without `keepHistory` no step is kept for "Schritt zurück" (the command line).
  explicit Simulation(View& view, bool keepHistory = true);

  // ---- Commands (menu, tool bar, timer, slider) ----
  void Reset();       // "Anfangszustand": stops the run, parses, sets the initial configuration
  void SingleStep();  // "Einzelschritt": stops the run; steps a ready machine, resets one that is not
  // "Schritt zurück": stops the run and undoes the last step, down to the
  // configuration right after the reset.
  void StepBack();
  void StartOrStop();  // "Starten": switches the automatic run, resetting a machine that is not ready
  void Stop();         // "Anhalten": stops a running machine
  // The timer: one step of the automatic run. A tick after a stop (one that
  // the event loop had queued already) still steps once.
  void Tick();
  // Up to `ticks` ticks of the automatic run as Tick would take them, without
  // showing each step; the display then shows where the run stands, as after
  // the ticks one by one. Returns the ticks taken.
  unsigned long long RunTicks(unsigned long long ticks);
  // One step with its display refresh. A machine that is "unbestimmt" applies
  // no transition: only the display is refreshed.
  void Step();
  void ShowSpeed();           // the slider moved: timer interval and frequency label
  void ClearTape();           // "Band löschen"
  void RestoreLastTape();     // "letzter Bandinhalt"
  void FieldEdited(Field f);  // the user changed a field's text
  // Shows or hides the second field, switches the kind and loads its example
  // program and tape; the machine is then "unbestimmt" until the next reset.
  void SelectKind(MachineKind kind);
  // The tape field was laid out anew for View::TapeWidth cells: a short
  // Turing tape is padded, the marker cleared and the speed shown again.
  void TapeFieldResized();

  // ---- What the document session tells ----
  void ShowStatus(std::string_view message);
  // The mark "geändert" in the status bar: the user changed the program text
  // (or undid the changes to the text saved).
  void ShowChangedMark(bool changed);
  // A new program text replaced the old one: no step of the old one can be taken back.
  void ProgramReplaced();
  // A stored kind code, taken as it is without loading an example; the kind
  // buttons show it.
  void RestoreKind(MachineKind kind);
  void SetLastTape(const std::string& tape);
  // The most steps "Schritt zurück" keeps; beyond it the oldest are dropped,
  // and the status bar says so.
  void SetHistoryBound(std::uint64_t steps);
  // Whether an endless Turing run is looked for ("Endlosschleifen erkennen").
  void SetLoopCheck(bool on);

  // ---- What the front ends read ----
  SimulationState State() const;
  RunOutcome Outcome() const;
  // The steps "Schritt zurück" can undo; forgotten by a reset, a change of
  // kind, "Band löschen", "letzter Bandinhalt" and a new program.
  const History& Steps() const { return history_; }

 private:
  bool ParseProgram();  // shows each fault; false when there was one
  // A new kind; without the example (a fault's box offered the one other kind
  // the text fits, and the user took it) the program text and the tape stay.
  void ChangeKind(MachineKind kind, bool withExample);
  void ResetMachine();
  void StopTimer();
  void TakeUserEdits();
  void SetField(Field f, const std::string& text);  // the field's text, read again before the next step
  void ShowStepInFields(const StepResult& r, std::uint32_t headBefore, std::size_t secondSizeBefore);
  void ShowHead(bool counting);
  void ShowSteps();
  void ShowKind();
  void ShowState();
  void ShowTransition();
  void Record(const StepRecord& step);
  void TakeBack();  // one step of the history, on the configuration and the fields
  void ClearHistory();
  void ShowEndlessRun();
  void RememberMessage();
  bool Watching() const;  // a Turing run looked at for an endless run
  void StartWatching();
  std::string StepsKept() const;
  const std::string& LastTape() const;
  void KeepLastTape() const;  // a copy of the last reset's tape, before the configuration's is replaced
  void ShowFields();          // the fields show the configuration's cells
  CellSource TapeCells() const;
  CellSource SecondCells() const;

  View& screen_;
  ChangesOnlyView view_{screen_};
  MachineKind kind_ = MachineKind::DEA;
  RunState run_ = RunState::Undetermined;
  Program program_;
  std::uint64_t parses_ = 0;
  std::uint64_t parsedRevision_ = 0;  // the view's program revision program_ was parsed from
  MachineKind parsedKind_ = MachineKind::DEA;
  Configuration configuration_;
  Move move_;                               // what applies in the configuration shown
  std::uint64_t applied_ = 0;               // transitions applied since the reset
  std::array<bool, kFieldCount> edited_{};  // the user changed a field since it was read
  Verdict verdict_;                         // of the configuration shown
  // The tape of the last reset; while lastTapeInConfiguration_, the configuration's.
  mutable std::string lastTape_;
  mutable bool lastTapeInConfiguration_ = false;
  bool changedMark_ = false;  // the status bar shows "geändert"
  int shownSpeed_ = 0;        // the slider position the frequency label shows
  // A step formats its texts in `scratch_`, which keeps its buffer, so that a
  // step allocates nothing for the display.
  std::string scratch_;
  History history_;
  bool keepHistory_;
  // The verdict label as the steps left it: (applied steps, text, colour).
  struct Message {
    std::uint64_t at;
    std::string text;
    TextColour colour;
  };
  std::vector<Message> messages_;
  LoopDetector detector_;
  LongRunWatch longRun_;
  bool loopCheck_ = true;
  std::uint64_t shownStateKey_ = ~0ull;
  std::uint64_t shownTransitionKey_ = ~0ull;
};

}  // namespace automaten
