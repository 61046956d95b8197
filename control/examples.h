// The built-in example program and example tape of each machine kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/machine.h"

namespace automaten {

// The example's lines, without line breaks; empty for a kind outside 0 ... 4.
std::vector<std::string> ExampleLines(MachineKind kind);
// The example as the program view holds it: every line followed by CR LF.
std::string ExampleText(MachineKind kind);
// The example tape. The Turing tape is built around the head: head - 1
// blanks, the two summands, and blanks up to the tape width.
std::string ExampleTape(MachineKind kind, std::uint32_t head, int tapeWidth);

}  // namespace automaten
