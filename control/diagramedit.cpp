#include "diagramedit.h"

#include <algorithm>

#include "control/view.h"
#include "engine/encoding.h"
#include "engine/parser.h"
#include "engine/text.h"

namespace automaten {

namespace {

// The one run of lines in which `after` differs from `before`.
LinesEdit Between(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  LinesEdit edit;
  edit.first = static_cast<int>(head);
  edit.count = static_cast<int>(before.size() - head - tail);
  edit.lines.assign(after.begin() + static_cast<long>(head), after.end() - static_cast<long>(tail));
  return edit;
}

LinesEdit Refused(const std::string& why) {
  LinesEdit edit;
  edit.fault = why;
  return edit;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
    const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

// Where a new line goes when it belongs at the end: before the empty lines
// that close the text.
std::size_t EndOfText(const std::vector<std::string>& lines) {
  std::size_t end = lines.size();
  while (end > 0 && Trim(lines[end - 1]).empty()) --end;
  return end;
}

// Where the program's lines end: before those empty lines and the line of
// the states' places, when that is the last.
std::size_t EndOfProgram(const std::vector<std::string>& lines) {
  std::size_t end = EndOfText(lines);
  int places = -1;
  ReadPlaces(lines, &places);
  if (places >= 0 && static_cast<std::size_t>(places) + 1 == end) --end;
  return end;
}

bool IsDeclarationLine(const std::string& line) {
  const std::string t = PrepareLine(line);
  for (std::size_t i = 0; i + 1 < t.size(); ++i)
    if ((t[i] == 'E' || t[i] == 'e') && t[i + 1] == ':') return true;
  return false;
}

// The lines as the parser reads them.
std::vector<std::string> Machine(const std::vector<std::string>& utf8) {
  std::vector<std::string> lines;
  lines.reserve(utf8.size());
  for (const std::string& line : utf8) lines.push_back(ProgramLineToMachine(line));
  return lines;
}

// The current program, which an edit needs free of faults.
struct Current {
  Program program;
  std::vector<int> lineOf;  // of each written transition
  std::string fault;        // UTF-8
};

Current Read(MachineKind kind, const std::vector<std::string>& lines) {
  Current c;
  c.program = ParseProgram(kind, Machine(lines));
  if (!c.program.Ok())
    c.fault = "Das Programm hat einen Fehler (" + Cp1252ToUtf8(FaultMessage(c.program.faults.front())) +
              "); erst wenn er behoben ist, lässt es sich im Diagramm bearbeiten.";
  else
    c.lineOf = TransitionLines(lines);
  return c;
}

// The edit once the parser takes its result; else its fault.
LinesEdit Checked(MachineKind kind, const std::vector<std::string>& before, const std::vector<std::string>& after) {
  const Program p = ParseProgram(kind, Machine(after));
  if (!p.Ok()) return Refused(Cp1252ToUtf8(FaultMessage(p.faults.front())));
  return Between(before, after);
}

// A label in the kind's form as the fields of a line: before and after the arrow.
bool LabelFields(MachineKind kind, const std::string& label, std::string& in, std::string& out) {
  std::vector<std::string> words;
  for (const std::string& w : Words(label)) {
    // "s/w" as "s / w": a separator inside a longer word stands alone (a
    // byte of a UTF-8 sequence is never one).
    std::string piece;
    for (char c : w) {
      if ((c == '/' || c == ',') && w.size() > 1) {
        if (!piece.empty()) words.push_back(piece);
        words.emplace_back(1, c);
        piece.clear();
      } else {
        piece += c;
      }
    }
    if (!piece.empty()) words.push_back(piece);
  }
  const auto is = [&words](std::size_t i, const char* s) { return i < words.size() && words[i] == s; };
  switch (kind) {
    case MachineKind::Akz:
    case MachineKind::NEA:
      if (words.size() != 1) return false;
      in = words[0];
      return true;
    case MachineKind::DEA:
      if (words.size() != 3 || !is(1, "/")) return false;
      in = words[0];
      out = words[2];
      return true;
    case MachineKind::TM:
      if (words.size() != 4 || !is(1, "/")) return false;
      in = words[0];
      out = words[2] + " " + words[3];
      return true;
    case MachineKind::KA:
      if ((words.size() != 5 && words.size() != 6) || !is(1, ",") || !is(3, "/")) return false;
      in = words[0] + " " + words[2];
      out = words[4] + (words.size() == 6 ? " " + words[5] : "");
      return true;
  }
  return false;
}

std::string LabelFault(MachineKind kind) { return "Die Beschriftung hat nicht die Form „" + LabelForm(kind) + "“."; }

// The line of a transition: "from in -> out to".
std::string TransitionText(const std::string& from, const std::string& in, const std::string& out,
                           const std::string& to) {
  return from + " " + in + " -> " + (out.empty() ? "" : out + " ") + to;
}

bool Named(MachineKind kind, const std::string& name, StateCode& state) {
  return StateOfName(kind, ToMachineText(name), state);
}

// The part of a line from its comment on, with the blanks before it.
std::string CommentOf(const std::string& line) {
  const std::size_t semicolon = line.find(';');
  if (semicolon == std::string::npos) return "";
  std::size_t from = semicolon;
  while (from > 0 && (line[from - 1] == ' ' || line[from - 1] == '\t')) --from;
  return line.substr(from);
}

}  // namespace

std::vector<std::string> Applied(const std::vector<std::string>& lines, const LinesEdit& edit) {
  std::vector<std::string> out(lines.begin(), lines.begin() + edit.first);
  out.insert(out.end(), edit.lines.begin(), edit.lines.end());
  out.insert(out.end(), lines.begin() + edit.first + edit.count, lines.end());
  return out;
}

std::vector<std::string> ProgramLinesOf(const View& view) {
  const std::string text = view.ProgramText();
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
    lines.push_back(text.substr(from, end - from));
  lines.push_back(text.substr(from));
  return lines;
}

void ApplyToView(View& view, const LinesEdit& edit) {
  if (!edit.Ok() || (edit.count == 0 && edit.lines.empty())) return;
  const std::vector<std::string> lines = ProgramLinesOf(view);
  int first = edit.first, count = edit.count;
  std::vector<std::string> replacement = edit.lines;
  // Lines removed: still one replacement, which keeps a neighbour as it is.
  if (replacement.empty()) {
    if (static_cast<std::size_t>(first + count) < lines.size()) {
      replacement.push_back(lines[static_cast<std::size_t>(first + count)]);
      ++count;
    } else if (first > 0) {
      --first;
      replacement.push_back(lines[static_cast<std::size_t>(first)]);
      ++count;
    } else {
      replacement.emplace_back();
    }
  }
  std::string text;
  for (std::size_t i = 0; i < replacement.size(); ++i) text += (i > 0 ? "\n" : "") + replacement[i];
  view.ReplaceProgramLines(first, count, text);
}

std::string LabelForm(MachineKind kind) {
  switch (kind) {
    case MachineKind::DEA: return "s / w";
    case MachineKind::KA: return "( , # / push (";
    case MachineKind::TM: return "1 / 1 R";
    case MachineKind::Akz:
    case MachineKind::NEA: break;
  }
  return "0";
}

std::string NewStateName(const Diagram& d) {
  const StateCode last = d.kind == MachineKind::NEA ? 9 : kMaxStateNumber;
  for (StateCode s = 1; s <= last; ++s)
    if (d.NodeOf(s) < 0) return Decimal(s);
  return "";
}

LinesEdit PlaceState(const std::vector<std::string>& lines, const std::string& name, double x, double y) {
  return PlaceStates(lines, {{name, x, y}});
}

LinesEdit PlaceStates(const std::vector<std::string>& lines, const std::vector<StatePlace>& moved) {
  int at = -1;
  std::vector<StatePlace> places = ReadPlaces(lines, &at);
  for (StatePlace m : moved) {
    m.name = UpperCase(m.name);
    const auto it = std::find_if(places.begin(), places.end(), [&](const StatePlace& p) { return p.name == m.name; });
    if (it != places.end())
      *it = m;
    else
      places.push_back(m);
  }
  std::vector<std::string> after = lines;
  if (at >= 0)
    after[static_cast<std::size_t>(at)] = PlacesLine(places);
  else
    after.insert(after.begin() + static_cast<long>(EndOfText(lines)), PlacesLine(places));
  return Between(lines, after);
}

LinesEdit SetEndState(MachineKind kind, const std::vector<std::string>& lines, const std::string& name, bool end) {
  const Current c = Read(kind, lines);
  if (!c.fault.empty()) return Refused(c.fault);
  StateCode state = 0;
  if (!Named(kind, name, state)) return Refused("Keinen Zustand " + name + " gibt es hier.");
  if (state == kStateE || (kind == MachineKind::NEA && state == kNeaE))
    return end ? LinesEdit{} : Refused("E ist immer ein Endzustand.");
  std::vector<std::string> after;
  int firstDeclaration = -1;
  for (const std::string& line : lines) {
    const bool declaration = IsDeclarationLine(line);
    if (declaration && firstDeclaration < 0) firstDeclaration = static_cast<int>(after.size());
    if (!declaration || end) {
      after.push_back(line);
      continue;
    }
    // Its names without this state; the line goes when it names none.
    const std::string comment = CommentOf(line);
    const std::string body = line.substr(0, line.size() - comment.size());
    const std::size_t colon = body.find(':');
    std::string kept = body.substr(0, colon + 1);
    bool any = false;
    for (const std::string& w : Words(body.substr(colon + 1))) {
      StateCode s = 0;
      if (StateOfName(kind, w, s) && s == state) continue;
      kept += " " + w;
      any = true;
    }
    if (any || !comment.empty()) after.push_back(kept + comment);
  }
  if (end) {
    if (c.program.IsEndState(state)) return LinesEdit{};
    if (firstDeclaration >= 0) {
      std::string& line = after[static_cast<std::size_t>(firstDeclaration)];
      const std::string comment = CommentOf(line);
      std::string body = line.substr(0, line.size() - comment.size());
      while (!body.empty() && (body.back() == ' ' || body.back() == '\t')) body.pop_back();
      line = body + " " + name + comment;
    } else {
      const std::size_t before = c.lineOf.empty() ? EndOfProgram(lines) : static_cast<std::size_t>(c.lineOf.front());
      after.insert(after.begin() + static_cast<long>(before), "e: " + name);
    }
  }
  return Checked(kind, lines, after);
}

LinesEdit AddTransition(MachineKind kind, const std::vector<std::string>& lines, const std::string& from,
                        const std::string& to, const std::string& label) {
  const Current c = Read(kind, lines);
  if (!c.fault.empty()) return Refused(c.fault);
  std::string in, out;
  if (!LabelFields(kind, label, in, out)) return Refused(LabelFault(kind));
  StateCode state = 0;
  if (!Named(kind, from, state)) return Refused("Keinen Zustand " + from + " gibt es hier.");
  // After the last line of its state, else after the last transition, else at the end.
  std::size_t at = c.lineOf.empty() ? EndOfProgram(lines) : static_cast<std::size_t>(c.lineOf.back()) + 1;
  const std::vector<Transition>& written = c.program.Written();
  for (std::size_t i = 0; i < written.size() && i < c.lineOf.size(); ++i)
    if (written[i].from == state) at = static_cast<std::size_t>(c.lineOf[i]) + 1;
  std::vector<std::string> after = lines;
  after.insert(after.begin() + static_cast<long>(at), TransitionText(from, in, out, to));
  return Checked(kind, lines, after);
}

LinesEdit EditTransition(MachineKind kind, const std::vector<std::string>& lines, std::size_t written,
                         const std::string& label) {
  const Current c = Read(kind, lines);
  if (!c.fault.empty()) return Refused(c.fault);
  if (written >= c.lineOf.size() || written >= c.program.Written().size())
    return Refused("Diesen Übergang gibt es nicht.");
  std::string in, out;
  if (!LabelFields(kind, label, in, out)) return Refused(LabelFault(kind));
  const Transition& t = c.program.Written()[written];
  std::vector<std::string> after = lines;
  std::string& line = after[static_cast<std::size_t>(c.lineOf[written])];
  line = TransitionText(StateName(kind, t.from), in, out, StateName(kind, t.next)) + CommentOf(line);
  return Checked(kind, lines, after);
}

LinesEdit RemoveTransition(MachineKind kind, const std::vector<std::string>& lines, std::size_t written) {
  const Current c = Read(kind, lines);
  if (!c.fault.empty()) return Refused(c.fault);
  if (written >= c.lineOf.size()) return Refused("Diesen Übergang gibt es nicht.");
  std::vector<std::string> after = lines;
  after.erase(after.begin() + c.lineOf[written]);
  return Between(lines, after);
}

LinesEdit RemoveState(MachineKind kind, const std::vector<std::string>& lines, const std::string& name) {
  const Current c = Read(kind, lines);
  if (!c.fault.empty()) return Refused(c.fault);
  StateCode state = 0;
  if (!Named(kind, name, state)) return Refused("Keinen Zustand " + name + " gibt es hier.");
  if (state == kStateA) return Refused("A ist der Anfangszustand und bleibt.");
  // Its end-state declaration first, then its transitions and its place.
  std::vector<std::string> after = lines;
  if (state != kStateE && !(kind == MachineKind::NEA && state == kNeaE) && c.program.IsEndState(state)) {
    const LinesEdit undeclared = SetEndState(kind, lines, name, false);
    if (!undeclared.Ok()) return undeclared;
    after = Applied(lines, undeclared);
  }
  const Current now = Read(kind, after);
  std::vector<bool> drop(after.size(), false);
  for (std::size_t i = 0; i < now.program.Written().size() && i < now.lineOf.size(); ++i) {
    const Transition& t = now.program.Written()[i];
    if (t.from == state || t.next == state) drop[static_cast<std::size_t>(now.lineOf[i])] = true;
  }
  int placesLine = -1;
  std::vector<StatePlace> places = ReadPlaces(after, &placesLine);
  const std::string shown = StateName(kind, state);
  places.erase(std::remove_if(places.begin(), places.end(), [&](const StatePlace& p) { return p.name == shown; }),
               places.end());
  if (placesLine >= 0) after[static_cast<std::size_t>(placesLine)] = PlacesLine(places);
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < after.size(); ++i)
    if (!drop[i]) kept.push_back(after[i]);
  return Checked(kind, lines, kept);
}

}  // namespace automaten
