#include <gtest/gtest.h>

#include <algorithm>

#include "draw_test_support.h"
#include "model/measure.h"

using draw_test::Draw;
using draw_test::TextsOf;
using draw_test::With;

namespace {

using nv::render::PaintSelection;

TECMeasure& Measure(TECMusicScore& score, int m = 0) { return *score.CurrentInstrument()->GetRow(0)->GetMeasure(m); }

// The width of a head glyph on the recording canvas.
int HeadWidth() {
  nv::platform::RecordingCanvas canvas;
  canvas.font().face = "Vorod Iduriza";
  canvas.font().size = 16;
  return canvas.textWidth("A");
}

// A chord of seconds with the stem up: C at the column, D turned to the
// right of the stem, E back on the stem's left; the same when the chord's
// notes were entered highest first.
TEST(NoteColumnPainter, ChordOfSecondsAlternatesTheHeads) {
  for (const auto& steps : {std::vector<int>{1, 2, 3}, std::vector<int>{3, 2, 1}}) {
    auto score = layout_test::MakeScore(1, 1);
    TECMeasure& m = Measure(*score);
    for (int step : steps) score_builder::AddNote(m, step, 5, 32, 0)->ChordMark = 1;
    const auto lines = Draw(*score);
    auto heads = TextsOf(lines, "B");
    ASSERT_EQ(heads.size(), 3u);
    std::sort(heads.begin(), heads.end(), [](const auto& a, const auto& b) { return a.y > b.y; });
    const int column = heads[0].x + 4;  // C stands 4u left of its column
    const int w = HeadWidth();
    EXPECT_EQ(heads[1].x, column + 3);
    EXPECT_EQ(heads[2].x, column + 2 - w);
    // C4 is a line below the staff (bottom 122): its head top lies 3 below the
    // bottom line, and the heads climb half a space per step.
    EXPECT_EQ(heads[0].y, 122 + 3 - 3);
    EXPECT_EQ(heads[1].y, heads[0].y - 3);
    EXPECT_EQ(heads[2].y, heads[1].y - 3);
    // One stem, drawn by the chord's highest note from the lowest head up three
    // and a half spaces above the highest.
    const auto stems = With(lines, "pen #000000 w1 solid");
    const std::string stem = "LineTo (" + std::to_string(column - 4 + w - 0) + ",";
    EXPECT_EQ(With(stems, stem).size(), 1u) << stem;
    // The boxes: the chord notes up to their heads, the last one with the stem.
    const TECNote& c = *m.Notes[steps[0] == 1 ? 0 : 2];
    EXPECT_EQ(c.Box.Left, heads[0].x - 1);
    EXPECT_EQ(c.Box.Top, heads[0].y + 3 - 1);  // the glyph stands half a space above the head top
    EXPECT_EQ(c.Box.Right, heads[0].x + w + 1);
  }
}

// The vertical black stem lines at x.
std::vector<std::pair<int, int>> StemsAt(const std::vector<std::string>& lines, int x) {
  std::vector<std::pair<int, int>> stems;
  for (const auto& line : With(lines, "pen #000000 w1 solid")) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (std::sscanf(line.c_str(), "LineTo (%d,%d) to (%d,%d)", &x1, &y1, &x2, &y2) == 4 && x1 == x && x2 == x)
      stems.emplace_back(y1, y2);
  }
  return stems;
}

// A chord of middle C and G on the first beat keeps one stem from its lowest
// head however its notes stand in the measure's list: together, apart with
// a note of its voice or of another voice between them, or highest first
// with another chord's note between them.
TEST(NoteColumnPainter, ChordStemDoesNotDependOnTheListOrder) {
  struct Entry {
    int step, tick, voice, mark;
  };
  const std::vector<std::vector<Entry>> orders = {
      {{1, 0, 0, 1}, {5, 0, 0, 1}, {3, 32, 0, 0}},
      {{1, 0, 0, 1}, {3, 32, 0, 0}, {5, 0, 0, 1}},
      {{1, 0, 0, 1}, {3, 32, 1, 0}, {5, 0, 0, 1}},
      {{5, 0, 0, 1}, {3, 32, 0, 2}, {1, 0, 0, 1}, {6, 32, 0, 2}},
  };
  const int w = HeadWidth();
  for (const bool down : {false, true}) {
    for (std::size_t i = 0; i < orders.size(); ++i) {
      auto score = layout_test::MakeScore(1, 1);
      score->CurrentInstrument()->GetRow(0)->SetVoiceMode(1);
      TECMeasure& m = Measure(*score);
      for (const Entry& e : orders[i]) {
        TECNote* note = score_builder::AddNote(m, e.step, 5, 32, e.tick, e.voice);
        note->ChordMark = static_cast<std::uint8_t>(e.mark);
        if (down && e.tick == 0) note->Flags |= TECNote::StemDown;
      }
      const auto lines = Draw(*score);
      // Middle C's head top lies half a space below the bottom line (122),
      // G's two spaces above it.
      int column = 0;
      for (const auto& head : TextsOf(lines, "B"))
        if (head.y == 125 - 3) column = head.x + 4;
      ASSERT_NE(column, 0) << i;
      // Up: from C's centre less the head's adjustment to three spaces above
      // G's centre. Down: from G's centre plus the adjustment to four spaces
      // below C's stored top.
      const auto stems = down ? StemsAt(lines, column - 4) : StemsAt(lines, column - 4 + w);
      const std::pair<int, int> expected = down ? std::pair{113 + 3 + 1, 125 - 1 + 24} : std::pair{125 + 3 - 1, 113 + 6 - 24};
      EXPECT_EQ(stems, (std::vector<std::pair<int, int>>{expected})) << i << (down ? " down" : " up");
    }
  }
}

