#include "webapp.h"

#include "control/headless.h"
#include "control/kinds.h"
#include "control/settings.h"
#include "engine/encoding.h"

namespace automaten {

const char kLinkBroken[] = "Der Link enthält kein Automatenprogramm, das sich lesen lässt.";

const char kStoreFailed[] = "Speicher des Browsers voll: Änderungen gehen beim Neuladen verloren.";

void WebView::SetFieldText(Field f, const std::string& text) {
  PlainView::SetFieldText(f, text);
  ++fieldRevision[static_cast<std::size_t>(f)];
}

void WebView::ShowCells(Field f, CellSource cells) {
  PlainView::ShowCells(f, std::move(cells));
  ++fieldRevision[static_cast<std::size_t>(f)];
}

void WebView::ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) {
  PlainView::ReplaceInField(f, index, removed, inserted);
  ++fieldRevision[static_cast<std::size_t>(f)];
}

void WebView::SetProgramText(const std::string& utf8) {
  PlainView::SetProgramText(utf8);
  ++programRevision;
}

void WebView::ReplaceProgramLines(int first, int count, const std::string& utf8) {
  PlainView::ReplaceProgramLines(first, count, utf8);
  ++programRevision;
}

void WebView::MarkProgramUnchanged() {
  PlainView::MarkProgramUnchanged();
  saved_ = ProgramText();
}

void WebView::ShowMessage(const std::string& text) { dialogs.push_back(Cp1252ToUtf8(text)); }

bool WebHost::WriteProgram(const std::string& path, const std::string& bytes, std::string&) {
  download = Download{path, bytes};
  return true;
}

bool WebHost::WriteConfiguration(const std::string& bytes, std::string&) {
  configuration = bytes;
  return true;
}

WebApp::WebApp() { view_.answer = Answer::Abbrechen; }

int WebApp::Ticks(int ticks) {
  int taken = 0;
  for (; taken < ticks && view_.TimerEnabled(); ++taken) sim_.Tick();
  return taken;
}

void WebApp::SetSlider(int position) {
  view_.SetSliderPosition(position);
  sim_.ShowSpeed();
}

void WebApp::FieldEdited(int field, const std::string& utf8) {
  view_.PlainView::SetFieldText(FieldOf(field), ToMachineText(utf8));  // the page shows it already
  sim_.FieldEdited(FieldOf(field));
}

void WebApp::FieldEditedAt(int field, double index, double removed, const std::string& utf8) {
  if (index < 0 || removed < 0) return;
  view_.TypeInField(FieldOf(field), static_cast<std::size_t>(index), static_cast<std::size_t>(removed),
                    ToMachineText(utf8));
  sim_.FieldEdited(FieldOf(field));
}

void WebApp::ProgramEdited(const std::string& utf8) {
  kept_.reset();
  view_.TakeProgramFromUser(utf8);
  session_.ProgramEdited(view_.DiffersFromSaved());
}

std::string WebApp::ChangeQuestion() const { return Cp1252ToUtf8(session_.PendingQuestion()); }

bool WebApp::ChangeGoesOn(int answer, const std::string& saveName) const {
  return session_.GoesOn(AnswerOf(answer), !saveName.empty());
}

Answer WebApp::AnswerOf(int answer) {
  return answer == 0 ? Answer::Ja : answer == 1 ? Answer::Nein : Answer::Abbrechen;
}

void WebApp::Prepare(int answer, const std::string& saveName) {
  view_.answer = AnswerOf(answer);
  host_.saveName = saveName;
}

void WebApp::Done() {
  view_.answer = Answer::Abbrechen;
  host_.saveName.clear();
  host_.openName.clear();
  host_.readBytes.clear();
}

void WebApp::SelectKind(int kind, int answer, const std::string& saveName) {
  Prepare(answer, saveName);
  session_.SelectKind(static_cast<MachineKind>(kind));
  Done();
}

void WebApp::New(int answer, const std::string& saveName) {
  Prepare(answer, saveName);
  session_.New();
  Done();
}

void WebApp::Open(int answer, const std::string& saveName, const std::string& name, const std::string& bytes) {
  Prepare(answer, saveName);
  host_.openName = name;
  host_.readBytes = bytes;
  session_.Open();
  Done();
}

void WebApp::Save(const std::string& saveName) {
  Prepare(1, saveName);
  session_.Save();
  Done();
}

