#include "cli_runner.h"

#include <istream>
#include <optional>
#include <ostream>

#include "cli_common.h"
#include "control/examples.h"
#include "control/headless.h"
#include "control/kinds.h"
#include "diagram/layout.h"
#include "engine/diagram.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "io/programfile.h"

namespace automaten {

namespace {

const char kUsage[] =
    "usage: automaten-cli --kind KIND [--tape WORD | --tape-file FILE] [--width N] [--max-steps N] [--trace] PROGRAM\n"
    "       automaten-cli --kind KIND --example [--tape WORD | --tape-file FILE] [--width N] [--max-steps N] "
    "[--trace]\n"
    "\n"
    "  KIND          dea, akz, nea, ka or tm\n"
    "  PROGRAM       a program file (Windows-1252 or UTF-8), or - for standard input\n"
    "  --example     run the kind's built-in example program (and its tape)\n"
    "  --tape WORD   the input tape (default: empty, or the example's tape)\n"
    "  --tape-file FILE  the input tape from a file of one line, read like a program file;\n"
    "                - for standard input when the program comes from a file\n"
    "  --width N     visible tape cells, 8 to 65535 (default 60)\n"
    "  --max-steps N stop after N timer ticks (default 1000000)\n"
    "  --trace       print one line per step: steps, state, transition, tape\n"
    "  --no-loop-check  run an endless Turing machine up to --max-steps\n"
    "  --diagram FILE   write the program's state diagram (.dot, .svg or .png) instead of running it\n"
    "\n"
    "exit status: 0 accepted or function value, 1 not accepted or undefined,\n"
    "2 program fault, 3 still running after N steps, 4 endless run proved,\n"
    "64 bad arguments, 65 a diagram too large to lay out, 66 unreadable program or tape file\n"
    "or unwritable diagram\n";

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
  std::optional<std::string> diagram;  // the file, and by its ending the format
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

// Fills o from the arguments; returns an error text, empty when all is well.
std::string ParseArguments(const std::vector<std::string>& args, Options& o) {
  for (const std::string& a : args)
    if (!IsValidUtf8(a)) return "an argument is not valid UTF-8";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--kind" || a == "--tape" || a == "--tape-file" || a == "--width" ||
                            a == "--max-steps" || a == "--diagram";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    if (a == "--kind") {
      const std::string& k = args[++i];
      o.kindGiven = KindFromCliName(k, o.kind);
      if (!o.kindGiven) return "unknown kind '" + k + "'";
    } else if (a == "--tape") {
      std::string tape;
      if (!Utf8ToCp1252(args[++i], tape)) return "the tape holds a character Windows-1252 cannot hold";
      o.tape = tape;
    } else if (a == "--diagram") {
      o.diagram = args[++i];
      if (DiagramFormat(*o.diagram).empty()) return "--diagram takes a file ending in .dot, .svg or .png";
    } else if (a == "--tape-file") {
      o.tapeFile = args[++i];
    } else if (a == "--width") {
      unsigned long long w;
      if (!ParseDecimal(args[++i], 65535, w) || w < 8) return "--width takes a number from 8 to 65535";
      o.width = static_cast<int>(w);
    } else if (a == "--max-steps") {
      if (!ParseDecimal(args[++i], ~0ULL, o.maxSteps)) return "--max-steps takes a whole number from 0 on";
    } else if (a == "--trace") {
      o.trace = true;
    } else if (a == "--no-loop-check") {
      o.loopCheck = false;
    } else if (a == "--example") {
      o.example = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option '" + a + "'";
    } else {
      if (o.program) return "only one program file";
      o.program = a;
    }
  }
  if (!o.kindGiven) return "--kind is missing";
  if (o.example && o.program) return "--example and a program file exclude each other";
  if (!o.example && !o.program) return "a program file or --example is missing";
  if (o.tape && o.tapeFile) return "--tape and --tape-file exclude each other";
  if (o.tapeFile && *o.tapeFile == "-" && (!o.program || *o.program == "-"))
    return "--tape-file - reads standard input only when the program comes from a file";
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

// Reads a file or standard input ("-"); false with the message printed.
bool ReadInput(const std::string& name, const char* what, std::size_t limit, std::istream& in, std::ostream& err,
               std::string& text) {
  const ProgramFile file = name == "-" ? ReadStream(in, limit) : ReadProgramFile(name, limit);
  switch (file.status) {
    case ProgramFile::Status::Ok: break;
    case ProgramFile::Status::Unreadable:
    case ProgramFile::Status::Directory:
    case ProgramFile::Status::NotRegular:
      err << "automaten-cli: cannot read " << name << ": " << file.systemError << "\n";
      return false;
    // What the window refuses to open is no program here either.
    case ProgramFile::Status::TooLarge:
    case ProgramFile::Status::HasNul:
      err << "automaten-cli: " << name << " is no " << what << ": "
          << (file.status == ProgramFile::Status::TooLarge
                  ? std::string("larger than ") + (limit == kMaxProgramBytes ? "1 MiB" : "64 MiB")
                  : std::string("it holds NUL bytes"))
          << "\n";
      return false;
  }
  text = DecodeProgram(file.bytes);
  return true;
}

// A tape file holds one line; a line break at its end is no part of the tape.
bool ReadTapeFile(const std::string& name, std::istream& in, std::ostream& err, std::string& tape) {
  std::string text;
  if (!ReadInput(name, "tape", kMaxTapeBytes, in, err, text)) return false;
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (text.find('\n') != std::string::npos) {
    err << "automaten-cli: " << name << " is no tape: it holds more than one line\n";
    return false;
  }
  tape = ToMachineText(text);
  return true;
}

void TraceLine(const PlainView& view, std::ostream& out) {
  out << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\t' << Cp1252ToUtf8(view.LabelText(Label::LZustand)) << '\t'
      << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\t' << Cp1252ToUtf8(view.FieldText(Field::EBand)) << '\n';
}

// The program's state diagram, written by Graphviz; the machine does not run.
int WriteDiagram(const Options& o, const std::string& programText, std::ostream& err) {
  const Program program = ParseProgram(o.kind, MachineLines(o.example ? ExampleText(o.kind) : programText));
  if (!program.Ok()) {
    for (const ParseFault& fault : program.faults) err << Cp1252ToUtf8(FaultMessage(fault)) << '\n';
    return kExitParseFault;
  }
  const Diagram diagram = MakeDiagram(program);
  if (CanLayOut() && TooLargeToLayOut(diagram)) {
    err << "automaten-cli: the diagram has " << diagram.nodes.size() << " states and " << diagram.edges.size()
        << " edges, more than can be laid out (" << kMaxDiagramStates << " states, " << kMaxDiagramEdges << " edges)\n";
    return kExitTooLarge;
  }
  std::string error;
  if (!RenderDiagram(diagram, DiagramFormat(*o.diagram), *o.diagram, error)) {
    err << "automaten-cli: cannot write " << *o.diagram << ": " << error << "\n";
    return kExitNoInput;
  }
  return kExitAccepted;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "test") return RunGrading({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && (args[0] == "convert" || args[0] == "minimize" || args[0] == "compare"))
    return RunLanguageTool(args[0], {args.begin() + 1, args.end()}, out, err);
  Options o;
  const std::string problem = ParseArguments(args, o);
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kUsage;
    return kExitUsage;
  }

  std::string program;
  if (o.program && !ReadInput(*o.program, "program", kMaxProgramBytes, in, err, program)) return kExitNoInput;
  if (o.tapeFile) {
    std::string tape;
    if (!ReadTapeFile(*o.tapeFile, in, err, tape)) return kExitNoInput;
    o.tape = tape;
  }

  if (o.diagram) return WriteDiagram(o, program, err);

  HeadlessSetup setup;
  setup.kind = o.kind;
  setup.width = o.width;
  setup.loopCheck = o.loopCheck;
  if (!o.example) setup.program = program;
  setup.tape = o.tape;
  setup.onMessage = [&err](const std::string& text) { err << Cp1252ToUtf8(text) << '\n'; };
  HeadlessRun run(setup);
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
      << "Band: " << Cp1252ToUtf8(view.FieldText(Field::EBand)) << '\n';
  if (InfoOf(o.kind).secondFieldShown) out << "Ausgabe: " << Cp1252ToUtf8(view.FieldText(Field::EAusgabe)) << '\n';
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
