// automaten-cli test: the command line of the grading (control/grading.h):
// its arguments, a line per program, the report files.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <ostream>

#include "cli_options.h"
#include "cli_runner.h"
#include "control/grading.h"
#include "control/kinds.h"
#include "engine/encoding.h"
#include "io/programfile.h"
#include "io/wholefile.h"

namespace automaten {

namespace {

const char kGradingUsage[] =
    "Aufruf: automaten-cli test --kind ART [--tests DATEI] [--reference DATEI [--alphabet ZEICHEN]]\n"
    "                           [--reference-regex AUSDRUCK]\n"
    "                           [--max-steps N]\n"
    "                           [--jobs N] [--junit DATEI] [--csv DATEI] [--csv-excel DATEI]\n"
    "                           [--summary DATEI] [--summary-excel DATEI] [--] PROGRAMM...\n"
    "\n"
    "  prüft jedes Programm an seinen Testfällen (Zeilen \"; Test: WORT -> ERWARTUNG\")\n"
    "  oder an denen von --tests (Zeilen \"WORT -> ERWARTUNG\"); ERWARTUNG ist akzeptiert,\n"
    "  nicht akzeptiert, Ausgabe WORT, Wert N oder Endlosschleife; ein Programm ohne\n"
    "  Testfall gilt als nicht bestanden (\"keine Testfälle\")\n"
    "  --reference DATEI  jedes Programm auch mit einer Musterlösung vergleichen (akz, nea, dea):\n"
    "                 die Zeile Sprache, über den Zeichen der Musterlösung\n"
    "  --alphabet ZEICHEN  mit --reference: über diesen Zeichen vergleichen\n"
    "  --reference-regex AUSDRUCK  statt einer Musterlösung ein regulärer Ausdruck (akz, nea)\n"
    "  --max-steps N  Takte, die ein Fall laufen darf (ohne: 1000000)\n"
    "  --jobs N       Programme, die zugleich bewertet werden (ohne: so viele wie Kerne)\n"
    "  --junit DATEI  ein Bericht in JUnit-XML für einen CI-Server\n"
    "  --csv DATEI    eine Zeile je Fall; --csv-excel DATEI dasselbe für eine deutsche\n"
    "                 Tabellenkalkulation (durch ; getrennt, UTF-8 mit Byte-Order-Mark)\n"
    "  --summary DATEI  eine Zeile je Programm: bestanden, gesamt, Punkte, erster Fehler;\n"
    "                 --summary-excel DATEI dasselbe für eine deutsche Tabellenkalkulation\n"
    "  DATEI - schreibt den Bericht auf die Standardausgabe (die Zeilen je Programm gehen\n"
    "  dann auf die Standardfehlerausgabe)\n"
    "\n"
    "Rückgabewert: 0 alles bestanden, 1 ein Fall nicht bestanden oder ein Programm ohne Testfall,\n"
    "2 ein Programm mit Fehler, 64 falsche Argumente (auch ein Bericht, der eines der Programme\n"
    "oder eine Datei anderer Art ersetzen würde), 66 eine Datei nicht lesbar oder ein Bericht\n"
    "nicht schreibbar, 74 Standardausgabe nicht schreibbar\n";

// A report file, how it is written, and the first words a file of its kind begins with.
struct ReportFile {
  std::string path;
  std::string (*write)(const std::vector<ProgramReport>&);
  const char* begins;
};

std::string Junit(const std::vector<ProgramReport>& r) { return JUnitReport(r); }
std::string Csv(const std::vector<ProgramReport>& r) { return CsvReport(r, CsvForm::Plain); }
std::string CsvExcel(const std::vector<ProgramReport>& r) { return CsvReport(r, CsvForm::Spreadsheet); }
std::string Summary(const std::vector<ProgramReport>& r) { return SummaryReport(r, CsvForm::Plain); }
std::string SummaryExcel(const std::vector<ProgramReport>& r) { return SummaryReport(r, CsvForm::Spreadsheet); }

struct GradingOptions {
  MachineKind kind = MachineKind::DEA;
  bool kindGiven = false;
  std::optional<std::string> tests, reference, referenceRegex, alphabet;
  std::vector<ReportFile> reports;
  unsigned long long maxSteps = kDefaultStepBound;
  unsigned jobs = 0;
  std::vector<std::string> programs;
};

std::string ParseGradingArguments(const std::vector<std::string>& args, GradingOptions& o, CliRequest& request) {
  struct Writer {
    const char* option;
    std::string (*write)(const std::vector<ProgramReport>&);
    const char* begins;
  };
  const Writer writers[] = {{"junit", Junit, "<?xml"},
                            {"csv", Csv, "programm,zeile"},
                            {"csv-excel", CsvExcel, "\xEF\xBB\xBFprogramm;zeile"},
                            {"summary", Summary, "programm,bestanden"},
                            {"summary-excel", SummaryExcel, "\xEF\xBB\xBFprogramm;bestanden"}};
  std::vector<CliOption> options = {
      {"kind", true},     {"tests", true},     {"reference", true}, {"reference-regex", true},
      {"alphabet", true}, {"max-steps", true}, {"jobs", true}};
  for (const Writer& w : writers) options.push_back({w.option, true});
  const std::string problem = ReadOptions(
      args, options,
      [&o, &writers](const std::string& name, const std::string& value) -> std::string {
        unsigned long long n = 0;
        if (name == "kind") {
          o.kindGiven = KindFromCliName(value, o.kind);
          if (!o.kindGiven) return UnknownKind(value);
        } else if (name == "tests") {
          o.tests = value;
        } else if (name == "reference") {
          o.reference = value;
        } else if (name == "reference-regex") {
          o.referenceRegex = value;
        } else if (name == "alphabet") {
          std::string symbols;
          if (!Utf8ToCp1252(value, symbols))
            return "das Alphabet enthält ein Zeichen, das es in Windows-1252 nicht gibt";
          o.alphabet = symbols;
        } else if (name == "max-steps") {
          if (!ParseDecimal(value, ~0ULL, o.maxSteps)) return "--max-steps braucht eine ganze Zahl ab 0";
        } else if (name == "jobs") {
          if (!ParseDecimal(value, 256, n) || n == 0) return "--jobs braucht eine Zahl von 1 bis 256";
          o.jobs = static_cast<unsigned>(n);
        } else {
          for (const Writer& w : writers)
            if (name == w.option) o.reports.push_back({value, w.write, w.begins});
        }
        return "";
      },
      o.programs, request);
  if (!problem.empty() || request != CliRequest::Run) return problem;
  if (!o.kindGiven) return "--kind fehlt";
  if (o.programs.empty()) return "kein Programm zum Bewerten";
  if (o.reference && o.referenceRegex) return "--reference oder --reference-regex, nicht beide";
  if (o.alphabet && !o.reference && !o.referenceRegex) return "--alphabet gilt nur mit --reference";
  if (std::count_if(o.reports.begin(), o.reports.end(), [](const ReportFile& r) { return r.path == "-"; }) > 1)
    return "nur ein Bericht kann auf die Standardausgabe gehen";
  return "";
}

// Whether a report may go to its file, checked before anything is graded:
// a folder, pipe or device is refused (66), and so are one of the programs
// graded and a file that is there and is no report of the same kind (64),
// so that "--csv abgaben/*.txt" never turns a submission into a table.
// The exit status, or 0; the message printed.
int CheckReportTarget(const ReportFile& r, const std::vector<std::string>& programs, std::ostream& err) {
  if (r.path == "-") return 0;
  std::string why;
  if (!WritableTarget(r.path, why)) {
    err << "automaten-cli: " << r.path << " kann nicht geschrieben werden: " << why << "\n";
    return kExitNoInput;
  }
  struct stat target {};
  if (::stat(r.path.c_str(), &target) != 0) return 0;  // a new file, or a link to none
  for (const std::string& program : programs) {
    struct stat info {};
    if (program == r.path ||
        (::stat(program.c_str(), &info) == 0 && info.st_dev == target.st_dev && info.st_ino == target.st_ino)) {
      err << "automaten-cli: der Bericht " << r.path << " wäre eines der bewerteten Programme\n";
      return kExitUsage;
    }
  }
  // A symbolic link is replaced, never the file it names: its content does not matter.
  struct stat link {};
  if (::lstat(r.path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) return 0;
  std::ifstream file(r.path, std::ios::binary);
  std::string head(64, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(file.gcount()));
  if (!head.empty() && head.rfind(r.begins, 0) != 0) {
    err << "automaten-cli: " << r.path << " ist kein Bericht dieser Art und wird nicht überschrieben\n";
    return kExitUsage;
  }
  return 0;
}

// A report to its file, whole or not at all, or to `out` for "-"; false with the reason printed.
bool WriteReport(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err) {
  if (path == "-") {
    out << text;
    out.flush();
    return static_cast<bool>(out);
  }
  std::string why;
  if (WriteWhole(path, text, why)) return true;
  err << "automaten-cli: " << path << " kann nicht geschrieben werden: " << why << "\n";
  return false;
}

}  // namespace

int RunGrading(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  GradingOptions o;
  CliRequest request = CliRequest::Run;
  const std::string problem = ParseGradingArguments(args, o, request);
  if (AnswerRequest(request, kGradingUsage, out)) return kExitAccepted;
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kGradingUsage;
    return kExitUsage;
  }
  std::optional<TestSuite> shared;
  if (o.tests) {
    std::vector<std::string> lines;
    std::string text, why;
    if (!ReadGradingFile(*o.tests, lines, text, why)) {
      err << "automaten-cli: " << *o.tests << " kann nicht gelesen werden: " << why << "\n";
      return kExitNoInput;
    }
    shared = TestCasesOfFile(lines);
  }

