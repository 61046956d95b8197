// The NEA on state sets, and the rewrite of its epsilon transitions.
#include "engine/nea.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/driver.h"

namespace automaten {
namespace {

using testing::Driver;

const MachineKind NEA = MachineKind::NEA;

StateSet SetOf(std::initializer_list<int> members) {
  StateSet s;
  for (int i : members) s.Add(i);
  return s;
}

std::vector<std::tuple<int, char, int>> Entries(const Program& p) {
  std::vector<std::tuple<int, char, int>> out;
  for (const Transition& t : p.transitions) out.emplace_back(t.from, t.input, t.next);
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

TEST(NextSet, FollowsEveryTransitionOfEveryMemberAndFKeepsF) {
  Driver d(NEA, {"a 0 -> a", "a 0 -> 1"}, "0");
  EXPECT_EQ(d.c.set, SetOf({0}));
  d.Step();
  EXPECT_EQ(d.c.set, SetOf({0, 1}));

  const Program p = ParseProgram(NEA, {"f 0 -> 1", "a 1 -> 2"});
  EXPECT_EQ(NextSet(p, SetOf({0, 11}), '0'), SetOf({11}));
  EXPECT_EQ(NextSet(p, SetOf({11}), '1'), SetOf({}));  // F has nothing on 1: it leaves the set
}

TEST(SetAccepts, EAlwaysAcceptsFNeverDeclaredStatesToo) {
  const Program p = ParseProgram(NEA, {"e: 3 9 f"});
  EXPECT_TRUE(SetAccepts(p, SetOf({10})));
  EXPECT_TRUE(SetAccepts(p, SetOf({3})));
  EXPECT_TRUE(SetAccepts(p, SetOf({9})));
  EXPECT_FALSE(SetAccepts(p, SetOf({11})));
  EXPECT_FALSE(SetAccepts(p, SetOf({0, 4})));
}

TEST(SetTransitionText, ShowsTheNextSetAndChangesNothing) {
  Driver d(NEA, {"a 0 -> a", "a 0 -> 1"}, "0");
  const Configuration before = d.c;
  EXPECT_EQ(SetTransitionText(d.c, NextMove(d.program, d.c).nextSet), "{A} 0 -> {A,1}");
  EXPECT_EQ(d.c, before);
}

TEST(FindTransition, NeaAnswersEntryZeroWhenAnyMemberMoves) {
  Driver d(NEA, {"3 1 -> 4", "a 0 -> 2"}, "0");
  EXPECT_EQ(d.next, 0);
}

TEST(FindTransition, NeaFallsBackOnTheOrdinaryRule) {
  // When no member of the set moves on the symbol, the entry for the state
  // (the next state of the last step's entry) still applies and empties the set.
  Driver d(NEA, {"a 0 -> 2", "2 1 -> 3"}, "01");
  d.Step();
  EXPECT_EQ(d.c.set, SetOf({2}));
  EXPECT_EQ(d.next, 0);  // 2 moves on 1: entry 0
  d.c.set = SetOf({5});  // nobody in the set moves on 1
  d.Refresh();
  EXPECT_EQ(d.next, 1);  // the ordinary match on state 2
  d.Step();
  EXPECT_EQ(d.c.set, SetOf({}));
  EXPECT_EQ(d.c.head, 3u);
  EXPECT_TRUE(d.Halt().halted);
  EXPECT_EQ(d.Halt().text, "Das Wort wurde nicht akzeptiert.");
}

TEST(SetOperations, CodesAbove11AreIgnored) {
  // A table parsed for another kind seen by the set operations.
  Program p = ParseProgram(MachineKind::DEA, {"a 0 -> w 300", "300 0 -> w 12", "e 0 -> w a"});
  p.kind = NEA;
  p.BuildIndex();
  const StateSet all = SetOf({0, 10, 11});
  EXPECT_TRUE(SetHasTransition(p, all, '0'));
  EXPECT_EQ(NextSet(p, all, '0'), SetOf({}));
  EXPECT_EQ(EpsilonClosure(p.transitions, 300), SetOf({}));
}

TEST(EpsilonClosure, CyclesEnd) {
  const Program p = ParseProgram(MachineKind::Akz, {"1 _ -> 2", "2 _ -> 1"});  // the acceptor keeps them
  EXPECT_EQ(EpsilonClosure(p.transitions, 1), SetOf({1, 2}));
  EXPECT_EQ(EpsilonClosure(p.transitions, 0), SetOf({0}));
}

TEST(RemoveEpsilon, WorkedCase) {
  const Program p = ParseProgram(NEA, {"a 0 -> 1", "1 _ -> e"});
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(Entries(p), (std::vector<std::tuple<int, char, int>>{{0, '0', 1}, {0, '0', 10}}));
  EXPECT_EQ(p.transitions[0].line, "a 0 -> 1 ");  // copied entries keep their line
  EXPECT_EQ(p.transitions[1].line, "");
  Driver d(NEA, {"a 0 -> 1", "1 _ -> e"}, "0");
  d.RunToHalt();
  EXPECT_EQ(d.c.set, SetOf({1, 10}));
  EXPECT_TRUE(d.Halt().ok);
}

TEST(RemoveEpsilon, OnlyEpsilonFromAGivesAnEmptyTable) {
  Driver d(NEA, {"a _ -> e"}, "");
  EXPECT_TRUE(d.program.transitions.empty());
  EXPECT_EQ(d.c.set, SetOf({0}));  // the start set is not widened
  EXPECT_TRUE(d.Halt().halted);
  EXPECT_FALSE(d.Halt().ok);
}

TEST(RemoveEpsilon, LineOrderChangesEntriesNotSets) {
  const Program p1 = ParseProgram(NEA, {"a 0 -> 1", "a 0 -> a", "1 _ -> e"});
  const Program p2 = ParseProgram(NEA, {"a 0 -> a", "a 0 -> 1", "1 _ -> e"});
  EXPECT_EQ(Entries(p1), (std::vector<std::tuple<int, char, int>>{{0, '0', 1}, {0, '0', 0}, {0, '0', 10}}));
  EXPECT_EQ(Entries(p2), (std::vector<std::tuple<int, char, int>>{{0, '0', 0}, {0, '0', 1}, {0, '0', 10}}));
  EXPECT_EQ(NextSet(p1, SetOf({0}), '0'), SetOf({0, 1, 10}));
  EXPECT_EQ(NextSet(p2, SetOf({0}), '0'), SetOf({0, 1, 10}));
}

TEST(RemoveEpsilon, DuplicateLinesStayAddedEntriesNeverRepeat) {
  const Program p = ParseProgram(NEA, {"a 0 -> 1", "a 0 -> 1", "a _ -> 2", "2 0 -> 1"});
  EXPECT_EQ(Entries(p), (std::vector<std::tuple<int, char, int>>{{0, '0', 1}, {0, '0', 1}, {2, '0', 1}}));
}

TEST(RemoveEpsilon, ClosureBeforeAndAfterTheSymbol) {
  // 0 --_--> 1 --x--> 2 --_--> 3 --_--> E
  const Program p = ParseProgram(NEA, {"a _ -> 1", "1 x -> 2", "2 _ -> 3", "3 _ -> e"});
  EXPECT_EQ(Entries(p), (std::vector<std::tuple<int, char, int>>{
                            {1, 'x', 2}, {0, 'x', 2}, {0, 'x', 3}, {0, 'x', 10}, {1, 'x', 3}, {1, 'x', 10}}));
}

TEST(RemoveEpsilon, LargestRewrite) {
  // Every state reaches every state by epsilon moves, on many symbols:
  // 144 entries per symbol.
  std::vector<std::string> lines{"a _ -> 1"};
  for (int s = 1; s < 11; ++s) lines.push_back(std::to_string(s) + " _ -> " + std::to_string(s + 1));
  lines.push_back("f _ -> a");
  const std::string symbols = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (char c : symbols) lines.push_back(std::string("a ") + c + " -> a");
  const Program p = ParseProgram(NEA, lines);
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.transitions.size(), symbols.size() * 144);
  EXPECT_EQ(SetToText(NextSet(p, SetOf({0}), 'q')), "{A,1,2,3,4,5,6,7,8,9,E,F}");
}

}  // namespace
}  // namespace automaten
