#include "dialogs/logic/volume_value.h"

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

TEST(VolumeValue, NoneSitsInTheMiddleUnlocked) {
  const struct {
    int set;
    int position;
    bool locked;
    int value;
  } cases[] = {{-1, 63, false, -1}, {-9, 63, false, -1}, {0, 0, true, 0}, {100, 100, true, 100}, {127, 127, true, 127}};
  for (const auto& c : cases) {
    VolumeValue value;
    value.Set(c.set);
    EXPECT_EQ(value.Position(), c.position) << c.set;
    EXPECT_EQ(value.Locked(), c.locked) << c.set;
    EXPECT_EQ(value.Get(), c.value) << c.set;
  }
}

TEST(VolumeValue, MovingTheSliderLocksAndUncheckingGivesNone) {
  VolumeValue value;
  value.Set(-1);
  EXPECT_EQ(value.SliderMoved(90), 90);
  EXPECT_TRUE(value.Locked());
  EXPECT_EQ(value.LockClicked(false), -1);
  EXPECT_EQ(value.Position(), 90);
  EXPECT_EQ(value.LockClicked(true), 90);
}

}  // namespace
}  // namespace nv::dialogs
