#include "diagram.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "engine/encoding.h"
#include "engine/nea.h"
#include "engine/parser.h"
#include "engine/text.h"

namespace automaten {

namespace {

std::string Cell(char c) { return Cp1252ToUtf8(std::string(1, c)); }

// A text inside double quotes in Graphviz's language.
std::string Quoted(const std::string& text) {
  std::string q = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

std::string Upper(std::string name) {
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

// A coordinate as written: whole units of the drawing.
std::string Number(double v) { return Decimal(static_cast<long long>(v < 0 ? v - 0.5 : v + 0.5)); }

// "-12" or "340": at most six digits, as a drawing's coordinates have.
bool WholeNumber(const std::string& text, double& value) {
  const std::size_t digits = text.size() - (text.empty() || text[0] != '-' ? 0 : 1);
  if (digits == 0 || digits > 6) return false;
  long v = 0;
  for (std::size_t i = text.size() - digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = static_cast<double>(text[0] == '-' ? -v : v);
  return true;
}

// Graphviz's pinned position in points, y growing upwards.
std::string Pinned(double x, double y) { return "pos=\"" + Number(x) + "," + Number(-y) + "!\""; }

// A transition and its way back between placed states keep apart: each leaves
// and enters on its own side (above or below, left or right of the line
// between them).
std::string Ports(const Diagram& d, const DiagramEdge& e) {
  const DiagramNode &from = d.nodes[e.from], &to = d.nodes[e.to];
  if (e.from == e.to || !from.placed || !to.placed) return "";
  bool back = false;
  for (const DiagramEdge& other : d.edges) back = back || (other.from == e.to && other.to == e.from);
  if (!back) return "";
  const double dx = to.x - from.x, dy = to.y - from.y;
  const char* side = std::abs(dx) >= std::abs(dy) ? (dx > 0 ? "n" : "s") : (dy > 0 ? "e" : "w");
  return std::string(", tailport=") + side + ", headport=" + side;
}

}  // namespace

std::string StateName(MachineKind kind, StateCode state) {
  if (state == kStateA) return "A";
  if (kind == MachineKind::NEA && state == kNeaE) return "E";
  if (kind == MachineKind::NEA && state == kNeaF) return "F";
  if (state == kStateE) return "E";
  if (state == kStateF) return "F";
  return Decimal(state);
}

std::string TransitionLabel(MachineKind kind, const Transition& t) {
  const std::string input = t.input == kEpsilon && kind == MachineKind::NEA ? "\xCE\xB5" : Cell(t.input);
  switch (kind) {
    case MachineKind::DEA: return input + " / " + Cell(t.OutputSymbol());
    case MachineKind::KA: {
      std::string op = t.Operation() == StackOp::Push  ? "push " + Cell(t.Pushed())
                       : t.Operation() == StackOp::Pop ? "pop"
                                                       : "nop";
      return input + " , " + Cell(t.RequiredTop()) + " / " + op;
    }
    case MachineKind::TM: return input + " / " + Cell(t.Written()) + " " + std::string(1, t.HeadMove());
    case MachineKind::Akz:
    case MachineKind::NEA: break;
  }
  return input;
}

long long Diagram::NodeOf(StateCode state) const {
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].state == state) return static_cast<long long>(i);
  return -1;
}

const char kPlacesPrefix[] = "; Lage:";

std::vector<StatePlace> ReadPlaces(const std::vector<std::string>& lines, int* line) {
  if (line != nullptr) *line = -1;
  const std::string prefix = kPlacesPrefix;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& text = lines[i];
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos || text.compare(start, prefix.size(), prefix) != 0) continue;
    if (line != nullptr) *line = static_cast<int>(i);
    std::vector<StatePlace> places;
    // Pairs of words: a state's name and "x,y".
    std::vector<std::string> words;
    for (std::size_t at = start + prefix.size(); at < text.size();) {
      const std::size_t from = text.find_first_not_of(" \t", at);
      if (from == std::string::npos) break;
      at = std::min(text.find_first_of(" \t", from), text.size());
      words.push_back(text.substr(from, at - from));
    }
    for (std::size_t w = 0; w + 1 < words.size(); w += 2) {
      StatePlace p;
      const std::string& at = words[w + 1];
      const std::size_t comma = at.find(',');
      if (comma == std::string::npos || !WholeNumber(at.substr(0, comma), p.x) ||
          !WholeNumber(at.substr(comma + 1), p.y))
        continue;
      p.name = Upper(words[w]);
      places.push_back(p);
    }
    return places;
  }
  return {};
}

std::string PlacesLine(const std::vector<StatePlace>& places) {
  std::string line = kPlacesPrefix;
  for (const StatePlace& p : places) line += " " + p.name + " " + Number(p.x) + "," + Number(p.y);
  return line;
}

