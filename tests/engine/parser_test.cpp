// The parser: programs that read, broken lines with every message they bring,
// and the faulty line marked as the user wrote it.
#include <gtest/gtest.h>

#include "engine/encoding.h"
#include "engine/text.h"
#include "support/driver.h"

namespace automaten {
namespace {

using testing::Messages;

const MachineKind DEA = MachineKind::DEA, Akz = MachineKind::Akz, NEA = MachineKind::NEA, KA = MachineKind::KA,
                  TM = MachineKind::TM;

const std::string kFormat = MachineText("Fehler: falsches Befehlsformat in Befehl ");
const std::string kState = MachineText("Fehler: ungültiger Zustand in Befehl ");
const std::string kMove = MachineText("Fehler: ungültige Kopfbewegung in Befehl ");
const std::string kSymbol = MachineText("Fehler: ungültiges Alphabetzeichen in Befehl ");
const std::string kArrow = MachineText("Fehler: Übergangssymbol -> erwartet in Befehl ");
const std::string kNea =
    MachineText("Fehler: Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt. in Befehl ");

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
  const Program p = ParseProgram(c.kind, {"; a comment", c.line, "a 1 -> a"});
  EXPECT_EQ(Messages(p), c.messages);
  EXPECT_FALSE(p.Ok());
  EXPECT_EQ(p.faultLine, 1);
  EXPECT_TRUE(p.transitions.empty());  // the line after the fault is never read
}

INSTANTIATE_TEST_SUITE_P(
    Parser, BrokenLine,
    ::testing::Values(BrokenCase{"SymbolGluedToArrow", Akz, "a 1->a", {kSymbol + "1"}},
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

// State tokens: the letters, "0" for A, and plain decimal digits from 1 to 65532.
TEST(StateNumerals, PlainDecimalDigitsOnly) {
  struct Row {
    std::string token;
    bool valid;
    StateCode code;
  };
  const Row rows[] = {
      {"0", true, kStateA},   {"a", true, kStateA},
      {"A", true, kStateA},   {"e", true, kStateE},
      {"E", true, kStateE},   {"f", true, kStateF},
      {"F", true, kStateF},   {"1", true, 1},
      {"007", true, 7},       {"65531", true, 65531},
      {"65532", true, 65532}, {"65533", false, 0},
      {"65536", false, 0},    {"99999999999999999999", false, 0},
      {"00", false, 0},       {"+0", false, 0},
      {"+1", false, 0},       {"-1", false, 0},
      {"$1", false, 0},       {"0x1", false, 0},
      {"x1", false, 0},       {"1a", false, 0},
      {"aa", false, 0},       {"Ee", false, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.token);
    const Program p = ParseProgram(Akz, {r.token + " 1 -> a"});
    EXPECT_EQ(p.Ok(), r.valid);
    if (r.valid) {
      ASSERT_EQ(p.transitions.size(), 1u);
      EXPECT_EQ(p.transitions[0].from, r.code);
    } else {
      EXPECT_EQ(Messages(p), std::vector<std::string>{kState + "1"});
    }
  }
}

TEST(StateNumerals, NeaRecodesEAndF) {
  const Program p = ParseProgram(NEA, {"e 1 -> f", "10 0 -> 11", "E: E F 3"});
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.transitions[0].from, kNeaE);
  EXPECT_EQ(p.transitions[0].next, kNeaF);
  EXPECT_EQ(p.transitions[1].from, kNeaE);
  EXPECT_EQ(p.transitions[1].next, kNeaF);
  // The preset E keeps its wide code; the declared ones are the NEA's.
  EXPECT_EQ(p.endStates, (std::vector<StateCode>{kStateE, kNeaE, kNeaF, 3}));
}

TEST(Parse, FieldsOfEachKind) {
  const Program ka = ParseProgram(KA, {"a b # -> push a 1", "a c x -> Push ( e", "a d y -> pop 2", "a ( # -> NOP f"});
  ASSERT_TRUE(ka.Ok()) << Messages(ka).front();
  EXPECT_EQ(ka.transitions[0].stackOp, StackOp::Push);
  EXPECT_EQ(ka.transitions[0].output, 'A');  // the operation upper-cases the rest of the line
  EXPECT_EQ(ka.transitions[0].stackTop, '#');
  EXPECT_EQ(ka.transitions[0].line, "a b # -> push a 1 ");
  EXPECT_EQ(ka.transitions[1].output, '(');
  EXPECT_EQ(ka.transitions[1].stackTop, 'x');  // before the arrow the case stays
  EXPECT_EQ(ka.transitions[1].next, kStateE);
  EXPECT_EQ(ka.transitions[2].stackOp, StackOp::Pop);
  EXPECT_EQ(ka.transitions[2].output, 0);
  EXPECT_EQ(ka.transitions[3].stackOp, StackOp::Nop);
  EXPECT_EQ(ka.transitions[3].next, kStateF);
  EXPECT_EQ(ka.alphabet, "bcd(");

  const Program tm = ParseProgram(TM, {"a 1 -> 1 l a", "a 2 -> 2 r a", "a 3 -> 3 K a"});
  ASSERT_TRUE(tm.Ok());
  EXPECT_EQ(tm.transitions[0].move, 'L');
  EXPECT_EQ(tm.transitions[1].move, 'R');
  EXPECT_EQ(tm.transitions[2].move, 'K');
}

TEST(Text, LinesEndAtAnyBreakAndAFinalBreakStartsNoLine) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n"), std::vector<std::string>{"a"});
  EXPECT_EQ(SplitLines("a\n\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines("\r\n"), std::vector<std::string>{""});
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(PrepareLine(" \ta 1 -> a ; e: 1\t"), "a 1 -> a ");
}

TEST(Parse, LinesArePreparedAndExtraWordsIgnored) {
  const Program p = ParseProgram(Akz, {"  a 1 -> a b c  ; comment", "\t", "; only a comment", "1 0 -> 1"});
  ASSERT_TRUE(p.Ok());
  ASSERT_EQ(p.transitions.size(), 2u);
  EXPECT_EQ(p.transitions[0].line, "a 1 -> a b c ");
  EXPECT_EQ(p.transitions[0].next, kStateA);
  EXPECT_EQ(p.transitions[1].from, 1);
  EXPECT_EQ(p.transitions[0].output, 0);
  EXPECT_EQ(p.transitions[0].move, 0);
  EXPECT_EQ(p.transitions[0].stackOp, StackOp::None);
}

TEST(Parse, AlphabetKeepsCaseAndOrderAndSkipsEpsilon) {
  const Program p = ParseProgram(DEA, {"a b -> x a", "a A -> y a", "a _ -> z a", "a b -> w 1"});
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.alphabet, "bA");
  EXPECT_TRUE(p.hasEpsilon);
  EXPECT_EQ(p.transitions.size(), 4u);  // only the NEA removes epsilon moves
}

TEST(Parse, EmptyProgram) {
  for (const auto& lines : {std::vector<std::string>{}, std::vector<std::string>{"; x", "", "   ", "\t"}}) {
    const Program p = ParseProgram(DEA, lines);
    EXPECT_TRUE(p.Ok());
    EXPECT_TRUE(p.transitions.empty());
    EXPECT_EQ(p.endStates, std::vector<StateCode>{kStateE});
    EXPECT_FALSE(p.DeclaresEndStates());
    EXPECT_EQ(p.alphabet, "");
  }
}

TEST(Declarations, WhereverEColonStands) {
  const Program p = ParseProgram(Akz, {"x E: 3", "E:", "e: 1", "E: 1 2", "a 1 -> a", "e:a", "; e: 9 is a comment"});
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.endStates, (std::vector<StateCode>{kStateE, 3, 1, 1, 2, kStateA}));
  EXPECT_TRUE(p.IsEndState(kStateA));
  EXPECT_TRUE(p.IsEndState(kStateE));
  EXPECT_FALSE(p.IsEndState(4));
  EXPECT_FALSE(p.IsEndState(9));
}

TEST(Declarations, FaultKeepsEntriesUpToTheBadToken) {
  const Program p = ParseProgram(Akz, {"a 1 -> a", "E: A x 3", "1 0 -> a"});
  EXPECT_EQ(Messages(p), std::vector<std::string>{kState + "2"});
  EXPECT_EQ(p.endStates, (std::vector<StateCode>{kStateE, kStateA, 0}));
  EXPECT_EQ(p.transitions.size(), 1u);
  EXPECT_EQ(p.faultLine, 1);
  // Before any transition line the fault counts as transition 1.
  EXPECT_EQ(Messages(ParseProgram(DEA, {"; x", "e: q"})), std::vector<std::string>{kState + "1"});
}

TEST(Declarations, NeaEIsEndStateOnlyWhenDeclared) {
  EXPECT_FALSE(ParseProgram(NEA, {"a 0 -> e"}).IsEndState(kNeaE));
  EXPECT_TRUE(ParseProgram(NEA, {"a 0 -> e", "E: E"}).IsEndState(kNeaE));
}

TEST(FaultLine, SelectionCoversTheWholeLineAsWritten) {
  const std::vector<std::string> lines{"; comment", "a 1 -> a", "", "a 0 -> 1", "1 x ->   ; oops", "1 1 -> 1"};
  const Program p = ParseProgram(Akz, lines);
  EXPECT_EQ(Messages(p), (std::vector<std::string>{kFormat + "3", kState + "3"}));
  EXPECT_EQ(p.faultLine, 4);
  const auto [start, length] = LineSelection(lines, p.faultLine);
  EXPECT_EQ(start, 9 + 2 + 8 + 2 + 0 + 2 + 8 + 2);
  EXPECT_EQ(length, 15);
  EXPECT_EQ(p.transitions.size(), 2u);
}

// The table and the end-state list are containers: no line count or
// declaration count is refused, and the 65532nd state is a state like others.
TEST(Limits, NoneBeyondTheFileSize) {
  std::vector<std::string> lines;
  std::string ends = "E:";
  for (int i = 1; i <= 10000; ++i) {
    lines.push_back(std::to_string(i == 1 ? 0 : i - 1) + " 1 -> " + std::to_string(i));
    if (i % 2 == 0) ends += " " + std::to_string(i);
  }
  lines.push_back(ends);
  const Program p = ParseProgram(Akz, lines);
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.transitions.size(), 10000u);
  EXPECT_EQ(p.endStates.size(), 5001u);
  EXPECT_TRUE(p.IsEndState(10000));
  EXPECT_FALSE(p.IsEndState(9999));

