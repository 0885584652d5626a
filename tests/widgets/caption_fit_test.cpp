#include "widgets/logic/caption_fit.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

TEST(CaptionKeep, KeepsTheLongestBeginningThatFitsWithTheDots) {
  // Characters 7 px wide, ".." 6 px.
  const auto width = [](int n) { return 7 * n; };
  struct Case { int length; int room; int keep; };
  const Case cases[] = {
      {5, 35, 5},   // fits whole: no dots
      {5, 34, 4},   // 28 + 6 = 34
      {5, 33, 3},
      {200, 60, 7}, // 49 + 6 <= 60 < 56 + 6
      {3, 5, 0},    // not even the dots fit
      {0, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionKeep(c.length, c.room, 6, width), c.keep) << c.room;
}

}  // namespace
}  // namespace nv::widgets
