#include "step.h"

#include <algorithm>

#include "engine/nea.h"

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

std::string InitialSecondField(MachineKind kind, const std::string& tape) {
  if (kind == MachineKind::DEA) return std::string(tape.size(), ' ');
  if (kind == MachineKind::KA) return std::string(1, kStackBottom);
  return "";
}

Configuration InitialConfiguration(MachineKind kind, std::string tape, int tapeWidth) {
  Configuration c;
  c.second = InitialSecondField(kind, tape);
  const std::size_t width = static_cast<std::size_t>(std::max(tapeWidth, 0));
  if (kind == MachineKind::TM && tape.size() < width) tape.resize(width, kTmBlank);
  std::size_t i = 1;
  while (i < tape.size() && tape[i - 1] == kTmBlank && i < width) ++i;
  c.head = i < width ? static_cast<std::uint32_t>(i) : MiddleHead(tapeWidth);
  c.tape = Tape(std::move(tape));
  c.set.Add(kStateA);
  return c;
}

int FindTransition(const Program& program, const Configuration& c) {
  const char symbol = SymbolUnderHead(c);
  if (program.kind == MachineKind::NEA && !program.transitions.empty() &&
      (program.Movers(symbol).bits & c.set.bits) != 0)
    return 0;
  int line = program.Index().First(c.state, symbol);
  if (program.kind == MachineKind::KA) {
    if (c.second.empty()) return -1;  // an emptied stack text has no top, not even '#'
    const char top = c.second.back();
    while (line >= 0 && program.transitions[static_cast<std::size_t>(line)].stackTop != top)
      line = program.Index().Next(line);
  }
  return line;
}

Move NextMove(const Program& program, const Configuration& c) {
  Move m;
  m.transition = FindTransition(program, c);
  if (program.kind == MachineKind::NEA && m.transition >= 0) m.nextSet = NextSet(program, c.set, SymbolUnderHead(c));
  return m;
}

StepResult ApplyMove(const Program& program, Configuration& c, const Move& move) {
  StepResult r;
  r.transition = move.transition;
  if (r.transition < 0) return r;
  const Transition& t = program.transitions[static_cast<std::size_t>(r.transition)];
  const std::uint32_t stepsBefore = c.steps;
  switch (program.kind) {
    case MachineKind::DEA:
      r.secondChanged = WriteAtHead(c.head, c.second, t.output, ' ');
      r.wroteOutput = true;
      HeadRight(program.kind, c);
      break;
    case MachineKind::Akz: HeadRight(program.kind, c); break;
    case MachineKind::NEA:
      c.set = move.nextSet;
      HeadRight(program.kind, c);
      break;
    case MachineKind::KA:
      HeadRight(program.kind, c);
      if (t.stackOp == StackOp::Push) {
        c.second += t.output;
        r.secondChanged = true;
      } else if (t.stackOp == StackOp::Pop && !c.second.empty()) {
        c.second.pop_back();
        r.secondChanged = true;
      }
      break;
    case MachineKind::TM:
      r.wroteTape = WriteAtHead(c.head, c.tape, t.output, kTmBlank);
      if (t.move == 'L')
        r.grewFront = HeadLeft(c);
      else if (t.move == 'R')
        r.grewBack = HeadRight(program.kind, c);
      break;
  }
  r.moved = c.steps != stepsBefore;
  c.state = t.next;
  return r;
}

std::string FunctionValue(const Configuration& c) {
  std::uint64_t count = 0;
  for (std::uint32_t i = c.head; c.tape.At(i) == '1'; ++i) ++count;
  return std::to_string(count);
}

bool AtEnd(const Program& program, const Configuration& c) {
  if (program.kind == MachineKind::TM) return program.IsEndState(c.state);
  return c.tape.size() + 1 == c.head;
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
  if (program.kind == MachineKind::TM)
    v.text = v.ok ? "Der Funktionswert ist: " + FunctionValue(c) : "Der Funktionswert ist undefiniert.";
  else
    v.text = v.ok ? "Das Wort wurde akzeptiert." : "Das Wort wurde nicht akzeptiert.";
  return v;
}

}  // namespace automaten
