#include "cli_runner.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>

#include "cli_options.h"
#include "control/examples.h"
#include "control/headless.h"
#include "control/kinds.h"
#include "diagram/layout.h"
#include "engine/diagram.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "io/programfile.h"
#include "io/wholefile.h"

namespace automaten {

namespace {

const char kUsage[] =
    "Aufruf: automaten-cli --kind ART [--tape WORT | --tape-file DATEI] [--width N] [--max-steps N]\n"
    "                      [--trace] [--no-loop-check] [--diagram DATEI] [--] PROGRAMM\n"
    "        automaten-cli --kind ART --example [--tape WORT | --tape-file DATEI] [...]\n"
    "        automaten-cli test --kind ART [...] PROGRAMM...  Programme an ihren Testfällen bewerten\n"
    "        automaten-cli convert --kind nea PROGRAMM        den NEA als deterministischen Akzeptor\n"
    "        automaten-cli minimize --kind akz PROGRAMM       den minimalen Akzeptor\n"
    "        automaten-cli compare --kind ART A B             das kürzeste Wort, auf dem A und B\n"
    "                                                         sich unterscheiden\n"
    "        automaten-cli regex AUSDRUCK                     der minimale Akzeptor eines regulären Ausdrucks\n"
    "        automaten-cli toregex, grammar --kind akz PROGRAMM   Ausdruck, Grammatik der Sprache\n"
    "        automaten-cli fromgrammar DATEI                  der minimale Akzeptor einer Grammatik\n"
    "        automaten-cli BEFEHL --help                      die Hilfe zu test, convert, minimize, compare\n"
    "        automaten-cli --version\n"
    "\n"
    "  ART           dea, akz, nea, ka oder tm\n"
    "  PROGRAMM      eine Programmdatei (Windows-1252 oder UTF-8), oder - für die Standardeingabe\n"
    "  --example     das eingebaute Beispielprogramm der Art ausführen (mit seinem Band)\n"
    "  --tape WORT   das Eingabeband (ohne: leer, oder das Band des Beispiels)\n"
    "  --tape-file DATEI  das Band aus einer Datei mit einer Zeile, gelesen wie eine Programmdatei;\n"
    "                - für die Standardeingabe, wenn das Programm aus einer Datei kommt\n"
    "  --width N     sichtbare Bandfelder, 8 bis 65535 (ohne: 60)\n"
    "  --max-steps N nach N Takten anhalten (ohne: 1000000)\n"
    "  --trace       eine Zeile je Schritt: Schritte, Zustand, Übergang, Band (ein Band über 1024\n"
    "                Felder: die 1024 Felder um den Kopf, ein abgeschnittenes Ende als …)\n"
    "  --no-loop-check  eine endlose Turingmaschine bis --max-steps laufen lassen\n"
    "  --diagram DATEI  statt eines Laufs das Zustandsdiagramm schreiben (.dot, .svg oder .png)\n"
    "  --layout-time S  Sekunden, die Graphviz dafür bekommt (ohne: 10; 0: unbegrenzt), sonst 65\n"
    "  --OPTION=WERT wie --OPTION WERT; nach -- ist jedes Argument eine Datei\n"
    "\n"
    "Rückgabewert: 0 akzeptiert oder Funktionswert, 1 nicht akzeptiert oder undefiniert,\n"
    "2 Fehler im Programm, 3 nach N Takten noch nicht angehalten, 4 Endlosschleife nachgewiesen,\n"
    "64 falsche Argumente, 65 Diagramm zu groß oder zu langsam zum Zeichnen, 66 Programm- oder Banddatei nicht\n"
    "lesbar oder Diagrammdatei nicht schreibbar, 74 Standardausgabe nicht schreibbar (bei jedem\n"
    "Befehl). Jede Datei wird ganz oder gar nicht geschrieben.\n";

struct Options {
  MachineKind kind = MachineKind::DEA;
  bool kindGiven = false;
  std::optional<std::string> tape;  // Windows-1252
  std::optional<std::string> tapeFile;
  int width = kDefaultTapeWidth;
  unsigned long long maxSteps = kDefaultStepBound;
  bool trace = false;
  bool loopCheck = true;
  bool example = false;
  std::optional<std::string> program;
  std::optional<std::string> diagram;     // the file, and by its ending the format
  unsigned long long layoutSeconds = 10;  // Graphviz's time for it; 0: no limit
};

// "dot", "svg" or "png" by a file name's ending; empty for any other.
std::string DiagramFormat(const std::string& file) {
  for (const char* format : {"dot", "svg", "png"}) {
    const std::string ending = std::string(".") + format;
    if (file.size() > ending.size() && file.compare(file.size() - ending.size(), ending.size(), ending) == 0)
      return format;
  }
  return "";
}

// Fills o from the arguments; returns the problem (German), empty when all is well.
std::string ParseArguments(const std::vector<std::string>& args, Options& o, CliRequest& request) {
  for (const std::string& a : args)
    if (!IsValidUtf8(a)) return "ein Argument ist kein gültiges UTF-8";
  std::vector<std::string> operands;
  const std::string problem = ReadOptions(
      args,
      {{"kind", true},
       {"tape", true},
       {"tape-file", true},
       {"width", true},
       {"max-steps", true},
       {"diagram", true},
       {"layout-time", true},
       {"trace", false},
       {"no-loop-check", false},
       {"example", false}},
      [&o](const std::string& name, const std::string& value) -> std::string {
        unsigned long long n = 0;
        if (name == "kind") {
          o.kindGiven = KindFromCliName(value, o.kind);
          if (!o.kindGiven) return UnknownKind(value);
        } else if (name == "tape") {
          std::string tape;
          if (!Utf8ToCp1252(value, tape)) return "das Band enthält ein Zeichen, das es in Windows-1252 nicht gibt";
          o.tape = tape;
        } else if (name == "diagram") {
          o.diagram = value;
          if (DiagramFormat(value).empty()) return "--diagram braucht eine Datei mit der Endung .dot, .svg oder .png";
        } else if (name == "layout-time") {
          if (!ParseDecimal(value, 86400, o.layoutSeconds)) return "--layout-time braucht Sekunden von 0 bis 86400";
        } else if (name == "tape-file") {
          o.tapeFile = value;
        } else if (name == "width") {
          if (!ParseDecimal(value, 65535, n) || n < 8) return "--width braucht eine Zahl von 8 bis 65535";
          o.width = static_cast<int>(n);
        } else if (name == "max-steps") {
          if (!ParseDecimal(value, ~0ULL, o.maxSteps)) return "--max-steps braucht eine ganze Zahl ab 0";
        } else if (name == "trace") {
          o.trace = true;
        } else if (name == "no-loop-check") {
          o.loopCheck = false;
        } else {
          o.example = true;
        }
        return "";
      },
      operands, request);
  if (!problem.empty() || request != CliRequest::Run) return problem;
  if (operands.size() > 1) return "nur eine Programmdatei";
  if (!operands.empty()) o.program = operands[0];
  if (!o.kindGiven) return "--kind fehlt";
  if (o.example && o.program) return "--example und eine Programmdatei schließen einander aus";
  if (!o.example && !o.program) return "eine Programmdatei oder --example fehlt";
  if (o.tape && o.tapeFile) return "--tape und --tape-file schließen einander aus";
  if (o.tapeFile && *o.tapeFile == "-" && (!o.program || *o.program == "-"))
    return "--tape-file - liest die Standardeingabe nur, wenn das Programm aus einer Datei kommt";
  return "";
}

// Standard input, never more than the limit and one byte of it.
ProgramFile ReadStream(std::istream& in, std::size_t limit) {
  std::string bytes;
  char buffer[65536];
  while (bytes.size() <= limit && in.read(buffer, sizeof buffer).gcount() > 0)
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  return CheckProgramBytes(std::move(bytes), limit);
}

// The bytes of a file or standard input ("-"); false with the message printed.
bool ReadBytes(const std::string& name, const char* what, std::size_t limit, std::istream& in, std::ostream& err,
               std::string& bytes) {
  ProgramFile file = name == "-" ? ReadStream(in, limit) : ReadProgramFile(name, limit);
  switch (file.status) {
    case ProgramFile::Status::Ok: break;
    case ProgramFile::Status::Unreadable:
    case ProgramFile::Status::Directory:
    case ProgramFile::Status::NotRegular:
      err << "automaten-cli: " << name << " kann nicht gelesen werden: " << SystemReason(file.error) << "\n";
      return false;
    // What the window refuses to open is no program here either.
    case ProgramFile::Status::TooLarge:
    case ProgramFile::Status::HasNul:
      err << "automaten-cli: " << name << " ist " << what << ": "
          << (file.status == ProgramFile::Status::TooLarge
                  ? std::string("größer als ") + (limit == kMaxProgramBytes ? "1 MiB" : "64 MiB")
                  : std::string("es enthält NUL-Bytes"))
          << "\n";
      return false;
  }
  bytes = std::move(file.bytes);
  return true;
}

// A program file's text, UTF-8.
bool ReadInput(const std::string& name, std::istream& in, std::ostream& err, std::string& text) {
  if (!ReadBytes(name, "kein Programm", kMaxProgramBytes, in, err, text)) return false;
  text = DecodeProgram(text);
  return true;
}

// A tape file holds one line; a line break at its end is no part of the tape.
// Its bytes become the cells where they were read.
bool ReadTapeFile(const std::string& name, std::istream& in, std::ostream& err, std::string& tape) {
  if (!ReadBytes(name, "kein Band", kMaxTapeBytes, in, err, tape)) return false;
  DecodeToMachineText(tape);
  if (!tape.empty() && tape.back() == '\n') tape.pop_back();
  if (tape.find('\n') != std::string::npos) {
    err << "automaten-cli: " << name << " ist kein Band: es hat mehr als eine Zeile\n";
    return false;
  }
  return true;
}

// A field's cells and a line break, written in UTF-8 straight from where
// the simulation keeps them: runs of ASCII as they stand, any other cell
// converted on its own.
void PrintCells(std::string_view cells, std::ostream& out) {
  std::string utf8;
  for (std::size_t i = 0; i < cells.size();) {
    std::size_t ascii = i;
    while (ascii < cells.size() && static_cast<unsigned char>(cells[ascii]) < 0x80) ++ascii;
    out.write(cells.data() + i, static_cast<std::streamsize>(ascii - i));
    if (ascii == cells.size()) break;
    utf8.clear();
    AppendCp1252AsUtf8(utf8, cells.substr(ascii, 1));
    out << utf8;
    i = ascii + 1;
  }
  out << '\n';
}

// A trace line: steps, state, transition and tape. A tape of more cells than
// kTraceCells shows that many around the head, a cut end marked "…": a line
// costs the same on any tape.
constexpr std::size_t kTraceCells = 1024;

std::string TraceTape(const PlainView& view) {
  const std::string_view tape = view.FieldContent(Field::EBand);
  if (tape.size() <= kTraceCells) return Cp1252ToUtf8(tape);
  const long long head = view.markedCell[static_cast<std::size_t>(Field::EBand)];
  const std::size_t centre = head < 0 ? 0 : std::min(static_cast<std::size_t>(head), tape.size());
  const std::size_t from = std::min(centre > kTraceCells / 2 ? centre - kTraceCells / 2 : 0, tape.size() - kTraceCells);
  return (from > 0 ? "…" : "") + Cp1252ToUtf8(tape.substr(from, kTraceCells)) +
         (from + kTraceCells < tape.size() ? "…" : "");
}

void TraceLine(const PlainView& view, std::ostream& out) {
  out << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\t' << Cp1252ToUtf8(view.LabelText(Label::LZustand)) << '\t'
      << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\t' << TraceTape(view) << '\n';
}

// Graphviz's picture within `seconds` (0: no limit). A layout cannot be
// stopped: past the time the message is printed and the process ends with 65.
bool RenderInTime(const Diagram& d, const std::string& format, unsigned long long seconds, std::string& bytes,
                  std::string& error, std::ostream& err) {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  seconds = 0;  // one thread: no watch
#endif
  if (seconds == 0) return RenderDiagram(d, format, bytes, error);
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false, ok = false;
    std::string bytes, error;
  };
  auto shared = std::make_shared<Shared>();
  std::thread([shared, d, format] {
    std::string b, e;
    const bool ok = RenderDiagram(d, format, b, e);
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->ok = ok;
    shared->bytes = std::move(b);
    shared->error = std::move(e);
    shared->finished = true;
    shared->done.notify_all();
  }).detach();
  std::unique_lock<std::mutex> lock(shared->mutex);
  if (!shared->done.wait_for(lock, std::chrono::seconds(seconds), [&shared] { return shared->finished; })) {
    err << "automaten-cli: Graphviz braucht für das Diagramm (" << d.nodes.size() << " Zustände, " << d.edges.size()
        << " Kanten) länger als " << seconds << " s; abgebrochen (--layout-time)\n";
    err.flush();
    std::_Exit(kExitTooLarge);
  }
  bytes = std::move(shared->bytes);
  error = std::move(shared->error);
  return shared->ok;
}

// The program's state diagram, written by Graphviz; the machine does not run.
int WriteDiagram(const Options& o, const std::string& programText, std::ostream& err) {
  const std::vector<std::string> lines = MachineLines(o.example ? ExampleText(o.kind) : programText);
  const Program program = ParseProgram(o.kind, lines);
  if (!program.Ok()) {
    for (const ParseFault& fault : program.faults) err << Cp1252ToUtf8(FaultMessage(fault)) << '\n';
    return kExitParseFault;
  }
  Diagram diagram = MakeDiagram(program);
  Place(diagram, ReadPlaces(lines));
  if (CanLayOut() && TooLargeToLayOut(diagram)) {
    err << "automaten-cli: das Diagramm hat " << diagram.nodes.size() << " Zustände und " << diagram.edges.size()
        << " Kanten, mehr als gezeichnet werden (höchstens " << kMaxDiagramStates << " Zustände und "
        << kMaxDiagramEdges << " Kanten)\n";
    return kExitTooLarge;
  }
  std::string error, bytes;
  if (!RenderInTime(diagram, DiagramFormat(*o.diagram), o.layoutSeconds, bytes, error, err) ||
      !WriteWhole(*o.diagram, bytes, error)) {
    err << "automaten-cli: " << *o.diagram << " kann nicht geschrieben werden: " << error << "\n";
    return kExitNoInput;
  }
  return kExitAccepted;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "test") return RunGrading({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && (args[0] == "convert" || args[0] == "minimize" || args[0] == "compare" || args[0] == "regex" ||
                        args[0] == "toregex" || args[0] == "grammar" || args[0] == "fromgrammar"))
    return RunLanguageTool(args[0], {args.begin() + 1, args.end()}, out, err);
  Options o;
  CliRequest request = CliRequest::Run;
  const std::string problem = ParseArguments(args, o, request);
  if (AnswerRequest(request, kUsage, out)) return kExitAccepted;
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kUsage;
    return kExitUsage;
  }

