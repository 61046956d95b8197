// What the state diagram shows and marks. While the machine runs a program,
// the diagram is that program (the last reset's parse); while the user types,
// the text's own silent parse; a fault keeps the last diagram, greyed, with
// the fault under it. The mark is where the run stands. The window, and
// later the web page, only draw what the follower says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/diagram.h"

namespace automaten {

class Simulation;
class View;

// What the diagram is to show after an event.
struct DiagramUpdate {
  enum class Change {
    None,      // the same as before: only the mark may have moved
    Diagram,   // draw `diagram`, with `note` under it when there is one
    TooLarge,  // draw nothing, `note` says why
    Fault,     // grey the last diagram and show `note`
  };
  Change change = Change::None;
  Diagram diagram;
  std::string note;  // UTF-8
};

class DiagramFollower {
 public:
  // The program text is read from the view, only when a parse needs it.
  DiagramFollower(const Simulation& sim, const View& view) : sim_(sim), view_(view) {}

  // The pane was opened: the text as it stands, under the kind chosen now.
  DiagramUpdate Opened();
  // The user paused typing: the text parsed silently under the current kind.
  DiagramUpdate TextChanged();
  // The simulation showed the machine anew: a new reset's program, or nothing new.
  DiagramUpdate MachineShown();
  // Where the run stands in the diagram drawn (an empty mark when it does
  // not stand anywhere: "unbestimmt", a fault, no reset yet).
  DiagramMark Mark(const Diagram& drawn) const;

 private:
  // `lines` the program text when at hand; a fault note reads it from the view otherwise.
  DiagramUpdate Show(const Program& program, const std::vector<std::string>* lines) const;

  const Simulation& sim_;
  const View& view_;
  std::uint64_t shownParse_ = ~0ull;  // the reset's parse the diagram shows
  bool fromText_ = false;             // drawn from the text since, so the next transition may not match it
};

// The note of a fault under the greyed diagram: the message and its line.
std::string DiagramFaultNote(const Program& program, const std::vector<std::string>& lines);
// The note in place of a diagram too large to lay out.
std::string DiagramTooLargeNote(const Diagram& d);
// How long Graphviz may take before the states are drawn on a circle meanwhile,
// and the note above the diagram's own note then.
constexpr int kLayoutBudgetMs = 2000;
extern const char kLayoutSlowNote[];
// The note, as a fault, when Graphviz cannot lay the diagram out.
std::string LayoutFailedNote(const std::string& error);

}  // namespace automaten
