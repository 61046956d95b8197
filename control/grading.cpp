#include "grading.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "engine/encoding.h"
#include "engine/parser.h"
#include "io/programfile.h"

namespace automaten {

namespace {

// The row "Sprache": the program against the reference, with the shortest word on which they differ.
CaseReport CompareWithReference(MachineKind kind, const Program& program, const Reference& ref) {
  CaseReport r;
  r.word = "Sprache";
  r.expected = "wie " + ref.name;
  Difference d;
  std::string error;
  bool done;
  if (kind == MachineKind::DEA) {
    done = CompareOutputs(program, ref.program, d, error, &ref.alphabet);
  } else {
    Dfa dfa;
    done = MakeDfa(program, dfa, error) && CompareLanguages(dfa, ref.dfa, d, error, &ref.alphabet);
  }
  if (!done) {
    r.got = error;
  } else if (d.equal) {
    r.got = "gleich";
    r.passed = true;
  } else if (kind == MachineKind::DEA && !d.verdictsDiffer) {
    r.got = "Gegenbeispiel " + WordText(d.word) + ": Ausgabe " + WordText(d.firstOutput) + " statt " +
            WordText(d.secondOutput);
  } else {
    r.got = "Gegenbeispiel " + WordText(d.word) +
            (d.firstAccepts ? ": akzeptiert, die Referenz nicht" : ": nicht akzeptiert, die Referenz schon");
  }
  return r;
}

}  // namespace

bool ReadGradingFile(const std::string& path, std::vector<std::string>& lines, std::string& text,
                     std::string& problem) {
  const ProgramFile file = ReadProgramFile(path, kMaxProgramBytes);
  switch (file.status) {
    case ProgramFile::Status::Ok: break;
    case ProgramFile::Status::TooLarge: problem = "größer als 1 MiB"; return false;
    case ProgramFile::Status::HasNul: problem = "es enthält NUL-Bytes"; return false;
    case ProgramFile::Status::Unreadable:
    case ProgramFile::Status::Directory:
    case ProgramFile::Status::NotRegular: problem = SystemReason(file.error); return false;
  }
  text = DecodeProgram(file.bytes);
  lines = MachineLines(text);
  return true;
}

ToolProblem MakeReference(MachineKind kind, const std::string& name, const std::vector<std::string>& lines,
                          Reference& reference) {
  ToolProblem problem = CheckForTool(LanguageTool::Compare, kind, lines);
  if (problem) return problem;
  reference = Reference{name, ParseProgram(kind, lines), {}, {}};
  reference.alphabet = Alphabet(reference.program);
  std::string error;
  if (kind != MachineKind::DEA && !MakeDfa(reference.program, reference.dfa, error)) {
    problem.cause = ToolProblem::Cause::TooLarge;
    problem.text = error;
  }
  return problem;
}

ProgramReport GradeProgram(const GradingSetup& setup, const std::string& path, const TestSuite* shared,
                           const Reference* reference) {
  ProgramReport report;
  report.name = path;
  std::vector<std::string> lines;
  std::string text;
  if (!ReadGradingFile(path, lines, text, report.unreadable)) return report;
  const TestSuite own = shared ? TestSuite{} : TestCasesOfProgram(lines);
  const TestSuite& suite = shared ? *shared : own;
  for (const TestLineFault& f : suite.faults) report.lineFaults.push_back({f.line, f.reason});
  const Program program = ParseProgram(setup.kind, lines);
  if (!program.Ok()) report.fault = Cp1252ToUtf8(FaultMessage(program.faults.front()));
  if (reference != nullptr) {
    if (report.fault.empty()) {
      report.cases.push_back(CompareWithReference(setup.kind, program, *reference));
    } else {
      CaseReport r;
      r.word = "Sprache";
      r.expected = "wie " + reference->name;
      r.got = report.fault;
      report.cases.push_back(r);
    }
  }
  CaseRunner runner(setup.kind, text, setup.maxSteps);
  for (const TestCase& c : suite.cases) {
    CaseReport r;
    r.line = c.line;
    r.word = WordText(c.word);
    r.expected = ExpectationText(c);
    if (report.fault.empty()) {
      const auto start = std::chrono::steady_clock::now();
      const CaseResult result = runner.Run(c);
      r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      r.got = result.got;
      r.passed = result.passed;
    } else {
      r.got = report.fault;
    }
    report.cases.push_back(r);
  }
  return report;
}

std::vector<ProgramReport> GradePrograms(const GradingSetup& setup, const std::vector<std::string>& paths,
                                         const TestSuite* shared, const Reference* reference) {
  // Each job takes the next program until none is left; the reports keep the order given.
  std::vector<ProgramReport> reports(paths.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < paths.size();) reports[i] = GradeProgram(setup, paths[i], shared, reference);
  };
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  const unsigned jobs = 1;  // WebAssembly without threads grades on the one it has
#else
  const unsigned jobs = static_cast<unsigned>(std::min<std::size_t>(
      setup.jobs != 0 ? setup.jobs : std::max(1u, std::thread::hardware_concurrency()), paths.size()));
#endif
  std::vector<std::thread> threads;
  for (unsigned j = 1; j < jobs; ++j) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  return reports;
}

}  // namespace automaten
