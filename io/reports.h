// A grading's results as values, and the two report files written from
// them: JUnit XML for a CI server and CSV with a row per case. Texts are
// UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace automaten {

struct CaseReport {
  int line = 0;                     // 0: the comparison with the reference, the row "Sprache"
  std::string word, expected, got;  // the word as a case writes it ("" for the empty one)
  bool passed = false;
};

// A test line that could not be read as a case.
struct LineReport {
  int line = 0;
  std::string reason;
};

struct ProgramReport {
  std::string name;
  std::string unreadable;  // why the file could not be read
  std::string fault;       // the program's parse fault
  std::vector<CaseReport> cases;
  std::vector<LineReport> lineFaults;

  std::size_t Passed() const;
  std::size_t Total() const { return cases.size() + lineFaults.size(); }
  bool AllPassed() const { return unreadable.empty() && fault.empty() && Passed() == Total(); }
  // The first case that failed, or null.
  const CaseReport* FirstFailure() const;
};

std::string JUnitReport(const std::vector<ProgramReport>& reports);
std::string CsvReport(const std::vector<ProgramReport>& reports);

}  // namespace automaten
