#include <gtest/gtest.h>

#include <optional>

#include "editor/note_value_wheel.h"

namespace {

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

}  // namespace
