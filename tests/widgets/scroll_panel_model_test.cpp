#include "widgets/logic/scroll_panel_model.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

// A 100 x 30 panel holding a row of children; the model moves them.
struct Strip {
  ScrollPanelModel model;
  Rect client{0, 0, 100, 30};
  std::vector<Rect> children;

  Rect Extent() const { return model.Extent(children, client); }
  Point Scroll(Point d) {
    const Point moved = model.Scroll(d, Extent(), client);
    for (Rect& r : children) r = r.translated(moved);
    return moved;
  }
  Point Step(ScrollArrowKind kind) { return Scroll(model.StepOf(kind)); }
  bool Shows(ScrollArrowKind kind) const { return model.Arrow(kind, Extent(), client).visible; }
};

TEST(ScrollPanelModel, ChildrenThatFitShowNoArrows) {
  Strip s;
  s.children = {{0, 0, 50, 30}, {50, 0, 100, 30}};
  for (auto kind : {ScrollArrowKind::Left, ScrollArrowKind::Up, ScrollArrowKind::Right, ScrollArrowKind::Down})
    EXPECT_FALSE(s.Shows(kind));
  EXPECT_EQ(s.Step(ScrollArrowKind::Right), (Point{0, 0}));
}

TEST(ScrollPanelModel, StepsBackStopAtTheStart) {
  Strip s;
  s.children = {{0, 0, 130, 20}};
  EXPECT_TRUE(s.Shows(ScrollArrowKind::Right));
  EXPECT_FALSE(s.Shows(ScrollArrowKind::Left));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Step(ScrollArrowKind::Right), (Point{-1, 0}));
  EXPECT_TRUE(s.Shows(ScrollArrowKind::Left));
  int back = 0;
  for (int i = 0; i < 5; ++i) back += s.Step(ScrollArrowKind::Left).x;
  EXPECT_EQ(back, 3);
  EXPECT_EQ(s.children[0].left, 0);
  EXPECT_FALSE(s.Shows(ScrollArrowKind::Left));
}

TEST(ScrollPanelModel, TheLastStepMayBringTheFarEdgeUpToAStepInside) {
  struct Case { int step; int hidden; int space; std::vector<int> moves; };
  const Case cases[] = {
      {4, 10, 0, {-4, -4, -4, 0}},  // the far edge ends 2 px inside
      {5, 10, 0, {-5, -5, 0}},      // a whole number of steps: flush
      {4, 6, 4, {-4, -4, -4, 0}},   // the extra room counts as contents
      {1, 2, 0, {-1, -1, 0}},
  };
  for (const Case& c : cases) {
    Strip s;
    s.model.SetStep(c.step);
    s.model.SetRightBottomSpace(c.space);
    s.children = {{0, 0, 100 + c.hidden, 20}};
    std::vector<int> moves;
    for (std::size_t i = 0; i < c.moves.size(); ++i) moves.push_back(s.Step(ScrollArrowKind::Right).x);
    EXPECT_EQ(moves, c.moves) << c.step << " " << c.hidden;
    EXPECT_FALSE(s.Shows(ScrollArrowKind::Right));
  }
}

TEST(ScrollPanelModel, ADragPastTheEndStopsAtTheEnd) {
  Strip s;
  s.children = {{0, 0, 110, 20}};
  EXPECT_EQ(s.Scroll({-25, 0}), (Point{-10, 0}));
  EXPECT_EQ(s.Scroll({-5, 0}), (Point{0, 0})) << "never pulls the contents back";
  EXPECT_EQ(s.Scroll({30, 0}), (Point{10, 0}));
  EXPECT_EQ(s.model.HorzPosition(), 0);
}

TEST(ScrollPanelModel, StepAndArrowDefaults) {
  ScrollPanelModel m;
  m.SetStep(3);
  m.SetStep(0);
  m.SetStep(-2);
  EXPECT_EQ(m.Step(), 3);
  const Rect client{0, 0, 100, 80};
  const Rect extent{-5, -5, 120, 90};
  struct Case { ScrollArrowKind kind; Rect box; };
  const Case cases[] = {
      {ScrollArrowKind::Left, {6, 60, 20, 74}},
      {ScrollArrowKind::Up, {80, 6, 94, 20}},
      {ScrollArrowKind::Right, {80, 60, 94, 74}},
      {ScrollArrowKind::Down, {80, 60, 94, 74}},
  };
  for (const Case& c : cases) {
    const auto arrow = m.Arrow(c.kind, extent, client);
    EXPECT_TRUE(arrow.visible);
    EXPECT_EQ(arrow.box, c.box);
  }
  m.SetHorzScroll(false);
  EXPECT_FALSE(m.Arrow(ScrollArrowKind::Left, extent, client).visible);
  EXPECT_FALSE(m.Arrow(ScrollArrowKind::Right, extent, client).visible);
  m.SetButtonSize(10);
  m.SetButtonOffset(2);
  EXPECT_EQ(m.Arrow(ScrollArrowKind::Up, extent, client).box, (Rect{88, 2, 98, 12}));
}

}  // namespace
}  // namespace nv::widgets
