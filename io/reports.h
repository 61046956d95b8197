// A grading's results as values, and the report files written from them:
// JUnit XML for a CI server, CSV with a row per case, and a summary with a
// row per program for a gradebook; the CSV files also in the form German
// spreadsheets open directly. Every text a report holds is UTF-8, whatever
// bytes a file name or a word brought.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace automaten {

struct CaseReport {
  int line = 0;                     // 0: the comparison with the reference, the row "Sprache"
  std::string word, expected, got;  // the word as a case writes it ("" for the empty one)
  bool passed = false;
  double seconds = 0;  // the case's run
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
  // A program without a single case passes nothing: its report says
  // "keine Testfälle" and counts it as failed.
  bool NoCases() const { return unreadable.empty() && Total() == 0; }
  bool AllPassed() const { return unreadable.empty() && fault.empty() && Total() > 0 && Passed() == Total(); }
  // The first case that failed, or null.
  const CaseReport* FirstFailure() const;
  // What went wrong first, as the summary and the command line name it; empty when all passed.
  std::string FirstProblem() const;
};

// The two forms of a CSV file: comma-separated UTF-8 for programs, and
// semicolon-separated UTF-8 with a byte-order mark and CR LF for German spreadsheets.
enum class CsvForm { Plain, Spreadsheet };

std::string JUnitReport(const std::vector<ProgramReport>& reports);
// A row per case: program, line, word (in the quotes of a test line, so that
// a spreadsheet keeps "0110" as it is), expectation, result, passed.
std::string CsvReport(const std::vector<ProgramReport>& reports, CsvForm form = CsvForm::Plain);
// A row per program: program, passed, total, points in percent, the first problem.
std::string SummaryReport(const std::vector<ProgramReport>& reports, CsvForm form = CsvForm::Plain);

// Bytes as UTF-8: valid UTF-8 as it is, anything else read as Windows-1252
// (as program text is).
std::string ReportText(const std::string& bytes);

}  // namespace automaten
