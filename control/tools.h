// The language tools as the window, the command line and the web page use
// them: an acceptor made from an NEA or acceptor program (optionally
// minimal), and the comparison of a program with another program's text.
// Each gives one value: the result, or the problem that stopped it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "control/kinds.h"
#include "engine/language.h"

namespace automaten {

// Why a tool gave no result. Texts are UTF-8.
struct ToolProblem {
  enum class Cause {
    None,
    Refused,   // the tool does not take programs of this kind
    Fault,     // a program has a fault
    TooLarge,  // the result would have more states than can be built or named
  };
  Cause cause = Cause::None;
  std::string text;                 // the reason, or the first fault's message
  std::vector<std::string> faults;  // every fault message of the faulty program
  bool other = false;               // the fault is the other program's (a comparison)
  explicit operator bool() const { return cause != Cause::None; }
};

// A program's fault as its message box says it ("Das andere Programm: "
// first for the other program's), UTF-8; other problems show their text in
// an error box.
std::string FaultMessage(const ToolProblem& problem);

// Whether the tool takes the program (machine-text lines): the refusal of
// its kind or the program's fault, else no problem.
ToolProblem CheckForTool(LanguageTool tool, MachineKind kind, const std::vector<std::string>& lines);

struct MadeAcceptor {
  ToolProblem problem;
  std::string text;  // the acceptor program, UTF-8, '\n' line ends
  std::size_t states = 0;
  std::string summary;  // "Minimiert: 4 Zustände", for the status bar
};

// The deterministic (and with `minimal` the minimal) acceptor of a program
// of the kind, given as its machine-text lines; `heading` is the acceptor's
// first comment line.
MadeAcceptor MakeAcceptor(MachineKind kind, const std::vector<std::string>& lines, bool minimal,
                          const std::string& heading);

struct Comparison {
  ToolProblem problem;
  Difference difference;
};

// This program against another of the same kind, both as machine-text lines.
Comparison CompareWith(MachineKind kind, const std::vector<std::string>& lines,
                       const std::vector<std::string>& otherLines);
// ... or of another kind: an NEA against an acceptor (a DEA only against a DEA).
Comparison CompareWith(MachineKind kind, const std::vector<std::string>& lines, MachineKind otherKind,
                       const std::vector<std::string>& otherLines);
// ... or with another program's text (UTF-8), of the kind its line "; Art: ..."
// names, else of this one's.
Comparison CompareWithText(MachineKind kind, const std::vector<std::string>& lines, const std::string& otherUtf8);
// Whether programs of the two kinds can be compared: the refusal, or no problem.
ToolProblem CheckKindsToCompare(MachineKind kind, MachineKind otherKind);
// The comparison's answer in a sentence, as the window's box says it (UTF-8).
std::string ComparisonText(MachineKind kind, const Difference& d);

// ---- Regular expressions and right-linear grammars ----

// The minimal acceptor of an expression (UTF-8), its first comment line
// holding the expression; a faulty expression is the problem (cause Fault).
MadeAcceptor AcceptorOfRegex(const std::string& expression);
// ... of a grammar's text (UTF-8), `heading` its first comment line.
MadeAcceptor AcceptorOfGrammar(const std::string& grammar, const std::string& heading);

struct Description {
  ToolProblem problem;
  std::string text;  // UTF-8: the expression, or the grammar's lines
};
// The language of an acceptor or NEA program (machine-text lines) as an
// expression, or as a grammar.
Description RegexOfProgram(MachineKind kind, const std::vector<std::string>& lines);
Description GrammarOfProgram(MachineKind kind, const std::vector<std::string>& lines);

}  // namespace automaten
