#pragma once

#include <gtest/gtest.h>

#include "editing/element_places.h"
#include "model/music_score.h"

// Places on a painted test page, in document pixels.
namespace drawn_places {

inline TECPoint Centre(const TECElementBox& b) { return {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2}; }

// The drawn record of measure m of a row; fails the test when it was not drawn.
inline const TECDrawnMeasure& Drawn(const TECMusicScore& score, int row, int m) {
  const TECDrawnMeasure* drawn = nv::editing::DrawnMeasureOf(score, row, m);
  EXPECT_NE(drawn, nullptr);
  return *drawn;
}

// The y of staff step s (0 one space below the bottom line) of a drawn staff.
inline int StepY(const TECMusicScore& score, const TECDrawnMeasure& drawn, int s) {
  const int d = nv::editing::StaffSpacePixels(score);
  return drawn.StaffTop + 5 * d - s * d / 2;
}

}  // namespace drawn_places
