// The steps "Schritt zurück" can take back: a record of 12 bytes a step, and
// the user's edits of the fields between two steps with the texts they
// replaced. An edit goes back together with the step before it. Beyond a
// bound the oldest step is dropped for each new one, with the edits that
// would go back after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

// Steps kept unless the settings name another bound: 120 MB.
constexpr std::uint64_t kDefaultHistorySteps = 10000000;

class History {
 public:
  explicit History(std::uint64_t bound = kDefaultHistorySteps) : bound_(bound) {}

  // Steps and edits kept.
  std::size_t Size() const { return count_ + edits_.size(); }
  bool Empty() const { return count_ == 0 && edits_.empty(); }
  std::size_t Bytes() const;  // what it takes in memory
  void Clear();
  // The most steps kept (at least 1); fewer kept now are dropped from the oldest on.
  void SetBound(std::uint64_t steps);
  std::uint64_t Bound() const { return bound_; }
  // Whether an older step was dropped since the history was cleared.
  bool Dropped() const { return dropped_ > 0; }

  // The user replaced the fields' texts before the next step.
  void RecordEdit(std::string tape, std::string second);
  // Returns true when this step made the history drop its oldest step.
  bool RecordStep(const StepRecord& step);

  // The texts of the latest edit, when no step came after it; false else.
  bool TakeEdit(std::string& tape, std::string& second);
  // The latest step; false when none is left.
  bool TakeStep(StepRecord& step);

 private:
  void DropOldest();
  void DropEditsBeforeTheOldest();
  void Unwrap();  // the ring as a vector, oldest first

  struct Edit {
    std::uint64_t at;  // the steps recorded before it, the dropped ones counted
    std::string tape, second;
  };
  // The steps, oldest first, as a ring from `first_` once the bound is reached.
  std::vector<StepRecord> steps_;
  std::size_t first_ = 0;
  std::size_t count_ = 0;
  std::vector<Edit> edits_;
  std::uint64_t bound_;
  std::uint64_t dropped_ = 0;  // the oldest steps no longer kept
};

}  // namespace automaten
