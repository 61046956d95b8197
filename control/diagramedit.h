// Edits of a program made in its state diagram. Each one is a single
// replacement of a run of the program's lines, which a front end applies as
// one edit of its text (one step of its undo): the text stays the program's
// one source. Lines between the changed ones are kept as they are, and so
// are comments. Lines and labels are UTF-8, as the program text has them;
// names are the diagram's (A, E, F or the number), labels in its form.
#pragma once

#include <string>
#include <vector>

#include "engine/diagram.h"
#include "engine/types.h"

namespace automaten {

class View;

struct LinesEdit {
  int first = 0, count = 0;        // the lines replaced
  std::vector<std::string> lines;  // and what replaces them
  std::string fault;               // UTF-8: why nothing can be done; empty when the edit stands
  bool Ok() const { return fault.empty(); }
};

// The lines after the edit.
std::vector<std::string> Applied(const std::vector<std::string>& lines, const LinesEdit& edit);
// The view's program as the edits take it: its lines as the editor has them.
std::vector<std::string> ProgramLinesOf(const View& view);
// The edit made in the view's program, as one replacement of its lines.
void ApplyToView(View& view, const LinesEdit& edit);

// The name of the state a new one gets: the next number no state of the
// diagram has (NEA: among 1 ... 9); empty when the kind has none free.
std::string NewStateName(const Diagram& d);
// A state put at (x, y) of the drawing, a new one or one dragged there: its
// entry in the line "; Lage:", updated in place or added as the last line.
LinesEdit PlaceState(const std::vector<std::string>& lines, const std::string& name, double x, double y);
// Several at once, as when the picture is first pinned as it stands.
LinesEdit PlaceStates(const std::vector<std::string>& lines, const std::vector<StatePlace>& places);
// The state declared an end state, or no longer one.
LinesEdit SetEndState(MachineKind kind, const std::vector<std::string>& lines, const std::string& name, bool end);
// A transition from one state to another (or the same) with the label in the
// kind's form ("0", "s / w", "( , # / push (", "1 / 1 R"), as a new line after
// the last line of its state (or after the last transition); checked by the
// parser, whose fault is the edit's.
LinesEdit AddTransition(MachineKind kind, const std::vector<std::string>& lines, const std::string& from,
                        const std::string& to, const std::string& label);
// The transition `written` (its index in Program::Written()) with a new
// label, its comment kept.
LinesEdit EditTransition(MachineKind kind, const std::vector<std::string>& lines, std::size_t written,
                         const std::string& label);
LinesEdit RemoveTransition(MachineKind kind, const std::vector<std::string>& lines, std::size_t written);
// The state with every line from or to it, its end-state declaration and its place.
LinesEdit RemoveState(MachineKind kind, const std::vector<std::string>& lines, const std::string& name);
// How a label of the kind looks, for the editor's hint: "s / w".
std::string LabelForm(MachineKind kind);

}  // namespace automaten
