// The five built-in examples, parsed and run by the engine.
#include <gtest/gtest.h>

#include "control/examples.h"
#include "engine/test_text.h"

namespace automaten {
namespace {

using testing::Driver;
using testing::Parsed;
using testing::W;

TEST(Examples, TextsKeepTheirLinesExactly) {
  const auto dea = ExampleLines(MachineKind::DEA);
  ASSERT_EQ(dea.size(), 18u);
  EXPECT_EQ(dea[0], W("; Beispiel für einen deterministischen Automaten mit Ausgabe"));
  EXPECT_EQ(dea[17], "");
  const auto akz = ExampleLines(MachineKind::Akz);
  ASSERT_EQ(akz.size(), 12u);
  EXPECT_EQ(akz[1], W(";   01-Wörter mit gerader Anzahl von Nullen "));
  const auto nea = ExampleLines(MachineKind::NEA);
  ASSERT_EQ(nea.size(), 23u);
  EXPECT_EQ(nea[7], W("; Außer dem Anfangs- und Endzustand sind nur die Zustände 0..9 erlaubt."));
  EXPECT_EQ(nea[8], W("; Während der Ausführung werden die Übergänge zwischen den"));
  EXPECT_EQ(nea[11], W("; Der Epsilonübergang wird mit dem Unterstrich \"_\" angegeben."));
  EXPECT_EQ(ExampleLines(MachineKind::KA).size(), 12u);
  const auto tm = ExampleLines(MachineKind::TM);
  ASSERT_EQ(tm.size(), 21u);
  EXPECT_EQ(tm[1], W("; unäre Addition der beiden durch # getrennten Summanden"));
  EXPECT_EQ(tm[4], "; Zustand Eingabezeichen -> Ausgabezeichen Kopfbewegung Folgezustand ");
  EXPECT_EQ(tm[8], "A # -> * R E    ; 0 + x");
  EXPECT_EQ(tm[14], "3 # -> * L 6   ; x + 0");
  EXPECT_EQ(tm[20], "6 * -> * R E");
  const std::string text = ExampleText(MachineKind::TM);
  EXPECT_EQ(text.substr(text.size() - 14), "6 * -> * R E\r\n");
  EXPECT_TRUE(ExampleLines(static_cast<MachineKind>(5)).empty());
}

TEST(Examples, TuringTapeIsBuiltAroundTheHead) {
  EXPECT_EQ(ExampleTape(MachineKind::TM, 27, 60), std::string(26, '*') + "111#11" + std::string(29, '*'));
  EXPECT_EQ(ExampleTape(MachineKind::TM, 29, 64), std::string(28, '*') + "111#11" + std::string(31, '*'));
  EXPECT_EQ(ExampleTape(MachineKind::TM, 1, 3), "111#11");
  EXPECT_EQ(ExampleTape(MachineKind::DEA, 1, 60), "sskkss");
}

TEST(Examples, DeaParsesIntoSixRecords) {
  Machine m = Parsed(MachineKind::DEA, ExampleLines(MachineKind::DEA));
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FTransitionCount, 6);
  const TabelleRecTyp& r = m.FTable[0];
  EXPECT_EQ(r.State, kStateA);
  EXPECT_EQ(r.Input, 's');
  EXPECT_EQ(r.Output, 'w');
  EXPECT_EQ(r.Next, kStateA);
  EXPECT_EQ(r.LineNo, 11);
  EXPECT_EQ(r.Line, "a s -> w a ");
  EXPECT_EQ(m.FAlphabet, "sk");
  EXPECT_EQ(m.FEndStateCount, 2);
  EXPECT_EQ(m.FEndStates[2], kStateA);
}

TEST(Examples, KaParse) {
  Machine m = Parsed(MachineKind::KA, ExampleLines(MachineKind::KA));
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FEndStateCount, 2);
  EXPECT_EQ(m.FTable[0].StackChar, '#');
  EXPECT_EQ(m.FTable[0].StackOp, "PUSH");
  EXPECT_EQ(m.FTable[0].Output, '(');
  EXPECT_EQ(m.FTable[3].StackOp, "NOP");
  EXPECT_EQ(m.FTable[3].Output, 0);
  EXPECT_EQ(m.FTable[3].Next, kStateF);
  EXPECT_EQ(m.FAlphabet, "()");
}