  std::optional<Reference> reference;
  if (o.referenceRegex) {  // the expression's minimal acceptor is the reference
    if (o.kind != MachineKind::Akz && o.kind != MachineKind::NEA) {
      err << "automaten-cli: Mit einem Ausdruck verglichen werden Akzeptoren und NEA.\n";
      return kExitUsage;
    }
    const MadeAcceptor made = AcceptorOfRegex(*o.referenceRegex);
    if (made.problem) {
      err << "automaten-cli: " << made.problem.text << "\n";
      return made.problem.cause == ToolProblem::Cause::Fault ? kExitParseFault : kExitTooLarge;
    }
    reference.emplace();
    const ToolProblem problem =
        MakeReference(MachineKind::Akz, "Ausdruck " + *o.referenceRegex, MachineLines(made.text), *reference);
    if (o.alphabet) reference->alphabet = *o.alphabet;
    if (problem) {
      err << "automaten-cli: " << problem.text << "\n";
      return kExitTooLarge;
    }
  }
  if (o.reference) {
    if (!Accepts(LanguageTool::Compare, o.kind)) {
      err << "automaten-cli: Mit einer Referenz vergleichen lassen sich nur DEA, Akzeptoren und NEA; "
             "für Kellerautomaten und Turingmaschinen ist die Gleichheit nicht entscheidbar.\n";
      return kExitUsage;
    }
    std::vector<std::string> lines;
    std::string text, why;
    if (!ReadGradingFile(*o.reference, lines, text, why)) {
      err << "automaten-cli: " << *o.reference << " kann nicht gelesen werden: " << why << "\n";
      return kExitNoInput;
    }
    // A reference of another kind names it in its line "; Art: ...": an NEA for acceptors.
    MachineKind referenceKind = o.kind;
    KindOfProgram(text, referenceKind);
    if (const ToolProblem refused = CheckKindsToCompare(o.kind, referenceKind)) {
      err << "automaten-cli: " << refused.text << "\n";
      return kExitUsage;
    }
    reference.emplace();
    const ToolProblem problem = MakeReference(referenceKind, *o.reference, lines, *reference);
    if (o.alphabet) reference->alphabet = *o.alphabet;
    if (problem.cause == ToolProblem::Cause::Fault) {
      err << *o.reference << ": " << problem.text << "\n";
      return kExitParseFault;
    }
    if (problem) {
      err << "automaten-cli: " << problem.text << "\n";
      return kExitTooLarge;
    }
  }

  for (const ReportFile& r : o.reports)
    if (const int refused = CheckReportTarget(r, o.programs, err)) return refused;

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
      err << "automaten-cli: " << p.name << " kann nicht gelesen werden: " << p.unreadable << "\n";
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
  lines << passed << " bestanden, " << failed << " fehlgeschlagen\n";
  lines.flush();

  bool written = true;
  for (const ReportFile& r : o.reports) written = WriteReport(r.path, r.write(reports), out, err) && written;
  if (unreadable || !written) return kExitNoInput;
  if (faulty) return kExitParseFault;
  return failed > 0 ? kExitRejected : kExitAccepted;
}

}  // namespace automaten
