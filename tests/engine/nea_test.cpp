#include <gtest/gtest.h>

#include <tuple>

#include "engine/test_text.h"

namespace automaten {
namespace {

using testing::Driver;
using testing::Parsed;

const MachineKind NEA = MachineKind::NEA;

TStateSet SetOf(std::initializer_list<int> members) {
  TStateSet s{};
  for (int i : members) s[i] = 1;
  return s;
}

std::vector<std::tuple<int, char, int>> Entries(const Machine& m) {
  std::vector<std::tuple<int, char, int>> out;
  for (int i = 0; i < m.FTransitionCount; ++i) out.emplace_back(m.FTable[i].State, m.FTable[i].Input, m.FTable[i].Next);
  return out;
}

TEST(SetToText, MembersInIndexOrder) {
  EXPECT_EQ(SetToText(SetOf({})), "{}");
  EXPECT_EQ(SetToText(SetOf({0})), "{A}");
  EXPECT_EQ(SetToText(SetOf({0, 1, 10})), "{A,1,E}");
  EXPECT_EQ(SetToText(SetOf({3, 11})), "{3,F}");
  EXPECT_EQ(SetToText(SetOf({10})), "{E}");
  EXPECT_EQ(SetToText(SetOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})), "{A,1,2,3,4,5,6,7,8,9,E,F}");
}

TEST(ResetSet, StartsFromAAlone) {
  Machine m = Parsed(NEA, {"a _ -> 1"});
  m.FNextSet = SetOf({4});
  ResetSet(m);
  EXPECT_EQ(m.FCurrentSet, SetOf({0}));
  EXPECT_EQ(m.FNextSet, SetOf({}));
}

TEST(SetStep, FollowsEveryTransitionOfEveryMember) {
  Driver d(NEA, {"a 0 -> a", "a 0 -> 1"}, "0");
  d.Step();
  EXPECT_EQ(d.m.FCurrentSet, SetOf({0, 1}));
  EXPECT_EQ(d.m.FNextSet, d.m.FCurrentSet);
}

TEST(SetStep, TransitionOutOfFKeepsF) {
  Driver d(NEA, {"f 0 -> 1", "a 1 -> 2"}, "00");
  d.m.FCurrentSet = SetOf({0, 11});
  SetStep(d.m, d.tape);
  EXPECT_EQ(d.m.FCurrentSet, SetOf({11}));
  d.tape = "11";
  SetStep(d.m, d.tape);  // F has nothing on 1: it leaves the set
  EXPECT_EQ(d.m.FCurrentSet, SetOf({}));
}

TEST(SetAccepts, EAlwaysAcceptsFNever) {
  Machine m = Parsed(NEA, {"e: 3 f"});
  m.FCurrentSet = SetOf({10});
  EXPECT_TRUE(SetAccepts(m));
  m.FCurrentSet = SetOf({3});
  EXPECT_TRUE(SetAccepts(m));
  m.FCurrentSet = SetOf({11});
  EXPECT_FALSE(SetAccepts(m));
  m.FCurrentSet = SetOf({0, 4});
  EXPECT_FALSE(SetAccepts(m));
}

TEST(SetTransitionText, ChangesNothing) {
  Driver d(NEA, {"a 0 -> a", "a 0 -> 1"}, "0");
  d.m.FNextSet = SetOf({7});
  const Machine before = d.m;
  EXPECT_EQ(SetTransitionText(d.m, d.tape), "{A} 0 -> {A,1}");
  EXPECT_EQ(SetTransitionText(d.m, d.tape), "{A} 0 -> {A,1}");
  EXPECT_EQ(d.m.FCurrentSet, before.FCurrentSet);
  EXPECT_EQ(d.m.FNextSet, before.FNextSet);
}

TEST(FindTransition, NeaAnswersEntryZeroWhenAnyMemberMoves) {
  Driver d(NEA, {"3 1 -> 4", "a 0 -> 2"}, "0");
  EXPECT_EQ(d.m.FNextTransition, 0);
}

TEST(FindTransition, NeaFallsBackOnTheOrdinaryRule) {
  // When no member of the set moves on the symbol, the entry for FState
  // (the Next of the last step) still applies and empties the set.
  Driver d(NEA, {"a 0 -> 2", "2 1 -> 3"}, "01");
  d.Step();
  EXPECT_EQ(d.m.FCurrentSet, SetOf({2}));
  EXPECT_EQ(d.m.FNextTransition, 0);  // 2 moves on 1: entry 0
  d.m.FCurrentSet = SetOf({5});      // nobody in the set moves on 1
  d.Refresh();
  EXPECT_EQ(d.m.FNextTransition, 1);  // the ordinary match on FState = 2
  d.Step();
  EXPECT_EQ(d.m.FCurrentSet, SetOf({}));
  EXPECT_EQ(d.m.FHead, 3u);
  EXPECT_TRUE(d.Halt().halted);
  EXPECT_EQ(d.Halt().text, "Das Wort wurde nicht akzeptiert.");
}

