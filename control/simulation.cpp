#include "simulation.h"

#include <algorithm>
#include <charconv>

#include "control/examples.h"
#include "control/kinds.h"
#include "engine/encoding.h"
#include "engine/nea.h"
#include "engine/parser.h"
#include "engine/text.h"

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

Field FieldOf(const CellChange& change) { return change.second ? Field::EAusgabe : Field::EBand; }

}  // namespace

Simulation::Simulation(View& view, bool keepHistory) : screen_(view), keepHistory_(keepHistory) {}

// ---- Commands ------------------------------------------------------------------

void Simulation::Reset() {
  StopTimer();
  ResetMachine();
}

void Simulation::SingleStep() {
  StopTimer();
  if (run_ == RunState::Ready)
    Step();
  else
    ResetMachine();
}

void Simulation::StepBack() {
  StopTimer();
  if (run_ != RunState::Ready || history_.Empty()) {
    ShowStatus(history_.Dropped() && run_ == RunState::Ready
                   ? MachineText("Ältere Schritte sind nicht mehr gespeichert (höchstens ") + StepsKept() + ")."
                   : std::string("Anfang des Laufs erreicht."));
    return;
  }
  // Edits typed since the last step were never read: the fields show the configuration again.
  const bool rewrite = edited_[0] || edited_[1];
  edited_ = {};
  TakeBack();
  if (rewrite) ShowFields();
  move_ = NextMove(program_, configuration_);
  if (Watching()) StartWatching();
  view_.MarkCell(Field::EBand, static_cast<long long>(configuration_.head) - 1);
  // The output the DEA wrote last lies one cell behind its head.
  view_.MarkCell(Field::EAusgabe,
                 kind_ == MachineKind::DEA && applied_ > 0 ? static_cast<long long>(configuration_.head) - 2 : -1);
  ShowSteps();
  while (!messages_.empty() && messages_.back().at > applied_) messages_.pop_back();
  view_.SetLabelColour(Label::LMeldung, messages_.empty() ? TextColour::WindowText : messages_.back().colour);
  view_.SetLabelText(Label::LMeldung, messages_.empty() ? std::string() : messages_.back().text);
  ShowState();
  ShowStatus(MachineText("Schritt zurück"));
}

// One step back: an edit of the user's goes together with the step before it.
void Simulation::TakeBack() {
  std::string tape, second;
  while (history_.TakeEdit(tape, second)) {
    KeepLastTape();
    configuration_.tape = Tape(tape);
    configuration_.second = second;
    view_.SetFieldText(Field::EBand, tape);
    view_.SetFieldText(Field::EAusgabe, second);
  }
  StepRecord step;
  if (!history_.TakeStep(step)) return;
  for (const CellChange& change : UndoMove(configuration_, step)) {
    const std::string_view cells = change.second ? std::string_view(configuration_.second) : configuration_.tape.View();
    view_.ReplaceInField(FieldOf(change), change.index, change.removed,
                         std::string(cells.substr(change.index, change.inserted)));
  }
  --applied_;
}

void Simulation::ClearHistory() {
  history_.Clear();
  messages_.clear();
  RememberMessage();
}

void Simulation::ProgramReplaced() { ClearHistory(); }

// The verdict label as it stands now, for the steps back to this point.
void Simulation::RememberMessage() {
  const std::string& text = view_.LabelShown(Label::LMeldung);
  const TextColour colour = view_.ColourShown(Label::LMeldung);
  if (!messages_.empty() && messages_.back().text == text && messages_.back().colour == colour) return;
  messages_.push_back({applied_, text, colour});
}

bool Simulation::Watching() const { return loopCheck_ && CanRunForEver(kind_); }

void Simulation::StartWatching() { detector_.Start(configuration_, applied_); }

void Simulation::SetLoopCheck(bool on) {
  loopCheck_ = on;
  view_.ShowLoopCheck(on);
  if (Watching() && run_ == RunState::Ready) StartWatching();
}

void Simulation::ShowEndlessRun() {
  StopTimer();
  view_.SetLabelColour(Label::LMeldung, TextColour::Red);
  view_.SetLabelText(Label::LMeldung, detector_.Finding());
  ShowStatus("Endlosschleife erkannt");
}

void Simulation::StartOrStop() {
  const bool running = !view_.TimerEnabled();
  view_.SetTimerEnabled(running);
  view_.SetStartImage(running ? StartImage::Stop : StartImage::Start);
  ShowStatus(running ? "Gestartet" : "Angehalten");
  // The timer runs first: a fault found by this reset ends the run it started.
  if (run_ != RunState::Ready) ResetMachine();
}

