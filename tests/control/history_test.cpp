// "Schritt zurück": every step of a run taken back shows what the step
// found, and the run goes on from there as before; endless runs in the
// window's terms.
#include <gtest/gtest.h>

#include "control/document.h"
#include "control/plainview.h"
#include "control/simulation.h"
#include "engine/encoding.h"

namespace automaten {
namespace {

// Everything a user reads off the window after a step.
struct Shown {
  std::vector<std::string> texts;
  std::vector<TextColour> colours;
  std::array<long long, 2> marked;
  bool operator==(const Shown& o) const { return texts == o.texts && colours == o.colours && marked == o.marked; }
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
  for (const std::string& t : s.texts) os << "[" << t << "] ";
  return os << s.marked[0] << "/" << s.marked[1];
}

class HistoryTest : public ::testing::Test {
 protected:
  PlainView view;
  Simulation sim{view};

  Shown Now() const {
    Shown s;
    for (Label l : {Label::LZustand, Label::LBefehl, Label::LMeldung, Label::LSchritte}) {
      s.texts.push_back(view.LabelText(l));
      s.colours.push_back(view.LabelColour(l));
    }
    s.texts.push_back(view.FieldText(Field::EBand));
    s.texts.push_back(view.FieldText(Field::EAusgabe));
    s.marked = view.markedCell;
    return s;
  }
  // Resets, steps up to `steps` times (until the machine stops) and records what each step left.
  std::vector<Shown> Forward(int steps) {
    sim.Reset();
    std::vector<Shown> shown{Now()};
    for (int i = 0; i < steps && !Halted(); ++i) {
      sim.SingleStep();
      shown.push_back(Now());
    }
    return shown;
  }
  bool Halted() const { return !view.LabelText(Label::LMeldung).empty(); }
};

struct Case {
  MachineKind kind;
  const char* program;  // empty: the kind's example
  const char* tape;     // empty: the example's tape
  int steps;
};

TEST_F(HistoryTest, BackAndForthShowTheRecordedRun) {
  const Case cases[] = {
      {MachineKind::DEA, "", "", 10},
      {MachineKind::Akz, "", "", 10},
      {MachineKind::NEA, "", "", 10},
      {MachineKind::KA, "", "(()())", 10},            // pushes and pops
      {MachineKind::TM, "", "", 20},                  // the example
      {MachineKind::TM, "a * -> 1 L a\n", "**", 30},  // grows in front, twice
      {MachineKind::TM, "a * -> 1 R a\n", "", 50},    // grows at the end
      {MachineKind::DEA, "a s -> w a\na k -> b 1\n1 s -> x 1\n", "sksks", 10},
  };
  sim.SetLoopCheck(false);  // the endless ones run on
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " on " + c.tape);
    sim.SelectKind(c.kind);
    if (*c.program) view.SetProgramText(c.program);
    if (*c.tape || *c.program) view.SetFieldText(Field::EBand, c.tape);
    const std::vector<Shown> run = Forward(c.steps);
    ASSERT_GT(run.size(), 2u);
    for (std::size_t k = run.size() - 1; k > 0; --k) {
      sim.StepBack();
      ASSERT_EQ(Now(), run[k - 1]) << "back to step " << k - 1;
      EXPECT_EQ(view.Panel(StatusPanel::Message), MachineText(" Schritt zurück"));
    }
    sim.StepBack();  // at the start nothing changes
    EXPECT_EQ(Now(), run[0]);
    EXPECT_EQ(view.Panel(StatusPanel::Message), " Anfang des Laufs erreicht.");
    for (std::size_t k = 1; k < run.size(); ++k) {  // and forward again
      sim.SingleStep();
      ASSERT_EQ(Now(), run[k]) << "forward to step " << k;
    }
    sim.StepBack();
    sim.StepBack();
    sim.SingleStep();  // after going back, a step goes on from there
    EXPECT_EQ(Now(), run[run.size() - 2]);
  }
}