TEST(NoteColumnPainter, FlagsStemsAndWholeNotes) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = Measure(*score);
  score_builder::AddNote(m, 5, 5, 16, 0);   // eighth, stem up: flag "C"
  score_builder::AddNote(m, 5, 5, 128, 32);  // whole note: "," and no stem
  TECNote* down = score_builder::AddNote(m, 3, 6, 8, 64);
  down->Flags |= TECNote::StemDown;  // sixteenth, stem down: flag "F"
  const auto lines = Draw(*score);
  const auto up = TextsOf(lines, "C");
  ASSERT_EQ(up.size(), 1u);
  const auto head = TextsOf(lines, "B").at(0);
  const int w = HeadWidth();
  // The up flag hangs from the stem end, 3 spaces above the head's centre.
  EXPECT_EQ(up[0].x, head.x + w - 0);
  EXPECT_EQ(up[0].y, head.y + 3 + 6 - 24);
  EXPECT_EQ(TextsOf(lines, ",").size(), 1u);
  EXPECT_EQ(TextsOf(lines, "F").size(), 1u);
  // Box of the eighth: from its head's left to the stem end above it.
  const TECNote& eighth = *m.Notes[0];
  EXPECT_EQ(draw_test::Box(eighth.Box), std::to_string(head.x - 1) + "," + std::to_string(up[0].y - 1) + "," +
                                            std::to_string(head.x + w + 1) + "," +
                                            std::to_string(head.y + 3 + 6 + 2));
  // The head alone, for the ties and slurs.
  EXPECT_EQ(draw_test::Box(eighth.HeadBox), std::to_string(head.x - 1) + "," + std::to_string(head.y + 3 - 1) + "," +
                                                std::to_string(head.x + w + 1) + "," +
                                                std::to_string(head.y + 3 + 6 + 1));
}

// Eighths in a beam get their stems and the beam from the measure painter,
// no flag of their own.
TEST(NoteColumnPainter, BeamedEighthsDrawNoFlag) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = Measure(*score);
  TECNote* a = score_builder::AddNote(m, 5, 5, 16, 0);
  TECNote* b = score_builder::AddNote(m, 5, 5, 16, 16);
  a->BeamGroup = b->BeamGroup = 1;
  m.Beams = {a, b};
  const auto lines = Draw(*score);
  EXPECT_TRUE(TextsOf(lines, "C").empty());
  EXPECT_EQ(With(lines, "Polygon").size(), 1u);
}

// Eighth-note chords beamed in pairs, beamed by the row as note entry beams
// them: the beam list holds one note of each chord, and no note of either
// chord draws a flag (up "C" or down "D"); the beam carries the stems.
TEST(NoteColumnPainter, BeamedChordsDrawNoFlag) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetTimeSignature(4, 4, 0, true);
  TECRow& row = *score->CurrentInstrument()->GetRow(0);
  TECMeasure& m = Measure(*score);
  for (int tick : {0, 16})
    for (int step : {1, 3, 5}) score_builder::AddNote(m, step, 5, 16, tick)->ChordMark = tick == 0 ? 1 : 2;
  row.RebuildUnions(&m, false, false);
  ASSERT_GE(m.Beams.size(), 2u);
  const auto lines = Draw(*score);
  EXPECT_TRUE(TextsOf(lines, "C").empty());
  EXPECT_TRUE(TextsOf(lines, "D").empty());
  EXPECT_EQ(With(lines, "Polygon").size(), 1u);
}

TEST(NoteColumnPainter, LedgerLinesSilverOnScreenBlackPrintingAndBoundedByTheInterval) {
  for (const bool printing : {false, true}) {
    auto score = layout_test::MakeScore(1, 1);
    score->SetPrinting(printing);
    TECMeasure& m = Measure(*score);
    score_builder::AddNote(m, 1, 5, 32, 0);  // middle C: one ledger line
    score_builder::AddNote(m, 1, 3, 32, 32);  // far below: as many as fit in half the interval
    TECNote* selected = m.Notes[0].get();
    PaintSelection selection;
    selection.Row = score->CurrentInstrument()->GetRow(0);
    selection.Elements = {selected};
    const auto lines = Draw(*score, &selection);
    const std::string ledger = printing ? "pen #000000 w0 solid" : "pen #C0C0C0 w0 solid";
    std::vector<int> ys;
    for (const auto& line : With(lines, ledger)) {
      int y = 0;
      std::sscanf(line.c_str(), "LineTo (%*d,%d)", &y);
      ys.push_back(y);
    }
    // 16 mm between staves is 60 pixels: lines up to 30 pixels below.
    EXPECT_EQ(ys, (std::vector<int>{128, 128, 134, 140, 146})) << printing;
    // The selected note is red, its ledger line is not.
    EXPECT_NE(With(lines, "\"B\" width").at(0).find("#FF0000"), std::string::npos);
  }
}

