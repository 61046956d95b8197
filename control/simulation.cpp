#include "simulation.h"

#include <algorithm>
#include <cmath>

#include "control/examples.h"
#include "control/kinds.h"
#include "control/view.h"
#include "engine/encoding.h"
#include "engine/nea.h"
#include "engine/parser.h"

namespace automaten {

namespace {

// Texts shown at every step, converted once.
const std::string& TransitionPrefix() {
  static const std::string text = MachineText("Übergang: ");
  return text;
}

const std::string& ChangedMark() {
  static const std::string text = MachineText(" geändert");
  return text;
}

}  // namespace

Simulation::Simulation(View& view) : view_(view) {}

std::string Simulation::Blanks(int count) const {
  return std::string(static_cast<std::size_t>(std::max(count, 0)), ' ');
}

std::string HeadMarker(int tapeWidth, std::uint32_t head, int firstVisible) {
  const int length = tapeWidth + 10 > 0 ? tapeWidth + 10 : 0;
  std::string marker(static_cast<std::size_t>(length), ' ');
  const std::int64_t column = static_cast<std::int64_t>(head) - firstVisible;
  if (column >= 1 && column <= length) marker[static_cast<std::size_t>(column - 1)] = '^';
  return marker;
}

// ---- Commands ------------------------------------------------------------------

void Simulation::Reset() {
  StopTimer();
  ResetMachine();
}

void Simulation::SingleStep() {
  StopTimer();
  if (ready_)
    Step();
  else
    ResetMachine();
}

void Simulation::StartOrStop() {
  const bool running = !view_.TimerEnabled();
  view_.SetTimerEnabled(running);
  view_.SetStartImage(running ? StartImage::Stop : StartImage::Start);
  ShowStatus(running ? "Gestartet" : "Angehalten");
  // The timer runs first: a fault found by this reset ends the run it started.
  if (!ready_) ResetMachine();
}

void Simulation::Stop() {
  if (!view_.TimerEnabled()) return;
  StopTimer();
  ShowStatus("Angehalten");
}

void Simulation::Tick() {
  ShowSpeed();
  if (!ready_) StopTimer();
  Step();
}

void Simulation::ClearTape() {
  view_.SetFieldText(Field::EBand,
                     kind_ == MachineKind::TM ? std::string(static_cast<std::size_t>(tapeWidth_) + 1, kTmBlank) : "");
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(tapeWidth_));
  ShowStatus(MachineText("Band gelöscht."));
}

void Simulation::RestoreLastTape() {
  view_.SetFieldText(Field::EBand, lastTape_);
  ShowStatus("Letzten Bandinhalt wieder hergestellt.");
}

void Simulation::ProgramEdited() {
  programChanged_ = true;
  view_.SetStatusPanel(StatusPanel::Changed, ChangedMark() + " ");
}

void Simulation::SelectKind(MachineKind kind) {
  if (!IsKnownKind(kind)) return;
  const KindInfo& info = InfoOf(kind);
  view_.SetFieldVisible(Field::EAusgabe, info.secondFieldShown);
  kind_ = kind;
  view_.SetCaption(MachineText(info.title));
  determined_ = false;
  ready_ = false;
  parseFailed_ = false;
  configuration_.steps = 0;
  configuration_.head = kind == MachineKind::TM ? MiddleHead(tapeWidth_) : 1;
  view_.SetFieldText(Field::EAusgabe, kind == MachineKind::KA ? std::string(1, kStackBottom) : "");
  view_.SetLabelText(Label::LSchritte, "Schritte: ");
  view_.SetLabelText(Label::LMeldung, "");
  ShowState();
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(tapeWidth_));
  ShowMachineKind();
  view_.SetFieldText(Field::EBand, ExampleTape(kind, configuration_.head, tapeWidth_));
  view_.SetProgramText(ExampleText(kind));
  programChanged_ = false;
}

