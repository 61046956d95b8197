// Regular expressions and right-linear grammars over the tape's symbols: read
// from their texts, made into the minimal acceptor, and made from an
// acceptor's automaton.
//
// An expression has single characters as symbols, concatenation, "|", "*",
// "+", "?", parentheses, "ε" or "()" for the empty word, "∅" for no word at
// all, and "\" to quote a special character; blanks between its parts are
// left out. A grammar has one rule a line, "S -> 0A | 1S | ε": a nonterminal
// is a capital letter with digits after it, and it ends an alternative; the
// first rule's left side is the start symbol.
#pragma once

#include <string>
#include <vector>

#include "engine/language.h"

namespace automaten {

// An expression as a tree: nodes in an arena, children before their parents.
struct Regex {
  enum class Kind { Nothing, Empty, Symbol, Concat, Alt, Star, Plus, Optional };
  struct Node {
    Kind kind = Kind::Empty;
    char symbol = 0;  // Symbol: a machine-text character
    int left = -1, right = -1;
  };
  std::vector<Node> nodes;
  int root = -1;
};

// The longest expression read, and the deepest nesting of its parentheses:
// every part of the work goes down the expression's tree.
constexpr std::size_t kMaxRegexLength = 10000;  // the faults say "10.000"
constexpr int kMaxRegexDepth = 200;

// The expression of a UTF-8 text; false with a German fault that names the
// column (in characters, from 1).
bool ReadRegex(const std::string& utf8, Regex& regex, std::string& error);
// The text of an expression, UTF-8, with only the parentheses it needs.
std::string RegexText(const Regex& regex);

// The deterministic automaton of an expression (through an automaton with
// empty moves of any size and the subset construction); false when it grows
// too large. Minimize it for the minimal acceptor.
bool RegexDfa(const Regex& regex, Dfa& dfa, std::string& error);

// An expression for the words the automaton accepts, by eliminating its
// states one by one, fewest connections first; the expression is kept short
// by simple rewriting (no "ε" in a concatenation, "a|a" once, "ε|a" as "a?",
// "aa*" as "a+"). False when it would grow longer than kMaxRegexResult
// characters, as for an automaton whose states all reach each other.
constexpr std::size_t kMaxRegexResult = 100000;  // the message says "100.000"
bool DfaRegex(const Dfa& dfa, Regex& regex, std::string& error);

// A right-linear grammar.
struct Grammar {
  struct Rule {
    std::string from;  // a nonterminal
    std::string word;  // terminals, machine text
    std::string to;    // a nonterminal, or empty: the word ends there
  };
  std::string start;
  std::vector<Rule> rules;
};

// The grammar of a UTF-8 text; false with a German fault naming the line.
bool ReadGrammar(const std::string& utf8, Grammar& grammar, std::string& error);
// Its text: one line a nonterminal, the start symbol's first, UTF-8.
std::string GrammarText(const Grammar& grammar);
bool GrammarDfa(const Grammar& grammar, Dfa& dfa, std::string& error);
// The grammar of an automaton: S for its initial state, then A, B, ... (Q1,
// Q2, ... when there are more than the letters), "X -> ε" for an end state.
Grammar DfaGrammar(const Dfa& dfa);

}  // namespace automaten
