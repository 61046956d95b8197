// Run control, status display and machine selection.
#include "simulation.h"

#include <algorithm>
#include <cmath>

#include "examples.h"
#include "view.h"

namespace automaten {

namespace {

struct KindInfo {
  const char* title;
  const char* label;
  bool secondFieldVisible;
};

bool IsKnownKind(MachineKind kind) { return static_cast<std::uint16_t>(kind) <= 4; }

const KindInfo& InfoOf(MachineKind kind) {
  static const KindInfo kInfo[] = {
      {"Simulation endlicher Automat mit Ausgabe", " DEA", true},
      {"Simulation Akzeptor", " Akz", false},
      {"Simulation nichtdeterministischer endlicher Automat", " NEA", false},
      {"Simulation Kellerautomat", " KA", true},
      {"Simulation Turingmaschine", " TM", false},
  };
  return kInfo[static_cast<std::uint16_t>(kind)];
}

const MachineKind kKinds[] = {MachineKind::DEA, MachineKind::Akz, MachineKind::NEA, MachineKind::KA,
                              MachineKind::TM};

}  // namespace

Simulation::Simulation(View& view) : view_(view) {}

std::string Simulation::Blanks(int count) const { return std::string(static_cast<std::size_t>(std::max(count, 0)), ' '); }

// ---- Commands ------------------------------------------------------------------

void Simulation::TBAnfangszustandClick() {
  StopTimer();
  ResetToInitialState();
}

void Simulation::TBStepClick() {
  StopTimer();
  if (FReady)
    Step();
  else
    ResetToInitialState();
}

void Simulation::MIStartenClick() {
  const bool running = !view_.TimerEnabled();
  view_.SetTimerEnabled(running);
  if (running) {
    view_.SetStartButtonImage(kImageStop);
    ShowStatus("Gestartet");
  } else {
    view_.SetStartButtonImage(kImageStart);
    ShowStatus("Angehalten");
  }
  if (!FReady) ResetToInitialState();
}

void Simulation::MIAnhaltenClick() {
  if (!view_.TimerEnabled()) return;
  StopTimer();
  ShowStatus("Angehalten");
}

void Simulation::Timer1Timer() {
  UpdateFrequency();
  if (!FReady) StopTimer();
  Step();
}

void Simulation::TrackBar1Change() { UpdateFrequency(); }

void Simulation::TBBandClick() {
  view_.SetFieldText(Field::EBand,
                     M.FMode == MachineKind::TM ? std::string(static_cast<std::size_t>(FTapeWidth) + 1, kTmBlank) : "");
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(FTapeWidth));
  ShowStatus("Band gel\xF6scht.");
}

void Simulation::ToolButton7Click() {
  view_.SetFieldText(Field::EBand, FLastTape);
  ShowStatus("Letzten Bandinhalt wieder hergestellt.");
}

void Simulation::MProgrammKeyUp() {
  FModified = true;
  view_.SetStatusPanel(1, " ge\xE4ndert ");
}

void Simulation::SelectKind(MachineKind kind) {
  if (!IsKnownKind(kind)) return;
  view_.SetFieldVisible(Field::EAusgabe, InfoOf(kind).secondFieldVisible);
  SelectMachine(kind, InfoOf(kind).title);
  view_.SetFieldText(Field::EBand, ExampleTape(kind, M.FHead, FTapeWidth));
  LoadExampleText(kind);
}

// ---- Run control ---------------------------------------------------------------

void Simulation::ParseProgram() {
  std::vector<std::string> lines;
  const int n = view_.ProgramLineCount();
  lines.reserve(static_cast<std::size_t>(std::max(n, 0)));
  for (int i = 0; i < n; ++i) lines.push_back(view_.ProgramLine(i));
  automaten::ParseProgram(M, lines);
  if (!M.FError) return;
  // Each fault stops the run, leaves the machine not ready and shows its box.
  for (const ParseFault& fault : M.FFaults) {
    StopTimer();
    FReady = false;
    view_.ShowMessage(FaultMessage(fault));
  }
  const auto [start, length] = LineSelection(lines, M.FFaultLine);
  view_.FocusProgram();
  view_.SelectInProgram(start, length);
}