void Simulation::TapeFieldResized(int tapeWidth) {
  tapeWidth_ = tapeWidth;
  const std::string tape = view_.FieldText(Field::EBand);
  // One blank short of the width: the reset pads to the full width.
  if (kind_ == MachineKind::TM && static_cast<int>(tape.size()) < tapeWidth_)
    view_.SetFieldText(Field::EBand,
                       tape + std::string(static_cast<std::size_t>(tapeWidth_ - 1) - tape.size(), kTmBlank));
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(tapeWidth_));
  ShowSpeed();
}

// ---- Run control ---------------------------------------------------------------

bool Simulation::ParseProgram() {
  std::vector<std::string> lines;
  const int n = view_.ProgramLineCount();
  lines.reserve(static_cast<std::size_t>(std::max(n, 0)));
  for (int i = 0; i < n; ++i) lines.push_back(view_.ProgramLine(i));
  program_ = automaten::ParseProgram(kind_, lines);
  parseFailed_ = !program_.Ok();
  if (program_.Ok()) return true;
  // Each fault stops the run, leaves the machine not ready and shows its box.
  for (const ParseFault& fault : program_.faults) {
    StopTimer();
    ready_ = false;
    view_.ShowMessage(FaultMessage(fault));
  }
  const auto [start, length] = LineSelection(lines, program_.faultLine);
  view_.FocusProgram();
  view_.SelectInProgram(start, length);
  return false;
}

void Simulation::ResetMachine() {
  view_.SetLabelText(Label::LMeldung, "");
  view_.SetLabelText(Label::Schreiblesekopf, Blanks(tapeWidth_));
  const bool parsed = ParseProgram();
  // The second field is prepared also when the program has a fault.
  const std::string tape = view_.FieldText(Field::EBand);
  if (kind_ == MachineKind::DEA || kind_ == MachineKind::KA)
    view_.SetFieldText(Field::EAusgabe, InitialSecondField(kind_, tape));
  if (!parsed) return;
  configuration_ = InitialConfiguration(kind_, tape, tapeWidth_);
  configuration_.second = view_.FieldText(Field::EAusgabe);
  lastTape_ = configuration_.tape;
  if (configuration_.tape != tape) view_.SetFieldText(Field::EBand, configuration_.tape);
  view_.SetLabelText(Label::LSchritte, "Schritte: 0");
  ready_ = true;
  determined_ = true;
  RefreshTape();
  view_.SelectInField(Field::EBand, static_cast<int>(configuration_.head) - 1, 1);
  ShowState();
  ShowHead(false);
  ShowStatus("In den Anfangszustand gesetzt.");
}

// Set anew, the field shows the tape from its first character.
void Simulation::RefreshTape() {
  const std::string tape = view_.FieldText(Field::EBand);
  view_.SetFieldText(Field::EBand, "");
  view_.FocusField(Field::EBand);
  view_.SetFieldText(Field::EBand, tape);
}

void Simulation::StopTimer() {
  view_.SetTimerEnabled(false);
  view_.SetStartImage(StartImage::Start);
}

bool Simulation::Running() const { return view_.TimerEnabled(); }

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

void Simulation::ShowSpeed() {
  view_.SetTimerInterval(IntervalForPosition(view_.SliderPosition()));
  view_.SetLabelText(Label::LFrequenz2, FrequencyText(view_.TimerInterval(), format_));
}

void Simulation::Step() {
  RefreshTape();
  if (determined_) {
    // What the user typed into the fields since the last step counts.
    configuration_.tape = view_.FieldText(Field::EBand);
    configuration_.second = view_.FieldText(Field::EAusgabe);
    const std::uint32_t head = configuration_.head;
    const StepResult r = ApplyStep(program_, configuration_);
    if (r.secondChanged) view_.SetFieldText(Field::EAusgabe, configuration_.second);
    if (r.wroteOutput) view_.SelectInField(Field::EAusgabe, static_cast<int>(head) - 1, 1);
    if (r.tapeChanged) view_.SetFieldText(Field::EBand, configuration_.tape);
    if (r.moved) ShowHead(true);
  }
  ShowState();
  ShowStatus("Einzelschritt");
}

