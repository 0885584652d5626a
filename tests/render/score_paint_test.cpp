// The score control's client area: rulers, page tabs and the page, on a
// recording canvas and in pixels against a reference picture.
//
// NOTAVISTRA_UPDATE_REFERENCES=1 writes the reference again (see
// page_pixel_test.cpp); look at it before committing it.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "pixel_compare.h"
#include "platform/qt/qt_back_buffer.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_font_faces.h"
#include "platform/recording_canvas.h"
#include "render/page_tabs.h"

namespace {

using score_builder::AddNote;

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 400;

struct ScorePaint : ::testing::Test {
  void SetUp() override {
    host.clientWidth = kClientWidth;
    host.clientHeight = kClientHeight;
    score = layout_test::MakeScore(2, 40);
    score->SetTimeSignature(4, 4, 0, true);
    for (int m = 0; m < 40; ++m)
      for (int q = 0; q < 4; ++q) AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(m), 1 + (m + q) % 7, 5, 32, q * 32);
    score->SetHost(&host);
    score->UpdateScrollBars(false);
    nv::render::LayoutScore(*score, 0, false);
  }
  void TearDown() override { score->SetHost(nullptr); }

  // Centres of the horizontal ruler's labels (their cells start right of the
  // vertical ruler, within the top strip), in order.
  std::vector<std::pair<std::string, int>> TopLabels() {
    nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(kClientWidth, kClientHeight));
    score->DrawRulers(canvas, false, {0, 0, kClientWidth, kClientHeight});
    std::vector<std::pair<std::string, int>> labels;
    for (const std::string& line : draw_test::With(canvas.lines(), "\"Times New Roman\"")) {
      int x = 0, y = 0, width = 0;
      char text[16] = {};
      if (std::sscanf(line.c_str(), "TextOut (%d,%d) \"%15[^\"]\" width %d", &x, &y, text, &width) != 4)
        continue;
      if (x >= score->RulerWidth && y < score->RulerWidth) labels.emplace_back(text, x + width / 2);
    }
    return labels;
  }

  FakeScoreHost host;
  std::unique_ptr<TECMusicScore> score;
};

TEST_F(ScorePaint, RulerLabelsFallEveryStepOfTheUnit) {
  score->SetRules(true);
  struct Case {
    TECMetrix unit;
    std::vector<std::pair<std::string, int>> first;
  };
  // 24 (the ruler) + n steps in pixels at 96 DPI: a centimetre is 37.8
  // pixels, an inch 96, and in pixels a label every 100 at Zoom 100.
  const Case cases[] = {
      {TECMetrix::rmMM, {{"1", 24 + 38}, {"2", 24 + 76}, {"3", 24 + 113}}},
      {TECMetrix::rmInches, {{"1", 24 + 96}, {"2", 24 + 192}, {"3", 24 + 288}}},
      {TECMetrix::rmPixels, {{"100", 24 + 100}, {"200", 24 + 200}, {"300", 24 + 300}}},
  };
  for (const Case& c : cases) {
    score->SetMetrix(c.unit);
    const auto labels = TopLabels();
    ASSERT_GE(labels.size(), 3u) << static_cast<int>(c.unit);
    EXPECT_EQ(std::vector(labels.begin(), labels.begin() + 3), c.first) << static_cast<int>(c.unit);
  }
  // The page's right edge (1000 - 100 tenths: 340 pixels) ends the labels:
  // the last one stands where the next label's cell would pass it.
  score->SetMetrix(TECMetrix::rmMM);
  EXPECT_EQ(TopLabels().back().first, "9");
}

TEST_F(ScorePaint, WithoutRulersThePageStartsAtTheClientsTopLeft) {
  for (const bool rules : {false, true}) {
    score->SetRules(rules);
    nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(kClientWidth, kClientHeight));
    score->Paint(canvas, nullptr);
    // The origin in force when the page (378 x 302 pixels) is filled.
    const std::vector<std::string>& lines = canvas.lines();
    std::string origin;
    for (const std::string& line : lines) {
      if (line.rfind("SetViewportOrigin", 0) == 0) origin = line;
      if (line.rfind("FillRect (0,0)-(378,302)", 0) == 0) break;
    }
    EXPECT_EQ(origin, rules ? "SetViewportOrigin (24,24)" : "SetViewportOrigin (0,0)") << rules;
    EXPECT_EQ(draw_test::With(canvas.lines(), "\"Times New Roman\"").empty(), !rules) << rules;
  }
}

TEST_F(ScorePaint, PageTabsStepByTheirTextAndStopBeforeTheMiddle) {
  score->SetPageCount(30);
  score->FirstPageTab = 2;
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(kClientWidth, kClientHeight));
  const nv::render::PageTabStrip strip = nv::render::LayoutPageTabs(*score, canvas);
  ASSERT_FALSE(strip.Tabs.empty());
  EXPECT_EQ(strip.Strip, (nv::platform::Rect{0, 384, 320, 400}));
  // The left arrow is a square of the strip's height + 1; the first tab's
  // corner starts after it.
  EXPECT_EQ(strip.LeftArrow, (nv::platform::Rect{0, 384, 17, 401}));
  EXPECT_EQ(strip.Tabs.front().Page, 2);
  EXPECT_EQ(strip.Tabs.front().X, 17 + 5);
  nv::render::SelectPageTabFont(canvas);
  for (std::size_t i = 1; i < strip.Tabs.size(); ++i) {
    const int text = canvas.textWidth(std::to_string(strip.Tabs[i - 1].Page + 1));
    EXPECT_EQ(strip.Tabs[i].X - strip.Tabs[i - 1].X, text + 10);
    EXPECT_EQ(strip.Tabs[i - 1].Width, text + 15);
  }
  // Every tab ends before the middle less the strip's height and 6 pixels.
  const nv::render::PageTab& last = strip.Tabs.back();
  EXPECT_LT(last.X + last.Width, 320 - 16 - 6);
  EXPECT_EQ(score->LastPageTab, last.Page);
  EXPECT_EQ(strip.RightArrow, (nv::platform::Rect{320 - 17, 384, 320, 401}));
}

TEST_F(ScorePaint, ClientAreaMatchesTheReference) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  score->SetRules(true);
  score->GoToMeasure(14);
  score->SetPageCount(30);
  score->FirstPageTab = 1;
  QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  {
    nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
    nv::platform::QtBackBuffer buffer;
    score->Paint(canvas, &buffer);
  }
  pixel_compare::ExpectMatchesReference(image, "client_area");
}

}  // namespace
