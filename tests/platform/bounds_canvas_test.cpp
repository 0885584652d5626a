// The bounds canvas: the device rectangle a drawing touches, with the pen
// width around it, under the origin and cut to the clip.
#include "platform/bounds_canvas.h"

#include <gtest/gtest.h>

namespace {

using nv::platform::BoundsCanvas;
using nv::platform::Rect;

TEST(BoundsCanvas, NothingDrawnIsEmpty) {
  BoundsCanvas canvas(nv::platform::screenDeviceCaps(100, 100));
  EXPECT_TRUE(canvas.bounds().isEmpty());
}

TEST(BoundsCanvas, AWideLineUnderAnOriginCoversItsPenAroundIt) {
  BoundsCanvas canvas(nv::platform::screenDeviceCaps(200, 200));
  canvas.setViewportOrigin({10, 20});
  canvas.pen().width = 2;
  canvas.moveTo(30, 5);
  canvas.lineTo(30, 45);
  // Device x 40, y 25..65; two pixels of pen around it.
  EXPECT_EQ(canvas.bounds(), (Rect{38, 23, 42, 67}));
  canvas.pen().width = 1;
  canvas.moveTo(0, 0);
  canvas.lineTo(5, 0);
  EXPECT_EQ(canvas.bounds(), (Rect{9, 19, 42, 67}));
}

TEST(BoundsCanvas, TheClipCutsTheBoundsAndAClippedDrawingAddsNothing) {
  BoundsCanvas canvas(nv::platform::screenDeviceCaps(200, 200));
  canvas.intersectClipRect({0, 0, 50, 50});
  canvas.fillRect({40, 40, 80, 80});
  EXPECT_EQ(canvas.bounds(), (Rect{40, 40, 50, 50}));
  canvas.fillRect({60, 60, 70, 70});
  EXPECT_EQ(canvas.bounds(), (Rect{40, 40, 50, 50}));
}

}  // namespace