void Simulation::ResetToInitialState() {
  view_.SetLabelText(Label::LMeldung, "");
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(FTapeWidth));
  ParseProgram();
  switch (M.FMode) {
    case MachineKind::DEA:
      view_.SetFieldText(Field::EAusgabe, Blanks(static_cast<int>(view_.FieldText(Field::EBand).size())));
      break;
    case MachineKind::NEA:
      ResetSet(M);
      break;
    case MachineKind::KA:
      view_.SetFieldText(Field::EAusgabe, std::string(1, kStackBottom));
      break;
    default:
      break;
  }
  if (M.FError) return;
  SaveTape();
  FReady = true;
  M.FStepCount = 0;
  M.FState = kStateA;
  RefreshTape();
  view_.SelectInField(Field::EBand, static_cast<int>(M.FHead) - 1, 1);
  ShowState();
  ShowHead(false);
  ShowStatus("In den Anfangszustand gesetzt.");
}

void Simulation::SaveTape() {
  FLastTape = view_.FieldText(Field::EBand);
  const std::size_t width = static_cast<std::size_t>(std::max(FTapeWidth, 0));
  if (M.FMode == MachineKind::TM && FLastTape.size() < width) {
    FLastTape.resize(width, kTmBlank);
    view_.SetFieldText(Field::EBand, FLastTape);
  }
  // The head starts on the first character that is no blank '*', but not
  // beyond the visible cells.
  std::size_t i = 1;
  while (i < FLastTape.size() && FLastTape[i - 1] == kTmBlank && i < width) ++i;
  M.FHead = i < width ? static_cast<std::uint32_t>(i) : static_cast<std::uint32_t>(std::max(FTapeWidth / 2 - 3, 1));
  view_.SetLabelText(Label::LSchritte, "Schritte: 0");
}

void Simulation::RefreshTape() {
  const std::string tape = view_.FieldText(Field::EBand);
  view_.SetFieldText(Field::EBand, "");
  view_.FocusField(Field::EBand);
  view_.SetFieldText(Field::EBand, tape);
}

void Simulation::StopTimer() {
  view_.SetTimerEnabled(false);
  view_.SetStartButtonImage(kImageStart);
}

int Simulation::IntervalForPosition(int position) {
  const int p = std::clamp(position, 1, 100);
  return static_cast<int>(std::lround(std::exp(-0.08 * (p - 1)) * 5000.0));
}

std::string Simulation::FrequencyText(int intervalMs, const NumberFormat& format) {
  const double f = 1000.0 / std::max(intervalMs, 1);
  const int decimals = f < 10 ? 1 : 0;
  const double scale = decimals == 1 ? 10.0 : 1.0;
  // A half at the last shown digit rounds up; the epsilon keeps 6.25 at 6,3.
  const long long units = static_cast<long long>(std::floor(f * scale + 0.5 + 1e-9));
  std::string whole = std::to_string(units / static_cast<long long>(scale));
  for (int pos = static_cast<int>(whole.size()) - 3; pos > 0; pos -= 3)
    whole.insert(static_cast<std::size_t>(pos), 1, format.groupSeparator);
  std::string text = whole;
  if (decimals == 1) text += format.decimalSeparator + std::to_string(units % 10);
  return text + " Hz";
}

void Simulation::UpdateFrequency() {
  view_.SetTimerInterval(IntervalForPosition(view_.SliderPosition()));
  view_.SetLabelText(Label::LFrequenz2, FrequencyText(view_.TimerInterval(), format_));
}

void Simulation::Step() {
  RefreshTape();
  // Nothing can change the fields during the step, so they are read once.
  std::string tape = view_.FieldText(Field::EBand);
  std::string second = view_.FieldText(Field::EAusgabe);
  const std::uint32_t head = M.FHead;
  const std::string tapeBefore = tape;
  const std::string secondBefore = second;
  const StepResult r = ApplyStep(M, tape, second);
  if (second != secondBefore) view_.SetFieldText(Field::EAusgabe, second);
  if (r.wroteOutput) view_.SelectInField(Field::EAusgabe, static_cast<int>(head) - 1, 1);
  if (tape != tapeBefore) view_.SetFieldText(Field::EBand, tape);
  if (r.moved) ShowHead(true);
  ShowState(tape, second);
  ShowStatus("Einzelschritt");
}

