// A View in front of another that sends a label's text or colour and a
// status panel's text only when it differs from what the screen shows
// already, so that a step formats and sends only what it changed. Everything
// else goes through as it is.
#pragma once

#include <array>
#include <string>

#include "control/view.h"

namespace automaten {

class ChangesOnlyView : public View {
 public:
  explicit ChangesOnlyView(View& view) : view_(view) {}

  // What the labels show now.
  const std::string& LabelShown(Label l) const { return labelText_[Index(l)]; }
  TextColour ColourShown(Label l) const { return labelColour_[Index(l)]; }

  void SetLabelText(Label l, const std::string& text) override {
    if (labelText_[Index(l)] == text) return;
    labelText_[Index(l)] = text;
    view_.SetLabelText(l, text);
  }
  void SetLabelColour(Label l, TextColour c) override {
    if (labelColour_[Index(l)] == c) return;
    labelColour_[Index(l)] = c;
    view_.SetLabelColour(l, c);
  }
  // A panel is sent the first time even when empty: the screen may show another text.
  void SetStatusPanel(StatusPanel panel, const std::string& text) override {
    const auto i = static_cast<std::size_t>(panel);
    if (panelShown_[i] && panelText_[i] == text) return;
    panelShown_[i] = true;
    panelText_[i] = text;
    view_.SetStatusPanel(panel, text);
  }

  std::string FieldText(Field f) const override { return view_.FieldText(f); }
  void SetFieldText(Field f, const std::string& text) override { view_.SetFieldText(f, text); }
  void ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) override {
    view_.ReplaceInField(f, index, removed, inserted);
  }
  void ShowCells(Field f, CellSource cells) override { view_.ShowCells(f, std::move(cells)); }
  std::string TakeFieldText(Field f, CellSource cells) override { return view_.TakeFieldText(f, std::move(cells)); }
  void MarkCell(Field f, long long index) override { view_.MarkCell(f, index); }
  void FocusField(Field f) override { view_.FocusField(f); }
  void SetFieldVisible(Field f, bool visible) override { view_.SetFieldVisible(f, visible); }
  int TapeWidth() const override { return view_.TapeWidth(); }
  int ProgramLineCount() const override { return view_.ProgramLineCount(); }
  std::string ProgramLine(int i) const override { return view_.ProgramLine(i); }
  std::string ProgramText() const override { return view_.ProgramText(); }
  std::uint64_t ProgramRevision() const override { return view_.ProgramRevision(); }
  void SetProgramText(const std::string& utf8) override { view_.SetProgramText(utf8); }
  void ReplaceProgramLines(int first, int count, const std::string& utf8) override {
    view_.ReplaceProgramLines(first, count, utf8);
  }
  void SelectInProgram(int start, int length) override { view_.SelectInProgram(start, length); }
  void FocusProgram() override { view_.FocusProgram(); }
  void MarkProgramUnchanged() override { view_.MarkProgramUnchanged(); }
  void SetKindButtonDown(MachineKind kind, bool down) override { view_.SetKindButtonDown(kind, down); }
  void SetStartImage(StartImage image) override { view_.SetStartImage(image); }
  void MachineShown() override { view_.MachineShown(); }
  Panes PanesShown() const override { return view_.PanesShown(); }
  void SetPanes(const Panes& panes) override { view_.SetPanes(panes); }
  void ShowLoopCheck(bool on) override { view_.ShowLoopCheck(on); }
  bool TimerEnabled() const override { return view_.TimerEnabled(); }
  void SetTimerEnabled(bool on) override { view_.SetTimerEnabled(on); }
  void SetTimerInterval(int ms) override { view_.SetTimerInterval(ms); }
  int TimerInterval() const override { return view_.TimerInterval(); }
  int SliderPosition() const override { return view_.SliderPosition(); }
  void SetSliderPosition(int position) override { view_.SetSliderPosition(position); }
  NumberFormat Numbers() const override { return view_.Numbers(); }
  void ShowMessage(const std::string& text) override { view_.ShowMessage(text); }
  bool OfferKind(const std::string& fault, MachineKind fits) override { return view_.OfferKind(fault, fits); }
  Answer AskSaveQuestion(const std::string& text) override { return view_.AskSaveQuestion(text); }
  int Zoom() const override { return view_.Zoom(); }
  void SetZoom(int percent) override { view_.SetZoom(percent); }
  void SetCaption(const std::string& text) override { view_.SetCaption(text); }
  Bounds WindowBounds() const override { return view_.WindowBounds(); }
  void SetWindowBounds(const Bounds& b) override { view_.SetWindowBounds(b); }

 private:
  static std::size_t Index(Label l) { return static_cast<std::size_t>(l); }

  View& view_;
  std::array<std::string, kLabelCount> labelText_;
  std::array<TextColour, kLabelCount> labelColour_{};
  std::array<std::string, kPanelCount> panelText_;
  std::array<bool, kPanelCount> panelShown_{};
};

}  // namespace automaten
