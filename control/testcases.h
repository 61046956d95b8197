// Test cases of a program: comment lines "; Test: WORT -> ERWARTUNG" in the
// program itself, or the same "WORT -> ERWARTUNG" lines in a test file, and
// each case run without a window by the same simulation the window runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

class HeadlessRun;

struct TestCase {
  enum class Expect { Accepted, NotAccepted, Output, Value, Endless };
  int line = 0;      // 1-based line of the program or test file
  std::string word;  // the tape, machine text
  Expect expect = Expect::Accepted;
  std::string value;  // the output tape or the function value, machine text
};

struct TestLineFault {
  int line = 0;        // 1-based
  std::string reason;  // German, UTF-8
};

struct TestSuite {
  std::vector<TestCase> cases;
  std::vector<TestLineFault> faults;
};

// The cases of a program's text (its "; Test:" lines), or of a test file
// (every line that is not empty or a comment). Lines are machine text.
TestSuite TestCasesOfProgram(const std::vector<std::string>& lines);
TestSuite TestCasesOfFile(const std::vector<std::string>& lines);

// A word as cases and reports show it (UTF-8), as a test line reads it:
// bare, or in double quotes when it is empty or holds a blank, a quote or a
// backslash (with \" and \\ inside).
std::string WordText(const std::string& machineWord);

// "akzeptiert", "Ausgabe ww", "Wert 5", ... as a case writes it (UTF-8).
std::string ExpectationText(const TestCase& c);

struct CaseResult {
  bool passed = false;
  std::string got;  // what the run gave, in the words of an expectation, or why it gave none (UTF-8)
};

// Runs the cases of one program (UTF-8 text, as the window holds it) one
// after the other, each for at most `maxSteps` ticks: the program is parsed
// once, and each case starts from the initial state on its word.
class CaseRunner {
 public:
  CaseRunner(MachineKind kind, std::string program, unsigned long long maxSteps);
  ~CaseRunner();
  CaseResult Run(const TestCase& c);
  std::uint64_t Parses() const;  // how often the program was parsed

 private:
  MachineKind kind_;
  std::string program_;
  unsigned long long maxSteps_;
  std::unique_ptr<HeadlessRun> run_;  // from the first case on
};

// One case alone.
CaseResult RunTestCase(MachineKind kind, const std::string& program, const TestCase& c, unsigned long long maxSteps);

// The Tests pane's words (UTF-8): its summary, while running, for a program
// without cases, and before a summary whose program changed since.
std::string TestSummaryText(int passed, int failed);  // "9 bestanden, 0 fehlgeschlagen"
extern const char kTestsRunning[];                    // "Läuft ..."
extern const char kNoTestCases[];
extern const char kTestsStale[];  // "veraltet: "

}  // namespace automaten
