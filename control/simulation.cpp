#include "simulation.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "control/examples.h"
#include "control/kinds.h"
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

std::size_t Index(Label l) { return static_cast<std::size_t>(l); }

// What an entry of the history took back.
enum UndoFlags : std::uint8_t {
  kMoved = 1,
  kWroteTape = 2,
  kGrewFront = 4,
  kGrewBack = 8,
  kWroteOutput = 16,
  kPushed = 32,
  kPopped = 64,
  kEdited = 128,  // the user's edit before a step: the texts it replaced are in edits_
};

}  // namespace

Simulation::Simulation(View& view) : view_(view) {}

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

void Simulation::StepBack() {
  StopTimer();
  if (!determined_ || history_.empty()) {
    ShowStatus("Anfang des Laufs erreicht.");
    return;
  }
  // Edits typed since the last step were never read: the fields show the configuration again.
  const bool rewrite = edited_[0] || edited_[1];
  edited_ = {};
  TakeBack();
  if (rewrite) {
    view_.SetFieldText(Field::EBand, configuration_.tape.Text());
    view_.SetFieldText(Field::EAusgabe, configuration_.second);
  }
  move_ = NextMove(program_, configuration_);
  if (kind_ == MachineKind::TM && loopCheck_) detector_.Start(configuration_, applied_);
  view_.MarkCell(Field::EBand, static_cast<long long>(configuration_.head) - 1);
  view_.MarkCell(Field::EAusgabe,
                 kind_ == MachineKind::DEA && applied_ > 0 ? static_cast<long long>(configuration_.head) - 2 : -1);
  ShowSteps();
  while (!messages_.empty() && messages_.back().at > applied_) messages_.pop_back();
  SetColour(Label::LMeldung, messages_.empty() ? TextColour::WindowText : messages_.back().colour);
  SetLabel(Label::LMeldung, messages_.empty() ? std::string() : messages_.back().text);
  ShowState();
  ShowStatus(MachineText("Schritt zurück"));
}

// One step back: an edit of the user's goes together with the step before it.
void Simulation::TakeBack() {
  while (!history_.empty()) {
    const Undo u = history_.back();
    history_.pop_back();
    Configuration& c = configuration_;
    if (u.flags & kEdited) {
      c.tape = Tape(edits_.back().tape);
      c.second = edits_.back().second;
      edits_.pop_back();
      view_.SetFieldText(Field::EBand, c.tape.Text());
      view_.SetFieldText(Field::EAusgabe, c.second);
      continue;
    }
    if (u.flags & kGrewBack) {
      c.tape.Replace(c.tape.size() - kTmGrowth, kTmGrowth, "");
      view_.ReplaceInField(Field::EBand, c.tape.size(), kTmGrowth, "");
    }
    if (u.flags & kGrewFront) {
      c.tape.Replace(0, kTmGrowth, "");
      view_.ReplaceInField(Field::EBand, 0, kTmGrowth, "");
    }
    if (u.flags & kWroteTape) {
      c.tape.Set(u.head, u.cell);
      view_.ReplaceInField(Field::EBand, u.head - 1, 1, std::string(1, u.cell));
    }
    if (u.grew > 0) {
      c.second.resize(c.second.size() - u.grew);
      view_.ReplaceInField(Field::EAusgabe, c.second.size(), u.grew, "");
    } else if (u.flags & kWroteOutput) {
      c.second[u.head - 1] = u.cell;
      view_.ReplaceInField(Field::EAusgabe, u.head - 1, 1, std::string(1, u.cell));
    }
    if (u.flags & kPushed) {
      c.second.pop_back();
      view_.ReplaceInField(Field::EAusgabe, c.second.size(), 1, "");
    }
    if (u.flags & kPopped) {
      c.second += u.cell;
      view_.ReplaceInField(Field::EAusgabe, c.second.size() - 1, 0, std::string(1, u.cell));
    }
    c.head = u.head;
    c.state = u.state;
    c.set.bits = u.set;
    if (u.flags & kMoved) --c.steps;
    --applied_;
    return;
  }
}

