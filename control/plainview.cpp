#include "plainview.h"

#include <algorithm>
#include <utility>

#include "engine/encoding.h"

namespace automaten {

std::string PlainView::ProgramLine(int i) const {
  return i >= 0 && i < static_cast<int>(lines_.size()) ? ProgramLineToMachine(lines_[static_cast<std::size_t>(i)])
                                                       : std::string();
}

std::string PlainView::ProgramText() const { return ProgramLinesText(0, ProgramLineCount()); }

std::string PlainView::ProgramLinesText(int first, int count) const {
  const int from = std::clamp(first, 0, ProgramLineCount());
  const int to = from + std::clamp(count, 0, ProgramLineCount() - from);
  std::string text;
  for (int i = from; i < to; ++i) {
    if (i > from) text += '\n';
    text += lines_[static_cast<std::size_t>(i)];
  }
  return text;
}

void PlainView::ReplaceProgramLines(int first, int count, const std::string& utf8) {
  ++programRevision_;
  PlainView lines;
  lines.SetProgramText(utf8);
  const auto from = lines_.begin() + std::clamp(first, 0, static_cast<int>(lines_.size()));
  const auto to = from + std::clamp(count, 0, static_cast<int>(lines_.end() - from));
  lines_.insert(lines_.erase(from, to), lines.lines_.begin(), lines.lines_.end());
}

void PlainView::SetProgramText(const std::string& utf8) {
  ++programRevision_;
  lines_.assign(1, std::string());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' || utf8[i] == '\n') {
      if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      lines_.emplace_back();
    } else {
      lines_.back() += utf8[i];
    }
  }
}

void PlainView::ShowCells(Field f, CellSource cells) {
  cells_[Index(f)] = std::move(cells);
  std::string().swap(fields_[Index(f)]);
}

std::string PlainView::TakeFieldText(Field f, CellSource cells) {
  std::string text = cells_[Index(f)] ? FieldText(f) : std::exchange(fields_[Index(f)], std::string());
  ShowCells(f, std::move(cells));
  return text;
}

void PlainView::ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) {
  if (cells_[Index(f)]) return;  // the cells read changed already
  TypeInField(f, index, removed, inserted);
}

void PlainView::TypeInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) {
  if (cells_[Index(f)]) PutFieldText(f, FieldText(f));
  std::string& text = fields_[Index(f)];
  index = std::min(index, text.size());
  text.replace(index, std::min(removed, text.size() - index), inserted);
}

void PlainView::SetKindButtonDown(MachineKind kind, bool down) {
  const auto i = static_cast<std::size_t>(kind);
  if (i < kindDown_.size()) kindDown_[i] = down;
}

bool PlainView::KindButtonDown(MachineKind kind) const {
  const auto i = static_cast<std::size_t>(kind);
  return i < kindDown_.size() && kindDown_[i];
}

void PlainView::SetSliderPosition(int position) { slider_ = std::clamp(position, 1, 100); }

void PlainView::ShowMessage(const std::string& text) {
  messages.push_back(text);
  if (onMessage) onMessage(text);
}

Answer PlainView::AskSaveQuestion(const std::string& text) {
  questions.push_back(text);
  return answer;
}

}  // namespace automaten
