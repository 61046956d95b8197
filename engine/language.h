// Language tools for the finite kinds: the deterministic automaton of an NEA
// or acceptor program (subset construction over the reachable sets), its
// minimal form, and the comparison of two programs with the shortest word
// on which they differ. Every result follows the simulation's own rules: a
// word is accepted when the whole tape is read in an end state, a symbol with
// no transition stops the run, the first matching line wins, and the NEA
// runs on its sets as a step does.
#pragma once

#include <string>
#include <vector>

#include "engine/types.h"

namespace automaten {

// More states than this are not built: a clear message instead of memory exhausted.
constexpr std::size_t kMaxLanguageStates = 100000;

struct Dfa {
  std::string alphabet;                // ascending
  std::vector<std::vector<int>> next;  // per state and symbol of the alphabet: the state, or -1 (the run stops)
  std::vector<bool> accepting;
  std::vector<std::string> stands;  // per state: what it stands for, "{A,1}" or the program's state name
  // State 0 is the initial state.
  std::size_t Size() const { return next.size(); }
};

// The deterministic automaton of a cleanly parsed Akz or NEA program (its
// reachable part); false with a German message when it grows too large.
bool MakeDfa(const Program& program, Dfa& dfa, std::string& error);

// The smallest automaton accepting the same words, in breadth-first order from A.
Dfa Minimize(const Dfa& dfa);

// The automaton as an acceptor program (UTF-8, '\n' line ends): states A, 1,
// 2, ... in breadth-first order, a comment line per state saying what it
// stands for, an "E:" line for the end states. `heading` is a comment line.
// False when it has more states than a program can name.
bool AcceptorText(const Dfa& dfa, const std::string& heading, std::string& text, std::string& error);

// The symbols the program's lines read, ascending; the NEA's epsilon is none.
std::string Alphabet(const Program& program);

struct Difference {
  bool equal = true;
  std::string word;                       // the shortest, then alphabetically first, word on which they differ
  bool firstAccepts = false;              // which of the two accepts it
  std::string firstOutput, secondOutput;  // for DEA programs: the two output tapes
  bool verdictsDiffer = false;            // the verdicts differ (a DEA's may not, where only its outputs do)
};

// Compares two acceptors (from MakeDfa) over both alphabets, or over the
// symbols of `over`, on the tapes a run reads (its head skips leading blanks).
bool CompareLanguages(const Dfa& a, const Dfa& b, Difference& d, std::string& error, const std::string* over = nullptr);

// Compares two DEA programs by the output tapes they write and their
// verdicts, likewise.
bool CompareOutputs(const Program& a, const Program& b, Difference& d, std::string& error,
                    const std::string* over = nullptr);

// Two programs of one kind: DEA by their outputs, Akz and NEA by their languages.
bool ComparePrograms(const Program& a, const Program& b, Difference& d, std::string& error);

}  // namespace automaten
