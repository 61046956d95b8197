// The language tools against the simulation's own run: the deterministic
// automaton, its minimal form and the comparison must give every word the
// verdict a run gives it.
#include "engine/language.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "engine/parser.h"
#include "engine/step.h"
#include "engine/text.h"
#include "support/dfa_words.h"

namespace automaten {
namespace {

// The verdict of the automatic run, as the window and automaten-cli reach it.
bool Accepts(const Program& p, const std::string& word) {
  Configuration c = InitialConfiguration(p.kind, word, 60);
  Move move = NextMove(p, c);
  RunSteps(p, c, move, 10000);
  const Verdict v = CheckHalt(p, c, move.transition);
  return v.halted && v.ok;
}

using testing::DfaAccepts;

std::vector<std::string> Words(const std::string& alphabet, std::size_t maxLength) {
  std::vector<std::string> words{""};
  for (std::size_t i = 0; i < words.size(); ++i)
    if (words[i].size() < maxLength)
      for (char c : alphabet) words.push_back(words[i] + c);
  return words;  // by length, then alphabetically
}

Program Random(MachineKind kind, std::mt19937& random, std::string symbols = "") {
  const std::vector<std::string> states = kind == MachineKind::NEA ? std::vector<std::string>{"a", "1", "2", "3", "e"}
                                                                   : std::vector<std::string>{"a", "1", "2", "3", "f"};
  if (symbols.empty()) symbols = kind == MachineKind::NEA ? "01_" : "01x";
  std::uniform_int_distribution<std::size_t> state(0, states.size() - 1), symbol(0, symbols.size() - 1), count(1, 12);
  std::vector<std::string> lines{"e: " + states[state(random)] + " " + states[state(random)]};
  for (std::size_t i = count(random); i > 0; --i)
    lines.push_back(states[state(random)] + " " + symbols[symbol(random)] + " -> " + states[state(random)]);
  return ParseProgram(kind, lines);
}

TEST(Language, ConversionAndMinimalFormAgreeWithTheRunOnEveryWord) {
  std::mt19937 random(12);
  for (int round = 0; round < 120; ++round) {
    const MachineKind kind = round % 2 == 0 ? MachineKind::NEA : MachineKind::Akz;
    const Program program = Random(kind, random);
    ASSERT_TRUE(program.Ok());
    Dfa dfa;
    std::string error, text;
    ASSERT_TRUE(MakeDfa(program, dfa, error)) << error;
    const Dfa min = Minimize(dfa);
    EXPECT_LE(min.Size(), dfa.Size());
    ASSERT_TRUE(AcceptorText(min, "minimal", text, error));
    const Program written = ParseProgram(MachineKind::Akz, SplitLines(text));
    ASSERT_TRUE(written.Ok()) << text;
    for (const std::string& word : Words("01x", 6)) {
      const bool expected = Accepts(program, word);
      ASSERT_EQ(DfaAccepts(dfa, word), expected) << round << " " << word;
      ASSERT_EQ(DfaAccepts(min, word), expected) << round << " " << word;
      ASSERT_EQ(Accepts(written, word), expected) << round << " " << word << "\n" << text;
    }
  }
}

// The classes of states no word tells apart, by plain refinement (Moore):
// how many the minimal automaton must have, the dead class left out.
std::size_t MooreClasses(const Dfa& d) {
  const std::size_t n = d.Size() + 1;  // and a sink
  const auto next = [&](std::size_t q, std::size_t c) {
    return q + 1 == n || d.next[q][c] < 0 ? n - 1 : static_cast<std::size_t>(d.next[q][c]);
  };
  std::vector<std::size_t> cls(n);
  for (std::size_t q = 0; q + 1 < n; ++q) cls[q] = d.accepting[q] ? 1 : 0;
  for (std::size_t classes = 0;;) {
    std::map<std::vector<std::size_t>, std::size_t> seen;
    std::vector<std::size_t> again(n);
    for (std::size_t q = 0; q < n; ++q) {
      std::vector<std::size_t> key{cls[q]};
      for (std::size_t c = 0; c < d.alphabet.size(); ++c) key.push_back(cls[next(q, c)]);
      again[q] = seen.emplace(key, seen.size()).first->second;
    }
    cls = again;
    if (seen.size() == classes) break;
    classes = seen.size();
  }
  // Reachable classes other than the sink's.
  std::set<std::size_t> reached{cls[0]};
  std::vector<std::size_t> todo{0};
  std::vector<bool> visited(n, false);
  visited[0] = true;
  while (!todo.empty()) {
    const std::size_t q = todo.back();
    todo.pop_back();
    for (std::size_t c = 0; c < d.alphabet.size(); ++c)
      if (!visited[next(q, c)]) {
        visited[next(q, c)] = true;
        reached.insert(cls[next(q, c)]);
        todo.push_back(next(q, c));
      }
  }
  reached.erase(cls[n - 1]);
  return std::max<std::size_t>(reached.size(), 1);
}

TEST(Language, TheMinimalFormHasAsManyStatesAsPlainRefinementFindsAndTheSameWords) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::uniform_int_distribution<std::size_t> size(1, 40), symbols(1, 3);
    Dfa d;
    d.alphabet = std::string("abc").substr(0, symbols(random));
    const std::size_t n = size(random);
    std::uniform_int_distribution<int> target(-1, static_cast<int>(n) - 1);
    std::bernoulli_distribution accepting(0.3);
    for (std::size_t q = 0; q < n; ++q) {
      std::vector<int> row;
      for (std::size_t c = 0; c < d.alphabet.size(); ++c) row.push_back(target(random));
      d.next.push_back(row);
      d.accepting.push_back(accepting(random));
      d.stands.push_back(std::to_string(q));
    }
    const Dfa min = Minimize(d);
    EXPECT_EQ(min.Size(), MooreClasses(d)) << "round " << round;
    for (const std::string& w : Words(d.alphabet, 6))
      ASSERT_EQ(DfaAccepts(min, w), DfaAccepts(d, w)) << "round " << round << ", word " << w;
  }
}

