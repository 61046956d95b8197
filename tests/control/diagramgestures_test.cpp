// The gestures of editing in the diagram, as every front end has them: keys
// and clicks give edits of the text and the sentences a screen reader says.
#include "control/diagramgestures.h"

#include <gtest/gtest.h>

#include "control/plainview.h"
#include "engine/parser.h"

namespace automaten {
namespace {

using Lines = std::vector<std::string>;

// A front end without a screen: it draws each placed state where its place
// says, moved by (10, 5) as Graphviz moves a pinned picture, and the others
// in a row below.
class Editing : public ::testing::Test {
 protected:
  void Start(MachineKind kind, const std::string& text) {
    view_.SetProgramText(text);
    kind_ = kind;
    Redraw();
  }

  void Redraw() {
    const Lines lines = ProgramLinesOf(view_);
    Diagram d = MakeDiagram(ParseProgram(kind_, lines));
    Place(d, ReadPlaces(lines));
    std::vector<DiagramPoint> centres;
    for (std::size_t i = 0; i < d.nodes.size(); ++i)
      centres.push_back(d.nodes[i].placed ? DiagramPoint{d.nodes[i].x + 10, d.nodes[i].y + 5}
                                          : DiagramPoint{100.0 * static_cast<double>(i), 300});
    gestures_.Drawn(d, centres);
  }

  // What the front end does with an answer; returns the sentence said.
  std::string Do(const GestureAnswer& answer) {
    if (answer.edit) {
      ApplyToView(view_, *answer.edit);
      Redraw();
    }
    return answer.said;
  }
  std::string Press(GestureKey key) { return Do(gestures_.Press(key)); }

  long long NodeNamed(const std::string& name) const {
    const Diagram& d = gestures_.Shown();
    for (std::size_t i = 0; i < d.nodes.size(); ++i)
      if (d.nodes[i].name == name) return static_cast<long long>(i);
    return -1;
  }
  std::string Chosen() const {
    const long long n = gestures_.ChosenNode();
    return n < 0 ? "" : gestures_.Shown().nodes[static_cast<std::size_t>(n)].name;
  }

