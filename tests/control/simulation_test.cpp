// The simulation driven the way a user drives the window, read back from
// what the screen would show.
#include <gtest/gtest.h>

#include "control/examples.h"
#include "control/simulation.h"
#include "control/stringview.h"
#include "engine/test_text.h"

namespace automaten {
namespace {

using testing::W;

class SimulationTest : public ::testing::Test {
 protected:
  StringView view;
  Simulation sim{view};

  std::string Label(Label l) const { return view.LabelText(l); }
  TextColour Colour(automaten::Label l) const { return view.LabelColour(l); }
  std::string Tape() const { return view.FieldText(Field::EBand); }
  std::string Second() const { return view.FieldText(Field::EAusgabe); }
  void Program(const std::string& text) { view.SetProgramText(text); }
  // Ticks until the automatic run stops; returns the number of ticks.
  int TickToStop(int limit = 10000) {
    int ticks = 0;
    while (view.TimerEnabled() && ticks < limit) {
      sim.Timer1Timer();
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
    sim.TBAnfangszustandClick();  // whatever ran before
    view.SetStatusPanel(1, "marker");
    sim.SelectKind(r.kind);
    EXPECT_EQ(view.caption, r.title);
    EXPECT_EQ(view.StatusPanel(0), r.panel);
    EXPECT_EQ(view.StatusPanel(1), "marker");  // choosing posts no message
    EXPECT_EQ(view.fieldVisible[1], r.secondVisible);
    EXPECT_EQ(Second(), r.second);
    EXPECT_EQ(Tape(), r.tape);
    EXPECT_EQ(view.ProgramText(), ExampleText(r.kind));
    for (MachineKind k : {MachineKind::DEA, MachineKind::Akz, MachineKind::NEA, MachineKind::KA, MachineKind::TM})
      EXPECT_EQ(view.KindButtonDown(k), k == r.kind);
    EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");
    EXPECT_EQ(Label(Label::LSchritte), "Schritte: ");
    EXPECT_EQ(Label(Label::LMeldung), "");
    EXPECT_EQ(Label(Label::Schreiblesekopf), std::string(60, ' '));
    EXPECT_FALSE(sim.FReady);
    EXPECT_FALSE(sim.FModified);
    EXPECT_EQ(sim.M.FState, kUnbestimmt);
  }
}

TEST_F(SimulationTest, TuringExampleTapeFollowsTheWidth) {
  sim.FTapeWidth = 64;
  sim.Turingmaschine1Click();
  EXPECT_EQ(sim.M.FHead, 29u);
  EXPECT_EQ(Tape(), std::string(28, '*') + "111#11" + std::string(31, '*'));
  EXPECT_EQ(Label(Label::LBefehl), W("Übergang: "));
  EXPECT_EQ(Colour(Label::LBefehl), TextColour::WindowText);
}

TEST_F(SimulationTest, ResetShowsTheInitialConfiguration) {
  sim.det_AutomatClick();
  sim.TBAnfangszustandClick();
  EXPECT_TRUE(sim.FReady);
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Anfangszustand");
  EXPECT_EQ(Label(Label::LBefehl), W("Übergang: a s -> w a "));
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 0");
  EXPECT_EQ(Label(Label::LMeldung), "");
  EXPECT_EQ(Label(Label::Schreiblesekopf), "^" + std::string(69, ' '));
  EXPECT_EQ(Second(), std::string(6, ' '));
  EXPECT_EQ(view.StatusPanel(2), " In den Anfangszustand gesetzt.");
  EXPECT_EQ(view.fieldSelection[0].start, 0);
  EXPECT_EQ(view.fieldSelection[0].length, 1);
  EXPECT_EQ(sim.FLastTape, "sskkss");
}

TEST_F(SimulationTest, SingleStepsThroughTheDeaExample) {
  sim.det_AutomatClick();
  sim.TBStepClick();  // the first "Einzelschritt" after a choice only resets
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 0");
  EXPECT_EQ(sim.M.FHead, 1u);
  for (int i = 0; i < 3; ++i) sim.TBStepClick();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 1");
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 3");
  EXPECT_EQ(Second(), "www   ");
  EXPECT_EQ(view.fieldSelection[1].start, 2);  // the output just written
  EXPECT_EQ(Label(Label::Schreiblesekopf), "   ^" + std::string(66, ' '));
  EXPECT_EQ(view.StatusPanel(2), " Einzelschritt");
  for (int i = 0; i < 3; ++i) sim.TBStepClick();
  EXPECT_EQ(Second(), "wwwbbw");
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde akzeptiert.");
  EXPECT_EQ(Colour(Label::LMeldung), TextColour::Green);
  EXPECT_EQ(Label(Label::LBefehl), W("Übergang: "));
  sim.TBStepClick();  // a halted machine still steps: nothing applies
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 6");
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde akzeptiert.");
}

TEST_F(SimulationTest, StartRightAfterChoosingResetsThenRuns) {
  sim.Turingmaschine1Click();
  sim.MIStartenClick();
  EXPECT_TRUE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, kImageStop);
  EXPECT_EQ(view.StatusPanel(2), " In den Anfangszustand gesetzt.");
  sim.Timer1Timer();
  EXPECT_EQ(view.StatusPanel(2), " Einzelschritt");
  EXPECT_EQ(TickToStop(), 13);
  EXPECT_EQ(view.startImage, kImageStart);
  EXPECT_EQ(Label(Label::LMeldung), "Der Funktionswert ist: 5");
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 14");
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Endzustand");
}

TEST_F(SimulationTest, StartTwiceStartsAndStops) {
  sim.det_AutomatClick();
  sim.TBAnfangszustandClick();
  sim.MIStartenClick();
  EXPECT_EQ(view.startImage, kImageStop);
  EXPECT_EQ(view.StatusPanel(2), " Gestartet");
  sim.MIStartenClick();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, kImageStart);
  EXPECT_EQ(view.StatusPanel(2), " Angehalten");
}

TEST_F(SimulationTest, AnhaltenStopsOnlyARunningMachine) {
  sim.det_AutomatClick();
  sim.TBAnfangszustandClick();
  sim.MIAnhaltenClick();
  EXPECT_EQ(view.StatusPanel(2), " In den Anfangszustand gesetzt.");
  sim.MIStartenClick();
  sim.MIAnhaltenClick();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, kImageStart);
  EXPECT_EQ(view.StatusPanel(2), " Angehalten");
}

