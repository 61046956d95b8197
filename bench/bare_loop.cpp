// The command line's long runs as bare table-driven loops in a process of
// their own: read the tape file, step, print the tape (and the second field)
// at the end. scripts/bench-rows.sh sets each against automaten-cli doing
// the same run, for the time and peak memory of the whole process.
//
//   bare_loop make dea|nea|ka N   writes the row's tape of N cells to stdout
//   bare_loop dea|nea|ka FILE     runs the row on the tape in FILE
//   bare_loop tm N                moves a Turing head N steps to the right
//   bare_loop program dea|nea|ka|tm  writes the row's program to stdout
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kDea[] = "a s -> w a\na k -> w 1\n1 s -> w a\n1 k -> b 2\n2 s -> b 1\n2 k -> b 2\n";
const char kKa[] = "a ( # -> push ( a\na ( ( -> push ( a\n";
const char kTm[] = "a * -> * R a\n";
const char kSymbols[] = "01abcxyz";
const char* const kNeaNames[] = {"a", "1", "2", "3", "4", "5", "6", "7", "8", "9", "e", "f"};

// Twelve states, epsilon moves around all of them, eight symbols.
std::string NeaProgram() {
  std::string p;
  for (int s = 0; s < 12; ++s) p += std::string(kNeaNames[s]) + " _ -> " + kNeaNames[(s + 1) % 12] + "\n";
  for (int i = 0; i < 89; ++i)
    p += std::string(kNeaNames[i % 12]) + " " + kSymbols[i % 8] + " -> " + kNeaNames[(i * 7 + 3) % 12] + "\n";
  return p;
}

char TapeCell(const std::string& kind, std::size_t i) {
  if (kind == "dea") return i % 3 == 0 ? 'k' : 's';
  if (kind == "nea") return kSymbols[(i * 5 + i / 7) % 8];
  return '(';
}

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

void RunDea(const std::string& tape) {
  struct Rule {
    char out;
    int next;
  };
  std::array<std::array<Rule, 256>, 3> table{};
  table[0]['s'] = {'w', 0}, table[0]['k'] = {'w', 1}, table[1]['s'] = {'w', 0};
  table[1]['k'] = {'b', 2}, table[2]['s'] = {'b', 1}, table[2]['k'] = {'b', 2};
  std::string out(tape.size(), ' ');
  int s = 0;
  for (std::size_t i = 0; i < tape.size(); ++i) {
    const Rule& r = table[static_cast<std::size_t>(s)][static_cast<unsigned char>(tape[i])];
    out[i] = r.out;
    s = r.next;
  }
  Print("Band: ", tape);
  Print("Ausgabe: ", out);
}

// The set step from masks per state and symbol, the epsilon cycle joining all states.
void RunNea(const std::string& tape) {
  std::array<std::array<std::uint16_t, 256>, 12> moves{};
  for (int i = 0; i < 89; ++i)
    for (int s = 0; s < 12; ++s)
      moves[static_cast<std::size_t>(s)][static_cast<unsigned char>(kSymbols[i % 8])] = 0x0FFF;
  std::uint16_t set = 0x0FFF;
  for (char c : tape) {
    std::uint16_t next = 0;
    for (int s = 0; s < 12; ++s)
      if (set >> s & 1u) next |= moves[static_cast<std::size_t>(s)][static_cast<unsigned char>(c)];
    set = next;
  }
  Print("Band: ", tape);
  std::printf("%u\n", set);
}

// A table of (state, symbol, top of stack) to a push and the next state.
void RunKa(const std::string& tape) {
  struct Rule {
    char push;  // 0: no line
    int next;
  };
  std::vector<Rule> table(256 * 256);  // one state
  table[static_cast<std::size_t>('(') * 256 + '#'] = {'(', 0};
  table[static_cast<std::size_t>('(') * 256 + '('] = {'(', 0};
  std::string stack = "#";
  int state = 0;
  for (char c : tape) {
    const Rule& r =
        table[static_cast<std::size_t>(static_cast<unsigned char>(c)) * 256 + static_cast<unsigned char>(stack.back())];
    if (r.push == 0) break;
    stack += r.push;
    state = r.next;
  }
  Print("Band: ", tape);
  Print("Ausgabe: ", stack);
  std::printf("%d\n", state);
}

// A Turing machine of dense states on a vector of cells, growing by 20
// blanks at its end: one state moving right on blanks.
void RunTm(unsigned long long steps) {
  struct Rule {
    char write;
    int move;  // -1, 0, +1
    int next;
  };
  std::vector<std::array<Rule, 256>> table(1);
  table[0]['*'] = {'*', +1, 0};
  std::vector<char> tape(60, '*');
  std::size_t head = 26;
  int state = 0;
  for (unsigned long long i = 0; i < steps; ++i) {
    const Rule& r = table[static_cast<std::size_t>(state)][static_cast<unsigned char>(tape[head])];
    tape[head] = r.write;
    head += static_cast<std::size_t>(r.move);
    if (head + 1 == tape.size()) tape.insert(tape.end(), 20, '*');
    state = r.next;
  }
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
    std::fputs(kind == "dea" ? kDea : kind == "ka" ? kKa : kind == "tm" ? kTm : NeaProgram().c_str(), stdout);
  } else if (what == "make" && argc == 4) {
    const std::string kind = argv[2];
    const std::size_t n = std::strtoull(argv[3], nullptr, 10);
    std::string tape(n, ' ');
    for (std::size_t i = 0; i < n; ++i) tape[i] = TapeCell(kind, i);
    Print("", tape);
  } else if (what == "dea") {
    RunDea(ReadFile(argv[2]));
  } else if (what == "nea") {
    RunNea(ReadFile(argv[2]));
  } else if (what == "ka") {
    RunKa(ReadFile(argv[2]));
  } else if (what == "tm") {
    RunTm(std::strtoull(argv[2], nullptr, 10));
  } else {
    return 64;
  }
  return std::fflush(stdout) == 0 ? 0 : 74;
}
