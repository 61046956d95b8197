#include "cli_runner.h"

#include <istream>
#include <optional>
#include <ostream>

#include "control/kinds.h"
#include "control/simulation.h"
#include "control/stringview.h"
#include "engine/encoding.h"
#include "io/programfile.h"

namespace automaten {

namespace {

const char kUsage[] =
    "usage: automaten-cli --kind KIND [--tape WORD] [--width N] [--max-steps N] [--trace] PROGRAM\n"
    "       automaten-cli --kind KIND --example [--tape WORD] [--width N] [--max-steps N] [--trace]\n"
    "\n"
    "  KIND          dea, akz, nea, ka or tm\n"
    "  PROGRAM       a program file (Windows-1252 or UTF-8), or - for standard input\n"
    "  --example     run the kind's built-in example program (and its tape)\n"
    "  --tape WORD   the input tape (default: empty, or the example's tape)\n"
    "  --width N     visible tape cells, 8 to 65535 (default 60)\n"
    "  --max-steps N stop after N timer ticks (default 1000000)\n"
    "  --trace       print one line per step: steps, state, transition, tape\n"
    "\n"
    "exit status: 0 accepted or function value, 1 not accepted or undefined,\n"
    "2 program fault, 3 still running after N steps, 64 bad arguments, 66 unreadable program\n";

struct Options {
  MachineKind kind = MachineKind::DEA;
  bool kindGiven = false;
  std::optional<std::string> tape;  // Windows-1252
  int width = 60;
  unsigned long long maxSteps = 1000000;
  bool trace = false;
  bool example = false;
  std::optional<std::string> program;
};

bool ParseDecimal(const std::string& s, unsigned long long limit, unsigned long long& value) {
  if (s.empty() || s.size() > 20) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (value > (limit - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

// Fills o from the arguments; returns an error text, empty when all is well.
std::string ParseArguments(const std::vector<std::string>& args, Options& o) {
  for (const std::string& a : args)
    if (!IsValidUtf8(a)) return "an argument is not valid UTF-8";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--kind" || a == "--tape" || a == "--width" || a == "--max-steps";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    if (a == "--kind") {
      const std::string& k = args[++i];
      o.kindGiven = KindFromCliName(k, o.kind);
      if (!o.kindGiven) return "unknown kind '" + k + "'";
    } else if (a == "--tape") {
      std::string tape;
      if (!Utf8ToCp1252(args[++i], tape)) return "the tape holds a character Windows-1252 cannot hold";
      o.tape = tape;
    } else if (a == "--width") {
      unsigned long long w;
      if (!ParseDecimal(args[++i], 65535, w) || w < 8) return "--width takes a number from 8 to 65535";
      o.width = static_cast<int>(w);
    } else if (a == "--max-steps") {
      if (!ParseDecimal(args[++i], ~0ULL, o.maxSteps)) return "--max-steps takes a whole number from 0 on";
    } else if (a == "--trace") {
      o.trace = true;
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
  return "";
}

// Standard input, never more than 1 MiB and one byte of it.
ProgramFile ReadProgramStream(std::istream& in) {
  std::string bytes(kMaxProgramBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return CheckProgramBytes(std::move(bytes));
}

void TraceLine(const StringView& view, std::ostream& out) {
  out << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\t' << Cp1252ToUtf8(view.LabelText(Label::LZustand)) << '\t'
      << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\t' << Cp1252ToUtf8(view.FieldText(Field::EBand)) << '\n';
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  Options o;
  const std::string problem = ParseArguments(args, o);
  if (!problem.empty()) {
    err << "automaten-cli: " << problem << "\n" << kUsage;
    return kExitUsage;
  }

  std::string program;
  if (o.program) {
    const ProgramFile file = *o.program == "-" ? ReadProgramStream(in) : ReadProgramFile(*o.program);
    switch (file.status) {
      case ProgramFile::Status::Ok: break;
      case ProgramFile::Status::Unreadable:
      case ProgramFile::Status::Directory:
        err << "automaten-cli: cannot read " << *o.program << ": " << file.systemError << "\n";
        return kExitNoInput;
      // What the window refuses to open is no program here either.
      case ProgramFile::Status::TooLarge:
      case ProgramFile::Status::HasNul:
        err << "automaten-cli: " << *o.program << " is no program: "
            << (file.status == ProgramFile::Status::TooLarge ? "larger than 1 MiB" : "it holds NUL bytes") << "\n";
        return kExitNoInput;
    }
    program = DecodeProgram(file.bytes);
  }

  StringView view;
  view.onMessage = [&err](const std::string& text) { err << Cp1252ToUtf8(text) << '\n'; };
  Simulation sim(view);
  sim.SetTapeWidth(o.width);
  sim.SelectKind(o.kind);
  if (!o.example) {
    view.SetProgramText(program);
    view.SetFieldText(Field::EBand, "");
  }
  if (o.tape) view.SetFieldText(Field::EBand, *o.tape);

  sim.StartOrStop();
  if (o.trace) TraceLine(view, out);
  for (unsigned long long tick = 0; tick < o.maxSteps && sim.Running(); ++tick) {
    sim.Tick();
    if (o.trace) TraceLine(view, out);
  }

  out << Cp1252ToUtf8(view.LabelText(Label::LZustand)) << '\n'
      << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\n'
      << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\n'
      << "Band: " << Cp1252ToUtf8(view.FieldText(Field::EBand)) << '\n';
  if (InfoOf(o.kind).secondFieldShown) out << "Ausgabe: " << Cp1252ToUtf8(view.FieldText(Field::EAusgabe)) << '\n';
  out << "Meldung: " << Cp1252ToUtf8(view.LabelText(Label::LMeldung)) << '\n';
  out.flush();

  switch (sim.Outcome().kind) {
    case RunOutcome::Kind::ParseFault: return kExitParseFault;
    case RunOutcome::Kind::Accepted:
    case RunOutcome::Kind::FunctionValue: return kExitAccepted;
    case RunOutcome::Kind::NotAccepted: return kExitRejected;
    case RunOutcome::Kind::Running: break;
  }
  // Stopped without a verdict (in the error state F) counts as not accepted.
  return sim.Running() ? kExitStillRunning : kExitRejected;
}

}  // namespace automaten
