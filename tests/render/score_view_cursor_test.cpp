// The view's cursor operations on a laid-out score: placing the cursor from
// a point, the caret's strokes, the navigator strip and its clicks.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "draw_test_support.h"
#include "model/units.h"
#include "platform/recording_canvas.h"

namespace {

using score_builder::AddNote;

struct CursorFromPoint : ::testing::Test {
  void SetUp() override {
    score = layout_test::MakeScore(2, 4);
    score->SetTimeSignature(4, 4, 0, true);
    TECRow& lower = *score->CurrentInstrument()->GetRow(1);
    lower.SetVoiceMode(1);
    for (int voice : {0, 1})
      for (int q = 0; q < 4; ++q) AddNote(*lower.GetMeasure(1), 3 + q, 4, 32, q * 32, voice);
    nv::render::LayoutScore(*score, 0, false);
    ASSERT_GE(lower.Placement.size(), 2u);
    place = lower.Placement[1];
    const TECMeasureLayout& layout = *score->CurrentInstrument()->LayoutAt(1);
    columns = place.X + layout.HeaderWidth + layout.ExtraWidth;
    positions = layout.Positions;
    d = StaffSpace(96, 10000);
  }
  std::unique_ptr<TECMusicScore> score;
  TECMeasurePlace place;
  int columns = 0;  // x of tick 0's column offset origin in measure 1
  std::vector<std::int32_t> positions;
  int d = 0;
};

TEST_F(CursorFromPoint, TakesTheRowTheLastTickLeftOfThePointAndTheVoiceByHeight) {
  struct Case {
    const char* name;
    int x, y;
    int tick, voice, pitchLine;
  };
  // Pitch line: (row top + 5D + D/2 - y) x 2 / D, plus 35.
  const Case cases[] = {
      {"between the third and fourth column, low", columns + positions[64] + 1, place.Y + 3 * d, 64, 1,
       35 + (5 * d + d / 2 - 3 * d) * 2 / d},
      {"on the second column, high", columns + positions[32], place.Y + d, 32, 0, 35 + (5 * d + d / 2 - d) * 2 / d},
      {"left of the first column", columns + positions[0] - 1, place.Y + 2 * d, 0, 0, 35 + (3 * d + d / 2) * 2 / d},
  };
  for (const Case& c : cases) {
    score->SetActiveInstrument(0);
    score->CurrentInstrument()->SetActiveRow(0);
    score->GoToMeasure(0);
    score->SetCursorFromPoint(c.x, c.y, true);
    EXPECT_TRUE(score->ScoreClicked) << c.name;
    EXPECT_EQ(score->CurrentInstrument()->GetActiveRowIndex(), 1) << c.name;
    EXPECT_EQ(score->CursorMeasure(), 1) << c.name;
    EXPECT_EQ(score->CursorTick(), c.tick) << c.name;
    EXPECT_EQ(score->CursorVoice(), c.voice) << c.name;
    EXPECT_EQ(score->CursorPitch(), c.pitchLine) << c.name;
  }
}

TEST_F(CursorFromPoint, APointOffEveryStaffChangesNothing) {
  score->SetCursorFromPoint(columns, place.Y + 40 * d, true);
  EXPECT_FALSE(score->ScoreClicked);
  EXPECT_EQ(score->CursorMeasure(), 0);
}

TEST_F(CursorFromPoint, CaretIsAnXorLineThatTheSecondDrawingErases) {
  score->CurrentInstrument()->SetActiveRow(1);
  score->GoToMeasure(1);
  score->SetCursorPosition(64);
  nv::platform::RecordingCanvas canvas;
  score->DrawCaret(canvas, true);
  const std::string x = std::to_string(columns + positions[64]);
  // From 4 above the staff to 4 below it, 8 pixels higher for voice 0 of two.
  const std::string line = "LineTo (" + x + "," + std::to_string(place.Y - 4 - 8) + ") to (" + x + "," +
                           std::to_string(place.Y + 4 * d + 4 - 8) + ")";
  const auto strokes = draw_test::With(canvas.lines(), "LineTo");
  ASSERT_EQ(strokes.size(), 2u) << "the caret and its pitch tick";
  EXPECT_EQ(strokes[0].rfind(line, 0), 0u) << strokes[0];
  EXPECT_NE(strokes[0].find("w2 solid xor"), std::string::npos) << strokes[0];
}

// A navigator panel of a given width that records what is drawn on it later.
struct Panel : IECNavigatorPanel {
  int width = 220;
  nv::platform::RecordingCanvas later;
  int ClientWidth() const override { return width; }
  void DrawNow(const std::function<void(nv::platform::Canvas&)>& draw) override { draw(later); }
};

// x of the measure-scale ticks (lines ending on the scale line at y 38).
std::set<int> ScaleTicks(const nv::platform::RecordingCanvas& canvas) {
  std::set<int> ticks;
  for (const std::string& line : canvas.lines()) {
    int x1, y1, x2, y2;
    if (std::sscanf(line.c_str(), "LineTo (%d,%d) to (%d,%d)", &x1, &y1, &x2, &y2) == 4 && x1 == x2 && y2 == 38 &&
        (y1 == 34 || y1 == 36))
      ticks.insert(x1);
  }
  return ticks;
}

TEST(Navigator, TicksStandAtTheMeasuresScaleAndAClickGoesThere) {
  auto score = layout_test::MakeScore(1, 20);
  nv::render::LayoutScore(*score, 0, false);
  Panel panel;
  nv::platform::RecordingCanvas canvas;
  score->PaintNavigator(panel, canvas);
  // (220 - 20) / 20 measures: 10 pixels a measure.
  EXPECT_DOUBLE_EQ(score->NavigatorScale(), 10.0);
  std::set<int> expected;
  for (int m = 0; m < 20; ++m) expected.insert(10 + m * 10);
  EXPECT_EQ(ScaleTicks(canvas), expected);
  struct Click {
    int x, measure;
  };
  for (const Click& c : {Click{10 + 7 * 10, 7}, Click{10 + 12 * 10 + 4, 12}, Click{10 + 3 * 10 - 4, 3}, Click{5000, 19},
                         Click{-300, 0}}) {
    score->NavigatorClick(c.x);
    EXPECT_EQ(score->CursorMeasure(), c.measure) << c.x;
  }
  // The cursor marker moved: taken off and drawn again on the panel.
  EXPECT_FALSE(draw_test::With(panel.later.lines(), "xor").empty());
}

TEST(Navigator, APanelWithoutRoomForMeasuresDrawsNoTicksAndIgnoresClicks) {
  auto score = layout_test::MakeScore(1, 20);
  nv::render::LayoutScore(*score, 0, false);
  Panel panel;
  panel.width = 15;
  nv::platform::RecordingCanvas canvas;
  score->PaintNavigator(panel, canvas);
  EXPECT_TRUE(ScaleTicks(canvas).empty());
  score->NavigatorClick(60);
  EXPECT_EQ(score->CursorMeasure(), 0);
}

}  // namespace
