// The simulation driven the way a user drives the window, read back from
// what the screen would show.
#include "control/simulation.h"

#include <gtest/gtest.h>

#include "control/examples.h"
#include "control/kinds.h"
#include "control/plainview.h"
#include "engine/encoding.h"

namespace automaten {
namespace {

class SimulationTest : public ::testing::Test {
 protected:
  PlainView view;
  Simulation sim{view};

  std::string Label(Label l) const { return view.LabelText(l); }
  TextColour Colour(automaten::Label l) const { return view.LabelColour(l); }
  std::string Tape() const { return view.FieldText(Field::EBand); }
  std::string Second() const { return view.FieldText(Field::EAusgabe); }
  void Program(const std::string& text) { view.SetProgramText(text); }
  // What the user types into a field.
  void Type(Field f, const std::string& text) {
    view.SetFieldText(f, text);
    sim.FieldEdited(f);
  }
  // Ticks until the automatic run stops; returns the number of ticks.
  int TickToStop(int limit = 10000) {
    int ticks = 0;
    while (view.TimerEnabled() && ticks < limit) {
      sim.Tick();
      ++ticks;
    }
    return ticks;
  }
};

struct KindRow {
  MachineKind kind;
  const char* title;
  const char* panel;
  bool secondVisible;
  const char* second;
  std::string tape;
};

TEST_F(SimulationTest, ChoosingAKindLoadsItsExample) {
  const KindRow rows[] = {
      {MachineKind::DEA, "Simulation endlicher Automat mit Ausgabe", " DEA", true, "", "sskkss"},
      {MachineKind::Akz, "Simulation Akzeptor", " Akz", false, "", "11011"},
      {MachineKind::NEA, "Simulation nichtdeterministischer endlicher Automat", " NEA", false, "", "00101110"},
      {MachineKind::KA, "Simulation Kellerautomat", " KA", true, "#", "(()())"},
      {MachineKind::TM, "Simulation Turingmaschine", " TM", false, "",
       std::string(26, '*') + "111#11" + std::string(29, '*')},
  };
  for (const KindRow& r : rows) {
    SCOPED_TRACE(r.title);
    sim.Reset();  // whatever ran before
    view.SetStatusPanel(StatusPanel::Changed, "marker");
    const int marks = view.programMarkedUnchanged;
    sim.SelectKind(r.kind);
    EXPECT_EQ(view.caption, r.title);
    EXPECT_EQ(view.Panel(StatusPanel::Kind), r.panel);
    EXPECT_EQ(view.Panel(StatusPanel::Changed), "marker");  // choosing posts no message
    EXPECT_EQ(view.fieldVisible[1], r.secondVisible);
    EXPECT_EQ(Second(), r.second);
    EXPECT_EQ(Tape(), r.tape);
    EXPECT_EQ(view.ProgramText(), ExampleText(r.kind));
    for (MachineKind k : {MachineKind::DEA, MachineKind::Akz, MachineKind::NEA, MachineKind::KA, MachineKind::TM})
      EXPECT_EQ(view.KindButtonDown(k), k == r.kind);
    EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");
    EXPECT_EQ(Label(Label::LSchritte), "Schritte: ");
    EXPECT_EQ(Label(Label::LMeldung), "");
    EXPECT_EQ(view.markedCell[0], -1);  // no head marker
    EXPECT_FALSE((sim.State().run == RunState::Ready));
    EXPECT_EQ(view.programMarkedUnchanged, marks + 1);  // the example is the text as given
    EXPECT_TRUE((sim.State().run == RunState::Undetermined));
  }
}

TEST_F(SimulationTest, TuringExampleTapeFollowsTheWidth) {
  view.tapeWidth = 64;
  sim.SelectKind(MachineKind::TM);
  EXPECT_EQ(sim.State().configuration.head, 29u);
  EXPECT_EQ(Tape(), std::string(28, '*') + "111#11" + std::string(31, '*'));
  EXPECT_EQ(Label(Label::LBefehl), MachineText("Übergang: "));
  EXPECT_EQ(Colour(Label::LBefehl), TextColour::WindowText);
}

TEST_F(SimulationTest, ResetShowsTheInitialConfiguration) {
  sim.SelectKind(MachineKind::DEA);
  sim.Reset();
  EXPECT_TRUE((sim.State().run == RunState::Ready));
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Anfangszustand");
  EXPECT_EQ(Label(Label::LBefehl), MachineText("Übergang: a s -> w a "));
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 0");
  EXPECT_EQ(Label(Label::LMeldung), "");
  EXPECT_EQ(view.markedCell[0], 0);
  EXPECT_EQ(Second(), std::string(6, ' '));
  EXPECT_EQ(view.Panel(StatusPanel::Message), " In den Anfangszustand gesetzt.");
  EXPECT_EQ(sim.State().lastTape, "sskkss");
}

TEST_F(SimulationTest, SingleStepsThroughTheDeaExample) {
  sim.SelectKind(MachineKind::DEA);
  sim.SingleStep();  // the first "Einzelschritt" after a choice only resets
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 0");
  EXPECT_EQ(sim.State().configuration.head, 1u);
  for (int i = 0; i < 3; ++i) sim.SingleStep();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 1");
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 3");
  EXPECT_EQ(Second(), "www   ");
  EXPECT_EQ(view.markedCell[1], 2);  // the output just written
  EXPECT_EQ(view.markedCell[0], 3);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Einzelschritt");
  for (int i = 0; i < 3; ++i) sim.SingleStep();
  EXPECT_EQ(Second(), "wwwbbw");
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde akzeptiert.");
  EXPECT_EQ(Colour(Label::LMeldung), TextColour::Green);
  EXPECT_EQ(Label(Label::LBefehl), MachineText("Übergang: "));
  sim.SingleStep();  // a halted machine still steps: nothing applies
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 6");
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde akzeptiert.");
}

TEST_F(SimulationTest, StartRightAfterChoosingResetsThenRuns) {
  sim.SelectKind(MachineKind::TM);
  sim.StartOrStop();
  EXPECT_TRUE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, StartImage::Stop);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " In den Anfangszustand gesetzt.");
  sim.Tick();
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Einzelschritt");
  EXPECT_EQ(TickToStop(), 13);
  EXPECT_EQ(view.startImage, StartImage::Start);
  EXPECT_EQ(Label(Label::LMeldung), "Der Funktionswert ist: 5");
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 14");
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Endzustand");
}

