#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/measure.h"
#include "model/measure_items.h"

using draw_test::BottomLine;
using draw_test::Box;
using draw_test::ColumnX;
using draw_test::Draw;
using draw_test::EightMeasures;
using draw_test::TextsOf;

namespace {

// Step 2 in octave 5 puts the line at the staff's bottom line.
template <typename Item = TECMeasureItem>
Item& AddSpanner(TECMusicScore& score, int m, std::uint8_t kind, int position, int length) {
  return draw_test::AddItem<Item>(*score.CurrentInstrument()->GetRow(0)->GetMeasure(m), kind, position, length, 2, 5);
}

// The lines that drawing with the item adds to drawing without it, pen
// parts cut off.
std::vector<std::string> Added(const std::vector<std::string>& without, const std::vector<std::string>& with,
                               const std::string& prefix) {
  std::map<std::string, int> seen;
  for (const auto& line : without) ++seen[line];
  std::vector<std::string> added;
  for (const auto& line : with) {
    if (seen[line] > 0) {
      --seen[line];
      continue;
    }
    if (line.rfind(prefix, 0) == 0) added.push_back(line.substr(0, line.find(" |")));
  }
  return added;
}

std::string Segment(int x1, int y1, int x2, int y2) {
  return "LineTo (" + std::to_string(x1) + "," + std::to_string(y1) + ") to (" + std::to_string(x2) + "," +
         std::to_string(y2) + ")";
}

// The page is 100 mm wide with 10 mm margins: systems end at x 340 and
// stand 83 pixels apart.
constexpr int kSystemEnd = 340;
constexpr int kSystemDistance = 83;

struct Hairpin {
  std::vector<std::string> lines;
  int x, y, x2, end;  // start, line, next system's start, end
  TECMeasureItem* item;
  std::unique_ptr<TECMusicScore> score;
};

// A hairpin from tick 64 of measure 1 (the first system's last) to tick 64
// of measure 2 (the next system's first).
Hairpin DrawHairpin(std::uint8_t kind) {
  Hairpin h;
  h.score = EightMeasures();
  const auto without = Draw(*h.score);
  h.item = &AddSpanner(*h.score, 1, kind, 64, 128);
  h.lines = Added(without, Draw(*h.score), "LineTo");
  h.x = ColumnX(*h.score, 1, 64);
  h.y = BottomLine(*h.score, 1);
  h.x2 = ColumnX(*h.score, 2, 0);
  h.end = ColumnX(*h.score, 2, 64);
  return h;
}

TEST(SpannerPainter, CrescendoClosesOnTheFirstSystemAndStartsOpenOnTheNext) {
  const Hairpin h = DrawHairpin(ek::Crescendo);
  const int y2 = h.y + kSystemDistance;
  EXPECT_EQ(h.lines, (std::vector<std::string>{
                         Segment(kSystemEnd, h.y, h.x, h.y + 3), Segment(h.x, h.y + 3, kSystemEnd, h.y + 6),
                         Segment(h.x2, y2 + 2, h.end, y2), Segment(h.x2, y2 + 4, h.end, y2 + 6)}));
  // The box's left follows the next system's start, further left.
  EXPECT_EQ(Box(h.item->Box), Box({h.x2 - 1, h.y - 1, kSystemEnd + 1, y2 + 8}));
  EXPECT_EQ(h.item->DrawnEnd, h.end + 1);
  // Each system's part keeps its own box for hit testing.
  ASSERT_EQ(h.item->SegmentBoxes.size(), 2u);
  EXPECT_EQ(Box(h.item->SegmentBoxes[0]), Box({h.x - 1, h.y - 1, kSystemEnd + 1, h.y + 8}));
  EXPECT_EQ(Box(h.item->SegmentBoxes[1]), Box({h.x2 - 1, y2 - 1, h.end + 1, y2 + 8}));
}

TEST(SpannerPainter, DiminuendoNarrowsAtTheBreakAndStartsFullyOpen) {
  const Hairpin h = DrawHairpin(ek::Diminuendo);
  const int y2 = h.y + kSystemDistance;
  EXPECT_EQ(h.lines, (std::vector<std::string>{
                         Segment(h.x, h.y, kSystemEnd, h.y + 2), Segment(kSystemEnd, h.y + 4, h.x, h.y + 6),
                         Segment(h.x2, y2, h.end, y2 + 3), Segment(h.end, y2 + 3, h.x2, y2 + 6)}));
  EXPECT_EQ(h.item->DrawnEnd, h.end + 1);
}

// Within one measure the shifts move the start (x shift x vf / 10000, ones'
// complement) and the end (pixels, signed).
TEST(SpannerPainter, CrescendoInOneMeasureTakesItsShifts) {
  auto score = EightMeasures();
  const auto without = Draw(*score);
  TECMeasureItem& item = AddSpanner(*score, 0, ek::Crescendo, 0, 64);
  item.Params[2] = 4;
  item.Params[3] = static_cast<std::uint8_t>(-3);
  const auto lines = Added(without, Draw(*score), "LineTo");
  const int x = ColumnX(*score, 0, 0) + 4;
  const int end = ColumnX(*score, 0, 64) - 3;
  const int y = BottomLine(*score, 0);
  EXPECT_EQ(lines, (std::vector<std::string>{Segment(end, y, x, y + 3), Segment(x, y + 3, end, y + 6)}));
  EXPECT_EQ(item.DrawnEnd, end + 1);
}

// From the first measure over both systems of page 0 into page 1: an "8"
// at the start of every system's part, the last one drawn from the
// carry-over of the next page.
TEST(SpannerPainter, OctaveLineShowsItsEightAtEverySystem) {
  auto score = EightMeasures();
  AddSpanner(*score, 0, ek::OctaveLineAbove, 0, 4 * 128 + 64);
  const auto first = Draw(*score);
  const auto eights = TextsOf(first, "8");
  ASSERT_EQ(eights.size(), 2u);
  EXPECT_EQ(eights[0].x, ColumnX(*score, 0, 0) - 8);
  EXPECT_EQ(eights[1].x, ColumnX(*score, 2, 0) - 8);
  EXPECT_EQ(eights[1].y - eights[0].y, kSystemDistance);

  nv::render::LayoutScore(*score, 0, false);
  score->SetActivePage(1);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(400, 320));
  score->DrawPage(canvas, score->GetZoom(), score->GetZoom(), nullptr);
  const auto next = TextsOf(canvas.lines(), "8");
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].x, ColumnX(*score, 4, 0) - 8);
}

