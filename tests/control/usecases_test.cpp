// The use cases the front ends share: the language tools with their kind
// table, the grading of program files, the headless run and the diagram
// follower.
#include <gtest/gtest.h>

#include <fstream>

#include "control/diagramfollower.h"
#include "control/examples.h"
#include "control/grading.h"
#include "control/headless.h"
#include "control/tools.h"
#include "engine/encoding.h"
#include "io/programfile.h"

namespace automaten {
namespace {

std::vector<std::string> Lines(const std::string& utf8) { return MachineLines(utf8); }

TEST(Tools, EveryToolAsksTheKindTable) {
  const std::vector<std::string> akz = ExampleLines(MachineKind::Akz);
  for (MachineKind kind : kKinds) {
    SCOPED_TRACE(InfoOf(kind).name);
    const std::vector<std::string> lines = ExampleLines(kind);
    const bool undecidable = InfoOf(kind).undecidable != nullptr;
    EXPECT_EQ(undecidable, !Accepts(LanguageTool::Compare, kind));
    for (const auto& [tool, minimal] :
         {std::pair{LanguageTool::MakeAcceptor, false}, std::pair{LanguageTool::Minimize, true}}) {
      const MadeAcceptor made = MakeAcceptor(kind, lines, minimal, "x");
      EXPECT_EQ(made.problem.cause == ToolProblem::Cause::Refused, !Accepts(tool, kind));
      if (undecidable) {
        EXPECT_EQ(made.problem.text, InfoOf(kind).undecidable);
      }
      if (!made.problem) {
        EXPECT_GT(made.states, 0u);
      }
    }
    const Comparison c = CompareWith(kind, lines, lines);
    EXPECT_EQ(c.problem.cause == ToolProblem::Cause::Refused, !Accepts(LanguageTool::Compare, kind));
    if (!c.problem) {
      EXPECT_TRUE(c.difference.equal);
    }
  }
  // The window and the command line minimise an NEA alike: made deterministic first.
  EXPECT_TRUE(Accepts(LanguageTool::Minimize, MachineKind::NEA));
  EXPECT_FALSE(Accepts(LanguageTool::Minimize, MachineKind::DEA));
  EXPECT_FALSE(Accepts(LanguageTool::MakeAcceptor, MachineKind::Akz));
}

TEST(Tools, MinimisingAnNeaEqualsMinimisingItsAcceptor) {
  const std::vector<std::string> nea = ExampleLines(MachineKind::NEA);
  const MadeAcceptor direct = MakeAcceptor(MachineKind::NEA, nea, true, "m");
  const MadeAcceptor converted = MakeAcceptor(MachineKind::NEA, nea, false, "m");
  ASSERT_FALSE(direct.problem) << direct.problem.text;
  ASSERT_FALSE(converted.problem) << converted.problem.text;
  const MadeAcceptor twice = MakeAcceptor(MachineKind::Akz, Lines(converted.text), true, "m");
  ASSERT_FALSE(twice.problem) << twice.problem.text;
  EXPECT_EQ(direct.states, twice.states);
  EXPECT_LE(direct.states, converted.states);
  EXPECT_EQ(direct.summary, "Minimiert: " + std::to_string(direct.states) + " Zustände");
  const Comparison same = CompareWith(MachineKind::Akz, Lines(direct.text), Lines(converted.text));
  ASSERT_FALSE(same.problem);
  EXPECT_TRUE(same.difference.equal);
  // The minimised acceptor names the NEA's states, as the direct way does, not the acceptor's in between.
  EXPECT_EQ(twice.text, direct.text);
  EXPECT_NE(direct.text.find("; A = {A}\n"), std::string::npos) << direct.text;
}

TEST(Tools, MinimisedStatesStandForTheNeaSetsTheyJoin) {
  const std::vector<std::string> converted = {"; Akzeptor aus dem NEA",
                                              "; A = {A}",
                                              "; 1 = {A,1}",
                                              "; 2 = {A,1,2}",
                                              "E: 1 2",
                                              "A 0 -> A",
                                              "A 1 -> 1",
                                              "1 0 -> 2",
                                              "1 1 -> 1",
                                              "2 0 -> 2",
                                              "2 1 -> 1"};
  const MadeAcceptor minimal = MakeAcceptor(MachineKind::Akz, converted, true, "m");
  ASSERT_FALSE(minimal.problem) << minimal.problem.text;
  EXPECT_EQ(minimal.text.substr(0, minimal.text.find("E:")), "; m\n; A = {A}\n; 1 = {A,1} {A,1,2}\n");
  // Without such lines the states stand for themselves; a comment of other words is no set.
  std::vector<std::string> own = converted;
  own[1] = "; A = Anfang";
  own.erase(own.begin() + 2, own.begin() + 4);
  const MadeAcceptor plain = MakeAcceptor(MachineKind::Akz, own, true, "m");
  EXPECT_EQ(plain.text.substr(0, plain.text.find("E:")), "; m\n; A = A\n; 1 = 1 2\n");
}

TEST(Tools, FaultsSayWhoseTheyAre) {
  const std::vector<std::string> good = {"a 1 -> e"}, bad = {"a 1 e"};
  const Comparison own = CompareWith(MachineKind::Akz, bad, good);
  EXPECT_EQ(own.problem.cause, ToolProblem::Cause::Fault);
  EXPECT_FALSE(own.problem.other);
  EXPECT_EQ(own.problem.faults.size(), 1u);
  EXPECT_EQ(own.problem.text.rfind("Fehler: ", 0), 0u) << own.problem.text;
  const Comparison other = CompareWith(MachineKind::Akz, good, bad);
  EXPECT_EQ(other.problem.cause, ToolProblem::Cause::Fault);
  EXPECT_TRUE(other.problem.other);
  EXPECT_FALSE(CheckForTool(LanguageTool::Compare, MachineKind::Akz, good));
  EXPECT_EQ(CheckForTool(LanguageTool::Compare, MachineKind::KA, good).cause, ToolProblem::Cause::Refused);
}

TEST(Tools, TheComparisonInASentence) {
  Difference d;
  EXPECT_EQ(ComparisonText(MachineKind::Akz, d), "Die Programme akzeptieren dieselbe Sprache.");
  EXPECT_EQ(ComparisonText(MachineKind::DEA, d),
            "Die Programme geben für jedes Wort dieselbe Ausgabe und dasselbe Urteil.");
  d.equal = false;
  d.word = "";
  d.firstAccepts = true;
  EXPECT_EQ(ComparisonText(MachineKind::NEA, d),
            "Unterschied: das Wort \"\" wird von diesem Programm akzeptiert, vom anderen nicht.");
  d.word = "0\xE4";  // machine text: "0ä"
  d.firstOutput = "1";
  d.secondOutput = "";
  EXPECT_EQ(ComparisonText(MachineKind::DEA, d),
            "Unterschied: beim Wort 0ä gibt dieses Programm 1 aus, das andere \"\".");
  d.verdictsDiffer = true;  // the same outputs, another verdict
  EXPECT_EQ(ComparisonText(MachineKind::DEA, d),
            "Unterschied: das Wort 0ä wird von diesem Programm akzeptiert, vom anderen nicht.");
}

std::string Write(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(Grading, ProgramsAgainstTheirCasesAndAReference) {
  const std::string good =
      Write("g-good.txt", "e: 1\na 1 -> 1\n1 1 -> a\n; Test: 11 -> nicht akzeptiert\n; Test: 1 -> akzeptiert\n");
  const std::string wrong = Write("g-wrong.txt", "e: a\na 1 -> 1\n1 1 -> a\n; Test: 1 -> akzeptiert\n");
  const std::string faulty = Write("g-faulty.txt", "a 1 1\n; Test: 1 -> akzeptiert\n");
  GradingSetup setup;
  setup.kind = MachineKind::Akz;
  setup.jobs = 2;
  Reference reference;
  ASSERT_FALSE(MakeReference(MachineKind::Akz, "ref", Lines("e: 1\na 1 -> 1\n1 1 -> a\n"), reference));
  const std::vector<ProgramReport> reports =
      GradePrograms(setup, {good, wrong, faulty, ::testing::TempDir() + "g-missing.txt"}, nullptr, &reference);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_TRUE(reports[0].AllPassed());
  EXPECT_EQ(reports[0].Total(), 3u);  // the row "Sprache" and two cases
  EXPECT_EQ(reports[1].Passed(), 0u);
  ASSERT_NE(reports[1].FirstFailure(), nullptr);
  EXPECT_EQ(reports[1].FirstFailure()->got, "Gegenbeispiel \"\": akzeptiert, die Referenz nicht");
  EXPECT_EQ(reports[2].fault.rfind("Fehler: ", 0), 0u);
  EXPECT_EQ(reports[2].Passed(), 0u);
  EXPECT_FALSE(reports[3].unreadable.empty());
  // A reference with a fault cannot serve.
  Reference broken;
  EXPECT_EQ(MakeReference(MachineKind::Akz, "b", {"a 1 1"}, broken).cause, ToolProblem::Cause::Fault);
}

TEST(Headless, TheRunOfTheCommandLineAndItsBound) {
  HeadlessSetup setup;
  setup.kind = MachineKind::TM;
  HeadlessRun example(setup);  // the example program and tape: 3 + 2
  EXPECT_EQ(example.Run(kDefaultStepBound).result, RunOutcome::Result::FunctionValue);
  EXPECT_EQ(example.Outcome().value, "5");
  EXPECT_EQ(example.Screen().LabelText(Label::LMeldung), "Der Funktionswert ist: 5");

  setup.program = "a * -> * R a\n";  // runs right for ever
  setup.loopCheck = false;
  HeadlessRun bound(setup);
  EXPECT_EQ(bound.Run(100).result, RunOutcome::Result::Running);
  EXPECT_EQ(bound.Screen().LabelText(Label::LSchritte), "Schritte: 100");
  setup.loopCheck = true;
  HeadlessRun proved(setup);
  EXPECT_EQ(proved.Run(100).result, RunOutcome::Result::EndlessRun);

  std::vector<std::string> messages;
  setup.program = "a * * R a\n";
  setup.onMessage = [&messages](const std::string& m) { messages.push_back(m); };
  HeadlessRun faulty(setup);
  EXPECT_EQ(faulty.Outcome().result, RunOutcome::Result::ParseFault);
  EXPECT_EQ(faulty.Outcome().faults, messages);
  EXPECT_FALSE(faulty.Tick());
}

TEST(DiagramFollower, TheTextWhileTypingTheResetsProgramWhileRunning) {
  PlainView view;
  Simulation sim(view);
  DiagramFollower follower(sim, view);
  sim.SelectKind(MachineKind::Akz);
  // Before the first reset the pane shows the text.
  DiagramUpdate u = follower.Opened();
  ASSERT_EQ(u.change, DiagramUpdate::Change::Diagram);
  const Diagram example = u.diagram;
  EXPECT_TRUE(follower.Mark(example).nodes.empty());  // "unbestimmt": nothing marked

  sim.Reset();
  u = follower.MachineShown();
  ASSERT_EQ(u.change, DiagramUpdate::Change::Diagram);
  const Diagram drawn = u.diagram;
  EXPECT_EQ(follower.MachineShown().change, DiagramUpdate::Change::None);  // the same reset
  DiagramMark mark = follower.Mark(drawn);
  ASSERT_EQ(mark.nodes.size(), 1u);
  EXPECT_EQ(drawn.nodes[mark.nodes[0]].name, "A");
  EXPECT_EQ(mark.lines.size(), 1u);  // the transition the next step takes

  // A comment more: the same transitions, still marked.
  const std::string text = view.ProgramText();
  view.SetProgramText("; neu\n" + text);
  ASSERT_EQ(follower.TextChanged().change, DiagramUpdate::Change::Diagram);
  EXPECT_EQ(follower.Mark(drawn).lines.size(), 1u);
  // Drawn from a text with other lines: they may be numbered otherwise, so no line is marked.
  view.SetProgramText("a 9 -> a\n" + text);
  ASSERT_EQ(follower.TextChanged().change, DiagramUpdate::Change::Diagram);
  mark = follower.Mark(drawn);
  EXPECT_EQ(mark.nodes.size(), 1u);
  EXPECT_TRUE(mark.lines.empty());

  // A fault while typing: the note names it and its line.
  view.SetProgramText("a 1 -> e\na 0 e\n");
  u = follower.TextChanged();
  ASSERT_EQ(u.change, DiagramUpdate::Change::Fault);
  EXPECT_NE(u.note.find("\nZeile 2: a 0 e"), std::string::npos) << u.note;

  // A reset with the fault: the reset's program is the faulty one.
  sim.Reset();
  EXPECT_EQ(follower.MachineShown().change, DiagramUpdate::Change::Fault);
  EXPECT_TRUE(follower.Mark(drawn).nodes.empty());
}

// After a change of kind the pane shows the new kind's text at once, not the
// program the machine ran before.
TEST(DiagramFollower, OpenedAfterAChangeOfKindShowsTheTextUnderTheNewKind) {
  PlainView view;
  Simulation sim(view);
  DiagramFollower follower(sim, view);
  sim.SelectKind(MachineKind::TM);
  sim.Reset();
  sim.SelectKind(MachineKind::NEA);  // loads the NEA example
  const DiagramUpdate u = follower.Opened();
  ASSERT_EQ(u.change, DiagramUpdate::Change::Diagram);
  EXPECT_EQ(u.diagram.kind, MachineKind::NEA);
  EXPECT_TRUE(follower.Mark(u.diagram).nodes.empty());                     // "unbestimmt"
  EXPECT_EQ(follower.MachineShown().change, DiagramUpdate::Change::None);  // no reset since
}

TEST(DiagramFollower, ADiagramTooLargeIsNotLaidOutButSaysWhy) {
  PlainView view;
  Simulation sim(view);
  DiagramFollower follower(sim, view);
  sim.SelectKind(MachineKind::TM);
  std::string program;
  for (int i = 1; i <= 301; ++i) program += std::to_string(i) + " 1 -> 1 R " + std::to_string(i + 1) + "\n";
  view.SetProgramText(program);
  const DiagramUpdate u = follower.TextChanged();
  EXPECT_EQ(u.change, DiagramUpdate::Change::TooLarge);
  EXPECT_NE(u.note.find("303 Zustände"), std::string::npos) << u.note;
}

TEST(DiagramFollower, APushdownAutomatonWithoutEndStatesSaysHowItAccepts) {
  PlainView view;
  Simulation sim(view);
  DiagramFollower follower(sim, view);
  sim.SelectKind(MachineKind::KA);
  view.SetProgramText("a ( # -> push ( a\na ) ( -> pop a\n");
  EXPECT_EQ(follower.TextChanged().note, "akzeptiert bei leerem Keller");
  view.SetProgramText("E: 1\na ( # -> push ( 1\n");
  EXPECT_EQ(follower.TextChanged().note, "");
}

TEST(DiagramFollower, TheLimitsNote) {
  Diagram d;
  d.nodes.resize(kMaxDiagramStates + 1);
  EXPECT_TRUE(TooLargeToLayOut(d));
  EXPECT_EQ(DiagramTooLargeNote(d),
            "Das Diagramm hat 301 Zustände und 0 Kanten; gezeichnet werden höchstens 300 Zustände und 2000 Kanten.");
}

}  // namespace
}  // namespace automaten