void Simulation::Stop() {
  if (!view_.TimerEnabled()) return;
  StopTimer();
  ShowStatus("Angehalten");
}

void Simulation::Tick() {
  ShowSpeed();
  if (run_ != RunState::Ready) StopTimer();
  Step();
}

void Simulation::ClearTape() {
  SetField(Field::EBand, ClearedTape(kind_, view_.TapeWidth()));
  view_.MarkCell(Field::EBand, -1);
  ClearHistory();
  ShowStatus(MachineText("Band gelöscht."));
}

void Simulation::RestoreLastTape() {
  SetField(Field::EBand, LastTape());
  ClearHistory();
  ShowStatus("Letzten Bandinhalt wieder hergestellt.");
}

// The mark set by the user's edit keeps a blank after it until the next status message.
void Simulation::ShowChangedMark(bool changed) {
  changedMark_ = changed;
  view_.SetStatusPanel(StatusPanel::Changed, changed ? ChangedMark() + " " : std::string());
}

void Simulation::FieldEdited(Field f) { edited_[static_cast<std::size_t>(f)] = true; }

void Simulation::SelectKind(MachineKind kind) { ChangeKind(kind, /*withExample=*/true); }

void Simulation::ChangeKind(MachineKind kind, bool withExample) {
  if (!IsKnownKind(kind)) return;
  const KindInfo& info = InfoOf(kind);
  view_.SetFieldVisible(Field::EAusgabe, info.secondFieldShown);
  kind_ = kind;
  view_.SetCaption(MachineText(info.title));
  run_ = RunState::Undetermined;
  configuration_.steps = 0;
  configuration_.head = HeadOfNewKind(kind, view_.TapeWidth());
  SetField(Field::EAusgabe, InitialSecondField(kind, 0));
  view_.SetLabelText(Label::LSchritte, "Schritte: ");
  view_.SetLabelText(Label::LMeldung, "");
  ShowState();
  view_.MarkCell(Field::EBand, -1);
  view_.MarkCell(Field::EAusgabe, -1);
  ShowKind();
  if (withExample) {
    SetField(Field::EBand, ExampleTape(kind, configuration_.head, view_.TapeWidth()));
    view_.SetProgramText(ExampleText(kind));
    view_.MarkProgramUnchanged();
  } else {
    ShowStatus(MachineText("Umgeschaltet: ") + MachineText(InfoOf(kind).fileName));
  }
  applied_ = 0;
  ClearHistory();
}

void Simulation::RestoreKind(MachineKind kind) {
  kind_ = kind;
  ShowKind();
}

void Simulation::SetLastTape(const std::string& tape) {
  lastTape_ = tape;
  lastTapeInConfiguration_ = false;
}

const std::string& Simulation::LastTape() const {
  KeepLastTape();
  return lastTape_;
}

void Simulation::KeepLastTape() const {
  if (!lastTapeInConfiguration_) return;
  lastTape_ = configuration_.tape.Text();
  lastTapeInConfiguration_ = false;
}

void Simulation::ShowFields() {
  view_.ShowCells(Field::EBand, TapeCells());
  view_.ShowCells(Field::EAusgabe, SecondCells());
}

CellSource Simulation::TapeCells() const {
  return {[](const void* c) { return static_cast<const Configuration*>(c)->tape.View(); }, &configuration_};
}

CellSource Simulation::SecondCells() const {
  return {[](const void* c) { return std::string_view(static_cast<const Configuration*>(c)->second); },
          &configuration_};
}

void Simulation::TapeFieldResized() {
  std::string tape = view_.FieldText(Field::EBand);
  if (PadToWidth(kind_, tape, view_.TapeWidth())) SetField(Field::EBand, tape);
  view_.MarkCell(Field::EBand, -1);
  ShowSpeed();
}

// ---- Run control ---------------------------------------------------------------

