#include "document.h"

#include <string_view>

#include "control/kinds.h"
#include "control/simulation.h"
#include "control/view.h"
#include "engine/encoding.h"
#include "io/rtf.h"

namespace automaten {

namespace {

// The extension from the last '.', upper case; empty without a dot.
std::string UpperExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

std::string OpenFailure(const ProgramFile& f) {
  switch (f.status) {
    case ProgramFile::Status::Directory: return "Es ist ein Verzeichnis.";
    case ProgramFile::Status::NotRegular: return "Es ist keine gewöhnliche Datei.";
    case ProgramFile::Status::TooLarge: return "Die Datei ist größer als 1 MiB und daher kein Automatenprogramm.";
    case ProgramFile::Status::HasNul: return "Die Datei enthält Nullbytes und ist daher kein Automatenprogramm.";
    case ProgramFile::Status::Unreadable:
    case ProgramFile::Status::Ok: break;
  }
  return f.systemError;
}

}  // namespace

const char kPasteTooLarge[] =
    "Mit dem eingefügten Text wäre das Programm größer als 1 MiB und daher kein Automatenprogramm. "
    "Der Text wird nicht eingefügt.";

DocumentSession::DocumentSession(Simulation& sim, View& view, DocumentHost& host)
    : sim_(sim), view_(view), host_(host) {}

void DocumentSession::SetCurrentFile(const std::string& name, bool changed) {
  fileName_ = name;
  changed_ = changed;
  if (!changed) view_.MarkProgramUnchanged();
  sim_.ShowChangedMark(changed);
}

void DocumentSession::ProgramEdited(bool changed) {
  changed_ = changed;
  sim_.ShowChangedMark(changed);
}

std::string DocumentSession::PendingQuestion() const {
  return changed_ ? MachineText("Datei wurde geändert. Speichern?") : std::string();
}

bool DocumentSession::GoesOn(Answer answer, bool nameGiven) const {
  if (!changed_) return true;
  switch (answer) {
    case Answer::Ja: return !NeedsSaveName() || nameGiven;
    case Answer::Nein: return true;
    case Answer::Abbrechen: break;
  }
  return false;
}

bool DocumentSession::AskSaveChanges() {
  if (!changed_) return true;
  switch (view_.AskSaveQuestion(PendingQuestion())) {
    case Answer::Ja: return Save();
    case Answer::Nein: return true;
    case Answer::Abbrechen: break;
  }
  return false;
}

void DocumentSession::New() {
  if (!AskSaveChanges()) return;
  view_.SetProgramText("");
  sim_.ProgramReplaced();
  SetCurrentFile("", false);  // the empty program is not a change
  sim_.ShowStatus("Neue Datei");
}

void DocumentSession::Open() {
  if (!AskSaveChanges()) return;
  sim_.ShowStatus(MachineText("Datei öffnen"));
  const std::string name = host_.ChooseFileToOpen(openSuggestion_);
  if (name.empty()) return;
  openSuggestion_ = name;
  Load(name);
}

bool DocumentSession::Load(const std::string& path) {
  const ProgramFile file = host_.ReadProgram(path);
  if (file.status != ProgramFile::Status::Ok) {
    host_.ShowError("Datei " + host_.ShownPath(path) + " kann nicht geöffnet werden. " + OpenFailure(file));
    return false;
  }
  std::string name = path;
  std::string text;
  // A .dta file may be rich text; it is saved as plain text under .txt.
  if (UpperExtension(path) == ".DTA") {
    text = LooksLikeRtf(file.bytes) ? NormalizeLineEnds(RtfToText(file.bytes)) : DecodeProgram(file.bytes);
    name = path.substr(0, path.rfind('.')) + ".txt";
  } else {
    text = DecodeProgram(file.bytes);
  }
  // A file that names its kind switches to it, without the kind's example;
  // the tape stays.
  MachineKind named;
  if (KindOfProgram(text, named) && named != sim_.State().kind) {
    const std::string tape = view_.FieldText(Field::EBand);
    sim_.SelectKind(named);
    view_.SetFieldText(Field::EBand, tape);
  }
  view_.SetProgramText(text);
  sim_.ProgramReplaced();
  SetCurrentFile(name, false);
  ShowFileStatus(" geöffnet.");
  return true;
}

bool DocumentSession::SaveTo(const std::string& path) {
  // The kind goes with the file, as its first line; kept, or updated in place.
  const MachineKind kind = sim_.State().kind;
  if (IsKnownKind(kind)) {
    const std::string text = view_.ProgramText();
    if (!StartsWithKindLine(text, kind)) view_.ReplaceProgramLines(0, HasKindLine(text) ? 1 : 0, KindLine(kind));
  }
  std::string error;
  if (!host_.WriteProgram(path, EncodeProgram(view_.ProgramText()), error)) {
    host_.ShowError("Datei \"" + host_.ShownPath(path) + "\" kann nicht erstellt werden. " + error);
    return false;
  }
  SetCurrentFile(path, false);
  ShowFileStatus(" gespeichert");
  return true;
}

bool DocumentSession::Save() { return fileName_.empty() ? SaveAs() : SaveTo(fileName_); }

bool DocumentSession::SaveAs() {
  const std::string name = host_.ChooseFileToSave();
  return !name.empty() && SaveTo(WithTxtEnding(name));
}

// A name without a dot gets ".txt", so that the open dialog's first filter
// shows the file again; a dot in a folder's name does not count.
std::string WithTxtEnding(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view file = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  return file.find('.') == std::string_view::npos ? path + ".txt" : path;
}

void DocumentSession::SelectKind(MachineKind kind) {
  if (!AskSaveChanges()) {
    sim_.RestoreKind(sim_.State().kind);  // a clicked kind button springs back
    return;
  }
  sim_.SelectKind(kind);
  SetCurrentFile("", false);
}

bool DocumentSession::OpenMade(MachineKind kind, const std::string& utf8, const std::string& status) {
  if (!AskSaveChanges()) return false;
  const std::string tape = view_.FieldText(Field::EBand);
  if (kind != sim_.State().kind) sim_.SelectKind(kind);
  view_.SetFieldText(Field::EBand, tape);
  view_.SetProgramText(utf8);
  sim_.ProgramReplaced();
  SetCurrentFile("", true);  // not saved anywhere yet
  sim_.ShowStatus(status);
  return true;
}

bool DocumentSession::Close() {
  if (!AskSaveChanges()) return false;
  std::string error;
  const std::string text = WriteSettings(DecodeProgram(host_.ReadConfiguration()), CurrentSettings());
  if (!host_.WriteConfiguration(text, error)) host_.ShowError(error);
  return true;
}

Settings DocumentSession::CurrentSettings() const {
  Settings s;
  s.speed = view_.SliderPosition();
  const SimulationState state = sim_.State();
  s.kindCode = static_cast<std::uint16_t>(state.kind);
  s.file = fileName_;
  s.lastTape = state.lastTape;
  s.bounds = view_.WindowBounds();
  s.zoom = view_.Zoom();
  s.loopCheck = state.loopCheck;
  s.panes = view_.PanesShown();
  s.historySteps = static_cast<int>(sim_.Steps().Bound());
  return s;
}

void DocumentSession::Restore() {
  SetCurrentFile("", false);
  const Settings stored = ReadSettings(DecodeProgram(host_.ReadConfiguration()));
  view_.SetSliderPosition(stored.speed);
  sim_.RestoreKind(static_cast<MachineKind>(stored.kindCode));
  fileName_ = stored.file;
  sim_.SetLastTape(stored.lastTape);
  view_.SetWindowBounds(stored.bounds);
  view_.SetZoom(stored.zoom);
  sim_.SetLoopCheck(stored.loopCheck);
  sim_.SetHistoryBound(static_cast<std::uint64_t>(stored.historySteps));
  view_.SetPanes(stored.panes);
  bool restored = false;
  if (!fileName_.empty() && host_.IsFile(fileName_)) {
    const MachineKind kind = sim_.State().kind;
    if (IsKnownKind(kind)) SelectKind(kind);
    if (Load(stored.file)) {
      view_.SetFieldText(Field::EBand, stored.lastTape);
      restored = true;
    }
  }
  if (!restored) SelectKind(MachineKind::DEA);
  SetCurrentFile(fileName_, false);
}

void DocumentSession::ShowFileStatus(const std::string& after) {
  sim_.ShowStatus(ToMachineText("Datei " + fileName_ + after));
}

}  // namespace automaten
