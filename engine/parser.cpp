#include "parser.h"

#include "engine/encoding.h"
#include "engine/nea.h"
#include "engine/text.h"

namespace automaten {

namespace {

bool IsDigits(const std::string& t) {
  if (t.empty()) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

// Value of a state numeral: plain decimal digits from 1 to the highest state
// number; anything else is invalid.
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

// Reads one program: each reader takes its token off the front of the rest of
// the line. A reader that finds a fault records it and still finishes its own
// check, so one line can bring two faults; the caller stops after the read.
class Parser {
 public:
  explicit Parser(MachineKind kind) { program_.kind = kind; }

  Program Run(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string prepared = PrepareLine(lines[i]);
      if (UpperCase(prepared).find("E:") != std::string::npos) {
        ReadEndStates(prepared);
      } else if (prepared.size() > 1) {
        Transition t;
        t.line = prepared;
        if (ReadTransition(t, prepared)) program_.transitions.push_back(std::move(t));
      }
      if (Failed()) {
        program_.faultLine = static_cast<int>(i);
        return std::move(program_);
      }
    }
    if (program_.kind == MachineKind::NEA && program_.hasEpsilon)
      program_.transitions = RemoveEpsilon(program_.transitions, program_.alphabet);
    return std::move(program_);
  }

 private:
  bool Failed() const { return !program_.faults.empty(); }

  void Report(FaultCode code) { program_.faults.push_back({code, static_cast<int>(program_.transitions.size()) + 1}); }

  std::string NextToken(std::string& rest) {
    rest = Trim(rest) + ' ';
    const std::size_t p = rest.find(' ');  // never npos
    if (p == 0) Report(FaultCode::Format);
    std::string token = rest.substr(0, p);
    rest.erase(0, p + 1);
    return token;
  }

  StateCode ReadState(std::string& rest) {
    const std::string t = NextToken(rest);
    StateCode code = 0;
    if (t == "f" || t == "F") {
      code = kStateF;
    } else if (t == "a" || t == "A" || t == "0") {
      code = kStateA;
    } else if (t == "e" || t == "E") {
      code = kStateE;
    } else if (!StateNumber(t, code)) {
      Report(FaultCode::State);
    }
    if (program_.kind == MachineKind::NEA) {
      if (code == kStateF)
        code = kNeaF;
      else if (code == kStateE)
        code = kNeaE;
      if (code > kNeaF) Report(FaultCode::NeaState);
    }
    return code;
  }

  char ReadSymbol(std::string& rest) {
    const std::string t = NextToken(rest);
    if (t.size() > 1) Report(FaultCode::Symbol);
    return t.empty() ? '\0' : t[0];
  }

  void ReadArrow(std::string& rest) {
    if (NextToken(rest) != "->") Report(FaultCode::Arrow);
  }

  char ReadHeadMove(std::string& rest) {
    const std::string t = UpperCase(NextToken(rest));
    if (t == "K" || t == "L" || t == "R") return t[0];
    Report(FaultCode::HeadMove);
    return '\0';
  }

  // The operation word upper-cases the rest of the line, so a pushed letter
  // is stored in upper case. A three-letter word that ends the line stays in
  // the rest: the next reader sees it once more.
  StackOp ReadStackOp(std::string& rest) {
    rest = Trim(UpperCase(rest));
    std::string word;
    const std::size_t p = rest.find(' ');
    if (p != std::string::npos) {
      word = rest.substr(0, p);
      rest.erase(0, p + 1);
    } else if (rest.size() == 3) {
      word = rest;
    } else {
      Report(FaultCode::Format);
    }
    if (word == "PUSH") return StackOp::Push;
    if (word == "POP") return StackOp::Pop;
    if (word == "NOP") return StackOp::Nop;
    Report(FaultCode::Format);
    return StackOp::None;
  }

  void ReadEndStates(std::string line) {
    line.erase(0, UpperCase(line).find("E:") + 2);
    line = Trim(line);
    while (!line.empty()) {
      program_.AddEndState(ReadState(line));
      if (Failed()) return;
    }
  }

  // Reads the fields of one line in the order of the kind; false at a fault.
  bool ReadTransition(Transition& t, std::string rest) {
    const MachineKind kind = program_.kind;
    t.from = ReadState(rest);
    if (Failed()) return false;
    t.input = ReadSymbol(rest);
    // The alphabet takes the symbol before the fault check of its read.
    if (t.input == kEpsilon)
      program_.hasEpsilon = true;
    else if (program_.alphabet.find(t.input) == std::string::npos)
      program_.alphabet += t.input;
    if (Failed()) return false;
    if (kind == MachineKind::KA) {
      t.stackTop = ReadSymbol(rest);
      if (Failed()) return false;
    }
    ReadArrow(rest);
    if (Failed()) return false;
    if (kind == MachineKind::DEA || kind == MachineKind::TM) {
      t.output = ReadSymbol(rest);
      if (Failed()) return false;
    }
    if (kind == MachineKind::TM) {
      t.move = ReadHeadMove(rest);
      if (Failed()) return false;
    }
    if (kind == MachineKind::KA) {
      t.stackOp = ReadStackOp(rest);
      if (Failed()) return false;
      if (t.stackOp == StackOp::Push) {
        t.output = ReadSymbol(rest);
        if (Failed()) return false;
      }
    }
    t.next = ReadState(rest);
    return !Failed();
  }

  Program program_;
};

}  // namespace

Program ParseProgram(MachineKind kind, const std::vector<std::string>& lines) { return Parser(kind).Run(lines); }

std::string FaultText(FaultCode code) {
  switch (code) {
    case FaultCode::Format: return "falsches Befehlsformat";
    case FaultCode::State: return MachineText("ungültiger Zustand");
    case FaultCode::HeadMove: return MachineText("ungültige Kopfbewegung");
    case FaultCode::Symbol: return MachineText("ungültiges Alphabetzeichen");
    case FaultCode::Arrow: return MachineText("Übergangssymbol -> erwartet");
    case FaultCode::NeaState: return MachineText("Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt.");
  }
  return "Systemfehler";
}

std::string FaultMessage(const ParseFault& fault) {
  return "Fehler: " + FaultText(fault.code) + " in Befehl " + std::to_string(fault.transition);
}

std::pair<int, int> LineSelection(const std::vector<std::string>& lines, int i) {
  int start = 0;
  for (int j = 0; j < i && j < static_cast<int>(lines.size()); ++j) start += static_cast<int>(lines[j].size()) + 2;
  int length = i >= 0 && i < static_cast<int>(lines.size()) ? static_cast<int>(lines[i].size()) : 0;
  return {start, length};
}

}  // namespace automaten