TEST_F(HistoryTest, AnEditBetweenStepsIsPartOfTheConfiguration) {
  sim.SelectKind(MachineKind::DEA);  // "sskkss"
  sim.Reset();
  sim.SingleStep();
  sim.SingleStep();
  view.SetFieldText(Field::EBand, "sskk");  // the user shortens the tape
  sim.FieldEdited(Field::EBand);
  sim.SingleStep();
  sim.SingleStep();
  EXPECT_EQ(view.FieldText(Field::EBand), "sskk");
  sim.StepBack();
  sim.StepBack();  // before the third step: the edited tape
  EXPECT_EQ(view.FieldText(Field::EBand), "sskk");
  EXPECT_EQ(view.LabelText(Label::LSchritte), "Schritte: 2");
  sim.StepBack();  // before the second step: the tape as it was
  EXPECT_EQ(view.FieldText(Field::EBand), "sskkss");
  EXPECT_EQ(view.FieldText(Field::EAusgabe), "w     ");
  EXPECT_EQ(view.LabelText(Label::LSchritte), "Schritte: 1");
}

// Beyond its bound the history drops the oldest step for each new one, and
// the edits that would go back only after it; the rest go back as before.
TEST(HistoryBound, TheOldestStepsAndTheirEditsAreDropped) {
  History h(3);
  const auto step = [](std::uint32_t head) {
    StepRecord r;
    r.head = head;
    return r;
  };
  h.RecordEdit("e0", "");  // before any step: goes only after step 1
  h.RecordStep(step(1));
  h.RecordEdit("e1", "");  // between steps 1 and 2
  h.RecordStep(step(2));
  EXPECT_FALSE(h.RecordStep(step(3)));
  EXPECT_FALSE(h.Dropped());
  EXPECT_TRUE(h.RecordStep(step(4)));  // step 1 and e0 go
  EXPECT_TRUE(h.Dropped());
  std::string tape, second;
  StepRecord r;
  std::vector<std::string> back;
  for (;;) {
    if (h.TakeEdit(tape, second))
      back.push_back(tape);
    else if (h.TakeStep(r))
      back.push_back("step " + std::to_string(r.head));
    else
      break;
  }
  EXPECT_EQ(back, (std::vector<std::string>{"step 4", "step 3", "step 2", "e1"}));
  h.Clear();
  EXPECT_FALSE(h.Dropped());
  for (std::uint32_t i = 1; i <= 5; ++i) h.RecordStep(step(i));  // 3, 4, 5 kept
  ASSERT_TRUE(h.TakeStep(r));
  ASSERT_TRUE(h.TakeStep(r));
  EXPECT_FALSE(h.RecordStep(step(6)));  // into the room the steps taken back left
  EXPECT_FALSE(h.RecordStep(step(7)));
  EXPECT_TRUE(h.RecordStep(step(8)));
  h.SetBound(4);  // a larger bound keeps the order and has room again
  EXPECT_FALSE(h.RecordStep(step(9)));
  std::vector<std::uint32_t> heads;
  while (h.TakeStep(r)) heads.push_back(r.head);
  EXPECT_EQ(heads, (std::vector<std::uint32_t>{9, 8, 7, 6}));
  for (std::uint32_t i = 1; i <= 5; ++i) h.RecordStep(step(i));
  h.SetBound(2);  // a smaller bound drops at once
  EXPECT_EQ(h.Size(), 2u);
  ASSERT_TRUE(h.TakeStep(r));
  EXPECT_EQ(r.head, 5u);
}

TEST_F(HistoryTest, ABoundedHistorySaysSoAndGoesBackAsFarAsItKeeps) {
  sim.SelectKind(MachineKind::DEA);  // "sskkss"
  sim.SetHistoryBound(3);
  const std::vector<Shown> forward = Forward(5);
  EXPECT_EQ(view.Panel(StatusPanel::Message),
            MachineText(" Einzelschritt (Schritt zurück: nur die letzten 3 Schritte)"));
  for (int i = 4; i >= 2; --i) {
    sim.StepBack();
    EXPECT_EQ(Now(), forward[static_cast<std::size_t>(i)]);
  }
  sim.StepBack();  // step 2 is no longer kept
  EXPECT_EQ(Now(), forward[2]);
  EXPECT_EQ(view.Panel(StatusPanel::Message),
            MachineText(" Ältere Schritte sind nicht mehr gespeichert (höchstens 3 Schritte)."));
  sim.Reset();
  sim.StepBack();  // a new run has dropped nothing
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Anfang des Laufs erreicht.");
}

