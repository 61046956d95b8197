// libFuzzer target: any text read as a regular expression and as a grammar;
// what reads is made into its automaton (bounded in size), written back, and
// the text written reads again to the same automaton's size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/regex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  automaten::Regex regex;
  automaten::Dfa dfa;
  std::string error;
  if (automaten::ReadRegex(input, regex, error)) {
    if (automaten::RegexDfa(regex, dfa, error) && dfa.Size() < 200) {
      const automaten::Dfa minimal = automaten::Minimize(dfa);
      automaten::Regex again;
      if (!automaten::ReadRegex(automaten::RegexText(regex), again, error)) std::abort();
      automaten::Regex back;
      if (automaten::DfaRegex(minimal, back, error) && automaten::RegexText(back).empty()) std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }
  automaten::Grammar grammar;
  if (automaten::ReadGrammar(input, grammar, error)) {
    if (automaten::GrammarDfa(grammar, dfa, error) && dfa.Size() < 200) {
      automaten::Grammar again;
      if (!automaten::ReadGrammar(automaten::GrammarText(automaten::DfaGrammar(automaten::Minimize(dfa))), again,
                                  error))
        std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }
  return 0;
}
