#include <gtest/gtest.h>

#include "draw_test_support.h"
#include "model/measure.h"
#include "render/symbols_row_painter.h"

using draw_test::Draw;
using draw_test::TextsOf;
using draw_test::With;

namespace {

using nv::render::PainterContext;
using nv::render::RehearsalText;

TECMeasure& Measure(TECMusicScore& score, int m = 0) { return *score.CurrentInstrument()->GetRow(0)->GetMeasure(m); }

// The y values of the corners of the first polygon line.
std::vector<int> PolygonYs(const std::vector<std::string>& lines) {
  const auto polygons = With(lines, "Polygon");
  std::vector<int> ys;
  if (polygons.empty()) return ys;
  std::string rest = polygons[0];
  for (auto at = rest.find('('); at != std::string::npos; at = rest.find('(', at + 1)) {
    int x = 0, y = 0;
    if (std::sscanf(rest.c_str() + at, "(%d,%d)", &x, &y) == 2) ys.push_back(y);
  }
  return ys;
}

// A rest whose step and octave are both 0 stands in the middle of the
// staff, its cell top on the second line; its box is its hit height.
TEST(MeasurePainter, RestsByValue) {
  auto score = layout_test::MakeScore(1, 1);
  TECRest* quarter = score_builder::AddRest(Measure(*score), 32, 0);
  TECRest* whole = score_builder::AddRest(Measure(*score), 128, 32, 1);
  score_builder::AddRest(Measure(*score), 3, 64);  // no such value: nothing
  const auto lines = Draw(*score);
  const auto glyph = TextsOf(lines, "M");
  ASSERT_EQ(glyph.size(), 1u);
  EXPECT_EQ(glyph[0].y, 104);
  EXPECT_EQ(draw_test::Box(quarter->Box),
            std::to_string(glyph[0].x - 1) + ",103," + std::to_string(glyph[0].x + 6) + ",124");
  // The whole rest is a block hanging from y, half a space high.
  EXPECT_EQ(With(lines, "FillRect (" + std::to_string(whole->Box.Left + 1) + ",104)-(").size(), 1u);
  EXPECT_EQ(TextsOf(lines, "N").size() + TextsOf(lines, "O").size(), 0u);
}

struct BeamCase {
  const char* name;
  int secondStep;
  int secondOctave;
  int expectedRise;  // second end minus first end
};

// The beam lies flat when the end heads are less than a space apart, else
// climbs exactly one space over the group.
TEST(MeasurePainter, BeamSlopes) {
  const BeamCase cases[] = {{"second", 6, 5, 0}, {"fifth up", 2, 6, -6}, {"fifth down", 1, 5, 6}};
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 1);
    TECMeasure& m = Measure(*score);
    TECNote* a = score_builder::AddNote(m, 5, 5, 16, 0);
    TECNote* b = score_builder::AddNote(m, c.secondStep, c.secondOctave, 16, 16);
    a->BeamGroup = b->BeamGroup = 1;
    m.Beams = {a, b};
    const auto ys = PolygonYs(Draw(*score));
    ASSERT_EQ(ys.size(), 4u) << c.name;
    EXPECT_EQ(ys[1] - ys[0], c.expectedRise) << c.name;
  }
}

// A beam whose end notes share their x (a chord in the list) draws with no
// division by their distance.
TEST(MeasurePainter, BeamOfNotesAtOneX) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = Measure(*score);
  TECNote* a = score_builder::AddNote(m, 1, 5, 16, 0);
  TECNote* b = score_builder::AddNote(m, 5, 5, 16, 0);
  a->ChordMark = b->ChordMark = 1;
  a->BeamGroup = b->BeamGroup = 1;
  b->Extra[1] = 3;  // a beam offset, which would enter the slope's offset term
  m.Beams = {a, b};
  EXPECT_EQ(With(Draw(*score), "Polygon").size(), 1u);
}