TEST_F(HistoryTest, ForgottenByTheCommandsThatStartAnew) {
  PlainView& v = view;
  struct Host : DocumentHost {
    std::string ChooseFileToOpen(const std::string&) override { return "/p.txt"; }
    std::string ChooseFileToSave() override { return ""; }
    ProgramFile ReadProgram(const std::string&) override { return CheckProgramBytes("e: a\na s -> w a\n"); }
    bool WriteProgram(const std::string&, const std::string&, std::string&) override { return true; }
    bool IsFile(const std::string&) const override { return true; }
    std::string ReadConfiguration() override { return ""; }
    bool WriteConfiguration(const std::string&, std::string&) override { return true; }
    void ShowError(const std::string&) override {}
  } host;
  DocumentSession session(sim, v, host);
  const std::vector<std::pair<const char*, std::function<void()>>> commands = {
      {"reset", [&] { sim.Reset(); }},          {"kind", [&] { sim.SelectKind(MachineKind::DEA); }},
      {"clear tape", [&] { sim.ClearTape(); }}, {"last tape", [&] { sim.RestoreLastTape(); }},
      {"new", [&] { session.New(); }},          {"open", [&] { session.Open(); }},
  };
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    sim.SelectKind(MachineKind::DEA);
    sim.Reset();
    sim.SingleStep();
    sim.SingleStep();
    ASSERT_EQ(sim.Steps().Size(), 2u);
    command();
    EXPECT_EQ(sim.Steps().Size(), 0u);
  }
}

TEST_F(HistoryTest, TwelveBytesAStepThatChangesACell) {
  sim.SelectKind(MachineKind::TM);
  view.SetProgramText("a * -> 1 R 1\n1 * -> 1 L 2\n2 1 -> 1 R 3\n3 1 -> * R a\n");
  view.SetFieldText(Field::EBand, "");
  sim.Reset();
  for (int i = 0; i < 1000; ++i) sim.SingleStep();
  EXPECT_EQ(sim.Steps().Size(), 1000u);
  EXPECT_LE(sim.Steps().Bytes(), 1000u * 32u);
}

// An endless run stops the automatic run with a red sentence; single steps go on.
TEST_F(HistoryTest, AnEndlessRunIsShownAndSingleStepsGoOn) {
  sim.SelectKind(MachineKind::TM);
  view.SetProgramText("a * -> * R 1\n1 * -> * L a\n");
  view.SetFieldText(Field::EBand, "");
  sim.StartOrStop();
  int ticks = 0;
  while (view.TimerEnabled() && ticks < 100) sim.Tick(), ++ticks;
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(view.LabelText(Label::LMeldung), "Endlosschleife: Schritt 2 wiederholt Schritt 0.");
  EXPECT_EQ(view.LabelColour(Label::LMeldung), TextColour::Red);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Endlosschleife erkannt");
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::EndlessRun);
  sim.SingleStep();
  EXPECT_EQ(view.LabelText(Label::LSchritte), "Schritte: 3");
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Einzelschritt");
  sim.StepBack();
  sim.StepBack();  // before the proof: no sentence
  EXPECT_EQ(view.LabelText(Label::LMeldung), "");
  // Turned off, the same machine runs on.
  sim.SetLoopCheck(false);
  EXPECT_FALSE(view.loopCheckShown);
  sim.StartOrStop();
  for (int i = 0; i < 50; ++i) sim.Tick();
  EXPECT_TRUE(view.TimerEnabled());
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::Running);
}

}  // namespace
}  // namespace automaten
