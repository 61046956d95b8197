// automaten-cli test as a teacher runs it: 1,000 acceptor programs of about
// 20 lines, each with 50 cases of 20 symbols, graded whole-process with one
// job and with two; one program with 3,000 cases; and a bare loop of the
// same cases through the engine's step rules, for comparison.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "control/testcases.h"
#include "engine/parser.h"
#include "engine/step.h"
#include "engine/text.h"

namespace automaten {
namespace {

// An acceptor for "the number of 1s mod 7 is k", written out over 7 states
// with two lines each, plus comments; its cases are random words.
std::string Submission(int index, std::mt19937& random, int cases = 50) {
  const int k = index % 7;
  std::string text = "; Abgabe " + std::to_string(index) + "\n; Einsen modulo 7\n";
  std::uniform_int_distribution<int> bit(0, 1);
  for (int c = 0; c < cases; ++c) {
    std::string word;
    int ones = 0;
    for (int i = 0; i < 20; ++i) {
      const int b = bit(random);
      ones += b;
      word += static_cast<char>('0' + b);
    }
    text += "; Test: " + word + " -> " + (ones % 7 == k ? "akzeptiert" : "nicht akzeptiert") + "\n";
  }
  const auto name = [](int s) { return s == 0 ? std::string("a") : std::to_string(s); };
  text += "e: " + name(k) + "\n";
  for (int s = 0; s < 7; ++s) {
    text += name(s) + " 0 -> " + name(s) + "\n";
    text += name(s) + " 1 -> " + name((s + 1) % 7) + "\n";
  }
  return text;
}

std::filesystem::path Folder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path dir =
        std::filesystem::path(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") / "automaten-grading";
    std::filesystem::create_directories(dir);
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i)
      std::ofstream(dir / ("abgabe" + std::to_string(i) + ".txt"), std::ios::binary) << Submission(i, random);
    return dir;
  }();
  return folder;
}

void BM_GradeThousandPrograms(benchmark::State& state) {
  const std::string command = std::string(AUTOMATEN_CLI_PATH) + " test --kind akz --jobs " +
                              std::to_string(state.range(0)) + " " + Folder().string() + "/*.txt > /dev/null";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("automaten-cli test did not pass all");
  }
  state.SetLabel("1000 programs x 50 cases, " + std::to_string(state.range(0)) + " jobs, whole process");
}
BENCHMARK(BM_GradeThousandPrograms)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One program with 3,000 cases, whole process: the program is parsed once,
// not once a case.
void BM_ThreeThousandCases(benchmark::State& state) {
  const std::filesystem::path file = Folder().parent_path() / "automaten-3000-faelle.txt";
  std::mt19937 random(5);
  std::ofstream(file, std::ios::binary) << Submission(3, random, 3000);
  const std::string command = std::string(AUTOMATEN_CLI_PATH) + " test --kind akz " + file.string() + " > /dev/null";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("automaten-cli test did not pass all");
  }
  state.SetLabel("1 program x 3000 cases, whole process");
}
BENCHMARK(BM_ThreeThousandCases)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// One case through the window's simulation, and the same word through the
// bare step rules: what a case costs beyond its steps.
void BM_OneCase(benchmark::State& state) {
  std::mt19937 random(7);
  const std::string text = Submission(3, random);
  const std::vector<std::string> lines = SplitLines(text);
  const TestSuite suite = TestCasesOfProgram(lines);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(RunTestCase(MachineKind::Akz, text, suite.cases[i++ % 50], 1000000));
}
BENCHMARK(BM_OneCase)->Unit(benchmark::kMicrosecond);

void BM_OneCaseBareSteps(benchmark::State& state) {
  std::mt19937 random(7);
  const std::string text = Submission(3, random);
  const std::vector<std::string> lines = SplitLines(text);
  const Program program = ParseProgram(MachineKind::Akz, lines);
  const TestSuite suite = TestCasesOfProgram(lines);
  std::size_t i = 0;
  for (auto _ : state) {
    Configuration c = InitialConfiguration(MachineKind::Akz, suite.cases[i++ % 50].word, 60);
    Move move = NextMove(program, c);
    benchmark::DoNotOptimize(RunSteps(program, c, move, 1000000));
  }
}
BENCHMARK(BM_OneCaseBareSteps)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace automaten

BENCHMARK_MAIN();
