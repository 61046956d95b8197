// The language tools: the subset construction of a 12-state NEA with epsilon
// cycles over 10 symbols, minimising and comparing acceptors of 10,000
// states, an expression of 100 symbols to its minimal acceptor, and
// acceptors of about 50 states to expressions (their lengths in the label).
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/language.h"
#include "engine/parser.h"
#include "engine/regex.h"

namespace automaten {
namespace {

Program Nea12() {
  const std::vector<std::string> states = {"a", "1", "2", "3", "4", "5", "6", "7", "8", "9", "e", "f"};
  std::mt19937 random(3);
  std::uniform_int_distribution<std::size_t> state(0, 11);
  std::vector<std::string> lines;
  // Epsilon cycles of two states each (a longer cycle would close over all
  // twelve and leave two sets), and a move for every state and symbol.
  for (std::size_t s = 1; s < 11; s += 2) {
    lines.push_back(states[s] + " _ -> " + states[s + 1]);
    lines.push_back(states[s + 1] + " _ -> " + states[s]);
  }
  for (std::size_t s = 0; s < 12; ++s)
    for (char symbol = '0'; symbol <= '9'; ++symbol)
      lines.push_back(states[s] + " " + std::string(1, symbol) + " -> " + states[state(random)]);
  return ParseProgram(MachineKind::NEA, lines);
}

// Binary numbers modulo an odd n with remainder 0 accepted, each state
// written twice (2n states that minimise to n).
Program Modulo(int n, bool twice) {
  const auto name = [](int s) { return s == 0 ? std::string("a") : std::to_string(s); };
  std::vector<std::string> lines{"e: a" + std::string(twice ? " " + std::to_string(n) : "")};
  const int states = twice ? 2 * n : n;
  for (int s = 0; s < states; ++s)
    for (int bit = 0; bit < 2; ++bit) {
      const int target = (2 * (s % n) + bit) % n + (twice && s < n ? n : 0);
      lines.push_back(name(s) + " " + std::to_string(bit) + " -> " + name(target));
    }
  return ParseProgram(MachineKind::Akz, lines);
}

void BM_SubsetConstruction(benchmark::State& state) {
  const Program nea = Nea12();
  Dfa dfa;
  std::string error;
  for (auto _ : state) benchmark::DoNotOptimize(MakeDfa(nea, dfa, error));
  state.SetLabel(std::to_string(dfa.Size()) + " sets");
}
BENCHMARK(BM_SubsetConstruction)->Unit(benchmark::kMillisecond);

void BM_Minimize(benchmark::State& state) {
  const Program akz = Modulo(static_cast<int>(state.range(0)), true);
  Dfa dfa, min;
  std::string error;
  MakeDfa(akz, dfa, error);
  for (auto _ : state) min = Minimize(dfa);
  state.SetLabel(std::to_string(dfa.Size()) + " -> " + std::to_string(min.Size()) + " states");
}
BENCHMARK(BM_Minimize)->Arg(4999)->Arg(14999)->Unit(benchmark::kMillisecond);

void BM_Compare(benchmark::State& state) {
  Dfa a, b;
  std::string error;
  MakeDfa(Modulo(4999, true), a, error);
  MakeDfa(Modulo(4999, false), b, error);
  Difference d;
  for (auto _ : state) benchmark::DoNotOptimize(CompareLanguages(a, b, d, error));
  state.SetLabel(std::to_string(a.Size()) + " and " + std::to_string(b.Size()) + " states, " +
                 (d.equal ? "equal" : "differ"));
}
BENCHMARK(BM_Compare)->Unit(benchmark::kMillisecond);

// 100 symbols: 25 parts "(a|bc)*d", "(ab|c)+", ... of four each, in turn.
std::string Expression100() {
  const char* const parts[] = {"(a|bc)*d", "(ab|c)+a", "(b?c|a)*", "d(a|b)*c", "(ca|d)?b"};
  std::string text;
  for (int i = 0; i < 25; ++i) text += parts[i % 5];
  return text;
}

void BM_RegexToMinimalAcceptor(benchmark::State& state) {
  const std::string text = Expression100();
  Dfa min;
  for (auto _ : state) {
    Regex r;
    Dfa dfa;
    std::string error;
    ReadRegex(text, r, error);
    RegexDfa(r, dfa, error);
    min = Minimize(dfa);
  }
  state.SetLabel(std::to_string(text.size()) + " characters -> " + std::to_string(min.Size()) + " states");
}
BENCHMARK(BM_RegexToMinimalAcceptor)->Unit(benchmark::kMillisecond);

// The acceptor's expression: the minimal automaton of the program, then state elimination.
void AcceptorToRegex(benchmark::State& state, const Program& akz) {
  Dfa dfa;
  std::string error;
  MakeDfa(akz, dfa, error);
  const Dfa min = Minimize(dfa);
  std::size_t length = 0;
  bool made = false;
  for (auto _ : state) {
    Regex r;
    made = DfaRegex(min, r, error);
    length = made ? RegexText(r).size() : 0;
  }
  state.SetLabel(std::to_string(min.Size()) + " states -> " +
                 (made ? std::to_string(length) + " characters" : "refused: " + error));
}

// Every 50th 1: a cycle of 50 states.
void BM_AcceptorToRegexCycle50(benchmark::State& state) {
  std::vector<std::string> lines{"e: a"};
  for (int s = 0; s < 50; ++s) {
    const std::string from = s == 0 ? "a" : std::to_string(s), to = (s + 1) % 50 == 0 ? "a" : std::to_string(s + 1);
    lines.push_back(from + " 1 -> " + to);
    lines.push_back(from + " 0 -> " + from);
  }
  AcceptorToRegex(state, ParseProgram(MachineKind::Akz, lines));
}
BENCHMARK(BM_AcceptorToRegexCycle50)->Unit(benchmark::kMillisecond);

// Binary numbers divisible by n: every state reaches every other.
void BM_AcceptorToRegexModulo(benchmark::State& state) {
  AcceptorToRegex(state, Modulo(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_AcceptorToRegexModulo)->Arg(7)->Arg(13)->Arg(25)->Arg(51)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
