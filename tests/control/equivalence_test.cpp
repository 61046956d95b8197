// The simulation against the model of tests/support/model.h: random programs
// of every kind, random tapes and random edits of the fields between steps
// give the same display after every tick, and the run without display ends
// where the ticks one by one end.
#include <gtest/gtest.h>

#include <random>

#include "control/kinds.h"
#include "control/plainview.h"
#include "control/simulation.h"
#include "engine/parser.h"
#include "engine/text.h"
#include "support/model.h"

namespace automaten {
namespace {

using testing::Model;
using testing::ModelDisplay;

struct Generated {
  std::string program;
  std::string tape;
  std::string alphabet;
};

Generated RandomProgram(MachineKind kind, std::mt19937& rng) {
  auto pick = [&rng](const std::string& from) { return from[rng() % from.size()]; };
  const std::string states = kind == MachineKind::NEA ? "a123ef" : "a1234ef";
  const std::string alphabet = kind == MachineKind::KA ? "()x" : kind == MachineKind::TM ? "1*#" : "01";
  Generated g;
  g.alphabet = alphabet;
  if (rng() % 2) g.program += std::string("E: ") + pick(states) + " " + pick(states) + "\n";
  // Pushdown runs get going only from an empty stack: a few lines start there.
  if (kind == MachineKind::KA)
    for (char symbol : alphabet)
      if (rng() % 2) g.program += std::string("a ") + symbol + " # -> push " + pick("(x") + " " + pick("a12") + "\n";
  const int lines = 4 + static_cast<int>(rng() % 16);
  for (int i = 0; i < lines; ++i) {
    std::string line = std::string(1, pick(states)) + " ";
    line += kind == MachineKind::NEA && rng() % 4 == 0 ? '_' : pick(alphabet);
    if (kind == MachineKind::KA) line += std::string(" ") + pick("#(x");
    line += " -> ";
    if (kind == MachineKind::DEA) line += std::string(1, pick("wbx")) + " ";
    if (kind == MachineKind::TM) line += std::string(1, pick(alphabet)) + " " + pick("LRK") + " ";
    if (kind == MachineKind::KA) {
      const int op = static_cast<int>(rng() % 3);
      line += op == 0 ? std::string("push ") + pick("(x") + " " : op == 1 ? "pop " : "nop ";
    }
    line += pick(states);
    g.program += line + "\n";
  }
  const int cells = static_cast<int>(rng() % 24);
  for (int i = 0; i < cells; ++i) g.tape += pick(alphabet);
  return g;
}

// The generated program on its tape, started as "Starten" starts it.
void Start(PlainView& view, Simulation& sim, MachineKind kind, const Generated& g) {
  sim.SetLoopCheck(false);  // the model runs an endless machine on: so does the simulation here
  view.tapeWidth = 8;
  sim.SelectKind(kind);
  view.SetProgramText(g.program);
  view.SetFieldText(Field::EBand, g.tape);
  sim.StartOrStop();
}

class Equivalence : public ::testing::TestWithParam<MachineKind> {};

TEST_P(Equivalence, SameDisplayAfterEveryTick) {
  const MachineKind kind = GetParam();
  std::mt19937 rng(1234 + static_cast<unsigned>(kind));
  int compared = 0;
  for (int round = 0; round < 400; ++round) {
    const Generated g = RandomProgram(kind, rng);
    SCOPED_TRACE(g.program + "tape " + g.tape);
    PlainView view;
    Simulation sim(view);
    Start(view, sim, kind, g);
    if (!(sim.State().run == RunState::Ready)) continue;  // a parse fault: nothing to run
    const Program program = ParseProgram(kind, SplitLines(g.program));
    Model model(program, view.FieldText(Field::EBand), sim.State().configuration.head, view.FieldText(Field::EAusgabe));
    for (int tick = 0; tick < 60 && view.TimerEnabled(); ++tick) {
      if (rng() % 8 == 0) {  // the user changes a cell of the tape, or of the second field
        const bool second = (kind == MachineKind::DEA || kind == MachineKind::KA) && rng() % 2;
        std::string& text = second ? model.Second() : model.Tape();
        const char cell = second && kind == MachineKind::KA ? "#(x"[rng() % 3] : g.alphabet[rng() % g.alphabet.size()];
        if (!text.empty() && rng() % 3)
          text[rng() % text.size()] = cell;
        else
          text += cell;
        view.SetFieldText(second ? Field::EAusgabe : Field::EBand, text);
        sim.FieldEdited(second ? Field::EAusgabe : Field::EBand);
      }
      sim.Tick();
      model.Step();
      ModelDisplay shown{view.LabelText(Label::LZustand),  view.LabelText(Label::LBefehl),
                         view.LabelText(Label::LSchritte), view.LabelText(Label::LMeldung),
                         view.FieldText(Field::EBand),     view.FieldText(Field::EAusgabe)};
      ModelDisplay expected = model.Display();
      if (!model.Halted()) expected.verdict = "";
      ASSERT_EQ(shown, expected) << "tick " << tick << ": " << shown.state << " | " << shown.transition << " | "
                                 << shown.tape << " vs " << expected.state << " | " << expected.transition << " | "
                                 << expected.tape;
      ASSERT_EQ(view.TimerEnabled(), !model.Stops()) << "tick " << tick;
      ++compared;
    }
  }
  EXPECT_GT(compared, 200);  // ticks compared, so the table of programs is no empty one
}

TEST_P(Equivalence, RunWithoutDisplayEndsLikeTheTicks) {
  const MachineKind kind = GetParam();
  std::mt19937 rng(99 + static_cast<unsigned>(kind));
  for (int round = 0; round < 100; ++round) {
    const Generated g = RandomProgram(kind, rng);
    SCOPED_TRACE(g.program + "tape " + g.tape);
    const unsigned ticks = rng() % 40;
    auto run = [&](bool oneByOne) {
      PlainView view;
      Simulation sim(view);
      Start(view, sim, kind, g);
      if (oneByOne)
        for (unsigned t = 0; t < ticks && view.TimerEnabled(); ++t) sim.Tick();
      else
        sim.RunTicks(ticks);
      return std::vector<std::string>{view.LabelText(Label::LZustand),
                                      view.LabelText(Label::LBefehl),
                                      view.LabelText(Label::LSchritte),
                                      view.LabelText(Label::LMeldung),
                                      view.FieldText(Field::EBand),
                                      view.FieldText(Field::EAusgabe),
                                      view.TimerEnabled() ? "running" : "stopped"};
    };
    ASSERT_EQ(run(false), run(true)) << ticks << " ticks";
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, Equivalence,
                         ::testing::Values(MachineKind::DEA, MachineKind::Akz, MachineKind::NEA, MachineKind::KA,
                                           MachineKind::TM),
                         [](const ::testing::TestParamInfo<MachineKind>& i) { return InfoOf(i.param).name; });

}  // namespace
}  // namespace automaten
