#include <gtest/gtest.h>

#include "engine/test_text.h"

namespace automaten {
namespace {

using testing::Messages;
using testing::Parsed;
using testing::W;

const std::string kFormat = W("Fehler: falsches Befehlsformat in Befehl ");
const std::string kState = W("Fehler: ungültiger Zustand in Befehl ");
const std::string kMove = W("Fehler: ungültige Kopfbewegung in Befehl ");
const std::string kSymbol = W("Fehler: ungültiges Alphabetzeichen in Befehl ");
const std::string kArrow = W("Fehler: Übergangssymbol -> erwartet in Befehl ");
const std::string kNea = W("Fehler: Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt. in Befehl ");

TEST(ErrorTexts, AllCodesReadAsWritten) {
  EXPECT_EQ(ErrorText(1), "falsches Befehlsformat");
  EXPECT_EQ(ErrorText(2), W("ungültiger Zustand"));
  EXPECT_EQ(ErrorText(3), W("ungültige Kopfbewegung"));
  EXPECT_EQ(ErrorText(4), W("ungültiges Alphabetzeichen"));
  EXPECT_EQ(ErrorText(5), W("Übergangssymbol -> erwartet"));
  EXPECT_EQ(ErrorText(6), W("Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt."));
  EXPECT_EQ(ErrorText(7), "zu viele Befehle");
  EXPECT_EQ(ErrorText(8), W("zu viele Endzustände"));
  EXPECT_EQ(ErrorText(0), "Systemfehler");
  EXPECT_EQ(ErrorText(99), "Systemfehler");
}

// A broken line, the kind it is read for, and every message it brings.
struct BrokenCase {
  const char* name;
  MachineKind kind;
  std::string line;
  std::vector<std::string> messages;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenLine : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenLine, ReportsEachFaultOnceInOrder) {
  const BrokenCase& c = GetParam();
  Machine m = Parsed(c.kind, {"; a comment", c.line, "a 1 -> a"});
  EXPECT_EQ(Messages(m), c.messages);
  EXPECT_TRUE(m.FError);
  EXPECT_EQ(m.FFaultLine, 1);
  EXPECT_EQ(m.FTransitionCount, 0);  // the line after the fault is never read
}

const MachineKind DEA = MachineKind::DEA, Akz = MachineKind::Akz, NEA = MachineKind::NEA, KA = MachineKind::KA,
                  TM = MachineKind::TM;

INSTANTIATE_TEST_SUITE_P(
    Parser, BrokenLine,
    ::testing::Values(
        BrokenCase{"SymbolGluedToArrow", Akz, "a 1->a", {kSymbol + "1"}},
        BrokenCase{"ArrowMissing", Akz, "a 1 a", {kArrow + "1"}},
        BrokenCase{"LineEndsBeforeArrow", Akz, "1 a", {kFormat + "1", kArrow + "1"}},
        BrokenCase{"TabDoesNotSeparate", Akz, "a\t1 -> a", {kState + "1"}},
        BrokenCase{"LineEndsBeforeNext", Akz, "a 1 ->", {kFormat + "1", kState + "1"}},
        BrokenCase{"LineEndsBeforeSymbol", Akz, "a", {kFormat + "1"}},
        BrokenCase{"LongInput", DEA, "a ab -> w a", {kSymbol + "1"}},
        BrokenCase{"LongOutput", DEA, "a s -> ww a", {kSymbol + "1"}},
        BrokenCase{"DeaLineEndsBeforeNext", DEA, "a s -> w", {kFormat + "1", kState + "1"}},
        BrokenCase{"BadState", DEA, "x s -> w a", {kState + "1"}},
        BrokenCase{"TmLineEndsBeforeMove", TM, "a 1 -> 1", {kFormat + "1", kMove + "1"}},
        BrokenCase{"TmMoveX", TM, "a 1 -> 1 X a", {kMove + "1"}},
        BrokenCase{"TmMoveLL", TM, "a 1 -> 1 LL a", {kMove + "1"}},
        BrokenCase{"KaNothingAfterArrow", KA, "a ) # ->", {kFormat + "1", kFormat + "1"}},
        BrokenCase{"KaLonePush", KA, "a ) # -> push", {kFormat + "1", kFormat + "1"}},
        BrokenCase{"KaNopEndsLine", KA, "a ) # -> nop", {kState + "1"}},
        BrokenCase{"KaPopEndsLine", KA, "a ) # -> pop", {kState + "1"}},
        BrokenCase{"KaUnknownOperation", KA, "a ) # -> xyz 1", {kFormat + "1"}},
        BrokenCase{"KaStackCharMissing", KA, "a )", {kFormat + "1"}},
        BrokenCase{"NeaStateAbove11", NEA, "a 0 -> 12", {kNea + "1"}},
        BrokenCase{"NeaHighestNumeral", NEA, "65532 0 -> a", {kNea + "1"}},
        BrokenCase{"NeaMissingNextNoCode6", NEA, "a 0 ->", {kFormat + "1", kState + "1"}},
        BrokenCase{"NeaWordNoCode6", NEA, "a 0 -> x", {kState + "1"}},
        BrokenCase{"NeaOutOfRangeNoCode6", NEA, "a 0 -> 70000", {kState + "1"}}),
    [](const ::testing::TestParamInfo<BrokenCase>& i) { return std::string(i.param.name); });

// State numerals: only plain decimal digits from 1 to 65532, and "0" for A.
TEST(StateNumerals, PlainDecimalDigitsOnly) {
  struct Row {
    std::string token;
    bool valid;
    StateCode code;
  };
  const Row rows[] = {
      {"0", true, kStateA},      {"a", true, kStateA},      {"A", true, kStateA},  {"e", true, kStateE},
      {"E", true, kStateE},      {"f", true, kStateF},      {"F", true, kStateF},  {"1", true, 1},
      {"007", true, 7},          {"65531", true, 65531},    {"65532", true, 65532}, {"65533", false, 0},
      {"65536", false, 0},       {"99999999999999999999", false, 0}, {"00", false, 0}, {"+0", false, 0},
      {"+1", false, 0},          {"-1", false, 0},          {"$1", false, 0},      {"0x1", false, 0},
      {"x1", false, 0},          {"1a", false, 0},          {"aa", false, 0},      {"Ee", false, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.token);
    Machine m;
    m.FMode = MachineKind::DEA;
    std::string rest = r.token + " rest";
    EXPECT_EQ(ReadState(m, rest), r.code);
    EXPECT_EQ(m.FError, !r.valid);
    EXPECT_EQ(rest, "rest ");
  }
}

TEST(StateNumerals, NeaRecodesEAndF) {
  Machine m = Parsed(NEA, {"e 1 -> f", "10 0 -> 11", "E: E F 3"});
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FTable[0].State, kNeaE);
  EXPECT_EQ(m.FTable[0].Next, kNeaF);
  EXPECT_EQ(m.FTable[1].State, kNeaE);
  EXPECT_EQ(m.FTable[1].Next, kNeaF);
  EXPECT_EQ(m.FEndStateCount, 4);
  EXPECT_EQ(m.FEndStates[1], kStateE);  // the preset E keeps its wide code
  EXPECT_EQ(m.FEndStates[2], kNeaE);
  EXPECT_EQ(m.FEndStates[3], kNeaF);
  EXPECT_EQ(m.FEndStates[4], 3);
}

TEST(Tokens, NextTokenSplitsAtBlanksOnly) {
  Machine m;
  std::string rest = "  \tab   c\td  ";
  EXPECT_EQ(NextToken(m, rest), "ab");
  EXPECT_EQ(NextToken(m, rest), "c\td");
  EXPECT_FALSE(m.FError);
  EXPECT_EQ(NextToken(m, rest), "");
  EXPECT_EQ(Messages(m), std::vector<std::string>{kFormat + "1"});
}

TEST(Tokens, MissingSymbolYieldsCodeZero) {
  Machine m;
  std::string rest;
  EXPECT_EQ(ReadSymbol(m, rest), '\0');
  EXPECT_EQ(m.FFaults.size(), 1u);
}

TEST(Tokens, HeadMoveAnyCaseStoredUpper) {
  Machine m = Parsed(TM, {"a 1 -> 1 l a", "a 2 -> 2 r a", "a 3 -> 3 K a"});
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FTable[0].Move, 'L');
  EXPECT_EQ(m.FTable[1].Move, 'R');
  EXPECT_EQ(m.FTable[2].Move, 'K');
}

