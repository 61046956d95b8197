// The program text parser: one pass over the lines into the transition
// table, the end-state list and the alphabet.
#include "machine.h"

namespace automaten {

namespace {

bool IsDigits(const std::string& t) {
  if (t.empty()) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

// Value of a state numeral: plain decimal digits from 1 to the highest state
// number; anything else is invalid and yields 0.
bool StateNumber(const std::string& t, StateCode& value) {
  value = 0;
  if (!IsDigits(t)) return false;
  std::uint32_t v = 0;
  for (char c : t) {
    v = v * 10 + static_cast<std::uint32_t>(c - '0');
    if (v > kMaxStateNumber) return false;
  }
  if (v == 0) return false;
  value = static_cast<StateCode>(v);
  return true;
}

}  // namespace

std::string ErrorText(int code) {
  switch (code) {
    case kErrFormat: return "falsches Befehlsformat";
    case kErrState: return "ung\xFCltiger Zustand";
    case kErrHeadMove: return "ung\xFCltige Kopfbewegung";
    case kErrSymbol: return "ung\xFCltiges Alphabetzeichen";
    case kErrArrow: return "\xDC" "bergangssymbol -> erwartet";
    case kErrNeaState: return "Beim NEA sind nur die Zust\xE4nde A, 1, ..., 9, E und F erlaubt.";
    case kErrTooManyTransitions: return "zu viele Befehle";
    case kErrTooManyEndStates: return "zu viele Endzust\xE4nde";
    default: return "Systemfehler";
  }
}

std::string FaultMessage(const ParseFault& fault) {
  return "Fehler: " + ErrorText(fault.code) + " in Befehl " + std::to_string(fault.transition);
}

std::pair<int, int> LineSelection(const std::vector<std::string>& lines, int i) {
  int start = 0;
  for (int j = 0; j < i && j < static_cast<int>(lines.size()); ++j)
    start += static_cast<int>(lines[j].size()) + 2;
  int length = i >= 0 && i < static_cast<int>(lines.size()) ? static_cast<int>(lines[i].size()) : 0;
  return {start, length};
}

void ReportError(Machine& m, int code) {
  m.FFaults.push_back({code, m.FTransitionCount + 1});
  m.FError = true;
}

std::string NextToken(Machine& m, std::string& rest) {
  rest = Trim(rest) + ' ';
  std::size_t p = rest.find(' ');  // 0-based; never npos
  if (p == 0) ReportError(m, kErrFormat);
  std::string token = rest.substr(0, p);
  rest.erase(0, p + 1);
  return token;
}

StateCode ReadState(Machine& m, std::string& rest) {
  const std::string t = NextToken(m, rest);
  StateCode code;
  if (t == "f" || t == "F") {
    code = kStateF;
  } else if (t == "a" || t == "A" || t == "0") {
    code = kStateA;
  } else if (t == "e" || t == "E") {
    code = kStateE;
  } else if (!StateNumber(t, code)) {
    ReportError(m, kErrState);
  }
  if (m.FMode == MachineKind::NEA) {
    if (code == kStateF) code = kNeaF;
    else if (code == kStateE) code = kNeaE;
    if (code > kNeaF) ReportError(m, kErrNeaState);
  }
  return code;
}

char ReadSymbol(Machine& m, std::string& rest) {
  const std::string t = NextToken(m, rest);
  if (t.size() > 1) ReportError(m, kErrSymbol);
  return t.empty() ? '\0' : t[0];
}

void ReadArrow(Machine& m, std::string& rest) {
  if (NextToken(m, rest) != "->") ReportError(m, kErrArrow);
}

char ReadHeadMove(Machine& m, std::string& rest) {
  const std::string t = UpperCase(NextToken(m, rest));
  if (t == "K" || t == "L" || t == "R") return t[0];
  ReportError(m, kErrHeadMove);
  return '\0';
}

void ReadStackOp(Machine& m, std::string& rest, std::string& op) {
  rest = Trim(UpperCase(rest));
  std::string word;
  const std::size_t p = rest.find(' ');
  if (p != std::string::npos) {
    word = rest.substr(0, p);
    rest.erase(0, p + 1);
  } else if (rest.size() == 3) {
    word = rest;  // the next reader sees the word once more
  } else {
    ReportError(m, kErrFormat);
  }
  if (word == "POP" || word == "NOP" || word == "PUSH")
    op = word;
  else
    ReportError(m, kErrFormat);
}

void ReadEndStates(Machine& m, std::string line) {
  line.erase(0, UpperCase(line).find("E:") + 2);
  line = Trim(line);
  while (!line.empty()) {
    if (m.FEndStateCount >= kMaxEndStateCount) {
      ReportError(m, kErrTooManyEndStates);
      return;
    }
    ++m.FEndStateCount;
    m.FEndStates[m.FEndStateCount] = ReadState(m, line);
    if (m.FError) return;
  }
}

bool IsEndState(const Machine& m, StateCode s) {
  for (int i = 1; i <= m.FEndStateCount; ++i)
    if (m.FEndStates[i] == s) return true;
  return false;
}

namespace {

// Reads one transition line into r in the field order of the kind. Stops at
// the first read that leaves a fault.
void ReadTransition(Machine& m, TabelleRecTyp& r, std::string rest) {
  const MachineKind kind = m.FMode;
  r.State = ReadState(m, rest);
  if (m.FError) return;
  const char input = ReadSymbol(m, rest);
  if (input == kEpsilon)
    m.FHasEpsilon = true;
  else if (m.FAlphabet.find(input) == std::string::npos)
    m.FAlphabet += input;
  r.Input = input;
  if (m.FError) return;
  if (kind == MachineKind::KA) {
    r.StackChar = ReadSymbol(m, rest);
    if (m.FError) return;
  }
  ReadArrow(m, rest);
  if (m.FError) return;
  if (kind == MachineKind::DEA || kind == MachineKind::TM) {
    r.Output = ReadSymbol(m, rest);
    if (m.FError) return;
  }
  if (kind == MachineKind::TM) {
    r.Move = ReadHeadMove(m, rest);
    if (m.FError) return;
  }
  if (kind == MachineKind::KA) {
    ReadStackOp(m, rest, r.StackOp);
    if (m.FError) return;
    if (r.StackOp == "PUSH") {
      r.Output = ReadSymbol(m, rest);
      if (m.FError) return;
    }
  }
  r.Next = ReadState(m, rest);
}

}  // namespace

void ParseProgram(Machine& m, const std::vector<std::string>& lines) {
  m.FError = false;
  m.FHasEpsilon = false;
  m.FFaults.clear();
  m.FFaultLine = -1;
  m.FTable.assign(kTableSize, TabelleRecTyp{});
  m.FEndStateCount = 1;
  m.FEndStates[1] = kStateE;
  m.FTransitionCount = 0;
  m.FAlphabet.clear();

  const int n = static_cast<int>(lines.size());
  for (int i = 0; i < n; ++i) {
    const std::string prepared = PrepareLine(lines[i]);
    if (UpperCase(prepared).find("E:") != std::string::npos) {
      ReadEndStates(m, prepared);
    } else if (prepared.size() > 1) {
      if (m.FTransitionCount >= kTableSize) {
        ReportError(m, kErrTooManyTransitions);
      } else {
        TabelleRecTyp& r = m.FTable[m.FTransitionCount];
        r.Line = prepared;
        r.LineNo = i;
        ReadTransition(m, r, prepared);
        if (!m.FError) ++m.FTransitionCount;
      }
    }
    if (m.FError) {
      m.FFaultLine = i;
      return;
    }
  }
  if (m.FMode == MachineKind::NEA && m.FHasEpsilon) RemoveEpsilon(m);
}

}  // namespace automaten
