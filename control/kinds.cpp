#include "kinds.h"

namespace automaten {

namespace {

const char kPushdownUndecidable[] = "Ob zwei Kellerautomaten dieselbe Sprache akzeptieren, ist nicht entscheidbar.";
const char kTuringUndecidable[] =
    "Was eine Turingmaschine berechnet, lässt sich nicht allgemein vergleichen oder umformen.";

const KindInfo kTable[kKindCount] = {
    {MachineKind::DEA, "DEA", "dea", "Simulation endlicher Automat mit Ausgabe", "endlicher &Automat mit Ausgabe",
     "Deterministischer endlicher Automat", true, false, false, true, nullptr},
    {MachineKind::Akz, "Akz", "akz", "Simulation Akzeptor", "&Akzeptor", "Akzeptor", false, false, true, true, nullptr},
    {MachineKind::NEA, "NEA", "nea", "Simulation nichtdeterministischer endlicher Automat",
     "&nichtdeterministischer Automat", "Nichtdeterministischer endlicher Automat", false, true, true, true, nullptr},
    {MachineKind::KA, "KA", "ka", "Simulation Kellerautomat", "&Kellerautomat", "Kellerautomat", true, false, false,
     false, kPushdownUndecidable},
    {MachineKind::TM, "TM", "tm", "Simulation Turingmaschine", "&Turingmaschine", "Turingmaschine", false, false, false,
     false, kTuringUndecidable},
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
