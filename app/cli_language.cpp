// automaten-cli convert, minimize and compare: the language tools for the
// finite kinds on program files.
#include <ostream>

#include "cli_runner.h"
#include "control/testcases.h"
#include "control/tools.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "io/programfile.h"

namespace automaten {

namespace {

const char kLanguageUsage[] =
    "usage: automaten-cli convert --kind nea PROGRAM      the NEA as a deterministic acceptor\n"
    "       automaten-cli minimize --kind akz PROGRAM     the minimal acceptor (nea: converted first)\n"
    "       automaten-cli compare --kind KIND A B         the shortest word on which A and B differ\n"
    "                                                     (akz, nea: accepted; dea: the output tape)\n"
    "\n"
    "exit status: 0 written, or equal; 1 a counterexample; 2 a program fault; 64 bad arguments\n"
    "or a kind the tool does not decide; 65 a result too large; 66 an unreadable file\n";

// Reads a program's lines; false with the message printed.
bool Read(const std::string& path, std::vector<std::string>& lines, std::ostream& err) {
  const ProgramFile file = ReadProgramFile(path, kMaxProgramBytes);
  if (file.status != ProgramFile::Status::Ok) {
    err << "automaten-cli: cannot read " << path << (file.systemError.empty() ? std::string() : ": " + file.systemError)
        << "\n";
    return false;
  }
  lines = MachineLines(DecodeProgram(file.bytes));
  return true;
}

// A tool's problem printed; the exit status for it.
int Report(const ToolProblem& problem, const std::string& path, std::ostream& err) {
  if (problem.cause == ToolProblem::Cause::Fault) {
    for (const std::string& fault : problem.faults) err << path << ": " << fault << '\n';
    return kExitParseFault;
  }
  err << "automaten-cli: " << problem.text << "\n";
  return problem.cause == ToolProblem::Cause::Refused ? kExitUsage : kExitTooLarge;
}

}  // namespace

int RunLanguageTool(const std::string& tool, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err) {
  MachineKind kind = MachineKind::DEA;
  bool kindGiven = false;
  std::vector<std::string> files;
  std::string problem;
  for (std::size_t i = 0; i < args.size() && problem.empty(); ++i) {
    if (args[i] == "--kind") {
      if (i + 1 >= args.size())
        problem = "--kind needs a value";
      else if (!(kindGiven = KindFromCliName(args[++i], kind)))
        problem = "unknown kind '" + args[i] + "'";
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      problem = "unknown option '" + args[i] + "'";
    } else {
      files.push_back(args[i]);
    }
  }
  const LanguageTool which = tool == "compare"    ? LanguageTool::Compare
                             : tool == "minimize" ? LanguageTool::Minimize
                                                  : LanguageTool::MakeAcceptor;
  const std::size_t wanted = which == LanguageTool::Compare ? 2 : 1;
  if (problem.empty() && !kindGiven) problem = "--kind is missing";
  if (problem.empty() && files.size() != wanted)
    problem = which == LanguageTool::Compare ? "compare takes two program files" : tool + " takes one program file";
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kLanguageUsage;
    return kExitUsage;
  }
  if (!Accepts(which, kind)) {
    const char* undecidable = InfoOf(kind).undecidable;
    err << "automaten-cli: "
        << (undecidable != nullptr                ? undecidable
            : which == LanguageTool::MakeAcceptor ? "In einen Akzeptor umgewandelt wird ein NEA (--kind nea)."
                                                  : "Minimiert werden Akzeptoren (--kind akz) und NEA (--kind nea).")
        << "\n";
    return kExitUsage;
  }

  std::vector<std::string> a, b;
  if (!Read(files[0], a, err)) return kExitNoInput;
  if (which == LanguageTool::Compare) {
    // The first program's fault is told before the second file is read.
    if (const ToolProblem fault = CheckForTool(which, kind, a)) return Report(fault, files[0], err);
    if (!Read(files[1], b, err)) return kExitNoInput;
    const Comparison c = CompareWith(kind, a, b);
    if (c.problem) return Report(c.problem, files[c.problem.other ? 1 : 0], err);
    const Difference& d = c.difference;
    if (d.equal) {
      out << "gleich\n";
      return kExitAccepted;
    }
    out << "Gegenbeispiel: " << WordText(d.word) << "\n";
    if (kind == MachineKind::DEA)
      out << "Ausgabe " << files[0] << ": " << WordText(d.firstOutput) << "\n"
          << "Ausgabe " << files[1] << ": " << WordText(d.secondOutput) << "\n";
    else
      out << "akzeptiert von " << (d.firstAccepts ? files[0] : files[1]) << ", nicht von "
          << (d.firstAccepts ? files[1] : files[0]) << "\n";
    return kExitRejected;
  }
  const bool minimal = which == LanguageTool::Minimize;
  const MadeAcceptor made =
      MakeAcceptor(kind, a, minimal, (minimal ? "Minimaler Akzeptor zu " : "Akzeptor aus dem NEA ") + files[0]);
  if (made.problem) return Report(made.problem, files[0], err);
  out << EncodeProgram(made.text);
  return kExitAccepted;
}

}  // namespace automaten
