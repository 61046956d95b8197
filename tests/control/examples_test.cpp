// The five built-in examples, each run by the engine to its verdict.
#include "control/examples.h"

#include <gtest/gtest.h>

#include "control/help.h"
#include "engine/nea.h"
#include "support/driver.h"

namespace automaten {
namespace {

using testing::Driver;

TEST(Examples, EachRunsToItsVerdict) {
  struct Row {
    MachineKind kind;
    std::string tape;
    std::uint32_t head;
    std::uint32_t steps;
    std::string second;
    std::string verdict;
  };
  const std::string accepted = "Das Wort wurde akzeptiert.", rejected = "Das Wort wurde nicht akzeptiert.";
  const Row rows[] = {
      {MachineKind::DEA, "sskkss", 1, 6, "wwwbbw", accepted},
      {MachineKind::Akz, "11011", 1, 5, "", rejected},  // one zero
      {MachineKind::Akz, "1001", 1, 4, "", accepted},
      {MachineKind::NEA, "00101110", 1, 8, "", accepted},
      {MachineKind::KA, "(()())", 1, 6, "#", accepted},
      {MachineKind::KA, "(()", 1, 3, "#(", rejected},
      {MachineKind::KA, "())", 1, 3, "#", rejected},  // into F
      {MachineKind::TM, ExampleTape(MachineKind::TM, 27, 60), 27, 14, "", "Der Funktionswert ist: 5"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.tape);
    Driver d(r.kind, ExampleLines(r.kind), r.tape, r.head);
    ASSERT_TRUE(d.program.Ok());
    d.RunToHalt();
    EXPECT_EQ(d.c.steps, r.steps);
    if (r.kind == MachineKind::DEA || r.kind == MachineKind::KA) {
      EXPECT_EQ(d.c.second, r.second);
    }
    EXPECT_EQ(d.Halt().text, r.verdict);
  }
}

TEST(Examples, NeaRunsThroughItsSets) {
  Driver d(MachineKind::NEA, ExampleLines(MachineKind::NEA), "00101110");
  std::vector<std::string> sets{SetToText(d.c.set)};
  while (!d.Halt().halted) {
    d.Step();
    sets.push_back(SetToText(d.c.set));
  }
  EXPECT_EQ(sets, (std::vector<std::string>{"{A}", "{A,1}", "{A,1,2}", "{A,2}", "{A,1,E}", "{A,2,E}", "{A,E}", "{A,E}",
                                            "{A,1,E}"}));
}

TEST(Examples, TuringTapeIsBuiltAroundTheHead) {
  EXPECT_EQ(ExampleTape(MachineKind::TM, 27, 60), std::string(26, '*') + "111#11" + std::string(29, '*'));
  EXPECT_EQ(ExampleTape(MachineKind::TM, 1, 3), "111#11");
}

TEST(Examples, TextAndLinesAreTheSameProgram) {
  for (MachineKind kind : kKinds) {
    const std::vector<std::string> lines = ExampleLines(kind);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i > 0 ? "\n" : "") + Cp1252ToUtf8(lines[i]);
    EXPECT_EQ(ExampleText(kind), joined);
  }
  EXPECT_TRUE(ExampleLines(static_cast<MachineKind>(5)).empty());
}

// The F1 guide keeps its first text and covers what a student looks up
// during a lesson.
TEST(Guide, CoversTheSyntaxTheKeysAndTheTools) {
  const std::string guide = HelpText();
  EXPECT_EQ(guide.rfind("Hinweise zur Bedienung\n", 0), 0u);
  for (const char* topic :
       {"* ist das leere Feld", "Funktionswert", "A (Anfangszustand), 1 bis 9, E (Endzustand) und F", "\u03B5",
        "; Art: Turingmaschine", "; Test: WORT -> ERWARTUNG", "F3 Tests", "F4 Zustandsdiagramm",
        "F6 Schritt zur\u00FCck", "F11 Diagramm im Vollbild", "Strg+P Drucken...", "Strg++", "Einpassen",
        "Werkzeuge:", "Akzeptor minimieren (Akzeptor, NEA)"})
    EXPECT_NE(guide.find(topic), std::string::npos) << topic;
}

}  // namespace
}  // namespace automaten
