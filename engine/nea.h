// The nondeterministic automaton: it runs on sets of its twelve states, and
// its epsilon transitions are removed from the table once, after the parse.
#pragma once

#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

// "{A,1,E}": the members in the order A, 1 ... 9, E, F.
std::string SetToText(StateSet set);
// Whether some member has a transition on the symbol. Like NextSet, it reads
// the program's index.
bool SetHasTransition(const Program& program, StateSet set, char symbol);
// The states reached from the set on the symbol. A transition out of F keeps
// F. Inline: it is the whole of an NEA's step.
inline StateSet NextSet(const Program& program, StateSet set, char symbol) {
  StateSet next;
  for (int s = 0; s < kNeaStates; ++s)
    if (set.Has(s)) next.bits = static_cast<std::uint16_t>(next.bits | program.MovesOf(s, symbol).bits);
  return next;
}
// Whether an NEA state accepts: E, or a declared end state among A, 1 ... 9
// (F never accepts, even when declared).
bool NeaAccepting(const Program& program, StateCode state);
// Whether the set holds E or a declared end state.
bool SetAccepts(const Program& program, StateSet set);
// "{A} 0 -> {A,1}": the set transition the next step takes, to the next set.
std::string SetTransitionText(const Configuration& c, StateSet next);

// The states reachable from one state by epsilon transitions, itself included.
StateSet EpsilonClosure(const std::vector<Transition>& table, StateCode state);
// The equivalent table without epsilon transitions: the others in their order,
// then for each state and symbol of the alphabet the moves through closures.
std::vector<Transition> RemoveEpsilon(const std::vector<Transition>& table, const std::string& alphabet);

}  // namespace automaten
