// libFuzzer target: any program text parses for every kind, and a parsed
// program runs a bounded number of steps on the text's first line as tape
// without reading or writing out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/parser.h"
#include "engine/step.h"
#include "engine/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = automaten::SplitLines(input);
  for (automaten::MachineKind kind : automaten::kKinds) {
    const automaten::Program program = automaten::ParseProgram(kind, lines);
    if (!program.Ok()) {
      if (program.faultLine < 0 || program.faultLine >= static_cast<int>(lines.size())) std::abort();
      continue;
    }
    automaten::Configuration c = automaten::InitialConfiguration(kind, lines.empty() ? "" : lines[0], 20);
    for (int i = 0; i < 200; ++i) {
      const int next = automaten::FindTransition(program, c);
      if (automaten::CheckHalt(program, c, next).halted) break;
      automaten::ApplyStep(program, c);
    }
  }
  return 0;
}
