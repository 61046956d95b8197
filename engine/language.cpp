#include "language.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "engine/diagram.h"
#include "engine/encoding.h"
#include "engine/nea.h"
#include "engine/text.h"

namespace automaten {

namespace {

const char kTooLarge[] = "Das Ergebnis hätte mehr als 100.000 Zustände; abgebrochen.";

// The line a deterministic program takes from a state on a symbol, or -1; a
// run that has reached F stops there.
int Line(const Program& program, StateCode state, char symbol) {
  return state == kStateF ? -1 : program.Index().First(state, symbol);
}

// Breadth-first over the states of a deterministic program (Akz, DEA) or the
// sets of an NEA, from the initial one: `visit(key)` numbers a state.
template <typename Key, typename Step>
bool Explore(const std::string& alphabet, Key start, Step step, Dfa& dfa, std::vector<Key>& keys, std::string& error) {
  std::unordered_map<Key, int> number;
  const auto visit = [&](Key k) {
    const auto [it, added] = number.emplace(k, static_cast<int>(keys.size()));
    if (added) keys.push_back(k);
    return it->second;
  };
  visit(start);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys.size() > kMaxLanguageStates) {
      error = kTooLarge;
      return false;
    }
    std::vector<int> row(alphabet.size(), -1);
    for (std::size_t c = 0; c < alphabet.size(); ++c) {
      Key next;
      if (step(keys[i], alphabet[c], next)) row[c] = visit(next);
    }
    dfa.next.push_back(row);
  }
  return true;
}

}  // namespace

