#include "stringview.h"

#include <algorithm>

namespace automaten {

std::string StringView::ProgramLine(int i) const {
  return i >= 0 && i < static_cast<int>(lines_.size()) ? lines_[static_cast<std::size_t>(i)] : std::string();
}

void StringView::SetProgramText(const std::string& text) {
  program_ = text;
  lines_ = SplitLines(text);
}

void StringView::SetStatusPanel(int panel, const std::string& text) {
  if (panel >= 0 && panel < static_cast<int>(panels_.size())) panels_[static_cast<std::size_t>(panel)] = text;
}

void StringView::SetKindButtonDown(MachineKind kind, bool down) {
  const auto i = static_cast<std::size_t>(kind);
  if (i < kindDown_.size()) kindDown_[i] = down;
}

bool StringView::KindButtonDown(MachineKind kind) const {
  const auto i = static_cast<std::size_t>(kind);
  return i < kindDown_.size() && kindDown_[i];
}

void StringView::SetSliderPosition(int position) {
  slider_ = std::clamp(position, 1, 100);
}

void StringView::ShowMessage(const std::string& text) {
  messages.push_back(text);
  if (onMessage) onMessage(text);
}

Answer StringView::AskSaveQuestion(const std::string& text) {
  questions.push_back(text);
  return answer;
}

}  // namespace automaten
