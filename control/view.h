// The one seam between the run control and a screen: every operation the
// simulation and the document session need from a window. TForm1 implements
// it on widgets, PlainView on plain strings. Field, label, status, caption
// and message texts are machine text (Windows-1252); the program document
// is UTF-8, since it is what the user wrote and saves.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/types.h"

namespace automaten {

// The names are the controls' names, which the web page's elements carry too.
enum class Field { EBand, EAusgabe };
constexpr int kFieldCount = 2;
constexpr const char* kFieldNames[kFieldCount] = {"EBand", "EAusgabe"};
enum class Label { LZustand, LBefehl, LMeldung, LSchritte, LFrequenz2 };
constexpr int kLabelCount = 5;
constexpr const char* kLabelNames[kLabelCount] = {"LZustand", "LBefehl", "LMeldung", "LSchritte", "LFrequenz2"};
enum class StatusPanel { Kind, Changed, Message };
constexpr int kPanelCount = 3;
enum class TextColour { WindowText, Red, Green };
constexpr const char* kColourNames[] = {"WindowText", "Red", "Green"};
enum class StartImage { Start, Stop };  // what the start/stop button shows
enum class Answer { Ja, Nein, Abbrechen };

// How the frequency label writes numbers.
struct NumberFormat {
  char decimalSeparator = ',';
  char groupSeparator = '.';
};

// A pane beside the window's controls: shown or not, and its width in pixels.
struct PaneState {
  bool shown = false;
  int size = 360;
};

// The panes "Zustandsdiagramm" and "Tests", one above the other at the right.
struct Panes {
  PaneState diagram{false, 360};
  PaneState tests{false, 420};
};

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Cells the simulation keeps (a tape, the second field), for a view to read
// where they stand: a function and what it reads.
struct CellSource {
  std::string_view (*read)(const void* owner) = nullptr;
  const void* owner = nullptr;
  std::string_view operator()() const { return read(owner); }
  explicit operator bool() const { return read != nullptr; }
};

class View {
 public:
  virtual ~View() = default;

  // One-line fields: the tape EBand and the second field EAusgabe. The
  // simulation keeps their cells and tells the field what changed; a field
  // tells the simulation when the user edits it (Simulation::FieldEdited).
  virtual std::string FieldText(Field f) const = 0;
  virtual void SetFieldText(Field f, const std::string& text) = 0;
  // Replaces `removed` cells from a 0-based index with the inserted ones.
  virtual void ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) = 0;
  // The field shows cells the simulation keeps: `cells` reads them where
  // they stand, until another text is set in the field, and the simulation
  // still tells of each change. A view that keeps a copy takes it now.
  virtual void ShowCells(Field f, CellSource cells) { SetFieldText(f, std::string(cells())); }
  // The field's text for the simulation to keep as `cells`: a view that
  // reads the simulation's cells hands its own text over instead of copying
  // it, and shows `cells` from now on as ShowCells does.
  virtual std::string TakeFieldText(Field f, CellSource cells) {
    (void)cells;
    return FieldText(f);
  }
  // Shows one cell (0-based) as the head cell, scrolled into view; -1 shows
  // none. The tape marks it with the head marker '^' below it, the second
  // field the output just written.
  virtual void MarkCell(Field f, long long index) = 0;
  virtual void FocusField(Field f) = 0;
  virtual void SetFieldVisible(Field f, bool visible) = 0;
  // The tape cells the tape field shows; a Turing tape is padded to them.
  virtual int TapeWidth() const = 0;

  // The program area MProgramm. Selections count each line break as two.
  virtual int ProgramLineCount() const = 0;
  virtual std::string ProgramLine(int i) const = 0;  // machine text
  std::vector<std::string> ProgramLines() const {    // all of them, as the parser reads them
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(ProgramLineCount(), 0)));
    for (int i = 0; i < ProgramLineCount(); ++i) lines.push_back(ProgramLine(i));
    return lines;
  }
  virtual std::string ProgramText() const = 0;  // UTF-8, lines joined with '\n'
  virtual void SetProgramText(const std::string& utf8) = 0;
  // Replaces `count` whole lines from line `first` on (0-based) with the
  // lines of `utf8`, as one edit the user can undo.
  virtual void ReplaceProgramLines(int first, int count, const std::string& utf8) = 0;
  virtual void SelectInProgram(int start, int length) = 0;
  virtual void FocusProgram() = 0;
  // The text as it stands is the saved one: the next edit changes it, and
  // undoing the edits back to it makes it unchanged again.
  virtual void MarkProgramUnchanged() = 0;
  // Grows with every change of the program text, the user's and the
  // program's own, so that a text parsed before is known without reading it
  // again; 0 when the view cannot tell.
  virtual std::uint64_t ProgramRevision() const { return 0; }

  virtual void SetLabelText(Label l, const std::string& text) = 0;
  virtual void SetLabelColour(Label l, TextColour c) = 0;
  virtual void SetStatusPanel(StatusPanel panel, const std::string& text) = 0;
  virtual void SetKindButtonDown(MachineKind kind, bool down) = 0;
  virtual void SetStartImage(StartImage image) = 0;
  // The machine's state, next transition or verdict is shown anew, or a
  // reset found the program faulty; a window with a state diagram follows.
  virtual void MachineShown() {}
  // A front end without the pane keeps what it is given.
  virtual Panes PanesShown() const { return panes_; }
  virtual void SetPanes(const Panes& panes) { panes_ = panes; }

  // The tick of "Endlosschleifen erkennen".
  virtual void ShowLoopCheck(bool on) = 0;

  // Timer1: its enabled flag is the automatic run.
  virtual bool TimerEnabled() const = 0;
  virtual void SetTimerEnabled(bool on) = 0;
  virtual void SetTimerInterval(int ms) = 0;
  virtual int TimerInterval() const = 0;

  // TrackBar1, kept within 1 ... 100.
  virtual int SliderPosition() const = 0;
  virtual void SetSliderPosition(int position) = 0;
  // The user's decimal and group separators for the frequency label.
  virtual NumberFormat Numbers() const { return {}; }

  // Modal boxes; the event loop keeps running while they are open.
  virtual void ShowMessage(const std::string& text) = 0;
  // A program fault's box, when the program would parse under exactly one
  // other kind: the window adds that hint and a button "Umschalten"; true
  // when the user switches. A front end without the button shows the fault.
  virtual bool OfferKind(const std::string& fault, MachineKind fits) {
    (void)fits;
    ShowMessage(fault);
    return false;
  }
  virtual Answer AskSaveQuestion(const std::string& text) = 0;  // "&Ja", "&Nein", "Abbrechen"

  // The size of tape, labels and program area, in percent.
  virtual int Zoom() const = 0;
  virtual void SetZoom(int percent) = 0;

  virtual void SetCaption(const std::string& text) = 0;
  virtual Bounds WindowBounds() const = 0;
  virtual void SetWindowBounds(const Bounds& b) = 0;

 private:
  Panes panes_;
};

}  // namespace automaten
