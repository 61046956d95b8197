// The step rules of the five machine kinds and the halting verdict.
#include "machine.h"

namespace automaten {

char SymbolUnderHead(const std::string& tape, std::uint32_t head) {
  return head >= 1 && head <= tape.size() ? tape[head - 1] : kBeyondTape;
}

int FindTransition(const Machine& m, const std::string& tape, const std::string& second) {
  const char symbol = SymbolUnderHead(tape, m.FHead);
  if (m.FMode == MachineKind::NEA) {
    // Any member of the set with a move on the symbol makes entry 0 the hit.
    if (m.FTransitionCount > 0 && SetHasTransition(m, symbol)) return 0;
  }
  char top = 0;
  const bool hasTop = StackTop(second, top);
  for (int i = 0; i < m.FTransitionCount; ++i) {
    const TabelleRecTyp& r = m.FTable[i];
    if (r.State != m.FState || r.Input != symbol) continue;
    if (m.FMode == MachineKind::KA && (!hasTop || top != r.StackChar)) continue;
    return i;
  }
  return -1;
}

void HeadRight(Machine& m, std::string& tape) {
  ++m.FHead;
  if (m.FMode == MachineKind::TM && tape.size() == m.FHead) tape.append(kTmGrowth, kTmBlank);
  ++m.FStepCount;
}

void HeadLeft(Machine& m, std::string& tape) {
  if (m.FHead <= 1) {
    // Leaving the tape's left end: new blanks come in front, the head on the last.
    tape.insert(0, kTmGrowth, kTmBlank);
    m.FHead = kTmGrowth;
  } else {
    --m.FHead;
    if (m.FHead == 1) {
      tape.insert(0, kTmGrowth, kTmBlank);
      m.FHead = kTmGrowth + 1;
    }
  }
  ++m.FStepCount;
}

namespace {

// Writes symbol at the head, padding a text that ends before the head.
void WriteAtHead(std::uint32_t head, std::string& text, char symbol, char pad) {
  if (head < 1) return;
  if (text.size() < head) text.resize(head, pad);
  text[head - 1] = symbol;
}

}  // namespace

void WriteTape(const Machine& m, std::string& tape, char symbol) {
  WriteAtHead(m.FHead, tape, symbol, kTmBlank);
}

void WriteOutput(const Machine& m, std::string& output, char symbol) {
  WriteAtHead(m.FHead, output, symbol, ' ');
}

void StackPush(std::string& stack, char symbol) { stack += symbol; }

void StackPop(std::string& stack) {
  if (!stack.empty()) stack.pop_back();
}

bool StackTop(const std::string& stack, char& top) {
  if (stack.empty()) return false;
  top = stack.back();
  return true;
}

std::string FunctionValue(const Machine& m, const std::string& tape) {
  std::uint64_t count = 0;
  for (std::size_t i = m.FHead; i >= 1 && i <= tape.size() && tape[i - 1] == '1'; ++i) ++count;
  return std::to_string(count);
}

bool AtEnd(const Machine& m, const std::string& tape) {
  if (m.FMode == MachineKind::TM) return IsEndState(m, m.FState);
  return tape.size() + 1 == m.FHead;
}

StepResult ApplyStep(Machine& m, std::string& tape, std::string& second) {
  StepResult result;
  result.transition = FindTransition(m, tape, second);
  if (result.transition < 0) return result;
  // The step only reads the table, so the entry need not be copied.
  const TabelleRecTyp& r = m.FTable[result.transition];
  const std::uint32_t countBefore = m.FStepCount;
  switch (m.FMode) {
    case MachineKind::DEA:
      WriteOutput(m, second, r.Output);
      result.wroteOutput = true;
      HeadRight(m, tape);
      break;
    case MachineKind::Akz:
      HeadRight(m, tape);
      break;
    case MachineKind::NEA:
      SetStep(m, tape);
      HeadRight(m, tape);
      break;
    case MachineKind::KA:
      HeadRight(m, tape);
      if (r.StackOp == "PUSH")
        StackPush(second, r.Output);
      else if (r.StackOp == "POP")
        StackPop(second);
      break;
    case MachineKind::TM:
      WriteTape(m, tape, r.Output);
      if (r.Move == 'L')
        HeadLeft(m, tape);
      else if (r.Move == 'R')
        HeadRight(m, tape);
      break;
  }
  result.moved = m.FStepCount != countBefore;
  m.FState = r.Next;
  return result;
}

std::string HeadMarker(int tapeWidth, std::uint32_t head, int firstVisible) {
  const int length = tapeWidth + 10 > 0 ? tapeWidth + 10 : 0;
  std::string marker(static_cast<std::size_t>(length), ' ');
  const std::int64_t column = static_cast<std::int64_t>(head) - firstVisible;
  if (column >= 1 && column <= length) marker[static_cast<std::size_t>(column - 1)] = '^';
  return marker;
}

Verdict CheckHalt(const Machine& m, const std::string& tape, const std::string& second) {
  Verdict v;
  if (m.FState == kUnbestimmt) return v;
  const bool atEnd = AtEnd(m, tape);
  if (!atEnd && m.FNextTransition != -1) return v;
  v.halted = true;
  switch (m.FMode) {
    case MachineKind::DEA:
    case MachineKind::Akz:
      v.ok = IsEndState(m, m.FState) && atEnd;
      break;
    case MachineKind::NEA:
      v.ok = SetAccepts(m) && atEnd;
      break;
    case MachineKind::KA: {
      char top = 0;
      v.ok = atEnd && StackTop(second, top) && top == kStackBottom &&
             (m.FEndStateCount == 1 || IsEndState(m, m.FState));
      break;
    }
    case MachineKind::TM:
      v.ok = IsEndState(m, m.FState);
      break;
  }
  if (m.FMode == MachineKind::TM)
    v.text = v.ok ? "Der Funktionswert ist: " + FunctionValue(m, tape) : "Der Funktionswert ist undefiniert.";
  else
    v.text = v.ok ? "Das Wort wurde akzeptiert." : "Das Wort wurde nicht akzeptiert.";
  v.colour = v.ok ? TextColour::Green : TextColour::Red;
  return v;
}

}  // namespace automaten
