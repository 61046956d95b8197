// automaten-cli test: grades programs against test cases, a program per job.
#include <algorithm>
#include <atomic>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli_common.h"
#include "cli_runner.h"
#include "control/kinds.h"
#include "control/testcases.h"
#include "engine/encoding.h"
#include "engine/language.h"
#include "engine/parser.h"
#include "io/programfile.h"

namespace automaten {

namespace {

const char kGradingUsage[] =
    "usage: automaten-cli test --kind KIND [--tests FILE] [--max-steps N] [--jobs N] [--junit FILE] [--csv FILE] "
    "PROGRAM...\n"
    "\n"
    "  runs every program against its own test cases (lines \"; Test: WORT -> ERWARTUNG\")\n"
    "  or those of --tests (lines \"WORT -> ERWARTUNG\"); ERWARTUNG is akzeptiert,\n"
    "  nicht akzeptiert, Ausgabe WORT, Wert N or Endlosschleife\n"
    "  --max-steps N  ticks a case may take (default 1000000)\n"
    "  --jobs N       programs graded at once (default: the number of cores)\n"
    "  --junit FILE   a JUnit XML report; --csv FILE a row per case\n"
    "  --reference REF  also compare each program with REF (akz, nea, dea): the row Sprache\n"
    "\n"
    "exit status: 0 every case passed, 1 a case failed, 2 a program has a fault,\n"
    "64 bad arguments, 66 an unreadable file\n";

struct GradingOptions {
  MachineKind kind = MachineKind::DEA;
  bool kindGiven = false;
  std::optional<std::string> tests, junit, csv, reference;
  unsigned long long maxSteps = 1000000;
  unsigned jobs = 0;
  std::vector<std::string> programs;
};

std::string ParseGradingArguments(const std::vector<std::string>& args, GradingOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--kind" || a == "--tests" || a == "--max-steps" || a == "--jobs" || a == "--junit" ||
                            a == "--csv" || a == "--reference";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    unsigned long long n = 0;
    if (a == "--kind") {
      o.kindGiven = KindFromCliName(args[++i], o.kind);
      if (!o.kindGiven) return "unknown kind '" + args[i] + "'";
    } else if (a == "--tests") {
      o.tests = args[++i];
    } else if (a == "--reference") {
      o.reference = args[++i];
    } else if (a == "--junit") {
      o.junit = args[++i];
    } else if (a == "--csv") {
      o.csv = args[++i];
    } else if (a == "--max-steps") {
      if (!ParseDecimal(args[++i], ~0ULL, o.maxSteps)) return "--max-steps takes a whole number from 0 on";
    } else if (a == "--jobs") {
      if (!ParseDecimal(args[++i], 256, n) || n == 0) return "--jobs takes a number from 1 to 256";
      o.jobs = static_cast<unsigned>(n);
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option '" + a + "'";
    } else {
      o.programs.push_back(a);
    }
  }
  if (!o.kindGiven) return "--kind is missing";
  if (o.programs.empty()) return "no program to grade";
  return "";
}

// A file's lines as machine text, or why it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& text, std::string& problem) {
  const ProgramFile file = ReadProgramFile(path, kMaxProgramBytes, /*regularOnly=*/true);
  switch (file.status) {
    case ProgramFile::Status::Ok: break;
    case ProgramFile::Status::TooLarge: problem = "larger than 1 MiB"; return false;
    case ProgramFile::Status::HasNul: problem = "it holds NUL bytes"; return false;
    case ProgramFile::Status::Unreadable:
    case ProgramFile::Status::Directory:
    case ProgramFile::Status::NotRegular: problem = file.systemError; return false;
  }
  text = DecodeProgram(file.bytes);
  lines = MachineLines(text);
  return true;
}

struct CaseReport {
  int line = 0;                     // 0: the comparison with the reference, the row "Sprache"
  std::string word, expected, got;  // UTF-8
  bool passed = false;
};

struct ProgramReport {
  std::string name;
  std::string unreadable;  // why the file could not be read
  std::string fault;       // the program's parse fault
  std::vector<CaseReport> cases;
  std::vector<TestLineFault> testFaults;

  std::size_t Passed() const {
    return static_cast<std::size_t>(
        std::count_if(cases.begin(), cases.end(), [](const CaseReport& c) { return c.passed; }));
  }
  std::size_t Total() const { return cases.size() + testFaults.size(); }
  bool AllPassed() const { return unreadable.empty() && fault.empty() && Passed() == Total(); }
};

std::string Shown(const std::string& machineWord) {
  return machineWord.empty() ? std::string("\"\"") : Cp1252ToUtf8(machineWord);
}

// The reference program of --reference, parsed and, for the acceptors, made deterministic once.
struct Reference {
  std::string name;
  Program program;
  Dfa dfa;
};

