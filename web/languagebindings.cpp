// The page's language tools for expressions and grammars, a module of their
// own (language.js) that the page loads when one of them is first used: the
// page's module stays small. Each takes texts and gives texts (UTF-8); the
// page opens an acceptor made through its main module, after the change
// prompt, as the window does.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "control/tools.h"
#include "io/programfile.h"

namespace automaten {
namespace {

// {text, fault, problem}: the result, or a fault of the text given (asked for
// again) or another problem (a box).
emscripten::val Result(const std::string& text, const ToolProblem& problem) {
  emscripten::val r = emscripten::val::object();
  r.set("text", problem ? std::string() : text);
  r.set("fault", problem.cause == ToolProblem::Cause::Fault ? problem.text : std::string());
  r.set("problem", problem && problem.cause != ToolProblem::Cause::Fault ? problem.text : std::string());
  return r;
}

emscripten::val AcceptorOf(const MadeAcceptor& made) {
  emscripten::val r = Result(made.text, made.problem);
  r.set("summary", made.summary);
  return r;
}

emscripten::val FromRegex(const std::string& expression) { return AcceptorOf(AcceptorOfRegex(expression)); }

emscripten::val FromGrammar(const std::string& grammar) {
  return AcceptorOf(AcceptorOfGrammar(grammar, "Minimaler Akzeptor zur Grammatik"));
}

// The program (UTF-8 text, of kind 0 ... 4) described; a fault of the program is its message.
emscripten::val Describe(int kind, const std::string& program, bool grammar) {
  const auto k = static_cast<MachineKind>(kind);
  const std::vector<std::string> lines = MachineLines(program);
  Description d = grammar ? GrammarOfProgram(k, lines) : RegexOfProgram(k, lines);
  if (d.problem.cause == ToolProblem::Cause::Fault) d.problem.cause = ToolProblem::Cause::Refused;  // a box
  return Result(d.text, d.problem);
}

}  // namespace
}  // namespace automaten

EMSCRIPTEN_BINDINGS(language) {
  emscripten::function("fromRegex", &automaten::FromRegex);
  emscripten::function("fromGrammar", &automaten::FromGrammar);
  emscripten::function("describe", &automaten::Describe);
}