TEST(Parse, KaOperationUpperCasesTheRestOfTheLine) {
  Machine m = Parsed(KA, {"a b # -> push a 1", "a c x -> Push ( e", "a d y -> pop 2", "a ( # -> NOP f"});
  ASSERT_FALSE(m.FError) << Messages(m).front();
  EXPECT_EQ(m.FTable[0].StackOp, "PUSH");
  EXPECT_EQ(m.FTable[0].Output, 'A');
  EXPECT_EQ(m.FTable[0].StackChar, '#');
  EXPECT_EQ(m.FTable[0].Line, "a b # -> push a 1 ");
  EXPECT_EQ(m.FTable[1].Output, '(');
  EXPECT_EQ(m.FTable[1].StackChar, 'x');  // before the arrow the case stays
  EXPECT_EQ(m.FTable[1].Next, kStateE);
  EXPECT_EQ(m.FTable[2].StackOp, "POP");
  EXPECT_EQ(m.FTable[2].Output, 0);
  EXPECT_EQ(m.FTable[3].StackOp, "NOP");
  EXPECT_EQ(m.FTable[3].Next, kStateF);
  EXPECT_EQ(m.FAlphabet, "bcd(");
}

TEST(Parse, LinesArePreparedAndExtraWordsIgnored) {
  Machine m = Parsed(Akz, {"  a 1 -> a b c  ; comment", "\t", "; only a comment", "1 0 -> 1"});
  ASSERT_FALSE(m.FError);
  ASSERT_EQ(m.FTransitionCount, 2);
  EXPECT_EQ(m.FTable[0].Line, "a 1 -> a b c ");
  EXPECT_EQ(m.FTable[0].LineNo, 0);
  EXPECT_EQ(m.FTable[0].Next, kStateA);
  EXPECT_EQ(m.FTable[1].LineNo, 3);
  EXPECT_EQ(m.FTable[1].State, 1);
  EXPECT_EQ(m.FTable[0].Output, 0);
  EXPECT_EQ(m.FTable[0].Move, 0);
  EXPECT_EQ(m.FTable[0].StackChar, 0);
  EXPECT_EQ(m.FTable[0].StackOp, "");
}

