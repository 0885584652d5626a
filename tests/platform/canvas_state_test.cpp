#include "canvas_test_support.h"

#include "platform/recording_canvas.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nv::platform {
namespace {

using testing::ascii;
using testing::ImageCanvas;
using testing::inkBounds;

// Saves and clips in nested levels and takes them back; the same script runs
// on both backends. `seen` gets what the canvas reports after each step.
struct StateStep {
  Rect clip;
  Point origin;
  int penWidth;
};

std::vector<StateStep> runNestedScript(Canvas& c) {
  std::vector<StateStep> seen;
  const auto look = [&] { seen.push_back({c.clipRect(), c.viewportOrigin(), c.pen().width}); };
  look();                                  // 0: the whole device
  EXPECT_EQ(c.saveDC(), 1);
  c.intersectClipRect({2, 2, 18, 12});
  c.pen().width = 3;
  look();                                  // 1
  EXPECT_EQ(c.saveDC(), 2);
  c.setViewportOrigin({5, 1});
  c.intersectClipRect({0, 0, 6, 20});      // device (5, 1)-(11, 21)
  c.pen().width = 5;
  look();                                  // 2: logical, so moved by the origin
  EXPECT_FALSE(c.restoreDC(3));
  EXPECT_FALSE(c.restoreDC(0));
  EXPECT_FALSE(c.restoreDC(-3));
  EXPECT_TRUE(c.restoreDC(-1));
  look();                                  // 3: back to level 1's state
  EXPECT_EQ(c.saveDC(), 2);
  c.intersectClipRect({30, 30, 40, 40});   // nothing left
  look();                                  // 4
  EXPECT_TRUE(c.restoreDC(1));             // drops both saves
  look();                                  // 5
  EXPECT_FALSE(c.restoreDC(-1));
  return seen;
}

void expectNestedStates(const std::vector<StateStep>& seen) {
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0].clip, (Rect{0, 0, 20, 14}));
  EXPECT_EQ(seen[1].clip, (Rect{2, 2, 18, 12}));
  EXPECT_EQ(seen[1].penWidth, 3);
  EXPECT_EQ(seen[2].clip, (Rect{0, 1, 6, 11}));
  EXPECT_EQ(seen[2].origin, (Point{5, 1}));
  EXPECT_EQ(seen[3].clip, (Rect{2, 2, 18, 12}));
  EXPECT_EQ(seen[3].origin, (Point{0, 0}));
  EXPECT_EQ(seen[3].penWidth, 3);
  EXPECT_EQ(seen[4].clip, Rect{});
  EXPECT_EQ(seen[5].clip, (Rect{0, 0, 20, 14}));
  EXPECT_EQ(seen[5].penWidth, 1);
}

TEST(CanvasState, SaveAndRestoreNestOnAnImage) {
  ImageCanvas c(20, 14);
  expectNestedStates(runNestedScript(*c.canvas));
}

TEST(CanvasState, SaveAndRestoreNestWhileRecording) {
  RecordingCanvas c(screenDeviceCaps(20, 14));
  expectNestedStates(runNestedScript(c));
  EXPECT_EQ(c.text(),
            "SaveDC 1\n"
            "IntersectClipRect (2,2)-(18,12)\n"
            "SaveDC 2\n"
            "SetViewportOrigin (5,1)\n"
            "IntersectClipRect (0,0)-(6,20)\n"
            "RestoreDC -1\n"
            "SaveDC 2\n"
            "IntersectClipRect (30,30)-(40,40)\n"
            "RestoreDC 1\n");
}

TEST(QtClipping, KeepsDrawingInsideAndFollowsRestore) {
  ImageCanvas c(12, 8);
  c.canvas->brush().color = colors::black;
  c.canvas->saveDC();
  c.canvas->intersectClipRect({2, 1, 10, 7});
  c.canvas->saveDC();
  c.canvas->intersectClipRect({0, 0, 5, 20});
  c.canvas->fillRect({0, 0, 12, 8});
  EXPECT_EQ(inkBounds(c.image), (Rect{2, 1, 5, 7}));
  c.canvas->restoreDC(-1);
  c.canvas->fillRect({0, 0, 12, 3});
  EXPECT_EQ(inkBounds(c.image), (Rect{2, 1, 10, 7}));
  c.canvas->intersectClipRect({20, 20, 30, 30});
  c.canvas->fillRect({0, 0, 12, 8});  // clipped away entirely
  c.canvas->restoreDC(-1);
  c.canvas->setPixel(0, 0, colors::black);
  EXPECT_EQ(ascii(c.image),
            "#...........\n"
            "..########..\n"
            "..########..\n"
            "..###.......\n"
            "..###.......\n"
            "..###.......\n"
            "..###.......\n"
            "............\n");
}

TEST(QtClipping, ClipStaysOnTheDeviceWhenTheOriginMoves) {
  ImageCanvas c(12, 8);
  c.canvas->brush().color = colors::black;
  c.canvas->intersectClipRect({0, 0, 4, 4});
  c.canvas->setViewportOrigin({2, 2});
  EXPECT_EQ(c.canvas->clipRect(), (Rect{-2, -2, 2, 2}));
  EXPECT_EQ(c.canvas->pixel(2, 2), kInvalidColor);  // device (4, 4) is clipped
  c.canvas->fillRect({0, 0, 8, 8});
  EXPECT_EQ(inkBounds(c.image), (Rect{2, 2, 4, 4}));
}

TEST(DeviceCaps, ImagesAndPdfPagesReportTheirResolutionAndMargins) {
  const QImage image(300, 200, QImage::Format_RGB32);
  EXPECT_EQ(imageDeviceCaps(image, 120, 144), (DeviceCaps{120, 144, 300, 200, 300, 200, 0, 0}));

  QTemporaryDir dir;
  QPdfWriter pdf(dir.filePath("page.pdf"));
  pdf.setResolution(600);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(10, 20, 10, 20), QPageLayout::Millimeter));
  const DeviceCaps caps = pagedDeviceCaps(pdf);
  EXPECT_EQ(caps.dpiX, 600);
  EXPECT_EQ(caps.dpiY, 600);
  // Qt rounds the page and the margins to whole points on the way.
  EXPECT_NEAR(caps.physicalWidth, 4961, 4);  // 210 mm
  EXPECT_NEAR(caps.physicalHeight, 7016, 4);  // 297 mm
  EXPECT_NEAR(caps.physicalOffsetX, 236, 4);  // 10 mm
  EXPECT_NEAR(caps.physicalOffsetY, 472, 4);  // 20 mm
  EXPECT_EQ(caps.pageWidth, caps.physicalWidth - 2 * caps.physicalOffsetX);
  EXPECT_EQ(caps.pageHeight, caps.physicalHeight - 2 * caps.physicalOffsetY);

  // The same canvas calls draw on the printer's device.
  {
    QtCanvas canvas(pdf, caps);
    canvas.setViewportOrigin({-caps.physicalOffsetX, -caps.physicalOffsetY});
    canvas.rectangle(100, 100, 1000, 600);
    canvas.font().size = 24;
    EXPECT_EQ(canvas.textHeight("A"), 223);  // 24 points at 600 DPI: em 200
    canvas.textOut(200, 200, "Notavistra");
  }
  EXPECT_GT(QFileInfo(dir.filePath("page.pdf")).size(), 1000);
}

}  // namespace
}  // namespace nv::platform
