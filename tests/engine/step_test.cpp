// The step rules of each kind and the verdicts, on values.
#include <gtest/gtest.h>

#include <random>

#include "engine/text.h"
#include "support/driver.h"

namespace automaten {
namespace {

using testing::Driver;

const MachineKind DEA = MachineKind::DEA, Akz = MachineKind::Akz, KA = MachineKind::KA, TM = MachineKind::TM;

// The tape keeps room in front of its first cell; whatever is put where, it
// reads like the plain string the same edits give.
TEST(Tape, EditsAtEitherEndReadLikeAString) {
  Tape tape("ab");
  std::string model = "ab";
  for (int i = 0; i < 600; ++i) {
    // Now and then more cells than the buffer has room for, at either end.
    const std::size_t count =
        i % 9 == 0 ? std::min<std::size_t>(model.size(), 2000) + 100 : static_cast<std::size_t>(1 + i % 25);
    const std::string cells(count, static_cast<char>('c' + i % 20));
    switch (i % 6) {
      case 0: tape.Prepend(cells.size(), cells[0]), model.insert(0, cells); break;
      case 1: tape.Append(cells.size(), cells[0]), model.append(cells); break;
      case 2: tape.Replace(0, 0, cells), model.insert(0, cells); break;
      case 3:
        tape.Replace(model.size() / 2, 3, cells), model.replace(model.size() / 2, 3, cells);
        tape.Set(1, 'x'), model[0] = 'x';
        break;
      case 4: {  // a copy is a tape of its own
        Tape copy = tape;
        copy.Set(1, 'y');
        tape.Replace(0, 7, ""), model.erase(0, 7);
        ASSERT_EQ(copy.View().substr(7), model) << i;
        break;
      }
      case 5: {
        Tape moved(std::move(tape));
        tape = Tape();
        ASSERT_TRUE(tape.empty());
        tape = std::move(moved);
        tape.Replace(model.size() - 1, 1, ""), model.pop_back();
        break;
      }
    }
    ASSERT_EQ(tape.View(), model) << i;
  }
  EXPECT_EQ(tape.At(static_cast<std::uint32_t>(model.size())), model.back());
  EXPECT_EQ(tape.At(static_cast<std::uint32_t>(model.size()) + 1), kBeyondTape);
  EXPECT_EQ(tape.At(0), kBeyondTape);
  EXPECT_EQ(tape, Tape(model));
}

TEST(InitialConfiguration, HeadStartAndFieldsPerKind) {
  struct Row {
    MachineKind kind;
    std::string tape;
    int width;
    std::string tapeAfter;
    std::uint32_t head;
    std::string second;
  };
  const Row rows[] = {
      {DEA, "sks", 60, "sks", 1, "   "},
      {KA, "(()", 60, "(()", 1, "#"},
      {Akz, "**1", 60, "**1", 3, ""},
      {Akz, "", 60, "", 1, ""},
      {Akz, "***", 60, "***", 3, ""},                                // blanks only: the last cell
      {TM, "111#11", 10, "111#11****", 1, ""},                       // padded to the width
      {TM, std::string(10, '*'), 60, std::string(60, '*'), 27, ""},  // near the middle
      {TM, "*****1", 4, "*****1", 1, ""},                            // the first non-blank is out of view
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.tape);
    const Configuration c = InitialConfiguration(r.kind, r.tape, r.width);
    EXPECT_EQ(c.tape, r.tapeAfter);
    EXPECT_EQ(c.head, r.head);
    EXPECT_EQ(c.second, r.second);
    EXPECT_EQ(c.state, kStateA);
    EXPECT_EQ(c.steps, 0u);
  }
}

TEST(FindTransition, FirstMatchingLineWinsNothingBeyondTheTape) {
  Driver d(Akz, {"1 0 -> 2", "a 0 -> 3", "a 0 -> 4"}, "0");
  EXPECT_EQ(d.next, 1);
  d.Step();
  EXPECT_EQ(d.c.state, 3);
  EXPECT_EQ(SymbolUnderHead(d.c), '\t');
  EXPECT_EQ(d.next, -1);
}

TEST(DeaStep, WritesOutputUnderTheReadSymbol) {
  Driver d(DEA, {"a s -> w a", "a k -> b 1", "1 s -> x a"}, "sks");
  StepResult r = d.Step();
  EXPECT_TRUE(r.wroteOutput);
  EXPECT_TRUE(r.secondChanged);
  EXPECT_TRUE(r.moved);
  EXPECT_FALSE(r.wroteTape);
  EXPECT_EQ(d.c.second, "w  ");
  EXPECT_EQ(d.c.head, 2u);
  d.Step();
  d.Step();
  EXPECT_EQ(d.c.second, "wbx");
  EXPECT_EQ(d.c.steps, 3u);
}

TEST(DeaStep, ShortenedOutputIsPaddedSameSymbolIsNoChange) {
  Driver d(DEA, {"a s -> w a"}, "sss", 3);
  d.c.second.clear();  // the user emptied the output field
  d.Step();
  EXPECT_EQ(d.c.second, "  w");
  Driver same(DEA, {"a s -> w a"}, "s");
  same.c.second = "w";
  EXPECT_FALSE(same.Step().secondChanged);
}

TEST(Verdict, DeaAndAcceptor) {
  Driver stuck(DEA, {"e: a", "a s -> w a"}, "ssk");
  EXPECT_EQ(stuck.RunToHalt(), 2);
  EXPECT_FALSE(stuck.Halt().ok);  // stuck mid-word, even in an end state
  EXPECT_EQ(stuck.Halt().text, "Das Wort wurde nicht akzeptiert.");

  Driver accepted(DEA, {"e: a", "a s -> w a"}, "");
  EXPECT_TRUE(accepted.Halt().halted);
  EXPECT_TRUE(accepted.Halt().ok);
  EXPECT_EQ(accepted.Halt().text, "Das Wort wurde akzeptiert.");
  Driver rejected(Akz, {"a s -> a"}, "");
  EXPECT_FALSE(rejected.Halt().ok);

  Driver past(Akz, {"e: a"}, "0", 3);
  EXPECT_FALSE(AtEnd(past.program, past.c));  // a head past the end is not at the end
  EXPECT_TRUE(past.Halt().halted);            // but nothing applies there
  EXPECT_FALSE(past.Halt().ok);
}

TEST(KaStep, PushPopNopAndTheStackTop) {
  Driver d(KA, {"a x # -> push Y a", "a y Y -> pop a", "a z # -> nop a"}, "xyz");
  d.Step();
  EXPECT_EQ(d.c.second, "#Y");
  d.Step();
  EXPECT_EQ(d.c.second, "#");
  EXPECT_FALSE(d.Step().secondChanged);
  EXPECT_EQ(d.c.head, 4u);
  EXPECT_TRUE(d.Halt().ok);  // no declaration: the empty stack alone accepts

  Driver top(KA, {"a x ( -> pop a"}, "x");
  EXPECT_EQ(top.next, -1);
  top.c.second = "#(";
  top.Refresh();
  EXPECT_EQ(top.next, 0);
}

TEST(KaStep, EmptyStackTextHasNoTop) {
  Driver d(KA, {"a x # -> pop a"}, "x");
  d.c.second = "";
  d.Refresh();
  EXPECT_EQ(d.next, -1);
  d.c.tape = "";
  d.c.head = 1;
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
  EXPECT_TRUE(r.wroteTape);
  EXPECT_EQ(d.c.tape, "*x**");
  EXPECT_EQ(d.c.head, 2u);
  EXPECT_EQ(d.c.steps, 0u);
  EXPECT_EQ(d.c.state, 5);
}

TEST(TmStep, TheTapeGrowsByTwentyAtEitherEnd) {
  Driver onto(TM, {"a 1 -> 1 L a"}, "x1", 2);
  EXPECT_EQ(onto.Step().grewFront, 20u);
  EXPECT_EQ(onto.c.tape, std::string(20, '*') + "x1");
  EXPECT_EQ(onto.c.head, 21u);  // on the same symbol
  EXPECT_EQ(onto.c.steps, 1u);

  Driver off(TM, {"a 1 -> 2 L a"}, "1x", 1);
  const StepResult written = off.Step();
  EXPECT_TRUE(written.wroteTape);
  EXPECT_EQ(written.grewFront, 20u);
  EXPECT_EQ(off.c.tape, std::string(20, '*') + "2x");
  EXPECT_EQ(off.c.head, 20u);  // on the last new blank

  Driver right(TM, {"a 1 -> 1 R a"}, "11", 1);
  EXPECT_EQ(right.Step().grewBack, 20u);
  EXPECT_EQ(right.c.tape, "11" + std::string(20, '*'));
  EXPECT_EQ(right.c.head, 2u);

  Driver inside(TM, {"a 1 -> 1 L a"}, "*111", 4);
  const StepResult r = inside.Step();
  EXPECT_EQ(r.grewFront + r.grewBack, 0u);
  EXPECT_EQ(inside.c.head, 3u);
}

TEST(TmVerdict, FunctionValueAndUndefined) {
  Driver d(TM, {"a 1 -> 1 K e"}, "*111*1", 2);
  d.RunToHalt();
  EXPECT_TRUE(d.Halt().ok);
  EXPECT_EQ(d.Halt().text, "Der Funktionswert ist: 3");

  Driver u(TM, {"a 1 -> 1 R 2"}, "*11*", 2);
  u.RunToHalt();
  EXPECT_EQ(u.c.state, 2);
  EXPECT_FALSE(u.Halt().ok);
  EXPECT_EQ(u.Halt().text, "Der Funktionswert ist undefiniert.");

  Driver e(TM, {"a 1 -> 1 K e", "e 1 -> 1 R e"}, "*1*", 2);
  e.Step();
  EXPECT_NE(e.next, -1);
  EXPECT_TRUE(e.Halt().halted);  // an end state halts even with transitions left
}

TEST(FunctionValue, CountsTheOnesFromTheHead) {
  Configuration c;
  c.head = 2;
  for (const auto& [tape, value] : std::vector<std::pair<std::string, std::string>>{
           {"*11111*1", "5"}, {"*11x1", "2"}, {"*101", "1"}, {"**1", "0"}, {"*", "0"}}) {
    c.tape = tape;
    EXPECT_EQ(FunctionValue(c), value) << tape;
  }
  c.head = 1;
  c.tape = "1";
  EXPECT_EQ(FunctionValue(c), "1");
}

TEST(Counters, StepsAndHeadRunPast16Bits) {
  Driver d(Akz, {"a 1 -> a"}, "11");
  d.c.steps = 65535;
  d.Step();
  EXPECT_EQ(d.c.steps, 65536u);
  Driver far(TM, {"a * -> * R a"}, std::string(65540, '*'), 65535);
  far.Step();
  far.Step();
  EXPECT_EQ(far.c.head, 65537u);
}

TEST(UnknownKind, StepsChangeNothingButTheState) {
  Driver d(static_cast<MachineKind>(7), {"a 1 -> 2"}, "1");
  const Configuration before = d.c;
  StepResult r = d.Step();
  EXPECT_EQ(r.transition, 0);
  EXPECT_FALSE(r.moved);
  Configuration expected = before;
  expected.state = 2;
  EXPECT_EQ(d.c, expected);
  EXPECT_EQ(d.Halt().text, "Das Wort wurde nicht akzeptiert.");
}

// A random program of the kind, as a user might write it, with a tape over its symbols.
std::pair<std::string, std::string> RandomProgram(MachineKind kind, std::mt19937& rng) {
  const auto pick = [&rng](const std::string& from) { return from[rng() % from.size()]; };
  const std::string states = kind == MachineKind::NEA ? "a12ef" : "a123ef";
  const std::string symbols = kind == MachineKind::KA ? "()x" : kind == MachineKind::TM ? "1*#" : "01";
  std::string program = std::string("E: ") + pick(states) + "\n";
  for (int i = 0, lines = 3 + static_cast<int>(rng() % 12); i < lines; ++i) {
    // Half the lines leave A, so that most runs get going.
    const std::string from(1, i % 2 == 0 ? 'a' : pick(states)), to(1, pick(states)), symbol(1, pick(symbols));
    switch (kind) {
      case MachineKind::DEA: program += from + " " + symbol + " -> " + pick("xy*") + " " + to; break;
      case MachineKind::Akz: program += from + " " + symbol + " -> " + to; break;
      case MachineKind::NEA: program += from + " " + (rng() % 4 == 0 ? std::string("_") : symbol) + " -> " + to; break;
      case MachineKind::KA:
        program += from + " " + symbol + " " + pick("#(x") + " -> " +
                   (rng() % 3 == 0 ? "pop"
                    : rng() % 2    ? std::string("push ") + pick("(x")
                                   : "nop") +
                   " " + to;
        break;
      case MachineKind::TM:
        program += from + " " + symbol + " -> " + pick(symbols) + " " + pick("LRK") + " " + to;
        break;
    }
    program += "\n";
  }
  std::string tape;
  for (int i = 0, n = static_cast<int>(rng() % 16); i < n; ++i) tape += pick(symbols);
  return {program, tape};
}

// Every step taken back restores the configuration before it, whatever the
// kind did: the tape grown at either end, the output written or lengthened,
// the stack pushed or popped, the NEA's set moved.
TEST(UndoMove, RestoresTheConfigurationBeforeTheStepForRandomProgramsOfEveryKind) {
  std::mt19937 rng(20261209);
  for (MachineKind kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    int undone = 0;
    for (int trial = 0; trial < 200; ++trial) {
      const auto [text, tape] = RandomProgram(kind, rng);
      const Program program = ParseProgram(kind, SplitLines(text));
      if (!program.Ok()) continue;
      Configuration c = InitialConfiguration(kind, tape, 8);
      // A DEA's output cut short by the user: the step then lengthens it.
      if (kind == MachineKind::DEA && rng() % 3 == 0) c.second.clear();
      std::vector<std::pair<Configuration, StepRecord>> taken;
      for (int step = 0; step < 40; ++step) {
        const Move move = NextMove(program, c);
        if (move.transition < 0) break;
        const Configuration before = c;
        StepRecord record;
        const StepResult r = ApplyMove(program, c, move, &record);
        Configuration without = before;  // the same step without a record
        EXPECT_EQ(ApplyMove(program, without, move).moved, r.moved);
        EXPECT_EQ(without, c);
        taken.emplace_back(before, record);
      }
      // Back the whole way, each step to the configuration before it, and
      // the changes it reports turn the texts after it into the texts before.
      while (!taken.empty()) {
        std::string tapeText = c.tape.Text(), second = c.second;
        const CellChanges changes = UndoMove(c, taken.back().second);
        ASSERT_EQ(c, taken.back().first) << text << "tape " << tape;
        for (const CellChange& ch : changes) {
          std::string& shown = ch.second ? second : tapeText;
          const std::string& now = ch.second ? c.second : c.tape.Text();
          shown.replace(ch.index, ch.removed, now.substr(ch.index, ch.inserted));
        }
        EXPECT_EQ(tapeText, c.tape.Text());
        EXPECT_EQ(second, c.second);
        taken.pop_back();
        ++undone;
      }
    }
    EXPECT_GT(undone, 50);  // the generator makes programs that run
  }
}

TEST(InErrorState, EveryKindButTheNeaStopsInF) {
  for (MachineKind kind : kKinds) {
    Program p;
    p.kind = kind;
    Configuration c;
    c.state = kStateF;
    EXPECT_EQ(InErrorState(p, c), kind != MachineKind::NEA);
    c.state = kStateE;
    EXPECT_FALSE(InErrorState(p, c));
  }
}

}  // namespace
}  // namespace automaten