TEST_F(SimulationTest, ProgramFaultDuringStartStopsTheRun) {
  sim.det_AutomatClick();
  Program("; first\r\na s -> w a\r\na k -> w\r\n");
  sim.MIStartenClick();
  EXPECT_EQ(view.messages,
            (std::vector<std::string>{"Fehler: falsches Befehlsformat in Befehl 2", W("Fehler: ungültiger Zustand in Befehl 2")}));
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.startImage, kImageStart);
  EXPECT_FALSE(sim.FReady);
  EXPECT_EQ(view.programSelection.start, 7 + 2 + 10 + 2);
  EXPECT_EQ(view.programSelection.length, 8);
  // The reset stopped after preparing the output field.
  EXPECT_EQ(Second(), std::string(6, ' '));
  EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: ");
  EXPECT_EQ(Label(Label::Schreiblesekopf), std::string(60, ' '));
  // Fixed, the next "Einzelschritt" parses again and resets.
  Program("a s -> w a\r\n");
  sim.TBStepClick();
  EXPECT_TRUE(sim.FReady);
  EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(SimulationTest, KindChangeDuringARunEndsItAtTheNextTick) {
  sim.det_AutomatClick();
  sim.MIStartenClick();
  sim.Timer1Timer();
  sim.AkzeptorClick();
  EXPECT_TRUE(view.TimerEnabled());  // the choice leaves the timer alone
  EXPECT_FALSE(sim.FReady);
  sim.Timer1Timer();
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(view.StatusPanel(2), " Einzelschritt");
  EXPECT_EQ(Label(Label::LZustand), "Zustand : unbestimmt");  // nothing applied in "unbestimmt"
}

TEST_F(SimulationTest, TapeClearedAndRestored) {
  sim.Turingmaschine1Click();
  sim.TBAnfangszustandClick();
  const std::string last = sim.FLastTape;
  sim.TBBandClick();
  EXPECT_EQ(Tape(), std::string(61, '*'));
  EXPECT_EQ(Label(Label::Schreiblesekopf), std::string(60, ' '));
  EXPECT_EQ(view.StatusPanel(2), W(" Band gelöscht."));
  EXPECT_EQ(sim.FLastTape, last);
  sim.ToolButton7Click();
  EXPECT_EQ(Tape(), last);
  EXPECT_EQ(view.StatusPanel(2), " Letzten Bandinhalt wieder hergestellt.");
  sim.det_AutomatClick();
  sim.TBBandClick();
  EXPECT_EQ(Tape(), "");
}

TEST_F(SimulationTest, TuringResetPadsAndPlacesTheHead) {
  sim.Turingmaschine1Click();
  view.SetFieldText(Field::EBand, "111#11");
  sim.TBAnfangszustandClick();
  EXPECT_EQ(Tape(), "111#11" + std::string(54, '*'));
  EXPECT_EQ(sim.FLastTape, Tape());
  EXPECT_EQ(sim.M.FHead, 1u);
  view.SetFieldText(Field::EBand, std::string(10, '*'));
  sim.TBAnfangszustandClick();
  EXPECT_EQ(sim.M.FHead, 27u);  // blanks only: near the middle
  EXPECT_EQ(Tape().size(), 60u);
}