std::size_t Simulation::HistoryBytes() const {
  std::size_t bytes = history_.capacity() * sizeof(Undo);
  for (const Edit& e : edits_) bytes += sizeof(Edit) + e.tape.capacity() + e.second.capacity();
  return bytes;
}

void Simulation::ClearHistory() {
  history_.clear();
  edits_.clear();
  messages_.clear();
  RememberMessage();
}

// The verdict label as it stands now, for the steps back to this point.
void Simulation::RememberMessage() {
  const std::string& text = labelText_[Index(Label::LMeldung)];
  const TextColour colour = labelColour_[Index(Label::LMeldung)];
  if (!messages_.empty() && messages_.back().text == text && messages_.back().colour == colour) return;
  messages_.push_back({applied_, text, colour});
}

void Simulation::SetLoopCheck(bool on) {
  loopCheck_ = on;
  view_.ShowLoopCheck(on);
  if (on && determined_ && kind_ == MachineKind::TM) detector_.Start(configuration_, applied_);
}

void Simulation::ShowEndlessRun() {
  StopTimer();
  SetColour(Label::LMeldung, TextColour::Red);
  SetLabel(Label::LMeldung, detector_.Finding());
  ShowStatus("Endlosschleife erkannt");
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
  SetField(Field::EBand,
           kind_ == MachineKind::TM ? std::string(static_cast<std::size_t>(tapeWidth_) + 1, kTmBlank) : "");
  view_.MarkCell(Field::EBand, -1);
  ClearHistory();
  ShowStatus(MachineText("Band gelöscht."));
}

void Simulation::RestoreLastTape() {
  SetField(Field::EBand, lastTape_);
  ClearHistory();
  ShowStatus("Letzten Bandinhalt wieder hergestellt.");
}

void Simulation::ProgramChangedByUser(bool changed) {
  programChanged_ = changed;
  SetPanel(StatusPanel::Changed, changed ? ChangedMark() + " " : std::string());
}

void Simulation::SetProgramChanged(bool changed) {
  programChanged_ = changed;
  if (!changed) view_.MarkProgramUnchanged();
}

void Simulation::FieldEdited(Field f) { edited_[static_cast<std::size_t>(f)] = true; }

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
  SetField(Field::EAusgabe, kind == MachineKind::KA ? std::string(1, kStackBottom) : "");
  SetLabel(Label::LSchritte, "Schritte: ");
  SetLabel(Label::LMeldung, "");
  ShowState();
  view_.MarkCell(Field::EBand, -1);
  view_.MarkCell(Field::EAusgabe, -1);
  ShowMachineKind();
  SetField(Field::EBand, ExampleTape(kind, configuration_.head, tapeWidth_));
  view_.SetProgramText(ExampleText(kind));
  SetProgramChanged(false);
  applied_ = 0;
  ClearHistory();
}

void Simulation::TapeFieldResized(int tapeWidth) {
  tapeWidth_ = tapeWidth;
  const std::string tape = view_.FieldText(Field::EBand);
  // One blank short of the width: the reset pads to the full width.
  if (kind_ == MachineKind::TM && static_cast<int>(tape.size()) < tapeWidth_)
    SetField(Field::EBand, tape + std::string(static_cast<std::size_t>(tapeWidth_ - 1) - tape.size(), kTmBlank));
  view_.MarkCell(Field::EBand, -1);
  ShowSpeed();
}

// ---- Run control ---------------------------------------------------------------

