// The web page's front end: the simulation and the document session behind
// the View and DocumentHost seams, with plain C++ state that the page's script
// reads after each command and each animation frame. Texts cross to the page
// in UTF-8; the tape is one character a cell.
//
// The page's dialogs cannot block, so the script asks first and the command
// then runs with the answer: the change prompt's answer, the file chosen to
// open (its name and bytes) and the name to save under are given with the
// command. A file saved is offered as a download that the script takes.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/diagramfollower.h"
#include "control/diagramgestures.h"
#include "control/document.h"
#include "control/plainview.h"
#include "control/simulation.h"
#include "control/testcases.h"
#include "control/tools.h"

namespace automaten {

// The status bar's note when the browser refuses to store the page's state.
extern const char kStoreFailed[];
// The box for a link that holds no program the page can read.
extern const char kLinkBroken[];

class WebView : public PlainView {
 public:
  void SetFieldText(Field f, const std::string& text) override;
  void ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) override;
  void ShowCells(Field f, CellSource cells) override;
  void SetProgramText(const std::string& utf8) override;
  void ReplaceProgramLines(int first, int count, const std::string& utf8) override;
  void MarkProgramUnchanged() override;
  void ShowMessage(const std::string& text) override;
  void FocusField(Field f) override { focus = {static_cast<int>(f), -1, 0}; }
  void FocusProgram() override { focus = {2, -1, 0}; }
  void SelectInProgram(int start, int length) override { focus = {2, start, length}; }

  // The user's edit of the program area, which the page shows already.
  void TakeProgramFromUser(const std::string& utf8) { PlainView::SetProgramText(utf8); }
  void TakeProgramLinesFromUser(int first, int count, const std::string& utf8) {
    PlainView::ReplaceProgramLines(first, count, utf8);
  }
  // Whether the text differs from the one last saved, loaded or given.
  bool DiffersFromSaved() const { return ProgramText() != saved_; }

  // Grow with every change made from here, so that the page fetches a text
  // only when it changed.
  std::array<unsigned, kFieldCount> fieldRevision{};
  unsigned programRevision = 0;
  std::vector<std::string> dialogs;  // message boxes to show, UTF-8
  // Where the keyboard focus goes next: 0 the tape, 1 the second field, 2 the
  // program with a selection (from `start`, each line break counted as two), -1 nowhere.
  struct Focus {
    int target = -1, start = -1, length = 0;
  } focus;

 private:
  std::string saved_;
};

class WebHost : public DocumentHost {
 public:
  explicit WebHost(WebView& view) : view_(view) {}

  std::string ChooseFileToOpen(const std::string&) override { return openName; }
  std::string ChooseFileToSave() override { return saveName; }
  ProgramFile ReadProgram(const std::string&) override { return CheckProgramBytes(readBytes); }
  bool WriteProgram(const std::string& path, const std::string& bytes, std::string&) override;
  bool IsFile(const std::string&) const override { return storedProgram; }
  std::string ReadConfiguration() override { return configuration; }
  bool WriteConfiguration(const std::string& bytes, std::string&) override;
  void ShowError(const std::string& text) override { view_.dialogs.push_back(text); }

  // Given with a command.
  std::string openName, saveName, readBytes;
  // The browser's storage: the settings and whether a program is kept.
  std::string configuration;
  bool storedProgram = false;
  // A file saved: the page offers it as a download.
  struct Download {
    std::string name, bytes;
  };
  std::optional<Download> download;

 private:
  WebView& view_;
};

// What the page calls; kinds are 0 ... 4, answers 0 "Ja", 1 "Nein", 2 "Abbrechen".
class WebApp {
 public:
  WebApp();

  // ---- Run control ----
  void Reset() { sim_.Reset(); }
  void SingleStep() { sim_.SingleStep(); }
  void StepBack() { sim_.StepBack(); }
  void StartOrStop() { sim_.StartOrStop(); }
  void Stop() { sim_.Stop(); }
  // Up to `ticks` timer ticks, each a step with its display, while the
  // automatic run goes on; returns the ticks taken.
  int Ticks(int ticks);
  void ClearTape() { sim_.ClearTape(); }
  void RestoreLastTape() { sim_.RestoreLastTape(); }
  void SetSlider(int position);
  void TapeFieldResized(int cells) {
    view_.tapeWidth = cells;
    sim_.TapeFieldResized();
  }
  void SetLoopCheck(bool on) { sim_.SetLoopCheck(on); }  // "Endlosschleifen erkennen"
  bool LoopCheck() const { return sim_.State().loopCheck; }
  void FieldEdited(int field, const std::string& utf8);
  // The user replaced `removed` cells from `index` on with the inserted text.
  void FieldEditedAt(int field, double index, double removed, const std::string& utf8);
  void ProgramEdited(const std::string& utf8);
  // The user changed the `count` lines from `first` on into the text: the
  // page shows a long program a window of lines at a time.
  void ProgramLinesEdited(double first, double count, const std::string& utf8);

