#include "canvas_test_support.h"

#include "platform/arc_geometry.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace nv::platform {
namespace {

using testing::ImageCanvas;
using testing::inkBounds;
using testing::isWhite;

struct ArcCase {
  const char* name;
  Rect box;
  Point start;
  Point end;
  double startDegrees;
  double sweepDegrees;
};

// Angles are the directions of the radials from the box centre, counter-
// clockwise on the screen, whatever the box's proportions.
const ArcCase kArcCases[] = {
    {"QuarterOfACircle", {0, 0, 100, 100}, {100, 50}, {50, 0}, 0.0, 90.0},
    {"ClockwiseOrderTakesTheLongWay", {0, 0, 100, 100}, {50, 0}, {100, 50}, 90.0, 270.0},
    {"RadialsFarOutside", {0, 0, 200, 100}, {300, 50}, {100, -500}, 0.0, 90.0},
    {"WideBoxCorners", {0, 0, 200, 100}, {200, 0}, {0, 0}, 26.565, 126.870},
    {"TallBoxCorners", {0, 0, 100, 200}, {100, 0}, {0, 0}, 63.435, 53.130},
    {"LowerHalf", {0, 0, 200, 100}, {0, 50}, {200, 50}, 180.0, 180.0},
    {"EqualRadialsAreTheWholeEllipse", {0, 0, 200, 100}, {150, 20}, {150, 20}, 30.964, 360.0},
    {"SameRayIsTheWholeEllipse", {0, 0, 100, 100}, {60, 50}, {90, 50}, 0.0, 360.0},
    {"ReversedBox", {200, 100, 0, 0}, {200, 0}, {0, 0}, 26.565, 126.870},
    {"OffsetBox", {1000, 2000, 1200, 2100}, {1200, 2000}, {1000, 2000}, 26.565, 126.870},
};

class ArcAngles : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcAngles, FollowTheRadialsFromTheBoxCentre) {
  const ArcCase& c = GetParam();
  const ArcSweep s = arcSweep(c.box, c.start, c.end);
  EXPECT_NEAR(s.startDegrees, c.startDegrees, 1e-3);
  EXPECT_NEAR(s.sweepDegrees, c.sweepDegrees, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Table, ArcAngles, ::testing::ValuesIn(kArcCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArcAngles, ParametricAngleMeetsTheRayOnTheEllipse) {
  // On a 2:1 box the ray at 26.565 degrees (through the corner) crosses the
  // ellipse at the parametric angle 45.
  EXPECT_NEAR(parametricDegrees({0, 0, 200, 100}, 26.5650512), 45.0, 1e-6);
  EXPECT_NEAR(parametricDegrees({0, 0, 200, 100}, 90.0), 90.0, 1e-9);
  EXPECT_NEAR(parametricDegrees({0, 0, 200, 100}, 200.0), 180.0 + 36.052, 1e-3);
}

TEST(RecordingArcs, WriteTheNormalisedBoxAndTheAngles) {
  RecordingCanvas canvas;
  canvas.arc({200, 100, 0, 0}, {200, 0}, {0, 0});
  canvas.brush().style = BrushStyle::Clear;
  canvas.pie({0, 0, 100, 100}, {100, 50}, {50, 0});
  canvas.chord({0, 0, 100, 100}, {7, 7}, {7, 7});
  EXPECT_EQ(canvas.text(),
            "Arc (0,0)-(200,100) (200,0) (0,0) from 26.6 sweep 126.9 | pen #000000 w1 solid\n"
            "Pie (0,0)-(100,100) (100,50) (50,0) from 0.0 sweep 90.0 | pen #000000 w1 solid"
            " | brush clear\n"
            "Chord (0,0)-(100,100) (7,7) (7,7) from 135.0 sweep 360.0 | pen #000000 w1 solid"
            " | brush clear\n");
}

// Whether any pixel of the box (right and bottom exclusive) is drawn.
bool anyInk(const QImage& image, const Rect& box) {
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (!isWhite(image, x, y)) return true;
    }
  }
  return false;
}

TEST(QtArcs, StartWhereTheRayCrossesTheEllipseNotAtTheParametricAngle) {
  ImageCanvas c(200, 100);
  // From the top-right corner's ray to the top-left's: on the 2:1 ellipse the
  // rays cross it at x = 100 +- 70.7; a parametric 26.6 degrees would reach
  // out to x = 189.
  c.canvas->arc({0, 0, 200, 100}, {200, 0}, {0, 0});
  EXPECT_NEAR(inkBounds(c.image).left, 29, 1);
  EXPECT_NEAR(inkBounds(c.image).right, 171, 1);
  EXPECT_LE(inkBounds(c.image).bottom, 16);
  EXPECT_TRUE(anyInk(c.image, {95, 0, 105, 2}));  // through the top
}

TEST(QtArcs, QuarterRunsCounterClockwiseFromStartToEnd) {
  ImageCanvas c(200, 100);
  c.canvas->arc({0, 0, 200, 100}, {300, 50}, {100, -500});
  EXPECT_TRUE(anyInk(c.image, {195, 45, 200, 51}));  // starts at the right
  EXPECT_TRUE(anyInk(c.image, {95, 0, 105, 3}));     // ends at the top
  EXPECT_FALSE(anyInk(c.image, {0, 0, 98, 100}));    // nothing on the left
  EXPECT_FALSE(anyInk(c.image, {0, 52, 200, 100}));  // nor below the middle
}

TEST(QtArcs, EqualRadialsDrawTheWholeEllipse) {
  ImageCanvas c(200, 100);
  c.canvas->arc({0, 0, 200, 100}, {150, 20}, {150, 20});
  EXPECT_EQ(inkBounds(c.image), (Rect{0, 0, 200, 100}));
  EXPECT_TRUE(anyInk(c.image, {0, 45, 3, 55}));
  EXPECT_TRUE(anyInk(c.image, {197, 45, 200, 55}));
  EXPECT_TRUE(anyInk(c.image, {95, 97, 105, 100}));
}

TEST(QtArcs, ReversedBoxDrawsTheSame) {
  ImageCanvas normal(120, 80);
  ImageCanvas reversed(120, 80);
  normal.canvas->pie({10, 10, 110, 70}, {110, 10}, {10, 70});
  reversed.canvas->pie({110, 70, 10, 10}, {110, 10}, {10, 70});
  EXPECT_EQ(normal.image, reversed.image);
  EXPECT_FALSE(normal.image == ImageCanvas(120, 80).image);
}

TEST(QtArcs, PieFillsTheWedgeAndChordTheSegment) {
  ImageCanvas pie(101, 101);
  ImageCanvas chord(101, 101);
  for (ImageCanvas* c : {&pie, &chord}) c->canvas->brush().color = colors::black;
  pie.canvas->pie({0, 0, 101, 101}, {101, 50}, {50, 0});
  chord.canvas->chord({0, 0, 101, 101}, {101, 50}, {50, 0});
  // The upper-right quarter: the pie reaches the centre, the chord stops at
  // the line between the arc's ends.
  EXPECT_FALSE(isWhite(pie.image, 60, 40));
  EXPECT_FALSE(isWhite(pie.image, 85, 15));
  EXPECT_TRUE(isWhite(pie.image, 40, 60));
  EXPECT_TRUE(isWhite(chord.image, 60, 40));
  EXPECT_FALSE(isWhite(chord.image, 85, 15));
}

}  // namespace
}  // namespace nv::platform