TEST(Language, TheComparisonFindsTheShortestFirstDifference) {
  std::mt19937 random(5);
  int equal = 0;
  for (int round = 0; round < 150; ++round) {
    const Program a = Random(MachineKind::Akz, random),
                  b = Random(round % 3 ? MachineKind::Akz : MachineKind::NEA, random);
    Dfa da, db;
    std::string error;
    ASSERT_TRUE(MakeDfa(a, da, error) && MakeDfa(b, db, error));
    Difference d;
    ASSERT_TRUE(CompareLanguages(da, db, d, error));
    std::string first;
    bool differ = false;
    for (const std::string& word : Words("01x_", 6))
      if (Accepts(a, word) != Accepts(b, word)) {
        first = word;
        differ = true;
        break;
      }
    // Small random machines differ within six symbols when they differ at all.
    EXPECT_EQ(d.equal, !differ) << round;
    if (differ) {
      EXPECT_EQ(d.word, first) << round;
      EXPECT_EQ(d.firstAccepts, Accepts(a, first));
    }
    equal += d.equal;
    // A machine and its minimal form never differ.
    Difference self;
    ASSERT_TRUE(CompareLanguages(da, Minimize(da), self, error));
    EXPECT_TRUE(self.equal) << round << " " << self.word;
  }
  EXPECT_GT(equal, 0);  // the random pairs hold equal ones too
}

// A run's head skips leading blanks: words that only a comparison of bare
// words tells apart are never told apart, and every counterexample is one a
// single run of each program shows.
TEST(Language, TheComparisonFollowsTheRunsHeadStart) {
  const Program odd = ParseProgram(MachineKind::Akz, {"E: 1", "a * -> 1", "1 * -> a"});
  const Program any = ParseProgram(MachineKind::Akz, {"E: 1", "a * -> 1", "1 * -> 1"});
  Dfa dOdd, dAny;
  std::string error;
  ASSERT_TRUE(MakeDfa(odd, dOdd, error) && MakeDfa(any, dAny, error));
  Difference d;
  ASSERT_TRUE(CompareLanguages(dOdd, dAny, d, error));
  EXPECT_TRUE(d.equal) << d.word;  // "**" is read as "*" by both
  for (const std::string& tape : {"*", "**", "***", "****"}) EXPECT_EQ(Accepts(odd, tape), Accepts(any, tape)) << tape;

  std::mt19937 random(31);
  int differing = 0;
  for (int round = 0; round < 200; ++round) {
    const Program a = Random(MachineKind::Akz, random, "01*"), b = Random(MachineKind::Akz, random, "01*");
    Dfa da, db;
    ASSERT_TRUE(MakeDfa(a, da, error) && MakeDfa(b, db, error));
    ASSERT_TRUE(CompareLanguages(da, db, d, error));
    std::string first;
    bool differ = false;
    for (const std::string& word : Words("*01", 6))  // in ascending order, as the comparison searches
      if (Accepts(a, word) != Accepts(b, word)) {
        first = word;
        differ = true;
        break;
      }
    EXPECT_EQ(d.equal, !differ) << round;
    if (!differ) continue;
    ++differing;
    EXPECT_EQ(d.word, first) << round;
    EXPECT_NE(Accepts(a, d.word), Accepts(b, d.word)) << round << " " << d.word;
    EXPECT_EQ(d.firstAccepts, Accepts(a, d.word));
  }
  EXPECT_GT(differing, 20);
}

