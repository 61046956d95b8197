// The proof that a Turing machine runs for ever. It watches the run step by
// step and reports only what it has proved:
// - a configuration that comes again (state, head, tape; cells beyond the
//   tape's text count as blanks), found with Brent's cycle search, which
//   keeps one earlier configuration and compares only where the tape was
//   written since;
// - a head that runs into blank tape for ever: at two moments in the same
//   state, each time beyond every cell that was ever written, the second
//   further out, and the head never back behind the first meanwhile.
// Its memory is one copy of the tape and one record per state.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

// Only a Turing machine can run for ever: every other kind reads its tape once.
inline bool CanRunForEver(MachineKind kind) { return kind == MachineKind::TM; }

class LoopDetector {
 public:
  // Watching starts anew at this configuration, counted as step `step`.
  void Start(const Configuration& c, std::uint64_t step);
  // After each applied step, with the head before it; true once an endless
  // run is proved (and from then on).
  bool Observe(const Configuration& c, const StepResult& r, std::uint32_t headBefore) {
    ++step_;
    shift_ += r.grewFront;
    if (r.wroteTape) {
      const std::int64_t w = Absolute(headBefore + r.grewFront);
      if (w < dirtyLo_ || w > dirtyHi_) Written(w);
      lastWritten_ = w;
    }
    const std::int64_t at = Absolute(c.head);
    // Inside the quiet band the head stands among written cells and behind
    // no record: nothing but Brent's comparison to do.
    if ((at < quietLo_ || at > quietHi_) && Outside(c.state, at, c.steps)) return true;
    if (Key(c.state, at) == snapKey_ && Repeated(c)) return true;
    if (step_ == nextSnapshot_) NextSnapshot(c, at);
    return false;
  }
  bool Proved() const { return !finding_.empty(); }
  std::uint64_t Step() const { return step_; }
  // The sentence for the verdict label, in machine text.
  const std::string& Finding() const { return finding_; }

 private:
  // The head beyond the written cells: its state and place, and the head's
  // moves so far (the steps the window shows).
  struct Record {
    StateCode state;
    std::uint64_t moves;
    std::int64_t at;
  };

  // Positions count from the first cell of the tape at Start, so that cells
  // put in front do not move them.
  std::int64_t Absolute(std::uint32_t head) const {
    return static_cast<std::int64_t>(head) - 1 - static_cast<std::int64_t>(shift_);
  }
  static std::uint64_t Key(StateCode state, std::int64_t at) { return static_cast<std::uint64_t>(at) << 16 | state; }
  void Written(std::int64_t at);
  bool Outside(StateCode state, std::int64_t at, std::uint64_t moves);  // the head left the quiet band
  void QuietBand();  // the quiet band anew from the written cells and the records
  void DropRight(std::int64_t at);
  void DropLeft(std::int64_t at);
  // True once the head, beyond every written cell, repeats a state it had
  // there before: the endless run is proved.
  bool ProvedBeyondWritten(StateCode state, std::int64_t at, std::uint64_t moves, std::vector<Record>& records,
                           std::int64_t& guard, bool right);
  bool Repeated(const Configuration& c);
  void NextSnapshot(const Configuration& c, std::int64_t at);
  void Snapshot(const Configuration& c, std::int64_t at);
  bool SameAsSnapshot(const Configuration& c) const;

  static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

  std::uint64_t step_ = 0;
  std::uint64_t shift_ = 0;                // cells put in front since Start
  std::int64_t lo_ = kNone, hi_ = -kNone;  // every cell that is no blank lies in [lo_, hi_]
  // Records of the head beyond the written cells, nearest last.
  std::vector<Record> right_, left_;
  std::int64_t rightGuard_ = -kNone, leftGuard_ = kNone;  // the nearest record's position
  std::int64_t quietLo_ = 0, quietHi_ = -1;
  // Brent's search: the configuration kept, and the cells written since.
  std::uint64_t snapKey_ = 0;       // state and head position kept
  std::uint64_t snapMoves_ = 0;     // the head's moves at the configuration kept
  std::uint64_t nextSnapshot_ = 0;  // the step at which the next is kept
  std::string snapTape_;
  std::int64_t snapOrigin_ = 0;  // the absolute position of snapTape_[0]
  std::int64_t dirtyLo_ = kNone, dirtyHi_ = -kNone;
  std::uint64_t power_ = 1;
  std::int64_t lastWritten_ = 0;  // compared first: the cell most likely to differ
  std::string finding_;
};

// A long Turing run without display, watched for an endless run: in full
// for its first 2^16 steps; after that in windows of W steps, W a sixteenth
// of the steps so far, with 15 W steps between them unwatched. Each window
// starts the search anew, so a loop is proved in the first window longer than
// about twice its cycle, and the watching costs a sixteenth of what it costs
// in full.
class LongRunWatch {
 public:
  // A new run: the next Run starts watching in full.
  void Restart() { watchingUntil_ = nextWindow_ = 0; }
  // Steps on as RunSteps does, at most `ticks` steps, from `applied` steps
  // since the reset (counted on); stops early once the detector proved an
  // endless run. Returns the steps taken.
  std::uint64_t Run(const Program& program, Configuration& c, Move& move, std::uint64_t ticks, std::uint64_t& applied,
                    LoopDetector& detector);

 private:
  std::uint64_t watchingUntil_ = 0, nextWindow_ = 0;
};

}  // namespace automaten
