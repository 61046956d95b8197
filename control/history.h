// The steps "Schritt zurück" can take back: a record of 12 bytes a step, and
// the user's edits of the fields between two steps with the texts they
// replaced. An edit goes back together with the step before it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

class History {
 public:
  // Steps and edits kept.
  std::size_t Size() const { return steps_.size() + edits_.size(); }
  bool Empty() const { return steps_.empty() && edits_.empty(); }
  std::size_t Bytes() const;  // what it takes in memory
  void Clear();

  // The user replaced the fields' texts before the next step.
  void RecordEdit(std::string tape, std::string second);
  void RecordStep(const StepRecord& step);

  // The texts of the latest edit, when no step came after it; false else.
  bool TakeEdit(std::string& tape, std::string& second);
  // The latest step; false when none is left.
  bool TakeStep(StepRecord& step);

 private:
  struct Edit {
    std::size_t at;  // the steps recorded before it
    std::string tape, second;
  };
  std::vector<StepRecord> steps_;
  std::vector<Edit> edits_;
};

}  // namespace automaten