TEST_F(SimulationTest, StartTwiceStartsAndStops) {
  sim.SelectKind(MachineKind::DEA);
  sim.Reset();
  sim.StartOrStop();
  EXPECT_EQ(view.startImage, StartImage::Stop);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Gestartet");
  sim.StartOrStop();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, StartImage::Start);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Angehalten");
}

TEST_F(SimulationTest, AnhaltenStopsOnlyARunningMachine) {
  sim.SelectKind(MachineKind::DEA);
  sim.Reset();
  sim.Stop();
  EXPECT_EQ(view.Panel(StatusPanel::Message), " In den Anfangszustand gesetzt.");
  sim.StartOrStop();
  sim.Stop();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, StartImage::Start);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Angehalten");
}

TEST_F(SimulationTest, ProgramFaultDuringStartStopsTheRun) {
  sim.SelectKind(MachineKind::DEA);
  Program("; first\r\na s -> w a\r\na k -> w\r\n");
  sim.StartOrStop();
  EXPECT_EQ(view.messages, (std::vector<std::string>{"Fehler: falsches Befehlsformat in Befehl 2",
                                                     MachineText("Fehler: ungültiger Zustand in Befehl 2")}));
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, StartImage::Start);
  EXPECT_FALSE((sim.State().run == RunState::Ready));
  EXPECT_EQ(view.programSelection.start, 7 + 2 + 10 + 2);
  EXPECT_EQ(view.programSelection.length, 8);
  // The reset stopped after preparing the output field.
  EXPECT_EQ(Second(), std::string(6, ' '));
  EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: ");
  EXPECT_EQ(view.markedCell[0], -1);  // no head marker
  // Fixed, the next "Einzelschritt" parses again and resets.
  Program("a s -> w a\r\n");
  sim.SingleStep();
  EXPECT_TRUE((sim.State().run == RunState::Ready));
  EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(SimulationTest, KindChangeDuringARunEndsItAtTheNextTick) {
  sim.SelectKind(MachineKind::DEA);
  sim.StartOrStop();
  sim.Tick();
  sim.SelectKind(MachineKind::Akz);
  EXPECT_TRUE(view.TimerEnabled());  // the choice leaves the timer alone
  EXPECT_FALSE((sim.State().run == RunState::Ready));
  sim.Tick();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Einzelschritt");
  EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");  // nothing applied in "unbestimmt"
}

