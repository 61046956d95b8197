// Whether a deterministic automaton accepts a word: its run from state 0,
// stopped by a symbol it has no move for.
#pragma once

#include <string>

#include "engine/language.h"

namespace automaten::testing {

inline bool DfaAccepts(const Dfa& d, const std::string& word) {
  int s = 0;
  for (char c : word) {
    const std::size_t i = d.alphabet.find(c);
    if (i == std::string::npos || (s = d.next[static_cast<std::size_t>(s)][i]) < 0) return false;
  }
  return d.accepting[static_cast<std::size_t>(s)];
}

}  // namespace automaten::testing