struct BarreCase {
  const char* name;
  int style;
  std::vector<std::string> texts;  // in drawing order
};

class Barre : public ::testing::TestWithParam<BarreCase> {};

// The fraction's numerator and denominator, then the letter, then the
// position in Roman numerals (here 4).
TEST_P(Barre, DrawsFractionLetterAndPosition) {
  auto score = EightMeasures();
  TECMeasureItem& item = AddSpanner(*score, 0, ek::Barre, 0, 64);
  item.Params[1] = static_cast<std::uint8_t>(GetParam().style);
  item.Params[2] = 4;
  std::vector<std::string> texts;
  for (const auto& line : Draw(*score))
    if (line.rfind("TextOut", 0) == 0 && line.find("| font \"Arial\"") != std::string::npos) {
      const auto open = line.find('"');
      texts.push_back(line.substr(open + 1, line.find('"', open + 1) - open - 1));
    }
  EXPECT_EQ(texts, GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(Styles, Barre,
                         ::testing::Values(BarreCase{"FiveSixths", 5, {"5", "6", "IV"}},
                                           BarreCase{"OneHalf", 3, {"1", "2", "IV"}},
                                           BarreCase{"LetterB", 0x10, {"B", "IV"}},
                                           BarreCase{"LetterC", 0x20, {"C", "IV"}},
                                           BarreCase{"FractionAndLetter", 0x11, {"1", "6", "B", "IV"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A bend from the bottom line to 20 pixels right and 12 up.
struct BendDrawing {
  std::vector<std::string> lines;
  int sx, sy;
};

BendDrawing DrawBendOfType(int type) {
  BendDrawing d;
  auto score = EightMeasures();
  const auto without = Draw(*score);
  TECBend& bend = AddSpanner<TECBend>(*score, 0, ek::Bend, 0, 0);
  bend.BendType = static_cast<std::uint8_t>(type);
  bend.Curve = {1020, 988, 1040, 988, 1060, 1000};
  d.lines = Added(without, Draw(*score), "TextOut");
  d.sx = ColumnX(*score, 0, 0);
  d.sy = BottomLine(*score, 0);
  return d;
}

// The half mark's "1" stands 4u left of and 4u above its centre.
TEST(SpannerPainter, BendHalfMarkRightOfTheTargetForTypeZeroAboveForTypeOne) {
  const BendDrawing right = DrawBendOfType(0);
  ASSERT_EQ(right.lines.size(), 2u);
  const int tx = right.sx + 20;
  const int ty = right.sy - 12;
  EXPECT_EQ(right.lines[0].substr(0, right.lines[0].find(" \"")),
            "TextOut (" + std::to_string(tx + 4 - 4) + "," + std::to_string(ty - 4 - 4) + ")");
  const BendDrawing above = DrawBendOfType(1);
  ASSERT_EQ(above.lines.size(), 2u);
  EXPECT_EQ(above.lines[0].substr(0, above.lines[0].find(" \"")),
            "TextOut (" + std::to_string(tx - 4) + "," + std::to_string(ty - 4 - 4) + ")");
}

// At the smallest zoom and scale the trill's step of 6u would be 0 pixels;
// the drawing still ends.
TEST(SpannerPainter, TrillAtTheSmallestZoomEnds) {
  auto score = EightMeasures();
  score->SetScale(10);
  score->SetZoom(10);
  AddSpanner(*score, 0, ek::TrillLine, 0, 3 * 128);
  const auto lines = Draw(*score);
  EXPECT_FALSE(lines.empty());
}

}  // namespace
