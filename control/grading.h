// Grading: each program file against its own test cases or a test file's,
// and against a reference program by language, a program per job on several
// threads; the results as report values (io/reports.h) in the order given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/headless.h"
#include "control/testcases.h"
#include "control/tools.h"
#include "io/reports.h"

namespace automaten {

struct GradingSetup {
  MachineKind kind = MachineKind::DEA;
  std::uint64_t maxSteps = kDefaultStepBound;  // ticks a case may take
  unsigned jobs = 0;                           // programs graded at once; 0: one per core
};

// A file to grade or to grade by: its lines as machine text and its text as
// UTF-8; false with the reason (UTF-8) when it cannot be read. Pipes and
// named pipes are read like files, as the single run reads them (a named
// pipe without a writer reads as empty).
bool ReadGradingFile(const std::string& path, std::vector<std::string>& lines, std::string& text, std::string& problem);

// The program every submission is compared with, parsed and, for the
// acceptors, made deterministic once.
struct Reference {
  std::string name;
  Program program;
  Dfa dfa;
  std::string alphabet;  // the symbols of the words compared: the reference's own, or the teacher's
};
// Builds the reference from its lines; the problem when it cannot serve
// (a fault of its own, too large).
ToolProblem MakeReference(MachineKind kind, const std::string& name, const std::vector<std::string>& lines,
                          Reference& reference);

// One program file: `shared` the cases of a test file for every program, or
// null for the program's own "; Test:" lines; `reference` may be null.
ProgramReport GradeProgram(const GradingSetup& setup, const std::string& path, const TestSuite* shared,
                           const Reference* reference);
// Every program file, on `setup.jobs` threads; the reports in the order given.
std::vector<ProgramReport> GradePrograms(const GradingSetup& setup, const std::vector<std::string>& paths,
                                         const TestSuite* shared, const Reference* reference);

}  // namespace automaten