void WebApp::SaveAs(const std::string& saveName) {
  Prepare(1, saveName);
  session_.SaveAs();
  Done();
}

namespace {
constexpr LanguageTool kTools[] = {LanguageTool::MakeAcceptor, LanguageTool::Minimize, LanguageTool::Compare};
}  // namespace

bool WebApp::ToolAccepts(int tool) const {
  if (tool == 3) return Accepts(LanguageTool::Minimize, sim_.State().kind);  // what an acceptor or NEA accepts
  return tool >= 0 && tool < 3 && Accepts(kTools[tool], sim_.State().kind);
}

void WebApp::OpenAcceptor(int answer, const std::string& saveName, const std::string& text,
                          const std::string& summary) {
  Prepare(answer, saveName);
  session_.OpenMade(MachineKind::Akz, text, ToMachineText(summary));
  Done();
}

void WebApp::ShowProblem(const ToolProblem& problem) {
  view_.dialogs.push_back(problem.cause == ToolProblem::Cause::Fault ? FaultMessage(problem) : problem.text);
}

void WebApp::Convert(bool minimal, int answer, const std::string& saveName) {
  const MadeAcceptor made = MakeAcceptor(sim_.State().kind, view_.ProgramLines(), minimal,
                                         minimal ? "Minimaler Akzeptor" : "Akzeptor aus dem NEA");
  if (made.problem) {
    ShowProblem(made.problem);
    return;
  }
  Prepare(answer, saveName);
  session_.OpenMade(MachineKind::Akz, made.text, ToMachineText(made.summary));
  Done();
}

bool WebApp::CompareReady() {
  const ToolProblem problem = CheckForTool(LanguageTool::Compare, sim_.State().kind, view_.ProgramLines());
  if (problem) ShowProblem(problem);
  return !problem;
}

std::string WebApp::CompareWithFile(const std::string& name, const std::string& bytes) {
  compared_.reset();
  const ProgramFile file = CheckProgramBytes(bytes);
  if (file.status != ProgramFile::Status::Ok) {
    view_.dialogs.push_back(
        name + ": " + (file.status == ProgramFile::Status::TooLarge ? "größer als 1 MiB" : "kein Automatenprogramm"));
    return {};
  }
  const MachineKind kind = sim_.State().kind;
  const Comparison c = CompareWithText(kind, view_.ProgramLines(), DecodeProgram(file.bytes));
  if (c.problem) {
    ShowProblem(c.problem);
    return {};
  }
  compared_ = c.difference;
  return ComparisonText(kind, c.difference);
}

void WebApp::ComparisonWordToTape() {
  if (!ComparisonDiffers()) return;
  view_.SetFieldText(Field::EBand, compared_->word);
  sim_.Reset();
}

std::vector<WebApp::TestRow> WebApp::TestsStart() {
  const TestSuite suite = TestCasesOfProgram(view_.ProgramLines());
  cases_ = suite.cases;
  casesRunner_ = std::make_unique<CaseRunner>(sim_.State().kind, view_.ProgramText(), kDefaultStepBound);
  std::vector<TestRow> rows;
  for (const TestLineFault& f : suite.faults) rows.push_back({f.line, "", "", f.reason});
  for (const TestCase& c : cases_) rows.push_back({c.line, WordText(c.word), ExpectationText(c), ""});
  return rows;
}

CaseResult WebApp::TestRun(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= cases_.size()) return {};
  return casesRunner_->Run(cases_[static_cast<std::size_t>(index)]);
}

void WebApp::TestChosen(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= cases_.size()) return;
  view_.SetFieldText(Field::EBand, cases_[static_cast<std::size_t>(index)].word);
  sim_.Reset();
}

int WebApp::Take(DiagramUpdate update) {
  using Change = DiagramUpdate::Change;
  if (update.change != Change::None) diagramNote_ = std::move(update.note);
  if (update.change == Change::Diagram) asked_ = std::move(update.diagram);
  if (update.change == Change::TooLarge) asked_ = drawn_ = {};
  return static_cast<int>(update.change);
}

GestureAnswer WebApp::Kept(GestureAnswer answer) {
  if (answer.edit) kept_ = answer.edit;  // until it is applied or the text changes
  return answer;
}

