// The score's view state on a recording host: zoom and scroll bars,
// invalidation under its lock, the caret counter.
#include <gtest/gtest.h>

#include "model/music_score.h"
#include "model/score_builder.h"

namespace {

using score_builder::MakeScore;

// An A4 page (2100 x 2970 tenths of a mm) at 96 DPI: 794 x 1123 pixels at Zoom 100.
struct ScoreView : ::testing::Test {
  void SetUp() override {
    score = MakeScore(1, 4);
    score->Page().SetPaperSize(TECPaperSize::A4);
    score->SetHost(&host);
    score->UpdateScrollBars(false);
  }
  void TearDown() override { score->SetHost(nullptr); }
  FakeScoreHost host;
  std::unique_ptr<TECMusicScore> score;
};

TEST_F(ScoreView, ScrollBarsTakeThePageAndTheClientLessTheBars) {
  EXPECT_EQ(score->HorzScrollBar, (TECScrollBar{794, 400 - 16, 0}));
  EXPECT_EQ(score->VertScrollBar, (TECScrollBar{1123, 300 - 16, 0}));
  EXPECT_EQ(host.horizontal, score->HorzScrollBar);
  score->SetRules(true);
  score->UpdateScrollBars(false);
  EXPECT_EQ(score->HorzScrollBar.PageSize, 400 - 16 - 24) << "the ruler takes its strip";
}

TEST_F(ScoreView, ZoomToPageWidthFillsTheClientWithinTheSetterRange) {
  struct Case {
    int clientWidth;
    int expected;
  };
  // (client - 16) x 100 / (2100 / (254 / 96)), to the nearest integer; the
  // result is held to Zoom's range 10..1000.
  const Case cases[] = {{1000, 124}, {816, 101}, {20, 10}, {9000, 1000}};
  for (const Case& c : cases) {
    score->SetZoom(100);
    host.clientWidth = c.clientWidth;
    score->ZoomToPageWidth();
    EXPECT_EQ(score->GetZoom(), c.expected) << c.clientWidth;
  }
  // Height: (300 - 16) x 100 / (2970 / (254 / 96)) = 25.3.
  score->ZoomToPageHeight();
  EXPECT_EQ(score->GetZoom(), 25);
}

TEST_F(ScoreView, ZoomKeepsTheScrollAtTheSameFractionOfItsRange) {
  // Horizontal range 794 - 384 = 410: 205 is half-way.
  score->ScrollTo(TECScrollBarKind::sbHorizontal, 205);
  score->SetZoom(9);
  EXPECT_EQ(score->GetZoom(), 100) << "9 is below the smallest zoom";
  score->SetZoom(200);
  // At Zoom 200 the page is 1587 wide (1587.4): range 1203, half-way 601
  // (whole pixels, rounded down).
  EXPECT_EQ(score->HorzScrollBar, (TECScrollBar{1587, 384, 601}));
  EXPECT_EQ(host.horizontal, score->HorzScrollBar);
  EXPECT_EQ(score->VertScrollBar.Position, 0);
  score->SetZoom(10);
  EXPECT_EQ(score->GetZoom(), 10);
  // 79 pixels fit the view: no range, position 0.
  EXPECT_EQ(score->HorzScrollBar, (TECScrollBar{79, 79, 0}));
  score->SetScale(10);
  EXPECT_EQ(score->GetScale(), 10);
  EXPECT_EQ(score->ZoomFactor(), 100);
}

TEST_F(ScoreView, ScrollToClampsAndRepaintsTheUncoveredStrip) {
  host.invalidated.clear();
  score->ScrollTo(TECScrollBarKind::sbHorizontal, 5000);
  EXPECT_EQ(score->HorzScrollBar.Position, 410) << "clamped to Max - PageSize";
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].area, (TECRect{0, 0, 383, 283}));
  EXPECT_EQ(host.scrolls[0].dx, -410);
  // Forward: from client width + old - bar - new - 2 = -28 (the host's strip
  // starts at 383 - 410 too) to the area's right edge.
  EXPECT_EQ(host.invalidated, (std::vector<TECRect>{{-28, 0, 383, 283}}));
  EXPECT_EQ(host.repaints, 1);
  score->ScrollTo(TECScrollBarKind::sbVertical, -5);
  EXPECT_EQ(host.scrolls.size(), 1u) << "already at 0";
}

TEST_F(ScoreView, InvalidationUnderTheLockIsCountedAndDoneOnceAtTheEnd) {
  score->SetRules(true);
  host.invalidated.clear();
  {
    ScopedInvalidationLock lock(*score);
    score->InvalidateArea({10, 10, 20, 20});
    score->InvalidateScore();
    {
      ScopedInvalidationLock inner(*score);
      score->InvalidateArea({0, 0, 5, 5});
    }
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_EQ(score->InvalidationCount, 3);
  }
  // The score area right of and below the rulers, less the bars.
  EXPECT_EQ(host.invalidated, (std::vector<TECRect>{{24, 24, 384, 284}}));
  // Unlocked, a document rectangle moves by the ruler size.
  score->InvalidateArea({10, 10, 20, 20});
  EXPECT_EQ(host.invalidated.back(), (TECRect{34, 34, 44, 44}));
}

TEST_F(ScoreView, ADocumentRectangleIsRepaintedWhereTheScrolledViewShowsIt) {
  score->SetRules(true);
  score->UpdateScrollBars(false);
  score->ScrollTo(TECScrollBarKind::sbHorizontal, 30);
  score->ScrollTo(TECScrollBarKind::sbVertical, 40);
  score->InvalidateArea({100, 100, 110, 110});
  // Less the scroll positions, plus the ruler: x 100 - 30 + 24, y 100 - 40 + 24.
  EXPECT_EQ(host.invalidated.back(), (TECRect{94, 84, 104, 94}));
}

TEST_F(ScoreView, TwoCaretHidesNeedTwoShows) {
  // Hidden before it was ever shown: the count becomes -1 without drawing.
  score->ShowCaret(false);
  EXPECT_EQ(score->CaretHideCount(), -1);
  EXPECT_TRUE(host.caret.empty());
  score->ShowCaret(true);
  score->ShowCaret(false);
  score->ShowCaret(false);
  score->ShowCaret(true);
  EXPECT_EQ(host.caret, (std::vector<bool>{true, false})) << "one show after two hides draws nothing";
  score->ShowCaret(true);
  EXPECT_EQ(host.caret, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(score->CaretHideCount(), 0);
}

TEST(ScoreViewWithoutHost, SettersKeepTheStateAndRepaintNothing) {
  auto score = MakeScore(1, 1);
  score->SetZoom(150);
  EXPECT_EQ(score->GetZoom(), 150);
  score->ZoomToPageWidth();
  EXPECT_EQ(score->GetZoom(), 150) << "no client to fill";
  score->ShowCaret(false);
  score->ShowCaret(true);
  EXPECT_EQ(score->CaretHideCount(), 0);
  score->ScrollTo(TECScrollBarKind::sbHorizontal, 30);
  EXPECT_EQ(score->HorzScrollBar.Position, 0) << "no range without a window";
}

}  // namespace