TEST_F(SimulationTest, HeadStartRuleForOtherKinds) {
  sim.AkzeptorClick();
  view.SetFieldText(Field::EBand, "**1");
  sim.TBAnfangszustandClick();
  EXPECT_EQ(sim.M.FHead, 3u);
  view.SetFieldText(Field::EBand, "");
  sim.TBAnfangszustandClick();
  EXPECT_EQ(sim.M.FHead, 1u);
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
    sim.TrackBar1Change();
    EXPECT_EQ(view.TimerInterval(), r.interval);
    EXPECT_EQ(Label(Label::LFrequenz2), r.label);
  }
  EXPECT_EQ(Simulation::FrequencyText(2, NumberFormat{'.', ','}), "500 Hz");
  EXPECT_EQ(Simulation::FrequencyText(160, NumberFormat{'.', ','}), "6.3 Hz");
  EXPECT_EQ(Simulation::FrequencyText(1, NumberFormat{'.', ','}), "1,000 Hz");
}

TEST_F(SimulationTest, EveryTickReadsTheSlider) {
  sim.det_AutomatClick();
  sim.MIStartenClick();
  view.SetSliderPosition(70);
  sim.Timer1Timer();
  EXPECT_EQ(view.TimerInterval(), 20);
}

TEST_F(SimulationTest, ChangeMarkerInTheStatusBar) {
  sim.det_AutomatClick();
  sim.MProgrammKeyUp();
  EXPECT_TRUE(sim.FModified);
  EXPECT_EQ(view.StatusPanel(1), W(" geändert "));
  sim.TBAnfangszustandClick();
  EXPECT_EQ(view.StatusPanel(1), W(" geändert"));
  sim.det_AutomatClick();  // loading an example clears the flag; the marker stays until the next message
  EXPECT_EQ(view.StatusPanel(1), W(" geändert"));
  sim.TBStepClick();
  EXPECT_EQ(view.StatusPanel(1), "");
}

TEST_F(SimulationTest, FaultStatesAreRedAndStopTheRun) {
  sim.KellerautomatClick();
  view.SetFieldText(Field::EBand, ")(");
  sim.MIStartenClick();
  sim.Timer1Timer();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : Fehlzustand");
  EXPECT_EQ(Colour(Label::LZustand), TextColour::Red);
  EXPECT_FALSE(view.TimerEnabled());
  EXPECT_EQ(Label(Label::LBefehl), W("Übergang: undefiniert"));
  EXPECT_EQ(Colour(Label::LBefehl), TextColour::Red);
  EXPECT_EQ(Label(Label::LMeldung), "Das Wort wurde nicht akzeptiert.");
  EXPECT_EQ(Colour(Label::LMeldung), TextColour::Red);
  EXPECT_EQ(Second(), "#");
}

TEST_F(SimulationTest, NumberedStateAndNeaSets) {
  sim.nichtdetAutomatClick();
  sim.TBAnfangszustandClick();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : {A}");
  EXPECT_EQ(Label(Label::LBefehl), W("Übergang: {A} 0 -> {A,1}"));
  sim.TBStepClick();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : {A,1}");
  sim.AkzeptorClick();
  Program("a 1 -> 12\r\n");
  view.SetFieldText(Field::EBand, "1");
  sim.TBAnfangszustandClick();
  sim.TBStepClick();
  EXPECT_EQ(Label(Label::LZustand), "Zustand : 12");
}

TEST_F(SimulationTest, UnknownKindReleasesAllButtons) {
  sim.det_AutomatClick();
  sim.M.FMode = static_cast<MachineKind>(9);
  sim.ShowMachineKind();
  EXPECT_FALSE(view.KindButtonDown(MachineKind::DEA));
  EXPECT_EQ(view.StatusPanel(0), " DEA");
}

TEST_F(SimulationTest, TuringStepOffTheLeftEndRedrawsTheMarker) {
  sim.Turingmaschine1Click();
  Program("a 1 -> 1 L a\r\n");
  view.SetFieldText(Field::EBand, "*1");
  sim.TBAnfangszustandClick();
  EXPECT_EQ(sim.M.FHead, 2u);
  sim.TBStepClick();
  EXPECT_EQ(sim.M.FHead, 21u);
  EXPECT_EQ(Tape().substr(0, 21), std::string(21, '*'));
  EXPECT_EQ(Label(Label::Schreiblesekopf).find('^'), 20u);
  EXPECT_EQ(Label(Label::LSchritte), "Schritte: 1");
}

}  // namespace
}  // namespace automaten