std::string Alphabet(const Program& program) {
  std::string symbols;
  for (const Transition& t : program.transitions)
    if (!(program.kind == MachineKind::NEA && t.input == kEpsilon) && symbols.find(t.input) == std::string::npos)
      symbols += t.input;
  std::sort(symbols.begin(), symbols.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
  return symbols;
}

bool MakeDfa(const Program& program, Dfa& dfa, std::string& error) {
  dfa = Dfa{};
  dfa.alphabet = Alphabet(program);
  if (program.kind == MachineKind::NEA) {
    std::vector<std::uint16_t> sets;
    const auto step = [&program](std::uint16_t bits, char symbol, std::uint16_t& next) {
      const StateSet set{bits};
      if (!SetHasTransition(program, set, symbol)) return false;
      next = NextSet(program, set, symbol).bits;
      return true;
    };
    StateSet start;
    start.Add(kStateA);
    if (!Explore<std::uint16_t>(dfa.alphabet, start.bits, step, dfa, sets, error)) return false;
    for (std::uint16_t bits : sets) {
      dfa.accepting.push_back(SetAccepts(program, StateSet{bits}));
      dfa.stands.push_back(SetToText(StateSet{bits}));
    }
    return true;
  }
  std::vector<StateCode> states;
  const auto step = [&program](StateCode state, char symbol, StateCode& next) {
    const int line = Line(program, state, symbol);
    if (line < 0) return false;
    next = program.transitions[static_cast<std::size_t>(line)].next;
    return true;
  };
  if (!Explore<StateCode>(dfa.alphabet, kStateA, step, dfa, states, error)) return false;
  for (StateCode s : states) {
    dfa.accepting.push_back(program.IsEndState(s));
    dfa.stands.push_back(StateName(program.kind, s));
  }
  return true;
}

// Hopcroft's refinement on the automaton completed by a sink for the runs
// that stop; the sink's block, with every state that cannot accept, goes.
// The partition is one array of the states, each block a run of it: a state
// that moves is swapped to the front of its block, and a split renumbers
// only the smaller part, so the whole costs O(n k log n).
Dfa Minimize(const Dfa& dfa) {
  const int n = static_cast<int>(dfa.Size()) + 1, sink = n - 1;
  const std::size_t k = dfa.alphabet.size();
  const auto N = static_cast<std::size_t>(n);
  const auto delta = [&](int q, std::size_t c) {
    return q == sink || dfa.next[static_cast<std::size_t>(q)][c] < 0 ? sink : dfa.next[static_cast<std::size_t>(q)][c];
  };
  // For each symbol, the states that lead to each state: from[c][at[c][t] ... at[c][t + 1]).
  std::vector<std::vector<int>> at(k, std::vector<int>(N + 1, 0)), from(k, std::vector<int>(N));
  for (std::size_t c = 0; c < k; ++c) {
    for (int q = 0; q < n; ++q) ++at[c][static_cast<std::size_t>(delta(q, c)) + 1];
    for (std::size_t t = 0; t < N; ++t) at[c][t + 1] += at[c][t];
    std::vector<int> fill(at[c].begin(), at[c].end() - 1);
    for (int q = 0; q < n; ++q) from[c][static_cast<std::size_t>(fill[static_cast<std::size_t>(delta(q, c))]++)] = q;
  }

  // The accepting states first, then the others.
  std::vector<int> elems, where(N), blockOf(N), first, end, marked;
  for (int pass = 0; pass < 2; ++pass) {
    const std::size_t start = elems.size();
    for (int q = 0; q < n; ++q)
      if ((q != sink && dfa.accepting[static_cast<std::size_t>(q)]) == (pass == 0)) elems.push_back(q);
    if (elems.size() == start) continue;
    first.push_back(static_cast<int>(start));
    end.push_back(static_cast<int>(elems.size()));
    marked.push_back(0);
  }
  for (std::size_t b = 0; b < first.size(); ++b)
    for (int i = first[b]; i < end[b]; ++i)
      blockOf[static_cast<std::size_t>(elems[static_cast<std::size_t>(i)])] = static_cast<int>(b);
  for (std::size_t i = 0; i < N; ++i) where[static_cast<std::size_t>(elems[i])] = static_cast<int>(i);
  std::vector<int> work;
  for (std::size_t b = 0; b < first.size(); ++b) work.push_back(static_cast<int>(b));
  std::vector<int> members, touched;
  while (!work.empty()) {
    const auto splitter = static_cast<std::size_t>(work.back());
    work.pop_back();
    members.assign(elems.begin() + first[splitter], elems.begin() + end[splitter]);
    for (std::size_t c = 0; c < k; ++c) {
      touched.clear();
      for (int q : members)
        for (int i = at[c][static_cast<std::size_t>(q)]; i < at[c][static_cast<std::size_t>(q) + 1]; ++i) {
          const int p = from[c][static_cast<std::size_t>(i)];
          const auto b = static_cast<std::size_t>(blockOf[static_cast<std::size_t>(p)]);
          const int front = first[b] + marked[b];
          if (where[static_cast<std::size_t>(p)] < front) continue;  // already moved
          const int other = elems[static_cast<std::size_t>(front)];
          std::swap(elems[static_cast<std::size_t>(front)],
                    elems[static_cast<std::size_t>(where[static_cast<std::size_t>(p)])]);
          where[static_cast<std::size_t>(other)] = where[static_cast<std::size_t>(p)];
          where[static_cast<std::size_t>(p)] = front;
          if (marked[b]++ == 0) touched.push_back(static_cast<int>(b));
        }
      for (int t : touched) {
        const auto b = static_cast<std::size_t>(t);
        const int moved = marked[b], size = end[b] - first[b];
        marked[b] = 0;
        if (moved == size) continue;
        // The smaller part becomes the new block.
        const bool movedSmaller = moved <= size - moved;
        const int split = first[b] + moved;
        const auto added = first.size();
        first.push_back(movedSmaller ? first[b] : split);
        end.push_back(movedSmaller ? split : end[b]);
        marked.push_back(0);
        if (movedSmaller)
          first[b] = split;
        else
          end[b] = split;
        for (int i = first[added]; i < end[added]; ++i)
          blockOf[static_cast<std::size_t>(elems[static_cast<std::size_t>(i)])] = static_cast<int>(added);
        // The smaller part waits; a block that waited already still does, with its other part.
        work.push_back(static_cast<int>(added));
      }
    }
  }
  std::vector<std::vector<int>> blocks(first.size());
  for (std::size_t b = 0; b < first.size(); ++b) blocks[b].assign(elems.begin() + first[b], elems.begin() + end[b]);

  // The blocks in breadth-first order from the initial state's; the sink's is no state.
  Dfa min;
  min.alphabet = dfa.alphabet;
  const int dead = blockOf[static_cast<std::size_t>(sink)];
  std::vector<int> number(blocks.size(), -1), order;
  const auto visit = [&](int b) {
    if (b == dead) return -1;
    if (number[static_cast<std::size_t>(b)] < 0) {
      number[static_cast<std::size_t>(b)] = static_cast<int>(order.size());
      order.push_back(b);
    }
    return number[static_cast<std::size_t>(b)];
  };
  visit(blockOf[0]);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::vector<int>& block = blocks[static_cast<std::size_t>(order[i])];
    std::vector<int> members = block;
    std::sort(members.begin(), members.end());
    std::vector<int> row(k);
    for (std::size_t c = 0; c < k; ++c) row[c] = visit(blockOf[static_cast<std::size_t>(delta(members[0], c))]);
    min.next.push_back(row);
    min.accepting.push_back(dfa.accepting[static_cast<std::size_t>(members[0])]);
    std::string stands;
    for (int q : members) stands += (stands.empty() ? "" : " ") + dfa.stands[static_cast<std::size_t>(q)];
    min.stands.push_back(stands);
  }
  if (order.empty()) {  // nothing is accepted: A alone, without a transition
    min.next.push_back(std::vector<int>(k, -1));
    min.accepting.push_back(false);
    min.stands.push_back(dfa.stands.empty() ? "A" : dfa.stands[0]);
  }
  return min;
}