  // ---- Documents, each after the page asked what the command needs ----
  // The change prompt's text when the program has changed, else empty; whether
  // "Ja" needs a name to save under first; whether the command goes on after
  // the answer (and the name given).
  std::string ChangeQuestion() const;
  bool ChangeNeedsName() const { return session_.NeedsSaveName(); }
  bool ChangeGoesOn(int answer, const std::string& saveName) const;
  void SelectKind(int kind, int answer, const std::string& saveName);
  void New(int answer, const std::string& saveName);
  void Open(int answer, const std::string& saveName, const std::string& name, const std::string& bytes);
  void Save(const std::string& saveName);    // "&Speichern": the name when the program has none
  void SaveAs(const std::string& saveName);  // "Speichern unter..."
  // "Link kopieren": the page copied the link; the status bar says so.
  void LinkCopied();
  // A link opened: its program as a new, unsaved one of its kind, with its
  // tape and speed, after the change prompt (kind 0 ... 4; others are refused).
  void OpenShared(int answer, const std::string& saveName, int kind, const std::string& program,
                  const std::string& tape, int speed);
  std::string FileName() const { return session_.FileName(); }
  // The saved file the page offers for download; taken once.
  bool HasDownload() const { return host_.download.has_value(); }
  std::string DownloadName() const { return host_.download ? host_.download->name : std::string(); }
  const std::string& DownloadBytes() const;
  void DownloadTaken() { host_.download.reset(); }

  // ---- The menu Werkzeuge ----
  // Whether the tool (0 "In Akzeptor umwandeln", 1 "Akzeptor minimieren",
  // 2 "Vergleichen mit Programm...", 3 "Als regulären Ausdruck" and "Als
  // Grammatik") takes programs of the current kind.
  bool ToolAccepts(int tool) const;
  // The acceptor (minimal) of the program as a new program, after the change
  // prompt; a problem becomes a dialog.
  void Convert(bool minimal, int answer, const std::string& saveName);
  // Before the other program is chosen: false after showing this program's problem.
  bool CompareReady();
  // The comparison with another program file's bytes: its sentence, or empty
  // after showing the problem. Then, when the programs differ, the word on the tape.
  std::string CompareWithFile(const std::string& name, const std::string& bytes);
  bool ComparisonDiffers() const { return compared_.has_value() && !compared_->equal; }
  void ComparisonWordToTape();
  // An acceptor the language tools (language.js) made of an expression or a
  // grammar (UTF-8), as a new program after the change prompt.
  void OpenAcceptor(int answer, const std::string& saveName, const std::string& text, const std::string& summary);

  // ---- The Tests pane ----
  // The cases of the program as it is now, kept for TestRun: their rows
  // (line, word, expectation; a faulty test line with its reason instead).
  struct TestRow {
    int line = 0;
    std::string word, expected, fault;  // UTF-8
  };
  std::vector<TestRow> TestsStart();
  // Case `index` of those (faulty lines not counted): whether it passed and what it gave.
  CaseResult TestRun(int index);
  static std::string TestSummary(int passed, int failed) { return TestSummaryText(passed, failed); }
  // A case's word on the tape, then a reset: ready to step through it.
  void TestChosen(int index);

  // ---- The diagram pane ----
  // What the pane is to do after it opened, after the typing paused, and
  // after a command or a frame: 0 nothing new, 1 lay out and draw
  // DiagramDot() with DiagramNote() under it, 2 draw nothing (too large; the
  // note says why), 3 grey what is drawn with the fault as the note.
  int DiagramOpened() { return Take(diagram_.Opened()); }
  int DiagramTextChanged() { return Take(diagram_.TextChanged()); }
  int DiagramMachineShown() { return Take(diagram_.MachineShown()); }
  std::string DiagramDot() const { return automaten::DiagramDot(asked_); }
  std::string DiagramNote() const { return diagramNote_; }
  // The page drew the diagram last asked for (false: it draws none), whose
  // nodes and edges the marks then number.
  void DiagramDrawn(bool drawn) { drawn_ = drawn ? asked_ : Diagram{}; }
  // Where the run stands in the diagram drawn.
  DiagramMark DiagramMarked() const { return diagram_.Mark(drawn_); }
  // The diagram last asked for with its states on a circle, for the page to
  // draw while Graphviz takes long.
  const Diagram& DiagramAsked() const { return asked_; }

