#include "history.h"

#include <algorithm>

namespace automaten {

std::size_t History::Bytes() const {
  std::size_t bytes = steps_.capacity() * sizeof(StepRecord);
  for (const Edit& e : edits_) bytes += sizeof(Edit) + e.tape.capacity() + e.second.capacity();
  return bytes;
}

void History::Clear() {
  std::vector<StepRecord>().swap(steps_);
  first_ = count_ = 0;
  edits_.clear();
  dropped_ = 0;
}

void History::SetBound(std::uint64_t steps) {
  bound_ = std::max<std::uint64_t>(steps, 1);
  while (count_ > bound_) DropOldest();
  if (steps_.size() > bound_) Unwrap();  // the ring was larger than the new bound
}

void History::Unwrap() {
  std::vector<StepRecord> kept(count_);
  for (std::size_t i = 0; i < count_; ++i) kept[i] = steps_[(first_ + i) % steps_.size()];
  steps_.swap(kept);
  first_ = 0;
}

void History::RecordEdit(std::string tape, std::string second) {
  edits_.push_back({dropped_ + count_, std::move(tape), std::move(second)});
}

bool History::RecordStep(const StepRecord& step) {
  if (count_ < steps_.size()) {  // room left by steps taken back
    steps_[(first_ + count_++) % steps_.size()] = step;
    return false;
  }
  if (steps_.size() < bound_) {
    if (first_ != 0) Unwrap();  // a ring full at a bound since raised
    steps_.push_back(step);
    ++count_;
    return false;
  }
  // Full: the new step takes the oldest one's place.
  steps_[first_] = step;
  first_ = (first_ + 1) % steps_.size();
  ++dropped_;
  DropEditsBeforeTheOldest();
  return true;
}

void History::DropOldest() {
  first_ = (first_ + 1) % steps_.size();
  --count_;
  ++dropped_;
  DropEditsBeforeTheOldest();
}

// An edit recorded before a dropped step, or right after it, would go back
// only after that step: it goes with it.
void History::DropEditsBeforeTheOldest() {
  edits_.erase(edits_.begin(),
               std::find_if(edits_.begin(), edits_.end(), [this](const Edit& e) { return e.at >= dropped_; }));
}

bool History::TakeEdit(std::string& tape, std::string& second) {
  if (edits_.empty() || edits_.back().at != dropped_ + count_) return false;
  tape = std::move(edits_.back().tape);
  second = std::move(edits_.back().second);
  edits_.pop_back();
  return true;
}

bool History::TakeStep(StepRecord& step) {
  if (count_ == 0) return false;
  step = steps_[(first_ + --count_) % steps_.size()];
  return true;
}

}  // namespace automaten
