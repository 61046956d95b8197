// automaten-cli convert, minimize and compare: the language tools for the
// finite kinds on program files.
#include <ostream>

#include "cli_runner.h"
#include "control/kinds.h"
#include "engine/encoding.h"
#include "engine/language.h"
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

// Reads and parses a program; false with the message printed and the exit code set.
bool Load(const std::string& path, MachineKind kind, Program& program, std::ostream& err, int& code) {
  const ProgramFile file = ReadProgramFile(path, kMaxProgramBytes, /*regularOnly=*/true);
  if (file.status != ProgramFile::Status::Ok) {
    err << "automaten-cli: cannot read " << path << (file.systemError.empty() ? std::string() : ": " + file.systemError)
        << "\n";
    code = kExitNoInput;
    return false;
  }
  program = ParseProgram(kind, MachineLines(DecodeProgram(file.bytes)));
  if (program.Ok()) return true;
  for (const ParseFault& fault : program.faults) err << path << ": " << Cp1252ToUtf8(FaultMessage(fault)) << '\n';
  code = kExitParseFault;
  return false;
}

std::string Shown(const std::string& word) { return word.empty() ? std::string("\"\"") : Cp1252ToUtf8(word); }

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
  const std::size_t wanted = tool == "compare" ? 2 : 1;
  if (problem.empty() && !kindGiven) problem = "--kind is missing";
  if (problem.empty() && files.size() != wanted)
    problem = tool == "compare" ? "compare takes two program files" : tool + " takes one program file";
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kLanguageUsage;
    return kExitUsage;
  }
  // The kinds whose languages the tools decide.
  const char* refusal = nullptr;
  if (kind == MachineKind::KA)
    refusal = "Ob zwei Kellerautomaten dieselbe Sprache akzeptieren, ist nicht entscheidbar.";
  else if (kind == MachineKind::TM)
    refusal = "Was eine Turingmaschine berechnet, lässt sich nicht allgemein vergleichen oder umformen.";
  else if (tool == "convert" && kind != MachineKind::NEA)
    refusal = "In einen Akzeptor umgewandelt wird ein NEA (--kind nea).";
  else if (tool == "minimize" && kind == MachineKind::DEA)
    refusal = "Minimiert werden Akzeptoren (--kind akz) und NEA (--kind nea).";
  if (refusal != nullptr) {
    err << "automaten-cli: " << refusal << "\n";
    return kExitUsage;
  }

  int code = kExitAccepted;
  Program a, b;
  if (!Load(files[0], kind, a, err, code)) return code;
  if (wanted == 2 && !Load(files[1], kind, b, err, code)) return code;
  std::string error;
  if (tool == "compare") {
    Difference d;
    if (!ComparePrograms(a, b, d, error)) {
      err << "automaten-cli: " << error << "\n";
      return kExitTooLarge;
    }
    if (d.equal) {
      out << "gleich\n";
      return kExitAccepted;
    }
    out << "Gegenbeispiel: " << Shown(d.word) << "\n";
    if (kind == MachineKind::DEA)
      out << "Ausgabe " << files[0] << ": " << Shown(d.firstOutput) << "\n"
          << "Ausgabe " << files[1] << ": " << Shown(d.secondOutput) << "\n";
    else
      out << "akzeptiert von " << (d.firstAccepts ? files[0] : files[1]) << ", nicht von "
          << (d.firstAccepts ? files[1] : files[0]) << "\n";
    return kExitRejected;
  }
  Dfa dfa;
  std::string text;
  const bool made = MakeDfa(a, dfa, error);
  if (made && tool == "minimize") dfa = Minimize(dfa);
  const std::string heading = (tool == "minimize" ? "Minimaler Akzeptor zu " : "Akzeptor aus dem NEA ") + files[0];
  if (!made || !AcceptorText(dfa, heading, text, error)) {
    err << "automaten-cli: " << error << "\n";
    return kExitTooLarge;
  }
  out << EncodeProgram(text);
  return kExitAccepted;
}

}  // namespace automaten
