// The simulation without a window: run control (reset, single step,
// automatic run, speed), the status display and the choice of machine kind.
// It owns the parsed program and the machine's configuration, the tape and
// the second field included, and reaches the screen only through View: each
// step tells the fields only the cells it changed. What the user types into
// a field between two steps is read once, before the next step.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "control/view.h"
#include "engine/loop.h"
#include "engine/step.h"
#include "engine/types.h"

namespace automaten {

// How the frequency label writes numbers.
struct NumberFormat {
  char decimalSeparator = ',';
  char groupSeparator = '.';
};

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

class Simulation {
 public:
  explicit Simulation(View& view);

  // ---- Commands (menu, tool bar, timer, slider) ----
  void Reset();       // "Anfangszustand": stops the run, parses, sets the initial configuration
  void SingleStep();  // "Einzelschritt": stops the run; steps a ready machine, resets one that is not
  // "Schritt zurück": stops the run and undoes the last step, down to the
  // configuration right after the reset.
  void StepBack();
  void StartOrStop();      // "Starten": switches the automatic run, resetting a machine that is not ready
  void Stop();             // "Anhalten": stops a running machine
  void Tick();             // the timer: one step of the automatic run
  void ShowSpeed();        // the slider moved: timer interval and frequency label
  void ClearTape();        // "Band löschen"
  void RestoreLastTape();  // "letzter Bandinhalt"
  // The user changed the program text, or undid the changes to the text saved.
  void ProgramChangedByUser(bool changed);
  void FieldEdited(Field f);  // the user changed a field's text
  // Shows or hides the second field, switches the kind and loads its example
  // program and tape; the machine is then "unbestimmt" until the next reset.
  void SelectKind(MachineKind kind);
  // The tape field was laid out anew for this many visible cells: a short
  // Turing tape is padded, the marker cleared and the speed shown again.
  void TapeFieldResized(int tapeWidth);
  // One step with its display refresh. A machine that is "unbestimmt" applies
  // no transition: only the display is refreshed.
  void Step();
  // Up to `ticks` ticks of the automatic run as Tick would take them, without
  // showing each step; the display then shows where the run stands, as after
  // the ticks one by one. Returns the ticks taken.
  unsigned long long RunTicks(unsigned long long ticks);

  // ---- Status display ----
  void ShowMachineKind();
  void ShowStatus(std::string_view message);

  // ---- What the front ends and the document session read and set ----
  MachineKind Kind() const { return kind_; }
  // A stored kind code, taken as it is without loading an example.
  void RestoreKind(MachineKind kind) { kind_ = kind; }
  int TapeWidth() const { return tapeWidth_; }
  void SetTapeWidth(int cells) { tapeWidth_ = cells; }
  const std::string& LastTape() const { return lastTape_; }
  void SetLastTape(const std::string& tape) { lastTape_ = tape; }
  bool ProgramChanged() const { return programChanged_; }
  // Unchanged: the text as it stands is the one saved, loaded or given.
  void SetProgramChanged(bool changed);
  bool Ready() const { return ready_; }
  // The steps that "Schritt zurück" can undo; forgotten by a reset, a change
  // of kind, "Band löschen", "letzter Bandinhalt" and a new program.
  std::size_t HistorySize() const { return history_.size(); }
  std::size_t HistoryBytes() const;  // what the history takes in memory
  void ClearHistory();
  // Whether an endless Turing run is looked for ("Endlosschleifen erkennen").
  bool LoopCheck() const { return loopCheck_; }
  void SetLoopCheck(bool on);
  // Keeping no history, for a run that is never stepped back (the command line).
  void KeepHistory(bool keep) { keepHistory_ = keep; }
  bool Undetermined() const { return !determined_; }
  bool Running() const;
  const Configuration& CurrentConfiguration() const { return configuration_; }
  // The program of the last reset, counted by a number that grows with each
  // parse; the transition the next step takes (-1 for none); the verdict.
  const Program& CurrentProgram() const { return program_; }
  std::uint64_t ParseCount() const { return parses_; }
  int NextTransition() const { return move_.transition; }
  const Verdict& CurrentVerdict() const { return verdict_; }
  RunOutcome Outcome() const;

  // Timer interval in ms for a slider position, and the label for it.
  static int IntervalForPosition(int position);
  static std::string FrequencyText(int intervalMs, const NumberFormat& format);
  void SetNumberFormat(const NumberFormat& format);

 private:
  bool ParseProgram();  // shows each fault; false when there was one
  void ResetMachine();
  void StopTimer();
  void TakeUserEdits();
  void SetField(Field f, const std::string& text);  // the field's text, read again before the next step
  void ShowStepInFields(const StepResult& r, std::uint32_t headBefore, std::size_t secondSizeBefore);
  void ShowHead(bool counting);
  void ShowSteps();
  void SetPanel(StatusPanel panel, const std::string& text);
  void ShowState();
  void ShowTransition();
  void SetLabel(Label l, const std::string& text);
  struct Undo;
  void Record(const StepResult& r, std::size_t secondSize, Undo u);
  void TakeBack();  // one step of the history, on the configuration and the fields
  unsigned long long RunWatched(unsigned long long ticks);
  void ShowEndlessRun();
  void RememberMessage();
  void SetColour(Label l, TextColour c);

  View& view_;
  MachineKind kind_ = MachineKind::DEA;
  Program program_;
  std::uint64_t parses_ = 0;
  Configuration configuration_;
  Move move_;                  // what applies in the configuration shown
  std::uint64_t applied_ = 0;  // transitions applied since the reset
  bool determined_ = false;    // false: "unbestimmt", no configuration since the kind changed
  bool ready_ = false;         // reset since the last change of kind or program fault
  bool parseFailed_ = false;
  std::array<bool, kFieldCount> edited_{};  // the user changed a field since it was read
  Verdict verdict_;                         // of the configuration shown
  int tapeWidth_ = kDefaultTapeWidth;       // tape cells the tape field shows
  std::string lastTape_;                    // the tape of the last reset
  bool programChanged_ = false;
  NumberFormat format_;
  int shownSpeed_ = 0;  // the slider position the frequency label shows
  // What the labels show, so that only a change is formatted and sent.
  std::array<std::string, kLabelCount> labelText_;
  std::array<TextColour, kLabelCount> labelColour_{};
  // The same for the status panels; a step formats its texts in `scratch_`,
  // which keeps its buffer, so that a step allocates nothing for the display.
  std::array<std::string, kPanelCount> panelText_;
  std::array<bool, kPanelCount> panelShown_{};
  std::string scratch_;
  // What a step changed, to take it back: 12 bytes a step; a user's edit
  // keeps the texts it replaced.
  struct Undo {
    std::uint32_t head;
    StateCode state;
    std::uint16_t set;
    char cell;  // the tape or output cell before, or the symbol popped
    std::uint8_t flags;
    std::uint16_t grew;  // cells the output tape gained
  };
  struct Edit {
    std::size_t at;  // index into history_
    std::string tape, second;
  };
  std::vector<Undo> history_;
  std::vector<Edit> edits_;
  bool keepHistory_ = true;
  // The verdict label as the steps left it: (applied steps, text, colour).
  struct Message {
    std::uint64_t at;
    std::string text;
    TextColour colour;
  };
  std::vector<Message> messages_;
  LoopDetector detector_;
  bool loopCheck_ = true;
  std::uint64_t watchingUntil_ = 0, nextWindow_ = 0;  // the windows of a long run without display
  std::uint64_t shownStateKey_ = ~0ull;
  std::uint64_t shownTransitionKey_ = ~0ull;
};

}  // namespace automaten
