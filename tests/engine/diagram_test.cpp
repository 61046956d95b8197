// The diagram model: nodes, their kinds, and edges merged per pair of states
// with a label line per transition, for every kind.
#include "engine/diagram.h"

#include <gtest/gtest.h>

#include "engine/parser.h"

namespace automaten {
namespace {

struct Expected {
  std::string from, to;
  std::vector<std::string> lines;
};

std::vector<Expected> Edges(const Diagram& d) {
  std::vector<Expected> out;
  for (const DiagramEdge& e : d.edges) out.push_back({d.nodes[e.from].name, d.nodes[e.to].name, e.lines});
  return out;
}

bool operator==(const Expected& a, const Expected& b) { return a.from == b.from && a.to == b.to && a.lines == b.lines; }
void PrintTo(const Expected& e, std::ostream* os) {
  *os << e.from << "->" << e.to << ":";
  for (const std::string& l : e.lines) *os << " [" << l << "]";
}

std::vector<std::string> Names(const Diagram& d) {
  std::vector<std::string> out;
  for (const DiagramNode& n : d.nodes) out.push_back(n.name);
  return out;
}

TEST(Diagram, DeaWithSelfLoopsAndMergedEdges) {
  const Diagram d = MakeDiagram(ParseProgram(
      MachineKind::DEA, {"e: a", "a s -> w a", "a k -> w 1", "1 s -> w a", "1 k -> b 2", "2 s -> b 1", "2 k -> b 2"}));
  EXPECT_EQ(Names(d), (std::vector<std::string>{"A", "1", "2"}));
  EXPECT_TRUE(d.nodes[0].initial);
  EXPECT_TRUE(d.nodes[0].end);
  EXPECT_FALSE(d.nodes[1].end);
  EXPECT_EQ(Edges(d), (std::vector<Expected>{{"A", "A", {"s / w"}},
                                             {"A", "1", {"k / w"}},
                                             {"1", "A", {"s / w"}},
                                             {"1", "2", {"k / b"}},
                                             {"2", "1", {"s / b"}},
                                             {"2", "2", {"k / b"}}}));
  const Diagram parallel = MakeDiagram(ParseProgram(MachineKind::Akz, {"a 1 -> 3", "a 0 -> 3", "a 1 -> 3"}));
  EXPECT_EQ(Edges(parallel), (std::vector<Expected>{{"A", "3", {"1", "0", "1"}}}));
}

TEST(Diagram, NodeKindsAndStatesNeverReached) {
  const Diagram d = MakeDiagram(ParseProgram(
      MachineKind::KA, {"e: 7", "a ( # -> push ( a", "a ) ( -> pop a", "a ) # -> nop f", "a x # -> nop e"}));
  EXPECT_EQ(Names(d), (std::vector<std::string>{"A", "F", "E", "7"}));
  EXPECT_TRUE(d.nodes[1].error);
  EXPECT_TRUE(d.nodes[2].end);  // E is always an end state
  EXPECT_TRUE(d.nodes[3].end);  // declared, never reached: a node of its own
  EXPECT_EQ(Edges(d), (std::vector<Expected>{{"A", "A", {"( , # / push (", ") , ( / pop"}},
                                             {"A", "F", {") , # / nop"}},
                                             {"A", "E", {"x , # / nop"}}}));
}

TEST(Diagram, TheNeaAsWrittenWithItsEpsilonEdges) {
  const Program p = ParseProgram(MachineKind::NEA, {"a 0 -> 1", "1 _ -> e", "e 1 -> e"});
  ASSERT_NE(p.transitions.size(), p.Written().size());  // the removal rewrote the table
  const Diagram d = MakeDiagram(p);
  EXPECT_EQ(Names(d), (std::vector<std::string>{"A", "1", "E"}));
  EXPECT_EQ(Edges(d), (std::vector<Expected>{{"A", "1", {"0"}}, {"1", "E", {"\xCE\xB5"}}, {"E", "E", {"1"}}}));
  EXPECT_TRUE(d.nodes[2].end);
}

TEST(Diagram, TuringLabelsAndTheLanguageOfGraphviz) {
  const Diagram d = MakeDiagram(ParseProgram(MachineKind::TM, {"A 1 -> 1 R 1", "1 \" -> * l E"}));
  EXPECT_EQ(Edges(d), (std::vector<Expected>{{"A", "1", {"1 / 1 R"}}, {"1", "E", {"\" / * L"}}}));
  const std::string dot = DiagramDot(d);
  EXPECT_NE(dot.find("rankdir=LR"), std::string::npos);
  EXPECT_NE(dot.find("label=\"\\\" / * L\""), std::string::npos);  // a quote in a label is escaped
  EXPECT_NE(dot.find("n2 [label=\"E\", shape=doublecircle]"), std::string::npos);
  EXPECT_NE(dot.find("start -> n0"), std::string::npos);
}

// The mark points at the line of the transition taken, also when an edge
// holds several; the NEA marks every line of its set on the symbol read, and
// nothing past the end of its tape.
TEST(Diagram, TheMarkOfAConfiguration) {
  const Program akz = ParseProgram(MachineKind::Akz, {"a 1 -> a", "a 0 -> 1", "1 0 -> a", "1 1 -> a"});
  const Diagram d = MakeDiagram(akz);
  Configuration c;
  c.state = 1;
  DiagramMark m = MarkPosition(d, c, 3, DiagramMark::Verdict::None);
  ASSERT_EQ(m.nodes.size(), 1u);
  EXPECT_EQ(d.nodes[m.nodes[0]].name, "1");
  ASSERT_EQ(m.lines.size(), 1u);
  EXPECT_EQ(d.nodes[d.edges[m.lines[0].first].to].name, "A");
  EXPECT_EQ(d.edges[m.lines[0].first].lines[m.lines[0].second], "1");  // "1 1 -> a", the second line of 1 -> A
  EXPECT_EQ(m.lines[0].second, 1u);
  m = MarkPosition(d, c, -1, DiagramMark::Verdict::NotAccepted);
  EXPECT_TRUE(m.lines.empty());
  EXPECT_EQ(m.verdict, DiagramMark::Verdict::NotAccepted);

  const Program nea = ParseProgram(MachineKind::NEA, {"a 0 -> a", "a 0 -> 1", "a 1 -> a", "1 1 -> e", "1 0 -> e"});
  const Diagram n = MakeDiagram(nea);
  Configuration s;
  s.set.Add(kStateA);
  s.set.Add(1);
  s.tape = "1";
  s.head = 1;
  m = MarkPosition(n, s, -1, DiagramMark::Verdict::None);
  EXPECT_EQ(m.nodes.size(), 2u);
  std::vector<std::string> read;
  for (const auto& [edge, line] : m.lines)
    read.push_back(n.nodes[n.edges[edge].from].name + " " + n.edges[edge].lines[line]);
  EXPECT_EQ(read, (std::vector<std::string>{"A 1", "1 1"}));
  s.head = 2;  // past the end: nothing more is read
  EXPECT_TRUE(MarkPosition(n, s, -1, DiagramMark::Verdict::None).lines.empty());
}

// An NEA's F never accepts: declared an end state, it is still drawn single.
TEST(Diagram, AnNeasDeclaredFIsNoEndState) {
  const Diagram d = MakeDiagram(ParseProgram(MachineKind::NEA, {"E: F 3", "a 0 -> 3", "3 1 -> f"}));
  for (const DiagramNode& n : d.nodes) {
    SCOPED_TRACE(n.name);
    EXPECT_EQ(n.end, n.name == "3");
  }
}

// The states the user placed travel in the program as one comment line.
TEST(Diagram, PlacesAreReadFromTheirCommentLineAndWrittenBack) {
  int at = 0;
  const std::vector<std::string> lines = {"; Art: Akz", "a 1 -> 2",
                                          "  ; Lage: A 40,120 2 160,-9 e 280,120 x 1,2,3 3 1.5,2 7", "; Lage: A 0,0"};
  const std::vector<StatePlace> places = ReadPlaces(lines, &at);
  EXPECT_EQ(at, 2);  // the first line; entries that are no "x,y" of whole numbers left out
  EXPECT_EQ(places, (std::vector<StatePlace>{{"A", 40, 120}, {"2", 160, -9}, {"E", 280, 120}}));
  EXPECT_EQ(PlacesLine(places), "; Lage: A 40,120 2 160,-9 E 280,120");
  EXPECT_TRUE(ReadPlaces({"a 1 -> 2", ";Lage A 1,1"}, &at).empty());
  EXPECT_EQ(at, -1);
  EXPECT_TRUE(ParseProgram(MachineKind::Akz, lines).Ok());  // a comment to every parser

  // Placed, the states are pinned and Graphviz's "neato" places the rest around them.
  Diagram d = MakeDiagram(ParseProgram(MachineKind::Akz, {"a 1 -> 2", "2 1 -> 3"}));
  const std::string plain = DiagramDot(d);
  Place(d, places);
  EXPECT_TRUE(d.nodes[0].placed && d.nodes[1].placed);
  EXPECT_FALSE(d.nodes[2].placed);
  const std::string dot = DiagramDot(d);
  EXPECT_EQ(plain.find("neato"), std::string::npos);
  EXPECT_NE(dot.find("layout=neato;"), std::string::npos);
  EXPECT_NE(dot.find("n0 [label=\"A\", pos=\"40,-120!\"]"), std::string::npos) << dot;
  EXPECT_NE(dot.find("n1 [label=\"2\", pos=\"160,9!\"]"), std::string::npos) << dot;
  EXPECT_NE(dot.find("n2 [label=\"3\"];"), std::string::npos) << dot;
  EXPECT_NE(dot.find("start [shape=point, width=0.05, label=\"\", pos=\"-5,-120!\"]"), std::string::npos) << dot;
}

}  // namespace
}  // namespace automaten