void Place(Diagram& d, const std::vector<StatePlace>& places) {
  for (const StatePlace& p : places) {
    StateCode state = 0;
    if (!StateOfName(d.kind, p.name, state)) continue;
    long long at = d.NodeOf(state);
    if (at < 0) {  // placed before it has a line of its own: drawn all the same
      DiagramNode n;
      n.state = state;
      n.name = StateName(d.kind, state);
      n.initial = state == kStateA;
      n.error = state == (d.kind == MachineKind::NEA ? kNeaF : kStateF);
      d.nodes.push_back(n);
      at = static_cast<long long>(d.nodes.size()) - 1;
    }
    DiagramNode& n = d.nodes[static_cast<std::size_t>(at)];
    n.placed = true;
    n.x = p.x;
    n.y = p.y;
  }
}

Diagram MakeDiagram(const Program& program) {
  Diagram d;
  d.kind = program.kind;
  std::map<StateCode, std::size_t> index;
  const auto node = [&](StateCode s) {
    const auto [it, added] = index.emplace(s, d.nodes.size());
    if (added) {
      DiagramNode n;
      n.state = s;
      n.name = StateName(program.kind, s);
      n.initial = s == kStateA;
      n.error = s == (program.kind == MachineKind::NEA ? kNeaF : kStateF);
      n.end = program.kind == MachineKind::NEA ? NeaAccepting(program, s) : program.IsEndState(s);
      d.nodes.push_back(n);
    }
    return it->second;
  };
  node(kStateA);
  std::map<std::pair<std::size_t, std::size_t>, std::size_t> edges;
  const std::vector<Transition>& table = program.Written();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::size_t from = node(table[i].from), to = node(table[i].next);
    const auto [it, added] = edges.emplace(std::make_pair(from, to), d.edges.size());
    if (added) d.edges.push_back({from, to, {}, {}, {}});
    d.place.emplace_back(it->second, d.edges[it->second].lines.size());
    d.edges[it->second].lines.push_back(TransitionLabel(program.kind, table[i]));
    d.edges[it->second].written.push_back(i);
    d.edges[it->second].inputs.push_back(table[i].input);
  }
  // The declared end states; the E every program has is drawn when it is used.
  for (std::size_t i = 1; i < program.endStates.size(); ++i) node(program.endStates[i]);
  return d;
}

DiagramMark MarkPosition(const Diagram& d, const Configuration& c, int next, DiagramMark::Verdict verdict) {
  DiagramMark m;
  m.verdict = verdict;
  if (d.kind != MachineKind::NEA) {
    if (const long long n = d.NodeOf(c.state); n >= 0) m.nodes.push_back(static_cast<std::size_t>(n));
    if (next >= 0 && static_cast<std::size_t>(next) < d.place.size())
      m.lines.push_back(d.place[static_cast<std::size_t>(next)]);
    return m;
  }
  for (std::size_t i = 0; i < d.nodes.size(); ++i)
    if (c.set.Has(static_cast<int>(d.nodes[i].state))) m.nodes.push_back(i);
  // The lines written for the symbol read, from every state of the set.
  if (verdict == DiagramMark::Verdict::None && c.head <= c.tape.size()) {
    const char symbol = c.tape.At(c.head);
    for (const DiagramEdge& e : d.edges)
      if (c.set.Has(static_cast<int>(d.nodes[e.from].state)))
        for (std::size_t line = 0; line < e.lines.size(); ++line)
          if (e.inputs[line] == symbol) m.lines.emplace_back(&e - d.edges.data(), line);
  }
  return m;
}

std::string DiagramDot(const Diagram& d) {
  bool placed = false;
  for (const DiagramNode& n : d.nodes) placed = placed || n.placed;
  std::string dot =
      "digraph automat {\n  rankdir=LR;\n  charset=\"UTF-8\";\n"
      "  node [shape=circle, fontname=\"Liberation Sans\", fontsize=12];\n"
      "  edge [fontname=\"Liberation Mono\", fontsize=10];\n";
  // Straight lines: Graphviz's routed splines take seconds around 100 placed states.
  if (placed) dot += "  layout=neato;\n  inputscale=72;\n  splines=line;\n";
  dot += "  start [shape=point, width=0.05, label=\"\"";
  if (!d.nodes.empty() && d.nodes[0].placed) dot += ", " + Pinned(d.nodes[0].x - 45, d.nodes[0].y);
  dot += "];\n";
  for (std::size_t i = 0; i < d.nodes.size(); ++i) {
    const DiagramNode& n = d.nodes[i];
    dot += "  n" + Decimal(i) + " [label=" + Quoted(n.name) + (n.end ? ", shape=doublecircle" : "") +
           (n.placed ? ", " + Pinned(n.x, n.y) : "") + "];\n";
  }
  dot += "  start -> n0;\n";
  for (const DiagramEdge& e : d.edges) {
    std::string label;
    for (std::size_t i = 0; i < e.lines.size(); ++i) label += (i > 0 ? "\n" : "") + e.lines[i];
    dot += "  n" + Decimal(e.from) + " -> n" + Decimal(e.to) + " [label=" + Quoted(label) + Ports(d, e) + "];\n";
  }
  return dot + "}\n";
}

}  // namespace automaten
