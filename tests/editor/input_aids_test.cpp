#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "editor/note_value_wheel.h"
#include "editor/velocity_repeat.h"

namespace {

using nv::editor::VelocityRepeat;
using nv::editor::WheelNoteValue;

TEST(NoteValueWheel, StepsThroughTheValuesAndWraps) {
  const struct {
    int down;
    int delta;
    std::optional<int> pressed;
  } cases[] = {{6, -120, 0},           {0, 120, 6}, {0, -120, 1}, {3, 0, 4}, {3, 120, 2}, {-1, -120, std::nullopt},
               {-1, 120, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(WheelNoteValue(c.down, c.delta), c.pressed) << c.down << " " << c.delta;
}

struct Repeat {
  std::vector<int> steps;
  VelocityRepeat buttons{[this](int direction) { steps.push_back(direction); }};
  // Holds a button for `ms` on the 100 ms timer, then releases and clicks it.
  void Hold(int direction, int ms) {
    buttons.Press(direction);
    for (int t = VelocityRepeat::kTickMs; t <= ms; t += VelocityRepeat::kTickMs) buttons.Tick();
    buttons.Release();
    buttons.Clicked(direction);
  }
};

TEST(VelocityRepeat, AShortClickMakesOneStep) {
  Repeat r;
  r.Hold(1, 50);
  EXPECT_EQ(r.steps, std::vector<int>{1});
  EXPECT_FALSE(r.buttons.TimerRunning());
}

TEST(VelocityRepeat, AHeldButtonRepeatsFromTheSecondTick) {
  const struct {
    int ms;
    std::size_t steps;
  } cases[] = {{100, 1}, {199, 1}, {200, 2}, {350, 3}, {1000, 10}};
  for (const auto& c : cases) {
    Repeat r;
    r.Hold(-1, c.ms);
    EXPECT_EQ(r.steps, std::vector<int>(c.steps, -1)) << c.ms;
  }
}

TEST(VelocityRepeat, TicksAfterTheReleaseStepNothing) {
  Repeat r;
  r.Hold(1, 300);
  r.buttons.Tick();
  r.buttons.Tick();
  EXPECT_EQ(r.steps.size(), 3u);
}

}  // namespace