TEST_F(SimulationTest, TapeClearedAndRestored) {
  sim.SelectKind(MachineKind::TM);
  sim.Reset();
  const std::string last = sim.State().lastTape;
  sim.ClearTape();
  EXPECT_EQ(Tape(), std::string(61, '*'));
  EXPECT_EQ(view.markedCell[0], -1);  // no head marker
  EXPECT_EQ(view.Panel(StatusPanel::Message), MachineText(" Band gelöscht."));
  EXPECT_EQ(sim.State().lastTape, last);
  sim.RestoreLastTape();
  EXPECT_EQ(Tape(), last);
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Letzten Bandinhalt wieder hergestellt.");
  sim.SelectKind(MachineKind::DEA);
  sim.ClearTape();
  EXPECT_EQ(Tape(), "");
}

TEST_F(SimulationTest, TuringResetPadsAndPlacesTheHead) {
  sim.SelectKind(MachineKind::TM);
  view.SetFieldText(Field::EBand, "111#11");
  sim.Reset();
  EXPECT_EQ(Tape(), "111#11" + std::string(54, '*'));
  EXPECT_EQ(sim.State().lastTape, Tape());
  EXPECT_EQ(sim.State().configuration.head, 1u);
  view.SetFieldText(Field::EBand, std::string(10, '*'));
  sim.Reset();
  EXPECT_EQ(sim.State().configuration.head, 27u);  // blanks only: near the middle
  EXPECT_EQ(Tape().size(), 60u);
}

TEST_F(SimulationTest, HeadStartRuleForOtherKinds) {
  sim.SelectKind(MachineKind::Akz);
  view.SetFieldText(Field::EBand, "**1");
  sim.Reset();
  EXPECT_EQ(sim.State().configuration.head, 3u);
  view.SetFieldText(Field::EBand, "");
  sim.Reset();
  EXPECT_EQ(sim.State().configuration.head, 1u);
  // An empty tape halts at once: accepted exactly when A is an end state.
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde akzeptiert.");
}

TEST_F(SimulationTest, FrequencyTable) {
  struct Row {
    int position;
    int interval;
    const char* label;
  };
  const Row rows[] = {{1, 5000, "0,2 Hz"}, {12, 2074, "0,5 Hz"}, {20, 1094, "0,9 Hz"}, {44, 160, "6,3 Hz"},
                      {49, 107, "9,3 Hz"}, {50, 99, "10 Hz"},    {70, 20, "50 Hz"},    {73, 16, "63 Hz"},
                      {99, 2, "500 Hz"},   {100, 2, "500 Hz"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.position);
    view.SetSliderPosition(r.position);
    sim.ShowSpeed();
    EXPECT_EQ(view.TimerInterval(), r.interval);
    EXPECT_EQ(Label(Label::LFrequenz2), r.label);
  }
  EXPECT_EQ(FrequencyText(2, NumberFormat{'.', ','}), "500 Hz");
  EXPECT_EQ(FrequencyText(160, NumberFormat{'.', ','}), "6.3 Hz");
  EXPECT_EQ(FrequencyText(1, NumberFormat{'.', ','}), "1,000 Hz");
}

TEST_F(SimulationTest, EveryTickReadsTheSlider) {
  sim.SelectKind(MachineKind::DEA);
  sim.StartOrStop();
  view.SetSliderPosition(70);
  sim.Tick();
  EXPECT_EQ(view.TimerInterval(), 20);
}

