#include "tools.h"

#include <map>

#include "control/testcases.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "engine/regex.h"
#include "engine/text.h"
#include "io/programfile.h"

namespace automaten {

namespace {

ToolProblem Refusal(LanguageTool tool, MachineKind kind) {
  ToolProblem p;
  if (Accepts(tool, kind)) return p;
  p.cause = ToolProblem::Cause::Refused;
  const char* undecidable = IsKnownKind(kind) ? InfoOf(kind).undecidable : nullptr;
  if (undecidable != nullptr)
    p.text = undecidable;
  else if (tool == LanguageTool::MakeAcceptor)
    p.text = "In einen Akzeptor umgewandelt wird ein NEA.";
  else if (tool == LanguageTool::Minimize)
    p.text = "Minimiert werden Akzeptoren und NEA.";
  else
    p.text = "Verglichen werden DEA, Akzeptoren und NEA.";
  return p;
}

// Parses the lines; a fault becomes the problem.
bool Parse(MachineKind kind, const std::vector<std::string>& lines, Program& program, ToolProblem& problem) {
  program = ParseProgram(kind, lines);
  if (program.Ok()) return true;
  problem.cause = ToolProblem::Cause::Fault;
  for (const ParseFault& fault : program.faults) problem.faults.push_back(Cp1252ToUtf8(FaultMessage(fault)));
  problem.text = problem.faults.front();
  return false;
}

ToolProblem TooLarge(const std::string& error) {
  ToolProblem p;
  p.cause = ToolProblem::Cause::TooLarge;
  p.text = error;
  return p;
}

// An acceptor made from an NEA names in comment lines the NEA states each of
// its states stands for ("; 2 = {A,1}"): its states stand for those sets again.
void StandForTheNeaStates(const std::vector<std::string>& lines, Dfa& dfa) {
  std::map<std::string, std::string> sets;
  for (const std::string& line : lines) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] != ';') continue;
    const std::size_t equals = line.find(" = {", start);
    if (equals == std::string::npos || line.back() != '}') continue;
    std::string name = line.substr(start + 1, equals - start - 1);
    name.erase(0, name.find_first_not_of(' '));
    sets.emplace(name, line.substr(equals + 3));
  }
  for (std::string& stands : dfa.stands)
    if (const auto it = sets.find(stands); it != sets.end()) stands = it->second;
}

// The minimal acceptor of an automaton, as a program.
MadeAcceptor Made(const Dfa& dfa, const std::string& heading) {
  MadeAcceptor made;
  const Dfa minimal = Minimize(dfa);
  std::string error;
  if (!AcceptorText(minimal, heading, made.text, error)) {
    made.problem = TooLarge(error);
    return made;
  }
  made.states = minimal.Size();
  made.summary = "Minimiert: " + Decimal(made.states) + " Zustände";
  return made;
}

ToolProblem Faulty(const std::string& fault) {
  ToolProblem p;
  p.cause = ToolProblem::Cause::Fault;
  p.text = fault;
  p.faults = {fault};
  return p;
}

// A text read (its fault the problem), made into its automaton (too large
// the problem), and that made minimal: an expression's or a grammar's acceptor.
template <typename Parsed>
MadeAcceptor MadeFromText(bool (*read)(const std::string&, Parsed&, std::string&),
                          bool (*build)(const Parsed&, Dfa&, std::string&), const std::string& text,
                          const std::string& heading) {
  MadeAcceptor made;
  Parsed parsed;
  Dfa dfa;
  std::string error;
  if (!read(text, parsed, error))
    made.problem = Faulty(error);
  else if (!build(parsed, dfa, error))
    made.problem = TooLarge(error);
  else
    made = Made(dfa, heading);
  return made;
}

// A comment line's text: a line break or other control character in it must
// not start a program line of its own.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return text;
}

// The minimal automaton of an acceptor or NEA program.
bool MinimalDfa(MachineKind kind, const std::vector<std::string>& lines, Dfa& dfa, ToolProblem& problem) {
  if (!Accepts(LanguageTool::Minimize, kind)) {
    problem.cause = ToolProblem::Cause::Refused;
    const char* undecidable = IsKnownKind(kind) ? InfoOf(kind).undecidable : nullptr;
    problem.text = undecidable != nullptr ? undecidable : "Ausdrücke und Grammatiken gibt es zu Akzeptoren und NEA.";
    return false;
  }
  Program program;
  if (!Parse(kind, lines, program, problem)) return false;
  std::string error;
  if (!MakeDfa(program, dfa, error)) {
    problem = TooLarge(error);
    return false;
  }
  dfa = Minimize(dfa);
  return true;
}

}  // namespace

MadeAcceptor AcceptorOfRegex(const std::string& expression) {
  return MadeFromText<Regex>(ReadRegex, RegexDfa, expression, "Minimaler Akzeptor zum Ausdruck " + OneLine(expression));
}

