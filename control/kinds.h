// Everything the front ends say about the five machine kinds, in one table,
// and which language tool each kind accepts: a menu item, a subcommand and the
// web page ask the same row. Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

// The language tools of the finite kinds.
enum class LanguageTool {
  MakeAcceptor,  // an NEA as a deterministic acceptor
  Minimize,      // the minimal acceptor (an NEA is made deterministic first)
  Compare,       // the shortest word on which two programs differ
};

struct KindInfo {
  MachineKind kind;
  const char* name;       // "DEA"; status panel 0 shows it after a blank
  const char* cliName;    // "dea", for --kind
  const char* title;      // the window caption
  const char* menuText;   // the item of "&Automatenbeispiele"
  const char* hint;       // the tool button's tool-tip
  const char* fileName;   // in a program's first line "; Art: Turingmaschine"
  bool secondFieldShown;  // the DEA's output tape, the KA's stack
  bool makesAcceptor, minimizes, compares;
  // Why no language tool takes this kind, or null when some does.
  const char* undecidable;
};

// The first line "; Art: Turingmaschine" that names a program's kind: a
// comment, which every reader skips. Texts are UTF-8.
std::string KindLine(MachineKind kind);
// Whether the text's first line is such a line (of any name), and the kind
// it names, if it names one.
bool HasKindLine(const std::string& utf8);
bool KindOfProgram(const std::string& utf8, MachineKind& kind);
// Whether the first line is the kind line of `kind`, as saving leaves it.
bool StartsWithKindLine(const std::string& utf8, MachineKind kind);
// What the second field shows, as a screen reader names it: "Keller" for
// the pushdown automaton, else "Ausgabe".
const char* SecondFieldName(MachineKind kind);
// "Das Programm passt zur Maschinenart Turingmaschine." (UTF-8)
std::string FitsKindText(MachineKind kind);
// The kind other than `kind` under which the lines parse cleanly, when there
// is exactly one; false otherwise.
bool OnlyOtherKindThatFits(const std::vector<std::string>& lines, MachineKind kind, MachineKind& fits);

// The row of a known kind.
const KindInfo& InfoOf(MachineKind kind);
// The kind a --kind name stands for; false for none.
bool KindFromCliName(const std::string& name, MachineKind& kind);
// Whether the tool takes programs of the kind.
bool Accepts(LanguageTool tool, MachineKind kind);

}  // namespace automaten
