#include "history.h"

#include <algorithm>

namespace automaten {

std::size_t History::Bytes() const {
  std::size_t bytes = steps_.size() * sizeof(StepRecord);
  for (const Edit& e : edits_) bytes += sizeof(Edit) + e.tape.capacity() + e.second.capacity();
  return bytes;
}

void History::Clear() {
  steps_.clear();
  steps_.shrink_to_fit();
  edits_.clear();
  dropped_ = 0;
}

void History::SetBound(std::uint64_t steps) {
  bound_ = std::max<std::uint64_t>(steps, 1);
  while (steps_.size() > bound_) DropOldest();
}

void History::RecordEdit(std::string tape, std::string second) {
  edits_.push_back({dropped_ + steps_.size(), std::move(tape), std::move(second)});
}

bool History::RecordStep(const StepRecord& step) {
  steps_.push_back(step);
  if (steps_.size() <= bound_) return false;
  DropOldest();
  return true;
}

// An edit recorded before the dropped step, or right after it, would go
// back only after that step: it goes with it.
void History::DropOldest() {
  steps_.pop_front();
  ++dropped_;
  edits_.erase(edits_.begin(),
               std::find_if(edits_.begin(), edits_.end(), [this](const Edit& e) { return e.at >= dropped_; }));
}

bool History::TakeEdit(std::string& tape, std::string& second) {
  if (edits_.empty() || edits_.back().at != dropped_ + steps_.size()) return false;
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
