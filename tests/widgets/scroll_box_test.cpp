#include "widgets/scroll_box.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace nv::widgets;

struct ScrollBox : ::testing::Test {
  ScrollBox() : box(nullptr, clock) { box.show(); }
  ManualTickClock clock;
  TECScrollWinControl box;
};

TEST_F(ScrollBox, ChildrenSetTheRangeAndTheBar) {
  EXPECT_EQ(box.size(), QSize(185, 41));
  EXPECT_EQ(box.HorzScrollBar().Axis().Range(), 0);
  EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << "no children, no bar";
  QWidget child;
  child.setGeometry(300, 2, 200, 20);
  box.AddChild(child);
  const ScrollAxis& across = box.HorzScrollBar().Axis();
  EXPECT_EQ(across.Range(), 500);
  EXPECT_EQ(across.MaxPosition(), 500 - box.viewport()->width());
  EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  box.SetPosition(box.HorzScrollBar(), 1000);
  EXPECT_EQ(across.Position(), across.MaxPosition());
  EXPECT_EQ(child.x(), 300 - across.MaxPosition()) << "scrolling moves the children";
}

TEST_F(ScrollBox, SmoothLineAndPageScrollsRunInTimedSteps) {
  QWidget child;
  child.setGeometry(0, 0, 2000, 20);
  box.AddChild(child);
  TItemScrollBar& bar = box.HorzScrollBar();
  bar.Axis().smooth = true;
  box.UpdateRanges();
  bar.Axis().increment = 10;
  std::vector<int> positions;
  box.ScrollLine(bar, 1);
  positions.push_back(bar.Axis().Position());
  for (int i = 0; i < 5; ++i) {
    clock.Advance(9);
    box.PollSmooth();
    EXPECT_EQ(bar.Axis().Position(), positions.back()) << "steps are at least 10 ms apart";
    clock.Advance(1);
    box.PollSmooth();
    positions.push_back(bar.Axis().Position());
  }
  EXPECT_EQ(positions, (std::vector<int>{2, 4, 6, 8, 10, 10}));
  EXPECT_FALSE(box.Scrolling());

  const int page = bar.Axis().pageIncrement;
  box.ScrollPage(bar, 1);
  int steps = 1;
  while (box.Scrolling()) {
    clock.Advance(10);
    box.PollSmooth();
    ++steps;
  }
  EXPECT_EQ(bar.Axis().Position(), 10 + page);
  EXPECT_EQ(steps, page % 12 ? 13 : 12);
}

}  // namespace