bool AcceptorText(const Dfa& dfa, const std::string& heading, std::string& text, std::string& error) {
  if (dfa.Size() > kStateF - 1) {
    error = "Das Ergebnis hat mehr Zustände, als ein Programm benennen kann.";
    return false;
  }
  const auto name = [](std::size_t i) { return i == 0 ? std::string("A") : Decimal(i); };
  text = "; " + heading + "\n";
  for (std::size_t i = 0; i < dfa.Size(); ++i)  // what a state stands for, where it stands for something
    if (!Trim(dfa.stands[i]).empty()) text += "; " + name(i) + " = " + dfa.stands[i] + "\n";
  std::string ends;
  for (std::size_t i = 0; i < dfa.Size(); ++i)
    if (dfa.accepting[i]) ends += " " + name(i);
  if (!ends.empty()) text += "E:" + ends + "\n";
  for (std::size_t i = 0; i < dfa.Size(); ++i)
    for (std::size_t c = 0; c < dfa.alphabet.size(); ++c)
      if (dfa.next[i][c] >= 0)
        text += name(i) + " " + Cp1252ToUtf8(std::string(1, dfa.alphabet[c])) + " -> " +
                name(static_cast<std::size_t>(dfa.next[i][c])) + "\n";
  return true;
}

namespace {

// Breadth-first over pairs of states (-1: that run has stopped), symbols in
// ascending order, so the first pair found that differs has the shortest,
// then alphabetically first, word. `differs(a, b, c)` tells a pair apart on
// symbol c (c == npos: at the end of the word); `next` moves a pair.
// Only tapes as a run reads them count: a run's head skips leading blanks,
// so a word starting with '*' is read from its first other symbol, and only
// the word "*" itself (a tape of blanks) is read with its blank.
template <typename Differs, typename Next>
bool SearchPairs(const std::string& alphabet, Differs differs, Next next, std::string& word, bool& found,
                 std::string& error) {
  found = false;
  struct Node {
    int a, b;
    std::size_t parent;
    char symbol;
  };
  std::vector<Node> nodes{{0, 0, 0, 0}};
  std::unordered_map<long long, std::size_t> seen{{0, 0}};
  const auto path = [&](std::size_t i) {
    std::string w;
    for (; i != 0; i = nodes[i].parent) w += nodes[i].symbol;
    std::reverse(w.begin(), w.end());
    return w;
  };
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes.size() > kMaxLanguageStates) {
      error = kTooLarge;
      return false;
    }
    const Node n = nodes[i];
    if (differs(n.a, n.b, std::string::npos)) {
      word = path(i);
      found = true;
      return true;
    }
    for (std::size_t c = 0; c < alphabet.size(); ++c) {
      if (differs(n.a, n.b, c)) {
        word = path(i) + alphabet[c];
        found = true;
        return true;
      }
      const auto [a, b] = next(n.a, n.b, c);
      if (i == 0 && alphabet[c] == kTmBlank) {  // the tape "*": told apart at its end, never read further
        if (differs(a, b, std::string::npos)) {
          word = std::string(1, kTmBlank);
          found = true;
          return true;
        }
        continue;
      }
      if (a < 0 && b < 0) continue;  // both stopped: the same from here on
      const long long key = (static_cast<long long>(a) + 1) << 32 | static_cast<unsigned>(b + 1);
      if (seen.emplace(key, nodes.size()).second) nodes.push_back({a, b, i, alphabet[c]});
    }
  }
  return true;
}

