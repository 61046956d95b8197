// The command line's long runs and the bare table-driven loops that do the
// same steps with nothing else: shared by bare_loop_bench (in one process)
// and bare_loop (a process of its own, for scripts/bench-rows.sh).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace automaten::bare {

inline constexpr char kDea[] = "a s -> w a\na k -> w 1\n1 s -> w a\n1 k -> b 2\n2 s -> b 1\n2 k -> b 2\n";
inline constexpr char kKa[] = "a ( # -> push ( a\na ( ( -> push ( a\n";
inline constexpr char kTmRight[] = "a * -> * R a\n";
inline constexpr char kTmPingPong[] = "a * -> * R 1\n1 * -> * L a\n";
inline constexpr char kNeaSymbols[] = "01abcxyz";

// Twelve states, epsilon moves around all of them, eight symbols.
inline std::string NeaProgram() {
  const char* names[] = {"a", "1", "2", "3", "4", "5", "6", "7", "8", "9", "e", "f"};
  std::string p;
  for (int s = 0; s < 12; ++s) p += std::string(names[s]) + " _ -> " + names[(s + 1) % 12] + "\n";
  for (int i = 0; i < 89; ++i)
    p += std::string(names[i % 12]) + " " + kNeaSymbols[i % 8] + " -> " + names[(i * 7 + 3) % 12] + "\n";
  return p;
}

inline std::string DeaTape(std::size_t n) {
  std::string t(n, 's');
  for (std::size_t i = 0; i < n; i += 3) t[i] = 'k';
  return t;
}

inline std::string NeaTape(std::size_t n) {
  std::string t(n, '0');
  for (std::size_t i = 0; i < n; ++i) t[i] = kNeaSymbols[(i * 5 + i / 7) % 8];
  return t;
}

// The DEA's output tape for its input.
inline std::string Dea(const std::string& tape) {
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
  return out;
}

// The NEA's set after its input: masks per state and symbol, as the
// engine's rules give them (the epsilon cycle joins all twelve states).
inline std::uint16_t Nea(const std::string& tape) {
  std::array<std::array<std::uint16_t, 256>, 12> moves{};
  for (int i = 0; i < 89; ++i)
    for (int s = 0; s < 12; ++s)
      moves[static_cast<std::size_t>(s)][static_cast<unsigned char>(kNeaSymbols[i % 8])] = 0x0FFF;
  std::uint16_t set = 0x0FFF;
  for (char c : tape) {
    std::uint16_t next = 0;
    for (int s = 0; s < 12; ++s)
      if (set >> s & 1u) next |= moves[static_cast<std::size_t>(s)][static_cast<unsigned char>(c)];
    set = next;
  }
  return set;
}

// The KA's stack after pushing on each '(' from a table of (symbol, top of
// stack) to the symbol pushed.
inline std::string Ka(const std::string& tape) {
  std::vector<char> push(256 * 256, 0);  // one state
  push[static_cast<std::size_t>('(') * 256 + '#'] = '(';
  push[static_cast<std::size_t>('(') * 256 + '('] = '(';
  std::string stack = "#";
  for (char c : tape) {
    const char pushed =
        push[static_cast<std::size_t>(static_cast<unsigned char>(c)) * 256 + static_cast<unsigned char>(stack.back())];
    if (pushed == 0) break;
    stack += pushed;
  }
  return stack;
}

struct TmRule {
  char write;
  int move;  // -1, 0, +1
  int next;
};
using TmTable = std::vector<std::array<TmRule, 256>>;

// A Turing machine of dense states on a vector of cells, growing by 20
// blanks at its end; returns the head.
inline std::size_t Tm(const TmTable& table, std::vector<char>& tape, std::size_t head, unsigned long long steps) {
  int state = 0;
  for (unsigned long long i = 0; i < steps; ++i) {
    const TmRule& r = table[static_cast<std::size_t>(state)][static_cast<unsigned char>(tape[head])];
    tape[head] = r.write;
    head += static_cast<std::size_t>(r.move);
    if (head + 1 == tape.size()) tape.insert(tape.end(), 20, '*');
    state = r.next;
  }
  return head;
}

// One state moving right on blanks.
inline TmTable TmRightTable() {
  TmTable table(1);
  table[0]['*'] = {'*', +1, 0};
  return table;
}

}  // namespace automaten::bare
