#include "step.h"

#include <algorithm>
#include <type_traits>

#include "engine/loop.h"
#include "engine/nea.h"
#include "engine/text.h"

namespace automaten {

namespace {

bool StackTop(const std::string& stack, char& top) {
  if (stack.empty()) return false;  // an emptied stack text has no top, not even '#'
  top = stack.back();
  return true;
}

// Writes symbol at the head, padding a text that ends before the head.
bool WriteAtHead(std::uint32_t head, std::string& text, char symbol, char pad) {
  if (head < 1) return false;
  if (text.size() >= head && text[head - 1] == symbol) return false;
  if (text.size() < head) text.resize(head, pad);
  text[head - 1] = symbol;
  return true;
}

bool WriteAtHead(std::uint32_t head, Tape& tape, char symbol, char pad) {
  if (head < 1 || tape.At(head) == symbol) return false;
  if (tape.size() < head) tape.Append(head - tape.size(), pad);
  tape.Set(head, symbol);
  return true;
}

// Moving onto the last cell gives a Turing tape 20 more blanks.
std::uint32_t HeadRight(MachineKind kind, Configuration& c) {
  ++c.head;
  ++c.steps;
  if (kind != MachineKind::TM || c.tape.size() != c.head) return 0;
  c.tape.Append(kTmGrowth, kTmBlank);
  return kTmGrowth;
}

// Moving onto (or off) the first cell puts 20 blanks in front; the head stays
// on its symbol.
std::uint32_t HeadLeft(Configuration& c) {
  ++c.steps;
  if (c.head <= 1) {
    c.head = kTmGrowth;
  } else if (--c.head == 1) {
    c.head = kTmGrowth + 1;
  } else {
    return 0;
  }
  c.tape.Prepend(kTmGrowth, kTmBlank);
  return kTmGrowth;
}

}  // namespace

std::uint32_t MiddleHead(int tapeWidth) { return static_cast<std::uint32_t>(std::max(tapeWidth / 2 - 3, 1)); }

std::string InitialSecondField(MachineKind kind, std::size_t tapeCells) {
  if (kind == MachineKind::DEA) return std::string(tapeCells, ' ');
  if (kind == MachineKind::KA) return std::string(1, kStackBottom);
  return "";
}

std::uint32_t HeadOfNewKind(MachineKind kind, int tapeWidth) {
  return kind == MachineKind::TM ? MiddleHead(tapeWidth) : 1;
}

std::string ClearedTape(MachineKind kind, int tapeWidth) {
  return kind == MachineKind::TM ? std::string(static_cast<std::size_t>(std::max(tapeWidth, 0)) + 1, kTmBlank) : "";
}

bool PadToWidth(MachineKind kind, std::string& tape, int tapeWidth) {
  if (kind != MachineKind::TM || static_cast<int>(tape.size()) >= tapeWidth) return false;
  tape.resize(static_cast<std::size_t>(tapeWidth - 1), kTmBlank);
  return true;
}

Configuration InitialConfiguration(MachineKind kind, std::string tape, int tapeWidth) {
  Configuration c;
  const std::size_t given = tape.size();
  const std::size_t width = static_cast<std::size_t>(std::max(tapeWidth, 0));
  if (kind == MachineKind::TM && tape.size() < width) tape.resize(width, kTmBlank);
  std::size_t i = 1;
  while (i < tape.size() && tape[i - 1] == kTmBlank && i < width) ++i;
  c.head = i < width ? static_cast<std::uint32_t>(i) : MiddleHead(tapeWidth);
  c.tape = Tape(tape);
  std::string().swap(tape);  // a long tape is held once before the second field comes
  c.second = InitialSecondField(kind, given);
  c.set.Add(kStateA);
  return c;
}

namespace {

// The rules below take the kind as a template argument, so a run of many
// steps (RunSteps) chooses its kind once and keeps every rule inline in its
// loop; kOther stands for any unknown kind.
constexpr MachineKind kOther = static_cast<MachineKind>(0xFFFF);

template <MachineKind K>
[[gnu::always_inline]] inline int FindTransitionOf(const Program& program, const Configuration& c) {
  const char symbol = SymbolUnderHead(c);
  if constexpr (K == MachineKind::NEA) {
    if ((program.Movers(symbol).bits & c.set.bits) != 0) return 0;
  }
  int line = program.Index().First(c.state, symbol);
  if constexpr (K == MachineKind::KA) {
    if (c.second.empty()) return -1;  // an emptied stack text has no top, not even '#'
    const char top = c.second.back();
    while (line >= 0 && program.transitions[static_cast<std::size_t>(line)].RequiredTop() != top)
      line = program.Index().Next(line);
  }
  return line;
}

template <MachineKind K>
[[gnu::always_inline]] inline Move NextMoveOf(const Program& program, const Configuration& c) {
  Move m;
  m.transition = FindTransitionOf<K>(program, c);
  if constexpr (K == MachineKind::NEA) {
    if (m.transition >= 0) m.nextSet = NextSet(program, c.set, SymbolUnderHead(c));
  }
  return m;
}

// Fills the part of the record that is known before the step.
template <MachineKind K>
[[gnu::always_inline]] inline void RecordBefore(const Configuration& c, StepRecord& u) {
  u = StepRecord{c.head, c.state, c.set.bits, 0, 0, 0};
  if constexpr (K == MachineKind::TM) u.cell = c.tape.At(c.head);
  if constexpr (K == MachineKind::DEA) {
    if (c.head >= 1 && c.head <= c.second.size()) u.cell = c.second[c.head - 1];
  }
  if constexpr (K == MachineKind::KA) {
    if (!c.second.empty()) u.cell = c.second.back();
  }
}

// And the rest, from what the step did.
template <MachineKind K>
[[gnu::always_inline]] inline void RecordAfter(const Configuration& c, const StepResult& r, std::size_t secondBefore,
                                               StepRecord& u) {
  if (r.moved) u.flags |= StepRecord::kMoved;
  if (r.wroteTape) u.flags |= StepRecord::kWroteTape;
  if (r.grewFront > 0) u.flags |= StepRecord::kGrewFront;
  if (r.grewBack > 0) u.flags |= StepRecord::kGrewBack;
  const std::size_t grown = c.second.size() > secondBefore ? c.second.size() - secondBefore : 0;
  if constexpr (K == MachineKind::KA) {
    if (grown > 0) u.flags |= StepRecord::kPushed;
    if (c.second.size() < secondBefore) u.flags |= StepRecord::kPopped;
  }
  if constexpr (K == MachineKind::DEA) {
    if (r.secondChanged) {
      if (grown > 0xFFFF) u.flags |= StepRecord::kLost;
      if (grown == 0) u.flags |= StepRecord::kWroteOutput;
      u.grew = static_cast<std::uint16_t>(grown);
    }
  }
}

template <MachineKind K>
[[gnu::always_inline]] inline StepResult ApplyMoveOf(const Program& program, Configuration& c, const Move& move,
                                                     StepRecord* record = nullptr) {
  StepResult r;
  r.transition = move.transition;
  if (r.transition < 0) return r;
  const std::size_t secondBefore = c.second.size();
  if (record != nullptr) RecordBefore<K>(c, *record);
  const Transition& t = program.transitions[static_cast<std::size_t>(r.transition)];
  const std::uint32_t stepsBefore = c.steps;
  if constexpr (K == MachineKind::DEA) {
    r.secondChanged = WriteAtHead(c.head, c.second, t.OutputSymbol(), ' ');
    r.wroteOutput = true;
    HeadRight(K, c);
  } else if constexpr (K == MachineKind::Akz) {
    HeadRight(K, c);
  } else if constexpr (K == MachineKind::NEA) {
    c.set = move.nextSet;
    HeadRight(K, c);
  } else if constexpr (K == MachineKind::KA) {
    HeadRight(K, c);
    if (t.Operation() == StackOp::Push) {
      c.second += t.Pushed();
      r.secondChanged = true;
    } else if (t.Operation() == StackOp::Pop && !c.second.empty()) {
      c.second.pop_back();
      r.secondChanged = true;
    }
  } else if constexpr (K == MachineKind::TM) {
    r.wroteTape = WriteAtHead(c.head, c.tape, t.Written(), kTmBlank);
    if (t.HeadMove() == 'L')
      r.grewFront = HeadLeft(c);
    else if (t.HeadMove() == 'R')
      r.grewBack = HeadRight(K, c);
  }
  r.moved = c.steps != stepsBefore;
  c.state = t.next;
  if (record != nullptr) RecordAfter<K>(c, r, secondBefore, *record);
  return r;
}

template <MachineKind K>
std::uint64_t RunStepsOf(const Program& program, Configuration& c, Move& move, std::uint64_t limit,
                         LoopDetector* detector) {
  std::uint64_t taken = 0;
  while (taken < limit) {
    ++taken;
    const std::uint32_t headBefore = c.head;
    const StepResult r = ApplyMoveOf<K>(program, c, move);
    move = NextMoveOf<K>(program, c);
    const bool atEnd = K == MachineKind::TM ? program.IsEndState(c.state) : c.tape.size() + 1 == c.head;
    // InErrorState and Halted, with the kind known here.
    if ((K != MachineKind::NEA && c.state == kStateF) || move.transition < 0 || atEnd) break;
    if constexpr (K == MachineKind::TM) {
      if (detector != nullptr && detector->Observe(c, r, headBefore)) break;
    } else {
      (void)r, (void)headBefore, (void)detector;
    }
  }
  return taken;
}

// Calls f with the kind as a compile-time constant.
template <typename F>
auto ByKind(MachineKind kind, F f) {
  switch (kind) {
    case MachineKind::DEA: return f(std::integral_constant<MachineKind, MachineKind::DEA>{});
    case MachineKind::Akz: return f(std::integral_constant<MachineKind, MachineKind::Akz>{});
    case MachineKind::NEA: return f(std::integral_constant<MachineKind, MachineKind::NEA>{});
    case MachineKind::KA: return f(std::integral_constant<MachineKind, MachineKind::KA>{});
    case MachineKind::TM: return f(std::integral_constant<MachineKind, MachineKind::TM>{});
  }
  return f(std::integral_constant<MachineKind, kOther>{});
}

}  // namespace

int FindTransition(const Program& program, const Configuration& c) {
  return ByKind(program.kind, [&](auto k) { return FindTransitionOf<decltype(k)::value>(program, c); });
}

Move NextMove(const Program& program, const Configuration& c) {
  return ByKind(program.kind, [&](auto k) { return NextMoveOf<decltype(k)::value>(program, c); });
}

StepResult ApplyMove(const Program& program, Configuration& c, const Move& move, StepRecord* record) {
  return ByKind(program.kind, [&](auto k) { return ApplyMoveOf<decltype(k)::value>(program, c, move, record); });
}

CellChanges UndoMove(Configuration& c, const StepRecord& u) {
  CellChanges changed;
  const bool tape = false, second = true;
  if (u.flags & StepRecord::kGrewBack) {
    c.tape.Replace(c.tape.size() - kTmGrowth, kTmGrowth, "");
    changed.Add(tape, c.tape.size(), kTmGrowth, 0);
  }
  if (u.flags & StepRecord::kGrewFront) {
    c.tape.Replace(0, kTmGrowth, "");
    changed.Add(tape, 0, kTmGrowth, 0);
  }
  if (u.flags & StepRecord::kWroteTape) {
    c.tape.Set(u.head, u.cell);
    changed.Add(tape, u.head - 1, 1, 1);
  }
  if (u.grew > 0) {
    c.second.resize(c.second.size() - u.grew);
    changed.Add(second, c.second.size(), u.grew, 0);
  } else if (u.flags & StepRecord::kWroteOutput) {
    c.second[u.head - 1] = u.cell;
    changed.Add(second, u.head - 1, 1, 1);
  }
  if (u.flags & StepRecord::kPushed) {
    c.second.pop_back();
    changed.Add(second, c.second.size(), 1, 0);
  }
  if (u.flags & StepRecord::kPopped) {
    c.second += u.cell;
    changed.Add(second, c.second.size() - 1, 0, 1);
  }
  c.head = u.head;
  c.state = u.state;
  c.set.bits = u.set;
  if (u.flags & StepRecord::kMoved) --c.steps;
  return changed;
}

std::uint64_t RunSteps(const Program& program, Configuration& c, Move& move, std::uint64_t limit,
                       LoopDetector* detector) {
  return ByKind(program.kind,
                [&](auto k) { return RunStepsOf<decltype(k)::value>(program, c, move, limit, detector); });
}

std::string FunctionValue(const Configuration& c) {
  std::uint64_t count = 0;
  for (std::uint32_t i = c.head; c.tape.At(i) == '1'; ++i) ++count;
  return Decimal(count);
}

Verdict CheckHalt(const Program& program, const Configuration& c, int nextTransition) {
  Verdict v;
  const bool atEnd = AtEnd(program, c);
  if (!atEnd && nextTransition != -1) return v;
  v.halted = true;
  switch (program.kind) {
    case MachineKind::DEA:
    case MachineKind::Akz: v.ok = atEnd && program.IsEndState(c.state); break;
    case MachineKind::NEA: v.ok = atEnd && SetAccepts(program, c.set); break;
    case MachineKind::KA: {
      char top = 0;
      v.ok = atEnd && StackTop(c.second, top) && top == kStackBottom &&
             (!program.DeclaresEndStates() || program.IsEndState(c.state));
      break;
    }
    case MachineKind::TM: v.ok = atEnd; break;
  }
  v.function = v.ok && program.kind == MachineKind::TM;
  if (program.kind == MachineKind::TM)
    v.text = v.ok ? "Der Funktionswert ist: " + FunctionValue(c) : "Der Funktionswert ist undefiniert.";
  else
    v.text = v.ok ? "Das Wort wurde akzeptiert." : "Das Wort wurde nicht akzeptiert.";
  return v;
}

}  // namespace automaten
