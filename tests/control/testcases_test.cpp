// Test cases: the lines that hold them, and a case run as the window runs it.
#include "control/testcases.h"

#include <gtest/gtest.h>

#include "control/examples.h"

namespace automaten {
namespace {

using Expect = TestCase::Expect;

TEST(TestLines, EveryExpectationTheEmptyWordBlanksAndCase) {
  const TestSuite s = TestCasesOfProgram({
      "a 1 -> a",                           // a transition, no case
      ";   Test:  0110  ->  akzeptiert  ",  // blanks on both sides trimmed
      "; test: \"\" -> NICHT akzeptiert",   // the empty word, keywords in any case
      ";Test: sskkss -> Ausgabe wwwbbw",    //
      "; Test: 111#11 -> wert 5",           //
      "; TEST: 1 -> Endlosschleife",        //
      "; Test: ss -> Ausgabe \"\"",         // an empty output
      "; a comment that mentions Test: here",
  });
  ASSERT_TRUE(s.faults.empty());
  ASSERT_EQ(s.cases.size(), 6u);
  EXPECT_EQ(s.cases[0].line, 2);
  EXPECT_EQ(s.cases[0].word, "0110");
  EXPECT_EQ(s.cases[0].expect, Expect::Accepted);
  EXPECT_EQ(s.cases[1].word, "");
  EXPECT_EQ(s.cases[1].expect, Expect::NotAccepted);
  EXPECT_EQ(s.cases[2].expect, Expect::Output);
  EXPECT_EQ(s.cases[2].value, "wwwbbw");
  EXPECT_EQ(s.cases[3].expect, Expect::Value);
  EXPECT_EQ(s.cases[3].value, "5");
  EXPECT_EQ(s.cases[4].expect, Expect::Endless);
  EXPECT_EQ(s.cases[5].value, "");
  EXPECT_EQ(ExpectationText(s.cases[1]), "nicht akzeptiert");
  EXPECT_EQ(ExpectationText(s.cases[5]), "Ausgabe \"\"");
}

TEST(TestLines, MalformedLinesAreReportedAndTheOthersKept) {
  const TestSuite s = TestCasesOfFile({
      "; cases of the teacher", "",
      "01 akzeptiert",            // no arrow
      "01 -> vielleicht",         // unknown expectation
      "01 -> Wert",               // no value
      "01 -> akzeptiert",         // fine
      "01 -> akzeptiert, bitte",  // more than the keyword
  });
  ASSERT_EQ(s.cases.size(), 1u);
  EXPECT_EQ(s.cases[0].line, 6);
  ASSERT_EQ(s.faults.size(), 4u);
  EXPECT_EQ(s.faults[0].line, 3);
  EXPECT_NE(s.faults[0].reason.find("kein \"->\""), std::string::npos);
  EXPECT_EQ(s.faults[1].line, 4);
  EXPECT_NE(s.faults[1].reason.find("unbekannte Erwartung \"vielleicht\""), std::string::npos);
  EXPECT_EQ(s.faults[2].line, 5);
  EXPECT_EQ(s.faults[3].line, 7);
}

CaseResult RunCase(MachineKind kind, const std::string& program, const std::string& line,
                   unsigned long long max = 1000000) {
  const TestSuite s = TestCasesOfFile({line});
  EXPECT_EQ(s.cases.size(), 1u) << line;
  return s.cases.empty() ? CaseResult{} : RunTestCase(kind, program, s.cases[0], max);
}

TEST(TestRun, TheVerdictOfEachKindAsARunGivesIt) {
  const std::string dea = ExampleText(MachineKind::DEA);
  EXPECT_TRUE(
      RunCase(MachineKind::DEA, dea, "sskkss -> Ausgabe wwwbbw").passed);  // the field's trailing blanks ignored
  EXPECT_TRUE(RunCase(MachineKind::DEA, dea, "sskkss -> akzeptiert").passed);
  const CaseResult wrong = RunCase(MachineKind::DEA, dea, "sskkss -> Ausgabe wwwbbb");
  EXPECT_FALSE(wrong.passed);
  EXPECT_EQ(wrong.got, "Ausgabe wwwbbw");
  EXPECT_TRUE(RunCase(MachineKind::DEA, dea, "ssk -> nicht akzeptiert").passed);  // ends in state 1
  EXPECT_TRUE(RunCase(MachineKind::NEA, ExampleText(MachineKind::NEA), "00101110 -> akzeptiert").passed);
  EXPECT_TRUE(RunCase(MachineKind::NEA, ExampleText(MachineKind::NEA), "0110 -> nicht akzeptiert").passed);
  EXPECT_TRUE(RunCase(MachineKind::KA, ExampleText(MachineKind::KA), "(()) -> akzeptiert").passed);
  EXPECT_TRUE(RunCase(MachineKind::KA, ExampleText(MachineKind::KA), "(() -> nicht akzeptiert").passed);
  const std::string tm = ExampleText(MachineKind::TM);
  EXPECT_TRUE(RunCase(MachineKind::TM, tm, "111#11 -> Wert 5").passed);
  const CaseResult six = RunCase(MachineKind::TM, tm, "111#11 -> Wert 6");
  EXPECT_FALSE(six.passed);
  EXPECT_EQ(six.got, "Wert 5");
}

TEST(TestRun, EndlessLongAndFaultyRuns) {
  const std::string right = "a * -> * R a\n";
  EXPECT_TRUE(RunCase(MachineKind::TM, right, "\"\" -> Endlosschleife").passed);
  const CaseResult loop = RunCase(MachineKind::TM, right, "\"\" -> akzeptiert");
  EXPECT_FALSE(loop.passed);
  EXPECT_EQ(loop.got, "Endlosschleife");
  // A binary counter is never proved endless: it runs into the bound.
  const std::string counter = "A 1 -> 0 L A\nA 0 -> 1 R 2\nA * -> 1 R 2\n2 0 -> 0 R 2\n2 1 -> 1 R 2\n2 # -> # L A\n";
  const CaseResult bound = RunCase(MachineKind::TM, counter, "0# -> Endlosschleife", 1000);
  EXPECT_FALSE(bound.passed);
  EXPECT_EQ(bound.got, "nach 1.000 Schritten nicht angehalten");
  // A run still going has no verdict: "nicht akzeptiert" is not yet true.
  const CaseResult going = RunCase(MachineKind::TM, counter, "0# -> nicht akzeptiert", 1000);
  EXPECT_FALSE(going.passed);
  EXPECT_EQ(going.got, "nach 1.000 Schritten nicht angehalten");
  EXPECT_FALSE(RunCase(MachineKind::TM, counter, "0# -> Ausgabe 1", 1000).passed);
  const CaseResult fault = RunCase(MachineKind::Akz, "a 1 ->\n", "1 -> akzeptiert");
  EXPECT_FALSE(fault.passed);
  EXPECT_EQ(fault.got, "Fehler im Programm: Fehler: falsches Befehlsformat in Befehl 1");
}

// One program's cases in a row give what each gives alone, with the program
// parsed once: the earlier cases leave nothing behind (tape, output field,
// the loop check's findings, a run cut off by the bound).
TEST(TestRun, CasesInARowParseTheProgramOnceAndGiveWhatEachGivesAlone) {
  const std::vector<std::pair<MachineKind, std::vector<std::string>>> runs = {
      {MachineKind::DEA,
       {"sskkss -> Ausgabe wwwbbw", "k -> Ausgabe w", "\"\" -> akzeptiert", "ssk -> nicht akzeptiert"}},
      {MachineKind::NEA, {"00101110 -> akzeptiert", "0110 -> nicht akzeptiert", "010 -> akzeptiert"}},
      {MachineKind::KA, {"(()) -> akzeptiert", "(() -> nicht akzeptiert", "\"\" -> akzeptiert"}},
      {MachineKind::TM, {"111#11 -> Wert 5", "1#1 -> Wert 2", "111#11 -> Wert 6"}},
  };
  for (const auto& [kind, lines] : runs) {
    const std::string program = ExampleText(kind);
    const TestSuite suite = TestCasesOfFile(lines);
    CaseRunner runner(kind, program, 1000000);
    for (int round = 0; round < 2; ++round)
      for (const TestCase& c : suite.cases) {
        const CaseResult alone = RunTestCase(kind, program, c, 1000000), inRow = runner.Run(c);
        EXPECT_EQ(inRow.passed, alone.passed) << c.line;
        EXPECT_EQ(inRow.got, alone.got) << c.line;
      }
    EXPECT_EQ(runner.Parses(), 1u);
  }
  // An endless run, then one cut off by the bound, then one that halts.
  const std::string counter =
      "A 1 -> 0 L A\nA 0 -> 1 R 2\nA * -> 1 R 2\n2 0 -> 0 R 2\n2 1 -> 1 R 2\n2 # -> # L A\n"
      "A # -> # R E\n3 * -> * R 3\n";
  const TestSuite tm = TestCasesOfFile({"0# -> Endlosschleife", "#0 -> Wert 0", "1 -> akzeptiert"});
  CaseRunner runner(MachineKind::TM, counter, 1000);
  for (const TestCase& c : tm.cases) {
    const CaseResult alone = RunTestCase(MachineKind::TM, counter, c, 1000), inRow = runner.Run(c);
    EXPECT_EQ(inRow.got, alone.got) << c.line;
  }
}

}  // namespace
}  // namespace automaten