bool Simulation::ParseProgram() {
  // The text parsed cleanly before, for the same kind: its program stands.
  const std::uint64_t revision = view_.ProgramRevision();
  if (revision != 0 && revision == parsedRevision_ && kind_ == parsedKind_ && program_.Ok()) return true;
  parsedRevision_ = revision;
  parsedKind_ = kind_;
  const std::vector<std::string> lines = view_.ProgramLines();
  program_ = automaten::ParseProgram(kind_, lines);
  ++parses_;
  shownTransitionKey_ = ~0ull;  // the lines behind the indexes are new
  if (program_.Ok()) return true;
  // The configuration belongs to the program before: nothing may step on it now.
  run_ = RunState::ParseFault;
  move_ = Move{};
  // Each fault stops the run and shows its box; the last offers the one
  // other kind the text fits, if there is exactly one.
  MachineKind fits = kind_;
  const bool offer = OnlyOtherKindThatFits(lines, kind_, fits);
  bool switching = false;
  for (std::size_t i = 0; i < program_.faults.size(); ++i) {
    StopTimer();
    const std::string message = FaultMessage(program_.faults[i]);
    if (offer && i + 1 == program_.faults.size())
      switching = view_.OfferKind(message, fits);
    else
      view_.ShowMessage(message);
  }
  const auto [start, length] = LineSelection(lines, program_.faultLine);
  view_.FocusProgram();
  view_.SelectInProgram(start, length);
  if (switching) ChangeKind(fits, /*withExample=*/false);
  return false;
}

void Simulation::ResetMachine() {
  view_.SetLabelText(Label::LMeldung, "");
  view_.MarkCell(Field::EBand, -1);
  const bool parsed = ParseProgram();
  const bool secondShown = IsKnownKind(kind_) && InfoOf(kind_).secondFieldShown;
  if (!parsed) {
    // The second field is prepared also when the program has a fault.
    if (secondShown) SetField(Field::EAusgabe, InitialSecondField(kind_, view_.FieldText(Field::EBand).size()));
    view_.MachineShown();
    return;
  }
  // The tape's cells go from the field into the configuration: a view that
  // reads them from there keeps no copy.
  std::string tape = view_.TakeFieldText(Field::EBand, TapeCells());
  const std::size_t given = tape.size();
  configuration_ = InitialConfiguration(kind_, std::move(tape), view_.TapeWidth());
  if (secondShown)
    view_.ShowCells(Field::EAusgabe, SecondCells());
  else
    configuration_.second = view_.FieldText(Field::EAusgabe);
  edited_ = {};
  // Only a Turing machine writes on its tape: any other kind's tape stays
  // the one of the reset until a user's edit replaces it.
  lastTapeInConfiguration_ = kind_ != MachineKind::TM;
  if (kind_ == MachineKind::TM) lastTape_ = configuration_.tape.Text();
  if (configuration_.tape.size() != given) view_.ShowCells(Field::EBand, TapeCells());  // padded
  view_.MarkCell(Field::EAusgabe, -1);
  view_.SetLabelText(Label::LSchritte, "Schritte: 0");
  run_ = RunState::Ready;
  move_ = NextMove(program_, configuration_);
  applied_ = 0;
  longRun_.Restart();
  if (Watching()) StartWatching();
  view_.FocusField(Field::EBand);
  ShowState();
  ShowHead(false);
  ClearHistory();
  ShowStatus("In den Anfangszustand gesetzt.");
}

void Simulation::SetField(Field f, const std::string& text) {
  view_.SetFieldText(f, text);
  edited_[static_cast<std::size_t>(f)] = true;
}

// What the user typed into the fields since the last step counts.
void Simulation::TakeUserEdits() {
  if (!edited_[0] && !edited_[1]) return;
  if (keepHistory_) history_.RecordEdit(configuration_.tape.Text(), configuration_.second);
  if (edited_[0]) {
    KeepLastTape();
    configuration_.tape = Tape(view_.TakeFieldText(Field::EBand, TapeCells()));
  }
  if (edited_[1]) configuration_.second = view_.TakeFieldText(Field::EAusgabe, SecondCells());
  edited_ = {};
  move_ = NextMove(program_, configuration_);
  if (Watching()) StartWatching();
}

void Simulation::StopTimer() {
  view_.SetTimerEnabled(false);
  view_.SetStartImage(StartImage::Start);
}

void Simulation::ShowSpeed() {
  const int position = view_.SliderPosition();
  if (position == shownSpeed_) return;
  shownSpeed_ = position;
  view_.SetTimerInterval(IntervalForPosition(position));
  view_.SetLabelText(Label::LFrequenz2, FrequencyText(view_.TimerInterval(), view_.Numbers()));
}

