#include "widgets/logic/dropdown_place.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

TEST(PlaceDropDown, OpensBelowOrAboveAndRightAligned) {
  const PlaceRect area{0, 0, 800, 600};
  struct Case {
    PlaceRect field;
    int width, height;
    int x, y;
  } cases[] = {
      {{100, 100, 120, 21}, 98, 124, 122, 121},   // below, right edges aligned
      {{100, 500, 120, 21}, 98, 124, 122, 376},   // would leave the bottom: above
      {{10, 100, 60, 21}, 187, 124, 0, 121},      // wider than the field: stops at x = 0
  };
  for (const Case& c : cases) {
    int x = -1, y = -1;
    PlaceDropDown(c.field, c.width, c.height, area, x, y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

}  // namespace
}  // namespace nv::widgets