  testing::Driver d(Akz, lines, std::string(10000, '1'));
  d.RunToHalt();
  EXPECT_EQ(d.c.state, 10000);
  EXPECT_TRUE(d.Halt().ok);

  testing::Driver top(Akz, {"e: 65532", "a 1 -> 65532", "65532 1 -> 65532"}, "11");
  top.RunToHalt();
  EXPECT_EQ(top.c.state, 65532);
  EXPECT_TRUE(top.Halt().ok);
}

TEST(Epsilon, OnlyNeaRemovesEpsilonAndOnlyAfterACleanParse) {
  const Program faulty = ParseProgram(NEA, {"a 0 -> 1", "1 _ -> e", "x"});
  EXPECT_FALSE(faulty.Ok());
  ASSERT_EQ(faulty.transitions.size(), 2u);
  EXPECT_EQ(faulty.transitions[1].input, '_');
  const Program clean = ParseProgram(NEA, {"a 0 -> 1", "1 _ -> e"});
  ASSERT_EQ(clean.transitions.size(), 2u);
  EXPECT_EQ(clean.transitions[1].input, '0');
}

// A student's 'ε' is the NEA's epsilon; any other character the code page
// lacks is the fault of its line, in every kind, never a silent '?'.
TEST(ForeignCharacters, EpsilonInTheNeaAndAFaultElsewhere) {
  EXPECT_EQ(ProgramLineToMachine("a \u03B5 -> 1"), std::string("a ") + kEpsilonSign + " -> 1");
  EXPECT_EQ(ProgramLineToMachine("a \u03B2 -> 1"), std::string("a ") + kForeignSymbol + " -> 1");
  EXPECT_EQ(ProgramLineToMachine("; f\u00FCr \u2192"), std::string("; f\xFCr ") + kForeignSymbol);
  EXPECT_EQ(ProgramLineToMachine("a 1 -> e"), "a 1 -> e");

  const Program nea = ParseProgram(MachineKind::NEA, {ProgramLineToMachine("a \u03B5 -> 1"), "1 0 -> e"});
  ASSERT_TRUE(nea.Ok());
  EXPECT_TRUE(nea.hasEpsilon);
  EXPECT_EQ(nea.Written()[0].input, kEpsilon);
  EXPECT_EQ(nea.alphabet, "0");

  for (MachineKind kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    const Program p = ParseProgram(kind, {ProgramLineToMachine("a \u03B2 -> e")});
    ASSERT_FALSE(p.Ok());
    EXPECT_EQ(p.faults.front(), (ParseFault{FaultCode::Symbol, 1}));
    if (kind != MachineKind::NEA) {
      const Program e = ParseProgram(kind, {ProgramLineToMachine("a \u03B5 -> e")});
      ASSERT_FALSE(e.Ok());
      EXPECT_EQ(e.faults.front().code, FaultCode::Symbol);
    }
  }
  // A comment may hold any character.
  EXPECT_TRUE(ParseProgram(MachineKind::Akz, {ProgramLineToMachine("a 1 -> e ; \u03B2 \u2192")}).Ok());
}

}  // namespace
}  // namespace automaten
