// automaten-cli convert, minimize, compare, regex, toregex, grammar and
// fromgrammar: the language tools for the finite kinds on program files,
// regular expressions and grammars.
#include <optional>
#include <ostream>

#include "cli_options.h"
#include "cli_runner.h"
#include "control/kinds.h"
#include "control/testcases.h"
#include "control/tools.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "io/programfile.h"
#include "io/reports.h"

namespace automaten {

namespace {

const char kLanguageUsage[] =
    "Aufruf: automaten-cli convert --kind nea PROGRAMM    den NEA als deterministischen Akzeptor\n"
    "        automaten-cli minimize --kind akz PROGRAMM   den minimalen Akzeptor (nea: erst umgewandelt)\n"
    "        automaten-cli compare --kind ART A B         das kürzeste Wort, auf dem A und B sich\n"
    "                                                     unterscheiden (akz, nea: akzeptiert;\n"
    "                                                     dea: das Ausgabeband)\n"
    "        automaten-cli compare --kind-a ART --kind-b ART A B   A und B verschiedener Art,\n"
    "                                                     ein NEA und ein Akzeptor\n"
    "        automaten-cli compare --kind ART A --reference-regex AUSDRUCK   A mit einem regulären\n"
    "                                                     Ausdruck vergleichen (akz, nea)\n"
    "        automaten-cli regex AUSDRUCK                 der minimale Akzeptor eines regulären Ausdrucks\n"
    "        automaten-cli toregex --kind akz|nea PROGRAMM   ein regulärer Ausdruck für die Sprache\n"
    "        automaten-cli grammar --kind akz|nea PROGRAMM   eine rechtslineare Grammatik dafür\n"
    "        automaten-cli fromgrammar DATEI              der minimale Akzeptor einer rechtslinearen\n"
    "                                                     Grammatik (\"S -> 0A | 1S | ε\", eine Regel je Zeile)\n"
    "\n"
    "  AUSDRUCK: Zeichen, Verkettung, | * + ? und Klammern; ε oder () ist das leere Wort, ∅ keines,\n"
    "  \\ nimmt ein Sonderzeichen wörtlich.\n"
    "  Ohne --kind gilt die Art, die die Datei in ihrer Zeile \"; Art: ...\" nennt.\n"
    "\n"
    "Rückgabewert: 0 geschrieben, oder gleich; 1 ein Gegenbeispiel; 2 Fehler in einem Programm;\n"
    "64 falsche Argumente oder eine Art, für die das Werkzeug nicht entscheidet; 65 Ergebnis zu\n"
    "groß; 66 eine Datei nicht lesbar; bei regex und fromgrammar 2 ein Fehler im Ausdruck oder in\n"
    "der Grammatik\n";

// Reads a program's lines, and the kind its line "; Art: ..." names (when
// `kind` is not given yet); false with the message printed.
bool Read(const std::string& path, std::vector<std::string>& lines, std::optional<MachineKind>& kind,
          std::ostream& err) {
  const ProgramFile file = ReadProgramFile(path, kMaxProgramBytes);
  if (file.status != ProgramFile::Status::Ok) {
    err << "automaten-cli: " << path << " kann nicht gelesen werden"
        << (file.error == 0 ? std::string() : ": " + SystemReason(file.error)) << "\n";
    return false;
  }
  const std::string text = DecodeProgram(file.bytes);
  MachineKind named = MachineKind::DEA;
  if (!kind && KindOfProgram(text, named)) kind = named;
  lines = MachineLines(text);
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

// An acceptor made, printed in the bytes "Speichern" writes; the exit status.
int Print(const MadeAcceptor& made, const std::string& source, std::ostream& out, std::ostream& err) {
  if (made.problem) return Report(made.problem, source, err);
  const std::string program = EncodeProgram(made.text);
  if (program.size() > kMaxProgramBytes)
    err << "automaten-cli: Warnung: das Ergebnis ist " << program.size() / 1024
        << " KiB groß; Fenster und automaten-cli lesen Programme nur bis 1 MiB\n";
  out << program;
  return kExitAccepted;
}

}  // namespace

int RunLanguageTool(const std::string& tool, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err) {
  // The kinds of the two files: --kind for both, --kind-a and --kind-b for
  // each, else the file's line "; Art: ...".
  std::optional<MachineKind> kinds[2];
  std::optional<std::string> referenceRegex;
  std::vector<std::string> files;
  CliRequest request = CliRequest::Run;
  std::string problem = ReadOptions(
      args, {{"kind", true}, {"kind-a", true}, {"kind-b", true}, {"reference-regex", true}},
      [&](const std::string& name, const std::string& value) -> std::string {
        if (name == "reference-regex") {
          if (tool != "compare") return "--reference-regex gilt nur für compare und test";
          referenceRegex = value;
          return "";
        }
        MachineKind k = MachineKind::DEA;
        if (!KindFromCliName(value, k)) return UnknownKind(value);
        if (name != "kind-b") kinds[0] = k;
        if (name != "kind-a") kinds[1] = k;
        return "";
      },
      files, request);
  if (AnswerRequest(request, kLanguageUsage, out)) return kExitAccepted;
  if (tool == "regex" || tool == "fromgrammar") {
    if (problem.empty() && (files.size() != 1 || kinds[0]))
      problem = tool == "regex" ? "regex braucht einen Ausdruck (und keine Art)"
                                : "fromgrammar braucht eine Grammatikdatei (und keine Art)";
    if (!problem.empty()) {
      err << "automaten-cli: " << problem << "\n" << kLanguageUsage;
      return kExitUsage;
    }
    MadeAcceptor made;
    if (tool == "regex") {
      made = AcceptorOfRegex(files[0]);
    } else {
      const ProgramFile file = ReadProgramFile(files[0], kMaxProgramBytes);
      if (file.status != ProgramFile::Status::Ok) {
        err << "automaten-cli: " << files[0] << " kann nicht gelesen werden"
            << (file.error == 0 ? std::string() : ": " + SystemReason(file.error)) << "\n";
        return kExitNoInput;
      }
      made = AcceptorOfGrammar(DecodeProgram(file.bytes), "Minimaler Akzeptor zur Grammatik " + ReportText(files[0]));
    }
    return Print(made, tool == "regex" ? "Ausdruck" : files[0], out, err);
  }
  const bool describes = tool == "toregex" || tool == "grammar";
  const LanguageTool which = tool == "compare"    ? LanguageTool::Compare
                             : tool == "minimize" ? LanguageTool::Minimize
                                                  : LanguageTool::MakeAcceptor;
  const std::size_t wanted = which == LanguageTool::Compare && !referenceRegex ? 2 : 1;
  if (problem.empty() && files.size() != wanted)
    problem = wanted == 2 ? "compare braucht zwei Programmdateien" : tool + " braucht eine Programmdatei";
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kLanguageUsage;
    return kExitUsage;
  }
  const auto missingKind = [&err](const std::string& file) {
    err << "automaten-cli: --kind fehlt, und " << file << " nennt seine Art nicht (Zeile \"; Art: ...\")\n"
        << kLanguageUsage;
    return kExitUsage;
  };