TEST(Parse, AlphabetKeepsCaseAndOrderAndSkipsEpsilon) {
  Machine m = Parsed(DEA, {"a b -> x a", "a A -> y a", "a _ -> z a", "a b -> w 1"});
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FAlphabet, "bA");
  EXPECT_TRUE(m.FHasEpsilon);
  EXPECT_EQ(m.FTransitionCount, 4);  // only the NEA removes epsilon moves
}

TEST(Parse, EmptyProgram) {
  for (const auto& lines : {std::vector<std::string>{}, std::vector<std::string>{"; x", "", "   ", "\t"}}) {
    Machine m = Parsed(DEA, lines);
    EXPECT_FALSE(m.FError);
    EXPECT_EQ(m.FTransitionCount, 0);
    EXPECT_EQ(m.FEndStateCount, 1);
    EXPECT_EQ(m.FEndStates[1], kStateE);
    EXPECT_EQ(m.FAlphabet, "");
    EXPECT_TRUE(m.FFaults.empty());
  }
}

TEST(Parse, ReparseStartsFromScratch) {
  Machine m = Parsed(DEA, {"a s -> w a", "e: 1 2", "a _ -> x a"});
  ParseProgram(m, {"1 k -> b 2"});
  EXPECT_EQ(m.FTransitionCount, 1);
  EXPECT_EQ(m.FEndStateCount, 1);
  EXPECT_EQ(m.FAlphabet, "k");
  EXPECT_FALSE(m.FHasEpsilon);
  EXPECT_EQ(m.FTable[1].Line, "");
  EXPECT_EQ(m.FTable[2].Input, 0);
}

TEST(Declarations, WhereverEColonStands) {
  Machine m = Parsed(Akz, {"x E: 3", "E:", "e: 1", "E: 1 2", "a 1 -> a", "e:a"});
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FEndStateCount, 6);
  const std::vector<StateCode> expected{kStateE, 3, 1, 1, 2, kStateA};
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(m.FEndStates[i], expected[i - 1]) << i;
  EXPECT_TRUE(IsEndState(m, kStateA));
  EXPECT_TRUE(IsEndState(m, kStateE));
  EXPECT_FALSE(IsEndState(m, 4));
}

TEST(Declarations, CommentEColonIsNoDeclaration) {
  Machine m = Parsed(DEA, {"; e: a is only a comment", "a s -> w a"});
  EXPECT_EQ(m.FEndStateCount, 1);
  EXPECT_FALSE(IsEndState(m, kStateA));
}

