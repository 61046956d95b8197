#include <gtest/gtest.h>

#include "engine/test_text.h"

namespace automaten {
namespace {

using testing::Driver;

const MachineKind DEA = MachineKind::DEA, Akz = MachineKind::Akz, KA = MachineKind::KA, TM = MachineKind::TM;

TEST(FindTransition, FirstMatchingLineWins) {
  Driver d(Akz, {"1 0 -> 2", "a 0 -> 3", "a 0 -> 4"}, "0");
  EXPECT_EQ(d.m.FNextTransition, 1);
  d.Step();
  EXPECT_EQ(d.m.FState, 3);
}

TEST(FindTransition, NothingBeyondTheTape) {
  Driver d(Akz, {"a 0 -> a"}, "0", 2);
  EXPECT_EQ(SymbolUnderHead(d.tape, d.m.FHead), '\t');
  EXPECT_EQ(d.m.FNextTransition, -1);
}

TEST(DeaStep, WritesOutputUnderTheReadSymbol) {
  Driver d(DEA, {"a s -> w a", "a k -> b 1", "1 s -> x a"}, "sks");
  StepResult r = d.Step();
  EXPECT_TRUE(r.wroteOutput);
  EXPECT_TRUE(r.moved);
  EXPECT_EQ(d.second, "w  ");
  EXPECT_EQ(d.m.FHead, 2u);
  d.Step();
  d.Step();
  EXPECT_EQ(d.second, "wbx");
  EXPECT_EQ(d.m.FStepCount, 3u);
}

TEST(DeaStep, ShortenedOutputIsPaddedWithBlanks) {
  Driver d(DEA, {"a s -> w a"}, "sss", 3);
  d.second.clear();  // the user emptied the output field
  d.Step();
  EXPECT_EQ(d.second, "  w");
}

TEST(DeaVerdict, StuckMidWordIsRejectedEvenInEndState) {
  Driver d(DEA, {"e: a", "a s -> w a"}, "ssk");
  EXPECT_EQ(d.RunToHalt(), 2);
  Verdict v = d.Halt();
  EXPECT_FALSE(v.ok);
  EXPECT_EQ(v.text, "Das Wort wurde nicht akzeptiert.");
  EXPECT_EQ(v.colour, TextColour::Red);
}

TEST(DeaVerdict, EmptyTapeAcceptedExactlyWhenAIsEndState) {
  Driver accepted(DEA, {"e: a", "a s -> w a"}, "");
  EXPECT_TRUE(accepted.Halt().halted);
  EXPECT_TRUE(accepted.Halt().ok);
  Driver rejected(Akz, {"a s -> a"}, "");
  EXPECT_TRUE(rejected.Halt().halted);
  EXPECT_FALSE(rejected.Halt().ok);
}

TEST(Verdict, UnbestimmtShowsNothing) {
  Driver d(DEA, {"e: a"}, "");
  d.m.FState = kUnbestimmt;
  EXPECT_FALSE(d.Halt().halted);
  EXPECT_EQ(d.Halt().text, "");
}

TEST(Verdict, HeadPastTheEndIsNotAtEnd) {
  Driver d(Akz, {"e: a"}, "0", 3);
  EXPECT_FALSE(AtEnd(d.m, d.tape));
  EXPECT_TRUE(d.Halt().halted);  // but nothing applies there
  EXPECT_FALSE(d.Halt().ok);
}

TEST(KaStep, PushPopNop) {
  Driver d(KA, {"a x # -> push Y a", "a y Y -> pop a", "a z # -> nop a"}, "xyz");
  d.Step();
  EXPECT_EQ(d.second, "#Y");
  d.Step();
  EXPECT_EQ(d.second, "#");
  d.Step();
  EXPECT_EQ(d.second, "#");
  EXPECT_EQ(d.m.FHead, 4u);
  EXPECT_TRUE(d.Halt().ok);  // no declaration: the empty stack alone accepts
}

TEST(KaStep, RequiresTheStackTop) {
  Driver d(KA, {"a x ( -> pop a"}, "x");
  EXPECT_EQ(d.m.FNextTransition, -1);
  d.second = "#(";
  d.Refresh();
  EXPECT_EQ(d.m.FNextTransition, 0);
}

TEST(KaStep, EmptyStackTextHasNoTop) {
  Driver d(KA, {"a x # -> pop a"}, "x");
  d.second = "";
  d.Refresh();
  EXPECT_EQ(d.m.FNextTransition, -1);
  char top = 'q';
  EXPECT_FALSE(StackTop(d.second, top));
  StackPop(d.second);
  EXPECT_EQ(d.second, "");
  d.tape.clear();
  d.m.FHead = 1;
  EXPECT_TRUE(d.Halt().halted);
  EXPECT_FALSE(d.Halt().ok);  // at the end, but no '#' on top
}

TEST(KaVerdict, DeclaredEndStatesMustBeReached) {
  Driver d(KA, {"e: 1", "a x # -> nop a", "a y # -> nop 1"}, "x");
  d.RunToHalt();
  EXPECT_FALSE(d.Halt().ok);
  Driver e(KA, {"e: 1", "a x # -> nop a", "a y # -> nop 1"}, "y");
  e.RunToHalt();
  EXPECT_TRUE(e.Halt().ok);
}

TEST(TmStep, MoveKWritesAndChangesStateOnly) {
  Driver d(TM, {"a 1 -> x K 5"}, "*1**", 2);
  StepResult r = d.Step();
  EXPECT_FALSE(r.moved);
  EXPECT_EQ(d.tape, "*x**");
  EXPECT_EQ(d.m.FHead, 2u);
  EXPECT_EQ(d.m.FStepCount, 0u);
  EXPECT_EQ(d.m.FState, 5);
}

TEST(TmStep, LeftOntoPositionOneAddsTwentyBlanksInFront) {
  Driver d(TM, {"a 1 -> 1 L a"}, "x1", 2);
  d.Step();
  EXPECT_EQ(d.tape, std::string(20, '*') + "x1");
  EXPECT_EQ(d.m.FHead, 21u);
  EXPECT_EQ(SymbolUnderHead(d.tape, d.m.FHead), 'x');
  EXPECT_EQ(d.m.FStepCount, 1u);
}

TEST(TmStep, LeftFromPositionOneLandsOnTheLastNewBlank) {
  Driver d(TM, {"a 1 -> 2 L a"}, "1x", 1);
  d.Step();
  EXPECT_EQ(d.tape, std::string(20, '*') + "2x");
  EXPECT_EQ(d.m.FHead, 20u);
  EXPECT_EQ(SymbolUnderHead(d.tape, d.m.FHead), '*');
}

TEST(TmStep, RightOntoTheLastCharacterAppendsTwentyBlanks) {
  Driver d(TM, {"a 1 -> 1 R a"}, "11", 1);
  d.Step();
  EXPECT_EQ(d.tape, "11" + std::string(20, '*'));
  EXPECT_EQ(d.m.FHead, 2u);
}

TEST(TmStep, WriteBeyondTheEndPadsWithBlanks) {
  Driver d(TM, {}, "ab", 5);
  WriteTape(d.m, d.tape, 'z');
  EXPECT_EQ(d.tape, "ab**z");
}

TEST(TmVerdict, FunctionValueAndUndefined) {
  Driver d(TM, {"a 1 -> 1 K e"}, "*111*1", 2);
  d.RunToHalt();
  Verdict v = d.Halt();
  EXPECT_TRUE(v.ok);
  EXPECT_EQ(v.text, "Der Funktionswert ist: 3");
  EXPECT_EQ(v.colour, TextColour::Green);

  Driver u(TM, {"a 1 -> 1 R 2"}, "*11*", 2);
  u.RunToHalt();
  EXPECT_EQ(u.m.FState, 2);
  EXPECT_EQ(u.Halt().text, "Der Funktionswert ist undefiniert.");
  EXPECT_EQ(u.Halt().colour, TextColour::Red);
}

TEST(TmVerdict, EndStateHaltsEvenWithTransitionsLeft) {
  Driver d(TM, {"a 1 -> 1 K e", "e 1 -> 1 R e"}, "*1*", 2);
  d.Step();
  EXPECT_NE(d.m.FNextTransition, -1);
  EXPECT_TRUE(d.Halt().halted);
}

TEST(FunctionValue, CountsOnesFromTheHead) {
  Machine m;
  m.FHead = 2;
  EXPECT_EQ(FunctionValue(m, "*11111*1"), "5");
  EXPECT_EQ(FunctionValue(m, "**1"), "0");
  EXPECT_EQ(FunctionValue(m, "*"), "0");  // head beyond the end
  m.FHead = 1;
  EXPECT_EQ(FunctionValue(m, "1"), "1");
}

TEST(StepCounter, DoesNotWrapAt16Bits) {
  Driver d(Akz, {"a 1 -> a"}, "11");
  d.m.FStepCount = 65535;
  d.Step();
  EXPECT_EQ(d.m.FStepCount, 65536u);
}

TEST(HeadPosition, TuringHeadRunsPast65535) {
  Driver d(TM, {"a * -> * R a"}, std::string(65540, '*'), 65534);
  d.Step();
  d.Step();
  EXPECT_EQ(d.m.FHead, 65536u);
  d.Step();
  EXPECT_EQ(d.m.FHead, 65537u);
}

TEST(HeadMarker, CaretUnderTheHeadColumn) {
  EXPECT_EQ(HeadMarker(5, 1, 0), "^" + std::string(14, ' '));
  EXPECT_EQ(HeadMarker(5, 7, 2), std::string(4, ' ') + "^" + std::string(10, ' '));
  EXPECT_EQ(HeadMarker(5, 15, 0), std::string(14, ' ') + "^");
  EXPECT_EQ(HeadMarker(5, 16, 0), std::string(15, ' '));  // past the line: left out
  EXPECT_EQ(HeadMarker(5, 3, 3), std::string(15, ' '));   // scrolled out to the left
  EXPECT_EQ(HeadMarker(0, 1, 0).size(), 10u);
}

TEST(UnknownKind, StepsChangeNothingButTheState) {
  Driver d(static_cast<MachineKind>(7), {"a 1 -> 2"}, "1");
  StepResult r = d.Step();
  EXPECT_EQ(r.transition, 0);
  EXPECT_FALSE(r.moved);
  EXPECT_EQ(d.tape, "1");
  EXPECT_EQ(d.m.FHead, 1u);
}

}  // namespace
}  // namespace automaten
