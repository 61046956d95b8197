#include "history.h"

namespace automaten {

std::size_t History::Bytes() const {
  std::size_t bytes = steps_.capacity() * sizeof(StepRecord);
  for (const Edit& e : edits_) bytes += sizeof(Edit) + e.tape.capacity() + e.second.capacity();
  return bytes;
}

void History::Clear() {
  steps_.clear();
  edits_.clear();
}

void History::RecordEdit(std::string tape, std::string second) {
  edits_.push_back({steps_.size(), std::move(tape), std::move(second)});
}

void History::RecordStep(const StepRecord& step) { steps_.push_back(step); }

bool History::TakeEdit(std::string& tape, std::string& second) {
  if (edits_.empty() || edits_.back().at != steps_.size()) return false;
  tape = std::move(edits_.back().tape);
  second = std::move(edits_.back().second);
  edits_.pop_back();
  return true;
}

bool History::TakeStep(StepRecord& step) {
  if (steps_.empty()) return false;
  step = steps_.back();
  steps_.pop_back();
  return true;
}

}  // namespace automaten