// A tick the event loop had queued before "Anhalten" still steps once, and
// leaves the run stopped.
TEST_F(SimulationTest, ATickAfterAStopStillStepsOnce) {
  sim.SelectKind(MachineKind::Akz);
  sim.StartOrStop();
  sim.Tick();
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 1");
  sim.Stop();
  EXPECT_FALSE(view.TimerEnabled());
  sim.Tick();
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 2");
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::Stopped);
}

// A fault in a text that parses under exactly one other kind offers that
// kind; taken, it switches and keeps the text and the tape.
TEST_F(SimulationTest, AFaultOffersTheOneOtherKindTheTextFits) {
  sim.SelectKind(MachineKind::KA);
  const std::string turing = ExampleText(MachineKind::TM);
  view.SetProgramText(turing);
  view.SetFieldText(Field::EBand, "11#1");
  sim.Reset();
  ASSERT_EQ(view.offered, std::vector<MachineKind>{MachineKind::TM});
  EXPECT_EQ(view.messages.size(), 1u);           // the fault itself, as before
  EXPECT_EQ(sim.State().kind, MachineKind::KA);  // not taken: nothing else changes

  view.switchKind = true;
  sim.Reset();
  EXPECT_EQ(sim.State().kind, MachineKind::TM);
  EXPECT_EQ(view.ProgramText(), turing);
  EXPECT_EQ(view.FieldText(Field::EBand), "11#1");
  EXPECT_EQ(view.caption, "Simulation Turingmaschine");
  EXPECT_EQ(view.Panel(StatusPanel::Message), " Umgeschaltet: Turingmaschine");
  EXPECT_EQ(sim.State().run, RunState::Undetermined);
  sim.Reset();  // and it runs as the machine it is
  EXPECT_EQ(sim.State().run, RunState::Ready);

  // A text that fits two other kinds, or none, offers nothing.
  view.offered.clear();
  sim.SelectKind(MachineKind::KA);
  view.SetProgramText("a 1 -> e\n");  // an acceptor's line, and an NEA's
  sim.Reset();
  view.SetProgramText("a 1 e\n");
  sim.Reset();
  EXPECT_TRUE(view.offered.empty());
  EXPECT_EQ(FitsKindText(MachineKind::TM), "Das Programm passt zur Maschinenart Turingmaschine.");
}

TEST_F(SimulationTest, ChangeMarkerInTheStatusBar) {
  sim.SelectKind(MachineKind::DEA);
  sim.ShowChangedMark(true);
  EXPECT_EQ(view.Panel(StatusPanel::Changed), MachineText(" geändert "));
  sim.Reset();  // the next message writes it without the blank after it
  EXPECT_EQ(view.Panel(StatusPanel::Changed), MachineText(" geändert"));
  sim.ShowChangedMark(false);
  EXPECT_EQ(view.Panel(StatusPanel::Changed), "");
  sim.SingleStep();
  EXPECT_EQ(view.Panel(StatusPanel::Changed), "");
}

TEST_F(SimulationTest, FaultStatesAreRedAndStopTheRun) {
  sim.SelectKind(MachineKind::KA);
  view.SetFieldText(Field::EBand, ")(");
  sim.StartOrStop();
  sim.Tick();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Fehlzustand");
  EXPECT_EQ(Colour(Label::LZustand), TextColour::Red);
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(Label(Label::LBefehl), MachineText("Übergang: undefiniert"));
  EXPECT_EQ(Colour(Label::LBefehl), TextColour::Red);
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde nicht akzeptiert.");
  EXPECT_EQ(Colour(Label::LMeldung), TextColour::Red);
  EXPECT_EQ(Second(), "#");
}

TEST_F(SimulationTest, NumberedStateAndNeaSets) {
  sim.SelectKind(MachineKind::NEA);
  sim.Reset();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : {A}");
  EXPECT_EQ(Label(Label::LBefehl), MachineText("Übergang: {A} 0 -> {A,1}"));
  sim.SingleStep();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : {A,1}");
  sim.SelectKind(MachineKind::Akz);
  Program("a 1 -> 12\r\n");
  view.SetFieldText(Field::EBand, "1");
  sim.Reset();
  sim.SingleStep();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 12");
}

