// The simulation without a window: run control (reset, single step,
// automatic run, speed), the status display and the choice of machine kind.
// It owns the engine's fields and reaches the screen only through View.
#pragma once

#include <string>
#include <vector>

#include "engine/machine.h"

namespace automaten {

class View;

// How the frequency label writes numbers.
struct NumberFormat {
  char decimalSeparator = ',';
  char groupSeparator = '.';
};

class Simulation {
 public:
  explicit Simulation(View& view);

  // ---- Commands (menu, tool bar, timer, slider) ----
  void TBAnfangszustandClick();  // "Anfangszustand", F8
  void TBStepClick();            // "Einzelschritt", F7
  void MIStartenClick();         // "Starten", F9: starts or stops the automatic run
  void MIAnhaltenClick();        // "Anhalten": stops an active automatic run
  void Timer1Timer();
  void TrackBar1Change();
  void TBBandClick();        // "Band löschen"
  void ToolButton7Click();   // "letzter Bandinhalt"
  void MProgrammKeyUp();
  // Tool-bar choice of a kind: shows or hides the second field, switches
  // the kind and loads its example program and tape.
  void det_AutomatClick() { SelectKind(MachineKind::DEA); }
  void AkzeptorClick() { SelectKind(MachineKind::Akz); }
  void nichtdetAutomatClick() { SelectKind(MachineKind::NEA); }
  void KellerautomatClick() { SelectKind(MachineKind::KA); }
  void Turingmaschine1Click() { SelectKind(MachineKind::TM); }
  void SelectKind(MachineKind kind);

  // ---- Run control ----
  void ResetToInitialState();
  void SaveTape();
  void RefreshTape();
  void StopTimer();
  void UpdateFrequency();
  void Step();
  void ShowHead(bool counting);
  void ParseProgram();

  // ---- Status display ----
  void ShowState();
  void ShowTransition(int index);
  void ShowMachineKind();
  void ShowStatus(const std::string& message);

  // ---- Machine selection ----
  void SelectMachine(MachineKind kind, const std::string& title);
  void LoadExampleText(MachineKind kind);

  // Timer interval in ms for a slider position, and the label for it.
  static int IntervalForPosition(int position);
  static std::string FrequencyText(int intervalMs, const NumberFormat& format);

  void SetNumberFormat(const NumberFormat& format) { format_ = format; }

  // ---- Run-time fields ----
  Machine M;                // the engine's fields: table, state, head, sets ...
  int FTapeWidth = 60;      // tape cells the tape field shows
  bool FReady = false;
  std::string FLastTape;
  bool FModified = false;

 private:
  void ShowState(const std::string& tape, const std::string& second);
  void ShowTransition(int index, const std::string& tape);
  std::string Blanks(int count) const;

  View& view_;
  NumberFormat format_;
};

}  // namespace automaten
