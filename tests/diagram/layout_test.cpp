// Graphviz's layout read back: every node and edge of the examples placed,
// and Graphviz's complaints as a value, not on standard error.
#include "diagram/layout.h"

#include <gtest/gtest.h>

#include "control/examples.h"
#include "engine/parser.h"

namespace automaten {
namespace {

class Layout : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CanLayOut()) GTEST_SKIP() << "built without Graphviz";
  }
};

TEST(LayoutWithoutGraphviz, EveryCallSaysSo) {
  if (CanLayOut()) GTEST_SKIP() << "built with Graphviz";
  const Diagram d = MakeDiagram(ParseProgram(MachineKind::Akz, {"A 1 -> E"}));
  const DiagramLayout layout = LayOut(d);
  EXPECT_FALSE(layout.ok);
  EXPECT_NE(layout.error.find("ohne Graphviz"), std::string::npos);
  std::string error;
  std::string bytes;
  EXPECT_FALSE(RenderDiagram(d, "svg", bytes, error));
  EXPECT_EQ(error, layout.error);
}

TEST_F(Layout, EveryNodeAndEdgeOfTheExamplesIsPlaced) {
  for (MachineKind kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    const Diagram d = MakeDiagram(ParseProgram(kind, ExampleLines(kind)));
    const DiagramLayout layout = LayOut(d);
    ASSERT_TRUE(layout.ok) << layout.error;
    ASSERT_EQ(layout.nodes.size(), d.nodes.size());
    ASSERT_EQ(layout.edges.size(), d.edges.size());
    EXPECT_GT(layout.width, 0);
    for (const DiagramLayout::Node& n : layout.nodes) {
      EXPECT_GT(n.width, 0);
      EXPECT_GT(n.centre.x, 0);
      EXPECT_LE(n.centre.x, layout.width);
    }
    for (const DiagramLayout::Edge& e : layout.edges) {
      EXPECT_GE(e.spline.size(), 4u);
      EXPECT_EQ((e.spline.size() - 1) % 3, 0u);  // cubic Bézier pieces
      EXPECT_TRUE(e.arrowAtHead);
      EXPECT_GT(e.label.x, 0);
    }
    EXPECT_LT(layout.start.x, layout.nodes[0].centre.x);  // the arrow into A comes from its left
  }
}

// Placed states keep where the user put them, one to another; the others
// are laid out around them.
TEST_F(Layout, PlacedStatesKeepTheirPlaces) {
  Diagram d = MakeDiagram(ParseProgram(MachineKind::Akz, {"a 1 -> 1", "1 1 -> 2", "2 0 -> a", "2 1 -> 3"}));
  Place(d, {{"A", 40, 120}, {"1", 200, 120}, {"2", 120, 260}});
  const DiagramLayout layout = LayOut(d);
  ASSERT_TRUE(layout.ok) << layout.error;
  const auto& n = layout.nodes;
  EXPECT_NEAR(n[1].centre.x - n[0].centre.x, 160, 1);
  EXPECT_NEAR(n[1].centre.y - n[0].centre.y, 0, 1);
  EXPECT_NEAR(n[2].centre.x - n[0].centre.x, 80, 1);
  EXPECT_NEAR(n[0].centre.y - n[2].centre.y, 140, 1);  // y grows upwards in Graphviz
  EXPECT_GT(n[3].width, 0);
  for (const DiagramLayout::Node& node : n) {
    EXPECT_GE(node.centre.x, 0);
    EXPECT_LE(node.centre.x, layout.width);
    EXPECT_GE(node.centre.y, 0);
    EXPECT_LE(node.centre.y, layout.height);
  }
  for (const DiagramLayout::Edge& e : layout.edges) EXPECT_GE(e.spline.size(), 4u);
  EXPECT_LT(layout.start.x, n[0].centre.x);
}

TEST_F(Layout, GraphvizComplaintsComeBackAsAValue) {
  const Diagram d = MakeDiagram(ParseProgram(MachineKind::Akz, {"a 1 -> a"}));
  ::testing::internal::CaptureStderr();
  const DiagramLayout broken = LayOut(d, "digraph { a -> ; }");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(broken.ok);
  EXPECT_FALSE(broken.error.empty());
  EXPECT_EQ(said, "");
  EXPECT_TRUE(LayOut(d).ok);  // and the next layout works
}

TEST(DiagramLimits, LargeDiagramsAreNotLaidOut) {
  std::vector<std::string> lines;
  for (int i = 0; i < 301; ++i) lines.push_back(std::to_string(i + 1) + " 1 -> " + std::to_string(i + 2));
  EXPECT_TRUE(TooLargeToLayOut(MakeDiagram(ParseProgram(MachineKind::Akz, lines))));
  EXPECT_FALSE(TooLargeToLayOut(MakeDiagram(ParseProgram(MachineKind::TM, ExampleLines(MachineKind::TM)))));
}

}  // namespace
}  // namespace automaten