TEST_F(SimulationTest, UnknownKindReleasesAllButtons) {
  sim.SelectKind(MachineKind::DEA);
  sim.RestoreKind(static_cast<MachineKind>(9));
  sim.RestoreKind(sim.State().kind);
  EXPECT_FALSE(view.KindButtonDown(MachineKind::DEA));
  EXPECT_EQ(view.Panel(StatusPanel::Kind), " DEA");
}

TEST_F(SimulationTest, TuringStepOffTheLeftEndRedrawsTheMarker) {
  sim.SelectKind(MachineKind::TM);
  Program("a 1 -> 1 L a\r\n");
  view.SetFieldText(Field::EBand, "*1");
  sim.Reset();
  EXPECT_EQ(sim.State().configuration.head, 2u);
  sim.SingleStep();
  EXPECT_EQ(sim.State().configuration.head, 21u);
  EXPECT_EQ(Tape().substr(0, 21), std::string(21, '*'));
  EXPECT_EQ(view.markedCell[0], 20);
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 1");
}

// 65532 is a state like any other; "unbestimmt" is no state at all.
TEST_F(SimulationTest, State65532IsNoLongerUnbestimmt) {
  sim.SelectKind(MachineKind::Akz);
  Program("e: 65532\na 1 -> 65532\n65532 1 -> 65532\n");
  view.SetFieldText(Field::EBand, "11");
  sim.StartOrStop();
  EXPECT_EQ(TickToStop(), 2);
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 65532");
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde akzeptiert.");
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::Accepted);
}

TEST_F(SimulationTest, AStepWhileUnbestimmtAppliesNothing) {
  sim.SelectKind(MachineKind::Akz);
  Program("65532 1 -> 7\n");
  view.SetFieldText(Field::EBand, "1");
  sim.Reset();  // parses the program
  sim.StartOrStop();
  sim.SelectKind(MachineKind::Akz);  // the run goes on, the machine is "unbestimmt"
  Program("65532 1 -> 7\n");
  view.SetFieldText(Field::EBand, "1");
  sim.Tick();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");
  EXPECT_EQ(Label(Label::LBefehl), MachineText("Übergang: "));
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: ");
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::Stopped);
}

TEST_F(SimulationTest, OutcomeOfEachKindOfEnd) {
  sim.SelectKind(MachineKind::TM);
  sim.StartOrStop();
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::Running);
  TickToStop();
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::FunctionValue);
  EXPECT_EQ(sim.Outcome().value, "5");

  sim.SelectKind(MachineKind::Akz);
  sim.Reset();
  sim.StartOrStop();
  TickToStop();
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::NotAccepted);

  Program("a 1 ->\n");
  sim.Reset();
  const RunOutcome fault = sim.Outcome();
  EXPECT_EQ(fault.result, RunOutcome::Result::ParseFault);
  EXPECT_EQ(fault.faults, view.messages);
  sim.SelectKind(MachineKind::DEA);  // a new kind forgets the fault
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::Stopped);

  // A transition out of F: the run stops in the error state without a verdict.
  sim.SelectKind(MachineKind::Akz);
  Program("a 1 -> f\nf 1 -> a\n");
  view.SetFieldText(Field::EBand, "11");
  sim.StartOrStop();
  EXPECT_EQ(TickToStop(), 1);
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Fehlzustand");
  EXPECT_EQ(Label(Label::LMeldung), "");
  EXPECT_EQ(sim.Outcome().result, RunOutcome::Result::ErrorState);
  EXPECT_TRUE(sim.Outcome().Halted());
}

TEST_F(SimulationTest, UserEditsBetweenStepsCount) {
  sim.SelectKind(MachineKind::DEA);
  sim.Reset();
  sim.SingleStep();
  Type(Field::EBand, "skss");  // the second symbol is now k
  Type(Field::EAusgabe, "x");  // and the output shortened
  sim.SingleStep();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 1");
  EXPECT_EQ(Second(), "xw");
}

