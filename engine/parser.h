// The program text parser: one pass over the lines into a Program.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/types.h"

namespace automaten {

// Parses machine-text lines for a kind. Faults are collected in order and
// the parse stops at the first faulty line; a clean NEA program with epsilon
// transitions comes back without them.
Program ParseProgram(MachineKind kind, const std::vector<std::string>& lines);

std::string FaultText(FaultCode code);
// "Fehler: <text> in Befehl <n>"
std::string FaultMessage(const ParseFault& fault);
// The index of each transition's line, in the order the parse takes them
// (Program::Written() of a clean parse).
std::vector<int> TransitionLines(const std::vector<std::string>& lines);
// The state a name stands for in programs of the kind ("a", "E", "12");
// false for no state of the kind.
bool StateOfName(MachineKind kind, const std::string& name, StateCode& state);
// Start and length of line i in the program text, line breaks counting two.
std::pair<int, int> LineSelection(const std::vector<std::string>& lines, int i);

}  // namespace automaten
