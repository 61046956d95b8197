#include "types.h"

#include <algorithm>

namespace automaten {

void TransitionIndex::Build(const std::vector<Transition>& table) {
  rowCount_ = 0;
  for (const Transition& t : table) rowCount_ = std::max(rowCount_, Row(t.from) + 1);
  next_.assign(table.size(), -1);
  if (rowCount_ <= 256) {
    rows_.assign(rowCount_ * 256, -1);
    slots_.clear();
    std::vector<std::int32_t> last(rows_.size(), -1);
    for (std::size_t line = 0; line < table.size(); ++line) {
      const std::size_t at = Row(table[line].from) * 256 + static_cast<unsigned char>(table[line].input);
      if (rows_[at] < 0)
        rows_[at] = static_cast<std::int32_t>(line);
      else
        next_[static_cast<std::size_t>(last[at])] = static_cast<std::int32_t>(line);
      last[at] = static_cast<std::int32_t>(line);
    }
    return;
  }
  rows_.clear();
  std::size_t capacity = 16;
  while (capacity < 2 * table.size()) capacity *= 2;
  slots_.assign(capacity, Slot{});
  mask_ = capacity - 1;
  std::vector<std::int32_t> last(capacity, -1);  // the last line of each key so far, by slot
  for (std::size_t line = 0; line < table.size(); ++line) {
    const std::uint32_t key = Key(table[line].from, table[line].input);
    std::size_t i = Hash(key);
    while (slots_[i].line >= 0 && slots_[i].key != key) i = (i + 1) & mask_;
    if (slots_[i].line < 0) {
      slots_[i] = {key, static_cast<std::int32_t>(line)};
    } else {
      next_[static_cast<std::size_t>(last[i])] = static_cast<std::int32_t>(line);
    }
    last[i] = static_cast<std::int32_t>(line);
  }
}

void Program::BuildIndex() {
  index_.Build(transitions);
  movers_.clear();
  moves_.clear();
  if (kind != MachineKind::NEA) return;
  movers_.assign(256, StateSet{});
  moves_.assign(static_cast<std::size_t>(kNeaStates) * 256, StateSet{});
  for (const Transition& t : transitions) {
    if (t.from >= kNeaStates) continue;
    movers_[Byte(t.input)].Add(t.from);
    // A transition out of F keeps F; targets outside the twelve are no members.
    moves_[static_cast<std::size_t>(t.from) * 256 + Byte(t.input)].Add(t.from == kNeaF ? kNeaF : t.next);
  }
}

void Tape::Replace(std::size_t index, std::size_t removed, std::string_view inserted) {
  if (index == 0 && inserted.empty())
    start_ += std::min(removed, size());  // cells taken from the front leave room there
  else if (index > 0 || removed > 0)
    buffer_.replace(start_ + index, removed, inserted);
  else
    buffer_.replace(MakeRoom(inserted.size()), inserted.size(), inserted);
}

std::size_t Tape::MakeRoom(std::size_t count) {
  if (start_ < count) {
    // Room in front for as many cells as the tape has, so growing at the
    // left end costs a copy only now and then.
    const std::size_t room = count + size();
    buffer_.insert(0, room, ' ');
    start_ += room;
  }
  start_ -= count;
  return start_;
}

}  // namespace automaten
