// Everything the front ends say about the five machine kinds, in one table.
// Texts are UTF-8.
#pragma once

#include <string>

#include "engine/types.h"

namespace automaten {

struct KindInfo {
  MachineKind kind;
  const char* name;       // "DEA"; status panel 0 shows it after a blank
  const char* cliName;    // "dea", for --kind
  const char* title;      // the window caption
  const char* menuText;   // the item of "&Automatenbeispiele"
  const char* hint;       // the tool button's tool-tip
  bool secondFieldShown;  // the DEA's output tape, the KA's stack
};

// The row of a known kind.
const KindInfo& InfoOf(MachineKind kind);
// The kind a --kind name stands for; false for none.
bool KindFromCliName(const std::string& name, MachineKind& kind);

}  // namespace automaten
