// A View on plain strings and flags: the screen of the headless run (the
// command line, the test cases, grading), the base of the web page's view,
// and the screen tests read. The program is kept like the window's program
// area keeps it: UTF-8 lines, one more after a final line break.
// Focus does nothing; the marked cells and the program selection are only
// recorded.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "view.h"

namespace automaten {

class PlainView : public View {
 public:
  struct Selection {
    int start = -1;
    int length = 0;
  };

  std::string FieldText(Field f) const override { return std::string(FieldContent(f)); }
  // Without a copy: the field's own text, or the simulation's cells it shows.
  std::string_view FieldContent(Field f) const {
    const auto& cells = cells_[Index(f)];
    return cells ? cells() : std::string_view(fields_[Index(f)]);
  }
  void SetFieldText(Field f, const std::string& text) override {
    cells_[Index(f)] = {};
    fields_[Index(f)] = text;
  }
  // The same, taking the text over: a tape of many cells is never copied.
  void PutFieldText(Field f, std::string&& text) {
    cells_[Index(f)] = {};
    fields_[Index(f)] = std::move(text);
  }
  // The simulation's account of a change; a field that reads its cells has them already.
  void ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) override;
  // What the user typed over `removed` cells from a 0-based index: the field
  // keeps a text of its own from now on, which the simulation reads at the next step.
  void TypeInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted);
  // Keeps no copy of the simulation's cells: the field reads them.
  void ShowCells(Field f, CellSource cells) override;
  std::string TakeFieldText(Field f, CellSource cells) override;
  void MarkCell(Field f, long long index) override { markedCell[Index(f)] = index; }
  void FocusField(Field) override {}
  void SetFieldVisible(Field f, bool visible) override { fieldVisible[Index(f)] = visible; }
  int TapeWidth() const override { return tapeWidth; }

  int ProgramLineCount() const override { return static_cast<int>(lines_.size()); }
  std::string ProgramLine(int i) const override;
  std::string ProgramText() const override;
  // The `count` lines from `first` on, UTF-8, joined by line breaks.
  std::string ProgramLinesText(int first, int count) const;
  void SetProgramText(const std::string& utf8) override;
  void ReplaceProgramLines(int first, int count, const std::string& utf8) override;
  void SelectInProgram(int start, int length) override { programSelection = {start, length}; }
  void FocusProgram() override {}
  void MarkProgramUnchanged() override { ++programMarkedUnchanged; }
  std::uint64_t ProgramRevision() const override { return programRevision_; }

  void SetLabelText(Label l, const std::string& text) override { labels_[Index(l)] = text; }
  void SetLabelColour(Label l, TextColour c) override { colours_[Index(l)] = c; }

  void SetStatusPanel(StatusPanel panel, const std::string& text) override { panels_[Index(panel)] = text; }
  void SetKindButtonDown(MachineKind kind, bool down) override;
  void SetStartImage(StartImage image) override { startImage = image; }
  void ShowLoopCheck(bool on) override { loopCheckShown = on; }

  bool TimerEnabled() const override { return timerEnabled_; }
  void SetTimerEnabled(bool on) override { timerEnabled_ = on; }
  void SetTimerInterval(int ms) override { timerInterval_ = ms; }
  int TimerInterval() const override { return timerInterval_; }

  int SliderPosition() const override { return slider_; }
  void SetSliderPosition(int position) override;

  void ShowMessage(const std::string& text) override;
  // Shows the fault as ShowMessage does; the kind offered is recorded.
  bool OfferKind(const std::string& fault, MachineKind fits) override {
    ShowMessage(fault);
    offered.push_back(fits);
    return switchKind;
  }
  Answer AskSaveQuestion(const std::string& text) override;

  int Zoom() const override { return zoom; }
  void SetZoom(int percent) override { zoom = percent; }
  void SetCaption(const std::string& text) override { caption = text; }
  Bounds WindowBounds() const override { return bounds; }
  void SetWindowBounds(const Bounds& b) override { bounds = b; }

  // What a user would read off the screen.
  const std::string& LabelText(Label l) const { return labels_[Index(l)]; }
  TextColour LabelColour(Label l) const { return colours_[Index(l)]; }
  const std::string& Panel(StatusPanel panel) const { return panels_[Index(panel)]; }
  bool KindButtonDown(MachineKind kind) const;

  // Recorded by the operations above.
  std::array<long long, kFieldCount> markedCell{-1, -1};
  std::array<bool, kFieldCount> fieldVisible{true, true};
  Selection programSelection;
  int tapeWidth = kDefaultTapeWidth;  // what a window's tape field would show
  int programMarkedUnchanged = 0;
  StartImage startImage = StartImage::Start;
  bool loopCheckShown = true;
  std::string caption;
  int zoom = 100;
  Bounds bounds;
  std::vector<std::string> messages;                  // every message box, in order
  std::vector<std::string> questions;                 // every change prompt, in order
  Answer answer = Answer::Nein;                       // what the change prompt answers
  std::vector<MachineKind> offered;                   // the kinds a fault's box offered
  bool switchKind = false;                            // whether the user takes the kind offered
  std::function<void(const std::string&)> onMessage;  // also told of each message box

 private:
  std::uint64_t programRevision_ = 1;
  static std::size_t Index(Field f) { return static_cast<std::size_t>(f); }
  static std::size_t Index(Label l) { return static_cast<std::size_t>(l); }
  static std::size_t Index(StatusPanel p) { return static_cast<std::size_t>(p); }

  std::array<std::string, kFieldCount> fields_;
  std::array<CellSource, kFieldCount> cells_;  // what a field shows instead, when set
  std::array<std::string, kLabelCount> labels_;
  std::array<TextColour, kLabelCount> colours_{};
  std::array<std::string, kPanelCount> panels_;
  std::array<bool, kKindCount> kindDown_{};
  std::vector<std::string> lines_;  // UTF-8
  bool timerEnabled_ = false;
  int timerInterval_ = 1000;
  int slider_ = 12;
};

}  // namespace automaten
