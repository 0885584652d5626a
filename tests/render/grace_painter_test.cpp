#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/measure.h"

using draw_test::AddGraceGroup;
using draw_test::Box;
using draw_test::Draw;
using draw_test::TextsOf;
using draw_test::With;

namespace {

TECNote& MainNote(TECMusicScore& score) {
  return *score_builder::AddNote(*score.CurrentInstrument()->GetRow(0)->GetMeasure(0), 5, 5, 32, 32);
}

// The main note's column: its head stands 4u left of it.
int Column(const TECNote& main, int u) { return main.HeadBox.Left + 1 + 4 * u; }

struct BeamCase {
  int value;
  std::size_t beams;
};

class GraceBeams : public ::testing::TestWithParam<BeamCase> {};

// Eighths get one beam and every halving one more, 3u apart and u thick;
// quarters none, nor a stored value of 0, whose doubling would never pass 16
// (zoom 200: u = 2).
TEST_P(GraceBeams, CountAndSpacing) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetZoom(200);
  AddGraceGroup(MainNote(*score), GetParam().value, 0, {{5, 5}, {7, 5}, {2, 6}});
  const auto beams = With(Draw(*score), "Polygon");
  ASSERT_EQ(beams.size(), GetParam().beams);
  int previous = 0;
  for (std::size_t i = 0; i < beams.size(); ++i) {
    int x0 = 0, y0 = 0, y3 = 0;
    std::sscanf(beams[i].c_str(), "Polygon (%d,%d) (%*d,%*d) (%*d,%*d) (%*d,%d)", &x0, &y0, &y3);
    EXPECT_EQ(y3 - y0, 2) << i;
    if (i > 0) {
      EXPECT_EQ(y0 - previous, 6) << i;
    }
    previous = y0;
  }
}

INSTANTIATE_TEST_SUITE_P(Values, GraceBeams,
                         ::testing::Values(BeamCase{4, 3}, BeamCase{8, 2}, BeamCase{16, 1}, BeamCase{32, 0},
                                           BeamCase{0, 0}),
                         [](const auto& info) { return "Value" + std::to_string(info.param.value); });

// One slashed eighth with a slur before a quarter G (zoom 100: u = 1, space
// 6, bottom line 122). The spacing put the group 4 + 18 + 2 - 2 = 22 left of
// the column: the note's own room, the group's three spaces and its
// clearance, less the two units it overlaps. Its G stands at yn = 122 - 9 - 3 = 110; the glyph's head is
// centred on G's line, 116, 5/7 of the 17-pixel em (12) below the glyph's top.
TEST(GracePainter, SingleSlashedEighthWithSlur) {
  auto score = layout_test::MakeScore(1, 1);
  TECNote& main = MainNote(*score);
  TECGraceGroup& group = AddGraceGroup(main, 16, 0x60, {{5, 5}});
  const auto lines = Draw(*score);
  const int x = Column(main, 1) - 22;
  const auto eighth = With(lines, "\";\" width");
  ASSERT_EQ(eighth.size(), 1u);
  EXPECT_EQ(eighth[0].substr(0, eighth[0].find(" width")), "TextOut (" + std::to_string(x) + ",104) \";\"");
  // Size 13: an em of 3.5 spaces x 13 / 16, 17 pixels.
  EXPECT_NE(eighth[0].find("font \"Vorod Iduriza\" h-17 "), std::string::npos) << eighth[0];
  const std::string slash = "LineTo (" + std::to_string(x) + ",111) to (" + std::to_string(x + 12) + ",105)";
  EXPECT_EQ(With(lines, slash + " | pen #000000 w1").size(), 1u);
  // The slur under both heads, from the small note to the main note.
  const auto arcs = With(lines, "Arc ");
  ASSERT_EQ(arcs.size(), 1u);
  const std::string ends = "(" + std::to_string(x + 3) + ",118) (" + std::to_string(main.Box.Left + 3) + "," +
                           std::to_string(main.HeadBox.Top + 12 - 2) + ")";
  EXPECT_NE(arcs[0].find(ends), std::string::npos) << arcs[0];
  EXPECT_EQ(Box(group.Notes[0]->Box), Box({x - 1, 110 - 18 - 1, x + 18 + 1, 110 + 12}));
  EXPECT_EQ(Box(group.Box), Box({x - 1, 91, x + 19, 122}));
}

