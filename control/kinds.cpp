#include "kinds.h"

#include "engine/parser.h"
#include "engine/text.h"

namespace automaten {

namespace {

const char kPushdownUndecidable[] = "Ob zwei Kellerautomaten dieselbe Sprache akzeptieren, ist nicht entscheidbar.";
const char kTuringUndecidable[] =
    "Was eine Turingmaschine berechnet, lässt sich nicht allgemein vergleichen oder umformen.";

const KindInfo kTable[kKindCount] = {
    {MachineKind::DEA, "DEA", "dea", "Simulation endlicher Automat mit Ausgabe", "endlicher &Automat mit Ausgabe",
     "Deterministischer endlicher Automat", "DEA", true, false, false, true, nullptr},
    {MachineKind::Akz, "Akz", "akz", "Simulation Akzeptor", "&Akzeptor", "Akzeptor", "Akzeptor", false, false, true,
     true, nullptr},
    {MachineKind::NEA, "NEA", "nea", "Simulation nichtdeterministischer endlicher Automat",
     "&nichtdeterministischer Automat", "Nichtdeterministischer endlicher Automat", "NEA", false, true, true, true,
     nullptr},
    {MachineKind::KA, "KA", "ka", "Simulation Kellerautomat", "&Kellerautomat", "Kellerautomat", "Kellerautomat", true,
     false, false, false, kPushdownUndecidable},
    {MachineKind::TM, "TM", "tm", "Simulation Turingmaschine", "&Turingmaschine", "Turingmaschine", "Turingmaschine",
     false, false, false, false, kTuringUndecidable},
};

}  // namespace

const KindInfo& InfoOf(MachineKind kind) { return kTable[IsKnownKind(kind) ? static_cast<int>(kind) : 0]; }

bool KindFromCliName(const std::string& name, MachineKind& kind) {
  for (const KindInfo& info : kTable)
    if (name == info.cliName) {
      kind = info.kind;
      return true;
    }
  return false;
}

namespace {

const char kKindLine[] = "; Art: ";

// The first line, and where the rest begins.
std::string FirstLine(const std::string& utf8, std::size_t& rest) {
  const std::size_t end = utf8.find('\n');
  rest = end == std::string::npos ? utf8.size() : end + 1;
  std::string line = utf8.substr(0, end == std::string::npos ? utf8.size() : end);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// Whether the line is a kind line; its name, trimmed.
bool KindLineName(const std::string& line, std::string& name) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] != ';') return false;
  const std::string comment = Trim(t.substr(1));
  if (UpperCase(comment.substr(0, 4)) != "ART:") return false;
  name = Trim(comment.substr(4));
  return true;
}

}  // namespace

bool KindOfProgram(const std::string& utf8, MachineKind& kind) {
  std::size_t rest = 0;
  std::string name;
  if (!KindLineName(FirstLine(utf8, rest), name)) return false;
  for (const KindInfo& info : kTable)
    if (UpperCase(name) == UpperCase(info.fileName)) {
      kind = info.kind;
      return true;
    }
  return false;
}

std::string KindLine(MachineKind kind) { return kKindLine + std::string(InfoOf(kind).fileName); }

bool HasKindLine(const std::string& utf8) {
  std::size_t rest = 0;
  std::string name;
  return KindLineName(FirstLine(utf8, rest), name);
}

bool StartsWithKindLine(const std::string& utf8, MachineKind kind) {
  return utf8.compare(0, utf8.find('\n'), KindLine(kind)) == 0;
}

const char* SecondFieldName(MachineKind kind) { return kind == MachineKind::KA ? "Keller" : "Ausgabe"; }

std::string FitsKindText(MachineKind kind) {
  return std::string("Das Programm passt zur Maschinenart ") + InfoOf(kind).fileName + ".";
}

bool OnlyOtherKindThatFits(const std::vector<std::string>& lines, MachineKind kind, MachineKind& fits) {
  int found = 0;
  for (MachineKind other : kKinds)
    if (other != kind && ParseProgram(other, lines).Ok()) {
      fits = other;
      ++found;
    }
  return found == 1;
}

bool Accepts(LanguageTool tool, MachineKind kind) {
  if (!IsKnownKind(kind)) return false;
  const KindInfo& info = InfoOf(kind);
  switch (tool) {
    case LanguageTool::MakeAcceptor: return info.makesAcceptor;
    case LanguageTool::Minimize: return info.minimizes;
    case LanguageTool::Compare: return info.compares;
  }
  return false;
}

}  // namespace automaten
