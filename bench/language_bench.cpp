// The language tools: the subset construction of a 12-state NEA with epsilon
// cycles over 10 symbols, and minimising and comparing acceptors of 10,000
// states.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/language.h"
#include "engine/parser.h"

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
  const Program akz = Modulo(4999, true);
  Dfa dfa, min;
  std::string error;
  MakeDfa(akz, dfa, error);
  for (auto _ : state) min = Minimize(dfa);
  state.SetLabel(std::to_string(dfa.Size()) + " -> " + std::to_string(min.Size()) + " states");
}
BENCHMARK(BM_Minimize)->Unit(benchmark::kMillisecond);

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

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
