#include "document/window_bounds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using nv::document::FormatWindowBounds;
using nv::document::PullBackOnScreen;
using nv::document::WindowBounds;
using nv::platform::Rect;

constexpr WindowBounds kDesigned{0, 0, 800, 600};

TEST(WindowBounds, PartsThatAreMissingOrNoNumbersKeepTheirSide) {
  struct Case {
    const char* text;
    WindowBounds expected;
  };
  const Case cases[] = {
      {"10,20", {10, 20, 800, 600}},
      {"a,b,c,d", kDesigned},
      {"", kDesigned},
      {"5,x,700,500", {5, 0, 700, 500}},
      {" 5 , 6 ,700,500,9", {5, 6, 700, 600}},  // the rest after Width is Height: "500,9" is no number
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseWindowBounds(c.text, kDesigned), c.expected) << c.text;
  }
  EXPECT_EQ(FormatWindowBounds({-3, 4, 800, 600}), "-3,4,800,600");
}

TEST(WindowBounds, AWindowComesBackOnScreen) {
  const std::vector<Rect> screen = {{0, 0, 1600, 1000}};
  const auto fit = [&](const char* text) {
    return FitWindowBounds(ParseWindowBounds(text, kDesigned), kDesigned, 200, 150, screen);
  };
  EXPECT_EQ(fit("-2000,0,800,600"), (WindowBounds{0, 0, 800, 600}));
  EXPECT_EQ(fit("-300,-100,800,600"), (WindowBounds{-300, -100, 800, 600}));  // partly visible stays
  EXPECT_EQ(fit("5000,5000,800,600"), (WindowBounds{800, 400, 800, 600}));
  EXPECT_EQ(fit("5000,10,3000,600"), (WindowBounds{0, 10, 3000, 600}));
  EXPECT_EQ(fit("100,100,50,600"), (WindowBounds{100, 100, 800, 600}));
  // A window on a second screen to the right stays there.
  const std::vector<Rect> two = {{0, 0, 1600, 1000}, {1600, 0, 3200, 1000}};
  EXPECT_EQ(FitWindowBounds({2000, 100, 800, 600}, kDesigned, 200, 150, two), (WindowBounds{2000, 100, 800, 600}));
  EXPECT_EQ(PullBackOnScreen({-900, -700, 800, 600}), (WindowBounds{0, 0, 800, 600}));
}

}  // namespace