// The row "Sprache": the program against the reference, with the shortest word on which they differ.
CaseReport CompareWithReference(const GradingOptions& o, const Program& program, const Reference& ref) {
  CaseReport r;
  r.word = "Sprache";
  r.expected = "wie " + ref.name;
  Difference d;
  std::string error;
  bool done;
  if (o.kind == MachineKind::DEA) {
    done = CompareOutputs(program, ref.program, d, error);
  } else {
    Dfa dfa;
    done = MakeDfa(program, dfa, error) && CompareLanguages(dfa, ref.dfa, d, error);
  }
  if (!done) {
    r.got = error;
  } else if (d.equal) {
    r.got = "gleich";
    r.passed = true;
  } else if (o.kind == MachineKind::DEA) {
    r.got = "Gegenbeispiel " + Shown(d.word) + ": Ausgabe " + Shown(d.firstOutput) + " statt " + Shown(d.secondOutput);
  } else {
    r.got = "Gegenbeispiel " + Shown(d.word) +
            (d.firstAccepts ? ": akzeptiert, die Referenz nicht" : ": nicht akzeptiert, die Referenz schon");
  }
  return r;
}

ProgramReport Grade(const GradingOptions& o, const std::string& path, const TestSuite* shared, const Reference* ref) {
  ProgramReport report;
  report.name = path;
  std::vector<std::string> lines;
  std::string text;
  if (!ReadLines(path, lines, text, report.unreadable)) return report;
  const TestSuite own = shared ? TestSuite{} : TestCasesOfProgram(lines);
  const TestSuite& suite = shared ? *shared : own;
  report.testFaults = suite.faults;
  const Program program = ParseProgram(o.kind, lines);
  if (!program.Ok()) report.fault = Cp1252ToUtf8(FaultMessage(program.faults.front()));
  if (ref != nullptr) {
    if (report.fault.empty()) {
      report.cases.push_back(CompareWithReference(o, program, *ref));
    } else {
      CaseReport r;
      r.word = "Sprache";
      r.expected = "wie " + ref->name;
      r.got = report.fault;
      report.cases.push_back(r);
    }
  }
  for (const TestCase& c : suite.cases) {
    CaseReport r;
    r.line = c.line;
    r.word = Shown(c.word);
    r.expected = ExpectationText(c);
    if (report.fault.empty()) {
      const CaseResult result = RunTestCase(o.kind, text, c, o.maxSteps);
      r.got = result.got;
      r.passed = result.passed;
    } else {
      r.got = report.fault;
    }
    report.cases.push_back(r);
  }
  return report;
}

std::string Xml(const std::string& s) {
  std::string x;
  for (char c : s) {
    switch (c) {
      case '&': x += "&amp;"; break;
      case '<': x += "&lt;"; break;
      case '>': x += "&gt;"; break;
      case '"': x += "&quot;"; break;
      default: x += c;
    }
  }
  return x;
}

