// automaten-cli test: the command line of the grading (control/grading.h):
// its arguments, a line per program, the report files.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <ostream>

#include "cli_common.h"
#include "cli_runner.h"
#include "control/grading.h"

namespace automaten {

namespace {

const char kGradingUsage[] =
    "usage: automaten-cli test --kind KIND [--tests FILE] [--reference REF] [--max-steps N] [--jobs N]\n"
    "                          [--junit FILE] [--csv FILE] [--csv-excel FILE] [--summary FILE]\n"
    "                          [--summary-excel FILE] PROGRAM...\n"
    "\n"
    "  runs every program against its own test cases (lines \"; Test: WORT -> ERWARTUNG\")\n"
    "  or those of --tests (lines \"WORT -> ERWARTUNG\"); ERWARTUNG is akzeptiert,\n"
    "  nicht akzeptiert, Ausgabe WORT, Wert N or Endlosschleife\n"
    "  --max-steps N  ticks a case may take (default 1000000)\n"
    "  --jobs N       programs graded at once (default: the number of cores)\n"
    "  --reference REF  also compare each program with REF (akz, nea, dea): the row Sprache\n"
    "  --junit FILE   a JUnit XML report\n"
    "  --csv FILE     a row per case; --csv-excel FILE the same for a German spreadsheet\n"
    "                 (separated by ;, UTF-8 with a byte-order mark)\n"
    "  --summary FILE a row per program: passed, total, points, first problem;\n"
    "                 --summary-excel FILE the same for a German spreadsheet\n"
    "  FILE - writes the report to standard output (the lines per program then go to\n"
    "  standard error); a program without a case fails with \"keine Testfälle\"\n"
    "\n"
    "exit status: 0 every case passed, 1 a case failed or a program has none,\n"
    "2 a program has a fault, 64 bad arguments, 66 an unreadable file or an unwritable report\n";

// A report file and how it is written.
struct ReportFile {
  std::string path;
  std::string (*write)(const std::vector<ProgramReport>&);
};

std::string Junit(const std::vector<ProgramReport>& r) { return JUnitReport(r); }
std::string Csv(const std::vector<ProgramReport>& r) { return CsvReport(r, CsvForm::Plain); }
std::string CsvExcel(const std::vector<ProgramReport>& r) { return CsvReport(r, CsvForm::Spreadsheet); }
std::string Summary(const std::vector<ProgramReport>& r) { return SummaryReport(r, CsvForm::Plain); }
std::string SummaryExcel(const std::vector<ProgramReport>& r) { return SummaryReport(r, CsvForm::Spreadsheet); }

struct GradingOptions {
  MachineKind kind = MachineKind::DEA;
  bool kindGiven = false;
  std::optional<std::string> tests, reference;
  std::vector<ReportFile> reports;
  unsigned long long maxSteps = kDefaultStepBound;
  unsigned jobs = 0;
  std::vector<std::string> programs;
};

std::string ParseGradingArguments(const std::vector<std::string>& args, GradingOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") {  // every argument after it is a program, whatever it starts with
      o.programs.insert(o.programs.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    }
    const std::pair<const char*, std::string (*)(const std::vector<ProgramReport>&)> writers[] = {
        {"--junit", Junit},
        {"--csv", Csv},
        {"--csv-excel", CsvExcel},
        {"--summary", Summary},
        {"--summary-excel", SummaryExcel}};
    const auto writer =
        std::find_if(std::begin(writers), std::end(writers), [&a](const auto& w) { return a == w.first; });
    const bool takesValue = a == "--kind" || a == "--tests" || a == "--max-steps" || a == "--jobs" ||
                            a == "--reference" || writer != std::end(writers);
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    unsigned long long n = 0;
    if (a == "--kind") {
      o.kindGiven = KindFromCliName(args[++i], o.kind);
      if (!o.kindGiven) return "unknown kind '" + args[i] + "'";
    } else if (a == "--tests") {
      o.tests = args[++i];
    } else if (a == "--reference") {
      o.reference = args[++i];
    } else if (writer != std::end(writers)) {
      o.reports.push_back({args[++i], writer->second});
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
  if (std::count_if(o.reports.begin(), o.reports.end(), [](const ReportFile& r) { return r.path == "-"; }) > 1)
    return "only one report can go to standard output";
  return "";
}

// A report to its file, or to `out` for "-"; false with the reason printed.
bool WriteReport(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err) {
  if (path == "-") {
    out << text;
    out.flush();
    return static_cast<bool>(out);
  }
  errno = 0;
  std::ofstream file(path, std::ios::binary);
  if (file) file << text;
  if (file) file.close();
  if (file) return true;
  err << "automaten-cli: cannot write " << path << (errno != 0 ? std::string(": ") + std::strerror(errno) : "") << "\n";
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
    if (!ReadGradingFile(*o.tests, lines, text, why)) {
      err << "automaten-cli: cannot read " << *o.tests << ": " << why << "\n";
      return kExitNoInput;
    }
    shared = TestCasesOfFile(lines);
  }

  std::optional<Reference> reference;
  if (o.reference) {
    if (!Accepts(LanguageTool::Compare, o.kind)) {
      err << "automaten-cli: Mit einer Referenz vergleichen lassen sich nur DEA, Akzeptoren und NEA; "
             "für Kellerautomaten und Turingmaschinen ist die Gleichheit nicht entscheidbar.\n";
      return kExitUsage;
    }
    std::vector<std::string> lines;
    std::string text, why;
    if (!ReadGradingFile(*o.reference, lines, text, why)) {
      err << "automaten-cli: cannot read " << *o.reference << ": " << why << "\n";
      return kExitNoInput;
    }
    reference.emplace();
    const ToolProblem problem = MakeReference(o.kind, *o.reference, lines, *reference);
    if (problem.cause == ToolProblem::Cause::Fault) {
      err << *o.reference << ": " << problem.text << "\n";
      return kExitParseFault;
    }
    if (problem) {
      err << "automaten-cli: " << problem.text << "\n";
      return kExitTooLarge;
    }
  }

  GradingSetup setup;
  setup.kind = o.kind;
  setup.maxSteps = o.maxSteps;
  setup.jobs = o.jobs;
  const std::vector<ProgramReport> reports =
      GradePrograms(setup, o.programs, shared ? &*shared : nullptr, reference ? &*reference : nullptr);

  // With a report on standard output, the lines per program go to standard error.
  const bool reportOut =
      std::any_of(o.reports.begin(), o.reports.end(), [](const ReportFile& r) { return r.path == "-"; });
  std::ostream& lines = reportOut ? err : out;
  std::size_t passed = 0, failed = 0;
  bool unreadable = false, faulty = false;
  for (const ProgramReport& p : reports) {
    std::ostream& out = lines;
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
    } else if (!p.lineFaults.empty()) {
      out << ", Zeile " << p.lineFaults.front().line << ": " << p.lineFaults.front().reason;
    } else if (const CaseReport* c = p.FirstFailure()) {
      if (c->line == 0)
        out << ", Sprache: " << c->got;
      else
        out << ", Zeile " << c->line << ": " << c->word << " -> " << c->expected << ", erhalten " << c->got;
    }
    if (p.NoCases()) {
      out << ", keine Testfälle";  // no case is no pass
      ++failed;
    }
    out << "\n";
  }
  lines << passed << " passed, " << failed << " failed\n";
  lines.flush();

  bool written = true;
  for (const ReportFile& r : o.reports) written = WriteReport(r.path, r.write(reports), out, err) && written;
  if (unreadable || !written) return kExitNoInput;
  if (faulty) return kExitParseFault;
  return failed > 0 ? kExitRejected : kExitAccepted;
}

}  // namespace automaten