std::string WebApp::DiagramEditedText() const {
  if (!kept_) return view_.ProgramText();
  std::string text;
  const std::vector<std::string> lines = Applied(ProgramLinesOf(view_), *kept_);
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\n" : "") + lines[i];
  return text;
}

void WebApp::DiagramApplyEdit() {
  if (!kept_) return;
  ApplyToView(view_, *kept_);
  kept_.reset();
  session_.ProgramEdited(view_.DiffersFromSaved());
}

void WebApp::LinkCopied() { sim_.ShowStatus(ToMachineText("Link in die Zwischenablage kopiert.")); }

void WebApp::OpenShared(int answer, const std::string& saveName, int kind, const std::string& program,
                        const std::string& tape, int speed) {
  const auto shared = static_cast<MachineKind>(kind);
  Prepare(answer, saveName);
  if (IsKnownKind(shared) && session_.OpenMade(shared, program, ToMachineText("Programm aus dem Link geöffnet."))) {
    view_.SetFieldText(Field::EBand, ToMachineText(tape));
    SetSlider(speed);
  } else if (!IsKnownKind(shared)) {
    view_.dialogs.push_back(kLinkBroken);
  }
  Done();
}

const std::string& WebApp::DownloadBytes() const {
  static const std::string none;
  return host_.download ? host_.download->bytes : none;
}

void WebApp::ProgramLinesEdited(double first, double count, const std::string& utf8) {
  kept_.reset();
  view_.TakeProgramLinesFromUser(static_cast<int>(first), static_cast<int>(count), utf8);
  session_.ProgramEdited(view_.DiffersFromSaved());
}

double WebApp::ProgramFileBytes() const {
  const std::string text = view_.ProgramText();
  const MachineKind kind = sim_.State().kind;
  const bool addsKindLine = IsKnownKind(kind) && !StartsWithKindLine(text, kind);
  return FileBytes(text) + (addsKindLine ? FileBytes(KindLine(kind) + "\n") : 0);
}

void WebApp::Restore(const std::string& settings, bool hasProgram, const std::string& program, bool hasTape,
                     const std::string& tape, bool changed) {
  host_.configuration = settings;
  host_.storedProgram = hasProgram;
  host_.readBytes = program;
  session_.Restore();
  // A program that never had a file name is kept all the same.
  if (hasProgram && session_.FileName().empty()) {
    const auto kind = static_cast<MachineKind>(ReadSettings(settings).kindCode);
    if (IsKnownKind(kind)) session_.SelectKind(kind);
    view_.SetProgramText(DecodeProgram(program));
    view_.MarkProgramUnchanged();
    session_.ProgramEdited(false);
  }
  if (hasProgram) view_.SetFieldText(Field::EBand, hasTape ? ToMachineText(tape) : sim_.State().lastTape);
  if (changed) session_.ProgramEdited(true);
  Done();
  sim_.ShowSpeed();
}

std::string WebApp::SettingsText() const {
  return WriteSettings(DecodeProgram(host_.configuration), session_.CurrentSettings());
}

std::string WebApp::LabelText(int label) const {
  if (label < 0 || label >= kLabelCount) return std::string();
  return Cp1252ToUtf8(view_.LabelText(static_cast<Label>(label)));
}

int WebApp::LabelColour(int label) const {
  if (label < 0 || label >= kLabelCount) return 0;
  return static_cast<int>(view_.LabelColour(static_cast<Label>(label)));
}

std::string WebApp::Panel(int panel) const {
  if (panel < 0 || panel > 2) return std::string();
  return Cp1252ToUtf8(view_.Panel(static_cast<StatusPanel>(panel)));
}

std::string WebApp::FieldText(int field) const { return Cp1252ToUtf8(view_.FieldContent(FieldOf(field))); }

std::string WebApp::FieldSlice(int field, double from, double count) const {
  const std::string_view text = view_.FieldContent(FieldOf(field));
  if (from < 0 || count <= 0 || from >= static_cast<double>(text.size())) return std::string();
  return Cp1252ToUtf8(text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count)));
}

std::string WebApp::Caption() const { return Cp1252ToUtf8(view_.caption); }

WebView::Focus WebApp::TakeFocus() {
  const WebView::Focus focus = view_.focus;
  view_.focus = {};
  return focus;
}

std::vector<std::string> WebApp::TakeDialogs() {
  std::vector<std::string> shown;
  shown.swap(view_.dialogs);
  return shown;
}

}  // namespace automaten