// Two small notes, G and B, before and after a quarter G. Before: 4 + 18 + 2
// - 2 = 22 left of the column; after: at the quarter's right extent and the
// clearance, 4 + 2. Heads of a beamed group
// stand at yn = 122 - 9 + 1 - 3 = 111 (G) and 105 (B), a space and 2u apart.
TEST(GracePainter, BoxesBeforeAndAfterTheNote) {
  for (const bool after : {false, true}) {
    auto score = layout_test::MakeScore(1, 1);
    TECNote& main = MainNote(*score);
    TECGraceGroup& group = AddGraceGroup(main, 16, after ? 0x80 : 0, {{5, 5}, {7, 5}});
    Draw(*score);
    const int x = after ? Column(main, 1) + 6 : Column(main, 1) - 22;
    EXPECT_EQ(Box(group.Notes[0]->Box), Box({x - 1, 110, x + 6, 111 + 12})) << after;
    EXPECT_EQ(Box(group.Notes[1]->Box), Box({x + 8 - 1, 104, x + 8 + 6, 105 + 12})) << after;
    EXPECT_EQ(Box(group.Box), Box({x - 1, 104, x + 8 + 6, 123})) << after;
  }
}

// The stored offset is already in device pixels: at zoom 200 the group
// stands 2 x 22 left of the column.
TEST(GracePainter, OffsetIsNotScaledTwice) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetZoom(200);
  TECNote& main = MainNote(*score);
  TECGraceGroup& group = AddGraceGroup(main, 16, 0, {{5, 5}, {7, 5}});
  Draw(*score);
  EXPECT_EQ(group.Box.Left, Column(main, 2) - 44 - 1);
}

// An accidental goes 3u above the small note's top, 2u clear of the note
// before it, and moves the head 5u on.
TEST(GracePainter, AccidentalBeforeTheHead) {
  auto score = layout_test::MakeScore(1, 1);
  TECNote& main = MainNote(*score);
  TECGraceGroup& group = AddGraceGroup(main, 8, 0, {{5, 5, ek::Flat}, {7, 5, ek::Sharp}});
  const auto lines = Draw(*score);
  const auto flats = TextsOf(lines, "b");
  const auto sharps = TextsOf(lines, "d");
  ASSERT_EQ(flats.size(), 1u);
  ASSERT_EQ(sharps.size(), 1u);
  const int x = flats[0].x;
  EXPECT_EQ(flats[0].y, 111 - 3);
  EXPECT_EQ(group.Notes[0]->Box.Left, x + 5 - 1);
  EXPECT_EQ(sharps[0].x, x + 5 + 8 + 2);
  EXPECT_EQ(group.Notes[1]->Box.Left, x + 5 + 8 + 2 + 5 - 1);
}