MadeAcceptor AcceptorOfGrammar(const std::string& grammar, const std::string& heading) {
  return MadeFromText<Grammar>(ReadGrammar, GrammarDfa, grammar, OneLine(heading));
}

Description RegexOfProgram(MachineKind kind, const std::vector<std::string>& lines) {
  Description d;
  Dfa dfa;
  Regex regex;
  std::string error;
  if (!MinimalDfa(kind, lines, dfa, d.problem)) return d;
  if (DfaRegex(dfa, regex, error))
    d.text = RegexText(regex);
  else
    d.problem = TooLarge(error);
  return d;
}

Description GrammarOfProgram(MachineKind kind, const std::vector<std::string>& lines) {
  Description d;
  Dfa dfa;
  if (MinimalDfa(kind, lines, dfa, d.problem)) d.text = GrammarText(DfaGrammar(dfa));
  return d;
}

ToolProblem CheckForTool(LanguageTool tool, MachineKind kind, const std::vector<std::string>& lines) {
  ToolProblem problem = Refusal(tool, kind);
  Program program;
  if (!problem) Parse(kind, lines, program, problem);
  return problem;
}

MadeAcceptor MakeAcceptor(MachineKind kind, const std::vector<std::string>& lines, bool minimal,
                          const std::string& heading) {
  MadeAcceptor made;
  made.problem = Refusal(minimal ? LanguageTool::Minimize : LanguageTool::MakeAcceptor, kind);
  Program program;
  if (made.problem || !Parse(kind, lines, program, made.problem)) return made;
  Dfa dfa;
  std::string error;
  if (!MakeDfa(program, dfa, error)) {
    made.problem = TooLarge(error);
    return made;
  }
  if (kind == MachineKind::Akz) StandForTheNeaStates(lines, dfa);
  if (minimal) dfa = Minimize(dfa);
  if (!AcceptorText(dfa, heading, made.text, error)) {
    made.problem = TooLarge(error);
    return made;
  }
  made.states = dfa.Size();
  made.summary = (minimal ? "Minimiert: " : "Umgewandelt: ") + Decimal(made.states) + " Zustände";
  return made;
}

Comparison CompareWith(MachineKind kind, const std::vector<std::string>& lines,
                       const std::vector<std::string>& otherLines) {
  return CompareWith(kind, lines, kind, otherLines);
}

ToolProblem CheckKindsToCompare(MachineKind kind, MachineKind otherKind) {
  ToolProblem p = Refusal(LanguageTool::Compare, kind);
  if (!p) {
    p = Refusal(LanguageTool::Compare, otherKind);
    p.other = static_cast<bool>(p);
  }
  if (!p && (kind == MachineKind::DEA) != (otherKind == MachineKind::DEA)) {
    p.cause = ToolProblem::Cause::Refused;
    p.text = "Ein DEA wird mit einem DEA verglichen, ein Akzeptor oder NEA mit einem Akzeptor oder NEA.";
  }
  return p;
}

Comparison CompareWith(MachineKind kind, const std::vector<std::string>& lines, MachineKind otherKind,
                       const std::vector<std::string>& otherLines) {
  Comparison c;
  c.problem = CheckKindsToCompare(kind, otherKind);
  Program own, other;
  if (c.problem || !Parse(kind, lines, own, c.problem)) return c;
  if (!Parse(otherKind, otherLines, other, c.problem)) {
    c.problem.other = true;
    return c;
  }
  std::string error;
  if (!ComparePrograms(own, other, c.difference, error)) c.problem = TooLarge(error);
  return c;
}

Comparison CompareWithText(MachineKind kind, const std::vector<std::string>& lines, const std::string& otherUtf8) {
  MachineKind otherKind = kind;
  KindOfProgram(otherUtf8, otherKind);
  return CompareWith(kind, lines, otherKind, MachineLines(otherUtf8));
}

std::string FaultMessage(const ToolProblem& problem) {
  return (problem.other ? "Das andere Programm: " : "") + problem.text;
}

std::string ComparisonText(MachineKind kind, const Difference& d) {
  const std::string word = WordText(d.word);
  if (d.equal)
    return kind == MachineKind::DEA ? "Die Programme geben für jedes Wort dieselbe Ausgabe und dasselbe Urteil."
                                    : "Die Programme akzeptieren dieselbe Sprache.";
  if (kind == MachineKind::DEA && !d.verdictsDiffer)
    return "Unterschied: beim Wort " + word + " gibt dieses Programm " + WordText(d.firstOutput) + " aus, das andere " +
           WordText(d.secondOutput) + ".";
  if (d.firstAccepts)
    return "Unterschied: das Wort " + word + " wird von diesem Programm akzeptiert, vom anderen nicht.";
  return "Unterschied: das Wort " + word + " wird vom anderen Programm akzeptiert, von diesem nicht.";
}

}  // namespace automaten
