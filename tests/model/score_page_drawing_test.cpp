#include <gtest/gtest.h>

#include <string>

#include "model/score_page.h"
#include "platform/qt/qt_picture.h"
#include "platform/recording_canvas.h"
#include "fake_music_setting.h"

namespace {

using nv::platform::RecordingCanvas;

class ViewOwner : public IScorePageOwner {
 public:
  ScoreViewport viewport;
  bool printing = false;
  void InvalidateClientArea() override {}
  void InvalidateScore() override {}
  void LayoutScore(int, bool) override {}
  void SetScoreSize(int, int) override {}
  ScoreViewport Viewport() const override { return viewport; }
  bool Printing() const override { return printing; }
};

// A 254 × 127 mm page: 960 × 480 pixels at 96 dots an inch and 100 %.
class ScorePageDrawingTest : public testing::Test {
 protected:
  void SetUp() override {
    page.SetValue(TECScorePage::viWidth, 254);
    page.SetValue(TECScorePage::viHeight, 127);
    setting.metrix = TECMetrix::rmPixels;
  }

  FakeMusicSetting setting;
  ViewOwner owner;
  TECScorePage page{&owner, &setting};
  RecordingCanvas canvas{nv::platform::screenDeviceCaps(2000, 2000)};
};

TEST_F(ScorePageDrawingTest, EmptyWatermarkDrawsNothing) {
  page.DrawWatermark(canvas);
  EXPECT_EQ(canvas.text(), "");
}

std::string WatermarkLine(int x, int y, int width, int size) {
  return "TextOut (" + std::to_string(x) + "," + std::to_string(y) + ") \"Draft\" width " +
         std::to_string(width) + " | font \"Arial\" " + std::to_string(size) +
         "pt #C0C0C0 bold | transparent\n";
}

TEST_F(ScorePageDrawingTest, WatermarkBands) {
  // 24 pt bold Arial is 36 pixels high and "Draft" 70 wide: centred at
  // (960 - 70) / 2; lines 36 + 10 apart from 80 while above 480 - 80.
  page.SetText("Draft");
  page.DrawWatermark(canvas);
  std::string expected;
  for (int y : {80, 126, 172, 218, 264, 310, 356}) expected += WatermarkLine(445, y, 70, 24);
  EXPECT_EQ(canvas.text(), expected);
  EXPECT_TRUE(canvas.brush().isSolid());
}

// Bands at other zooms: the page, the font, the line spacing and the margins
// all scale; in print the text is 24 pt but spaced as measured at the zoom.
TEST_F(ScorePageDrawingTest, WatermarkFollowsZoomAndPrinting) {
  const struct {
    int zoom;
    bool printing;
    int size;
    int width;   // of "Draft" at that size
    int x;       // (page width - text width) / 2
    int top;     // zoom × 80 / 100
    int step;    // height of "A" + zoom × 10 / 100
    int bottom;  // page height - zoom × 80 / 100
  } table[] = {
      {50, false, 12, 34, (480 - 34) / 2, 40, 17 + 5, 240 - 40},
      {150, false, 36, 104, (1440 - 104) / 2, 120, 53 + 15, 720 - 120},
      {150, true, 24, 70, (1440 - 70) / 2, 120, 53 + 15, 720 - 120},
  };
  page.SetText("Draft");
  for (const auto& row : table) {
    setting.zoom = row.zoom;
    owner.printing = row.printing;
    canvas.clear();
    page.DrawWatermark(canvas);
    std::string expected;
    for (int y = row.top; y < row.bottom; y += row.step) {
      expected += WatermarkLine(row.x, y, row.width, row.size);
    }
    EXPECT_EQ(canvas.text(), expected) << row.zoom << (row.printing ? " printing" : "");
  }
}

TEST_F(ScorePageDrawingTest, BackgroundFillsPageAndVisibleMarginsThenClips) {
  // Scrolled to (100, 50); the client less its scroll bars ends at (1283, 733).
  owner.viewport = {100, 50, 1200, 700, 17, 17, true};
  page.SetBrush({nv::platform::colors::yellow, nv::platform::BrushStyle::Solid, {}});
  page.DrawBackground(canvas, {0, 0, 10, 10});
  EXPECT_EQ(canvas.text(),
            "FillRect (0,0)-(960,480) | brush #FFFF00 solid\n"
            "FillRect (960,50)-(1283,733) | brush #F0F0F0 solid\n"
            "FillRect (100,480)-(1283,734) | brush #F0F0F0 solid\n"
            "Polyline (961,4) (961,481) (4,481) | pen #000000 w2 solid\n"
            "IntersectClipRect (0,0)-(960,480)\n");
  EXPECT_EQ(canvas.pen().width, 1);

  // Disabled: no scroll bars; the visible part inside the page is not filled.
  owner.viewport = {0, 0, 500, 300, 17, 17, false};
  canvas.clear();
  page.DrawBackground(canvas, {0, 0, 10, 10});
  EXPECT_EQ(canvas.text(),
            "FillRect (0,0)-(960,480) | brush #FFFF00 solid\n"
            "Polyline (961,4) (961,481) (4,481) | pen #000000 w2 solid\n"
            "IntersectClipRect (0,0)-(500,300)\n");
}

TEST_F(ScorePageDrawingTest, PatternBrushIsNotLeftOnTheCanvas) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  pattern.fill(Qt::red);
  page.SetBrush({nv::platform::colors::white, nv::platform::BrushStyle::Solid,
                 nv::platform::pictureFromImage(pattern)});
  page.DrawBackground(canvas, {});
  EXPECT_EQ(canvas.lines().front(), "FillRect (0,0)-(960,480) | brush picture 8x8");
  EXPECT_TRUE(canvas.brush().pattern.isEmpty());
}

}  // namespace
