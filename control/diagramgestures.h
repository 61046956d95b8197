// Editing a program in its state diagram, the same in every front end: what
// is chosen, what a key or a click does, and the sentence under the diagram
// that says what was done, for the eye and for a screen reader. A front end
// says where it drew the states and what the user did; it applies the edit
// it is given as one edit of its text (one step of its undo) and opens its
// label editor when asked to.
//
// The gestures: a double-click on empty space adds a state, a drag moves
// one, a drag from a state to a state (or to itself) adds a transition, a
// double-click on a label line edits it. The keys: the next and previous
// state, the next and previous label line, a new state, connect the chosen
// state to the one chosen next, end state, edit, remove, move by a step.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control/diagramedit.h"
#include "engine/diagram.h"

namespace automaten {

class View;

// A point of the drawing, in the units of the line "; Lage:", y downwards.
struct DiagramPoint {
  double x = 0, y = 0;
};

// A label line of the diagram: (edge, line of its label); -1 for none.
using DiagramLineRef = std::pair<long long, long long>;

// What the front end does after a gesture.
struct GestureAnswer {
  std::optional<LinesEdit> edit;  // an edit that stands, to apply to the text
  // Open the label editor with this text: where `labelAt` says, or without
  // it over the chosen label line.
  bool openLabel = false;
  std::string labelText;
  std::optional<DiagramPoint> labelAt;
  bool labelFault = false;  // the label editor stays open showing `said`, the parser's fault
  std::string said;         // the line under the diagram; empty: it stays as it is
};

enum class GestureKey {
  NextState,
  PreviousState,
  NextLine,
  PreviousLine,
  NewState,
  Connect,
  EndState,
  Edit,
  Remove,
  Cancel,
  MoveLeft,
  MoveRight,
  MoveUp,
  MoveDown,
};

class DiagramGestures {
 public:
  // The line under the diagram when editing begins.
  static const char kModeHint[];
  // A state moved by a key moves this far.
  static constexpr double kKeyStep = 20;

  explicit DiagramGestures(const View& view) : view_(view) {}

  // Editing begins or ends: nothing chosen, nothing pending.
  void Restart();
  // A new drawing, with the centre of each state's node. The state chosen
  // before stays chosen by its name.
  void Drawn(const Diagram& shown, std::vector<DiagramPoint> centres);
  const Diagram& Shown() const { return shown_; }

  long long ChosenNode() const { return node_; }
  DiagramLineRef ChosenLine() const { return line_; }
  bool LabelOpen() const { return target_.has_value(); }

  // A click on a state or a label line (-1: on nothing).
  GestureAnswer ChooseNode(long long node);
  GestureAnswer ChooseLine(DiagramLineRef line);
  GestureAnswer Press(GestureKey key);
  // On a label line it edits the line, on empty space it adds a state there.
  GestureAnswer DoubleClick(DiagramPoint at, long long node, DiagramLineRef line);
  GestureAnswer Dragged(std::size_t node, DiagramPoint by);   // a state moved
  GestureAnswer Connected(std::size_t from, std::size_t to);  // asks for the label
  GestureAnswer ConnectFrom(std::size_t node);                // the next state chosen is the target
  GestureAnswer EditLine(DiagramLineRef line, DiagramPoint at);
  GestureAnswer ToggleEnd(std::size_t node);
  GestureAnswer AddStateAt(DiagramPoint at);
  GestureAnswer Remove();  // the chosen line, or the chosen state with its lines
  // The label editor's text, taken: the edit, or the fault with the editor left open.
  GestureAnswer CommitLabel(const std::string& label);
  void CloseLabel() { target_.reset(); }
  // The label editor's hint inside its empty field: "z. B. s / w".
  std::string LabelPlaceholder() const;

  // The transition of a label line, by its index in the program as written.
  std::optional<std::size_t> Written(DiagramLineRef line) const;

 private:
  struct Target {
    bool edit = false;
    std::string from, to;     // a new transition
    std::size_t written = 0;  // an edited one
  };

  std::string NodeName(std::size_t node) const;
  DiagramPoint Centre(std::size_t node) const;
  DiagramPoint Free() const;  // a place for a new state right of the others
  // The places to write for a state put at `centre`.
  std::vector<StatePlace> PlacesWith(const std::string& name, DiagramPoint centre) const;
  GestureAnswer Step(int by);
  GestureAnswer LineStep(int by);
  GestureAnswer MoveTo(std::size_t node, DiagramPoint centre);
  GestureAnswer Ask(const Target& target, std::optional<DiagramPoint> at, std::string text);
  static GestureAnswer Did(const LinesEdit& edit, std::string said);
  static GestureAnswer Said(std::string said);

  const View& view_;
  Diagram shown_;
  std::vector<DiagramPoint> centres_;
  std::optional<Target> target_;
  long long node_ = -1;
  DiagramLineRef line_{-1, -1};
  std::string chosenName_;      // kept across drawings
  long long connectFrom_ = -1;  // the next state chosen is a new transition's target
};

}  // namespace automaten