  PlainView view_;
  MachineKind kind_ = MachineKind::Akz;
  DiagramGestures gestures_{view_};
};

TEST_F(Editing, TheEvenOnesAcceptorByKeysAloneWithEachStepSaid) {
  Start(MachineKind::Akz, "");
  EXPECT_EQ(Press(GestureKey::NewState), "Zustand 1 hinzugefügt.");
  EXPECT_EQ(Chosen(), "1");  // the new state stays chosen across the new drawing
  // A's loop: choose A, connect, choose it again as the target, the label.
  EXPECT_EQ(Press(GestureKey::PreviousState), "Zustand A gewählt.");
  EXPECT_EQ(Press(GestureKey::Connect), "Übergang von A: Ziel mit Tab oder den Pfeiltasten wählen, dann Eingabe.");
  EXPECT_EQ(Press(GestureKey::NextState), "Zustand 1 als Ziel gewählt.");
  const GestureAnswer ask = gestures_.Press(GestureKey::Edit);
  ASSERT_TRUE(ask.openLabel);
  EXPECT_EQ(ask.said, "Übergang von A nach 1: Beschriftung wie 0 eingeben.");
  ASSERT_TRUE(ask.labelAt);  // between the two states
  // A stood at (0, 300), 1 was put right of it; both are pinned since.
  EXPECT_DOUBLE_EQ(ask.labelAt->x, (10 + 100) / 2.0);
  EXPECT_DOUBLE_EQ(ask.labelAt->y, 305);
  // A label the kind does not read keeps the editor open with the parser's fault.
  const GestureAnswer wrong = gestures_.CommitLabel("1 / 1");
  EXPECT_TRUE(wrong.labelFault);
  EXPECT_FALSE(wrong.edit);
  EXPECT_FALSE(wrong.said.empty());
  EXPECT_TRUE(gestures_.LabelOpen());
  EXPECT_EQ(Do(gestures_.CommitLabel(" 1 ")), "Übergang von A nach 1 mit 1 hinzugefügt.");
  EXPECT_FALSE(gestures_.LabelOpen());

  const auto connect = [&](const std::string& from, const std::string& to, const std::string& label) {
    Do(gestures_.ChooseNode(NodeNamed(from)));
    Press(GestureKey::Connect);
    Do(gestures_.ChooseNode(NodeNamed(to)));
    ASSERT_TRUE(gestures_.Press(GestureKey::Edit).openLabel);
    Do(gestures_.CommitLabel(label));
  };
  connect("1", "A", "1");
  connect("A", "A", "0");
  connect("1", "1", "0");
  Do(gestures_.ChooseNode(NodeNamed("A")));
  EXPECT_EQ(Press(GestureKey::EndState), "Zustand A ist ein Endzustand.");
  EXPECT_EQ(Press(GestureKey::NextState), "Zustand 1 gewählt.");
  EXPECT_EQ(Press(GestureKey::NextState), "Zustand A, Endzustand, gewählt.");  // round again
  EXPECT_EQ(ProgramLinesOf(view_),
            (Lines{"e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", "; Lage: A 0,300 1 90,300", ""}));
}

TEST_F(Editing, PlacesAreTheDrawingsLessItsShiftAndAClickIsNoDrag) {
  Start(MachineKind::DEA, "A 0 -> 1 1\n1 1 -> 0 E\n; Lage: A 40,120");
  const long long one = NodeNamed("1");
  ASSERT_GE(one, 0);
  EXPECT_FALSE(gestures_.Dragged(static_cast<std::size_t>(one), {1, 2}).edit);
  // State 1 stands at (100, 300) of the drawing; the placed A tells that the
  // drawing is the places moved by (10, 5).
  EXPECT_EQ(Do(gestures_.Dragged(static_cast<std::size_t>(one), {20, -40})), "Zustand 1 verschoben.");
  EXPECT_EQ(ProgramLinesOf(view_).back(), "; Lage: A 40,120 1 110,255");
  Do(gestures_.ChooseNode(NodeNamed("1")));
  Press(GestureKey::MoveRight);
  EXPECT_EQ(ProgramLinesOf(view_).back(), "; Lage: A 40,120 1 130,255");
  // A double-click on empty space adds the next number where it was.
  EXPECT_EQ(Do(gestures_.DoubleClick({210, 105}, -1, {-1, -1})), "Zustand 2 hinzugefügt.");
  EXPECT_EQ(ProgramLinesOf(view_).back(), "; Lage: A 40,120 1 130,255 2 200,100");
  EXPECT_EQ(ProgramLinesOf(view_).front(), "A 0 -> 1 1");
}

TEST_F(Editing, LinesAreChosenEditedAndRemovedByTheirPlaceInTheText) {
  Start(MachineKind::DEA, "; zwei Zeilen\nA 0 -> 0 A\nA 1 -> 1 E ; weiter\nA 2 -> 2 A");
  EXPECT_EQ(Press(GestureKey::NextLine), "Übergang von A nach A: 0 / 0 gewählt.");
  EXPECT_EQ(Press(GestureKey::NextLine), "Übergang von A nach A: 2 / 2 gewählt.");
  EXPECT_EQ(Press(GestureKey::NextLine), "Übergang von A nach E: 1 / 1 gewählt.");
  const GestureAnswer ask = gestures_.Press(GestureKey::Edit);
  ASSERT_TRUE(ask.openLabel);
  EXPECT_FALSE(ask.labelAt);  // over the chosen line
  EXPECT_EQ(ask.labelText, "1 / 1");
  EXPECT_EQ(Do(gestures_.CommitLabel("1 / 0")), "Beschriftung geändert: 1 / 0.");
  EXPECT_EQ(ProgramLinesOf(view_)[2], "A 1 -> 0 E ; weiter");
  // The line stays chosen by nothing after the new drawing; chosen again, it goes alone.
  EXPECT_EQ(gestures_.ChosenLine(), (DiagramLineRef{-1, -1}));
  Press(GestureKey::NextLine);
  EXPECT_EQ(Press(GestureKey::Remove), "Übergang 0 / 0 gelöscht.");
  EXPECT_EQ(ProgramLinesOf(view_), (Lines{"; zwei Zeilen", "A 1 -> 0 E ; weiter", "A 2 -> 2 A"}));
}

TEST_F(Editing, RemovingAndTheKindsLimits) {
  Start(MachineKind::NEA, "A 0 -> 1\n1 0 -> E\ne: E");
  Do(gestures_.ChooseNode(NodeNamed("1")));
  EXPECT_EQ(Press(GestureKey::Remove), "Zustand 1 gelöscht.");
  EXPECT_EQ(ProgramLinesOf(view_), (Lines{"e: E"}));
  EXPECT_EQ(Chosen(), "");
  // The NEA has the numbers 1 ... 9 and no more.
  Start(MachineKind::NEA, "A 0 -> 1\nA 0 -> 2\nA 0 -> 3\nA 0 -> 4\nA 0 -> 5\nA 0 -> 6\nA 0 -> 7\nA 0 -> 8\nA 0 -> 9");
  const GestureAnswer full = gestures_.Press(GestureKey::NewState);
  EXPECT_FALSE(full.edit);
  EXPECT_EQ(full.said, "Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt.");
  // Escape ends a connection begun: the next state chosen is only chosen.
  Do(gestures_.ChooseNode(NodeNamed("A")));
  Press(GestureKey::Connect);
  Press(GestureKey::Cancel);
  EXPECT_EQ(Do(gestures_.ChooseNode(NodeNamed("2"))), "Zustand 2 gewählt.");
  EXPECT_FALSE(gestures_.Press(GestureKey::Edit).openLabel);
}

}  // namespace
}  // namespace automaten
