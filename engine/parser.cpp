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

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// Whether a prepared line declares end states: "E:" or "e:" anywhere in it.
bool IsDeclaration(const std::string& line) {
  for (std::size_t i = 0; i + 1 < line.size(); ++i)
    if ((line[i] == 'E' || line[i] == 'e') && line[i + 1] == ':') return true;
  return false;
}

// Reads one program: each reader takes its token off the front of the rest of
// the line. A reader that finds a fault records it and still finishes its own
// check, so one line can bring two faults; the caller stops after the read.
// The rest of a line is the prepared text from pos_ on; a prepared text ends
// in one blank after its last character above code 32, so the rest needs no
// trimming at its end.
class Parser {
 public:
  explicit Parser(MachineKind kind) { program_.kind = kind; }

  Program Run(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      line_ = PrepareLine(lines[i]);
      pos_ = 0;
      if (IsDeclaration(line_)) {
        ReadEndStates();
      } else if (line_.size() > 1) {
        Transition t;
        t.line = line_;  // as prepared, before a stack operation upper-cases its rest
        if (ReadTransition(t)) program_.transitions.push_back(std::move(t));
      }
      if (Failed()) {
        program_.faultLine = static_cast<int>(i);
        return std::move(program_);
      }
    }
    if (program_.kind == MachineKind::NEA && program_.hasEpsilon) {
      program_.written = program_.transitions;
      program_.transitions = RemoveEpsilon(program_.written, program_.alphabet);
    }
    program_.BuildIndex();
    return std::move(program_);
  }

 private:
  bool Failed() const { return !program_.faults.empty(); }

  void Report(FaultCode code) { program_.faults.push_back({code, static_cast<int>(program_.transitions.size()) + 1}); }

  void SkipBlanks() {
    while (pos_ < line_.size() && IsBlankOrControl(line_[pos_])) ++pos_;
  }
  bool AtLineEnd() {
    SkipBlanks();
    return pos_ >= line_.size();
  }

  // The text up to the next blank; a missing token is a format fault.
  std::string NextToken() {
    if (AtLineEnd()) {
      Report(FaultCode::Format);
      return "";
    }
    const std::size_t end = line_.find(' ', pos_);  // at the latest the line's last blank
    std::string token = line_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return token;
  }

  StateCode ReadState() {
    const std::string t = NextToken();
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

  // A character the code page lacks is no symbol; the epsilon sign is the
  // NEA's epsilon and no symbol of any other kind.
  char ReadSymbol() {
    const std::string t = NextToken();
    if (t.size() > 1 || t == std::string(1, kForeignSymbol)) Report(FaultCode::Symbol);
    if (t == std::string(1, kEpsilonSign)) {
      if (program_.kind == MachineKind::NEA) return kEpsilon;
      Report(FaultCode::Symbol);
    }
    return t.empty() ? '\0' : t[0];
  }

  void ReadArrow() {
    if (NextToken() != "->") Report(FaultCode::Arrow);
  }

  char ReadHeadMove() {
    const std::string t = UpperCase(NextToken());
    if (t == "K" || t == "L" || t == "R") return t[0];
    Report(FaultCode::HeadMove);
    return '\0';
  }

  // The operation word upper-cases the rest of the line, so a pushed letter
  // is stored in upper case. A three-letter word that ends the line stays in
  // the rest: the next reader sees it once more.
  StackOp ReadStackOp() {
    for (std::size_t i = pos_; i < line_.size(); ++i)
      if (line_[i] >= 'a' && line_[i] <= 'z') line_[i] = static_cast<char>(line_[i] - 'a' + 'A');
    const bool atEnd = AtLineEnd();
    const std::size_t blank = atEnd ? line_.size() : line_.find(' ', pos_);
    std::string word;
    if (blank + 1 < line_.size()) {
      word = line_.substr(pos_, blank - pos_);
      pos_ = blank + 1;
    } else if (!atEnd && blank - pos_ == 3) {
      word = line_.substr(pos_, 3);
    } else {
      Report(FaultCode::Format);
    }
    if (word == "PUSH") return StackOp::Push;
    if (word == "POP") return StackOp::Pop;
    if (word == "NOP") return StackOp::Nop;
    Report(FaultCode::Format);
    return StackOp::None;
  }

  void ReadEndStates() {
    for (std::size_t i = 0; i + 1 < line_.size(); ++i)
      if ((line_[i] == 'E' || line_[i] == 'e') && line_[i + 1] == ':') {
        pos_ = i + 2;
        break;
      }
    while (!AtLineEnd()) {
      program_.AddEndState(ReadState());
      if (Failed()) return;
    }
  }

  // Reads the fields of one line in the order of the kind; false at a fault.
  bool ReadTransition(Transition& t) {
    const MachineKind kind = program_.kind;
    t.from = ReadState();
    if (Failed()) return false;
    t.input = ReadSymbol();
    // The alphabet takes the symbol before the fault check of its read.
    if (t.input == kEpsilon)
      program_.hasEpsilon = true;
    else if (program_.alphabet.find(t.input) == std::string::npos)
      program_.alphabet += t.input;
    if (Failed()) return false;
    if (kind == MachineKind::KA) {
      t.stackTop = ReadSymbol();
      if (Failed()) return false;
    }
    ReadArrow();
    if (Failed()) return false;
    if (kind == MachineKind::DEA || kind == MachineKind::TM) {
      t.output = ReadSymbol();
      if (Failed()) return false;
    }
    if (kind == MachineKind::TM) {
      t.move = ReadHeadMove();
      if (Failed()) return false;
    }
    if (kind == MachineKind::KA) {
      t.stackOp = ReadStackOp();
      if (Failed()) return false;
      if (t.stackOp == StackOp::Push) {
        t.output = ReadSymbol();
        if (Failed()) return false;
      }
    }
    t.next = ReadState();
    return !Failed();
  }

  Program program_;
  std::string line_;     // the prepared line being read
  std::size_t pos_ = 0;  // where its rest begins
};

}  // namespace

Program ParseProgram(MachineKind kind, const std::vector<std::string>& lines) { return Parser(kind).Run(lines); }

std::vector<int> TransitionLines(const std::vector<std::string>& lines) {
  std::vector<int> at;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = PrepareLine(lines[i]);
    if (!IsDeclaration(line) && line.size() > 1) at.push_back(static_cast<int>(i));
  }
  return at;
}

bool StateOfName(MachineKind kind, const std::string& name, StateCode& state) {
  if (name.empty() || name.find_first_of(" \t;") != std::string::npos) return false;
  const Program p = ParseProgram(kind, {"e: " + name});
  if (!p.Ok() || p.endStates.size() < 2) return false;
  state = p.endStates.back();
  return true;
}

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
  return "Fehler: " + FaultText(fault.code) + " in Befehl " + Decimal(fault.transition);
}

std::pair<int, int> LineSelection(const std::vector<std::string>& lines, int i) {
  int start = 0;
  for (int j = 0; j < i && j < static_cast<int>(lines.size()); ++j) start += static_cast<int>(lines[j].size()) + 2;
  int length = i >= 0 && i < static_cast<int>(lines.size()) ? static_cast<int>(lines[i].size()) : 0;
  return {start, length};
}

}  // namespace automaten
