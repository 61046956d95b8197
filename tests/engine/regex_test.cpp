// Regular expressions and right-linear grammars: read with their faults,
// written short, and made into automata and back. The words each accepts are
// checked against Python's own engine by tests/language/regex_check.py.
#include "engine/regex.h"

#include <gtest/gtest.h>

#include "support/dfa_words.h"

namespace automaten {
namespace {

std::string Rewritten(const std::string& text) {
  Regex r;
  std::string error;
  EXPECT_TRUE(ReadRegex(text, r, error)) << error;
  return RegexText(r);
}

std::string Fault(const std::string& text) {
  Regex r;
  std::string error;
  EXPECT_FALSE(ReadRegex(text, r, error)) << text;
  return error;
}

std::string BackText(const Dfa& dfa) {
  Regex r;
  std::string error;
  EXPECT_TRUE(DfaRegex(dfa, r, error)) << error;
  return RegexText(r);
}

std::string GrammarFault(const std::string& text) {
  Grammar g;
  std::string error;
  EXPECT_FALSE(ReadGrammar(text, g, error)) << text;
  return error;
}

// The minimal automaton's size and whether it accepts each word.
Dfa MinimalOf(const std::string& text) {
  Regex r;
  Dfa dfa;
  std::string error;
  EXPECT_TRUE(ReadRegex(text, r, error)) << error;
  EXPECT_TRUE(RegexDfa(r, dfa, error)) << error;
  return Minimize(dfa);
}

bool Accepts(const Dfa& dfa, const std::string& word) { return testing::DfaAccepts(dfa, word); }

TEST(Regex, FaultsNameTheColumn) {
  EXPECT_EQ(Fault("(ab"), "Fehler im regulären Ausdruck, Spalte 4: „)“ fehlt zu „(“ in Spalte 1.");
  EXPECT_EQ(Fault("ab)c"), "Fehler im regulären Ausdruck, Spalte 3: „)“ ohne „(“.");
  EXPECT_EQ(Fault("a|*"), "Fehler im regulären Ausdruck, Spalte 3: „*“ steht ohne Ausdruck davor.");
  EXPECT_EQ(Fault("a||b"), "Fehler im regulären Ausdruck, Spalte 3: Hier fehlt ein Ausdruck.");
  EXPECT_EQ(Fault("äb\\"), "Fehler im regulären Ausdruck, Spalte 3: Nach „\\“ fehlt das Zeichen.");
  EXPECT_EQ(Fault("εa;"), "Fehler im regulären Ausdruck, Spalte 3: „;“ ist kein Bandzeichen.");
  EXPECT_EQ(Fault("a→b"), "Fehler im regulären Ausdruck, Spalte 2: „→“ ist kein Bandzeichen.");
  EXPECT_EQ(Fault("  "), "Fehler im regulären Ausdruck: er ist leer (das leere Wort ist „ε“ oder „()“).");
}

TEST(Regex, WrittenWithOnlyTheParenthesesNeededAndRewrittenShort) {
  EXPECT_EQ(Rewritten("(a)(b)"), "ab");
  EXPECT_EQ(Rewritten("a b | c"), "ab|c");  // blanks left out
  EXPECT_EQ(Rewritten("(ab)*c|d+"), "(ab)*c|d+");
  EXPECT_EQ(Rewritten("((a|b)c)?"), "((a|b)c)?");
  EXPECT_EQ(Rewritten("a|a|b|a"), "a|b");
  EXPECT_EQ(Rewritten("εaε()b"), "ab");
  EXPECT_EQ(Rewritten("ε|a"), "a?");
  EXPECT_EQ(Rewritten("ε|a*"), "a*");
  EXPECT_EQ(Rewritten("aa*"), "a+");
  EXPECT_EQ(Rewritten("(a*)*|(a+)?"), "a*");
  EXPECT_EQ(Rewritten("∅|a"), "a");
  EXPECT_EQ(Rewritten("a∅"), "∅");
  EXPECT_EQ(Rewritten("\\+\\(\\|x"), "\\+\\(\\|x");
  EXPECT_EQ(Fault("a\\*"), "Fehler im regulären Ausdruck, Spalte 3: „*“ ist kein Bandzeichen.");  // the tape's blank
  EXPECT_EQ(Rewritten("ä(ö|ü)"), "ä(ö|ü)");
}

TEST(Regex, TheMinimalAcceptorOfAnExpression) {
  const Dfa even = MinimalOf("(0|10*1)*");  // an even number of 1s
  EXPECT_EQ(even.Size(), 2u);
  for (const char* w : {"", "0", "11", "0110", "1001"}) EXPECT_TRUE(Accepts(even, w)) << w;
  for (const char* w : {"1", "01", "111", "2"}) EXPECT_FALSE(Accepts(even, w)) << w;
  // The third symbol from the end is a 1: eight states, as the subset construction must find.
  EXPECT_EQ(MinimalOf("(0|1)*1(0|1)(0|1)").Size(), 8u);
  const Dfa nothing = MinimalOf("∅");
  EXPECT_EQ(nothing.Size(), 1u);
  EXPECT_FALSE(Accepts(nothing, ""));
  const Dfa empty = MinimalOf("()");
  EXPECT_TRUE(Accepts(empty, ""));
  EXPECT_TRUE(empty.alphabet.empty());
}

TEST(Regex, AnAutomatonsExpressionAcceptsItsWordsAndStaysShort) {
  const Dfa even = MinimalOf("(0|10*1)*");
  const std::string text = BackText(even);
  EXPECT_LE(text.size(), 12u) << text;
  const Dfa again = MinimalOf(text);
  Difference d;
  std::string error;
  ASSERT_TRUE(CompareLanguages(even, again, d, error)) << error;
  EXPECT_TRUE(d.equal) << text << " differs on " << d.word;
  // No word at all, and only the empty word.
  EXPECT_EQ(BackText(MinimalOf("∅")), "∅");
  EXPECT_EQ(BackText(MinimalOf("ε")), "ε");
  EXPECT_EQ(BackText(MinimalOf("a|b")), "a|b");
  // Binary numbers divisible by 51: every state reaches every other, and the
  // expression would run to millions of characters; it is refused instead.
  Dfa modulo;
  modulo.alphabet = "01";
  for (int r = 0; r < 51; ++r) {
    modulo.next.push_back({(2 * r) % 51, (2 * r + 1) % 51});
    modulo.accepting.push_back(r == 0);
    modulo.stands.emplace_back();
  }
  Regex r;
  EXPECT_FALSE(DfaRegex(modulo, r, error));
  EXPECT_EQ(error, "Der Ausdruck hätte mehr als 100.000 Zeichen; abgebrochen.");
  EXPECT_EQ(Fault(std::string(10001, 'a')), "Fehler im regulären Ausdruck: er ist länger als 10.000 Zeichen.");
  EXPECT_EQ(Fault(std::string(201, '(') + "a" + std::string(201, ')')),
            "Fehler im regulären Ausdruck, Spalte 201: mehr als 200 Klammern ineinander.");
}

TEST(Grammar, ReadWithItsFaultsAndMadeFromAnAutomaton) {
  Grammar g;
  std::string error;
  ASSERT_TRUE(ReadGrammar("; gerade Anzahl Einsen\nS -> 0S | 1A | ε\nA → 0A | 1S\n", g, error)) << error;
  EXPECT_EQ(g.start, "S");
  EXPECT_EQ(g.rules.size(), 5u);
  Dfa dfa;
  ASSERT_TRUE(GrammarDfa(g, dfa, error)) << error;
  const Dfa even = Minimize(dfa);
  EXPECT_EQ(even.Size(), 2u);
  EXPECT_TRUE(Accepts(even, "0110"));
  EXPECT_FALSE(Accepts(even, "010"));
  EXPECT_EQ(GrammarText(DfaGrammar(even)), "S -> 0S | 1A | ε\nA -> 0A | 1S\n");
  // Several terminals in one rule, a quoted capital, a nonterminal without rules.
  ASSERT_TRUE(ReadGrammar("S -> ab\\CX1 | abT | \\|", g, error)) << error;
  ASSERT_TRUE(GrammarDfa(g, dfa, error)) << error;
  EXPECT_TRUE(Accepts(Minimize(dfa), "|"));
  EXPECT_FALSE(Accepts(Minimize(dfa), "abC"));
  EXPECT_EQ(GrammarText(g), "S -> ab\\CX1 | abT | \\|\n");

  EXPECT_EQ(GrammarFault("S -> 0S\ns -> 1"),
            "Fehler in der Grammatik, Zeile 2: links steht kein Nichtterminal (ein Großbuchstabe).");
  EXPECT_EQ(GrammarFault("S = 0S"), "Fehler in der Grammatik, Zeile 1: nach S fehlt „->“.");
  EXPECT_EQ(GrammarFault("S -> 0A1b"), "Fehler in der Grammatik, Zeile 1: nach dem Nichtterminal A1 steht noch etwas.");
  EXPECT_EQ(GrammarFault("S -> ∅a"), "Fehler in der Grammatik, Zeile 1: nach „∅“ steht noch etwas.");
  EXPECT_EQ(GrammarFault("S -> 0 | "),
            "Fehler in der Grammatik, Zeile 1: eine Alternative ist leer (das leere Wort ist „ε“).");
  EXPECT_EQ(GrammarFault("; nur ein Kommentar\n"), "Fehler in der Grammatik: sie hat keine Regel.");
  // No word at all: a start symbol without an alternative that adds one.
  ASSERT_TRUE(ReadGrammar("S -> ∅", g, error)) << error;
  ASSERT_TRUE(GrammarDfa(g, dfa, error));
  EXPECT_EQ(GrammarText(DfaGrammar(Minimize(dfa))), "S -> ∅\n");
}

}  // namespace
}  // namespace automaten
