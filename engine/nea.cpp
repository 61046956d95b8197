// The nondeterministic automaton: runs on sets of its twelve states, and
// epsilon transitions are removed from its table once after the parse.
#include <bitset>

#include "machine.h"

namespace automaten {

namespace {

bool InSetRange(StateCode s) { return s < kNeaStates; }

}  // namespace

void ResetSet(Machine& m) {
  m.FCurrentSet.fill(0);
  m.FNextSet.fill(0);
  m.FCurrentSet[kStateA] = 1;
}

bool SetHasTransition(const Machine& m, char symbol) {
  for (int e = 0; e < m.FTransitionCount; ++e) {
    const TabelleRecTyp& r = m.FTable[e];
    if (r.Input == symbol && InSetRange(r.State) && m.FCurrentSet[r.State] == 1) return true;
  }
  return false;
}

void SetStep(Machine& m, const std::string& tape) {
  m.FNextSet.fill(0);
  const char symbol = SymbolUnderHead(tape, m.FHead);
  for (int i = 0; i < kNeaStates; ++i) {
    if (m.FCurrentSet[i] != 1) continue;
    for (int e = 0; e < m.FTransitionCount; ++e) {
      const TabelleRecTyp& r = m.FTable[e];
      if (r.State != i || r.Input != symbol) continue;
      if (i == kNeaF)
        m.FNextSet[kNeaF] = 1;  // a transition out of F keeps F
      else if (InSetRange(r.Next))
        m.FNextSet[r.Next] = 1;
    }
  }
  m.FCurrentSet = m.FNextSet;
}

bool SetAccepts(const Machine& m) {
  if (m.FCurrentSet[kNeaE] == 1) return true;
  for (StateCode i = 0; i <= 9; ++i)
    if (m.FCurrentSet[i] == 1 && IsEndState(m, i)) return true;
  return false;
}

std::string SetToText(const TStateSet& set) {
  std::string text = set[0] == 1 ? "A" : "";
  for (int n = 1; n <= 9; ++n)
    if (set[n] == 1) text += ',' + std::string(1, static_cast<char>('0' + n));
  if (set[kNeaE] == 1) text += ",E";
  if (set[kNeaF] == 1) text += ",F";
  if (!text.empty() && text[0] == ',') text.erase(0, 1);
  return "{" + text + "}";
}

std::string SetTransitionText(Machine& m, const std::string& tape) {
  const TStateSet current = m.FCurrentSet;
  const TStateSet next = m.FNextSet;
  const std::string from = SetToText(m.FCurrentSet);
  const char symbol = SymbolUnderHead(tape, m.FHead);
  SetStep(m, tape);
  std::string text = from + " " + symbol + " -> " + SetToText(m.FCurrentSet);
  m.FCurrentSet = current;
  m.FNextSet = next;
  return text;
}

bool SameSet(const TStateSet& a, const TStateSet& b) { return a == b; }

void EpsilonClosure(const Machine& m, StateCode state, TStateSet& set) {
  set.fill(0);
  if (!InSetRange(state)) return;
  set[state] = 1;
  TStateSet old;
  do {
    old = set;
    for (int i = 0; i < kNeaStates; ++i) {
      if (set[i] != 1) continue;
      for (int e = 0; e < m.FTransitionCount; ++e) {
        const TabelleRecTyp& r = m.FTable[e];
        if (r.State == i && r.Input == kEpsilon && InSetRange(r.Next)) set[r.Next] = 1;
      }
    }
  } while (!SameSet(old, set));
}

namespace {

// Builds the epsilon-free table. Each added entry (from, symbol, to) is new:
// a bit per triple answers "already there?" without scanning the table.
class EpsilonRemover {
 public:
  explicit EpsilonRemover(const Machine& m) : m_(m) {
    for (StateCode s = 0; s < kNeaStates; ++s) EpsilonClosure(m, s, closure_[s]);
  }

  TabelleArrTyp Run(int& count) {
    for (int e = 0; e < m_.FTransitionCount; ++e) {
      const TabelleRecTyp& r = m_.FTable[e];
      if (r.Input == kEpsilon) continue;
      temp_.push_back(r);
      Mark(r.State, r.Input, r.Next);
    }
    for (StateCode i = 0; i < kNeaStates; ++i) ExpandState(i);
    count = static_cast<int>(temp_.size());
    return std::move(temp_);
  }

 private:
  void ExpandState(StateCode i) {
    const TStateSet& k = closure_[i];
    for (char a : m_.FAlphabet)
      for (StateCode s = 0; s < kNeaStates; ++s) {
        if (k[s] != 1) continue;
        for (int e = 0; e < m_.FTransitionCount; ++e) {
          const TabelleRecTyp& r = m_.FTable[e];
          if (r.State == s && r.Input == a && InSetRange(r.Next)) AddTransitionsToSet(i, a, closure_[r.Next]);
        }
      }
  }

  void AddTransitionsToSet(StateCode from, char symbol, const TStateSet& set) {
    for (StateCode t = 0; t < kNeaStates; ++t)
      if (set[t] == 1) AddTransition(from, symbol, t);
  }

  void AddTransition(StateCode from, char symbol, StateCode to) {
    if (Marked(from, symbol, to)) return;
    TabelleRecTyp r;
    r.State = from;
    r.Input = symbol;
    r.Next = to;
    temp_.push_back(r);
    Mark(from, symbol, to);
  }

  static std::size_t Key(StateCode from, char symbol, StateCode to) {
    return (static_cast<std::size_t>(from) * 256 + static_cast<unsigned char>(symbol)) * kNeaStates + to;
  }
  bool Marked(StateCode from, char symbol, StateCode to) const { return present_.test(Key(from, symbol, to)); }
  void Mark(StateCode from, char symbol, StateCode to) {
    if (InSetRange(from) && InSetRange(to)) present_.set(Key(from, symbol, to));
  }

  const Machine& m_;
  std::array<TStateSet, kNeaStates> closure_{};
  TabelleArrTyp temp_;
  std::bitset<kNeaStates * 256 * kNeaStates> present_;
};

}  // namespace

void RemoveEpsilon(Machine& m) {
  int count = 0;
  TabelleArrTyp table = EpsilonRemover(m).Run(count);
  m.FTable = std::move(table);
  m.FTransitionCount = count;
}

}  // namespace automaten
