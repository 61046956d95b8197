// The simulation without a window: run control (reset, single step,
// automatic run, speed), the status display and the choice of machine kind.
// It owns the parsed program and the machine's configuration and reaches the
// screen only through View. The tape and the second field are the view's
// texts: what the user types there between two steps is read by the next.
#pragma once

#include <string>
#include <vector>

#include "engine/step.h"
#include "engine/types.h"

namespace automaten {

class View;

// How the frequency label writes numbers.
struct NumberFormat {
  char decimalSeparator = ',';
  char groupSeparator = '.';
};

// Where a run stands, as the verdict label tells it.
struct RunOutcome {
  enum class Kind { Running, Accepted, NotAccepted, FunctionValue, ParseFault };
  Kind kind = Kind::Running;
  std::string value;                // the Turing machine's function value
  std::vector<std::string> faults;  // the parse's fault messages
};

class Simulation {
 public:
  explicit Simulation(View& view);

  // ---- Commands (menu, tool bar, timer, slider) ----
  void Reset();            // "Anfangszustand": stops the run, parses, sets the initial configuration
  void SingleStep();       // "Einzelschritt": stops the run; steps a ready machine, resets one that is not
  void StartOrStop();      // "Starten": switches the automatic run, resetting a machine that is not ready
  void Stop();             // "Anhalten": stops a running machine
  void Tick();             // the timer: one step of the automatic run
  void ShowSpeed();        // the slider moved: timer interval and frequency label
  void ClearTape();        // "Band löschen"
  void RestoreLastTape();  // "letzter Bandinhalt"
  void ProgramEdited();    // a key was released in the program area
  // Shows or hides the second field, switches the kind and loads its example
  // program and tape; the machine is then "unbestimmt" until the next reset.
  void SelectKind(MachineKind kind);
  // The tape field was laid out anew for this many visible cells: a short
  // Turing tape is padded, the marker cleared and the speed shown again.
  void TapeFieldResized(int tapeWidth);
  // One step with its display refresh. A machine that is "unbestimmt" applies
  // no transition: only the display is refreshed.
  void Step();

  // ---- Status display ----
  void ShowMachineKind();
  void ShowStatus(const std::string& message);

  // ---- What the front ends and the document session read and set ----
  MachineKind Kind() const { return kind_; }
  // A stored kind code, taken as it is without loading an example.
  void RestoreKind(MachineKind kind) { kind_ = kind; }
  int TapeWidth() const { return tapeWidth_; }
  void SetTapeWidth(int cells) { tapeWidth_ = cells; }
  const std::string& LastTape() const { return lastTape_; }
  void SetLastTape(const std::string& tape) { lastTape_ = tape; }
  bool ProgramChanged() const { return programChanged_; }
  void SetProgramChanged(bool changed) { programChanged_ = changed; }
  bool Ready() const { return ready_; }
  bool Undetermined() const { return !determined_; }
  bool Running() const;
  const Configuration& CurrentConfiguration() const { return configuration_; }
  RunOutcome Outcome() const;

  // Timer interval in ms for a slider position, and the label for it.
  static int IntervalForPosition(int position);
  static std::string FrequencyText(int intervalMs, const NumberFormat& format);
  void SetNumberFormat(const NumberFormat& format) { format_ = format; }

 private:
  bool ParseProgram();  // shows each fault; false when there was one
  void ResetMachine();
  void RefreshTape();
  void StopTimer();
  void ShowHead(bool counting);
  void ShowState();
  void ShowTransition();
  std::string Blanks(int count) const;

  View& view_;
  MachineKind kind_ = MachineKind::DEA;
  Program program_;
  Configuration configuration_;
  bool determined_ = false;  // false: "unbestimmt", no configuration since the kind changed
  bool ready_ = false;       // reset since the last change of kind or program fault
  bool parseFailed_ = false;
  int nextTransition_ = -1;  // the transition that applies in the configuration shown
  Verdict verdict_;          // of the configuration shown
  int tapeWidth_ = 60;       // tape cells the tape field shows
  std::string lastTape_;     // the tape of the last reset
  bool programChanged_ = false;
  NumberFormat format_;
};

// The marker line under the tape: width + 10 blanks with '^' under the head,
// left out when the head's column is outside the line.
std::string HeadMarker(int tapeWidth, std::uint32_t head, int firstVisible);

}  // namespace automaten
