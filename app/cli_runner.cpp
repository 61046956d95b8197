#include "cli_runner.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>

#include "control/simulation.h"
#include "control/stringview.h"
#include "io/cp1252.h"

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

constexpr std::size_t kMaxProgramBytes = 1 << 20;

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
      const char* names[] = {"dea", "akz", "nea", "ka", "tm"};
      o.kindGiven = false;
      for (int n = 0; n < 5; ++n)
        if (k == names[n]) o.kind = static_cast<MachineKind>(n), o.kindGiven = true;
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

bool ReadFile(const std::string& path, std::string& bytes, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

void TraceLine(const StringView& view, std::ostream& out) {
  out << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\t' << Cp1252ToUtf8(view.LabelText(Label::LZustand))
      << '\t' << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\t'
      << Cp1252ToUtf8(view.FieldText(Field::EBand)) << '\n';
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
    std::string bytes, error;
    if (*o.program == "-") {
      bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else if (!ReadFile(*o.program, bytes, error)) {
      err << "automaten-cli: cannot read " << *o.program << ": " << error << "\n";
      return kExitNoInput;
    }
    // What the window refuses to open is no program here either.
    if (bytes.size() > kMaxProgramBytes || bytes.find('\0') != std::string::npos) {
      err << "automaten-cli: " << *o.program << " is no program: "
          << (bytes.size() > kMaxProgramBytes ? "larger than 1 MiB" : "it holds NUL bytes") << "\n";
      return kExitNoInput;
    }
    program = ProgramTextFromFile(bytes);
  }

  StringView view;
  view.onMessage = [&err](const std::string& text) { err << Cp1252ToUtf8(text) << '\n'; };
  Simulation sim(view);
  sim.FTapeWidth = o.width;
  sim.SelectKind(o.kind);
  if (!o.example) {
    view.SetProgramText(program);
    view.SetFieldText(Field::EBand, "");
  }
  if (o.tape) view.SetFieldText(Field::EBand, *o.tape);

  sim.MIStartenClick();
  if (o.trace) TraceLine(view, out);
  for (unsigned long long tick = 0; tick < o.maxSteps && view.TimerEnabled(); ++tick) {
    sim.Timer1Timer();
    if (o.trace) TraceLine(view, out);
  }

  out << Cp1252ToUtf8(view.LabelText(Label::LZustand)) << '\n'
      << Cp1252ToUtf8(view.LabelText(Label::LBefehl)) << '\n'
      << Cp1252ToUtf8(view.LabelText(Label::LSchritte)) << '\n'
      << "Band: " << Cp1252ToUtf8(view.FieldText(Field::EBand)) << '\n';
  if (o.kind == MachineKind::DEA || o.kind == MachineKind::KA)
    out << "Ausgabe: " << Cp1252ToUtf8(view.FieldText(Field::EAusgabe)) << '\n';
  out << "Meldung: " << Cp1252ToUtf8(view.LabelText(Label::LMeldung)) << '\n';
  out.flush();

  if (!view.messages.empty()) return kExitParseFault;
  if (view.TimerEnabled()) return kExitStillRunning;
  return view.LabelColour(Label::LMeldung) == TextColour::Green && !view.LabelText(Label::LMeldung).empty()
             ? kExitAccepted
             : kExitRejected;
}

}  // namespace automaten