TEST(NoteColumnPainter, AccidentalsAndDotsGetTheirBoxes) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = Measure(*score);
  TECNote* note = score_builder::AddNote(m, 7, 5, 32, 0);  // B on the middle line
  TECNoteAttribute* sharp = score_builder::AddAttribute(*note, ek::Sharp);
  TECNoteAttribute* dot = score_builder::AddAttribute(*note, ek::Dot);
  note->Length = 48;
  const auto lines = Draw(*score);
  const auto head = TextsOf(lines, "B").at(0);
  const int column = head.x + 4;
  const auto glyph = TextsOf(lines, "d").at(0);
  // Left of the column by the spacing offset; the box one pixel left of it.
  EXPECT_EQ(glyph.x, column - sharp->SpacingOffset);
  EXPECT_EQ(sharp->Box.Left, glyph.x - 1);
  EXPECT_EQ(sharp->Box.Top, (head.y + 3) - 6 - 3 - 1);
  EXPECT_EQ(sharp->Box.Right - sharp->Box.Left, 6 + 1);
  const int w = HeadWidth();
  EXPECT_EQ(TextsOf(lines, "`").at(0).x, head.x + w + w / 2);
  EXPECT_EQ(dot->Box.Right - dot->Box.Left, 3 + 2);
}

// A dot stands in a space: beside a head in a space, in the space above a
// head on a staff or ledger line. The dot glyph's ink is centred half a
// space below where it is drawn; the head's centre lies a space below its
// glyph's origin.
TEST(NoteColumnPainter, DotsStandInSpaces) {
  const struct {
    int step, octave;
    bool onLine;
  } cases[] = {
      {1, 5, true},   // C4 on its ledger line below
      {2, 5, false},  // D4 under the bottom line
      {5, 5, true},   // G4 on the second line
      {6, 5, false},  // A4 in the second space
      {4, 6, true},   // F5 on the top line
      {6, 6, true},   // A5 on its ledger line above
      {7, 6, false},  // B5 over that ledger line
  };
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 1);
    TECNote* note = score_builder::AddNote(Measure(*score), c.step, c.octave, 32, 0);
    score_builder::AddAttribute(*note, ek::Dot);
    note->Length = 48;
    const auto lines = Draw(*score);
    const int headCentre = TextsOf(lines, "B").at(0).y + 6;
    const int dotCentre = TextsOf(lines, "`").at(0).y + 3;
    EXPECT_EQ(((122 - dotCentre) % 6 + 6) % 6, 3) << c.step << "/" << c.octave;
    EXPECT_EQ(dotCentre, headCentre - (c.onLine ? 3 : 0)) << c.step << "/" << c.octave;
  }
}

}  // namespace

namespace {

// Repeat signs in a three-voice row: voice 0 two spaces up, voice 1 on the
// middle line (110), voice 2 two spaces down; each slash spans a space
// above and below its centre.
TEST(NoteColumnPainter, RepeatSlashesByVoice) {
  for (const auto& [voice, centre] : {std::pair{0, 98}, {1, 110}, {2, 122}}) {
    auto score = layout_test::MakeScore(1, 1);
    score->CurrentInstrument()->GetRow(0)->SetVoiceMode(2);
    TECNote* sign = score_builder::AddNote(Measure(*score), 1, 5, 1, 0, voice);
    sign->Kind = ek::RepeatNotes;
    const auto polygons = With(Draw(*score), "Polygon");
    ASSERT_EQ(polygons.size(), 2u) << voice;  // value 1: two slashes
    int x = 0, y1 = 0, y3 = 0;
    std::sscanf(polygons[0].c_str(), "Polygon (%d,%d) (%*d,%*d) (%*d,%d)", &x, &y1, &y3);
    EXPECT_EQ(y1, centre + 6) << voice;
    EXPECT_EQ(y3, centre - 6) << voice;
    EXPECT_EQ(sign->Box.Top, centre - 6 - 1) << voice;
    EXPECT_EQ(sign->Box.Left, x - 1) << voice;
  }
}

// Tremolo strokes cross the stem of a single note; beamed notes keep none.
TEST(NoteColumnPainter, TremoloStrokes) {
  auto score = layout_test::MakeScore(1, 1);
  TECNote* note = score_builder::AddNote(Measure(*score), 5, 5, 32, 0);
  score_builder::AddAttribute(*note, 112);  // three strokes
  const auto strokes = With(Draw(*score), "pen #000000 w2 solid");
  EXPECT_EQ(strokes.size(), 3u);
}

}  // namespace