std::string Union(const std::string& x, const std::string& y) {
  std::string u = x;
  for (char c : y)
    if (u.find(c) == std::string::npos) u += c;
  std::sort(u.begin(), u.end(),
            [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
  return u;
}

std::vector<int> SymbolsOf(const std::string& alphabet, const std::string& own) {
  std::vector<int> map;
  for (char c : alphabet) {
    const std::size_t i = own.find(c);
    map.push_back(i == std::string::npos ? -1 : static_cast<int>(i));
  }
  return map;
}

}  // namespace

bool CompareLanguages(const Dfa& a, const Dfa& b, Difference& d, std::string& error, const std::string* over) {
  d = Difference{};
  const std::string alphabet = over != nullptr ? Union(std::string(), *over) : Union(a.alphabet, b.alphabet);
  const std::vector<int> inA = SymbolsOf(alphabet, a.alphabet), inB = SymbolsOf(alphabet, b.alphabet);
  const auto move = [](const Dfa& m, int s, int c) {
    return s < 0 || c < 0 ? -1 : m.next[static_cast<std::size_t>(s)][static_cast<std::size_t>(c)];
  };
  const auto accepts = [](const Dfa& m, int s) { return s >= 0 && m.accepting[static_cast<std::size_t>(s)]; };
  const auto differs = [&](int x, int y, std::size_t c) {
    return c == std::string::npos && accepts(a, x) != accepts(b, y);
  };
  const auto next = [&](int x, int y, std::size_t c) { return std::make_pair(move(a, x, inA[c]), move(b, y, inB[c])); };
  std::string word;
  bool found = false;
  if (!SearchPairs(alphabet, differs, next, word, found, error)) return false;
  if (found) {
    int x = 0, y = 0;
    for (char symbol : word) std::tie(x, y) = next(x, y, alphabet.find(symbol));
    d.equal = false;
    d.word = word;
    d.firstAccepts = accepts(a, x);
    d.verdictsDiffer = true;
  }
  return true;
}

bool CompareOutputs(const Program& a, const Program& b, Difference& d, std::string& error, const std::string* over) {
  d = Difference{};
  const std::string alphabet = over != nullptr ? Union(std::string(), *over) : Union(Alphabet(a), Alphabet(b));
  // States as the programs name them, run by their first matching lines.
  struct Machine {
    const Program& program;
    std::vector<StateCode> states;
    std::unordered_map<StateCode, int> number;
    int Number(StateCode s) {
      const auto [it, added] = number.emplace(s, static_cast<int>(states.size()));
      if (added) states.push_back(s);
      return it->second;
    }
    int Line(int s, char symbol) const {
      return s < 0 ? -1 : automaten::Line(program, states[static_cast<std::size_t>(s)], symbol);
    }
  };
  Machine ma{a, {}, {}}, mb{b, {}, {}};
  ma.Number(kStateA);
  mb.Number(kStateA);
  // At the end of a word: the verdicts (read to its end, in an end state).
  const auto accepts = [](const Machine& m, int s) {
    return s >= 0 && m.program.IsEndState(m.states[static_cast<std::size_t>(s)]);
  };
  const auto differs = [&](int x, int y, std::size_t c) {
    if (c == std::string::npos) return accepts(ma, x) != accepts(mb, y);
    const int la = ma.Line(x, alphabet[c]), lb = mb.Line(y, alphabet[c]);
    if (la < 0 || lb < 0) return (la < 0) != (lb < 0);
    return a.transitions[static_cast<std::size_t>(la)].OutputSymbol() !=
           b.transitions[static_cast<std::size_t>(lb)].OutputSymbol();
  };
  const auto next = [&](int x, int y, std::size_t c) {
    const int la = ma.Line(x, alphabet[c]), lb = mb.Line(y, alphabet[c]);
    return std::make_pair(la < 0 ? -1 : ma.Number(a.transitions[static_cast<std::size_t>(la)].next),
                          lb < 0 ? -1 : mb.Number(b.transitions[static_cast<std::size_t>(lb)].next));
  };
  std::string word;
  bool found = false;
  if (!SearchPairs(alphabet, differs, next, word, found, error)) return false;
  // The two output tapes of the word, each as far as its run goes, and the verdicts.
  const auto run = [&word](const Program& p, std::string& out) {
    StateCode s = kStateA;
    for (char c : word) {
      const int line = Line(p, s, c);
      if (line < 0) return false;
      out += p.transitions[static_cast<std::size_t>(line)].OutputSymbol();
      s = p.transitions[static_cast<std::size_t>(line)].next;
    }
    return p.IsEndState(s);
  };
  if (found) {
    d.equal = false;
    d.word = word;
    d.firstAccepts = run(a, d.firstOutput);
    d.verdictsDiffer = d.firstAccepts != run(b, d.secondOutput);
  }
  return true;
}

bool ComparePrograms(const Program& a, const Program& b, Difference& d, std::string& error) {
  if (a.kind == MachineKind::DEA) return CompareOutputs(a, b, d, error);
  Dfa da, db;
  return MakeDfa(a, da, error) && MakeDfa(b, db, error) && CompareLanguages(da, db, d, error);
}

}  // namespace automaten