void Simulation::Step() {
  bool proved = false;
  if (run_ == RunState::Ready) {
    TakeUserEdits();
    const std::uint32_t headBefore = configuration_.head;
    const std::size_t secondSize = configuration_.second.size();
    StepRecord step;
    const StepResult r = ApplyMove(program_, configuration_, move_, keepHistory_ ? &step : nullptr);
    move_ = NextMove(program_, configuration_);
    ShowStepInFields(r, headBefore, secondSize);
    if (r.moved) ShowHead(true);
    if (r.transition >= 0) {
      ++applied_;
      if (keepHistory_) Record(step);
      if (Watching() && !detector_.Proved()) proved = detector_.Observe(configuration_, r, headBefore);
    }
  }
  ShowState();
  if (proved && !verdict_.halted)
    ShowEndlessRun();
  else if (history_.Dropped())
    ShowStatus(MachineText("Einzelschritt (Schritt zurück: nur die letzten ") + StepsKept() + ")");
  else
    ShowStatus("Einzelschritt");
  RememberMessage();
}

void Simulation::Record(const StepRecord& step) {
  if (step.flags & StepRecord::kLost)
    ClearHistory();
  else
    history_.RecordStep(step);
}

void Simulation::SetHistoryBound(std::uint64_t steps) { history_.SetBound(steps); }

// "10.000.000 Schritte": the bound of the history, its thousands grouped.
std::string Simulation::StepsKept() const {
  std::string digits = Decimal(history_.Bound());
  for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3)
    digits.insert(static_cast<std::size_t>(pos), 1, view_.Numbers().groupSeparator);
  return digits + (history_.Bound() == 1 ? " Schritt" : " Schritte");
}

// Only the cells the step changed go to the fields.
void Simulation::ShowStepInFields(const StepResult& r, std::uint32_t headBefore, std::size_t secondSizeBefore) {
  const std::string& second = configuration_.second;
  if (second.size() > secondSizeBefore) {
    view_.ReplaceInField(Field::EAusgabe, secondSizeBefore, 0, second.substr(secondSizeBefore));
  } else if (second.size() < secondSizeBefore) {
    view_.ReplaceInField(Field::EAusgabe, second.size(), secondSizeBefore - second.size(), "");
  } else if (r.secondChanged) {
    view_.ReplaceInField(Field::EAusgabe, headBefore - 1, 1, std::string(1, second[headBefore - 1]));
  }
  if (r.wroteOutput) view_.MarkCell(Field::EAusgabe, static_cast<long long>(headBefore) - 1);
  if (r.wroteTape)
    view_.ReplaceInField(Field::EBand, headBefore - 1, 1,
                         std::string(1, configuration_.tape.At(headBefore + r.grewFront)));
  if (r.grewFront > 0) view_.ReplaceInField(Field::EBand, 0, 0, std::string(r.grewFront, kTmBlank));
  if (r.grewBack > 0)
    view_.ReplaceInField(Field::EBand, configuration_.tape.size() - r.grewBack, 0, std::string(r.grewBack, kTmBlank));
}

unsigned long long Simulation::RunTicks(unsigned long long ticks) {
  if (ticks == 0 || !view_.TimerEnabled()) return 0;
  if (run_ != RunState::Ready) {
    Tick();
    return 1;
  }
  ShowSpeed();
  TakeUserEdits();
  const std::uint32_t steps = configuration_.steps;
  const bool watch = Watching() && !detector_.Proved();
  const unsigned long long taken = watch ? longRun_.Run(program_, configuration_, move_, ticks, applied_, detector_)
                                         : RunSteps(program_, configuration_, move_, ticks);
  if (!watch) applied_ += taken;
  ClearHistory();
  const bool moved = configuration_.steps != steps;
  ShowFields();
  if (moved) ShowHead(true);
  ShowState();
  if (watch && detector_.Proved() && !verdict_.halted)
    ShowEndlessRun();
  else
    ShowStatus("Einzelschritt");
  RememberMessage();
  return taken;
}

void Simulation::ShowHead(bool counting) {
  view_.MarkCell(Field::EBand, static_cast<long long>(configuration_.head) - 1);
  if (counting) ShowSteps();
}

void Simulation::ShowSteps() {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, configuration_.steps).ptr;
  scratch_.assign("Schritte: ").append(digits, end);
  view_.SetLabelText(Label::LSchritte, scratch_);
}

SimulationState Simulation::State() const {
  return {kind_, run_, loopCheck_, LastTape(), program_, parses_, configuration_, move_.transition, verdict_};
}

