#include "widgets/logic/click_repeater.h"

#include <gtest/gtest.h>

#include "../../support/stepped_timer.h"

namespace {

using nv::widgets::ClickRepeater;

// Holds a button for `ms`, releases it and delivers its click, as a button
// reports a press that ends over it; returns the steps made.
int StepsOfHold(int ms, ClickRepeater::FirstTick first = ClickRepeater::FirstTick::Waits) {
  nv::test::SteppedTimer timer;
  ClickRepeater repeater(timer, ClickRepeater::kIntervalMs, first);
  int steps = 0;
  const auto step = [&] { ++steps; };
  repeater.Press(step);
  timer.Advance(ms);
  repeater.Release();
  step();  // the button's click
  EXPECT_FALSE(timer.Running());
  EXPECT_FALSE(repeater.Held());
  return steps;
}

TEST(ClickRepeater, AShortClickStepsOnceAndAHeldButtonRepeatsFromTheSecondTick) {
  const struct {
    int ms;
    int steps;
  } cases[] = {{0, 1}, {50, 1}, {100, 1}, {199, 1}, {200, 2}, {350, 3}, {1000, 10}};
  for (const auto& c : cases) EXPECT_EQ(StepsOfHold(c.ms), c.steps) << c.ms << " ms";
}

TEST(ClickRepeater, AButtonWhoseFirstTickStepsActsAtEveryTickAndOnceForTheClick) {
  const struct {
    int ms;
    int steps;
  } cases[] = {{0, 1}, {99, 1}, {100, 2}, {550, 6}, {1000, 11}};
  for (const auto& c : cases) EXPECT_EQ(StepsOfHold(c.ms, ClickRepeater::FirstTick::Steps), c.steps) << c.ms << " ms";
}

TEST(ClickRepeater, NothingStepsAfterTheReleaseAndAStepMayReleaseTheButton) {
  nv::test::SteppedTimer timer;
  ClickRepeater repeater(timer);
  int steps = 0;
  repeater.Press([&] {
    ++steps;
    repeater.Release();
  });
  timer.Advance(1000);
  EXPECT_EQ(steps, 1);
  EXPECT_FALSE(timer.Running());
  repeater.Press([&] { ++steps; });
  repeater.Release();
  timer.Advance(1000);
  EXPECT_EQ(steps, 1);
}

}  // namespace
