#include "kinds.h"

namespace automaten {

namespace {

const KindInfo kTable[] = {
    {MachineKind::DEA, "DEA", "dea", "Simulation endlicher Automat mit Ausgabe", "endlicher &Automat mit Ausgabe",
     "Deterministischer endlicher Automat", true},
    {MachineKind::Akz, "Akz", "akz", "Simulation Akzeptor", "&Akzeptor", "Akzeptor", false},
    {MachineKind::NEA, "NEA", "nea", "Simulation nichtdeterministischer endlicher Automat",
     "&nichtdeterministischer Automat", "Nichtdeterministischer endlicher Automat", false},
    {MachineKind::KA, "KA", "ka", "Simulation Kellerautomat", "&Kellerautomat", "Kellerautomat", true},
    {MachineKind::TM, "TM", "tm", "Simulation Turingmaschine", "&Turingmaschine", "Turingmaschine", false},
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

}  // namespace automaten