RunOutcome Simulation::Outcome() const {
  using Result = RunOutcome::Result;
  RunOutcome o;
  if (run_ == RunState::ParseFault) {
    o.result = Result::ParseFault;
    for (const ParseFault& fault : program_.faults) o.faults.push_back(FaultMessage(fault));
  } else if (run_ != RunState::Ready) {
    o.result = view_.TimerEnabled() ? Result::Running : Result::Stopped;
  } else if (Watching() && detector_.Proved() && !verdict_.halted) {
    o.result = Result::EndlessRun;
    o.value = detector_.Finding();
  } else if (verdict_.halted) {
    if (!verdict_.ok) {
      o.result = Result::NotAccepted;
    } else if (verdict_.function) {
      o.result = Result::FunctionValue;
      o.value = FunctionValue(configuration_);
    } else {
      o.result = Result::Accepted;
    }
  } else if (InErrorState(program_, configuration_)) {
    o.result = Result::ErrorState;
  } else {
    o.result = view_.TimerEnabled() ? Result::Running : Result::Stopped;
  }
  return o;
}

// ---- Status display ------------------------------------------------------------

void Simulation::ShowState() {
  const bool ready = run_ == RunState::Ready;
  const bool fault = ready && InErrorState(program_, configuration_);
  // The label's text follows from this key alone: it is formatted when the key changes.
  const StateCode state = configuration_.state;
  const bool sets = kind_ == MachineKind::NEA;
  const std::uint64_t key = !ready ? ~1ull : sets ? 1ull << 32 | configuration_.set.bits : state;
  if (key != shownStateKey_) {
    shownStateKey_ = key;
    std::string text = "Zustand : ";
    if (!ready)
      text += "unbestimmt";
    else if (sets)
      text += SetToText(configuration_.set);
    else if (state == kStateA)
      text += "Anfangszustand";
    else if (fault)
      text += "Fehlzustand";
    else if (state == kStateE)
      text += "Endzustand";
    else
      text += Decimal(state);
    view_.SetLabelText(Label::LZustand, text);
  }
  view_.SetLabelColour(Label::LZustand, fault ? TextColour::Red : TextColour::WindowText);
  if (fault) StopTimer();
  if (!ready) move_ = Move{};
  ShowTransition();
  verdict_ = ready ? CheckHalt(program_, configuration_, move_.transition) : Verdict{};
  if (verdict_.halted) {
    StopTimer();
    view_.SetLabelColour(Label::LMeldung, verdict_.ok ? TextColour::Green : TextColour::Red);
    view_.SetLabelText(Label::LMeldung, verdict_.text);
  }
  view_.MachineShown();
}

void Simulation::ShowTransition() {
  const int t = move_.transition;
  const bool undefined = t < 0 && run_ == RunState::Ready && !AtEnd(program_, configuration_);
  // The NEA's label shows its set transition, which the line number alone does not tell.
  const bool sets = kind_ == MachineKind::NEA;
  std::uint64_t key;
  if (t < 0)
    key = undefined ? ~2ull : ~3ull;
  else if (sets)
    key = 1ull << 48 | static_cast<std::uint64_t>(static_cast<unsigned char>(SymbolUnderHead(configuration_))) << 32 |
          static_cast<std::uint64_t>(move_.nextSet.bits) << 16 | configuration_.set.bits;
  else
    key = static_cast<std::uint64_t>(t);
  if (key != shownTransitionKey_) {
    shownTransitionKey_ = key;
    if (t < 0)
      view_.SetLabelText(Label::LBefehl, undefined ? TransitionPrefix() + "undefiniert" : TransitionPrefix());
    else if (sets)
      view_.SetLabelText(Label::LBefehl, TransitionPrefix() + SetTransitionText(configuration_, move_.nextSet));
    else
      view_.SetLabelText(Label::LBefehl, TransitionPrefix() + program_.transitions[static_cast<std::size_t>(t)].line);
  }
  view_.SetLabelColour(Label::LBefehl, undefined ? TextColour::Red : TextColour::WindowText);
}

void Simulation::ShowKind() {
  for (MachineKind kind : kKinds) view_.SetKindButtonDown(kind, false);
  if (!IsKnownKind(kind_)) return;
  view_.SetKindButtonDown(kind_, true);
  view_.SetStatusPanel(StatusPanel::Kind, std::string(" ") + InfoOf(kind_).name);
}

void Simulation::ShowStatus(std::string_view message) {
  static const std::string none;
  view_.SetStatusPanel(StatusPanel::Changed, changedMark_ ? ChangedMark() : none);
  scratch_.assign(1, ' ').append(message);
  view_.SetStatusPanel(StatusPanel::Message, scratch_);
}

}  // namespace automaten