void Simulation::ShowHead(bool counting) {
  view_.SelectInField(Field::EBand, static_cast<int>(M.FHead) - 1, 1);
  const int first = view_.FirstVisibleChar(Field::EBand);
  view_.SetLabelText(Label::Schreiblesekopf, HeadMarker(FTapeWidth, M.FHead, first));
  // The engine counts the move; the label follows it.
  if (counting) view_.SetLabelText(Label::LSchritte, "Schritte: " + std::to_string(M.FStepCount));
}

// ---- Status display ------------------------------------------------------------

void Simulation::ShowState() { ShowState(view_.FieldText(Field::EBand), view_.FieldText(Field::EAusgabe)); }

void Simulation::ShowState(const std::string& tape, const std::string& second) {
  view_.SetLabelColour(Label::LZustand, TextColour::WindowText);
  std::string text;
  bool fault = false;
  switch (M.FState) {
    case kStateA: text = "Zustand : Anfangszustand"; break;
    case kUnbestimmt: text = "Zustand : unbestimmt"; break;
    case kStateF: text = "Zustand : Fehlzustand"; fault = true; break;
    case kStateE: text = "Zustand : Endzustand"; break;
    case kUndefiniert: text = "Zustand : undefiniert"; fault = true; break;
    default: text = "Zustand : " + std::to_string(M.FState); break;
  }
  if (M.FMode == MachineKind::NEA && M.FState != kUnbestimmt) text = "Zustand : " + SetToText(M.FCurrentSet);
  view_.SetLabelText(Label::LZustand, text);
  if (fault) {
    view_.SetLabelColour(Label::LZustand, TextColour::Red);
    StopTimer();
  }
  M.FNextTransition = FindTransition(M, tape, second);
  ShowTransition(M.FNextTransition, tape);
  const Verdict v = CheckHalt(M, tape, second);
  if (v.halted) {
    StopTimer();
    view_.SetLabelColour(Label::LMeldung, v.colour);
    view_.SetLabelText(Label::LMeldung, v.text);
  }
}

void Simulation::ShowTransition(int index) { ShowTransition(index, view_.FieldText(Field::EBand)); }

void Simulation::ShowTransition(int index, const std::string& tape) {
  view_.SetLabelColour(Label::LBefehl, TextColour::WindowText);
  const std::string prefix = "\xDC" "bergang: ";
  if (index < 0 || index >= M.FTransitionCount) {
    if (AtEnd(M, tape) || M.FState == kUnbestimmt) {
      view_.SetLabelText(Label::LBefehl, prefix);
    } else {
      view_.SetLabelText(Label::LBefehl, prefix + "undefiniert");
      view_.SetLabelColour(Label::LBefehl, TextColour::Red);
    }
  } else if (M.FMode == MachineKind::NEA) {
    view_.SetLabelText(Label::LBefehl, prefix + SetTransitionText(M, tape));
  } else {
    view_.SetLabelText(Label::LBefehl, prefix + M.FTable[index].Line);
  }
}

void Simulation::ShowMachineKind() {
  for (MachineKind kind : kKinds) view_.SetKindButtonDown(kind, false);
  if (!IsKnownKind(M.FMode)) return;
  view_.SetKindButtonDown(M.FMode, true);
  view_.SetStatusPanel(0, InfoOf(M.FMode).label);
}

void Simulation::ShowStatus(const std::string& message) {
  view_.SetStatusPanel(1, FModified ? " ge\xE4ndert" : "");
  view_.SetStatusPanel(2, " " + message);
}

// ---- Machine selection ---------------------------------------------------------

void Simulation::SelectMachine(MachineKind kind, const std::string& title) {
  M.FMode = kind;
  view_.SetCaption(title);
  M.FState = kUnbestimmt;
  M.FStepCount = 0;
  FReady = false;
  M.FHead = kind == MachineKind::TM ? static_cast<std::uint32_t>(std::max(FTapeWidth / 2 - 3, 1)) : 1;
  view_.SetFieldText(Field::EAusgabe, kind == MachineKind::KA ? std::string(1, kStackBottom) : "");
  view_.SetLabelText(Label::LSchritte, "Schritte: ");
  view_.SetLabelText(Label::LMeldung, "");
  ShowState();
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(FTapeWidth));
  ShowMachineKind();
}

void Simulation::LoadExampleText(MachineKind kind) {
  view_.SetProgramText(ExampleText(kind));
  FModified = false;
}

}  // namespace automaten
