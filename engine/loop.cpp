#include "loop.h"

#include <algorithm>

#include "engine/encoding.h"
#include "engine/step.h"
#include "engine/text.h"

namespace automaten {

namespace {

// A configuration met again, both counted as the "Schritte" label counts:
// by the head's moves.
std::string Repetition(std::uint64_t now, std::uint64_t then) {
  if (now == then)
    return MachineText("Endlosschleife: ab Schritt ") + Decimal(then) +
           MachineText(" wiederholt sich die Konfiguration, ohne dass der Kopf sich bewegt.");
  return MachineText("Endlosschleife: Schritt ") + Decimal(now) + " wiederholt Schritt " + Decimal(then) + ".";
}

}  // namespace

void LoopDetector::Start(const Configuration& c, std::uint64_t step) {
  step_ = step;
  shift_ = 0;
  lo_ = kNone;
  hi_ = -kNone;
  const std::string_view tape = c.tape.View();
  for (std::size_t i = 0; i < tape.size(); ++i)
    if (tape[i] != kTmBlank) {
      lo_ = std::min(lo_, static_cast<std::int64_t>(i));
      hi_ = static_cast<std::int64_t>(i);
    }
  right_.clear();
  left_.clear();
  rightGuard_ = -kNone;
  leftGuard_ = kNone;
  power_ = 1;
  finding_.clear();
  Snapshot(c, Absolute(c.head));
  nextSnapshot_ = step_ + power_;
  QuietBand();
  // The head may start beyond every written cell already.
  Outside(c.state, Absolute(c.head), c.steps);
}

void LoopDetector::Written(std::int64_t at) {
  dirtyLo_ = std::min(dirtyLo_, at);
  dirtyHi_ = std::max(dirtyHi_, at);
  if (at < lo_ || at > hi_) {
    lo_ = std::min(lo_, at);
    hi_ = std::max(hi_, at);
    QuietBand();
  }
}

void LoopDetector::QuietBand() {
  quietLo_ = std::max(lo_, rightGuard_);
  quietHi_ = std::min(hi_, leftGuard_);
}

bool LoopDetector::Outside(StateCode state, std::int64_t at, std::uint64_t moves) {
  if (at < rightGuard_) DropRight(at);
  if (at > leftGuard_) DropLeft(at);
  const bool proved = (at > hi_ && ProvedBeyondWritten(state, at, moves, right_, rightGuard_, true)) ||
                      (at < lo_ && ProvedBeyondWritten(state, at, moves, left_, leftGuard_, false));
  QuietBand();
  return proved;
}

void LoopDetector::DropRight(std::int64_t at) {
  while (!right_.empty() && right_.back().at > at) right_.pop_back();
  rightGuard_ = right_.empty() ? -kNone : right_.back().at;
}

void LoopDetector::DropLeft(std::int64_t at) {
  while (!left_.empty() && left_.back().at < at) left_.pop_back();
  leftGuard_ = left_.empty() ? kNone : left_.back().at;
}

// The head stands beyond every written cell. The same state there before,
// with the head never behind that place since: the run goes on like this for
// ever, further out each time (or on the spot: a repeated configuration).
bool LoopDetector::ProvedBeyondWritten(StateCode state, std::int64_t at, std::uint64_t moves,
                                       std::vector<Record>& records, std::int64_t& guard, bool right) {
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    if (it->state != state) continue;
    if (it->at == at)
      finding_ = Repetition(moves, it->moves);
    else
      finding_ = MachineText("Endlosschleife: die Maschine läuft ab Schritt ") + Decimal(it->moves) +
                 (right ? " nach rechts" : " nach links") + MachineText(" ins leere Band.");
    return true;
  }
  records.push_back({state, moves, at});
  guard = at;
  return false;
}

bool LoopDetector::Repeated(const Configuration& c) {
  if (!SameAsSnapshot(c)) return false;
  finding_ = Repetition(c.steps, snapMoves_);
  return true;
}

void LoopDetector::NextSnapshot(const Configuration& c, std::int64_t at) {
  Snapshot(c, at);
  power_ *= 2;
  nextSnapshot_ = step_ + power_;
}

void LoopDetector::Snapshot(const Configuration& c, std::int64_t at) {
  snapKey_ = Key(c.state, at);
  snapMoves_ = c.steps;
  snapTape_ = c.tape.Text();
  snapOrigin_ = -static_cast<std::int64_t>(shift_);
  dirtyLo_ = kNone;
  dirtyHi_ = -kNone;
}

// Cells not written since the snapshot are the same; the written ones are
// compared, blanks standing in beyond either text.
bool LoopDetector::SameAsSnapshot(const Configuration& c) const {
  const auto same = [&](std::int64_t a) {
    const std::int64_t now = a + static_cast<std::int64_t>(shift_);
    const char current = now >= 0 ? c.tape.At(static_cast<std::uint32_t>(now + 1)) : kBeyondTape;
    const std::int64_t then = a - snapOrigin_;
    const char kept = then >= 0 && then < static_cast<std::int64_t>(snapTape_.size())
                          ? snapTape_[static_cast<std::size_t>(then)]
                          : kTmBlank;
    return (current == kBeyondTape ? kTmBlank : current) == kept;
  };
  if (dirtyLo_ <= lastWritten_ && lastWritten_ <= dirtyHi_ && !same(lastWritten_)) return false;
  for (std::int64_t a = dirtyLo_; a <= dirtyHi_; ++a)
    if (!same(a)) return false;
  return true;
}

std::uint64_t LongRunWatch::Run(const Program& program, Configuration& c, Move& move, std::uint64_t ticks,
                                std::uint64_t& applied, LoopDetector& detector) {
  constexpr std::uint64_t kFull = 1 << 16;
  std::uint64_t taken = 0;
  std::uint64_t window = kFull;
  bool stopped = false;
  while (taken < ticks && !stopped) {
    const bool watched = applied < kFull || watchingUntil_ > applied;
    std::uint64_t chunk;
    if (applied < kFull) {
      chunk = kFull - applied;
    } else if (watched) {
      chunk = watchingUntil_ - applied;
    } else {
      chunk = std::max<std::uint64_t>(nextWindow_, applied) - applied;
      if (chunk == 0) {  // a window begins
        window = std::max<std::uint64_t>(window, (applied + 15) / 16);
        watchingUntil_ = applied + window;
        nextWindow_ = watchingUntil_ + 15 * window;
        detector.Start(c, applied);
        continue;
      }
    }
    chunk = std::min<std::uint64_t>(chunk, ticks - taken);
    const std::uint64_t done = RunSteps(program, c, move, chunk, watched ? &detector : nullptr);
    taken += done;
    applied += done;
    stopped = done < chunk || detector.Proved() || InErrorState(program, c) || Halted(program, c, move.transition);
  }
  return taken;
}

}  // namespace automaten