TEST(MeasurePainter, GlyphItemsAndCodesOutsideTheFont) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = Measure(*score);
  auto add = [&](int kind, int position, int value) {
    m.Items.push_back(MakeMeasureItem(static_cast<std::uint8_t>(kind), &m));
    m.Items.back()->Position = static_cast<std::uint16_t>(position);
    m.Items.back()->Second = static_cast<std::uint16_t>(value);
    m.Items.back()->Voice = 1;  // step C
    m.Items.back()->Params[0] = 5;  // octave 5
    return m.Items.back().get();
  };
  TECMeasureItem* forte = add(166, 0, 0);
  add(175, 0, 9 + 'Q');
  add(175, 0, 5);  // code below the font's range: nothing drawn
  TECMeasureItem* late = add(160, 500, 0);  // beyond the measure: at its last tick
  const auto lines = Draw(*score);
  const auto f = TextsOf(lines, "o");
  ASSERT_EQ(f.size(), 1u);
  // C5 is the step 36 - 1 - 35 = 0 below the bottom line; width 10, centred.
  EXPECT_EQ(f[0].y, 122);
  EXPECT_EQ(forte->Box.Right - forte->Box.Left, 10 + 1);
  EXPECT_EQ(forte->Box.Bottom, 122 + 18 + 1);
  EXPECT_EQ(TextsOf(lines, "Q").size(), 1u);
  EXPECT_EQ(With(lines, "\\xFC").size(), 0u);
  // 12 points: an em of 3.5 spaces x 12 / 16 = 15.75 pixels.
  EXPECT_EQ(With(lines, "h-16").size(), 1u);
  EXPECT_GT(late->Box.Left, forte->Box.Left);
}

// A clef change inside the measure: the clef's glyph at its offset from
// the staff top, left of its tick by the room the spacing gave it.
TEST(MeasurePainter, ClefChangeItem) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = Measure(*score);
  score_builder::AddNote(m, 1, 5, 32, 0);
  score_builder::AddNote(m, 1, 4, 32, 64);
  m.Items.push_back(MakeMeasureItem(ek::ClefChange, &m));
  TECMeasureItem* change = m.Items.back().get();
  change->Position = 64;
  change->Second = 2;
  const auto lines = Draw(*score);
  // (The clef stays in force for the empty measures of the next system.)
  const auto bass = TextsOf(lines, "%");
  ASSERT_FALSE(bass.empty());
  EXPECT_EQ(bass[0].y, 98);
  EXPECT_GT(change->SpacingOffset, 0);
  EXPECT_EQ(change->Box.Left, bass[0].x - 1);
  // The note after it reads the bass clef: C4 stands in the staff.
  const auto heads = TextsOf(lines, "B");
  ASSERT_EQ(heads.size(), 2u);
  EXPECT_LT(heads[1].y + 3, 122);
  EXPECT_GT(bass[0].x, heads[0].x);
}

TEST(MeasurePainter, RehearsalLettersContinueAfterZ) {
  const struct {
    int counter;
    const char* text;
  } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {28, "AB"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}};
  for (const auto& c : cases) EXPECT_EQ(RehearsalText(c.counter, false), c.text) << c.counter;
  EXPECT_EQ(RehearsalText(5, true), "4");
}

// Columns come from the layout record, the tick limited to the measure;
// without a record, the caret's estimate.
TEST(MeasurePainter, ColumnsBoundedAndWithoutRecord) {
  auto score = layout_test::MakeScore(1, 1);
  TECInstrument& instrument = *score->CurrentInstrument();
  nv::platform::RecordingCanvas canvas;
  PainterContext ctx(canvas, *score, instrument, 100, 100);
  ctx.Row = instrument.GetRow(0);
  TECMeasureLayout record;
  record.Positions = {10, 20, 30};
  ctx.Layout = &record;
  ctx.MeasureX = 100;
  EXPECT_EQ(ctx.ColumnX(1), 120);
  EXPECT_EQ(ctx.ColumnX(999), 130);
  EXPECT_EQ(ctx.ColumnX(-5), 110);
  record.MeasureLength = 1;  // a table longer than its measure
  EXPECT_EQ(ctx.ColumnX(2), 120);
  ctx.Layout = nullptr;
  ctx.FirstInSystem = false;
  EXPECT_EQ(ctx.ColumnOffset(32), 16 + 10);
  ctx.FirstInSystem = true;
  ctx.KeyAccidentals = 2;
  EXPECT_EQ(ctx.ColumnOffset(32), 12 + 16 + 32);
}

}  // namespace
