// The built-in example program and example tape of each machine kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

// The example's lines as machine text, without line breaks; none for an
// unknown kind.
std::vector<std::string> ExampleLines(MachineKind kind);
// The example as the program area takes it: its lines in UTF-8, joined with '\n'.
std::string ExampleText(MachineKind kind);
// The example tape. The Turing tape is built around the head: head - 1
// blanks, the two summands, and blanks up to the tape width.
std::string ExampleTape(MachineKind kind, std::uint32_t head, int tapeWidth);

}  // namespace automaten