TEST(Examples, OtherParses) {
  Machine nea = Parsed(MachineKind::NEA, ExampleLines(MachineKind::NEA));
  EXPECT_EQ(nea.FTransitionCount, 8);
  EXPECT_EQ(nea.FTable[6].State, kNeaE);
  EXPECT_EQ(nea.FTable[6].Next, kNeaE);
  EXPECT_EQ(nea.FEndStateCount, 1);
  EXPECT_FALSE(nea.FHasEpsilon);
  Machine akz = Parsed(MachineKind::Akz, ExampleLines(MachineKind::Akz));
  EXPECT_TRUE(IsEndState(akz, kStateA));
  Machine tm = Parsed(MachineKind::TM, ExampleLines(MachineKind::TM));
  EXPECT_EQ(tm.FTable[2].Line, "A # -> * R E ");
  EXPECT_EQ(tm.FEndStateCount, 1);
}

TEST(Examples, DeaDogWagsAndBarks) {
  Driver d(MachineKind::DEA, ExampleLines(MachineKind::DEA), "sskkss");
  EXPECT_EQ(d.m.FTable[d.m.FNextTransition].Line, "a s -> w a ");
  d.Step();
  d.Step();
  d.Step();
  EXPECT_EQ(d.m.FState, 1);
  d.RunToHalt();
  EXPECT_EQ(d.second, "wwwbbw");
  EXPECT_EQ(d.m.FState, kStateA);
  EXPECT_EQ(d.m.FStepCount, 6u);
  const Verdict v = d.Halt();
  EXPECT_EQ(v.text, "Das Wort wurde akzeptiert.");
  EXPECT_EQ(v.colour, TextColour::Green);
}

TEST(Examples, AcceptorCountsZeros) {
  Driver odd(MachineKind::Akz, ExampleLines(MachineKind::Akz), "11011");
  odd.RunToHalt();
  EXPECT_EQ(odd.m.FState, 1);
  EXPECT_EQ(odd.Halt().text, "Das Wort wurde nicht akzeptiert.");
  EXPECT_EQ(odd.Halt().colour, TextColour::Red);
  Driver even(MachineKind::Akz, ExampleLines(MachineKind::Akz), "1001");
  even.RunToHalt();
  EXPECT_TRUE(even.Halt().ok);
}

TEST(Examples, NeaRunsThroughItsSets) {
  Driver d(MachineKind::NEA, ExampleLines(MachineKind::NEA), "00101110");
  EXPECT_EQ(SetTransitionText(d.m, d.tape), "{A} 0 -> {A,1}");
  std::vector<std::string> sets{SetToText(d.m.FCurrentSet)};
  while (!d.Halt().halted) {
    d.Step();
    sets.push_back(SetToText(d.m.FCurrentSet));
  }
  EXPECT_EQ(sets, (std::vector<std::string>{"{A}", "{A,1}", "{A,1,2}", "{A,2}", "{A,1,E}", "{A,2,E}", "{A,E}",
                                            "{A,E}", "{A,1,E}"}));
  EXPECT_EQ(d.m.FStepCount, 8u);
  EXPECT_EQ(d.Halt().text, "Das Wort wurde akzeptiert.");
}

TEST(Examples, KaBalancedParentheses) {
  Driver d(MachineKind::KA, ExampleLines(MachineKind::KA), "(()())");
  d.RunToHalt();
  EXPECT_EQ(d.second, "#");
  EXPECT_TRUE(d.Halt().ok);
  Driver open(MachineKind::KA, ExampleLines(MachineKind::KA), "(()");
  open.RunToHalt();
  EXPECT_EQ(open.second, "#(");
  EXPECT_EQ(open.Halt().text, "Das Wort wurde nicht akzeptiert.");
  Driver closing(MachineKind::KA, ExampleLines(MachineKind::KA), "())");
  closing.RunToHalt();
  EXPECT_EQ(closing.m.FState, kStateF);
  EXPECT_FALSE(closing.Halt().ok);
}

TEST(Examples, TuringAddsInUnary) {
  const std::string tape = ExampleTape(MachineKind::TM, 27, 60);
  Driver d(MachineKind::TM, ExampleLines(MachineKind::TM), tape, 27);
  const int steps = d.RunToHalt();
  EXPECT_EQ(d.m.FStepCount, 14u);
  EXPECT_EQ(steps, 14);  // every step of this program moves the head
  EXPECT_EQ(d.m.FState, kStateE);
  EXPECT_EQ(d.tape.substr(d.m.FHead - 1, 6), "11111*");
  EXPECT_EQ(d.Halt().text, "Der Funktionswert ist: 5");
  EXPECT_EQ(d.Halt().colour, TextColour::Green);
}

}  // namespace
}  // namespace automaten
