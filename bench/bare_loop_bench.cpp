// The runs of automaten-cli's figures, each twice: in the simulation as the
// command line takes it (the headless run: parse, reset, the steps, the
// display at the end) and as a bare table-driven loop that does the same
// steps with nothing else. The ratio of the two is what the simulation's
// bookkeeping costs.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "control/headless.h"

namespace automaten {
namespace {

// ---- The simulation -------------------------------------------------------------

void RunSimulation(benchmark::State& state, MachineKind kind, const std::string& program, const std::string& tape,
                   unsigned long long ticks) {
  HeadlessSetup setup;
  setup.kind = kind;
  setup.program = program;
  setup.tape = tape;
  for (auto _ : state) {
    HeadlessRun run(setup);
    benchmark::DoNotOptimize(run.Run(ticks));
  }
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsIterationInvariantRate);
}

const char kPingPong[] = "a * -> * R 1\n1 * -> * L a\n";
const char kRight[] = "a * -> * R a\n";
const char kDea[] = "a s -> w a\na k -> w 1\n1 s -> w a\n1 k -> b 2\n2 s -> b 1\n2 k -> b 2\n";

std::string DeaTape(std::size_t n) {
  std::string t(n, 's');
  for (std::size_t i = 0; i < n; i += 3) t[i] = 'k';
  return t;
}

// Twelve states, epsilon moves around all of them, eight symbols.
std::string NeaProgram() {
  const char* names[] = {"a", "1", "2", "3", "4", "5", "6", "7", "8", "9", "e", "f"};
  std::string p;
  for (int s = 0; s < 12; ++s) p += std::string(names[s]) + " _ -> " + names[(s + 1) % 12] + "\n";
  const std::string symbols = "01abcxyz";
  for (int i = 0; i < 89; ++i)
    p += std::string(names[i % 12]) + " " + symbols[i % 8] + " -> " + names[(i * 7 + 3) % 12] + "\n";
  return p;
}

std::string NeaTape(std::size_t n) {
  std::string t(n, '0');
  const std::string symbols = "01abcxyz";
  for (std::size_t i = 0; i < n; ++i) t[i] = symbols[(i * 5 + i / 7) % 8];
  return t;
}

void BM_SimTmTwoCells(benchmark::State& s) { RunSimulation(s, MachineKind::TM, kPingPong, "", 10000000); }
void BM_SimTmRight(benchmark::State& s) { RunSimulation(s, MachineKind::TM, kRight, "", 1000000); }
void BM_SimDea(benchmark::State& s) { RunSimulation(s, MachineKind::DEA, kDea, DeaTape(1000000), 1000000); }
void BM_SimNea(benchmark::State& s) { RunSimulation(s, MachineKind::NEA, NeaProgram(), NeaTape(100000), 100000); }
BENCHMARK(BM_SimTmTwoCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimTmRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimDea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimNea)->Unit(benchmark::kMillisecond);

// ---- The bare loops -------------------------------------------------------------

struct TmRule {
  char write;
  int move;  // -1, 0, +1
  int next;
};

// A Turing machine of dense states on a vector of cells, growing by 20 blanks.
std::size_t BareTm(const std::vector<std::array<TmRule, 256>>& table, std::vector<char>& tape, std::size_t head,
                   unsigned long long steps) {
  int state = 0;
  for (unsigned long long i = 0; i < steps; ++i) {
    const TmRule& r = table[static_cast<std::size_t>(state)][static_cast<unsigned char>(tape[head])];
    tape[head] = r.write;
    head += static_cast<std::size_t>(r.move);
    if (head + 1 == tape.size()) tape.insert(tape.end(), 20, '*');
    state = r.next;
  }
  return head;
}

void BM_BareTmTwoCells(benchmark::State& state) {
  std::vector<std::array<TmRule, 256>> table(2);
  table[0]['*'] = {'*', +1, 1};
  table[1]['*'] = {'*', -1, 0};
  for (auto _ : state) {
    std::vector<char> tape(60, '*');
    benchmark::DoNotOptimize(BareTm(table, tape, 26, 10000000));
  }
}

void BM_BareTmRight(benchmark::State& state) {
  std::vector<std::array<TmRule, 256>> table(1);
  table[0]['*'] = {'*', +1, 0};
  for (auto _ : state) {
    std::vector<char> tape(60, '*');
    benchmark::DoNotOptimize(BareTm(table, tape, 26, 1000000));
  }
}

void BM_BareDea(benchmark::State& state) {
  struct Rule {
    char out;
    int next;
  };
  std::array<std::array<Rule, 256>, 3> table{};
  table[0]['s'] = {'w', 0}, table[0]['k'] = {'w', 1}, table[1]['s'] = {'w', 0};
  table[1]['k'] = {'b', 2}, table[2]['s'] = {'b', 1}, table[2]['k'] = {'b', 2};
  const std::string tape = DeaTape(1000000);
  for (auto _ : state) {
    std::string out(tape.size(), ' ');
    int s = 0;
    for (std::size_t i = 0; i < tape.size(); ++i) {
      const Rule& r = table[static_cast<std::size_t>(s)][static_cast<unsigned char>(tape[i])];
      out[i] = r.out;
      s = r.next;
    }
    benchmark::DoNotOptimize(out.data());
  }
}

// The same set step as the engine's rules give it, from masks per state and symbol.
void BM_BareNea(benchmark::State& state) {
  const char* names = "a123456789ef";
  std::array<std::array<std::uint16_t, 256>, 12> moves{};
  std::array<std::uint16_t, 12> closure{};
  for (int s = 0; s < 12; ++s) closure[static_cast<std::size_t>(s)] = 0x0FFF;  // the epsilon cycle joins all
  const std::string symbols = "01abcxyz";
  for (int i = 0; i < 89; ++i) {
    const int to = (i * 7 + 3) % 12;
    (void)names;
    for (int s = 0; s < 12; ++s)  // every state reaches line i's own state by epsilon moves
      moves[static_cast<std::size_t>(s)][static_cast<unsigned char>(symbols[static_cast<std::size_t>(i % 8)])] |=
          closure[static_cast<std::size_t>(to)];
  }
  const std::string tape = NeaTape(100000);
  for (auto _ : state) {
    std::uint16_t set = 1;
    for (char c : tape) {
      std::uint16_t next = 0;
      for (int s = 0; s < 12; ++s)
        if (set >> s & 1u) next |= moves[static_cast<std::size_t>(s)][static_cast<unsigned char>(c)];
      set = next;
    }
    benchmark::DoNotOptimize(set);
  }
}

BENCHMARK(BM_BareTmTwoCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareTmRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareDea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareNea)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