Program Parse(MachineKind kind, const std::vector<std::string>& lines) { return ParseProgram(kind, lines); }

int MinimalSize(const Program& p) {
  Dfa d;
  std::string error;
  EXPECT_TRUE(MakeDfa(p, d, error)) << error;
  return static_cast<int>(Minimize(d).Size());
}

TEST(Language, TextbookCases) {
  // Divisible by 3, written with six states where three will do.
  EXPECT_EQ(MinimalSize(Parse(MachineKind::Akz,
                              {"e: a 3", "a 0 -> 3", "a 1 -> 1", "1 0 -> 2", "1 1 -> 3", "2 0 -> 1", "2 1 -> 2",
                               "3 0 -> a", "3 1 -> 4", "4 0 -> 5", "4 1 -> a", "5 0 -> 4", "5 1 -> 5", "7 0 -> 7"})),
            3);
  std::vector<std::string> five{"e: a"};
  for (int r = 0; r < 5; ++r)
    for (int bit = 0; bit < 2; ++bit) {
      const auto name = [](int s) { return s == 0 ? std::string("a") : std::to_string(s); };
      five.push_back(name(r) + " " + std::to_string(bit) + " -> " + name((2 * r + bit) % 5));
    }
  EXPECT_EQ(MinimalSize(Parse(MachineKind::Akz, five)), 5);
  // The third symbol from the end is a 1: 8 sets, all of them needed.
  const Program third =
      Parse(MachineKind::NEA, {"a 0 -> a", "a 1 -> a", "a 1 -> 1", "1 0 -> 2", "1 1 -> 2", "2 0 -> e", "2 1 -> e"});
  Dfa d;
  std::string error, text;
  ASSERT_TRUE(MakeDfa(third, d, error));
  EXPECT_EQ(d.Size(), 8u);
  EXPECT_EQ(Minimize(d).Size(), 8u);
  ASSERT_TRUE(AcceptorText(d, "aus dem NEA", text, error));
  EXPECT_EQ(text.rfind("; aus dem NEA\n; A = {A}\n; 1 = {A,1}\n", 0), 0u) << text;
  EXPECT_NE(text.find("\nA 1 -> 1\n"), std::string::npos);
  // Nothing accepted at all: A alone.
  EXPECT_EQ(MinimalSize(Parse(MachineKind::Akz, {"a 0 -> 1", "1 0 -> a"})), 1);
}

TEST(Language, DeaOutputsDifferOnlyOnALongWord) {
  // Both copy their input, but the second writes x for the sixth 1 in a row.
  std::vector<std::string> copy{"a 0 -> 0 a", "a 1 -> 1 a"}, other{"a 0 -> 0 a"};
  for (int i = 0; i < 5; ++i) {
    const std::string from = i == 0 ? "a" : std::to_string(i);
    other.push_back(from + " 1 -> 1 " + std::to_string(i + 1));
    if (i > 0) other.push_back(from + " 0 -> 0 a");
  }
  other.push_back("5 1 -> x 5");
  other.push_back("5 0 -> 0 a");
  Difference d;
  std::string error;
  ASSERT_TRUE(CompareOutputs(Parse(MachineKind::DEA, copy), Parse(MachineKind::DEA, other), d, error));
  EXPECT_FALSE(d.equal);
  EXPECT_EQ(d.word, "111111");
  EXPECT_EQ(d.firstOutput, "111111");
  EXPECT_EQ(d.secondOutput, "11111x");
  ASSERT_TRUE(CompareOutputs(Parse(MachineKind::DEA, copy), Parse(MachineKind::DEA, copy), d, error));
  EXPECT_TRUE(d.equal);
}

}  // namespace
}  // namespace automaten
