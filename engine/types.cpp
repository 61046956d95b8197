#include "types.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

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

Tape::Tape(std::string_view text) {
  Reserve(text.size());
  if (!text.empty()) std::memcpy(cells_, text.data(), text.size());
  end_ = text.size();
}

Tape& Tape::operator=(const Tape& o) {
  if (this != &o) Tape(o).Swap(*this);
  return *this;
}

Tape::~Tape() { std::free(cells_); }

void Tape::Swap(Tape& o) noexcept {
  std::swap(cells_, o.cells_);
  std::swap(capacity_, o.capacity_);
  std::swap(start_, o.start_);
  std::swap(end_, o.end_);
}

void Tape::Reserve(std::size_t cells) {
  if (cells <= capacity_) return;
  const std::size_t capacity = std::max({cells, 2 * capacity_, std::size_t{64}});
  char* grown = static_cast<char*>(std::realloc(cells_, capacity));
  if (grown == nullptr) throw std::bad_alloc();
  cells_ = grown;
  capacity_ = capacity;
}

void Tape::Append(std::size_t count, char c) {
  Reserve(end_ + count);
  std::memset(cells_ + end_, c, count);
  end_ += count;
}

void Tape::Prepend(std::size_t count, char c) {
  const std::size_t at = MakeRoom(count);  // may move the cells
  std::memset(cells_ + at, c, count);
}

void Tape::Replace(std::size_t index, std::size_t removed, std::string_view inserted) {
  removed = std::min(removed, size() - std::min(index, size()));
  index = std::min(index, size());
  if (index == 0 && inserted.empty()) {
    start_ += removed;  // cells taken from the front leave room there
  } else if (index > 0 || removed > 0) {
    const std::size_t at = start_ + index, tail = end_ - at - removed;
    if (inserted.size() > removed) Reserve(end_ + inserted.size() - removed);
    std::memmove(cells_ + at + inserted.size(), cells_ + at + removed, tail);
    if (!inserted.empty()) std::memcpy(cells_ + at, inserted.data(), inserted.size());
    end_ = end_ - removed + inserted.size();
  } else if (!inserted.empty()) {
    const std::size_t at = MakeRoom(inserted.size());  // may move the cells
    std::memcpy(cells_ + at, inserted.data(), inserted.size());
  }
}

std::size_t Tape::MakeRoom(std::size_t count) {
  if (start_ < count) {
    // Room in front for as many cells as the tape has, so growing at the
    // left end costs a copy only now and then.
    const std::size_t room = count + size();
    Reserve(end_ + room);
    std::memmove(cells_ + start_ + room, cells_ + start_, size());
    start_ += room;
    end_ += room;
  }
  start_ -= count;
  return start_;
}

}  // namespace automaten