  std::vector<std::string> a, b;
  if (!Read(files[0], a, kinds[0], err)) return kExitNoInput;
  if (!kinds[0]) return missingKind(files[0]);
  const MachineKind kind = *kinds[0];
  if (describes) {
    const Description d = tool == "toregex" ? RegexOfProgram(kind, a) : GrammarOfProgram(kind, a);
    if (d.problem) return Report(d.problem, files[0], err);
    out << d.text << (tool == "toregex" ? "\n" : "");
    return kExitAccepted;
  }
  if (referenceRegex) {  // the expression's minimal acceptor stands in for the second program
    if (kind == MachineKind::DEA) {
      err << "automaten-cli: Mit einem Ausdruck verglichen werden Akzeptoren und NEA.\n";
      return kExitUsage;
    }
    const MadeAcceptor made = AcceptorOfRegex(*referenceRegex);
    if (made.problem) return Report(made.problem, "Ausdruck", err);
    files.push_back("Ausdruck " + *referenceRegex);
    kinds[1] = MachineKind::Akz;
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
  if (which == LanguageTool::Compare) {
    // Kinds that cannot be compared, then the first program's fault, are told before the second file is read.
    if (kinds[1])
      if (const ToolProblem refused = CheckKindsToCompare(kind, *kinds[1])) return Report(refused, files[0], err);
    if (const ToolProblem fault = CheckForTool(which, kind, a)) return Report(fault, files[0], err);
    if (referenceRegex)
      b = MachineLines(AcceptorOfRegex(*referenceRegex).text);
    else if (!Read(files[1], b, kinds[1], err))
      return kExitNoInput;
    if (!kinds[1]) return missingKind(files[1]);
    const Comparison c = CompareWith(kind, a, *kinds[1], b);
    if (c.problem) return Report(c.problem, files[c.problem.other ? 1 : 0], err);
    const Difference& d = c.difference;
    if (d.equal) {
      out << "gleich\n";
      return kExitAccepted;
    }
    out << "Gegenbeispiel: " << WordText(d.word) << "\n";
    if (kind == MachineKind::DEA)  // both outputs, then the verdicts where they differ
      out << "Ausgabe " << files[0] << ": " << WordText(d.firstOutput) << "\n"
          << "Ausgabe " << files[1] << ": " << WordText(d.secondOutput) << "\n";
    if (kind != MachineKind::DEA || d.verdictsDiffer)
      out << "akzeptiert von " << (d.firstAccepts ? files[0] : files[1]) << ", nicht von "
          << (d.firstAccepts ? files[1] : files[0]) << "\n";
    return kExitRejected;
  }
  const bool minimal = which == LanguageTool::Minimize;
  // The file's name goes into a comment line: a line break or other control
  // character in it must not start a program line of its own.
  std::string name = ReportText(files[0]);
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  const MadeAcceptor made =
      MakeAcceptor(kind, a, minimal, (minimal ? "Minimaler Akzeptor zu " : "Akzeptor aus dem NEA ") + name);
  return Print(made, files[0], out, err);
}

}  // namespace automaten