  std::string program;
  if (o.program && !ReadInput(*o.program, in, err, program)) return kExitNoInput;
  if (o.tapeFile) {
    std::string tape;
    if (!ReadTapeFile(*o.tapeFile, in, err, tape)) return kExitNoInput;
    o.tape = std::move(tape);
  }

  if (o.diagram) {
    std::string why;  // a folder, pipe or device is refused before anything is read or laid out
    if (!WritableTarget(*o.diagram, why)) {
      err << "automaten-cli: " << *o.diagram << " kann nicht geschrieben werden: " << why << "\n";
      return kExitNoInput;
    }
    return WriteDiagram(o, program, err);
  }

  HeadlessSetup setup;
  setup.kind = o.kind;
  setup.width = o.width;
  setup.loopCheck = o.loopCheck;
  if (!o.example) setup.program = program;
  setup.tape = std::move(o.tape);
  setup.onMessage = [&err](const std::string& text) { err << Cp1252ToUtf8(text) << '\n'; };
  HeadlessRun run(std::move(setup));
  const PlainView& view = run.Screen();
  if (o.trace) {
    TraceLine(view, out);
    for (unsigned long long tick = 0; tick < o.maxSteps && run.Tick(); ++tick) TraceLine(view, out);
  } else {
    run.Run(o.maxSteps);  // the display only at the end: the same block
  }

  out << Cp1252ToUtf8(view.LabelText(Label::LZustand)) << '\n'
      << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\n'
      << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\n'
      << "Band: ";
  PrintCells(view.FieldContent(Field::EBand), out);
  if (InfoOf(o.kind).secondFieldShown) {
    out << "Ausgabe: ";
    PrintCells(view.FieldContent(Field::EAusgabe), out);
  }
  out << "Meldung: " << Cp1252ToUtf8(view.LabelText(Label::LMeldung)) << '\n';
  out.flush();

  switch (run.Outcome().result) {
    case RunOutcome::Result::ParseFault: return kExitParseFault;
    case RunOutcome::Result::Accepted:
    case RunOutcome::Result::FunctionValue: return kExitAccepted;
    case RunOutcome::Result::EndlessRun: return kExitEndless;
    case RunOutcome::Result::Running: return kExitStillRunning;
    case RunOutcome::Result::NotAccepted:
    case RunOutcome::Result::ErrorState:
    case RunOutcome::Result::Stopped: break;
  }
  return kExitRejected;
}

}  // namespace automaten