TEST(SetOperations, CodesAbove11AreIgnored) {
  // A table parsed for another kind, seen by the set operations after a change of kind.
  Machine m = Parsed(MachineKind::DEA, {"a 0 -> w 300", "300 0 -> w 12", "e 0 -> w a"});
  m.FMode = NEA;
  m.FCurrentSet = SetOf({0, 10, 11});
  m.FState = kUnbestimmt;
  m.FHead = 1;
  EXPECT_TRUE(SetHasTransition(m, '0'));
  SetStep(m, "0");
  EXPECT_EQ(m.FCurrentSet, SetOf({}));
  TStateSet closure;
  EpsilonClosure(m, 300, closure);
  EXPECT_EQ(closure, SetOf({}));
}

TEST(EpsilonClosure, CyclesEnd) {
  // Parsed for the acceptor, so the epsilon entries stay in the table.
  Machine m = Parsed(MachineKind::Akz, {"1 _ -> 2", "2 _ -> 1"});
  TStateSet set;
  EpsilonClosure(m, 1, set);
  EXPECT_EQ(set, SetOf({1, 2}));
  EpsilonClosure(m, 0, set);
  EXPECT_EQ(set, SetOf({0}));
}

TEST(RemoveEpsilon, WorkedCase) {
  Machine m = Parsed(NEA, {"a 0 -> 1", "1 _ -> e"});
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(Entries(m), (std::vector<std::tuple<int, char, int>>{{0, '0', 1}, {0, '0', 10}}));
  EXPECT_EQ(m.FTable[0].Line, "a 0 -> 1 ");  // copied entries keep their line
  EXPECT_EQ(m.FTable[1].Line, "");
  Driver d(NEA, {"a 0 -> 1", "1 _ -> e"}, "0");
  d.RunToHalt();
  EXPECT_EQ(d.m.FCurrentSet, SetOf({1, 10}));
  EXPECT_TRUE(d.Halt().ok);
}

TEST(RemoveEpsilon, OnlyEpsilonFromAGivesAnEmptyTable) {
  Driver d(NEA, {"a _ -> e"}, "");
  EXPECT_EQ(d.m.FTransitionCount, 0);
  EXPECT_EQ(d.m.FCurrentSet, SetOf({0}));  // the start set is not widened
  EXPECT_TRUE(d.Halt().halted);
  EXPECT_FALSE(d.Halt().ok);
}

TEST(RemoveEpsilon, LineOrderChangesEntriesNotSets) {
  Machine m1 = Parsed(NEA, {"a 0 -> 1", "a 0 -> a", "1 _ -> e"});
  Machine m2 = Parsed(NEA, {"a 0 -> a", "a 0 -> 1", "1 _ -> e"});
  EXPECT_EQ(Entries(m1), (std::vector<std::tuple<int, char, int>>{{0, '0', 1}, {0, '0', 0}, {0, '0', 10}}));
  EXPECT_EQ(Entries(m2), (std::vector<std::tuple<int, char, int>>{{0, '0', 0}, {0, '0', 1}, {0, '0', 10}}));
  for (auto* lines : {&m1, &m2}) {
    Machine& m = *lines;
    ResetSet(m);
    m.FHead = 1;
    SetStep(m, "0");
    EXPECT_EQ(SetToText(m.FCurrentSet), "{A,1,E}");
  }
}

TEST(RemoveEpsilon, DuplicateLinesStayAddedEntriesNeverRepeat) {
  Machine m = Parsed(NEA, {"a 0 -> 1", "a 0 -> 1", "a _ -> 2", "2 0 -> 1"});
  EXPECT_EQ(Entries(m), (std::vector<std::tuple<int, char, int>>{{0, '0', 1}, {0, '0', 1}, {2, '0', 1}}));
}

TEST(RemoveEpsilon, ClosureBeforeAndAfterTheSymbol) {
  // 0 --_--> 1 --x--> 2 --_--> 3 --_--> E
  Machine m = Parsed(NEA, {"a _ -> 1", "1 x -> 2", "2 _ -> 3", "3 _ -> e"});
  EXPECT_EQ(Entries(m), (std::vector<std::tuple<int, char, int>>{
                            {1, 'x', 2}, {0, 'x', 2}, {0, 'x', 3}, {0, 'x', 10}, {1, 'x', 3}, {1, 'x', 10}}));
}

TEST(RemoveEpsilon, LargestRewriteIsNotRefused) {
  // Every state reaches every state by epsilon moves, on many symbols:
  // 144 entries per symbol, far beyond the 101 lines of a program.
  std::vector<std::string> lines;
  for (int s = 0; s < 11; ++s) lines.push_back(std::to_string(s == 0 ? 0 : s) + " _ -> " + std::to_string(s + 1));
  lines[0] = "a _ -> 1";
  lines.push_back("f _ -> a");
  const std::string symbols = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (char c : symbols) lines.push_back(std::string("a ") + c + " -> a");
  Machine m = Parsed(NEA, lines);
  ASSERT_FALSE(m.FError);
  EXPECT_EQ(m.FTransitionCount, static_cast<int>(symbols.size()) * 144);
  ResetSet(m);
  m.FHead = 1;
  SetStep(m, "q");
  EXPECT_EQ(SetToText(m.FCurrentSet), "{A,1,2,3,4,5,6,7,8,9,E,F}");
}

}  // namespace
}  // namespace automaten