std::string Csv(const std::string& s) {
  if (s.find_first_of(",\"\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

std::string JUnit(const std::vector<ProgramReport>& reports) {
  std::size_t tests = 0, failures = 0, errors = 0;
  std::ostringstream suites;
  for (const ProgramReport& p : reports) {
    const bool broken = !p.unreadable.empty();
    const std::size_t failed = p.Total() - p.Passed();
    tests += broken ? 1 : p.Total();
    failures += broken ? 0 : failed;
    errors += broken ? 1 : 0;
    suites << "  <testsuite name=\"" << Xml(p.name) << "\" tests=\"" << (broken ? 1 : p.Total()) << "\" failures=\""
           << (broken ? 0 : failed) << "\" errors=\"" << (broken ? 1 : 0) << "\">\n";
    if (broken)
      suites << "    <testcase name=\"Datei\" classname=\"" << Xml(p.name) << "\"><error message=\""
             << Xml("nicht lesbar: " + p.unreadable) << "\"/></testcase>\n";
    for (const TestLineFault& f : p.testFaults)
      suites << "    <testcase name=\"Zeile " << f.line << "\" classname=\"" << Xml(p.name) << "\"><failure message=\""
             << Xml(f.reason) << "\"/></testcase>\n";
    for (const CaseReport& c : p.cases) {
      suites << "    <testcase name=\""
             << Xml(c.line == 0 ? c.word : "Zeile " + std::to_string(c.line) + ": " + c.word + " -> " + c.expected)
             << "\" classname=\"" << Xml(p.name) << "\"";
      if (c.passed)
        suites << "/>\n";
      else
        suites << "><failure message=\"" << Xml("erwartet " + c.expected + ", erhalten " + c.got)
               << "\"/></testcase>\n";
    }
    suites << "  </testsuite>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites tests=\"" + std::to_string(tests) + "\" failures=\"" +
         std::to_string(failures) + "\" errors=\"" + std::to_string(errors) + "\">\n" + suites.str() +
         "</testsuites>\n";
}

std::string CsvReport(const std::vector<ProgramReport>& reports) {
  std::string csv = "programm,zeile,wort,erwartet,ergebnis,bestanden\n";
  for (const ProgramReport& p : reports) {
    if (!p.unreadable.empty()) csv += Csv(p.name) + ",,,," + Csv("nicht lesbar: " + p.unreadable) + ",nein\n";
    for (const TestLineFault& f : p.testFaults)
      csv += Csv(p.name) + "," + std::to_string(f.line) + ",,," + Csv(f.reason) + ",nein\n";
    for (const CaseReport& c : p.cases)
      csv += Csv(p.name) + "," + (c.line == 0 ? std::string() : std::to_string(c.line)) + "," + Csv(c.word) + "," +
             Csv(c.expected) + "," + Csv(c.got) + "," + (c.passed ? "ja" : "nein") + "\n";
  }
  return csv;
}

bool WriteReport(const std::string& path, const std::string& text, std::ostream& err) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (file) return true;
  err << "automaten-cli: cannot write " << path << "\n";
  return false;
}

}  // namespace

int RunGrading(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  GradingOptions o;
  const std::string problem = ParseGradingArguments(args, o);
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kGradingUsage;
    return kExitUsage;
  }
  std::optional<TestSuite> shared;
  if (o.tests) {
    std::vector<std::string> lines;
    std::string text, why;
    if (!ReadLines(*o.tests, lines, text, why)) {
      err << "automaten-cli: cannot read " << *o.tests << ": " << why << "\n";
      return kExitNoInput;
    }
    shared = TestCasesOfFile(lines);
  }

  std::optional<Reference> reference;
  if (o.reference) {
    if (o.kind != MachineKind::Akz && o.kind != MachineKind::NEA && o.kind != MachineKind::DEA) {
      err << "automaten-cli: Mit einer Referenz vergleichen lassen sich nur DEA, Akzeptoren und NEA; "
             "für Kellerautomaten und Turingmaschinen ist die Gleichheit nicht entscheidbar.\n";
      return kExitUsage;
    }
    std::vector<std::string> lines;
    std::string text, why;
    if (!ReadLines(*o.reference, lines, text, why)) {
      err << "automaten-cli: cannot read " << *o.reference << ": " << why << "\n";
      return kExitNoInput;
    }
    reference = Reference{*o.reference, ParseProgram(o.kind, lines), {}};
    std::string error;
    if (!reference->program.Ok()) {
      err << *o.reference << ": " << Cp1252ToUtf8(FaultMessage(reference->program.faults.front())) << "\n";
      return kExitParseFault;
    }
    if (o.kind != MachineKind::DEA && !MakeDfa(reference->program, reference->dfa, error)) {
      err << "automaten-cli: " << error << "\n";
      return kExitTooLarge;
    }
  }

  // Each job takes the next program until none is left; the reports keep the order given.
  std::vector<ProgramReport> reports(o.programs.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < o.programs.size();)
      reports[i] = Grade(o, o.programs[i], shared ? &*shared : nullptr, reference ? &*reference : nullptr);
  };
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  const unsigned jobs = 1;  // WebAssembly without threads grades on the one it has
#else
  const unsigned jobs = std::min<std::size_t>(o.jobs != 0 ? o.jobs : std::max(1u, std::thread::hardware_concurrency()),
                                              o.programs.size());
#endif
  std::vector<std::thread> threads;
  for (unsigned j = 1; j < jobs; ++j) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();

  std::size_t passed = 0, failed = 0;
  bool unreadable = false, faulty = false;
  for (const ProgramReport& p : reports) {
    out << p.name << ": ";
    if (!p.unreadable.empty()) {
      err << "automaten-cli: cannot read " << p.name << ": " << p.unreadable << "\n";
      out << "nicht lesbar\n";
      unreadable = true;
      continue;
    }
    passed += p.Passed();
    failed += p.Total() - p.Passed();
    faulty = faulty || !p.fault.empty();
    out << p.Passed() << "/" << p.Total();
    if (!p.fault.empty()) {
      out << ", " << p.fault;
    } else if (!p.testFaults.empty()) {
      out << ", Zeile " << p.testFaults.front().line << ": " << p.testFaults.front().reason;
    } else {
      for (const CaseReport& c : p.cases)
        if (!c.passed) {
          if (c.line == 0)
            out << ", Sprache: " << c.got;
          else
            out << ", Zeile " << c.line << ": " << c.word << " -> " << c.expected << ", erhalten " << c.got;
          break;
        }
    }
    if (p.Total() == 0) out << " (keine Testfälle)";
    out << "\n";
  }
  out << passed << " passed, " << failed << " failed\n";
  out.flush();

  bool written = true;
  if (o.junit) written = WriteReport(*o.junit, JUnit(reports), err) && written;
  if (o.csv) written = WriteReport(*o.csv, CsvReport(reports), err) && written;
  if (unreadable || !written) return kExitNoInput;
  if (faulty) return kExitParseFault;
  return failed > 0 ? kExitRejected : kExitAccepted;
}

}  // namespace automaten
