#include "diagramgestures.h"

#include <algorithm>
#include <cmath>

#include "engine/text.h"

namespace automaten {

const char DiagramGestures::kModeHint[] =
    "Bearbeiten: Doppelklick auf eine freie Stelle legt einen Zustand an, Ziehen verschiebt ihn, "
    "Umschalt+Ziehen zu einem Zustand legt einen Übergang an, Doppelklick auf eine Beschriftung ändert sie, "
    "Entf löscht. Tasten: Tab wählt, N neuer Zustand, C verbinden, E Endzustand, F2 ändern.";

namespace {

std::string ConnectHint(const std::string& from) {
  return "Übergang von " + from + ": Ziel mit Tab oder den Pfeiltasten wählen, dann Eingabe.";
}

DiagramPoint Middle(DiagramPoint a, DiagramPoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

}  // namespace

void DiagramGestures::Restart() {
  target_.reset();
  connectFrom_ = -1;
  node_ = -1;
  line_ = {-1, -1};
  chosenName_.clear();
}

void DiagramGestures::Drawn(const Diagram& shown, std::vector<DiagramPoint> centres) {
  shown_ = shown;
  centres_ = std::move(centres);
  centres_.resize(shown_.nodes.size());
  node_ = -1;
  line_ = {-1, -1};
  if (connectFrom_ >= static_cast<long long>(shown_.nodes.size())) connectFrom_ = -1;
  for (std::size_t i = 0; i < shown_.nodes.size(); ++i)
    if (!chosenName_.empty() && shown_.nodes[i].name == chosenName_) node_ = static_cast<long long>(i);
}

std::string DiagramGestures::NodeName(std::size_t node) const {
  return node < shown_.nodes.size() ? shown_.nodes[node].name : std::string();
}

DiagramPoint DiagramGestures::Centre(std::size_t node) const {
  return node < centres_.size() ? centres_[node] : DiagramPoint();
}

DiagramPoint DiagramGestures::Free() const {
  std::optional<DiagramPoint> rightmost;
  for (std::size_t i = 0; i < shown_.nodes.size(); ++i)
    if (!rightmost || Centre(i).x > rightmost->x) rightmost = Centre(i);
  return rightmost ? DiagramPoint{rightmost->x + 90, rightmost->y} : DiagramPoint{90, 40};
}

std::optional<std::size_t> DiagramGestures::Written(DiagramLineRef line) const {
  if (line.first < 0 || static_cast<std::size_t>(line.first) >= shown_.edges.size()) return std::nullopt;
  const DiagramEdge& e = shown_.edges[static_cast<std::size_t>(line.first)];
  if (line.second < 0 || static_cast<std::size_t>(line.second) >= e.written.size()) return std::nullopt;
  return e.written[static_cast<std::size_t>(line.second)];
}

std::string DiagramGestures::LabelPlaceholder() const { return "z. B. " + LabelForm(shown_.kind); }

GestureAnswer DiagramGestures::Did(const LinesEdit& edit, std::string said) {
  GestureAnswer answer;
  if (!edit.Ok()) return Said(edit.fault);
  answer.edit = edit;
  answer.said = std::move(said);
  return answer;
}

GestureAnswer DiagramGestures::Said(std::string said) {
  GestureAnswer answer;
  answer.said = std::move(said);
  return answer;
}

// ---- What is chosen ----

GestureAnswer DiagramGestures::ChooseNode(long long node) {
  line_ = {-1, -1};
  node_ = node >= 0 && static_cast<std::size_t>(node) < shown_.nodes.size() ? node : -1;
  chosenName_ = node_ >= 0 ? NodeName(static_cast<std::size_t>(node_)) : std::string();
  if (node_ < 0) return {};
  const DiagramNode& n = shown_.nodes[static_cast<std::size_t>(node_)];
  return Said("Zustand " + n.name + (n.end ? ", Endzustand," : "") + (connectFrom_ >= 0 ? " als Ziel" : "") +
              " gewählt.");
}

GestureAnswer DiagramGestures::ChooseLine(DiagramLineRef line) {
  node_ = -1;
  chosenName_.clear();
  line_ = line;
  if (!Written(line)) {
    line_ = {-1, -1};
    return {};
  }
  const DiagramEdge& e = shown_.edges[static_cast<std::size_t>(line.first)];
  return Said("Übergang von " + NodeName(e.from) + " nach " + NodeName(e.to) + ": " +
              e.lines[static_cast<std::size_t>(line.second)] + " gewählt.");
}

GestureAnswer DiagramGestures::Step(int by) {
  const auto nodes = static_cast<long long>(shown_.nodes.size());
  if (nodes == 0) return {};
  const long long from = node_ < 0 ? (by > 0 ? -1 : 0) : node_;
  return ChooseNode((from + by + nodes) % nodes);
}

// The label lines, edge by edge, as one list.
GestureAnswer DiagramGestures::LineStep(int by) {
  std::vector<DiagramLineRef> lines;
  for (std::size_t e = 0; e < shown_.edges.size(); ++e)
    for (std::size_t l = 0; l < shown_.edges[e].lines.size(); ++l)
      lines.emplace_back(static_cast<long long>(e), static_cast<long long>(l));
  if (lines.empty()) return {};
  const auto at = std::find(lines.begin(), lines.end(), line_);
  const long long i = at == lines.end() ? (by > 0 ? -1 : 0) : at - lines.begin();
  const auto n = static_cast<long long>(lines.size());
  return ChooseLine(lines[static_cast<std::size_t>((i + by + n) % n)]);
}

GestureAnswer DiagramGestures::Press(GestureKey key) {
  const auto moveBy = [&](double dx, double dy) {
    if (node_ < 0) return GestureAnswer();
    const DiagramPoint c = Centre(static_cast<std::size_t>(node_));
    return MoveTo(static_cast<std::size_t>(node_), {c.x + dx, c.y + dy});
  };
  switch (key) {
    case GestureKey::NextState: return Step(1);
    case GestureKey::PreviousState: return Step(-1);
    case GestureKey::NextLine: return LineStep(1);
    case GestureKey::PreviousLine: return LineStep(-1);
    case GestureKey::NewState: return AddStateAt(Free());
    case GestureKey::Connect: return node_ >= 0 ? ConnectFrom(static_cast<std::size_t>(node_)) : GestureAnswer();
    case GestureKey::EndState: return node_ >= 0 ? ToggleEnd(static_cast<std::size_t>(node_)) : GestureAnswer();
    case GestureKey::Remove: return Remove();
    case GestureKey::Cancel: connectFrom_ = -1; return ChooseNode(-1);
    case GestureKey::Edit:
      if (connectFrom_ >= 0 && node_ >= 0) {
        const auto from = static_cast<std::size_t>(connectFrom_), to = static_cast<std::size_t>(node_);
        connectFrom_ = -1;
        return Connected(from, to);
      }
      if (const auto written = Written(line_))
        return Ask({true, "", "", *written}, std::nullopt,
                   shown_.edges[static_cast<std::size_t>(line_.first)].lines[static_cast<std::size_t>(line_.second)]);
      return {};
    case GestureKey::MoveLeft: return moveBy(-kKeyStep, 0);
    case GestureKey::MoveRight: return moveBy(kKeyStep, 0);
    case GestureKey::MoveUp: return moveBy(0, -kKeyStep);
    case GestureKey::MoveDown: return moveBy(0, kKeyStep);
  }
  return {};
}

GestureAnswer DiagramGestures::DoubleClick(DiagramPoint at, long long node, DiagramLineRef line) {
  if (line.first >= 0) return EditLine(line, at);
  if (node < 0) return AddStateAt(at);
  return {};
}

GestureAnswer DiagramGestures::ConnectFrom(std::size_t node) {
  if (node >= shown_.nodes.size()) return {};
  connectFrom_ = static_cast<long long>(node);
  return Said(ConnectHint(NodeName(node)));
}

GestureAnswer DiagramGestures::Connected(std::size_t from, std::size_t to) {
  if (from >= shown_.nodes.size() || to >= shown_.nodes.size()) return {};
  return Ask({false, NodeName(from), NodeName(to), 0}, Middle(Centre(from), Centre(to)), "");
}

GestureAnswer DiagramGestures::EditLine(DiagramLineRef line, DiagramPoint at) {
  ChooseLine(line);
  const auto written = Written(line);
  if (!written) return {};
  return Ask({true, "", "", *written}, at,
             shown_.edges[static_cast<std::size_t>(line.first)].lines[static_cast<std::size_t>(line.second)]);
}

GestureAnswer DiagramGestures::Ask(const Target& target, std::optional<DiagramPoint> at, std::string text) {
  target_ = target;
  GestureAnswer answer;
  answer.openLabel = true;
  answer.labelText = std::move(text);
  answer.labelAt = at;
  answer.said = target.edit ? "Beschriftung ändern, Eingabe übernimmt, Esc bricht ab."
                            : "Übergang von " + target.from + " nach " + target.to + ": Beschriftung wie " +
                                  LabelForm(shown_.kind) + " eingeben.";
  return answer;
}

// ---- The edits ----

// The places are the drawing's, shifted as a state already placed shows; the
// first state placed pins the whole picture as it stands.
std::vector<StatePlace> DiagramGestures::PlacesWith(const std::string& name, DiagramPoint centre) const {
  std::optional<DiagramPoint> shift;
  for (std::size_t i = 0; i < shown_.nodes.size() && !shift; ++i)
    if (shown_.nodes[i].placed) shift = DiagramPoint{Centre(i).x - shown_.nodes[i].x, Centre(i).y - shown_.nodes[i].y};
  std::vector<StatePlace> places;
  const auto place = [&](const std::string& state, DiagramPoint at) {
    const DiagramPoint by = shift.value_or(DiagramPoint());
    places.push_back({state, std::round(at.x - by.x), std::round(at.y - by.y)});
  };
  if (!shift)
    for (std::size_t i = 0; i < shown_.nodes.size(); ++i)
      if (shown_.nodes[i].name != name) place(shown_.nodes[i].name, Centre(i));
  place(name, centre);
  return places;
}

GestureAnswer DiagramGestures::MoveTo(std::size_t node, DiagramPoint centre) {
  if (node >= shown_.nodes.size()) return {};
  const std::string name = NodeName(node);
  return Did(PlaceStates(ProgramLinesOf(view_), PlacesWith(name, centre)), "Zustand " + name + " verschoben.");
}

GestureAnswer DiagramGestures::Dragged(std::size_t node, DiagramPoint by) {
  if (std::hypot(by.x, by.y) < 3) return {};  // a click, not a drag
  const DiagramPoint c = Centre(node);
  return MoveTo(node, {c.x + by.x, c.y + by.y});
}

// The new state is placed like a dragged one: until it has a line, only its place holds it.
GestureAnswer DiagramGestures::AddStateAt(DiagramPoint at) {
  const std::string name = NewStateName(shown_);
  if (name.empty()) return Said("Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt.");
  chosenName_ = name;
  return Did(PlaceStates(ProgramLinesOf(view_), PlacesWith(name, at)), "Zustand " + name + " hinzugefügt.");
}

GestureAnswer DiagramGestures::ToggleEnd(std::size_t node) {
  if (node >= shown_.nodes.size()) return {};
  const bool end = !shown_.nodes[node].end;
  const std::string& name = shown_.nodes[node].name;
  return Did(SetEndState(shown_.kind, ProgramLinesOf(view_), name, end),
             end ? "Zustand " + name + " ist ein Endzustand." : "Zustand " + name + " ist kein Endzustand mehr.");
}

GestureAnswer DiagramGestures::Remove() {
  if (const auto written = Written(line_)) {
    const std::string label =
        shown_.edges[static_cast<std::size_t>(line_.first)].lines[static_cast<std::size_t>(line_.second)];
    line_ = {-1, -1};
    return Did(RemoveTransition(shown_.kind, ProgramLinesOf(view_), *written), "Übergang " + label + " gelöscht.");
  }
  if (node_ >= 0) {
    const std::string name = NodeName(static_cast<std::size_t>(node_));
    chosenName_.clear();
    return Did(RemoveState(shown_.kind, ProgramLinesOf(view_), name), "Zustand " + name + " gelöscht.");
  }
  return {};
}

GestureAnswer DiagramGestures::CommitLabel(const std::string& typed) {
  if (!target_) return {};
  const std::string label = Trim(typed);
  const std::vector<std::string> lines = ProgramLinesOf(view_);
  const LinesEdit edit = target_->edit ? EditTransition(shown_.kind, lines, target_->written, label)
                                       : AddTransition(shown_.kind, lines, target_->from, target_->to, label);
  if (!edit.Ok()) {  // the fault in place; the editor stays
    GestureAnswer answer = Said(edit.fault);
    answer.labelFault = true;
    return answer;
  }
  const Target target = *target_;
  target_.reset();
  return Did(edit, target.edit
                       ? "Beschriftung geändert: " + label + "."
                       : "Übergang von " + target.from + " nach " + target.to + " mit " + label + " hinzugefügt.");
}

}  // namespace automaten