// A group before its note keeps a quarter space (2 at zoom 100) clear of
// the note's head and of its accidental, whichever stands first in the
// note's list; the sharp of the group's second note takes room of its own
// after the first note's stem.
TEST(GracePainter, GroupKeepsClearOfItsNoteAndAccidental) {
  const struct {
    const char* name;
    std::uint8_t accidental;
    bool graceFirst;
  } cases[] = {{"plain note", 0, false}, {"flat first", ek::Flat, false}, {"grace first", ek::Flat, true}};
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 1);
    TECNote& main = MainNote(*score);
    if (c.accidental && !c.graceFirst) score_builder::AddAttribute(main, c.accidental);
    TECGraceGroup& group = AddGraceGroup(main, 16, 0, {{2, 5, 0}, {3, 5, ek::Sharp}});
    if (c.accidental && c.graceFirst) score_builder::AddAttribute(main, c.accidental);
    const auto lines = Draw(*score);
    int limit = main.HeadBox.Left + 1;
    for (const auto& a : main.Attributes)
      if (c.accidental && a->Kind == c.accidental) limit = std::min<int>(limit, a->Box.Left + 1);
    EXPECT_LE(group.Box.Right + 2, limit) << c.name;
    // The first small note's stem: a small head's width on from its box.
    const auto sharps = TextsOf(lines, "d");
    const int stem = group.Notes[0]->Box.Left + 1 + 5;
    ASSERT_FALSE(sharps.empty()) << c.name;
    EXPECT_GE(sharps.back().x, stem + 2) << c.name;
  }
}

// A single slashed grace note with a sharp: the slash ends a quarter space
// before the main head.
TEST(GracePainter, SingleNoteSlashKeepsClearOfTheHead) {
  auto score = layout_test::MakeScore(1, 1);
  TECNote& main = MainNote(*score);
  AddGraceGroup(main, 16, 0x40, {{5, 5, ek::Sharp}});
  int end = 0;
  for (const auto& line : With(Draw(*score), "LineTo")) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // The slash rises a space over two spaces.
    if (std::sscanf(line.c_str(), "LineTo (%d,%d) to (%d,%d)", &x1, &y1, &x2, &y2) == 4 && x2 - x1 == 12 &&
        y1 - y2 == 6)
      end = x2;
  }
  ASSERT_GT(end, 0);
  EXPECT_LE(end + 2, main.HeadBox.Left + 1);
}

struct LedgerCase {
  const char* name;
  std::vector<draw_test::Small> notes;
  std::vector<int> lines;  // y of the ledger lines drawn, in order
};

class GraceLedgerLines : public ::testing::TestWithParam<LedgerCase> {};

// Counted from each small head as for full-size notes (zoom 100: the staff's
// lines at 98 .. 122, a space of 6): a C under the staff keeps its line and
// a G over it gets none, in a group and alone.
TEST_P(GraceLedgerLines, AsForFullSizeNotes) {
  auto score = layout_test::MakeScore(1, 1);
  AddGraceGroup(MainNote(*score), 16, 0, GetParam().notes);
  std::vector<int> ys;
  for (const auto& line : With(Draw(*score), "#C0C0C0 w0")) {
    int y = 0;
    std::sscanf(line.c_str(), "LineTo (%*d,%d)", &y);
    ys.push_back(y);
  }
  EXPECT_EQ(ys, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Pitches, GraceLedgerLines,
    ::testing::Values(LedgerCase{"SingleG5", {{5, 6}}, {}}, LedgerCase{"SingleC6", {{1, 7}}, {92, 86}},
                      LedgerCase{"SingleC4", {{1, 5}}, {128}}, LedgerCase{"GroupC4D4", {{1, 5}, {2, 5}}, {128}},
                      LedgerCase{"GroupA3G5", {{6, 4}, {5, 6}}, {128, 134}}),
    [](const auto& info) { return std::string(info.param.name); });

// At the smallest zoom (u = 0, a space of one pixel) a group low under the
// staff still draws: its ledger lines one pixel apart and a flat beam.
TEST(GracePainter, SmallestZoom) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetZoom(10);
  TECNote& main = MainNote(*score);
  AddGraceGroup(main, 16, 0x20, {{1, 3}, {1, 3}});
  const auto lines = Draw(*score);
  const auto beams = With(lines, "Polygon");
  ASSERT_EQ(beams.size(), 1u);
  int y0 = 0, y1 = 0;
  std::sscanf(beams[0].c_str(), "Polygon (%*d,%d) (%*d,%d)", &y0, &y1);
  EXPECT_EQ(y0, y1);
  EXPECT_FALSE(With(lines, "#C0C0C0 w0").empty());
}

}  // namespace
