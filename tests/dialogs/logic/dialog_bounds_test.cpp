#include "dialogs/logic/dialog_bounds.h"

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

using nv::platform::Rect;

const Bounds kDesigned{40, 50, 320, 240};
const std::vector<Rect> kOneScreen = {Rect{0, 0, 1920, 1080}};

struct Case {
  const char* stored;
  BoundsMode mode;
  Bounds expected;
};

TEST(DialogBounds, RestoresTheStoredFieldsThatAreNumbers) {
  const Case cases[] = {
      {"-5000,-5000,300,200", BoundsMode::Position, {0, 0, 320, 240}},
      {"-250,10,300,200", BoundsMode::PositionSize, {-250, 10, 300, 200}},
      {"10,abc,300", BoundsMode::PositionSize, {10, 50, 300, 240}},
      {"", BoundsMode::PositionSize, kDesigned},
      {"100,120,300,200", BoundsMode::None, kDesigned},
      {"100,120,300,200", BoundsMode::Position, {100, 120, 320, 240}},
      {" 7 , 8 ,9x,20", BoundsMode::PositionSize, {7, 8, 320, 20}},
      // The last field takes the rest of the value, which is then no number.
      {"1,2,3,4,5", BoundsMode::PositionSize, {1, 2, 3, 240}},
      {"3000,100,300,200", BoundsMode::Position, {1600, 100, 320, 240}},
      {"100,100,0,-5", BoundsMode::PositionSize, {100, 100, 320, 240}},
      {"100,100,5000,4000", BoundsMode::PositionSize, {100, 100, 1920, 1080}},
      {"100,-30,300,200", BoundsMode::PositionSize, {100, 0, 300, 200}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RestoreBounds(c.stored, c.mode, kDesigned, kOneScreen), c.expected) << c.stored;
}

TEST(DialogBounds, KeepsAWindowWhoseCaptionReachesAnyScreen) {
  const std::vector<Rect> twoScreens = {Rect{0, 0, 1920, 1080}, Rect{1920, 0, 3200, 1024}};
  EXPECT_EQ(RestoreBounds("2500,100", BoundsMode::Position, kDesigned, twoScreens),
            (Bounds{2500, 100, 320, 240}));
  // Only the lower part of the window on the screen: its caption cannot be grabbed.
  EXPECT_EQ(RestoreBounds("100,-100,300,200", BoundsMode::PositionSize, kDesigned, twoScreens),
            (Bounds{100, 0, 300, 200}));
  // With no screen known the stored place stands.
  EXPECT_EQ(RestoreBounds("3000,100", BoundsMode::Position, kDesigned, {}), (Bounds{3000, 100, 320, 240}));
}

}  // namespace
}  // namespace nv::dialogs
