#include "dialogs/logic/angle_dial.h"

#include <gtest/gtest.h>

namespace nv::dialogs::dial {
namespace {

using nv::platform::Point;

TEST(AngleDial, AnglesGrowCounterClockwiseFromTheRight) {
  const Point c{63, 63};
  EXPECT_EQ(AngleFromPoint({63, 10}, c), 90);
  EXPECT_EQ(AngleFromPoint({63, 100}, c), 270);
  EXPECT_EQ(AngleFromPoint({10, 63}, c), 180);
  EXPECT_EQ(AngleFromPoint({100, 63}, c), 0);
  EXPECT_EQ(AngleFromPoint({100, 26}, c), 45);
  EXPECT_EQ(AngleFromPoint({26, 100}, c), 225);
  EXPECT_EQ(AngleFromPoint({100, 100}, c), 315);
  EXPECT_EQ(PointAt(c, 50, 90), (Point{63, 13}));
  EXPECT_EQ(PointAt(c, 50, 180), (Point{13, 63}));
  for (int a = 0; a < 360; a += kMarkStep) EXPECT_EQ(AngleFromPoint(PointAt(c, 500, a), c), a);
}

TEST(AngleDial, AnglesWrap) {
  EXPECT_EQ(NormalizeAngle(400), 40);
  EXPECT_EQ(NormalizeAngle(-30), 330);
  EXPECT_EQ(NormalizeAngle(720), 0);
  EXPECT_EQ(WrapStep(360), 0);
  EXPECT_EQ(WrapStep(-1), 359);
  EXPECT_EQ(WrapStep(200), 200);
}

}  // namespace
}  // namespace nv::dialogs::dial