TEST(Declarations, FaultKeepsEntriesUpToTheBadToken) {
  Machine m = Parsed(Akz, {"a 1 -> a", "E: A x 3", "1 0 -> a"});
  EXPECT_EQ(Messages(m), std::vector<std::string>{kState + "2"});
  EXPECT_EQ(m.FEndStateCount, 3);
  EXPECT_EQ(m.FEndStates[2], kStateA);
  EXPECT_EQ(m.FTransitionCount, 1);
  EXPECT_EQ(m.FFaultLine, 1);
}

TEST(Declarations, FaultBeforeAnyTransitionIsBefehl1) {
  Machine m = Parsed(DEA, {"; x", "e: q"});
  EXPECT_EQ(Messages(m), std::vector<std::string>{kState + "1"});
}

TEST(Declarations, NeaEIsEndStateOnlyWhenDeclared) {
  Machine plain = Parsed(NEA, {"a 0 -> e"});
  EXPECT_FALSE(IsEndState(plain, kNeaE));
  Machine declared = Parsed(NEA, {"a 0 -> e", "E: E"});
  EXPECT_TRUE(IsEndState(declared, kNeaE));
}

TEST(FaultLine, SelectionCoversTheWholeLineAsWritten) {
  const std::vector<std::string> lines{"; comment", "a 1 -> a", "", "a 0 -> 1", "1 x ->   ; oops", "1 1 -> 1"};
  Machine m = Parsed(Akz, lines);
  EXPECT_EQ(Messages(m), (std::vector<std::string>{kFormat + "3", kState + "3"}));
  EXPECT_EQ(m.FFaultLine, 4);
  const auto [start, length] = LineSelection(lines, m.FFaultLine);
  EXPECT_EQ(start, 9 + 2 + 8 + 2 + 0 + 2 + 8 + 2);
  EXPECT_EQ(length, 15);
  EXPECT_EQ(m.FTransitionCount, 2);
  EXPECT_EQ(m.FTable[2].Line, "1 x -> ");  // the unfinished record keeps what was read
  EXPECT_EQ(m.FTable[2].LineNo, 4);
  EXPECT_EQ(m.FTable[2].Input, 'x');
}

TEST(Limits, The102ndTransitionLineIsRefused) {
  std::vector<std::string> lines;
  for (int i = 0; i < 101; ++i) lines.push_back("a 1 -> a");
  Machine ok = Parsed(Akz, lines);
  EXPECT_FALSE(ok.FError);
  EXPECT_EQ(ok.FTransitionCount, 101);

  lines.push_back("e: 1");  // declarations are still read up to the refused line
  lines.push_back("bad line that is not read");
  Machine m = Parsed(Akz, lines);
  EXPECT_EQ(Messages(m), std::vector<std::string>{"Fehler: zu viele Befehle in Befehl 102"});
  EXPECT_EQ(m.FTransitionCount, 101);
  EXPECT_EQ(m.FFaultLine, 102);
  EXPECT_EQ(m.FEndStateCount, 2);
}

TEST(Limits, The99thDeclaredEndStateIsRefused) {
  std::string many = "E:";
  for (int i = 1; i <= 97; ++i) many += " " + std::to_string(i);
  Machine ok = Parsed(Akz, {many, "e: 98", "a 1 -> a"});
  EXPECT_FALSE(ok.FError);
  EXPECT_EQ(ok.FEndStateCount, 99);
  EXPECT_TRUE(IsEndState(ok, 98));

  Machine m = Parsed(Akz, {"a 1 -> a", many, "e: 98 99 100"});
  EXPECT_EQ(Messages(m), std::vector<std::string>{W("Fehler: zu viele Endzustände in Befehl 2")});
  EXPECT_EQ(m.FEndStateCount, 99);
  EXPECT_EQ(m.FFaultLine, 2);
}

TEST(Epsilon, OnlyNeaRemovesEpsilonAndOnlyAfterACleanParse) {
  Machine faulty = Parsed(NEA, {"a 0 -> 1", "1 _ -> e", "x"});
  EXPECT_TRUE(faulty.FError);
  EXPECT_EQ(faulty.FTransitionCount, 2);
  EXPECT_EQ(faulty.FTable[1].Input, '_');
  Machine clean = Parsed(NEA, {"a 0 -> 1", "1 _ -> e"});
  EXPECT_EQ(clean.FTransitionCount, 2);
  EXPECT_EQ(clean.FTable[1].Input, '0');
}

}  // namespace
}  // namespace automaten
