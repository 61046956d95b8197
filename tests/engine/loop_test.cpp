// The loop detector: endless runs it proves, and runs that halt, which it
// must never report (the five examples run with it in tests/cli/golden).
#include "engine/loop.h"

#include <gtest/gtest.h>

#include "support/driver.h"

namespace automaten {
namespace {

struct Watched {
  bool proved = false;
  bool halted = false;
  std::uint64_t steps = 0;  // applied when it ended
  std::uint64_t moves = 0;  // the head's, which the "Schritte" label counts
  std::string finding;
};

// Steps the machine with the detector watching, as the simulation does.
Watched Watch(const std::vector<std::string>& lines, const std::string& tape, std::uint32_t head,
              std::uint64_t limit = 1000000) {
  testing::Driver d(MachineKind::TM, lines, tape, head);
  EXPECT_TRUE(d.program.Ok());
  LoopDetector detector;
  detector.Start(d.c, 0);
  Watched run;
  while (run.steps < limit) {
    if (d.Halt().halted) {
      run.halted = true;
      break;
    }
    const std::uint32_t before = d.c.head;
    const StepResult r = d.Step();
    ++run.steps;
    if (detector.Observe(d.c, r, before)) {
      run.proved = true;
      run.moves = d.c.steps;
      run.finding = detector.Finding();
      break;
    }
  }
  return run;
}

TEST(LoopDetector, ProvesARepeatedConfiguration) {
  const Watched pingPong = Watch({"a * -> * R 1", "1 * -> * L a"}, "*****", 3);
  EXPECT_TRUE(pingPong.proved);
  EXPECT_EQ(pingPong.finding, "Endlosschleife: Schritt 2 wiederholt Schritt 0.");

  // A longer cycle that rewrites cells it wrote before and comes back.
  const Watched rewrite =
      Watch({"a 0 -> 1 R 1", "1 * -> * L 2", "2 1 -> 0 K 3", "3 0 -> 0 R 4", "4 * -> * L a"}, "0*", 1);
  EXPECT_TRUE(rewrite.proved);
  EXPECT_LE(rewrite.steps, 4u * 5u);  // within a small multiple of its cycle of 5
  // Numbered as the "Schritte" label numbers: by the head's moves, not counting the standing step.
  EXPECT_LT(rewrite.moves, rewrite.steps);
  EXPECT_EQ(
      rewrite.finding.rfind("Endlosschleife: Schritt " + std::to_string(rewrite.moves) + " wiederholt Schritt ", 0), 0u)
      << rewrite.finding;

  // A machine that never moves its head repeats itself at the same step.
  const Watched standing = Watch({"a 1 -> 1 K 1", "1 1 -> 1 K a"}, "1", 1);
  EXPECT_EQ(standing.moves, 0u);
  EXPECT_EQ(standing.finding,
            "Endlosschleife: ab Schritt 0 wiederholt sich die Konfiguration, ohne dass der Kopf sich bewegt.");
}

TEST(LoopDetector, ProvesARunIntoBlankTape) {
  const Watched right = Watch({"a * -> 1 R 1", "1 * -> * R a"}, "1***", 2);
  EXPECT_TRUE(right.proved);
  EXPECT_EQ(right.finding, MachineText("Endlosschleife: die Maschine läuft ab Schritt 0 nach rechts ins leere Band."));
  EXPECT_LE(right.steps, 4u);
  // To the left past the first cell: the tape grows in front, positions stay.
  const Watched left = Watch({"a 1 -> 1 L a", "a * -> x L 1", "1 * -> * L a"}, "*111", 4);
  EXPECT_TRUE(left.proved);
  EXPECT_EQ(left.finding, MachineText("Endlosschleife: die Maschine läuft ab Schritt 3 nach links ins leere Band."));
}

TEST(LoopDetector, NoReportForRunsThatHalt) {
  // A binary counter of 15 bits: more than 100,000 steps, then it overflows and halts.
  const Watched counter = Watch(
      {"A $ -> $ R A", "A 0 -> 0 R A", "A 1 -> 1 R A", "A # -> # L 2", "2 1 -> 0 L 2", "2 0 -> 1 R A", "2 $ -> $ K E"},
      "$000000000000000#", 1);
  EXPECT_FALSE(counter.proved) << counter.finding;
  EXPECT_TRUE(counter.halted);
  EXPECT_GT(counter.steps, 100000u);
  // Zig-zag over a region that grows by a cell every round, five rounds.
  const Watched zigzag = Watch(
      {"A $ -> $ R 1", "1 y -> y R 1", "1 x -> y R 2", "1 # -> # K E", "2 x -> x R 2", "2 # -> # R 2", "2 1 -> 1 R 2",
       "2 * -> 1 L 3", "3 1 -> 1 L 3", "3 # -> # L 3", "3 x -> x L 3", "3 y -> y L 3", "3 $ -> $ R 1"},
      "$xxxxx#", 1);
  EXPECT_FALSE(zigzag.proved) << zigzag.finding;
  EXPECT_TRUE(zigzag.halted);
}

}  // namespace
}  // namespace automaten
