// The command line's long runs as bare table-driven loops in a process of
// their own: read the tape file, step, print the tape (and the second field)
// at the end. scripts/bench-rows.sh sets each against automaten-cli doing
// the same run, for the time and peak memory of the whole process.
//
//   bare_loop make dea|nea|ka N   writes the row's tape of N cells to stdout
//   bare_loop dea|nea|ka FILE     runs the row on the tape in FILE
//   bare_loop tm N                moves a Turing head N steps to the right
//   bare_loop program dea|nea|ka|tm  writes the row's program to stdout
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bareloops.h"

namespace {

using namespace automaten;

std::string ReadFile(const char* name) {
  std::FILE* f = std::fopen(name, "rb");
  if (f == nullptr) std::exit(66);
  std::string bytes;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
  return bytes;
}

void Print(const char* label, const std::string& text) {
  std::fputs(label, stdout);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// The row's tape of n cells.
std::string MakeTape(const std::string& kind, std::size_t n) {
  if (kind == "dea") return bare::DeaTape(n);
  if (kind == "nea") return bare::NeaTape(n);
  return std::string(n, '(');
}

// A head moving right on blanks, 20 blanks added at the end when it gets there.
void RunTm(unsigned long long steps) {
  std::vector<char> tape(60, '*');
  bare::Tm(bare::TmRightTable(), tape, 26, steps);
  std::fputs("Band: ", stdout);
  std::fwrite(tape.data(), 1, tape.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) return 64;
  const std::string what = argv[1];
  if (what == "program") {
    const std::string kind = argv[2];
    std::fputs(kind == "dea"  ? bare::kDea
               : kind == "ka" ? bare::kKa
               : kind == "tm" ? bare::kTmRight
                              : bare::NeaProgram().c_str(),
               stdout);
  } else if (what == "make" && argc == 4) {
    const std::string kind = argv[2];
    Print("", MakeTape(kind, std::strtoull(argv[3], nullptr, 10)));
  } else if (what == "dea") {
    const std::string tape = ReadFile(argv[2]);
    Print("Band: ", tape);
    Print("Ausgabe: ", bare::Dea(tape));
  } else if (what == "nea") {
    const std::string tape = ReadFile(argv[2]);
    Print("Band: ", tape);
    std::printf("%u\n", bare::Nea(tape));
  } else if (what == "ka") {
    const std::string tape = ReadFile(argv[2]);
    Print("Band: ", tape);
    Print("Ausgabe: ", bare::Ka(tape));
  } else if (what == "tm") {
    RunTm(std::strtoull(argv[2], nullptr, 10));
  } else {
    return 64;
  }
  return std::fflush(stdout) == 0 ? 0 : 74;
}