// A kind that only reads its tape keeps the last reset's tape nowhere but in
// the configuration: a user's edit, taken at the next step or undone by a
// step back, must not lose it. The plain view reads the cells where the
// simulation keeps them and still shows what the user typed.
TEST_F(SimulationTest, TheLastTapeSurvivesEditsOfATapeTheMachineOnlyReads) {
  for (const MachineKind kind : {MachineKind::DEA, MachineKind::NEA, MachineKind::KA, MachineKind::TM}) {
    SCOPED_TRACE(static_cast<int>(kind));
    sim.SelectKind(kind);
    sim.Reset();
    const std::string reset = Tape();
    sim.SingleStep();
    sim.SingleStep();  // (nothing here reads the state: that would keep a copy of the tape)
    Type(Field::EBand, "()s0");
    EXPECT_EQ(Tape(), "()s0");
    sim.SingleStep();  // the edit becomes the configuration's tape
    EXPECT_EQ(sim.State().configuration.tape.View().substr(0, 4), "()s0");
    sim.StepBack();  // and goes back with the step before it
    EXPECT_EQ(sim.State().lastTape, reset);
    sim.RestoreLastTape();
    EXPECT_EQ(Tape(), reset);
    sim.StartOrStop();  // a run to the end shows the cells of its configuration
    TickToStop();
    EXPECT_EQ(Tape(), std::string(sim.State().configuration.tape.View()));
    EXPECT_EQ(Second(), sim.State().configuration.second);
    EXPECT_EQ(sim.State().lastTape, reset);
  }
}

// Typing over some cells of a field that reads the simulation's cells (the
// page's long tape) gives the field a text of its own, which the next step reads.
TEST_F(SimulationTest, TypingIntoAFieldThatReadsTheCells) {
  sim.SelectKind(MachineKind::DEA);  // "sskkss"
  sim.Reset();
  sim.SingleStep();
  view.TypeInField(Field::EBand, 1, 1, "k");
  sim.FieldEdited(Field::EBand);
  EXPECT_EQ(Tape(), "skkkss");
  sim.SingleStep();  // reads the k typed under the head
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 1");
  EXPECT_EQ(sim.State().configuration.tape.View(), "skkkss");
  EXPECT_EQ(Tape(), "skkkss");
}

TEST_F(SimulationTest, ResizingPadsAShortTuringTape) {
  sim.SelectKind(MachineKind::TM);
  view.SetFieldText(Field::EBand, "11");
  view.tapeWidth = 10;
  sim.TapeFieldResized();
  EXPECT_EQ(Tape(), "11*******");  // one short of the width: the reset adds the last blank
  EXPECT_EQ(view.TapeWidth(), 10);
  EXPECT_EQ(view.markedCell[0], -1);
  sim.SelectKind(MachineKind::DEA);
  view.SetFieldText(Field::EBand, "ab");
  view.tapeWidth = 20;
  sim.TapeFieldResized();
  EXPECT_EQ(Tape(), "ab");
}

// A reset parses the program only when its text or the kind changed since:
// the same text stands as it was parsed, a faulty one shows its boxes again.
TEST_F(SimulationTest, AResetParsesOnlyAChangedTextOrKind) {
  sim.SelectKind(MachineKind::Akz);
  Program("e: 1\na 0 -> 1\n");
  sim.Reset();
  const auto parses = [this] { return sim.State().parseCount; };
  const std::uint64_t first = parses();
  sim.Reset();
  sim.Reset();
  EXPECT_EQ(parses(), first);
  Program("e: 1\na 0 -> 1\na 1 -> a\n");  // the same lines and one more
  sim.Reset();
  EXPECT_EQ(parses(), first + 1);
  EXPECT_EQ(sim.State().program.transitions.size(), 2u);
  view.ReplaceProgramLines(2, 1, "a 1 -> 1");
  sim.Reset();
  EXPECT_EQ(parses(), first + 2);
  EXPECT_EQ(sim.State().program.transitions[1].next, sim.State().program.transitions[0].next);
  // A fault is found and shown at each reset.
  int boxes = 0;
  view.onMessage = [&boxes](const std::string&) { ++boxes; };
  Program("a 0 ->\n");
  sim.Reset();
  const int once = boxes;
  EXPECT_GT(once, 0);
  sim.Reset();
  EXPECT_EQ(boxes, 2 * once);
}

}  // namespace
}  // namespace automaten