bool Simulation::ParseProgram() {
  const std::vector<std::string> lines = view_.ProgramLines();
  program_ = automaten::ParseProgram(kind_, lines);
  ++parses_;
  shownTransitionKey_ = ~0ull;  // the lines behind the indexes are new
  parseFailed_ = !program_.Ok();
  if (program_.Ok()) return true;
  // The configuration belongs to the program before: nothing may step on it now.
  determined_ = false;
  move_ = Move{};
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
  SetLabel(Label::LMeldung, "");
  view_.MarkCell(Field::EBand, -1);
  const bool parsed = ParseProgram();
  // The second field is prepared also when the program has a fault.
  const std::string tape = view_.FieldText(Field::EBand);
  if (kind_ == MachineKind::DEA || kind_ == MachineKind::KA) SetField(Field::EAusgabe, InitialSecondField(kind_, tape));
  if (!parsed) {
    view_.MachineShown();
    return;
  }
  configuration_ = InitialConfiguration(kind_, tape, tapeWidth_);
  configuration_.second = view_.FieldText(Field::EAusgabe);
  edited_ = {};
  lastTape_ = configuration_.tape.Text();
  if (lastTape_ != tape) view_.SetFieldText(Field::EBand, lastTape_);
  view_.MarkCell(Field::EAusgabe, -1);
  SetLabel(Label::LSchritte, "Schritte: 0");
  ready_ = true;
  determined_ = true;
  move_ = NextMove(program_, configuration_);
  applied_ = 0;
  watchingUntil_ = nextWindow_ = 0;
  if (kind_ == MachineKind::TM && loopCheck_) detector_.Start(configuration_, 0);
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
  if (keepHistory_) {
    edits_.push_back({history_.size(), configuration_.tape.Text(), configuration_.second});
    history_.push_back({configuration_.head, configuration_.state, configuration_.set.bits, 0, kEdited, 0});
  }
  if (edited_[0]) configuration_.tape = Tape(view_.FieldText(Field::EBand));
  if (edited_[1]) configuration_.second = view_.FieldText(Field::EAusgabe);
  edited_ = {};
  move_ = NextMove(program_, configuration_);
  if (kind_ == MachineKind::TM && loopCheck_) detector_.Start(configuration_, applied_);
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

void Simulation::SetNumberFormat(const NumberFormat& format) {
  format_ = format;
  shownSpeed_ = 0;
}

void Simulation::ShowSpeed() {
  const int position = view_.SliderPosition();
  if (position == shownSpeed_) return;
  shownSpeed_ = position;
  view_.SetTimerInterval(IntervalForPosition(position));
  SetLabel(Label::LFrequenz2, FrequencyText(view_.TimerInterval(), format_));
}

void Simulation::Step() {
  bool proved = false;
  if (determined_) {
    TakeUserEdits();
    const Configuration& c = configuration_;
    Undo u{c.head, c.state, c.set.bits, 0, 0, 0};
    const std::size_t secondSize = c.second.size();
    if (kind_ == MachineKind::TM) u.cell = c.tape.At(c.head);
    if (kind_ == MachineKind::DEA && c.head >= 1 && c.head <= secondSize) u.cell = c.second[c.head - 1];
    if (kind_ == MachineKind::KA && secondSize > 0) u.cell = c.second.back();
    const StepResult r = ApplyMove(program_, configuration_, move_);
    move_ = NextMove(program_, configuration_);
    ShowStepInFields(r, u.head, secondSize);
    if (r.moved) ShowHead(true);
    if (r.transition >= 0) {
      ++applied_;
      Record(r, secondSize, u);
      if (kind_ == MachineKind::TM && loopCheck_ && !detector_.Proved())
        proved = detector_.Observe(configuration_, r, u.head);
    }
  }
  ShowState();
  if (proved && !verdict_.halted)
    ShowEndlessRun();
  else
    ShowStatus("Einzelschritt");
  RememberMessage();
}

void Simulation::Record(const StepResult& r, std::size_t secondSize, Undo u) {
  if (!keepHistory_) return;
  const std::size_t grown = configuration_.second.size() > secondSize ? configuration_.second.size() - secondSize : 0;
  if (r.moved) u.flags |= kMoved;
  if (r.wroteTape) u.flags |= kWroteTape;
  if (r.grewFront > 0) u.flags |= kGrewFront;
  if (r.grewBack > 0) u.flags |= kGrewBack;
  if (kind_ == MachineKind::KA && grown > 0) u.flags |= kPushed;
  if (kind_ == MachineKind::KA && configuration_.second.size() < secondSize) u.flags |= kPopped;
  if (kind_ == MachineKind::DEA && r.secondChanged) {
    if (grown > 0xFFFF) {  // an output tape the user cut short by more than 65535 cells: no way back past it
      ClearHistory();
      return;
    }
    if (grown == 0) u.flags |= kWroteOutput;
    u.grew = static_cast<std::uint16_t>(grown);
  }
  history_.push_back(u);
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
  if (!ready_ || !determined_) {
    Tick();
    return 1;
  }
  ShowSpeed();
  TakeUserEdits();
  const std::uint32_t steps = configuration_.steps;
  const bool watch = kind_ == MachineKind::TM && loopCheck_ && !detector_.Proved();
  const unsigned long long taken = watch ? RunWatched(ticks) : RunSteps(program_, configuration_, move_, ticks);
  if (!watch) applied_ += taken;
  ClearHistory();
  const bool moved = configuration_.steps != steps;
  view_.SetFieldText(Field::EBand, configuration_.tape.Text());
  view_.SetFieldText(Field::EAusgabe, configuration_.second);
  if (moved) ShowHead(true);
  ShowState();
  if (watch && detector_.Proved() && !verdict_.halted)
    ShowEndlessRun();
  else
    ShowStatus("Einzelschritt");
  RememberMessage();
  return taken;
}

// A long run without display is watched for an endless run in full for its
// first 2^16 steps; after that in windows of W steps, W a sixteenth of the
// steps so far, with 15 W steps between them unwatched. Each window starts
// the search anew, so a loop is proved in the first window longer than about
// twice its cycle, and the watching costs a sixteenth of what it costs in full.
unsigned long long Simulation::RunWatched(unsigned long long ticks) {
  constexpr std::uint64_t kFull = 1 << 16;
  unsigned long long taken = 0;
  std::uint64_t window = kFull;
  bool stopped = false;
  while (taken < ticks && !stopped) {
    const bool watched = applied_ < kFull || watchingUntil_ > applied_;
    std::uint64_t chunk;
    if (applied_ < kFull) {
      chunk = kFull - applied_;
    } else if (watched) {
      chunk = watchingUntil_ - applied_;
    } else {
      chunk = std::max<std::uint64_t>(nextWindow_, applied_) - applied_;
      if (chunk == 0) {  // a window begins
        window = std::max<std::uint64_t>(window, (applied_ + 15) / 16);
        watchingUntil_ = applied_ + window;
        nextWindow_ = watchingUntil_ + 15 * window;
        detector_.Start(configuration_, applied_);
        continue;
      }
    }
    chunk = std::min<std::uint64_t>(chunk, ticks - taken);
    const std::uint64_t done = RunSteps(program_, configuration_, move_, chunk, watched ? &detector_ : nullptr);
    taken += done;
    applied_ += done;
    stopped = done < chunk || detector_.Proved() || (kind_ != MachineKind::NEA && configuration_.state == kStateF) ||
              Halted(program_, configuration_, move_.transition);
  }
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
  SetLabel(Label::LSchritte, scratch_);
}

RunOutcome Simulation::Outcome() const {
  using Result = RunOutcome::Result;
  RunOutcome o;
  if (parseFailed_) {
    o.result = Result::ParseFault;
    for (const ParseFault& fault : program_.faults) o.faults.push_back(FaultMessage(fault));
  } else if (determined_ && detector_.Proved() && kind_ == MachineKind::TM && loopCheck_ && !verdict_.halted) {
    o.result = Result::EndlessRun;
    o.value = detector_.Finding();
  } else if (determined_ && verdict_.halted) {
    if (!verdict_.ok) {
      o.result = Result::NotAccepted;
    } else if (kind_ == MachineKind::TM) {
      o.result = Result::FunctionValue;
      o.value = FunctionValue(configuration_);
    } else {
      o.result = Result::Accepted;
    }
  } else if (determined_ && kind_ != MachineKind::NEA && configuration_.state == kStateF) {
    o.result = Result::ErrorState;
  } else if (Running()) {
    o.result = Result::Running;
  }
  return o;
}

// ---- Status display ------------------------------------------------------------

void Simulation::SetLabel(Label l, const std::string& text) {
  if (labelText_[Index(l)] == text) return;
  labelText_[Index(l)] = text;
  view_.SetLabelText(l, text);
}

void Simulation::SetColour(Label l, TextColour c) {
  if (labelColour_[Index(l)] == c) return;
  labelColour_[Index(l)] = c;
  view_.SetLabelColour(l, c);
}

void Simulation::ShowState() {
  const StateCode state = configuration_.state;
  const bool fault = determined_ && kind_ != MachineKind::NEA && state == kStateF;
  // The label's text follows from this key alone: it is formatted when the key changes.
  const std::uint64_t key = !determined_                ? ~1ull
                            : kind_ == MachineKind::NEA ? 1ull << 32 | configuration_.set.bits
                                                        : state;
  if (key != shownStateKey_) {
    shownStateKey_ = key;
    std::string text = "Zustand : ";
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
    SetLabel(Label::LZustand, text);
  }
  SetColour(Label::LZustand, fault ? TextColour::Red : TextColour::WindowText);
  if (fault) StopTimer();
  if (!determined_) move_ = Move{};
  ShowTransition();
  verdict_ = determined_ ? CheckHalt(program_, configuration_, move_.transition) : Verdict{};
  if (verdict_.halted) {
    StopTimer();
    SetColour(Label::LMeldung, verdict_.ok ? TextColour::Green : TextColour::Red);
    SetLabel(Label::LMeldung, verdict_.text);
  }
  view_.MachineShown();
}

void Simulation::ShowTransition() {
  const int t = move_.transition;
  const bool undefined = t < 0 && determined_ && !AtEnd(program_, configuration_);
  std::uint64_t key;
  if (t < 0)
    key = undefined ? ~2ull : ~3ull;
  else if (kind_ == MachineKind::NEA)
    key = 1ull << 48 | static_cast<std::uint64_t>(static_cast<unsigned char>(SymbolUnderHead(configuration_))) << 32 |
          static_cast<std::uint64_t>(move_.nextSet.bits) << 16 | configuration_.set.bits;
  else
    key = static_cast<std::uint64_t>(t);
  if (key != shownTransitionKey_) {
    shownTransitionKey_ = key;
    if (t < 0)
      SetLabel(Label::LBefehl, undefined ? TransitionPrefix() + "undefiniert" : TransitionPrefix());
    else if (kind_ == MachineKind::NEA)
      SetLabel(Label::LBefehl, TransitionPrefix() + SetTransitionText(configuration_, move_.nextSet));
    else
      SetLabel(Label::LBefehl, TransitionPrefix() + program_.transitions[static_cast<std::size_t>(t)].line);
  }
  SetColour(Label::LBefehl, undefined ? TextColour::Red : TextColour::WindowText);
}

void Simulation::ShowMachineKind() {
  for (MachineKind kind : kKinds) view_.SetKindButtonDown(kind, false);
  if (!IsKnownKind(kind_)) return;
  view_.SetKindButtonDown(kind_, true);
  SetPanel(StatusPanel::Kind, std::string(" ") + InfoOf(kind_).name);
}

void Simulation::ShowStatus(std::string_view message) {
  static const std::string none;
  SetPanel(StatusPanel::Changed, programChanged_ ? ChangedMark() : none);
  scratch_.assign(1, ' ').append(message);
  SetPanel(StatusPanel::Message, scratch_);
}

void Simulation::SetPanel(StatusPanel panel, const std::string& text) {
  const auto i = static_cast<std::size_t>(panel);
  if (panelShown_[i] && panelText_[i] == text) return;
  panelShown_[i] = true;
  panelText_[i] = text;
  view_.SetStatusPanel(panel, text);
}

}  // namespace automaten