  // ---- Editing in the diagram ----
  // Where the page drew the states of the diagram drawn (in its SVG's units).
  void DiagramCentres(std::vector<DiagramPoint> centres) { gestures_.Drawn(drawn_, std::move(centres)); }
  // The gestures; an answer's edit is kept for the page to apply, which it
  // does in its text area when it can (one step of the area's undo), else by
  // DiagramApplyEdit.
  DiagramGestures& Gestures() { return gestures_; }
  GestureAnswer Kept(GestureAnswer answer);
  // The program's text after the kept edit.
  std::string DiagramEditedText() const;
  void DiagramApplyEdit();

  // ---- The browser's storage ----
  // Once, after the page laid out its tape field: the stored settings, and
  // the stored program and tape when there are any (no tape: the settings'
  // last tape); else the DEA example.
  void Restore(const std::string& settings, bool hasProgram, const std::string& program, bool hasTape,
               const std::string& tape, bool changed);
  std::string SettingsText() const;  // the settings to store, in the INI form of the desktop program
  // The tape to store beside the settings: none when it is the last tape,
  // which the settings hold; else as much as the settings would keep of it.
  bool TapeIsLastTape() const { return view_.FieldContent(Field::EBand) == sim_.State().lastTape; }
  std::string TapeToStore() const { return StoredTape(view_.FieldText(Field::EBand)); }

  // ---- What the page shows (UTF-8) ----
  std::string LabelText(int label) const;
  int LabelColour(int label) const;  // 0 window text, 1 red, 2 green
  std::string Panel(int panel) const;
  std::string FieldText(int field) const;
  // A long tape is shown a window at a time: its length, and the cells of a window.
  double FieldLength(int field) const { return static_cast<double>(view_.FieldContent(FieldOf(field)).size()); }
  std::string FieldSlice(int field, double from, double count) const;
  unsigned FieldRevision(int field) const { return view_.fieldRevision[Index(field)]; }
  double MarkedCell(int field) const { return static_cast<double>(view_.markedCell[Index(field)]); }  // -1 for none
  bool SecondFieldShown() const { return view_.fieldVisible[1]; }
  std::string ProgramText() const { return view_.ProgramText(); }
  double ProgramLineCount() const { return view_.ProgramLineCount(); }
  std::string ProgramLines(double first, double count) const {  // joined by line breaks
    return view_.ProgramLinesText(static_cast<int>(first), static_cast<int>(count));
  }
  // The bytes of a saved file with this text; of the program, with the kind
  // line that saving puts first.
  static double FileBytes(const std::string& utf8) { return static_cast<double>(EncodeProgram(utf8).size()); }
  double ProgramFileBytes() const;
  unsigned ProgramRevision() const { return view_.programRevision; }
  int Kind() const { return static_cast<int>(sim_.State().kind); }
  bool Running() const { return view_.TimerEnabled(); }
  int TimerInterval() const { return view_.TimerInterval(); }
  int SliderPosition() const { return view_.SliderPosition(); }
  std::string Caption() const;
  bool ProgramChanged() const { return session_.Changed(); }
  std::vector<std::string> TakeDialogs();
  WebView::Focus TakeFocus();

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i == 1 ? 1 : 0); }
  static Field FieldOf(int i) { return i == 1 ? Field::EAusgabe : Field::EBand; }
  static Answer AnswerOf(int answer);
  void Prepare(int answer, const std::string& saveName);  // the answers for the command that follows
  void Done();                                            // and forgotten after it
  int Take(DiagramUpdate update);                         // the follower's answer, kept for the page

  WebView view_;
  WebHost host_{view_};
  void ShowProblem(const ToolProblem& problem);
  std::optional<Difference> compared_;  // the last comparison's answer
  // The cases last started, and their program's runner.
  std::vector<TestCase> cases_;
  std::unique_ptr<CaseRunner> casesRunner_;  // the program parsed once for all its cases
  Simulation sim_{view_};
  DocumentSession session_{sim_, view_, host_};
  DiagramFollower diagram_{sim_, view_};
  Diagram asked_;  // the diagram last asked to draw
  Diagram drawn_;  // the one drawn
  DiagramGestures gestures_{view_};
  std::optional<LinesEdit> kept_;  // the last gesture's edit
  std::string diagramNote_;
};

}  // namespace automaten
