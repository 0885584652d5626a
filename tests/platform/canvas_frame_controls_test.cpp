#include "canvas_test_support.h"

#include "platform/frame_controls.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace nv::platform {
namespace {

using testing::ImageCanvas;

Color at(const QImage& image, int x, int y) {
  const QRgb v = image.pixel(x, y);
  return rgb(qRed(v), qGreen(v), qBlue(v));
}

Color sys(SystemColor c) { return resolveColor(systemColor(c)); }

TEST(FrameControls, RaisedAndSunkenEdgesLightFromTheTopLeft) {
  ImageCanvas c(12, 6);
  drawEdge(*c.canvas, {0, 0, 6, 6}, Edge::Raised, true);
  drawEdge(*c.canvas, {6, 0, 12, 6}, Edge::Sunken, false);
  EXPECT_EQ(at(c.image, 2, 0), sys(SystemColor::Light3D));
  EXPECT_EQ(at(c.image, 2, 1), sys(SystemColor::ButtonHighlight));
  EXPECT_EQ(at(c.image, 2, 2), sys(SystemColor::ButtonFace));
  EXPECT_EQ(at(c.image, 2, 4), sys(SystemColor::ButtonShadow));
  EXPECT_EQ(at(c.image, 2, 5), sys(SystemColor::DarkShadow3D));
  EXPECT_EQ(at(c.image, 5, 0), sys(SystemColor::DarkShadow3D));  // the corner goes to the shadow
  EXPECT_EQ(at(c.image, 8, 0), sys(SystemColor::ButtonShadow));
  EXPECT_EQ(at(c.image, 8, 1), sys(SystemColor::DarkShadow3D));
  EXPECT_EQ(at(c.image, 8, 2), colors::white);  // no middle asked for
  EXPECT_EQ(at(c.image, 8, 5), sys(SystemColor::ButtonHighlight));
}

TEST(FrameControls, PushedArrowMovesDownAndRightAndLeavesTheCanvasState) {
  ImageCanvas up(17, 17);
  ImageCanvas down(17, 17);
  drawScrollArrow(*up.canvas, {0, 0, 17, 17}, ArrowDirection::Left, false, false);
  down.canvas->pen().color = colors::red;
  drawScrollArrow(*down.canvas, {0, 0, 17, 17}, ArrowDirection::Left, true, true);
  EXPECT_EQ(down.canvas->pen().color, colors::red);
  EXPECT_EQ(down.canvas->brush(), Brush{});
  const auto arrow = [](const QImage& image) {
    QImage ink(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        ink.setPixel(x, y, at(image, x, y) == colors::black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
      }
    }
    return testing::inkBounds(ink);
  };
  const Rect raised = arrow(up.image);
  EXPECT_EQ(arrow(down.image), raised.translated({1, 1}));
  EXPECT_GT(raised.height(), raised.width());  // pointing left: taller than wide
  EXPECT_EQ(at(down.image, 0, 8), sys(SystemColor::ButtonShadow));
}

TEST(FrameControls, RecordAsPlainCanvasCalls) {
  RecordingCanvas c;
  drawEdge(c, {0, 0, 4, 4}, Edge::Raised, false);
  ASSERT_EQ(c.lines().size(), 8u);
  EXPECT_EQ(c.lines()[0], "FillRect (0,0)-(3,1) | brush #E3E3E3 solid");
}

}  // namespace
}  // namespace nv::platform
