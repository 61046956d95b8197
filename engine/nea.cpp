#include "nea.h"

#include <array>

namespace automaten {

namespace {

bool InSetRange(StateCode s) { return s < kNeaStates; }

}  // namespace

std::string SetToText(StateSet set) {
  std::string text = set.Has(kStateA) ? "A" : "";
  for (int n = 1; n <= 9; ++n)
    if (set.Has(n)) text += ',' + std::string(1, static_cast<char>('0' + n));
  if (set.Has(kNeaE)) text += ",E";
  if (set.Has(kNeaF)) text += ",F";
  if (!text.empty() && text[0] == ',') text.erase(0, 1);
  return "{" + text + "}";
}

bool SetHasTransition(const Program& program, StateSet set, char symbol) {
  return (program.Movers(symbol).bits & set.bits) != 0;
}

bool NeaAccepting(const Program& program, StateCode state) {
  return state == kNeaE || (state <= 9 && program.IsEndState(state));
}

bool SetAccepts(const Program& program, StateSet set) {
  for (StateCode s = 0; s < kNeaStates; ++s)
    if (set.Has(s) && NeaAccepting(program, s)) return true;
  return false;
}

std::string SetTransitionText(const Configuration& c, StateSet next) {
  return SetToText(c.set) + " " + SymbolUnderHead(c) + " -> " + SetToText(next);
}

StateSet EpsilonClosure(const std::vector<Transition>& table, StateCode state) {
  StateSet set;
  if (!InSetRange(state)) return set;
  set.Add(state);
  StateSet old;
  do {
    old = set;
    for (const Transition& t : table)
      if (t.input == kEpsilon && old.Has(t.from)) set.Add(t.next);
  } while (old != set);
  return set;
}

namespace {

// Builds the epsilon-free table. Each added entry (from, symbol, to) is new:
// a bit per triple answers "already there?" without scanning the table.
class EpsilonRemover {
 public:
  EpsilonRemover(const std::vector<Transition>& table, const std::string& alphabet) : table_(table) {
    for (StateCode s = 0; s < kNeaStates; ++s) closure_[s] = EpsilonClosure(table, s);
    // The targets of each state's moves on each symbol, in the order of the table.
    symbolIndex_.fill(-1);
    alphabetSize_ = static_cast<int>(alphabet.size());
    for (std::size_t k = 0; k < alphabet.size(); ++k)
      symbolIndex_[static_cast<unsigned char>(alphabet[k])] = static_cast<int>(k);
    moves_.resize(kNeaStates * alphabet.size());
    for (const Transition& t : table)
      if (t.input != kEpsilon && InSetRange(t.from) && InSetRange(t.next) &&
          symbolIndex_[static_cast<unsigned char>(t.input)] >= 0)
        Moves(t.from, t.input).push_back(t.next);
  }

  std::vector<Transition> Run(const std::string& alphabet) {
    for (const Transition& t : table_) {
      if (t.input == kEpsilon) continue;
      result_.push_back(t);
      Mark(t.from, t.input, t.next);
    }
    for (StateCode i = 0; i < kNeaStates; ++i)
      for (char a : alphabet)
        for (StateCode s = 0; s < kNeaStates; ++s) {
          if (!closure_[i].Has(s)) continue;
          for (StateCode next : Moves(s, a)) AddTransitionsToSet(i, a, closure_[next]);
        }
    return std::move(result_);
  }

 private:
  void AddTransitionsToSet(StateCode from, char symbol, StateSet set) {
    for (StateCode to = 0; to < kNeaStates; ++to)
      if (set.Has(to) && !Marked(from, symbol, to)) {
        Transition t;
        t.from = from;
        t.input = symbol;
        t.next = to;
        result_.push_back(t);
        Mark(from, symbol, to);
      }
  }

  std::vector<StateCode>& Moves(StateCode from, char symbol) {
    return moves_[static_cast<std::size_t>(from) * static_cast<std::size_t>(alphabetSize_) +
                  static_cast<std::size_t>(symbolIndex_[static_cast<unsigned char>(symbol)])];
  }

  static std::size_t Key(StateCode from, char symbol, StateCode to) {
    return (static_cast<std::size_t>(from) * 256 + static_cast<unsigned char>(symbol)) * kNeaStates + to;
  }
  bool Marked(StateCode from, char symbol, StateCode to) const { return present_.test(Key(from, symbol, to)); }
  void Mark(StateCode from, char symbol, StateCode to) {
    if (InSetRange(from) && InSetRange(to)) present_.set(Key(from, symbol, to));
  }

  const std::vector<Transition>& table_;
  std::array<StateSet, kNeaStates> closure_{};
  std::array<int, 256> symbolIndex_{};
  int alphabetSize_ = 0;
  std::vector<std::vector<StateCode>> moves_;  // per state and symbol of the alphabet
  std::vector<Transition> result_;
  std::bitset<kNeaStates * 256 * kNeaStates> present_;
};

}  // namespace

std::vector<Transition> RemoveEpsilon(const std::vector<Transition>& table, const std::string& alphabet) {
  return EpsilonRemover(table, alphabet).Run(alphabet);
}

}  // namespace automaten
