#include <gtest/gtest.h>

#include "widgets/logic/repeat_timer.h"
#include "widgets/logic/scroll_axis.h"
#include "widgets/logic/search_text.h"

namespace nv::widgets {
namespace {

// The times at which a held arrow steps, polled every millisecond.
std::vector<int> StepTimes(int arm, int interval, int heldFor) {
  ManualTickClock clock;
  RepeatTimer timer(clock, arm, interval);
  timer.Press();
  std::vector<int> times;
  for (int t = 0; t <= heldFor; ++t) {
    clock.Set(t);
    for (int n = timer.DueSteps(); n > 0; --n) times.push_back(t);
  }
  timer.Release();
  clock.Advance(1000);
  EXPECT_EQ(timer.DueSteps(), 0);
  return times;
}

TEST(RepeatTimer, HeldArrowsStepAtTheirTimes) {
  EXPECT_EQ(StepTimes(RepeatTimer::kViewArmMs, RepeatTimer::kViewRepeatMs, 360),
            (std::vector<int>{0, 250, 300, 350}));
  EXPECT_EQ(StepTimes(RepeatTimer::kGridTickMs, RepeatTimer::kGridTickMs, 610),
            (std::vector<int>{0, 300, 450, 600}));
}

TEST(SearchText, QuickLettersSearchTogetherAndAPauseStartsAgain) {
  ManualTickClock clock;
  SearchText search(clock);
  const std::vector<std::string> items{"Tempo", "Abc", "Abd", "Cymbal"};
  EXPECT_EQ(search.Type('a', items), 1);
  clock.Advance(1000);
  EXPECT_EQ(search.Type('b', items), 1);
  EXPECT_EQ(search.Type('d', items), 2);
  clock.Advance(2100);
  EXPECT_EQ(search.Type('c', items), 3);
  EXPECT_EQ(search.Text(), "c");
  for (int i = 0; i < 40; ++i) search.Type('x', items);
  EXPECT_EQ(search.Text().size(), 32u);
}

TEST(ScrollAxis, ChildrenSetTheRangeAndTheClientTheMaximum) {
  ScrollAxis axis;
  axis.FitRange({{300, 200}, {0, 50, ScrollAxis::Align::Leading}, {0, 400, ScrollAxis::Align::Other}});
  EXPECT_EQ(axis.Range(), 500);
  axis.Update(181);
  EXPECT_EQ(axis.MaxPosition(), 500 - 181);
  EXPECT_TRUE(axis.BarShown());
  EXPECT_EQ(axis.SetPosition(1000), 319);
  EXPECT_EQ(axis.Position(), 319);
  axis.FitRange({{300, 200}, {0, 30, ScrollAxis::Align::Trailing}});
  EXPECT_EQ(axis.Range(), 319 + 500 + 30) << "children are counted from the unscrolled origin";

  ScrollAxis empty;
  empty.FitRange({});
  empty.Update(181);
  EXPECT_EQ(empty.Range(), 0);
  EXPECT_FALSE(empty.BarShown());
}

TEST(ScrollAxis, SmoothScrollsSplitIntoTimedSteps) {
  ScrollAxis axis;
  axis.smooth = true;
  axis.increment = 10;
  EXPECT_EQ(axis.LineSteps(1), (std::vector<int>{2, 2, 2, 2, 2}));
  axis.SetRange(1000);
  axis.Update(150);
  EXPECT_EQ(axis.pageIncrement, 135);
  EXPECT_EQ(axis.increment, 13);
  const std::vector<int> page = axis.PageSteps(-1, 150);
  ASSERT_EQ(page.size(), 13u);
  EXPECT_EQ(page.front(), -11);
  EXPECT_EQ(page.back(), -3);

  ManualTickClock clock;
  SmoothSteps steps(clock);
  steps.Start({2, 2, 3});
  EXPECT_EQ(steps.Due(), 2);
  clock.Advance(9);
  EXPECT_EQ(steps.Due(), 0);
  clock.Advance(1);
  EXPECT_EQ(steps.Due(), 2);
  clock.Advance(10);
  EXPECT_EQ(steps.Due(), 3);
  EXPECT_FALSE(steps.Running());
}

}  // namespace
}  // namespace nv::widgets