void Simulation::ShowHead(bool counting) {
  view_.SelectInField(Field::EBand, static_cast<int>(configuration_.head) - 1, 1);
  const int first = view_.FirstVisibleChar(Field::EBand);
  view_.SetLabelText(Label::Schreiblesekopf, HeadMarker(tapeWidth_, configuration_.head, first));
  if (counting) view_.SetLabelText(Label::LSchritte, "Schritte: " + std::to_string(configuration_.steps));
}

RunOutcome Simulation::Outcome() const {
  RunOutcome o;
  if (parseFailed_) {
    o.kind = RunOutcome::Kind::ParseFault;
    for (const ParseFault& fault : program_.faults) o.faults.push_back(FaultMessage(fault));
  } else if (determined_ && verdict_.halted) {
    if (!verdict_.ok) {
      o.kind = RunOutcome::Kind::NotAccepted;
    } else if (kind_ == MachineKind::TM) {
      o.kind = RunOutcome::Kind::FunctionValue;
      o.value = FunctionValue(configuration_);
    } else {
      o.kind = RunOutcome::Kind::Accepted;
    }
  }
  return o;
}

// ---- Status display ------------------------------------------------------------

void Simulation::ShowState() {
  view_.SetLabelColour(Label::LZustand, TextColour::WindowText);
  std::string text = "Zustand : ";
  const StateCode state = configuration_.state;
  const bool fault = determined_ && kind_ != MachineKind::NEA && state == kStateF;
  if (!determined_)
    text += "unbestimmt";
  else if (kind_ == MachineKind::NEA)
    text += SetToText(configuration_.set);
  else if (state == kStateA)
    text += "Anfangszustand";
  else if (fault)
    text += "Fehlzustand";
  else if (state == kStateE)
    text += "Endzustand";
  else
    text += std::to_string(state);
  view_.SetLabelText(Label::LZustand, text);
  if (fault) {
    view_.SetLabelColour(Label::LZustand, TextColour::Red);
    StopTimer();
  }
  nextTransition_ = determined_ ? FindTransition(program_, configuration_) : -1;
  ShowTransition();
  verdict_ = determined_ ? CheckHalt(program_, configuration_, nextTransition_) : Verdict{};
  if (verdict_.halted) {
    StopTimer();
    view_.SetLabelColour(Label::LMeldung, verdict_.ok ? TextColour::Green : TextColour::Red);
    view_.SetLabelText(Label::LMeldung, verdict_.text);
  }
}

void Simulation::ShowTransition() {
  view_.SetLabelColour(Label::LBefehl, TextColour::WindowText);
  if (nextTransition_ < 0) {
    if (!determined_ || AtEnd(program_, configuration_)) {
      view_.SetLabelText(Label::LBefehl, TransitionPrefix());
    } else {
      view_.SetLabelText(Label::LBefehl, TransitionPrefix() + "undefiniert");
      view_.SetLabelColour(Label::LBefehl, TextColour::Red);
    }
  } else if (kind_ == MachineKind::NEA) {
    view_.SetLabelText(Label::LBefehl, TransitionPrefix() + SetTransitionText(program_, configuration_));
  } else {
    view_.SetLabelText(Label::LBefehl,
                       TransitionPrefix() + program_.transitions[static_cast<std::size_t>(nextTransition_)].line);
  }
}

void Simulation::ShowMachineKind() {
  for (MachineKind kind : kKinds) view_.SetKindButtonDown(kind, false);
  if (!IsKnownKind(kind_)) return;
  view_.SetKindButtonDown(kind_, true);
  view_.SetStatusPanel(StatusPanel::Kind, std::string(" ") + InfoOf(kind_).name);
}

void Simulation::ShowStatus(const std::string& message) {
  view_.SetStatusPanel(StatusPanel::Changed, programChanged_ ? ChangedMark() : std::string());
  view_.SetStatusPanel(StatusPanel::Message, " " + message);
}

}  // namespace automaten
