// Edits made in the diagram as edits of the program text: each one run of
// lines, comments and untouched lines kept, checked by the parser.
#include "control/diagramedit.h"

#include <gtest/gtest.h>

#include "control/examples.h"
#include "control/plainview.h"
#include "engine/encoding.h"
#include "engine/language.h"
#include "engine/parser.h"
#include "engine/text.h"

namespace automaten {
namespace {

using Lines = std::vector<std::string>;

// The edit applied, after checking that it stands.
Lines After(const Lines& lines, const LinesEdit& edit) {
  EXPECT_TRUE(edit.Ok()) << edit.fault;
  return Applied(lines, edit);
}

// Whether the acceptor takes the word, by its deterministic automaton.
bool Accepts(const Lines& lines, const std::string& word) {
  Dfa dfa;
  std::string error;
  EXPECT_TRUE(MakeDfa(ParseProgram(MachineKind::Akz, lines), dfa, error)) << error;
  int state = 0;
  for (char c : word) {
    const std::size_t symbol = dfa.alphabet.find(c);
    if (symbol == std::string::npos || state < 0) return false;
    state = dfa.next[static_cast<std::size_t>(state)][symbol];
    if (state < 0) return false;
  }
  return dfa.accepting[static_cast<std::size_t>(state)];
}

TEST(DiagramEdit, TheEvenNumberOfOnesAcceptorFromAnEmptyProgram) {
  Lines text = {""};
  Diagram d = MakeDiagram(ParseProgram(MachineKind::Akz, text));
  const std::string one = NewStateName(d);
  EXPECT_EQ(one, "1");
  text = After(text, PlaceState(text, one, 160, 80));  // a double-click: the state and where it stands
  EXPECT_EQ(text, (Lines{"; Lage: 1 160,80", ""}));
  d = MakeDiagram(ParseProgram(MachineKind::Akz, text));
  Place(d, ReadPlaces(text));
  ASSERT_EQ(d.nodes.size(), 2u);  // drawn before it has a line
  EXPECT_EQ(NewStateName(d), "2");
  text = After(text, AddTransition(MachineKind::Akz, text, "A", "1", "1"));
  text = After(text, AddTransition(MachineKind::Akz, text, "1", "A", "1"));
  text = After(text, AddTransition(MachineKind::Akz, text, "A", "A", "0"));
  text = After(text, AddTransition(MachineKind::Akz, text, "1", "1", "0"));
  text = After(text, SetEndState(MachineKind::Akz, text, "A", true));
  // Each state's lines together, the declaration before them, the place last.
  EXPECT_EQ(text, (Lines{"e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", "; Lage: 1 160,80", ""}));
  for (const char* word : {"", "0", "11", "0110", "1001"}) EXPECT_TRUE(Accepts(text, word)) << word;
  for (const char* word : {"1", "01", "111", "1011"}) EXPECT_FALSE(Accepts(text, word)) << word;
  // A second end-state declaration joins the line; undeclared, the line goes when it names none.
  text = After(text, SetEndState(MachineKind::Akz, text, "1", true));
  EXPECT_EQ(text[0], "e: A 1");
  text = After(text, SetEndState(MachineKind::Akz, text, "A", false));
  text = After(text, SetEndState(MachineKind::Akz, text, "1", false));
  EXPECT_EQ(text[0], "A 1 -> 1");
  EXPECT_EQ(SetEndState(MachineKind::Akz, text, "E", false).fault, "E ist immer ein Endzustand.");
}

TEST(DiagramEdit, EachKindsLabelBecomesItsLineAfterTheLastLineOfItsState) {
  struct Case {
    MachineKind kind;
    const char* label;
    const char* line;
  };
  for (const Case& c :
       {Case{MachineKind::DEA, "s / w", "1 s -> w 2"}, Case{MachineKind::DEA, "s/w", "1 s -> w 2"},
        Case{MachineKind::Akz, "0", "1 0 -> 2"}, Case{MachineKind::NEA, "ε", "1 ε -> 2"},
        Case{MachineKind::KA, "( , # / push (", "1 ( # -> push ( 2"},
        Case{MachineKind::KA, "),(/pop", "1 ) ( -> pop 2"}, Case{MachineKind::TM, "1 / 1 R", "1 1 -> 1 R 2"}}) {
    SCOPED_TRACE(c.label);
    const Lines example = SplitLines(ExampleText(c.kind));
    const Program before = ParseProgram(c.kind, ExampleLines(c.kind));
    const LinesEdit edit = AddTransition(c.kind, example, "1", "2", c.label);
    ASSERT_TRUE(edit.Ok()) << edit.fault;
    EXPECT_EQ(edit.count, 0);  // one line inserted, nothing else touched
    ASSERT_EQ(edit.lines, Lines{c.line});
    Lines edited;
    for (const std::string& line : Applied(example, edit)) edited.push_back(ProgramLineToMachine(line));
    const Program after = ParseProgram(c.kind, edited);
    ASSERT_TRUE(after.Ok());
    EXPECT_EQ(after.Written().size(), before.Written().size() + 1);
    // Its place: right after the last line of state 1, or after the last transition.
    const std::vector<int> lines = TransitionLines(Applied(example, edit));
    int last = -1;
    for (std::size_t i = 0; i < before.Written().size(); ++i)
      if (before.Written()[i].from == 1) last = TransitionLines(example)[i];
    EXPECT_EQ(edit.first, last >= 0 ? last + 1 : TransitionLines(example).back() + 1);
  }
  // A label not in the kind's form, and one the parser refuses, change nothing.
  const Lines tm = SplitLines(ExampleText(MachineKind::TM));
  EXPECT_EQ(AddTransition(MachineKind::TM, tm, "1", "2", "1 / 1").fault,
            "Die Beschriftung hat nicht die Form „1 / 1 R“.");
  EXPECT_EQ(AddTransition(MachineKind::TM, tm, "1", "2", "1 / 1 X").fault,
            "Fehler: ungültige Kopfbewegung in Befehl 6");  // the sixth transition, after 1's lines
  EXPECT_EQ(AddTransition(MachineKind::NEA, SplitLines(ExampleText(MachineKind::NEA)), "1", "12", "0").fault,
            "Fehler: Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt. in Befehl 6");
}

TEST(DiagramEdit, ALineEditedKeepsItsCommentAndRemovedLinesTakeNothingElse) {
  const Lines tm = SplitLines(ExampleText(MachineKind::TM));
  // "A # -> * R E    ; 0 + x" is the third transition.
  LinesEdit edit = EditTransition(MachineKind::TM, tm, 2, "# / 1 R");
  ASSERT_TRUE(edit.Ok()) << edit.fault;
  EXPECT_EQ(edit.count, 1);
  EXPECT_EQ(edit.lines, Lines{"A # -> 1 R E    ; 0 + x"});
  edit = RemoveTransition(MachineKind::TM, tm, 2);
  ASSERT_TRUE(edit.Ok());
  EXPECT_EQ(Applied(tm, edit).size(), tm.size() - 1);
  EXPECT_EQ(ParseProgram(MachineKind::TM, Applied(tm, edit)).Written().size(),
            ParseProgram(MachineKind::TM, tm).Written().size() - 1);
  EXPECT_FALSE(EditTransition(MachineKind::TM, tm, 99, "1 / 1 R").Ok());
}

TEST(DiagramEdit, AStateRemovedTakesItsLinesItsDeclarationAndItsPlace) {
  Lines text = {"; ein Akzeptor", "e: 1 2",   "a 1 -> 1", "; Mitte",
                "1 0 -> 2",       "2 1 -> a", "a 0 -> a", "; Lage: A 10,10 2 90,10"};
  const LinesEdit edit = RemoveState(MachineKind::Akz, text, "2");
  ASSERT_TRUE(edit.Ok()) << edit.fault;
  EXPECT_EQ(Applied(text, edit),
            (Lines{"; ein Akzeptor", "e: 1", "a 1 -> 1", "; Mitte", "a 0 -> a", "; Lage: A 10,10"}));
  EXPECT_EQ(edit.first, 1);  // one run of lines, from the first changed to the last
  EXPECT_EQ(edit.count, 7);
  EXPECT_EQ(RemoveState(MachineKind::Akz, text, "A").fault, "A ist der Anfangszustand und bleibt.");
  // A program with a fault is not edited in its diagram.
  text.push_back("x");
  EXPECT_EQ(RemoveState(MachineKind::Akz, text, "2").fault.rfind("Das Programm hat einen Fehler (Fehler: ", 0), 0u);
}

TEST(DiagramEdit, PlacesAreUpdatedInPlaceAndNewStatesNumberedWithinTheKind) {
  Lines text = {"a 1 -> 1", "; Lage: A 10,20 1 30,40", "; Ende"};
  LinesEdit edit = PlaceState(text, "1", 55, 66.4);
  EXPECT_EQ(edit.first, 1);
  EXPECT_EQ(edit.count, 1);
  EXPECT_EQ(edit.lines, Lines{"; Lage: A 10,20 1 55,66"});
  edit = PlaceState(text, "e", 1, 2);
  EXPECT_EQ(edit.lines, Lines{"; Lage: A 10,20 1 30,40 E 1,2"});
  Lines nea;
  for (int s = 1; s <= 9; ++s) nea.push_back("a 0 -> " + std::to_string(s));
  EXPECT_EQ(NewStateName(MakeDiagram(ParseProgram(MachineKind::NEA, nea))), "");
  nea.pop_back();
  EXPECT_EQ(NewStateName(MakeDiagram(ParseProgram(MachineKind::NEA, nea))), "9");
}

// In the editor: one replacement, and lines removed leave no empty line behind.
TEST(DiagramEdit, EditsReachTheViewAsOneReplacementOfItsLines) {
  PlainView view;
  view.SetProgramText("; Kopf\na 1 -> 1\n1 1 -> a\n; Lage: A 10,10 1 50,10\n");
  const Lines lines = ProgramLinesOf(view);
  ASSERT_EQ(lines.size(), 5u);  // the editor's last, empty line too
  ApplyToView(view, RemoveState(MachineKind::Akz, lines, "1"));
  EXPECT_EQ(view.ProgramText(), "; Kopf\n; Lage: A 10,10\n");
  ApplyToView(view, AddTransition(MachineKind::Akz, ProgramLinesOf(view), "A", "A", "0"));
  EXPECT_EQ(view.ProgramText(), "; Kopf\nA 0 -> A\n; Lage: A 10,10\n");
  ApplyToView(view, RemoveTransition(MachineKind::Akz, ProgramLinesOf(view), 0));
  EXPECT_EQ(view.ProgramText(), "; Kopf\n; Lage: A 10,10\n");
  ApplyToView(view, AddTransition(MachineKind::Akz, ProgramLinesOf(view), "A", "A", "0 0"));  // refused: nothing
  EXPECT_EQ(view.ProgramText(), "; Kopf\n; Lage: A 10,10\n");
}

}  // namespace
}  // namespace automaten
